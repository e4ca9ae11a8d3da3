// `import-osm`: a source folder of a real city from an OpenStreetMap extract.

#include "tools/edition/EditionOsm.h"

#include "ArtRenderer.h"
#include "catalog/Venue.h"
#include "location/WalkingNetwork.h"
#include "model/PropertyList.h"
#include "tools/edition/CountryFacts.h"
#include "tools/edition/Edition.h"
#include "tools/edition/EditionTiles.h"
#include "tools/edition/EditionWriting.h"
#include "tools/edition/OsmCall.h"
#include "tools/edition/OsmExtract.h"
#include "tools/edition/OsmKinds.h"
#include "tools/edition/OsmTiles.h"
#include "tools/edition/OsmTilesCommand.h"
#include "tools/edition/OsmVenues.h"
#include "tools/edition/OsmWalks.h"

#include <QDir>
#include <QElapsedTimer>
#include <QHash>
#include <QRegularExpression>

#include <algorithm>

namespace {

using namespace Edition::Writing;
using namespace OsmImport;

// Only what the data says: the kind, the street and the town, the mapper's description, the cuisine.
QString bodyOf(const OsmVenue& venue) {
    const QString street = venue.street.isEmpty() ? venue.place : venue.street;
    QString where = street;
    if (!venue.city.isEmpty())
        where = where.isEmpty() ? venue.city : where + QStringLiteral(", ") + venue.city;
    QStringList sentences;
    sentences.append(where.isEmpty() ? venue.kind : QStringLiteral("%1 in %2").arg(venue.kind, where));
    if (!venue.stars.isEmpty())
        sentences.append(QStringLiteral("%1 stars").arg(venue.stars));
    if (!venue.cuisine.isEmpty())
        sentences.append(QStringLiteral("Cuisine: %1").arg(venue.cuisine));
    if (!venue.description.isEmpty())
        sentences.append(venue.description);
    for (QString& sentence : sentences) {
        if (!sentence.endsWith(u'.') && !sentence.endsWith(u'!') && !sentence.endsWith(u'?'))
            sentence += u'.';
    }
    return sentences.join(u' ');
}

QString addressOf(const OsmVenue& venue) {
    const QString street = venue.street.isEmpty() ? venue.place : venue.street;
    if (street.isEmpty())
        return {};
    return venue.houseNumber.isEmpty() ? street : street + u' ' + venue.houseNumber;
}

// Texts that some screens show as stored get the typographic apostrophe; the others keep theirs doubled.
QString shownAsStored(const QString& text) {
    return QString(text).replace(u'\'', QChar(0x2019));
}

QString catalogFile(const QList<OsmVenue>& venues, const ChapterKind& chapter, const QString& city) {
    static const QStringList header = {
        QStringLiteral("name"),         QStringLiteral("category_name"), QStringLiteral("chapter_id"),
        QStringLiteral("chapter_name"), QStringLiteral("body"),          QStringLiteral("address"),
        QStringLiteral("postcode"),     QStringLiteral("phone"),         QStringLiteral("phone2"),
        QStringLiteral("website"),      QStringLiteral("email"),         QStringLiteral("gps_lat"),
        QStringLiteral("gps_lon"),      QStringLiteral("open_text"),     QStringLiteral("text_short"),
        QStringLiteral("text_long"),    QStringLiteral("title"),         QStringLiteral("opening_hours"),
    };
    QString text = header.join(u',') + u'\n';
    const QString many = QString::fromUtf8(chapter.many);
    for (qsizetype i = 0; i < venues.size(); ++i) {
        const OsmVenue& venue = venues[i];
        QStringList row = {
            stored(venue.name),
            shownAsStored(venue.category),
            chapter.chapter.id,
            shownAsStored(chapter.chapter.title),
            stored(bodyOf(venue)),
            stored(addressOf(venue)),
            venue.postcode,
            venue.phone,
            venue.phone2,
            venue.website,
            venue.email,
            coordinate(venue.position.y()),
            coordinate(venue.position.x()),
            shownAsStored(venue.hours),
        };
        // The chapter's introduction is read from its first row.
        if (i == 0)
            row << stored(QStringLiteral("%1 %2 of %3 and around").arg(venues.size()).arg(many, city))
                << stored(
                       QStringLiteral("The %1 of %2 as OpenStreetMap's contributors have mapped them, with "
                                      "the addresses, telephone numbers, web sites and opening hours they "
                                      "have recorded.")
                           .arg(many, city))
                << stored(QStringLiteral("%1 of %2").arg(chapter.chapter.title, city));
        else
            row << QString() << QString() << QString();
        row << venue.openingHours;
        for (QString& field : row)
            field = csvField(field);
        text += row.join(u',') + u'\n';
    }
    return text;
}

const QString tilesFile = QStringLiteral("StreetTiles.mbtiles");

// The offline maps page: the centre of town and the region around it, drawn from the street map.
struct MapPicture {
    const char* caption;
    const char* name;
    int zoom;
};
const MapPicture mapPictures[] = {{"City centre", "MapCentre", 15}, {"Region", "MapRegion", 13}};

QString orderMaps() {
    QStringList entries;
    for (const MapPicture& picture : mapPictures)
        entries.append(QStringLiteral("%1:%2.png:%2Thumb")
                           .arg(QLatin1String(picture.caption), QLatin1String(picture.name)));
    return entries.join(u',');
}

// Each map as a 1200 x 900 picture (the viewer reads it at its own size) and its thumbnail at 1x and 2x,
// the middle of the map.
bool writeMapPictures(const OsmTiles::StreetMap& map, const Place& centre, const QString& folder,
                      QString* error) {
    for (const MapPicture& picture : mapPictures) {
        const QImage image =
            OsmTiles::mapPicture(map, centre.latitude, centre.longitude, picture.zoom, QSize(1200, 900));
        const QImage middle = image.copy(QRect(420, 270, 360, 360));
        const QString name = QLatin1String(picture.name);
        const QList<std::pair<QString, QImage>> files = {
            {name + u".png"_qs, image},
            {name + u"Thumb.png"_qs, middle.scaled(90, 90, Qt::KeepAspectRatio, Qt::SmoothTransformation)},
            {name + u"Thumb@2x.png"_qs,
             middle.scaled(180, 180, Qt::KeepAspectRatio, Qt::SmoothTransformation)},
        };
        for (const auto& [file, pixels] : files) {
            const QString path = QDir(folder).filePath(file);
            if (!pixels.save(path, "PNG")) {
                *error = QStringLiteral("%1: cannot be written").arg(path);
                return false;
            }
        }
    }
    return true;
}

// What the edition takes from the country, and where the country came from.
QString countryLine(const QString& region, const std::optional<Edition::CountryFacts>& country,
                    bool fromData) {
    if (!country)
        return region.isEmpty() ? QStringLiteral("No address names its country: the country's facts are "
                                                 "left to fill in (or give --country CC)")
                                : QStringLiteral("The addresses name the country \"%1\", which ISO 3166-1 "
                                                 "does not know: the country's facts are left to fill in "
                                                 "(or give --country CC)")
                                      .arg(region);
    return QStringLiteral("Country %1 (%2): currency %3, calling code %4, internet code %5, time zone %6")
        .arg(country->region,
             fromData ? QStringLiteral("as the addresses name it") : QStringLiteral("as given"),
             country->currency, country->callingCode, country->internetCode, country->timeZone);
}

const QString usage =
    QStringLiteral("usage: cityguide-edition import-osm EXTRACT.osm.pbf --city NAME --center "
                   "LAT,LON --radius KM [--zoom Z1-Z2] [--country CC] [--many-tiles] SRC");

} // namespace

namespace Edition {

int importOsm(const QStringList& args, QTextStream& out, QString* error) {
    OsmTiles::Call call;
    call.zooms = std::pair{12, 17};
    if (const QString problem = call.parse(args, true); !problem.isEmpty()) {
        *error = problem + u'\n' + usage;
        return 2;
    }
    if (const QString problem = call.tooManyTiles(); !problem.isEmpty()) {
        *error = problem;
        return 2;
    }
    const QString &city = call.city, &folder = call.target, &extractPath = call.extract;
    const Place centre = *call.centre;
    if (const QString problem = cityNameProblem(city); !problem.isEmpty()) {
        *error = problem;
        return 2;
    }
    if (const QString problem = notEmptyProblem(folder, QStringLiteral("import-osm")); !problem.isEmpty()) {
        *error = problem;
        return 1;
    }

    QElapsedTimer clock;
    clock.start();
    const std::optional<Osm::Extract> extract = call.read(error);
    if (!extract)
        return 1;
    const QRectF& covers = extract->covers;
    if (!covers.isEmpty() && !Osm::overlaps(covers, QRectF(centre.longitude, centre.latitude, 0, 0))) {
        *error = QStringLiteral(
                     "%1: the centre %2,%3 lies outside the extract, which covers %4,%5,%6,%7 (S,W,N,E)")
                     .arg(extractPath)
                     .arg(centre.latitude)
                     .arg(centre.longitude)
                     .arg(covers.top())
                     .arg(covers.left())
                     .arg(covers.bottom())
                     .arg(covers.right());
        return 1;
    }
    const QString region = call.country.isEmpty() ? countryOf(*extract, centre, call.radius) : call.country;
    const std::optional<CountryFacts> country =
        region.isEmpty() ? std::nullopt : countryFacts(region, centre.latitude, centre.longitude);
    if (!call.country.isEmpty() && !country) {
        *error = countryProblem(call.country);
        return 2;
    }
    const Import import = venuesOf(*extract, centre, call.radius, country ? country->region : QString());
    if (import.venues.isEmpty()) {
        *error = QStringLiteral("%1: no named venue lies within %2 km of %3,%4")
                     .arg(extractPath)
                     .arg(call.radius)
                     .arg(centre.latitude)
                     .arg(centre.longitude);
        return 1;
    }
    if (!QDir().mkpath(folder)) {
        *error = QStringLiteral("%1: cannot create the folder").arg(folder);
        return 1;
    }
    const QDir dir(folder);

    QList<Chapter> chapters;
    QStringList counts;
    bool written = true;
    for (int c = 0; c < NoChapter && written; ++c) {
        QList<OsmVenue> venues;
        std::copy_if(import.venues.begin(), import.venues.end(), std::back_inserter(venues),
                     [c](const OsmVenue& venue) { return venue.chapter == c; });
        if (venues.isEmpty())
            continue;
        const ChapterKind& kind = chapterKinds[c];
        chapters.append(kind.chapter);
        counts.append(QStringLiteral("%1 %2").arg(venues.size()).arg(kind.chapter.title));
        written = writeFile(dir.filePath(QStringLiteral("catalog/%1.csv").arg(QLatin1String(kind.file))),
                            catalogFile(venues, kind, city).toUtf8(), error);
    }
    QVariantMap chapterPlist = chapterList(centre, chapters);
    chapterPlist.insert(QStringLiteral("Map Tiles"),
                        QVariantMap{{QStringLiteral("file"), tilesFile},
                                    {QStringLiteral("attribution"), openStreetMapCredit}});
    const QString credit = QStringLiteral("Venues and street maps %1, from the OpenStreetMap data in %2, "
                                          "available under the Open Database Licence (ODbL): "
                                          "https://www.openstreetmap.org/copyright")
                               .arg(openStreetMapCredit, QFileInfo(extractPath).fileName());
    written =
        written &&
        writeFile(dir.filePath(QStringLiteral("manager.csv")),
                  settingsFile(city, chapters, localNameOf(*extract, city), orderMaps(), country).toUtf8(),
                  error) &&
        writeFile(dir.filePath(QStringLiteral("chapter.plist")), PropertyList::toXml(chapterPlist), error) &&
        writeFile(dir.filePath(QStringLiteral("Bookmarks.plist")),
                  PropertyList::toXml(QVariantMap{{QStringLiteral("Venues"), QVariantList{}}}), error) &&
        writeFile(dir.filePath(QStringLiteral("imprint.txt")), imprint(city, credit).toUtf8(), error) &&
        writePictures(folder, city, country, error);
    if (!written)
        return 1;
    const artwork::RunReport icons = artwork::renderDirectory(QStringLiteral(":/osmedition"), folder);
    if (!icons.errors.isEmpty()) {
        *error = icons.errors.join(QStringLiteral("; "));
        return 1;
    }
    out << city << ": " << import.venues.size() << " venues within " << call.radius << " km ("
        << counts.join(", ") << ")\n  " << import.nameless << " without a name left out, " << import.merged
        << " mapped twice merged, " << import.renamed << " of one name given their street, " << import.outside
        << " outside the radius\n  " << import.unknownPhones
        << (import.unknownPhones == 1 ? " phone number" : " phone numbers")
        << " that no telephone plan has left out\n  " << countryLine(region, country, call.country.isEmpty())
        << "\n  read and written in " << clock.elapsed() << " ms\n";
    out.flush();

    clock.restart();
    const std::optional<OsmWalks::Written> walks =
        OsmWalks::write(*extract, call.region(), credit, dir.filePath(QString::fromLatin1(WalkingNetwork::fileName)),
                        error);
    if (!walks)
        return 1;
    out << "Walking network: " << walks->ways << " ways, " << walks->nodes << " points, " << walks->edges
        << " steps between them, written in " << clock.elapsed() << " ms\n";
    out.flush();

    clock.restart();
    const OsmTiles::StreetMap map(*extract);
    if (!writeMapPictures(map, centre, folder, error) ||
        !OsmTiles::writeTiles(map, call.region(), *call.zooms, dir.filePath(tilesFile), out, error))
        return 1;
    out << "Map pictures and street tiles drawn in " << clock.elapsed() << " ms\n"
        << "Fill in what is marked " << fillIn << " in manager.csv and imprint.txt, then:\n"
        << "  cityguide-edition check " << folder << "\n"
        << "  cityguide-edition build " << folder << " OUT\n"
        << "  cityguide --edition OUT\n";
    out.flush();
    return 0;
}

} // namespace Edition
