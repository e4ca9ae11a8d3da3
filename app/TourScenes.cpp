#include "app/ScreenTour.h"
#include "app/TourPicks.h"

#include "app/StrollbookAppDelegate.h"
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
#include "pages/PageSupport.h"
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

template <typename Page> Page* top(StrollbookAppDelegate* delegate) {
    return qobject_cast<Page*>(delegate->navigationController()->topViewController());
}

// Touches the tool of that id on the page's tool bar; false when the bar has none.
template <class Page> bool touchTool(Page* page, const QString& tool) {
    CustomBarButtonItem* item = page ? toolNamed(page->toolbar(), tool) : nullptr;
    if (!item || !item->isEnabled())
        return false;
    item->buttonTouched();
    return true;
}

const QString noVenues = QStringLiteral("no chapter on the home screen has venues");

// What the alert on screen says, as the end of a reason; empty without one.
QString alertSaying() {
    const AlertView* alert = AlertView::visibleAlert();
    return alert ? QStringLiteral(": the guide says \"%1\" (%2)").arg(alert->title(), alert->message())
                 : QString();
}

} // namespace

// The alert of a page opened offline, pictured and put away; the network is back on either way.
ScreenTour::Step ScreenTour::offlineAlertPicture(const QString& picture) {
    return [this, picture] {
        const bool shown = AlertView::visibleAlert() != nullptr;
        if (shown) {
            shoot(picture);
            AlertView::visibleAlert()->dismissWithButtonIndex(0);
        }
        HttpClient::setNetworkAvailable(true);
        return shown || skip(QStringLiteral("no alert came up offline"));
    };
}

ScreenTour::Scene ScreenTour::homeScene() {
    return {QStringLiteral("home"), {[this] { return shoot(QStringLiteral("02-home")); }}};
}

ScreenTour::Scene ScreenTour::categoriesScene() {
    return {
        QStringLiteral("a chapter's categories"),
        {
            [this] {
                return picks->firstChapter.isEmpty() ? skip(noVenues) : openChapter(picks->firstChapter);
            },
            [this] { return shoot(QStringLiteral("03-categories")); },
            [this] {
                auto* page = top<CategoryPage>(delegate);
                return (page && page->openIntroduction()) ||
                       skip(
                           QStringLiteral("the chapter \"%1\" has no introduction").arg(picks->firstChapter));
            },
            [this] { return shoot(QStringLiteral("04-introduction")); },
        }};
}

ScreenTour::Scene ScreenTour::venuesScene() {
    return {QStringLiteral("a chapter's venues"),
            {
                [this] {
                    navigation()->popToRootViewControllerAnimated(false);
                    return picks->firstChapter.isEmpty() ? skip(noVenues) : openChapter(picks->firstChapter);
                },
                [this] {
                    // The list is pictured while it loads, then loaded.
                    auto* page = top<CategoryPage>(delegate);
                    if (!page || !page->openCategory(QStringLiteral("All")))
                        return false;
                    return shoot(QStringLiteral("05-loading"));
                },
                [this] { return top<VenuesPage>(delegate) && shoot(QStringLiteral("06-venues")); },
                [this] {
                    return touchTool(top<VenuesPage>(delegate), QStringLiteral("SortNearest.tool")) ||
                           skip(QStringLiteral("the venue list's tool bar has no SortNearest.tool"));
                },
                [this] { return shoot(QStringLiteral("07-venues-nearest")); },
            }};
}

// Three venues in full: with a picture and a long text, an event, a hotel.
ScreenTour::Scene ScreenTour::pictureScene() {
    return {QStringLiteral("a venue with a picture"),
            {
                [this] { return openDetail(picks->picture) || skip(noVenues); },
                [this] { return shoot(QStringLiteral("08-detail-picture")); },
                [this] {
                    detailPage()->scrollView()->setContentOffset(QPoint(0, 10000));
                    return shoot(QStringLiteral("09-detail-picture-end"));
                },
            }};
}

ScreenTour::Scene ScreenTour::eventScene() {
    return {
        QStringLiteral("an event"),
        {
            [this] {
                return openDetail(picks->event) ||
                       skip(QStringLiteral("no venue of a chapter on the home screen has dates (date_start, "
                                           "date_stop)"));
            },
            [this] { return shoot(QStringLiteral("10-detail-event")); },
        }};
}

ScreenTour::Scene ScreenTour::hotelScene() {
    return {QStringLiteral("a hotel"),
            {
                [this] {
                    return openDetail(picks->hotel) ||
                           skip(QStringLiteral("no venue of a chapter on the home screen has rooms "
                                               "(hotel_room_decription)"));
                },
                [this] { return shoot(QStringLiteral("11-detail-hotel")); },
                [this] {
                    // Bookmarked from the detail page: the confirmation rises.
                    return touchTool(detailPage(), QStringLiteral("Bookmark.tool")) ||
                           skip(QStringLiteral("the venue detail's tool bar has no Bookmark.tool"));
                },
                [this] { return shoot(QStringLiteral("12-detail-bookmarked")); },
            }};
}

ScreenTour::Scene ScreenTour::bookmarksScene() {
    return {QStringLiteral("the bookmarks"),
            {
                [this] {
                    if (!picks->picture)
                        return skip(noVenues);
                    Bookmarks::add(picks->picture.name);
                    if (const TourPick& second = picks->event ? picks->event : picks->other)
                        Bookmarks::add(second.name);
                    navigation()->popToRootViewControllerAnimated(false);
                    navigation()->pushViewController(std::make_unique<BookmarkPage>(), false);
                    return true;
                },
                [this] { return shoot(QStringLiteral("13-bookmarks")); },
            }};
}

ScreenTour::Scene ScreenTour::searchScene() {
    return {
        QStringLiteral("search"),
        {
            [this] {
                navigation()->popToRootViewControllerAnimated(false);
                navigation()->pushViewController(std::make_unique<SearchPage>(QStringLiteral("Search")),
                                                 false);
                return true;
            },
            [this] {
                return picks->searchText.isEmpty()
                           ? skip(QStringLiteral("no word of four letters or more is in the venues' names"))
                           : search(picks->searchText);
            },
            [this] { return shoot(QStringLiteral("14-search-results")); },
            [this] { return search(QStringLiteral("zzyzx")); },
            [this] { return shoot(QStringLiteral("15-search-nothing")); },
        }};
}

ScreenTour::Scene ScreenTour::liveMapScene() {
    return {QStringLiteral("the live map"),
            {
                [this] {
                    if (const QString why = unreachable(*picks, QStringLiteral("LiveMap.tool"), nullptr, {});
                        !why.isEmpty())
                        return skip(why);
                    navigation()->popToRootViewControllerAnimated(false);
                    navigation()->pushViewController(LiveMap::initWithUserLocation(), false);
                    return true;
                },
                [this] {
                    auto* map = top<LiveMap>(delegate);
                    return map && !map->placemarks().isEmpty()
                               ? shoot(QStringLiteral("24-live-map"))
                               : skip(QStringLiteral("no venue has a position on the map"));
                },
                [this] {
                    auto* map = top<LiveMap>(delegate);
                    const QList<CustomPlacemark> pins = map->placemarks();
                    int shown = 0;
                    for (int i = 0; i < pins.size(); ++i)
                        if (pins[i].title == picks->picture.name)
                            shown = i;
                    map->mapView()->selectAnnotation(shown);
                    return shoot(QStringLiteral("25-live-map-callout"));
                },
                [this] { return openDetail(picks->picture); },
                [this] {
                    return touchTool(top<DetailedPage>(delegate), QStringLiteral("LiveMap.tool")) ||
                           skip(QStringLiteral("the venue detail's tool bar has no LiveMap.tool"));
                },
                [this] { return top<LiveMap>(delegate) && shoot(QStringLiteral("26-live-map-venue")); },
            }};
}

ScreenTour::Scene ScreenTour::offlineMapsScene() {
    return {QStringLiteral("the offline maps"),
            {
                [this] {
                    navigation()->popToRootViewControllerAnimated(false);
                    return openChapter(QStringLiteral("Maps")) ||
                           skip(QStringLiteral("OrderChapters has no chapter \"Maps\""));
                },
                [this] {
                    return top<OfflineMapsPage>(delegate) ? shoot(QStringLiteral("21-offline-maps"))
                                                          : skip(QStringLiteral("OrderMaps names no map"));
                },
                [this] {
                    auto* page = top<OfflineMapsPage>(delegate);
                    return page->openMap(1) ||
                           skip(QStringLiteral("the page of offline maps shows fewer than two maps"));
                },
                [this] { return shoot(QStringLiteral("22-map-picture")); },
                [this] {
                    if (auto* map = qobject_cast<MapView*>(delegate->visibleViewController()))
                        map->close();
                    navigation()->popToRootViewControllerAnimated(false);
                    return openChapter(QStringLiteral("Metro")) ||
                           skip(QStringLiteral("OrderChapters has no chapter \"Metro\""));
                },
                [this] {
                    return qobject_cast<MapView*>(delegate->visibleViewController())
                               ? shoot(QStringLiteral("23-metro-map"))
                               : skip(QStringLiteral("the metro map did not open"));
                },
                [this] {
                    qobject_cast<MapView*>(delegate->visibleViewController())->close();
                    return true;
                },
            }};
}

// The tools with live data, from the edition's cached documents, then without a network.
ScreenTour::Scene ScreenTour::converterScene() {
    return {
        QStringLiteral("the currency converter"),
        {
            [this] {
                if (const QString why = unreachable(*picks, QStringLiteral("Currency.tool"), nullptr, {});
                    !why.isEmpty())
                    return skip(why);
                if (!picks->rates)
                    return skip(
                        QStringLiteral("the edition stores no rates (UserCurrencyRates is empty), and "
                                       "the tour fetches nothing from beyond this machine (FeedCurrency "
                                       "\"%1\"); preview it with the rates stored or served on "
                                       "127.0.0.1")
                            .arg(picks->feedCurrency));
                setFeedTimes(0);
                navigation()->popToRootViewControllerAnimated(false);
                navigation()->pushViewController(std::make_unique<CurrencyPage>(), false);
                return true;
            },
            [this] {
                return top<CurrencyPage>(delegate) && top<CurrencyPage>(delegate)->tableView()
                           ? shoot(QStringLiteral("16-currency"))
                           : skip(QStringLiteral("the converter did not open%1: its currencies and rates do "
                                                 "not line up (cityguide-edition check names the cause)")
                                      .arg(alertSaying()));
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
            [this] {
                NumberPad::shared()->doneTouched();
                return reopenOffline(std::make_unique<CurrencyPage>());
            },
            offlineAlertPicture(QStringLiteral("18-currency-offline")),
        }};
}

ScreenTour::Scene ScreenTour::weatherScene() {
    return {QStringLiteral("the weather"),
            {
                [this] {
                    if (const QString why = unreachable(*picks, QStringLiteral("Weather.tool"), "FeedWeather",
                                                        picks->feedWeather);
                        !why.isEmpty())
                        return skip(why);
                    setFeedTimes(0);
                    navigation()->popToRootViewControllerAnimated(false);
                    navigation()->pushViewController(std::make_unique<WeatherPage>(), false);
                    return true;
                },
                [this] {
                    return top<WeatherPage>(delegate)
                               ? shoot(QStringLiteral("19-weather"))
                               : skip(QStringLiteral("the weather page did not open%1").arg(alertSaying()));
                },
                [this] { return reopenOffline(std::make_unique<WeatherPage>()); },
                offlineAlertPicture(QStringLiteral("20-weather-alert")),
            }};
}

ScreenTour::Scene ScreenTour::imprintScene() {
    return {QStringLiteral("the imprint"),
            {
                [this] {
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
            }};
}

ScreenTour::Scene ScreenTour::placementsScene() {
    return {QStringLiteral("the sponsored placements"),
            {
                [this] {
                    navigation()->popToRootViewControllerAnimated(false);
                    return picks->placements.isEmpty()
                               ? skip(QStringLiteral(
                                     "chapter.plist has no placement of a chapter on the home screen"))
                               : openChapter(picks->placements[0]);
                },
                [this] {
                    return top<Placement>(delegate) ? shoot(QStringLiteral("31-placement-with-venue"))
                                                    : skip(QStringLiteral("the placement did not open"));
                },
                [this] {
                    navigation()->popToRootViewControllerAnimated(false);
                    return picks->placements.size() < 2
                               ? skip(QStringLiteral("chapter.plist has one placement only"))
                               : openChapter(picks->placements[1]);
                },
                [this] {
                    return top<Placement>(delegate) ? shoot(QStringLiteral("32-placement"))
                                                    : skip(QStringLiteral("the placement did not open"));
                },
            }};
}

// The web page needs the edition's server too (run.sh starts it).
ScreenTour::Scene ScreenTour::webPageScene() {
    return {
        QStringLiteral("a web page"),
        {
            [this] {
                if (!EngineModules::webEngineMaker())
                    return skip(
                        QStringLiteral("the web engine's module is not installed or cannot be loaded"));
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
                return loaded || skip(QStringLiteral("no page answered at 127.0.0.1:8642 within 8 s (run.sh "
                                                     "serves the demo's pages there)"));
            },
        }};
}

// Last: the playlist needs the edition's feed server (run.sh starts it); without it the scene
// is skipped and its alert put away.
ScreenTour::Scene ScreenTour::videosScene() {
    return {
        QStringLiteral("the videos"),
        {
            [this] {
                if (const QString why =
                        unreachable(*picks, QStringLiteral("TV.tool"), "FeedTV", picks->feedTV);
                    !why.isEmpty())
                    return skip(why);
                navigation()->popToRootViewControllerAnimated(false);
                navigation()->pushViewController(std::make_unique<TVPage>(), false);
                return true;
            },
            [this] {
                return top<TVPage>(delegate) ? shoot(QStringLiteral("27-videos-loading"))
                                             : skip(QStringLiteral("the videos page did not open"));
            },
            [this] {
                auto* page = top<TVPage>(delegate);
                if (!page || page->videoFeed().isEmpty())
                    return skip(QStringLiteral("the playlist %1 brought no clip%2")
                                    .arg(picks->feedTV, alertSaying()));
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
                while (page && page->player() && page->player()->framesShown() < 10 && clock.elapsed() < 8000)
                    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
                page = top<VideoPage>(delegate);
                const bool playing = page && page->player() && page->player()->framesShown() > 0;
                if (playing)
                    shoot(QStringLiteral("29-video-playing"));
                const QString saying = alertSaying();
                if (page)
                    page->close();
                return playing || skip(QStringLiteral("the clip showed no frame within 8 s%1").arg(saying));
            },
        }};
}
