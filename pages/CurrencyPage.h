#pragma once

#include "feeds/ReferenceRates.h"
#include "pages/ToolPage.h"
#include "ui/TableView.h"
#include "ui/TextField.h"
#include "views/CustomCell.h"

#include <QPointer>

class NumberPad;
struct HttpResponse;

// The currency converter: the reader's currencies, one amount each, all the same sum of money. The
// euro reference rates are fetched at most every twelve hours (in the background, the spinner turning)
// and kept in the settings file, so the converter works offline from the last rates. An amount typed
// into any row scales every other row when the edit ends.
class CurrencyPage : public ToolPage,
                     public TableViewDataSource,
                     public TableViewDelegate,
                     public TextFieldDelegate,
                     public CustomCellDelegate {
    Q_OBJECT
public:
    CurrencyPage();
    ~CurrencyPage() override;

    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;

    void loadCurrency();

    int numberOfRows(TableView* table) override;
    int heightForRow(TableView* table, int row) override;
    TableViewCell* cellForRow(TableView* table, int row) override;
    void didSelectRow(TableView* table, int row) override;
    void willDisplayCell(TableView* table, TableViewCell* cell, int row) override;

    bool shouldChangeCharacters(TextField* field, const QString& before, int start, int length,
                                const QString& replacement) override;
    bool shouldReturn(TextField* field) override;
    void didBeginEditing(TextField* field) override;
    void didEndEditing(TextField* field) override;
    void doneButton(TextField* field) override;
    void dotButton();
    void deleteButton();

    QStringList currencies() const { return currencyList; }
    QStringList currencyValues() const { return amounts; }
    TableView* tableView() const { return table; }
    ActivityIndicator* activityIndicator() const { return spinner; }
    Label* updatedLabel() const { return updated; }
    TextField* textFieldBeingEdited() const { return editedField; }

private:
    void download();
    void downloaded(const HttpResponse& response);
    // The Timeout alert over the rates stored last time (a failed download, or a failed save).
    void showStoredRates();
    void parse(const QByteArray& document);
    void initFooterWithDate(const QString& date);
    void reloadAmounts();

    QStringList currencyList;
    QStringList amounts;
    QStringList amountsForOneEuro; // from the rates last read
    bool getUserValues = false;
    QPointer<TableView> table;
    QPointer<ActivityIndicator> spinner;
    QPointer<Label> updated;
    QPointer<TextField> editedField;
    bool reloading = false;
    QList<QMetaObject::Connection> padConnections;
};
