#include "model/Bookmarks.h"
#include "model/PropertyList.h"
#include "pages/BookmarkPage.h"
#include "pages/DetailedPage.h"
#include "pages/SearchPage.h"
#include "pages/SearchText.h"
#include "pages/WebviewPage.h"
#include "platform/Paths.h"
#include "platform/UserDefaults.h"
#include "tests/support/GuideDriver.h"
#include "ui/Application.h"
#include "views/CustomCell.h"

#include <QDir>
#include <QFile>

using namespace testsupport;

namespace {

class VenueDetailTest : public RunningGuideTest {
protected:
    static QList<Label*> labels(DetailedPage* page) { return page->scrollView()->findChildren<Label*>(); }
    static Label* labelWithText(DetailedPage* page, const QString& text) {
        for (Label* label : labels(page))
            if (label->text() == text && label->isVisibleTo(page->view()))
                return label;
        return nullptr;
    }
    static int countText(DetailedPage* page, const QString& text) {
        int count = 0;
        for (Label* label : labels(page))
            count += label->text() == text && !label->isHidden();
        return count;
    }
};

TEST_F(VenueDetailTest, TelephoneAddressesKeepOnlyTheDigits) {
    EXPECT_EQ(DetailedPage::telephoneAddress(u"+44 (1) 234-567"_qs), u"tel:00441234567"_qs);
    EXPECT_EQ(DetailedPage::telephoneAddress(u"+43 1 555 0102"_qs), u"tel:004315550102"_qs);
    EXPECT_EQ(DetailedPage::telephoneAddress(u"01-234"_qs), u"tel:01234"_qs);
}

TEST_F(VenueDetailTest, AHotelWithPictureLongTextBothPhonesWebAndMail) {
    sql("update catalog set body = 'The classic hotel opposite the opera, where the famous cake was invented "
        "in "
        "1832 and where the lobby still smells of chocolate. Rooms look onto the Ring or the quiet inner "
        "courtyard, "
        "and the staff know every regular by name.\\nAfternoon tea is served daily.' where rowid = 7");
    start();
    auto* page = push<DetailedPage>(u"Hotels"_qs, u"Hotel Sacher"_qs, 7);
    ASSERT_NE(page->scrollView(), nullptr);
    // The name wraps at 225 beside the featured badge.
    Label* name = labelWithText(page, u"Hotel Sacher"_qs);
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->pos(), QPoint(20, 15));
    EXPECT_NE(page->scrollView()->findChildren<ImageView*>().size(), 0);

    // The text beside the picture, and the rest below it starting with the first word that did not fit.
    Label* beside = page->scrollView()->findChild<Label*>(u"besidePicture"_qs);
    Label* below = page->scrollView()->findChild<Label*>(u"belowPicture"_qs);
    ASSERT_NE(beside, nullptr);
    ASSERT_NE(below, nullptr);
    EXPECT_EQ(beside->frame().topLeft(), QPoint(130, name->frame().bottom() + 1 + 35));
    EXPECT_TRUE(beside->text().startsWith(u"The classic hotel"_qs));
    EXPECT_TRUE((beside->text() + below->text()).contains(u"invented in 1832"_qs));
    EXPECT_TRUE(below->text().contains(u"by name.\nAfternoon tea"_qs)); // backslash-n is a line break
    EXPECT_EQ(below->y(), beside->y() + 102);

    // Hotel rooms and price, then the action rows.
    EXPECT_NE(labelWithText(page, u"149 rooms and suites"_qs), nullptr);
    EXPECT_NE(labelWithText(page, u"from EUR 400"_qs), nullptr);
    EXPECT_EQ(countText(page, u"Phone"_qs), 2);
    EXPECT_EQ(countText(page, u"Website"_qs), 1);
    EXPECT_EQ(countText(page, u"Email"_qs), 1);
    QList<Button*> buttons = page->scrollView()->findChildren<Button*>();
    // The last row walks there (held by the walk's own tests).
    ASSERT_TRUE(buttons.removeOne(page->walkThereButton()));
    ASSERT_EQ(buttons.size(), 4);
    std::sort(buttons.begin(), buttons.end(), [](auto* a, auto* b) { return a->y() < b->y(); });
    for (Button* button : buttons) {
        EXPECT_EQ(button->x(), 230);
        EXPECT_EQ(button->size(), QSize(68, 32));
    }
    EXPECT_EQ(buttons[0]->tag(), 1);
    EXPECT_EQ(buttons[1]->tag(), 2);
    for (Button* button : buttons) {
        page->scrollView()->setContentOffset(QPoint(0, button->y() - 100)); // into view, above the tool bar
        driver->tapView(button);
        // The web site opens inside the guide; closed, the detail page is back.
        if (auto* web = qobject_cast<WebviewPage*>(driver->delegate()->visibleViewController())) {
            EXPECT_EQ(web->webPageAddress(), u"https://www.example.org/sacher"_qs);
            web->doneButtonTouched();
            driver->waitIdle();
        }
    }
    // Each phone row dials its own number.
    EXPECT_EQ(Application::openedURLs(),
              (QStringList{u"tel:00431514560"_qs, u"tel:004315550102"_qs, u"mailto:hotel@example.org"_qs}));
    EXPECT_EQ(page->scrollView()->contentSize().height(), page->originY());
}

TEST_F(VenueDetailTest, DatesWithoutContactsOrPosition) {
    sql("update catalog set gps_lat = null, gps_lon = null where rowid = 9");
    start();
    // Only a stop date: at the left. No contacts: no action rows and no separator.
    auto* jazz = push<DetailedPage>(u"Hotels"_qs, u"Jazz Club"_qs, 9);
    Label* stop = labelWithText(jazz, u"2026-12-31"_qs);
    ASSERT_NE(stop, nullptr);
    EXPECT_EQ(stop->pos(), QPoint(20, 10));
    EXPECT_EQ(jazz->scrollView()->findChildren<Button*>().size(), 0);
    EXPECT_EQ(jazz->walkThereButton(), nullptr); // no position: nowhere to walk to
    int separators = 0;
    for (View* view : jazz->scrollView()->contentView()->findChildren<View*>(Qt::FindDirectChildrenOnly))
        separators += view->height() == 1 && !view->isHidden() && view->width() == 320;
    EXPECT_EQ(separators, 0);
    EXPECT_NE(labelWithText(jazz, u"Late concerts.\nBook ahead."_qs), nullptr);

    // Both dates share a line with "-" between them.
    auto* market = push<DetailedPage>(u"Hotels"_qs, u"Christmas Market"_qs, 8);
    Label* start = labelWithText(market, u"2026-11-14"_qs);
    Label* dash = labelWithText(market, u"-"_qs);
    Label* end = labelWithText(market, u"2026-12-26"_qs);
    ASSERT_TRUE(start && dash && end);
    EXPECT_EQ(dash->y(), start->y());
    EXPECT_EQ(end->y(), start->y());
    EXPECT_EQ(dash->x(), start->width() + 24);

    // No position: the third tool (the live map) is disabled.
    auto* vinothek = push<DetailedPage>(u"Sights"_qs, u"Vinothek"_qs, 3);
    EXPECT_FALSE(vinothek->toolbar()->items()[5]->isEnabled());
    EXPECT_TRUE(market->toolbar()->items()[5]->isEnabled());
}

TEST_F(VenueDetailTest, BookmarkingTwiceKeepsOneEntryAndConfirmsEachTime) {
    start();
    ASSERT_FALSE(QFile::exists(Bookmarks::documentsPath())); // the shipped default is not copied
    auto* page = push<DetailedPage>(u"Sights"_qs, u"Art Cafe"_qs, 1);
    for (int round = 0; round < 2; ++round) {
        driver->tapView(tool(page->toolbar(), u"Bookmark.tool"_qs)->button());
        ASSERT_NE(page->locationAlertLabel(), nullptr);
        EXPECT_EQ(page->locationAlertLabel()->label()->text(), u"Venue succesfully added to bookmarks"_qs);
        EXPECT_EQ(page->locationAlertLabel()->alpha(), 1);
        driver->fireTimers(); // the 2-second timer
        EXPECT_EQ(page->locationAlertLabel()->alpha(), 0);
    }
    const auto root = PropertyList::readFile(Bookmarks::documentsPath());
    ASSERT_TRUE(root);
    EXPECT_EQ(root->toMap().keys(), QStringList{u"Venues"_qs});
    EXPECT_EQ(root->toMap().value(u"Venues"_qs).toStringList(), QStringList{u"Art Cafe"_qs});
    EXPECT_TRUE(PropertyList::toXml(*root).startsWith("<?xml"));
}

TEST_F(VenueDetailTest, AnUnreadableBookmarksFileIsKeptBesideTheNewOne) {
    start();
    writeText(Bookmarks::documentsPath(), u"<plist>broken"_qs);
    ASSERT_TRUE(Bookmarks::add(u"Cafe"_qs));
    EXPECT_EQ(Bookmarks::read(), QStringList{u"Cafe"_qs});
    EXPECT_EQ(readText(Bookmarks::documentsPath() + u".unreadable"_qs), u"<plist>broken"_qs);
    EXPECT_TRUE(log.lines().contains(u"Bookmarks.plist could not be read; it is kept as "_qs +
                                     Bookmarks::documentsPath() + u".unreadable"_qs));
}

TEST_F(VenueDetailTest, BookmarksListSortsOpensAndDeletes) {
    start();
    for (const char* name : {"Vinothek", "Cafe", "Art Cafe", "gone away", "Dojo"})
        Bookmarks::add(QString::fromLatin1(name));
    auto* page = push<BookmarkPage>();
    ASSERT_NE(page->tableView(), nullptr);
    // A name the catalogue no longer has is not shown.
    EXPECT_EQ(names(page->venues()), (QStringList{u"Vinothek"_qs, u"Cafe"_qs, u"Art Cafe"_qs, u"Dojo"_qs}));
    EXPECT_EQ(page->venues()[2].venueDistance, u"0m"_qs);
    EXPECT_EQ(page->tableView()->frame(), QRect(0, 0, 320, 372));

    driver->tapView(tool(page->toolbar(), u"SortNearest.tool"_qs)->button());
    EXPECT_EQ(names(page->venues()).first(), u"Art Cafe"_qs);
    EXPECT_EQ(names(page->venues()).last(), u"Vinothek"_qs); // no position: last
    driver->tapView(tool(page->toolbar(), u"SortAZ.tool"_qs)->button());
    EXPECT_EQ(names(page->venues()), (QStringList{u"Art Cafe"_qs, u"Cafe"_qs, u"Dojo"_qs, u"Vinothek"_qs}));

    // Swipe the second row: the description narrows while the delete button shows.
    TableView* table = page->tableView();
    const QRect row = driver->windowFrame(table->cellForRow(1));
    driver->drag(row.center() + QPoint(60, 0), row.center() - QPoint(60, 0));
    ASSERT_EQ(table->editingRow(), 1);
    auto* cell = static_cast<CustomCell*>(table->cellForRow(1));
    EXPECT_EQ(cell->venueDescriptionLabel()->width(), 230);
    driver->tapView(table->deleteButton());
    EXPECT_EQ(names(page->venues()), (QStringList{u"Art Cafe"_qs, u"Dojo"_qs, u"Vinothek"_qs}));
    // The file keeps the names shown, in their order; the vanished one is gone with the write.
    EXPECT_EQ(Bookmarks::read(), (QStringList{u"Art Cafe"_qs, u"Dojo"_qs, u"Vinothek"_qs}));

    // A touched bookmark opens its venue under its chapter's name.
    page->didSelectRow(table, 1);
    driver->waitIdle();
    auto* detail = qobject_cast<DetailedPage*>(driver->navigation()->topViewController());
    ASSERT_NE(detail, nullptr);
    EXPECT_EQ(detail->pageTitle(), u"Sights"_qs);
    EXPECT_EQ(detail->venueID(), 6);
}

TEST_F(VenueDetailTest, SearchFindsNamesAndDescriptionsAndRepeatsTheLastSearch) {
    UserDefaults::standardUserDefaults().setObject(u"distance"_qs, u"1"_qs);
    start();
    UserDefaults::standardUserDefaults().setObject(u"distance"_qs, u"1"_qs);
    auto* page = push<SearchPage>(u"Search"_qs);
    EXPECT_FALSE(page->searchButton()->isEnabled());
    page->searchField()->type(u"c"_qs);
    EXPECT_TRUE(page->searchButton()->isEnabled());
    page->searchField()->type(QString()); // deleting the only character
    EXPECT_FALSE(page->searchButton()->isEnabled());

    for (const char* c : {" ", "c", "a", "f", "e", " "})
        page->searchField()->type(QString::fromLatin1(c));
    driver->tapView(page->searchButton());
    EXPECT_EQ(names(page->venues()), (QStringList{u"Art Cafe"_qs, u"Cafe"_qs}));
    EXPECT_EQ(SearchText::get(), u" cafe "_qs); // stored with its blanks
    EXPECT_EQ(page->venues()[0].venueDistance, u"0ft"_qs);
    EXPECT_TRUE(page->promptLabel()->isHidden());

    // By description.
    page->searchField()->setText(u"baroque"_qs);
    driver->tapView(page->searchButton());
    EXPECT_EQ(names(page->venues()), QStringList{u"Gallery One"_qs});

    // A new search page shows the last search at once.
    driver->navigation()->popViewControllerAnimated(false);
    auto* again = push<SearchPage>(u"Search"_qs);
    EXPECT_EQ(names(again->venues()), QStringList{u"Gallery One"_qs});

    // Nothing found.
    for (const char* c : {"z", "z", "z"})
        again->searchField()->type(QString::fromLatin1(c));
    driver->tapView(again->searchButton());
    EXPECT_TRUE(again->venues().isEmpty());
    EXPECT_FALSE(again->promptLabel()->isHidden());
    EXPECT_EQ(again->promptLabel()->text(), u"Nothing was found"_qs);
}

} // namespace

namespace {

TEST_F(VenueDetailTest, ABookmarkThatCannotBeSavedIsNotConfirmed) {
    start();
    auto* page = push<DetailedPage>(u"Sights"_qs, u"Art Cafe"_qs, 1);
    Paths::setDiskFullForTesting(true);
    driver->tapView(tool(page->toolbar(), u"Bookmark.tool"_qs)->button());
    Paths::setDiskFullForTesting(false);
    ASSERT_NE(page->locationAlertLabel(), nullptr);
    EXPECT_EQ(page->locationAlertLabel()->label()->text(), u"The bookmark could not be saved"_qs);
    EXPECT_EQ(Bookmarks::read(), QStringList());
}

} // namespace
