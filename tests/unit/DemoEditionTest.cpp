#include "catalog/SQLDAL.h"
#include "model/DAO.h"
#include "tests/support/TestSupport.h"
#include "tools/edition/Edition.h"

#include <QDir>
#include <QFile>
#include <sqlite3.h>

using namespace testsupport;

namespace {

// The edition the guide ships with, as the build made it.
class DemoEditionTest : public ::testing::Test {
protected:
    static QString edition() { return QStringLiteral(GUIDE_DEMO_EDITION); }
    int count(const char* sql) {
        sqlite3* db = nullptr;
        sqlite3_open_v2(QFile::encodeName(edition() + u"/Catalog.sqlite"_qs).constData(), &db,
                        SQLITE_OPEN_READONLY, nullptr);
        sqlite3_stmt* statement = nullptr;
        int result = -1;
        if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) == SQLITE_OK &&
            sqlite3_step(statement) == SQLITE_ROW)
            result = sqlite3_column_int(statement, 0);
        sqlite3_finalize(statement);
        sqlite3_close(db);
        return result;
    }
};

TEST_F(DemoEditionTest, PassesTheEditionCheck) {
    QStringList problems;
    EXPECT_EQ(Edition::check(edition(), &problems), Edition::CheckResult::Clean)
        << problems.join(u'\n').toStdString();
}

TEST_F(DemoEditionTest, HasEveryKindOfVenueTheScreensTreatDifferently) {
    EXPECT_GE(count("select count(*) from catalog"), 250);
    EXPECT_GE(count("select count(distinct chapter_id || '/' || category_name) from catalog"), 40);
    EXPECT_GE(count("select count(distinct chapter_id) from catalog"), 7);
    EXPECT_GE(count("select count(*) from catalog where image is not null"), 30);
    EXPECT_GE(count("select count(*) from catalog where mobile_highlight in ('1', 'YES', 'yes', 'Y')"), 1);
    EXPECT_GE(count("select count(*) from catalog where date_start is not null and date_stop is not null"),
              1);
    EXPECT_GE(count("select count(*) from catalog where date_start is null and date_stop is not null"), 1);
    EXPECT_GE(count("select count(*) from catalog where hotel_room_decription is not null and price_text is "
                    "not null"),
              1);
    EXPECT_GE(count("select count(*) from catalog where phone is not null and phone2 is not null"), 1);
    EXPECT_GE(count("select count(*) from catalog where website is not null and email is not null"), 1);
    EXPECT_GE(
        count("select count(*) from catalog where phone is null and phone2 is null and website is null and "
              "email is null"),
        1);
    EXPECT_GE(count("select count(*) from catalog where gps_lat is null"), 1);
    EXPECT_GE(count("select count(*) from catalog where body like '%''''%'"), 1);
    EXPECT_GE(count("select count(*) from catalog where body like '%\\n%'"), 1);
    EXPECT_GE(
        count("select count(*) from (select chapter_id, category_name from catalog group by 1, 2 having "
              "count(*) = 1)"),
        1);
    EXPECT_GE(
        count("select count(distinct chapter_id) from catalog where text_short is not null and text_long is "
              "not null and title is not null"),
        1);
    EXPECT_GE(count("select count(distinct chapter_id) from catalog where text_short is null"), 1);
}

TEST_F(DemoEditionTest, SettingsNameTheMetroMapAndAtLeastSevenChapters) {
    GuideTestPaths paths(edition());
    const ManagerModel* model = DAOFactory::getInstance()->readSettingsFromFile(u"manager.csv"_qs);
    const QStringList chapters = model->orderChapters().split(u',');
    EXPECT_GE(chapters.size(), 9); // seven chapters at least, and Metro and Search
    EXPECT_TRUE(model->orderMaps().contains(u":MetroMap.png:"_qs));
    EXPECT_GE(model->orderMaps().split(u',').size(), 4);
    EXPECT_TRUE(model->userCurrencies().startsWith(u"EUR"_qs));
    EXPECT_GE(model->userCurrencies().split(u',').size(), 6);
    EXPECT_TRUE(QFile::exists(edition() + u"/feeds/weather.xml"_qs));
    EXPECT_TRUE(QFile::exists(edition() + u"/feeds/videos.xml"_qs));
}

} // namespace
