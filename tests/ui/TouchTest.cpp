#include "model/Bookmarks.h"
#include "pages/BookmarkPage.h"
#include "pages/CategoryPage.h"
#include "pages/OfflineMapsPage.h"
#include "pages/VenuesPage.h"
#include "tests/support/GuideDriver.h"
#include "ui/NavigationController.h"
#include "ui/TableView.h"
#include "ui/TileMapView.h"
#include "views/CustomControls.h"

#include <QPointingDevice>
#include <QTest>

using namespace testsupport;

namespace {

// Fingers on the phone's screen: synthetic touch sequences, points in the window's coordinates.
class TouchTest : public RunningGuideTest {
protected:
    void startActive() {
        start();
        driver->window()->show();
        driver->window()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(driver->window()));
    }
    QPoint at(QWidget* view, QPoint local = {-1, -1}) const {
        if (local == QPoint(-1, -1))
            local = view->rect().center();
        return view->mapTo(driver->window(), local);
    }
    // One finger from `from` to `to` in `steps` moves, `ms` apart.
    void drag(const QPoint& from, const QPoint& to, int steps, int ms) {
        QTest::touchEvent(driver->window(), device).press(0, from);
        for (int i = 1; i <= steps; ++i) {
            QTest::qWait(ms);
            QTest::touchEvent(driver->window(), device).move(0, from + (to - from) * i / steps);
        }
        QTest::touchEvent(driver->window(), device).release(0, to);
    }
    // Two fingers, `startGap` apart about `centre`, spread to `endGap`.
    void pinch(const QPoint& centre, int startGap, int endGap) {
        const QPoint half(startGap / 2, 0);
        QTest::touchEvent(driver->window(), device).press(0, centre - half);
        QTest::touchEvent(driver->window(), device).stationary(0).press(1, centre + half);
        for (int i = 1; i <= 5; ++i) {
            const QPoint now((startGap + (endGap - startGap) * i / 5) / 2, 0);
            QTest::touchEvent(driver->window(), device).move(0, centre - now).move(1, centre + now);
        }
        const QPoint end(endGap / 2, 0);
        QTest::touchEvent(driver->window(), device).release(0, centre - end).release(1, centre + end);
    }
    // One touch screen for the whole run: Qt keeps the devices it knows until the end.
    static QPointingDevice* touchScreen() {
        static QPointingDevice* device = QTest::createTouchDevice();
        return device;
    }
    QPointingDevice* device = touchScreen();
};

TEST_F(TouchTest, ATapPressesAFlickGlidesASwipeOffersDelete) {
    addBulkyVenues(editionFile("Catalog.sqlite"), 40);
    startActive();
    // A tap on a chapter's button opens it.
    Button* sights = nullptr;
    for (Button* button : driver->window()->findChildren<Button*>())
        if (button->accessibleName() == u"Sights"_qs)
            sights = button;
    ASSERT_NE(sights, nullptr);
    QTest::touchEvent(driver->window(), device).press(0, at(sights));
    QTest::touchEvent(driver->window(), device).release(0, at(sights));
    driver->waitIdle();
    EXPECT_TRUE(qobject_cast<CategoryPage*>(driver->navigation()->topViewController()));

    // A quick upward flick: the list goes on scrolling after the finger lifts, then stops.
    auto* list = push<VenuesPage>(u"Bulk"_qs, u"All"_qs, u"7"_qs, u"1"_qs);
    driver->waitIdle();
    TableView* table = list->tableView();
    ASSERT_GT(table->contentHeight(), table->height() * 3);
    drag(at(table, QPoint(160, 300)), at(table, QPoint(160, 150)), 6, 10);
    const int lifted = table->contentOffset();
    EXPECT_GT(lifted, 100);
    QTest::qWait(300);
    EXPECT_GT(table->contentOffset(), lifted + 50) << "no glide after the finger lifted";
    QTest::qWait(2000);
    const int rested = table->contentOffset();
    QTest::qWait(100);
    EXPECT_EQ(table->contentOffset(), rested);
    // The same drag with the mouse stops where the mouse lets go, as before.
    table->setContentOffset(0);
    QTest::mousePress(driver->window(), Qt::LeftButton, {}, at(table, QPoint(160, 300)));
    for (int i = 1; i <= 6; ++i) {
        QTest::qWait(10);
        QTest::mouseMove(driver->window(), at(table, QPoint(160, 300 - 25 * i)));
    }
    QTest::mouseRelease(driver->window(), Qt::LeftButton, {}, at(table, QPoint(160, 150)));
    const int let = table->contentOffset();
    QTest::qWait(300);
    EXPECT_EQ(table->contentOffset(), let);

    // A sideways swipe over a bookmark offers "Delete".
    driver->navigation()->popToRootViewControllerAnimated(false);
    ASSERT_TRUE(Bookmarks::add(u"Art Cafe"_qs));
    auto* bookmarks = push<BookmarkPage>();
    driver->waitIdle();
    ASSERT_EQ(bookmarks->tableView()->numberOfRows(), 1);
    const QRect row = bookmarks->tableView()->rectForRow(0);
    drag(at(bookmarks->tableView(), QPoint(250, row.center().y())),
         at(bookmarks->tableView(), QPoint(100, row.center().y())), 4, 10);
    EXPECT_EQ(bookmarks->tableView()->editingRow(), 0);
    ASSERT_NE(bookmarks->tableView()->deleteButton(), nullptr);
    EXPECT_EQ(bookmarks->tableView()->deleteButton()->title(), u"Delete"_qs);
}

TEST_F(TouchTest, TwoFingersZoomTheLiveMapAndTheMapViewer) {
    startActive();
    auto* map = new TileMapView(QRect(0, 64, 320, 372));
    driver->window()->addSubview(map);
    map->show();
    const double before = map->zoomLevel();
    pinch(at(map), 60, 180);
    EXPECT_NEAR(map->zoomLevel(), before + std::log2(3.0), 0.05);
    // One finger still drags the map, as the mouse does: the zoom stays.
    drag(at(map), at(map) + QPoint(40, 30), 4, 5);
    EXPECT_NEAR(map->zoomLevel(), before + std::log2(3.0), 0.05);
    map->removeFromSuperview();

    auto* viewer = new MapView(u"CityMap.png"_qs);
    driver->navigation()->rootViewController()->presentModalViewController(
        std::unique_ptr<ViewController>(viewer), false);
    driver->waitIdle();
    QnUIScrollView* scroller = viewer->scrollview();
    ASSERT_NE(scroller, nullptr);
    const double scale = scroller->zoomScale();
    pinch(at(scroller), 80, 160);
    EXPECT_NEAR(scroller->zoomScale(), std::min(scale * 2, scroller->maximumZoomScale()), 0.05);
    EXPECT_GT(scroller->zoomScale(), scale);
}

} // namespace
