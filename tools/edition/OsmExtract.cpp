#include "tools/edition/OsmExtract.h"

#include <QFile>

#include <osmium/area/assembler.hpp>
#include <osmium/area/multipolygon_manager.hpp>
#include <osmium/handler.hpp>
#include <osmium/handler/node_locations_for_ways.hpp>
#include <osmium/index/map/flex_mem.hpp>
#include <osmium/io/pbf_input.hpp>
#include <osmium/io/xml_input.hpp>
#include <osmium/relations/manager_util.hpp>
#include <osmium/visitor.hpp>

#include <cmath>
#include <exception>

namespace {

using LocationIndex = osmium::index::map::FlexMem<osmium::unsigned_object_id_type, osmium::Location>;
using LocationHandler = osmium::handler::NodeLocationsForWays<LocationIndex>;

QMap<QString, QString> tagsOf(const osmium::TagList& list) {
    QMap<QString, QString> tags;
    for (const osmium::Tag& tag : list)
        tags.insert(QString::fromUtf8(tag.key()), QString::fromUtf8(tag.value()));
    return tags;
}

QPointF pointOf(const osmium::Location& location) {
    return QPointF(location.lon(), location.lat());
}

// The mean of a shape's points; a closed ring's last point repeats its first and counts once.
QPointF meanOf(const QList<QPolygonF>& rings) {
    QPointF sum;
    qsizetype count = 0;
    for (const QPolygonF& ring : rings) {
        const qsizetype n = ring.size() > 1 && ring.isClosed() ? ring.size() - 1 : ring.size();
        for (qsizetype i = 0; i < n; ++i)
            sum += ring[i];
        count += n;
    }
    return count ? sum / double(count) : QPointF();
}

class Collector : public osmium::handler::Handler {
public:
    Collector(const QRectF& region, Osm::Extract& extract) : region(region), extract(extract) {}

    void node(const osmium::Node& node) {
        if (!node.location().valid())
            return;
        const QPointF point = pointOf(node.location());
        nodesWest = std::min(nodesWest, point.x()), nodesEast = std::max(nodesEast, point.x());
        nodesSouth = std::min(nodesSouth, point.y()), nodesNorth = std::max(nodesNorth, point.y());
        if (node.tags().empty())
            return;
        Osm::Object object;
        object.kind = Osm::Object::Kind::Node;
        object.id = node.id();
        object.centre = point;
        object.bounds = QRectF(point, QSizeF(0, 0));
        keep(std::move(object), node.tags());
    }

    void way(const osmium::Way& way) {
        if (way.tags().empty())
            return;
        QPolygonF line;
        for (const osmium::NodeRef& ref : way.nodes()) {
            if (ref.location().valid())
                line.append(pointOf(ref.location()));
        }
        if (line.isEmpty())
            return;
        Osm::Object object;
        object.kind = Osm::Object::Kind::Way;
        object.id = way.id();
        object.rings = {line};
        keep(std::move(object), way.tags());
    }

    void area(const osmium::Area& area) {
        // Closed ways arrive as ways already; only the relations' areas are new.
        if (area.from_way())
            return;
        Osm::Object object;
        object.kind = Osm::Object::Kind::Area;
        object.id = area.orig_id();
        for (const osmium::OuterRing& outer : area.outer_rings()) {
            object.rings.append(ringOf(outer));
            for (const osmium::InnerRing& inner : area.inner_rings(outer))
                object.rings.append(ringOf(inner));
        }
        if (object.rings.isEmpty())
            return;
        keep(std::move(object), area.tags());
    }

private:
    static QPolygonF ringOf(const osmium::NodeRefList& nodes) {
        QPolygonF ring;
        for (const osmium::NodeRef& ref : nodes) {
            if (ref.location().valid())
                ring.append(pointOf(ref.location()));
        }
        return ring;
    }

    void keep(Osm::Object&& object, const osmium::TagList& tags) {
        if (!object.rings.isEmpty()) {
            QRectF bounds = object.rings.first().boundingRect();
            for (const QPolygonF& ring : object.rings)
                bounds |= ring.boundingRect();
            object.bounds = bounds;
            object.centre = meanOf(object.rings);
        }
        if (!Osm::overlaps(object.bounds, region)) {
            ++extract.outside;
            return;
        }
        object.tags = tagsOf(tags);
        extract.objects.append(std::move(object));
    }

public:
    // Where the file's nodes lie, for a file whose header does not say what it covers.
    QRectF nodesCover() const {
        return nodesWest <= nodesEast ? QRectF(QPointF(nodesWest, nodesSouth), QPointF(nodesEast, nodesNorth))
                                      : QRectF();
    }

private:
    QRectF region;
    Osm::Extract& extract;
    double nodesWest = 180, nodesEast = -180, nodesSouth = 90, nodesNorth = -90;
};

} // namespace

namespace Osm {

bool overlaps(const QRectF& a, const QRectF& b) {
    return a.left() <= b.right() && b.left() <= a.right() && a.top() <= b.bottom() && b.top() <= a.bottom();
}

QRectF regionAround(double latitude, double longitude, double radiusKm) {
    const double dLat = radiusKm / 111.32;
    const double dLon = dLat / std::max(0.01, std::cos(latitude * M_PI / 180));
    return QRectF(QPointF(longitude - dLon, latitude - dLat), QPointF(longitude + dLon, latitude + dLat));
}

std::optional<Extract> readExtract(const QString& path, const QRectF& region, QString* error) {
    if (!QFile::exists(path)) {
        *error = path + QStringLiteral(": no such file");
        return std::nullopt;
    }
    try {
        const osmium::io::File file(QFile::encodeName(path).toStdString());
        // Areas of relations need two readings: the relations first, then the ways they are made of.
        osmium::area::Assembler::config_type config;
        config.create_way_polygons = false;
        config.ignore_invalid_locations = true;
        osmium::area::MultipolygonManager<osmium::area::Assembler> areas(config);
        osmium::relations::read_relations(file, areas);

        Extract extract;
        Collector collector(region, extract);
        LocationIndex index;
        LocationHandler locations(index);
        // A clipped extract names nodes it does not hold; those points are left out.
        locations.ignore_errors();
        osmium::io::Reader reader(file, osmium::osm_entity_bits::node | osmium::osm_entity_bits::way,
                                  osmium::io::read_meta::no);
        const osmium::io::Header header = reader.header();
        for (const osmium::Box& box : header.boxes()) {
            if (box.valid())
                extract.covers |= QRectF(QPointF(box.bottom_left().lon(), box.bottom_left().lat()),
                                         QPointF(box.top_right().lon(), box.top_right().lat()));
        }
        osmium::apply(reader, locations, collector,
                      areas.handler([&collector](osmium::memory::Buffer&& buffer) {
                          osmium::apply(buffer, collector);
                      }));
        reader.close();
        if (extract.covers.isEmpty())
            extract.covers = collector.nodesCover();
        return extract;
    } catch (const std::exception& e) {
        *error = QStringLiteral("%1: not a readable OpenStreetMap extract (%2)")
                     .arg(path, QString::fromLocal8Bit(e.what()));
        return std::nullopt;
    }
}

} // namespace Osm
