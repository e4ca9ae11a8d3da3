// Opening hours as KOpeningHours reads them for the edition's place (Vienna: Europe/Vienna, Austria's
// public holidays).

#include "catalog/OpeningHours.h"

#include <QTimeZone>
#include <gtest/gtest.h>

namespace {

const OpeningHours::Place vienna{u"Europe/Vienna"_qs, u"AT"_qs, 48.2085, 16.3721};

QDateTime local(const char* text) {
    return QDateTime(QDateTime::fromString(QString::fromLatin1(text), Qt::ISODate).date(),
                     QDateTime::fromString(QString::fromLatin1(text), Qt::ISODate).time(),
                     QTimeZone("Europe/Vienna"));
}

// "open until 2026-12-09T18:00", "closed until …", "unknown", "open" (never changes) or the error.
std::string stateAt(const char* expression, const char* when) {
    QString error;
    const auto state = OpeningHours::at(QString::fromUtf8(expression), local(when), vienna, &error);
    if (!state)
        return "error: " + error.toStdString();
    std::string text = state->kind == OpeningHours::State::Open     ? "open"
                       : state->kind == OpeningHours::State::Closed ? "closed"
                                                                    : "unknown";
    if (state->changes)
        text += " until " + state->changes->toTimeZone(QTimeZone("Europe/Vienna"))
                                .toString(u"yyyy-MM-ddTHH:mm"_qs)
                                .toStdString();
    return text;
}

// 2026-12-09 is a Wednesday; 2026-12-12 a Saturday; 2026-12-25 Christmas, a public holiday.
TEST(OpeningHours, DaysRangesAndTheMinutesOfOpeningAndClosing) {
    EXPECT_EQ(stateAt("Mo-Fr 09:00-18:00", "2026-12-09T10:00"), "open until 2026-12-09T18:00");
    EXPECT_EQ(stateAt("Mo-Fr 09:00-18:00", "2026-12-09T17:59"), "open until 2026-12-09T18:00");
    EXPECT_EQ(stateAt("Mo-Fr 09:00-18:00", "2026-12-09T18:00"), "closed until 2026-12-10T09:00");
    EXPECT_EQ(stateAt("Mo-Fr 09:00-18:00", "2026-12-09T08:59"), "closed until 2026-12-09T09:00");
    EXPECT_EQ(stateAt("Mo-Fr 09:00-18:00", "2026-12-09T09:00"), "open until 2026-12-09T18:00");
    // A list of days, several ranges a day.
    EXPECT_EQ(stateAt("Mo,We,Fr 10:00-12:00,14:00-18:00", "2026-12-09T13:00"),
              "closed until 2026-12-09T14:00");
    EXPECT_EQ(stateAt("Mo,We,Fr 10:00-12:00,14:00-18:00", "2026-12-10T11:00"),
              "closed until 2026-12-11T10:00");
    EXPECT_EQ(stateAt("24/7", "2026-12-09T03:00"), "open");
}

TEST(OpeningHours, OffMeansClosedAndHolidaysAreTheCountrys) {
    // "Su,PH off" is closed on Sunday, not open all day.
    EXPECT_EQ(stateAt("Mo-Sa 10:00-19:00; Su,PH off", "2026-12-13T12:00"), "closed until 2026-12-14T10:00");
    // Christmas (Friday) and St Stephen's Day (Saturday) are Austrian holidays: closed till Monday.
    EXPECT_EQ(stateAt("Mo-Sa 10:00-19:00; Su,PH off", "2026-12-25T12:00"), "closed until 2026-12-28T10:00");
    EXPECT_EQ(stateAt("Mo-Sa 10:00-19:00; Su,PH off", "2026-12-12T12:00"), "open until 2026-12-12T19:00");
    // A date rule overrides the days.
    EXPECT_EQ(stateAt("Mo-Su 08:00-20:00; Dec 24 off", "2026-12-24T10:00"), "closed until 2026-12-25T08:00");
}

TEST(OpeningHours, ARangeAcrossMidnightBelongsToTheNightItBegins) {
    // Open from Friday and Saturday 22:00 into the small hours of Saturday and Sunday.
    EXPECT_EQ(stateAt("Fr-Sa 22:00-03:00", "2026-12-12T01:00"), "open until 2026-12-12T03:00");
    EXPECT_EQ(stateAt("Fr-Sa 22:00-03:00", "2026-12-13T01:00"), "open until 2026-12-13T03:00");
    EXPECT_EQ(stateAt("Fr-Sa 22:00-03:00", "2026-12-14T01:00"), "closed until 2026-12-18T22:00");
}

TEST(OpeningHours, DaylightSavingTimeIsTheEditionsAndBadExpressionsAreNamed) {
    // Summer time begins on 2027-03-28 at 02:00: the opening at 08:00 is 08:00 of the new time.
    EXPECT_EQ(stateAt("Mo-Su 08:00-20:00", "2027-03-28T01:30"), "closed until 2027-03-28T08:00");
    const auto state = OpeningHours::at(u"Mo-Su 08:00-20:00"_qs, local("2027-03-28T01:30"), vienna);
    ASSERT_TRUE(state && state->changes);
    EXPECT_EQ(state->changes->toUTC().toString(Qt::ISODate), u"2027-03-28T06:00:00Z"_qs);
    EXPECT_EQ(stateAt("sometimes", "2026-12-09T10:00"), "error: SyntaxError");
    EXPECT_EQ(stateAt("Mo-Fx 09:00-18:00", "2026-12-09T10:00"), "error: SyntaxError");
    EXPECT_EQ(stateAt("Mo-Fr 09:00-", "2026-12-09T10:00"), "error: SyntaxError");
}

// What the detail page says, at the time given.
std::string textAt(const char* expression, const char* when) {
    const auto state = OpeningHours::at(QString::fromUtf8(expression), local(when), vienna);
    return state ? OpeningHours::stateText(*state, local(when)).toStdString() : "error";
}

TEST(OpeningHours, TheStateIsToldWithItsNextChange) {
    EXPECT_EQ(textAt("Mo-Fr 09:00-18:00", "2026-12-09T10:00"), "Open now · until 18:00");
    // The last hour counts down, to the minute (rounded up) and on the hour itself.
    EXPECT_EQ(textAt("Mo-Fr 09:00-18:00", "2026-12-09T17:00"), "Closes in 60 min");
    EXPECT_EQ(textAt("Mo-Fr 09:00-18:00", "2026-12-09T16:59"), "Open now · until 18:00");
    EXPECT_EQ(textAt("Mo-Fr 09:00-18:00", "2026-12-09T17:40"), "Closes in 20 min");
    EXPECT_EQ(textAt("Mo-Fr 09:00-18:00", "2026-12-09T08:30"), "Closed · opens in 30 min");
    // Friday evening: the next opening is on Monday, named by its day.
    EXPECT_EQ(textAt("Mo-Fr 09:00-18:00", "2026-12-11T19:00"), "Closed · opens Mon 09:00");
    // Later the same day: the time alone; the next morning: its day.
    EXPECT_EQ(textAt("Mo-Fr 09:00-12:00,14:00-18:00", "2026-12-09T12:30"), "Closed · opens 14:00");
    EXPECT_EQ(textAt("Mo-Fr 09:00-18:00", "2026-12-09T22:00"), "Closed · opens Thu 09:00");
    // A bar closing after midnight closes "until 03:00", not on a named day.
    EXPECT_EQ(textAt("Fr-Sa 22:00-03:00", "2026-12-11T23:00"), "Open now · until 03:00");
    // Open across days closes on a named day.
    EXPECT_EQ(textAt("Mo-Fr 00:00-24:00", "2026-12-07T10:00"), "Open now · until Sat 00:00");
    EXPECT_EQ(textAt("24/7", "2026-12-09T03:00"), "Open 24 hours");
    EXPECT_EQ(textAt("off", "2026-12-09T03:00"), "Closed");
    EXPECT_EQ(textAt("Mo-Fr 09:00-18:00 unknown", "2026-12-09T10:00"), "");
}

TEST(OpeningHours, AZonesCountryGivesTheHolidays) {
    const OpeningHours::Place vaduz = OpeningHours::placeOfZone(u"Europe/Vaduz"_qs);
    EXPECT_EQ(vaduz.timeZone, u"Europe/Vaduz"_qs);
    EXPECT_EQ(vaduz.region, u"LI"_qs);
    EXPECT_EQ(OpeningHours::placeOfZone(u"Europe/Vienna"_qs).region, u"AT"_qs);
    // An unknown zone is the device's own, never an invalid one.
    EXPECT_EQ(OpeningHours::placeOfZone(u"Mars/Olympus"_qs).timeZone,
              QString::fromUtf8(QTimeZone::systemTimeZoneId()));
}

} // namespace
