#include "model/DAO.h"
#include "pages/CurrencyPage.h"
#include "pages/TVPage.h"
#include "pages/WeatherPage.h"
#include "platform/HttpClient.h"
#include "platform/MapTiles.h"
#include "platform/Paths.h"
#include "tests/support/GuideDriver.h"
#include "tests/support/LocalHttpServer.h"
#include "ui/AlertView.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>

using namespace testsupport;

namespace {

// The memory the process holds, in megabytes.
qint64 residentMegabytes() {
    QFile statm(u"/proc/self/statm"_qs);
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    return statm.readAll().split(' ').value(1).toLongLong() * 4096 / (1024 * 1024);
}

struct Hostile {
    const char* name;
    LocalHttpServer::Answer answer;
};

// Every way a server can misbehave, each served at /feed.
QList<Hostile> hostileAnswers() {
    using Answer = LocalHttpServer::Answer;
    auto make = [](Answer::Kind kind, QByteArray body = {}, QByteArray type = "text/xml; charset=UTF-8") {
        Answer answer;
        answer.kind = kind;
        answer.body = std::move(body);
        answer.contentType = std::move(type);
        return answer;
    };
    Answer loop = make(Answer::Redirect);
    loop.location = "/feed";
    Answer toFile = make(Answer::Redirect);
    toFile.location = "file:///etc/passwd";
    Answer toFtp = make(Answer::Redirect);
    toFtp.location = "ftp://127.0.0.1/feed.xml";
    // 64 MB of zeros in 64 KB: a compressed answer that would fill the memory once expanded.
    Answer bomb = make(Answer::Normal, qCompress(QByteArray(64 << 20, '\0'), 9).mid(4));
    bomb.headers = {{"Content-Encoding", "deflate"}};
    const QByteArray xml = "<?xml version=\"1.0\"?><data><current_condition><temp_C>5</temp_C>";
    return {
        {"a body that never ends", make(Answer::Endless)},
        {"one byte a second", make(Answer::Drip, xml)},
        {"a redirect loop", loop},
        {"a redirect to file:", toFile},
        {"a redirect to ftp:", toFtp},
        {"a 10 MB answer", make(Answer::Normal, QByteArray(10 << 20, '<'))},
        {"HTML instead of XML",
         make(Answer::Normal, "<!doctype html><html><body>Sorry</body></html>", "text/html")},
        {"a picture called XML",
         make(Answer::Normal, QByteArray("\x89PNG\r\n\x1a\n", 8) + QByteArray(500, 'x'))},
        {"a compression bomb", bomb},
        {"a connection cut midway", make(Answer::CutOff, xml + xml + xml)},
        {"no answer at all", make(Answer::Held)},
    };
}

class HostileServersTest : public RunningGuideTest {
protected:
    void SetUp() override {
        RunningGuideTest::SetUp();
        server = std::make_unique<LocalHttpServer>();
        HttpClient::setTimeLimitForTesting(1500);
    }
    void TearDown() override {
        HttpClient::setTimeLimitForTesting(0);
        RunningGuideTest::TearDown();
        server.reset();
    }
    // The alert a page shows, waited for at most `ms`.
    AlertView* alertWithin(int ms) {
        QElapsedTimer waited;
        waited.start();
        while (!AlertView::visibleAlert() && waited.elapsed() < ms)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return AlertView::visibleAlert();
    }
    std::unique_ptr<LocalHttpServer> server;
};

// Each page that fetches a feed, against each hostile answer: the "Timeout" alert within the time
// limit, nothing stored, memory bounded, and the reader goes back to a guide that still works.
TEST_F(HostileServersTest, EveryFeedPageAlertsInTimeAndStoresNothing) {
    start();
    const QString feed = server->url(u"/feed"_qs).toString();
    ManagerModel* model = DAOFactory::getInstance()->readSettingsFromFile(u"manager.csv"_qs);
    model->setFeedCurrency(feed);
    model->setFeedWeather(feed);
    model->setFeedTV(feed);
    model->setDateCurrency(QString());
    model->setDateWeather(QString());
    ASSERT_TRUE(DAOFactory::getInstance()->saveSettings(*model));
    const QByteArray stored = readText(documentFile("manager.csv")).toUtf8();
    const qint64 before = residentMegabytes();

    const std::pair<const char*, std::function<std::unique_ptr<ViewController>()>> pages[] = {
        {"the converter", [] { return std::make_unique<CurrencyPage>(); }},
        {"the weather", [] { return std::make_unique<WeatherPage>(); }},
        {"the videos", [] { return std::make_unique<TVPage>(); }},
    };
    for (const Hostile& hostile : hostileAnswers()) {
        server->serve(u"/feed"_qs, hostile.answer);
        for (const auto& [page, make] : pages) {
            SCOPED_TRACE(std::string(page) + " against " + hostile.name);
            const int asked = server->requests(u"/feed"_qs);
            QElapsedTimer took;
            took.start();
            driver->navigation()->pushViewController(make(), false);
            AlertView* alert = alertWithin(4000);
            ASSERT_NE(alert, nullptr);
            EXPECT_EQ(alert->title(), u"Timeout"_qs);
            EXPECT_LT(took.elapsed(), 3000);
            EXPECT_GT(server->requests(u"/feed"_qs), asked);
            alert->dismissWithButtonIndex(0); // Go Back
            driver->waitIdle();
            EXPECT_EQ(driver->navigation()->viewControllers().size(), 1);
            EXPECT_EQ(readText(documentFile("manager.csv")).toUtf8(), stored);
        }
        server->release(u"/feed"_qs);
    }
    // Bounded: no answer grows past the client's 1 MB (AddressSanitizer's quarantine holds up to 256 MB
    // of what was freed, so the bound leaves room for it).
    EXPECT_LT(residentMegabytes() - before, 400);
    // Still a guide: the home screen answers.
    EXPECT_TRUE(driver->label(u"Bookmarks"_qs));
}

// The live map's online tiles against the same answers: nothing reaches the tile cache.
TEST_F(HostileServersTest, NoHostileAnswerReachesTheTileCache) {
    QTemporaryDir cache;
    OnlineTileSource tiles(server->url(u"/tiles/"_qs).toString() + u"{z}/{x}/{y}.png"_qs, "cityguide-test/1",
                           cache.path());
    int answered = 0;
    const QList<Hostile> answers = hostileAnswers();
    for (int i = 0; i < answers.size(); ++i) {
        server->serve(u"/tiles/12/%1/1420.png"_qs.arg(2000 + i), answers[i].answer);
        tiles.fetch(TileKey{12, 2000 + i, 1420}, &tiles, [&answered](std::optional<QByteArray> bytes, bool) {
            EXPECT_FALSE(bytes) << "a hostile answer was taken for a tile";
            ++answered;
        });
    }
    QElapsedTimer waited;
    waited.start();
    // Two at a time, each within the time limit.
    while (answered < answers.size() && waited.elapsed() < 15000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(answered, answers.size());
    for (int i = 0; i < answers.size(); ++i)
        EXPECT_EQ(server->requests(u"/tiles/12/%1/1420.png"_qs.arg(2000 + i)), 1) << answers[i].name;
    QDirIterator it(cache.path(), QDir::Files, QDirIterator::Subdirectories);
    QStringList kept;
    while (it.hasNext())
        kept.append(it.next());
    EXPECT_EQ(kept, QStringList());
}

} // namespace
