#include "pages/WalkPlan.h"

#include "catalog/Venue.h"
#include "location/WalkingNetwork.h"
#include "platform/Paths.h"

#include <QFile>
#include <QGeoCoordinate>
#include <QMutex>

#include <cmath>

namespace WalkPlan {

namespace {

QMutex networkMutex;

// The open edition's network, read once for each edition (null without one).
const WalkingNetwork* network() {
    static QString readFor;
    static std::unique_ptr<WalkingNetwork> shared;
    QMutexLocker lock(&networkMutex);
    const QString path = Paths::resourcePath(QString::fromLatin1(WalkingNetwork::fileName));
    if (path != readFor) {
        readFor = path;
        QString error;
        shared = QFile::exists(path) ? WalkingNetwork::open(path, &error) : nullptr;
    }
    return shared.get();
}

Plan straightLine(double fromLatitude, double fromLongitude, double toLatitude, double toLongitude,
                  bool imperial, const QString& why) {
    Plan plan;
    plan.straight = true;
    plan.points = {QPointF(fromLongitude, fromLatitude), QPointF(toLongitude, toLatitude)};
    const QGeoCoordinate from(fromLatitude, fromLongitude), to(toLatitude, toLongitude);
    plan.metres = from.distanceTo(to);
    plan.text = QStringLiteral("%1 to the %2 as the crow flies: %3")
                    .arg(distanceText(plan.metres, imperial), compassPoint(from.azimuthTo(to)), why);
    return plan;
}

} // namespace

Plan plan(double fromLatitude, double fromLongitude, double toLatitude, double toLongitude, bool imperial) {
    const WalkingNetwork* streets = network();
    if (!streets)
        return straightLine(fromLatitude, fromLongitude, toLatitude, toLongitude, imperial,
                            QStringLiteral("this edition has no street map to walk along"));
    QString why;
    const auto route = streets->route(fromLatitude, fromLongitude, toLatitude, toLongitude, &why);
    if (!route)
        return straightLine(fromLatitude, fromLongitude, toLatitude, toLongitude, imperial, why.toLower());
    Plan plan;
    plan.points = route->points;
    plan.metres = route->metres;
    plan.text = QStringLiteral("%1 \u00b7 %2 min on foot")
                    .arg(distanceText(route->metres, imperial))
                    .arg(std::max(1.0, std::ceil(route->minutes)));
    return plan;
}

double strayMetres(const Plan& plan, double latitude, double longitude) {
    // Metres east and north of the position, near enough flat over a walk.
    const double metresPerDegree = 111320.0;
    const double east = metresPerDegree * std::cos(latitude * M_PI / 180.0);
    auto local = [&](const QPointF& point) {
        return QPointF((point.x() - longitude) * east, (point.y() - latitude) * metresPerDegree);
    };
    double nearest = std::numeric_limits<double>::infinity();
    for (qsizetype i = 1; i < plan.points.size(); ++i) {
        const QPointF a = local(plan.points[i - 1]), b = local(plan.points[i]);
        const QPointF ab = b - a;
        const double length = QPointF::dotProduct(ab, ab);
        const double t = length > 0 ? std::clamp(QPointF::dotProduct(-a, ab) / length, 0.0, 1.0) : 0.0;
        const QPointF closest = a + t * ab;
        nearest = std::min(nearest, std::hypot(closest.x(), closest.y()));
    }
    return nearest;
}

QString compassPoint(double bearing) {
    static const char* const points[] = {"north", "north-east", "east", "south-east",
                                         "south", "south-west", "west", "north-west"};
    const int index = int(std::lround(std::fmod(bearing + 360.0, 360.0) / 45.0)) % 8;
    return QString::fromLatin1(points[index]);
}

} // namespace WalkPlan
