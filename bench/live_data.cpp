// The live-data tools and the video list: the converter from its cached rates (from the touch on the home
// screen's tool until the list is painted, next to pushing an empty page the same way), reading a 1 MB
// weather document (next to a bare libxml2 walk over the same bytes), and the memory that reading a 1 MB
// document full of declared entities takes.
// usage: bench_live_data [RUNS [EDITION]]

#include "app/StrollbookAppDelegate.h"
#include "bench/Screens.h"
#include "feeds/ReferenceRates.h"
#include "feeds/VideoFeed.h"
#include "feeds/WeatherDocument.h"
#include "location/LocationManager.h"
#include "model/DAO.h"
#include "model/LenientDate.h"
#include "pages/CurrencyPage.h"
#include "pages/TVPage.h"
#include "pages/WebviewPage.h"
#include "platform/HttpClient.h"
#include "platform/OperationQueue.h"
#include "platform/Paths.h"
#include "platform/UserDefaults.h"
#include "tests/support/LocalHttpServer.h"
#include "ui/Animation.h"
#include "ui/NavigationController.h"
#include "ui/WebView.h"

#include <QApplication>
#include <QBuffer>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <libxml/xmlreader.h>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

using bench::median;
using bench::settle;

namespace {

long peakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// A weather document of about 1 MB: the current condition and as many days as fit.
QByteArray bigWeather() {
    QByteArray document =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?><data><current_condition><a>08:50 AM</a>"
        "<b>2</b><c>36</c><d>122</d><e>http://x/sunny.png</e><f>Overcast</f><g>7</g><h>11</h>"
        "<i>300</i><j>WNW</j><k>0.1</k><l>87</l></current_condition>";
    while (document.size() < 1024 * 1024)
        document +=
            "<weather><date>2026-12-14</date><tempMaxC>3</tempMaxC><tempMaxF>37</tempMaxF><tempMinC>-1"
            "</tempMinC><tempMinF>30</tempMinF><windspeedMiles>6</windspeedMiles><windspeedKmph>10"
            "</windspeedKmph><winddirection>W</winddirection><winddir16Point>WNW</winddir16Point>"
            "<winddirDegree>290</winddirDegree><weatherCode>122</weatherCode><weatherIconUrl>http://"
            "127.0.0.1:8642/wsymbol_0004_black_low_cloud.png</weatherIconUrl><weatherDesc>Overcast"
            "</weatherDesc><precipMM>0.2</precipMM></weather>";
    return document + "</data>";
}

// About 1 MB of references to an entity that would grow to 10^7 characters each if it were expanded.
QByteArray hostileDocument() {
    QByteArray document =
        "<?xml version=\"1.0\"?><!DOCTYPE data [<!ENTITY a \"1234567890\">"
        "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\"><!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">"
        "<!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\"><!ENTITY e \"&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;\">"
        "<!ENTITY f \"&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;\"><!ENTITY g \"&f;&f;&f;&f;&f;&f;&f;&f;&f;&f;\">]>"
        "<data><current_condition>";
    while (document.size() < 1024 * 1024)
        document += "<a>&g;</a><b v=\"&g;\">&g;&g;</b>";
    return document + "</current_condition></data>";
}

double bareWalk(const QByteArray& bytes) {
    QElapsedTimer timer;
    timer.start();
    xmlTextReaderPtr reader = xmlReaderForMemory(bytes.constData(), int(bytes.size()), nullptr, nullptr,
                                                 XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    int nodes = 0;
    while (xmlTextReaderRead(reader) == 1)
        nodes += xmlTextReaderNodeType(reader) == XML_READER_TYPE_TEXT;
    xmlFreeTextReader(reader);
    return timer.nsecsElapsed() / 1e6 + nodes * 0.0;
}

} // namespace

int main(int argc, char** argv) {
    // The hostile document first, while the process is still small.
    const QByteArray hostile = hostileDocument();
    const long before = peakKilobytes();
    const auto hostileRead = WeatherReader::read(hostile);
    const long hostileGrowth = peakKilobytes() - before;

    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The web engine runs as root here only without its sandbox.
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 7;

    const QByteArray weather = bigWeather();
    std::vector<double> guideReads, bareReads;
    int rows = 0;
    for (int run = 0; run < runs * 3; ++run) {
        QElapsedTimer timer;
        timer.start();
        const auto elements = WeatherReader::read(weather);
        rows = int(WeatherReader::entries(*elements, false, false).size());
        guideReads.push_back(timer.nsecsElapsed() / 1e6);
        bareReads.push_back(bareWalk(weather));
    }

    QTemporaryDir documents;
    bench::useEdition(argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral(GUIDE_DEMO_EDITION),
                      documents.path(), std::nullopt);
    HttpClient::setNetworkAvailable(false);
    StrollbookAppDelegate delegate;
    delegate.applicationDidFinishLaunching();
    settle();
    ManagerModel* settings = DAOFactory::getInstance()->readSettingsFromFile(QStringLiteral("manager.csv"));
    settings->setDateCurrency(QDateTime::currentDateTime().toString(QString::fromLatin1(feedTimePattern)));
    DAOFactory::getInstance()->saveSettings(*settings);
    NavigationController* navigation = delegate.navigationController();

    std::vector<double> converter, empty;
    int currencies = 0;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        navigation->pushViewController(std::make_unique<CurrencyPage>(), false);
        settle();
        delegate.window()->repaint();
        converter.push_back(timer.nsecsElapsed() / 1e6);
        auto* page = qobject_cast<CurrencyPage*>(navigation->topViewController());
        currencies = page && page->tableView() ? page->tableView()->numberOfRows() : 0;
        navigation->popViewControllerAnimated(false);
        settle();

        timer.restart();
        navigation->pushViewController(std::make_unique<ViewController>(), false);
        settle();
        delegate.window()->repaint();
        empty.push_back(timer.nsecsElapsed() / 1e6);
        navigation->popViewControllerAnimated(false);
        settle();
    }

    // The video list: a 200-clip feed read, and the list on screen from the push (the feed comes from a
    // server on this machine), with the most thumbnail downloads at one time.
    QByteArray feed = "<feed xmlns='http://www.w3.org/2005/Atom' xmlns:media='http://search.yahoo.com/mrss/' "
                      "xmlns:yt='http://gdata.youtube.com/schemas/2007'>";
    using testsupport::LocalHttpServer;
    LocalHttpServer server;
    QImage thumbnail(120, 90, QImage::Format_RGB32);
    thumbnail.fill(Qt::darkCyan);
    QByteArray png;
    QBuffer pngBuffer(&png);
    pngBuffer.open(QIODevice::WriteOnly);
    thumbnail.save(&pngBuffer, "PNG");
    for (int i = 0; i < 200; ++i) {
        feed +=
            QStringLiteral("<entry><title>Clip %1</title><media:group><media:title>Clip number %1 of the "
                           "edition's playlist</media:title><media:content url='http://127.0.0.1/%1.webm' "
                           "type='video/webm'/><media:thumbnail url='%2t/%1.png' width='120' height='90'/>"
                           "<yt:duration seconds='%1'/></media:group></entry>")
                .arg(i)
                .arg(server.url(QStringLiteral("/")).toString())
                .toUtf8();
        server.serve(QStringLiteral("/t/%1.png").arg(i), png);
    }
    feed += "</feed>";
    server.serve(QStringLiteral("/feed.xml"), feed);
    std::vector<double> feedReads;
    for (int run = 0; run < runs * 3; ++run) {
        QElapsedTimer timer;
        timer.start();
        const auto entries = VideoFeedReader::read(feed);
        feedReads.push_back(timer.nsecsElapsed() / 1e6);
        if (!entries || entries->size() != 200)
            std::fprintf(stderr, "the feed did not read\n");
    }
    HttpClient::setNetworkAvailable(true);
    settings->setFeedTV(server.url(QStringLiteral("/feed.xml")).toString());
    DAOFactory::getInstance()->saveSettings(*settings);
    std::vector<double> lists;
    int mostDownloads = 0;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        navigation->pushViewController(std::make_unique<TVPage>(), false);
        auto* page = qobject_cast<TVPage*>(navigation->topViewController());
        while (page->videoFeed().isEmpty() && timer.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        delegate.window()->repaint();
        lists.push_back(timer.nsecsElapsed() / 1e6);
        settle();
        mostDownloads = std::max(mostDownloads, page->mostThumbnailDownloads());
        navigation->popViewControllerAnimated(false);
        settle();
    }

    // The web page: from the touch until the local page has loaded and been painted, next to the
    // same page's answer alone.
    LocalHttpServer web;
    web.serve(QStringLiteral("/page.html"),
              QByteArray("<html><head><title>Sample</title></head><body><h1>Sample</h1><p>A page of the "
                         "edition.</p></body></html>"));
    std::vector<double> webPages;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        auto owned = std::make_unique<WebviewPage>(web.url(QStringLiteral("/page.html")).toString());
        WebviewPage* page = owned.get();
        navigation->rootViewController()->presentModalViewController(std::move(owned), false);
        bool loaded = false;
        QObject::connect(page->webView(), &WebView::loadFinished, [&loaded](bool) { loaded = true; });
        while (!loaded && timer.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        delegate.window()->repaint();
        webPages.push_back(timer.nsecsElapsed() / 1e6);
        page->doneButtonTouched();
        settle();
    }

    std::printf("converter from cache to painted list  %.1f ms   (median of %d; %d currencies)\n",
                median(converter), runs, currencies);
    std::printf("  an empty page pushed and painted    %.1f ms   (ratio %.2f)\n", median(empty),
                median(converter) / median(empty));
    std::printf("1 MB weather document read            %.1f ms   (median; %d rows)\n", median(guideReads),
                rows);
    std::printf("  bare libxml2 walk of the same bytes %.1f ms   (ratio %.2f)\n", median(bareReads),
                median(guideReads) / median(bareReads));
    std::printf("200-clip video feed read              %.2f ms   (median)\n", median(feedReads));
    std::printf(
        "video list, push to painted list      %.1f ms   (median, the feed fetched from this machine; at "
        "most %d thumbnail downloads at once)\n",
        median(lists), mostDownloads);
    std::printf(
        "web page, touch to loaded and painted %.0f ms   (median; a page from this machine; the first "
        "%.0f ms)\n",
        median(webPages), webPages.front());
    std::printf("1 MB document of declared entities    %ld KB more peak memory (%s)\n", hostileGrowth,
                hostileRead ? "read, nothing expanded" : "refused");
    return 0;
}
