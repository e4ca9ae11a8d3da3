#include "pages/VenuesPage.h"

#include "catalog/SQLDAL.h"
#include "model/DAO.h"
#include "model/ShareData.h"
#include "platform/TextValues.h"
#include "ui/NavigationController.h"

#include <algorithm>

VenuesPage::VenuesPage(const QString& pageTitle, const QString& type, const QString& chapter,
                       const QString& haveLocation)
    : VenueListPage(pageTitle), venueType(type), chapterID(chapter), venuesHaveLocation(haveLocation) {}

VenuesPage::~VenuesPage() = default;

void VenuesPage::viewDidLoad() {
    readDistanceUnit();
    manager = readerSettings();
    addPageBackground(view(), ShareData::sharedInstance()->getCorrespondingBKG(title), 416);
    registerForLocation();

    overlay.show(QStringLiteral("Loading venues ..."));
    const QString type = venueType, chapter = chapterID;
    operationQueue.addOperation([this, self = QPointer<QObject>(this), type, chapter] {
        VenueList loaded = SQLDAL::getVenuesForCategory(type, chapter);
        // Featured venues first; the catalogue's name order stays within both groups.
        std::stable_sort(loaded.begin(), loaded.end(), [](const Venue& a, const Venue& b) {
            return a.mobile_highlight && !b.mobile_highlight;
        });
        runOnMainThread(self, [this, loaded = std::move(loaded)]() mutable {
            venueList = std::move(loaded);
            addTable(QRect(10, 0, 300, 372));
            if (position)
                fillDistances();
            else if (LocationManager::getInstance()->locationServicesAreEnabled())
                showLocationNotice();
            overlay.hide();
            table->reloadData();
        });
    });

    tools = makeToolbar(manager->orderVenuesTools(), this, this);
    // Without any venue that has a position, the third tool (the live map) has nothing to show.
    const QList<BarButtonItem*> items = tools->items();
    if (intValueOfText(venuesHaveLocation) == 0 && items.size() > 5)
        items[5]->setEnabled(false);
    view()->addSubview(tools);
}

void VenuesPage::viewWillAppear(bool) {
    addLocationNotice();
    header.build(navigationController(), title, chapterColor(title), this, [this] { linkTouched(); });
}

void VenuesPage::viewWillDisappear(bool) {
    header.remove();
}
