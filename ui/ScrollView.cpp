#include "ui/ScrollView.h"

#include <QChildEvent>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QWheelEvent>

namespace {
constexpr int dragThreshold = 8;
}

ScrollView::ScrollView(const QRect& frame, QWidget* parent) : View(frame, parent) {
    content = new View(QRect(0, 0, frame.width(), frame.height()), this);
    contentSizeValue = frame.size();
    watch(content);
}

void ScrollView::addSubview(QWidget* view) {
    content->addSubview(view);
    watch(view);
}

void ScrollView::watch(QObject* object) {
    object->installEventFilter(this);
    for (QObject* child : object->children()) {
        if (child->isWidgetType())
            watch(child);
    }
}

void ScrollView::setContentSize(const QSize& size) {
    contentSizeValue = size;
    content->resize(qMax(size.width(), 1), qMax(size.height(), 1));
    setContentOffset(contentOffset());
}

QPoint ScrollView::clamped(const QPoint& offset) const {
    const int maxX = qMax(0, int(contentSizeValue.width() * zoom) - width());
    const int maxY = qMax(0, int(contentSizeValue.height() * zoom) - height());
    return QPoint(qBound(0, offset.x(), maxX), qBound(0, offset.y(), maxY));
}

void ScrollView::setContentOffset(const QPoint& offset) {
    content->move(-clamped(offset));
}

void ScrollView::setZoomScale(double scale) {
    zoom = qBound(minZoom, scale, maxZoom);
    setContentOffset(contentOffset());
}

// Touches on the content's views pass through here first, so that a drag that starts on a button
// scrolls instead of pressing it.
bool ScrollView::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget)
        return false;
    switch (event->type()) {
    case QEvent::ChildAdded: {
        QObject* child = static_cast<QChildEvent*>(event)->child();
        if (child->isWidgetType())
            watch(child);
        return false;
    }
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        tracking = true;
        dragging = false;
        // Screen positions: the content (and the view under the touch) moves while it is dragged.
        pressPoint = mapFromGlobal(mouse->globalPosition()).toPoint();
        pressOffset = contentOffset();
        return false;
    }
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (!tracking)
            return false;
        const QPoint point = mapFromGlobal(mouse->globalPosition()).toPoint();
        if (!dragging && (point - pressPoint).manhattanLength() > dragThreshold)
            dragging = true;
        if (dragging) {
            setContentOffset(pressOffset - (point - pressPoint));
            return true;
        }
        return false;
    }
    case QEvent::MouseButtonRelease: {
        tracking = false;
        if (dragging) {
            dragging = false;
            // The pressed button sees the touch end outside itself and does nothing.
            QMouseEvent away(QEvent::MouseButtonRelease, QPointF(-10000, -10000), QPointF(-10000, -10000),
                             Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
            if (widget != content)
                QCoreApplication::sendEvent(widget, &away);
            return true;
        }
        return false;
    }
    default:
        return false;
    }
}

void ScrollView::mousePressEvent(QMouseEvent* event) {
    tracking = true;
    dragging = false;
    pressPoint = event->position().toPoint();
    pressOffset = contentOffset();
}

void ScrollView::mouseMoveEvent(QMouseEvent* event) {
    if (!tracking)
        return;
    const QPoint point = event->position().toPoint();
    if (!dragging && (point - pressPoint).manhattanLength() > dragThreshold)
        dragging = true;
    if (dragging)
        setContentOffset(pressOffset - (point - pressPoint));
}

void ScrollView::mouseReleaseEvent(QMouseEvent* event) {
    const bool wasDragging = dragging;
    tracking = dragging = false;
    if (!wasDragging)
        emit tapped(event->position().toPoint());
}

void ScrollView::wheelEvent(QWheelEvent* event) {
    setContentOffset(contentOffset() - event->angleDelta() / 4);
    event->accept();
}
