#pragma once

#include <QList>
#include <QPointF>
#include <QSet>

// Pins that would lie on top of each other on the screen, gathered into groups that a finger can
// touch one at a time.
namespace PinGroups {

struct Group {
    QPointF point;      // where its marker stands: the mean of its members' points
    QList<int> members; // the pins' indexes, in their order
};

// Groups the pins at their points (in the points of the current zoom): a pin nearer than `distance`
// to a group's first pin joins that group. The pins in `alone` neither join a group nor gather
// others. Groups come in the order of their first pins; the same points always give the same groups.
QList<Group> group(const QList<QPointF>& points, double distance, const QSet<int>& alone = {});

// Where groups cannot part (the deepest zoom), every pin stands alone instead: each at its group's
// place or the nearest free spot around it, no two nearer than `spacing`.
QList<Group> spread(const QList<Group>& groups, double spacing);

} // namespace PinGroups
