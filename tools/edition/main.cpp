// cityguide-edition: start, build, check and show an edition of the guide from the command line.

#include "tools/edition/Edition.h"
#include "tools/edition/EditionOsm.h"
#include "tools/edition/EditionTiles.h"
#include "tools/edition/OsmTilesCommand.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QTextStream>
#include <memory>

namespace {

struct Command {
    const char* name;
    const char* synopsis;
    const char* help;
};

const Command commands[] = {
    {"new", "new DIR --city NAME --at LAT,LON [--country CC]",
     "Writes a complete source folder for a new city into DIR (new or empty): manager.csv with the city's\n"
     "facts marked [fill in], catalog/01-sights.csv with one chapter, category and venue at LAT,LON,\n"
     "chapter.plist, an empty Bookmarks.plist, imprint.txt and neutral pictures (1x and @2x) for everything\n"
     "the guide always shows. With --country (ISO 3166-1, such as AT), the calling code, internet code,\n"
     "time zone and the country's currency are filled in. The result builds; check reports each [fill in]\n"
     "left until it is replaced. docs/publishing.md tells what to change.\n"},
    {"build", "build SRC OUT",
     "Makes the edition OUT from the source folder SRC: Catalog.sqlite from SRC/catalog.csv and\n"
     "SRC/catalog/*.csv (in file-name order; venue ids in reading order from 1), the pictures drawn in\n"
     "SRC/art/*.svg as NAME.png and NAME@2x.png, and a copy of every other file. A source with a mistake\n"
     "the guide cannot read (a row of the wrong length, text that is not UTF-8, a coordinate that is no\n"
     "finite number, a link out of SRC) stops the build with its file and line; OUT keeps its old "
     "catalogue.\n"},
    {"check", "check DIR",
     "Reports every problem of an edition or of its source folder in one run, one line each:\n"
     "  FILE:LINE: what is wrong (venue \"name\")      an error\n"
     "  FILE:LINE: warning: what may be wrong        a warning\n"
     "In a source folder the lines name the catalogue sources; in a built edition a venue is named by its\n"
     "id (\"Catalog.sqlite: venue 12\"). Exit 0 without errors (warnings may remain), 1 with errors, 2 when\n"
     "DIR is no edition.\n"},
    {"show", "show DIR WHAT ...",
     "Prints as JSON what the guide reads from the built edition DIR:\n"
     "  settings | categories CHAPTER_ID | introduction CHAPTER_ID | details VENUE_ID | theme TITLE\n"
     "  venues CHAPTER_ID CATEGORY [--at LAT,LON] [--imperial] | search TEXT [--at LAT,LON] [--imperial]\n"
     "  near LAT,LON [--imperial]   (the venues within about 10 km, nearest first, with their distances)\n"
     "Exit 0, 1 for a chapter, category or venue the edition does not have, 2 for a wrong call.\n"},
    {"set", "set DIR NAME=VALUE ...",
     "Writes the values into the columns NAME of DIR/manager.csv (such as InfoAirportCode=VIE) and keeps\n"
     "the others, quoted as the guide reads them; a value cannot hold a double quote.\n"},
    {"tiles", "tiles PLAN.svg --bounds S,W,N,E --zoom Z1-Z2 OUT.mbtiles",
     "Renders a georeferenced plan (an SVG drawn in Web Mercator over the bounds named by\n"
     "data-bounds=\"S,W,N,E\" on its root) into 256-pixel tiles of the zoom levels Z1 to Z2, added to the\n"
     "MBTiles file OUT. Name the file in chapter.plist under \"Map Tiles\" (key \"file\").\n"},
    {"import-osm",
     "import-osm EXTRACT.osm.pbf --city NAME --center LAT,LON --radius KM [--zoom Z1-Z2] [--country CC]\n"
     "           [--many-tiles] SRC",
     "Writes a source folder SRC (new or empty) for the city from an OpenStreetMap extract (.osm.pbf or\n"
     ".osm). The named venues within KM of the centre become chapters by their tags (Sights, Museums,\n"
     "Cafés, Dining, Nightlife, Hotels, Shopping) and categories by their kind, with the address, postcode,\n"
     "phones, web site, e-mail and opening hours the data holds; a venue mapped twice (one name within\n"
     "50 m) is kept once. The street tiles of zoom Z1 to Z2 (12-17 unless told) are drawn from the same\n"
     "extract into StreetTiles.mbtiles; more than 50,000 tiles are drawn only with --many-tiles. The\n"
     "country (the one the addresses name, or --country) gives the calling code, internet code, time zone\n"
     "and the currency; the other facts are left marked [fill in]. The imprint and the map credit\n"
     "OpenStreetMap's contributors, as the data's licence (ODbL) asks.\n"},
    {"tiles-osm",
     "tiles-osm EXTRACT.osm.pbf --center LAT,LON --radius KM --zoom Z1-Z2 [--many-tiles] OUT.mbtiles",
     "Draws 256-pixel street tiles of the zoom levels Z1 to Z2 around the centre from an OpenStreetMap\n"
     "extract: water, green and land use, buildings, roads by class, railways and, from zoom 15, street\n"
     "names. They are added to the MBTiles file OUT; name it in chapter.plist under \"Map Tiles\".\n"},
    {"feed", "feed currency|weather FILE-OR-URL [--temp 1] [--distance 1] [--edition DIR]",
     "Prints as JSON what the converter or the weather page would show from that document, or the\n"
     "reader's error with exit code 1, so that a feed can be tried before an edition points at it.\n"},
};

const Command* findCommand(const QString& name) {
    for (const Command& command : commands) {
        if (name == QLatin1String(command.name))
            return &command;
    }
    return nullptr;
}

void printUsage(QTextStream& stream) {
    stream << "usage: cityguide-edition COMMAND ...\n\n";
    for (const Command& command : commands)
        stream << "  cityguide-edition " << command.synopsis << '\n';
    stream << "\n  cityguide-edition help COMMAND   tells more about one command\n"
              "\nThe walk from an empty folder to a published edition is in docs/publishing.md.\n";
}

int help(const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.isEmpty()) {
        printUsage(out);
        return 0;
    }
    const Command* command = findCommand(args[0]);
    if (!command) {
        err << "no command \"" << args[0] << "\"\n\n";
        printUsage(err);
        return 2;
    }
    out << "usage: cityguide-edition " << command->synopsis << "\n\n" << command->help;
    return 0;
}

// One line of error and, for a wrong call, how the command is called.
int finish(int code, const QString& error, QTextStream& err) {
    if (code != 0 && !error.isEmpty())
        err << error << '\n';
    return code;
}

} // namespace

int main(int argc, char** argv) {
    // Some commands draw pictures, which needs a (windowless) graphical application.
    const QByteArray first = argc > 1 ? QByteArray(argv[1]) : QByteArray();
    const bool drawing = first == "tiles" || first == "new" || first == "build" || first == "import-osm" ||
                         first == "tiles-osm";
    if (drawing && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::unique_ptr<QCoreApplication> application(drawing ? new QGuiApplication(argc, argv)
                                                          : new QCoreApplication(argc, argv));
    QCoreApplication& app = *application;
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        printUsage(err);
        return 2;
    }
    const QString& command = args[0];
    const QStringList rest = args.mid(1);
    if (command == u"help" || command == u"--help" || command == u"-h")
        return help(rest, out, err);
    if (rest.contains(QStringLiteral("--help")) || rest.contains(QStringLiteral("-h")))
        return help({command}, out, err);

    QString error;
    if (command == u"check" && rest.size() == 1) {
        QStringList problems;
        const Edition::CheckResult result = Edition::check(rest[0], &problems);
        if (result == Edition::CheckResult::NotAnEdition) {
            err << rest[0] << ": not an edition (no manager.csv, Catalog.sqlite or catalogue sources)\n";
            return 2;
        }
        for (const QString& problem : problems)
            out << problem << '\n';
        return int(result);
    }
    if (command == u"build" && rest.size() == 2) {
        const auto art = [&rest](const QString& edition, QString* error) {
            return Edition::renderArt(rest[0], edition, error);
        };
        if (!Edition::build(rest[0], rest[1], &error, art)) {
            err << "build failed: " << error << '\n';
            return 1;
        }
        return 0;
    }
    if (command == u"show" && rest.size() >= 2)
        return finish(Edition::show(rest[0], rest.mid(1), out, &error), error, err);
    if (command == u"new")
        return finish(Edition::newEdition(rest, out, &error), error, err);
    if (command == u"tiles")
        return finish(Edition::tiles(rest, out, &error), error, err);
    if (command == u"import-osm")
        return finish(Edition::importOsm(rest, out, &error), error, err);
    if (command == u"tiles-osm")
        return finish(OsmTiles::command(rest, out, &error), error, err);
    if (command == u"set")
        return finish(Edition::setSettings(rest, out, &error), error, err);
    if (command == u"feed")
        return finish(Edition::feed(rest, out, &error), error, err);
    if (const Command* known = findCommand(command)) {
        err << "usage: cityguide-edition " << known->synopsis << "\n(cityguide-edition help " << known->name
            << " tells more)\n";
        return 2;
    }
    err << "no command \"" << command << "\"\n\n";
    printUsage(err);
    return 2;
}
