#include "tools/edition/MapTilesCheck.h"

#include "tools/edition/CatalogFields.h"

#include "platform/MapTiles.h"
#include "platform/Paths.h"

#include <QFileInfo>

namespace Edition::Checking {

namespace {

struct MapTilesChecker : CheckerBase {
    MapTilesChecker(Findings& findings, const ChapterList& list, const Catalogue& catalogue)
        : CheckerBase(findings), list(list), rows(catalogue.rows) {}

    const ChapterList& list;
    const QList<Row>& rows;

    void checkMapTiles(const QVariant& entry, const QString& name) {
        if (!entry.isValid())
            return;
        const QVariantMap tiles = entry.toMap();
        if (entry.typeId() != QMetaType::QVariantMap) {
            report(name, QStringLiteral("\"Map Tiles\" is not a dictionary"));
            return;
        }
        const QString url = tiles.value(QStringLiteral("url")).toString();
        if (!url.isEmpty() && !(url.contains(QStringLiteral("{z}")) && url.contains(QStringLiteral("{x}")) &&
                                url.contains(QStringLiteral("{y}"))))
            report(name, QStringLiteral("\"Map Tiles\" url \"%1\" lacks {z}, {x} or {y}").arg(url));
        const QString file = tiles.value(QStringLiteral("file")).toString();
        if (file.isEmpty())
            return;
        if (!Paths::isPlainName(file)) {
            report(name, QStringLiteral("\"Map Tiles\" file \"%1\" is a path, not a file name").arg(file));
            return;
        }
        // The guide goes on without it (the live map shows the online tiles), in the sources and in the
        // edition alike.
        if (!QFileInfo::exists(folder + u'/' + file)) {
            warn(list.chapterListPlace(QStringList{QStringLiteral("Map Tiles"), QStringLiteral("file")}),
                 QStringLiteral(
                     "the \"Map Tiles\" file %1 is missing: offline, the live map would show no "
                     "streets. Make it with cityguide-edition tiles or tiles-osm and put it into the "
                     "%2 folder")
                     .arg(file, sourceFolder ? QStringLiteral("source") : QStringLiteral("edition's")));
            return;
        }
        const MBTilesSource source(folder + u'/' + file);
        if (!source.isOpen()) {
            report(file, source.error().section(QStringLiteral(": "), 1));
            return;
        }
        if (source.tilesIsView()) {
            report(file,
                   QStringLiteral("\"tiles\" is a view; the guide reads a table of tiles (make the file "
                                  "with cityguide-edition tiles)"));
            return;
        }
        if (!source.tilesIndexed())
            warn(file,
                 QStringLiteral("\"tiles\" has no index on (zoom_level, tile_column, tile_row): the live "
                                "map reads every row for each tile"));
        const auto bounds = source.bounds();
        if (!bounds) {
            report(file, QStringLiteral("has no \"bounds\" in its metadata"));
            return;
        }
        int outside = 0;
        for (const Row& row : std::as_const(rows)) {
            bool latOk = false, lonOk = false;
            const double lat = row.values[cLat].toDouble(&latOk);
            const double lon = row.values[cLon].toDouble(&lonOk);
            if (!latOk || !lonOk || (lat == 0 && lon == 0))
                continue;
            if ((lon < (*bounds)[0] || lat < (*bounds)[1] || lon > (*bounds)[2] || lat > (*bounds)[3]) &&
                ++outside <= 5)
                rowProblem(row, QStringLiteral("%1,%2 lies outside the map tiles of %3, which cover "
                                               "%4,%5,%6,%7 (S,W,N,E)")
                                    .arg(lat)
                                    .arg(lon)
                                    .arg(file)
                                    .arg((*bounds)[1])
                                    .arg((*bounds)[0])
                                    .arg((*bounds)[3])
                                    .arg((*bounds)[2]));
        }
        if (outside > 5)
            report(file, QStringLiteral("%1 more venues lie outside its tiles").arg(outside - 5));
    }
};

} // namespace

void checkMapTiles(Findings& findings, const ChapterList& list, const Catalogue& catalogue) {
    if (list.root)
        MapTilesChecker(findings, list, catalogue)
            .checkMapTiles(list.root->value(QStringLiteral("Map Tiles")), QStringLiteral("chapter.plist"));
}

} // namespace Edition::Checking
