#pragma once

#include "pages/VenueListPage.h"

// The reader's bookmarked venues, with distances, sortable, each opening its detail; a row can be
// deleted with a swipe, which rewrites the bookmarks file with the names shown (or, when the catalogue
// failed while loading, removes just that entry).
class BookmarkPage : public VenueListPage {
    Q_OBJECT
public:
    BookmarkPage();
    ~BookmarkPage() override;

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;

    bool canDeleteRow(TableView* table, int row) override;
    void commitDeleteRow(TableView* table, int row) override;
    void willBeginEditingRow(TableView* table, int row) override;
    void didEndEditingRow(TableView* table, int row) override;

protected:
    QString detailTitle(const Venue& venue) const override;

private:
    // False when the catalogue failed while the list loaded.
    bool listIsComplete = true;
};
