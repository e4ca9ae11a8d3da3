#include "catalog/SQLDAL.h"
#include "model/Bookmarks.h"
#include "model/DAO.h"
#include "model/PropertyList.h"
#include "model/ShareData.h"
#include "platform/Paths.h"
#include "tests/support/TestSupport.h"
#include "tools/edition/Edition.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

using namespace testsupport;

namespace {

// A binary property list made object by object: an array or dictionary lists the indexes of the
// objects it holds (a dictionary its keys, then its values); anything else is an ASCII string.
struct BinaryObject {
    char kind = 's'; // 'a' array, 'd' dictionary, 's' string
    QList<int> refs;
    QByteArray text;
};

QByteArray binaryList(const QList<BinaryObject>& objects) {
    QByteArray bytes("bplist00");
    QList<quint32> offsets;
    auto count = [&bytes](quint8 kind, qsizetype n) {
        if (n < 15) {
            bytes.append(char(kind | n));
        } else {
            bytes.append(char(kind | 0x0F));
            bytes.append(char(0x11)); // a two-byte integer follows
            bytes.append(char(n >> 8)).append(char(n & 0xFF));
        }
    };
    for (const BinaryObject& object : objects) {
        offsets.append(quint32(bytes.size()));
        if (object.kind == 's') {
            count(0x50, object.text.size());
            bytes.append(object.text);
            continue;
        }
        count(object.kind == 'a' ? 0xA0 : 0xD0,
              object.kind == 'a' ? object.refs.size() : object.refs.size() / 2);
        for (int ref : object.refs)
            bytes.append(char(ref >> 8)).append(char(ref & 0xFF));
    }
    const quint64 table = quint64(bytes.size());
    for (quint32 offset : offsets)
        for (int shift = 24; shift >= 0; shift -= 8)
            bytes.append(char((offset >> shift) & 0xFF));
    QByteArray trailer(32, '\0');
    trailer[6] = 4; // offset size
    trailer[7] = 2; // reference size
    for (int i = 0; i < 8; ++i) {
        trailer[8 + i] = char((quint64(objects.size()) >> (56 - 8 * i)) & 0xFF);
        trailer[24 + i] = char((table >> (56 - 8 * i)) & 0xFF);
    }
    return bytes + trailer;
}

QByteArray nestedXml(int depth) {
    QByteArray xml = "<?xml version=\"1.0\"?><plist version=\"1.0\">";
    xml +=
        QByteArray("<array>").repeated(depth) + "<string>x</string>" + QByteArray("</array>").repeated(depth);
    return xml + "</plist>";
}

using HostileFilesTest = GuideTest;

TEST(PropertyListBounds, HostileListsAreRefusedQuicklyAndGoodOnesRead) {
    // {"Venues": ["Cafe", "Dojo"]} in the binary form.
    const QList<BinaryObject> good = {
        {'d', {1, 2}, {}}, {'s', {}, "Venues"}, {'a', {3, 4}, {}}, {'s', {}, "Cafe"}, {'s', {}, "Dojo"}};
    QString error;
    const auto read = PropertyList::fromBytes(binaryList(good), &error);
    ASSERT_TRUE(read) << error.toStdString();
    EXPECT_EQ(read->toMap().value(u"Venues"_qs).toStringList(), (QStringList{u"Cafe"_qs, u"Dojo"_qs}));

    // 40 arrays, each holding the next one twice: 2^41 objects once expanded.
    QList<BinaryObject> doubling;
    for (int i = 0; i < 40; ++i)
        doubling.append({'a', {i + 1, i + 1}, {}});
    doubling.append({'s', {}, "x"});
    // An array that holds itself.
    const QList<BinaryObject> cycle = {{'a', {0}, {}}};
    QList<BinaryObject> deepBinary;
    for (int i = 0; i < 100; ++i)
        deepBinary.append({'a', {i + 1}, {}});
    deepBinary.append({'s', {}, "x"});

    const QByteArray billionLaughs = "<?xml version=\"1.0\"?><!DOCTYPE plist [<!ENTITY a \"aaaaaaaaaa\">"
                                     "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">]>"
                                     "<plist version=\"1.0\"><string>&b;</string></plist>";
    const struct {
        const char* what;
        QByteArray bytes;
        const char* why;
    } hostile[] = {
        {"doubling references", binaryList(doubling), "more than 200000 objects"},
        {"an array holding itself", binaryList(cycle), "nested deeper than 64 levels"},
        {"100 nested binary arrays", binaryList(deepBinary), "nested deeper than 64 levels"},
        {"200,000 nested XML arrays", nestedXml(200000), "nested deeper than 64 levels"},
        {"XML entities", billionLaughs, "declares entities"},
        {"a reference past the end", binaryList({{'a', {7}, {}}}), "not a readable property list"},
    };
    for (const auto& c : hostile) {
        QElapsedTimer timer;
        timer.start();
        QString why;
        EXPECT_FALSE(PropertyList::fromBytes(c.bytes, &why)) << c.what;
        EXPECT_EQ(why, QString::fromLatin1(c.why)) << c.what;
        EXPECT_LT(timer.elapsed(), 1000) << c.what;
    }

    // The depth bound leaves room for any list a publisher writes.
    EXPECT_TRUE(PropertyList::fromBytes(nestedXml(63)));
    EXPECT_FALSE(PropertyList::fromBytes(nestedXml(65)));
    // Tags inside comments do not count.
    EXPECT_TRUE(PropertyList::fromBytes("<plist version=\"1.0\"><!-- " + QByteArray("<array>").repeated(100) +
                                        " --><string>x</string></plist>"));
}

TEST_F(HostileFilesTest, AnOversizedPropertyListIsUnreadable) {
    QByteArray huge = "<plist version=\"1.0\"><dict><key>Venues</key><array>";
    while (huge.size() < 9 * 1024 * 1024)
        huge += "<string>Cafe Cafe Cafe Cafe Cafe Cafe Cafe Cafe</string>";
    writeBytes(documentFile("Bookmarks.plist"), huge + "</array></dict></plist>");
    QString error;
    EXPECT_FALSE(PropertyList::readFile(documentFile("Bookmarks.plist"), &error));
    EXPECT_EQ(error, u"larger than 8388608 bytes"_qs);
}

TEST_F(HostileFilesTest, BookmarksKeepOnlyNamesAndSetAWrongShapeAside) {
    auto writeVenues = [this](const QByteArray& venues) {
        writeBytes(documentFile("Bookmarks.plist"),
                   "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>Venues</key>" + venues +
                       "</dict></plist>");
    };
    // Entries that are not names name nothing.
    writeVenues(
        "<array><string>Cafe</string><integer>5</integer><true/><array/><string>Dojo</string></array>");
    EXPECT_EQ(Bookmarks::read(), (QStringList{u"Cafe"_qs, u"Dojo"_qs}));

    // "Venues" as one string is not a list of its letters: no bookmarks, and the file is kept.
    writeVenues("<string>Dojo</string>");
    LogCapture log;
    EXPECT_EQ(Bookmarks::read(), QStringList());
    ASSERT_TRUE(Bookmarks::add(u"Cafe"_qs));
    EXPECT_EQ(Bookmarks::read(), QStringList{u"Cafe"_qs});
    EXPECT_TRUE(readText(documentFile("Bookmarks.plist.unreadable")).contains(u"<string>Dojo</string>"_qs));
    // Deleting a bookmark from such a file keeps it aside too, before it is written over.
    QFile::remove(documentFile("Bookmarks.plist.unreadable"));
    writeVenues("<string>Vinothek</string>");
    ASSERT_TRUE(Bookmarks::removeEntryFor(u"Cafe"_qs));
    EXPECT_EQ(Bookmarks::read(), QStringList());
    EXPECT_TRUE(
        readText(documentFile("Bookmarks.plist.unreadable")).contains(u"<string>Vinothek</string>"_qs));

    // The edition tool says what is wrong.
    writeVenues("<array><string>Cafe</string><integer>5</integer></array>");
    QFile::remove(editionFile("Bookmarks.plist"));
    QFile::copy(documentFile("Bookmarks.plist"), editionFile("Bookmarks.plist"));
    QStringList problems;
    Edition::check(edition(), &problems);
    EXPECT_TRUE(problems.contains(u"Bookmarks.plist: entry 2 of \"Venues\" is not a venue name"_qs))
        << problems.join(u'\n').toStdString();
    writeVenues("<string>Dojo</string>");
    QFile::remove(editionFile("Bookmarks.plist"));
    QFile::copy(documentFile("Bookmarks.plist"), editionFile("Bookmarks.plist"));
    problems.clear();
    Edition::check(edition(), &problems);
    EXPECT_TRUE(problems.contains(u"Bookmarks.plist: \"Venues\" is missing or not a list"_qs));
}

TEST_F(HostileFilesTest, ChapterLooksAreParsedOnceAndAgainWhenTheFileChanges) {
    const QString path = editionFile("chapter.plist");
    const ShareData* looks = ShareData::sharedInstance();
    ASSERT_EQ(looks->getCorrespondingColor(u"Sights"_qs).green, 0.5);

    // Same size and time: the parsed copy stands.
    const QDateTime written = QFileInfo(path).lastModified();
    QString text = readText(path);
    ASSERT_TRUE(text.contains(u"<real>0.5</real>"_qs));
    text.replace(u"<real>0.5</real>"_qs, u"<real>0.4</real>"_qs);
    writeText(path, text);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.setFileTime(written, QFileDevice::FileModificationTime);
    file.close();
    EXPECT_EQ(looks->getCorrespondingColor(u"Sights"_qs).green, 0.5);

    // A new time: read again.
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.setFileTime(written.addSecs(5), QFileDevice::FileModificationTime);
    file.close();
    EXPECT_EQ(looks->getCorrespondingColor(u"Sights"_qs).green, 0.4);
}

TEST_F(HostileFilesTest, AReadOnlyEditionGivesAWritableWorkingCopy) {
    QFile::setPermissions(editionFile("manager.csv"), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    DAOFactory::resetInstance();
    DAOFactory::getInstance();
    EXPECT_TRUE(QFile::permissions(documentFile("manager.csv")) & QFile::WriteOwner);
    DAOFactory::resetInstance();
}

TEST_F(HostileFilesTest, ADamagedCatalogueIsAnErrorNotAShorterList) {
    addBulkyVenues(editionFile("Catalog.sqlite"), 40);
    damageCatalogue(editionFile("Catalog.sqlite"));

    QStringList problems;
    EXPECT_EQ(Edition::check(edition(), &problems), Edition::CheckResult::Problems);
    EXPECT_TRUE(problems.filter(u"Catalog.sqlite: damaged: "_qs).size() > 0)
        << problems.join(u'\n').toStdString();

    SQLDAL::connectToDatabase();
    LogCapture log;
    const int before = SQLDAL::failuresOnThisThread();
    EXPECT_TRUE(SQLDAL::getVenuesForCategory(u"All"_qs, u"7"_qs).isEmpty());
    EXPECT_GT(SQLDAL::failuresOnThisThread(), before);
    EXPECT_EQ(log.lines().filter(u"Catalogue read failed: database disk image is malformed"_qs).size(), 1);
    // An intact chapter still reads in full, and tells of no failure.
    const int intact = SQLDAL::failuresOnThisThread();
    EXPECT_EQ(SQLDAL::getVenuesForCategory(u"All"_qs, u"1"_qs).size(), 6);
    EXPECT_EQ(SQLDAL::failuresOnThisThread(), intact);
    SQLDAL::closeDatabase();
}

TEST_F(HostileFilesTest, CategoryNamesMatchWithBlanksAroundThemAndWithApostrophes) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(editionFile("Catalog.sqlite")).constData(), &db), SQLITE_OK);
    ASSERT_EQ(
        sqlite3_exec(db,
                     "insert into catalog (name, chapter_id, chapter_name, category_name, gps_lat, gps_lon) "
                     "values ('Blue Bar', '5', 'Nights', 'Cocktail Bars ', 48.2, 16.3), "
                     "('Red Bar', '5', 'Nights', 'Cocktail Bars ', null, null), "
                     "('Toy Shop', '5', 'Nights', 'Children''''s Corner', 48.2, 16.3)",
                     nullptr, nullptr, nullptr),
        SQLITE_OK);
    sqlite3_close(db);
    SQLDAL::connectToDatabase();
    const SQLDAL::ChapterCategories lists = SQLDAL::getCategoriesForChapter(u"5"_qs);
    EXPECT_EQ(lists.names, (QStringList{u"Cocktail Bars"_qs, u"Children's Corner"_qs}));
    EXPECT_EQ(lists.counts, (QStringList{u"2"_qs, u"1"_qs}));
    EXPECT_EQ(lists.located, (QStringList{u"1"_qs, u"1"_qs}));
    EXPECT_EQ(SQLDAL::getVenuesForCategory(lists.names[0], u"5"_qs).size(), 2);
    EXPECT_EQ(SQLDAL::getVenuesForCategory(lists.names[1], u"5"_qs).size(), 1);
    SQLDAL::closeDatabase();

    QStringList problems;
    Edition::check(edition(), &problems);
    EXPECT_TRUE(problems.contains(
        u"Catalog.sqlite: venue 11: \"Cocktail Bars \" has blanks around its category name (venue \"Blue Bar\")"_qs))
        << problems.join(u'\n').toStdString();
}

TEST_F(HostileFilesTest, BuildTrimsNamesAndCheckRefusesPicturePathsAndWindowsLineEnds) {
    const QString source = fixturePath(u"edition"_qs);
    QTemporaryDir copy;
    const QString src = copy.filePath(u"src"_qs);
    ASSERT_TRUE(QDir().mkpath(src + u"/catalog"_qs));
    for (const QString& name : QDir(source).entryList(QDir::Files))
        QFile::copy(source + u'/' + name, src + u'/' + name);
    QString csv = readText(source + u"/catalog/fixture.csv"_qs);
    csv.replace(u",1,Sights,Martial Arts,"_qs, u",1, Sights ,Martial Arts ,"_qs);
    csv.replace(u",sacher,"_qs, u",../../../../tmp/sacher,"_qs);
    writeText(src + u"/catalog/fixture.csv"_qs, csv);
    QString settings = readText(src + u"/manager.csv"_qs);
    settings.replace(u"\n"_qs, u"\r\n"_qs);
    writeText(src + u"/manager.csv"_qs, settings);

    const QString out = copy.filePath(u"out"_qs);
    QString error;
    ASSERT_TRUE(Edition::build(src, out, &error)) << error.toStdString();
    completePictures(out);
    QStringList problems;
    Edition::check(out, &problems);
    EXPECT_EQ(
        problems,
        (QStringList{u"manager.csv: has Windows line ends (CR LF); save it with plain line feeds"_qs,
                     u"Catalog.sqlite: venue 7: picture name \"../../../../tmp/sacher\" is a path; a "
                     "picture is named by its file name in the edition folder (venue \"Hotel Sacher\")"_qs}));

    GuideTestPaths paths(out);
    SQLDAL::connectToDatabase();
    EXPECT_EQ(SQLDAL::getCategoriesForChapter(u"1"_qs).names.last(), u"Martial Arts"_qs);
    EXPECT_EQ(SQLDAL::getChapterNameForVenue(u"Dojo"_qs), u"Sights"_qs);
    SQLDAL::closeDatabase();
}

} // namespace

namespace {

void execute(const QString& catalogue, const char* sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(catalogue).constData(), &db), SQLITE_OK);
    char* message = nullptr;
    EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, &message), SQLITE_OK) << (message ? message : "");
    sqlite3_free(message);
    sqlite3_close(db);
}

// A catalogue made to hang or mislead the guide: a statement that never ends is cut off and is a
// catalogue error; an id the guide cannot hold and a position off the earth are not passed on.
TEST_F(HostileFilesTest, TheCatalogueNeverHangsTruncatesOrMisplaces) {
    execute(
        editionFile("Catalog.sqlite"),
        "insert into catalog (rowid, name, chapter_id, chapter_name, category_name, gps_lat, gps_lon) values "
        "(4294967297, 'Far Away', '1', 'Sights', 'Bars', 48.2, 16.37),"
        "(20, 'Off The Earth', '1', 'Sights', 'Bars', 9e999, 1e308)");
    SQLDAL::connectToDatabase();
    LogCapture log;
    const VenueList venues = SQLDAL::getVenuesForCategory(u"All"_qs, u"1"_qs);
    QStringList names;
    for (const Venue& venue : venues) {
        names.append(venue.venueName);
        if (venue.venueName == u"Off The Earth"_qs) {
            EXPECT_EQ(venue.gpsLat, 0);
            EXPECT_EQ(venue.gpsLong, 0);
        }
    }
    // Cut to 32 bits, its id would have been 1, and a touch would open another venue.
    EXPECT_FALSE(names.contains(u"Far Away"_qs));
    EXPECT_TRUE(names.contains(u"Off The Earth"_qs));
    EXPECT_EQ(log.lines().filter(u"venue id 4294967297 is too large"_qs).size(), 1);
    SQLDAL::closeDatabase();

    // A "catalog" that is a view over an endless query.
    execute(editionFile("Catalog.sqlite"),
            "alter table catalog rename to venues; create view catalog as with recursive n(x) as "
            "(select 1 union all select x + 1 from n) select venues.* from venues, n");
    SQLDAL::connectToDatabase();
    QElapsedTimer took;
    took.start();
    const int before = SQLDAL::failuresOnThisThread();
    EXPECT_TRUE(SQLDAL::getVenuesForCategory(u"All"_qs, u"1"_qs).isEmpty());
    EXPECT_LT(took.elapsed(), 4000);
    EXPECT_GT(SQLDAL::failuresOnThisThread(), before);
    SQLDAL::closeDatabase();
}

// Settings no real edition has: a value of megabytes, a list of thousands, a default position off
// the earth. The guide reads them as missing, the build refuses them and check names them.
TEST_F(HostileFilesTest, ValuesBeyondAnyEditionAreReadAsMissing) {
    QString settings = readText(editionFile("manager.csv"));
    settings.replace(u"\"Teststadt\""_qs, u"\""_qs + QString(5'000'000, u'W') + u"\""_qs);
    QStringList many;
    for (int i = 0; i < 600; ++i)
        many.append(u"Map %1:Map%1.png:Thumb%1"_qs.arg(i));
    settings.replace(u"Metro Map:MetroMap.png:MetroMapThumb,City Centre:CityMap.png:CityMapThumb"_qs,
                     many.join(u','));
    writeText(editionFile("manager.csv"), settings);
    QString looks = readText(editionFile("chapter.plist"));
    looks.replace(u"<real>48.2085</real>"_qs, u"<real>1e308</real>"_qs);
    writeText(editionFile("chapter.plist"), looks);

    LogCapture log;
    DAOFactory::resetInstance();
    const ManagerModel* model = DAOFactory::getInstance()->readSettingsFromFile(u"manager.csv"_qs);
    EXPECT_EQ(model->infoNameLocal(), QString());
    EXPECT_EQ(log.lines().filter(u"InfoNameLocal in manager.csv is 5000000 characters long"_qs).size(), 1);
    EXPECT_EQ(ManagerModel::listEntries(model->orderMaps()).size(), ManagerModel::maxListEntries);
    EXPECT_FALSE(ShareData::sharedInstance()->defaultGPSPosition());

    QStringList problems;
    Edition::check(edition(), &problems);
    EXPECT_EQ(problems.filter(u"InfoNameLocal is 5000000 characters long"_qs).size(), 1)
        << problems.join(u'\n').toStdString();
    EXPECT_EQ(problems.filter(u"\"Default GPS Position\" needs the numbers"_qs).size(), 1);

    // The build refuses both, each with its file.
    QTemporaryDir source;
    for (const QString& name : {u"manager.csv"_qs, u"chapter.plist"_qs})
        QFile::copy(editionFile(name.toUtf8().constData()), source.filePath(name));
    writeText(source.filePath(u"catalog.csv"_qs), u"name\nOne\n"_qs);
    QString error;
    EXPECT_FALSE(Edition::build(source.path(), source.filePath(u"out"_qs), &error));
    EXPECT_TRUE(
        error.endsWith(u"manager.csv: InfoNameLocal is 5000000 characters long, over the 4096 the guide "
                       "reads; it would be read as missing"_qs))
        << error.toStdString();
    QFile::copy(fixturePath(u"edition/manager.csv"_qs), source.filePath(u"manager.csv"_qs) + u".fixture"_qs);
    QFile::remove(source.filePath(u"manager.csv"_qs));
    EXPECT_FALSE(Edition::build(source.path(), source.filePath(u"out"_qs), &error));
    EXPECT_TRUE(error.contains(u"\"Default GPS Position\" lat \"1e+308\" is not a position on the earth"_qs))
        << error.toStdString();
}

} // namespace
