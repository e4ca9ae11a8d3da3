#pragma once

#include "catalog/Venue.h"
#include "location/LocationManager.h"
#include "pages/OpenNow.h"
#include "pages/PageSupport.h"
#include "platform/OperationQueue.h"
#include "ui/TableView.h"
#include "ui/Toolbar.h"
#include "ui/ViewController.h"
#include "views/CustomControls.h"

#include <QTimer>

// What the venue list, the bookmarks and the search results share: venue rows with the distance in the
// reader's unit, the A-Z, nearest and live-map tools, the first position filling the distances, the
// "Updating location..." notice, and a touched row opening the venue's detail. Each row is marked open
// or closed by the venue's hours, renewed every minute; the "Open now" tool shows only the venues
// open now (the list itself stays whole, so a bookmark deleted there loses no other). Every position the
// service accepts while the page listens (the first, or a renewed one) fills the distances anew.
class VenueListPage : public ViewController,
                      public TableViewDataSource,
                      public TableViewDelegate,
                      public LocationListener,
                      public CustomBarButtonItemDelegate {
    Q_OBJECT
public:
    explicit VenueListPage(const QString& title);
    ~VenueListPage() override;

    void loadView() override;
    // A stored position over two minutes old is renewed when the list comes on screen.
    void viewDidAppear(bool animated) override;

    int numberOfRows(TableView* table) override;
    int heightForRow(TableView* table, int row) override;
    TableViewCell* cellForRow(TableView* table, int row) override;
    void didSelectRow(TableView* table, int row) override;
    void willDisplayCell(TableView* table, TableViewCell* cell, int row) override;
    void locationUpdated() override;
    void barButtonItemTouched(CustomBarButtonItem* item) override;
    void linkTouched();

    QString pageTitle() const { return title; }
    const VenueList& venues() const { return venueList; }
    TableView* tableView() const { return table; }
    Toolbar* toolbar() const { return tools; }
    QnAlertLabel* locationAlertLabel() const { return alert; }
    bool waitingForUserLocation() const { return waiting; }
    bool showsOpenOnly() const { return openOnly; }
    QnAlertLabel* openNoticeLabel() const { return openNotice; }
    // Renews the open marks when the clock has reached another minute (a timer asks every few
    // seconds while the page is shown).
    void renewOpenMarks();
    // The venue of a row as shown, or none.
    std::optional<Venue> venueInRow(int row) const;
    float distanceUserValue() const { return distanceUnit; }
    std::optional<PositionFix> userLocation() const { return position; }

    // The sort of the "Nearest" tool: venues by distance, those without one after them in their order.
    static void sortByNearness(VenueList& venues);
    // The sort of the "A-Z" tool: plain character order, equal names keep their order.
    static void sortByName(VenueList& venues);

protected:
    // The title the detail page of a touched venue gets.
    virtual QString detailTitle(const Venue& venue) const;

    void readDistanceUnit();
    void registerForLocation();
    void fillDistances();
    // Takes a list loaded in the background with distances from `measuredFrom`; a first position that
    // came while it loaded fills them now.
    void takeLoadedVenues(VenueList loaded, const std::optional<PositionFix>& measuredFrom);
    // A new notice strip at the foot of the page, hidden.
    void addLocationNotice();
    void showLocationNotice();
    void addTable(const QRect& frame);
    void openLiveMap();
    // Where the row's venue stands in venueList (-1: no row of that number is shown).
    int listIndex(int row) const;

    QString title;
    VenueList venueList;
    std::optional<PositionFix> position;
    bool waiting = false;
    float distanceUnit = 1.0f;
    TableView* table = nullptr;
    Toolbar* tools = nullptr;
    QPointer<QnAlertLabel> alert;
    PageHeader header;
    LoadingOverlay overlay;
    OperationQueue operationQueue;

private:
    OpenNow::Mark openMark(const Venue& venue);
    void toggleOpenOnly(CustomBarButtonItem* item);
    void showOpenNotice();

    std::optional<OpenNow::Marks> marks;
    bool openOnly = false;
    QList<int> openRows; // with openOnly, the indexes in venueList of the venues shown
    QPointer<QnAlertLabel> openNotice;
    QTimer* minuteTimer = nullptr;
};
