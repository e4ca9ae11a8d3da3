#include "feeds/ReferenceRates.h"

#include "feeds/SafeXml.h"

namespace ReferenceRateReader {

const char* const storedHead =
    "<gesmes:Envelope><gesmes:subject>Reference rates</gesmes:subject><gesmes:Sender>"
    "<gesmes:name>European Central Bank</gesmes:name></gesmes:Sender><Cube>";

std::optional<ReferenceRates> read(const QByteArray& bytes, QString* error) {
    ReferenceRates result;
    const bool ok = SafeXml::read(
        bytes,
        [&result](const SafeXml::Node& node) {
            if (node.kind != SafeXml::Node::StartElement || node.name != u"Cube")
                return;
            const QString time = node.attribute("time");
            if (time.size() > 1)
                result.times.append(time);
            const QString currency = node.attribute("currency");
            const QString rate = node.attribute("rate");
            if (currency.size() >= 2 && rate.size() >= 2)
                result.rates.append({currency, rate});
        },
        error);
    if (!ok)
        return std::nullopt;
    return result;
}

std::optional<QString> withStoredHead(const QString& downloaded) {
    const qsizetype cube = downloaded.indexOf(QStringLiteral("<Cube>"));
    if (cube < 0)
        return std::nullopt;
    return QString::fromLatin1(storedHead) + downloaded.mid(cube + 6);
}

} // namespace ReferenceRateReader
