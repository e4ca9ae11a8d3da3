#pragma once

#include "ui/TouchInput.h"
#include "ui/View.h"

#include <QElapsedTimer>
#include <memory>

// A view that shows a larger content view through its frame: dragged or wheeled, and zoomed (a pinch,
// or the wheel with Ctrl) within its limits when it has a zoom view.
// A touch that does not move reaches the views under it (buttons in the content); a touch that
// moves scrolls and touches nothing.
class ScrollView : public View {
    Q_OBJECT
public:
    explicit ScrollView(const QRect& frame, QWidget* parent = nullptr);

    // Views added here lie on the content.
    View* contentView() const { return content; }
    void addSubview(QWidget* view) override;

    QSize contentSize() const { return contentSizeValue; }
    void setContentSize(const QSize& size);
    QPoint contentOffset() const { return -content->pos(); }
    void setContentOffset(const QPoint& offset);

    void setMinimumZoomScale(double scale) { minZoom = scale; }
    void setMaximumZoomScale(double scale) { maxZoom = scale; }
    double minimumZoomScale() const { return minZoom; }
    double maximumZoomScale() const { return maxZoom; }
    double zoomScale() const { return zoom; }
    // Zooms the zoom view about the point (in the scroll view's coordinates), within the limits.
    void setZoomScale(double scale, const QPoint& about = QPoint(-1, -1));
    // The view that zooming scales: at zoom 1 it has the content size.
    void setZoomView(QWidget* view);
    QWidget* zoomView() const { return zoomed; }

    bool isDragging() const { return dragging; }

signals:
    // A touch that ended without scrolling, in the scroll view's coordinates.
    void tapped(const QPoint& point);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool event(QEvent* event) override;

private:
    void watch(QObject* object);
    // The drag of one touch, whether it reaches the scroll view itself or a view on its content: it
    // starts where pressed, scrolls once past the threshold (true from then on), and hands its last
    // speed to the momentum when released (true when it was a drag).
    void pressAt(const QPoint& point);
    bool dragTo(const QPoint& point, const QEvent* event);
    bool release(const QEvent* event);
    QPoint clamped(const QPoint& offset) const;
    View* content = nullptr;
    QPointer<QWidget> zoomed;
    QSize contentSizeValue;
    double minZoom = 1, maxZoom = 1, zoom = 1;
    bool tracking = false;
    bool dragging = false;
    QPoint pressPoint;
    QPoint pressOffset;
    TouchPinch* pinch = nullptr; // with a zoom view: two fingers zoom (a child of the view)
    Momentum momentum{this, [this](const QPointF& delta) { return scrollBy(delta.toPoint()); }};
    QElapsedTimer clock;
    bool scrollBy(const QPoint& delta);
};
