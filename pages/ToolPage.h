#pragma once

#include "pages/PageSupport.h"
#include "ui/TableView.h"
#include "ui/ViewController.h"

#include <QPointer>

class ManagerModel;

// What the live-data pages share: a page built anew each time it comes on screen (background, header
// with the tool title, the footer strip), the settings read afresh, and the "Timeout" alert whose
// "Go Back" leaves the page and whose "Try again" runs the page's load again.
class ToolPage : public ViewController {
    Q_OBJECT
public:
    void loadView() override;
    void viewWillDisappear(bool animated) override;
    void linkTouched();

protected:
    // Clears the page, reads "manager.csv" and puts up the background, the header and the footer strip.
    void rebuild(const QString& background, const QString& title);
    // The page's list above the footer (320 x 390), with the page as its data source and delegate.
    TableView* addTable(TableViewDataSource* source, TableViewDelegate* delegate);
    // A label of the footer, in the tool pages' blue.
    Label* addFooterLabel(const QRect& frame, const QString& text);
    // One alert at a time; `retry` runs on "Try again".
    void showTimeoutAlert(const QString& message, std::function<void()> retry);
    ManagerModel* settings() const;

    PageHeader header;

private:
    bool alertShown = false;
};
