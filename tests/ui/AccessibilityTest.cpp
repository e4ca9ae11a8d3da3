#include "pages/BookmarkPage.h"
#include "pages/DetailedPage.h"
#include "pages/SearchPage.h"
#include "pages/VenuesPage.h"
#include "tests/support/GuideDriver.h"
#include "ui/NavigationController.h"

#include <QAccessible>
#include <QTest>

using namespace testsupport;

namespace {

// What a screen reader finds on the screen: "role: name" of every visible node with a name.
void collect(QAccessibleInterface* node, QStringList* found, QList<QAccessibleInterface*>* nodes) {
    if (!node || node->state().invisible)
        return;
    const QString name = node->text(QAccessible::Name).trimmed();
    if (!name.isEmpty()) {
        found->append(QStringLiteral("%1: %2").arg(int(node->role())).arg(name));
        nodes->append(node);
    }
    for (int i = 0; i < node->childCount(); ++i)
        collect(node->child(i), found, nodes);
}

class AccessibilityTest : public RunningGuideTest {
protected:
    QStringList spoken() {
        nodes.clear();
        QStringList found;
        collect(QAccessible::queryAccessibleInterface(driver->window()), &found, &nodes);
        return found;
    }
    static QString node(QAccessible::Role role, const QString& name) {
        return QStringLiteral("%1: %2").arg(int(role)).arg(name);
    }
    QAccessibleInterface* find(QAccessible::Role role, const QString& name) {
        const QStringList found = spoken();
        const qsizetype at = found.indexOf(node(role, name));
        return at < 0 ? nullptr : nodes[at];
    }
    void startActive() {
        start();
        driver->window()->show();
        driver->window()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(driver->window()));
    }
    QList<QAccessibleInterface*> nodes;
};

TEST_F(AccessibilityTest, TheHomeScreenAListAndADetailTellWhatTheyAre) {
    start();
    QStringList home = spoken();
    for (const QString& expected :
         {node(QAccessible::Button, u"Sights"_qs), node(QAccessible::Button, u"Hotels"_qs),
          node(QAccessible::Button, u"Maps"_qs), node(QAccessible::Button, u"Bookmarks"_qs),
          node(QAccessible::Button, u"Info"_qs), node(QAccessible::StaticText, u"Teststadt"_qs),
          node(QAccessible::Button, u"Live Map"_qs), node(QAccessible::Button, u"Currency"_qs)})
        EXPECT_TRUE(home.contains(expected)) << expected.toStdString() << "\nin:\n"
                                             << home.join(u'\n').toStdString();

    // A button does what a touch does when assistive technology presses it.
    QAccessibleInterface* bookmarks = find(QAccessible::Button, u"Bookmarks"_qs);
    ASSERT_NE(bookmarks, nullptr);
    ASSERT_TRUE(bookmarks->actionInterface());
    bookmarks->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    driver->waitIdle();
    EXPECT_TRUE(qobject_cast<BookmarkPage*>(driver->navigation()->topViewController()));
    driver->navigation()->popViewControllerAnimated(false);

    // A venue list: each row says its venue, distance and whether it is featured; the list is a list.
    push<VenuesPage>(u"Sights"_qs, u"All"_qs, u"1"_qs, u"1"_qs);
    driver->waitIdle();
    const QStringList list = spoken();
    const QStringList rows = list.filter(QStringLiteral("%1: ").arg(int(QAccessible::ListItem)));
    EXPECT_GE(rows.size(), 5) << list.join(u'\n').toStdString();
    EXPECT_EQ(rows.filter(u"Art Cafe"_qs).size(), 1);
    EXPECT_TRUE(rows.filter(u"Art Cafe"_qs).value(0).endsWith(u", featured"_qs))
        << rows.join(u'\n').toStdString();
    EXPECT_FALSE(rows.filter(u"Gallery One"_qs).value(0).contains(u"featured"_qs));
    QAccessibleInterface* row = nodes[list.indexOf(rows.filter(u"Gallery One"_qs).value(0))];
    row->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    driver->waitIdle();
    EXPECT_TRUE(qobject_cast<DetailedPage*>(driver->navigation()->topViewController()));

    // A detail page: its texts and its buttons by their captions.
    push<DetailedPage>(u"Hotels"_qs, u"Hotel Sacher"_qs, 7);
    const QStringList detail = spoken();
    for (const QString& expected :
         {node(QAccessible::StaticText, u"Hotel Sacher"_qs), node(QAccessible::Button, u"Bookmark"_qs),
          node(QAccessible::Button, u"Back"_qs)})
        EXPECT_TRUE(detail.contains(expected)) << expected.toStdString() << "\nin:\n"
                                               << detail.join(u'\n').toStdString();
}

TEST_F(AccessibilityTest, TheKeyboardReachesPressesAndGoesBack) {
    startActive();
    // Tab reaches the home screen's buttons; Enter presses the one with the focus.
    QWidget* focused = nullptr;
    for (int i = 0; i < 40; ++i) {
        QTest::keyClick(driver->window(), Qt::Key_Tab);
        focused = QApplication::focusWidget();
        if (auto* button = qobject_cast<Button*>(focused);
            button && button->accessibleName() == u"Bookmarks"_qs)
            break;
    }
    ASSERT_TRUE(qobject_cast<Button*>(focused));
    ASSERT_EQ(focused->accessibleName(), u"Bookmarks"_qs);
    QTest::keyClick(focused, Qt::Key_Return);
    driver->waitIdle();
    EXPECT_TRUE(qobject_cast<BookmarkPage*>(driver->navigation()->topViewController()));
    // Escape goes back one page; Ctrl+F opens the search.
    QTest::keyClick(driver->window(), Qt::Key_Escape);
    driver->waitIdle();
    EXPECT_EQ(driver->navigation()->viewControllers().size(), 1);
    QTest::keyClick(driver->window(), Qt::Key_F, Qt::ControlModifier);
    driver->waitIdle();
    EXPECT_TRUE(qobject_cast<SearchPage*>(driver->navigation()->topViewController()));
}

} // namespace
