#pragma once

#include "catalog/OpeningHours.h"
#include "catalog/Venue.h"

#include <QHash>

// Whether venues are open now: their hours read at the device's clock in the edition's time zone.
namespace OpenNow {

// The edition's place for the hours (its InfoTimeZoneId). Read on the user-interface thread, where
// the settings live.
OpeningHours::Place editionPlace();

// The state of the venue's hours at the device's clock, or none when it has no hours the guide can
// read.
std::optional<OpeningHours::State> venueState(int venueID, double latitude, double longitude,
                                              const OpeningHours::Place& place);

enum class Mark { Unknown, Open, Closed };

// The marks of a list's venues, each read once a minute. Many venues share their hours ("Mo-Su
// 09:00-18:00"): one reading serves them all, unless the hours follow the sun, which depends on
// where the venue is.
class Marks {
public:
    explicit Marks(OpeningHours::Place place) : place(std::move(place)) {}

    Mark of(const Venue& venue);
    // Forgets the marks when the device's clock has reached another minute; true then.
    bool renew();

private:
    OpeningHours::Place place;
    QDateTime minute;
    QHash<int, Mark> byVenue;
    QHash<QString, Mark> byHours;
};

} // namespace OpenNow
