#include "app/ScreenTour.h"

#include "app/StrollbookAppDelegate.h"
#include "catalog/SQLDAL.h"
#include "model/Bookmarks.h"
#include "pages/BookmarkPage.h"
#include "pages/CategoryPage.h"
#include "pages/ChapterPage.h"
#include "pages/DetailedPage.h"
#include "pages/SearchPage.h"
#include "pages/VenuesPage.h"
#include "platform/OperationQueue.h"
#include "ui/Animation.h"
#include "ui/NavigationController.h"

#include <QApplication>
#include <QDir>
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
    const bool ok = delegate->window()->grab().save(path);
    if (!ok)
        qWarning("cannot write %s", qPrintable(path));
    return ok;
}

void ScreenTour::start() {
    QDir().mkpath(folder);
    // Half-way through the fade of the start-up picture.
    QTimer::singleShot(2000, this, [this] { failed |= !shoot(QStringLiteral("01-startup-fade")); });
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
    steps = {
        [this] { return shoot(QStringLiteral("02-home")); },
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
        [navigation] {
            navigation()->popViewControllerAnimated(false);
            return true;
        },
        [this] {
            // The list is pictured while it loads, then loaded.
            auto* page = top<CategoryPage>(delegate);
            if (!page)
                return false;
            page->didSelectRow(page->tableView(), rowNamed(page, QStringLiteral("All")));
            return shoot(QStringLiteral("05-loading"));
        },
        [this] { return shoot(QStringLiteral("06-venues")); },
        [this] {
            auto* page = top<VenuesPage>(delegate);
            if (!page)
                return false;
            touchTool(page, QStringLiteral("SortNearest.tool"));
            return true;
        },
        [this] { return shoot(QStringLiteral("07-venues-nearest")); },
        // Three venues in full: with a picture and a long text, an event, a hotel.
        [this] { return openDetail(QStringLiteral("Sights"), 1); },
        [this] { return shoot(QStringLiteral("08-detail-picture")); },
        [this] {
            auto* page = top<DetailedPage>(delegate);
            page->scrollView()->setContentOffset(QPoint(0, 10000));
            return shoot(QStringLiteral("09-detail-picture-end"));
        },
        [this] { return openDetail(QStringLiteral("Events"), 239); },
        [this] { return shoot(QStringLiteral("10-detail-event")); },
        [this] { return openDetail(QStringLiteral("Hotels"), 219); },
        [this] { return shoot(QStringLiteral("11-detail-hotel")); },
        [this] {
            // Bookmarked from the detail page: the confirmation rises.
            auto* page = top<DetailedPage>(delegate);
            for (BarButtonItem* item : page->toolbar()->items()) {
                if (auto* tool = qobject_cast<CustomBarButtonItem*>(item);
                    tool && tool->selector().trimmed() == u"Bookmark.tool")
                    tool->buttonTouched();
            }
            return true;
        },
        [this] { return shoot(QStringLiteral("12-detail-bookmarked")); },
        [this] {
            Bookmarks::add(QStringLiteral("St. Stephen's Cathedral"));
            Bookmarks::add(QStringLiteral("Vienna Christmas Dream at the Rathausplatz"));
            delegate->navigationController()->popToRootViewControllerAnimated(false);
            return true;
        },
        [navigation] {
            navigation()->pushViewController(std::make_unique<BookmarkPage>(), false);
            return true;
        },
        [this] { return shoot(QStringLiteral("13-bookmarks")); },
        [navigation] {
            navigation()->popToRootViewControllerAnimated(false);
            navigation()->pushViewController(std::make_unique<SearchPage>(QStringLiteral("Search")), false);
            return true;
        },
        [this] { return search(QStringLiteral("schnitzel")); },
        [this] { return shoot(QStringLiteral("14-search-results")); },
        [this] { return search(QStringLiteral("zzyzx")); },
        [this] { return shoot(QStringLiteral("15-search-nothing")); },
    };
    current = 0;
    next();
}

// Each step runs once the guide has come to rest after the one before.
void ScreenTour::next() {
    if (OperationQueue::outstandingOperations() > 0 || Animation::running() > 0) {
        QTimer::singleShot(10, this, [this] { next(); });
        return;
    }
    if (current >= steps.size()) {
        QApplication::exit(failed ? 1 : 0);
        return;
    }
    const bool ok = steps[current++]();
    if (!ok)
        qWarning("the tour could not take step %d", int(current));
    failed |= !ok;
    QTimer::singleShot(30, this, [this] { next(); });
}
