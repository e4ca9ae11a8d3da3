#pragma once

#include <QList>
#include <QString>
#include <cstdint>

// One catalogue entry as lists, bookmarks, search and the live map use it. The catalogue fills the
// texts; the screens fill venueDistance and venueRealDistance from the reader's position.
struct Venue {
    QString venueName;
    QString venueDescription;
    QString venueAddress;
    double gpsLat = 0;
    double gpsLong = 0;
    QString venueDistance;
    double venueRealDistance = 0;
    QString venuePrice;
    QString venueDateStart;
    QString venueDateStop;
    QString venueOpen;
    int32_t venueID = 0;
    bool mobile_highlight = false;

    static Venue initWithVenue(const QString& name, const QString& description, const QString& address,
                               double lat, double lon, const QString& distance, const QString& price,
                               const QString& dateStart, const QString& dateStop, const QString& open,
                               int32_t venueID, bool featured);

    bool hasPosition() const { return gpsLat != 0 && gpsLong != 0; }
};

using VenueList = QList<Venue>;

// The reader's chosen units: the "distance" preference read as an integer, 0 (or none) for metric.
bool distanceIsImperial();

// The distance text of d metres: "%.2fkm" above 1000 m, else "%.fm"; imperial "%.2fmile" above
// 5280 ft, else "%.fft". Whole metres and feet are rounded half away from zero.
QString distanceText(double metres, bool imperial);

// Fills venueDistance and venueRealDistance (metres or feet) from the reader's position; a venue
// without a position gets an empty text and 0.
void fillDistance(Venue& venue, double readerLat, double readerLon, bool imperial);
void fillDistances(VenueList& venues, double readerLat, double readerLon, bool imperial);

// Great-circle distance in metres.
double distanceInMetres(double lat1, double lon1, double lat2, double lon2);
