#include "app/PreviewShell.h"
#include "location/LocationManager.h"
#include "model/Bookmarks.h"
#include "model/ShareData.h"
#include "pages/BookmarkPage.h"
#include "pages/CategoryPage.h"
#include "pages/ChapterPage.h"
#include "pages/DetailedPage.h"
#include "pages/Placement.h"
#include "pages/SearchPage.h"
#include "pages/VenuesPage.h"
#include "tests/support/GuideDriver.h"
#include "ui/Animation.h"
#include "ui/TextField.h"
#include "ui/Toolbar.h"
#include "views/CustomCell.h"

#include <QAbstractAnimation>
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QTest>

using namespace testsupport;

namespace {

// Time for animations that moves only when the test says so.
class ManualAnimationClock : public QAnimationDriver {
public:
    ManualAnimationClock() { install(); }
    ~ManualAnimationClock() override { uninstall(); }
    void run(int ms) {
        QCoreApplication::processEvents();
        now += ms;
        advance();
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    qint64 elapsed() const override { return now; }

private:
    qint64 now = 0;
};

// A screen with nothing on it.
class PlainPage : public ViewController {
public:
    void loadView() override { setView(new View(QRect(0, 0, 320, 416))); }
};

class ReaderFaultsTest : public RunningGuideTest {
protected:
    NavigationController* navigation() const { return driver->navigation(); }

    // Exactly the top page is on screen, in place, and takes touches.
    void expectOnlyTheTopPageShows(const std::string& what) {
        ViewController* top = navigation()->topViewController();
        for (ViewController* page : navigation()->viewControllers()) {
            if (page == top || !page->isViewLoaded())
                continue;
            EXPECT_TRUE(page->view()->isHidden()) << what;
        }
        EXPECT_TRUE(top->view()->isVisibleTo(driver->window())) << what;
        EXPECT_EQ(top->view()->pos(), QPoint(0, 0)) << what;
        EXPECT_FALSE(top->view()->testAttribute(Qt::WA_TransparentForMouseEvents)) << what;
        const QPoint middle = driver->windowFrame(top->view()).center();
        QWidget* touched = driver->window()->childAt(middle);
        EXPECT_TRUE(touched && (touched == top->view() || top->view()->isAncestorOf(touched))) << what;
    }
};

TEST_F(ReaderFaultsTest, AnySequenceOfPushPopAndShakeEndsWithTheTopPageShowing) {
    start();
    ManualAnimationClock clock;
    Animation::setEnabled(true);
    // A push, P pop (the back button), R pop to the home screen, S shake.
    const char* sequences[] = {"AS", "AP", "AAP", "AAR", "APA", "AAPP", "ASA", "AASP", "APPA", "AARA"};
    for (const char* sequence : sequences) {
        for (int delay : {0, 150, 400}) {
            const std::string what = std::string(sequence) + " every " + std::to_string(delay) + " ms";
            int depth = 1;
            for (const char* action = sequence; *action; ++action) {
                switch (*action) {
                case 'A':
                    navigation()->pushViewController(std::make_unique<PlainPage>(), true);
                    ++depth;
                    break;
                case 'P':
                    navigation()->popViewControllerAnimated(true);
                    depth = std::max(1, depth - 1);
                    break;
                case 'R':
                    navigation()->popToRootViewControllerAnimated(true);
                    depth = 1;
                    break;
                default:
                    driver->window()->motionBegan();
                    depth = 1;
                }
                clock.run(delay);
            }
            for (int step = 0; step < 100 && Animation::running() > 0; ++step)
                clock.run(50);
            ASSERT_EQ(Animation::running(), 0) << what;
            EXPECT_EQ(navigation()->count(), depth) << what;
            expectOnlyTheTopPageShows(what);
            navigation()->popToRootViewControllerAnimated(false);
            for (int step = 0; step < 100 && Animation::running() > 0; ++step)
                clock.run(50);
        }
    }
    Animation::setEnabled(false);
}

TEST_F(ReaderFaultsTest, ATouchedChapterAndAShakeAtOnceLeaveTheHomeScreenUsable) {
    start();
    ManualAnimationClock clock;
    Animation::setEnabled(true);
    auto* home = qobject_cast<ChapterPage*>(navigation()->rootViewController());
    ASSERT_TRUE(driver->label(u"Sights"_qs));
    const QPoint sights = driver->windowFrame(driver->label(u"Sights"_qs)).center();
    QTest::mouseClick(driver->window()->childAt(sights), Qt::LeftButton, {},
                      driver->window()->childAt(sights)->mapFrom(driver->window(), sights));
    driver->window()->motionBegan();
    for (int step = 0; step < 100 && (Animation::running() > 0 || navigation()->count() > 1); ++step)
        clock.run(50);
    Animation::setEnabled(false);
    driver->waitIdle();
    EXPECT_EQ(navigation()->topViewController(), home);
    expectOnlyTheTopPageShows("chapter and shake");
    // The home screen takes touches again.
    driver->tapText(u"Sights"_qs);
    EXPECT_TRUE(qobject_cast<CategoryPage*>(navigation()->topViewController()));
}

TEST_F(ReaderFaultsTest, ADoubleClickOpensOnePage) {
    start();
    ManualAnimationClock clock;
    // Two clicks at one point, the second a tenth of a second into the slide the first one started.
    auto doubleClick = [&](const QPoint& point) {
        Animation::setEnabled(true);
        for (int click = 0; click < 2; ++click) {
            QWidget* target = driver->window()->childAt(point);
            ASSERT_NE(target, nullptr);
            const QPoint local = target->mapFrom(driver->window(), point);
            QTest::mousePress(target, Qt::LeftButton, {}, local);
            QTest::mouseRelease(target, Qt::LeftButton, {}, local);
            clock.run(100);
        }
        for (int step = 0; step < 100 && Animation::running() > 0; ++step)
            clock.run(50);
        Animation::setEnabled(false);
        driver->waitIdle();
    };
    // On a chapter of the home screen: its page alone, not also the chapter beside it.
    ASSERT_TRUE(driver->label(u"Sights"_qs));
    doubleClick(driver->windowFrame(driver->label(u"Sights"_qs)).center());
    ASSERT_EQ(navigation()->count(), 2);
    EXPECT_EQ(qobject_cast<CategoryPage*>(navigation()->topViewController())->pageTitle(), u"Sights"_qs);

    // On a venue row: the venue once, so Back goes to the list.
    auto* list = push<VenuesPage>(u"Sights"_qs, u"All"_qs, u"1"_qs, u"1"_qs);
    ASSERT_NE(list->tableView(), nullptr);
    doubleClick(driver->windowFrame(list->tableView()->cellForRow(0)).center());
    EXPECT_EQ(navigation()->count(), 4);
    EXPECT_TRUE(qobject_cast<DetailedPage*>(navigation()->topViewController()));
    navigation()->popViewControllerAnimated(false);
    driver->waitIdle();
    EXPECT_EQ(navigation()->topViewController(), list);
}

TEST_F(ReaderFaultsTest, DeletingABookmarkAfterACatalogueErrorKeepsTheOtherNames) {
    addBulkyVenues(editionFile("Catalog.sqlite"), 40);
    damageCatalogue(editionFile("Catalog.sqlite"));
    start();
    QStringList stored{u"Cafe"_qs};
    for (int i = 0; i < 40; ++i)
        stored.append(u"Bulk %1"_qs.arg(i, 2, 10, QChar(u'0')));
    ASSERT_TRUE(Bookmarks::write(stored));

    auto* page = push<BookmarkPage>();
    ASSERT_NE(page->tableView(), nullptr);
    ASSERT_LT(page->venues().size(), stored.size()); // the damage hid some
    ASSERT_EQ(page->venues().first().venueName, u"Cafe"_qs);
    page->commitDeleteRow(page->tableView(), 0);
    stored.removeFirst();
    EXPECT_EQ(Bookmarks::read(), stored);
    EXPECT_TRUE(
        log.lines().contains(u"Catalogue read failed: database disk image is malformed "
                             "(select name, body, gps_lat, gps_lon, address, price_text, date_start, "
                             "date_stop, open_text, rowid, mobile_highlight from catalog where name = ?001 "
                             "or name = ?002 order by name)"_qs))
        << log.lines().join(u'\n').toStdString();
}

TEST_F(ReaderFaultsTest, AFirstPositionThatComesWhileAListLoadsFillsItsDistances) {
    options.position = std::nullopt;
    start();
    Bookmarks::write({u"Cafe"_qs, u"Dojo"_qs});
    const PositionFix here{48.2085, 16.3721, 10, {}};

    navigation()->pushViewController(std::make_unique<BookmarkPage>(), false);
    driver->position()->setFix(here); // before the load hands its rows over
    driver->waitIdle();
    auto* bookmarks = qobject_cast<BookmarkPage*>(navigation()->topViewController());
    ASSERT_EQ(bookmarks->venues().size(), 2);
    EXPECT_EQ(bookmarks->venues()[0].venueDistance, u"228m"_qs);
    EXPECT_FALSE(bookmarks->venues()[1].venueDistance.isEmpty());

    navigation()->popToRootViewControllerAnimated(false);
    LocationManager::getInstance()->setUserLocation(std::nullopt);
    driver->position()->setFix(std::nullopt);
    LocationManager::getInstance()->updateLocation();
    auto* search = push<SearchPage>(u"Search"_qs);
    search->searchField()->type(u"cafe"_qs);
    search->searchButtonTouched();
    driver->position()->setFix(here);
    driver->waitIdle();
    ASSERT_EQ(search->venues().size(), 2);
    EXPECT_EQ(search->venues()[0].venueDistance, u"0m"_qs);
}

TEST_F(ReaderFaultsTest, AListRenewsAPositionOverTwoMinutesOldWhenItComesOnScreen) {
    start();
    LocationManager* service = LocationManager::getInstance();
    for (int age : {60, 180}) {
        SCOPED_TRACE(age);
        navigation()->popToRootViewControllerAnimated(false);
        driver->waitIdle();
        // The guide has not moved for a while; the reader has walked to the Dojo since.
        service->setUserLocation(
            PositionFix{48.2085, 16.3721, 10, QDateTime::currentDateTime().addSecs(-age)});
        driver->position()->setFix(PositionFix{48.2150, 16.3900, 10, {}});
        const int startsBefore = driver->position()->startCount();
        auto* list = push<VenuesPage>(u"Sights"_qs, u"Martial Arts"_qs, u"1"_qs, u"1"_qs);
        ASSERT_EQ(list->venues().size(), 1);
        if (age < 120) {
            EXPECT_EQ(driver->position()->startCount(), startsBefore);
            EXPECT_NE(list->venues()[0].venueDistance, u"0m"_qs);
        } else {
            EXPECT_EQ(driver->position()->startCount(), startsBefore + 1);
            EXPECT_EQ(list->venues()[0].venueDistance, u"0m"_qs);
        }
    }
}

TEST_F(ReaderFaultsTest, ThePreviewsLocationMenuMovesThePhoneAtOnce) {
    start();
    PreviewShell shell(driver->position());
    shell.setDelegate(driver->delegate());
    EXPECT_EQ(shell.locationMode(), u"City centre"_qs); // where the fixture's phone stands
    const PositionFix dojo{48.2150, 16.3900, 10, QDateTime::currentDateTime()};
    driver->position()->setFix(dojo);
    EXPECT_EQ(shell.locationMode(), u"Position..."_qs);

    // The list was measured from the Dojo; the menu puts the phone back at the centre.
    LocationManager::getInstance()->setUserLocation(dojo);
    auto* list = push<VenuesPage>(u"Sights"_qs, u"Martial Arts"_qs, u"1"_qs, u"1"_qs);
    EXPECT_EQ(list->venues().value(0).venueDistance, u"0m"_qs);
    const QString before = list->venues().value(0).venueDistance;
    shell.setCityCentre();
    driver->waitIdle();
    EXPECT_EQ(shell.locationMode(), u"City centre"_qs);
    const auto centre = ShareData::sharedInstance()->defaultGPSPosition();
    ASSERT_TRUE(centre);
    EXPECT_EQ(LocationManager::getInstance()->getUserLocation()->latitude, centre->latitude);
    EXPECT_NE(list->venues().value(0).venueDistance, before);

    shell.clearPosition();
    EXPECT_EQ(shell.locationMode(), u"No position"_qs);
    EXPECT_FALSE(LocationManager::getInstance()->getUserLocation());
    auto* waiting = push<BookmarkPage>();
    EXPECT_FALSE(waiting->userLocation());

    shell.replayLog(fixturePath(u"stephansplatz.nmea"_qs));
    EXPECT_EQ(shell.locationMode(), u"Replay NMEA log..."_qs);
}

TEST_F(ReaderFaultsTest, ACancelledSwipeGivesTheRowItsOwnLayoutBack) {
    start();
    Bookmarks::write({u"Art Cafe"_qs, u"Cafe"_qs});
    auto* page = push<BookmarkPage>();
    TableView* table = page->tableView();
    auto* featured = static_cast<CustomCell*>(table->cellForRow(0));
    ASSERT_EQ(page->venues()[0].venueName, u"Art Cafe"_qs);
    const QRect laidOut = featured->venueDescriptionLabel()->frame();
    EXPECT_EQ(laidOut, QRect(20, 22, 220, 50)); // clear of the featured badge

    const QRect row = driver->windowFrame(featured);
    driver->drag(row.center() + QPoint(60, 0), row.center() - QPoint(60, 0));
    ASSERT_EQ(table->editingRow(), 0);
    EXPECT_EQ(featured->venueDescriptionLabel()->width(), 220 < 230 ? 220 : 230);
    driver->tap(driver->windowFrame(table->cellForRow(1)).center()); // anywhere else: no delete
    ASSERT_EQ(table->editingRow(), -1);
    EXPECT_EQ(featured->venueDescriptionLabel()->frame(), laidOut);
    EXPECT_EQ(Bookmarks::read().size(), 2);
}

// Refuses any change that would put a digit in the text.
class NoDigits : public QObject, public TextFieldDelegate {
public:
    bool shouldChangeCharacters(TextField*, const QString& before, int start, int length,
                                const QString& replacement) override {
        changes.append(u"%1|%2|%3|%4"_qs.arg(before).arg(start).arg(length).arg(replacement));
        return !replacement.contains(QRegularExpression(u"[0-9]"_qs));
    }
    bool shouldReturn(TextField*) override { return true; }
    QStringList changes;
};

TEST_F(ReaderFaultsTest, EveryEditOfATextFieldGoesThroughItsDelegate) {
    start();
    auto* search = push<SearchPage>(u"Search"_qs);
    auto* edit = search->searchField()->findChild<QLineEdit*>();
    ASSERT_NE(edit, nullptr);
    // Pasted into the empty field: the search can start.
    QGuiApplication::clipboard()->setText(u"c"_qs);
    edit->paste();
    EXPECT_EQ(search->searchField()->text(), u"c"_qs);
    EXPECT_TRUE(search->searchButton()->isEnabled());
    // The only character removed with the Delete key: it cannot.
    edit->setCursorPosition(0);
    QTest::keyClick(edit, Qt::Key_Delete);
    EXPECT_EQ(search->searchField()->text(), QString());
    EXPECT_FALSE(search->searchButton()->isEnabled());
    edit->undo();
    EXPECT_EQ(search->searchField()->text(), u"c"_qs);
    EXPECT_TRUE(search->searchButton()->isEnabled());

    TextField field(QRect(0, 0, 200, 30));
    NoDigits delegate;
    field.setDelegate(&delegate, &delegate);
    auto* own = field.findChild<QLineEdit*>();
    field.setText(u"abc"_qs);
    QGuiApplication::clipboard()->setText(u"x1"_qs);
    own->setCursorPosition(1);
    own->paste();
    EXPECT_EQ(field.text(), u"abc"_qs); // refused: as it was
    own->setCursorPosition(1);
    QTest::keyClick(own, Qt::Key_Delete);
    EXPECT_EQ(field.text(), u"ac"_qs);
    EXPECT_EQ(delegate.changes, (QStringList{u"abc|1|0|x1"_qs, u"abc|1|1|"_qs}));
}

TEST_F(ReaderFaultsTest, TheShakeKeysShakeWhileTheSearchFieldHasTheFocus) {
    start();
    QWidget* window = driver->window();
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    int shakes = 0;
    QAction shake;
    shake.setShortcut(Window::shakeShortcut());
    shake.setShortcutContext(Qt::ApplicationShortcut);
    QObject::connect(&shake, &QAction::triggered, [&shakes] { ++shakes; });
    window->addAction(&shake);

    auto* search = push<SearchPage>(u"Search"_qs);
    search->searchField()->type(u"abc"_qs);
    search->searchField()->becomeFirstResponder();
    auto* edit = search->searchField()->findChild<QLineEdit*>();
    ASSERT_TRUE(edit->hasFocus());
    QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(shakes, 1);
    EXPECT_EQ(search->searchField()->text(), u"abc"_qs);
    window->removeAction(&shake);
}

TEST_F(ReaderFaultsTest, TheSearchToolBarIsOpaqueAndTheConfirmationRisesOverTheDetailsToolBar) {
    start();
    auto* search = push<SearchPage>(u"Search"_qs);
    EXPECT_EQ(search->toolbar()->barStyle(), Toolbar::Black);
    auto* detail = push<DetailedPage>(u"Sights"_qs, u"Cafe"_qs, 2);
    tool(detail->toolbar(), u"Bookmark.tool"_qs)->buttonTouched();
    driver->waitIdle();
    QList<QWidget*> order;
    for (QObject* child : detail->view()->children())
        if (auto* w = qobject_cast<QWidget*>(child))
            order.append(w);
    const auto strip = std::find_if(order.begin(), order.end(),
                                    [](QWidget* w) { return qobject_cast<QnAlertLabel*>(w) != nullptr; });
    ASSERT_NE(strip, order.end());
    EXPECT_GT(order.indexOf(*strip), order.indexOf(detail->toolbar()));
}

TEST_F(ReaderFaultsTest, PictureNamesWithAPathAreNotShownAndWindowsLineEndsKeepTheChapters) {
    sql("update catalog set image = '../../../../tmp/sacher' where name = 'Hotel Sacher'");
    QString settings = readText(editionFile("manager.csv"));
    settings.replace(u"Sights:Sights:sights;1,Hotels"_qs, u"Sights:Sights:sights;1,\r\nHotels"_qs);
    settings.replace(u"\n"_qs, u"\r\n"_qs);
    settings.replace(u"\r\r\n"_qs, u"\r\n"_qs);
    writeText(editionFile("manager.csv"), settings);
    start();

    auto* home = qobject_cast<ChapterPage*>(navigation()->rootViewController());
    for (const QString& chapter : home->chapters())
        EXPECT_FALSE(chapter.contains(u'\r')) << chapter.toStdString();
    // Hotels still has its placement after a CR LF.
    EXPECT_TRUE(driver->tapText(u"Hotels"_qs));
    auto* placement = qobject_cast<Placement*>(navigation()->topViewController());
    ASSERT_NE(placement, nullptr);
    EXPECT_EQ(placement->chapterTitle(), u"Hotels"_qs);
    EXPECT_EQ(placement->venueID(), u"7"_qs);
    EXPECT_EQ(placement->img()->imageName(), u"PlacementHotels"_qs);

    auto* detail = push<DetailedPage>(u"Hotels"_qs, u"Hotel Sacher"_qs, 7);
    for (ImageView* picture : detail->scrollView()->findChildren<ImageView*>())
        EXPECT_NE(picture->imageName(), u"../../../../tmp/sacher"_qs);
    EXPECT_TRUE(log.lines().contains(
        u"Picture name \"../../../../tmp/sacher\" is not a name of the edition; not shown"_qs));
}

} // namespace
