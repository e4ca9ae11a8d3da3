#pragma once

#include "tools/edition/OsmTiles.h"

#include <QRectF>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <utility>

// Street tiles from an extract into an MBTiles file, and the tiles-osm command that draws them.
namespace OsmTiles {

// Renders the tiles of the zoom levels over the region (x longitudes, y latitudes) into the MBTiles file
// OUT, crediting OpenStreetMap. False with a one-line *error.
bool writeTiles(const StreetMap& map, const QRectF& region, std::pair<int, int> zooms, const QString& outPath,
                QTextStream& out, QString* error);

// `tiles-osm EXTRACT --center LAT,LON --radius KM --zoom Z1-Z2 OUT.mbtiles`: 0 when written, 1 when the
// extract or the file cannot be used, 2 for a wrong call.
int command(const QStringList& args, QTextStream& out, QString* error);

} // namespace OsmTiles
