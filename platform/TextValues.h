#pragma once

#include <QList>
#include <QString>
#include <optional>

// How stored texts are read as numbers and flags, the same way everywhere in the guide.

// Leading blanks, an optional sign, then digits; anything else ends the number. No digits: 0.
int intValueOfText(const QString& text);

// Leading blanks, optional sign, leading zeros, then "Y", "y", "T", "t" or a digit 1 to 9.
bool boolValueOfText(const QString& text);

// Trims white space and line breaks at both ends (the platform's white-space-and-newline class).
QString trimmedText(const QString& text);

// Exactly `count` decimal numbers separated by "," ("16.2,48.1,16.5,48.3"), or none.
std::optional<QList<double>> numbersOfText(const QString& text, int count);

// A length in seconds as minutes and two-digit seconds: 125 gives "2:05". A feed without a length
// gives 0: no text, rather than a clip of no length.
QString minutesAndSeconds(int seconds);

// The text as search compares it: case folded, accents and other marks dropped, "ß" as "ss", one
// character at a time, so that a text contained in another stays contained once both are folded
// ("Schönbrunn", "SCHONBRUNN" and "schonbrunn" all fold to "schonbrunn").
QString searchFolded(const QString& text);
