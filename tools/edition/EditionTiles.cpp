#include "tools/edition/EditionTiles.h"

#include "platform/MapTiles.h"
#include "platform/TextValues.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QtConcurrent/QtConcurrentMap>
#include <sqlite3.h>

#include <memory>

namespace {

const QString usage =
    QStringLiteral("usage: cityguide-edition tiles PLAN.svg --bounds S,W,N,E --zoom Z1-Z2 OUT.mbtiles");

struct Plan {
    QByteArray svg;
    double south = 0, west = 0, north = 0, east = 0;
    QSizeF size;
};

// Renders one tile of the plan: the tile's Mercator square becomes the plan's view box.
QByteArray renderTile(const Plan& plan, QSvgRenderer& renderer, const TileKey& key) {
    const double n = std::ldexp(1.0, key.z);
    const double left = TileMath::tileX(plan.west, 0), right = TileMath::tileX(plan.east, 0);
    const double top = TileMath::tileY(plan.north, 0), bottom = TileMath::tileY(plan.south, 0);
    const double sx = plan.size.width() / (right - left), sy = plan.size.height() / (bottom - top);
    const QRectF box((key.x / n - left) * sx, (key.y / n - top) * sy, sx / n, sy / n);
    QImage image(TileMath::tileSize, TileMath::tileSize, QImage::Format_RGB32);
    image.fill(QColor(0xf2, 0xef, 0xe9));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.setViewBox(box);
    renderer.render(&painter);
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG", 9);
    return bytes;
}

bool exec(sqlite3* db, const char* sql, QString* error) {
    char* message = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &message) != SQLITE_OK) {
        *error = QString::fromUtf8(message ? message : "SQLite error");
        sqlite3_free(message);
        return false;
    }
    return true;
}

} // namespace

namespace Edition {

int tiles(const QStringList& args, QTextStream& out, QString* error) {
    QString planPath, outPath, boundsText, zoomText;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == u"--bounds" && i + 1 < args.size())
            boundsText = args[++i];
        else if (args[i] == u"--zoom" && i + 1 < args.size())
            zoomText = args[++i];
        else if (planPath.isEmpty())
            planPath = args[i];
        else if (outPath.isEmpty())
            outPath = args[i];
        else
            planPath.clear();
    }
    const auto bounds = numbersOfText(boundsText, 4);
    const QStringList zooms = zoomText.split(u'-');
    bool zoomOk = zooms.size() == 2;
    const int z1 = zooms.value(0).toInt(&zoomOk), z2 = zooms.value(1).toInt(&zoomOk);
    if (planPath.isEmpty() || outPath.isEmpty() || !bounds || !zoomOk || z1 < 0 || z2 < z1 || z2 > 19) {
        *error = usage;
        return 2;
    }

    Plan plan;
    QFile file(planPath);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = planPath + QStringLiteral(": ") + file.errorString();
        return 1;
    }
    plan.svg = file.readAll();
    const QRegularExpressionMatch georeference =
        QRegularExpression(QStringLiteral("data-bounds=\"([^\"]+)\""))
            .match(QString::fromUtf8(plan.svg.left(4096)));
    const auto planBounds =
        georeference.hasMatch() ? numbersOfText(georeference.captured(1), 4) : std::nullopt;
    QSvgRenderer probe(plan.svg);
    if (!probe.isValid() || !planBounds) {
        *error = planPath + QStringLiteral(": not an SVG plan with data-bounds=\"S,W,N,E\" on its root");
        return 1;
    }
    plan.south = (*planBounds)[0], plan.west = (*planBounds)[1], plan.north = (*planBounds)[2],
    plan.east = (*planBounds)[3];
    plan.size = probe.viewBoxF().size();

    QList<TileKey> keys;
    const double south = (*bounds)[0], west = (*bounds)[1], north = (*bounds)[2], east = (*bounds)[3];
    for (int z = z1; z <= z2; ++z)
        for (int x = int(TileMath::tileX(west, z)); x <= int(TileMath::tileX(east, z)); ++x)
            for (int y = int(TileMath::tileY(north, z)); y <= int(TileMath::tileY(south, z)); ++y)
                keys.append({z, x, y});

    // Each thread draws with a renderer of its own.
    const QList<QByteArray> pictures = QtConcurrent::blockingMapped(keys, [&plan](const TileKey& key) {
        thread_local std::unique_ptr<QSvgRenderer> renderer;
        thread_local const QByteArray* loaded = nullptr;
        if (!renderer || loaded != &plan.svg) {
            renderer = std::make_unique<QSvgRenderer>(plan.svg);
            loaded = &plan.svg;
        }
        return renderTile(plan, *renderer, key);
    });

    sqlite3* db = nullptr;
    if (sqlite3_open(QFile::encodeName(outPath).constData(), &db) != SQLITE_OK) {
        *error = outPath + QStringLiteral(": ") + QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_close(db);
        return 1;
    }
    std::unique_ptr<sqlite3, int (*)(sqlite3*)> owner(db, sqlite3_close);
    if (!exec(db,
              "create table if not exists metadata (name text primary key, value text);"
              "create table if not exists tiles (zoom_level integer, tile_column integer, tile_row integer, "
              "tile_data blob, primary key (zoom_level, tile_column, tile_row));"
              "begin",
              error))
        return 1;
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db, "insert or replace into tiles values (?1, ?2, ?3, ?4)", -1, &insert, nullptr);
    for (qsizetype i = 0; i < keys.size(); ++i) {
        sqlite3_reset(insert);
        sqlite3_bind_int(insert, 1, keys[i].z);
        sqlite3_bind_int(insert, 2, keys[i].x);
        sqlite3_bind_int(insert, 3, TileMath::tmsRow(keys[i].y, keys[i].z));
        sqlite3_bind_blob(insert, 4, pictures[i].constData(), int(pictures[i].size()), SQLITE_STATIC);
        sqlite3_step(insert);
    }
    sqlite3_finalize(insert);
    // The metadata describe everything the file holds now.
    const QString meta =
        QStringLiteral("insert or replace into metadata values ('name', 'City plan'), ('format', 'png'), "
                       "('type', 'baselayer'), ('bounds', '%1,%2,%3,%4'), "
                       "('minzoom', (select min(zoom_level) from tiles)), "
                       "('maxzoom', (select max(zoom_level) from tiles));")
            .arg(plan.west)
            .arg(plan.south)
            .arg(plan.east)
            .arg(plan.north);
    if (!exec(db, meta.toUtf8().constData(), error) || !exec(db, "commit", error))
        return 1;
    out << keys.size() << " tiles of zoom " << z1 << " to " << z2 << " written to " << outPath << '\n';
    return 0;
}

} // namespace Edition
