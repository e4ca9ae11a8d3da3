#pragma once

#include <QString>

#include <optional>

// What well-kept libraries know of a country, for the city facts an edition shows: ICU its currency and
// time zones, libphonenumber its calling code, the time zone database where its zones lie.
namespace Edition {

struct CountryFacts {
    QString region;         // ISO 3166-1 alpha-2, as "LI"
    QString currency;       // ISO 4217, as "CHF"
    QString currencySymbol; // as the country writes it, as "CHF" or "€"
    QString currencyIssuer; // the country (or "EU") whose flag the currency row shows, as "CH"
    QString callingCode;    // as "+423"
    QString internetCode;   // the country's top-level domain, as ".li"
    QString timeZone;       // the IANA zone of the place, as "Europe/Vaduz"
    QString timeZoneShown;  // its short names in winter and in summer, as "CET/CEST"
};

// The facts of REGION (two letters of ISO 3166-1, either case) for a city at the position: a country of
// several zones gets the zone whose principal place lies nearest. Nothing for a code no country has.
std::optional<CountryFacts> countryFacts(const QString& region, double latitude, double longitude);

// The country whose calling code CODE ("+43", "0043" or "43") is, as "AT"; the country listed first for
// a code that several share ("+1": "US"); empty for no calling code.
QString regionOfCallingCode(const QString& code);

// Why NUMBER is no phone number one can dial in REGION's telephone plan (an international number is
// read as it stands), or empty; the reason reads after "is": "not a phone number", "too short for a
// phone number", "no number of the telephone plan of AT (+43)".
QString phoneProblem(const QString& number, const QString& region);

} // namespace Edition
