#include "catalog/SQLDAL.h"

#include "platform/Log.h"
#include "platform/Paths.h"
#include "platform/TextValues.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QHash>
#include <QMutex>
#include <atomic>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <sqlite3.h>

namespace {

std::atomic<sqlite3*> connection{nullptr};
// How the open catalogue helps a search, as flags: the trigram index "catalog_search", and a folded
// copy of the names and descriptions "catalog_folded" (which the index then covers). Editions built
// by the edition tool have both; -1 when not looked at yet.
std::atomic<int> searchIndex{-1};
enum SearchHelp { TrigramIndex = 1, FoldedCopy = 2 };
// For the open catalogue's R*Tree of positions "catalog_position": how many venues in a box make it
// dense enough to read every row instead (see boxIsSparse); 0 without the index, -1 when not looked at.
std::atomic<int> positionIndex{-1};
// The venues' opening hours (OpenStreetMap's syntax) by row id, each read once for the open
// catalogue: a list marks its rows open or closed as they come on screen, and again every minute.
QMutex hoursMutex;
std::optional<QHash<int, QString>> hoursByVenue;
bool hoursColumn = false;
// Failed statements of this thread, so that a page's worker can tell a short list from a failed one.
thread_local int threadFailures = 0;
// When the statement this thread runs must have ended: no catalogue, however made, keeps a screen
// or a worker busy for longer.
thread_local QDeadlineTimer statementDeadline;
constexpr int statementTimeLimitMs = 2000;

// SQLite asks every few thousand steps; a statement past its deadline is interrupted and fails.
int pastDeadline(void*) {
    return statementDeadline.hasExpired() ? 1 : 0;
}

// The content stores every apostrophe doubled.
QString withSingleApostrophes(const char* bytes, int length) {
    QString text = QString::fromUtf8(bytes, length);
    if (length > 1 && std::memchr(bytes, '\'', size_t(length)))
        text.replace(QStringLiteral("''"), QStringLiteral("'"));
    return text;
}

// One prepared statement on the shared connection, finalized when it goes out of scope.
class Statement {
public:
    explicit Statement(const char* sql) {
        statementDeadline.setRemainingTime(statementTimeLimitMs);
        sqlite3* db = connection.load();
        if (!db) {
            logOnce(QStringLiteral("The catalogue is not open"));
            fail();
            return;
        }
        if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) != SQLITE_OK) {
            logOnce(QStringLiteral("Catalogue statement failed: %1 (%2)")
                        .arg(QString::fromUtf8(sqlite3_errmsg(db)), QString::fromUtf8(sql)));
            sqlite3_finalize(statement);
            statement = nullptr;
            fail();
        }
    }
    ~Statement() { sqlite3_finalize(statement); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool ok() const { return statement != nullptr; }

    void bindText(int index, const QString& value) {
        if (!statement)
            return;
        const QByteArray utf8 = value.toUtf8();
        sqlite3_bind_text(statement, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
    }
    void bindReal(int index, double value) {
        if (statement)
            sqlite3_bind_double(statement, index, value);
    }
    void bindInt(int index, int value) {
        if (statement)
            sqlite3_bind_int(statement, index, value);
    }
    // True for a row. The end of the rows and a failure both end the loop; a failure (a damaged
    // file, a full disk) is logged with its cause and remembered, so it never passes for the end.
    bool step() {
        if (!statement)
            return false;
        const int rc = sqlite3_step(statement);
        if (rc == SQLITE_ROW)
            return true;
        if (rc != SQLITE_DONE) {
            sqlite3* db = sqlite3_db_handle(statement);
            logOnce(
                QStringLiteral("Catalogue read failed: %1 (%2)")
                    .arg(QString::fromUtf8(sqlite3_errmsg(db)), QString::fromUtf8(sqlite3_sql(statement))));
            fail();
        }
        return false;
    }
    bool failed() const { return hasFailed; }

    QString text(int column) const {
        const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
        if (!bytes)
            return QString::fromLatin1("");
        return QString::fromUtf8(bytes, sqlite3_column_bytes(statement, column));
    }
    QString convertedText(int column) const {
        const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
        if (!bytes)
            return QString::fromLatin1("");
        return withSingleApostrophes(bytes, sqlite3_column_bytes(statement, column));
    }
    double real(int column) const { return sqlite3_column_double(statement, column); }
    int integer(int column) const { return sqlite3_column_int(statement, column); }
    // A coordinate, or 0 (no position) for one that is not a finite number within `limit` degrees.
    double coordinate(int column, double limit) const {
        const double value = sqlite3_column_double(statement, column);
        return std::isfinite(value) && std::abs(value) <= limit ? value : 0;
    }
    // A venue id; none for one the guide's 32-bit ids cannot hold, which would open another venue.
    std::optional<int> venueID(int column) const {
        const qint64 id = sqlite3_column_int64(statement, column);
        if (id < std::numeric_limits<int>::min() || id > std::numeric_limits<int>::max()) {
            logOnce(QStringLiteral("Catalogue venue id %1 is too large; the venue is left out").arg(id));
            return std::nullopt;
        }
        return int(id);
    }

private:
    void fail() {
        hasFailed = true;
        ++threadFailures;
    }

    sqlite3_stmt* statement = nullptr;
    bool hasFailed = false;
};

QString namePattern(const QString& text) {
    return u'%' + text + u'%';
}

// Names reach the lookups as the reader saw them, with single apostrophes; the catalogue stores
// them doubled.
QString storedForm(const QString& text) {
    QString stored = text;
    return stored.replace(u'\'', QStringLiteral("''"));
}

// The reader's text matches itself: "%", "_" and the escape character lose their pattern meaning.
QString literalPattern(const QString& text) {
    QString escaped;
    escaped.reserve(text.size() + 8);
    for (QChar c : text) {
        if (c == u'\\' || c == u'%' || c == u'_')
            escaped += u'\\';
        escaped += c;
    }
    return u'%' + escaped + u'%';
}

// Rows of: name, body, gps_lat, gps_lon, address, date_start, rowid, mobile_highlight.
VenueList listVenues(Statement& statement) {
    VenueList venues;
    while (statement.step()) {
        Venue venue;
        venue.venueName = statement.convertedText(0);
        venue.venueDescription = statement.convertedText(1);
        venue.gpsLat = statement.coordinate(2, 90);
        venue.gpsLong = statement.coordinate(3, 180);
        venue.venueAddress = statement.convertedText(4);
        venue.venueDateStart = statement.convertedText(5);
        const std::optional<int> id = statement.venueID(6);
        venue.mobile_highlight = boolValueOfText(statement.text(7));
        if (id) {
            venue.venueID = *id;
            venues.append(std::move(venue));
        }
    }
    // Part of a list is not shown as if it were all of it.
    if (statement.failed())
        return {};
    return venues;
}

constexpr const char* venueListColumns =
    "select name, body, gps_lat, gps_lon, address, date_start, rowid, mobile_highlight from catalog ";

constexpr const char* detailColumns =
    "select address, postcode, phone, phone2, website, email, metro, map, gps_lat, "
    "gps_lon, body, image, price_text, date_start, date_stop, open_text, rowid, "
    "hotel_room_decription";

QVariantList emptyDetails(int venueID) {
    QVariantList values;
    for (int i = 0; i < SQLDAL::DetailCount; ++i)
        values.append(QString::fromLatin1(""));
    values[SQLDAL::DetailLatitude] = 0.0;
    values[SQLDAL::DetailLongitude] = 0.0;
    values[SQLDAL::DetailRowID] = venueID;
    return values;
}

// Columns of detailColumns (then, from `first` on, mobile_highlight) into the 20 positions.
QVariantList detailsFromRow(const Statement& s, int highlightColumn) {
    QVariantList values;
    values.reserve(SQLDAL::DetailCount);
    values << s.convertedText(0) << s.text(1) << s.text(2) << s.text(3) << s.text(4) << s.text(5) << s.text(6)
           << s.text(7) << s.coordinate(8, 90) << s.coordinate(9, 180) << s.text(12) << s.convertedText(10)
           << s.text(11) << s.text(12) << s.text(13) << s.text(14) << s.text(15) << s.integer(16)
           << s.text(17) << s.text(highlightColumn);
    return values;
}

} // namespace

QString SQLDAL::dataFilePath(const QString& fileName) {
    return Paths::documentPath(fileName);
}

void SQLDAL::connectToDatabase() {
    closeDatabase();
    const QString working = dataFilePath(QStringLiteral("Catalog.sqlite"));
    QFile::remove(working);
    Paths::copyAsWorkingCopy(Paths::resourcePath(QStringLiteral("Catalog.sqlite")), working);

    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(working).constData(), &db,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        logLine(QStringLiteral("Cannot open the catalogue %1: %2")
                    .arg(working, QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc))));
        sqlite3_close(db);
        return;
    }
    sqlite3_progress_handler(db, 10000, pastDeadline, nullptr);
    connection.store(db);
}

void SQLDAL::closeDatabase() {
    if (sqlite3* db = connection.exchange(nullptr))
        sqlite3_close_v2(db);
    searchIndex.store(-1);
    positionIndex.store(-1);
    QMutexLocker lock(&hoursMutex);
    hoursByVenue.reset();
}

bool SQLDAL::isOpen() {
    return connection.load() != nullptr;
}

int SQLDAL::failuresOnThisThread() {
    return threadFailures;
}

namespace {

// A category is known by its name without surrounding blanks, stored with single or doubled
// apostrophes; the list of names, the counts and the venue lists all select it this way.
constexpr const char* categoryMatch = "trim(category_name) in (?001, ?002)";

void bindCategory(Statement& statement, const QString& category) {
    const QString name = trimmedText(category);
    statement.bindText(1, name);
    statement.bindText(2, storedForm(name));
}

QByteArray categoryQuery(const char* head, const char* tail) {
    return QByteArray(head) + categoryMatch + tail;
}

} // namespace

SQLDAL::ChapterCategories SQLDAL::getCategoriesForChapter(const QString& chapterID) {
    const int failuresBefore = threadFailures;
    ChapterCategories result;
    {
        Statement names("select distinct trim(category_name) from catalog where chapter_id = ?001");
        names.bindText(1, chapterID);
        while (names.step())
            result.names.append(names.convertedText(0));
    }
    for (const QString& name : std::as_const(result.names)) {
        Statement count(
            categoryQuery("select count(category_name) from catalog where ", " and chapter_id = ?003"));
        bindCategory(count, name);
        count.bindText(3, chapterID);
        result.counts.append(count.step() ? QString::number(count.integer(0)) : QString::fromLatin1("0"));
    }
    {
        Statement total("select count(category_name) from catalog where chapter_id = ?001");
        total.bindText(1, chapterID);
        result.total = total.step() ? QString::number(total.integer(0)) : QString::fromLatin1("");
    }
    for (const QString& name : std::as_const(result.names))
        result.located.append(categoryHasVenuesWithLocationGiven(name, chapterID));
    if (threadFailures != failuresBefore)
        return {};
    return result;
}

QString SQLDAL::categoryHasVenuesWithLocationGiven(const QString& category, const QString& chapterID) {
    Statement statement(categoryQuery("select count(*) from catalog where ",
                                      " AND gps_lat NOT NULL AND gps_lon NOT NULL AND chapter_id = ?003"));
    bindCategory(statement, category);
    statement.bindText(3, chapterID);
    return statement.step() && statement.integer(0) > 0 ? QStringLiteral("1") : QStringLiteral("0");
}

QStringList SQLDAL::getCategoryIntroduction(const QString& chapterID) {
    Statement statement("select text_short, text_long, title from catalog where chapter_id = ?001");
    statement.bindText(1, chapterID);
    if (!statement.step())
        return {QString::fromLatin1(""), QString::fromLatin1(""), QString::fromLatin1("")};
    return {statement.convertedText(0), statement.convertedText(1), statement.convertedText(2)};
}

VenueList SQLDAL::getVenuesForCategory(const QString& category, const QString& chapterID) {
    const QString name = trimmedText(category);
    if (name == QLatin1String("All")) {
        Statement statement(
            (QByteArray(venueListColumns) + "where chapter_id = ?001 order by name").constData());
        statement.bindText(1, chapterID);
        return listVenues(statement);
    }
    Statement statement(categoryQuery((QByteArray(venueListColumns) + "where ").constData(),
                                      " and chapter_id = ?003 order by name")
                            .constData());
    bindCategory(statement, name);
    statement.bindText(3, chapterID);
    return listVenues(statement);
}

namespace {

int searchHelp() {
    int known = searchIndex.load();
    if (known < 0) {
        Statement index("select 1 from sqlite_master where type = 'table' and name = 'catalog_search'");
        Statement folded("select 1 from sqlite_master where type = 'table' and name = 'catalog_folded'");
        known = (index.step() ? TrigramIndex : 0) | (folded.step() ? FoldedCopy : 0);
        searchIndex.store(known);
    }
    return known;
}

// A query of the trigram index that every row containing the text satisfies (and a few more, as the
// index folds case beyond ASCII): all the text's trigrams, each quoted, joined by AND.
QString trigramQuery(const QString& text) {
    const QList<uint> codes = text.toUcs4();
    QStringList trigrams;
    for (qsizetype i = 0; i + 3 <= codes.size(); ++i) {
        QString trigram = QString::fromUcs4(reinterpret_cast<const char32_t*>(codes.constData() + i), 3);
        trigram.replace(u'"', QStringLiteral("\"\""));
        trigrams.append(u'"' + trigram + u'"');
    }
    return trigrams.join(QStringLiteral(" AND "));
}

} // namespace

VenueList SQLDAL::getVenuesNamedAs(const QString& text) {
    // No name or description is this long; a longer text would only make the pattern slow.
    // A zero character belongs to no text (and would end the index's query early).
    const QString searched = storedForm(trimmedText(QString(text).remove(QChar(0))).left(maxSearchLength));
    const int help = searchHelp();
    if (help & FoldedCopy) {
        // Case and accents forgiven: the folded text within the folded copy of the names and
        // descriptions. Folding keeps what contained the text containing it, so nothing found
        // without folding is lost. The index holds the folded texts' trigrams with their positions,
        // so a text of three characters or more is found by the index alone, as a run of trigrams.
        const QString folded = searchFolded(searched);
        if ((help & TrigramIndex) && folded.size() >= 3) {
            Statement statement("select c.name, c.body, c.gps_lat, c.gps_lon, c.address, c.date_start, "
                                "c.rowid, c.mobile_highlight "
                                "from catalog_search s cross join catalog c on c.rowid = s.rowid where "
                                "catalog_search match ?001 "
                                "order by c.name");
            statement.bindText(1, u'"' + QString(folded).replace(u"\""_qs, u"\"\""_qs) + u'"');
            return listVenues(statement);
        }
        Statement statement("select c.name, c.body, c.gps_lat, c.gps_lon, c.address, c.date_start, c.rowid, "
                            "c.mobile_highlight "
                            "from catalog_folded f cross join catalog c on c.rowid = f.rowid where "
                            "f.name like ?001 escape '\\' or f.body like ?001 escape '\\' order by c.name");
        statement.bindText(1, literalPattern(folded));
        return listVenues(statement);
    }
    const QString narrowing = (help & TrigramIndex) ? trigramQuery(searched) : QString();
    if (narrowing.isEmpty()) {
        // Walking the name index would visit the rows in random order; reading the table straight
        // through and sorting what matched is several times faster.
        Statement statement(
            "select name, body, gps_lat, gps_lon, address, date_start, rowid, mobile_highlight "
            "from catalog not indexed where name like ?001 escape '\\' or body like ?001 escape "
            "'\\' order by name");
        statement.bindText(1, literalPattern(searched));
        return listVenues(statement);
    }
    // The index only narrows the rows; the pattern decides, so the result is the same as without it.
    Statement statement(
        (QByteArray(venueListColumns) +
         "where rowid in (select rowid from catalog_search where catalog_search match ?002) and "
         "(name like ?001 escape '\\' or body like ?001 escape '\\') order by name")
            .constData());
    statement.bindText(1, literalPattern(searched));
    statement.bindText(2, narrowing);
    return listVenues(statement);
}

VenueList SQLDAL::getVenueDataForVenues(const QStringList& names) {
    static const QByteArray columns = "select name, body, gps_lat, gps_lon, address, price_text, date_start, "
                                      "date_stop, open_text, rowid, mobile_highlight from catalog ";
    VenueList venues;
    for (const QString& name : names) {
        // The venue of exactly that name; only when there is none, the first whose name contains it.
        Statement exact((columns + "where name = ?001 or name = ?002 order by name").constData());
        exact.bindText(1, name);
        exact.bindText(2, storedForm(name));
        std::optional<Statement> pattern;
        const Statement* found = &exact;
        if (!exact.step()) {
            pattern.emplace((columns + "where name like ?001 or name like ?002 order by name").constData());
            pattern->bindText(1, namePattern(name));
            pattern->bindText(2, namePattern(storedForm(name)));
            if (!pattern->step())
                continue;
            found = &*pattern;
        }
        const Statement& s = *found;
        const std::optional<int> id = s.venueID(9);
        if (!id)
            continue;
        venues.append(Venue::initWithVenue(s.convertedText(0), s.convertedText(1), s.convertedText(4),
                                           s.coordinate(2, 90), s.coordinate(3, 180), QString(),
                                           s.convertedText(5), s.convertedText(6), s.convertedText(7),
                                           s.convertedText(8), *id, boolValueOfText(s.text(10))));
    }
    return venues;
}

namespace {

// How many venues in a box make reading every row cheaper than the index (0: no index). The index
// pays where the box holds a small part of the catalogue (a reader in one town of a country's
// edition): each venue it finds is then fetched alone, at several times the cost of reading a row in
// passing. From a sixteenth of the rows on, reading them all is cheaper.
int denseBox() {
    int known = positionIndex.load();
    if (known < 0) {
        Statement index("select 1 from sqlite_master where type = 'table' and name = 'catalog_position'");
        Statement last("select max(rowid) from catalog");
        known = index.step() ? (last.step() ? std::max(64, last.integer(0) / 16) : 64) : 0;
        positionIndex.store(known);
    }
    return known;
}

// Whether the box holds fewer venues than make it dense; counting up to that many in the index is
// cheap either way.
bool boxIsSparse(double south, double north, double west, double east) {
    const int enough = denseBox();
    if (enough == 0)
        return false;
    Statement count("select count(*) from (select 1 from catalog_position where max_lat > ?1 and "
                    "min_lat < ?2 and max_lon > ?3 and min_lon < ?4 limit ?5)");
    count.bindReal(1, south);
    count.bindReal(2, north);
    count.bindReal(3, west);
    count.bindReal(4, east);
    count.bindInt(5, enough);
    return count.step() && count.integer(0) < enough;
}

} // namespace

VenueList SQLDAL::getAllVenuesCloseTo(const std::optional<Position>& position) {
    constexpr double D = 0.09009009009009009;
    const double L = position ? position->latitude : 0;
    const double G = position ? position->longitude : 0;
    // Each venue comes with its id, so that its pin opens exactly that venue. The R*Tree holds the
    // positions rounded outwards, so it only narrows the rows down; the box itself decides, and the
    // rows come in the catalogue's order either way.
    const bool indexed = boxIsSparse(L - D, L + D, G - D, G + D);
    Statement statement(
        indexed ? "SELECT name, gps_lat, gps_lon, address, mobile_highlight, rowid FROM catalog "
                  "WHERE rowid IN (SELECT id FROM catalog_position WHERE max_lat > ?1 AND "
                  "min_lat < ?2 AND max_lon > ?3 AND min_lon < ?4) AND (gps_lat > ?1) AND "
                  "(gps_lat < ?2) AND (gps_lon > ?3) AND (gps_lon < ?4) ORDER BY rowid"
                : "SELECT name, gps_lat, gps_lon, address, mobile_highlight, rowid FROM catalog "
                  "WHERE (gps_lat > ?1) AND (gps_lat < ?2) AND (gps_lon > ?3) AND (gps_lon < ?4)");
    statement.bindReal(1, L - D);
    statement.bindReal(2, L + D);
    statement.bindReal(3, G - D);
    statement.bindReal(4, G + D);
    VenueList venues;
    while (statement.step()) {
        Venue venue;
        venue.venueName = statement.convertedText(0);
        venue.gpsLat = statement.coordinate(1, 90);
        venue.gpsLong = statement.coordinate(2, 180);
        venue.venueAddress = statement.convertedText(3);
        venue.mobile_highlight = boolValueOfText(statement.text(4));
        const std::optional<int> id = statement.venueID(5);
        if (!id)
            continue;
        venue.venueID = *id;
        venues.append(std::move(venue));
    }
    if (statement.failed())
        return {};
    return venues;
}

QString SQLDAL::getChapterNameForVenue(const QString& name) {
    const QString trimmed = trimmedText(name);
    Statement exact("select chapter_name from catalog where name = ?001 or name = ?002");
    exact.bindText(1, trimmed);
    exact.bindText(2, storedForm(trimmed));
    if (exact.step())
        return exact.convertedText(0);
    Statement pattern("select chapter_name from catalog where name like ?001 or name like ?002");
    pattern.bindText(1, namePattern(trimmed));
    pattern.bindText(2, namePattern(storedForm(trimmed)));
    return pattern.step() ? pattern.convertedText(0) : QString::fromLatin1("");
}

QString SQLDAL::openingHoursOf(int venueID) {
    // Longer than any real expression: a hostile catalogue does not keep the hours' reader busy.
    constexpr int longestHours = 1000;
    QMutexLocker lock(&hoursMutex);
    if (!hoursByVenue) {
        hoursByVenue.emplace();
        // Catalogues made before the column have no hours, which is no fault of theirs.
        Statement column("select 1 from pragma_table_info('catalog') where name = 'opening_hours'");
        hoursColumn = column.step();
    }
    if (!hoursColumn)
        return QString();
    if (const auto known = hoursByVenue->constFind(venueID); known != hoursByVenue->constEnd())
        return *known;
    Statement row("select opening_hours from catalog where rowid = ?1 and length(opening_hours) <= ?2");
    row.bindInt(1, venueID);
    row.bindInt(2, longestHours);
    const QString hours = row.step() ? row.text(0).trimmed() : QString();
    hoursByVenue->insert(venueID, hours);
    return hours;
}

QVariantList SQLDAL::getVenueDetails(int venueID, const QString& venueName) {
    const bool byID = venueID >= 0;
    traceLine(byID ? QStringLiteral("1st if") : QStringLiteral("2nd if"));
    const QByteArray sql = QByteArray(detailColumns) + ", mobile_highlight from catalog where " +
                           (byID ? "rowid = ?001" : "name like ?001 or name like ?002");
    Statement statement(sql.constData());
    if (byID) {
        statement.bindInt(1, venueID);
    } else {
        statement.bindText(1, venueName);
        statement.bindText(2, storedForm(venueName));
    }
    QVariantList values = emptyDetails(venueID);
    while (statement.step()) // the last matching row wins
        values = detailsFromRow(statement, 18);
    return values;
}

QVariantList SQLDAL::getVenueWithVenueID(int venueID, const QString& chapterID) {
    Q_UNUSED(chapterID);
    const QByteArray sql =
        QByteArray(detailColumns) +
        QString::asprintf(", name, mobile_highlight from catalog where rowid == \"%d\"", venueID).toUtf8();
    Statement statement(sql.constData());
    QVariantList values = emptyDetails(venueID);
    QString name = QString::fromLatin1("");
    while (statement.step()) {
        values = detailsFromRow(statement, 19);
        name = statement.text(18);
    }
    values.prepend(name);
    return values;
}
