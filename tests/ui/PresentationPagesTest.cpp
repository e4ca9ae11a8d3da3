#include "model/DAO.h"
#include "pages/CategoryPage.h"
#include "pages/ChapterPage.h"
#include "pages/DetailedPage.h"
#include "pages/ImprintPage.h"
#include "pages/Placement.h"
#include "pages/WebviewPage.h"
#include "tests/support/GuideDriver.h"
#include "tests/support/LocalHttpServer.h"
#include "ui/Application.h"
#include "ui/NavigationController.h"
#include "ui/WebView.h"
#include "ui/Window.h"
#include "views/CustomControls.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>

using namespace testsupport;

namespace {

class PresentationPagesTest : public RunningGuideTest {
protected:
    ViewController* shown() const { return driver->delegate()->visibleViewController(); }
    ChapterPage* home() const {
        return qobject_cast<ChapterPage*>(driver->navigation()->rootViewController());
    }
};

TEST_F(PresentationPagesTest, TheImprintShowsItsTextAndHandsTheMailOver) {
    writeText(editionFile("imprint.txt"), QString(u"A long imprint line that wraps. "_qs).repeated(80));
    start();
    driver->tap(QPoint(30, 20 + 22)); // the info button
    auto* imprint = qobject_cast<ImprintPage*>(shown());
    ASSERT_NE(imprint, nullptr);
    EXPECT_EQ(imprint->titleLabel()->text(), u"Info"_qs);
    EXPECT_EQ(imprint->titleLabel()->frame(), QRect(140, 0, 80, 44));
    EXPECT_EQ(imprint->doneButton()->frame(), QRect(10, 3, 40, 40));
    EXPECT_EQ(imprint->mailButton()->frame(), QRect(275, 7, 30, 30));
    EXPECT_EQ(imprint->scrollView()->frame(), QRect(0, 204, 320, 245));
    // A long text is taller than its area and scrolls.
    EXPECT_GT(imprint->textLabel()->height(), 245);
    EXPECT_EQ(imprint->scrollView()->contentSize(), QSize(280, imprint->textLabel()->height()));
    imprint->scrollView()->setContentOffset(QPoint(0, 100));
    EXPECT_EQ(imprint->scrollView()->contentOffset(), QPoint(0, 100));

    // The mail goes to the edition's contact with the program's name and version in its subject.
    driver->tapView(imprint->mailButton());
    driver->waitIdle();
    ASSERT_FALSE(Application::openedURLs().isEmpty());
    const QString mail = Application::openedURLs().last();
    EXPECT_TRUE(mail.startsWith(u"mailto:editor@example.org"_qs)) << mail.toStdString();
    EXPECT_TRUE(mail.contains(u"SBK"_qs)) << mail.toStdString();
    EXPECT_NE(imprint->mailButton(), nullptr); // back on the imprint with its items

    driver->tapView(imprint->doneButton());
    EXPECT_EQ(shown(), home());
}

TEST_F(PresentationPagesTest, AMissingImprintShowsNoText) {
    QFile::remove(editionFile("imprint.txt"));
    start();
    home()->infoTouched();
    driver->waitIdle();
    auto* imprint = qobject_cast<ImprintPage*>(shown());
    ASSERT_NE(imprint, nullptr);
    EXPECT_TRUE(imprint->textLabel()->text().isEmpty());
    EXPECT_EQ(imprint->textLabel()->height(), 0);
}

TEST_F(PresentationPagesTest, AddressesAreLoadedOnlyOverHttpWithTheSchemeTheyHave) {
    EXPECT_EQ(WebviewPage::loadableAddress(u"www.example.org/page"_qs),
              QUrl(u"http://www.example.org/page"_qs));
    EXPECT_EQ(WebviewPage::loadableAddress(u"https://example.org"_qs), QUrl(u"https://example.org"_qs));
    EXPECT_EQ(WebviewPage::loadableAddress(u"localhost:8642/a"_qs), QUrl(u"http://localhost:8642/a"_qs));
    EXPECT_TRUE(WebviewPage::loadableAddress(u"file:///etc/passwd"_qs).isEmpty());
    EXPECT_TRUE(WebviewPage::loadableAddress(u"javascript:alert(1)"_qs).isEmpty());
    EXPECT_TRUE(WebviewPage::loadableAddress(u"data:text/html,<b>x</b>"_qs).isEmpty());
}

TEST_F(PresentationPagesTest, TheWebPageLoadsALocalPageWithTheIndicatorTurning) {
    if (!WebView::hasBrowserEngine())
        GTEST_SKIP() << "no browser engine in this build";
    LocalHttpServer server;
    LocalHttpServer::Answer page;
    page.contentType = "text/html";
    page.body =
        "<html><head><title>Local sample</title></head><body><p>Hello from the edition.</p></body></html>";
    server.serve(u"/page.html"_qs, page);
    start();
    const QString address = server.url(u"/page.html"_qs).toString();
    auto owned = std::make_unique<WebviewPage>(address);
    WebviewPage* web = owned.get();
    home()->presentModalViewController(std::move(owned), false);
    EXPECT_TRUE(driver->window()->isNetworkActivityIndicatorVisible());
    QElapsedTimer clock;
    clock.start();
    while (web->webView()->title() != u"Local sample"_qs && clock.elapsed() < 20000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(web->webView()->title(), u"Local sample"_qs);
    while (driver->window()->isNetworkActivityIndicatorVisible() && clock.elapsed() < 20000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_FALSE(driver->window()->isNetworkActivityIndicatorVisible());
    web->doneButtonTouched();
    driver->waitIdle();
    EXPECT_EQ(shown(), home());

    // An address of another scheme is not loaded, and the log names it.
    home()->presentModalViewController(std::make_unique<WebviewPage>(u"file:///etc/passwd"_qs), false);
    driver->waitIdle();
    EXPECT_TRUE(log.lines().contains(
        u"Refused to load file:///etc/passwd: only http and https addresses are shown"_qs));
    EXPECT_FALSE(driver->window()->isNetworkActivityIndicatorVisible());
}

TEST_F(PresentationPagesTest, PlacementsOfferMoreInfoOnlyWithAVenueAndContinueToTheCategories) {
    start();
    // Hotels names venue 7 in the fixture.
    ASSERT_TRUE(driver->tapText(u"Hotels"_qs));
    auto* placement = qobject_cast<Placement*>(driver->navigation()->topViewController());
    ASSERT_NE(placement, nullptr);
    EXPECT_EQ(placement->img()->frame(), QRect(0, 0, 320, 416));
    EXPECT_EQ(placement->toolbar()->frame(), QRect(0, 372, 320, 44));
    ASSERT_NE(placement->moreInfoButton(), nullptr);
    driver->tapView(placement->moreInfoButton());
    auto* detail = qobject_cast<DetailedPage*>(driver->navigation()->topViewController());
    ASSERT_NE(detail, nullptr);
    EXPECT_EQ(detail->venueID(), 7);
    EXPECT_EQ(detail->pageTitle(), u"Hotels"_qs);
    EXPECT_EQ(detail->shownVenueName(), u"Hotel Sacher"_qs);
    driver->navigation()->popViewControllerAnimated(false);
    driver->waitIdle();
    ASSERT_EQ(driver->navigation()->topViewController(), placement);

    // Continue: the very Category page the home screen would open, with the placement beneath it.
    driver->tapView(placement->continueButton());
    auto* categories = qobject_cast<CategoryPage*>(driver->navigation()->topViewController());
    ASSERT_NE(categories, nullptr);
    EXPECT_EQ(categories->pageTitle(), u"Hotels"_qs);
    EXPECT_EQ(categories->chapterID(), u"2"_qs);
    driver->navigation()->popViewControllerAnimated(false);
    driver->waitIdle();
    EXPECT_EQ(driver->navigation()->topViewController(), placement);

    // Without a venue: Continue alone. An id that names no row: a detail page with an empty name.
    auto bare = std::make_unique<Placement>();
    Placement* plain = bare.get();
    driver->navigation()->pushViewController(std::move(bare), false);
    plain->setChapterID(u"2"_qs);
    plain->initToolbar(u"PlacementHotels"_qs);
    EXPECT_EQ(plain->moreInfoButton(), nullptr);
    auto missing = std::make_unique<Placement>();
    Placement* nowhere = missing.get();
    driver->navigation()->pushViewController(std::move(missing), false);
    nowhere->setVenueID(u"999"_qs);
    nowhere->setChapterTitle(u"Hotels"_qs);
    nowhere->initToolbar(u"PlacementHotels"_qs);
    nowhere->more();
    driver->waitIdle();
    detail = qobject_cast<DetailedPage*>(driver->navigation()->topViewController());
    ASSERT_NE(detail, nullptr);
    EXPECT_TRUE(detail->shownVenueName().isEmpty());
    EXPECT_EQ(detail->venueID(), 999);
}

} // namespace
