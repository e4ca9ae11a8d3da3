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

// The state of the expression at the time; none, with the library's reason in *error (or that the
// module is missing), when it cannot be read.
std::optional<State> at(const QString& expression, const QDateTime& when, const Place& place,
                        QString* error = nullptr);

} // namespace OpeningHours
