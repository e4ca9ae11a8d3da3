#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <optional>

// The euro reference rates: every element named "Cube" counts; its "time" attribute (longer than one
// character) is the rates' date, and one with both "currency" and "rate" (two characters or more)
// is a rate in units per euro. Nesting, namespaces and everything else are ignored.
struct ReferenceRates {
    QStringList times;                    // in document order; the first is the date
    QList<QPair<QString, QString>> rates; // (code, rate text), in document order
};

namespace ReferenceRateReader {

// None (with *error) when the bytes are not a well-formed document.
std::optional<ReferenceRates> read(const QByteArray& bytes, QString* error = nullptr);

// The head every stored copy carries in place of the bank's own: everything up to and including the
// first "<Cube>" of the downloaded text is replaced by it. None when the text holds no "<Cube>".
std::optional<QString> withStoredHead(const QString& downloaded);
extern const char* const storedHead;

} // namespace ReferenceRateReader
