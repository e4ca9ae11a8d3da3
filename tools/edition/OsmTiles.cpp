#include "tools/edition/OsmTiles.h"

#include "tools/edition/EditionTiles.h"
#include "tools/edition/EditionWriting.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLineF>
#include <QPainter>
#include <QPainterPath>
#include <QSet>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

enum class Layer { Landuse, Green, Park, Water, Waterway, Building, Road, Railway, Place };

struct Style {
    Layer layer = Layer::Landuse;
    bool area = false;
    QColor fill;
    QColor edge;
    double width17 = 0; // a line's width at zoom 17, in pixels
    int minZoom = 0;
    int rank = 0; // roads: minor before major
    bool dashed = false;
};

const QColor background(0xf2, 0xef, 0xe9);

struct RoadClass {
    const char* highway;
    QColor fill;
    double width17;
    int minZoom;
    int rank;
    bool dashed;
};

// From the smallest way to the largest road: drawn in this order, so that a larger road crosses a
// smaller one.
const RoadClass roadClasses[] = {
    {"steps", QColor(0xb0, 0x8e, 0x80), 2.0, 16, 0, true},
    {"path", QColor(0xb0, 0x8e, 0x80), 1.6, 15, 0, true},
    {"footway", QColor(0xb0, 0x8e, 0x80), 1.6, 15, 0, true},
    {"cycleway", QColor(0x8e, 0x9c, 0xc4), 1.6, 15, 0, true},
    {"bridleway", QColor(0x9a, 0xae, 0x8a), 1.6, 15, 0, true},
    {"track", QColor(0xa5, 0x8b, 0x64), 2.2, 14, 1, true},
    {"pedestrian", QColor(0xee, 0xec, 0xf2), 8, 14, 2, false},
    {"service", QColor(0xff, 0xff, 0xff), 6, 14, 3, false},
    {"living_street", QColor(0xff, 0xff, 0xff), 9, 14, 4, false},
    {"road", QColor(0xff, 0xff, 0xff), 9, 13, 4, false},
    {"unclassified", QColor(0xff, 0xff, 0xff), 10, 13, 5, false},
    {"residential", QColor(0xff, 0xff, 0xff), 10, 13, 5, false},
    {"tertiary_link", QColor(0xff, 0xff, 0xff), 9, 13, 6, false},
    {"tertiary", QColor(0xff, 0xff, 0xff), 12, 12, 6, false},
    {"secondary_link", QColor(0xf9, 0xf3, 0xc7), 10, 12, 7, false},
    {"secondary", QColor(0xf9, 0xf3, 0xc7), 13, 12, 7, false},
    {"primary_link", QColor(0xf8, 0xdf, 0xb4), 10, 12, 8, false},
    {"primary", QColor(0xf8, 0xdf, 0xb4), 14, 12, 8, false},
    {"trunk_link", QColor(0xf4, 0xc9, 0xb0), 10, 12, 9, false},
    {"trunk", QColor(0xf4, 0xc9, 0xb0), 15, 12, 9, false},
    {"motorway_link", QColor(0xec, 0xc3, 0xc4), 10, 12, 10, false},
    {"motorway", QColor(0xec, 0xc3, 0xc4), 16, 12, 10, false},
};

const RoadClass* roadClass(const QString& highway) {
    for (const RoadClass& road : roadClasses) {
        if (highway == QLatin1String(road.highway))
            return &road;
    }
    return nullptr;
}

struct AreaClass {
    const char* key;
    const char* value;
    Layer layer;
    QColor fill;
};

// Surfaces, in the order they are looked for: the first that a shape's tags name decides its colour.
const AreaClass areaClasses[] = {
    {"natural", "water", Layer::Water, QColor(0xb5, 0xd0, 0xde)},
    {"waterway", "riverbank", Layer::Water, QColor(0xb5, 0xd0, 0xde)},
    {"landuse", "reservoir", Layer::Water, QColor(0xb5, 0xd0, 0xde)},
    {"landuse", "basin", Layer::Water, QColor(0xb5, 0xd0, 0xde)},
    {"leisure", "swimming_pool", Layer::Water, QColor(0xb5, 0xd0, 0xde)},
    {"natural", "wood", Layer::Green, QColor(0xc7, 0xdc, 0xb5)},
    {"landuse", "forest", Layer::Green, QColor(0xc7, 0xdc, 0xb5)},
    {"natural", "scrub", Layer::Green, QColor(0xd5, 0xe3, 0xc4)},
    {"natural", "heath", Layer::Green, QColor(0xdd, 0xe5, 0xc8)},
    {"natural", "grassland", Layer::Green, QColor(0xdf, 0xec, 0xcb)},
    {"natural", "wetland", Layer::Green, QColor(0xd4, 0xe5, 0xd9)},
    {"natural", "bare_rock", Layer::Green, QColor(0xe2, 0xdc, 0xd4)},
    {"natural", "scree", Layer::Green, QColor(0xe6, 0xe0, 0xd6)},
    {"landuse", "grass", Layer::Green, QColor(0xdf, 0xec, 0xcb)},
    {"landuse", "meadow", Layer::Green, QColor(0xdf, 0xec, 0xcb)},
    {"landuse", "village_green", Layer::Green, QColor(0xd4, 0xef, 0xd0)},
    {"landuse", "recreation_ground", Layer::Park, QColor(0xd4, 0xef, 0xd0)},
    {"leisure", "park", Layer::Park, QColor(0xd4, 0xef, 0xd0)},
    {"leisure", "garden", Layer::Park, QColor(0xd4, 0xef, 0xd0)},
    {"leisure", "playground", Layer::Park, QColor(0xdc, 0xf2, 0xdc)},
    {"leisure", "pitch", Layer::Park, QColor(0xc8, 0xe6, 0xd4)},
    {"leisure", "sports_centre", Layer::Park, QColor(0xd6, 0xee, 0xe0)},
    {"leisure", "stadium", Layer::Park, QColor(0xd6, 0xee, 0xe0)},
    {"leisure", "golf_course", Layer::Park, QColor(0xd6, 0xee, 0xc8)},
    {"landuse", "cemetery", Layer::Park, QColor(0xcf, 0xe0, 0xcf)},
    {"landuse", "residential", Layer::Landuse, QColor(0xe6, 0xe2, 0xde)},
    {"landuse", "commercial", Layer::Landuse, QColor(0xf0, 0xe4, 0xe2)},
    {"landuse", "retail", Layer::Landuse, QColor(0xf0, 0xe2, 0xe2)},
    {"landuse", "industrial", Layer::Landuse, QColor(0xe8, 0xe1, 0xe8)},
    {"landuse", "railway", Layer::Landuse, QColor(0xe6, 0xe0, 0xe6)},
    {"landuse", "construction", Layer::Landuse, QColor(0xe4, 0xe0, 0xd2)},
    {"landuse", "farmland", Layer::Landuse, QColor(0xee, 0xf0, 0xd5)},
    {"landuse", "farmyard", Layer::Landuse, QColor(0xf0, 0xe6, 0xd6)},
    {"landuse", "orchard", Layer::Landuse, QColor(0xd8, 0xea, 0xc4)},
    {"landuse", "vineyard", Layer::Landuse, QColor(0xd8, 0xe8, 0xc0)},
    {"landuse", "allotments", Layer::Landuse, QColor(0xe2, 0xea, 0xcc)},
    {"landuse", "quarry", Layer::Landuse, QColor(0xdd, 0xd8, 0xd6)},
    {"amenity", "parking", Layer::Landuse, QColor(0xea, 0xe8, 0xe6)},
    {"amenity", "school", Layer::Landuse, QColor(0xf2, 0xec, 0xd8)},
    {"amenity", "hospital", Layer::Landuse, QColor(0xf2, 0xe4, 0xe4)},
};

const QColor buildingFill(0xdc, 0xd4, 0xcc);
const QColor buildingEdge(0xcb, 0xbf, 0xb5);
const QColor roadEdge(0xc6, 0xbe, 0xb4);
const QColor waterLine(0xa3, 0xc4, 0xd6);
const QColor railLine(0x9a, 0x9a, 0x9a);
const QColor labelColour(0x4a, 0x4a, 0x4a);

bool isRing(const QPolygonF& ring) {
    return ring.size() >= 4 && ring.isClosed();
}

std::optional<Style> styleOf(const Osm::Object& object) {
    const bool closed =
        object.kind == Osm::Object::Kind::Area || (!object.rings.isEmpty() && isRing(object.rings.first()));
    if (object.kind == Osm::Object::Kind::Node) {
        static const QStringList places = {QStringLiteral("city"), QStringLiteral("town"),
                                           QStringLiteral("village"), QStringLiteral("suburb")};
        if (places.contains(object.tag("place")) && !object.tag("name").isEmpty())
            return Style{Layer::Place, false, labelColour, {}, 0, 12, 0, false};
        return std::nullopt;
    }
    const QString highway = object.tag("highway");
    const bool areaTagged = object.tag("area") == u"yes";
    if (!highway.isEmpty() && !areaTagged) {
        if (const RoadClass* road = roadClass(highway))
            return Style{Layer::Road,   false,         road->fill, roadEdge,
                         road->width17, road->minZoom, road->rank, road->dashed};
        return std::nullopt;
    }
    const QString railway = object.tag("railway");
    if (!closed || railway == u"rail") {
        if (railway == u"rail" || railway == u"light_rail" || railway == u"narrow_gauge" ||
            railway == u"tram" || railway == u"funicular")
            return Style{Layer::Railway, false, railLine, {}, 3, 12, 0, false};
        const QString waterway = object.tag("waterway");
        if (waterway == u"river")
            return Style{Layer::Waterway, false, waterLine, {}, 8, 12, 0, false};
        if (waterway == u"canal")
            return Style{Layer::Waterway, false, waterLine, {}, 5, 13, 0, false};
        if (waterway == u"stream")
            return Style{Layer::Waterway, false, waterLine, {}, 2.5, 14, 0, false};
        if (waterway == u"drain" || waterway == u"ditch")
            return Style{Layer::Waterway, false, waterLine, {}, 1.5, 15, 0, false};
        return std::nullopt;
    }
    if (!highway.isEmpty())
        return Style{Layer::Landuse, true, QColor(0xec, 0xea, 0xf0), {}, 0, 14, 0, false};
    const QString building = object.tag("building");
    if (!building.isEmpty() && building != u"no")
        return Style{Layer::Building, true, buildingFill, buildingEdge, 0, 14, 0, false};
    for (const AreaClass& surface : areaClasses) {
        if (object.tag(surface.key) == QLatin1String(surface.value))
            return Style{surface.layer, true, surface.fill, {}, 0, 0, 0, false};
    }
    return std::nullopt;
}

// A line's width at a zoom level: it halves about every second level below 17.
double widthAt(double width17, int zoom) {
    return width17 * std::pow(2.0, (zoom - 17) * 0.6);
}

QPointF worldPoint(const QPointF& lonLat) {
    return QPointF(TileMath::tileX(lonLat.x(), 0) * TileMath::tileSize,
                   TileMath::tileY(lonLat.y(), 0) * TileMath::tileSize);
}

// The grid that finds the features near a tile: one cell per tile of zoom 14.
constexpr int gridZoom = 14;
constexpr double cellSize = double(TileMath::tileSize) / (1 << gridZoom);
constexpr qsizetype largeFeatureCells = 4096;

quint64 cellKey(qint64 x, qint64 y) {
    return (quint64(x) << 32) | quint64(quint32(y));
}

// The part of the line inside the rectangle, or an empty line (Liang and Barsky's clipping).
QLineF clipped(const QLineF& line, const QRectF& box) {
    double t0 = 0, t1 = 1;
    const double dx = line.dx(), dy = line.dy();
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {line.x1() - box.left(), box.right() - line.x1(), line.y1() - box.top(),
                         box.bottom() - line.y1()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return {};
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return {};
    }
    return QLineF(line.pointAt(t0), line.pointAt(t1));
}

// The longest stretch of the line that lies inside the box, in one piece.
QPolygonF stretchInside(const QPolygonF& line, const QRectF& box) {
    QPolygonF best, current;
    double bestLength = 0, currentLength = 0;
    const auto close = [&] {
        if (currentLength > bestLength)
            best = current, bestLength = currentLength;
        current.clear();
        currentLength = 0;
    };
    for (qsizetype i = 0; i + 1 < line.size(); ++i) {
        const QLineF part = clipped(QLineF(line[i], line[i + 1]), box);
        if (part.length() <= 0) {
            close();
            continue;
        }
        if (current.isEmpty() || current.last() != part.p1()) {
            close();
            current.append(part.p1());
        }
        current.append(part.p2());
        currentLength += part.length();
        if (part.p2() != line[i + 1])
            close();
    }
    close();
    return best;
}

struct Label {
    Label() { room.setFillRule(Qt::WindingFill); }
    QPainterPath text; // the letters' outlines, where they are drawn
    QPainterPath room; // the space they take, kept free of other names
};

std::optional<Label> straightLabel(const QString& name, const QFont& font, const QPointF& centre) {
    const QFontMetricsF metrics(font);
    const double width = metrics.horizontalAdvance(name);
    Label label;
    label.text.addText(centre + QPointF(-width / 2, (metrics.ascent() - metrics.descent()) / 2), font, name);
    label.room.addRect(QRectF(centre.x() - width / 2 - 3, centre.y() - metrics.height() / 2 - 1, width + 6,
                              metrics.height() + 2));
    return label;
}

// A street's name along the middle of its line, letter by letter, read from left to right; nothing
// where the line is too short or turns too sharply under the name.
std::optional<Label> labelAlong(const QString& name, const QFont& font, QPolygonF line) {
    if (line.size() < 2)
        return std::nullopt;
    if (line.last().x() < line.first().x())
        std::reverse(line.begin(), line.end());
    QPainterPath path(line.first());
    for (qsizetype i = 1; i < line.size(); ++i)
        path.lineTo(line[i]);
    const QFontMetricsF metrics(font);
    const double width = metrics.horizontalAdvance(name), length = path.length();
    if (length < width + 12)
        return std::nullopt;
    Label label;
    double at = (length - width) / 2;
    std::optional<double> lastAngle;
    const double baseline = (metrics.ascent() - metrics.descent()) / 2, height = metrics.height();
    for (const QChar letter : name) {
        const double advance = metrics.horizontalAdvance(letter);
        const double t = path.percentAtLength(at + advance / 2);
        const double angle = -path.angleAtPercent(t);
        if (lastAngle) {
            const double turn = std::remainder(angle - *lastAngle, 360.0);
            if (std::abs(turn) > 30)
                return std::nullopt;
        }
        lastAngle = angle;
        QTransform place;
        place.translate(path.pointAtPercent(t).x(), path.pointAtPercent(t).y());
        place.rotate(angle);
        QPainterPath glyph;
        glyph.addText(-advance / 2, baseline, font, QString(letter));
        label.text.addPath(place.map(glyph));
        label.room.addPolygon(
            place.map(QPolygonF(QRectF(-advance / 2 - 1, -height / 2 - 1, advance + 2, height + 2))));
        at += advance;
    }
    return label;
}

} // namespace

namespace OsmTiles {

struct StreetMap::Feature {
    Style style;
    QList<QPolygonF> rings; // world pixels at zoom 0
    QRectF box;
    QString name;
    double size = 0; // larger surfaces are drawn first, so that smaller ones lie on them
};

QColor roadColour(const QString& highway) {
    const RoadClass* road = roadClass(highway);
    return road ? road->fill : QColor();
}

QColor backgroundColour() {
    return background;
}

StreetMap::StreetMap(const Osm::Extract& extract) {
    for (const Osm::Object& object : extract.objects) {
        const std::optional<Style> style = styleOf(object);
        if (!style)
            continue;
        Feature feature{*style, {}, {}, object.tag("name"), 0};
        if (object.kind == Osm::Object::Kind::Node) {
            feature.rings = {QPolygonF({worldPoint(object.centre)})};
        } else {
            for (const QPolygonF& ring : object.rings) {
                QPolygonF world;
                world.reserve(ring.size());
                for (const QPointF& point : ring)
                    world.append(worldPoint(point));
                feature.rings.append(world);
            }
        }
        feature.box = feature.rings.first().boundingRect();
        for (const QPolygonF& ring : std::as_const(feature.rings))
            feature.box |= ring.boundingRect();
        feature.size = feature.box.width() * feature.box.height();
        features.push_back(std::move(feature));
    }
    std::stable_sort(features.begin(), features.end(), [](const Feature& a, const Feature& b) {
        if (a.style.layer != b.style.layer)
            return a.style.layer < b.style.layer;
        if (a.style.rank != b.style.rank)
            return a.style.rank < b.style.rank;
        return a.size > b.size;
    });
    for (int i = 0; i < int(features.size()); ++i) {
        const QRectF& box = features[size_t(i)].box;
        const qint64 x1 = qint64(box.left() / cellSize), x2 = qint64(box.right() / cellSize);
        const qint64 y1 = qint64(box.top() / cellSize), y2 = qint64(box.bottom() / cellSize);
        // A surface over thousands of cells (a forest of a whole valley) is looked at for every tile.
        if ((x2 - x1 + 1) * (y2 - y1 + 1) > largeFeatureCells) {
            grid[~quint64(0)].push_back(i);
            continue;
        }
        for (qint64 x = x1; x <= x2; ++x)
            for (qint64 y = y1; y <= y2; ++y)
                grid[cellKey(x, y)].push_back(i);
    }
}

StreetMap::~StreetMap() = default;

qsizetype StreetMap::featureCount() const {
    return qsizetype(features.size());
}

std::vector<int> StreetMap::featuresNear(const QRectF& world) const {
    const qint64 last = (qint64(1) << gridZoom) - 1;
    const qint64 x1 = std::clamp(qint64(world.left() / cellSize), qint64(0), last);
    const qint64 x2 = std::clamp(qint64(world.right() / cellSize), qint64(0), last);
    const qint64 y1 = std::clamp(qint64(world.top() / cellSize), qint64(0), last);
    const qint64 y2 = std::clamp(qint64(world.bottom() / cellSize), qint64(0), last);
    std::vector<int> found;
    // A tile of a low zoom level covers more cells than there are features: look at each feature.
    if ((x2 - x1 + 1) * (y2 - y1 + 1) > largeFeatureCells) {
        found.resize(features.size());
        std::iota(found.begin(), found.end(), 0);
        std::erase_if(found, [&](int i) { return !Osm::overlaps(features[size_t(i)].box, world); });
        return found;
    }
    found = grid.value(~quint64(0));
    for (qint64 x = x1; x <= x2; ++x) {
        for (qint64 y = y1; y <= y2; ++y) {
            const auto cell = grid.constFind(cellKey(x, y));
            if (cell != grid.constEnd())
                found.insert(found.end(), cell->begin(), cell->end());
        }
    }
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
    std::erase_if(found, [&](int i) { return !Osm::overlaps(features[size_t(i)].box, world); });
    return found;
}

QImage StreetMap::render(const TileKey& key) const {
    const double scale = std::ldexp(1.0, key.z);
    const double size = TileMath::tileSize;
    const QTransform toTile(scale, 0, 0, scale, -key.x * size, -key.y * size);
    // Wide roads and labels reach into a tile from features just outside it.
    const double margin = 24 / scale;
    const QRectF world(key.x * size / scale - margin, key.y * size / scale - margin,
                       size / scale + 2 * margin, size / scale + 2 * margin);
    const std::vector<int> near = featuresNear(world);

    QImage image(TileMath::tileSize, TileMath::tileSize, QImage::Format_RGB32);
    image.fill(background);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const auto drawn = [&](const Feature& feature) { return key.z >= feature.style.minZoom; };
    const auto linePen = [&](const QColor& colour, double width, bool dashed) {
        QPen pen(colour, width, Qt::SolidLine, dashed ? Qt::FlatCap : Qt::RoundCap, Qt::RoundJoin);
        if (dashed)
            pen.setDashPattern({3, 2});
        return pen;
    };

    // A road's or a name's line in the tile's pixels, mapped once for the edges, the surface and the name.
    struct Drawn {
        const Feature* feature;
        QPolygonF line;
    };
    std::vector<Drawn> roads, labels;
    for (int i : near) {
        const Feature& feature = features[size_t(i)];
        if (!drawn(feature))
            continue;
        if (feature.style.layer == Layer::Road) {
            roads.push_back({&feature, toTile.map(feature.rings.first())});
            continue;
        }
        if (feature.style.layer == Layer::Place) {
            if (key.z <= 15)
                labels.push_back({&feature, toTile.map(feature.rings.first())});
            continue;
        }
        if (feature.style.area) {
            QPainterPath path;
            path.setFillRule(Qt::OddEvenFill);
            for (const QPolygonF& ring : feature.rings)
                path.addPolygon(toTile.map(ring));
            path.closeSubpath();
            painter.fillPath(path, feature.style.fill);
            if (feature.style.edge.isValid() && key.z >= 16)
                painter.strokePath(path, QPen(feature.style.edge, 0.8));
            continue;
        }
        const double width = std::max(0.8, widthAt(feature.style.width17, key.z));
        const QPolygonF line = toTile.map(feature.rings.first());
        painter.setPen(linePen(feature.style.fill, width, false));
        painter.drawPolyline(line);
        if (feature.style.layer == Layer::Railway && key.z >= 15) {
            QPen ties(Qt::white, width * 0.4, Qt::CustomDashLine, Qt::FlatCap);
            ties.setDashPattern({4, 4});
            painter.setPen(ties);
            painter.drawPolyline(line);
        }
    }

    // Roads: every edge first, then every surface, so that crossings join.
    for (bool edges : {true, false}) {
        for (const auto& [road, line] : roads) {
            const double width = std::max(0.8, widthAt(road->style.width17, key.z));
            if (edges && (road->style.dashed || width < 2.5))
                continue;
            const QColor colour = edges ? road->style.edge : road->style.fill;
            painter.setPen(linePen(colour, edges ? width + 2 : width, road->style.dashed));
            painter.drawPolyline(line);
        }
    }
    if (key.z >= 15) {
        for (const Drawn& road : roads) {
            if (!road.feature->name.isEmpty() && (!road.feature->style.dashed || key.z >= 17))
                labels.push_back(road);
        }
    }

    // Names last, each wholly inside the tile (a neighbour's half-name would be cut) and none on another.
    QFont font(QStringLiteral("Liberation Sans"));
    QPainterPath placed;
    placed.setFillRule(Qt::WindingFill);
    QSet<QString> named;
    const QRectF inside(2, 2, size - 4, size - 4);
    for (const auto& [feature, line] : labels) {
        if (named.contains(feature->name))
            continue;
        const bool place = feature->style.layer == Layer::Place;
        font.setPixelSize(place ? 13 : (key.z >= 16 ? 12 : 11));
        font.setBold(place);
        const std::optional<Label> label = place
                                               ? straightLabel(feature->name, font, line.first())
                                               : labelAlong(feature->name, font, stretchInside(line, inside));
        if (!label || !inside.contains(label->room.boundingRect()) || placed.intersects(label->room))
            continue;
        placed.addPath(label->room);
        named.insert(feature->name);
        painter.strokePath(label->text,
                           QPen(QColor(255, 255, 255, 220), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.fillPath(label->text, place ? QColor(0x33, 0x33, 0x33) : labelColour);
    }
    painter.end();
    return image;
}

QImage mapPicture(const StreetMap& map, double latitude, double longitude, int zoom, const QSize& size) {
    const double size256 = TileMath::tileSize;
    // The picture's upper left corner in pixels of the zoom level's world.
    const QPointF corner(TileMath::tileX(longitude, zoom) * size256 - size.width() / 2.0,
                         TileMath::tileY(latitude, zoom) * size256 - size.height() / 2.0);
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(background);
    QPainter painter(&picture);
    const int last = (1 << zoom) - 1;
    for (int x = int(std::floor(corner.x() / size256)); x * size256 < corner.x() + size.width(); ++x) {
        for (int y = int(std::floor(corner.y() / size256)); y * size256 < corner.y() + size.height(); ++y) {
            if (x >= 0 && y >= 0 && x <= last && y <= last)
                painter.drawImage(QPointF(x * size256 - corner.x(), y * size256 - corner.y()),
                                  map.render({zoom, x, y}));
        }
    }
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(12);
    const QString credit = Edition::Writing::openStreetMapCredit;
    const QFontMetricsF metrics(font);
    const QRectF box(size.width() - metrics.horizontalAdvance(credit) - 12,
                     size.height() - metrics.height() - 6, metrics.horizontalAdvance(credit) + 12,
                     metrics.height() + 6);
    painter.fillRect(box, QColor(255, 255, 255, 200));
    painter.setFont(font);
    painter.setPen(QColor(40, 40, 40));
    painter.drawText(box, Qt::AlignCenter, credit);
    painter.end();
    return picture;
}

} // namespace OsmTiles
