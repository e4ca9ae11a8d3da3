#include "pages/OpenNow.h"

#include "catalog/SQLDAL.h"
#include "model/DAO.h"
#include "model/ManagerModel.h"
#include "platform/Device.h"

namespace OpenNow {

OpeningHours::Place editionPlace() {
    // The settings as the page that asks has read them; the file (a megabyte may hold stored feeds)
    // only when nothing has read it yet.
    const ManagerModel* settings = DAOFactory::getInstance()->dao()->manager();
    if (!settings)
        settings = readerSettings();
    return OpeningHours::placeOfZone(settings ? settings->infoTimeZoneId() : QString());
}

namespace {

std::optional<OpeningHours::State> stateAt(const QString& hours, const QDateTime& now, double latitude,
                                           double longitude, OpeningHours::Place place) {
    if (hours.isEmpty())
        return std::nullopt;
    place.latitude = latitude;
    place.longitude = longitude;
    return OpeningHours::at(hours, now, place);
}

QDateTime thisMinute() {
    const QDateTime now = Device::now();
    return now.addMSecs(-(now.toMSecsSinceEpoch() % 60000));
}

bool followsTheSun(const QString& hours) {
    for (const char* word : {"sunrise", "sunset", "dawn", "dusk"}) {
        if (hours.contains(QLatin1String(word)))
            return true;
    }
    return false;
}

} // namespace

std::optional<OpeningHours::State> venueState(int venueID, double latitude, double longitude,
                                              const OpeningHours::Place& place) {
    return stateAt(SQLDAL::openingHoursOf(venueID), Device::now(), latitude, longitude, place);
}

bool Marks::renew() {
    const QDateTime now = thisMinute();
    if (now == minute)
        return false;
    minute = now;
    byVenue.clear();
    byHours.clear();
    return true;
}

Mark Marks::of(const Venue& venue) {
    if (!minute.isValid())
        renew();
    if (const auto known = byVenue.constFind(venue.venueID); known != byVenue.constEnd())
        return *known;
    const QString hours = SQLDAL::openingHoursOf(venue.venueID);
    Mark mark = Mark::Unknown;
    const bool shared = !followsTheSun(hours);
    if (const auto known = byHours.constFind(hours); shared && known != byHours.constEnd()) {
        mark = *known;
    } else if (const auto state = stateAt(hours, minute, venue.gpsLat, venue.gpsLong, place)) {
        if (state->kind != OpeningHours::State::Unknown)
            mark = state->kind == OpeningHours::State::Open ? Mark::Open : Mark::Closed;
        if (shared)
            byHours.insert(hours, mark);
    }
    byVenue.insert(venue.venueID, mark);
    return mark;
}

} // namespace OpenNow
