#include "app/ScreenTour.h"

#include "app/StrollbookAppDelegate.h"
#include "app/TourPicks.h"
#include "catalog/SQLDAL.h"
#include "model/Bookmarks.h"
#include "model/DAO.h"
#include "model/LenientDate.h"
#include "model/ShareData.h"
#include "pages/BookmarkPage.h"
#include "pages/CategoryPage.h"
#include "pages/ChapterPage.h"
#include "pages/CurrencyPage.h"
#include "pages/DetailedPage.h"
#include "pages/ImprintPage.h"
#include "pages/LiveMap.h"
#include "pages/OfflineMapsPage.h"
#include "pages/Placement.h"
#include "pages/SearchPage.h"
#include "pages/TVPage.h"
#include "pages/VenuesPage.h"
#include "pages/WeatherPage.h"
#include "pages/WebviewPage.h"
#include "platform/HttpClient.h"
#include "platform/Log.h"
#include "platform/OperationQueue.h"
#include "platform/Paths.h"
#include "ui/AlertView.h"
#include "ui/Animation.h"
#include "ui/EngineModules.h"
#include "ui/NavigationController.h"
#include "ui/NumberPad.h"
#include "ui/TextField.h"
#include "ui/TileMapView.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTimer>
#include <memory>
#include <sqlite3.h>

namespace {

QString alertText(const AlertView* alert) {
    return alert->message().isEmpty() ? alert->title()
                                      : alert->title() + QStringLiteral(": ") + alert->message();
}

} // namespace

NavigationController* ScreenTour::navigation() const {
    return delegate->navigationController();
}

bool ScreenTour::openChapter(const QString& label) {
    auto* home = qobject_cast<ChapterPage*>(navigation()->rootViewController());
    return home && home->openChapter(label);
}

DetailedPage* ScreenTour::detailPage() const {
    return qobject_cast<DetailedPage*>(navigation()->topViewController());
}

// A tool page opened again a day after its documents were fetched, with no network: its alert.
bool ScreenTour::reopenOffline(std::unique_ptr<ViewController> page) {
    HttpClient::setNetworkAvailable(false);
    setFeedTimes(24 * 3600);
    navigation()->popToRootViewControllerAnimated(false);
    navigation()->pushViewController(std::move(page), false);
    return true;
}

bool ScreenTour::openDetail(const TourPick& venue) {
    if (!venue)
        return false;
    NavigationController* navigation = delegate->navigationController();
    navigation->popToRootViewControllerAnimated(false);
    navigation->pushViewController(std::make_unique<DetailedPage>(venue.chapter, venue.name, venue.id),
                                   false);
    return true;
}

void ScreenTour::setFeedTimes(int secondsAgo) {
    ManagerModel* settings = readerSettings();
    const QString time =
        QDateTime::currentDateTime().addSecs(-secondsAgo).toString(QString::fromLatin1(feedTimePattern));
    settings->setDateCurrency(time);
    settings->setDateWeather(time);
    DAOFactory::getInstance()->saveSettings(*settings);
}

bool ScreenTour::search(const QString& text) {
    auto* page = qobject_cast<SearchPage*>(navigation()->topViewController());
    if (!page)
        return false;
    page->searchField()->setText(QString());
    for (const QChar c : text)
        page->searchField()->type(QString(c));
    page->searchButtonTouched();
    return true;
}

ScreenTour::ScreenTour(StrollbookAppDelegate* appDelegate, const QString& target)
    : delegate(appDelegate), folder(target) {}

bool ScreenTour::skip(const QString& reason) {
    skipReason = reason;
    return false;
}

bool ScreenTour::putAwayAlert() {
    AlertView* alert = AlertView::visibleAlert();
    if (!alert || alertsPutAway >= 20)
        return false;
    ++alertsPutAway;
    logLine(QStringLiteral("The tour puts away the alert \"%1\" before %2")
                .arg(alertText(alert), scenes[currentScene].name));
    alert->dismissWithButtonIndex(0);
    return true;
}

bool ScreenTour::writeReport() const {
    QJsonArray shots, skips;
    for (const Picture& picture : pictures)
        shots.append(QJsonObject{{QStringLiteral("file"), picture.file},
                                 {QStringLiteral("scene"), picture.scene},
                                 {QStringLiteral("page"), picture.page},
                                 {QStringLiteral("title"), picture.title},
                                 {QStringLiteral("alerts"), QJsonArray::fromStringList(picture.alerts)}});
    for (const Skipped& skip : skipped)
        skips.append(QJsonObject{{QStringLiteral("scene"), skip.scene},
                                 {QStringLiteral("reason"), skip.reason},
                                 {QStringLiteral("pictured"), QJsonArray::fromStringList(skip.pictured)}});
    QSaveFile file(QDir(folder).filePath(QStringLiteral("tour.json")));
    const QByteArray bytes =
        QJsonDocument(QJsonObject{{QStringLiteral("pictures"), shots}, {QStringLiteral("skipped"), skips}})
            .toJson();
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

bool ScreenTour::shoot(const QString& name) {
    const QString path = QDir(folder).filePath(name + QStringLiteral(".png"));
    Picture picture;
    picture.file = name + QStringLiteral(".png");
    picture.scene = currentScene < scenes.size() ? scenes[currentScene].name : QStringLiteral("start-up");
    if (const ViewController* page = delegate->visibleViewController()) {
        picture.page = QString::fromLatin1(page->metaObject()->className());
        picture.title = page->title();
    }
    if (const AlertView* alert = AlertView::visibleAlert())
        picture.alerts.append(alertText(alert));
    pictures.push_back(picture);
    // The whole display when the screen fills one (--fullscreen), else the phone's screen.
    if (!delegate->window()->window()->grab().save(path)) {
        qWarning("cannot write %s", qPrintable(path));
        failed = true;
    }
    return true;
}

void ScreenTour::start() {
    QDir().mkpath(folder);
    // Half-way through the fade of the start-up picture.
    QTimer::singleShot(2000, this, [this] { shoot(QStringLiteral("01-startup-fade")); });
    connect(delegate, &StrollbookAppDelegate::startupFinished, this, [this] {
        Animation::setEnabled(false); // the rest of the tour needs no slides
        walk();
    });
}

void ScreenTour::walk() {
    picks = std::make_shared<const TourPicks>(pickFromEdition());
    scenes = {homeScene(),    categoriesScene(),  venuesScene(),    pictureScene(),
              eventScene(),   hotelScene(),       bookmarksScene(), searchScene(),
              liveMapScene(), offlineMapsScene(), converterScene(), weatherScene(),
              imprintScene(), placementsScene(),  webPageScene(),   videosScene()};
    currentScene = 0;
    currentStep = 0;
    next();
}

// Each step runs once the guide has come to rest after the one before.
void ScreenTour::next() {
    if (OperationQueue::outstandingOperations() > 0 || Animation::running() > 0 ||
        HttpClient::outstandingRequests() > 0) {
        QTimer::singleShot(10, this, [this] { next(); });
        return;
    }
    while (currentScene < scenes.size() && currentStep >= scenes[currentScene].steps.size()) {
        ++currentScene;
        currentStep = 0;
    }
    if (currentScene >= scenes.size()) {
        if (!writeReport()) {
            qWarning("cannot write %s/tour.json", qPrintable(folder));
            failed = true;
        }
        QApplication::exit(failed ? 1 : 0);
        return;
    }
    const Scene& scene = scenes[currentScene];
    if (currentStep == 0) {
        // One alert at a time, each gone before the next look.
        if (putAwayAlert()) {
            QTimer::singleShot(30, this, [this] { next(); });
            return;
        }
        alertsPutAway = 0;
        sceneStart = pictures.size();
    }
    skipReason.clear();
    if (!scene.steps[currentStep++]()) {
        Skipped skip{scene.name,
                     skipReason.isEmpty() ? QStringLiteral("the edition does not have it") : skipReason,
                     {}};
        for (size_t i = sceneStart; i < pictures.size(); ++i)
            skip.pictured.append(pictures[i].file);
        if (skip.pictured.isEmpty())
            logLine(QStringLiteral("The tour skips %1: %2").arg(scene.name, skip.reason));
        else
            logLine(QStringLiteral("The tour ends %1 after %2: %3")
                        .arg(scene.name, skip.pictured.join(QStringLiteral(", ")), skip.reason));
        skipped.push_back(skip);
        currentStep = scene.steps.size();
    }
    QTimer::singleShot(30, this, [this] { next(); });
}
