#include "platform/MapTiles.h"

#include "platform/HttpClient.h"
#include "platform/Log.h"
#include "platform/TextValues.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QSaveFile>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <sqlite3.h>

namespace TileMath {

double tileX(double longitude, int zoom) {
    return (longitude + 180.0) / 360.0 * std::ldexp(1.0, zoom);
}

double tileY(double latitude, int zoom) {
    const double phi = std::clamp(latitude, -maxLatitude, maxLatitude) * std::numbers::pi / 180.0;
    return (1.0 - std::log(std::tan(phi) + 1.0 / std::cos(phi)) / std::numbers::pi) / 2.0 *
           std::ldexp(1.0, zoom);
}

double longitude(double x, int zoom) {
    return x / std::ldexp(1.0, zoom) * 360.0 - 180.0;
}

double latitude(double y, int zoom) {
    const double n = std::numbers::pi - 2.0 * std::numbers::pi * y / std::ldexp(1.0, zoom);
    return 180.0 / std::numbers::pi * std::atan(std::sinh(n));
}

int tmsRow(int y, int zoom) {
    return (1 << zoom) - 1 - y;
}

double zoomForSpans(double centreLatitude, double latitudeSpan, double longitudeSpan, const QSizeF& view) {
    // At zoom 0 the world is 256 points wide; each level doubles it.
    const double byLongitude = std::log2(view.width() * 360.0 / (tileSize * std::max(longitudeSpan, 1e-9)));
    const double north = tileY(std::min(85.0, centreLatitude + latitudeSpan / 2), 0);
    const double south = tileY(std::max(-85.0, centreLatitude - latitudeSpan / 2), 0);
    const double byLatitude = std::log2(view.height() / (tileSize * std::max(south - north, 1e-12)));
    return std::min(byLongitude, byLatitude);
}

QSizeF spansAt(double centreLatitude, double zoom, const QSizeF& view) {
    const double worldPoints = tileSize * std::exp2(zoom);
    const double longitudeSpan = view.width() / worldPoints * 360.0;
    const double y = tileY(centreLatitude, 0);
    const double half = view.height() / worldPoints / 2;
    const double latitudeSpan = latitude(y - half, 0) - latitude(y + half, 0);
    return QSizeF(longitudeSpan, latitudeSpan);
}

} // namespace TileMath

size_t qHash(const TileKey& key, size_t seed) {
    return ::qHash((quint64(key.z) << 58) ^ (quint64(key.x) << 29) ^ quint64(key.y), seed);
}

MBTilesSource::MBTilesSource(const QString& path) {
    if (!QFileInfo::exists(path)) {
        why = QStringLiteral("%1: missing").arg(path);
        return;
    }
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db,
                        SQLITE_OPEN_READONLY | SQLITE_OPEN_FULLMUTEX, nullptr) != SQLITE_OK) {
        why = QStringLiteral("%1: %2").arg(path, QString::fromUtf8(sqlite3_errmsg(db)));
        sqlite3_close(db);
        db = nullptr;
        return;
    }
    sqlite3_stmt* probe = nullptr;
    if (sqlite3_prepare_v2(db, "select zoom_level, tile_column, tile_row, tile_data from tiles limit 1", -1,
                           &probe, nullptr) != SQLITE_OK) {
        why = QStringLiteral("%1: no tiles table (%2)").arg(path, QString::fromUtf8(sqlite3_errmsg(db)));
        sqlite3_close(db);
        db = nullptr;
    }
    sqlite3_finalize(probe);
    if (db)
        sqlite3_progress_handler(db, 1000, &MBTilesSource::pastDeadline, this);
}

MBTilesSource::~MBTilesSource() {
    sqlite3_close(db);
}

int MBTilesSource::pastDeadline(void* source) {
    return static_cast<MBTilesSource*>(source)->deadline.hasExpired() ? 1 : 0;
}

sqlite3_stmt* MBTilesSource::prepare(const char* sql) const {
    if (!db || abandoned)
        return nullptr;
    deadline.setRemainingTime(readTimeLimitMs);
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) != SQLITE_OK) {
        if (sqlite3_errcode(db) == SQLITE_INTERRUPT)
            tooSlow();
        sqlite3_finalize(statement);
        return nullptr;
    }
    return statement;
}

void MBTilesSource::tooSlow() const {
    abandoned = true;
    why = QStringLiteral("reading a tile took longer than %1 ms; the file is read no more")
              .arg(readTimeLimitMs);
    logLine(QStringLiteral("Map tiles: %1").arg(why));
}

int MBTilesSource::step(sqlite3_stmt* statement) const {
    const int result = sqlite3_step(statement);
    if (result == SQLITE_INTERRUPT)
        tooSlow();
    return result;
}

std::optional<QByteArray> MBTilesSource::tile(const TileKey& key) const {
    sqlite3_stmt* statement =
        prepare("select tile_data from tiles where zoom_level = ?1 and tile_column = ?2 and tile_row = ?3");
    if (!statement)
        return std::nullopt;
    sqlite3_bind_int(statement, 1, key.z);
    sqlite3_bind_int(statement, 2, key.x);
    sqlite3_bind_int(statement, 3, TileMath::tmsRow(key.y, key.z));
    std::optional<QByteArray> bytes;
    if (step(statement) == SQLITE_ROW)
        bytes = QByteArray(static_cast<const char*>(sqlite3_column_blob(statement, 0)),
                           sqlite3_column_bytes(statement, 0));
    sqlite3_finalize(statement);
    return bytes;
}

bool MBTilesSource::tilesIsView() const {
    sqlite3_stmt* statement = prepare("select type from sqlite_master where name = 'tiles'");
    if (!statement)
        return false;
    const bool view = step(statement) == SQLITE_ROW &&
                      qstrcmp(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)), "view") == 0;
    sqlite3_finalize(statement);
    return view;
}

bool MBTilesSource::tilesIndexed() const {
    // SQLite's own plan for the read the map makes: a search by index, or a scan of every row.
    sqlite3_stmt* statement =
        prepare("explain query plan select tile_data from tiles where zoom_level = 1 and "
                "tile_column = 1 and tile_row = 1");
    if (!statement)
        return false;
    bool indexed = false;
    while (step(statement) == SQLITE_ROW) {
        const QByteArray detail(reinterpret_cast<const char*>(sqlite3_column_text(statement, 3)));
        if (detail.startsWith("SEARCH") && detail.contains("USING"))
            indexed = true;
    }
    sqlite3_finalize(statement);
    return indexed;
}

QString MBTilesSource::metadata(const QString& name) const {
    sqlite3_stmt* statement = prepare("select value from metadata where name = ?1");
    if (!statement)
        return {};
    const QByteArray utf8 = name.toUtf8();
    sqlite3_bind_text(statement, 1, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
    QString value;
    if (step(statement) == SQLITE_ROW)
        value = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
    sqlite3_finalize(statement);
    return value;
}

std::optional<QList<double>> MBTilesSource::bounds() const {
    return numbersOfText(metadata(QStringLiteral("bounds")), 4);
}

bool isWholePicture(const QByteArray& bytes) {
    if (bytes.startsWith("\x89PNG\r\n\x1a\n"))
        return bytes.endsWith(QByteArray("IEND\xae\x42\x60\x82", 8));
    if (bytes.startsWith("\xff\xd8"))
        return bytes.endsWith("\xff\xd9");
    return false;
}

OnlineTileSource::OnlineTileSource(const QString& templateText, const QByteArray& agent,
                                   const QString& folder, QObject* parent)
    : QObject(parent), addressTemplate(templateText), userAgent(agent), cacheFolder(folder) {}

QString OnlineTileSource::address(const TileKey& key) const {
    QString text = addressTemplate;
    text.replace(QStringLiteral("{z}"), QString::number(key.z));
    text.replace(QStringLiteral("{x}"), QString::number(key.x));
    text.replace(QStringLiteral("{y}"), QString::number(key.y));
    return text;
}

void OnlineTileSource::forget(const TileKey& key) const {
    QFile::remove(cachePath(key));
    QFile::remove(cachePath(key) + QStringLiteral(".expires"));
}

QString OnlineTileSource::cachePath(const TileKey& key) const {
    return QStringLiteral("%1/%2/%3/%4.tile").arg(cacheFolder).arg(key.z).arg(key.x).arg(key.y);
}

std::optional<QByteArray> OnlineTileSource::cached(const TileKey& key) const {
    const QString path = cachePath(key);
    QFile expiry(path + QStringLiteral(".expires"));
    if (!expiry.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QDateTime expires = QDateTime::fromSecsSinceEpoch(expiry.readAll().trimmed().toLongLong());
    if (expires < QDateTime::currentDateTimeUtc())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.readAll();
    // A cut or damaged file is fetched again.
    if (!isWholePicture(bytes))
        return std::nullopt;
    return bytes;
}

void OnlineTileSource::store(const TileKey& key, const QByteArray& bytes, const QDateTime& expires) const {
    const QString path = cachePath(key);
    QDir().mkpath(QFileInfo(path).path());
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(bytes);
        file.commit();
    }
    QSaveFile expiry(path + QStringLiteral(".expires"));
    if (expiry.open(QIODevice::WriteOnly)) {
        expiry.write(QByteArray::number(expires.toSecsSinceEpoch()));
        expiry.commit();
    }
}

namespace {

// How long the answer may be kept: max-age or Expires, and never under the minimum.
QDateTime expiryOf(const QList<QPair<QByteArray, QByteArray>>& headers, qint64 minimumSeconds) {
    const QDateTime now = QDateTime::currentDateTimeUtc();
    qint64 seconds = 0;
    for (const auto& [name, value] : headers) {
        if (name.compare("Cache-Control", Qt::CaseInsensitive) == 0) {
            const QRegularExpressionMatch age =
                QRegularExpression(QStringLiteral("max-age=(\\d+)")).match(QString::fromLatin1(value));
            if (age.hasMatch())
                seconds = std::max(seconds, age.captured(1).toLongLong());
        } else if (name.compare("Expires", Qt::CaseInsensitive) == 0) {
            const QDateTime at = QLocale::c().toDateTime(QString::fromLatin1(value).trimmed(),
                                                         QStringLiteral("ddd, dd MMM yyyy HH:mm:ss 'GMT'"));
            if (at.isValid())
                seconds = std::max(seconds, now.secsTo(QDateTime(at.date(), at.time(), Qt::UTC)));
        }
    }
    // A server's "for ever" (max-age=9223372036854775807) is a year: past it the time overflows.
    constexpr qint64 year = 365 * 24 * 3600;
    return now.addSecs(std::clamp(seconds, minimumSeconds, std::max(minimumSeconds, year)));
}

} // namespace

void OnlineTileSource::fetch(const TileKey& key, QObject* context,
                             std::function<void(std::optional<QByteArray>, bool)> done) {
    if (inFlight.contains(key))
        return;
    for (const Pending& waiting : std::as_const(queue))
        if (waiting.key == key)
            return;
    queue.append({key, QPointer<QObject>(context), std::move(done)});
    startNext();
}

void OnlineTileSource::cancelPending() {
    queue.clear();
}

void OnlineTileSource::startNext() {
    while (active < maxDownloads && !queue.isEmpty()) {
        Pending next = queue.takeLast(); // the newest view first
        ++active;
        inFlight.append(next.key);
        HttpClient::Request request;
        request.url = QUrl(address(next.key));
        request.headers = {{"User-Agent", userAgent}};
        request.timeoutMs = 20000;
        QPointer<OnlineTileSource> self(this);
        HttpClient::get(request, nullptr, [self, next](const HttpResponse& response) {
            if (!self)
                return;
            --self->active;
            self->inFlight.removeAll(next.key);
            const bool picture = response.ok() && isWholePicture(response.body);
            if (picture)
                self->store(next.key, response.body, expiryOf(response.headers, minimumLifetimeSeconds));
            else
                logOnce(QStringLiteral("Map tile %1 failed: %2")
                            .arg(self->address(next.key),
                                 response.ok() ? QStringLiteral("not a picture") : response.errorText));
            const bool networkFailed =
                response.error == HttpResponse::NoConnection || response.error == HttpResponse::TimedOut;
            if (next.context)
                next.done(picture ? std::optional<QByteArray>(response.body) : std::nullopt, networkFailed);
            self->startNext();
        });
    }
}
