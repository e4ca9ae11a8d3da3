#pragma once

#include "tools/edition/EditionWriting.h"
#include "tools/edition/OsmExtract.h"
#include "tools/edition/OsmKinds.h"

#include <QList>
#include <QPointF>
#include <QString>

// The venues of an OpenStreetMap extract around a centre: each named object of a kind the guide has,
// its fields as the data holds them, a venue mapped twice kept once.
namespace OsmImport {

struct OsmVenue {
    QString name, kind, category, description, street, houseNumber, place, city, postcode, phone, phone2,
        website, email, hours, cuisine, stars;
    QString openingHours; // the hours as the guide reads them: the tag, when the library reads it
    int chapter = NoChapter;
    int unknownPhones = 0; // numbers that no telephone plan has, left out
    QPointF position;      // x longitude, y latitude
    qsizetype filled = 0;
};

struct Import {
    QList<OsmVenue> venues;
    // Left out without a name, merged with a record of the same venue, renamed by their street (one
    // name, several places), outside the radius; phone numbers left out.
    qsizetype nameless = 0, merged = 0, outside = 0, renamed = 0, unknownPhones = 0;
};

// One line of text, its blanks made single and control characters (a zero byte in a PBF string) gone.
QString line(const QString& text);

// The venues within RADIUSKM of the centre; REGION: the country whose telephone plan a number without
// its calling code belongs to.
Import venuesOf(const Osm::Extract& extract, const Edition::Writing::Place& centre, double radiusKm,
                const QString& region);

// The city's own name, from the place of that name in the data (its English name may be the one given).
QString localNameOf(const Osm::Extract& extract, const QString& city);

// The country that most addresses within the radius name (addr:country), or empty.
QString countryOf(const Osm::Extract& extract, const Edition::Writing::Place& centre, double radiusKm);

} // namespace OsmImport
