#include "ui/ScrollView.h"

#include <QChildEvent>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QNativeGestureEvent>
#include <QWheelEvent>
#include <cmath>

namespace {
constexpr int dragThreshold = 8;
}

ScrollView::ScrollView(const QRect& frame, QWidget* parent) : View(frame, parent) {
    content = new View(QRect(0, 0, frame.width(), frame.height()), this);
    contentSizeValue = frame.size();
    watch(content);
    clock.start();
}

bool ScrollView::scrollBy(const QPoint& delta) {
    const QPoint before = contentOffset();
    setContentOffset(before + delta);
    return contentOffset() != before;
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
    const QSize shown = zoomed ? size * zoom : size;
    // The content size bounds the scrolling, not what is drawn: views that stand out past it (a
    // label at x 20 in 280 points of content) stay whole, as on the phone.
    content->resize(qMax(shown.width(), width()), qMax(shown.height(), 1));
    if (zoomed)
        zoomed->resize(shown);
    setContentOffset(contentOffset());
}

void ScrollView::setZoomView(QWidget* view) {
    zoomed = view;
    if (!pinch)
        pinch = new TouchPinch(this, [this](double factor, const QPointF& centre) {
            setZoomScale(zoom * factor, centre.toPoint());
        });
    setContentSize(contentSizeValue);
}

QPoint ScrollView::clamped(const QPoint& offset) const {
    const int maxX = qMax(0, int(contentSizeValue.width() * zoom) - width());
    const int maxY = qMax(0, int(contentSizeValue.height() * zoom) - height());
    return QPoint(qBound(0, offset.x(), maxX), qBound(0, offset.y(), maxY));
}

void ScrollView::setContentOffset(const QPoint& offset) {
    content->move(-clamped(offset));
}

void ScrollView::setZoomScale(double scale, const QPoint& about) {
    const double old = zoom;
    zoom = qBound(minZoom, scale, maxZoom);
    if (!zoomed) {
        setContentOffset(contentOffset());
        return;
    }
    // The content point under `about` stays under it.
    const QPointF anchor = about.x() < 0 ? QPointF(width() / 2.0, height() / 2.0) : QPointF(about);
    const QPointF contentPoint = (QPointF(contentOffset()) + anchor) / old;
    const QSize shown = contentSizeValue * zoom;
    content->resize(qMax(shown.width(), 1), qMax(shown.height(), 1));
    zoomed->resize(shown);
    setContentOffset((contentPoint * zoom - anchor).toPoint());
}

bool ScrollView::event(QEvent* event) {
    if (pinch && pinch->handle(event))
        return true;
    if (event->type() == QEvent::NativeGesture) {
        auto* gesture = static_cast<QNativeGestureEvent*>(event);
        if (gesture->gestureType() == Qt::ZoomNativeGesture && zoomed) {
            setZoomScale(zoom * (1.0 + gesture->value()), gesture->position().toPoint());
            return true;
        }
    }
    return View::event(event);
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
        // Screen positions: the content (and the view under the touch) moves while it is dragged.
        pressAt(mapFromGlobal(mouse->globalPosition()).toPoint());
        return false;
    }
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        return tracking && dragTo(mapFromGlobal(mouse->globalPosition()).toPoint(), event);
    }
    case QEvent::MouseButtonRelease: {
        if (release(event)) {
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

void ScrollView::pressAt(const QPoint& point) {
    tracking = true;
    dragging = false;
    pressPoint = point;
    pressOffset = contentOffset();
    momentum.start(pressPoint, clock.elapsed());
}

bool ScrollView::dragTo(const QPoint& point, const QEvent* event) {
    if (!dragging && (point - pressPoint).manhattanLength() > dragThreshold)
        dragging = true;
    if (dragging) {
        setContentOffset(pressOffset - (point - pressPoint));
        if (cameFromTouch(event))
            momentum.track(point, clock.elapsed());
    }
    return dragging;
}

bool ScrollView::release(const QEvent* event) {
    const bool wasDragging = dragging;
    tracking = dragging = false;
    if (wasDragging && cameFromTouch(event))
        momentum.release(clock.elapsed());
    return wasDragging;
}

void ScrollView::mousePressEvent(QMouseEvent* event) {
    pressAt(event->position().toPoint());
}

void ScrollView::mouseMoveEvent(QMouseEvent* event) {
    if (tracking)
        dragTo(event->position().toPoint(), event);
}

void ScrollView::mouseReleaseEvent(QMouseEvent* event) {
    if (!release(event))
        emit tapped(event->position().toPoint());
}

void ScrollView::wheelEvent(QWheelEvent* event) {
    if (zoomed && (event->modifiers() & Qt::ControlModifier)) {
        setZoomScale(zoom * std::pow(1.0015, event->angleDelta().y()), event->position().toPoint());
    } else {
        setContentOffset(contentOffset() - event->angleDelta() / 4);
    }
    event->accept();
}
