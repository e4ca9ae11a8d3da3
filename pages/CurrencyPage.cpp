#include "pages/CurrencyPage.h"

#include "feeds/CurrencyAmounts.h"
#include "feeds/SafeXml.h"
#include "model/DAO.h"
#include "model/LenientDate.h"
#include "platform/HttpClient.h"
#include "platform/Log.h"
#include "ui/Images.h"
#include "ui/NavigationController.h"
#include "ui/NumberPad.h"

#include <QDateTime>

namespace {

constexpr qint64 ratesLifetimeSeconds = 12 * 60 * 60;

QFont boldArial(double size) {
    return Fonts::named(QStringLiteral("Arial-BoldMT"), size);
}

} // namespace

CurrencyPage::CurrencyPage() = default;

CurrencyPage::~CurrencyPage() = default;

void CurrencyPage::viewWillAppear(bool) {
    // Every showing builds the page anew and applies the load rule again.
    rebuild(QStringLiteral("CurrencyPageBackground"), QStringLiteral("Currency"));
    table = nullptr;
    updated = nullptr;
    spinner = new ActivityIndicator(QRect(152, 401, 15, 15));
    view()->addSubview(spinner);
    spinner->startAnimating();
    loadCurrency();
}

void CurrencyPage::viewWillDisappear(bool animated) {
    ToolPage::viewWillDisappear(animated);
    if (editedField)
        editedField->resignFirstResponder();
    NumberPad::shared()->dismiss();
}

void CurrencyPage::loadCurrency() {
    const ManagerModel* manager = settings();
    currencyList = ManagerModel::listEntries(manager->userCurrencies());
    if (!feedTimeWithin(manager->dateCurrency(), ratesLifetimeSeconds)) {
        download();
        return;
    }
    getUserValues = true;
    parse(ManagerModel::storedDocument(manager->userCurrencyRates()).toUtf8());
}

void CurrencyPage::download() {
    HttpClient::Request request;
    request.url = QUrl(settings()->feedCurrency());
    HttpClient::get(request, this, [this](const HttpResponse& response) { downloaded(response); });
}

void CurrencyPage::downloaded(const HttpResponse& response) {
    const QString text = response.ok() ? QString::fromUtf8(response.body) : QString();
    // Only a rate document that gives every currency of the edition is stored: anything else (a
    // portal's page that happens to say "<Cube>", a document cut off part-way) is a failed download,
    // and the rates stored last stand with their date.
    const std::optional<QString> stored = ReferenceRateReader::withStoredHead(text);
    const std::optional<ReferenceRates> rates =
        stored ? ReferenceRateReader::read(response.body) : std::nullopt;
    if (!response.ok() || !rates || !CurrencyAmounts::fromRates(currencyList, *rates)) {
        logLine(QStringLiteral("Currency feed failed: %1")
                    .arg(response.ok()
                             ? QStringLiteral("the answer holds no rates for the edition's currencies")
                             : response.errorText));
        showStoredRates();
        return;
    }
    getUserValues = false;
    ManagerModel* manager = settings();
    manager->setDateCurrency(QDateTime::currentDateTime().toString(QString::fromLatin1(feedTimePattern)));
    manager->setUserCurrencyRates(*stored);
    manager->setUserRestoreState(QStringLiteral("CurrencyPage"));
    if (!DAOFactory::getInstance()->saveSettings(*manager)) {
        // Nothing could be kept (a full disk): the settings stay as stored, and so does the page.
        readerSettings();
        showStoredRates();
        return;
    }
    parse(response.body);
}

void CurrencyPage::showStoredRates() {
    showTimeoutAlert(QStringLiteral("Oh no! The Currency Feed is currently unavailable. Please check your "
                                    "internet connection and try again."),
                     [this] { loadCurrency(); });
    const QString cached = settings()->userCurrencyRates();
    if (cached.size() > 1) {
        getUserValues = true;
        parse(ManagerModel::storedDocument(cached).toUtf8());
    }
}

void CurrencyPage::initFooterWithDate(const QString& date) {
    if (updated)
        updated->setText(QStringLiteral("Updated %1").arg(date));
    if (updated)
        return;
    addFooterLabel(QRect(20, 387, 150, 25), QStringLiteral("European Central Bank"));
    updated = addFooterLabel(QRect(200, 387, 105, 25), QStringLiteral("Updated %1").arg(date));
}

void CurrencyPage::parse(const QByteArray& document) {
    initFooterWithDate(QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")));
    QString error;
    const std::optional<ReferenceRates> rates = ReferenceRateReader::read(document, &error);
    if (!rates) {
        logLine(QStringLiteral("CurrencyPage Exception: %1").arg(error));
        return;
    }
    QStringList comparisons;
    const std::optional<QStringList> fresh = CurrencyAmounts::fromRates(currencyList, *rates, &comparisons);
    for (const QString& line : std::as_const(comparisons))
        traceLine(line);
    amountsForOneEuro = fresh.value_or(QStringList());
    // The last typed amounts stand within twelve hours, when they still line up with the currencies.
    std::optional<QStringList> built;
    if (getUserValues)
        built = CurrencyAmounts::fromStored(currencyList, settings()->userCurrencyValues());
    if (!built)
        built = fresh;
    if (!built) {
        logLine(QStringLiteral("There is a problem with the manager file!"));
        return;
    }
    amounts = *built;
    if (!table)
        table = addTable(this, this);
    table->reloadData();
    if (spinner)
        spinner->stopAnimating();
}

int CurrencyPage::numberOfRows(TableView*) {
    return int(currencyList.size());
}

int CurrencyPage::heightForRow(TableView*, int row) {
    return row == 0 ? 80 : 60;
}

TableViewCell* CurrencyPage::cellForRow(TableView* tableView, int row) {
    const QStringList fields = currencyList.value(row).split(u':');
    const QString value = CurrencyAmounts::formatted(amounts.value(row).toDouble());
    const QRect frame(0, 0, 320, heightForRow(tableView, row));
    const QString identifier = row == 0 ? QStringLiteral("Cell") : QStringLiteral("Cell2");
    auto* cell = static_cast<CustomCell*>(tableView->dequeueReusableCell(identifier));
    if (cell) {
        if (row == 0)
            cell->updateWithMainCurrency(frame, fields.value(0), fields.value(2), fields.value(1), value,
                                         row);
        else
            cell->updateWithCurrency(frame, fields.value(0), fields.value(2), fields.value(1), value, row);
    } else if (row == 0) {
        cell = CustomCell::initWithMainCurrency(frame, fields.value(0), fields.value(2), fields.value(1),
                                                value, row, identifier);
    } else {
        cell = CustomCell::initWithCurrency(frame, fields.value(0), fields.value(2), fields.value(1), value,
                                            row, identifier);
    }
    cell->setDelegate(this, this);
    cell->currencyValueTextField()->setDelegate(this, this);
    return cell;
}

void CurrencyPage::willDisplayCell(TableView*, TableViewCell* cell, int) {
    cell->setBackgroundColor(Qt::transparent);
}

void CurrencyPage::didSelectRow(TableView* tableView, int row) {
    if (auto* cell = qobject_cast<CustomCell*>(tableView->cellForRow(row)))
        cell->currencyValueTextField()->becomeFirstResponder();
}

void CurrencyPage::didBeginEditing(TextField* field) {
    editedField = field;
    // The pad comes up for the field; its picture keys act on this page.
    NumberPad* pad = NumberPad::shared();
    for (const QMetaObject::Connection& connection : std::as_const(padConnections))
        disconnect(connection);
    padConnections = {
        connect(pad, &NumberPad::doneTouched, this, [this] { doneButton(editedField); }),
        connect(pad, &NumberPad::dotTouched, this, [this] { dotButton(); }),
        connect(pad, &NumberPad::backTouched, this, [this] { deleteButton(); }),
    };
    const int row = field->tag();
    auto* cell = qobject_cast<CustomCell*>(table ? table->cellForRow(row) : nullptr);
    if (!cell)
        return;
    const int h = heightForRow(table, row);
    const QFont font = Fonts::named(QStringLiteral("ArialMT"), 13);
    const QString current = field->text();
    const int t = measureWrappedHeight(font, current, std::max(1, measureTextWidth(font, current)));
    field->setBorderStyle(TextField::RoundedRect);
    field->setTextColor(QColor::fromRgbF(0.3f, 0.3f, 0.3f));
    field->setFont(font);
    field->setTextAlignment(Qt::AlignRight);
    field->setFrame(QRect(160, int(h / 2.0 - t / 2.0 - 7.5), 150, 33));
    cell->currencySymbol()->setFrame(QRect(130, h / 2 - 10, 40, 20));
    table->setFrame(QRect(0, 0, 320, 200));
    const QRect rowRect = table->rectForRow(row);
    if (rowRect.bottom() > table->contentOffset() + 200 || rowRect.top() < table->contentOffset())
        table->setContentOffset(rowRect.top());
}

bool CurrencyPage::shouldChangeCharacters(TextField*, const QString& before, int, int length,
                                          const QString& replacement) {
    traceLine(QStringLiteral("textField shouldChangeCharactersInRange"));
    const bool full = measureTextWidth(boldArial(20), before) > 140 || before.size() > 15 ||
                      CurrencyAmounts::parsed(before) > 99999999999.0;
    if (full && length == 0)
        return false;
    if (replacement.isEmpty())
        return true;
    if (!QStringLiteral("0123456789.").contains(replacement.front()))
        return false;
    if (replacement.contains(u'.') && before.contains(u'.'))
        return false;
    return true;
}

void CurrencyPage::dotButton() {
    if (editedField)
        editedField->setText(editedField->text() + u'.');
}

void CurrencyPage::deleteButton() {
    if (editedField && !editedField->text().isEmpty())
        editedField->setText(editedField->text().chopped(1));
}

void CurrencyPage::doneButton(TextField* field) {
    if (field)
        field->resignFirstResponder();
}

bool CurrencyPage::shouldReturn(TextField* field) {
    traceLine(QStringLiteral("textFieldShouldReturn"));
    field->resignFirstResponder();
    return true;
}

void CurrencyPage::didEndEditing(TextField* field) {
    const int k = field->tag();
    const QString typed = field->text();
    if (editedField == field)
        editedField = nullptr;
    for (const QMetaObject::Connection& connection : std::as_const(padConnections))
        disconnect(connection);
    padConnections.clear();
    // The rows' fields leave as the list is laid out afresh: that is no amount typed.
    if (reloading || !table || k < 0 || k >= amounts.size())
        return;
    table->setFrame(QRect(0, 0, 320, 390));
    amounts = CurrencyAmounts::scaled(amounts, k, CurrencyAmounts::parsed(typed), amountsForOneEuro);
    ManagerModel* manager = settings();
    manager->setUserCurrencyValues(CurrencyAmounts::stored(currencyList, amounts));
    DAOFactory::getInstance()->saveSettings(*manager);
    // The rows get their own layout and style back, with the new amounts.
    QPointer<CurrencyPage> self(this);
    QMetaObject::invokeMethod(
        this,
        [self] {
            if (self)
                self->reloadAmounts();
        },
        Qt::QueuedConnection);
}

void CurrencyPage::reloadAmounts() {
    if (!table)
        return;
    // The reader may have begun editing another row meanwhile (touching it ended the last edit):
    // that row is edited on, showing its new amount.
    const int editing = editedField ? editedField->tag() : -1;
    reloading = true;
    table->reloadData();
    reloading = false;
    if (auto* cell = qobject_cast<CustomCell*>(editing >= 0 ? table->cellForRow(editing) : nullptr))
        cell->currencyValueTextField()->becomeFirstResponder();
}
