#pragma once

#include "pages/VenueListPage.h"

class ManagerModel;

// The venues of a category of a chapter (or of the whole chapter, "All"): featured venues first, each
// with its distance from the reader in the reader's unit, sortable A-Z or by nearness.
class VenuesPage : public VenueListPage {
    Q_OBJECT
public:
    VenuesPage(const QString& title, const QString& venueType, const QString& chapterID,
               const QString& venuesHaveLocation);
    ~VenuesPage() override;

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;

private:
    QString venueType;
    QString chapterID;
    QString venuesHaveLocation;
    ManagerModel* manager = nullptr;
};
