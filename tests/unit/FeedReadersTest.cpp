#include "feeds/CurrencyAmounts.h"
#include "feeds/ReferenceRates.h"
#include "feeds/SafeXml.h"
#include "feeds/WeatherDocument.h"
#include "model/ManagerModel.h"
#include "tests/support/TestSupport.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLocale>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace testsupport;

namespace {

QByteArray fixture(const char* name) {
    return fixtureBytes(u"feeds/"_qs + QString::fromLatin1(name));
}

QString rateOf(const ReferenceRates& rates, const QString& code) {
    for (const auto& [c, rate] : rates.rates)
        if (c == code)
            return rate;
    return {};
}

TEST(ReferenceRateReader, ReadsTheBanksDailyAndNinetyDayDocuments) {
    const auto daily = ReferenceRateReader::read(fixture("eurofxref-daily.xml"));
    ASSERT_TRUE(daily);
    EXPECT_EQ(daily->times, QStringList{u"2026-11-30"_qs});
    EXPECT_EQ(rateOf(*daily, u"USD"_qs), u"1.1612"_qs);
    EXPECT_EQ(daily->rates.size(), 29);

    // Ninety days: the newest day comes first, and its rates are the ones the amounts take.
    const auto history = ReferenceRateReader::read(fixture("eurofxref-hist-90d.xml"));
    ASSERT_TRUE(history);
    EXPECT_EQ(history->times.size(), 62);
    EXPECT_EQ(history->times.first(), u"2026-11-30"_qs);
    const auto amounts = CurrencyAmounts::fromRates({u"EUR:€:FlagEU"_qs, u"USD:$:FlagUS"_qs}, *history);
    ASSERT_TRUE(amounts);
    EXPECT_EQ(*amounts, (QStringList{u"1.0"_qs, u"1.1612"_qs}));
}

TEST(ReferenceRateReader, TheStoredCopyKeepsTheFixedHeadWhateverTheBanksHeadLooksLike) {
    const QString daily = QString::fromUtf8(fixture("eurofxref-daily.xml"));
    const QString head = QString::fromLatin1(ReferenceRateReader::storedHead);
    // The bank's own document: its first 311 characters give way to the fixed head.
    EXPECT_EQ(*ReferenceRateReader::withStoredHead(daily), head + daily.mid(311));

    QString crlf = daily;
    crlf.replace(u"\n"_qs, u"\r\n"_qs);
    QString indented = daily;
    indented.replace(u"\t"_qs, u"    "_qs);
    for (const QString& variant : {u"\uFEFF"_qs + daily, crlf, indented}) {
        const auto stored = ReferenceRateReader::withStoredHead(variant);
        ASSERT_TRUE(stored);
        EXPECT_TRUE(stored->startsWith(head));
        // The stored copy reads again, with every rate.
        const auto again = ReferenceRateReader::read(stored->toUtf8());
        ASSERT_TRUE(again) << stored->left(400).toStdString();
        EXPECT_EQ(again->rates.size(), 29);
    }
    EXPECT_FALSE(ReferenceRateReader::withStoredHead(u"<html><body>Service unavailable</body></html>"_qs));
    EXPECT_FALSE(ReferenceRateReader::withStoredHead(QString()));
}

TEST(ReferenceRateReader, BrokenAndHostileDocumentsAreRefusedOrReadUnexpanded) {
    const QByteArray daily = fixture("eurofxref-daily.xml");
    EXPECT_FALSE(ReferenceRateReader::read(QByteArray()));
    EXPECT_FALSE(ReferenceRateReader::read(daily.left(daily.size() / 2)));
    EXPECT_FALSE(ReferenceRateReader::read("<html><body><p>Bad gateway<br></body></html>"));

    // A thousand-fold entity in each of a thousand attributes: nothing is expanded.
    QByteArray laughs =
        "<?xml version=\"1.0\"?><!DOCTYPE r [<!ENTITY a \"1234567890\">"
        "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\"><!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">"
        "<!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\">]><r>";
    for (int i = 0; i < 1000; ++i)
        laughs += "<Cube currency=\"USD\" rate=\"1.5\">&d;&d;&d;&d;&d;&d;&d;&d;</Cube>";
    laughs += "</r>";
    QElapsedTimer timer;
    timer.start();
    const auto read = ReferenceRateReader::read(laughs);
    EXPECT_LT(timer.elapsed(), 2000);
    if (read) {
        EXPECT_EQ(read->rates.size(), 1000);
    }

    // An external entity naming a file is never opened.
    QTemporaryDir dir;
    writeText(dir.filePath(u"secret"_qs), u"SECRET"_qs);
    const QByteArray xxe = "<?xml version=\"1.0\"?><!DOCTYPE r [<!ENTITY x SYSTEM \"file://" +
                           QFile::encodeName(dir.filePath(u"secret"_qs)) +
                           "\">]><r><Cube time=\"2026-11-30\"/><Cube currency=\"USD\" rate=\"&x;\"/></r>";
    const auto outside = ReferenceRateReader::read(xxe);
    if (outside) {
        EXPECT_FALSE(rateOf(*outside, u"USD"_qs).contains(u"SECRET"_qs));
    }
}

TEST(CurrencyAmounts, TheWorkedExample) {
    const QStringList currencies{u"EUR:€:FlagEU"_qs, u"SEK:kr:FlagSE"_qs, u"USD:$:FlagUS"_qs};
    ReferenceRates rates;
    rates.times = {u"2026-11-30"_qs};
    rates.rates = {{u"USD"_qs, u"1.25"_qs}, {u"SEK"_qs, u"25.5"_qs}};
    const auto fresh = CurrencyAmounts::fromRates(currencies, rates);
    ASSERT_TRUE(fresh);
    QStringList shown;
    for (const QString& amount : *fresh)
        shown.append(CurrencyAmounts::formatted(amount.toDouble()));
    EXPECT_EQ(shown, (QStringList{u"1.00"_qs, u"25.50"_qs, u"1.25"_qs}));

    const QStringList typed = CurrencyAmounts::scaled(*fresh, 1, 100, *fresh);
    shown.clear();
    for (const QString& amount : typed)
        shown.append(CurrencyAmounts::formatted(amount.toDouble()));
    EXPECT_EQ(shown, (QStringList{u"3.92"_qs, u"100.00"_qs, u"4.90"_qs}));
    EXPECT_EQ(CurrencyAmounts::stored(currencies, typed), u"EUR:3.92157~SEK:100~USD:4.90196"_qs);
    EXPECT_EQ(QString::asprintf("%g", 1234567.8), u"1.23457e+06"_qs);

    // 0 typed counts as 0.02; an old amount of 0 scales from the amounts for one euro.
    EXPECT_EQ(CurrencyAmounts::scaled(*fresh, 0, 0, *fresh),
              (QStringList{u"0.02"_qs, u"0.51"_qs, u"0.025"_qs}));
    const QStringList broken{u"1.0"_qs, u"0"_qs, u"1.25"_qs};
    EXPECT_EQ(CurrencyAmounts::scaled(broken, 1, 51, *fresh), (QStringList{u"2"_qs, u"51.00"_qs, u"2.5"_qs}));

    // The euro's 1.0 at its own place; a currency the bank does not list gives no amounts.
    const auto euroLast = CurrencyAmounts::fromRates({u"SEK:kr:F"_qs, u"USD:$:F"_qs, u"EUR:€:F"_qs}, rates);
    EXPECT_EQ(*euroLast, (QStringList{u"25.5"_qs, u"1.25"_qs, u"1.0"_qs}));
    EXPECT_FALSE(CurrencyAmounts::fromRates({u"EUR:€:F"_qs, u"XXX:?:F"_qs}, rates));

    // Stored amounts stand only when they line up with the currencies.
    EXPECT_EQ(*CurrencyAmounts::fromStored(currencies, u"EUR:3.92157~SEK:100~USD:4.90196"_qs),
              (QStringList{u"3.92157"_qs, u"100"_qs, u"4.90196"_qs}));
    EXPECT_FALSE(CurrencyAmounts::fromStored(currencies, u"EUR:3.9~SEK:100"_qs));
    EXPECT_FALSE(CurrencyAmounts::fromStored(currencies, u"EUR:3.9~GBP:100~USD:4.9"_qs));
    EXPECT_FALSE(CurrencyAmounts::fromStored(currencies, u"EUR:x~SEK:100~USD:4.9"_qs));
}

TEST(WeatherReader, ReadsThePositionsOfTheSampleInBothUnitSystems) {
    const auto elements = WeatherReader::read(fixture("weather.xml"));
    ASSERT_TRUE(elements);
    ASSERT_EQ(elements->size(), 6);
    EXPECT_EQ(elements->first().name, u"current_condition"_qs);

    const QList<WeatherReader::Entry> metric = WeatherReader::entries(*elements, false, false);
    ASSERT_EQ(metric.size(), 6);
    const WeatherReader::Entry& now = metric[0];
    EXPECT_TRUE(now.current);
    EXPECT_EQ(now.temperature, u"2"_qs);
    EXPECT_EQ(now.imageName(), u"wsymbol_0004_black_low_cloud.png"_qs);
    EXPECT_EQ(now.description, u"Overcast"_qs);
    EXPECT_EQ(now.windSpeed, u"11"_qs);
    EXPECT_EQ(now.windDirection, u"WNW"_qs);
    EXPECT_EQ(now.humidity, u"87"_qs);
    EXPECT_EQ(metric[1].temperature, u"3"_qs);
    EXPECT_EQ(metric[1].temperatureMin, u"-1"_qs);
    EXPECT_EQ(metric[1].day, QLocale().toString(QDate(2026, 12, 14), u"ddd"_qs));

    const QList<WeatherReader::Entry> imperial = WeatherReader::entries(*elements, true, true);
    EXPECT_EQ(imperial[0].temperature, u"36"_qs);
    EXPECT_EQ(imperial[0].windSpeed, u"7"_qs);
    EXPECT_EQ(imperial[1].temperature, u"37"_qs);
    EXPECT_EQ(imperial[1].temperatureMin, u"30"_qs);
}

TEST(WeatherReader, TextInCDataSectionsIsReadInItsPlace) {
    // The sample with every value written as a CDATA section reads the same.
    QString text = QString::fromUtf8(fixture("weather.xml"));
    text.replace(QRegularExpression(QStringLiteral(">([^<>]+)</")), QStringLiteral("><![CDATA[\\1]]></"));
    ASSERT_TRUE(text.contains(u"<humidity><![CDATA[87]]></humidity>"_qs)) << text.left(600).toStdString();
    const auto elements = WeatherReader::read(text.toUtf8());
    ASSERT_TRUE(elements);
    const QList<WeatherReader::Entry> metric = WeatherReader::entries(*elements, false, false);
    ASSERT_EQ(metric.size(), 6);
    EXPECT_EQ(metric[0].humidity, u"87"_qs);
    EXPECT_EQ(metric[0].windSpeed, u"11"_qs);
    EXPECT_EQ(metric[0].windDirection, u"WNW"_qs);
    EXPECT_EQ(metric[0].description, u"Overcast"_qs);
}

TEST(WeatherReader, ShortElementsAndBadDaysAreLeftOutAndBrokenDocumentsRefused) {
    const QByteArray document =
        "<data><current_condition><a>1</a><b>2</b></current_condition>"
        "<weather><date>2010-05-14</date><a>20</a><b>68</b><c>10</c><d>50</d><e>5</e><f>W</f><g>x</g><h>x</h>"
        "<i>x</i><j>x</j><k>http://x/y/sunny.png</k><l>Sunny</l></weather>"
        "<weather><date>someday</date><a>20</a><b>68</b><c>10</c><d>50</d><e>5</e><f>W</f><g>x</g><h>x</h>"
        "<i>x</i><j>x</j><k>http://x/y/sunny.png</k><l>Sunny</l></weather></data>";
    const auto elements = WeatherReader::read(document);
    ASSERT_TRUE(elements);
    const QList<WeatherReader::Entry> entries = WeatherReader::entries(*elements, false, false);
    ASSERT_EQ(entries.size(), 1);
    EXPECT_EQ(entries[0].day, QLocale().toString(QDate(2010, 5, 14), u"ddd"_qs));
    EXPECT_EQ(entries[0].imageName(), u"sunny.png"_qs);

    EXPECT_FALSE(WeatherReader::read(QByteArray()));
    EXPECT_FALSE(WeatherReader::read(fixture("weather.xml").left(700)));
    const auto html = WeatherReader::read("<html><body>Error 503</body></html>");
    EXPECT_TRUE(!html || WeatherReader::entries(*html, false, false).isEmpty());

    // The settings file gives the cached document back without its declaration's quotes.
    EXPECT_EQ(ManagerModel::storedDocument(u"<?xml version=1.0 encoding=UTF-8?><data/>"_qs),
              u"<?xml version=\"1.0\" encoding=\"UTF-8\"?><data/>"_qs);
    EXPECT_EQ(ManagerModel::storedDocument(u"<?xml version=1.0?>\n<data/>"_qs),
              u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<data/>"_qs);
    EXPECT_EQ(ManagerModel::storedDocument(u"<data/>"_qs), u"<data/>"_qs);
}

} // namespace
