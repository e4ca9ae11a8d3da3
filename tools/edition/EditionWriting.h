#pragma once

#include "tools/edition/CountryFacts.h"
#include "tools/edition/EditionSources.h"

#include <QColor>
#include <QList>
#include <QString>
#include <QVariantMap>

#include <optional>

// The pieces that `new` and `import-osm` both write into a source folder.
namespace Edition::Writing {

// What a publisher has to write in.
inline const QString& fillIn = fillInMark;

// The credit that OpenStreetMap's licence asks for wherever its data is shown.
extern const QString openStreetMapCredit;

struct Place {
    double latitude = 0;
    double longitude = 0;
};

// "LAT,LON" on the earth, or nothing.
std::optional<Place> parsePlace(const QString& text);

// A one-line reason why the settings file cannot carry this city name, or an empty string.
QString cityNameProblem(const QString& city);

// Why --country REGION names no country.
QString countryProblem(const QString& region);

// A one-line reason why COMMAND will not write into the folder (it holds something), or an empty string.
QString notEmptyProblem(const QString& folder, const QString& command);

QString coordinate(double value);
// A field of the catalogue's CSV, quoted where it must be.
QString csvField(const QString& text);
// Catalogue texts keep apostrophes doubled.
QString stored(const QString& text);

// A chapter of the home screen: its title, its id in the catalogue, its icon and its colour.
struct Chapter {
    QString title, id, icon;
    QColor colour;
};

// manager.csv: the city's facts that the country tells (its calling code, internet code, time zone and
// currency), the others marked to fill in, its local name (the name given unless told), the chapters
// (and Search), the offline maps (none unless told) and the tool bars.
QString settingsFile(const QString& city, const QList<Chapter>& chapters, const QString& localName = {},
                     const QString& orderMaps = {}, const std::optional<CountryFacts>& country = {});

// chapter.plist: a neutral background and a colour per chapter, no placements, the default position.
QVariantMap chapterList(const Place& at, const QList<Chapter>& chapters);

// imprint.txt: the publisher's parts to fill in and the credit for the data used.
QString imprint(const QString& city, const QString& credit);

// Writes the file (and its folder); false with "path: why" in *error.
bool writeFile(const QString& path, const QByteArray& bytes, QString* error);

// The neutral pictures of every picture the guide always shows, at 1x and @2x, the start-up picture
// lettered with the city's name, and the flag of the country's currency (lettered with its code where
// no drawing of it is at hand).
bool writePictures(const QString& folder, const QString& city, const std::optional<CountryFacts>& country,
                   QString* error);

} // namespace Edition::Writing
