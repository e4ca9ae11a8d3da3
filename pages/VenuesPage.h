#pragma once

#include "catalog/SQLDAL.h"
#include "location/LocationManager.h"
#include "pages/PageSupport.h"
#include "platform/OperationQueue.h"
#include "ui/TableView.h"
#include "ui/Toolbar.h"
#include "ui/ViewController.h"
#include "views/CustomControls.h"

class ManagerModel;

// The venues of a category of a chapter (or of the whole chapter, "All"): featured venues first, each
// with its distance from the reader in the reader's unit, sortable A-Z or by nearness.
class VenuesPage : public ViewController,
                   public TableViewDataSource,
                   public TableViewDelegate,
                   public LocationListener,
                   public CustomBarButtonItemDelegate {
    Q_OBJECT
public:
    VenuesPage(const QString& title, const QString& venueType, const QString& chapterID,
               const QString& venuesHaveLocation);
    ~VenuesPage() override;

    void loadView() override;
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;

    int numberOfRows(TableView* table) override;
    int heightForRow(TableView* table, int row) override;
    TableViewCell* cellForRow(TableView* table, int row) override;
    void didSelectRow(TableView* table, int row) override;
    void willDisplayCell(TableView* table, TableViewCell* cell, int row) override;
    void locationUpdated() override;
    void barButtonItemTouched(CustomBarButtonItem* item) override;
    void linkTouched();

    const VenueList& venues() const { return venueList; }
    TableView* tableView() const { return table; }
    Toolbar* toolbar() const { return tools; }
    QnAlertLabel* locationAlertLabel() const { return alert; }
    bool waitingForUserLocation() const { return waiting; }
    float distanceUserValue() const { return distanceUnit; }

    // The sort of the "Nearest" tool: venues by distance, those without one after them in their order.
    static void sortByNearness(VenueList& venues);
    // The sort of the "A-Z" tool: plain character order, equal names keep their order.
    static void sortByName(VenueList& venues);

private:
    void fillDistances();
    void initToolbar();

    QString title;
    QString venueType;
    QString chapterID;
    QString venuesHaveLocation;
    VenueList venueList;
    ManagerModel* manager = nullptr;
    float distanceUnit = 1.0f;
    std::optional<PositionFix> position;
    bool waiting = false;
    QPointer<QnAlertLabel> alert;
    TableView* table = nullptr;
    Toolbar* tools = nullptr;
    PageHeader header;
    LoadingOverlay overlay;
    OperationQueue operationQueue;
};
