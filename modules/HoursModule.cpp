// Opening hours in OpenStreetMap's syntax, read by KOpeningHours. Debian builds the library on Qt 5,
// so it lives in a module of its own with a plain interface: texts in UTF-8, times in milliseconds
// since the epoch (see catalog/OpeningHours.h for the guide's side).

#include <KOpeningHours/Interval>
#include <KOpeningHours/OpeningHours>
#include <QDateTime>
#include <QHash>
#include <QMetaEnum>
#include <QMutex>
#include <QTimeZone>

#include <cstring>

namespace {

void say(const char* text, char* error, int errorSize) {
    if (error && errorSize > 0) {
        std::strncpy(error, text, std::size_t(errorSize) - 1);
        error[errorSize - 1] = '\0';
    }
}

// The zone of an id, read from the time zone database once: reading it is far slower than an answer.
QTimeZone zoneOf(const QByteArray& id) {
    static QMutex mutex;
    static QHash<QByteArray, QTimeZone> zones;
    QMutexLocker lock(&mutex);
    auto known = zones.find(id);
    if (known == zones.end())
        known = zones.insert(id, QTimeZone(id));
    return *known;
}

// A wall-clock time of the library's (written as UTC) in the edition's zone.
qint64 inZone(const QDateTime& time, const QTimeZone& zone) {
    return QDateTime(time.date(), time.time(), zone).toMSecsSinceEpoch();
}

} // namespace

// The state of the expression at the time: 1 open, 2 closed, 3 unknown (the expression leaves it
// open), or -1 when the library cannot use the expression, with its reason in `error`. `changesUtcMs`
// gets when the state next changes, or -1 when it never does.
extern "C" __attribute__((visibility("default"))) int
cityguideHoursAt(const char* expression, const char* zoneId, const char* region, double latitude,
                 double longitude, long long utcMs, long long* changesUtcMs, char* error, int errorSize) {
    *changesUtcMs = -1;
    const QTimeZone zone = zoneOf(QByteArray(zoneId));
    KOpeningHours::OpeningHours hours;
    hours.setExpression(QByteArray(expression));
    if (region && *region)
        hours.setRegion(QString::fromUtf8(region));
    hours.setLatitude(float(latitude));
    hours.setLongitude(float(longitude));
    if (hours.error() != KOpeningHours::OpeningHours::NoError || !zone.isValid()) {
        const char* reason =
            !zone.isValid()
                ? "unknown time zone"
                : QMetaEnum::fromType<KOpeningHours::OpeningHours::Error>().valueToKey(hours.error());
        say(reason ? reason : "unreadable", error, errorSize);
        return -1;
    }
    // The library is given and gives back the edition's wall-clock times, each as if it were UTC: it
    // then never mixes them with the zone of the machine it runs on.
    const QDateTime local = QDateTime::fromMSecsSinceEpoch(utcMs, zone);
    const KOpeningHours::Interval interval = hours.interval(QDateTime(local.date(), local.time(), Qt::UTC));
    if (hours.error() != KOpeningHours::OpeningHours::NoError) {
        const char* reason =
            QMetaEnum::fromType<KOpeningHours::OpeningHours::Error>().valueToKey(hours.error());
        say(reason ? reason : "unreadable", error, errorSize);
        return -1;
    }
    // An interval of the same state may follow (a day's hours end at midnight and the next day's
    // begin there): the change is where the state really differs.
    KOpeningHours::Interval next = interval;
    for (int guard = 0; guard < 64 && !next.hasOpenEnd() && next.end().isValid(); ++guard) {
        const KOpeningHours::Interval after = hours.nextInterval(next);
        if (after.state() != interval.state() || !after.begin().isValid()) {
            *changesUtcMs = inZone(next.end(), zone);
            break;
        }
        next = after;
    }
    switch (interval.state()) {
    case KOpeningHours::Interval::Open:
        return 1;
    case KOpeningHours::Interval::Closed:
        return 2;
    default:
        return 3;
    }
}
