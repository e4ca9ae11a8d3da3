#include "catalog/OpeningHours.h"

#include "platform/Modules.h"

#include <QHash>
#include <QLocale>
#include <QMutex>
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

// The minutes until `to`, counted up: a change in 30 seconds is "in 1 min".
qint64 minutesUntil(const QDateTime& from, const QDateTime& to) {
    return (from.secsTo(to) + 59) / 60;
}

// "18:00", or "Mon 09:00" when the change is further off: a closing time within a day from now
// (a bar open "until 03:00"), an opening time on the same date. Always in English, as every text of
// the guide.
QString whenText(const QDateTime& when, const QDateTime& now, bool opening) {
    static const char* const days[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
    const QString time = when.time().toString(QStringLiteral("HH:mm"));
    const bool near = opening ? when.date() == now.date() : now.secsTo(when) < 24 * 3600;
    if (near)
        return time;
    return QString::fromLatin1(days[when.date().dayOfWeek() - 1]) + u' ' + time;
}

// The zone of an id, read from the time zone database once.
QTimeZone zoneOf(const QString& id) {
    static QMutex mutex;
    static QHash<QString, QTimeZone> zones;
    QMutexLocker lock(&mutex);
    auto known = zones.find(id);
    if (known == zones.end())
        known = zones.insert(id, QTimeZone(id.toUtf8()));
    return *known;
}

} // namespace

Place placeOfZone(const QString& zoneId) {
    QTimeZone zone = zoneId.isEmpty() ? QTimeZone() : zoneOf(zoneId);
    if (!zone.isValid())
        zone = QTimeZone::systemTimeZone();
    Place place;
    place.timeZone = QString::fromUtf8(zone.id());
    if (zone.territory() != QLocale::AnyTerritory)
        place.region = QLocale::territoryToCode(zone.territory());
    return place;
}

QString stateText(const State& state, const QDateTime& now) {
    constexpr qint64 soon = 60; // minutes within which the change is counted down
    const std::optional<QDateTime>& changes = state.changes;
    const QDateTime here = changes ? now.toTimeZone(changes->timeZone()) : now;
    switch (state.kind) {
    case State::Open:
        if (!changes)
            return QStringLiteral("Open 24 hours");
        if (const qint64 minutes = minutesUntil(here, *changes); minutes <= soon)
            return QStringLiteral("Closes in %1 min").arg(minutes);
        return QStringLiteral("Open now \u00b7 until %1").arg(whenText(*changes, here, false));
    case State::Closed:
        if (!changes)
            return QStringLiteral("Closed");
        if (const qint64 minutes = minutesUntil(here, *changes); minutes <= soon)
            return QStringLiteral("Closed \u00b7 opens in %1 min").arg(minutes);
        return QStringLiteral("Closed \u00b7 opens %1").arg(whenText(*changes, here, true));
    case State::Unknown:
        break;
    }
    return QString();
}

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
        result.changes = QDateTime::fromMSecsSinceEpoch(changes, zoneOf(place.timeZone));
    return result;
}

} // namespace OpeningHours
