#include "pages/LiveMap.h"
#include "model/PropertyList.h"
#include "pages/ChapterPage.h"
#include "pages/DetailedPage.h"
#include "platform/HttpClient.h"
#include "platform/MapTiles.h"
#include "tests/support/GuideDriver.h"
#include "tests/support/LocalHttpServer.h"
#include "tools/edition/EditionTiles.h"
#include "ui/AlertView.h"
#include "ui/TileMapView.h"
#include "ui/Animation.h"

#include <QTest>

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTextStream>
#include <sqlite3.h>

using namespace testsupport;

namespace {

// Tiles of one colour over central Vienna, zoom 10 to 16.
void writeTiles(const QString& path) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(path).constData(), &db), SQLITE_OK);
    sqlite3_exec(db,
                 "create table metadata (name text, value text); create table tiles (zoom_level integer, "
                 "tile_column integer, tile_row integer, tile_data blob); insert into metadata values "
                 "('bounds', '16.25,48.15,16.50,48.27'), ('maxzoom', '16');",
                 nullptr, nullptr, nullptr);
    const QByteArray picture = pngBytes(QColor(0xe8, 0xe0, 0xd0), QSize(256, 256));
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db, "insert into tiles values (?1, ?2, ?3, ?4)", -1, &insert, nullptr);
    sqlite3_exec(db, "begin", nullptr, nullptr, nullptr);
    for (int z = 10; z <= 16; ++z) {
        for (int x = int(TileMath::tileX(16.25, z)); x <= int(TileMath::tileX(16.50, z)); ++x) {
            for (int y = int(TileMath::tileY(48.27, z)); y <= int(TileMath::tileY(48.15, z)); ++y) {
                sqlite3_reset(insert);
                sqlite3_bind_int(insert, 1, z);
                sqlite3_bind_int(insert, 2, x);
                sqlite3_bind_int(insert, 3, TileMath::tmsRow(y, z));
                sqlite3_bind_blob(insert, 4, picture.constData(), int(picture.size()), SQLITE_STATIC);
                sqlite3_step(insert);
            }
        }
    }
    sqlite3_exec(db, "commit", nullptr, nullptr, nullptr);
    sqlite3_finalize(insert);
    sqlite3_close(db);
}

class LiveMapTest : public RunningGuideTest {
protected:
    void SetUp() override {
        RunningGuideTest::SetUp();
        server = std::make_unique<LocalHttpServer>();
        LocalHttpServer::Answer tile;
        tile.body = pngBytes(QColor(0xaa, 0xd3, 0xdf), QSize(256, 256));
        tile.contentType = "image/png";
        for (int z = 10; z <= 16; ++z)
            for (int x = int(TileMath::tileX(16.25, z)); x <= int(TileMath::tileX(16.50, z)); ++x)
                for (int y = int(TileMath::tileY(48.27, z)); y <= int(TileMath::tileY(48.15, z)); ++y)
                    server->serve(u"/%1/%2/%3.png"_qs.arg(z).arg(x).arg(y), tile);
    }
    void TearDown() override {
        HttpClient::setNetworkAvailable(true);
        RunningGuideTest::TearDown();
        server.reset();
    }
    // The edition's "Map Tiles": an MBTiles file (or none) and the local server.
    void useTiles(bool offline) {
        if (offline)
            writeTiles(editionFile("tiles.mbtiles"));
        QVariantMap root = PropertyList::readFile(editionFile("chapter.plist"))->toMap();
        root.insert(u"Map Tiles"_qs,
                    QVariantMap{{u"file"_qs, offline ? u"tiles.mbtiles"_qs : QString()},
                                {u"url"_qs, server->url(u"/"_qs).toString() + u"{z}/{x}/{y}.png"_qs},
                                {u"attribution"_qs, u"Test tiles"_qs}});
        ASSERT_TRUE(PropertyList::writeFileAtomically(editionFile("chapter.plist"), root));
    }
    int tileRequests() const {
        int count = 0;
        for (int z = 10; z <= 16; ++z)
            for (int x = int(TileMath::tileX(16.25, z)); x <= int(TileMath::tileX(16.50, z)); ++x)
                for (int y = int(TileMath::tileY(48.27, z)); y <= int(TileMath::tileY(48.15, z)); ++y)
                    count += server->requests(u"/%1/%2/%3.png"_qs.arg(z).arg(x).arg(y));
        return count;
    }
    LiveMap* liveMap() const { return qobject_cast<LiveMap*>(driver->navigation()->topViewController()); }
    QStringList pinTitles(LiveMap* map) const {
        QStringList titles;
        for (const CustomPlacemark& pin : map->placemarks())
            titles.append(pin.title);
        titles.sort();
        return titles;
    }

    std::unique_ptr<LocalHttpServer> server;
};

QByteArray png(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

TEST(TileMapViewTiles, OnlyTilesOf256Or512PixelsAreDecoded) {
    EXPECT_EQ(TileMapView::decodeTile(png(256, 256))->size(), QSize(256, 256));
    EXPECT_EQ(TileMapView::decodeTile(png(512, 512))->size(), QSize(512, 512));
    // A 4096-pixel square is 64 MB decoded from a file of a few KB.
    const QByteArray huge = png(4096, 4096);
    EXPECT_LT(huge.size(), 1024 * 1024);
    EXPECT_FALSE(TileMapView::decodeTile(huge));
    EXPECT_FALSE(TileMapView::decodeTile(png(255, 256)));
    EXPECT_FALSE(TileMapView::decodeTile(png(257, 257)));
    EXPECT_FALSE(TileMapView::decodeTile(png(512, 256)));
    EXPECT_FALSE(TileMapView::decodeTile(QByteArray("\x89PNG\r\n\x1a\n not a picture")));
    // A header that claims 256 x 256 over a body cut short decodes to nothing.
    EXPECT_FALSE(TileMapView::decodeTile(png(256, 256).left(60)));
}

// Animations off while a test runs, as they were after it.
struct NoAnimations {
    NoAnimations() : before(Animation::enabled()) { Animation::setEnabled(false); }
    ~NoAnimations() { Animation::setEnabled(before); }
    bool before;
};

// Thirty venues within a few metres of each other and one 2 km away: at the city's zoom the thirty
// are one marker that a touch opens, zooming in until, at the deepest zoom, they stand in a ring.
TEST(TileMapViewGroups, OverlappingPinsAreOneMarkerThatATouchOpens) {
    const NoAnimations still;
    TileMapView map(QRect(0, 0, 320, 372));
    map.show();
    QList<MapAnnotation> pins;
    for (int i = 0; i < 30; ++i)
        pins.append({48.2085 + i * 1e-5, 16.3721 + (i % 5) * 1e-5, u"Venue %1"_qs.arg(i), {}, i});
    pins.append({48.2265, 16.3721, u"Far"_qs, {}, 30});
    map.addAnnotations(pins);
    map.setRegion({48.2085, 16.3721, 0.05, 0.05}, false);
    ASSERT_EQ(map.pinGroups().size(), 2);
    EXPECT_EQ(map.pinGroups()[0].members.size(), 30);
    EXPECT_EQ(map.pinGroups()[1].members, QList<int>{30});

    // A touch on the marker zooms in (at least a level), and the touches go on until they part.
    const double before = map.zoomLevel();
    QTest::mouseClick(&map, Qt::LeftButton, {}, map.pointOf(map.pinGroups()[0]).toPoint());
    EXPECT_GE(map.zoomLevel(), before + 1);
    for (int touches = 0; touches < 20 && map.pinGroups().size() < 31; ++touches)
        map.openGroup(0);
    EXPECT_EQ(map.zoomLevel(), 19);
    ASSERT_EQ(map.pinGroups().size(), 31);
    // In the ring each pin can be touched alone: no two feet nearer than a finger's width.
    for (int a = 0; a < 30; ++a)
        for (int b = a + 1; b < 30; ++b)
            EXPECT_GE(QLineF(map.pointOf(map.pinGroups()[a]), map.pointOf(map.pinGroups()[b])).length(), 25);
    const QPointF foot = map.pointOf(map.pinGroups()[7]);
    QTest::mouseClick(&map, Qt::LeftButton, {}, (foot - QPointF(0, 30)).toPoint());
    EXPECT_EQ(map.selectedAnnotation(), map.pinGroups()[7].members[0]);
    ASSERT_NE(map.calloutView(), nullptr);
}

// A short list, and the pin whose callout is open, are never grouped away.
TEST(TileMapViewGroups, AShortListAndTheOpenPinStayPins) {
    const NoAnimations still;
    TileMapView map(QRect(0, 0, 320, 372));
    QList<MapAnnotation> pins;
    for (int i = 0; i < 12; ++i)
        pins.append({48.2085, 16.3721, u"Venue %1"_qs.arg(i), {}, i});
    map.addAnnotations(pins);
    map.setRegion({48.2085, 16.3721, 0.05, 0.05}, false);
    EXPECT_EQ(map.pinGroups().size(), 12);
    map.addAnnotations({{48.2085, 16.3721, u"Venue 12"_qs, {}, 12}});
    ASSERT_EQ(map.pinGroups().size(), 1);
    map.selectAnnotation(5);
    ASSERT_EQ(map.pinGroups().size(), 2);
    EXPECT_EQ(map.pinGroups()[1].members, QList<int>{5});
}

TEST_F(LiveMapTest, NearMeShowsTheVenuesAroundTheReaderFromOfflineTiles) {
    useTiles(true);
    start();
    driver->navigation()->pushViewController(LiveMap::initWithUserLocation(), false);
    driver->waitIdle();
    LiveMap* map = liveMap();
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(map->mode(), LiveMap::NearMe);
    EXPECT_TRUE(driver->label(u"Online Map"_qs));
    // Every venue with a position, each pin carrying its own venue's id.
    EXPECT_EQ(pinTitles(map),
              (QStringList{u"Art Cafe"_qs, u"Cafe"_qs, u"Christmas Market"_qs, u"Dojo"_qs, u"Gallery One"_qs,
                           u"Hotel Sacher"_qs, u"Jazz Club"_qs, u"Weinbar 100%"_qs}));
    for (const CustomPlacemark& pin : map->placemarks()) {
        if (pin.title == u"Dojo"_qs) {
            EXPECT_EQ(pin.myID, 6);
        }
    }
    // The start region: the edition's centre, 0.1 degree spans (the larger one fills the view).
    const TileMapView::Region region = map->mapView()->region();
    EXPECT_NEAR(region.latitude, 48.2085, 1e-9);
    EXPECT_NEAR(region.longitude, 16.3721, 1e-9);
    EXPECT_TRUE(std::abs(region.longitudeSpan - 0.1) < 1e-3 || std::abs(region.latitudeSpan - 0.1) < 1e-3);
    EXPECT_EQ(map->mapView()->attributionLabel()->text(), u"Test tiles"_qs);
    EXPECT_TRUE(map->mapView()->attributionLabel()->isVisible());
    // The offline tiles cover the view: nothing asked of the server, no alert.
    EXPECT_EQ(tileRequests(), 0);
    EXPECT_EQ(AlertView::visibleAlert(), nullptr);

    // A second fix adds nothing.
    driver->position()->deliver(PositionFix{48.21, 16.37, 10, QDateTime::currentDateTime()});
    driver->waitIdle();
    EXPECT_EQ(map->placemarks().size(), 8);

    // The Dojo's callout names its chapter and opens exactly that venue.
    int dojo = -1;
    for (int i = 0; i < map->placemarks().size(); ++i)
        if (map->placemarks()[i].title == u"Dojo"_qs)
            dojo = i;
    map->mapView()->selectAnnotation(dojo);
    ASSERT_NE(map->mapView()->calloutView(), nullptr);
    EXPECT_TRUE(driver->label(u"Sights"_qs, map->mapView()->calloutView()));
    driver->tapView(map->mapView()->calloutButton());
    auto* detail = qobject_cast<DetailedPage*>(driver->navigation()->topViewController());
    ASSERT_NE(detail, nullptr);
    EXPECT_EQ(detail->venueID(), 6);
    EXPECT_EQ(detail->pageTitle(), u"Sights"_qs);
}

TEST_F(LiveMapTest, OneVenueIsCentredWithSpansByItsDistanceAndOpensByName) {
    useTiles(true);
    start();
    // 8 km north of the reader: spans of 8000 / 80000 = 0.1 degree around the venue.
    const double north = 48.2085 + 8000.0 / 111195.0;
    driver->navigation()->pushViewController(
        LiveMap::initWithVenueLocationAndName(north, 16.3721, u"Dojo"_qs, u"Sights"_qs), false);
    driver->waitIdle();
    LiveMap* map = liveMap();
    ASSERT_EQ(map->placemarks().size(), 1);
    EXPECT_EQ(map->placemarks()[0].myID, -1);
    TileMapView::Region region = map->mapView()->region();
    EXPECT_NEAR(region.latitude, north, 1e-6);
    EXPECT_TRUE(std::abs(region.longitudeSpan - 0.1) < 2e-3 || std::abs(region.latitudeSpan - 0.1) < 2e-3);

    map->expandAnnotation(0);
    driver->waitIdle();
    auto* detail = qobject_cast<DetailedPage*>(driver->navigation()->topViewController());
    ASSERT_NE(detail, nullptr);
    // Looked up by its name.
    EXPECT_EQ(detail->shownVenueName(), u"Dojo"_qs);
    EXPECT_EQ(detail->venueID(), 6);

    // 12 km away: the start region stays.
    driver->navigation()->popToRootViewControllerAnimated(false);
    driver->navigation()->pushViewController(
        LiveMap::initWithVenueLocationAndName(48.2085 + 12000.0 / 111195.0, 16.3721, u"Dojo"_qs,
                                              u"Sights"_qs),
        false);
    driver->waitIdle();
    region = liveMap()->mapView()->region();
    EXPECT_NEAR(region.latitude, 48.2085, 1e-9);
    // A venue a few metres away: closer than the offline tiles go, which are shown enlarged, without
    // the network.
    driver->navigation()->popToRootViewControllerAnimated(false);
    HttpClient::setNetworkAvailable(false);
    driver->navigation()->pushViewController(
        LiveMap::initWithVenueLocationAndName(48.2086, 16.3721, u"Dojo"_qs, u"Sights"_qs), false);
    driver->waitIdle();
    EXPECT_GT(liveMap()->mapView()->zoomLevel(), 17);
    EXPECT_EQ(AlertView::visibleAlert(), nullptr);
    HttpClient::setNetworkAvailable(true);
    // A venue without a position gets no pin.
    driver->navigation()->popToRootViewControllerAnimated(false);
    driver->navigation()->pushViewController(
        LiveMap::initWithVenueLocationAndName(0, 16.3, u"Dojo"_qs, u""_qs), false);
    driver->waitIdle();
    EXPECT_TRUE(liveMap()->placemarks().isEmpty());
}

TEST_F(LiveMapTest, AListsVenuesWithAPositionAndTheirOwnChapters) {
    useTiles(true);
    start();
    Venue withPosition;
    withPosition.venueName = u"Hotel Sacher"_qs;
    withPosition.gpsLat = 48.2039;
    withPosition.gpsLong = 16.3695;
    withPosition.venueID = 7;
    Venue without = withPosition;
    without.venueName = u"Vinothek"_qs;
    without.gpsLat = 0;
    driver->navigation()->pushViewController(
        LiveMap::initWithVenues({withPosition, without}, u"Bookmarks"_qs), false);
    driver->waitIdle();
    LiveMap* map = liveMap();
    ASSERT_EQ(map->placemarks().size(), 1);
    map->mapView()->selectAnnotation(0);
    EXPECT_TRUE(driver->label(u"Hotels"_qs, map->mapView()->calloutView()));
    map->expandAnnotation(0);
    driver->waitIdle();
    auto* detail = qobject_cast<DetailedPage*>(driver->navigation()->topViewController());
    ASSERT_NE(detail, nullptr);
    EXPECT_EQ(detail->pageTitle(), u"Hotels"_qs);
    EXPECT_EQ(detail->venueID(), 7);
}

TEST_F(LiveMapTest, TheTimeoutAlertComesOnlyWhenNoSourceHasTheTiles) {
    // Online tiles from the local server: no alert, tiles asked for.
    useTiles(false);
    start();
    driver->navigation()->pushViewController(LiveMap::initWithUserLocation(), false);
    driver->waitIdle();
    EXPECT_GT(tileRequests(), 0);
    EXPECT_LE(tileRequests(), 12); // what the view shows, nothing beyond
    EXPECT_EQ(AlertView::visibleAlert(), nullptr);

    // No network and no offline tiles for a new place: the alert, and Go Back leaves.
    driver->navigation()->popToRootViewControllerAnimated(false);
    driver->waitIdle();
    HttpClient::setNetworkAvailable(false);
    driver->navigation()->pushViewController(
        LiveMap::initWithVenueLocationAndName(48.2085 + 0.01, 16.3721, u"Dojo"_qs, u"Sights"_qs), false);
    driver->waitIdle();
    LiveMap* map = liveMap();
    map->mapView()->setRegion({47.0, 15.0, 0.01, 0.01}, false);
    driver->waitIdle();
    ASSERT_TRUE(showsTimeoutAlert(u"Oh no! The online map is unavailable. Please check your internet "
                                  "connection and try again."_qs));
    AlertView* alert = AlertView::visibleAlert();
    EXPECT_EQ(alert->buttonTitles(), QStringList{u"Go Back"_qs});
    alert->dismissWithButtonIndex(0);
    driver->waitIdle();
    EXPECT_EQ(liveMap(), nullptr);
}

TEST_F(LiveMapTest, OfflineTilesNeedNoNetworkAndServicesOffGiveTheErrorAlert) {
    useTiles(true);
    start();
    HttpClient::setNetworkAvailable(false);
    driver->navigation()->pushViewController(LiveMap::initWithUserLocation(), false);
    driver->waitIdle();
    EXPECT_EQ(AlertView::visibleAlert(), nullptr);
    driver->navigation()->popToRootViewControllerAnimated(false);
    driver->waitIdle();

    driver->position()->setLocationServicesEnabled(false);
    driver->navigation()->pushViewController(LiveMap::initWithUserLocation(), false);
    driver->waitIdle();
    AlertView* alert = AlertView::visibleAlert();
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->title(), u"Error"_qs);
    EXPECT_EQ(alert->message(), u"Please enable location services to use this page."_qs);
    EXPECT_EQ(alert->buttonTitles(), QStringList{u"Ok"_qs});
    alert->dismissWithButtonIndex(0);
    driver->waitIdle();
    EXPECT_EQ(liveMap(), nullptr);
}

TEST_F(LiveMapTest, LeavingWhileTheNearMeQueryRunsTouchesNothing) {
    useTiles(true);
    start();
    for (int round = 0; round < 5; ++round) {
        driver->navigation()->pushViewController(LiveMap::initWithUserLocation(), false);
        driver->navigation()->popViewControllerAnimated(false);
    }
    driver->waitIdle();
    EXPECT_EQ(driver->navigation()->count(), 1);
}

} // namespace

namespace {

TEST(EditionTiles, ThePlanLandsOnTheTilesWhereItsCoordinatesSay) {
    // A plan over one degree square with a red dot at 48.2085 N, 16.3731 E (St. Stephen's).
    const double S = 48.0, W = 16.0, N = 49.0, E = 17.0;
    const double left = TileMath::tileX(W, 0), right = TileMath::tileX(E, 0);
    const double top = TileMath::tileY(N, 0), bottom = TileMath::tileY(S, 0);
    const double width = 1000, height = width * (bottom - top) / (right - left);
    const double x = (TileMath::tileX(16.3731, 0) - left) / (right - left) * width;
    const double y = (TileMath::tileY(48.2085, 0) - top) / (bottom - top) * height;
    QTemporaryDir dir;
    writeText(dir.filePath(u"plan.svg"_qs),
              u"<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 %1 %2\" data-bounds=\"48,16,49,17\">"
              "<circle cx=\"%3\" cy=\"%4\" r=\"0.2\" fill=\"#ff0000\"/></svg>"_qs.arg(width)
                  .arg(height)
                  .arg(x)
                  .arg(y));
    QString text, error;
    QTextStream out(&text);
    const QString file = dir.filePath(u"plan.mbtiles"_qs);
    ASSERT_EQ(Edition::tiles({dir.filePath(u"plan.svg"_qs), u"--bounds"_qs, u"48.2,16.36,48.22,16.38"_qs,
                              u"--zoom"_qs, u"15-15"_qs, file},
                             out, &error),
              0)
        << error.toStdString();
    MBTilesSource tiles(file);
    ASSERT_TRUE(tiles.isOpen());
    const double tx = TileMath::tileX(16.3731, 15), ty = TileMath::tileY(48.2085, 15);
    const auto bytes = tiles.tile({15, int(tx), int(ty)});
    ASSERT_TRUE(bytes);
    QImage tile;
    ASSERT_TRUE(tile.loadFromData(*bytes));
    const QPoint at(int((tx - int(tx)) * 256), int((ty - int(ty)) * 256));
    const QColor colour = tile.pixelColor(at);
    EXPECT_GT(colour.red(), 200) << at.x() << "," << at.y();
    EXPECT_LT(colour.green(), 120);
    // Far from the dot, the land colour.
    EXPECT_EQ(tile.pixelColor((at + QPoint(128, 128)) / 2 + QPoint(at.x() < 128 ? 100 : -100, 0)),
              QColor(0xf2, 0xef, 0xe9));
    EXPECT_EQ(Edition::tiles({u"plan.svg"_qs}, out, &error), 2);

    // A wrong call names what is wrong, before anything is drawn.
    const std::pair<QStringList, QString> wrong[] = {
        {{u"--bounds"_qs, u"48.22,16.36,48.2,16.38"_qs, u"--zoom"_qs, u"15-15"_qs},
         u"--bounds: the south edge 48.22 is not below the north edge 48.2 (S,W,N,E)"_qs},
        {{u"--bounds"_qs, u"48.2,16.38,48.22,16.36"_qs, u"--zoom"_qs, u"15-15"_qs},
         u"--bounds: the west edge 16.38 is not left of the east edge 16.36 (S,W,N,E)"_qs},
        {{u"--bounds"_qs, u"48.2,16.36,48.22"_qs, u"--zoom"_qs, u"15-15"_qs},
         u"--bounds \"48.2,16.36,48.22\": four numbers S,W,N,E in degrees are needed"_qs},
        {{u"--bounds"_qs, u"48.2,16.36,48.22,16.38"_qs, u"--zoom"_qs, u"16-12"_qs},
         u"--zoom 16-12: the first zoom level is above the last"_qs},
        {{u"--bounds"_qs, u"48.2,16.36,48.22,16.38"_qs, u"--zoom"_qs, u"12-20"_qs},
         u"--zoom 12-20: zoom levels run from 0 to 19"_qs},
        {{u"--bounds"_qs, u"47.9,16.36,48.22,16.38"_qs, u"--zoom"_qs, u"12-12"_qs},
         u"--bounds 47.9,16.36,48.22,16.38 reach beyond the plan, which shows 48,16,49,17 (its data-bounds); "
         "give bounds within it"_qs},
    };
    for (const auto& [arguments, why] : wrong) {
        const QString other = dir.filePath(u"other.mbtiles"_qs);
        EXPECT_EQ(Edition::tiles(QStringList{dir.filePath(u"plan.svg"_qs)} + arguments + QStringList{other},
                                 out, &error),
                  2);
        EXPECT_EQ(error.section(u'\n', 0, 0), why);
        EXPECT_FALSE(QFile::exists(other)) << why.toStdString();
    }
    // Within the plan, to its very edges: drawn.
    EXPECT_EQ(Edition::tiles({dir.filePath(u"plan.svg"_qs), u"--bounds"_qs, u"48,16,49,17"_qs, u"--zoom"_qs,
                              u"0-2"_qs, dir.filePath(u"edges.mbtiles"_qs)},
                             out, &error),
              0)
        << error.toStdString();
}

} // namespace
