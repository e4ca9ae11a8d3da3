#include "platform/ShakeDetector.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace {

constexpr double g = 9.81;
constexpr double pi = 3.141592653589793;

// Feeds 100 readings a second from `from` to `to` seconds; the times (in ms) at which a shake was told.
std::vector<qint64> feed(ShakeDetector& detector, double from, double to,
                         const std::function<std::array<double, 3>(double)>& motion) {
    std::vector<qint64> shakes;
    for (double t = from; t < to; t += 0.01) {
        const auto [x, y, z] = motion(t);
        if (detector.add(x, y, z, qint64(std::lround(t * 1000))))
            shakes.push_back(qint64(std::lround(t * 1000)));
    }
    return shakes;
}

TEST(ShakeDetector, AShortStrongBackAndForthIsAShakeAndOnlyOne) {
    ShakeDetector detector;
    // The phone held flat, then shaken left and right five times a second for 0.6 s, twice.
    auto motion = [](double t) -> std::array<double, 3> {
        const bool shaking = (t > 1 && t < 1.6) || (t > 1.7 && t < 2.3) || (t > 4 && t < 4.6);
        return {shaking ? 20 * std::sin(2 * pi * 5 * t) : 0.0, 0.0, g};
    };
    const std::vector<qint64> shakes = feed(detector, 0, 6, motion);
    // The second burst follows too soon after the first to count again; the third counts.
    ASSERT_EQ(shakes.size(), 2u);
    EXPECT_GT(shakes[0], 1000);
    EXPECT_LT(shakes[0], 1600);
    EXPECT_GT(shakes[1], 4000);
}

TEST(ShakeDetector, AWalkABumpAndATurnAreNoShake) {
    ShakeDetector walking;
    // Two steps a second for ten seconds: the phone bobs and sways in the reader's hand.
    EXPECT_TRUE(feed(walking, 0, 10, [](double t) -> std::array<double, 3> {
                    return {2.5 * std::sin(2 * pi * 1 * t), 1.0 * std::cos(2 * pi * 2 * t),
                            g + 5 * std::sin(2 * pi * 2 * t)};
                }).empty());
    ShakeDetector bump;
    // The phone knocked once against a table.
    EXPECT_TRUE(feed(bump, 0, 3, [](double t) -> std::array<double, 3> {
                    return {0.0, t > 1 && t < 1.03 ? 30.0 : 0.0, g};
                }).empty());
    ShakeDetector turn;
    // Turned from flat to upright in half a second: gravity moves from z to y.
    EXPECT_TRUE(feed(turn, 0, 3, [](double t) -> std::array<double, 3> {
                    const double a = std::clamp(t - 1, 0.0, 0.5) / 0.5 * pi / 2;
                    return {0.0, g * std::sin(a), g * std::cos(a)};
                }).empty());
}

} // namespace
