#include "pages/VenuesPage.h"

#include "model/DAO.h"
#include "model/ShareData.h"
#include "platform/Log.h"
#include "platform/TextValues.h"
#include "ui/Images.h"
#include "ui/NavigationController.h"
#include "views/CustomCell.h"

#include <algorithm>

VenuesPage::VenuesPage(const QString& pageTitle, const QString& type, const QString& chapter,
                       const QString& haveLocation)
    : title(pageTitle), venueType(type), chapterID(chapter), venuesHaveLocation(haveLocation) {}

VenuesPage::~VenuesPage() = default;

void VenuesPage::loadView() {
    setView(new View(QRect(0, 0, 320, 416)));
}

void VenuesPage::viewDidLoad() {
    distanceUnit = distanceIsImperial() ? 0.3048f : 1.0f;
    manager = DAOFactory::getInstance()->readSettingsFromFile(QStringLiteral("manager.csv"));

    const QString background = ShareData::sharedInstance()->getCorrespondingBKG(title);
    auto* backgroundView = new ImageView(QRect(0, 0, 320, 416), Images::named(background));
    backgroundView->setImageName(background);
    view()->addSubview(backgroundView);

    LocationManager* locationManager = LocationManager::getInstance();
    locationManager->setLocationDelegate(this);
    position = locationManager->getUserLocation();

    overlay.show(QStringLiteral("Loading venues ..."));
    const QString type = venueType, chapter = chapterID;
    operationQueue.addOperation([this, type, chapter] {
        VenueList loaded = SQLDAL::getVenuesForCategory(type, chapter);
        // Featured venues first; the catalogue's name order stays within both groups.
        std::stable_sort(loaded.begin(), loaded.end(), [](const Venue& a, const Venue& b) {
            return a.mobile_highlight && !b.mobile_highlight;
        });
        runOnMainThread(this, [this, loaded = std::move(loaded)]() mutable {
            venueList = std::move(loaded);
            table = new TableView(QRect(10, 0, 300, 372));
            table->setDataSource(this, this);
            table->setDelegate(this, this);
            view()->addSubview(table);
            if (tools)
                tools->raise();
            if (alert)
                alert->raise();
            if (position)
                fillDistances();
            else if (LocationManager::getInstance()->locationServicesAreEnabled() && alert)
                alert->showAlert();
            overlay.hide();
            table->reloadData();
        });
    });
    initToolbar();
}

void VenuesPage::initToolbar() {
    tools = new Toolbar(QRect(0, 372, 320, 44));
    tools->setBarStyle(Toolbar::BlackTranslucent);
    BarButtonItem* space = BarButtonItem::flexibleSpace(this);
    QList<BarButtonItem*> items{space};
    const bool servicesOn = LocationManager::getInstance()->locationServicesAreEnabled();
    const QStringList entries = manager->orderVenuesTools().split(u',');
    for (int index = 0; index < entries.size(); ++index) {
        const QStringList parts = entries[index].split(u':');
        if (parts.size() < 3)
            continue;
        auto* item =
            new CustomBarButtonItem(parts[1].trimmed(), trimmedText(parts[0]), index, parts[2], this);
        item->setDelegate(this, this);
        if (!servicesOn && trimmedText(parts[2]) == u"LiveMap.tool")
            item->setEnabled(false);
        items << item << space;
    }
    // Without any venue that has a position, the third tool (the live map) has nothing to show.
    if (intValueOfText(venuesHaveLocation) == 0 && items.size() > 5)
        items[5]->setEnabled(false);
    tools->setItems(items);
    view()->addSubview(tools);
}

void VenuesPage::viewWillAppear(bool animated) {
    if (NavigationController* navigation = navigationController())
        navigation->setNavigationBarHidden(false, animated);
    if (alert)
        alert->removeFromSuperview();
    auto* strip = new QnAlertLabel(QRect(0, 372, 320, 20), QStringLiteral("Updating location..."));
    strip->setStartPosition(QRect(0, 372, 320, 20));
    strip->setEndPosition(QRect(0, 352, 320, 20));
    view()->addSubview(strip);
    if (tools)
        tools->raise();
    alert = strip;
    header.build(navigationController(), title, chapterColor(title), this, [this] { linkTouched(); });
}

void VenuesPage::viewWillDisappear(bool) {
    header.remove();
}

void VenuesPage::linkTouched() {
    header.removeBadge();
    if (NavigationController* navigation = navigationController())
        navigation->popToRootViewControllerAnimated(true);
}

void VenuesPage::fillDistances() {
    if (position)
        ::fillDistances(venueList, position->latitude, position->longitude, distanceIsImperial());
}

int VenuesPage::numberOfRows(TableView*) {
    return int(venueList.size());
}

int VenuesPage::heightForRow(TableView*, int row) {
    return venueList.value(row).venueDescription.size() < 3 ? 35 : 80;
}

TableViewCell* VenuesPage::cellForRow(TableView* tableView, int row) {
    const Venue& venue = venueList[row];
    const QRect frame(0, 0, 300, heightForRow(tableView, row));
    auto* cell = static_cast<CustomCell*>(tableView->dequeueReusableCell(QStringLiteral("Cell")));
    if (cell) {
        cell->updateVenue(frame, venue.venueName, venue.venueDistance, venue.venueDateStart, QString(),
                          venue.venueDescription, venue.mobile_highlight);
        return cell;
    }
    return CustomCell::initWithVenue(frame, venue.venueName, venue.venueDistance, venue.venueDateStart,
                                     QString(), venue.venueDescription, venue.mobile_highlight,
                                     QStringLiteral("Cell"));
}

void VenuesPage::willDisplayCell(TableView*, TableViewCell* cell, int) {
    cell->setBackgroundColor(Qt::transparent);
}

void VenuesPage::didSelectRow(TableView* tableView, int row) {
    const Venue& venue = venueList.at(row);
    openVenueDetail(navigationController(), title, venue.venueName, venue.venueID);
    tableView->deselectRow(row, true);
}

void VenuesPage::sortByName(VenueList& venues) {
    std::stable_sort(venues.begin(), venues.end(), [](const Venue& a, const Venue& b) {
        return QString::compare(a.venueName, b.venueName, Qt::CaseSensitive) < 0;
    });
}

void VenuesPage::sortByNearness(VenueList& venues) {
    std::stable_partition(venues.begin(), venues.end(),
                          [](const Venue& v) { return !v.venueDistance.isEmpty(); });
    const auto withoutDistance =
        std::find_if(venues.begin(), venues.end(), [](const Venue& v) { return v.venueDistance.isEmpty(); });
    std::stable_sort(venues.begin(), withoutDistance, [](const Venue& a, const Venue& b) {
        return a.venueRealDistance < b.venueRealDistance;
    });
}

void VenuesPage::barButtonItemTouched(CustomBarButtonItem* item) {
    const QString tool = trimmedText(item->selector());
    if (tool == u"SortAZ.tool") {
        sortByName(venueList);
        if (table)
            table->reloadData();
    } else if (tool == u"SortNearest.tool") {
        sortByNearness(venueList);
        if (table)
            table->reloadData();
    } else if (tool == u"LiveMap.tool") {
        // The live map reads the positions itself; the distance texts stay in the reader's unit.
        if (position) {
            openLiveMapWithVenues(navigationController(), int(venueList.size()), title);
        } else {
            waiting = true;
            if (alert)
                alert->showAlert();
        }
    }
}

void VenuesPage::locationUpdated() {
    if (position)
        return;
    position = LocationManager::getInstance()->getUserLocation();
    fillDistances();
    if (alert)
        alert->hideAlert();
    if (waiting) {
        waiting = false;
        openLiveMapWithVenues(navigationController(), int(venueList.size()), title);
    }
    if (table)
        table->reloadData();
}
