#include "tools/edition/OsmVenues.h"

#include "tools/edition/CountryFacts.h"
#include "tools/edition/Edition.h"
#include "tools/edition/OsmKinds.h"

#include "catalog/OpeningHours.h"
#include "catalog/Venue.h"

#include <QHash>
#include <QRegularExpression>

#include <algorithm>

namespace OsmImport {

using Edition::Writing::cityNameProblem;
using Edition::Writing::Place;

QString line(const QString& text) {
    QString clean = text;
    clean.removeIf([](QChar c) { return c.category() == QChar::Other_Control && !c.isSpace(); });
    return clean.simplified();
}

namespace {

QString firstOf(const Osm::Object& object, std::initializer_list<const char*> keys) {
    for (const char* key : keys) {
        const QString value = line(object.tag(key));
        if (!value.isEmpty())
            return value;
    }
    return {};
}

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
    const OpeningHours::Place place{QStringLiteral("UTC"), region, object.centre.y(), object.centre.x()};
    if (!venue.hours.isEmpty() && OpeningHours::at(venue.hours, QDateTime::currentDateTimeUtc(), place))
        venue.openingHours = venue.hours;
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
    for (auto field : {&OsmVenue::description, &OsmVenue::street, &OsmVenue::houseNumber, &OsmVenue::place,
                       &OsmVenue::city, &OsmVenue::postcode, &OsmVenue::phone, &OsmVenue::phone2,
                       &OsmVenue::website, &OsmVenue::email, &OsmVenue::hours, &OsmVenue::openingHours,
                       &OsmVenue::cuisine, &OsmVenue::stars}) {
        if ((kept.*field).isEmpty())
            kept.*field = other.*field;
    }
    kept.filled = filledFields(kept);
}

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

} // namespace

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

} // namespace OsmImport
