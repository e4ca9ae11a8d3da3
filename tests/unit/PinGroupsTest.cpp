// Pins gathered when they would overlap on the screen.

#include "ui/PinGroups.h"

#include <QLineF>
#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

QList<QList<int>> members(const QList<PinGroups::Group>& groups) {
    QList<QList<int>> result;
    for (const PinGroups::Group& group : groups)
        result.append(group.members);
    return result;
}

TEST(PinGroups, PinsNearerThanTheDistanceToAGroupsFirstPinJoinIt) {
    // 27.9 points apart: one group at their middle; 28 points: two pins, on both sides of every axis.
    auto near = PinGroups::group({{100, 100}, {127.9, 100}}, 28);
    ASSERT_EQ(members(near), (QList<QList<int>>{{0, 1}}));
    EXPECT_EQ(near[0].point, QPointF(113.95, 100));
    EXPECT_EQ(members(PinGroups::group({{100, 100}, {128, 100}}, 28)), (QList<QList<int>>{{0}, {1}}));
    EXPECT_EQ(members(PinGroups::group({{-100, -100}, {-100, -127.9}}, 28)), (QList<QList<int>>{{0, 1}}));
    EXPECT_EQ(members(PinGroups::group({{-100, -100}, {-80, -81}}, 28)), (QList<QList<int>>{{0, 1}}));
    EXPECT_EQ(members(PinGroups::group({{-100, -100}, {-80, -79}}, 28)), (QList<QList<int>>{{0}, {1}}));
    // A chain does not grow a group past its first pin's reach: the third is 40 points from it.
    EXPECT_EQ(members(PinGroups::group({{0, 0}, {20, 0}, {40, 0}}, 28)), (QList<QList<int>>{{0, 1}, {2}}));
}

TEST(PinGroups, APinKeptAloneNeitherJoinsNorGathers) {
    EXPECT_EQ(members(PinGroups::group({{0, 0}, {5, 0}, {6, 0}}, 28, {0})),
              (QList<QList<int>>{{0}, {1, 2}}));
    EXPECT_EQ(members(PinGroups::group({{0, 0}, {5, 0}, {6, 0}}, 28, {1})),
              (QList<QList<int>>{{0, 2}, {1}}));
}

// At the deepest zoom ten pins of one place and a pin beside them each stand alone, a finger apart.
TEST(PinGroups, SpreadPinsStandAFingerApart) {
    QList<QPointF> points(10, QPointF(500, 500));
    points.append(QPointF(510, 500));
    const QList<PinGroups::Group> spread = PinGroups::spread(PinGroups::group(points, 28), 28);
    ASSERT_EQ(spread.size(), 11);
    // The first stands at the group's place, the mean of the eleven.
    EXPECT_EQ(spread[0].point, QPointF(5510.0 / 11, 500));
    QList<int> seen(11, 0);
    for (int a = 0; a < spread.size(); ++a) {
        ++seen[spread[a].members.value(0)];
        EXPECT_EQ(spread[a].members.size(), 1);
        for (int b = a + 1; b < spread.size(); ++b)
            EXPECT_GE(QLineF(spread[a].point, spread[b].point).length(), 28 - 1e-9);
        // None further from the place than two rings.
        EXPECT_LE(QLineF(spread[a].point, QPointF(5510.0 / 11, 500)).length(), 2 * 28 + 1e-9);
    }
    EXPECT_EQ(seen, QList<int>(11, 1));
}

// Five thousand pins: every pin in exactly one group, no group's pin beyond its reach, the same
// groups each time.
TEST(PinGroups, EveryPinIsInOneGroupAndTheGroupsAreAlwaysTheSame) {
    QRandomGenerator random(2812);
    QList<QPointF> points;
    for (int i = 0; i < 5000; ++i)
        points.append({random.bounded(2000.0), random.bounded(3000.0)});
    const QList<PinGroups::Group> groups = PinGroups::group(points, 28);
    QList<int> seen(points.size(), 0);
    for (const PinGroups::Group& group : groups) {
        for (int member : group.members) {
            ++seen[member];
            const QPointF by = points[member] - points[group.members.first()];
            EXPECT_LT(std::hypot(by.x(), by.y()), 28.0);
        }
    }
    EXPECT_EQ(seen, QList<int>(points.size(), 1));
    EXPECT_EQ(members(PinGroups::group(points, 28)), members(groups));
    EXPECT_LT(groups.size(), 5000);
}

} // namespace
