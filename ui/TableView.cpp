#include "ui/TableView.h"

#include <QKeyEvent>

#include <cmath>

#include <QChildEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>

namespace {
constexpr int dragThreshold = 8;
}

TableViewCell::TableViewCell(const QRect& frame, const QString& reuseIdentifier, QWidget* parent)
    : View(frame, parent), identifier(reuseIdentifier) {
    setFocusPolicy(Qt::TabFocus);
}

void TableViewCell::press() {
    for (QWidget* up = parentWidget(); up; up = up->parentWidget()) {
        if (auto* table = qobject_cast<TableView*>(up)) {
            table->selectRow(rowIndex);
            return;
        }
    }
}

void TableViewCell::setSelected(bool selected, bool) {
    selectedState = selected;
    update();
}

void TableViewCell::paintEvent(QPaintEvent* event) {
    View::paintEvent(event);
    if (selectedState && selection == SelectionBlue) {
        QPainter painter(this);
        QLinearGradient gradient(0, 0, 0, height());
        gradient.setColorAt(0, QColor(5, 140, 245));
        gradient.setColorAt(1, QColor(1, 93, 230));
        painter.fillRect(rect(), gradient);
    }
    if (hasFocus()) {
        QPainter painter(this);
        paintFocusRing(painter, rect());
    }
}

TableView::TableView(const QRect& frame, QWidget* parent)
    : View(frame, parent), momentum(this, [this](const QPointF& delta) {
          const int before = offset;
          setContentOffset(offset + int(std::lround(delta.y())));
          return offset != before;
      }) {
    clock.start();
}

TableView::~TableView() = default;

void TableView::setDataSource(TableViewDataSource* source, QObject* guard) {
    dataSource = source;
    dataSourceGuard = guard;
}

void TableView::setDelegate(TableViewDelegate* delegate, QObject* guard) {
    delegateObject = delegate;
    delegateGuard = guard;
}

void TableView::reloadData() {
    hideDeleteButton();
    for (TableViewCell* cell : shown)
        recycle(cell);
    shown.clear();
    offsets.assign(1, 0);
    if (dataSource && dataSourceGuard) {
        const int rows = dataSource->numberOfRows(this);
        offsets.reserve(size_t(rows) + 1);
        for (int row = 0; row < rows; ++row)
            offsets.push_back(offsets.back() + dataSource->heightForRow(this, row));
    }
    offset = std::clamp(offset, 0, std::max(0, contentHeight() - height()));
    layoutRows();
}

TableViewCell* TableView::dequeueReusableCell(const QString& identifier) {
    auto it = reusable.find(identifier);
    if (it == reusable.end() || it->isEmpty())
        return nullptr;
    return it->takeLast();
}

void TableView::recycle(TableViewCell* cell) {
    cell->hide();
    cell->rowIndex = -1;
    cell->setSelected(false, false);
    reusable[cell->reuseIdentifier()].append(cell);
}

QRect TableView::rectForRow(int row) const {
    if (row < 0 || row >= numberOfRows())
        return {};
    return QRect(0, offsets[size_t(row)], width(), offsets[size_t(row) + 1] - offsets[size_t(row)]);
}

int TableView::rowAt(int y) const {
    const int content = y + offset;
    if (content < 0 || content >= contentHeight())
        return -1;
    const auto it = std::upper_bound(offsets.begin(), offsets.end(), content);
    return int(it - offsets.begin()) - 1;
}

void TableView::setContentOffset(int y) {
    const int clamped = std::clamp(y, 0, std::max(0, contentHeight() - height()));
    if (clamped == offset)
        return;
    offset = clamped;
    layoutRows();
    emit scrolled();
}

QList<TableViewCell*> TableView::visibleCells() const {
    QList<TableViewCell*> cells = shown.values();
    std::sort(cells.begin(), cells.end(), [](auto* a, auto* b) { return a->row() < b->row(); });
    return cells;
}

TableViewCell* TableView::cellForRow(int row) const {
    return shown.value(row);
}

void TableView::layoutRows() {
    const int rows = numberOfRows();
    // The screen and half a screen on either side, so that a short scroll finds its rows ready.
    const int margin = height() / 2;
    const int first = std::max(0, rowAt(-margin) >= 0 ? rowAt(-margin) : 0);
    int last = rowAt(height() + margin);
    if (last < 0)
        last = rows - 1;
    for (auto it = shown.begin(); it != shown.end();) {
        if (it.key() < first || it.key() > last) {
            recycle(it.value());
            it = shown.erase(it);
        } else {
            ++it;
        }
    }
    if (!dataSource || !dataSourceGuard)
        return;
    for (int row = first; row <= last && row < rows; ++row) {
        TableViewCell* cell = shown.value(row);
        if (!cell) {
            cell = dataSource->cellForRow(this, row);
            if (!cell)
                continue;
            if (cell->parentWidget() != this) {
                cell->setParent(this);
                watch(cell);
            }
            cell->rowIndex = row;
            shown.insert(row, cell);
            if (delegateObject && delegateGuard)
                delegateObject->willDisplayCell(this, cell, row);
            cell->show();
        }
        const QRect frame = rectForRow(row);
        cell->setGeometry(0, frame.y() - offset, width(), frame.height());
    }
}

void TableView::deselectRow(int row, bool animated) {
    if (TableViewCell* cell = shown.value(row))
        cell->setSelected(false, animated);
}

void TableView::resizeEvent(QResizeEvent* event) {
    View::resizeEvent(event);
    layoutRows();
}

void TableView::watch(QWidget* widget) {
    widget->installEventFilter(this);
    for (QObject* child : widget->children()) {
        if (auto* w = qobject_cast<QWidget*>(child))
            watch(w);
    }
}

void TableView::showDeleteButton(int row) {
    hideDeleteButton();
    TableViewCell* cell = shown.value(row);
    if (!cell || !dataSource || !dataSourceGuard || !dataSource->canDeleteRow(this, row))
        return;
    editing = row;
    if (delegateObject && delegateGuard)
        delegateObject->willBeginEditingRow(this, row);
    auto* button = new Button(QRect(cell->width() - 72, (cell->height() - 30) / 2, 62, 30));
    button->setTitle(QStringLiteral("Delete"));
    button->setBackgroundColor(QColor(204, 30, 30));
    connect(button, &Button::touchUpInside, this, [this] {
        const int row = editing;
        hideDeleteButton();
        if (dataSource && dataSourceGuard && row >= 0)
            dataSource->commitDeleteRow(this, row);
    });
    cell->addSubview(button);
    deleteControl = button;
}

void TableView::hideDeleteButton() {
    if (editing < 0)
        return;
    const int row = editing;
    editing = -1;
    if (deleteControl)
        deleteControl->removeFromSuperview();
    if (delegateObject && delegateGuard)
        delegateObject->didEndEditingRow(this, row);
}

void TableView::press(const QPoint& global, bool finger) {
    swiped = false;
    tracking = true;
    dragging = false;
    pressPoint = global;
    pressOffset = offset;
    byFinger = finger;
    momentum.start(global, clock.elapsed());
}

void TableView::move(const QPoint& global) {
    if (!tracking)
        return;
    const QPoint moved = global - pressPoint;
    if (!dragging && moved.manhattanLength() > dragThreshold) {
        dragging = true;
        // A sideways swipe over a row offers to delete it instead of scrolling.
        swiped = qAbs(moved.x()) > 2 * qAbs(moved.y());
        if (swiped)
            showDeleteButton(rowAt(mapFromGlobal(pressPoint).y()));
    }
    if (dragging && !swiped) {
        setContentOffset(pressOffset - (global.y() - pressPoint.y()));
        if (byFinger)
            momentum.track(QPointF(0, global.y()), clock.elapsed());
    }
}

// True when the touch was a tap (it selected the row under it).
bool TableView::release(const QPoint& global) {
    const bool tap = tracking && !dragging;
    // A list flicked with a finger glides on.
    if (tracking && dragging && !swiped && byFinger)
        momentum.release(clock.elapsed());
    tracking = dragging = false;
    if (!tap)
        return false;
    if (editing >= 0) {
        // A touch anywhere else puts the delete button away.
        hideDeleteButton();
        return false;
    }
    const int row = rowAt(mapFromGlobal(global).y());
    if (row < 0)
        return false;
    selectRow(row);
    return true;
}

void TableView::selectRow(int row) {
    if (row < 0 || row >= numberOfRows())
        return;
    if (TableViewCell* cell = shown.value(row))
        cell->setSelected(true, false);
    if (delegateObject && delegateGuard)
        delegateObject->didSelectRow(this, row);
}

bool TableView::eventFilter(QObject* watched, QEvent* event) {
    if (!watched->isWidgetType())
        return false;
    switch (event->type()) {
    case QEvent::ChildAdded:
        if (auto* child = qobject_cast<QWidget*>(static_cast<QChildEvent*>(event)->child()))
            watch(child);
        return false;
    case QEvent::MouseButtonPress:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
            showDeleteButton(
                rowAt(mapFromGlobal(static_cast<QMouseEvent*>(event)->globalPosition()).toPoint().y()));
            return true;
        }
        press(static_cast<QMouseEvent*>(event)->globalPosition().toPoint(), cameFromTouch(event));
        // Views inside rows that take touches themselves (buttons, fields) keep them.
        return !qobject_cast<TableViewCell*>(watched) && qobject_cast<View*>(watched) &&
               !qobject_cast<Button*>(watched);
    case QEvent::MouseMove:
        move(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
        return dragging;
    case QEvent::MouseButtonRelease:
        if (qobject_cast<Button*>(watched) && !dragging) {
            tracking = false;
            return false;
        }
        release(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
        return true;
    default:
        return false;
    }
}

void TableView::mousePressEvent(QMouseEvent* event) {
    press(event->globalPosition().toPoint(), cameFromTouch(event));
}
void TableView::mouseMoveEvent(QMouseEvent* event) {
    move(event->globalPosition().toPoint());
}
void TableView::mouseReleaseEvent(QMouseEvent* event) {
    release(event->globalPosition().toPoint());
}

void TableView::wheelEvent(QWheelEvent* event) {
    setContentOffset(offset - event->angleDelta().y() / 4);
    event->accept();
}
