// The maps on the synthetic 100,000-venue edition, offscreen: the near-me query in the middle of the
// venues and at a corner of their region (each next to the bare box query through SQLite, which reads
// every row), the live map of a chapter's 5,000-venue list from the touch until it is
// painted with its pins (grouped where they overlap), one frame of panning and of zooming that map, one
// tile read from an MBTiles file, and a walk across the Vaduz edition's street network.
// usage: bench_maps [RUNS]

#include "app/StrollbookAppDelegate.h"
#include "bench/Screens.h"
#include "bench/SyntheticEdition.h"
#include "catalog/SQLDAL.h"
#include "location/LocationManager.h"
#include "location/WalkingNetwork.h"
#include "pages/LiveMap.h"
#include "platform/HttpClient.h"
#include "platform/MapTiles.h"
#include "platform/OperationQueue.h"
#include "platform/Paths.h"
#include "platform/UserDefaults.h"
#include "ui/Animation.h"
#include "ui/NavigationController.h"
#include "ui/TileMapView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <sqlite3.h>
#include <vector>

using bench::median;
using bench::settle;

namespace {

// The same box, straight through SQLite.
double bareBoxQuery(const QString& catalogue, double lat, double lon, int* rows) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(catalogue).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    QElapsedTimer timer;
    timer.start();
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(db,
                       "SELECT name, gps_lat, gps_lon, address, mobile_highlight, rowid FROM catalog WHERE "
                       "(gps_lat > ?1) AND (gps_lat < ?2) AND (gps_lon > ?3) AND (gps_lon < ?4)",
                       -1, &s, nullptr);
    const double d = 0.09009009009009009;
    sqlite3_bind_double(s, 1, lat - d);
    sqlite3_bind_double(s, 2, lat + d);
    sqlite3_bind_double(s, 3, lon - d);
    sqlite3_bind_double(s, 4, lon + d);
    *rows = 0;
    while (sqlite3_step(s) == SQLITE_ROW) {
        sqlite3_column_text(s, 0);
        sqlite3_column_text(s, 3);
        ++*rows;
    }
    sqlite3_finalize(s);
    const double ms = timer.nsecsElapsed() / 1e6;
    sqlite3_close(db);
    return ms;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 7;
    QTemporaryDir documents;
    if (!bench::useSyntheticEdition(documents.path(), PositionFix{48.2, 16.37, 10, {}}))
        return 1;
    const QString edition = QStringLiteral(GUIDE_SYNTHETIC_DIR);
    HttpClient::setNetworkAvailable(false);
    StrollbookAppDelegate delegate;
    delegate.applicationDidFinishLaunching();
    settle();

    // In the middle of the venues (most of them lie in the box), and at a corner of their region, as a
    // reader in one town of a country's edition (a few hundred in the box).
    std::vector<double> queries, bare, edgeQueries, edgeBare;
    int found = 0, bareRows = 0, edgeFound = 0, edgeRows = 0;
    const QString catalogue = edition + QStringLiteral("/Catalog.sqlite");
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        found = int(SQLDAL::getAllVenuesCloseTo(SQLDAL::Position{48.2, 16.37}).size());
        queries.push_back(timer.nsecsElapsed() / 1e6);
        bare.push_back(bareBoxQuery(catalogue, 48.2, 16.37, &bareRows));
        timer.restart();
        edgeFound = int(SQLDAL::getAllVenuesCloseTo(SQLDAL::Position{48.07, 16.22}).size());
        edgeQueries.push_back(timer.nsecsElapsed() / 1e6);
        edgeBare.push_back(bareBoxQuery(catalogue, 48.07, 16.22, &edgeRows));
    }

    NavigationController* navigation = delegate.navigationController();
    const VenueList list =
        SQLDAL::getVenuesForCategory(QStringLiteral("All"), SyntheticEdition::chapterID(0));
    std::vector<double> opens, pans, zooms;
    int pins = 0;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        navigation->pushViewController(LiveMap::initWithVenues(list, QStringLiteral("Chapter 1")), false);
        settle();
        delegate.window()->repaint();
        opens.push_back(timer.nsecsElapsed() / 1e6);
        auto* page = qobject_cast<LiveMap*>(navigation->topViewController());
        TileMapView* map = page->mapView();
        pins = int(map->annotations().size());
        // Drag the map by 40 points in 10 steps, each step moved and painted.
        const QPoint start(160, 200);
        QMouseEvent press(QEvent::MouseButtonPress, start, map->mapToGlobal(QPointF(start)), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(map, &press);
        double worst = 0;
        for (int step = 1; step <= 10; ++step) {
            const QPointF at = QPointF(start) + QPointF(step * 4, step * 2);
            QMouseEvent move(QEvent::MouseMove, at, map->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                             Qt::NoModifier);
            timer.restart();
            QApplication::sendEvent(map, &move);
            delegate.window()->repaint();
            worst = std::max(worst, timer.nsecsElapsed() / 1e6);
        }
        pans.push_back(worst);
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(200, 220), map->mapToGlobal(QPointF(200, 220)),
                            Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(map, &release);
        // Zoom in by a quarter level 10 times, each step grouped anew and painted.
        worst = 0;
        for (int step = 1; step <= 10; ++step) {
            const QPointF at(160, 200);
            QWheelEvent wheel(at, map->mapToGlobal(at), {}, QPoint(0, 60), Qt::NoButton, Qt::NoModifier,
                              Qt::NoScrollPhase, false);
            timer.restart();
            QApplication::sendEvent(map, &wheel);
            delegate.window()->repaint();
            worst = std::max(worst, timer.nsecsElapsed() / 1e6);
        }
        zooms.push_back(worst);
        navigation->popViewControllerAnimated(false);
        settle();
    }

    // One tile from an MBTiles file of 2,000 tiles.
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("tiles.mbtiles"));
    {
        sqlite3* db = nullptr;
        sqlite3_open(QFile::encodeName(file).constData(), &db);
        sqlite3_exec(
            db,
            "create table tiles (zoom_level integer, tile_column integer, tile_row integer, tile_data "
            "blob, primary key (zoom_level, tile_column, tile_row)); begin;",
            nullptr, nullptr, nullptr);
        sqlite3_stmt* insert = nullptr;
        sqlite3_prepare_v2(db, "insert into tiles values (16, ?1, ?2, zeroblob(12000))", -1, &insert,
                           nullptr);
        for (int i = 0; i < 2000; ++i) {
            sqlite3_reset(insert);
            sqlite3_bind_int(insert, 1, 35700 + i % 50);
            sqlite3_bind_int(insert, 2, 42800 + i / 50);
            sqlite3_step(insert);
        }
        sqlite3_finalize(insert);
        sqlite3_exec(db, "commit", nullptr, nullptr, nullptr);
        sqlite3_close(db);
    }
    MBTilesSource tiles(file);
    std::vector<double> reads;
    for (int i = 0; i < 200; ++i) {
        QElapsedTimer timer;
        timer.start();
        const auto bytes = tiles.tile({16, 35700 + i % 50, TileMath::tmsRow(42800 + i / 50, 16)});
        reads.push_back(timer.nsecsElapsed() / 1e6);
        if (!bytes)
            std::fprintf(stderr, "tile missing\n");
    }

    // A walk of some 11 km, from Balzers in the south to Schaan in the north, once the network is read.
    std::vector<double> walks;
    double walked = 0;
    QString why;
    const auto network = WalkingNetwork::open(QStringLiteral(GUIDE_VADUZ_EDITION "/Walks.sqlite"), &why);
    for (int i = 0; network && i < 20; ++i) {
        QElapsedTimer timer;
        timer.start();
        const auto route = network->route(47.0668, 9.5030, 47.1660, 9.5100, &why);
        walks.push_back(timer.nsecsElapsed() / 1e6);
        walked = route ? route->metres : 0;
    }
    if (!network || walked == 0)
        std::fprintf(stderr, "no walk across Vaduz: %s\n", qPrintable(why));

    std::printf("near-me query                       %.1f ms   (median of %d; %d venues)\n", median(queries),
                runs, found);
    std::printf("  the same box through SQLite        %.1f ms   (ratio %.2f)\n", median(bare),
                median(queries) / median(bare));
    std::printf("near-me query at the venues' corner  %.2f ms   (median; %d venues)\n", median(edgeQueries),
                edgeFound);
    std::printf("  the same box through SQLite        %.2f ms   (ratio %.2f)\n", median(edgeBare),
                median(edgeQueries) / median(edgeBare));
    std::printf("live map of a list, touch to painted %.1f ms   (median; %d pins)\n", median(opens), pins);
    std::printf("slowest pan frame with those pins    %.2f ms   (median of the worst of 10 steps)\n",
                median(pans));
    std::printf("slowest zoom frame with those pins   %.2f ms   (median of the worst of 10 steps)\n",
                median(zooms));
    std::printf("walk across the Vaduz edition        %.2f ms   (median of 20; %.0f m)\n",
                walks.empty() ? 0.0 : median(walks), walked);
    std::printf("one offline tile read                %.3f ms   (median of 200)\n", median(reads));
    return 0;
}
