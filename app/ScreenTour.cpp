#include "app/ScreenTour.h"

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

namespace {} // namespace

// One venue of the edition: its id, name and the title of its chapter.
struct ScreenTour::Pick {
    int id = -1;
    QString name;
    QString chapter;
    explicit operator bool() const { return id >= 0; }
};

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

// Touches the tool of that id on the page's tool bar; false when the bar has none.
template <class Page> bool touchTool(Page* page, const QString& tool) {
    if (!page || !page->toolbar())
        return false;
    for (BarButtonItem* item : page->toolbar()->items()) {
        if (auto* custom = qobject_cast<CustomBarButtonItem*>(item);
            custom && custom->selector().trimmed() == tool && custom->isEnabled()) {
            custom->buttonTouched();
            return true;
        }
    }
    return false;
}

using Pick = ScreenTour::Pick;

const QString noVenues = QStringLiteral("no chapter on the home screen has venues");

// What the alert on screen says, as the end of a reason; empty without one.
QString alertSaying() {
    const AlertView* alert = AlertView::visibleAlert();
    return alert ? QStringLiteral(": the guide says \"%1\" (%2)").arg(alert->title(), alert->message())
                 : QString();
}

QString alertText(const AlertView* alert) {
    return alert->message().isEmpty() ? alert->title()
                                      : alert->title() + QStringLiteral(": ") + alert->message();
}

// The venues the tour shows, chosen by kind from whatever edition it walks.
struct Picks {
    QString firstChapter;   // the first chapter of the home screen that has venues
    Pick picture;           // a venue with a picture (a featured one where there is one)
    Pick event;             // a venue with dates
    Pick hotel;             // a venue with rooms
    Pick other;             // a second venue for the bookmarks
    QString searchText;     // the word that most venue names share
    QStringList placements; // chapters with a sponsored placement
    QStringList tools;      // the tool ids that some tool bar lists
    QString feedCurrency, feedWeather, feedTV;
    bool rates = false; // the edition ships stored rates
};

// Why a reader cannot reach the page of a tool, or empty: no tool bar lists it, or its feed is empty.
QString unreachable(const Picks& picks, const QString& tool, const char* feed, const QString& url) {
    if (!picks.tools.contains(tool))
        return QStringLiteral("no tool bar of the edition lists %1").arg(tool);
    if (feed && url.trimmed().isEmpty())
        return QStringLiteral("%1 is empty").arg(QLatin1String(feed));
    return {};
}

Picks pickFromEdition() {
    Picks picks;
    QMap<QString, QString> titles; // chapter id -> its title on the home screen
    const ManagerModel* settings = readerSettings();
    QStringList order;
    for (const QString& entry : ManagerModel::listEntries(settings->orderChapters())) {
        const QString label = entry.section(u':', 0, 0).trimmed();
        const QString id = entry.section(u':', 2).section(u';', 1).trimmed();
        if (label == u"Metro" || label == u"Search" || id.isEmpty())
            continue;
        titles.insert(id, label);
        order.append(id);
        if (ShareData::sharedInstance()->getCorrespondingPlacement(label))
            picks.placements.append(label);
    }
    for (const QString* list : {&settings->orderChapterTools(), &settings->orderVenuesTools(),
                                &settings->orderDetailedViewTools()}) {
        for (const QString& entry : ManagerModel::listEntries(*list))
            picks.tools.append(entry.section(u':', 2).trimmed());
    }
    picks.feedCurrency = settings->feedCurrency();
    picks.feedWeather = settings->feedWeather();
    picks.feedTV = settings->feedTV();
    picks.rates = !settings->userCurrencyRates().trimmed().isEmpty();
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(Paths::resourcePath(QStringLiteral("Catalog.sqlite"))).constData(),
                        &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return picks;
    }
    // The first venue of that kind, in the given order, when its chapter is on the home screen.
    auto pick = [&](const QByteArray& condition, const QByteArray& order, const QString& value = QString()) {
        const QByteArray sql = "select rowid, chapter_id, name from catalog where name != '' and " +
                               condition + " order by " + order + " limit 1";
        sqlite3_stmt* statement = nullptr;
        Pick found;
        const QByteArray bound = value.toUtf8();
        if (sqlite3_prepare_v2(db, sql.constData(), -1, &statement, nullptr) == SQLITE_OK &&
            (value.isNull() ||
             sqlite3_bind_text(statement, 1, bound.constData(), -1, SQLITE_STATIC) == SQLITE_OK) &&
            sqlite3_step(statement) == SQLITE_ROW) {
            const QString chapter = titles.value(
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 1))));
            if (!chapter.isEmpty())
                found = {sqlite3_column_int(statement, 0),
                         QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 2)))
                             .replace(QStringLiteral("''"), QStringLiteral("'")),
                         chapter};
        }
        sqlite3_finalize(statement);
        return found;
    };
    const QByteArray featured = "lower(trim(mobile_highlight)) in ('1', 'yes', 'true') desc";
    picks.picture = pick("image != ''", featured + ", rowid");
    if (!picks.picture)
        picks.picture = pick("1", featured + ", length(body) desc, rowid");
    picks.event = pick("(date_start != '' or date_stop != '')", "rowid");
    picks.hotel = pick("hotel_room_decription != ''", "rowid");
    picks.other = pick("rowid != " + QByteArray::number(picks.picture.id), "rowid");
    for (const QString& id : std::as_const(order)) {
        if (pick("chapter_id = ?1", "rowid", id)) {
            picks.firstChapter = titles.value(id);
            break;
        }
    }
    // A word many names share finds several venues.
    QMap<QString, int> words;
    sqlite3_stmt* names = nullptr;
    if (sqlite3_prepare_v2(db, "select name from catalog limit 5000", -1, &names, nullptr) == SQLITE_OK) {
        while (sqlite3_step(names) == SQLITE_ROW) {
            const QString name =
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(names, 0)));
            for (const QString& word :
                 name.split(QRegularExpression(QStringLiteral("[^\\w]+")), Qt::SkipEmptyParts)) {
                if (word.size() >= 4)
                    ++words[word.toLower()];
            }
        }
    }
    sqlite3_finalize(names);
    sqlite3_close(db);
    int most = 0;
    for (auto it = words.cbegin(); it != words.cend(); ++it) {
        if (it.value() > most) {
            most = it.value();
            picks.searchText = it.key();
        }
    }
    return picks;
}

} // namespace

bool ScreenTour::openDetail(const Pick& venue) {
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
    const auto picks = std::make_shared<const Picks>(pickFromEdition());
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
             [this, openChapter, picks] {
                 return picks->firstChapter.isEmpty() ? skip(noVenues) : openChapter(picks->firstChapter);
             },
             [this] { return shoot(QStringLiteral("03-categories")); },
             [this, picks] {
                 auto* page = top<CategoryPage>(delegate);
                 if (!page || !page->hasCategoryIntroduction())
                     return skip(
                         QStringLiteral("the chapter \"%1\" has no introduction").arg(picks->firstChapter));
                 page->didSelectRow(page->tableView(), 0);
                 return true;
             },
             [this] { return shoot(QStringLiteral("04-introduction")); },
         }},
        {QStringLiteral("a chapter's venues"),
         {
             [this, navigation, openChapter, picks] {
                 navigation()->popToRootViewControllerAnimated(false);
                 return picks->firstChapter.isEmpty() ? skip(noVenues) : openChapter(picks->firstChapter);
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
                 return touchTool(top<VenuesPage>(delegate), QStringLiteral("SortNearest.tool")) ||
                        skip(QStringLiteral("the venue list's tool bar has no SortNearest.tool"));
             },
             [this] { return shoot(QStringLiteral("07-venues-nearest")); },
         }},
        // Three venues in full: with a picture and a long text, an event, a hotel.
        {QStringLiteral("a venue with a picture"),
         {
             [this, picks] { return openDetail(picks->picture) || skip(noVenues); },
             [this] { return shoot(QStringLiteral("08-detail-picture")); },
             [this, detailPage] {
                 detailPage()->scrollView()->setContentOffset(QPoint(0, 10000));
                 return shoot(QStringLiteral("09-detail-picture-end"));
             },
         }},
        {QStringLiteral("an event"),
         {
             [this, picks] {
                 return openDetail(picks->event) ||
                        skip(QStringLiteral("no venue of a chapter on the home screen has dates (date_start, "
                                            "date_stop)"));
             },
             [this] { return shoot(QStringLiteral("10-detail-event")); },
         }},
        {QStringLiteral("a hotel"),
         {
             [this, picks] {
                 return openDetail(picks->hotel) ||
                        skip(QStringLiteral("no venue of a chapter on the home screen has rooms "
                                            "(hotel_room_decription)"));
             },
             [this] { return shoot(QStringLiteral("11-detail-hotel")); },
             [this, detailPage] {
                 // Bookmarked from the detail page: the confirmation rises.
                 return touchTool(detailPage(), QStringLiteral("Bookmark.tool")) ||
                        skip(QStringLiteral("the venue detail's tool bar has no Bookmark.tool"));
             },
             [this] { return shoot(QStringLiteral("12-detail-bookmarked")); },
         }},
        {QStringLiteral("the bookmarks"),
         {
             [this, navigation, picks] {
                 if (!picks->picture)
                     return skip(noVenues);
                 Bookmarks::add(picks->picture.name);
                 if (const Pick& second = picks->event ? picks->event : picks->other)
                     Bookmarks::add(second.name);
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
             [this, picks] {
                 return picks->searchText.isEmpty()
                            ? skip(QStringLiteral("no word of four letters or more is in the venues' names"))
                            : search(picks->searchText);
             },
             [this] { return shoot(QStringLiteral("14-search-results")); },
             [this] { return search(QStringLiteral("zzyzx")); },
             [this] { return shoot(QStringLiteral("15-search-nothing")); },
         }},
        {QStringLiteral("the live map"),
         {
             [this, navigation, picks] {
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
             [this, picks] {
                 auto* map = top<LiveMap>(delegate);
                 const QList<CustomPlacemark> pins = map->placemarks();
                 int shown = 0;
                 for (int i = 0; i < pins.size(); ++i)
                     if (pins[i].title == picks->picture.name)
                         shown = i;
                 map->mapView()->selectAnnotation(shown);
                 return shoot(QStringLiteral("25-live-map-callout"));
             },
             [this, picks] { return openDetail(picks->picture); },
             [this] {
                 return touchTool(top<DetailedPage>(delegate), QStringLiteral("LiveMap.tool")) ||
                        skip(QStringLiteral("the venue detail's tool bar has no LiveMap.tool"));
             },
             [this] { return top<LiveMap>(delegate) && shoot(QStringLiteral("26-live-map-venue")); },
         }},
        {QStringLiteral("the offline maps"),
         {
             [this, navigation, openChapter] {
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
                 const QList<Button*> thumbnails = page->scrollView()->findChildren<Button*>();
                 if (thumbnails.size() < 2)
                     return skip(QStringLiteral("the page of offline maps shows fewer than two maps"));
                 page->mapButtonTouched(thumbnails[1]);
                 return true;
             },
             [this] { return shoot(QStringLiteral("22-map-picture")); },
             [this, navigation, openChapter] {
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
         }},
        // The tools with live data, from the edition's cached documents, then without a network.
        {QStringLiteral("the currency converter"),
         {
             [this, navigation, picks] {
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
             [reopenOffline] {
                 NumberPad::shared()->doneTouched();
                 return reopenOffline(std::make_unique<CurrencyPage>());
             },
             [this] {
                 return AlertView::visibleAlert() ? shoot(QStringLiteral("18-currency-offline"))
                                                  : skip(QStringLiteral("no alert came up offline"));
             },
             [] {
                 AlertView::visibleAlert()->dismissWithButtonIndex(0);
                 HttpClient::setNetworkAvailable(true);
                 return true;
             },
         }},
        {QStringLiteral("the weather"),
         {
             [this, navigation, picks] {
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
             [reopenOffline] { return reopenOffline(std::make_unique<WeatherPage>()); },
             [this] {
                 return AlertView::visibleAlert() ? shoot(QStringLiteral("20-weather-alert"))
                                                  : skip(QStringLiteral("no alert came up offline"));
             },
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
             [this, navigation, openChapter, picks] {
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
             [this, navigation, openChapter, picks] {
                 navigation()->popToRootViewControllerAnimated(false);
                 return picks->placements.size() < 2
                            ? skip(QStringLiteral("chapter.plist has one placement only"))
                            : openChapter(picks->placements[1]);
             },
             [this] {
                 return top<Placement>(delegate) ? shoot(QStringLiteral("32-placement"))
                                                 : skip(QStringLiteral("the placement did not open"));
             },
         }},
        // The web page needs the edition's server too (run.sh starts it).
        {QStringLiteral("a web page"),
         {
             [this, navigation] {
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
         }},
        // Last: the playlist needs the edition's feed server (run.sh starts it); without it the scene
        // is skipped and its alert put away.
        {QStringLiteral("the videos"),
         {
             [this, navigation, picks] {
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
             [this, picks] {
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
                 while (page && page->player() && page->player()->framesShown() < 10 &&
                        clock.elapsed() < 8000)
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
