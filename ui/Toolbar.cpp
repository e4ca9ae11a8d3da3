#include "ui/Toolbar.h"

#include <QPainter>

BarButtonItem* BarButtonItem::flexibleSpace(QObject* parent) {
    auto* item = new BarButtonItem;
    item->setParent(parent);
    return item;
}

BarButtonItem::BarButtonItem(View* customView, QObject* parent) : QObject(parent), view(customView) {}

BarButtonItem::~BarButtonItem() {
    // A view that no tool bar took is the item's own.
    if (view && !view->parentWidget())
        delete view.data();
}

void BarButtonItem::setEnabled(bool isEnabled) {
    enabled = isEnabled;
    if (view) {
        view->setEnabled(isEnabled);
        view->setAlpha(isEnabled ? 1.0 : 0.4);
    }
}

Toolbar::Toolbar(const QRect& frame, QWidget* parent) : View(frame, parent) {}

void Toolbar::setBarStyle(Style barStyle) {
    style = barStyle;
    update();
}

void Toolbar::setItems(const QList<BarButtonItem*>& items) {
    itemList.clear();
    for (BarButtonItem* item : items) {
        itemList.append(QPointer<BarButtonItem>(item));
        if (!item->isFlexibleSpace())
            addSubview(item->customView());
    }
    layoutItems();
}

QList<BarButtonItem*> Toolbar::items() const {
    QList<BarButtonItem*> list;
    for (const auto& item : itemList) {
        if (item)
            list.append(item);
    }
    return list;
}

void Toolbar::layoutItems() {
    constexpr int margin = 6;
    int fixed = 0, flexible = 0;
    for (BarButtonItem* item : items()) {
        if (item->isFlexibleSpace())
            ++flexible;
        else
            fixed += item->customView()->width();
    }
    const int fixedCount = int(items().size()) - flexible;
    const int gaps = flexible == 0 ? qMax(0, fixedCount - 1) * margin : 0;
    const int free = qMax(0, width() - 2 * margin - fixed - gaps);
    int x = margin;
    int spaces = 0;
    for (BarButtonItem* item : items()) {
        if (item->isFlexibleSpace()) {
            // Integer shares that add up to the free width exactly.
            ++spaces;
            x += free * spaces / flexible - free * (spaces - 1) / flexible;
            continue;
        }
        View* view = item->customView();
        view->move(x, (height() - view->height()) / 2);
        x += view->width() + (flexible == 0 ? margin : 0);
    }
}

void Toolbar::resizeEvent(QResizeEvent* event) {
    View::resizeEvent(event);
    layoutItems();
}

void Toolbar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (style == BlackTranslucent) {
        painter.fillRect(rect(), QColor(0, 0, 0, 150));
        painter.fillRect(QRect(0, 0, width(), 1), QColor(255, 255, 255, 40));
    } else if (style == Black) {
        QLinearGradient gradient(0, 0, 0, height());
        gradient.setColorAt(0, QColor(45, 45, 45));
        gradient.setColorAt(1, QColor(0, 0, 0));
        painter.fillRect(rect(), gradient);
        painter.fillRect(QRect(0, 0, width(), 1), QColor(255, 255, 255, 40));
    } else {
        QLinearGradient gradient(0, 0, 0, height());
        gradient.setColorAt(0, QColor(176, 188, 205));
        gradient.setColorAt(1, QColor(109, 132, 162));
        painter.fillRect(rect(), gradient);
    }
}
