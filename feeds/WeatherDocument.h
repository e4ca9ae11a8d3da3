#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// The weather document: a "current_condition" element, then one "weather" element per day. Inside
// each, every piece of character data is a numbered position, from 0, as the feed lays them out.
namespace WeatherReader {

struct Element {
    QString name; // "current_condition" or "weather"
    QStringList positions;
};

// None (with *error) when the bytes are not a well-formed document.
std::optional<QList<Element>> read(const QByteArray& bytes, QString* error = nullptr);

// One row of the page, texts ready to show. `day` is empty for the current condition.
struct Entry {
    bool current = false;
    QString day;                         // "EEE" in the device's language
    QString temperature, temperatureMin; // the day's maximum and minimum
    QString imageAddress, description;
    QString windSpeed, windDirection, humidity; // of the current condition only
    // The text after the last "/" of the image address.
    QString imageName() const;
};

// The rows, in the reader's units: temperature in Fahrenheit and wind in miles/h when the preference
// is non-zero. An element with too few positions, or a day that is no "yyyy-MM-dd" date, is left out.
QList<Entry> entries(const QList<Element>& elements, bool fahrenheit, bool miles);

} // namespace WeatherReader
