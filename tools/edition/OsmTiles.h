#pragma once

#include "platform/MapTiles.h"
#include "tools/edition/EditionWriting.h"
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

// A call of import-osm or tiles-osm: EXTRACT TARGET --center LAT,LON --radius KM --zoom Z1-Z2 (and
// import-osm's --city NAME).
struct Call {
    QString extract, target, city;
    // --country CC (import-osm): the country whose facts the edition gets, when the data does not tell.
    QString country;
    std::optional<Edition::Writing::Place> centre;
    double radius = 0;
    std::optional<std::pair<int, int>> zooms;
    // --many-tiles: draw however many tiles the region and zoom levels take.
    bool manyTiles = false;

    // Reads the arguments over the defaults already set; empty when the call is whole, otherwise what is
    // wrong with it in one line.
    QString parse(const QStringList& args, bool withCity);
    // Empty, or why the street tiles of the call are not drawn: more than `tileLimit` of them (and no
    // --many-tiles), with their count, an estimate of the time and how to go on.
    QString tooManyTiles() const;
    static constexpr qsizetype tileLimit = 50000;
    // The square around the circle, grown by the factor.
    QRectF region(double grow = 1) const;
    // The extract's objects that reach into the region (grown a little, for the lines that leave it).
    std::optional<Osm::Extract> read(QString* error) const;
};

// Renders the tiles of the zoom levels over the region (x longitudes, y latitudes) into the MBTiles file
// OUT, crediting OpenStreetMap. False with a one-line *error.
bool writeTiles(const StreetMap& map, const QRectF& region, std::pair<int, int> zooms, const QString& outPath,
                QTextStream& out, QString* error);

// `tiles-osm EXTRACT --center LAT,LON --radius KM --zoom Z1-Z2 OUT.mbtiles`: 0 when written, 1 when the
// extract or the file cannot be used, 2 for a wrong call.
int command(const QStringList& args, QTextStream& out, QString* error);

} // namespace OsmTiles
