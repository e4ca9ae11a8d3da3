#include "location/WalkingNetwork.h"

#include <QFile>
#include <QGeoCoordinate>
#include <QHash>

#include <boost/graph/adjacency_list.hpp>
#include <boost/graph/astar_search.hpp>
#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

double metresBetween(const QPointF& a, const QPointF& b) {
    return QGeoCoordinate(a.y(), a.x()).distanceTo(QGeoCoordinate(b.y(), b.x()));
}

// An edge: its length and the index of its street's name (-1: none).
struct EdgeData {
    double metres = 0;
    int name = -1;
};

using BoostGraph = boost::adjacency_list<boost::vecS, boost::vecS, boost::undirectedS, boost::no_property,
                                         EdgeData>;

// The search ends where the walk does.
struct Arrived {};

class StopAtGoal : public boost::default_astar_visitor {
public:
    explicit StopAtGoal(std::size_t goal) : goal(goal) {}
    void examine_vertex(std::size_t vertex, const BoostGraph&) const {
        if (vertex == goal)
            throw Arrived();
    }

private:
    std::size_t goal;
};

// The straight line to the goal: never longer than a walk, so A* finds the shortest one.
class Straight : public boost::astar_heuristic<BoostGraph, double> {
public:
    Straight(const std::vector<QPointF>& positions, std::size_t goal) : positions(positions), goal(goal) {}
    double operator()(std::size_t vertex) const { return metresBetween(positions[vertex], positions[goal]); }

private:
    const std::vector<QPointF>& positions;
    std::size_t goal;
};

// A statement that is finalized with its scope.
struct Query {
    Query(sqlite3* db, const char* sql) { sqlite3_prepare_v2(db, sql, -1, &statement, nullptr); }
    ~Query() { sqlite3_finalize(statement); }
    bool step() { return statement && sqlite3_step(statement) == SQLITE_ROW; }
    sqlite3_stmt* statement = nullptr;
};

} // namespace

struct WalkingNetwork::Graph {
    BoostGraph graph;
    std::vector<QPointF> positions; // by node, x = longitude
    QStringList names;
};

WalkingNetwork::WalkingNetwork() : graph(std::make_unique<Graph>()) {}

WalkingNetwork::~WalkingNetwork() {
    sqlite3_close(db);
}

std::unique_ptr<WalkingNetwork> WalkingNetwork::open(const QString& path, QString* error) {
    std::unique_ptr<WalkingNetwork> network(new WalkingNetwork);
    if (!QFile::exists(path) ||
        sqlite3_open_v2(QFile::encodeName(path).constData(), &network->db, SQLITE_OPEN_READONLY, nullptr) !=
            SQLITE_OK) {
        *error = QStringLiteral("%1: cannot be opened").arg(path);
        return nullptr;
    }
    Graph& g = *network->graph;
    // Node ids run from 1 without gaps (the edition tool writes them so, and check holds it).
    Query count(network->db, "select count(*), min(id), max(id) from nodes");
    if (!count.step() || sqlite3_column_int(count.statement, 1) != 1 ||
        sqlite3_column_int(count.statement, 2) != sqlite3_column_int(count.statement, 0)) {
        *error = QStringLiteral("%1: no street network (its nodes are missing or not numbered from 1)").arg(path);
        return nullptr;
    }
    const int nodes = sqlite3_column_int(count.statement, 0);
    g.positions.resize(std::size_t(nodes));
    g.graph = BoostGraph(std::size_t(nodes));
    Query nodeRows(network->db, "select id, lat, lon from nodes");
    while (nodeRows.step()) {
        const int id = sqlite3_column_int(nodeRows.statement, 0);
        g.positions[std::size_t(id - 1)] =
            QPointF(sqlite3_column_double(nodeRows.statement, 2), sqlite3_column_double(nodeRows.statement, 1));
    }
    QHash<int, int> nameIndex;
    Query names(network->db, "select id, name from names");
    while (names.step()) {
        nameIndex.insert(sqlite3_column_int(names.statement, 0), int(g.names.size()));
        g.names.append(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(names.statement, 1))));
    }
    Query edges(network->db, "select a, b, metres, name from edges");
    while (edges.step()) {
        const int a = sqlite3_column_int(edges.statement, 0), b = sqlite3_column_int(edges.statement, 1);
        if (a < 1 || b < 1 || a > nodes || b > nodes) {
            *error = QStringLiteral("%1: an edge joins nodes the network does not have").arg(path);
            return nullptr;
        }
        const int name = sqlite3_column_type(edges.statement, 3) == SQLITE_NULL
                             ? -1
                             : nameIndex.value(sqlite3_column_int(edges.statement, 3), -1);
        boost::add_edge(std::size_t(a - 1), std::size_t(b - 1), EdgeData{sqlite3_column_double(edges.statement, 2), name},
                        g.graph);
    }
    Query credit(network->db, "select value from metadata where name = 'attribution'");
    if (credit.step())
        network->credit = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(credit.statement, 0)));
    return network;
}

int WalkingNetwork::nodeCount() const {
    return int(boost::num_vertices(graph->graph));
}

int WalkingNetwork::edgeCount() const {
    return int(boost::num_edges(graph->graph));
}

QPointF WalkingNetwork::nodePosition(int node) const {
    return graph->positions.at(std::size_t(node));
}

std::optional<int> WalkingNetwork::nearestNode(double latitude, double longitude, double withinMetres) const {
    // Boxes that grow until they hold a node; the nearest of those may still lie outside the circle
    // the box holds, so one box further is read before the answer is certain.
    Query box(db, "select id, min_lat, min_lon from nodes_position where max_lat >= ?1 and min_lat <= ?2 "
                  "and max_lon >= ?3 and min_lon <= ?4");
    const double metresPerDegree = 111320.0;
    const double lonScale = std::max(0.01, std::cos(latitude * M_PI / 180.0));
    std::optional<int> best;
    double bestMetres = withinMetres;
    for (double reach = 50; reach <= 2 * withinMetres; reach *= 2) {
        const double dLat = reach / metresPerDegree, dLon = reach / (metresPerDegree * lonScale);
        sqlite3_reset(box.statement);
        sqlite3_bind_double(box.statement, 1, latitude - dLat);
        sqlite3_bind_double(box.statement, 2, latitude + dLat);
        sqlite3_bind_double(box.statement, 3, longitude - dLon);
        sqlite3_bind_double(box.statement, 4, longitude + dLon);
        while (box.step()) {
            const QPointF at(sqlite3_column_double(box.statement, 2), sqlite3_column_double(box.statement, 1));
            const double metres = metresBetween(QPointF(longitude, latitude), at);
            if (metres <= bestMetres) {
                bestMetres = metres;
                best = sqlite3_column_int(box.statement, 0) - 1;
            }
        }
        if (best && bestMetres <= reach)
            break; // every node nearer than this one lies within the box read
    }
    return best;
}

std::optional<WalkingNetwork::Route> WalkingNetwork::route(double fromLatitude, double fromLongitude,
                                                           double toLatitude, double toLongitude,
                                                           QString* why) const {
    const std::optional<int> start = nearestNode(fromLatitude, fromLongitude);
    const std::optional<int> goal = nearestNode(toLatitude, toLongitude);
    if (!start || !goal) {
        *why = QStringLiteral("%1 lies more than 2 km from any street or path of the edition")
                   .arg(!start ? QStringLiteral("The start") : QStringLiteral("The end"));
        return std::nullopt;
    }
    const BoostGraph& g = graph->graph;
    const std::size_t n = boost::num_vertices(g);
    std::vector<std::size_t> previous(n);
    std::vector<double> distance(n, std::numeric_limits<double>::infinity());
    bool arrived = start == goal;
    if (!arrived) {
        try {
            boost::astar_search(g, std::size_t(*start), Straight(graph->positions, std::size_t(*goal)),
                                boost::predecessor_map(previous.data())
                                    .distance_map(distance.data())
                                    .weight_map(boost::get(&EdgeData::metres, g))
                                    .visitor(StopAtGoal(std::size_t(*goal))));
        } catch (const Arrived&) {
            arrived = true;
        }
    }
    if (!arrived) {
        *why = QStringLiteral("No street or path of the edition joins the two places");
        return std::nullopt;
    }
    // The walk backwards from the goal, then turned round.
    std::vector<std::size_t> nodes{std::size_t(*goal)};
    while (nodes.back() != std::size_t(*start))
        nodes.push_back(previous[nodes.back()]);
    std::reverse(nodes.begin(), nodes.end());
    Route route;
    route.points.append(QPointF(fromLongitude, fromLatitude));
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        route.points.append(graph->positions[nodes[i]]);
        if (i == 0)
            continue;
        // Of parallel edges between two nodes, the walk took the shortest.
        double shortest = std::numeric_limits<double>::infinity();
        int name = -1;
        for (auto [e, end] = boost::out_edges(nodes[i - 1], g); e != end; ++e) {
            if (boost::target(*e, g) == nodes[i] && g[*e].metres < shortest) {
                shortest = g[*e].metres;
                name = g[*e].name;
            }
        }
        route.metres += shortest;
        if (name >= 0 && (route.streets.isEmpty() || route.streets.last() != graph->names[name]))
            route.streets.append(graph->names[name]);
    }
    route.points.append(QPointF(toLongitude, toLatitude));
    route.metres += metresBetween(route.points[0], route.points[1]) +
                    metresBetween(route.points[route.points.size() - 2], route.points.last());
    route.minutes = route.metres / metresPerMinute;
    return route;
}
