#pragma once

#include <QString>
#include <QVariant>
#include <optional>

// Property lists (XML or binary) as Qt values: dictionaries become QVariantMap, arrays QVariantList,
// strings QString, reals double, integers qint64, booleans bool, dates QDateTime, data QByteArray.
namespace PropertyList {

// None when the file is missing or is no property list; *error then says why.
std::optional<QVariant> readFile(const QString& path, QString* error = nullptr);
std::optional<QVariant> fromBytes(const QByteArray& bytes, QString* error = nullptr);

// The XML form of the value (maps, lists, strings, numbers, booleans).
QByteArray toXml(const QVariant& value);

// Replaces the file at once or not at all.
bool writeFileAtomically(const QString& path, const QVariant& value, QString* error = nullptr);

} // namespace PropertyList
