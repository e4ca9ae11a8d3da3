#pragma once

#include <QString>

// How stored texts are read as numbers and flags, the same way everywhere in the guide.

// Leading blanks, an optional sign, then digits; anything else ends the number. No digits: 0.
int intValueOfText(const QString& text);

// Leading blanks, optional sign, leading zeros, then "Y", "y", "T", "t" or a digit 1 to 9.
bool boolValueOfText(const QString& text);

// Trims white space and line breaks at both ends (the platform's white-space-and-newline class).
QString trimmedText(const QString& text);
