// The walk to a venue on the live map: along the edition's street network where it has one, else the
// straight line; planned anew when the reader strays from it.

#include "catalog/SQLDAL.h"
#include "pages/DetailedPage.h"
#include "pages/LiveMap.h"
#include "tests/support/GuideDriver.h"
#include "tools/edition/OsmWalks.h"
#include "ui/NavigationController.h"

#include <QRegularExpression>

using namespace testsupport;

namespace {

// Art Cafe, where the reader stands, and Hotel Sacher, 511 m south and 193 m west of it.
constexpr double cafeLat = 48.2085, cafeLon = 16.3721, hotelLat = 48.2039, hotelLon = 16.3695;

class WalkTest : public RunningGuideTest {
protected:
    // A street south from the café to the hotel's latitude, and one west to the hotel.
    void writeNetwork() {
        Osm::Extract extract;
        auto way = [](QList<QPointF> points, const QString& name) {
            Osm::Object object;
            object.kind = Osm::Object::Kind::Way;
            object.tags = {{u"highway"_qs, u"residential"_qs}, {u"name"_qs, name}};
            object.rings = {QPolygonF(points)};
            object.bounds = object.rings[0].boundingRect();
            return object;
        };
        extract.objects = {
            way({{cafeLon, cafeLat}, {cafeLon, 48.2062}, {cafeLon, hotelLat}}, u"Kärntner Straße"_qs),
            way({{cafeLon, hotelLat}, {hotelLon, hotelLat}}, u"Philharmoniker Straße"_qs)};
        QString error;
        ASSERT_TRUE(OsmWalks::write(extract, QRectF(16.3, 48.1, 0.2, 0.2), u"test streets"_qs,
                                    editionFile("Walks.sqlite"), &error))
            << error.toStdString();
    }
    LiveMap* walkToHotel() {
        driver->navigation()->pushViewController(
            LiveMap::initWithWalkTo(hotelLat, hotelLon, u"Hotel Sacher"_qs, u"Hotels"_qs), false);
        driver->waitIdle();
        return qobject_cast<LiveMap*>(driver->navigation()->topViewController());
    }
    void standAt(double latitude, double longitude) {
        driver->position()->deliver(PositionFix{latitude, longitude, 5, QDateTime::currentDateTime()});
        driver->waitIdle();
    }
};

TEST_F(WalkTest, WithoutAStreetNetworkTheMapDrawsTheStraightLineAndSaysSo) {
    start();
    LiveMap* map = walkToHotel();
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(map->mode(), LiveMap::Walk);
    standAt(cafeLat, cafeLon);
    ASSERT_TRUE(map->walk()->plan());
    const WalkPlan::Plan& plan = *map->walk()->plan();
    EXPECT_TRUE(plan.straight);
    EXPECT_EQ(plan.points, (QList<QPointF>{{cafeLon, cafeLat}, {hotelLon, hotelLat}}));
    EXPECT_TRUE(
        QRegularExpression(u"^5[34]\\dm to the south as the crow flies: this edition has no street map "
                           "to walk along$"_qs)
            .match(map->walk()->strip()->text())
            .hasMatch())
        << map->walk()->strip()->text().toStdString();
    EXPECT_EQ(map->mapView()->route(), plan.points);
}

TEST_F(WalkTest, AWalkFollowsTheStreetsAndIsPlannedAnewWhenTheReaderStrays) {
    writeNetwork();
    start();
    LiveMap* map = walkToHotel();
    ASSERT_NE(map, nullptr);
    standAt(cafeLat, cafeLon);
    ASSERT_TRUE(map->walk()->plan());
    const WalkPlan::Plan first = *map->walk()->plan();
    // The whole walk in view: the map's centre is the middle of its box.
    EXPECT_NEAR(map->mapView()->region().latitude, (cafeLat + hotelLat) / 2, 1e-6);
    EXPECT_NEAR(map->mapView()->region().longitude, (cafeLon + hotelLon) / 2, 1e-6);
    EXPECT_GT(map->mapView()->zoomLevel(), 15);
    EXPECT_FALSE(first.straight);
    EXPECT_TRUE(first.points.contains(QPointF(cafeLon, hotelLat))); // round the corner
    EXPECT_NEAR(first.metres, 511.5 + 192.8, 3);
    EXPECT_EQ(map->walk()->strip()->text(), u"704m \u00b7 9 min on foot"_qs);
    EXPECT_EQ(map->walk()->plansMade(), 1);

    // 22 m east of the street (0.0003 degrees): still on the way. 44 m: off it, so planned anew.
    standAt(48.2070, cafeLon + 0.0003);
    EXPECT_EQ(map->walk()->plansMade(), 1);
    standAt(48.2070, cafeLon + 0.0006);
    EXPECT_EQ(map->walk()->plansMade(), 2);
    EXPECT_EQ(map->walk()->plan()->points.first(), QPointF(cafeLon + 0.0006, 48.2070));
}

TEST_F(WalkTest, TheDetailAndTheCalloutWalkThere) {
    writeNetwork();
    start();
    auto* detail = push<DetailedPage>(u"Hotels"_qs, u"Hotel Sacher"_qs, 7);
    ASSERT_NE(detail->walkThereButton(), nullptr);
    detail->scrollView()->setContentOffset(QPoint(0, detail->walkThereButton()->y() - 100)); // above the bar
    driver->tapView(detail->walkThereButton());
    driver->waitIdle();
    auto* map = qobject_cast<LiveMap*>(driver->navigation()->topViewController());
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(map->mode(), LiveMap::Walk);
    driver->navigation()->popViewControllerAnimated(false);
    driver->waitIdle();

    // From a list's map: the callout's Walk button.
    driver->navigation()->pushViewController(
        LiveMap::initWithVenues(SQLDAL::getVenuesForCategory(u"All"_qs, u"2"_qs), u"Hotels"_qs), false);
    driver->waitIdle();
    map = qobject_cast<LiveMap*>(driver->navigation()->topViewController());
    standAt(cafeLat, cafeLon);
    int hotel = -1;
    for (int i = 0; i < map->mapView()->annotations().size(); ++i)
        if (map->mapView()->annotations()[i].title == u"Hotel Sacher"_qs)
            hotel = i;
    ASSERT_GE(hotel, 0);
    map->mapView()->selectAnnotation(hotel);
    ASSERT_NE(map->mapView()->calloutWalkButton(), nullptr);
    // (The tiles' alert of this edition without tiles lies over the map: the button is pressed as a
    // touch would.)
    map->mapView()->calloutWalkButton()->press();
    driver->waitIdle();
    ASSERT_TRUE(map->walk()->active());
    ASSERT_TRUE(map->walk()->plan());
    EXPECT_FALSE(map->walk()->plan()->straight);
    EXPECT_EQ(map->walk()->plan()->points.last(), QPointF(hotelLon, hotelLat));
}

} // namespace
