#include "tools/edition/Edition.h"

#include "catalog/OpeningHours.h"
#include "catalog/SQLDAL.h"
#include "location/WalkingNetwork.h"
#include "model/DAO.h"
#include "model/ShareData.h"
#include "platform/Paths.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTimeZone>
#include <sqlite3.h>

#include <algorithm>
#include <cmath>

namespace {

std::optional<SQLDAL::Position> parsePosition(const QString& text) {
    const QStringList parts = text.split(u',');
    if (parts.size() != 2)
        return std::nullopt;
    bool latOk = false, lonOk = false;
    const double lat = parts[0].trimmed().toDouble(&latOk);
    const double lon = parts[1].trimmed().toDouble(&lonOk);
    if (!latOk || !lonOk || lat < -90 || lat > 90 || lon < -180 || lon > 180)
        return std::nullopt;
    return SQLDAL::Position{lat, lon};
}

QJsonObject venueObject(const Venue& venue) {
    return QJsonObject{
        {QStringLiteral("venueID"), venue.venueID},
        {QStringLiteral("venueName"), venue.venueName},
        {QStringLiteral("venueDescription"), venue.venueDescription},
        {QStringLiteral("venueAddress"), venue.venueAddress},
        {QStringLiteral("gpsLat"), venue.gpsLat},
        {QStringLiteral("gpsLong"), venue.gpsLong},
        {QStringLiteral("venueDistance"), venue.venueDistance},
        {QStringLiteral("venueRealDistance"), venue.venueRealDistance},
        {QStringLiteral("venuePrice"), venue.venuePrice},
        {QStringLiteral("venueDateStart"), venue.venueDateStart},
        {QStringLiteral("venueDateStop"), venue.venueDateStop},
        {QStringLiteral("venueOpen"), venue.venueOpen},
        {QStringLiteral("mobile_highlight"), venue.mobile_highlight},
    };
}

struct Options {
    QStringList arguments;
    std::optional<SQLDAL::Position> at;
    QString atTime; // `open`: the edition's local time "yyyy-MM-ddTHH:mm"
    bool imperial = false;
};

const QString localTimeForm = QStringLiteral("yyyy-MM-ddTHH:mm");

bool parseOptions(const QStringList& what, Options* options, QString* error) {
    for (int i = 0; i < what.size(); ++i) {
        if (what[i] == u"--imperial") {
            options->imperial = true;
        } else if (what[i] == u"--at" && what.value(0) == u"open") {
            if (!QDateTime::fromString(what.value(i + 1), localTimeForm).isValid()) {
                *error =
                    QStringLiteral("--at needs a local time YYYY-MM-DDTHH:MM (such as 2027-03-28T08:00)");
                return false;
            }
            options->atTime = what[++i];
        } else if (what[i] == u"--at") {
            if (i + 1 >= what.size() || !(options->at = parsePosition(what[i + 1]))) {
                *error = QStringLiteral("--at needs a position LAT,LON");
                return false;
            }
            ++i;
        } else {
            options->arguments.append(what[i]);
        }
    }
    return true;
}

QJsonArray venueArray(VenueList venues, const Options& options) {
    if (options.at)
        fillDistances(venues, options.at->latitude, options.at->longitude, options.imperial);
    QJsonArray array;
    for (const Venue& venue : venues)
        array.append(venueObject(venue));
    return array;
}

const char* detailNames[SQLDAL::DetailCount] = {
    "address",
    "postcode",
    "phone",
    "phone2",
    "website",
    "email",
    "metro",
    "map",
    "gps_lat",
    "gps_lon",
    "price_text",
    "body",
    "image",
    "price_text_again",
    "date_start",
    "date_stop",
    "open_text",
    "rowid",
    "hotel_room_decription",
    "mobile_highlight",
};

// The first column of every row of the statement, with one text bound as ?1 where given.
QStringList column(const QString& folder, const char* sql, const QString& value = QString()) {
    QStringList result;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(folder + QStringLiteral("/Catalog.sqlite")).constData(), &db,
                        SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* statement = nullptr;
        const QByteArray bound = value.toUtf8();
        if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) == SQLITE_OK) {
            if (!value.isNull())
                sqlite3_bind_text(statement, 1, bound.constData(), -1, SQLITE_STATIC);
            while (sqlite3_step(statement) == SQLITE_ROW)
                result.append(
                    QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0))));
        }
        sqlite3_finalize(statement);
    }
    sqlite3_close(db);
    return result;
}

// A chapter, category or venue the edition does not have: what there is instead.
std::optional<QString> unknown(const QString& folder, const QStringList& args) {
    const QString& command = args[0];
    if (command == u"categories" || command == u"introduction" || command == u"venues") {
        const QStringList chapters = column(folder, "select distinct chapter_id from catalog order by 1");
        if (!chapters.contains(args[1]))
            return QStringLiteral("no chapter \"%1\" in the catalogue (chapters: %2)")
                .arg(args[1], chapters.join(QStringLiteral(", ")));
    }
    if (command == u"venues" && args[2].trimmed() != u"All") {
        const QStringList categories = column(
            folder, "select distinct trim(category_name) from catalog where chapter_id = ?1 order by 1",
            args[1]);
        if (!categories.contains(args[2].trimmed()))
            return QStringLiteral("chapter \"%1\" has no category \"%2\" (categories: All, %3)")
                .arg(args[1], args[2], categories.join(QStringLiteral(", ")));
    }
    bool number = false;
    args.value(1).toInt(&number);
    if ((command == u"details" || command == u"open") && number &&
        column(folder, "select rowid from catalog where rowid = ?1", args[1]).isEmpty())
        return QStringLiteral("no venue with the id %1 (ids: %2)")
            .arg(args[1], column(folder, "select min(rowid) || ' to ' || max(rowid) from catalog").value(0));
    return std::nullopt;
}

const QString usage = QStringLiteral(
    "what to show: settings | categories CHAPTER_ID | introduction CHAPTER_ID | "
    "venues CHAPTER_ID CATEGORY [--at LAT,LON] [--imperial] | search TEXT [--at LAT,LON] [--imperial] | "
    "details VENUE_ID | open VENUE_ID [--at YYYY-MM-DDTHH:MM] | near LAT,LON [--imperial] | theme TITLE | "
    "route LAT,LON LAT,LON");

// The walk between two positions along the edition's streets and paths.
int walkingRoute(const QString& folder, const QStringList& args, QJsonValue* result, QString* error) {
    const auto from = parsePosition(args[1]), to = parsePosition(args[2]);
    if (!from || !to) {
        *error = QStringLiteral("route needs two positions LAT,LON LAT,LON");
        return 2;
    }
    const QString path = folder + u'/' + QString::fromLatin1(WalkingNetwork::fileName);
    if (!QFileInfo::exists(path)) {
        *error = QStringLiteral("%1: the edition has no street network (%2; import-osm writes one)")
                     .arg(folder, QString::fromLatin1(WalkingNetwork::fileName));
        return 1;
    }
    const std::unique_ptr<WalkingNetwork> network = WalkingNetwork::open(path, error);
    if (!network)
        return 1;
    const auto route = network->route(from->latitude, from->longitude, to->latitude, to->longitude, error);
    if (!route)
        return 1;
    QJsonArray points;
    for (const QPointF& point : route->points)
        points.append(QJsonArray{point.y(), point.x()});
    *result = QJsonObject{{QStringLiteral("metres"), std::round(route->metres)},
                          {QStringLiteral("minutes"), std::round(route->minutes * 10) / 10},
                          {QStringLiteral("streets"), QJsonArray::fromStringList(route->streets)},
                          {QStringLiteral("points"), points}};
    return 0;
}

// Whether the venue is open at the edition's local time (now without one), as the guide tells it.
QJsonObject openState(int venueID, const QString& localTime) {
    DAOFactory::resetInstance();
    const ManagerModel* settings = readerSettings();
    OpeningHours::Place place = OpeningHours::placeOfZone(settings ? settings->infoTimeZoneId() : QString());
    DAOFactory::resetInstance();
    const QTimeZone zone(place.timeZone.toUtf8());
    const QDateTime given = QDateTime::fromString(localTime, localTimeForm);
    const QDateTime when = localTime.isEmpty() ? QDateTime::currentDateTime().toTimeZone(zone)
                                               : QDateTime(given.date(), given.time(), zone);
    const QVariantList details = SQLDAL::getVenueDetails(venueID, QString());
    place.latitude = details.value(SQLDAL::DetailLatitude).toDouble();
    place.longitude = details.value(SQLDAL::DetailLongitude).toDouble();
    const QString hours = SQLDAL::openingHoursOf(venueID);
    QString error;
    const std::optional<OpeningHours::State> state =
        hours.isEmpty() ? std::optional(OpeningHours::State()) : OpeningHours::at(hours, when, place, &error);
    QJsonObject object{{QStringLiteral("state"), QStringLiteral("unknown")},
                       {QStringLiteral("changes"), QJsonValue()},
                       {QStringLiteral("text"), QString()},
                       {QStringLiteral("hours"), hours},
                       {QStringLiteral("timeZone"), place.timeZone}};
    if (!state) {
        object.insert(QStringLiteral("error"), error);
        return object;
    }
    static const char* const names[] = {"open", "closed", "unknown"};
    object.insert(QStringLiteral("state"), QLatin1String(names[state->kind]));
    if (state->changes)
        object.insert(QStringLiteral("changes"), state->changes->toString(localTimeForm));
    object.insert(QStringLiteral("text"), OpeningHours::stateText(*state, when));
    return object;
}

} // namespace

namespace Edition {

int show(const QString& folder, const QStringList& what, QTextStream& out, QString* error) {
    Options options;
    if (!parseOptions(what, &options, error))
        return 2;
    const QStringList& args = options.arguments;
    if (args.isEmpty()) {
        *error = usage;
        return 2;
    }
    if (!QFileInfo(folder).isDir()) {
        *error = QStringLiteral("%1: no such folder").arg(folder);
        return 2;
    }
    const QString command = args[0];
    static const QMap<QString, int> argumentCounts = {
        {QStringLiteral("settings"), 0},     {QStringLiteral("categories"), 1},
        {QStringLiteral("introduction"), 1}, {QStringLiteral("venues"), 2},
        {QStringLiteral("search"), 1},       {QStringLiteral("details"), 1},
        {QStringLiteral("near"), 1},         {QStringLiteral("theme"), 1},
        {QStringLiteral("open"), 1},         {QStringLiteral("route"), 2},
    };
    if (!argumentCounts.contains(command) || args.size() - 1 != argumentCounts.value(command)) {
        *error = usage;
        return 2;
    }

    // The guide's own reading, in a documents folder of its own that vanishes afterwards.
    QTemporaryDir documents;
    if (!documents.isValid()) {
        *error = QStringLiteral("cannot make a temporary documents folder");
        return 2;
    }
    Paths::setResourceFolder(folder);
    Paths::setDocumentsFolder(documents.path());

    QJsonValue result;
    if (command == u"settings") {
        if (!QFileInfo::exists(folder + QStringLiteral("/manager.csv"))) {
            *error = QStringLiteral("%1/manager.csv: missing").arg(folder);
            return 2;
        }
        DAOFactory::resetInstance();
        const ManagerModel* model = readerSettings();
        QJsonObject object;
        for (int c = 0; c < ManagerModel::columnCount; ++c)
            object.insert(QString::fromLatin1(ManagerModel::columnNames()[c]), model->field(c));
        result = object;
        DAOFactory::resetInstance();
    } else if (command == u"route") {
        if (const int code = walkingRoute(folder, args, &result, error); code != 0)
            return code;
    } else if (command == u"theme") {
        const ShareData* theme = ShareData::sharedInstance();
        const ShareData::Color color = theme->getCorrespondingColor(args[1]);
        const auto placement = theme->getCorrespondingPlacement(args[1]);
        result = QJsonObject{
            {QStringLiteral("background"), theme->getCorrespondingBKG(args[1])},
            {QStringLiteral("color"), QJsonObject{{QStringLiteral("r"), color.red},
                                                  {QStringLiteral("g"), color.green},
                                                  {QStringLiteral("b"), color.blue},
                                                  {QStringLiteral("a"), color.alpha}}},
            {QStringLiteral("placement"),
             placement ? QJsonValue(QJsonObject::fromVariantMap(*placement)) : QJsonValue()},
        };
    } else {
        const QString problem = catalogProblem(folder + QStringLiteral("/Catalog.sqlite"));
        if (!problem.isEmpty()) {
            *error = problem;
            return 2;
        }
        if (const auto missing = unknown(folder, args)) {
            *error = *missing;
            return 1;
        }
        SQLDAL::connectToDatabase();
        if (command == u"categories") {
            const SQLDAL::ChapterCategories lists = SQLDAL::getCategoriesForChapter(args[1]);
            result = QJsonObject{{QStringLiteral("names"), QJsonArray::fromStringList(lists.names)},
                                 {QStringLiteral("counts"), QJsonArray::fromStringList(lists.counts)},
                                 {QStringLiteral("total"), lists.total},
                                 {QStringLiteral("located"), QJsonArray::fromStringList(lists.located)}};
        } else if (command == u"introduction") {
            const QStringList texts = SQLDAL::getCategoryIntroduction(args[1]);
            result = QJsonObject{{QStringLiteral("text_short"), texts.value(0)},
                                 {QStringLiteral("text_long"), texts.value(1)},
                                 {QStringLiteral("title"), texts.value(2)}};
        } else if (command == u"venues") {
            result = venueArray(SQLDAL::getVenuesForCategory(args[2], args[1]), options);
        } else if (command == u"search") {
            result = venueArray(SQLDAL::getVenuesNamedAs(args[1]), options);
        } else if (command == u"near") {
            const auto position = parsePosition(args[1]);
            if (!position) {
                SQLDAL::closeDatabase();
                *error = QStringLiteral("near needs a position LAT,LON");
                return 2;
            }
            // Nearest first, measured from that position.
            VenueList venues = SQLDAL::getAllVenuesCloseTo(position);
            fillDistances(venues, position->latitude, position->longitude, options.imperial);
            std::stable_sort(venues.begin(), venues.end(), [](const Venue& a, const Venue& b) {
                return a.venueRealDistance < b.venueRealDistance;
            });
            options.at.reset();
            result = venueArray(venues, options);
        } else if (command == u"details" || command == u"open") {
            bool ok = false;
            const int id = args[1].toInt(&ok);
            if (!ok) {
                SQLDAL::closeDatabase();
                *error = QStringLiteral("%1 needs a venue id (a whole number)").arg(command);
                return 2;
            }
            if (command == u"open") {
                result = openState(id, options.atTime);
            } else {
                const QVariantList values = SQLDAL::getVenueDetails(id, QString());
                QJsonObject object;
                for (int i = 0; i < SQLDAL::DetailCount; ++i)
                    object.insert(QString::fromLatin1(detailNames[i]),
                                  QJsonValue::fromVariant(values.value(i)));
                result = object;
            }
        }
        SQLDAL::closeDatabase();
    }
    const QJsonDocument document =
        result.isArray() ? QJsonDocument(result.toArray()) : QJsonDocument(result.toObject());
    out << document.toJson(QJsonDocument::Indented);
    out.flush();
    return 0;
}

} // namespace Edition
