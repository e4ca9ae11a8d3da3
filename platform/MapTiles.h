#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPointF>
#include <QPointer>
#include <QSizeF>
#include <QString>
#include <functional>
#include <optional>

// Street-map tiles as the phone's map component gets them: 256-pixel Web Mercator tiles in XYZ
// numbering, from the edition's MBTiles file first and from an online tile server after that.
namespace TileMath {

constexpr int tileSize = 256;
// Web Mercator ends short of the poles, where it would run to infinity; tileY holds latitudes to this.
constexpr double maxLatitude = 85.0511;
// Fractional tile coordinates of a position at a zoom level (x east, y south).
double tileX(double longitude, int zoom);
double tileY(double latitude, int zoom);
double longitude(double tileX, int zoom);
double latitude(double tileY, int zoom);
// MBTiles number rows from the south (TMS).
int tmsRow(int y, int zoom);
// The (fractional) zoom at which spans of latitude and longitude fill a view of that size in points,
// the larger span deciding.
double zoomForSpans(double centreLatitude, double latitudeSpan, double longitudeSpan, const QSizeF& view);
// The spans a view of that size shows around the centre at a zoom.
QSizeF spansAt(double centreLatitude, double zoom, const QSizeF& view); // (longitude span, latitude span)

} // namespace TileMath

struct TileKey {
    int z = 0, x = 0, y = 0;
    bool operator==(const TileKey&) const = default;
};
size_t qHash(const TileKey& key, size_t seed = 0);

// Raster tiles (PNG or JPEG) of an MBTiles file, read through SQLite.
class MBTilesSource {
public:
    explicit MBTilesSource(const QString& path);
    ~MBTilesSource();
    MBTilesSource(const MBTilesSource&) = delete;
    MBTilesSource& operator=(const MBTilesSource&) = delete;

    bool isOpen() const { return db != nullptr; }
    QString error() const { return why; }
    // A read that takes longer than this has met a file made to hang its reader (a view that never
    // ends, millions of rows without their index): it fails, and the file is read no more.
    static constexpr int readTimeLimitMs = 250;
    std::optional<QByteArray> tile(const TileKey& key) const;
    // How the file keeps its tiles: "tiles" a view instead of a table, and whether a tile is found by
    // an index on (zoom_level, tile_column, tile_row) or by reading every row.
    bool tilesIsView() const;
    bool tilesIndexed() const;
    // From the metadata: "bounds" as west, south, east, north; the zoom range.
    std::optional<QList<double>> bounds() const;
    QString metadata(const QString& name) const;

private:
    // Prepares a statement whose steps end at the read time limit.
    struct sqlite3_stmt* prepare(const char* sql) const;
    // One step of it; a step stopped at the time limit gives the file up.
    int step(struct sqlite3_stmt* statement) const;
    void tooSlow() const;
    static int pastDeadline(void* source);

    struct sqlite3* db = nullptr;
    mutable QString why;
    mutable QDeadlineTimer deadline;
    mutable bool abandoned = false;
};

// True when the bytes look like a whole PNG or JPEG picture (a cut file does not).
bool isWholePicture(const QByteArray& bytes);

// Tiles from a tile server by an address template ("https://…/{z}/{x}/{y}.png"), through the guide's
// HTTP client with a User-Agent that names the program, at most two downloads at a time, nothing
// fetched but what is asked for, and a disk cache that keeps each tile as long as the answer allows
// and at least seven days.
class OnlineTileSource : public QObject {
    Q_OBJECT
public:
    OnlineTileSource(const QString& addressTemplate, const QByteArray& userAgent, const QString& cacheFolder,
                     QObject* parent = nullptr);

    // A fresh cached tile, without the network.
    std::optional<QByteArray> cached(const TileKey& key) const;
    // The map could not make a picture of the tile: it is not kept (and is fetched again when asked).
    void forget(const TileKey& key) const;
    // Fetches the tile unless it is on its way; `done` runs on the user-interface thread with the
    // bytes, or none when the network failed (networkFailed tells whether it was the connection).
    void fetch(const TileKey& key, QObject* context,
               std::function<void(std::optional<QByteArray> bytes, bool networkFailed)> done);
    // Drops what has not started (the view has moved on).
    void cancelPending();
    int running() const { return active; }

    static constexpr int maxDownloads = 2;
    static constexpr qint64 minimumLifetimeSeconds = 7 * 24 * 3600;

private:
    QString address(const TileKey& key) const;
    QString cachePath(const TileKey& key) const;
    void store(const TileKey& key, const QByteArray& bytes, const QDateTime& expires) const;
    void startNext();

    struct Pending {
        TileKey key;
        QPointer<QObject> context;
        std::function<void(std::optional<QByteArray>, bool)> done;
    };
    QString addressTemplate;
    QByteArray userAgent;
    QString cacheFolder;
    QList<Pending> queue;
    QList<TileKey> inFlight;
    int active = 0;
};
