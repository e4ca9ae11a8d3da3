#include "pages/CategoryIntroductionPage.h"
#include "pages/CategoryPage.h"
#include "pages/ChapterPage.h"
#include "pages/DetailedPage.h"
#include "pages/LiveMap.h"
#include "pages/VenuesPage.h"
#include "platform/UserDefaults.h"
#include "tests/support/GuideDriver.h"
#include "views/CustomCell.h"

#include <QFile>
#include <sqlite3.h>

using namespace testsupport;

namespace {

class BrowsingTest : public RunningGuideTest {
protected:
    static QStringList rowTexts(TableView* table) {
        QStringList texts;
        for (TableViewCell* cell : table->visibleCells()) {
            auto* row = static_cast<CustomCell*>(cell);
            if (row->name())
                texts.append(row->name()->text() + u'|' + row->number()->text());
            else if (row->venueNameLabel())
                texts.append(row->venueNameLabel()->text() + u'|' + row->venueDistanceLabel()->text());
            else
                texts.append(u"Introduction"_qs);
        }
        return texts;
    }
};

TEST_F(BrowsingTest, ChapterOpensItsCategoriesWithIntroductionAllAndCountedRows) {
    // A row without a category makes a category of no venues, which is not listed.
    sql("insert into catalog (name, chapter_id, chapter_name) values ('Loose end', '1', 'Sights')");
    start();
    ASSERT_TRUE(driver->tapText(u"Sights"_qs));
    auto* page = qobject_cast<CategoryPage*>(driver->navigation()->topViewController());
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->pageTitle(), u"Sights"_qs);
    EXPECT_TRUE(page->hasCategoryIntroduction());
    EXPECT_EQ(page->categoryNames(),
              (QStringList{u"Bars"_qs, u"Wine Bars"_qs, u"Art"_qs, u"Martial Arts"_qs}));
    EXPECT_EQ(rowTexts(page->tableView()), (QStringList{u"Introduction"_qs, u"All|6"_qs, u"Bars|2"_qs,
                                                        u"Wine Bars|2"_qs, u"Art|"_qs, u"Martial Arts|"_qs}));
    EXPECT_EQ(page->tableView()->frame(), QRect(10, 0, 300, 405));
    EXPECT_EQ(page->tableView()->rectForRow(0).height(), 60);
    EXPECT_EQ(page->tableView()->rectForRow(1).height(), 40);
    // The header: the chapter's colour, and no loading layer once loaded.
    Label* title = driver->label(u"Sights"_qs, driver->navigationBar());
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->textColor(), QColor::fromRgbF(1, 0.5, 0, 1));
    EXPECT_EQ(driver->label(u"Loading categories ..."_qs), nullptr);
}

TEST_F(BrowsingTest, RowsOpenTheIntroductionTheListsAndAOneVenueCategorysDetail) {
    start();
    auto* page = push<CategoryPage>(u"Sights"_qs, u"1"_qs, u"Sights"_qs);
    page->didSelectRow(page->tableView(), 0);
    EXPECT_NE(qobject_cast<CategoryIntroductionPage*>(driver->navigation()->topViewController()), nullptr);
    driver->navigation()->popViewControllerAnimated(false);
    driver->waitIdle();

    page->didSelectRow(page->tableView(), 1); // All
    driver->waitIdle();
    auto* all = qobject_cast<VenuesPage*>(driver->navigation()->topViewController());
    ASSERT_NE(all, nullptr);
    EXPECT_EQ(all->venues().size(), 6);
    driver->navigation()->popViewControllerAnimated(false);
    driver->waitIdle();

    page->didSelectRow(page->tableView(), 4); // Art: its one venue's detail at once
    driver->waitIdle();
    auto* detail = qobject_cast<DetailedPage*>(driver->navigation()->topViewController());
    ASSERT_NE(detail, nullptr);
    EXPECT_EQ(detail->pageTitle(), u"Sights"_qs);
    EXPECT_EQ(detail->venueID(), 5);
}

TEST_F(BrowsingTest, AChapterWithoutIntroductionStartsWithAll) {
    start();
    auto* page = push<CategoryPage>(u"Hotels"_qs, u"2"_qs, u"Hotels"_qs);
    EXPECT_FALSE(page->hasCategoryIntroduction());
    EXPECT_EQ(rowTexts(page->tableView()).value(0), u"All|4"_qs);
}

TEST_F(BrowsingTest, IntroductionShowsTitleAndBodyWithLineBreaks) {
    start();
    auto* page = push<CategoryIntroductionPage>(u"Sights"_qs, u"Sights"_qs, u"1"_qs);
    EXPECT_EQ(page->categoryName()->text(), u"Sights of Testcity"_qs);
    EXPECT_EQ(page->categoryName()->frame(), QRect(70, 0, 244, 80));
    EXPECT_TRUE(page->description()->text().contains(u"city,\nwith a second"_qs));
    EXPECT_EQ(page->scrollView()->frame(), QRect(20, 80, 280, 320));
    EXPECT_EQ(page->scrollView()->contentSize().height(), page->description()->height());
    driver->navigation()->popViewControllerAnimated(false);

    // A long title pushes the body down; an empty long text shows the short one.
    sql("update catalog set title = 'A very long title that takes three lines or more at this size', "
        "text_long = null where chapter_id = '1'");
    driver.reset();
    start();
    page = push<CategoryIntroductionPage>(u"Sights"_qs, u"Sights"_qs, u"1"_qs);
    EXPECT_GE(page->categoryName()->height(), 80);
    EXPECT_EQ(page->scrollView()->y(), page->categoryName()->height());
    EXPECT_EQ(page->description()->text(), u"Short intro"_qs);
}

TEST_F(BrowsingTest, VenuesShowFeaturedFirstWithDistancesInTheReadersUnit) {
    options.position = PositionFix{48.2085, 16.3721, 10, {}};
    start();
    auto* page = push<VenuesPage>(u"Sights"_qs, u"All"_qs, u"1"_qs, u"1"_qs);
    EXPECT_EQ(names(page->venues()), (QStringList{u"Art Cafe"_qs, u"Weinbar 100%"_qs, u"Cafe"_qs, u"Dojo"_qs,
                                                  u"Gallery One"_qs, u"Vinothek"_qs}));
    EXPECT_EQ(page->venues()[0].venueDistance, u"0m"_qs);
    EXPECT_EQ(page->venues()[5].venueDistance, u""_qs); // no position
    EXPECT_TRUE(page->venues()[3].venueDistance.endsWith(u"km"_qs))
        << page->venues()[3].venueDistance.toStdString();
    EXPECT_EQ(page->venues()[2].venueDistance, u"228m"_qs);
    EXPECT_EQ(page->distanceUserValue(), 1.0f);

    // Featured rows carry the badge; a row without description is 35 high.
    auto* first = static_cast<CustomCell*>(page->tableView()->cellForRow(0));
    ASSERT_NE(first, nullptr);
    EXPECT_NE(first->featuredImage(), nullptr);
    EXPECT_EQ(first->venueDescriptionLabel()->width(), 220);
    EXPECT_EQ(page->tableView()->frame(), QRect(10, 0, 300, 372));
    // A paragraph mark as the catalogue writes it is a space in a row (lists, search, bookmarks).
    std::unique_ptr<CustomCell> marked(CustomCell::initWithVenue(QRect(0, 0, 300, 80), u"Two"_qs, {}, {}, {},
                                                                 u"First.\\nSecond."_qs, false, {}));
    EXPECT_EQ(marked->venueDescriptionLabel()->text(), u"First. Second."_qs);

    driver.reset();
    UserDefaults::standardUserDefaults().setObject(u"distance"_qs, u"1"_qs);
    start();
    UserDefaults::standardUserDefaults().setObject(u"distance"_qs, u"1"_qs);
    page = push<VenuesPage>(u"Sights"_qs, u"All"_qs, u"1"_qs, u"1"_qs);
    EXPECT_EQ(page->venues()[2].venueDistance, u"748ft"_qs);
    EXPECT_EQ(page->distanceUserValue(), 0.3048f);
}

TEST_F(BrowsingTest, SortsKeepEqualKeysInOrderAndPutVenuesWithoutDistanceLast) {
    start();
    auto* page = push<VenuesPage>(u"Sights"_qs, u"All"_qs, u"1"_qs, u"1"_qs);
    auto touch = [&](const QString& tool) {
        for (BarButtonItem* item : page->toolbar()->items())
            if (auto* custom = qobject_cast<CustomBarButtonItem*>(item); custom && custom->selector() == tool)
                driver->tapView(custom->button());
    };
    touch(u"SortAZ.tool"_qs);
    EXPECT_EQ(names(page->venues()), (QStringList{u"Art Cafe"_qs, u"Cafe"_qs, u"Dojo"_qs, u"Gallery One"_qs,
                                                  u"Vinothek"_qs, u"Weinbar 100%"_qs}));
    touch(u"SortNearest.tool"_qs);
    EXPECT_EQ(names(page->venues()).first(), u"Art Cafe"_qs);
    EXPECT_EQ(names(page->venues()).last(), u"Vinothek"_qs);
    for (qsizetype i = 1; i + 1 < page->venues().size(); ++i)
        EXPECT_LE(page->venues()[i - 1].venueRealDistance, page->venues()[i].venueRealDistance);

    VenueList equal{Venue::initWithVenue(u"b"_qs, {}, {}, 0, 0, {}, {}, {}, {}, {}, 1, false),
                    Venue::initWithVenue(u"a"_qs, {}, {}, 1, 1, u"5m"_qs, {}, {}, {}, {}, 2, false),
                    Venue::initWithVenue(u"c"_qs, {}, {}, 0, 0, {}, {}, {}, {}, {}, 3, false),
                    Venue::initWithVenue(u"B"_qs, {}, {}, 1, 1, u"5m"_qs, {}, {}, {}, {}, 4, false)};
    equal[1].venueRealDistance = equal[3].venueRealDistance = 5;
    VenuesPage::sortByNearness(equal);
    EXPECT_EQ(names(equal), (QStringList{u"a"_qs, u"B"_qs, u"b"_qs, u"c"_qs}));
    VenuesPage::sortByName(equal);
    EXPECT_EQ(names(equal), (QStringList{u"B"_qs, u"a"_qs, u"b"_qs, u"c"_qs})); // plain character order
}

TEST_F(BrowsingTest, APositionThatArrivesLateFillsTheDistances) {
    options.position = std::nullopt;
    start();
    auto* page = push<VenuesPage>(u"Sights"_qs, u"Bars"_qs, u"1"_qs, u"1"_qs);
    EXPECT_TRUE(page->venues()[0].venueDistance.isEmpty());
    EXPECT_EQ(page->locationAlertLabel()->alpha(), 1); // "Updating location..." is showing
    EXPECT_EQ(page->locationAlertLabel()->label()->text(), u"Updating location..."_qs);

    // The live map waits for the position, then opens; the list keeps the reader's unit.
    for (BarButtonItem* item : page->toolbar()->items())
        if (auto* custom = qobject_cast<CustomBarButtonItem*>(item);
            custom && custom->selector() == u"LiveMap.tool")
            driver->tapView(custom->button());
    EXPECT_TRUE(page->waitingForUserLocation());
    driver->position()->setFix(PositionFix{48.2085, 16.3721, 10, {}});
    driver->waitIdle();
    EXPECT_EQ(page->venues()[0].venueDistance, u"0m"_qs);
    EXPECT_EQ(page->venues()[1].venueDistance, u"228m"_qs);
    EXPECT_EQ(page->locationAlertLabel()->alpha(), 0);
    auto* map = qobject_cast<LiveMap*>(driver->navigation()->topViewController());
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(map->mode(), LiveMap::VenueList);
    EXPECT_EQ(map->placemarks().size(), 2);
    EXPECT_EQ(rowTexts(page->tableView()), (QStringList{u"Art Cafe|0m"_qs, u"Cafe|228m"_qs}));
}

TEST_F(BrowsingTest, ALoadThatEndsAfterThePageWentTouchesNothing) {
    start();
    driver->navigation()->pushViewController(
        std::make_unique<VenuesPage>(u"Sights"_qs, u"All"_qs, u"1"_qs, u"1"_qs), false);
    driver->navigation()->pushViewController(
        std::make_unique<CategoryPage>(u"Sights"_qs, u"1"_qs, u"Sights"_qs), false);
    // Both pages leave before their loads have been handed over (ASan watches for any touch).
    driver->navigation()->popToRootViewControllerAnimated(false);
    driver->waitIdle();
    EXPECT_EQ(driver->navigation()->count(), 1);
    // And the location service has no listener left that could be gone.
    driver->position()->setFix(PositionFix{48.2, 16.37, 10, {}});
    LocationManager::getInstance()->updateLocation();
    driver->waitIdle();
    EXPECT_EQ(driver->visible<ActivityIndicator>().size(), 0); // no loading layer left behind
}

TEST_F(BrowsingTest, LongListsKeepOnlyTheRowsOnScreenAlive) {
    QString values;
    for (int i = 0; i < 2000; ++i)
        values +=
            QStringLiteral("%1('Venue %2', 'A description of venue %2.', 48.2, 16.37, '3', 'Long', 'Many')")
                .arg(i ? u","_qs : u""_qs)
                .arg(i, 4, 10, QChar(u'0'));
    sql(("insert into catalog (name, body, gps_lat, gps_lon, chapter_id, chapter_name, category_name) "
         "values " +
         values.toStdString())
            .c_str());
    start();
    auto* page = push<VenuesPage>(u"Long"_qs, u"All"_qs, u"3"_qs, u"1"_qs);
    ASSERT_EQ(page->venues().size(), 2000);
    TableView* table = page->tableView();
    const int alive = int(table->findChildren<CustomCell*>().size());
    EXPECT_LT(alive, 20);
    for (int y = 0; y < table->contentHeight(); y += 200) {
        table->setContentOffset(y);
        EXPECT_LT(table->findChildren<CustomCell*>().size(), 20);
    }
    table->setContentOffset(table->contentHeight());
    EXPECT_EQ(table->visibleCells().last()->row(), 1999);
    EXPECT_EQ(static_cast<CustomCell*>(table->visibleCells().last())->venueNameLabel()->text(),
              u"Venue 1999"_qs);
}

} // namespace
