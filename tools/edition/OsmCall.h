#pragma once

#include "tools/edition/EditionWriting.h"
#include "tools/edition/OsmExtract.h"

#include <QRectF>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>

// The command line of the two commands that read an OpenStreetMap extract, import-osm and tiles-osm.
namespace OsmTiles {

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

} // namespace OsmTiles
