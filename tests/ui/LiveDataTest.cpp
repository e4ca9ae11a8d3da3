#include "feeds/ReferenceRates.h"
#include "model/DAO.h"
#include "model/LenientDate.h"
#include "pages/CurrencyPage.h"
#include "pages/WeatherPage.h"
#include "platform/HttpClient.h"
#include "platform/Paths.h"
#include "platform/UserDefaults.h"
#include "tests/support/GuideDriver.h"
#include "tests/support/LocalHttpServer.h"
#include "ui/AlertView.h"
#include "ui/Images.h"
#include "ui/NumberPad.h"
#include "ui/TextField.h"
#include "views/CustomCell.h"

#include <QDateTime>
#include <QFile>
#include <QTest>

using namespace testsupport;

namespace {

QByteArray rateDocument(const QList<QPair<const char*, const char*>>& rates) {
    QByteArray document =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<gesmes:Envelope "
        "xmlns:gesmes=\"http://www.gesmes.org/xml/"
        "2002-08-01\" xmlns=\"http://www.ecb.int/vocabulary/2002-08-01/eurofxref\">\n\t<gesmes:subject>"
        "Reference rates</gesmes:subject>\n\t<gesmes:Sender>\n\t\t<gesmes:name>European Central Bank"
        "</gesmes:name>\n\t</gesmes:Sender>\n\t<Cube>\n\t\t<Cube time='2026-11-30'>\n";
    for (const auto& [code, rate] : rates)
        document += QByteArray("\t\t\t<Cube currency='") + code + "' rate='" + rate + "'/>\n";
    return document + "\t\t</Cube>\n\t</Cube>\n</gesmes:Envelope>\n";
}

QString feedTime(qint64 secondsAgo) {
    return QDateTime::currentDateTime().addSecs(-secondsAgo).toString(QString::fromLatin1(feedTimePattern));
}

class LiveDataTest : public RunningGuideTest {
protected:
    void SetUp() override {
        RunningGuideTest::SetUp();
        server = std::make_unique<LocalHttpServer>();
        server->serve(u"/rates.xml"_qs, rateDocument({{"USD", "1.25"}, {"SEK", "25.5"}}));
        QFile weather(fixturePath(u"feeds/weather.xml"_qs));
        EXPECT_TRUE(weather.open(QIODevice::ReadOnly));
        server->serve(u"/weather.xml"_qs, weather.readAll());
    }
    void TearDown() override {
        RunningGuideTest::TearDown();
        server.reset();
    }

    // The guide on screen and active, so that fields take the focus as they do for a reader.
    void startActive() {
        start();
        driver->window()->show();
        driver->window()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(driver->window()));
        ASSERT_TRUE(QTest::qWaitForWindowActive(driver->window()));
    }

    // The settings the pages read next, changed as an edition or an earlier visit left them.
    void settings(const std::function<void(ManagerModel&)>& change) {
        ManagerModel* model = DAOFactory::getInstance()->readSettingsFromFile(u"manager.csv"_qs);
        change(*model);
        DAOFactory::getInstance()->saveSettings(*model);
    }
    ManagerModel* saved() { return DAOFactory::getInstance()->readSettingsFromFile(u"manager.csv"_qs); }

    void useCurrencies(const QString& dateCurrency, const QString& values = {}) {
        settings([&](ManagerModel& m) {
            m.setUserCurrencies(u"EUR:€:FlagEU,SEK:kr:FlagSE,USD:$:FlagUS"_qs);
            m.setFeedCurrency(server->url(u"/rates.xml"_qs).toString());
            m.setDateCurrency(dateCurrency);
            m.setUserCurrencyValues(values);
            m.setUserCurrencyRates(*ReferenceRateReader::withStoredHead(
                QString::fromUtf8(rateDocument({{"USD", "1.5"}, {"SEK", "30"}}))));
        });
    }

    static QStringList amountTexts(CurrencyPage* page) {
        QStringList texts;
        for (int row = 0; row < page->tableView()->numberOfRows(); ++row)
            texts.append(static_cast<CustomCell*>(page->tableView()->cellForRow(row))
                             ->currencyValueTextField()
                             ->text());
        return texts;
    }

    std::unique_ptr<LocalHttpServer> server;
};

TEST_F(LiveDataTest, AFreshDownloadShowsOneEuroAndTheWorkedExampleConverts) {
    startActive();
    useCurrencies(u""_qs);
    auto* page = push<CurrencyPage>();
    EXPECT_EQ(server->requests(u"/rates.xml"_qs), 1);
    ASSERT_NE(page->tableView(), nullptr);
    EXPECT_EQ(amountTexts(page), (QStringList{u"1.00"_qs, u"25.50"_qs, u"1.25"_qs}));
    EXPECT_FALSE(page->activityIndicator()->isAnimating());
    EXPECT_EQ(page->updatedLabel()->text(), u"Updated "_qs + QDate::currentDate().toString(u"dd.MM.yyyy"_qs));
    EXPECT_TRUE(driver->label(u"European Central Bank"_qs));
    EXPECT_TRUE(
        saved()->userCurrencyRates().startsWith(QString::fromLatin1(ReferenceRateReader::storedHead)));
    EXPECT_EQ(saved()->userRestoreState(), u"CurrencyPage"_qs);
    EXPECT_LT(parseFeedTime(saved()->dateCurrency())->secsTo(QDateTime::currentDateTime()), 120);

    // The value ends 20 points from the right edge, the symbol just left of it.
    auto* sek = static_cast<CustomCell*>(page->tableView()->cellForRow(1));
    TextField* field = sek->currencyValueTextField();
    EXPECT_EQ(field->frame().right() + 1, 300);
    EXPECT_EQ(sek->currencySymbol()->frame().right() + 1, field->frame().left() - 5);

    // 100 into the SEK row with the number pad, then Done.
    page->didSelectRow(page->tableView(), 1);
    driver->waitIdle();
    ASSERT_EQ(page->textFieldBeingEdited(), field);
    NumberPad* pad = NumberPad::shared();
    EXPECT_TRUE(pad->isShown());
    EXPECT_EQ(pad->geometry(), QRect(0, 480 - 216, 320, 216));
    EXPECT_EQ(pad->doneKey()->geometry(), QRect(0, 163, 106, 53));
    EXPECT_EQ(pad->dotKey()->geometry(), QRect(215, 163, 51, 53));
    EXPECT_EQ(pad->backKey()->geometry(), QRect(266, 163, 54, 53));
    EXPECT_EQ(page->tableView()->frame(), QRect(0, 0, 320, 200));
    EXPECT_EQ(field->frame(), QRect(160, field->frame().top(), 150, 33));
    for (int i = 0; i < 5; ++i)
        driver->tapView(pad->backKey());
    EXPECT_EQ(field->text(), QString());
    for (int digit : {1, 0, 0})
        driver->tapView(pad->digitKey(digit));
    EXPECT_EQ(field->text(), u"100"_qs);
    driver->tapView(pad->doneKey());
    driver->waitIdle();
    EXPECT_EQ(amountTexts(page), (QStringList{u"3.92"_qs, u"100.00"_qs, u"4.90"_qs}));
    EXPECT_EQ(saved()->userCurrencyValues(), u"EUR:3.92157~SEK:100~USD:4.90196"_qs);
    EXPECT_EQ(page->tableView()->frame(), QRect(0, 0, 320, 390));
    EXPECT_FALSE(pad->isShown());

    // 0 typed into the euro row: 0.02 euro, the others scaled to it.
    page->didSelectRow(page->tableView(), 0);
    driver->waitIdle();
    page->textFieldBeingEdited()->setText(u"0"_qs);
    driver->tapView(pad->doneKey());
    driver->waitIdle();
    EXPECT_EQ(amountTexts(page), (QStringList{u"0.02"_qs, u"0.51"_qs, u"0.03"_qs}));
}

TEST_F(LiveDataTest, WithinTwelveHoursTheCacheAndTheLastAmountsStand) {
    start();
    useCurrencies(feedTime(11 * 3600), u"EUR:2~SEK:60~USD:3"_qs);
    auto* page = push<CurrencyPage>();
    EXPECT_EQ(server->requests(u"/rates.xml"_qs), 0);
    EXPECT_EQ(amountTexts(page), (QStringList{u"2.00"_qs, u"60.00"_qs, u"3.00"_qs}));

    // Amounts that no longer line up (an edition added a currency) give way to the cached rates.
    driver->navigation()->popViewControllerAnimated(false);
    useCurrencies(feedTime(11 * 3600), u"EUR:2~USD:3"_qs);
    page = push<CurrencyPage>();
    ASSERT_NE(page->tableView(), nullptr);
    EXPECT_EQ(amountTexts(page), (QStringList{u"1.00"_qs, u"30.00"_qs, u"1.50"_qs}));

    // Thirteen hours on: a download, and one euro again.
    driver->navigation()->popViewControllerAnimated(false);
    useCurrencies(feedTime(13 * 3600), u"EUR:2~SEK:60~USD:3"_qs);
    page = push<CurrencyPage>();
    EXPECT_EQ(server->requests(u"/rates.xml"_qs), 1);
    EXPECT_EQ(amountTexts(page), (QStringList{u"1.00"_qs, u"25.50"_qs, u"1.25"_qs}));
}

TEST_F(LiveDataTest, AFailedDownloadAlertsAndFallsBackToTheCache) {
    start();
    LocalHttpServer::Answer reset;
    reset.kind = LocalHttpServer::Answer::Reset;
    server->serve(u"/rates.xml"_qs, reset);
    useCurrencies(u""_qs);
    auto* page = push<CurrencyPage>();
    ASSERT_TRUE(showsTimeoutAlert(u"Oh no! The Currency Feed is currently unavailable. Please check "
                                  "your internet connection and try again."_qs));
    AlertView* alert = AlertView::visibleAlert();
    EXPECT_EQ(alert->buttonTitles(), (QStringList{u"Go Back"_qs, u"Try again"_qs}));
    // The cached rates at once, and the date stays so that the next showing tries again.
    ASSERT_NE(page->tableView(), nullptr);
    EXPECT_EQ(amountTexts(page), (QStringList{u"1.00"_qs, u"30.00"_qs, u"1.50"_qs}));
    EXPECT_EQ(saved()->dateCurrency(), QString());

    // Try again, with the bank back.
    server->serve(u"/rates.xml"_qs, rateDocument({{"USD", "1.25"}, {"SEK", "25.5"}}));
    alert->dismissWithButtonIndex(1);
    driver->waitIdle();
    EXPECT_EQ(amountTexts(page), (QStringList{u"1.00"_qs, u"25.50"_qs, u"1.25"_qs}));

    // Without a cache: no list, the spinner turns; an HTML page is no rate document and is not stored.
    driver->navigation()->popViewControllerAnimated(false);
    LocalHttpServer::Answer html;
    html.body = "<html><body>Maintenance</body></html>";
    html.contentType = "text/html";
    server->serve(u"/rates.xml"_qs, html);
    settings([](ManagerModel& m) {
        m.setDateCurrency(QString());
        m.setUserCurrencyRates(QString());
    });
    page = push<CurrencyPage>();
    ASSERT_NE(AlertView::visibleAlert(), nullptr);
    EXPECT_EQ(page->tableView(), nullptr);
    EXPECT_TRUE(page->activityIndicator()->isAnimating());
    EXPECT_EQ(saved()->userCurrencyRates(), QString());
    AlertView::visibleAlert()->dismissWithButtonIndex(0); // Go Back
    driver->waitIdle();
    EXPECT_FALSE(qobject_cast<CurrencyPage*>(driver->navigation()->topViewController()));
}

TEST_F(LiveDataTest, AnAnswerWithoutTheEditionsRatesNeverReplacesTheStoredOnes) {
    start();
    useCurrencies(u""_qs);
    const QString good = saved()->userCurrencyRates();
    const QByteArray whole = rateDocument({{"USD", "1.25"}, {"SEK", "25.5"}});
    // A portal's page that says "<Cube>", a document cut off before the rates, one without SEK.
    const QByteArray answers[] = {
        "<?xml version=\"1.0\"?><html><body><p>Log in to the hotel Wi-Fi</p><Cube></Cube>" +
            QByteArray(400, ' ') + "</body></html>",
        whole.left(whole.indexOf("<Cube currency='USD'")),
        rateDocument({{"USD", "1.25"}}),
    };
    for (const QByteArray& answer : answers) {
        server->serve(u"/rates.xml"_qs, answer);
        auto* page = push<CurrencyPage>();
        AlertView* alert = AlertView::visibleAlert();
        ASSERT_NE(alert, nullptr) << answer.left(80).toStdString();
        EXPECT_EQ(alert->title(), u"Timeout"_qs);
        // The stored rates and their date stand; the page shows them, and the next showing tries again.
        EXPECT_EQ(saved()->userCurrencyRates(), good);
        EXPECT_EQ(saved()->dateCurrency(), QString());
        ASSERT_NE(page->tableView(), nullptr);
        EXPECT_EQ(amountTexts(page), (QStringList{u"1.00"_qs, u"30.00"_qs, u"1.50"_qs}));
        alert->dismissWithButtonIndex(0);
        driver->waitIdle();
    }
}

TEST_F(LiveDataTest, TheTypingFilter) {
    start();
    useCurrencies(u""_qs);
    auto* page = push<CurrencyPage>();
    auto allowed = [page](const QString& before, int length, const QString& replacement) {
        return page->shouldChangeCharacters(nullptr, before, int(before.size()) - length, length,
                                            replacement);
    };
    EXPECT_TRUE(allowed(u"12"_qs, 0, u"3"_qs));
    EXPECT_TRUE(allowed(u"12"_qs, 0, u"."_qs));
    EXPECT_FALSE(allowed(u"1.2"_qs, 0, u"."_qs));
    EXPECT_FALSE(allowed(u"12"_qs, 0, u"a"_qs));
    EXPECT_FALSE(allowed(u"100000000000"_qs, 0, u"1"_qs)); // over 99999999999
    EXPECT_TRUE(allowed(u"100000000000"_qs, 1, QString()));
    EXPECT_FALSE(allowed(u"1234567890123456"_qs, 0, u"1"_qs)); // longer than 15
    EXPECT_TRUE(allowed(u"99999999999"_qs, 0, u"9"_qs));
    EXPECT_TRUE(log.lines().contains(u"textField shouldChangeCharactersInRange"_qs));
}

TEST_F(LiveDataTest, AnAnswerThatComesAfterThePageWentTouchesNothing) {
    start();
    LocalHttpServer::Answer held;
    held.kind = LocalHttpServer::Answer::Held;
    held.body = rateDocument({{"USD", "1.25"}, {"SEK", "25.5"}});
    server->serve(u"/rates.xml"_qs, held);
    useCurrencies(u""_qs);
    driver->navigation()->pushViewController(std::make_unique<CurrencyPage>(), false);
    for (int turn = 0; turn < 10000 && server->requests(u"/rates.xml"_qs) == 0; ++turn)
        QCoreApplication::processEvents();
    ASSERT_EQ(server->requests(u"/rates.xml"_qs), 1);
    driver->navigation()->popViewControllerAnimated(false);
    server->release(u"/rates.xml"_qs);
    driver->waitIdle();
    EXPECT_EQ(saved()->dateCurrency(), QString());
    EXPECT_EQ(HttpClient::outstandingRequests(), 0);
}

TEST_F(LiveDataTest, WeatherRowsInBothUnitSystemsAndTheHourOfTheCache) {
    start();
    settings([this](ManagerModel& m) {
        m.setFeedWeather(server->url(u"/weather.xml"_qs).toString());
        m.setDateWeather(QString());
    });
    auto* page = push<WeatherPage>();
    EXPECT_EQ(server->requests(u"/weather.xml"_qs), 1);
    ASSERT_NE(page->tableView(), nullptr);
    ASSERT_EQ(page->tableView()->numberOfRows(), 6);
    EXPECT_EQ(page->tableView()->rectForRow(0).height(), 110);
    EXPECT_EQ(page->tableView()->rectForRow(1).height(), 72);
    auto* now = static_cast<CustomCell*>(page->tableView()->cellForRow(0));
    EXPECT_EQ(now->currentConditionTempLabel()->text(), u"2c"_qs);
    EXPECT_EQ(now->currentConditionWindLabel()->text(), u"Wind: WNW at 11 km/h"_qs);
    EXPECT_EQ(now->currentConditionHumidityLabel()->text(), u"Humidity: 87%"_qs);
    EXPECT_EQ(now->currentConditionImage()->imageName(), u"wsymbol_0004_black_low_cloud.png"_qs);
    EXPECT_EQ(now->currentConditionWindLabel()->frame().top(), 35 + 15); // one line of description
    auto* day = static_cast<CustomCell*>(page->tableView()->cellForRow(1));
    EXPECT_EQ(day->weatherTempMaxLabel()->text(), u"3c"_qs);
    EXPECT_EQ(day->weatherTempMinLabel()->text(), u"-1c"_qs);
    EXPECT_EQ(page->updateLabel()->text(), u"Updated "_qs + QDate::currentDate().toString(u"dd.MM.yyyy"_qs));
    // The document is kept and stamped.
    EXPECT_TRUE(saved()->userWeather().contains(u"current_condition"_qs));
    EXPECT_LT(parseFeedTime(saved()->dateWeather())->secsTo(QDateTime::currentDateTime()), 120);

    // Within the hour, in Fahrenheit and miles: from the cache, no request.
    driver->navigation()->popViewControllerAnimated(false);
    UserDefaults::standardUserDefaults().setObject(u"temp"_qs, u"1"_qs);
    UserDefaults::standardUserDefaults().setObject(u"distance"_qs, u"2"_qs);
    page = push<WeatherPage>();
    EXPECT_EQ(server->requests(u"/weather.xml"_qs), 1);
    now = static_cast<CustomCell*>(page->tableView()->cellForRow(0));
    EXPECT_EQ(now->currentConditionTempLabel()->text(), u"36f"_qs);
    EXPECT_EQ(now->currentConditionWindLabel()->text(), u"Wind: WNW at 7 miles/h"_qs);
    EXPECT_EQ(static_cast<CustomCell*>(page->tableView()->cellForRow(1))->weatherTempMinLabel()->text(),
              u"30f"_qs);

    // Past the hour: fetched again.
    driver->navigation()->popViewControllerAnimated(false);
    settings([](ManagerModel& m) { m.setDateWeather(feedTime(61 * 60)); });
    push<WeatherPage>();
    EXPECT_EQ(server->requests(u"/weather.xml"_qs), 2);
}

TEST_F(LiveDataTest, WeatherFailuresShowTheirAlertsAndKeepTheCache) {
    start();
    settings([this](ManagerModel& m) {
        m.setFeedWeather(server->url(u"/weather.xml"_qs).toString());
        m.setDateWeather(QString());
        m.setUserWeather(u"kept"_qs);
    });
    LocalHttpServer::Answer down;
    down.status = 503;
    down.body = "<html><body>Service unavailable</body></html>";
    server->serve(u"/weather.xml"_qs, down);
    push<WeatherPage>();
    ASSERT_NE(AlertView::visibleAlert(), nullptr);
    EXPECT_EQ(AlertView::visibleAlert()->message(),
              u"Oh no! The Weather Feed is currently unavailable. Please "
              "check your internet connection and try again."_qs);
    AlertView::visibleAlert()->dismissWithButtonIndex(0);
    driver->waitIdle();

    // An answer without weather: the other alert, and nothing of it is kept.
    LocalHttpServer::Answer empty;
    empty.body = "<data><error>Unable to find any matching weather location</error></data>";
    server->serve(u"/weather.xml"_qs, empty);
    push<WeatherPage>();
    ASSERT_NE(AlertView::visibleAlert(), nullptr);
    EXPECT_EQ(AlertView::visibleAlert()->message(),
              u"Weather Feed is currently unavailable. \nPlease try again later."_qs);
    EXPECT_EQ(saved()->userWeather(), u"kept"_qs);
    EXPECT_EQ(saved()->dateWeather(), QString());
}

} // namespace

namespace {

using ToolRowsTest = RunningGuideTest;

TEST_F(ToolRowsTest, WeatherRowsPlaceWindAndHumidityBelowTheDescription) {
    start();
    const QRect frame(0, 0, 320, 110);
    auto wind = [&](const QString& description) {
        std::unique_ptr<CustomCell> cell(CustomCell::initWithCurrentCondition(
            frame, u"21"_qs, u"sunny.png"_qs, description, u"11"_qs, u"NW"_qs, u"65"_qs, 0, u"Cell"_qs));
        return std::make_pair(cell->currentConditionWindLabel()->frame().top(),
                              cell->currentConditionHumidityLabel()->frame().top());
    };
    EXPECT_EQ(wind(QString()), std::make_pair(35, 50));
    EXPECT_EQ(wind(u"A long description that surely wraps"_qs), std::make_pair(65, 80));
    const auto oneLine = wind(u"Sunny"_qs);
    EXPECT_GT(oneLine.first, 35);
    EXPECT_LE(oneLine.first, 50);
    EXPECT_EQ(oneLine.second, oneLine.first + 15);

    std::unique_ptr<CustomCell> cell(CustomCell::initWithCurrentCondition(
        frame, u"21"_qs, u"sunny.png"_qs, u"Sunny"_qs, u"11"_qs, u"NW"_qs, u"65"_qs, 0, u"Cell"_qs));
    EXPECT_EQ(cell->currentConditionWindLabel()->text(), u"Wind: NW at 11 km/h"_qs);
    EXPECT_EQ(cell->currentConditionHumidityLabel()->text(), u"Humidity: 65%"_qs);
    EXPECT_EQ(cell->currentConditionTempLabel()->text(), u"21c"_qs);
    EXPECT_EQ(cell->currentConditionTempLabel()->frame(), QRect(250, 55, 44, 20));
    cell->updateWithCurrentCondition(frame, u"21"_qs, u"sunny.png"_qs, u"Sunny"_qs, u"11"_qs, u"NW"_qs,
                                     u"65"_qs, 0);
    EXPECT_EQ(cell->currentConditionTempLabel()->frame(), QRect(270, 55, 34, 20));
    UserDefaults::standardUserDefaults().setObject(u"temp"_qs, u"1"_qs);
    cell->updateWithCurrentCondition(frame, u"21"_qs, u"sunny.png"_qs, u"Sunny"_qs, u"11"_qs, u"NW"_qs,
                                     u"65"_qs, 0);
    EXPECT_EQ(cell->currentConditionTempLabel()->text(), u"21f"_qs);
}

TEST_F(ToolRowsTest, TheAmountEndsTwentyPointsFromTheRightWithItsSymbolJustLeftOfIt) {
    start();
    const QFont font = Fonts::named(u"Arial-BoldMT"_qs, 20);
    std::unique_ptr<CustomCell> row(CustomCell::initWithCurrency(
        QRect(0, 0, 320, 60), u"USD"_qs, u"FlagUS"_qs, u"$"_qs, u"1234.56"_qs, 2, u"Cell2"_qs));
    const int v = measureTextWidth(font, u"1234.56"_qs);
    EXPECT_EQ(row->currencyValueTextField()->frame().left(), 320 - 25 - v);
    EXPECT_EQ(row->currencyValueTextField()->frame().width(), v + 5);
    EXPECT_EQ(row->currencySymbol()->frame().right() + 1, 320 - 25 - v - 5);
    EXPECT_EQ(row->currencyValueTextField()->tag(), 2);
    EXPECT_EQ(row->currencyLabel()->frame(), QRect(20, 20, 40, 20));
    EXPECT_EQ(row->countryFlagImageView()->frame(), QRect(90, 14, 40, 32));

    row->updateWithCurrency(QRect(0, 0, 320, 60), u"USD"_qs, u"FlagUS"_qs, u"$"_qs, QString(), 2);
    EXPECT_EQ(row->currencyValueTextField()->frame().left(), 295);
    EXPECT_EQ(row->currencyValueTextField()->frame().width(), 5);

    std::unique_ptr<CustomCell> main(CustomCell::initWithMainCurrency(
        QRect(0, 0, 320, 80), u"EUR"_qs, u"FlagEU"_qs, u"€"_qs, u"1.00"_qs, 0, u"Cell"_qs));
    ASSERT_NE(main->infoBackgroundView(), nullptr);
    EXPECT_EQ(main->infoBackgroundView()->frame(), QRect(0, 0, 320, 80));
}

} // namespace

namespace {

// A full disk: fresh rates that cannot be kept are not shown as kept; the page shows what it shows
// without a network, and the stored copy stands.
TEST_F(LiveDataTest, RatesThatCannotBeKeptLeaveTheStoredCopy) {
    startActive();
    useCurrencies(u""_qs);
    const QString stored = saved()->userCurrencyRates(), storedDate = saved()->dateCurrency();
    Paths::setDiskFullForTesting(true);
    auto* page = push<CurrencyPage>();
    Paths::setDiskFullForTesting(false);
    EXPECT_EQ(server->requests(u"/rates.xml"_qs), 1);
    ASSERT_NE(AlertView::visibleAlert(), nullptr);
    EXPECT_EQ(AlertView::visibleAlert()->title(), u"Timeout"_qs);
    EXPECT_EQ(saved()->userCurrencyRates(), stored);
    EXPECT_EQ(saved()->dateCurrency(), storedDate);
    EXPECT_EQ(readText(documentFile("manager.csv")).contains(u"CurrencyPage"_qs), false);
    ASSERT_NE(page->tableView(), nullptr);
    EXPECT_EQ(amountTexts(page), (QStringList{u"1.00"_qs, u"30.00"_qs, u"1.50"_qs})); // the stored rates
}

} // namespace
