#include "catalog/SQLDAL.h"
#include "location/LocationManager.h"
#include "model/DAO.h"
#include "pages/ChapterPage.h"
#include "pages/LiveMap.h"
#include "platform/Paths.h"
#include "platform/UserDefaults.h"
#include "tests/support/GuideDriver.h"
#include "ui/Images.h"
#include "ui/Toolbar.h"

#include <QFile>

using namespace testsupport;

namespace {

// A screen with nothing on it, standing in for the pages the home screen opens.
class EmptyPage : public ViewController {};

class HomeScreenTest : public RunningGuideTest {
protected:
    ChapterPage* home() const {
        return static_cast<ChapterPage*>(driver->navigation()->rootViewController());
    }
    // Touches a tool's picture (its caption under it takes no touches).
    void tapTool(const QString& caption) {
        for (BarButtonItem* item : home()->toolbar()->items()) {
            if (auto* tool = qobject_cast<CustomBarButtonItem*>(item);
                tool && tool->label()->text() == caption) {
                driver->tapView(tool->button());
                return;
            }
        }
        ADD_FAILURE() << "no tool " << caption.toStdString();
    }
    QStringList barTexts() const {
        QStringList texts;
        for (Label* label : driver->visible<Label>(driver->navigationBar()))
            texts.append(label->text());
        return texts;
    }
    int badges() const {
        int count = 0;
        for (Button* button : driver->visible<Button>(driver->navigationBar()))
            count += button->backgroundImageName() == u"SBKBadge.png";
        return count;
    }
    void setSetting(const QString& from, const QString& to) {
        QString text = readText(editionFile("manager.csv"));
        ASSERT_TRUE(text.contains(from)) << from.toStdString();
        text.replace(from, to);
        writeText(editionFile("manager.csv"), text);
    }
};

TEST_F(HomeScreenTest, GridHasAButtonPerChapterAndTheFixedOnes) {
    start();
    const QStringList tags = home()->buttonTags();
    EXPECT_EQ(tags, (QStringList{u"Sights"_qs, u"Hotels"_qs, u"Metro"_qs, u"Search"_qs, u"Maps"_qs,
                                 u"Bookmarks"_qs}));
    QList<CustomButton*> buttons = driver->visible<CustomButton>(home()->scrollView());
    ASSERT_EQ(buttons.size(), 6);
    std::sort(buttons.begin(), buttons.end(), [](auto* a, auto* b) { return a->tag() < b->tag(); });
    const QRect expected[] = {{0, 0, 76, 75},   {76, 0, 76, 75}, {152, 0, 76, 75},
                              {228, 0, 76, 75}, {0, 75, 76, 75}, {76, 75, 76, 75}};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(buttons[i]->frame(), expected[i]) << i;
        EXPECT_EQ(buttons[i]->buttonLabel()->text(), tags[i]);
        EXPECT_EQ(buttons[i]->buttonImageView()->frame(), QRect(20, 10, 36, 36));
        EXPECT_EQ(buttons[i]->buttonLabel()->frame(), QRect(0, 36, 76, 39));
    }
    EXPECT_EQ(buttons[1]->buttonImageView()->imageName(), u"Hotels"_qs);
    EXPECT_EQ(buttons[4]->buttonImageView()->imageName(), u"Maps.png"_qs);
    EXPECT_EQ(buttons[5]->buttonImageView()->imageName(), u"Bookmarks.png"_qs);
    EXPECT_EQ(home()->scrollView()->frame(), QRect(5, 63, 320, 416 - 63 - 44));
    EXPECT_EQ(home()->scrollView()->contentSize(), QSize(320, 150)); // (floor(5 / 4) + 1) x 75
}

TEST_F(HomeScreenTest, InfoStripShowsTheCityFacts) {
    setSetting(u"\"EUR:€:FlagEU,USD:$:FlagUS\""_qs, u"\"Kč\""_qs);
    start();
    struct Expected {
        const char* text;
        QRect frame;
        bool value;
    } expected[] = {
        {"City Calling Code", {20, 8, 100, 15}, false},
        {"01", {120, 8, 40, 15}, true},
        {"Country Calling Code", {20, 23, 120, 15}, false},
        {"+43", {140, 23, 40, 15}, true},
        {"Airport Code", {20, 38, 75, 15}, false},
        {"TST", {95, 38, 90, 15}, true},
        {"Internet Code", {185, 8, 80, 15}, false},
        {".at", {264, 8, 40, 15}, true},
        {"Currency", {185, 23, 60, 15}, false},
        {"Kč", {245, 23, 60, 15}, true},
        {"Time Zone", {185, 38, 65, 15}, false},
        {"CET", {250, 38, 70, 15}, true},
    };
    for (const Expected& e : expected) {
        Label* label = driver->label(QString::fromUtf8(e.text), home()->view());
        ASSERT_NE(label, nullptr) << e.text;
        EXPECT_EQ(label->frame(), e.frame) << e.text;
        EXPECT_EQ(label->font().bold(), e.value) << e.text;
        EXPECT_EQ(label->font().pixelSize(), 11);
        EXPECT_EQ(label->textColor(), e.value ? QColor::fromRgbF(0.13f, 0.64f, 0.85f) : QColor(Qt::white))
            << e.text;
    }
}

TEST_F(HomeScreenTest, CurrencyShowsTheFirstThreeCharacters) {
    start();
    EXPECT_NE(driver->label(u"EUR"_qs, home()->view()), nullptr);
}

TEST_F(HomeScreenTest, ToolBarFollowsTheSettings) {
    start();
    Toolbar* tools = home()->toolbar();
    EXPECT_EQ(tools->frame(), QRect(0, 372, 320, 44));
    QStringList captions;
    for (BarButtonItem* item : tools->items()) {
        if (auto* tool = qobject_cast<CustomBarButtonItem*>(item)) {
            captions.append(tool->label()->text());
            EXPECT_TRUE(tool->isEnabled());
            EXPECT_EQ(tool->customView()->size(), QSize(60, 44));
            EXPECT_EQ(tool->button()->frame(), QRect(16, 4, 28, 28));
        }
    }
    EXPECT_EQ(captions, (QStringList{u"Live Map"_qs, u"Currency"_qs, u"Weather"_qs, u"TV"_qs, u"Search"_qs}));
    EXPECT_EQ(tools->items().size(), 11); // a space before and after every tool
    // The tools are spread evenly over the bar.
    QList<int> xs;
    for (BarButtonItem* item : tools->items())
        if (!item->isFlexibleSpace())
            xs.append(item->customView()->x());
    for (int i = 2; i < xs.size(); ++i)
        EXPECT_NEAR(xs[i] - xs[i - 1], xs[1] - xs[0], 1);
}

TEST_F(HomeScreenTest, NoVideoFeedNoTVToolAndServicesOffDisableTheLiveMap) {
    setSetting(u"\"http://127.0.0.1:8642/feeds/videos.xml\""_qs, u"\"\""_qs);
    options.locationServices = false;
    start();
    QStringList captions;
    for (BarButtonItem* item : home()->toolbar()->items()) {
        if (auto* tool = qobject_cast<CustomBarButtonItem*>(item)) {
            captions.append(tool->label()->text());
            EXPECT_EQ(tool->isEnabled(), tool->selector().trimmed() != u"LiveMap.tool")
                << tool->selector().toStdString();
        }
    }
    EXPECT_EQ(captions, (QStringList{u"Live Map"_qs, u"Currency"_qs, u"Weather"_qs, u"Search"_qs}));
    EXPECT_EQ(home()->toolbar()->items().size(), 9);

    // A disabled tool does nothing when touched; the others work.
    tapTool(u"Live Map"_qs);
    tapTool(u"Currency"_qs);
    EXPECT_FALSE(qobject_cast<LiveMap*>(driver->navigation()->topViewController()));
    EXPECT_EQ(QString::fromLatin1(driver->navigation()->topViewController()->metaObject()->className()),
              u"CurrencyPage"_qs);
}

TEST_F(HomeScreenTest, NavigationBarItemsComeAndGoWithThePage) {
    start();
    EXPECT_EQ(barTexts(), QStringList{u"Teststadt"_qs});
    Label* title = driver->label(u"Teststadt"_qs, driver->navigationBar());
    EXPECT_EQ(title->frame(), QRect(80, 0, 160, 44));
    EXPECT_EQ(title->font().pixelSize(), 20);
    EXPECT_TRUE(title->font().bold());
    EXPECT_EQ(badges(), 1);

    // Another screen on top: the title and the info button leave, the badge stays.
    driver->navigation()->pushViewController(std::make_unique<EmptyPage>(), true);
    driver->waitIdle();
    EXPECT_TRUE(barTexts().isEmpty());
    EXPECT_EQ(badges(), 1);

    // Back on the home screen, every item is put on the bar again, and no second badge over the
    // first (each return used to leave one more).
    driver->navigation()->popViewControllerAnimated(true);
    driver->waitIdle();
    EXPECT_EQ(barTexts(), QStringList{u"Teststadt"_qs});
    EXPECT_EQ(badges(), 1);
}

TEST_F(HomeScreenTest, TouchesOpenTheirScreensAndTakeTheBadgeAwayForChapters) {
    struct Case {
        const char* touched;
        const char* opens;
        int badgeChange; // the home screen's badge and the opened page's own
    } cases[] = {
        {"Maps", "page:OfflineMapsPage", +1},
        {"Bookmarks", "page:BookmarkPage", +1},
        {"Search", "page:SearchPage", +1},
        {"Weather", "page:WeatherPage", +1},
        // A chapter takes the home screen's badge away, and its page brings its own.
        {"Sights", "page:CategoryPage", 0},
        // A chapter with a placement shows it first; the placement carries no badge of its own.
        {"Hotels", "page:Placement", -1},
        // The metro map is presented over the home screen, which loses its badge.
        {"Metro", "shown:MapView", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.touched);
        driver.reset();
        start();
        const int before = badges();
        if (QString::fromLatin1(c.touched) == u"Weather")
            tapTool(u"Weather"_qs);
        else
            ASSERT_TRUE(driver->tapText(QString::fromLatin1(c.touched)));
        const QString opens = QString::fromUtf8(c.opens);
        if (opens.startsWith(u"page:"_qs))
            EXPECT_EQ(
                QString::fromLatin1(driver->navigation()->topViewController()->metaObject()->className()),
                opens.mid(5));
        else if (opens.startsWith(u"shown:"_qs))
            EXPECT_EQ(
                QString::fromLatin1(driver->delegate()->visibleViewController()->metaObject()->className()),
                opens.mid(6));
        else
            EXPECT_TRUE(log.lines().contains(opens)) << log.lines().join(u'\n').toStdString();
        EXPECT_EQ(badges(), before + c.badgeChange);
    }
    // The info button.
    driver.reset();
    start();
    driver->tap(QPoint(30, 20 + 22));
    EXPECT_EQ(QString::fromLatin1(driver->delegate()->visibleViewController()->metaObject()->className()),
              u"ImprintPage"_qs);
}

TEST_F(HomeScreenTest, ShakeReturnsHomeUnlessSwitchedOff) {
    start();
    struct Case {
        std::optional<const char*> preference;
        bool returns;
    } cases[] = {{std::nullopt, true}, {"0", false}, {"1", true}, {"NO", false}, {"YES", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.preference.value_or("(none)"));
        if (c.preference)
            UserDefaults::standardUserDefaults().setObject(u"shake"_qs, QString::fromLatin1(*c.preference));
        else
            UserDefaults::standardUserDefaults().removeObject(u"shake"_qs);
        driver->navigation()->pushViewController(std::make_unique<EmptyPage>(), false);
        driver->navigation()->pushViewController(std::make_unique<EmptyPage>(), false);
        driver->waitIdle();
        driver->shake();
        EXPECT_EQ(driver->navigation()->count(), c.returns ? 1 : 3);
        driver->navigation()->popToRootViewControllerAnimated(false);
        driver->waitIdle();
    }
    // On the home screen a shake changes nothing.
    UserDefaults::standardUserDefaults().removeObject(u"shake"_qs);
    driver->shake();
    EXPECT_EQ(driver->navigation()->count(), 1);
}

TEST_F(HomeScreenTest, StartUpFadesTheStartPictureAndPicksTheBackgroundByVersion) {
    options.systemVersion = u"3.1.3"_qs;
    start();
    EXPECT_EQ(driver->delegate()->splash()->imageName(), u"Background.png"_qs);
    EXPECT_EQ(driver->delegate()->splashView(), nullptr); // the fade has ended and the picture is gone
    EXPECT_EQ(driver->delegate()->searchText(), u""_qs);
    EXPECT_TRUE(SQLDAL::isOpen());
    EXPECT_TRUE(QFile::exists(driver->documentsFolder() + u"/manager.csv"_qs));

    driver.reset();
    options.systemVersion = u"4.2.1"_qs;
    start();
    EXPECT_EQ(driver->delegate()->splash()->imageName(), u"Background"_qs);
}

} // namespace

namespace {

// The home screen on the demo edition: every picture it names exists.
TEST(DemoEditionHomeScreen, ShowsEveryPicture) {
    GuideDriver driver(QStringLiteral(GUIDE_DEMO_EDITION));
    driver.start();
    for (ImageView* image : driver.visible<ImageView>())
        EXPECT_FALSE(image->image().isNull()) << image->imageName().toStdString();
    int badges = 0;
    for (Button* button : driver.visible<Button>(driver.navigationBar())) {
        if (button->backgroundImageName() == u"SBKBadge.png") {
            ++badges;
            EXPECT_EQ(driver.windowFrame(button), QRect(250, 20 + 11, 60, 22));
            EXPECT_NE(driver.window()->childAt(QPoint(280, 42)), nullptr);
            EXPECT_EQ(driver.window()->childAt(QPoint(280, 42)), button);
        }
    }
    EXPECT_EQ(badges, 1);
    // The bar's own picture lies under every item the page put on the bar.
    const QObjectList onBar = driver.navigationBar()->children();
    ImageView* barPicture = nullptr;
    for (QObject* child : onBar) {
        auto* picture = qobject_cast<ImageView*>(child);
        if (picture && picture->imageName() == u"NavigationBar.png")
            barPicture = picture;
    }
    ASSERT_NE(barPicture, nullptr);
    EXPECT_EQ(onBar.indexOf(barPicture), 0);
}

} // namespace
