#include "catalog/Venue.h"
#include "platform/UserDefaults.h"

#include <gtest/gtest.h>

namespace {

TEST(VenueDistance, TextsInBothUnitSystems) {
    struct Case {
        double metres;
        bool imperial;
        const char* text;
    } cases[] = {
        {999.6, false, "1000m"},  {999.5, false, "1000m"},    {998.5, false, "999m"},
        {1000, false, "1000m"},   {1000.01, false, "1.00km"}, {1234, false, "1.23km"},
        {1500, false, "1.50km"},  {0, false, "0m"},           {100, true, "328ft"},
        {300, true, "984ft"},     {2000, true, "1.24mile"},   {1609.344, true, "5280ft"},
        {1610, true, "1.00mile"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(distanceText(c.metres, c.imperial).toStdString(), c.text)
            << c.metres << (c.imperial ? " imperial" : "");
}

TEST(VenueDistance, FillsTextAndSortKeyFromTheReadersPosition) {
    Venue stephansdom =
        Venue::initWithVenue(u"Stephansdom"_qs, {}, {}, 48.208493, 16.373118, {}, {}, {}, {}, {}, 1, true);
    Venue noPosition =
        Venue::initWithVenue(u"Nowhere"_qs, {}, {}, 0, 16.37, u"stale"_qs, {}, {}, {}, {}, 2, false);
    noPosition.venueRealDistance = 5;
    VenueList venues{stephansdom, noPosition};

    // Staatsoper to Stephansdom: about 700 m on the great circle.
    fillDistances(venues, 48.202778, 16.369167, false);
    EXPECT_NEAR(venues[0].venueRealDistance, 705, 25);
    EXPECT_TRUE(venues[0].venueDistance.endsWith(u"m"_qs));
    EXPECT_TRUE(venues[1].venueDistance.isEmpty());
    EXPECT_EQ(venues[1].venueRealDistance, 0);

    fillDistances(venues, 48.202778, 16.369167, true);
    EXPECT_NEAR(venues[0].venueRealDistance, 705 / 0.3048, 80);
    EXPECT_TRUE(venues[0].venueDistance.endsWith(u"ft"_qs));
}

TEST(VenueDistance, UnitsComeFromTheDistancePreference) {
    UserDefaults& defaults = UserDefaults::standardUserDefaults();
    defaults.useMemoryStore();
    EXPECT_FALSE(distanceIsImperial());
    defaults.setObject(u"distance"_qs, u"1"_qs);
    EXPECT_TRUE(distanceIsImperial());
    defaults.setObject(u"distance"_qs, u"0"_qs);
    EXPECT_FALSE(distanceIsImperial());
    defaults.setObject(u"distance"_qs, u"imperial"_qs); // not a number: reads as 0
    EXPECT_FALSE(distanceIsImperial());
    defaults.useMemoryStore();
}

} // namespace
