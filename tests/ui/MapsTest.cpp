#include "model/DAO.h"
#include "pages/ChapterPage.h"
#include "pages/OfflineMapsPage.h"
#include "tests/support/GuideDriver.h"
#include "ui/NavigationController.h"
#include "ui/Window.h"
#include "views/CustomControls.h"

#include <QMouseEvent>
#include <QTest>

using namespace testsupport;

namespace {

class MapsTest : public RunningGuideTest {
protected:
    NavigationController* navigation() const { return driver->navigation(); }
    MapView* viewer() const {
        ViewController* shown = driver->delegate()->visibleViewController();
        return qobject_cast<MapView*>(shown);
    }
};

TEST_F(MapsTest, TheGridHasTwoThumbnailsARowAndEndsBelowTheLastRow) {
    start();
    auto* page = push<OfflineMapsPage>(u"One:MetroMap.png:MetroMapThumb,Two\nlines:CityMap.png:CityMapThumb,"
                                       "Three:CityMap.png:CityMapThumb,Four:CityMap.png:CityMapThumb,"
                                       "Five:CityMap.png:CityMapThumb"_qs);
    EXPECT_EQ(page->mapArray().size(), 5);
    EXPECT_EQ(page->scrollView()->frame(), QRect(0, 16, 320, 400));
    EXPECT_EQ(page->scrollView()->contentSize(), QSize(320, 545));
    EXPECT_EQ(page->titleLabel()->text(), u"Offline Maps"_qs);
    EXPECT_EQ(page->titleLabel()->frame(), QRect(105, 0, 110, 44));
    QList<Button*> buttons;
    for (Button* button : page->scrollView()->findChildren<Button*>())
        buttons.append(button);
    ASSERT_EQ(buttons.size(), 5);
    EXPECT_EQ(buttons[3]->frame(), QRect(185, 213, 90, 90)); // column 1, row 1
    EXPECT_EQ(buttons[4]->frame(), QRect(45, 393, 90, 90));
    Label* caption = nullptr;
    for (Label* label : page->scrollView()->findChildren<Label*>())
        if (label->text() == u"Twolines"_qs)
            caption = label;
    ASSERT_NE(caption, nullptr); // the line feed removed
    EXPECT_EQ(caption->frame(), QRect(180, 136, 100, 40));
}

TEST_F(MapsTest, AMapOpensFullScreenZoomsWithinItsLimitsAndClosesOnADoubleTap) {
    start();
    auto* page = push<OfflineMapsPage>(
        u"Metro Map:MetroMap.png:MetroMapThumb,City Centre:CityMap.png:CityMapThumb"_qs);
    page->mapButtonTouched(page->scrollView()->findChildren<Button*>().value(1));
    driver->waitIdle();
    MapView* map = viewer();
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(map->mapName(), u"CityMap.png"_qs);
    EXPECT_EQ(map->map()->imageName(), u"CityMap"_qs);
    EXPECT_FALSE(map->map()->image().isNull());
    EXPECT_TRUE(navigation()->isNavigationBarHidden());
    EXPECT_TRUE(driver->window()->isStatusBarHidden());
    EXPECT_EQ(map->closeButton()->frame(), QRect(260, 400, 40, 40));

    QnUIScrollView* scroll = map->scrollview();
    const QSize picture = map->map()->image().size();
    EXPECT_EQ(scroll->contentOffset(),
              QPoint(qBound(0, picture.width() / 2 - 160, std::max(0, picture.width() - 320)),
                     qBound(0, picture.height() / 2 - 240, std::max(0, picture.height() - 480))));
    scroll->setZoomScale(10);
    EXPECT_EQ(scroll->zoomScale(), 4.0);
    EXPECT_EQ(map->map()->size(), picture * 4);
    scroll->setZoomScale(0.01);
    EXPECT_EQ(scroll->zoomScale(), 0.2);

    // One tap does nothing; a double tap closes the map and brings the bars back.
    const QPoint middle = driver->windowFrame(map->map()).center();
    driver->tap(middle);
    ASSERT_EQ(viewer(), map);
    QWidget* target = driver->window()->childAt(QPoint(160, 240));
    QMouseEvent twice(QEvent::MouseButtonDblClick, QPointF(5, 5), target->mapToGlobal(QPointF(5, 5)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &twice);
    driver->waitIdle();
    EXPECT_EQ(viewer(), nullptr);
    EXPECT_FALSE(navigation()->isNavigationBarHidden());
    EXPECT_FALSE(driver->window()->isStatusBarHidden());
}

TEST_F(MapsTest, AMissingPictureShowsAWhiteViewerThatStillCloses) {
    start();
    auto* page = push<OfflineMapsPage>(u"Nowhere:Nowhere.png:MetroMapThumb"_qs);
    page->mapButtonTouched(page->scrollView()->findChildren<Button*>().value(0));
    driver->waitIdle();
    MapView* map = viewer();
    ASSERT_NE(map, nullptr);
    EXPECT_TRUE(map->map()->image().isNull());
    EXPECT_EQ(map->view()->backgroundColor(), QColor(Qt::white));
    EXPECT_TRUE(log.lines().contains(u"Map picture Nowhere.png not found"_qs));
    driver->tapView(map->closeButton());
    EXPECT_EQ(viewer(), nullptr);
}

TEST_F(MapsTest, TheMetroEntryOpensTheMetroMapAndOnlyTheMapTurns) {
    start();
    auto* home = qobject_cast<ChapterPage*>(navigation()->rootViewController());
    // The home screen does not turn.
    driver->delegate()->deviceTurned(true);
    EXPECT_FALSE(driver->window()->isLandscape());
    ASSERT_TRUE(driver->tapText(u"Metro"_qs));
    MapView* map = viewer();
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(map->mapName(), u"MetroMap.png"_qs);
    EXPECT_EQ(home->modalViewController(), map);

    map->scrollview()->setZoomScale(2);
    const QSize zoomed = map->map()->size();
    driver->delegate()->deviceTurned(true);
    EXPECT_TRUE(driver->window()->isLandscape());
    EXPECT_EQ(driver->window()->size(), QSize(480, 320));
    EXPECT_EQ(map->scrollview()->frame(), QRect(0, 0, 480, 320));
    EXPECT_EQ(map->map()->size(), zoomed); // the zoomed extent stays
    driver->delegate()->deviceTurned(false);
    EXPECT_EQ(map->scrollview()->frame(), QRect(0, 0, 320, 480));

    driver->delegate()->deviceTurned(true);
    map->close();
    driver->waitIdle();
    EXPECT_FALSE(driver->window()->isLandscape()); // closing turns the screen back
    EXPECT_EQ(viewer(), nullptr);
}

} // namespace
