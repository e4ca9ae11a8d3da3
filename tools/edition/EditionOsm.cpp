// `import-osm`: a source folder of a real city from an OpenStreetMap extract.

#include "tools/edition/EditionOsm.h"

#include "ArtRenderer.h"
#include "catalog/Venue.h"
#include "model/PropertyList.h"
#include "tools/edition/CountryFacts.h"
#include "tools/edition/Edition.h"
#include "tools/edition/EditionTiles.h"
#include "tools/edition/EditionWriting.h"
#include "tools/edition/OsmCall.h"
#include "tools/edition/OsmExtract.h"
#include "tools/edition/OsmTiles.h"
#include "tools/edition/OsmTilesCommand.h"

#include <QDir>
#include <QElapsedTimer>
#include <QHash>
#include <QRegularExpression>

#include <algorithm>

namespace {

using namespace Edition::Writing;

// A kind of venue: the tag value it comes from and how the guide names one and many of them.
struct Kind {
    const char* value;
    const char* one;
    const char* many;
};

struct ChapterKind {
    Chapter chapter;
    const char* file;
    const char* many; // "the cafés of Vaduz"
};

const ChapterKind chapterKinds[] = {
    {{QStringLiteral("Sights"), QStringLiteral("SIGHTS"), QStringLiteral("ChapterSights"),
      QColor::fromRgbF(0.96f, 0.78f, 0.31f)},
     "01-sights",
     "sights"},
    {{QStringLiteral("Museums"), QStringLiteral("MUSEUMS"), QStringLiteral("ChapterMuseums"),
      QColor::fromRgbF(0.78f, 0.60f, 0.90f)},
     "02-museums",
     "museums"},
    {{QStringLiteral("Cafés"), QStringLiteral("CAFES"), QStringLiteral("ChapterCafes"),
      QColor::fromRgbF(0.85f, 0.66f, 0.45f)},
     "03-cafes",
     "cafés"},
    {{QStringLiteral("Dining"), QStringLiteral("DINING"), QStringLiteral("ChapterDining"),
      QColor::fromRgbF(0.95f, 0.55f, 0.40f)},
     "04-dining",
     "places to eat"},
    {{QStringLiteral("Nightlife"), QStringLiteral("NIGHTLIFE"), QStringLiteral("ChapterNightlife"),
      QColor::fromRgbF(0.55f, 0.60f, 0.95f)},
     "05-nightlife",
     "bars and pubs"},
    {{QStringLiteral("Hotels"), QStringLiteral("HOTELS"), QStringLiteral("ChapterHotels"),
      QColor::fromRgbF(0.45f, 0.80f, 0.75f)},
     "06-hotels",
     "hotels"},
    {{QStringLiteral("Shopping"), QStringLiteral("SHOPPING"), QStringLiteral("ChapterShopping"),
      QColor::fromRgbF(0.95f, 0.62f, 0.75f)},
     "07-shopping",
     "shops"},
};
enum ChapterIndex { Sights, Museums, Cafes, Dining, Nightlife, Hotels, Shopping, NoChapter };
// Which chapter keeps a venue that two records place in two chapters: the order classify() asks in.
constexpr int precedence[NoChapter] = {0, 1, 3, 4, 5, 2, 6};

const Kind sightKinds[] = {
    {"attraction", "Attraction", "Attractions"},
    {"viewpoint", "Viewpoint", "Viewpoints"},
    {"castle", "Castle", "Castles"},
    {"ruins", "Ruin", "Ruins"},
    {"monument", "Monument", "Monuments"},
    {"memorial", "Memorial", "Memorials"},
    {"church", "Historic church", "Churches"},
    {"chapel", "Chapel", "Churches"},
    {"archaeological_site", "Archaeological site", "Archaeological sites"},
    {"wayside_cross", "Wayside cross", "Wayside shrines"},
    {"wayside_shrine", "Wayside shrine", "Wayside shrines"},
    {"building", "Historic building", "Historic buildings"},
    {"boundary_stone", "Boundary stone", "Boundary stones"},
};

const Kind otherKinds[] = {
    {"museum", "Museum", "Museums"},
    {"cafe", "Café", "Cafés"},
    {"restaurant", "Restaurant", "Restaurants"},
    {"fast_food", "Fast food", "Fast food"},
    {"bar", "Bar", "Bars"},
    {"pub", "Pub", "Pubs"},
    {"hotel", "Hotel", "Hotels"},
    {"guest_house", "Guest house", "Guest houses and hostels"},
    {"hostel", "Hostel", "Guest houses and hostels"},
};

const Kind shopKinds[] = {
    {"bakery", "Bakery", "Bakeries"},
    {"butcher", "Butcher", "Butchers"},
    {"supermarket", "Supermarket", "Supermarkets"},
    {"convenience", "Convenience store", "Convenience stores"},
    {"kiosk", "Kiosk", "Kiosks"},
    {"clothes", "Clothes shop", "Clothes"},
    {"shoes", "Shoe shop", "Shoes"},
    {"boutique", "Boutique", "Boutiques"},
    {"jewelry", "Jeweller", "Jewellers"},
    {"watches", "Watchmaker", "Jewellers"},
    {"books", "Bookshop", "Books"},
    {"florist", "Florist", "Florists"},
    {"hairdresser", "Hairdresser", "Hairdressers"},
    {"beauty", "Beauty salon", "Beauty"},
    {"optician", "Optician", "Opticians"},
    {"chemist", "Chemist", "Chemists"},
    {"department_store", "Department store", "Department stores"},
    {"mall", "Shopping centre", "Shopping centres"},
    {"gift", "Gift shop", "Gifts"},
    {"souvenir", "Souvenir shop", "Gifts"},
    {"wine", "Wine shop", "Wine and drinks"},
    {"alcohol", "Wine and spirits shop", "Wine and drinks"},
    {"beverages", "Drinks shop", "Wine and drinks"},
    {"electronics", "Electronics shop", "Electronics"},
    {"computer", "Computer shop", "Electronics"},
    {"mobile_phone", "Phone shop", "Electronics"},
    {"hardware", "Hardware store", "Hardware"},
    {"doityourself", "Hardware store", "Hardware"},
    {"furniture", "Furniture shop", "Furniture"},
    {"sports", "Sports shop", "Sports"},
    {"bicycle", "Bicycle shop", "Bicycles"},
    {"car", "Car dealer", "Cars"},
    {"car_repair", "Car repair", "Cars"},
    {"travel_agency", "Travel agency", "Travel agencies"},
    {"stationery", "Stationer", "Stationery"},
    {"toys", "Toy shop", "Toys"},
    {"art", "Art shop", "Art"},
    {"photo", "Photo shop", "Photo"},
    {"pharmacy", "Pharmacy", "Chemists"},
};

// A tag value as words: "fast_food" is "Fast food".
QString words(const QString& value) {
    QString text = value.section(u';', 0, 0).trimmed();
    text.replace(u'_', u' ');
    if (!text.isEmpty())
        text[0] = text[0].toUpper();
    return text;
}

struct Classified {
    int chapter = NoChapter;
    QString one, many;
    bool known = true; // false: a kind the tables lack, named by its tag value
};

Classified kindOf(const QString& value, const Kind* begin, const Kind* end, int chapter) {
    for (const Kind* kind = begin; kind != end; ++kind) {
        if (value == QLatin1String(kind->value))
            return {chapter, QString::fromUtf8(kind->one), QString::fromUtf8(kind->many)};
    }
    return {chapter, words(value), words(value), false};
}

// The chapter and category of an object by its tags; the first chapter that fits takes it.
Classified classify(const Osm::Object& object) {
    const QString tourism = object.tag("tourism"), amenity = object.tag("amenity"),
                  historic = object.tag("historic"), shop = object.tag("shop");
    if (tourism == u"attraction" || tourism == u"viewpoint")
        return kindOf(tourism, std::begin(sightKinds), std::end(sightKinds), Sights);
    if (!historic.isEmpty() && historic != u"no") {
        Classified sight = kindOf(historic, std::begin(sightKinds), std::end(sightKinds), Sights);
        if (!sight.known)
            sight.many = QStringLiteral("Historic sites");
        return sight;
    }
    if (tourism == u"museum")
        return kindOf(tourism, std::begin(otherKinds), std::end(otherKinds), Museums);
    // A hotel with a restaurant is a hotel first.
    if (tourism == u"hotel" || tourism == u"guest_house" || tourism == u"hostel")
        return kindOf(tourism, std::begin(otherKinds), std::end(otherKinds), Hotels);
    if (amenity == u"cafe")
        return kindOf(amenity, std::begin(otherKinds), std::end(otherKinds), Cafes);
    if (amenity == u"restaurant" || amenity == u"fast_food")
        return kindOf(amenity, std::begin(otherKinds), std::end(otherKinds), Dining);
    if (amenity == u"bar" || amenity == u"pub")
        return kindOf(amenity, std::begin(otherKinds), std::end(otherKinds), Nightlife);
    if (!shop.isEmpty() && shop != u"no" && shop != u"vacant") {
        if (shop == u"yes")
            return {Shopping, QStringLiteral("Shop"), QStringLiteral("Shops")};
        return kindOf(shop, std::begin(shopKinds), std::end(shopKinds), Shopping);
    }
    return {};
}

// One line of text, its blanks made single and control characters (a zero byte in a PBF string) gone.
QString line(const QString& text) {
    QString clean = text;
    clean.removeIf([](QChar c) { return c.category() == QChar::Other_Control && !c.isSpace(); });
    return clean.simplified();
}

QString firstOf(const Osm::Object& object, std::initializer_list<const char*> keys) {
    for (const char* key : keys) {
        const QString value = line(object.tag(key));
        if (!value.isEmpty())
            return value;
    }
    return {};
}

struct OsmVenue {
    QString name, kind, category, description, street, houseNumber, place, city, postcode, phone, phone2,
        website, email, hours, cuisine, stars;
    int chapter = NoChapter;
    int unknownPhones = 0; // numbers that no telephone plan has, left out
    QPointF position;      // x longitude, y latitude
    qsizetype filled = 0;
};

qsizetype filledFields(const OsmVenue& venue) {
    qsizetype count = 0;
    for (const QString* field : {&venue.description, &venue.street, &venue.houseNumber, &venue.postcode,
                                 &venue.phone, &venue.website, &venue.email, &venue.hours})
        count += field->isEmpty() ? 0 : 1;
    return count;
}

// REGION: the country whose telephone plan a number without its calling code belongs to.
OsmVenue venueOf(const Osm::Object& object, const Classified& kind, const QString& region) {
    OsmVenue venue;
    venue.name = line(object.tag("name"));
    venue.kind = kind.one;
    venue.category = kind.many;
    venue.chapter = kind.chapter;
    venue.position = object.centre;
    venue.description = line(object.tag("description"));
    venue.street = line(object.tag("addr:street"));
    venue.houseNumber = line(object.tag("addr:housenumber"));
    venue.place = line(object.tag("addr:place"));
    venue.city = line(object.tag("addr:city"));
    const QString postcode = line(object.tag("addr:postcode"));
    if (Edition::fitsColumn(QStringLiteral("postcode"), postcode))
        venue.postcode = postcode;
    // "phone" may hold several numbers, separated by semicolons.
    QStringList phones;
    for (const QString& number :
         firstOf(object, {"phone", "contact:phone"}).split(u';', Qt::SkipEmptyParts)) {
        if (Edition::phoneProblem(number.trimmed(), region).isEmpty())
            phones.append(number.trimmed());
        else
            ++venue.unknownPhones;
    }
    venue.phone = phones.value(0);
    venue.phone2 = phones.value(1);
    // The column holds a plain web address without its scheme; the guide adds http:// (a secure
    // address keeps its https://).
    QString website = firstOf(object, {"website", "contact:website", "url"}).section(u';', 0, 0).trimmed();
    if (website.startsWith(QStringLiteral("http://"), Qt::CaseInsensitive))
        website.remove(0, 7);
    if (Edition::fitsColumn(QStringLiteral("website"), website))
        venue.website = website;
    const QString email = firstOf(object, {"email", "contact:email"}).section(u';', 0, 0).trimmed();
    if (Edition::fitsColumn(QStringLiteral("email"), email))
        venue.email = email;
    venue.hours = line(object.tag("opening_hours"));
    QStringList cuisines;
    for (const QString& cuisine : object.tag("cuisine").split(u';', Qt::SkipEmptyParts))
        cuisines.append(words(cuisine).toLower());
    venue.cuisine = cuisines.join(QStringLiteral(", "));
    const QString stars = line(object.tag("stars"));
    static const QRegularExpression starsForm(QStringLiteral("^[1-7]S?$"));
    if (starsForm.match(stars).hasMatch())
        venue.stars = stars;
    venue.filled = filledFields(venue);
    return venue;
}

// Two records of one venue: the richer one keeps its values and takes the other's where it has none.
void merge(OsmVenue& kept, const OsmVenue& other) {
    for (auto field :
         {&OsmVenue::description, &OsmVenue::street, &OsmVenue::houseNumber, &OsmVenue::place,
          &OsmVenue::city, &OsmVenue::postcode, &OsmVenue::phone, &OsmVenue::phone2, &OsmVenue::website,
          &OsmVenue::email, &OsmVenue::hours, &OsmVenue::cuisine, &OsmVenue::stars}) {
        if ((kept.*field).isEmpty())
            kept.*field = other.*field;
    }
    kept.filled = filledFields(kept);
}

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

struct Import {
    QList<OsmVenue> venues;
    qsizetype nameless = 0, merged = 0, outside = 0, renamed = 0, unknownPhones = 0;
};

struct Settlement {
    QString name;
    QPointF position;
};

// The towns, villages and quarters the extract names, as places to say where a venue lies when its
// address has no town.
QList<Settlement> settlementsOf(const Osm::Extract& extract) {
    static const QStringList kinds = {QStringLiteral("city"), QStringLiteral("town"),
                                      QStringLiteral("village"), QStringLiteral("suburb"),
                                      QStringLiteral("hamlet")};
    QList<Settlement> settlements;
    for (const Osm::Object& object : extract.objects) {
        if (object.kind == Osm::Object::Kind::Node && kinds.contains(object.tag("place")) &&
            !line(object.tag("name")).isEmpty())
            settlements.append({line(object.tag("name")), object.centre});
    }
    return settlements;
}

// The nearest settlement within 2 km.
QString settlementNear(const QList<Settlement>& settlements, const QPointF& position) {
    QString nearest;
    double best = 2000;
    for (const Settlement& settlement : settlements) {
        const double metres =
            distanceInMetres(position.y(), position.x(), settlement.position.y(), settlement.position.x());
        if (metres < best)
            best = metres, nearest = settlement.name;
    }
    return nearest;
}

// The city's own name, from the place of that name in the data (its English name may be the one given).
QString localNameOf(const Osm::Extract& extract, const QString& city) {
    for (const Osm::Object& object : extract.objects) {
        const QString name = line(object.tag("name"));
        if (object.kind != Osm::Object::Kind::Node || object.tag("place").isEmpty() || name.isEmpty())
            continue;
        if ((name.compare(city, Qt::CaseInsensitive) == 0 ||
             line(object.tag("name:en")).compare(city, Qt::CaseInsensitive) == 0) &&
            cityNameProblem(name).isEmpty())
            return name;
    }
    return {};
}

// The country that most addresses within the radius name (addr:country), or empty.
QString countryOf(const Osm::Extract& extract, const Place& centre, double radiusKm) {
    QHash<QString, int> votes;
    for (const Osm::Object& object : extract.objects) {
        const QString country = object.tag("addr:country").trimmed().toUpper();
        if (country.size() == 2 && distanceInMetres(centre.latitude, centre.longitude, object.centre.y(),
                                                    object.centre.x()) <= radiusKm * 1000)
            ++votes[country];
    }
    QString most;
    for (auto vote = votes.cbegin(); vote != votes.cend(); ++vote) {
        if (most.isEmpty() || vote.value() > votes.value(most) ||
            (vote.value() == votes.value(most) && vote.key() < most))
            most = vote.key();
    }
    return most;
}

Import venuesOf(const Osm::Extract& extract, const Place& centre, double radiusKm, const QString& region) {
    Import result;
    QList<OsmVenue> found;
    const QList<Settlement> settlements = settlementsOf(extract);
    for (const Osm::Object& object : extract.objects) {
        const Classified kind = classify(object);
        if (kind.chapter == NoChapter)
            continue;
        if (distanceInMetres(centre.latitude, centre.longitude, object.centre.y(), object.centre.x()) >
            radiusKm * 1000) {
            ++result.outside;
            continue;
        }
        if (line(object.tag("name")).isEmpty()) {
            ++result.nameless;
            continue;
        }
        found.append(venueOf(object, kind, region));
        result.unknownPhones += found.last().unknownPhones;
        if (found.last().city.isEmpty())
            found.last().city = settlementNear(settlements, object.centre);
    }
    // The chapter that takes precedence wins a venue mapped twice (a hotel's node and its building),
    // then the record that says more.
    std::stable_sort(found.begin(), found.end(), [](const OsmVenue& a, const OsmVenue& b) {
        return a.chapter != b.chapter ? precedence[a.chapter] < precedence[b.chapter] : a.filled > b.filled;
    });
    QHash<QString, QList<qsizetype>> byName;
    for (const OsmVenue& venue : std::as_const(found)) {
        const QString key = venue.name.toCaseFolded();
        QList<qsizetype>& same = byName[key];
        const auto near = std::find_if(same.begin(), same.end(), [&](qsizetype i) {
            const QPointF& p = result.venues[i].position;
            return distanceInMetres(p.y(), p.x(), venue.position.y(), venue.position.x()) <= 50;
        });
        if (near != same.end()) {
            merge(result.venues[*near], venue);
            ++result.merged;
            continue;
        }
        same.append(result.venues.size());
        result.venues.append(venue);
    }
    // Bookmarks keep a venue by its name: one name, one venue. Branches of one chain get their street.
    for (const QList<qsizetype>& same : std::as_const(byName)) {
        if (same.size() < 2)
            continue;
        for (qsizetype i : same) {
            OsmVenue& venue = result.venues[i];
            const QString street = venue.street.isEmpty() ? venue.place : venue.street;
            const QString where = street.isEmpty()       ? venue.city
                                  : venue.city.isEmpty() ? street
                                                         : street + QStringLiteral(", ") + venue.city;
            if (!where.isEmpty()) {
                venue.name += QStringLiteral(" (%1)").arg(where);
                ++result.renamed;
            }
        }
    }
    std::stable_sort(result.venues.begin(), result.venues.end(), [](const OsmVenue& a, const OsmVenue& b) {
        if (a.chapter != b.chapter)
            return a.chapter < b.chapter;
        const int byCategory = QString::localeAwareCompare(a.category, b.category);
        return byCategory != 0 ? byCategory < 0 : QString::localeAwareCompare(a.name, b.name) < 0;
    });
    return result;
}

QString catalogFile(const QList<OsmVenue>& venues, const ChapterKind& chapter, const QString& city) {
    static const QStringList header = {
        QStringLiteral("name"),         QStringLiteral("category_name"), QStringLiteral("chapter_id"),
        QStringLiteral("chapter_name"), QStringLiteral("body"),          QStringLiteral("address"),
        QStringLiteral("postcode"),     QStringLiteral("phone"),         QStringLiteral("phone2"),
        QStringLiteral("website"),      QStringLiteral("email"),         QStringLiteral("gps_lat"),
        QStringLiteral("gps_lon"),      QStringLiteral("open_text"),     QStringLiteral("text_short"),
        QStringLiteral("text_long"),    QStringLiteral("title"),
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
