#pragma once

#include "feeds/WeatherDocument.h"
#include "pages/ToolPage.h"
#include "ui/TableView.h"

#include <QPointer>

struct HttpResponse;

// The city's weather: the current condition and a forecast by day, from the weather feed. The last
// document is kept in the settings file and used while it is under an hour old.
class WeatherPage : public ToolPage, public TableViewDataSource, public TableViewDelegate {
    Q_OBJECT
public:
    WeatherPage();
    ~WeatherPage() override;

    void viewWillAppear(bool animated) override;

    void getWeatherFeed();

    int numberOfRows(TableView* table) override;
    int heightForRow(TableView* table, int row) override;
    TableViewCell* cellForRow(TableView* table, int row) override;
    void willDisplayCell(TableView* table, TableViewCell* cell, int row) override;
    void didSelectRow(TableView* table, int row) override;

    const QList<WeatherReader::Entry>& weatherConditions() const { return conditions; }
    TableView* tableView() const { return table; }
    ActivityIndicator* activityIndicator() const { return spinner; }
    Label* updateLabel() const { return updated; }

private:
    void received(const HttpResponse& response);
    void read(const QByteArray& document);

    QList<WeatherReader::Entry> conditions;
    bool fahrenheit = false;
    bool miles = false;
    QString weatherFeedDateString;
    QPointer<TableView> table;
    QPointer<ActivityIndicator> spinner;
    QPointer<Label> updated;
};
