#include "ui/Images.h"

#include "platform/Log.h"
#include "platform/Paths.h"

#include <QFile>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHash>
#include <QTextLayout>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>
#include <cmath>

namespace {

QHash<QString, QPixmap>& cache() {
    static QHash<QString, QPixmap> pictures;
    return pictures;
}

// Pictures being decoded on background threads, by cache key.
QHash<QString, QFuture<QImage>>& pending() {
    static QHash<QString, QFuture<QImage>> decoding;
    return decoding;
}

// Decoding is safe on any thread; only the conversion to a pixmap must happen on the screen's.
QImage decode(const QString& base, double scale) {
    // From one and a half times on, the sharp variant scaled down looks better than the plain one up.
    if (scale >= 1.5) {
        QImage sharp(Paths::resourcePath(base + QStringLiteral("@2x.png")), "PNG");
        if (!sharp.isNull()) {
            sharp.setDevicePixelRatio(2);
            return sharp;
        }
    }
    QImage plain(Paths::resourcePath(base + QStringLiteral(".png")), "PNG");
    if (plain.isNull()) {
        // Only the sharp variant shipped: use it at its point size.
        QImage sharp(Paths::resourcePath(base + QStringLiteral("@2x.png")), "PNG");
        if (!sharp.isNull())
            sharp.setDevicePixelRatio(2);
        return sharp;
    }
    return plain;
}

// One thread beside the screen's: the screen's thread keeps a core of its own. What it does is done
// before the application goes, which takes the fonts and pictures' shared state with it.
QThreadPool* decoder() {
    static QThreadPool* pool = [] {
        auto* threads = new QThreadPool;
        threads->setMaxThreadCount(1);
        if (qApp)
            QObject::connect(qApp, &QCoreApplication::aboutToQuit, threads,
                             [threads] { threads->waitForDone(); });
        return threads;
    }();
    return pool;
}

// Empty for a name that is no picture of the edition.
QString baseName(const QString& name) {
    QString base = name.trimmed();
    if (!Paths::isPlainName(base)) {
        logOnce(QStringLiteral("Picture name \"%1\" is not a name of the edition; not shown").arg(base));
        return {};
    }
    if (base.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive))
        base.chop(4);
    return base;
}

double screenScale() {
    return qApp ? qGuiApp->devicePixelRatio() : 1.0;
}

QString cacheKey(const QString& base, double scale) {
    return base + (scale >= 1.5 ? QStringLiteral("@2") : QStringLiteral("@1"));
}

} // namespace

namespace Images {

QPixmap named(const QString& name) {
    const QString base = baseName(name);
    if (base.isEmpty())
        return {};
    const double scale = screenScale();
    const QString key = cacheKey(base, scale);
    auto it = cache().constFind(key);
    if (it != cache().constEnd())
        return *it;
    const auto started = pending().constFind(key);
    const QImage image = started != pending().constEnd() ? started->result() : decode(base, scale);
    pending().remove(key);
    const QPixmap pixmap = QPixmap::fromImage(image);
    cache().insert(key, pixmap);
    return pixmap;
}

bool exists(const QString& name) {
    const QString base = baseName(name);
    if (base.isEmpty())
        return false;
    return QFile::exists(Paths::resourcePath(name.trimmed())) ||
           QFile::exists(Paths::resourcePath(base + u".png"_qs)) ||
           QFile::exists(Paths::resourcePath(base + u"@2x.png"_qs));
}

void preload(const QStringList& names) {
    const double scale = screenScale();
    for (const QString& name : names) {
        const QString base = baseName(name);
        const QString key = cacheKey(base, scale);
        if (base.isEmpty() || cache().contains(key) || pending().contains(key))
            continue;
        pending().insert(key, QtConcurrent::run(decoder(), [base, scale] { return decode(base, scale); }));
    }
}

void clearCache() {
    for (QFuture<QImage>& future : pending())
        future.waitForFinished();
    pending().clear();
    cache().clear();
}

} // namespace Images

namespace Fonts {

namespace {
QFont sans(double size, bool bold) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(qMax(1, qRound(size)));
    font.setBold(bold);
    return font;
}
} // namespace

QFont named(const QString& name, double size) {
    return sans(size, name.contains(QStringLiteral("Bold")));
}
QFont system(double size) {
    return sans(size, false);
}
QFont boldSystem(double size) {
    return sans(size, true);
}

void preload(const QList<QFont>& fonts) {
    // Fonts may be measured on any thread; the engines and glyphs they load are shared.
    decoder()->start([fonts] {
        for (const QFont& font : fonts)
            QFontMetrics(font).horizontalAdvance(QStringLiteral("Abc 0123456789 xyz"));
    });
}

} // namespace Fonts

int measureTextWidth(const QFont& font, const QString& text) {
    return int(std::floor(QFontMetricsF(font).horizontalAdvance(text)));
}

int measureWrappedHeight(const QFont& font, const QString& text, int width) {
    if (text.isEmpty())
        return 0;
    return int(wrapText(font, text, width).size()) * QFontMetrics(font).lineSpacing();
}

QStringList wrapText(const QFont& font, const QString& text, int width) {
    QStringList lines;
    for (const QString& paragraph : text.split(u'\n')) {
        QTextLayout layout(paragraph, font);
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        layout.beginLayout();
        const qsizetype before = lines.size();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(qMax(1, width));
            lines.append(paragraph.mid(line.textStart(), line.textLength()).trimmed());
        }
        layout.endLayout();
        if (lines.size() == before)
            lines.append(QString()); // an empty paragraph is an empty line
    }
    return lines;
}