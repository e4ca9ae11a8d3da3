// cityguide-render-art SRC_DIR OUT_DIR [--sheet sheet.png]
//
// Renders every SRC_DIR/*.svg into OUT_DIR as name.png (own size) and name@2x.png (twice the size),
// skipping pictures whose PNGs are newer than their source; optionally writes a contact sheet
// (--sheet-cell sets the size of its cells, for looking at large pictures closely).

#include "ArtRenderer.h"

#include <QGuiApplication>
#include <QStringList>
#include <QTextStream>

#include <algorithm>

namespace {

constexpr auto kUsage = "usage: cityguide-render-art SRC_DIR OUT_DIR [--sheet sheet.png [--sheet-cell POINTS]]";

} // namespace

int main(int argc, char** argv) {
    // Rendering needs no screen; without a platform choice a headless machine would fail to start.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    QTextStream out(stdout);

    QStringList positional;
    QString sheetPath;
    artwork::SheetLayout layout;
    const QStringList args = app.arguments().mid(1);
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (arg == QLatin1String("--sheet")) {
            if (i + 1 >= args.size()) {
                err << kUsage << Qt::endl;
                return 2;
            }
            sheetPath = args.at(++i);
        } else if (arg == QLatin1String("--sheet-cell")) {
            bool ok = false;
            const int cell = i + 1 < args.size() ? args.at(i + 1).toInt(&ok) : 0;
            if (!ok || cell < 40 || cell > 2000) {
                err << kUsage << Qt::endl;
                return 2;
            }
            ++i;
            layout.cellWidth = cell;
            layout.pictureHeight = cell;
            layout.columns = std::max(1, 1200 / cell);
        } else if (arg == QLatin1String("-h") || arg == QLatin1String("--help")) {
            out << kUsage << Qt::endl;
            return 0;
        } else if (arg.startsWith(QLatin1String("--"))) {
            err << kUsage << Qt::endl;
            return 2;
        } else {
            positional << arg;
        }
    }
    if (positional.size() != 2) {
        err << kUsage << Qt::endl;
        return 2;
    }

    const artwork::RunReport report = artwork::renderDirectory(positional.at(0), positional.at(1));
    for (const QString& line : report.errors) {
        err << "cityguide-render-art: " << line << Qt::endl;
    }

    if (!sheetPath.isEmpty()) {
        const QImage sheet = artwork::makeContactSheet(report.entries, layout);
        if (!sheet.save(sheetPath, "PNG")) {
            err << "cityguide-render-art: cannot write " << sheetPath << Qt::endl;
            return 1;
        }
    }

    out << report.rendered << " rendered, " << report.upToDate << " up to date, " << report.errors.size()
        << " failed" << Qt::endl;
    return report.errors.isEmpty() ? 0 : 1;
}
