#include "model/DAO.h"
#include "pages/TVPage.h"
#include "pages/VideoFeedClient.h"
#include "pages/WebviewPage.h"
#include "platform/HttpClient.h"
#include "platform/Paths.h"
#include "tests/support/GuideDriver.h"
#include "tests/support/LocalHttpServer.h"
#include "ui/AlertView.h"
#include "ui/Application.h"
#include "ui/NavigationController.h"
#include "ui/VideoPlayer.h"
#include "views/CustomCell.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

using namespace testsupport;

namespace {

// A feed of `count` clips whose thumbnails lie on the server at /thumb/N.png.
QByteArray feed(const QUrl& server, int count) {
    QByteArray text = "<feed xmlns='http://www.w3.org/2005/Atom' xmlns:media='http://search.yahoo.com/mrss/' "
                      "xmlns:yt='http://gdata.youtube.com/schemas/2007'>";
    for (int i = 0; i < count; ++i)
        text +=
            QStringLiteral("<entry><media:group><media:title>Clip %1</media:title>"
                           "<media:content url='http://127.0.0.1/clip%1.webm' type='video/webm'/>"
                           "<media:thumbnail url='%2thumb/%1.png' width='120' height='90' time='00:00:01'/>"
                           "<media:thumbnail url='%2thumb/%1.png' width='120' height='90'/>"
                           "<yt:duration seconds='%3'/></media:group></entry>")
                .arg(i)
                .arg(server.toString())
                .arg(125 + i)
                .toUtf8();
    return text + "</feed>";
}

class VideoTest : public RunningGuideTest {
protected:
    void SetUp() override {
        RunningGuideTest::SetUp();
        server = std::make_unique<LocalHttpServer>();
    }
    void TearDown() override {
        RunningGuideTest::TearDown();
        server.reset();
    }
    void useFeed(int count) {
        server->serve(u"/feed.xml"_qs, feed(server->url(u"/"_qs), count));
        LocalHttpServer::Answer picture;
        picture.contentType = "image/png";
        picture.body = pngBytes(Qt::darkCyan, QSize(120, 90));
        for (int i = 0; i < count; ++i)
            server->serve(u"/thumb/%1.png"_qs.arg(i), picture);
        ManagerModel* model = DAOFactory::getInstance()->readSettingsFromFile(u"manager.csv"_qs);
        model->setFeedTV(server->url(u"/feed.xml"_qs).toString());
        DAOFactory::getInstance()->saveSettings(*model);
    }
    TVPage* list() const { return qobject_cast<TVPage*>(driver->navigation()->topViewController()); }
    std::unique_ptr<LocalHttpServer> server;
};

TEST_F(VideoTest, TheListShowsEveryClipWithItsThumbnailTitleAndLength) {
    start();
    useFeed(10);
    server->serve(u"/thumb/3.png"_qs, QByteArray("not a picture"));
    driver->navigation()->pushViewController(std::make_unique<TVPage>(), false);
    auto* page = list();
    EXPECT_TRUE(page->isWaiting());
    EXPECT_TRUE(driver->label(u"Downloading YouTube playlist ..."_qs));
    driver->waitIdle();
    EXPECT_FALSE(page->isWaiting());
    ASSERT_EQ(page->videoFeed().size(), 10);
    EXPECT_EQ(page->tableView()->numberOfRows(), 10);
    auto* row = static_cast<CustomCell*>(page->tableView()->cellForRow(0));
    EXPECT_EQ(row->videoNameLabel()->text(), u"Clip 0"_qs);
    EXPECT_EQ(row->videoLengthLabel()->text(), u"2:05"_qs);
    EXPECT_EQ(row->videoThumbnail()->frame(), QRect(2, 2, 106, 76));
    EXPECT_EQ(page->videoFeed()[0].thumbnailImage.size(), QSize(106, 76));
    // The thumbnail without "time" is the one fetched.
    EXPECT_EQ(page->videoFeed()[0].thumbnailURLString, server->url(u"/thumb/0.png"_qs).toString());
    // A thumbnail that is no picture leaves its row without one; every spinner has stopped.
    EXPECT_TRUE(page->videoFeed()[3].thumbnailImage.isNull());
    for (const QPointer<ActivityIndicator>& spinner : page->activityIndicators())
        EXPECT_FALSE(spinner->isAnimating());
    EXPECT_LE(page->mostThumbnailDownloads(), TVPage::maxThumbnailDownloads);
    EXPECT_EQ(driver->label(u"SBK TV"_qs) != nullptr, true);
}

TEST_F(VideoTest, AFailedFeedAlertsAndTryAgainBuildsTheList) {
    start();
    useFeed(2);
    LocalHttpServer::Answer reset;
    reset.kind = LocalHttpServer::Answer::Reset;
    server->serve(u"/feed.xml"_qs, reset);
    driver->navigation()->pushViewController(std::make_unique<TVPage>(), false);
    driver->waitIdle();
    ASSERT_TRUE(showsTimeoutAlert(u"Oh no! The YouTube Feed is currently unavailable. Please check your "
                                  "internet connection and try again."_qs));
    AlertView* alert = AlertView::visibleAlert();
    server->serve(u"/feed.xml"_qs, feed(server->url(u"/"_qs), 2));
    alert->dismissWithButtonIndex(1);
    driver->waitIdle();
    EXPECT_EQ(list()->videoFeed().size(), 2);
    EXPECT_FALSE(list()->isWaiting());

    // An empty feed: an empty list, no overlay, no spinner.
    driver->navigation()->popViewControllerAnimated(false);
    server->serve(u"/feed.xml"_qs, QByteArray("<feed xmlns='http://www.w3.org/2005/Atom'/>"));
    driver->navigation()->pushViewController(std::make_unique<TVPage>(), false);
    driver->waitIdle();
    EXPECT_TRUE(list()->videoFeed().isEmpty());
    EXPECT_FALSE(list()->isWaiting());
    EXPECT_TRUE(list()->activityIndicators().isEmpty());
}

TEST_F(VideoTest, ThumbnailsThatComeAfterTheListWentTouchNothing) {
    start();
    useFeed(6);
    LocalHttpServer::Answer held;
    held.kind = LocalHttpServer::Answer::Held;
    held.body = pngBytes(Qt::red, QSize(120, 90));
    held.contentType = "image/png";
    for (int i = 0; i < 6; ++i)
        server->serve(u"/thumb/%1.png"_qs.arg(i), held);
    driver->navigation()->pushViewController(std::make_unique<TVPage>(), false);
    for (int turn = 0; turn < 20000 && server->requests(u"/thumb/0.png"_qs) == 0; ++turn)
        QCoreApplication::processEvents();
    ASSERT_EQ(server->requests(u"/thumb/0.png"_qs), 1);
    EXPECT_EQ(server->requests(u"/thumb/4.png"_qs), 0); // four at a time
    driver->navigation()->popViewControllerAnimated(false);
    for (int i = 0; i < 6; ++i)
        server->release(u"/thumb/%1.png"_qs.arg(i));
    driver->waitIdle();
    EXPECT_EQ(driver->navigation()->count(), 1);
}

TEST_F(VideoTest, AClipPlaysToItsEndAndTheListShowsAgain) {
    // A clip of the edition's own videos folder, named as a feed may name it.
    QDir(Paths::resourceFolder()).mkpath(u"videos"_qs);
    const QString clip = Paths::resourcePath(u"videos/clip.webm"_qs);
    const int made = QProcess::execute(u"gst-launch-1.0"_qs,
                                       {u"-q"_qs, u"videotestsrc"_qs, u"num-buffers=20"_qs, u"!"_qs,
                                        u"video/x-raw,width=160,height=120,framerate=20/1"_qs, u"!"_qs,
                                        u"vp8enc"_qs, u"deadline=1"_qs, u"!"_qs, u"webmmux"_qs, u"!"_qs,
                                        u"filesink"_qs, u"location="_qs + clip});
    ASSERT_EQ(made, 0) << "gst-launch-1.0 could not make a clip";
    start();
    useFeed(1);
    const QString address = u"clip.webm"_qs;
    driver->navigation()->pushViewController(std::make_unique<TVPage>(), false);
    driver->waitIdle();
    auto* page = new VideoPage(address);
    driver->navigation()->pushViewController(std::unique_ptr<VideoPage>(page), false);
    driver->waitIdle();
    QPointer<VideoPage> playing(page);
    QElapsedTimer clock;
    clock.start();
    int frames = 0;
    while (playing && clock.elapsed() < 20000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        if (playing && playing->player())
            frames = std::max(frames, playing->player()->framesShown());
    }
    EXPECT_GT(frames, 0);
    driver->waitIdle();
    EXPECT_TRUE(list() != nullptr) << "the list is on top again after the clip ended";

    // Closed by the reader.
    driver->navigation()->pushViewController(std::make_unique<VideoPage>(address), false);
    driver->waitIdle();
    auto* shown = qobject_cast<VideoPage*>(driver->navigation()->topViewController());
    ASSERT_NE(shown, nullptr);
    driver->tapView(shown->closeButton());
    EXPECT_TRUE(list() != nullptr);
}

TEST_F(VideoTest, ThePlayerGetsOnlyAddressesTheClientAllowsAndClipsOfTheEdition) {
    start();
    QTemporaryDir edition;
    Paths::setResourceFolder(edition.path());
    QDir(edition.path()).mkpath(u"videos"_qs);
    writeText(edition.filePath(u"videos/walk.webm"_qs), u"clip"_qs);
    EXPECT_EQ(VideoPage::playableAddress(u"walk.webm"_qs),
              QUrl::fromLocalFile(edition.filePath(u"videos/walk.webm"_qs)));
    EXPECT_EQ(VideoPage::playableAddress(u"http://127.0.0.1:8642/videos/a.webm"_qs),
              QUrl(u"http://127.0.0.1:8642/videos/a.webm"_qs));
    // The tests keep to this machine, as the tour does: another host is not reached by the player either.
    for (const char* refused :
         {"https://videos.example.org/a.webm", "file:///etc/passwd", "/etc/passwd", "../../etc/passwd",
          "videos/../../etc/passwd", "missing.webm", "rtsp://127.0.0.1/a", ""})
        EXPECT_TRUE(VideoPage::playableAddress(QString::fromLatin1(refused)).isEmpty()) << refused;
    // Without network, no address is played.
    HttpClient::setNetworkAvailable(false);
    EXPECT_TRUE(VideoPage::playableAddress(u"http://127.0.0.1:8642/videos/a.webm"_qs).isEmpty());
    HttpClient::setNetworkAvailable(true);
}

TEST_F(VideoTest, AnUnplayableClipAlertsAndAWebPlayersClipGoesToItsEmbedPage) {
    start();
    driver->navigation()->pushViewController(std::make_unique<VideoPage>(u"file:///nowhere/at/all.webm"_qs),
                                             false);
    QElapsedTimer clock;
    clock.start();
    while (!AlertView::visibleAlert() && clock.elapsed() < 20000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    AlertView* alert = AlertView::visibleAlert();
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->title(), u"Timeout"_qs);
    alert->dismissWithButtonIndex(0);
    driver->waitIdle();
    EXPECT_EQ(driver->navigation()->count(), 1);

    EXPECT_EQ(VideoPage::embedAddress(u"https://www.youtube.com/v/AbCdEf12345?version=3"_qs),
              QUrl(u"https://www.youtube.com/embed/AbCdEf12345"_qs));
    EXPECT_EQ(VideoPage::embedAddress(u"https://www.youtube.com/watch?v=AbCdEf12345"_qs),
              QUrl(u"https://www.youtube.com/embed/AbCdEf12345"_qs));
    EXPECT_TRUE(VideoPage::embedAddress(u"http://127.0.0.1/videos/a.webm"_qs).isEmpty());
    driver->navigation()->pushViewController(
        std::make_unique<VideoPage>(u"https://www.youtube.com/v/AbCdEf12345?version=3"_qs), false);
    driver->waitIdle();
    auto* web = qobject_cast<WebviewPage*>(driver->delegate()->visibleViewController());
    ASSERT_NE(web, nullptr);
    EXPECT_EQ(web->webPageAddress(), u"https://www.youtube.com/embed/AbCdEf12345"_qs);
    // Closing the web page closes the clip's page too.
    web->doneButtonTouched();
    driver->waitIdle();
    EXPECT_EQ(driver->navigation()->count(), 1);
}

TEST(VideoFeedClient, SendsItsAgentAndTheProtocolVersionUnlessTheQueryNamesOne) {
    auto header = [](const QList<QPair<QByteArray, QByteArray>>& headers, const char* name) {
        for (const auto& [key, value] : headers)
            if (key == name)
                return value;
        return QByteArray();
    };
    const auto plain =
        VideoFeedClient::requestHeaders(QUrl(u"http://h/feeds/playlist"_qs), u"cityguide"_qs, u"4.3"_qs);
    EXPECT_EQ(header(plain, "User-Agent"), QByteArray("cityguide CityguideFeeds/1.0 4.3 (gzip)"));
    EXPECT_EQ(header(plain, "GData-Version"), QByteArray("2.0"));
    EXPECT_TRUE(header(VideoFeedClient::requestHeaders(QUrl(u"http://h/f?v=2"_qs), u"a"_qs, u"4.3"_qs),
                       "GData-Version")
                    .isEmpty());
    EXPECT_TRUE(
        header(VideoFeedClient::requestHeaders(QUrl(u"http://h/f?alt=atom&v=2"_qs), u"a"_qs, u"4.3"_qs),
               "GData-Version")
            .isEmpty());
    EXPECT_EQ(header(VideoFeedClient::requestHeaders(QUrl(u"http://h/f?dev=1"_qs), u"a"_qs, u"4.3"_qs),
                     "GData-Version"),
              QByteArray("2.0"));
    // An agent that already names the client is sent alone; a placeholder gives way to the program's.
    EXPECT_EQ(
        header(VideoFeedClient::requestHeaders(QUrl(u"http://h/f"_qs), u"x CityguideFeeds/1.0"_qs, u"4.3"_qs),
               "User-Agent"),
        QByteArray("x CityguideFeeds/1.0"));
    EXPECT_TRUE(
        header(VideoFeedClient::requestHeaders(QUrl(u"http://h/f"_qs), u"MyCompany-App"_qs, u"4.3"_qs),
               "User-Agent")
            .startsWith("cityguide-0.1 "));
    EXPECT_TRUE(header(plain, "X-GData-Key").isEmpty());

    // The fetch, through the local server.
    LocalHttpServer server;
    server.serve(u"/feed.xml"_qs, fixtureBytes(u"feeds/videos.xml"_qs));
    std::optional<std::optional<QList<VideoEntry>>> result;
    QObject context;
    VideoFeedClient::fetchFeedWithURL(
        server.url(u"/feed.xml"_qs), &context,
        [&](std::optional<QList<VideoEntry>> entries, const QString&) { result = std::move(entries); });
    QElapsedTimer waited;
    waited.start();
    while (!result && waited.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    ASSERT_TRUE(result && *result);
    EXPECT_EQ((*result)->size(), 7);
    EXPECT_TRUE(server.lastHeaders(u"/feed.xml"_qs).contains("GData-Version: 2.0"));
}

} // namespace
