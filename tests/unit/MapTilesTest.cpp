#include "platform/MapTiles.h"
#include "platform/HttpClient.h"
#include "tests/support/LocalHttpServer.h"
#include "tests/support/TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <sqlite3.h>

using namespace testsupport;

namespace {

// A PNG's first and last bytes around a body: whole as far as the cache can tell.
QByteArray pictureBytes(const QByteArray& body) {
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + body + QByteArray("IEND\xae\x42\x60\x82", 8);
}

TEST(TileMath, DegreesTilesAndSpans) {
    // Stephansplatz at zoom 16 lies in tile 35748 / 22724 (XYZ).
    EXPECT_EQ(int(TileMath::tileX(16.3731, 16)), 35748);
    EXPECT_EQ(int(TileMath::tileY(48.2085, 16)), 22724);
    EXPECT_NEAR(TileMath::longitude(TileMath::tileX(16.3731, 13), 13), 16.3731, 1e-9);
    EXPECT_NEAR(TileMath::latitude(TileMath::tileY(48.2085, 13), 13), 48.2085, 1e-9);
    EXPECT_DOUBLE_EQ(TileMath::tileX(-180, 3), 0);
    EXPECT_DOUBLE_EQ(TileMath::tileY(0, 1), 1);
    // TMS counts rows from the south.
    EXPECT_EQ(TileMath::tmsRow(0, 0), 0);
    EXPECT_EQ(TileMath::tmsRow(22724, 16), 65535 - 22724);

    // A zoom chosen for spans shows at least those spans, the larger one filling the view.
    const QSizeF view(320, 416);
    for (double span : {0.1, 0.01, 0.002}) {
        const double zoom = TileMath::zoomForSpans(48.2, span, span, view);
        const QSizeF shown = TileMath::spansAt(48.2, zoom, view);
        EXPECT_GE(shown.width() + 1e-9, span);
        EXPECT_GE(shown.height() + 1e-9, span);
        EXPECT_TRUE(std::abs(shown.width() - span) < span * 1e-3 ||
                    std::abs(shown.height() - span) < span * 1e-3);
    }
    // The world, 256 points wide at zoom 0: 360 degrees in 256 points.
    EXPECT_NEAR(TileMath::zoomForSpans(0, 1, 360, QSizeF(256, 256)), 0, 1e-9);
}

TEST(MBTilesSource, ReadsRowsInTmsOrderAndItsMetadata) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"tiles.mbtiles"_qs);
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(path).constData(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db,
                           "create table metadata (name text, value text);"
                           "create table tiles (zoom_level integer, tile_column integer, tile_row integer, "
                           "tile_data blob);"
                           "insert into metadata values ('bounds', '16.2,48.1,16.5,48.3'), ('format', 'png');"
                           "insert into tiles values (2, 1, 3, x'0102'), (2, 1, 0, x'0304');",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);

    MBTilesSource source(path);
    ASSERT_TRUE(source.isOpen()) << source.error().toStdString();
    // XYZ row 0 is the northernmost: TMS row 3 at zoom 2.
    EXPECT_EQ(source.tile({2, 1, 0}), QByteArray("\x01\x02"));
    EXPECT_EQ(source.tile({2, 1, 3}), QByteArray("\x03\x04"));
    EXPECT_FALSE(source.tile({2, 2, 0}));
    EXPECT_EQ(*source.bounds(), (QList<double>{16.2, 48.1, 16.5, 48.3}));
    EXPECT_EQ(source.metadata(u"format"_qs), u"png"_qs);

    EXPECT_FALSE(MBTilesSource(dir.filePath(u"missing.mbtiles"_qs)).isOpen());
    writeText(dir.filePath(u"plain.mbtiles"_qs), u"not a database"_qs);
    EXPECT_FALSE(MBTilesSource(dir.filePath(u"plain.mbtiles"_qs)).isOpen());
}

// An MBTiles file made by the SQL given, in the folder.
QString tilesFile(const QTemporaryDir& dir, const char* name, const char* sql) {
    const QString path = dir.filePath(QString::fromLatin1(name));
    sqlite3* db = nullptr;
    EXPECT_EQ(sqlite3_open(QFile::encodeName(path).constData(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);
    return path;
}

TEST(MBTilesSource, AFileMadeToHangItsReaderIsGivenUpWithinTheTimeLimit) {
    QTemporaryDir dir;
    // "tiles" a view that counts for ever: every read would step it without end.
    const QString endless = tilesFile(
        dir, "endless.mbtiles",
        "create table metadata (name text, value text);"
        "create view tiles as with recursive n(i) as (select 0 union all select i + 1 from n) "
        "select 1 + 0 * i as zoom_level, i % 2 as tile_column, -i as tile_row, x'00' as tile_data from n;");
    MBTilesSource source(endless);
    ASSERT_TRUE(source.isOpen()) << source.error().toStdString();
    EXPECT_TRUE(source.tilesIsView());
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(source.tile({1, 1, 0})); // row 1 never comes
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_TRUE(source.error().contains(u"250 ms"_qs)) << source.error().toStdString();
    // Given up: the next read costs nothing, even of a tile the view would give at once.
    clock.restart();
    EXPECT_FALSE(source.tile({1, 0, 1}));
    EXPECT_LT(clock.elapsed(), 50);

    // A table without its index is read, row by row, and says so; with the key it is searched.
    const QString plain = tilesFile(dir, "plain.mbtiles",
                                    "create table tiles (zoom_level integer, tile_column integer, tile_row "
                                    "integer, tile_data blob);");
    EXPECT_FALSE(MBTilesSource(plain).tilesIndexed());
    EXPECT_FALSE(MBTilesSource(plain).tilesIsView());
    const QString keyed =
        tilesFile(dir, "keyed.mbtiles",
                  "create table tiles (zoom_level integer, tile_column integer, tile_row "
                  "integer, tile_data blob, primary key (zoom_level, tile_column, tile_row));");
    EXPECT_TRUE(MBTilesSource(keyed).tilesIndexed());
}

// Waits for one tile while the event loop turns.
std::optional<QByteArray> fetched(OnlineTileSource& source, const TileKey& key,
                                  bool* networkFailed = nullptr) {
    std::optional<std::optional<QByteArray>> answer;
    QObject context;
    source.fetch(key, &context, [&](std::optional<QByteArray> bytes, bool failedNetwork) {
        answer = std::move(bytes);
        if (networkFailed)
            *networkFailed = failedNetwork;
    });
    QElapsedTimer waited;
    waited.start();
    while (!answer && waited.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_TRUE(answer);
    return answer.value_or(std::nullopt);
}

TEST(OnlineTileSource, NamesItselfCachesAsLongAsAllowedAndFetchesADamagedTileAgain) {
    LocalHttpServer server;
    QTemporaryDir cache;
    const QByteArray tile = pictureBytes("tile 12/2232/1420");
    LocalHttpServer::Answer answer;
    answer.body = tile;
    answer.contentType = "image/png";
    server.serve(u"/12/2232/1420.png"_qs, answer);
    OnlineTileSource source(server.url(u"/"_qs).toString() + u"{z}/{x}/{y}.png"_qs, "cityguide/0.1 (test)",
                            cache.path());

    const TileKey key{12, 2232, 1420};
    EXPECT_FALSE(source.cached(key));
    EXPECT_EQ(fetched(source, key), tile);
    EXPECT_TRUE(server.lastHeaders(u"/12/2232/1420.png"_qs).contains("User-Agent: cityguide/0.1 (test)"));
    EXPECT_EQ(source.cached(key), tile); // no request needed now

    // Kept at least a week, however short the answer's own lifetime.
    const QString expiry = cache.filePath(u"12/2232/1420.tile.expires"_qs);
    const qint64 until = readText(expiry).toLongLong();
    EXPECT_GE(until, QDateTime::currentSecsSinceEpoch() + 604800 - 60); // seven days of 86,400 seconds
    // Past its time, it is not used.
    writeText(expiry, QString::number(QDateTime::currentSecsSinceEpoch() - 1));
    EXPECT_FALSE(source.cached(key));
    // A cut file is not used either, and is fetched again.
    EXPECT_EQ(fetched(source, key), tile);
    writeBytes(cache.filePath(u"12/2232/1420.tile"_qs), tile.left(10));
    EXPECT_FALSE(source.cached(key));
    EXPECT_EQ(fetched(source, key), tile);
    EXPECT_EQ(server.requests(u"/12/2232/1420.png"_qs), 3);

    // A lifetime of "for ever" is kept a year, not overflowed into the past.
    answer.headers = {{"Cache-Control", "max-age=9223372036854775807"}};
    server.serve(u"/12/2232/1421.png"_qs, answer);
    EXPECT_EQ(fetched(source, {12, 2232, 1421}), tile);
    EXPECT_EQ(source.cached({12, 2232, 1421}), tile);
    const qint64 kept = readText(cache.filePath(u"12/2232/1421.tile.expires"_qs)).toLongLong();
    EXPECT_NEAR(double(kept - QDateTime::currentSecsSinceEpoch()), 31536000.0, 120.0);

    // A server that answers something else than a picture gives no tile; no network is told apart.
    server.serve(u"/12/1/1.png"_qs, QByteArray("<html>rate limited</html>"));
    bool networkFailed = true;
    EXPECT_FALSE(fetched(source, {12, 1, 1}, &networkFailed));
    EXPECT_FALSE(networkFailed);
    HttpClient::setNetworkAvailable(false);
    EXPECT_FALSE(fetched(source, {12, 1, 2}, &networkFailed));
    EXPECT_TRUE(networkFailed);
    HttpClient::setNetworkAvailable(true);
}

} // namespace
