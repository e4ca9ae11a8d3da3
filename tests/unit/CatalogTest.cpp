#include "catalog/SQLDAL.h"
#include "platform/Paths.h"
#include "platform/TextValues.h"
#include "tests/support/TestSupport.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QThread>
#include <memory>
#include <sqlite3.h>
#include <vector>

using namespace testsupport;

namespace {

QStringList names(const VenueList& venues) {
    QStringList result;
    for (const Venue& venue : venues)
        result.append(venue.venueName);
    return result;
}

class CatalogTest : public GuideTest {
protected:
    void SetUp() override {
        GuideTest::SetUp();
        SQLDAL::connectToDatabase();
        ASSERT_TRUE(SQLDAL::isOpen());
    }
};

TEST_F(CatalogTest, CategoriesAreSelectedByTheirExactName) {
    const SQLDAL::ChapterCategories lists = SQLDAL::getCategoriesForChapter(u"1"_qs);
    EXPECT_EQ(lists.names, (QStringList{u"Bars"_qs, u"Wine Bars"_qs, u"Art"_qs, u"Martial Arts"_qs}));
    // "Bars" does not count the wine bars, nor "Art" the martial arts.
    EXPECT_EQ(lists.counts, (QStringList{u"2"_qs, u"2"_qs, u"1"_qs, u"1"_qs}));
    EXPECT_EQ(lists.total, u"6"_qs);
    EXPECT_EQ(lists.located, (QStringList{u"1"_qs, u"1"_qs, u"1"_qs, u"1"_qs}));

    EXPECT_EQ(names(SQLDAL::getVenuesForCategory(u"Bars"_qs, u"1"_qs)),
              (QStringList{u"Art Cafe"_qs, u"Cafe"_qs}));
    EXPECT_EQ(names(SQLDAL::getVenuesForCategory(u"Art"_qs, u"1"_qs)), QStringList{u"Gallery One"_qs});
    EXPECT_TRUE(SQLDAL::getVenuesForCategory(u"B_rs"_qs, u"1"_qs).isEmpty());
    EXPECT_TRUE(SQLDAL::getVenuesForCategory(u"%"_qs, u"1"_qs).isEmpty());
    EXPECT_EQ(SQLDAL::getCategoriesForChapter(u"nope"_qs).names, QStringList());
}

TEST_F(CatalogTest, AllListsTheChapterByNameWithBlanksAroundIt) {
    const VenueList all = SQLDAL::getVenuesForCategory(u"  All \n"_qs, u"1"_qs);
    EXPECT_EQ(names(all), (QStringList{u"Art Cafe"_qs, u"Cafe"_qs, u"Dojo"_qs, u"Gallery One"_qs,
                                       u"Vinothek"_qs, u"Weinbar 100%"_qs}));
    const Venue& artCafe = all[0];
    EXPECT_EQ(artCafe.venueID, 1);
    EXPECT_TRUE(artCafe.mobile_highlight);
    EXPECT_DOUBLE_EQ(artCafe.gpsLat, 48.2085);
    EXPECT_TRUE(artCafe.venueDistance.isEmpty());
    EXPECT_EQ(artCafe.venueRealDistance, 0);
    const Venue& vinothek = all[4];
    EXPECT_EQ(vinothek.venueDescription, u"Wines by the glass. Vienna's best cellar in the Weinstraße."_qs);
    EXPECT_EQ(vinothek.gpsLat, 0); // NULL position
    EXPECT_FALSE(vinothek.mobile_highlight);
    EXPECT_FALSE(all[2].mobile_highlight); // "no"
}

TEST_F(CatalogTest, IntroductionComesFromTheChaptersFirstRow) {
    const QStringList intro = SQLDAL::getCategoryIntroduction(u"1"_qs);
    ASSERT_EQ(intro.size(), 3);
    EXPECT_EQ(intro[0], u"Short intro"_qs);
    EXPECT_TRUE(intro[1].startsWith(u"A long introduction"_qs));
    EXPECT_EQ(intro[2], u"Sights of Testcity"_qs);
    EXPECT_EQ(SQLDAL::getCategoryIntroduction(u"2"_qs), (QStringList{u""_qs, u""_qs, u""_qs}));
    EXPECT_EQ(SQLDAL::getCategoryIntroduction(u"missing"_qs), (QStringList{u""_qs, u""_qs, u""_qs}));
}

TEST_F(CatalogTest, SearchMatchesNamesAndDescriptionsLiterally) {
    // A description that starts with a number is not found by every search.
    EXPECT_EQ(names(SQLDAL::getVenuesNamedAs(u"gallery"_qs)), QStringList{u"Gallery One"_qs});
    EXPECT_EQ(names(SQLDAL::getVenuesNamedAs(u"  baroque "_qs)), QStringList{u"Gallery One"_qs});
    EXPECT_EQ(names(SQLDAL::getVenuesNamedAs(u"cafe"_qs)), (QStringList{u"Art Cafe"_qs, u"Cafe"_qs}));
    EXPECT_EQ(names(SQLDAL::getVenuesNamedAs(u"100%"_qs)), QStringList{u"Weinbar 100%"_qs});
    EXPECT_EQ(names(SQLDAL::getVenuesNamedAs(u"Ku_g"_qs)), QStringList()); // "_" is no wildcard
    EXPECT_EQ(names(SQLDAL::getVenuesNamedAs(u"g_f"_qs)), QStringList{u"Dojo"_qs});
    EXPECT_EQ(names(SQLDAL::getVenuesNamedAs(u"\\"_qs)), QStringList{u"Jazz Club"_qs}); // "\n" in its body
    // Apostrophes are stored doubled; the reader types single ones.
    EXPECT_EQ(names(SQLDAL::getVenuesNamedAs(u"Vienna's"_qs)), QStringList{u"Vinothek"_qs});
    EXPECT_EQ(names(SQLDAL::getVenuesNamedAs(u"Reinthaler's"_qs)), QStringList{u"Reinthaler's Beisl"_qs});
    EXPECT_TRUE(SQLDAL::getVenuesNamedAs(u"zzz"_qs).isEmpty());
}

TEST_F(CatalogTest, TheSearchIndexNeverChangesWhatIsFound) {
    const QStringList texts = {u"cafe"_qs, u"CAFE"_qs,  u"Straße"_qs,    u"STRASSE"_qs,  u"STRAẞE"_qs,
                               u"ine"_qs,  u"100%"_qs,  u"g_f"_qs,       u"wine bar"_qs, u"'s best"_qs,
                               u"\\n"_qs,  u"\"x\""_qs, u"Vienna''s"_qs, u"e b"_qs,      u"ou"_qs,
                               u"Ku_g"_qs, u"e%b"_qs};
    QList<QStringList> indexed;
    for (const QString& text : texts)
        indexed.append(names(SQLDAL::getVenuesNamedAs(text)));
    EXPECT_EQ(indexed[0], (QStringList{u"Art Cafe"_qs, u"Cafe"_qs}));
    EXPECT_EQ(indexed[2], QStringList{u"Vinothek"_qs});

    SQLDAL::closeDatabase();
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(editionFile("Catalog.sqlite")).constData(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "drop table catalog_search", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
    SQLDAL::connectToDatabase();
    for (qsizetype i = 0; i < texts.size(); ++i)
        EXPECT_EQ(names(SQLDAL::getVenuesNamedAs(texts[i])), indexed[i]) << texts[i].toStdString();
    // Without the index too, "%" and "_" are the reader's characters, no wildcards ("Ku_g" would find
    // "Kung_fu lessons", "e%b" "Weinbar 100%").
    EXPECT_EQ(names(SQLDAL::getVenuesNamedAs(u"100%"_qs)), QStringList{u"Weinbar 100%"_qs});
    EXPECT_EQ(names(SQLDAL::getVenuesNamedAs(u"Ku_g"_qs)), QStringList());
    EXPECT_EQ(names(SQLDAL::getVenuesNamedAs(u"e%b"_qs)), QStringList());
}

// Readers type without accents and in any case; the build keeps a folded copy of the texts.
TEST_F(CatalogTest, SearchForgivesCaseAndAccents) {
    for (const QString& text : {u"weinstrasse"_qs, u"WEINSTRASSE"_qs, u"Weinstraße"_qs, u"WEINSTRAẞE"_qs})
        EXPECT_EQ(names(SQLDAL::getVenuesNamedAs(text)), QStringList{u"Vinothek"_qs}) << text.toStdString();
    for (const QString& text : {u"CAFÉ"_qs, u"café"_qs, u"Cafe\u0301"_qs})
        EXPECT_EQ(names(SQLDAL::getVenuesNamedAs(text)), (QStringList{u"Art Cafe"_qs, u"Cafe"_qs}))
            << text.toStdString();
    EXPECT_EQ(names(SQLDAL::getVenuesNamedAs(u"KUNG_FU"_qs)), QStringList{u"Dojo"_qs});
    EXPECT_EQ(names(SQLDAL::getVenuesNamedAs(u"reinthaler's"_qs)), QStringList{u"Reinthaler's Beisl"_qs});
    EXPECT_EQ(searchFolded(u"Schönbrunn Straße Œuvre ﬁne"_qs), u"schonbrunn strasse œuvre fine"_qs);
}

// Whatever the search found before the folded copy, it still finds: every word and word part of
// the demo edition's names, against the plain pattern on the unfolded texts.
TEST(DemoSearch, FoldingFindsEverythingThePlainPatternFinds) {
    GuideTestPaths paths(QStringLiteral(GUIDE_DEMO_EDITION));
    SQLDAL::connectToDatabase();
    sqlite3* db = nullptr;
    ASSERT_EQ(
        sqlite3_open_v2(QFile::encodeName(QStringLiteral(GUIDE_DEMO_EDITION "/Catalog.sqlite")).constData(),
                        &db, SQLITE_OPEN_READONLY, nullptr),
        SQLITE_OK);
    QStringList texts;
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db, "select name from catalog", -1, &statement, nullptr);
    while (sqlite3_step(statement) == SQLITE_ROW) {
        const QString name =
            QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
        for (const QString& word : name.split(u' ', Qt::SkipEmptyParts))
            texts << word << word.left(3) << word.mid(1).toUpper();
    }
    sqlite3_finalize(statement);
    texts.removeDuplicates();
    ASSERT_GT(texts.size(), 200);
    int wider = 0;
    for (const QString& text : std::as_const(texts)) {
        QSet<int> plain;
        sqlite3_prepare_v2(
            db, "select rowid from catalog where name like ?1 escape '\\' or body like ?1 escape '\\'", -1,
            &statement, nullptr);
        QString pattern = QString(text).replace(u"'"_qs, u"''"_qs);
        pattern.replace(u"\\"_qs, u"\\\\"_qs).replace(u"%"_qs, u"\\%"_qs).replace(u"_"_qs, u"\\_"_qs);
        const QByteArray bound = (u'%' + pattern + u'%').toUtf8();
        sqlite3_bind_text(statement, 1, bound.constData(), -1, SQLITE_STATIC);
        while (sqlite3_step(statement) == SQLITE_ROW)
            plain.insert(sqlite3_column_int(statement, 0));
        sqlite3_finalize(statement);
        QSet<int> folded;
        for (const Venue& venue : SQLDAL::getVenuesNamedAs(text))
            folded.insert(venue.venueID);
        EXPECT_TRUE(folded.contains(plain)) << text.toStdString();
        wider += folded.size() > plain.size();
    }
    EXPECT_GT(wider, 0); // and folding finds more: "Schonbrunn" finds "Schönbrunn"
    sqlite3_close(db);
    SQLDAL::closeDatabase();
}

TEST_F(CatalogTest, BookmarkLookupsPreferTheExactName) {
    const VenueList venues =
        SQLDAL::getVenueDataForVenues({u"Cafe"_qs, u"gone"_qs, u"Sacher"_qs, u"Christmas Market"_qs});
    ASSERT_EQ(names(venues), (QStringList{u"Cafe"_qs, u"Hotel Sacher"_qs, u"Christmas Market"_qs}));
    EXPECT_EQ(venues[1].venuePrice, u"from EUR 400"_qs);
    EXPECT_EQ(venues[2].venueDateStart, u"2026-11-14"_qs);
    EXPECT_EQ(venues[2].venueDateStop, u"2026-12-26"_qs);
    EXPECT_EQ(venues[2].venueOpen, u"daily 10:00-22:00"_qs);
    // A part of other names, without an exact match: the first by name.
    EXPECT_EQ(names(SQLDAL::getVenueDataForVenues({u"afe"_qs})), QStringList{u"Art Cafe"_qs});

    EXPECT_EQ(SQLDAL::getChapterNameForVenue(u" Cafe "_qs), u"Sights"_qs);
    EXPECT_EQ(SQLDAL::getChapterNameForVenue(u"Sach"_qs), u"Hotels"_qs);
    EXPECT_EQ(SQLDAL::getChapterNameForVenue(u"nothing"_qs), u""_qs);

    // Names with an apostrophe are found as the reader saw them.
    EXPECT_EQ(names(SQLDAL::getVenueDataForVenues({u"Reinthaler's Beisl"_qs})),
              QStringList{u"Reinthaler's Beisl"_qs});
    EXPECT_EQ(SQLDAL::getChapterNameForVenue(u"Reinthaler's Beisl"_qs), u"Hotels"_qs);
    EXPECT_EQ(SQLDAL::getVenueDetails(-1, u"Reinthaler's Beisl"_qs)[SQLDAL::DetailRowID].toInt(), 10);
}

TEST_F(CatalogTest, VenuesCloseToAPositionLieInATenKilometreBox) {
    const VenueList near = SQLDAL::getAllVenuesCloseTo(SQLDAL::Position{48.2085, 16.3721});
    EXPECT_EQ(near.size(), 8); // every venue with a position
    for (const Venue& venue : near) {
        // Each with its own id, so that its pin opens exactly that venue.
        const QVariantList details = SQLDAL::getVenueWithVenueID(venue.venueID, QString());
        EXPECT_EQ(details.value(0).toString().replace(u"''"_qs, u"'"_qs), venue.venueName);
        EXPECT_TRUE(venue.venueDescription.isEmpty());
    }
    EXPECT_TRUE(SQLDAL::getAllVenuesCloseTo(std::nullopt).isEmpty());
    EXPECT_TRUE(SQLDAL::getAllVenuesCloseTo(SQLDAL::Position{48.2085 + 0.1, 16.3721}).isEmpty());
}

TEST_F(CatalogTest, DetailListsByIdAndByName) {
    const QVariantList byID = SQLDAL::getVenueDetails(7, QString());
    ASSERT_EQ(byID.size(), SQLDAL::DetailCount);
    EXPECT_EQ(byID[SQLDAL::DetailAddress].toString(), u"Philharmoniker Straße 4"_qs);
    EXPECT_EQ(byID[SQLDAL::DetailPhone].toString(), u"+43 (1) 514-560"_qs);
    EXPECT_EQ(byID[SQLDAL::DetailPhone2].toString(), u"+43 1 555 0102"_qs);
    EXPECT_EQ(byID[SQLDAL::DetailWebsite].toString(), u"https://www.example.org/sacher"_qs);
    EXPECT_EQ(byID[SQLDAL::DetailEmail].toString(), u"hotel@example.org"_qs);
    EXPECT_DOUBLE_EQ(byID[SQLDAL::DetailLatitude].toDouble(), 48.2039);
    EXPECT_EQ(byID[SQLDAL::DetailPriceText].toString(), u"from EUR 400"_qs);
    EXPECT_EQ(byID[SQLDAL::DetailPriceTextAgain].toString(), u"from EUR 400"_qs);
    EXPECT_EQ(byID[SQLDAL::DetailImage].toString(), u"sacher"_qs);
    EXPECT_EQ(byID[SQLDAL::DetailRowID].toInt(), 7);
    EXPECT_EQ(byID[SQLDAL::DetailHotelRooms].toString(), u"149 rooms and suites"_qs);
    EXPECT_EQ(byID[SQLDAL::DetailHighlight].toString(), u"1"_qs);

    LogCapture log;
    const QVariantList byName = SQLDAL::getVenueDetails(-1, u"vinothek"_qs);
    EXPECT_EQ(byName[SQLDAL::DetailBody].toString(),
              u"Wines by the glass. Vienna's best cellar in the Weinstraße."_qs);
    EXPECT_EQ(byName[SQLDAL::DetailRowID].toInt(), 3);
    EXPECT_EQ(log.lines(), QStringList{u"2nd if"_qs});

    const QVariantList none = SQLDAL::getVenueDetails(999, QString());
    EXPECT_EQ(none[SQLDAL::DetailAddress].toString(), u""_qs);
    EXPECT_EQ(none[SQLDAL::DetailLatitude].toDouble(), 0);
    EXPECT_EQ(none[SQLDAL::DetailRowID].toInt(), 999);

    const QVariantList placement = SQLDAL::getVenueWithVenueID(7, u"ignored"_qs);
    ASSERT_EQ(placement.size(), SQLDAL::DetailCount + 1);
    EXPECT_EQ(placement[0].toString(), u"Hotel Sacher"_qs);
    EXPECT_EQ(placement.mid(1), byID);
    EXPECT_EQ(SQLDAL::getVenueWithVenueID(999, {})[0].toString(), u""_qs);
}

TEST_F(CatalogTest, EveryStartCopiesTheShippedCatalogueAgain) {
    const QString working = SQLDAL::dataFilePath(u"Catalog.sqlite"_qs);
    ASSERT_TRUE(QFile::exists(working));
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(working).constData(), &db), SQLITE_OK);
    sqlite3_exec(db, "delete from catalog", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    EXPECT_TRUE(SQLDAL::getVenuesForCategory(u"All"_qs, u"1"_qs).isEmpty());

    SQLDAL::connectToDatabase();
    EXPECT_EQ(SQLDAL::getVenuesForCategory(u"All"_qs, u"1"_qs).size(), 6);
}

TEST_F(CatalogTest, WithoutACatalogueEveryQueryIsEmpty) {
    SQLDAL::closeDatabase();
    QFile::remove(editionFile("Catalog.sqlite"));
    writeText(editionFile("Catalog.sqlite"), u"this is not a database"_qs);
    SQLDAL::connectToDatabase();
    EXPECT_TRUE(SQLDAL::getVenuesForCategory(u"All"_qs, u"1"_qs).isEmpty());
    EXPECT_EQ(SQLDAL::getCategoriesForChapter(u"1"_qs).total, u""_qs);
    EXPECT_EQ(SQLDAL::getCategoryIntroduction(u"1"_qs), (QStringList{u""_qs, u""_qs, u""_qs}));
    EXPECT_EQ(SQLDAL::getVenueDetails(1, {}).size(), SQLDAL::DetailCount);
}

TEST_F(CatalogTest, TheConnectionServesSeveralThreadsAtOnce) {
    std::atomic<int> wrong{0};
    std::vector<std::unique_ptr<QThread>> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back(QThread::create([&wrong] {
            for (int i = 0; i < 50; ++i) {
                if (SQLDAL::getVenuesForCategory(u"All"_qs, u"1"_qs).size() != 6 ||
                    SQLDAL::getCategoriesForChapter(u"2"_qs).names.size() != 3)
                    ++wrong;
            }
        }));
        threads.back()->start();
    }
    for (auto& thread : threads)
        thread->wait();
    EXPECT_EQ(wrong.load(), 0);
}

} // namespace

namespace {

// With the R*Tree of positions an edition is built with, kept right by its triggers when rows are
// added, moved and removed by hand, and without it (an edition made otherwise): the same venues.
TEST_F(GuideTest, TheNearMeBoxHoldsWhatLiesStrictlyInsideIt) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(editionFile("Catalog.sqlite")).constData(), &db), SQLITE_OK);
    const auto run = [db](const char* sql) { return sqlite3_exec(db, sql, nullptr, nullptr, nullptr); };
    ASSERT_EQ(run("insert into catalog (name, gps_lat, gps_lon, chapter_id) values "
                  "('Inside', 10.09, 20.09, '9'), ('North edge', 10.09009009009009009, 20.0, '9'), "
                  "('East edge', 10.0, 20.09009009009009009, '9'), ('Beyond', 10.1, 20.0, '9'), "
                  "('Moved in', 50.0, 20.0, '9'), ('Moved out', 10.0, 20.0, '9'), ('Gone', 10.0, 20.0, '9'), "
                  "('Just inside', 10.0900900, 19.9099100, '9'), ('Text', 'ten', 20.0, '9'); "
                  "update catalog set gps_lat = 9.95 where name = 'Moved in';"
                  "update catalog set gps_lon = 21.0 where name = 'Moved out';"
                  "delete from catalog where name = 'Gone'"),
              SQLITE_OK);
    const QStringList inside{u"Inside"_qs, u"Moved in"_qs, u"Just inside"_qs};
    const auto near = [] {
        SQLDAL::connectToDatabase();
        QStringList found;
        for (const Venue& venue : SQLDAL::getAllVenuesCloseTo(SQLDAL::Position{10.0, 20.0}))
            found.append(venue.venueName);
        SQLDAL::closeDatabase();
        return found;
    };
    EXPECT_EQ(near(), inside);
    ASSERT_EQ(run("drop table catalog_position"), SQLITE_OK);
    EXPECT_EQ(near(), inside);
    sqlite3_close(db);
}

} // namespace
