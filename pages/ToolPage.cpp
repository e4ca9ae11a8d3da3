#include "pages/ToolPage.h"

#include "model/DAO.h"
#include "ui/AlertView.h"
#include "ui/Images.h"
#include "ui/NavigationController.h"

void ToolPage::loadView() {
    setView(new View(QRect(0, 0, 320, 416)));
}

ManagerModel* ToolPage::settings() const {
    return DAOFactory::getInstance()->dao()->manager();
}

void ToolPage::rebuild(const QString& background, const QString& title) {
    for (QWidget* child : view()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        child->deleteLater();
    readerSettings();
    addPageBackground(view(), background, 416);
    header.build(navigationController(), title, guideTitleColor(), this, [this] { linkTouched(); });
    auto* strip = new View(QRect(0, 390, 320, 26));
    strip->setBackgroundColor(QColor::fromRgbF(0, 0, 0, 0.5f));
    view()->addSubview(strip);
}

TableView* ToolPage::addTable(TableViewDataSource* source, TableViewDelegate* delegate) {
    auto* table = new TableView(QRect(0, 0, 320, 390));
    table->setDataSource(source, this);
    table->setDelegate(delegate, this);
    view()->addSubview(table);
    return table;
}

Label* ToolPage::addFooterLabel(const QRect& frame, const QString& text) {
    auto* label = new Label(frame);
    label->setFont(Fonts::named(QStringLiteral("Arial-BoldMT"), 11));
    label->setTextColor(guideTitleColor());
    label->setText(text);
    view()->addSubview(label);
    return label;
}

void ToolPage::viewWillDisappear(bool) {
    header.remove();
}

void ToolPage::linkTouched() {
    header.removeBadge();
    if (NavigationController* navigation = navigationController())
        navigation->popToRootViewControllerAnimated(true);
}

void ToolPage::showTimeoutAlert(const QString& message, std::function<void()> retry) {
    if (alertShown)
        return;
    alertShown = true;
    auto* alert = new AlertView(QStringLiteral("Timeout"), message, QStringLiteral("Go Back"),
                                {QStringLiteral("Try again")});
    alert->setHandler(this, [this, retry = std::move(retry)](int index) {
        alertShown = false;
        if (index == 0) {
            if (NavigationController* navigation = navigationController())
                navigation->popViewControllerAnimated(true);
        } else {
            retry();
        }
    });
    alert->show();
}
