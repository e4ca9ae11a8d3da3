#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

// A venue's opening hours in OpenStreetMap's opening_hours syntax, read by KOpeningHours (in the
// module cityguide-hours) for the edition's place: its time zone, its country's public holidays and
// its position (for sunrise and sunset).
namespace OpeningHours {

struct Place {
    QString timeZone; // IANA, as "Europe/Vienna"
    QString region;   // the country, as "AT", for "PH" (public holidays)
    double latitude = 0, longitude = 0;
};

struct State {
    enum Kind { Open, Closed, Unknown };
    Kind kind = Unknown;
    // When the state next changes, in the edition's time zone; none when it never does.
    std::optional<QDateTime> changes;
};

// The place of an edition that names its time zone (an IANA id): the zone's country gives the public
// holidays. An empty or unknown zone is read as the device's own.
Place placeOfZone(const QString& zoneId);

// What a reader is told of the state at `now`: "Open now · until 18:00", "Closes in 20 min", "Open 24
// hours", "Closed · opens Mon 09:00", "Closed · opens in 20 min" or "Closed"; empty when the hours
// leave it unknown. Times are the edition's, the weekday named when the change is not within a day.
QString stateText(const State& state, const QDateTime& now);

// The state of the expression at the time; none, with the library's reason in *error (or that the
// module is missing), when it cannot be read.
std::optional<State> at(const QString& expression, const QDateTime& when, const Place& place,
                        QString* error = nullptr);

} // namespace OpeningHours
