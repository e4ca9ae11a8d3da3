#pragma once

#include <QList>
#include <QMap>
#include <QPolygonF>
#include <QRectF>
#include <QString>

#include <optional>

// What the edition tool takes from an OpenStreetMap extract (.osm.pbf or .osm): the tagged objects of
// one region with their positions and shapes, in plain Qt types. Only the reader knows the file formats.
namespace Osm {

struct Object {
    // A node, a way (its line, closed or not) or an area made of a multipolygon relation (its rings,
    // outer and inner alike: drawn with the odd-even rule, they leave the holes open).
    enum class Kind { Node, Way, Area };
    Kind kind = Kind::Node;
    qint64 id = 0;
    QMap<QString, QString> tags;
    // Positions as x = longitude, y = latitude. A node's centre is its position, a way's and an area's
    // the mean of their points.
    QPointF centre;
    QList<QPolygonF> rings;
    // The smallest longitude/latitude rectangle holding every point.
    QRectF bounds;

    QString tag(const char* key) const { return tags.value(QString::fromLatin1(key)); }
};

struct Extract {
    QList<Object> objects;
    // How many objects of the file the region left out.
    qsizetype outside = 0;
    // What the file covers (longitudes x, latitudes y): as its header says, or else where its nodes lie.
    QRectF covers;
};

// Reads the tagged nodes, the tagged ways and the multipolygon areas of the file that reach into the
// longitude/latitude rectangle `region`. Ways and areas carry their points; a way whose nodes the file
// lacks keeps those it has. Nothing with a one-line *error when the file cannot be read.
std::optional<Extract> readExtract(const QString& path, const QRectF& region, QString* error);

// Whether two rectangles share a point; unlike QRectF::intersects, also for a point or a straight line.
bool overlaps(const QRectF& a, const QRectF& b);

// The rectangle of longitudes and latitudes around a point that holds a circle of the given radius.
QRectF regionAround(double latitude, double longitude, double radiusKm);

} // namespace Osm
