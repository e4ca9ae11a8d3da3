#include "model/PropertyList.h"
#include "tests/support/TestSupport.h"
#include "tools/edition/Edition.h"

#include <QDir>
#include <QFile>
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
    EXPECT_TRUE(problems[0].contains(u"fields, not 27"_qs)) << problems[0].toStdString();
}

TEST_F(EditionToolTest, ShowPrintsWhatTheGuideReads) {
    const QJsonObject settings = show({u"settings"_qs}).object();
    EXPECT_EQ(settings.value(u"InfoNameLocal"_qs).toString(), u"Teststadt"_qs);
    EXPECT_EQ(settings.size(), 27);
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
    EXPECT_EQ(show({u"near"_qs, u"48.2085,16.3721"_qs}).array().size(), 8);
    EXPECT_EQ(show({u"introduction"_qs, u"1"_qs}).object().value(u"title"_qs).toString(),
              u"Sights of Testcity"_qs);
    const QJsonObject theme = show({u"theme"_qs, u"Hotels"_qs}).object();
    EXPECT_EQ(theme.value(u"background"_qs).toString(), u"HotelsBackground"_qs);
    EXPECT_EQ(theme.value(u"placement"_qs).toObject().value(u"venue_id"_qs).toInt(), 7);
}

TEST_F(EditionToolTest, ShowRejectsBadInputWithOneLine) {
    int code = 0;
    show({u"venues"_qs, u"1"_qs}, &code);
    EXPECT_EQ(code, 2);
    show({u"near"_qs, u"north"_qs}, &code);
    EXPECT_EQ(code, 2);
    EXPECT_EQ(lastError, u"near needs a position LAT,LON"_qs);
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
    EXPECT_TRUE(problems.contains(u"tiles.mbtiles: missing"_qs)) << problems.join(u'\n').toStdString();
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
    EXPECT_TRUE(problems.contains(u"tiles.mbtiles: venue 1 \"Art Cafe\" lies outside the tiles' bounds"_qs))
        << problems.join(u'\n').toStdString();
}

} // namespace
