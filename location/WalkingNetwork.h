#pragma once

#include <QList>
#include <QPointF>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

struct sqlite3;

// The streets and paths of an edition that a pedestrian may use (its file Walks.sqlite, written by the
// edition tool from OpenStreetMap), and the walks along them. One-way rules do not apply on foot.
class WalkingNetwork {
public:
    // The file of an edition's street network.
    static constexpr const char* fileName = "Walks.sqlite";
    // A pedestrian's pace: 4.8 km/h.
    static constexpr double metresPerMinute = 80;

    struct Route {
        double metres = 0;
        double minutes = 0;
        QList<QPointF> points; // x = longitude, y = latitude; from the start to the end as given
        QStringList streets;   // the named streets and paths along the way, in order, each once in a row
    };

    // The network of the file, read whole; nothing, with the reason, when it cannot be used.
    static std::unique_ptr<WalkingNetwork> open(const QString& path, QString* error);
    ~WalkingNetwork();

    int nodeCount() const;
    int edgeCount() const;
    QString attribution() const { return credit; }

    // The nearest walkable point to a position (found through the file's R*Tree), as its node, or
    // none within `withinMetres`.
    std::optional<int> nearestNode(double latitude, double longitude, double withinMetres = 2000) const;
    QPointF nodePosition(int node) const;

    // The shortest walk from one position to another: from the nearest walkable point to the start
    // to the nearest one to the end, with the steps off the network at both ends. None, with the
    // reason, when no walk joins them (an island of paths) or a position is off the network.
    std::optional<Route> route(double fromLatitude, double fromLongitude, double toLatitude, double toLongitude,
                               QString* why) const;

private:
    WalkingNetwork();
    struct Graph;
    std::unique_ptr<Graph> graph;
    sqlite3* db = nullptr;
    QString credit;
};
