#pragma once

#include "platform/MapTiles.h"
#include "tools/edition/OsmExtract.h"

#include <QColor>
#include <QHash>
#include <QImage>
#include <QTextStream>

#include <vector>

// Street tiles drawn from an OpenStreetMap extract: water, green, land use, buildings, roads by class,
// railways and street names, in colours calm enough for the guide's pins to stand out on them.
namespace OsmTiles {

// The fill of a road of that highway class where it is drawn (its edges are darker).
QColor roadColour(const QString& highway);
QColor backgroundColour();

class StreetMap {
public:
    explicit StreetMap(const Osm::Extract& extract);
    ~StreetMap();

    // One 256-pixel tile. Safe to call from several threads at once.
    QImage render(const TileKey& key) const;
    qsizetype featureCount() const;

    struct Feature;

private:
    std::vector<int> featuresNear(const QRectF& world) const;

    std::vector<Feature> features; // in the order they are drawn
    QHash<quint64, std::vector<int>> grid;
};

// A picture of the street map around a point at one zoom level, for the offline maps page, with
// OpenStreetMap's credit in its lower right corner.
QImage mapPicture(const StreetMap& map, double latitude, double longitude, int zoom, const QSize& size);

} // namespace OsmTiles
