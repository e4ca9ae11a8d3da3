#include "pages/VenueListPage.h"

#include "platform/TextValues.h"
#include "ui/Images.h"
#include "ui/NavigationController.h"
#include "views/CustomCell.h"

#include <algorithm>

VenueListPage::VenueListPage(const QString& pageTitle) : title(pageTitle) {}

VenueListPage::~VenueListPage() = default;

void VenueListPage::loadView() {
    setView(new View(QRect(0, 0, 320, 416)));
}

void VenueListPage::readDistanceUnit() {
    distanceUnit = distanceIsImperial() ? 0.3048f : 1.0f;
}

void VenueListPage::registerForLocation() {
    LocationManager* locationManager = LocationManager::getInstance();
    locationManager->setLocationDelegate(this);
    position = locationManager->getUserLocation();
}

void VenueListPage::fillDistances() {
    if (position)
        ::fillDistances(venueList, position->latitude, position->longitude, distanceIsImperial());
}

namespace {

bool samePosition(const std::optional<PositionFix>& a, const std::optional<PositionFix>& b) {
    if (!a || !b)
        return !a && !b;
    return a->latitude == b->latitude && a->longitude == b->longitude && a->timestamp == b->timestamp;
}

} // namespace

void VenueListPage::takeLoadedVenues(VenueList loaded, const std::optional<PositionFix>& measuredFrom) {
    venueList = std::move(loaded);
    if (!samePosition(position, measuredFrom))
        fillDistances();
}

void VenueListPage::viewDidAppear(bool) {
    constexpr int renewAfterSeconds = 120;
    // The page on screen is the one the service tells.
    LocationManager* locationManager = LocationManager::getInstance();
    locationManager->setLocationDelegate(this);
    locationManager->updateLocationIfOlderThan(renewAfterSeconds);
}

void VenueListPage::addTable(const QRect& frame) {
    table = new TableView(frame);
    table->setDataSource(this, this);
    table->setDelegate(this, this);
    view()->addSubview(table);
    if (tools)
        tools->raise();
    if (alert)
        alert->raise();
    if (tools)
        tools->raise();
}

void VenueListPage::addLocationNotice() {
    if (alert)
        alert->removeFromSuperview();
    auto* strip = new QnAlertLabel(QRect(0, 372, 320, 20), QStringLiteral("Updating location..."));
    strip->setStartPosition(QRect(0, 372, 320, 20));
    strip->setEndPosition(QRect(0, 352, 320, 20));
    view()->addSubview(strip);
    if (tools)
        tools->raise(); // the strip rises from behind the tool bar
    alert = strip;
}

void VenueListPage::showLocationNotice() {
    if (alert)
        alert->showAlert();
}

void VenueListPage::linkTouched() {
    header.removeBadge();
    if (NavigationController* navigation = navigationController())
        navigation->popToRootViewControllerAnimated(true);
}

int VenueListPage::numberOfRows(TableView*) {
    return int(venueList.size());
}

int VenueListPage::heightForRow(TableView*, int row) {
    return venueList.value(row).venueDescription.size() < 3 ? 35 : 80;
}

TableViewCell* VenueListPage::cellForRow(TableView* tableView, int row) {
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

void VenueListPage::willDisplayCell(TableView*, TableViewCell* cell, int) {
    cell->setBackgroundColor(Qt::transparent);
}

QString VenueListPage::detailTitle(const Venue&) const {
    return title;
}

void VenueListPage::didSelectRow(TableView* tableView, int row) {
    const Venue venue = venueList.value(row);
    openVenueDetail(navigationController(), detailTitle(venue), venue.venueName, venue.venueID);
    tableView->deselectRow(row, true);
}

void VenueListPage::sortByName(VenueList& venues) {
    std::stable_sort(venues.begin(), venues.end(), [](const Venue& a, const Venue& b) {
        return QString::compare(a.venueName, b.venueName, Qt::CaseSensitive) < 0;
    });
}

void VenueListPage::sortByNearness(VenueList& venues) {
    const auto withoutDistance = std::stable_partition(
        venues.begin(), venues.end(), [](const Venue& v) { return !v.venueDistance.isEmpty(); });
    std::stable_sort(venues.begin(), withoutDistance, [](const Venue& a, const Venue& b) {
        return a.venueRealDistance < b.venueRealDistance;
    });
}

// The live map reads the venues' positions itself: the distance texts stay in the reader's unit.
void VenueListPage::openLiveMap() {
    openLiveMapWithVenues(navigationController(), venueList, title);
}

void VenueListPage::barButtonItemTouched(CustomBarButtonItem* item) {
    const QString tool = trimmedText(item->selector());
    if (tool == u"SortAZ.tool") {
        sortByName(venueList);
    } else if (tool == u"SortNearest.tool") {
        sortByNearness(venueList);
    } else if (tool == u"LiveMap.tool") {
        if (position) {
            openLiveMap();
        } else {
            waiting = true;
            showLocationNotice();
        }
        return;
    } else {
        return;
    }
    if (table)
        table->reloadData();
}

void VenueListPage::locationUpdated() {
    const std::optional<PositionFix> fix = LocationManager::getInstance()->getUserLocation();
    if (!fix || samePosition(position, fix))
        return;
    position = fix;
    fillDistances();
    if (alert)
        alert->hideAlert();
    if (waiting) {
        waiting = false;
        openLiveMap();
    }
    if (table)
        table->reloadData();
}
