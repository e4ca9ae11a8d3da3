#include "pages/CategoryPage.h"

#include "model/ShareData.h"
#include "pages/CategoryIntroductionPage.h"
#include "pages/VenuesPage.h"
#include "platform/Log.h"
#include "ui/Images.h"
#include "ui/NavigationController.h"
#include "views/CustomCell.h"

CategoryPage::CategoryPage(const QString& pageTitle, const QString& chapterID, const QString& image)
    : title(pageTitle), chapter(chapterID), imageName(image) {}

CategoryPage::~CategoryPage() = default;

void CategoryPage::loadView() {
    setView(new View(QRect(0, 0, 320, 416)));
}

void CategoryPage::viewDidLoad() {
    addPageBackground(view(), ShareData::sharedInstance()->getCorrespondingBKG(title), 480);

    table = new TableView(QRect(10, 0, 300, 405));
    table->setDataSource(this, this);
    table->setDelegate(this, this);
    view()->addSubview(table);

    LocationManager* locationManager = LocationManager::getInstance();
    locationManager->setLocationDelegate(this);
    position = locationManager->getUserLocation();

    overlay.show(QStringLiteral("Loading categories ..."));
    const QString chapterID = chapter;
    operationQueue.addOperation([this, self = QPointer<QObject>(this), chapterID] {
        const SQLDAL::ChapterCategories lists = SQLDAL::getCategoriesForChapter(chapterID);
        QStringList loadedNames = lists.names, loadedNumbers = lists.counts, loadedLocations = lists.located;
        // Categories without venues are not shown.
        for (qsizetype i = loadedNames.size() - 1; i >= 0; --i) {
            if (loadedNumbers.value(i).toInt() == 0) {
                loadedNames.removeAt(i);
                loadedNumbers.removeAt(i);
                if (i < loadedLocations.size())
                    loadedLocations.removeAt(i);
            }
        }
        const QStringList introduction = SQLDAL::getCategoryIntroduction(chapterID);
        const bool introduced = !introduction.value(1).isEmpty() || !introduction.value(0).isEmpty();
        const int chapterTotal = lists.total.toInt();
        runOnMainThread(self, [=, this] {
            names = loadedNames;
            numbers = loadedNumbers;
            locations = loadedLocations;
            total = chapterTotal;
            hasIntroduction = introduced;
            table->reloadData();
            overlay.hide();
        });
    });
}

void CategoryPage::viewWillAppear(bool) {
    header.build(navigationController(), title, chapterColor(title), this, [this] { linkTouched(); });
}

void CategoryPage::viewWillDisappear(bool) {
    LocationManager* locationManager = LocationManager::getInstance();
    if (locationManager->locationDelegate() == this)
        locationManager->setLocationDelegate(nullptr);
    header.remove();
    operationQueue.cancelAllOperations();
}

void CategoryPage::linkTouched() {
    traceLine(QStringLiteral("linkTouched"));
    header.removeBadge();
    if (NavigationController* navigation = navigationController())
        navigation->popToRootViewControllerAnimated(true);
}

int CategoryPage::numberOfRows(TableView*) {
    return int(names.size()) + 1 + (hasIntroduction ? 1 : 0);
}

int CategoryPage::heightForRow(TableView*, int row) {
    return hasIntroduction && row == 0 ? 60 : 40;
}

TableViewCell* CategoryPage::cellForRow(TableView* tableView, int row) {
    if (hasIntroduction && row == 0) {
        auto* cell = static_cast<CustomCell*>(tableView->dequeueReusableCell(QStringLiteral("Cell")));
        if (cell)
            cell->update(imageName);
        else
            cell = CustomCell::initImageRow(QRect(0, 0, 320, 60), imageName, QStringLiteral("Cell"));
        return cell;
    }
    const int category = row - (hasIntroduction ? 1 : 0) - 1; // -1: the "All" row
    const QString name = category < 0 ? QStringLiteral("All") : names.value(category);
    const int number = category < 0 ? total : numbers.value(category).toInt();
    auto* cell = static_cast<CustomCell*>(tableView->dequeueReusableCell(QStringLiteral("Cell2")));
    if (cell)
        cell->updateWithCategory(name, number, row);
    else
        cell = CustomCell::initWithCategory(QRect(0, 0, 320, 40), name, number, row, QStringLiteral("Cell2"));
    return cell;
}

void CategoryPage::willDisplayCell(TableView*, TableViewCell* cell, int) {
    cell->setBackgroundColor(Qt::transparent);
}

bool CategoryPage::openIntroduction() {
    if (!hasIntroduction || !table)
        return false;
    didSelectRow(table, 0);
    return true;
}

bool CategoryPage::openCategory(const QString& name) {
    const int first = hasIntroduction ? 2 : 1;
    const int index = int(names.indexOf(name));
    if (!table || (name != u"All" && index < 0))
        return false;
    didSelectRow(table, name == u"All" ? first - 1 : first + index);
    return true;
}

void CategoryPage::didSelectRow(TableView* tableView, int row) {
    NavigationController* navigation = navigationController();
    if (!navigation)
        return;
    if (hasIntroduction && row == 0) {
        navigation->pushViewController(std::make_unique<CategoryIntroductionPage>(title, imageName, chapter),
                                       true);
    } else {
        const int category = row - (hasIntroduction ? 1 : 0) - 1;
        if (category < 0) {
            navigation->pushViewController(
                std::make_unique<VenuesPage>(title, QStringLiteral("All"), chapter, QStringLiteral("1")),
                true);
        } else if (numbers.value(category).toInt() == 1) {
            const VenueList venues = SQLDAL::getVenuesForCategory(names.value(category), chapter);
            if (!venues.isEmpty())
                openVenueDetail(navigation, title, venues.first().venueName, venues.first().venueID);
        } else {
            navigation->pushViewController(std::make_unique<VenuesPage>(title, names.value(category), chapter,
                                                                        locations.value(category)),
                                           true);
        }
    }
    tableView->deselectRow(row, true);
}

void CategoryPage::locationUpdated() {
    if (!position)
        position = LocationManager::getInstance()->getUserLocation();
}
