#include "tools/edition/OsmTilesCommand.h"

#include "tools/edition/EditionTiles.h"
#include "tools/edition/EditionWriting.h"
#include "tools/edition/OsmCall.h"

namespace OsmTiles {

bool writeTiles(const StreetMap& map, const QRectF& region, std::pair<int, int> zooms, const QString& outPath,
                QTextStream& out, QString* error) {
    const QList<TileKey> keys = Edition::tilesCovering(region, zooms);
    out << "Drawing " << keys.size() << " tiles of zoom " << zooms.first << " to " << zooms.second << " from "
        << map.featureCount() << " features\n";
    out.flush();
    Edition::TileWriter writer;
    if (!writer.open(outPath, error))
        return false;
    const auto render = [&map](const TileKey& key) { return Edition::pngOf(map.render(key)); };
    return Edition::renderTiles(keys, render, writer, out, error) &&
           writer.finish(QStringLiteral("OpenStreetMap streets"), region,
                         Edition::Writing::openStreetMapCredit, error);
}

int command(const QStringList& args, QTextStream& out, QString* error) {
    Call call;
    if (const QString problem = call.parse(args, false); !problem.isEmpty() || !call.zooms) {
        *error = (problem.isEmpty() ? QStringLiteral("--zoom Z1-Z2 is needed") : problem) +
                 QStringLiteral("\nusage: cityguide-edition tiles-osm EXTRACT.osm.pbf --center LAT,LON "
                                "--radius KM --zoom Z1-Z2 [--many-tiles] OUT.mbtiles");
        return 2;
    }
    if (const QString problem = call.tooManyTiles(); !problem.isEmpty()) {
        *error = problem;
        return 2;
    }
    const std::optional<Osm::Extract> extract = call.read(error);
    if (!extract || !writeTiles(StreetMap(*extract), call.region(), *call.zooms, call.target, out, error))
        return 1;
    out << "Street tiles written to " << call.target << '\n';
    return 0;
}

} // namespace OsmTiles
