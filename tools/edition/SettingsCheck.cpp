#include "tools/edition/SettingsCheck.h"

#include "tools/edition/CountryFacts.h"
#include "tools/edition/Edition.h"
#include "tools/edition/EditionSources.h"

#include "feeds/ReferenceRates.h"
#include "feeds/SafeXml.h"
#include "feeds/WeatherDocument.h"
#include "model/LenientDate.h"
#include "model/ManagerModel.h"
#include "model/SBKCSVParser.h"
#include "platform/TextValues.h"

#include <QFile>
#include <QStringDecoder>
#include <QTimeZone>
#include <QUrl>
#include <unicode/ucurr.h>

#include <optional>

namespace Edition::Checking {

namespace {

// A currency of ISO 4217 as ICU knows it, in use at any time ("GPB" is none).
bool isCurrencyCode(const QString& code) {
    if (code.size() != 3)
        return false;
    UErrorCode status = U_ZERO_ERROR;
    const bool known =
        ucurr_isAvailable(reinterpret_cast<const UChar*>(code.utf16()), U_DATE_MIN, U_DATE_MAX, &status);
    return U_SUCCESS(status) && known;
}

// A header of every column but the last, InfoTimeZoneId.
bool lacksZoneColumn(const QStringList& header) {
    if (header.size() != ManagerModel::columnCount - 1)
        return false;
    for (int c = 0; c < header.size(); ++c) {
        if (header[c].trimmed() != QLatin1String(ManagerModel::columnNames()[c]))
            return false;
    }
    return true;
}

struct SettingsChecker : CheckerBase, SettingsFacts {
    using CheckerBase::CheckerBase;

    bool zoneColumnMissing = false;

    QString settingsPlace(const QString& near) const {
        return Edition::sourcePlace(QStringLiteral("manager.csv"), lineOf(settingsText, near, 2));
    }

    // "a:b:c,d:e:f" with `parts` parts per entry; returns the entries split.
    QList<QStringList> listSetting(const QString& column, const QString& value, int parts) {
        QList<QStringList> entries;
        if (value.trimmed().isEmpty()) {
            report(settingsPlace(column), column + QStringLiteral(" is empty"));
            return entries;
        }
        const QStringList items = ManagerModel::listEntries(value);
        for (int i = 0; i < items.size(); ++i) {
            const QString& item = items[i];
            const QStringList fields = item.split(u':');
            if (fields.size() != parts) {
                report(settingsPlace(item.trimmed()),
                       QStringLiteral("%1 entry %2 \"%3\" has %4 parts, not %5")
                           .arg(column)
                           .arg(i + 1)
                           .arg(item.trimmed())
                           .arg(fields.size())
                           .arg(parts));
                continue;
            }
            entries.append(fields);
        }
        return entries;
    }

    // The data line as the guide reads it, or nothing when the file cannot be read as settings.
    std::optional<ManagerModel> readModel() {
        const QString name = QStringLiteral("manager.csv");
        QFile file(folder + u'/' + name);
        if (!file.open(QIODevice::ReadOnly)) {
            report(name, QStringLiteral("missing or unreadable"));
            return std::nullopt;
        }
        const QByteArray bytes = file.readAll();
        QStringDecoder decoder(QStringDecoder::Utf8);
        settingsText = decoder(bytes);
        if (decoder.hasError()) {
            report(name, QStringLiteral("is not valid UTF-8"));
            return std::nullopt;
        }
        if (bytes.startsWith("\xEF\xBB\xBF"))
            report(name, QStringLiteral("starts with a byte-order mark"));
        if (bytes.contains("\r\n"))
            report(name, QStringLiteral("has Windows line ends (CR LF); save it with plain line feeds"));
        const QList<QStringList> settingsRows = SBKCSVParser::allRows(settingsText, 2);
        if (settingsRows.size() < 2) {
            report(name, QStringLiteral("has no data line after the header"));
            return std::nullopt;
        }
        QStringList row = settingsRows[1];
        if (lacksZoneColumn(settingsRows[0])) {
            // Written before the time zone had a column of its own; the rest is checked as it stands.
            report(Edition::sourcePlace(name, 1),
                   QStringLiteral("the header has no InfoTimeZoneId, the edition's time zone (an IANA id "
                                  "such as Europe/Vienna) that opening hours are read in; `cityguide-edition "
                                  "set SRC InfoTimeZoneId=...` adds it"));
            row.append(QString());
            zoneColumnMissing = true;
        } else if (settingsRows[0].size() != ManagerModel::columnCount) {
            report(Edition::sourcePlace(name, 1), QStringLiteral("the header has %1 names, not %2")
                                                      .arg(settingsRows[0].size())
                                                      .arg(ManagerModel::columnCount));
        }
        // An empty last value leaves no field behind it; the guide reads it as the empty text it is.
        if (row.size() == ManagerModel::columnCount - 1 &&
            settingsText.trimmed().endsWith(QStringLiteral(",\"\"")))
            row.append(QString());
        if (row.size() != ManagerModel::columnCount) {
            report(Edition::sourcePlace(name, 2),
                   QStringLiteral("the data line has %1 fields, not %2 (a quote inside a value may split it)")
                       .arg(row.size())
                       .arg(ManagerModel::columnCount));
            return std::nullopt;
        }
        ManagerModel model;
        for (int c = 0; c < ManagerModel::columnCount; ++c) {
            if (row[c].size() > ManagerModel::maxLength(c))
                report(Edition::sourcePlace(name, 2), Edition::settingsValueTooLong(c, row[c].size()));
            else
                model.setField(c, row[c].trimmed());
        }
        return model;
    }

    // The city's facts: none left to fill in, and a calling code that a country has, whose telephone
    // plan the venues' numbers are then checked against.
    void checkFacts(const ManagerModel& model) {
        for (int c = 0; c < ManagerModel::columnCount; ++c) {
            if (model.field(c).contains(Edition::fillInMark))
                report(settingsPlace(QStringLiteral("\"%1\"").arg(model.field(c))),
                       QStringLiteral("%1 still says \"%2\"; the guide would show it so")
                           .arg(QString::fromLatin1(ManagerModel::columnNames()[c]), model.field(c)));
        }
        checkZone(model.infoTimeZoneId());
        const QString callingCode = model.infoCountryCode();
        if (callingCode.isEmpty() || callingCode.contains(Edition::fillInMark))
            return;
        phoneRegion = Edition::regionOfCallingCode(callingCode);
        if (phoneRegion.isEmpty())
            report(settingsPlace(callingCode),
                   QStringLiteral("InfoCountryCode \"%1\" is no country's calling code (such as +43)")
                       .arg(callingCode));
    }

    // The zone "now" is read in for opening hours: a place's zone, which knows its daylight-saving
    // time, not a fixed offset.
    void checkZone(const QString& zone) {
        if (zoneColumnMissing || zone.contains(Edition::fillInMark))
            return; // named with the header, or with the other facts left to fill in
        const bool offset = zone.startsWith(QStringLiteral("UTC")) && zone.size() > 3;
        if (zone.isEmpty())
            report(settingsPlace(QStringLiteral("InfoTimeZoneId")),
                   QStringLiteral("InfoTimeZoneId is empty: the edition's time zone (an IANA id such as "
                                  "Europe/Vienna) is needed to tell whether a venue is open now"));
        else if (offset || !QTimeZone::isTimeZoneIdAvailable(zone.toUtf8()))
            report(settingsPlace(zone),
                   QStringLiteral("InfoTimeZoneId \"%1\" is no place's time zone (an IANA id such as "
                                  "Europe/Vienna)")
                       .arg(zone));
    }

    // DateRelease and the times of the stored feeds.
    void checkDates(const ManagerModel& model) {
        if (!parseLenientDate(model.dateRelease()))
            report(settingsPlace(model.dateRelease()),
                   QStringLiteral("DateRelease \"%1\" is not a date").arg(model.dateRelease()));
        else if (!isDay(model.dateRelease()))
            warn(settingsPlace(model.dateRelease()),
                 QStringLiteral("DateRelease \"%1\" is not in the form yyyy-MM-dd (such as 2027-03-01); the "
                                "guide compares release dates to replace a reader's copy of the settings")
                     .arg(model.dateRelease()));
        for (auto [column, value] : {std::pair{"DateCurrency", model.dateCurrency()},
                                     std::pair{"DateWeather", model.dateWeather()}}) {
            if (!value.isEmpty() && !parseFeedTime(value))
                report(settingsPlace(value),
                       QStringLiteral("%1 \"%2\" is not in the form yyyy-MM-dd 'T' HH:mm")
                           .arg(QString::fromLatin1(column), value));
        }
    }

    // The chapters of the home screen and the offline maps, the metro map among them.
    void checkChapters(const ManagerModel& model) {
        for (const QStringList& entry :
             listSetting(QStringLiteral("OrderChapters"), model.orderChapters(), 3)) {
            const QString label = entry[0].trimmed();
            const QString place = settingsPlace(entry.join(u':').trimmed());
            namePicture(entry[1], place);
            chapterLabels.append(label);
            if (label == u"Metro") {
                hasMetro = true;
                continue;
            }
            if (label == u"Search")
                continue;
            const QStringList key = entry[2].split(u';');
            if (key.size() < 2 || key[1].trimmed().isEmpty()) {
                report(place,
                       QStringLiteral("OrderChapters entry \"%1\" has no chapter id after \";\"").arg(label));
                continue;
            }
            chapters.insert(key[1].trimmed(), label);
            chapterLines.insert(key[1].trimmed(), lineOf(settingsText, entry.join(u':').trimmed(), 2));
        }
        bool metroMap = false;
        if (!model.orderMaps().trimmed().isEmpty()) {
            for (const QStringList& entry : listSetting(QStringLiteral("OrderMaps"), model.orderMaps(), 3)) {
                const QString place = settingsPlace(entry.join(u':').trimmed());
                namePicture(entry[1], place, QString(), true);
                namePicture(entry[2], place);
                metroMap = metroMap || entry[1].trimmed() == u"MetroMap.png";
            }
        }
        // The Metro chapter opens the metro map; a city without a metro needs neither.
        if (hasMetro && !metroMap)
            report(settingsPlace(QStringLiteral("Metro:")),
                   QStringLiteral("OrderChapters has a Metro entry, but OrderMaps has no entry for "
                                  "\"MetroMap.png\""));
    }

    // The tool bars: known tool ids, the weather only with its feed, the open-now filter only over a
    // list of venues.
    void checkTools(const ManagerModel& model) {
        for (auto [column, value] : {std::pair{"OrderChapterTools", model.orderChapterTools()},
                                     std::pair{"OrderVenuesTools", model.orderVenuesTools()},
                                     std::pair{"OrderDetailedViewTools", model.orderDetailedViewTools()}}) {
            for (const QStringList& entry : listSetting(QString::fromLatin1(column), value, 3)) {
                const QString place = settingsPlace(entry.join(u':').trimmed());
                namePicture(entry[1], place);
                if (entry[2].trimmed() == u"Weather.tool" && model.feedWeather().trimmed().isEmpty())
                    report(place,
                           QStringLiteral("%1 lists Weather.tool, but FeedWeather is empty: the weather "
                                          "page would have nothing to show")
                               .arg(QString::fromLatin1(column)));
                if (entry[2].trimmed() == u"OpenNow.tool" && QLatin1String(column) != "OrderVenuesTools")
                    report(place, QStringLiteral("%1 lists OpenNow.tool, which only a list of venues has "
                                                 "(OrderVenuesTools)")
                                      .arg(QString::fromLatin1(column)));
                if (!Edition::toolIDs().contains(entry[2].trimmed()))
                    report(place, QStringLiteral("%1 names the unknown tool id \"%2\" (known: %3)")
                                      .arg(QString::fromLatin1(column), entry[2].trimmed(),
                                           Edition::toolIDs().join(QStringLiteral(", "))));
            }
        }
    }

    // The converter's currencies: codes of ISO 4217, the euro first or second.
    void checkCurrencies(const ManagerModel& model) {
        const QList<QStringList> currencies =
            listSetting(QStringLiteral("UserCurrencies"), model.userCurrencies(), 3);
        for (const QStringList& entry : currencies) {
            const QString place = settingsPlace(entry.join(u':').trimmed());
            namePicture(entry[2], place);
            if (!isCurrencyCode(entry[0].trimmed()))
                report(place,
                       QStringLiteral("UserCurrencies names \"%1\", which is no currency code of ISO 4217 "
                                      "(such as EUR, USD, GBP); the converter would not open")
                           .arg(entry[0].trimmed()));
        }
        if (!currencies.isEmpty() && !currencies[0][0].startsWith(QStringLiteral("EUR")) &&
            (currencies.size() < 2 || !currencies[1][0].startsWith(QStringLiteral("EUR"))))
            report(settingsPlace(model.userCurrencies()),
                   QStringLiteral("UserCurrencies must have the euro first or second"));
    }

    // The stored documents as the settings reader hands them back, and the feed addresses.
    void checkDocuments(const ManagerModel& model) {
        // Stored documents come back through the settings reader, which drops every double quote.
        QString why;
        if (!model.userCurrencyRates().isEmpty() &&
            !ReferenceRateReader::read(ManagerModel::storedDocument(model.userCurrencyRates()).toUtf8(),
                                       &why))
            report(settingsPlace(QStringLiteral("<Cube")),
                   QStringLiteral(
                       "UserCurrencyRates does not read as rates once the settings reader has dropped "
                       "its double quotes (%1); quote attributes with ' instead")
                       .arg(why));
        if (!model.userWeather().isEmpty() &&
            !WeatherReader::read(ManagerModel::storedDocument(model.userWeather()).toUtf8(), &why))
            report(settingsPlace(QStringLiteral("<data")),
                   QStringLiteral(
                       "UserWeather does not read as weather once the settings reader has dropped its "
                       "double quotes (%1); quote attributes with ' instead")
                       .arg(why));
        for (auto [column, value] :
             {std::pair{"FeedCurrency", model.feedCurrency()}, std::pair{"FeedTV", model.feedTV()},
              std::pair{"FeedWeather", model.feedWeather()}}) {
            const QUrl url(value, QUrl::StrictMode);
            if (!value.isEmpty() && (!url.isValid() || url.scheme().isEmpty()))
                report(settingsPlace(value),
                       QStringLiteral("%1 \"%2\" is not an address").arg(QString::fromLatin1(column), value));
        }
    }
};

} // namespace

SettingsFacts checkSettings(Findings& findings) {
    SettingsChecker checker(findings);
    const std::optional<ManagerModel> model = checker.readModel();
    if (!model)
        return checker;
    checker.settingsRead = true;
    checker.checkFacts(*model);
    checker.checkDates(*model);
    checker.checkChapters(*model);
    checker.checkTools(*model);
    checker.checkCurrencies(*model);
    checker.checkDocuments(*model);
    return checker;
}

} // namespace Edition::Checking
