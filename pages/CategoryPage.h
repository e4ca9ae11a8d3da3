#pragma once

#include "catalog/SQLDAL.h"
#include "location/LocationManager.h"
#include "pages/PageSupport.h"
#include "platform/OperationQueue.h"
#include "ui/TableView.h"
#include "ui/ViewController.h"

// The categories of one chapter: an introduction row when the chapter has one, an "All" row and one
// row per category that has venues. Loaded in the background behind the loading overlay.
class CategoryPage : public ViewController,
                     public TableViewDataSource,
                     public TableViewDelegate,
                     public LocationListener {
    Q_OBJECT
public:
    CategoryPage(const QString& title, const QString& chapterID, const QString& imageName);
    ~CategoryPage() override;

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
    void linkTouched();
    // Opens what a row opens: the chapter's introduction (false without one), or a category by its
    // name, "All" for the whole chapter (false for a name the chapter does not have).
    bool openIntroduction();
    bool openCategory(const QString& name);

    QString pageTitle() const { return title; }
    QString chapterID() const { return chapter; }
    QStringList categoryNames() const { return names; }
    QStringList categoryNumbers() const { return numbers; }
    QStringList categoryLocations() const { return locations; }
    int categoryTotal() const { return total; }
    bool hasCategoryIntroduction() const { return hasIntroduction; }
    std::optional<PositionFix> userLocation() const { return position; }
    TableView* tableView() const { return table; }

private:
    QString title;
    QString chapter;
    QString imageName;
    QStringList names, numbers, locations;
    int total = 0;
    bool hasIntroduction = false;
    std::optional<PositionFix> position;
    TableView* table = nullptr;
    PageHeader header;
    LoadingOverlay overlay;
    OperationQueue operationQueue;
};
