#pragma once

#include "tools/edition/OsmExtract.h"

#include <QString>

// The walkable street network of an extract's region, written as an edition's Walks.sqlite: every
// footway, path, flight of steps, pedestrian street, crossing and street a pedestrian may use, both
// ways; motorways, private ways and ways closed to pedestrians left out.
namespace OsmWalks {

struct Written {
    int nodes = 0, edges = 0, ways = 0;
};

// Whether a way of these tags may be walked.
bool walkable(const Osm::Object& way);

// Writes the network of the ways within `region` (longitudes x, latitudes y) into a new file at path.
std::optional<Written> write(const Osm::Extract& extract, const QRectF& region, const QString& attribution,
                             const QString& path, QString* error);

} // namespace OsmWalks
