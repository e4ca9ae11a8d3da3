#include "app/ScreenTour.h"

#include "app/StrollbookAppDelegate.h"
#include "catalog/SQLDAL.h"
#include "model/Bookmarks.h"
#include "model/DAO.h"
#include "model/LenientDate.h"
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
#include "ui/AlertView.h"
#include "ui/Animation.h"
#include "ui/NavigationController.h"
#include "ui/NumberPad.h"
#include "ui/TextField.h"
#include "ui/TileMapView.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTimer>

namespace {

template <typename Page> Page* top(StrollbookAppDelegate* delegate) {
    return qobject_cast<Page*>(delegate->navigationController()->topViewController());
}

// The row of a category list that shows the text.
int rowNamed(CategoryPage* page, const QString& name) {
    const int first = page->hasCategoryIntroduction() ? 2 : 1;
    const int index = int(page->categoryNames().indexOf(name));
    return name == u"All" ? first - 1 : (index < 0 ? -1 : first + index);
}

void touchTool(VenuesPage* page, const QString& tool) {
    if (!page)
        return;
    for (BarButtonItem* item : page->toolbar()->items()) {
        if (auto* custom = qobject_cast<CustomBarButtonItem*>(item);
            custom && custom->selector().trimmed() == tool)
            custom->buttonTouched();
    }
}

} // namespace

bool ScreenTour::openDetail(const QString& title, int venueID) {
    NavigationController* navigation = delegate->navigationController();
    navigation->popToRootViewControllerAnimated(false);
    const QVariantList details = SQLDAL::getVenueWithVenueID(venueID, QString());
    if (details.value(0).toString().isEmpty())
        return false;
    navigation->pushViewController(
        std::make_unique<DetailedPage>(
            title, details.value(0).toString().replace(QStringLiteral("''"), QStringLiteral("'")), venueID),
        false);
    return true;
}

void ScreenTour::setFeedTimes(int secondsAgo) {
    ManagerModel* settings = DAOFactory::getInstance()->readSettingsFromFile(QStringLiteral("manager.csv"));
    const QString time =
        QDateTime::currentDateTime().addSecs(-secondsAgo).toString(QString::fromLatin1(feedTimePattern));
    settings->setDateCurrency(time);
    settings->setDateWeather(time);
    DAOFactory::getInstance()->saveSettings(*settings);
}

bool ScreenTour::search(const QString& text) {
    auto* page = top<SearchPage>(delegate);
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

bool ScreenTour::shoot(const QString& name) {
    const QString path = QDir(folder).filePath(name + QStringLiteral(".png"));
    if (!delegate->window()->grab().save(path)) {
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
    auto navigation = [this] { return delegate->navigationController(); };
    auto openChapter = [this](const QString& label) {
        auto* home = qobject_cast<ChapterPage*>(delegate->navigationController()->rootViewController());
        const int tag = int(home->buttonTags().indexOf(label));
        for (Button* button : home->scrollView()->findChildren<Button*>()) {
            if (button->tag() == tag && qobject_cast<CustomButton*>(button)) {
                home->categoryTouched(button);
                return true;
            }
        }
        return false;
    };
    auto detailPage = [this] { return top<DetailedPage>(delegate); };
    // A tool page opened again a day after its documents were fetched, with no network: its alert.
    auto reopenOffline = [this, navigation](std::unique_ptr<ViewController> page) {
        HttpClient::setNetworkAvailable(false);
        setFeedTimes(24 * 3600);
        navigation()->popToRootViewControllerAnimated(false);
        navigation()->pushViewController(std::move(page), false);
        return true;
    };
    scenes = {
        {QStringLiteral("home"), {[this] { return shoot(QStringLiteral("02-home")); }}},
        {QStringLiteral("a chapter's categories"),
         {
             [openChapter] { return openChapter(QStringLiteral("Sights")); },
             [this] { return shoot(QStringLiteral("03-categories")); },
             [this] {
                 auto* page = top<CategoryPage>(delegate);
                 if (!page || !page->hasCategoryIntroduction())
                     return false;
                 page->didSelectRow(page->tableView(), 0);
                 return true;
             },
             [this] { return shoot(QStringLiteral("04-introduction")); },
         }},
        {QStringLiteral("a chapter's venues"),
         {
             [navigation, openChapter] {
                 navigation()->popToRootViewControllerAnimated(false);
                 return openChapter(QStringLiteral("Sights"));
             },
             [this] {
                 // The list is pictured while it loads, then loaded.
                 auto* page = top<CategoryPage>(delegate);
                 if (!page)
                     return false;
                 page->didSelectRow(page->tableView(), rowNamed(page, QStringLiteral("All")));
                 return shoot(QStringLiteral("05-loading"));
             },
             [this] { return top<VenuesPage>(delegate) && shoot(QStringLiteral("06-venues")); },
             [this] {
                 touchTool(top<VenuesPage>(delegate), QStringLiteral("SortNearest.tool"));
                 return true;
             },
             [this] { return shoot(QStringLiteral("07-venues-nearest")); },
         }},
        // Three venues in full: with a picture and a long text, an event, a hotel.
        {QStringLiteral("a venue with a picture"),
         {
             [this] { return openDetail(QStringLiteral("Sights"), 1); },
             [this] { return shoot(QStringLiteral("08-detail-picture")); },
             [this, detailPage] {
                 detailPage()->scrollView()->setContentOffset(QPoint(0, 10000));
                 return shoot(QStringLiteral("09-detail-picture-end"));
             },
         }},
        {QStringLiteral("an event"),
         {
             [this] { return openDetail(QStringLiteral("Events"), 239); },
             [this] { return shoot(QStringLiteral("10-detail-event")); },
         }},
        {QStringLiteral("a hotel"),
         {
             [this] { return openDetail(QStringLiteral("Hotels"), 219); },
             [this] { return shoot(QStringLiteral("11-detail-hotel")); },
             [detailPage] {
                 // Bookmarked from the detail page: the confirmation rises.
                 for (BarButtonItem* item : detailPage()->toolbar()->items()) {
                     if (auto* tool = qobject_cast<CustomBarButtonItem*>(item);
                         tool && tool->selector().trimmed() == u"Bookmark.tool")
                         tool->buttonTouched();
                 }
                 return true;
             },
             [this] { return shoot(QStringLiteral("12-detail-bookmarked")); },
         }},
        {QStringLiteral("the bookmarks"),
         {
             [this, navigation] {
                 Bookmarks::add(QStringLiteral("St. Stephen's Cathedral"));
                 Bookmarks::add(QStringLiteral("Vienna Christmas Dream at the Rathausplatz"));
                 navigation()->popToRootViewControllerAnimated(false);
                 navigation()->pushViewController(std::make_unique<BookmarkPage>(), false);
                 return true;
             },
             [this] { return shoot(QStringLiteral("13-bookmarks")); },
         }},
        {QStringLiteral("search"),
         {
             [navigation] {
                 navigation()->popToRootViewControllerAnimated(false);
                 navigation()->pushViewController(std::make_unique<SearchPage>(QStringLiteral("Search")),
                                                  false);
                 return true;
             },
             [this] { return search(QStringLiteral("schnitzel")); },
             [this] { return shoot(QStringLiteral("14-search-results")); },
             [this] { return search(QStringLiteral("zzyzx")); },
             [this] { return shoot(QStringLiteral("15-search-nothing")); },
         }},
        {QStringLiteral("the live map"),
         {
             [navigation] {
                 navigation()->popToRootViewControllerAnimated(false);
                 navigation()->pushViewController(LiveMap::initWithUserLocation(), false);
                 return true;
             },
             [this] {
                 auto* map = top<LiveMap>(delegate);
                 return map && !map->placemarks().isEmpty() && shoot(QStringLiteral("24-live-map"));
             },
             [this] {
                 auto* map = top<LiveMap>(delegate);
                 const QList<CustomPlacemark> pins = map->placemarks();
                 int shown = 0;
                 for (int i = 0; i < pins.size(); ++i)
                     if (pins[i].title.startsWith(QStringLiteral("St. Stephen")))
                         shown = i;
                 map->mapView()->selectAnnotation(shown);
                 return shoot(QStringLiteral("25-live-map-callout"));
             },
             [this] { return openDetail(QStringLiteral("Sights"), 1); },
             [this] {
                 auto* page = top<DetailedPage>(delegate);
                 for (BarButtonItem* item : page->toolbar()->items()) {
                     if (auto* tool = qobject_cast<CustomBarButtonItem*>(item);
                         tool && tool->selector().trimmed() == u"LiveMap.tool" && tool->isEnabled()) {
                         tool->buttonTouched();
                         return true;
                     }
                 }
                 return false;
             },
             [this] { return top<LiveMap>(delegate) && shoot(QStringLiteral("26-live-map-venue")); },
         }},
        {QStringLiteral("the offline maps"),
         {
             [this, navigation, openChapter] {
                 navigation()->popToRootViewControllerAnimated(false);
                 return openChapter(QStringLiteral("Maps"));
             },
             [this] { return top<OfflineMapsPage>(delegate) && shoot(QStringLiteral("21-offline-maps")); },
             [this] {
                 auto* page = top<OfflineMapsPage>(delegate);
                 const QList<Button*> thumbnails = page->scrollView()->findChildren<Button*>();
                 if (thumbnails.size() < 2)
                     return false;
                 page->mapButtonTouched(thumbnails[1]);
                 return true;
             },
             [this] { return shoot(QStringLiteral("22-map-picture")); },
             [this, navigation, openChapter] {
                 if (auto* map = qobject_cast<MapView*>(delegate->visibleViewController()))
                     map->close();
                 navigation()->popToRootViewControllerAnimated(false);
                 return openChapter(QStringLiteral("Metro"));
             },
             [this] {
                 return qobject_cast<MapView*>(delegate->visibleViewController()) &&
                        shoot(QStringLiteral("23-metro-map"));
             },
             [this] {
                 qobject_cast<MapView*>(delegate->visibleViewController())->close();
                 return true;
             },
         }},
        // The tools with live data, from the edition's cached documents, then without a network.
        {QStringLiteral("the currency converter"),
         {
             [this, navigation] {
                 setFeedTimes(0);
                 navigation()->popToRootViewControllerAnimated(false);
                 navigation()->pushViewController(std::make_unique<CurrencyPage>(), false);
                 return true;
             },
             [this] {
                 return top<CurrencyPage>(delegate) && top<CurrencyPage>(delegate)->tableView() &&
                        shoot(QStringLiteral("16-currency"));
             },
             [this] {
                 auto* page = top<CurrencyPage>(delegate);
                 delegate->window()->activateWindow();
                 page->didSelectRow(page->tableView(), 1);
                 return true;
             },
             [this] {
                 NumberPad* pad = NumberPad::shared();
                 if (!pad->isShown() || !pad->target())
                     return false;
                 pad->target()->setText(QString());
                 for (int digit : {2, 5, 0})
                     pad->digitKey(digit)->touchUpInside(pad->digitKey(digit));
                 return true;
             },
             [this] { return shoot(QStringLiteral("17-currency-editing")); },
             [reopenOffline] {
                 NumberPad::shared()->doneTouched();
                 return reopenOffline(std::make_unique<CurrencyPage>());
             },
             [this] { return AlertView::visibleAlert() && shoot(QStringLiteral("18-currency-offline")); },
             [] {
                 AlertView::visibleAlert()->dismissWithButtonIndex(0);
                 HttpClient::setNetworkAvailable(true);
                 return true;
             },
         }},
        {QStringLiteral("the weather"),
         {
             [this, navigation] {
                 setFeedTimes(0);
                 navigation()->popToRootViewControllerAnimated(false);
                 navigation()->pushViewController(std::make_unique<WeatherPage>(), false);
                 return true;
             },
             [this] { return top<WeatherPage>(delegate) && shoot(QStringLiteral("19-weather")); },
             [reopenOffline] { return reopenOffline(std::make_unique<WeatherPage>()); },
             [this] { return AlertView::visibleAlert() && shoot(QStringLiteral("20-weather-alert")); },
             [] {
                 AlertView::visibleAlert()->dismissWithButtonIndex(0);
                 HttpClient::setNetworkAvailable(true);
                 return true;
             },
         }},
        {QStringLiteral("the imprint"),
         {
             [this, navigation] {
                 navigation()->popToRootViewControllerAnimated(false);
                 auto* home = qobject_cast<ChapterPage*>(navigation()->rootViewController());
                 home->infoTouched();
                 return true;
             },
             [this] {
                 return qobject_cast<ImprintPage*>(delegate->visibleViewController()) &&
                        shoot(QStringLiteral("30-imprint"));
             },
             [this] {
                 qobject_cast<ImprintPage*>(delegate->visibleViewController())->doneButtonTouched();
                 return true;
             },
         }},
        {QStringLiteral("the sponsored placements"),
         {
             [navigation, openChapter] {
                 navigation()->popToRootViewControllerAnimated(false);
                 return openChapter(QStringLiteral("Museums"));
             },
             [this] { return top<Placement>(delegate) && shoot(QStringLiteral("31-placement-with-venue")); },
             [navigation, openChapter] {
                 navigation()->popToRootViewControllerAnimated(false);
                 return openChapter(QStringLiteral("Hotels"));
             },
             [this] { return top<Placement>(delegate) && shoot(QStringLiteral("32-placement")); },
         }},
        // The web page needs the edition's server too (run.sh starts it).
        {QStringLiteral("a web page"),
         {
             [this, navigation] {
                 navigation()->popToRootViewControllerAnimated(false);
                 navigation()->rootViewController()->presentModalViewController(
                     std::make_unique<WebviewPage>(QStringLiteral("127.0.0.1:8642/web/index.html")), false);
                 return true;
             },
             [this] {
                 auto* page = qobject_cast<WebviewPage*>(delegate->visibleViewController());
                 QElapsedTimer clock;
                 clock.start();
                 while (page && page->webView()->title().isEmpty() && clock.elapsed() < 8000)
                     QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
                 const bool loaded = page && !page->webView()->title().isEmpty() &&
                                     !page->webView()->title().startsWith(QStringLiteral("127.0.0.1"));
                 if (loaded) {
                     // Painted a moment after it has loaded.
                     clock.restart();
                     while (clock.elapsed() < 500)
                         QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
                     shoot(QStringLiteral("33-web-page"));
                 }
                 if (page)
                     page->doneButtonTouched();
                 return loaded;
             },
         }},
        // Last: the playlist needs the edition's feed server (run.sh starts it); without it the scene
        // is skipped and its alert put away.
        {QStringLiteral("the videos"),
         {
             [navigation] {
                 navigation()->popToRootViewControllerAnimated(false);
                 navigation()->pushViewController(std::make_unique<TVPage>(), false);
                 return true;
             },
             [this] { return top<TVPage>(delegate) && shoot(QStringLiteral("27-videos-loading")); },
             [this] {
                 auto* page = top<TVPage>(delegate);
                 if (!page || page->videoFeed().isEmpty()) {
                     if (AlertView* alert = AlertView::visibleAlert())
                         alert->dismissWithButtonIndex(0);
                     return false;
                 }
                 return shoot(QStringLiteral("28-videos"));
             },
             [this] {
                 auto* page = top<TVPage>(delegate);
                 page->didSelectRow(page->tableView(), 0);
                 return true;
             },
             [this] {
                 // The first frames of the clip.
                 auto* page = top<VideoPage>(delegate);
                 QElapsedTimer clock;
                 clock.start();
                 while (page && page->player() && page->player()->framesShown() < 10 &&
                        clock.elapsed() < 8000)
                     QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
                 page = top<VideoPage>(delegate);
                 const bool playing = page && page->player() && page->player()->framesShown() > 0;
                 if (playing)
                     shoot(QStringLiteral("29-video-playing"));
                 if (page)
                     page->close();
                 if (AlertView* alert = AlertView::visibleAlert())
                     alert->dismissWithButtonIndex(0);
                 return playing;
             },
         }},
    };
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
        QApplication::exit(failed ? 1 : 0);
        return;
    }
    const Scene& scene = scenes[currentScene];
    if (!scene.steps[currentStep++]()) {
        logLine(QStringLiteral("The tour skips %1: the edition does not have it").arg(scene.name));
        currentStep = scene.steps.size();
    }
    QTimer::singleShot(30, this, [this] { next(); });
}
