#include "ArtRenderer.h"

#include <QFile>

#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QSvgRenderer>

#include <algorithm>
#include <cmath>

namespace artwork {

namespace {

constexpr int kMaxSheetUpscale = 4;

void paintChecker(QPainter& painter, const QRect& area, int square) {
    const QColor light(0x9a, 0x9a, 0x9a);
    const QColor dark(0x76, 0x76, 0x76);
    painter.fillRect(area, light);
    for (int y = area.top(); y <= area.bottom(); y += square) {
        for (int x = area.left(); x <= area.right(); x += square) {
            const int col = (x - area.left()) / square;
            const int row = (y - area.top()) / square;
            if ((col + row) % 2 == 1) {
                const QRect cell(x, y, std::min(square, area.right() - x + 1),
                                 std::min(square, area.bottom() - y + 1));
                painter.fillRect(cell, dark);
            }
        }
    }
}

} // namespace

SvgInfo inspectSvg(const QString& svgPath) {
    SvgInfo info;
    if (!QFileInfo(svgPath).isFile()) {
        info.error = QStringLiteral("no such file");
        return info;
    }
    QSvgRenderer renderer(svgPath);
    if (!renderer.isValid()) {
        info.error = QStringLiteral("does not parse as SVG");
        return info;
    }
    info.size = renderer.defaultSize();
    if (info.size.width() <= 0 || info.size.height() <= 0) {
        info.error = QStringLiteral("has no width and height");
        info.size = {};
    }
    return info;
}

QImage renderSvg(const QString& svgPath, int scale) {
    QFile file(svgPath);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return renderSvgData(file.readAll(), scale);
}

QImage renderSvgData(const QByteArray& svg, int scale) {
    QSvgRenderer renderer(svg);
    if (!renderer.isValid() || scale < 1) {
        return {};
    }
    const QSize own = renderer.defaultSize();
    if (own.isEmpty()) {
        return {};
    }
    QImage image(own * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::TextAntialiasing);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(image.size())));
    painter.end();
    return image;
}

QString outputPath(const QString& outDir, const QString& name, int scale) {
    const QString suffix = scale == 1 ? QStringLiteral(".png") : QStringLiteral("@%1x.png").arg(scale);
    return QDir(outDir).filePath(name + suffix);
}

bool isUpToDate(const QString& source, const QString& output) {
    const QFileInfo out(output);
    if (!out.exists()) {
        return false;
    }
    return out.lastModified() > QFileInfo(source).lastModified();
}

QImage makeContactSheet(const QList<SheetEntry>& entries, const SheetLayout& layout) {
    const int columns = std::max(1, std::min<int>(layout.columns, std::max<qsizetype>(1, entries.size())));
    const int rows = entries.isEmpty() ? 1 : int((entries.size() + columns - 1) / columns);
    const int cellHeight = layout.pictureHeight + layout.captionHeight;
    const QSize sheetSize(layout.margin + columns * (layout.cellWidth + layout.margin),
                          layout.margin + rows * (cellHeight + layout.margin));

    QImage sheet(sheetSize, QImage::Format_ARGB32_Premultiplied);
    sheet.fill(QColor(0x3a, 0x3a, 0x3a));
    QPainter painter(&sheet);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    QFont nameFont(QStringLiteral("Liberation Sans"));
    nameFont.setPixelSize(11);
    nameFont.setBold(true);
    QFont sizeFont(QStringLiteral("Liberation Sans"));
    sizeFont.setPixelSize(10);
    const QFontMetrics nameMetrics(nameFont);

    for (qsizetype i = 0; i < entries.size(); ++i) {
        const SheetEntry& entry = entries.at(i);
        const int col = int(i % columns);
        const int row = int(i / columns);
        const QRect cell(layout.margin + col * (layout.cellWidth + layout.margin),
                         layout.margin + row * (cellHeight + layout.margin), layout.cellWidth, cellHeight);
        const QRect pictureArea(cell.topLeft(), QSize(layout.cellWidth, layout.pictureHeight));

        if (!entry.size.isEmpty()) {
            const double fit = std::min(double(pictureArea.width()) / entry.size.width(),
                                        double(pictureArea.height()) / entry.size.height());
            const double scale = std::min(fit, double(kMaxSheetUpscale));
            const QSizeF drawn(entry.size.width() * scale, entry.size.height() * scale);
            const QRectF target(pictureArea.left() + (pictureArea.width() - drawn.width()) / 2.0,
                                pictureArea.top() + (pictureArea.height() - drawn.height()) / 2.0,
                                drawn.width(), drawn.height());
            const QRect checkerArea = target.toAlignedRect().intersected(pictureArea);
            paintChecker(painter, checkerArea, 8);
            QSvgRenderer renderer(entry.svgPath);
            if (renderer.isValid()) {
                painter.save();
                painter.setClipRect(checkerArea);
                renderer.render(&painter, target);
                painter.restore();
            }
        }

        painter.setPen(Qt::white);
        painter.setFont(nameFont);
        const QRect nameRect(cell.left(), pictureArea.bottom() + 3, cell.width(), 14);
        painter.drawText(nameRect, Qt::AlignHCenter | Qt::AlignTop,
                         nameMetrics.elidedText(entry.name, Qt::ElideMiddle, cell.width()));
        painter.setPen(QColor(0xc8, 0xc8, 0xc8));
        painter.setFont(sizeFont);
        const QRect sizeRect(cell.left(), nameRect.bottom() + 1, cell.width(), 12);
        painter.drawText(sizeRect, Qt::AlignHCenter | Qt::AlignTop,
                         QStringLiteral("%1 x %2").arg(entry.size.width()).arg(entry.size.height()));
    }
    painter.end();
    return sheet;
}

RunReport renderDirectory(const QString& srcDir, const QString& outDir) {
    RunReport report;
    const QDir source(srcDir);
    if (!source.exists()) {
        report.errors << QStringLiteral("%1: no such folder").arg(srcDir);
        return report;
    }
    if (!QDir().mkpath(outDir)) {
        report.errors << QStringLiteral("%1: cannot create the folder").arg(outDir);
        return report;
    }

    const QStringList files = source.entryList({QStringLiteral("*.svg")}, QDir::Files, QDir::Name);
    for (const QString& file : files) {
        const QString svgPath = source.filePath(file);
        const QString name = QFileInfo(file).completeBaseName();
        const SvgInfo info = inspectSvg(svgPath);
        if (!info.ok()) {
            report.errors << QStringLiteral("%1: %2").arg(svgPath, info.error);
            continue;
        }
        report.entries.append({name, svgPath, info.size});

        const QString out1 = outputPath(outDir, name, 1);
        const QString out2 = outputPath(outDir, name, 2);
        if (isUpToDate(svgPath, out1) && isUpToDate(svgPath, out2)) {
            ++report.upToDate;
            continue;
        }
        bool written = true;
        for (const auto& [scale, path] : {std::pair{1, out1}, std::pair{2, out2}}) {
            const QImage image = renderSvg(svgPath, scale);
            if (image.isNull() || !image.save(path, "PNG")) {
                report.errors << QStringLiteral("%1: cannot write %2").arg(svgPath, path);
                written = false;
                break;
            }
        }
        if (written) {
            ++report.rendered;
        }
    }
    return report;
}

} // namespace artwork
