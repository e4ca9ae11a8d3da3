#include "ui/PinGroups.h"

#include <QHash>

#include <algorithm>
#include <cmath>

namespace PinGroups {

namespace {

// A square of the grid the pins are sorted into, as one number.
qint64 cellKey(qint64 column, qint64 row) {
    return (column << 32) ^ (row & 0xffffffff);
}

// The column and row of the square, as wide as `side`, that holds the point.
std::pair<qint64, qint64> cellOf(const QPointF& point, double side) {
    return {qint64(std::floor(point.x() / side)), qint64(std::floor(point.y() / side))};
}

} // namespace

QList<Group> group(const QList<QPointF>& points, double distance, const QSet<int>& alone) {
    // Each pin goes into a square of the grid as wide as the distance: a pin's neighbours are then in
    // its own square and the eight around it.
    QHash<qint64, QList<int>> cells;
    cells.reserve(points.size());
    for (int i = 0; i < points.size(); ++i) {
        if (!alone.contains(i)) {
            const auto [column, row] = cellOf(points[i], distance);
            cells[cellKey(column, row)].append(i);
        }
    }
    QList<bool> taken(points.size(), false);
    QList<Group> groups;
    const double reach = distance * distance;
    for (int i = 0; i < points.size(); ++i) {
        if (taken[i])
            continue;
        taken[i] = true;
        Group found{points[i], {i}};
        if (!alone.contains(i)) {
            const auto [column, row] = cellOf(points[i], distance);
            QPointF sum = points[i];
            for (qint64 dx = -1; dx <= 1; ++dx) {
                for (qint64 dy = -1; dy <= 1; ++dy) {
                    const auto cell = cells.constFind(cellKey(column + dx, row + dy));
                    if (cell == cells.constEnd())
                        continue;
                    for (int j : *cell) {
                        const QPointF by = points[j] - points[i];
                        if (taken[j] || by.x() * by.x() + by.y() * by.y() >= reach)
                            continue;
                        taken[j] = true;
                        found.members.append(j);
                        sum += points[j];
                    }
                }
            }
            std::sort(found.members.begin(), found.members.end());
            found.point = sum / double(found.members.size());
        }
        groups.append(found);
    }
    return groups;
}

QList<Group> spread(const QList<Group>& groups, double spacing) {
    QHash<qint64, QList<QPointF>> placed;
    auto isFree = [&](const QPointF& point) {
        const auto [column, row] = cellOf(point, spacing);
        for (qint64 dx = -1; dx <= 1; ++dx) {
            for (qint64 dy = -1; dy <= 1; ++dy) {
                for (const QPointF& other : placed.value(cellKey(column + dx, row + dy))) {
                    const QPointF by = other - point;
                    if (by.x() * by.x() + by.y() * by.y() < spacing * spacing)
                        return false;
                }
            }
        }
        return true;
    };
    // The spots around a place: the place itself, then rings of 6, 12, 18 ... spots a spacing apart.
    auto freeSpotNear = [&](const QPointF& centre) {
        for (int ring = 0;; ++ring) {
            const int spots = std::max(1, 6 * ring);
            for (int k = 0; k < spots; ++k) {
                const double angle = 2 * M_PI * k / spots - M_PI / 2;
                const QPointF spot = centre + ring * spacing * QPointF(std::cos(angle), std::sin(angle));
                if (isFree(spot))
                    return spot;
            }
        }
    };
    QList<Group> alone;
    for (const Group& group : groups) {
        for (int member : group.members) {
            const QPointF spot = freeSpotNear(group.point);
            const auto [column, row] = cellOf(spot, spacing);
            placed[cellKey(column, row)].append(spot);
            alone.append({spot, {member}});
        }
    }
    return alone;
}

} // namespace PinGroups
