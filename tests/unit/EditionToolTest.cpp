#include "model/PropertyList.h"
#include "tests/support/TestSupport.h"
#include "tools/edition/Edition.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <sqlite3.h>

using namespace testsupport;

namespace {

class EditionToolTest : public GuideTest {
protected:
    QStringList check() {
        QStringList problems;
        result = Edition::check(edition(), &problems);
        return problems;
    }
    QJsonDocument show(const QStringList& what, int* code = nullptr) {
        QString output;
        QTextStream out(&output);
        QString error;
        const int rc = Edition::show(edition(), what, out, &error);
        if (code)
            *code = rc;
        lastError = error;
        return QJsonDocument::fromJson(output.toUtf8());
    }
    Edition::CheckResult result = Edition::CheckResult::Clean;
    QString lastError;
};

TEST_F(EditionToolTest, TheFixtureEditionIsClean) {
    completePictures(edition());
    EXPECT_EQ(check(), QStringList());
    EXPECT_EQ(result, Edition::CheckResult::Clean);
}

TEST_F(EditionToolTest, CheckNamesEachProblemWithItsFile) {
    completePictures(edition());
    QFile::remove(editionFile("sacher.png"));
    QFile::remove(editionFile("Close.png"));
    QFile::remove(editionFile("Sights@2x.png"));
    QFile::remove(editionFile("imprint.txt"));
    QString settings = readText(editionFile("manager.csv"));
    settings.replace(u"hotels;2"_qs, u"hotels;9"_qs);
    settings.replace(u"2026-11-30"_qs, u"someday"_qs);
    settings.replace(u"City Centre:CityMap.png:CityMapThumb"_qs, u"City Centre:CityMap.png"_qs);
    writeText(editionFile("manager.csv"), settings);

    const QStringList problems = check();
    EXPECT_EQ(result, Edition::CheckResult::Problems);
    const QStringList expected = {
        u"manager.csv:2: DateRelease \"someday\" is not a date"_qs,
        u"manager.csv:2: OrderMaps entry 2 \"City Centre:CityMap.png\" has 2 parts, not 3"_qs,
        u"manager.csv:2: chapter \"Hotels\" has id \"9\", which no venue has"_qs,
        u"Catalog.sqlite: venue 7: chapter id \"2\" (4 venues) has no entry in OrderChapters, so no reader "
        "finds them (venue \"Hotel Sacher\")"_qs,
        u"imprint.txt: missing"_qs,
        u"Close.png: missing: the guide always shows this picture"_qs,
        u"manager.csv:2: warning: picture \"Sights\" has no Sights@2x.png for sharp screens"_qs,
        u"Catalog.sqlite: venue 7: picture \"sacher\" does not exist (venue \"Hotel Sacher\")"_qs,
    };
    for (const QString& line : expected)
        EXPECT_TRUE(problems.contains(line)) << line.toStdString() << "\nin:\n"
                                             << problems.join(u'\n').toStdString();
    EXPECT_EQ(problems.size(), expected.size()) << problems.join(u'\n').toStdString();
}

TEST_F(EditionToolTest, CheckSurvivesGarbage) {
    writeBytes(editionFile("manager.csv"), QByteArray("\xff\xfe garbage \x00\x01", 14));
    writeText(editionFile("Catalog.sqlite"), u"not a database at all, just text"_qs);
    writeBytes(editionFile("chapter.plist"), QByteArray("bplist00\xd1\x01\x02", 11));
    const QStringList problems = check();
    EXPECT_TRUE(problems.contains(u"manager.csv: is not valid UTF-8"_qs))
        << problems.join(u'\n').toStdString();
    EXPECT_TRUE(problems.contains(u"Catalog.sqlite: file is not a database"_qs))
        << problems.join(u'\n').toStdString();
    EXPECT_TRUE(problems.contains(u"chapter.plist: not a readable property list"_qs))
        << problems.join(u'\n').toStdString();

    QStringList none;
    EXPECT_EQ(Edition::check(documentFile("missing"), &none), Edition::CheckResult::NotAnEdition);
    EXPECT_EQ(Edition::check(documents(), &none), Edition::CheckResult::NotAnEdition);
}

TEST_F(EditionToolTest, CheckFindsASettingsRowSplitByAQuote) {
    QString settings = readText(editionFile("manager.csv"));
    settings.replace(u"\"Teststadt\""_qs, u"\"Test\"st,adt\""_qs);
    writeText(editionFile("manager.csv"), settings);
    const QStringList problems = check();
    ASSERT_FALSE(problems.isEmpty());
    EXPECT_TRUE(problems[0].startsWith(u"manager.csv:2: the data line has "_qs)) << problems[0].toStdString();
    EXPECT_TRUE(problems[0].contains(u"fields, not 28"_qs)) << problems[0].toStdString();
}

// Settings written before the edition named its time zone: one error that says how to add it, and
// `set` adds it.
TEST_F(EditionToolTest, SettingsWithoutTheTimeZoneColumnAreToldHowToAddIt) {
    completePictures(edition());
    QString settings = readText(editionFile("manager.csv"));
    settings.replace(u",InfoTimeZoneId\n"_qs, u"\n"_qs);
    ASSERT_TRUE(settings.endsWith(u",\"Europe/Vienna\""_qs));
    settings.chop(int(std::strlen(",\"Europe/Vienna\"")));
    writeText(editionFile("manager.csv"), settings);
    EXPECT_EQ(check(), QStringList{u"manager.csv:1: the header has no InfoTimeZoneId, the edition's time zone "
                                   "(an IANA id such as Europe/Vienna) that opening hours are read in; "
                                   "`cityguide-edition set SRC InfoTimeZoneId=...` adds it"_qs});
    QString output, error;
    QTextStream out(&output);
    ASSERT_EQ(Edition::setSettings({edition(), u"InfoTimeZoneId=Europe/Vienna"_qs}, out, &error), 0)
        << error.toStdString();
    EXPECT_EQ(check(), QStringList());
}

TEST_F(EditionToolTest, ShowPrintsWhatTheGuideReads) {
    const QJsonObject settings = show({u"settings"_qs}).object();
    EXPECT_EQ(settings.value(u"InfoNameLocal"_qs).toString(), u"Teststadt"_qs);
    EXPECT_EQ(settings.size(), 28);
    // The cached XML loses its inner quotes on the way through the settings reader.
    EXPECT_TRUE(settings.value(u"UserCurrencyRates"_qs).toString().startsWith(u"<?xml version=1.0"_qs));

    const QJsonObject categories = show({u"categories"_qs, u"1"_qs}).object();
    EXPECT_EQ(categories.value(u"counts"_qs).toArray().first().toString(), u"2"_qs);

    const QJsonArray venues =
        show({u"venues"_qs, u"1"_qs, u"Bars"_qs, u"--at"_qs, u"48.2085,16.3721"_qs, u"--imperial"_qs})
            .array();
    ASSERT_EQ(venues.size(), 2);
    EXPECT_EQ(venues[0].toObject().value(u"venueDistance"_qs).toString(), u"0ft"_qs);
    EXPECT_TRUE(venues[1].toObject().value(u"venueDistance"_qs).toString().endsWith(u"ft"_qs));

    EXPECT_EQ(show({u"search"_qs, u"baroque"_qs}).array().size(), 1);
    EXPECT_EQ(show({u"details"_qs, u"7"_qs}).object().value(u"hotel_room_decription"_qs).toString(),
              u"149 rooms and suites"_qs);
    // Near a point: ids and distances, nearest first (Hotel Sacher, venue 7, is nearest to its door).
    const QJsonArray near = show({u"near"_qs, u"48.2039,16.3695"_qs}).array();
    ASSERT_EQ(near.size(), 8);
    EXPECT_EQ(near[0].toObject().value(u"venueID"_qs).toInt(), 7);
    EXPECT_EQ(near[0].toObject().value(u"venueDistance"_qs).toString(), u"0m"_qs);
    for (qsizetype i = 1; i < near.size(); ++i)
        EXPECT_LE(near[i - 1].toObject().value(u"venueRealDistance"_qs).toDouble(),
                  near[i].toObject().value(u"venueRealDistance"_qs).toDouble());
    EXPECT_EQ(show({u"introduction"_qs, u"1"_qs}).object().value(u"title"_qs).toString(),
              u"Sights of Testcity"_qs);
    const QJsonObject theme = show({u"theme"_qs, u"Hotels"_qs}).object();
    EXPECT_EQ(theme.value(u"background"_qs).toString(), u"HotelsBackground"_qs);
    EXPECT_EQ(theme.value(u"placement"_qs).toObject().value(u"venue_id"_qs).toInt(), 7);
}

// `show open` answers as the detail page would, at a local time of the edition (Europe/Vienna).
TEST_F(EditionToolTest, ShowOpenTellsTheStateAtTheEditionsLocalTime) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(editionFile("Catalog.sqlite")).constData(), &db), SQLITE_OK);
    ASSERT_EQ(
        sqlite3_exec(db, "update catalog set opening_hours = 'Mo-Sa 10:00-19:00; Su,PH off' where rowid = 7",
                     nullptr, nullptr, nullptr),
        SQLITE_OK);
    sqlite3_close(db);
    auto open = [&](const char* at) {
        return show({u"open"_qs, u"7"_qs, u"--at"_qs, QString::fromLatin1(at)}).object();
    };
    // Sunday noon, and Christmas Day (a Friday, Austria's holiday): closed until the next opening.
    QJsonObject state = open("2026-12-13T12:00");
    EXPECT_EQ(state.value(u"state"_qs).toString(), u"closed"_qs);
    EXPECT_EQ(state.value(u"changes"_qs).toString(), u"2026-12-14T10:00"_qs);
    EXPECT_EQ(state.value(u"text"_qs).toString(), u"Closed · opens Mon 10:00"_qs);
    EXPECT_EQ(open("2026-12-25T12:00").value(u"changes"_qs).toString(), u"2026-12-28T10:00"_qs);
    // Ten minutes before closing, and the closing minute itself.
    state = open("2026-12-14T18:50");
    EXPECT_EQ(state.value(u"state"_qs).toString(), u"open"_qs);
    EXPECT_EQ(state.value(u"text"_qs).toString(), u"Closes in 10 min"_qs);
    EXPECT_EQ(open("2026-12-14T19:00").value(u"state"_qs).toString(), u"closed"_qs);
    // A venue without hours: unknown, and no change to tell.
    state = show({u"open"_qs, u"1"_qs, u"--at"_qs, u"2026-12-14T12:00"_qs}).object();
    EXPECT_EQ(state.value(u"state"_qs).toString(), u"unknown"_qs);
    EXPECT_TRUE(state.value(u"changes"_qs).isNull());
    int code = 0;
    show({u"open"_qs, u"7"_qs, u"--at"_qs, u"2026-12-14 12:00"_qs}, &code);
    EXPECT_EQ(code, 2);
    EXPECT_TRUE(lastError.startsWith(u"--at needs a local time"_qs)) << lastError.toStdString();
}

TEST_F(EditionToolTest, ShowRejectsBadInputWithOneLine) {
    int code = 0;
    show({u"venues"_qs, u"1"_qs}, &code);
    EXPECT_EQ(code, 2);
    show({u"near"_qs, u"north"_qs}, &code);
    EXPECT_EQ(code, 2);
    EXPECT_EQ(lastError, u"near needs a position LAT,LON"_qs);
    // What the edition does not have is an error that says what it has.
    show({u"categories"_qs, u"9"_qs}, &code);
    EXPECT_EQ(code, 1);
    EXPECT_EQ(lastError, u"no chapter \"9\" in the catalogue (chapters: 1, 2)"_qs);
    show({u"venues"_qs, u"1"_qs, u"Bar"_qs}, &code);
    EXPECT_EQ(code, 1);
    EXPECT_EQ(lastError,
              u"chapter \"1\" has no category \"Bar\" (categories: All, Art, Bars, Martial Arts, Wine "
              "Bars)"_qs);
    show({u"details"_qs, u"99"_qs}, &code);
    EXPECT_EQ(code, 1);
    EXPECT_EQ(lastError, u"no venue with the id 99 (ids: 1 to 10)"_qs);
    writeText(editionFile("Catalog.sqlite"), u"garbage"_qs);
    show({u"categories"_qs, u"1"_qs}, &code);
    EXPECT_EQ(code, 2);
    EXPECT_EQ(lastError, u"Catalog.sqlite: file is not a database"_qs);
}

TEST_F(EditionToolTest, BuildReportsBadSourcesAndKeepsTheOldCatalogue) {
    QTemporaryDir source;
    QDir().mkpath(source.filePath(u"catalog"_qs));
    const QString out = documentFile("out");
    QString error;

    writeText(source.filePath(u"catalog/a.csv"_qs), u"name,gps_lat\nOne,48.2\n"_qs);
    ASSERT_TRUE(Edition::build(source.path(), out, &error)) << error.toStdString();
    const QByteArray good = [&] {
        QFile f(out + u"/Catalog.sqlite"_qs);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();

    const std::pair<QByteArray, QString> bad[] = {
        {"name,colour\nOne,red\n", "a.csv:1: unknown column \"colour\""},
        {"name,gps_lat\nOne,north\n", "a.csv:2: gps_lat \"north\" is not a number"},
        {"name,gps_lat\nOne,nan\n", "a.csv:2: gps_lat \"nan\" is not a finite number"},
        {"name,gps_lat\nOne,-inf\n", "a.csv:2: gps_lat \"-inf\" is not a finite number"},
        {"name,gps_lat\nOne\n", "a.csv:2: 1 fields where the header has 2"},
        {"name,body\nOne,\"open\n", "a.csv:2: a quoted field is never closed"},
        {"name,body\nOne,\"He said \"hi\" there\"\n",
         "a.csv:2: a quote inside a quoted field is not doubled (write \"\" for \")"},
        {"name,body\nOne,fine\nTwo,Caf\xe9 latin-1\n", "a.csv:3: is not UTF-8 text (save the file as UTF-8)"},
    };
    for (const auto& [text, why] : bad) {
        writeBytes(source.filePath(u"catalog/a.csv"_qs), text);
        EXPECT_FALSE(Edition::build(source.path(), out, &error));
        EXPECT_TRUE(error.endsWith(why)) << error.toStdString();
        QFile f(out + u"/Catalog.sqlite"_qs);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), good);
    }
    // Doubled quotes inside a quoted field, and a quoted field at a line's end (also with CR LF), read.
    writeBytes(source.filePath(u"catalog/a.csv"_qs), "name,body\r\nOne,\"He said \"\"hi\"\" there\"\r\n");
    EXPECT_TRUE(Edition::build(source.path(), out, &error)) << error.toStdString();
    EXPECT_FALSE(Edition::build(documentFile("nothing"), out, &error));
    EXPECT_TRUE(error.endsWith(u"no such folder"_qs));

    // A link may point inside the sources, never out of them.
    writeText(source.filePath(u"catalog/a.csv"_qs), u"name\nOne\n"_qs);
    writeText(source.filePath(u"Real.png"_qs), u"inside"_qs);
    ASSERT_TRUE(QFile::link(source.filePath(u"Real.png"_qs), source.filePath(u"Inner.png"_qs)));
    ASSERT_TRUE(Edition::build(source.path(), out, &error)) << error.toStdString();
    EXPECT_EQ(readText(out + u"/Inner.png"_qs), u"inside"_qs);
    ASSERT_TRUE(QFile::link(u"/etc/passwd"_qs, source.filePath(u"Picture.png"_qs)));
    EXPECT_FALSE(Edition::build(source.path(), out, &error));
    EXPECT_TRUE(error.contains(u"Picture.png: is a link to /etc/passwd, outside the source folder"_qs))
        << error.toStdString();
    EXPECT_FALSE(QFile::exists(out + u"/Picture.png"_qs));
}

// OUT becomes exactly the edition of the sources: what was removed from them is gone from it, a step
// that fails leaves it as it was, and a folder of other files is never taken for an edition.
TEST_F(EditionToolTest, BuildMakesOutExactlyTheEditionOfItsSources) {
    QTemporaryDir source;
    QDir().mkpath(source.filePath(u"catalog"_qs));
    writeText(source.filePath(u"catalog/a.csv"_qs), u"name\nOne\n"_qs);
    writeText(source.filePath(u"Old.png"_qs), u"old"_qs);
    const QString out = documentFile("out");
    QString error;
    ASSERT_TRUE(Edition::build(source.path(), out, &error)) << error.toStdString();
    EXPECT_EQ(readText(out + u"/Old.png"_qs), u"old"_qs);
    EXPECT_EQ(QFileInfo(out).permissions() & QFileDevice::ReadOther, QFileDevice::ReadOther);

    QFile::remove(source.filePath(u"Old.png"_qs));
    writeText(source.filePath(u"New.png"_qs), u"new"_qs);
    ASSERT_TRUE(Edition::build(source.path(), out, &error)) << error.toStdString();
    EXPECT_FALSE(QFile::exists(out + u"/Old.png"_qs));
    EXPECT_EQ(readText(out + u"/New.png"_qs), u"new"_qs);

    // A last step that fails (a drawing that cannot be drawn): the edition before it stays whole.
    writeText(source.filePath(u"Newer.png"_qs), u"newer"_qs);
    const auto failing = [](const QString&, QString* why) {
        *why = u"art/Broken.svg: not a drawing"_qs;
        return false;
    };
    EXPECT_FALSE(Edition::build(source.path(), out, &error, failing));
    EXPECT_EQ(error, u"art/Broken.svg: not a drawing"_qs);
    EXPECT_FALSE(QFile::exists(out + u"/Newer.png"_qs));
    EXPECT_EQ(readText(out + u"/New.png"_qs), u"new"_qs);
    const QString fresh = documentFile("fresh");
    EXPECT_FALSE(Edition::build(source.path(), fresh, &error, failing));
    EXPECT_FALSE(QFileInfo::exists(fresh));
    // Nothing of the attempts is left beside OUT.
    EXPECT_EQ(QDir(documentFile(""))
                  .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)
                  .filter(u"building"_qs),
              QStringList());

    const QString mine = documentFile("mine");
    QDir().mkpath(mine);
    writeText(mine + u"/letter.txt"_qs, u"keep"_qs);
    EXPECT_FALSE(Edition::build(source.path(), mine, &error));
    EXPECT_TRUE(error.contains(u"holds files but no edition"_qs)) << error.toStdString();
    EXPECT_EQ(readText(mine + u"/letter.txt"_qs), u"keep"_qs);
    EXPECT_FALSE(QFile::exists(mine + u"/Catalog.sqlite"_qs));
}

} // namespace

namespace {

TEST(EditionFeed, PrintsWhatThePagesWouldShowOrTheReadersError) {
    QString text, error;
    QTextStream out(&text);
    const QString rates = fixturePath(u"feeds/eurofxref-daily.xml"_qs);
    ASSERT_EQ(
        Edition::feed({u"currency"_qs, rates, u"--edition"_qs, fixturePath(u"edition"_qs)}, out, &error), 0)
        << error.toStdString();
    out.flush();
    const QJsonArray rows = QJsonDocument::fromJson(text.toUtf8()).object().value(u"rows"_qs).toArray();
    ASSERT_EQ(rows.size(), 2); // the fixture's EUR and USD
    EXPECT_EQ(rows[1].toObject().value(u"amount"_qs).toString(), u"1.16"_qs);

    text.clear();
    ASSERT_EQ(Edition::feed({u"weather"_qs, fixturePath(u"feeds/weather.xml"_qs), u"--temp"_qs, u"1"_qs}, out,
                            &error),
              0);
    out.flush();
    const QJsonObject now = QJsonDocument::fromJson(text.toUtf8()).object().value(u"rows"_qs)[0].toObject();
    EXPECT_EQ(now.value(u"temperature"_qs).toString(), u"36f"_qs);

    // With an edition: the weather symbols it has no picture for (a source's drawing counts).
    QTemporaryDir edition;
    QFile(fixturePath(u"edition/manager.csv"_qs)).copy(edition.filePath(u"manager.csv"_qs));
    for (const char* name : {"wsymbol_0004_black_low_cloud.png", "wsymbol_0006_mist@2x.png",
                             "art/wsymbol_0002_sunny_intervals.svg"}) {
        QDir().mkpath(QFileInfo(edition.filePath(QString::fromLatin1(name))).path());
        QFile file(edition.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    text.clear();
    ASSERT_EQ(
        Edition::feed({u"weather"_qs, fixturePath(u"feeds/weather.xml"_qs), u"--edition"_qs, edition.path()},
                      out, &error),
        0);
    out.flush();
    QStringList warned;
    for (const QJsonValue& warning :
         QJsonDocument::fromJson(text.toUtf8()).object().value(u"warnings"_qs).toArray())
        warned.append(warning.toString().section(u' ', 5, 5));
    warned.sort();
    EXPECT_EQ(warned, QStringList({u"wsymbol_0017_cloudy_with_light_rain"_qs,
                                   u"wsymbol_0019_cloudy_with_light_snow"_qs}));

    EXPECT_EQ(Edition::feed({u"weather"_qs, rates}, out, &error), 1);
    EXPECT_TRUE(error.contains(u"no weather"_qs)) << error.toStdString();
    EXPECT_EQ(Edition::feed({u"weather"_qs, u"/nowhere/at/all.xml"_qs}, out, &error), 1);
    EXPECT_EQ(Edition::feed({u"tides"_qs, rates}, out, &error), 2);
}

} // namespace

namespace {

using EditionMapTilesTest = EditionToolTest;

TEST_F(EditionMapTilesTest, CheckReadsTheMapTilesAndTheirBounds) {
    auto useTiles = [this](const QVariantMap& entry) {
        QVariantMap root = PropertyList::readFile(editionFile("chapter.plist"))->toMap();
        root.insert(u"Map Tiles"_qs, entry);
        ASSERT_TRUE(PropertyList::writeFileAtomically(editionFile("chapter.plist"), root));
    };
    useTiles({{u"file"_qs, u"tiles.mbtiles"_qs}, {u"url"_qs, u"https://tiles.example.org/{z}/{x}.png"_qs}});
    QStringList problems = check();
    // Missing, the file is a warning (the map goes on with online tiles), named where chapter.plist names it.
    const QStringList missing = problems.filter(
        u": warning: the \"Map Tiles\" file tiles.mbtiles is missing: offline, the live map would show no "
        "streets. Make it with cityguide-edition tiles or tiles-osm and put it into the edition's folder"_qs);
    ASSERT_EQ(missing.size(), 1) << problems.join(u'\n').toStdString();
    EXPECT_TRUE(missing[0].startsWith(u"chapter.plist:"_qs) && !missing[0].startsWith(u"chapter.plist:0"_qs))
        << missing[0].toStdString();
    EXPECT_TRUE(problems.contains(
        u"chapter.plist: \"Map Tiles\" url \"https://tiles.example.org/{z}/{x}.png\" lacks {z}, {x} or {y}"_qs));

    // Bounds that leave out the venues east of 16.37.
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(editionFile("tiles.mbtiles")).constData(), &db), SQLITE_OK);
    sqlite3_exec(db,
                 "create table metadata (name text, value text); create table tiles (zoom_level integer, "
                 "tile_column integer, tile_row integer, tile_data blob); insert into metadata values "
                 "('bounds', '16.3,48.1,16.37,48.3');",
                 nullptr, nullptr, nullptr);
    sqlite3_close(db);
    useTiles({{u"file"_qs, u"tiles.mbtiles"_qs}});
    problems = check();
    EXPECT_TRUE(problems.contains(
        u"Catalog.sqlite: venue 1: 48.2085,16.3721 lies outside the map tiles of "
        "tiles.mbtiles, which cover 48.1,16.3,48.3,16.37 (S,W,N,E) (venue \"Art Cafe\")"_qs))
        << problems.join(u'\n').toStdString();
    // That table has no index for the map's reads.
    EXPECT_TRUE(
        problems.contains(u"tiles.mbtiles: warning: \"tiles\" has no index on (zoom_level, tile_column, "
                          "tile_row): the live map reads every row for each tile"_qs))
        << problems.join(u'\n').toStdString();

    // Tiles as a view (one that never ends, here) are refused before any is read.
    ASSERT_EQ(sqlite3_open(QFile::encodeName(editionFile("tiles.mbtiles")).constData(), &db), SQLITE_OK);
    sqlite3_exec(
        db,
        "drop table tiles; create view tiles as with recursive n(i) as (select 0 union all select i + 1 "
        "from n) select 1 as zoom_level, 1 as tile_column, i as tile_row, x'00' as tile_data from n;",
        nullptr, nullptr, nullptr);
    sqlite3_close(db);
    problems = check();
    EXPECT_TRUE(
        problems.contains(u"tiles.mbtiles: \"tiles\" is a view; the guide reads a table of tiles (make "
                          "the file with cityguide-edition tiles)"_qs))
        << problems.join(u'\n').toStdString();
}

} // namespace

namespace {

// The fixture's sources as a publisher keeps them: catalog/fixture.csv beside the other files.
class SourceCheckTest : public ::testing::Test {
protected:
    void SetUp() override {
        const QString from = fixturePath(u"edition"_qs);
        ASSERT_TRUE(QDir().mkpath(folder.filePath(u"catalog"_qs)));
        for (const QString& name : QDir(from).entryList(QDir::Files))
            QFile::copy(from + u'/' + name, folder.filePath(name));
        QFile::copy(from + u"/catalog/fixture.csv"_qs, folder.filePath(u"catalog/fixture.csv"_qs));
        completePictures(folder.path());
    }
    QString file(const QString& name) const { return folder.filePath(name); }
    void replace(const QString& name, const QString& before, const QString& after) {
        QString text = readText(file(name));
        ASSERT_TRUE(text.contains(before)) << before.toStdString();
        writeText(file(name), text.replace(before, after));
    }
    QStringList check(Edition::CheckResult* result = nullptr) {
        QStringList problems;
        const Edition::CheckResult r = Edition::check(folder.path(), &problems);
        if (result)
            *result = r;
        return problems;
    }
    QTemporaryDir folder;
};

TEST_F(SourceCheckTest, TheFixtureSourcesAreClean) {
    Edition::CheckResult result = Edition::CheckResult::Problems;
    EXPECT_EQ(check(&result), QStringList());
    EXPECT_EQ(result, Edition::CheckResult::Clean);
    // Prices with ranges, currencies that ICU knows (one no longer in use among them), an https address.
    replace(u"catalog/fixture.csv"_qs, u"from EUR 400"_qs, u"EUR 300-400, suites 500 - 900"_qs);
    replace(u"manager.csv"_qs, u"EUR:€:FlagEU,USD:$:FlagUS"_qs,
            u"EUR:€:FlagEU,USD:$:FlagUS,CHF:Fr.:FlagCH,DEM:DM:FlagDE"_qs);
    EXPECT_EQ(check().filter(u"price_text"_qs) + check().filter(u"ISO 4217"_qs), QStringList());
    // A number written as dialled within the country, read by the plan of InfoCountryCode (+43).
    replace(u"catalog/fixture.csv"_qs, u"+43 1 555 0101"_qs, u"01 555 0101"_qs);
    EXPECT_EQ(check().filter(u"phone"_qs), QStringList());
}

// Each spoiled source gives its own line, naming the file, the line and the venue; a warning alone
// leaves the edition clean.
TEST_F(SourceCheckTest, EveryRuleNamesItsFileAndLine) {
    const QString csv = u"catalog/fixture.csv"_qs;
    struct Case {
        QString file, before, after, expected;
        bool warning = false;
    };
    const QList<Case> cases = {
        {u"manager.csv"_qs, u"hotels;2"_qs, u"hotels;9"_qs,
         u"manager.csv:2: chapter \"Hotels\" has id \"9\", which no venue has"_qs},
        {u"manager.csv"_qs, u"hotels;2"_qs, u"hotels;9"_qs,
         u"catalog/fixture.csv:8: chapter id \"2\" (4 venues) has no entry in OrderChapters, so no reader "
         u"finds "
         "them (venue \"Hotel Sacher\")"_qs},
        {csv, u",0,1,Sights,Bars,"_qs, u",0,1,Sight,Bars,"_qs,
         u"catalog/fixture.csv:3: chapter_name \"Sight\" differs from the label \"Sights\" of chapter \"1\" "
         u"in "
         "OrderChapters (venue \"Cafe\")"_qs},
        {csv, u",0,1,Sights,Bars,"_qs, u",0,1,Sights,bars,"_qs,
         u"catalog/fixture.csv:3: warning: category \"bars\" differs from \"Bars\" only by case, blanks, "
         "one letter or two swapped; a typo? (venue \"Cafe\")"_qs,
         true},
        {csv, u",1,1,Sights,Wine Bars,"_qs, u",1,1,Sights,Wine Bar,"_qs,
         u"catalog/fixture.csv:5: warning: category \"Wine Bar\" differs from \"Wine Bars\" only by case, "
         "blanks, one letter or two swapped; a typo? (venue \"Weinbar 100%\")"_qs,
         true},
        {csv, u",1,1,Sights,Wine Bars,"_qs, u",1,1,Sights,Wine Basr,"_qs,
         u"catalog/fixture.csv:5: warning: category \"Wine Basr\" differs from \"Wine Bars\" only by case, "
         "blanks, one letter or two swapped; a typo? (venue \"Weinbar 100%\")"_qs,
         true},
        {csv, u"Vienna''s best"_qs, u"Vienna's best"_qs,
         u"catalog/fixture.csv:4: body holds an apostrophe that is not doubled (write '' for ') (venue "
         "\"Vinothek\")"_qs},
        {csv, u"Kampfweg 6,1020,,,,,,,48.2150,16.3900,,,,,,,no,1,Sights,Martial Arts"_qs,
         u"Kampfweg 6,1020,,,,,,,48.2150,16.3900,,,,,,,no,1,Sights,Kid's Arts"_qs,
         u"catalog/fixture.csv:7: category_name \"Kid's Arts\" holds an apostrophe, which its screens show "
         u"as "
         "stored; leave it out (venue \"Dojo\")"_qs},
        {csv, u"Coffee under paintings."_qs, u"\"Coffee under\npaintings.\""_qs,
         u"catalog/fixture.csv:2: body holds a real line break; write \\n for a paragraph break (venue \"Art "
         "Cafe\")"_qs},
        {csv, u"2026-11-14"_qs, u"14.11.2026"_qs,
         u"catalog/fixture.csv:9: date_start \"14.11.2026\" is not a date yyyy-MM-dd (venue \"Christmas "
         "Market\")"_qs},
        {csv, u"2026-11-14"_qs, u"2027-01-14"_qs,
         u"catalog/fixture.csv:9: date_start 2027-01-14 is after date_stop 2026-12-26 (venue \"Christmas "
         "Market\")"_qs},
        {csv, u",YES,1,Sights,Bars,"_qs, u",ja,1,Sights,Bars,"_qs,
         u"catalog/fixture.csv:2: mobile_highlight \"ja\" reads as not featured; write 1 or YES for a "
         u"featured "
         "venue, 0, NO or nothing otherwise (venue \"Art Cafe\")"_qs},
        {csv, u"48.2100,16.3700"_qs, u"48.2100,"_qs,
         u"catalog/fixture.csv:3: gps_lat is given without gps_lon (venue \"Cafe\")"_qs},
        {csv, u"48.2100,16.3700"_qs, u"16.3700,48.2100"_qs,
         u"catalog/fixture.csv:3: warning: gps_lat and gps_lon look swapped (16.3700,48.2100 lies near the "
         "edition's default position the other way round) (venue \"Cafe\")"_qs,
         true},
        {csv, u"48.2100,16.3700"_qs, u"47.0707,15.4395"_qs,
         u"catalog/fixture.csv:3: warning: the position 47.0707,15.4395 lies 145 km from the edition's "
         u"default "
         "position (venue \"Cafe\")"_qs,
         true},
        {csv, u"48.2100,16.3700"_qs, u"nan,16.3700"_qs,
         u"catalog/fixture.csv:3: gps_lat \"nan\" is not a finite number (venue \"Cafe\")"_qs},
        {csv, u"48.2100,16.3700"_qs, u"48.2100,inf"_qs,
         u"catalog/fixture.csv:3: gps_lon \"inf\" is not a finite number (venue \"Cafe\")"_qs},
        // A postcode left out and an empty field added at the end: the count matches, the columns shift.
        {csv, u"Kunstgasse 1,1010,+43 1 555 0101,"_qs, u"Kunstgasse 1,+43 1 555 0101,,"_qs,
         u"catalog/fixture.csv:2: postcode \"+43 1 555 0101\" is not a postcode; are the columns shifted (a "
         u"field "
         "left out or one too many)?"_qs},
        {csv, u"+43 (1) 514-560,+43 1 555 0102,https://www.example.org/sacher,hotel@example.org"_qs,
         u"+43 (1) 514-560,https://www.example.org/sacher,hotel@example.org,+43 1 555 0102"_qs,
         u"catalog/fixture.csv:8: phone2 \"https://www.example.org/sacher\" is not a phone number; are the "
         u"columns "
         "shifted (a field left out or one too many)?"_qs},
        {u"manager.csv"_qs, u"<Cube currency='USD' rate='1.0512'/>"_qs,
         u"<Cube currency=\"USD\" rate=\"1.0512\"/>"_qs,
         u"manager.csv:3: UserCurrencyRates does not read as rates once the settings reader has dropped its "
         "double quotes"_qs},
        {u"manager.csv"_qs, u"SortAZ.tool"_qs, u"SortZA.tool"_qs,
         u"manager.csv:2: OrderVenuesTools names the unknown tool id \"SortZA.tool\""_qs},
        {u"chapter.plist"_qs, u"<key>Hotels</key><string>HotelsBackground</string>"_qs,
         u"<key>Hotels</key><string>HotelsBackground</string>\n<key>Museums</key><string>HotelsBackground</string>"_qs,
         u"chapter.plist:9: the background of \"Museums\" belongs to no chapter of OrderChapters"_qs},
        // A currency code ICU does not know as one of ISO 4217 ("GPB" for "GBP"); a known one passes.
        {u"manager.csv"_qs, u"EUR:€:FlagEU,USD:$:FlagUS"_qs, u"EUR:€:FlagEU,GPB:$:FlagUS"_qs,
         u"manager.csv:2: UserCurrencies names \"GPB\", which is no currency code of ISO 4217 (such as EUR, "
         u"USD, "
         "GBP); the converter would not open"_qs},
        {u"manager.csv"_qs, u"\"2026-11-30\""_qs, u"\"30.11.2026\""_qs,
         u"manager.csv:2: warning: DateRelease \"30.11.2026\" is not in the form yyyy-MM-dd (such as 2027-03-01)"_qs,
         true},
        {u"manager.csv"_qs, u",\"http://127.0.0.1:8642/feeds/weather.xml\""_qs, u",\"\""_qs,
         u"manager.csv:2: OrderChapterTools lists Weather.tool, but FeedWeather is empty: the weather page "
         u"would "
         "have nothing to show"_qs},
        {csv, u"from EUR 400"_qs, u"EUR -400"_qs,
         u"catalog/fixture.csv:8: price_text \"EUR -400\" holds a negative amount (venue \"Hotel Sacher\")"_qs},
        {csv, u"https://www.example.org/sacher"_qs, u"http://www.example.org/sacher"_qs,
         u"catalog/fixture.csv:8: warning: website \"http://www.example.org/sacher\" begins with http://; "
         u"the "
         "column holds the address without it (such as www.example.org), and the guide adds it (venue "
         "\"Hotel "
         "Sacher\")"_qs,
         true},
        {u"chapter.plist"_qs, u"<key>Search</key><dict><key>r</key>"_qs,
         u"<key>Serach</key><dict><key>r</key>"_qs,
         u"chapter.plist:15: the colour of \"Serach\" belongs to no chapter of OrderChapters"_qs},
        // A chapter's colour is named on its line in "Colors" (line 8 has the chapter in "Backgrounds").
        {u"chapter.plist"_qs, u"<key>r</key><string>0.2</string>"_qs, u"<key>r</key><string>red</string>"_qs,
         u"chapter.plist:14: chapter \"Hotels\" has no colour value \"r\" from 0 to 1"_qs},
        {u"chapter.plist"_qs, u"<key>g</key><real>0.4</real>"_qs, u""_qs,
         u"chapter.plist:14: chapter \"Hotels\" has no colour value \"g\" from 0 to 1"_qs},
        {u"Bookmarks.plist"_qs, u"<array/>"_qs, u"<array><string>Cafe</array>"_qs,
         u"Bookmarks.plist:6: Opening and ending tag mismatch."_qs},
        // What `new` and `import-osm` leave to fill in is an error wherever it is left.
        {u"manager.csv"_qs, u"\"TST\""_qs, u"\"[fill in]\""_qs,
         u"manager.csv:2: InfoAirportCode still says \"[fill in]\"; the guide would show it so"_qs},
        {csv, u"Coffee under paintings."_qs, u"[fill in] Coffee."_qs,
         u"catalog/fixture.csv:2: body still says \"[fill in]\"; the guide would show it so (venue \"Art "
         "Cafe\")"_qs},
        {u"imprint.txt"_qs, u"Contact details"_qs, u"[fill in] Contact details"_qs,
         u"imprint.txt:2: still says \"[fill in]\"; write in what it stands for"_qs},
        // Phone numbers are read by the telephone plan of the edition's country (+43: Austria).
        {u"manager.csv"_qs, u"\"+43\""_qs, u"\"+999\""_qs,
         u"manager.csv:2: InfoCountryCode \"+999\" is no country's calling code (such as +43)"_qs},
        {csv, u"Kunstgasse 1,1010,+43 1 555 0101,"_qs, u"Kunstgasse 1,1010,+43 1,"_qs,
         u"catalog/fixture.csv:2: phone \"+43 1\" is too short for a phone number (venue \"Art Cafe\")"_qs},
        {csv, u"Kunstgasse 1,1010,+43 1 555 0101,"_qs, u"Kunstgasse 1,1010,+43 9 555 0101,"_qs,
         u"catalog/fixture.csv:2: phone \"+43 9 555 0101\" is no number of the telephone plan of AT (+43) "
         "(venue \"Art Cafe\")"_qs},
        // Opening hours are read in the edition's zone: a place's zone, not an offset or a guess.
        {u"manager.csv"_qs, u"\"Europe/Vienna\""_qs, u"\"Europe/Wien\""_qs,
         u"manager.csv:7: InfoTimeZoneId \"Europe/Wien\" is no place's time zone (an IANA id such as "
         "Europe/Vienna)"_qs},
        {u"manager.csv"_qs, u"\"Europe/Vienna\""_qs, u"\"UTC+01:00\""_qs,
         u"manager.csv:7: InfoTimeZoneId \"UTC+01:00\" is no place's time zone"_qs},
        {u"manager.csv"_qs, u"\"Europe/Vienna\""_qs, u"\"\""_qs,
         u"InfoTimeZoneId is empty: the edition's time zone (an IANA id such as Europe/Vienna) is needed"_qs},
        {u"manager.csv"_qs, u"Bookmark:Bookmark:Bookmark.tool\""_qs,
         u"Bookmark:Bookmark:Bookmark.tool,Open now:Bookmark:OpenNow.tool\""_qs,
         u"manager.csv:2: OrderDetailedViewTools lists OpenNow.tool, which only a list of venues has "
         "(OrderVenuesTools)"_qs},
        {csv, u"Kunstgasse 1,1010,+43 1 555 0101,"_qs, u"Kunstgasse 1,1010,+999 1 555 0101,"_qs,
         u"catalog/fixture.csv:2: phone \"+999 1 555 0101\" is of no country: no country has its calling "
         "code (venue \"Art Cafe\")"_qs},
    };
    QMap<QString, QString> clean;
    for (const QString& name :
         {csv, u"manager.csv"_qs, u"chapter.plist"_qs, u"imprint.txt"_qs, u"Bookmarks.plist"_qs})
        clean.insert(name, readText(file(name)));
    for (const Case& c : cases) {
        for (auto kept = clean.cbegin(); kept != clean.cend(); ++kept)
            writeText(file(kept.key()), kept.value());
        replace(c.file, c.before, c.after);
        Edition::CheckResult result = Edition::CheckResult::Clean;
        const QStringList problems = check(&result);
        const QStringList found = problems.filter(c.expected);
        EXPECT_EQ(found.size(), 1) << "expected: " << c.expected.toStdString() << "\nin:\n"
                                   << problems.join(u'\n').toStdString();
        EXPECT_EQ(result, c.warning && problems.size() == 1 ? Edition::CheckResult::Clean
                                                            : Edition::CheckResult::Problems)
            << c.expected.toStdString();
    }
}

// Opening hours are read by the library the guide reads them with; one it cannot read is named.
TEST_F(SourceCheckTest, OpeningHoursTheGuideCannotReadAreNamed) {
    QStringList lines = readText(file(u"catalog/fixture.csv"_qs)).split(u'\n');
    lines[0] += u",opening_hours"_qs;
    for (qsizetype i = 1; i < lines.size(); ++i)
        if (!lines[i].isEmpty())
            lines[i] += u',';
    lines[1] += u"\"Mo-Fr 09:00-18:00; Sa,Su,PH off\""_qs; // Art Cafe
    lines[2] += u"Mo-Fx 09:00-18:00"_qs;                   // Cafe
    lines[3] += u"Fr-Sa 22:00-03:00"_qs;                   // Vinothek
    writeText(file(u"catalog/fixture.csv"_qs), lines.join(u'\n'));
    EXPECT_EQ(check(),
              QStringList{u"catalog/fixture.csv:3: opening_hours \"Mo-Fx 09:00-18:00\" cannot be read "
                          "(SyntaxError); see https://wiki.openstreetmap.org/wiki/Key:opening_hours "
                          "(venue \"Cafe\")"_qs});
}

TEST_F(SourceCheckTest, TextThatIsNotUtf8AndMissingPicturesAreNamed) {
    QByteArray bytes = readText(file(u"catalog/fixture.csv"_qs)).toUtf8();
    bytes.replace("Jazz Club", "Jazz Caf\xe9");
    writeBytes(file(u"catalog/fixture.csv"_qs), bytes);
    QFile::remove(file(u"Close.png"_qs));
    QFile::remove(file(u"Sights@2x.png"_qs));
    QFile::remove(file(u"sacher.png"_qs));
    EXPECT_EQ(check(),
              (QStringList{
                  u"catalog/fixture.csv:10: is not UTF-8 text (save the file as UTF-8)"_qs,
                  u"Close.png: missing: the guide always shows this picture"_qs,
                  u"manager.csv:2: warning: picture \"Sights\" has no Sights@2x.png for sharp screens"_qs,
              }));
}

// Every picture the guide shows is decoded as the guide would: one too large to decode, one cut short
// and a drawing that cannot be drawn are named; the rest pass.
TEST_F(SourceCheckTest, PicturesTheGuideCannotShowAreNamed) {
    // The guide's limit is Qt's (128 MB: a 6,000 x 6,000 photograph is beyond it); here 1 MB, so that
    // the pictures stay small: 600 x 600 true-colour pixels are 1.44 MB, 500 x 500 are 1,000,000 bytes.
    const int limit = QImageReader::allocationLimit();
    QImageReader::setAllocationLimit(1);
    QImage huge(600, 600, QImage::Format_RGB32);
    huge.fill(Qt::darkGreen);
    ASSERT_TRUE(huge.save(file(u"sacher.png"_qs), "PNG"));
    QImage fits(500, 500, QImage::Format_RGB32);
    fits.fill(Qt::darkGreen);
    ASSERT_TRUE(fits.save(file(u"sacher@2x.png"_qs), "PNG"));
    const QByteArray whole = [this] {
        QFile close(file(u"Close.png"_qs));
        close.open(QIODevice::ReadOnly);
        return close.readAll();
    }();
    writeBytes(file(u"Close.png"_qs), whole.left(whole.size() / 2));
    QDir().mkpath(file(u"art"_qs));
    writeText(file(u"art/Sights.svg"_qs), u"<svg xmlns=\"http://www.w3.org/2000/svg\"><rect"_qs);
    // A drawing that nothing names is drawn by the build all the same; a sound one passes.
    writeText(file(u"art/Spare.svg"_qs), u"<svg broken"_qs);
    writeText(
        file(u"art/Fine.svg"_qs),
        u"<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"4\" height=\"4\"><rect width=\"4\" height=\"4\"/></svg>"_qs);
    const QStringList problems = check();
    EXPECT_EQ(
        problems.filter(u"sacher"_qs),
        QStringList{u"catalog/fixture.csv:8: picture sacher.png is 600 x 600 pixels, more than the guide "
                    "decodes (at most 1 MB as drawn); make it smaller (venue \"Hotel Sacher\")"_qs});
    EXPECT_EQ(problems.filter(u"Close.png"_qs).size(), 1);
    EXPECT_TRUE(problems.filter(u"Close.png"_qs)
                    .value(0)
                    .startsWith(u"Close.png: picture Close.png cannot be decoded ("_qs))
        << problems.join(u'\n').toStdString();
    EXPECT_EQ(problems.filter(u"Sights.svg"_qs),
              QStringList{u"manager.csv:2: drawing art/Sights.svg is not an SVG the build can draw"_qs});
    EXPECT_EQ(problems.filter(u"art/Spare.svg"_qs),
              QStringList{u"art/Spare.svg: is not an SVG the build can draw; the build would stop there"_qs});
    EXPECT_EQ(problems.size(), 4) << problems.join(u'\n').toStdString();
    QImageReader::setAllocationLimit(limit);
}

TEST_F(SourceCheckTest, ABuiltCatalogueIsATableWithThirtyTwoBitIds) {
    const QString out = folder.filePath(u"out"_qs);
    QString error;
    ASSERT_TRUE(Edition::build(folder.path(), out, &error)) << error.toStdString();
    completePictures(out);
    QStringList problems;
    ASSERT_EQ(Edition::check(out, &problems), Edition::CheckResult::Clean)
        << problems.join(u'\n').toStdString();

    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(out + u"/Catalog.sqlite"_qs).constData(), &db), SQLITE_OK);
    ASSERT_EQ(
        sqlite3_exec(db,
                     "insert into catalog (rowid, name, chapter_id, chapter_name, category_name) values "
                     "(4294967297, 'Far Away', '1', 'Sights', 'Bars')",
                     nullptr, nullptr, nullptr),
        SQLITE_OK);
    Edition::check(out, &problems);
    EXPECT_TRUE(
        problems.contains(u"Catalog.sqlite: venue 4294967297: the venue id 4294967297 does not fit the "
                          "guide's 32-bit ids (venue \"Far Away\")"_qs))
        << problems.join(u'\n').toStdString();

    // A view may hold a query that never ends; the catalogue must be a table.
    ASSERT_EQ(
        sqlite3_exec(db,
                     "alter table catalog rename to venues; create view catalog as with recursive n(x) as "
                     "(select 1 union all select x + 1 from n) select * from venues, n",
                     nullptr, nullptr, nullptr),
        SQLITE_OK);
    sqlite3_close(db);
    problems.clear();
    EXPECT_EQ(Edition::check(out, &problems), Edition::CheckResult::Problems);
    EXPECT_TRUE(problems.contains(u"Catalog.sqlite: \"catalog\" is a view, not a table"_qs))
        << problems.join(u'\n').toStdString();
}

} // namespace
