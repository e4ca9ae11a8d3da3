// The facts an edition takes from its country, and the telephone plans its numbers are read by.

#include "tools/edition/CountryFacts.h"

#include <gtest/gtest.h>

namespace {

TEST(CountryFacts, ACountryGivesItsMoneyCallingCodeDomainAndZone) {
    const auto li = Edition::countryFacts(u"li"_qs, 47.141, 9.521);
    ASSERT_TRUE(li);
    EXPECT_EQ(li->region, u"LI"_qs);
    EXPECT_EQ(li->currency, u"CHF"_qs);
    EXPECT_EQ(li->currencyIssuer, u"CH"_qs);
    EXPECT_EQ(li->callingCode, u"+423"_qs);
    EXPECT_EQ(li->internetCode, u".li"_qs);
    EXPECT_EQ(li->timeZone, u"Europe/Vaduz"_qs);
    EXPECT_EQ(li->timeZoneShown, u"CET/CEST"_qs);

    const auto at = Edition::countryFacts(u"AT"_qs, 48.2, 16.37);
    ASSERT_TRUE(at);
    EXPECT_EQ(at->currency, u"EUR"_qs);
    EXPECT_EQ(at->currencyIssuer, u"EU"_qs);
    EXPECT_EQ(at->callingCode, u"+43"_qs);

    // The one domain that is not the country's code.
    const auto gb = Edition::countryFacts(u"GB"_qs, 51.5, -0.12);
    ASSERT_TRUE(gb);
    EXPECT_EQ(gb->internetCode, u".uk"_qs);
    EXPECT_EQ(gb->timeZoneShown, u"GMT/BST"_qs);

    // A country of several zones: the zone of the nearest principal place.
    EXPECT_EQ(Edition::countryFacts(u"US"_qs, 40.71, -74.0)->timeZone, u"America/New_York"_qs);
    EXPECT_EQ(Edition::countryFacts(u"US"_qs, 34.05, -118.24)->timeZone, u"America/Los_Angeles"_qs);
    EXPECT_EQ(Edition::countryFacts(u"US"_qs, 40.71, -74.0)->timeZoneShown, u"EST/EDT"_qs);

    for (const QString& none : {u"XX"_qs, u"L"_qs, u""_qs, u"LIE"_qs})
        EXPECT_FALSE(Edition::countryFacts(none, 0, 0)) << none.toStdString();
}

TEST(CountryFacts, CallingCodesAndNumbersAreReadByTheTelephonePlans) {
    EXPECT_EQ(Edition::regionOfCallingCode(u"+43"_qs), u"AT"_qs);
    EXPECT_EQ(Edition::regionOfCallingCode(u"0043"_qs), u"AT"_qs);
    EXPECT_EQ(Edition::regionOfCallingCode(u" 423 "_qs), u"LI"_qs);
    EXPECT_EQ(Edition::regionOfCallingCode(u"+1"_qs), u"US"_qs);
    for (const QString& none : {u"+999"_qs, u"+0"_qs, u"CET"_qs, u""_qs})
        EXPECT_EQ(Edition::regionOfCallingCode(none), QString()) << none.toStdString();

    // International numbers stand as they are; national ones are read in the edition's plan.
    EXPECT_EQ(Edition::phoneProblem(u"+43 1 555 0124"_qs, u"AT"_qs), QString());
    EXPECT_EQ(Edition::phoneProblem(u"+43 1 555 0124"_qs, u"LI"_qs), QString());
    EXPECT_EQ(Edition::phoneProblem(u"01 555 0124"_qs, u"AT"_qs), QString());
    EXPECT_EQ(Edition::phoneProblem(u"235 12 34"_qs, u"LI"_qs), QString());
    EXPECT_EQ(Edition::phoneProblem(u"235 12 34"_qs, u"AT"_qs),
              u"no number of the telephone plan of AT (+43)"_qs);
    // Without a country, a national number cannot be told right or wrong; an international one can.
    EXPECT_EQ(Edition::phoneProblem(u"01 555 0124"_qs, QString()), QString());
    EXPECT_EQ(Edition::phoneProblem(u"+423 111 22 33"_qs, QString()),
              u"no number of the telephone plan of LI (+423)"_qs);
    EXPECT_EQ(Edition::phoneProblem(u"www.example.org"_qs, u"AT"_qs), u"not a phone number"_qs);
    EXPECT_EQ(Edition::phoneProblem(u"+43 1"_qs, u"AT"_qs), u"too short for a phone number"_qs);
    EXPECT_EQ(Edition::phoneProblem(u"+999 1 555 0124"_qs, u"AT"_qs),
              u"of no country: no country has its calling code"_qs);
}

} // namespace
