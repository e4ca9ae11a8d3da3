// cityguide-edition: check, show and build an edition of the guide from the command line.

#include "tools/edition/Edition.h"
#include "tools/edition/EditionTiles.h"

#include <QGuiApplication>
#include <QTextStream>
#include <memory>

namespace {

int usage(QTextStream& err) {
    err << "usage: cityguide-edition check DIR\n"
           "       cityguide-edition show DIR WHAT ...\n"
           "       cityguide-edition build SRC OUT\n"
           "       cityguide-edition tiles PLAN.svg --bounds S,W,N,E --zoom Z1-Z2 OUT.mbtiles\n"
           "       cityguide-edition feed currency|weather FILE-OR-URL [--temp 1] [--distance 1] [--edition "
           "DIR]\n";
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    // Rendering map tiles draws pictures, which needs a (windowless) graphical application.
    const bool drawing = argc > 1 && QByteArray(argv[1]) == "tiles";
    if (drawing && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::unique_ptr<QCoreApplication> application(drawing ? new QGuiApplication(argc, argv)
                                                          : new QCoreApplication(argc, argv));
    QCoreApplication& app = *application;
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 2)
        return usage(err);
    const QString& command = args[0];

    if (command == u"check" && args.size() == 2) {
        QStringList problems;
        const Edition::CheckResult result = Edition::check(args[1], &problems);
        if (result == Edition::CheckResult::NotAnEdition) {
            err << args[1] << ": not an edition (no manager.csv or Catalog.sqlite)\n";
            return 2;
        }
        for (const QString& problem : problems)
            out << problem << '\n';
        return int(result);
    }
    if (command == u"build" && args.size() == 3) {
        QString error;
        if (!Edition::build(args[1], args[2], &error)) {
            err << "build failed: " << error << '\n';
            return 1;
        }
        return 0;
    }
    if (command == u"show" && args.size() >= 3) {
        QString error;
        const int code = Edition::show(args[1], args.mid(2), out, &error);
        if (code != 0)
            err << error << '\n';
        return code;
    }
    if (command == u"tiles") {
        QString error;
        const int code = Edition::tiles(args.mid(1), out, &error);
        if (code != 0)
            err << error << '\n';
        return code;
    }
    if (command == u"feed") {
        QString error;
        const int code = Edition::feed(args.mid(1), out, &error);
        if (code != 0)
            err << error << '\n';
        return code;
    }
    return usage(err);
}
