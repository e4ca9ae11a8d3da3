#include "tools/edition/EditionTiles.h"

#include "platform/MapTiles.h"
#include "platform/TextValues.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QMap>
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

// Renders a group of neighbouring tiles of one zoom level in one picture, cut into tiles afterwards:
// the plan is walked once for the group instead of once for each tile. The group's Mercator rectangle
// becomes the plan's view box.
QList<QByteArray> renderTileGroup(const Plan& plan, QSvgRenderer& renderer, const QList<TileKey>& group) {
    const int z = group.first().z;
    int x1 = group.first().x, x2 = x1, y1 = group.first().y, y2 = y1;
    for (const TileKey& key : group) {
        x1 = std::min(x1, key.x), x2 = std::max(x2, key.x);
        y1 = std::min(y1, key.y), y2 = std::max(y2, key.y);
    }
    const double n = std::ldexp(1.0, z);
    const double left = TileMath::tileX(plan.west, 0), right = TileMath::tileX(plan.east, 0);
    const double top = TileMath::tileY(plan.north, 0), bottom = TileMath::tileY(plan.south, 0);
    const double sx = plan.size.width() / (right - left), sy = plan.size.height() / (bottom - top);
    const int columns = x2 - x1 + 1, rows = y2 - y1 + 1;
    const QRectF box((x1 / n - left) * sx, (y1 / n - top) * sy, columns * sx / n, rows * sy / n);
    const int side = TileMath::tileSize;
    QImage image(columns * side, rows * side, QImage::Format_RGB32);
    image.fill(QColor(0xf2, 0xef, 0xe9));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.setViewBox(box);
    renderer.render(&painter);
    painter.end();
    QList<QByteArray> pictures;
    for (const TileKey& key : group)
        pictures.append(Edition::pngOf(image.copy((key.x - x1) * side, (key.y - y1) * side, side, side)));
    return pictures;
}

// Empty for S,W,N,E that make a region of the map; otherwise what is wrong.
QString boundsProblem(const QList<double>& b) {
    const double south = b[0], west = b[1], north = b[2], east = b[3];
    if (south < -85.0511 || north > 85.0511)
        return QStringLiteral("--bounds: latitudes on a tiled map lie between -85.0511 and 85.0511");
    if (west < -180 || east > 180)
        return QStringLiteral("--bounds: longitudes lie between -180 and 180");
    if (south >= north)
        return QStringLiteral("--bounds: the south edge %1 is not below the north edge %2 (S,W,N,E)")
            .arg(south)
            .arg(north);
    if (west >= east)
        return QStringLiteral("--bounds: the west edge %1 is not left of the east edge %2 (S,W,N,E)")
            .arg(west)
            .arg(east);
    return {};
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

TileWriter::~TileWriter() {
    sqlite3_finalize(insert);
    if (db)
        sqlite3_exec(db, "rollback", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

bool TileWriter::open(const QString& path, QString* error) {
    if (sqlite3_open(QFile::encodeName(path).constData(), &db) != SQLITE_OK) {
        *error = path + QStringLiteral(": ") + QString::fromUtf8(sqlite3_errmsg(db));
        return false;
    }
    if (!exec(db,
              "create table if not exists metadata (name text primary key, value text);"
              "create table if not exists tiles (zoom_level integer, tile_column integer, tile_row integer, "
              "tile_data blob, primary key (zoom_level, tile_column, tile_row));"
              "begin",
              error)) {
        *error = path + QStringLiteral(": ") + *error;
        return false;
    }
    sqlite3_prepare_v2(db, "insert or replace into tiles values (?1, ?2, ?3, ?4)", -1, &insert, nullptr);
    return true;
}

bool TileWriter::add(const TileKey& key, const QByteArray& picture, QString* error) {
    sqlite3_reset(insert);
    sqlite3_bind_int(insert, 1, key.z);
    sqlite3_bind_int(insert, 2, key.x);
    sqlite3_bind_int(insert, 3, TileMath::tmsRow(key.y, key.z));
    sqlite3_bind_blob(insert, 4, picture.constData(), int(picture.size()), SQLITE_STATIC);
    if (sqlite3_step(insert) != SQLITE_DONE) {
        *error = QString::fromUtf8(sqlite3_errmsg(db));
        return false;
    }
    return true;
}

bool TileWriter::finish(const QString& name, const QRectF& bounds, const QString& attribution,
                        QString* error) {
    sqlite3_finalize(insert);
    insert = nullptr;
    sqlite3_stmt* meta = nullptr;
    sqlite3_prepare_v2(db, "insert or replace into metadata values (?1, ?2)", -1, &meta, nullptr);
    const QList<std::pair<QString, QString>> values = {
        {QStringLiteral("name"), name},
        {QStringLiteral("format"), QStringLiteral("png")},
        {QStringLiteral("type"), QStringLiteral("baselayer")},
        {QStringLiteral("bounds"), QStringLiteral("%1,%2,%3,%4")
                                       .arg(bounds.left())
                                       .arg(bounds.top())
                                       .arg(bounds.right())
                                       .arg(bounds.bottom())},
        {QStringLiteral("attribution"), attribution},
    };
    for (const auto& [key, value] : values) {
        if (value.isEmpty())
            continue;
        sqlite3_reset(meta);
        const QByteArray k = key.toUtf8(), v = value.toUtf8();
        sqlite3_bind_text(meta, 1, k.constData(), int(k.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(meta, 2, v.constData(), int(v.size()), SQLITE_TRANSIENT);
        sqlite3_step(meta);
    }
    sqlite3_finalize(meta);
    return exec(db,
                "insert or replace into metadata values "
                "('minzoom', (select min(zoom_level) from tiles)), "
                "('maxzoom', (select max(zoom_level) from tiles));"
                "commit",
                error);
}

QList<TileKey> tilesCovering(const QRectF& region, std::pair<int, int> zooms) {
    QList<TileKey> keys;
    for (int z = zooms.first; z <= zooms.second; ++z) {
        const int last = (1 << z) - 1;
        const int x1 = std::clamp(int(TileMath::tileX(std::max(region.left(), -180.0), z)), 0, last);
        const int x2 = std::clamp(int(TileMath::tileX(std::min(region.right(), 180.0), z)), 0, last);
        const int y1 = std::clamp(int(TileMath::tileY(region.bottom(), z)), 0, last);
        const int y2 = std::clamp(int(TileMath::tileY(region.top(), z)), 0, last);
        for (int x = x1; x <= x2; ++x)
            for (int y = y1; y <= y2; ++y)
                keys.append({z, x, y});
    }
    return keys;
}

std::optional<std::pair<int, int>> zoomRange(const QString& text, QString* why) {
    const QStringList parts = text.split(u'-');
    bool ok1 = false, ok2 = false;
    const int z1 = parts.value(0).toInt(&ok1), z2 = parts.value(1).toInt(&ok2);
    QString problem;
    if (parts.size() != 2 || !ok1 || !ok2)
        problem = QStringLiteral("--zoom \"%1\": two zoom levels Z1-Z2 are needed, such as 12-17").arg(text);
    else if (z1 < 0 || z2 > 19)
        problem = QStringLiteral("--zoom %1: zoom levels run from 0 to 19").arg(text);
    else if (z2 < z1)
        problem = QStringLiteral("--zoom %1: the first zoom level is above the last").arg(text);
    if (problem.isEmpty())
        return std::pair{z1, z2};
    if (why)
        *why = problem;
    return std::nullopt;
}

QByteArray pngOf(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

bool renderTiles(const QList<TileKey>& keys, const std::function<QByteArray(const TileKey&)>& render,
                 TileWriter& writer, QTextStream& out, QString* error) {
    const auto each = [&render](const QList<TileKey>& group) {
        QList<QByteArray> pictures;
        for (const TileKey& key : group)
            pictures.append(render(key));
        return pictures;
    };
    return renderTileGroups(keys, 0, each, writer, out, error);
}

bool renderTileGroups(const QList<TileKey>& keys, int groupShift, const GroupRenderer& render,
                      TileWriter& writer, QTextStream& out, QString* error) {
    // A batch keeps both cores busy without holding every picture of a large region in memory; it
    // holds one zoom level's tiles, so that each level can be reported done.
    constexpr qsizetype batch = 512, report = 2048;
    for (qsizetype start = 0; start < keys.size();) {
        qsizetype end = start;
        while (end < keys.size() && end - start < batch && keys[end].z == keys[start].z)
            ++end;
        QMap<std::pair<int, int>, QList<TileKey>> byGroup;
        for (qsizetype i = start; i < end; ++i)
            byGroup[{keys[i].x >> groupShift, keys[i].y >> groupShift}].append(keys[i]);
        const QList<QList<TileKey>> groups = byGroup.values();
        const QList<QList<QByteArray>> pictures = QtConcurrent::blockingMapped(groups, render);
        for (qsizetype g = 0; g < groups.size(); ++g) {
            for (qsizetype i = 0; i < groups[g].size(); ++i) {
                if (!writer.add(groups[g][i], pictures[g].value(i), error))
                    return false;
            }
        }
        const bool levelDone = end == keys.size() || keys[end].z != keys[start].z;
        if (levelDone || end / report > start / report) {
            out << "zoom " << keys[start].z << (levelDone ? " done" : "") << " (" << end << " of "
                << keys.size() << " tiles)\n";
            out.flush();
        }
        start = end;
    }
    return true;
}

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
    if (planPath.isEmpty() || outPath.isEmpty() || boundsText.isEmpty() || zoomText.isEmpty()) {
        *error = usage;
        return 2;
    }
    const auto bounds = numbersOfText(boundsText, 4);
    QString problem;
    const auto zooms = zoomRange(zoomText, &problem);
    if (!bounds)
        problem =
            QStringLiteral("--bounds \"%1\": four numbers S,W,N,E in degrees are needed").arg(boundsText);
    else if (problem.isEmpty())
        problem = boundsProblem(*bounds);
    if (!problem.isEmpty()) {
        *error = problem + u'\n' + usage;
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
    // Beyond the plan every tile would be an empty sheet.
    const QRectF drawn(QPointF(plan.west, plan.south), QPointF(plan.east, plan.north));
    const QRectF asked(QPointF((*bounds)[1], (*bounds)[0]), QPointF((*bounds)[3], (*bounds)[2]));
    if (!drawn.contains(asked)) {
        *error = QStringLiteral("--bounds %1 reach beyond the plan, which shows %2 (its data-bounds); "
                                "give bounds within it")
                     .arg(boundsText, georeference.captured(1));
        return 2;
    }

    const QRectF region(QPointF((*bounds)[1], (*bounds)[0]), QPointF((*bounds)[3], (*bounds)[2]));
    const QList<TileKey> keys = tilesCovering(region, *zooms);
    TileWriter writer;
    if (!writer.open(outPath, error))
        return 1;
    // Each thread draws with a renderer of its own.
    const auto render = [&plan](const QList<TileKey>& group) {
        thread_local std::unique_ptr<QSvgRenderer> renderer;
        thread_local const QByteArray* loaded = nullptr;
        if (!renderer || loaded != &plan.svg) {
            renderer = std::make_unique<QSvgRenderer>(plan.svg);
            loaded = &plan.svg;
        }
        return renderTileGroup(plan, *renderer, group);
    };
    const QRectF planRegion(QPointF(plan.west, plan.south), QPointF(plan.east, plan.north));
    // Groups of up to 8 x 8 tiles: a picture of 2048 x 2048 (16 MB) on each core.
    if (!renderTileGroups(keys, 3, render, writer, out, error) ||
        !writer.finish(QStringLiteral("City plan"), planRegion, {}, error))
        return 1;
    out << keys.size() << " tiles of zoom " << zooms->first << " to " << zooms->second << " written to "
        << outPath << '\n';
    return 0;
}

} // namespace Edition
