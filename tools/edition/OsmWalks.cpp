#include "tools/edition/OsmWalks.h"

#include <QFile>
#include <QGeoCoordinate>
#include <QHash>
#include <QSet>

#include <sqlite3.h>

namespace OsmWalks {

namespace {

// The kinds of ways a pedestrian walks on, as OpenStreetMap's highway key names them.
const QSet<QString>& walkedKinds() {
    static const QSet<QString> kinds = {
        QStringLiteral("footway"),     QStringLiteral("path"),          QStringLiteral("steps"),
        QStringLiteral("pedestrian"),  QStringLiteral("living_street"), QStringLiteral("residential"),
        QStringLiteral("service"),     QStringLiteral("unclassified"),  QStringLiteral("tertiary"),
        QStringLiteral("tertiary_link"), QStringLiteral("secondary"),   QStringLiteral("secondary_link"),
        QStringLiteral("primary"),     QStringLiteral("primary_link"),  QStringLiteral("trunk"),
        QStringLiteral("trunk_link"),  QStringLiteral("track"),         QStringLiteral("cycleway"),
        QStringLiteral("bridleway"),   QStringLiteral("road"),          QStringLiteral("corridor"),
        QStringLiteral("crossing"),
    };
    return kinds;
}

// A position as the extract gives it, exact to its 1e-7 degrees: the nodes ways share.
qint64 positionKey(const QPointF& point) {
    return (qint64(std::llround(point.y() * 1e7)) << 32) ^ (qint64(std::llround(point.x() * 1e7)) & 0xffffffff);
}

bool run(sqlite3* db, const char* sql, QString* error) {
    char* message = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &message) == SQLITE_OK)
        return true;
    *error = QString::fromUtf8(message);
    sqlite3_free(message);
    return false;
}

const char* const schema =
    "create table nodes (id integer primary key, lat real not null, lon real not null);"
    "create virtual table nodes_position using rtree(id, min_lat, max_lat, min_lon, max_lon);"
    "create table names (id integer primary key, name text not null);"
    "create table edges (a integer not null, b integer not null, metres real not null, name integer);"
    "create table metadata (name text primary key, value text);";

} // namespace

bool walkable(const Osm::Object& way) {
    if (way.kind != Osm::Object::Kind::Way || !walkedKinds().contains(way.tag("highway")))
        return false;
    const QString foot = way.tag("foot");
    if (foot == u"no" || foot == u"private" || foot == u"use_sidepath")
        return false;
    const bool footAllowed = foot == u"yes" || foot == u"designated" || foot == u"permissive";
    const QString access = way.tag("access");
    if ((access == u"private" || access == u"no") && !footAllowed)
        return false;
    // A trunk road built as a motorway road admits no pedestrians.
    return way.tag("motorroad") != u"yes" || footAllowed;
}

std::optional<Written> write(const Osm::Extract& extract, const QRectF& region, const QString& attribution,
                             const QString& path, QString* error) {
    QFile::remove(path);
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                        nullptr) != SQLITE_OK) {
        *error = QStringLiteral("%1: cannot be written").arg(path);
        sqlite3_close(db);
        return std::nullopt;
    }
    auto fail = [&](const QString& why) {
        *error = QStringLiteral("%1: %2").arg(path, why);
        sqlite3_close(db);
        QFile::remove(path);
        return std::nullopt;
    };
    QString problem;
    if (!run(db, "pragma journal_mode = off; begin;", &problem) || !run(db, schema, &problem))
        return fail(problem);
    sqlite3_stmt *node = nullptr, *box = nullptr, *edge = nullptr, *name = nullptr;
    sqlite3_prepare_v2(db, "insert into nodes values (?1, ?2, ?3)", -1, &node, nullptr);
    sqlite3_prepare_v2(db, "insert into nodes_position values (?1, ?2, ?2, ?3, ?3)", -1, &box, nullptr);
    sqlite3_prepare_v2(db, "insert into edges values (?1, ?2, ?3, ?4)", -1, &edge, nullptr);
    sqlite3_prepare_v2(db, "insert into names values (?1, ?2)", -1, &name, nullptr);
    QHash<qint64, int> nodeIds;
    QHash<QString, int> nameIds;
    Written written;
    auto nodeOf = [&](const QPointF& point) {
        const qint64 key = positionKey(point);
        if (const auto known = nodeIds.constFind(key); known != nodeIds.constEnd())
            return *known;
        const int id = int(nodeIds.size()) + 1;
        nodeIds.insert(key, id);
        for (sqlite3_stmt* statement : {node, box}) {
            sqlite3_reset(statement);
            sqlite3_bind_int(statement, 1, id);
            sqlite3_bind_double(statement, 2, point.y());
            sqlite3_bind_double(statement, 3, point.x());
            sqlite3_step(statement);
        }
        return id;
    };
    for (const Osm::Object& way : extract.objects) {
        if (!walkable(way) || way.rings.isEmpty() || !Osm::overlaps(way.bounds, region))
            continue;
        ++written.ways;
        const QString street = way.tag("name").isEmpty() ? way.tag("ref") : way.tag("name");
        int nameId = 0;
        if (!street.isEmpty()) {
            nameId = nameIds.value(street);
            if (nameId == 0) {
                nameId = int(nameIds.size()) + 1;
                nameIds.insert(street, nameId);
                sqlite3_reset(name);
                sqlite3_bind_int(name, 1, nameId);
                const QByteArray text = street.toUtf8();
                sqlite3_bind_text(name, 2, text.constData(), int(text.size()), SQLITE_TRANSIENT);
                sqlite3_step(name);
            }
        }
        const QPolygonF& line = way.rings.first();
        for (qsizetype i = 1; i < line.size(); ++i) {
            const int a = nodeOf(line[i - 1]), b = nodeOf(line[i]);
            if (a == b)
                continue;
            sqlite3_reset(edge);
            sqlite3_bind_int(edge, 1, a);
            sqlite3_bind_int(edge, 2, b);
            sqlite3_bind_double(edge, 3,
                                QGeoCoordinate(line[i - 1].y(), line[i - 1].x())
                                    .distanceTo(QGeoCoordinate(line[i].y(), line[i].x())));
            if (nameId > 0)
                sqlite3_bind_int(edge, 4, nameId);
            else
                sqlite3_bind_null(edge, 4);
            sqlite3_step(edge);
            ++written.edges;
        }
    }
    for (sqlite3_stmt* statement : {node, box, edge, name})
        sqlite3_finalize(statement);
    written.nodes = int(nodeIds.size());
    sqlite3_stmt* meta = nullptr;
    sqlite3_prepare_v2(db, "insert into metadata values ('attribution', ?1)", -1, &meta, nullptr);
    const QByteArray credit = attribution.toUtf8();
    sqlite3_bind_text(meta, 1, credit.constData(), int(credit.size()), SQLITE_TRANSIENT);
    sqlite3_step(meta);
    sqlite3_finalize(meta);
    if (!run(db, "commit; vacuum;", &problem))
        return fail(problem);
    sqlite3_close(db);
    return written;
}

} // namespace OsmWalks
