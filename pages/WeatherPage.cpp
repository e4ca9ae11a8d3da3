#include "pages/WeatherPage.h"

#include "feeds/SafeXml.h"
#include "model/DAO.h"
#include "model/LenientDate.h"
#include "platform/HttpClient.h"
#include "platform/Log.h"
#include "platform/UserDefaults.h"
#include "ui/Images.h"
#include "ui/NavigationController.h"
#include "views/CustomCell.h"

#include <QDateTime>

namespace {

constexpr qint64 cacheLifetimeSeconds = 60 * 60;

} // namespace

WeatherPage::WeatherPage() = default;
WeatherPage::~WeatherPage() = default;

void WeatherPage::viewWillAppear(bool) {
    rebuild(QStringLiteral("WeatherPageBackground"), QStringLiteral("Local Weather"));
    table = nullptr;
    spinner = nullptr;
    // Any value but 0 counts as the second unit.
    const UserDefaults& defaults = UserDefaults::standardUserDefaults();
    fahrenheit = defaults.integerForKey(QStringLiteral("temp")) != 0;
    miles = defaults.integerForKey(QStringLiteral("distance")) != 0;
    addFooterLabel(QRect(20, 387, 120, 25), QStringLiteral("WorldWideWeather"));
    getWeatherFeed();
    updated =
        addFooterLabel(QRect(200, 387, 105, 24), QStringLiteral("Updated %1").arg(weatherFeedDateString));
}

void WeatherPage::getWeatherFeed() {
    ManagerModel* manager = settings();
    if (feedTimeWithin(manager->dateWeather(), cacheLifetimeSeconds) && manager->userWeather().size() > 4) {
        weatherFeedDateString = parseFeedTime(manager->dateWeather())->toString(QStringLiteral("dd.MM.yyyy"));
        read(ManagerModel::storedDocument(manager->userWeather()).toUtf8());
        return;
    }
    if (!spinner) {
        spinner = new ActivityIndicator(QRect(152, 401, 15, 15));
        view()->addSubview(spinner);
    }
    spinner->startAnimating();
    HttpClient::Request request;
    request.url = QUrl(manager->feedWeather());
    request.timeoutMs = 20000;
    HttpClient::get(request, this, [this](const HttpResponse& response) { received(response); });
    weatherFeedDateString = QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"));
    if (updated)
        updated->setText(QStringLiteral("Updated %1").arg(weatherFeedDateString));
}

void WeatherPage::received(const HttpResponse& response) {
    if (!response.ok()) {
        logLine(QStringLiteral("ERROR with theConnection: %1").arg(response.errorText));
        if (spinner)
            spinner->stopAnimating();
        showTimeoutAlert(
            QStringLiteral("Oh no! The Weather Feed is currently unavailable. Please check your internet "
                           "connection and try again."),
            [this] { getWeatherFeed(); });
        return;
    }
    read(response.body);
}

void WeatherPage::read(const QByteArray& document) {
    QString error;
    const std::optional<QList<WeatherReader::Element>> elements = WeatherReader::read(document, &error);
    if (!elements)
        logLine(QStringLiteral("Weather document unreadable: %1").arg(error));
    conditions =
        elements ? WeatherReader::entries(*elements, fahrenheit, miles) : QList<WeatherReader::Entry>();
    if (spinner)
        spinner->stopAnimating();
    if (conditions.isEmpty()) {
        // Nothing is kept of an answer without weather: the next try fetches again.
        showTimeoutAlert(QStringLiteral("Weather Feed is currently unavailable. \nPlease try again later."),
                         [this] { getWeatherFeed(); });
        return;
    }
    // The document read is kept, with the time it was read.
    ManagerModel* manager = settings();
    const QString keptWeather = manager->userWeather(), keptDate = manager->dateWeather();
    manager->setUserWeather(QString::fromUtf8(document));
    manager->setDateWeather(QDateTime::currentDateTime().toString(QString::fromLatin1(feedTimePattern)));
    if (!DAOFactory::getInstance()->saveSettings(*manager)) {
        // Nothing could be kept (a full disk): the stored document stands, and the page says what it
        // says without a network.
        manager->setUserWeather(keptWeather);
        manager->setDateWeather(keptDate);
        showTimeoutAlert(QStringLiteral("Oh no! The Weather Feed is currently unavailable. Please check your "
                                        "internet connection and try again."),
                         [this] { getWeatherFeed(); });
    }
    if (!table)
        table = addTable(this, this);
    table->reloadData();
}

int WeatherPage::numberOfRows(TableView*) {
    return int(conditions.size());
}

int WeatherPage::heightForRow(TableView*, int row) {
    return row == 0 ? 110 : 72;
}

TableViewCell* WeatherPage::cellForRow(TableView* tableView, int row) {
    const WeatherReader::Entry& entry = conditions[row];
    const QRect frame(0, 0, 320, heightForRow(tableView, row));
    // Row 0 is the current condition, the others days; each kind has a reuse identifier of its own.
    const QString identifier = row == 0 ? QStringLiteral("Cell") : QStringLiteral("Day");
    auto* cell = static_cast<CustomCell*>(tableView->dequeueReusableCell(identifier));
    if (row == 0) {
        if (cell)
            cell->updateWithCurrentCondition(frame, entry.temperature, entry.imageName(), entry.description,
                                             entry.windSpeed, entry.windDirection, entry.humidity, row);
        else
            cell = CustomCell::initWithCurrentCondition(frame, entry.temperature, entry.imageName(),
                                                        entry.description, entry.windSpeed,
                                                        entry.windDirection, entry.humidity, row, identifier);
        return cell;
    }
    if (cell)
        cell->updateWithWeather(frame, entry.day, entry.temperature, entry.temperatureMin, {}, {},
                                entry.imageName(), entry.description, row);
    else
        cell = CustomCell::initWithWeather(frame, entry.day, entry.temperature, entry.temperatureMin, {}, {},
                                           entry.imageName(), entry.description, row, identifier);
    return cell;
}

void WeatherPage::willDisplayCell(TableView*, TableViewCell* cell, int) {
    cell->setBackgroundColor(Qt::transparent);
}

void WeatherPage::didSelectRow(TableView* tableView, int row) {
    tableView->deselectRow(row, false);
}
