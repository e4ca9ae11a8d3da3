#include "model/PropertyList.h"
#include "platform/MapTiles.h"
#include "tools/edition/Edition.h"
#include "tools/edition/EditionOsm.h"
#include "tools/edition/OsmCall.h"
#include "tools/edition/OsmExtract.h"
#include "tools/edition/OsmTiles.h"
#include "tools/edition/OsmTilesCommand.h"

#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <map>

namespace {

const QString fixture = QStringLiteral(GUIDE_FIXTURE_DIR "/osm/fixton.osm");

struct Row {
    QString category, chapter, body, address, postcode, phone, phone2, website, email, hours;
    double lat = 0, lon = 0;
};

// The built catalogue by venue name.
std::map<QString, Row> catalogue(const QString& edition) {
    std::map<QString, Row> rows;
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(edition + u"/Catalog.sqlite"_qs).constData(), &db, SQLITE_OPEN_READONLY,
                    nullptr);
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(
        db,
        "select name, category_name, chapter_id, body, address, postcode, phone, phone2, website, "
        "email, open_text, gps_lat, gps_lon from catalog",
        -1, &s, nullptr);
    const auto text = [&](int c) {
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, c)));
    };
    while (sqlite3_step(s) == SQLITE_ROW)
        rows[text(0)] = {text(1),
                         text(2),
                         text(3),
                         text(4),
                         text(5),
                         text(6),
                         text(7),
                         text(8),
                         text(9),
                         text(10),
                         sqlite3_column_double(s, 11),
                         sqlite3_column_double(s, 12)};
    sqlite3_finalize(s);
    sqlite3_close(db);
    return rows;
}

QString readText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

int darkPixels(const QImage& image) {
    int dark = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            dark += qGray(image.pixel(x, y)) < 110 ? 1 : 0;
    return dark;
}

class OsmImport : public ::testing::Test {
protected:
    int import(const QStringList& extra, QString* output = nullptr) {
        QString text;
        QTextStream out(&text);
        const int code = Edition::importOsm(
            QStringList{fixture, u"--city"_qs, u"Fixton"_qs, u"--center"_qs, u"47.0,9.0"_qs} + extra, out,
            &error);
        if (output)
            *output = text;
        return code;
    }
    QString source() const { return dir.filePath(u"src"_qs); }
    QString edition() const { return dir.filePath(u"edition"_qs); }

    QTemporaryDir dir;
    QString error;
};

TEST_F(OsmImport, TagsBecomeChaptersCategoriesAndFields) {
    QString output;
    ASSERT_EQ(import({u"--radius"_qs, u"5"_qs, u"--zoom"_qs, u"12-13"_qs, source()}, &output), 0)
        << error.toStdString();
    ASSERT_TRUE(Edition::build(source(), edition(), &error)) << error.toStdString();
    const std::map<QString, Row> rows = catalogue(edition());

    // The nameless restaurant and shop and the café 55 km away are left out; the Hirschen of the point
    // and of the building 15 m away is one venue with the phone of one and the web site of the other;
    // the other Hirschen keeps its own entry, and the two names differ by where they are. (The
    // catalogue keeps apostrophes doubled.)
    QStringList names;
    for (const auto& [name, row] : rows)
        names.append(name);
    // The Rössle of two points 44.5 m apart is one venue, the Adler of two points 60 m apart two: the
    // merge reaches 50 m.
    EXPECT_EQ(names, QStringList({u"Adler (Fixstadt)"_qs, u"Adler (Seeweg, Fixstadt)"_qs, u"Beck"_qs,
                                  u"Burg Fix"_qs, u"Café Mocca"_qs, u"Hirschen (Fixstadt)"_qs,
                                  u"Hirschen (Seeweg, Fixstadt)"_qs, u"Hotel Post"_qs, u"Joe''s Bar"_qs,
                                  u"Landesmuseum"_qs, u"Rössle"_qs, u"Schlossgarten"_qs}));
    EXPECT_TRUE(output.contains(u"2 without a name left out, 2 mapped twice merged"_qs))
        << output.toStdString();
    const Row& hirschen = rows.at(u"Hirschen (Fixstadt)"_qs);
    EXPECT_EQ(hirschen.phone, u"+423 232 00 00"_qs);
    EXPECT_EQ(hirschen.website, u"https://hirschen.example"_qs);

    const Row& cafe = rows.at(u"Café Mocca"_qs);
    EXPECT_EQ(cafe.chapter, u"CAFES"_qs);
    EXPECT_EQ(cafe.category, u"Cafés"_qs);
    EXPECT_EQ(cafe.address, u"Hauptgasse 3"_qs);
    EXPECT_EQ(cafe.postcode, u"9490"_qs);
    // The number that Liechtenstein's plan does not have is left out; the two others are kept.
    EXPECT_EQ(cafe.phone, u"+423 235 12 34"_qs);
    EXPECT_EQ(cafe.phone2, u"+423 237 44 55"_qs);
    EXPECT_TRUE(output.contains(u"1 phone number that no telephone plan has left out"_qs))
        << output.toStdString();
    EXPECT_EQ(cafe.website, u"www.mocca.example"_qs);
    EXPECT_EQ(cafe.email, u"hello@mocca.example"_qs);
    EXPECT_EQ(cafe.hours, u"Mo-Fr 08:00-18:00"_qs);
    // Only what the data says: the kind, the street, the town and the mapper's description.
    EXPECT_EQ(cafe.body, u"Café in Hauptgasse, Fixstadt. Roasts its own beans."_qs);

    EXPECT_EQ(rows.at(u"Burg Fix"_qs).chapter, u"SIGHTS"_qs);
    EXPECT_EQ(rows.at(u"Burg Fix"_qs).category, u"Castles"_qs);
    EXPECT_EQ(rows.at(u"Beck"_qs).category, u"Bakeries"_qs);
    EXPECT_EQ(rows.at(u"Joe''s Bar"_qs).chapter, u"NIGHTLIFE"_qs);
    // A hotel that also serves meals is a hotel.
    EXPECT_EQ(rows.at(u"Hotel Post"_qs).chapter, u"HOTELS"_qs);
    EXPECT_EQ(rows.at(u"Hotel Post"_qs).body, u"Hotel in Fixstadt. 3 stars."_qs);

    // A building by the mean of its corners, a multipolygon by the mean of its outer ring.
    EXPECT_NEAR(rows.at(u"Landesmuseum"_qs).lat, 47.0032, 1e-6);
    EXPECT_NEAR(rows.at(u"Landesmuseum"_qs).lon, 9.0033, 1e-6);
    EXPECT_EQ(rows.at(u"Landesmuseum"_qs).chapter, u"MUSEUMS"_qs);
    EXPECT_NEAR(rows.at(u"Schlossgarten"_qs).lat, 46.9985, 1e-6);
    EXPECT_NEAR(rows.at(u"Schlossgarten"_qs).lon, 8.9985, 1e-6);
    EXPECT_EQ(rows.at(u"Schlossgarten"_qs).category, u"Attractions"_qs);

    // What the edition's screens read: the chapters with venues, the town's own name, the credits.
    QString json;
    QTextStream out(&json);
    ASSERT_EQ(Edition::show(edition(), {u"settings"_qs}, out, &error), 0) << error.toStdString();
    out.flush();
    const QJsonObject settings = QJsonDocument::fromJson(json.toUtf8()).object();
    EXPECT_EQ(settings.value(u"InfoNameEnglish"_qs).toString(), u"Fixton"_qs);
    EXPECT_EQ(settings.value(u"InfoNameLocal"_qs).toString(), u"Fixstadt"_qs);
    // The country that the addresses within the radius name (Liechtenstein, twice; three Swiss addresses
    // lie 6.4 km away, beyond the 5 km) gives its facts, its own money second in the converter, with
    // the Swiss flag.
    EXPECT_TRUE(output.contains(u"Country LI (as the addresses name it): currency CHF, calling code +423, "
                                "internet code .li, time zone Europe/Vaduz"_qs))
        << output.toStdString();
    EXPECT_EQ(settings.value(u"InfoCountryCode"_qs).toString(), u"+423"_qs);
    EXPECT_EQ(settings.value(u"InfoInternetCode"_qs).toString(), u".li"_qs);
    EXPECT_EQ(settings.value(u"InfoTimeZone"_qs).toString(), u"CET/CEST"_qs);
    EXPECT_EQ(settings.value(u"InfoTimeZoneId"_qs).toString(), u"Europe/Vaduz"_qs);
    EXPECT_EQ(settings.value(u"UserCurrencies"_qs).toString(),
              u"EUR:€:FlagEU,CHF:CHF:FlagCH,USD:$:FlagUS,GBP:£:FlagGB"_qs);
    EXPECT_EQ(QImage(edition() + u"/FlagCH@2x.png"_qs).size(), QSize(72, 48));
    const QString chapters = settings.value(u"OrderChapters"_qs).toString();
    for (const QString& title : {u"Sights"_qs, u"Museums"_qs, u"Cafés"_qs, u"Dining"_qs, u"Nightlife"_qs,
                                 u"Hotels"_qs, u"Shopping"_qs, u"Search"_qs})
        EXPECT_TRUE(chapters.contains(title + u':')) << chapters.toStdString();

    // Two offline map pictures drawn from the same streets, each crediting OpenStreetMap in its corner.
    EXPECT_EQ(settings.value(u"OrderMaps"_qs).toString(),
              u"City centre:MapCentre.png:MapCentreThumb,Region:MapRegion.png:MapRegionThumb"_qs);
    const QImage centre(edition() + u"/MapCentre.png"_qs);
    ASSERT_EQ(centre.size(), QSize(1200, 900));
    EXPECT_GT(darkPixels(centre.copy(1000, 870, 200, 30)), 30);
    EXPECT_EQ(darkPixels(centre.copy(0, 870, 200, 30)), 0);
    EXPECT_EQ(QImage(edition() + u"/MapRegionThumb@2x.png"_qs).size(), QSize(180, 180));

    const QString credit = u"© OpenStreetMap contributors"_qs;
    EXPECT_TRUE(readText(edition() + u"/imprint.txt"_qs).contains(credit));
    const QVariantMap tiles = PropertyList::readFile(edition() + u"/chapter.plist"_qs)
                                  .value_or(QVariant())
                                  .toMap()
                                  .value(u"Map Tiles"_qs)
                                  .toMap();
    EXPECT_EQ(tiles.value(u"attribution"_qs).toString(), credit);
    const MBTilesSource file(edition() + u"/"_qs + tiles.value(u"file"_qs).toString());
    ASSERT_TRUE(file.isOpen());
    EXPECT_EQ(file.metadata(u"attribution"_qs), credit);
    EXPECT_EQ(file.metadata(u"maxzoom"_qs), u"13"_qs);

    // The publisher's check names what no data holds, and nothing else; written in, the sources and
    // the edition check clean.
    QStringList problems;
    EXPECT_EQ(Edition::check(source(), &problems), Edition::CheckResult::Problems);
    EXPECT_EQ(problems,
              QStringList({
                  u"manager.csv:2: InfoAirportCode still says \"[fill in]\"; the guide would show it so"_qs,
                  u"manager.csv:2: InfoCityCode still says \"[fill in]\"; the guide would show it so"_qs,
                  u"manager.csv:2: ContactVantor still says \"[fill in]\"; the guide would show it so"_qs,
                  u"manager.csv:2: ContactSBK still says \"[fill in]\"; the guide would show it so"_qs,
                  u"imprint.txt:3: still says \"[fill in]\"; write in what it stands for"_qs,
                  u"imprint.txt:5: still says \"[fill in]\"; write in what it stands for"_qs,
              }));
    ASSERT_EQ(Edition::setSettings({source(), u"InfoAirportCode=ZRH"_qs, u"InfoCityCode=none"_qs,
                                    u"ContactVantor=a@example.org"_qs, u"ContactSBK=b@example.org"_qs},
                                   out, &error),
              0)
        << error.toStdString();
    QFile imprint(source() + u"/imprint.txt"_qs);
    ASSERT_TRUE(imprint.open(QIODevice::WriteOnly));
    imprint.write("Fixton City Guide. Published by the tests. " + credit.toUtf8() + '\n');
    imprint.close();
    problems.clear();
    EXPECT_EQ(Edition::check(source(), &problems), Edition::CheckResult::Clean);
    ASSERT_TRUE(Edition::build(source(), edition(), &error)) << error.toStdString();
    EXPECT_EQ(Edition::check(edition(), &problems), Edition::CheckResult::Clean);
    EXPECT_TRUE(problems.isEmpty()) << problems.join(u'\n').toStdString();
}

TEST_F(OsmImport, RefusesWhatItCannotUse) {
    // A wrong call, a folder that holds something, a file that is no extract, a region without venues.
    const std::pair<QStringList, QString> wrong[] = {
        {{u"--radius"_qs, u"0"_qs, source()},
         u"--radius 0: a number of kilometres above 0 and at most 200 is needed"_qs},
        {{u"--radius"_qs, u"-2"_qs, source()},
         u"--radius -2: a number of kilometres above 0 and at most 200 is needed"_qs},
        {{u"--radius"_qs, u"500"_qs, source()},
         u"--radius 500: a number of kilometres above 0 and at most 200 is needed"_qs},
        {{u"--radius"_qs, u"5"_qs, u"--zoom"_qs, u"17-12"_qs, source()},
         u"--zoom 17-12: the first zoom level is above the last"_qs},
        {{u"--radius"_qs, u"5"_qs, u"--zoom"_qs, u"12-20"_qs, source()},
         u"--zoom 12-20: zoom levels run from 0 to 19"_qs},
        {{u"--radius"_qs, u"5"_qs, u"--city"_qs, u" "_qs, source()}, u"--city NAME is needed"_qs},
        {{u"--radius"_qs, u"5"_qs, u"--center"_qs, u"north"_qs, source()},
         u"--center \"north\": LAT,LON in degrees are needed"_qs},
        {{source()}, u"--radius KM is needed"_qs},
        {{u"--radius"_qs, u"5"_qs}, u"an extract and a folder to write are needed"_qs},
        {{u"--radius"_qs, u"5"_qs, source(), u"more"_qs}, u"\"more\" is not understood here"_qs},
        {{u"--radius"_qs, u"5"_qs, source(), u"--zoom"_qs}, u"--zoom needs a value"_qs},
    };
    // 200 km at 12-17 would be some 4.9 million tiles: not without being told. Of 30 km, the levels 12-16
    // (some 28,000 tiles) are drawn, 12-17 (some 110,000) only with --many-tiles.
    EXPECT_EQ(import({u"--radius"_qs, u"200"_qs, source()}), 2);
    EXPECT_TRUE(error.startsWith(u"200 km at zoom 12-17 are "_qs)) << error.toStdString();
    EXPECT_TRUE(
        error.endsWith(u"give a smaller --radius or --zoom, or add --many-tiles to draw them all"_qs));
    const qsizetype count = error.section(u' ', 6, 6).toLongLong();
    EXPECT_GT(count, 4000000);
    EXPECT_LT(count, 6000000);
    const auto refused = [this](const QString& zoom, bool many) {
        QStringList arguments{fixture,  u"--center"_qs, u"47.0,9.0"_qs, u"--radius"_qs,
                              u"30"_qs, u"--zoom"_qs,   zoom,           source()};
        if (many)
            arguments << u"--many-tiles"_qs;
        OsmTiles::Call call;
        EXPECT_EQ(call.parse(arguments, false), QString());
        return !call.tooManyTiles().isEmpty();
    };
    EXPECT_FALSE(refused(u"12-16"_qs, false));
    EXPECT_TRUE(refused(u"12-17"_qs, false));
    EXPECT_FALSE(refused(u"12-17"_qs, true));
    for (const auto& [arguments, why] : wrong) {
        EXPECT_EQ(import(arguments), 2) << why.toStdString();
        EXPECT_EQ(error.section(u'\n', 0, 0), why);
        EXPECT_TRUE(error.section(u'\n', 1).startsWith(u"usage: cityguide-edition import-osm"_qs));
    }
    EXPECT_FALSE(QFileInfo::exists(source()));
    QDir().mkpath(source());
    QFile(source() + u"/note.txt"_qs).open(QIODevice::WriteOnly);
    EXPECT_EQ(import({u"--radius"_qs, u"5"_qs, source()}), 1);
    EXPECT_TRUE(error.contains(u"not empty"_qs)) << error.toStdString();

    // Garbage, and the real extract cut short or with a block spoilt: an error each, never a crash.
    QFile real(QStringLiteral(GUIDE_OSM_EXTRACT));
    ASSERT_TRUE(real.open(QIODevice::ReadOnly));
    QByteArray spoilt = real.readAll();
    for (qsizetype i = 40000; i < 40400; ++i)
        spoilt[i] = char(spoilt[i] ^ 0x5a);
    const std::pair<const char*, QByteArray> bad[] = {
        {"garbage.osm.pbf", QByteArray(5000, 'x')},
        {"cut.osm.pbf", spoilt.left(100000)},
        {"spoilt.osm.pbf", spoilt},
        {"broken.osm", "<osm><node id=\"1\" lat=\"47\" lon=\"9\"><tag k=\"amenity\""},
    };
    for (const auto& [name, bytes] : bad) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        QString why;
        EXPECT_FALSE(Osm::readExtract(path, Osm::regionAround(47.14, 9.52, 10), &why)) << name;
        EXPECT_TRUE(why.startsWith(path + u": not a readable OpenStreetMap extract"_qs)) << why.toStdString();
    }
    QString why;
    EXPECT_FALSE(Osm::readExtract(dir.filePath(u"missing.osm.pbf"_qs), {}, &why));

    // A centre beyond what the extract covers (here: where its nodes lie, as its header does not say;
    // the real extract's header does), and one within it but far from any venue.
    EXPECT_EQ(import({u"--radius"_qs, u"5"_qs, u"--center"_qs, u"10.0,10.0"_qs, dir.filePath(u"far"_qs)}), 1);
    EXPECT_TRUE(error.endsWith(u"fixton.osm: the centre 10,10 lies outside the extract, which covers "
                               "46.99,8.99,47.5,9.0594 (S,W,N,E)"_qs))
        << error.toStdString();
    EXPECT_EQ(import({u"--radius"_qs, u"1"_qs, u"--center"_qs, u"47.4,9.0"_qs, dir.filePath(u"far"_qs)}), 1);
    EXPECT_TRUE(error.contains(u"no named venue lies within 1 km of 47.4,9"_qs)) << error.toStdString();
    QString said;
    QTextStream out(&said);
    EXPECT_EQ(Edition::importOsm({QStringLiteral(GUIDE_OSM_EXTRACT), u"--city"_qs, u"Chur"_qs, u"--center"_qs,
                                  u"46.85,9.53"_qs, u"--radius"_qs, u"5"_qs, dir.filePath(u"chur"_qs)},
                                 out, &error),
              1);
    EXPECT_TRUE(error.endsWith(
        u"lies outside the extract, which covers 47.0477,9.47108,47.2713,9.63622 (S,W,N,E)"_qs))
        << error.toStdString();
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(u"far"_qs)));
}

// Where the point (latitude, longitude) falls in the tile of zoom z holding it.
std::pair<TileKey, QPoint> tilePixel(double latitude, double longitude, int z) {
    const double x = TileMath::tileX(longitude, z), y = TileMath::tileY(latitude, z);
    const TileKey key{z, int(x), int(y)};
    return {key, QPoint(int((x - key.x) * TileMath::tileSize), int((y - key.y) * TileMath::tileSize))};
}

TEST(OsmTiles, RoadsLieWhereTheyRunAndStreetsCarryTheirNames) {
    QTemporaryDir dir;
    QString error, log;
    QTextStream out(&log);
    const QString file = dir.filePath(u"streets.mbtiles"_qs);
    ASSERT_EQ(OsmTiles::command({fixture, u"--center"_qs, u"47.0,9.0"_qs, u"--radius"_qs, u"2"_qs,
                                 u"--zoom"_qs, u"14-14"_qs, file},
                                out, &error),
              0)
        << error.toStdString();
    const MBTilesSource tiles(file);
    // The primary road runs east-west along 46.990: its colour there, the ground's 20 pixels south.
    const auto [key, onRoad] = tilePixel(46.9900, 9.0000, 14);
    const std::optional<QByteArray> png = tiles.tile(key);
    ASSERT_TRUE(png);
    const QImage tile = QImage::fromData(*png);
    ASSERT_EQ(tile.size(), QSize(256, 256));
    EXPECT_EQ(tile.pixelColor(onRoad), OsmTiles::roadColour(u"primary"_qs));
    EXPECT_EQ(tile.pixelColor(onRoad + QPoint(0, 20)), OsmTiles::backgroundColour());
    EXPECT_EQ(tile.pixelColor(onRoad + QPoint(0, -6)).rgb(), tile.pixelColor(onRoad + QPoint(0, 20)).rgb())
        << "a road of zoom 14 is narrower than 6 pixels";
    EXPECT_EQ(tiles.metadata(u"attribution"_qs), u"© OpenStreetMap contributors"_qs);

    // From zoom 15 a named street carries its name in dark letters; the same street without one none.
    std::optional<Osm::Extract> extract = Osm::readExtract(fixture, Osm::regionAround(47, 9, 2), &error);
    ASSERT_TRUE(extract);
    const TileKey street = tilePixel(47.0050, 9.0000, 16).first;
    EXPECT_GT(darkPixels(OsmTiles::StreetMap(*extract).render(street)), 40);
    // A tile of a low zoom level spans a hundred million cells of the index; it is drawn at once all the
    // same.
    QElapsedTimer clock;
    clock.start();
    for (int z = 0; z <= 4; ++z)
        EXPECT_FALSE(OsmTiles::StreetMap(*extract).render(tilePixel(47, 9, z).first).isNull());
    EXPECT_LT(clock.elapsed(), 2000);
    for (Osm::Object& object : extract->objects)
        object.tags.remove(u"name"_qs);
    EXPECT_EQ(darkPixels(OsmTiles::StreetMap(*extract).render(street)), 0);

    EXPECT_EQ(OsmTiles::command({fixture, u"--radius"_qs, u"1"_qs, file}, out, &error), 2);
}

// The Vaduz demo edition: it checks clean, and under every venue the street tile shows the town.
TEST(VaduzEdition, ChecksCleanWithStreetsUnderItsVenues) {
    const QString edition = QStringLiteral(GUIDE_VADUZ_EDITION);
    QStringList problems;
    EXPECT_EQ(Edition::check(edition, &problems), Edition::CheckResult::Clean);
    EXPECT_TRUE(problems.isEmpty()) << problems.join(u'\n').toStdString();
    const std::map<QString, Row> rows = catalogue(edition);
    EXPECT_GT(rows.size(), 100u);
    const MBTilesSource tiles(edition + u"/StreetTiles.mbtiles"_qs);
    ASSERT_TRUE(tiles.isOpen());
    QStringList bare;
    for (const auto& [name, row] : rows) {
        const TileKey key = tilePixel(row.lat, row.lon, 16).first;
        const std::optional<QByteArray> png = tiles.tile(key);
        ASSERT_TRUE(png) << name.toStdString();
        // A street tile of zoom 16 holds more than the bare ground wherever a venue lies.
        const QImage tile = QImage::fromData(*png);
        int ground = 0;
        for (int y = 0; y < tile.height(); y += 4)
            for (int x = 0; x < tile.width(); x += 4)
                ground += tile.pixelColor(x, y) == OsmTiles::backgroundColour() ? 1 : 0;
        if (ground > 64 * 64 * 95 / 100)
            bare.append(name);
    }
    // A summit or a viewpoint may lie where nobody had mapped a path in 2013, a town's venue may not.
    EXPECT_LE(bare.size(), 3) << bare.join(u", "_qs).toStdString();
}

} // namespace
