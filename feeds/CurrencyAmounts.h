#pragma once

#include "feeds/ReferenceRates.h"

#include <QString>
#include <QStringList>
#include <optional>

// The converter's amounts: one per currency of `currencies` (entries "name:symbol:flag"), all
// expressing one sum of money.
namespace CurrencyAmounts {

// From the rates: the euro 1.0 at its own place, every other currency its rate per euro. None when a
// currency has no rate; *log then says why, as the page logs it.
std::optional<QStringList> fromRates(const QStringList& currencies, const ReferenceRates& rates,
                                     QStringList* log = nullptr);
// From the stored "name:amount~name:amount" text, when it lines up with the currencies (same count,
// same names, numbers); else none.
std::optional<QStringList> fromStored(const QStringList& currencies, const QString& stored);
// The amounts after the reader typed `typed` into row k: every other row scaled, row k the typed sum.
// A typed sum of 0.02 or less counts as 0.02. `fresh` are the amounts for one euro, used when row
// k's old amount is not a positive number to scale from.
QStringList scaled(const QStringList& amounts, int k, double typed, const QStringList& fresh);
// "EUR:3.92157~SEK:100~USD:4.90196": each name with its amount as the shortest text that reads back.
QString stored(const QStringList& currencies, const QStringList& amounts);
// Two decimals, "." separator, no grouping.
QString formatted(double amount);
// The typed text as a number: digits with at most one "." (a text that does not read is 0).
double parsed(const QString& text);
// The name of a currency entry: its first ":"-field.
QString nameOf(const QString& entry);

} // namespace CurrencyAmounts
