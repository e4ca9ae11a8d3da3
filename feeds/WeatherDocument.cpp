#include "feeds/WeatherDocument.h"

#include "feeds/SafeXml.h"

#include <QDate>
#include <QLocale>

namespace WeatherReader {

std::optional<QList<Element>> read(const QByteArray& bytes, QString* error) {
    QList<Element> elements;
    QString results;
    bool recording = false;
    const bool ok = SafeXml::read(
        bytes,
        [&](const SafeXml::Node& node) {
            const bool ours = node.name == u"current_condition" || node.name == u"weather";
            if (node.kind == SafeXml::Node::StartElement && ours) {
                recording = true;
            } else if (node.kind == SafeXml::Node::Text && recording) {
                results += node.text + u',';
            } else if (node.kind == SafeXml::Node::EndElement && ours) {
                recording = false;
                elements.append({node.name, results.split(u',')});
                results.clear();
            }
        },
        error);
    if (!ok)
        return std::nullopt;
    return elements;
}

QString Entry::imageName() const {
    return imageAddress.section(u'/', -1);
}

QList<Entry> entries(const QList<Element>& elements, bool fahrenheit, bool miles) {
    const int temp = fahrenheit ? 1 : 0;
    const int distance = miles ? 1 : 0;
    QList<Entry> result;
    for (const Element& element : elements) {
        const QStringList& p = element.positions;
        Entry entry;
        if (element.name == u"current_condition") {
            if (p.size() < 12)
                continue;
            entry.current = true;
            entry.temperature = p[1 + temp];
            entry.imageAddress = p[4];
            entry.description = p[5];
            entry.windSpeed = p[7 - distance];
            entry.windDirection = p[9];
            entry.humidity = p[11];
        } else {
            if (p.size() < 13)
                continue;
            const QDate date = QDate::fromString(p[0], QStringLiteral("yyyy-MM-dd"));
            if (!date.isValid())
                continue;
            entry.day = QLocale().toString(date, QStringLiteral("ddd"));
            entry.temperature = p[1 + temp];
            entry.temperatureMin = p[3 + temp];
            entry.imageAddress = p[11];
            entry.description = p[12];
        }
        result.append(entry);
    }
    return result;
}

} // namespace WeatherReader
