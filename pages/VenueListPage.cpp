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

CustomCell::OpenMark cellMark(OpenNow::Mark mark) {
    switch (mark) {
    case OpenNow::Mark::Open:
        return CustomCell::OpenMark::Open;
    case OpenNow::Mark::Closed:
        return CustomCell::OpenMark::Closed;
    case OpenNow::Mark::Unknown:
        break;
    }
    return CustomCell::OpenMark::None;
}

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
    if (!minuteTimer) {
        minuteTimer = new QTimer(this);
        minuteTimer->setInterval(5000); // a mark changes at most a few seconds after its minute
        connect(minuteTimer, &QTimer::timeout, this, [this] { renewOpenMarks(); });
        minuteTimer->start();
    }
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

// A list is read again (a new search, a deleted bookmark, a sort) with reloadData, which asks for the
// number of rows first: the venues open now are picked anew then.
int VenueListPage::numberOfRows(TableView*) {
    if (!openOnly)
        return int(venueList.size());
    openRows.clear();
    for (int i = 0; i < venueList.size(); ++i) {
        if (openMark(venueList[i]) == OpenNow::Mark::Open)
            openRows.append(i);
    }
    return int(openRows.size());
}

int VenueListPage::listIndex(int row) const {
    if (!openOnly)
        return row >= 0 && row < venueList.size() ? row : -1;
    return openRows.value(row, -1);
}

std::optional<Venue> VenueListPage::venueInRow(int row) const {
    const int index = listIndex(row);
    return index < 0 ? std::nullopt : std::optional(venueList[index]);
}

int VenueListPage::heightForRow(TableView*, int row) {
    const int index = listIndex(row);
    return index >= 0 && venueList[index].venueDescription.size() >= 3 ? 80 : 35;
}

TableViewCell* VenueListPage::cellForRow(TableView* tableView, int row) {
    const Venue venue = venueInRow(row).value_or(Venue());
    const QRect frame(0, 0, 300, heightForRow(tableView, row));
    auto* cell = static_cast<CustomCell*>(tableView->dequeueReusableCell(QStringLiteral("Cell")));
    if (cell)
        cell->updateVenue(frame, venue.venueName, venue.venueDistance, venue.venueDateStart, QString(),
                          venue.venueDescription, venue.mobile_highlight);
    else
        cell = CustomCell::initWithVenue(frame, venue.venueName, venue.venueDistance, venue.venueDateStart,
                                         QString(), venue.venueDescription, venue.mobile_highlight,
                                         QStringLiteral("Cell"));
    cell->setOpenMark(cellMark(openMark(venue)));
    return cell;
}

OpenNow::Mark VenueListPage::openMark(const Venue& venue) {
    if (!marks)
        marks.emplace(OpenNow::editionPlace());
    return marks->of(venue);
}

void VenueListPage::renewOpenMarks() {
    if (!marks || !marks->renew() || !table || !view()->isVisible())
        return;
    if (openOnly) {
        table->reloadData();
        showOpenNotice();
        return;
    }
    for (TableViewCell* cell : table->visibleCells()) {
        if (const auto venue = venueInRow(cell->row()))
            static_cast<CustomCell*>(cell)->setOpenMark(cellMark(openMark(*venue)));
    }
}

void VenueListPage::toggleOpenOnly(CustomBarButtonItem* item) {
    openOnly = !openOnly;
    // The tool's caption shows that the list is filtered.
    item->label()->setTextColor(openOnly ? QColor(0x4c, 0xd9, 0x64)
                                         : QColor::fromRgbF(0.95f, 0.95f, 0.95f, 0.8f));
    if (table)
        table->reloadData();
    if (openOnly) {
        showOpenNotice();
        openNotice->showAlert();
    } else if (openNotice) {
        openNotice->hideAlert();
    }
}

// The strip over the list's foot: how many venues it shows, and how many it leaves out because
// their hours are not known.
void VenueListPage::showOpenNotice() {
    int unknown = 0;
    for (const Venue& venue : std::as_const(venueList))
        unknown += openMark(venue) == OpenNow::Mark::Unknown;
    const int open = int(openRows.size());
    QString text = open == 0 ? QStringLiteral("None open now") : QStringLiteral("%1 open now").arg(open);
    if (unknown > 0)
        text += unknown == 1 ? QStringLiteral(" \u00b7 1 with unknown hours")
                             : QStringLiteral(" \u00b7 %1 with unknown hours").arg(unknown);
    if (!openNotice) {
        openNotice = new QnAlertLabel(QRect(0, 372, 320, 20), text);
        openNotice->setStartPosition(QRect(0, 372, 320, 20));
        openNotice->setEndPosition(QRect(0, 352, 320, 20));
        // Darker than the location's strip: it stays while the list is filtered, over the last row.
        openNotice->setBackgroundColor(QColor::fromRgbF(0, 0, 0, 0.8f));
        view()->addSubview(openNotice);
        if (tools)
            tools->raise(); // the strip rises from behind the tool bar
    }
    openNotice->label()->setText(text);
}

void VenueListPage::willDisplayCell(TableView*, TableViewCell* cell, int) {
    cell->setBackgroundColor(Qt::transparent);
}

QString VenueListPage::detailTitle(const Venue&) const {
    return title;
}

void VenueListPage::didSelectRow(TableView* tableView, int row) {
    const std::optional<Venue> shown = venueInRow(row);
    if (!shown)
        return;
    const Venue venue = *shown;
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
    VenueList shown;
    for (int row = 0, rows = numberOfRows(table); row < rows; ++row)
        shown.append(venueList[listIndex(row)]);
    openLiveMapWithVenues(navigationController(), shown, title);
}

void VenueListPage::barButtonItemTouched(CustomBarButtonItem* item) {
    const QString tool = trimmedText(item->selector());
    if (tool == u"SortAZ.tool") {
        sortByName(venueList);
    } else if (tool == u"SortNearest.tool") {
        sortByNearness(venueList);
    } else if (tool == u"OpenNow.tool") {
        toggleOpenOnly(item);
        return;
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
