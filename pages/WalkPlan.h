#pragma once

#include <QList>
#include <QPointF>
#include <QString>

// The way to a venue on foot: along the edition's streets and paths where it has a street network,
// else the straight line, with what the map says of it.
namespace WalkPlan {

struct Plan {
    QList<QPointF> points; // x = longitude, y = latitude, from the reader to the venue
    bool straight = false; // no walk along streets: the line as the crow flies
    double metres = 0;
    QString text; // "1.2 km · 15 min on foot", or the straight line's distance and direction and why
};

// The plan from the reader's position to the venue. Reads the edition's network the first time, so
// it runs on a worker. `imperial`: distances in feet and miles.
Plan plan(double fromLatitude, double fromLongitude, double toLatitude, double toLongitude, bool imperial);

// How far a position lies from the plan's line, in metres: the walk is planned anew beyond 30 m.
double strayMetres(const Plan& plan, double latitude, double longitude);
constexpr double strayLimitMetres = 30;

// "north", "north-east", … for a bearing in degrees clockwise from north.
QString compassPoint(double bearing);

} // namespace WalkPlan
