#include "tools/edition/Edition.h"

#include "feeds/CurrencyAmounts.h"
#include "feeds/ReferenceRates.h"
#include "feeds/WeatherDocument.h"
#include "model/DAO.h"
#include "model/ManagerModel.h"
#include "platform/HttpClient.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

const QString usage =
    QStringLiteral("usage: cityguide-edition feed currency|weather FILE-OR-URL [--temp 1] [--distance 1] "
                   "[--edition DIR]");

// The document at a web address (through the guide's own HTTP client) or in a file.
std::optional<QByteArray> fetch(const QString& where, QString* error) {
    const QUrl url(where);
    if (url.scheme() == u"http" || url.scheme() == u"https") {
        QEventLoop loop;
        std::optional<QByteArray> body;
        HttpClient::Request request;
        request.url = url;
        HttpClient::get(request, nullptr, [&](const HttpResponse& response) {
            if (response.ok())
                body = response.body;
            else
                *error = where + QStringLiteral(": ") + response.errorText;
            loop.quit();
        });
        loop.exec();
        return body;
    }
    QFile file(where);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = where + QStringLiteral(": ") + file.errorString();
        return std::nullopt;
    }
    return file.readAll();
}

QJsonObject currencyRows(const QByteArray& document, const QString& edition, QString* error) {
    QString why;
    const std::optional<ReferenceRates> rates = ReferenceRateReader::read(document, &why);
    if (!rates) {
        *error = QStringLiteral("the document cannot be read: ") + why;
        return {};
    }
    QStringList currencies;
    if (!edition.isEmpty()) {
        const auto row = DAO::dataRow(edition + QStringLiteral("/manager.csv"));
        currencies = ManagerModel::listEntries(row.value_or(QStringList()).value(19));
    } else {
        // Without an edition: the euro and every currency of the document.
        currencies.append(QStringLiteral("EUR::"));
        for (const auto& [code, rate] : rates->rates)
            currencies.append(code + QStringLiteral("::"));
    }
    QJsonObject result{{QStringLiteral("time"), rates->times.value(0)}};
    if (!QString::fromUtf8(document).contains(QStringLiteral("<Cube>")))
        result.insert(QStringLiteral("warning"),
                      QStringLiteral("no \"<Cube>\": the guide treats this answer as a "
                                     "failed download and does not store it"));
    const std::optional<QStringList> amounts = CurrencyAmounts::fromRates(currencies, *rates);
    if (!amounts) {
        *error = QStringLiteral("a currency of the edition has no rate in the document");
        return {};
    }
    QJsonArray rows;
    for (int i = 0; i < currencies.size(); ++i) {
        const QStringList fields = currencies[i].split(u':');
        rows.append(
            QJsonObject{{QStringLiteral("currency"), fields.value(0)},
                        {QStringLiteral("symbol"), fields.value(1)},
                        {QStringLiteral("flag"), fields.value(2)},
                        {QStringLiteral("amount"), CurrencyAmounts::formatted(amounts->at(i).toDouble())}});
    }
    result.insert(QStringLiteral("rows"), rows);
    return result;
}

// Whether the edition (or its source folder) has a picture of that name.
bool hasPicture(const QString& edition, const QString& name) {
    const QDir dir(edition);
    return dir.exists(name + QStringLiteral(".png")) || dir.exists(name + QStringLiteral("@2x.png")) ||
           dir.exists(QStringLiteral("art/%1.svg").arg(name));
}

QJsonObject weatherRows(const QByteArray& document, bool fahrenheit, bool miles, const QString& edition,
                        QString* error) {
    QString why;
    const auto elements = WeatherReader::read(document, &why);
    const QList<WeatherReader::Entry> entries =
        elements ? WeatherReader::entries(*elements, fahrenheit, miles) : QList<WeatherReader::Entry>();
    if (entries.isEmpty()) {
        *error = elements ? QStringLiteral("the document holds no weather: the page shows \"Weather Feed is "
                                           "currently unavailable.\"")
                          : QStringLiteral("the document cannot be read: ") + why;
        return {};
    }
    const QChar unit = fahrenheit ? u'f' : u'c';
    QJsonArray rows;
    QStringList missing;
    for (const WeatherReader::Entry& entry : entries) {
        const QString picture = QString(entry.imageName()).remove(QStringLiteral(".png"));
        if (!edition.isEmpty() && !hasPicture(edition, picture) && !missing.contains(picture))
            missing.append(picture);
        QJsonObject row{{QStringLiteral("image"), entry.imageName()},
                        {QStringLiteral("description"), entry.description},
                        {QStringLiteral("temperature"), entry.temperature + unit}};
        if (entry.current) {
            row.insert(QStringLiteral("wind"), (miles ? QStringLiteral("Wind: %1 at %2 miles/h")
                                                      : QStringLiteral("Wind: %1 at %2 km/h"))
                                                   .arg(entry.windDirection, entry.windSpeed));
            row.insert(QStringLiteral("humidity"), QStringLiteral("Humidity: %1%").arg(entry.humidity));
        } else {
            row.insert(QStringLiteral("day"), entry.day);
            row.insert(QStringLiteral("minimum"), entry.temperatureMin + unit);
        }
        rows.append(row);
    }
    QJsonObject result{{QStringLiteral("rows"), rows}};
    QJsonArray warnings;
    for (const QString& name : std::as_const(missing))
        warnings.append(QStringLiteral("the edition has no picture %1 (%1.png or art/%1.svg): the page shows "
                                       "that row without its symbol")
                            .arg(name));
    if (!warnings.isEmpty())
        result.insert(QStringLiteral("warnings"), warnings);
    return result;
}

} // namespace

namespace Edition {

int feed(const QStringList& args, QTextStream& out, QString* error) {
    if (args.size() < 2 || (args[0] != u"currency" && args[0] != u"weather")) {
        *error = usage;
        return 2;
    }
    bool fahrenheit = false, miles = false;
    QString edition;
    for (qsizetype i = 2; i < args.size(); ++i) {
        const QString value = args.value(i + 1);
        if (args[i] == u"--temp" && !value.isEmpty())
            fahrenheit = value.toInt() != 0;
        else if (args[i] == u"--distance" && !value.isEmpty())
            miles = value.toInt() != 0;
        else if (args[i] == u"--edition" && !value.isEmpty())
            edition = value;
        else {
            *error = usage;
            return 2;
        }
        ++i;
    }
    const std::optional<QByteArray> document = fetch(args[1], error);
    if (!document)
        return 1;
    const QJsonObject result = args[0] == u"currency"
                                   ? currencyRows(*document, edition, error)
                                   : weatherRows(*document, fahrenheit, miles, edition, error);
    if (result.isEmpty())
        return 1;
    out << QJsonDocument(result).toJson(QJsonDocument::Indented);
    return 0;
}

} // namespace Edition
