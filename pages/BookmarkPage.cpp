#include "pages/BookmarkPage.h"

#include "catalog/SQLDAL.h"
#include "model/Bookmarks.h"
#include "model/DAO.h"
#include "ui/NavigationController.h"
#include "views/CustomCell.h"

BookmarkPage::BookmarkPage() : VenueListPage(QStringLiteral("Bookmarks")) {}

BookmarkPage::~BookmarkPage() = default;

void BookmarkPage::viewDidLoad() {
    readDistanceUnit();
    const ManagerModel* manager = readerSettings();
    const QStringList names = Bookmarks::read();
    registerForLocation();
    overlay.show();

    operationQueue.addOperation([this, self = QPointer<QObject>(this), names, here = position] {
        const int failuresBefore = SQLDAL::failuresOnThisThread();
        VenueList loaded = names.isEmpty() ? VenueList() : SQLDAL::getVenueDataForVenues(names);
        const bool complete = SQLDAL::failuresOnThisThread() == failuresBefore;
        // The distances are worked out here and handed over finished.
        if (here)
            ::fillDistances(loaded, here->latitude, here->longitude, distanceIsImperial());
        runOnMainThread(self, [this, here, complete, loaded = std::move(loaded)]() mutable {
            takeLoadedVenues(std::move(loaded), here);
            listIsComplete = complete;
            addTable(QRect(0, 0, 320, 372));
            if (!position)
                showLocationNotice();
            table->reloadData();
            overlay.hide();
        });
    });

    addPageBackground(view(), QStringLiteral("BookmarkPageBackground"), 416);
    tools = makeToolbar(manager->orderVenuesTools(), this, this);
    view()->addSubview(tools);
    addLocationNotice();
}

void BookmarkPage::viewWillAppear(bool) {
    waiting = false;
    header.build(navigationController(), title, QColor::fromRgbF(0.13f, 0.64f, 0.85f, 1.0f), this,
                 [this] { linkTouched(); });
}

void BookmarkPage::viewWillDisappear(bool) {
    LocationManager* locationManager = LocationManager::getInstance();
    if (locationManager->locationDelegate() == this)
        locationManager->setLocationDelegate(nullptr);
    header.remove();
}

QString BookmarkPage::detailTitle(const Venue& venue) const {
    return SQLDAL::getChapterNameForVenue(venue.venueName);
}

bool BookmarkPage::canDeleteRow(TableView*, int row) {
    return listIndex(row) >= 0;
}

void BookmarkPage::commitDeleteRow(TableView* tableView, int row) {
    const int index = listIndex(row);
    if (index < 0)
        return;
    const Venue removed = venueList.takeAt(index);
    if (listIsComplete) {
        // Only the names shown are kept: names the catalogue no longer has go with this write.
        QStringList names;
        for (const Venue& venue : std::as_const(venueList))
            names.append(venue.venueName);
        Bookmarks::write(names);
    } else {
        // The catalogue failed while the list loaded, so a name not shown may still be good.
        Bookmarks::removeEntryFor(removed.venueName);
    }
    tableView->reloadData();
}

// The description makes room for the "Delete" button while it shows, and gets the row's own frame
// back when the edit ends without a deletion.
void BookmarkPage::willBeginEditingRow(TableView*, int row) {
    if (auto* cell = qobject_cast<CustomCell*>(table ? table->cellForRow(row) : nullptr)) {
        const QRect laidOut = cell->venueDescriptionFrame();
        cell->venueDescriptionLabel()->setFrame(QRect(20, 22, std::min(230, laidOut.width()), 50));
    }
}

void BookmarkPage::didEndEditingRow(TableView*, int row) {
    if (auto* cell = qobject_cast<CustomCell*>(table ? table->cellForRow(row) : nullptr))
        cell->venueDescriptionLabel()->setFrame(cell->venueDescriptionFrame());
}
