#include "catalog/OpeningHours.h"

#include "platform/Modules.h"

#include <QTimeZone>

namespace OpeningHours {

namespace {

using HoursAt = int (*)(const char* expression, const char* zone, const char* region, double latitude,
                        double longitude, long long utcMs, long long* changesUtcMs, char* error,
                        int errorSize);

HoursAt hoursAt() {
    static const auto function =
        reinterpret_cast<HoursAt>(Modules::resolve(QStringLiteral("cityguide-hours"), "cityguideHoursAt"));
    return function;
}

} // namespace

std::optional<State> at(const QString& expression, const QDateTime& when, const Place& place,
                        QString* error) {
    const HoursAt evaluate = hoursAt();
    if (!evaluate) {
        if (error)
            *error = QStringLiteral("the opening hours module is not installed");
        return std::nullopt;
    }
    long long changes = -1;
    char reason[128] = {};
    const int state = evaluate(expression.toUtf8().constData(), place.timeZone.toUtf8().constData(),
                               place.region.toUtf8().constData(), place.latitude, place.longitude,
                               when.toMSecsSinceEpoch(), &changes, reason, int(sizeof reason));
    if (state < 0) {
        if (error)
            *error = QString::fromUtf8(reason);
        return std::nullopt;
    }
    State result;
    result.kind = state == 1 ? State::Open : state == 2 ? State::Closed : State::Unknown;
    if (changes >= 0)
        result.changes = QDateTime::fromMSecsSinceEpoch(changes, QTimeZone(place.timeZone.toUtf8()));
    return result;
}

} // namespace OpeningHours
