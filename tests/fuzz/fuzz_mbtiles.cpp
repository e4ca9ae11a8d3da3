// The offline street tiles: an MBTiles file whose tile and metadata hold the input, read and decoded
// as the map view does.

#include "tests/fuzz/FuzzSupport.h"

#include "platform/MapTiles.h"

#include <QFile>
#include <QImage>
#include <sqlite3.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::ensureApplication();
    static const QString path = fuzz::scratchFolder() + QStringLiteral("/tiles.mbtiles");
    QFile::remove(path);
    sqlite3* db = nullptr;
    if (sqlite3_open(QFile::encodeName(path).constData(), &db) != SQLITE_OK) {
        sqlite3_close(db);
        return 0;
    }
    sqlite3_exec(
        db,
        "create table metadata (name text, value text);"
        "create table tiles (zoom_level integer, tile_column integer, tile_row integer, tile_data blob);",
        nullptr, nullptr, nullptr);
    sqlite3_stmt* statement = nullptr;
    // The first bytes stand for the bounds, the rest is the tile at 12/2234/1420 (TMS row 2675).
    const size_t split = std::min<size_t>(size, 40);
    if (sqlite3_prepare_v2(db, "insert into metadata values ('bounds', ?1)", -1, &statement, nullptr) ==
        SQLITE_OK) {
        sqlite3_bind_text(statement, 1, reinterpret_cast<const char*>(data), int(split), SQLITE_STATIC);
        sqlite3_step(statement);
    }
    sqlite3_finalize(statement);
    if (sqlite3_prepare_v2(db, "insert into tiles values (12, 2234, 2675, ?1)", -1, &statement, nullptr) ==
        SQLITE_OK) {
        sqlite3_bind_blob(statement, 1, data + split, int(size - split), SQLITE_STATIC);
        sqlite3_step(statement);
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);

    const MBTilesSource source(path);
    (void)source.bounds();
    if (const auto tile = source.tile(TileKey{12, 2234, 1420})) {
        QImage picture;
        if (isWholePicture(*tile) && picture.loadFromData(*tile))
            (void)picture.size();
    }
    return 0;
}
