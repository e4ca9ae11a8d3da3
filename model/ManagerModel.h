#pragma once

#include <QString>
#include <QStringList>
#include <array>

// The columns of manager.csv in file order: index, field, setter, column name. InfoTimeZone is the
// text the home screen shows ("CET/CEST"); InfoTimeZoneId the IANA zone ("Europe/Vienna") that opening
// hours are read in. It came last, and a reader's copy saved before it has none: the guide then takes
// it from the edition's copy, as any missing column.
#define GUIDE_MANAGER_COLUMNS(X)                                                                             \
    X(0, dateRelease, setDateRelease, "DateRelease")                                                         \
    X(1, dateCurrency, setDateCurrency, "DateCurrency")                                                      \
    X(2, dateWeather, setDateWeather, "DateWeather")                                                         \
    X(3, infoNameEnglish, setInfoNameEnglish, "InfoNameEnglish")                                             \
    X(4, infoNameLocal, setInfoNameLocal, "InfoNameLocal")                                                   \
    X(5, infoAirportCode, setInfoAirportCode, "InfoAirportCode")                                             \
    X(6, infoCityCode, setInfoCityCode, "InfoCityCode")                                                      \
    X(7, infoCountryCode, setInfoCountryCode, "InfoCountryCode")                                             \
    X(8, infoInternetCode, setInfoInternetCode, "InfoInternetCode")                                          \
    X(9, infoTimeZone, setInfoTimeZone, "InfoTimeZone")                                                      \
    X(10, contactVantor, setContactVantor, "ContactVantor")                                                  \
    X(11, contactSBK, setContactSBK, "ContactSBK")                                                           \
    X(12, orderChapters, setOrderChapters, "OrderChapters")                                                  \
    X(13, orderMaps, setOrderMaps, "OrderMaps")                                                              \
    X(14, orderChapterTools, setOrderChapterTools, "OrderChapterTools")                                      \
    X(15, orderVenuesTools, setOrderVenuesTools, "OrderVenuesTools")                                         \
    X(16, orderDetailedViewTools, setOrderDetailedViewTools, "OrderDetailedViewTools")                       \
    X(17, userBookmarks, setUserBookmarks, "UserBookmarks")                                                  \
    X(18, userRestoreState, setUserRestoreState, "UserRestoreState")                                         \
    X(19, userCurrencies, setUserCurrencies, "UserCurrencies")                                               \
    X(20, userCurrencyRates, setUserCurrencyRates, "UserCurrencyRates")                                      \
    X(21, userCurrencyValues, setUserCurrencyValues, "UserCurrencyValues")                                   \
    X(22, userWeather, setUserWeather, "UserWeather")                                                        \
    X(23, feedCurrency, setFeedCurrency, "FeedCurrency")                                                     \
    X(24, feedFacebook, setFeedFacebook, "FeedFacebook")                                                     \
    X(25, feedTV, setFeedTV, "FeedTV")                                                                       \
    X(26, feedWeather, setFeedWeather, "FeedWeather")                                                        \
    X(27, infoTimeZoneId, setInfoTimeZoneId, "InfoTimeZoneId")

// The settings record: one text per column of manager.csv. There is one record in the run (owned by
// the DAO); every screen holds the same one, so a change made by one screen is seen by all at once.
class ManagerModel {
public:
    static constexpr int columnCount = 28;

    ManagerModel() = default;

    const QString& field(int column) const { return values.at(column); }
    void setField(int column, const QString& value) { values.at(column) = value; }

    static const std::array<const char*, columnCount>& columnNames();
    // The entries of a list setting: split at ",", each without the line ends ("\n", or "\r\n" from
    // a file saved on Windows) that publishers put between entries.
    static QStringList listEntries(const QString& value);
    static constexpr int maxListEntries = 500;
    // The longest value a column may hold; no real edition comes near it, and a longer one (a hostile
    // or broken file) is read as missing, so that no screen freezes on it.
    static int maxLength(int column);
    // The header line of the file, with its line feed.
    static QString headerLine();
    // A document kept in a column (UserCurrencyRates, UserWeather) as its reader reads it: the file
    // drops every double quote, so a text beginning with "<?xml" gets the declaration back in place of
    // its own; any other text stays.
    static QString storedDocument(const QString& stored);

#define GUIDE_MANAGER_ACCESSORS(index, getter, setter, name)                                                 \
    const QString& getter() const {                                                                          \
        return values[index];                                                                                \
    }                                                                                                        \
    void setter(const QString& value) {                                                                      \
        values[index] = value;                                                                               \
    }
    GUIDE_MANAGER_COLUMNS(GUIDE_MANAGER_ACCESSORS)
#undef GUIDE_MANAGER_ACCESSORS

private:
    std::array<QString, columnCount> values;
};
