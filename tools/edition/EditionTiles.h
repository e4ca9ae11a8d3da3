#pragma once

#include "platform/MapTiles.h"

#include <QByteArray>
#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <functional>
#include <optional>

class QImage;
struct sqlite3;
struct sqlite3_stmt;

// The commands of the edition tool that draw pictures (they need a graphical application; offscreen will do).

namespace Edition {

// An MBTiles file being filled: the tiles go in within one transaction, and the metadata written at the
// end describe everything the file holds then.
class TileWriter {
public:
    TileWriter() = default;
    ~TileWriter();
    TileWriter(const TileWriter&) = delete;
    TileWriter& operator=(const TileWriter&) = delete;

    // Opens the file, made when it does not exist.
    bool open(const QString& path, QString* error);
    bool add(const TileKey& key, const QByteArray& picture, QString* error);
    // `bounds` in longitudes (x) and latitudes (y).
    bool finish(const QString& name, const QRectF& bounds, const QString& attribution, QString* error);

private:
    sqlite3* db = nullptr;
    sqlite3_stmt* insert = nullptr;
};

// The tiles of the zoom levels `zooms` (first, last) that cover the region (x longitudes, y latitudes).
QList<TileKey> tilesCovering(const QRectF& region, std::pair<int, int> zooms);

// "Z1-Z2" with 0 <= Z1 <= Z2 <= 19; otherwise none, and *why (if given) says what is wrong.
std::optional<std::pair<int, int>> zoomRange(const QString& text, QString* why = nullptr);

// Draws the tiles on every core, a batch at a time, into the writer, and tells how far it is after each
// zoom level. `render` gives a tile's PNG and must be safe to call from several threads at once.
bool renderTiles(const QList<TileKey>& keys, const std::function<QByteArray(const TileKey&)>& render,
                 TileWriter& writer, QTextStream& out, QString* error);

// The same for a drawing that is cheaper a group at a time: the tiles of a batch are grouped by
// (x >> groupShift, y >> groupShift), and `render` gives the PNGs of a group's tiles in their order.
using GroupRenderer = std::function<QList<QByteArray>(const QList<TileKey>& group)>;
bool renderTileGroups(const QList<TileKey>& keys, int groupShift, const GroupRenderer& render,
                      TileWriter& writer, QTextStream& out, QString* error);

// A tile as PNG.
QByteArray pngOf(const QImage& image);

// `tiles PLAN.svg --bounds S,W,N,E --zoom Z1-Z2 OUT.mbtiles`: renders the georeferenced plan (its root
// carries data-bounds="S,W,N,E" and is drawn in Web Mercator over them) into 256-pixel PNG tiles of
// every zoom level from Z1 to Z2 over the given bounds, and adds them to the MBTiles file (made when
// it does not exist). 0 when done, 1 when the plan or the file cannot be used, 2 for a wrong call.
int tiles(const QStringList& args, QTextStream& out, QString* error);

// `new DIR --city NAME --at LAT,LON`: a complete source folder for a new city, with the city's facts
// left to fill (marked "[fill in]"), one chapter, category and venue at the given point and neutral
// pictures for everything the guide always shows. 0 when written, 1 when DIR is not empty or cannot
// be written, 2 for a wrong call.
int newEdition(const QStringList& args, QTextStream& out, QString* error);

// Renders the drawings of SRC/art/*.svg into OUT as NAME.png and NAME@2x.png (those not already newer
// than their drawing). True when there is no art folder.
bool renderArt(const QString& sourceFolder, const QString& outFolder, QString* error);

} // namespace Edition
