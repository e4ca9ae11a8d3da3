// Whether venues are open now, as a reader meets it: the marks of a list, the "Open now" tool, the
// detail page's line, all by the device's clock in the edition's zone (Europe/Vienna).

#include "model/Bookmarks.h"
#include "pages/BookmarkPage.h"
#include "pages/DetailedPage.h"
#include "platform/Device.h"
#include "tests/support/GuideDriver.h"
#include "views/CustomCell.h"

#include <QTimeZone>

using namespace testsupport;

namespace {

class OpenNowTest : public RunningGuideTest {
protected:
    void SetUp() override {
        RunningGuideTest::SetUp();
        // The lists' tool bar gets the tool.
        QString settings = readText(editionFile("manager.csv"));
        settings.replace(u"SortNearest.tool,Live Map:LiveMap:LiveMap.tool\""_qs,
                         u"SortNearest.tool,Live Map:LiveMap:LiveMap.tool,Open now:SortAZ:OpenNow.tool\""_qs);
        writeText(editionFile("manager.csv"), settings);
        sql("update catalog set opening_hours = case rowid "
            "when 1 then 'Mo-Fr 09:00-18:00' "              // Art Cafe
            "when 2 then 'Sa,Su 10:00-18:00' "              // Cafe
            "when 3 then 'sometimes' "                      // Vinothek: unreadable, so unknown
            "when 4 then '24/7' "                           // Weinbar 100%
            "when 6 then 'Sa 10:00-12:00' "                 // Dojo
            "when 7 then 'Mo-Su 07:00-18:00' else '' end"); // Hotel Sacher; Gallery One has none
    }
    static void setClock(const char* local) {
        const QDateTime time = QDateTime::fromString(QString::fromLatin1(local), Qt::ISODate);
        Device::setClock(QDateTime(time.date(), time.time(), QTimeZone("Europe/Vienna")));
    }
    static QMap<QString, CustomCell::OpenMark> marks(BookmarkPage* page) {
        QMap<QString, CustomCell::OpenMark> result;
        for (int row = 0; row < page->tableView()->numberOfRows(); ++row) {
            auto* cell = static_cast<CustomCell*>(page->cellForRow(page->tableView(), row));
            result.insert(cell->venueNameLabel()->text(), cell->openMark());
            // A row made afresh for the question belongs to no table.
            if (!cell->parent())
                delete cell;
        }
        return result;
    }
};

using Mark = CustomCell::OpenMark;

TEST_F(OpenNowTest, ListsMarkTheirVenuesAndTheToolKeepsOnlyThoseOpen) {
    setClock("2026-12-09T10:00"); // a Wednesday
    start();
    for (const char* name : {"Art Cafe", "Cafe", "Vinothek", "Weinbar 100%", "Gallery One", "Dojo"})
        Bookmarks::add(QString::fromLatin1(name));
    auto* page = push<BookmarkPage>();
    ASSERT_NE(page->tableView(), nullptr);
    EXPECT_EQ(marks(page), (QMap<QString, Mark>{{u"Art Cafe"_qs, Mark::Open},
                                                {u"Cafe"_qs, Mark::Closed},
                                                {u"Vinothek"_qs, Mark::None},
                                                {u"Weinbar 100%"_qs, Mark::Open},
                                                {u"Gallery One"_qs, Mark::None},
                                                {u"Dojo"_qs, Mark::Closed}}));
    EXPECT_TRUE(page->tableView()->cellForRow(0)->accessibleName().endsWith(u", open now"_qs));

    CustomBarButtonItem* openNow = tool(page->toolbar(), u"OpenNow.tool"_qs);
    ASSERT_NE(openNow, nullptr);
    driver->tapView(openNow->button());
    EXPECT_TRUE(page->showsOpenOnly());
    EXPECT_EQ(marks(page).keys(), (QStringList{u"Art Cafe"_qs, u"Weinbar 100%"_qs}));
    ASSERT_NE(page->openNoticeLabel(), nullptr);
    EXPECT_EQ(page->openNoticeLabel()->label()->text(), u"2 open now · 2 with unknown hours"_qs);

    // A bookmark deleted from the filtered list is the one of its row; those hidden are kept.
    TableView* table = page->tableView();
    const QRect row = driver->windowFrame(table->cellForRow(1));
    driver->drag(row.center() + QPoint(60, 0), row.center() - QPoint(60, 0));
    ASSERT_EQ(table->editingRow(), 1);
    driver->tapView(table->deleteButton());
    EXPECT_EQ(Bookmarks::read(),
              (QStringList{u"Art Cafe"_qs, u"Cafe"_qs, u"Vinothek"_qs, u"Gallery One"_qs, u"Dojo"_qs}));

    // At 18:00 the café closes; the list follows the clock, as does its strip.
    setClock("2026-12-09T18:00");
    page->renewOpenMarks();
    EXPECT_EQ(page->tableView()->numberOfRows(), 0);
    EXPECT_EQ(page->openNoticeLabel()->label()->text(), u"None open now · 2 with unknown hours"_qs);

    driver->tapView(openNow->button());
    EXPECT_FALSE(page->showsOpenOnly());
    EXPECT_EQ(marks(page).value(u"Art Cafe"_qs), Mark::Closed);
    EXPECT_EQ(page->tableView()->numberOfRows(), 5);
}

TEST_F(OpenNowTest, TheDetailTellsTheStateAndFollowsTheClock) {
    setClock("2026-12-09T17:40");
    start();
    auto* page = push<DetailedPage>(u"Hotels"_qs, u"Hotel Sacher"_qs, 7);
    ASSERT_NE(page->openStateLabel(), nullptr);
    EXPECT_EQ(page->openStateLabel()->text(), u"Closes in 20 min"_qs);
    setClock("2026-12-09T18:05");
    page->renewOpenState();
    EXPECT_EQ(page->openStateLabel()->text(), u"Closed · opens Thu 07:00"_qs);

    // Without hours the guide can read, no line at all.
    driver->navigation()->popViewControllerAnimated(false);
    auto* unknown = push<DetailedPage>(u"Sights"_qs, u"Vinothek"_qs, 3);
    EXPECT_EQ(unknown->openStateLabel(), nullptr);
}

} // namespace
