#include "catalog/Venue.h"

#include "platform/UserDefaults.h"

#include <QGeoCoordinate>
#include <cmath>

Venue Venue::initWithVenue(const QString& name, const QString& description, const QString& address,
                           double lat, double lon, const QString& distance, const QString& price,
                           const QString& dateStart, const QString& dateStop, const QString& open, int32_t id,
                           bool featured) {
    Venue venue;
    venue.venueName = name;
    venue.venueDescription = description;
    venue.venueAddress = address;
    venue.gpsLat = lat;
    venue.gpsLong = lon;
    venue.venueDistance = distance;
    venue.venuePrice = price;
    venue.venueDateStart = dateStart;
    venue.venueDateStop = dateStop;
    venue.venueOpen = open;
    venue.venueID = id;
    venue.mobile_highlight = featured;
    return venue;
}

bool distanceIsImperial() {
    return UserDefaults::standardUserDefaults().integerForKey(QStringLiteral("distance")) != 0;
}

QString distanceText(double metres, bool imperial) {
    if (!imperial) {
        if (metres > 1000)
            return QString::asprintf("%.2fkm", metres / 1000);
        return QString::asprintf("%.fm", std::round(metres));
    }
    const double feet = metres / 0.3048;
    if (feet > 5280)
        return QString::asprintf("%.2fmile", feet / 5280);
    return QString::asprintf("%.fft", std::round(feet));
}

double distanceInMetres(double lat1, double lon1, double lat2, double lon2) {
    return QGeoCoordinate(lat1, lon1).distanceTo(QGeoCoordinate(lat2, lon2));
}

void fillDistance(Venue& venue, double readerLat, double readerLon, bool imperial) {
    if (!venue.hasPosition()) {
        venue.venueDistance.clear();
        venue.venueRealDistance = 0;
        return;
    }
    const double metres = distanceInMetres(readerLat, readerLon, venue.gpsLat, venue.gpsLong);
    venue.venueDistance = distanceText(metres, imperial);
    venue.venueRealDistance = imperial ? metres / 0.3048 : metres;
}

void fillDistances(VenueList& venues, double readerLat, double readerLon, bool imperial) {
    for (Venue& venue : venues)
        fillDistance(venue, readerLat, readerLon, imperial);
}
