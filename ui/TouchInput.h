#pragma once

#include <QEvent>
#include <QMap>
#include <QPointF>
#include <QPointer>
#include <QWidget>
#include <functional>

class QTouchEvent;
class QTimer;

// For a view that zooms: the touches it accepts become what it already understands. One finger is
// a mouse (pressed on the view or its child under the finger, so buttons, drags and taps work as
// before); two fingers pinch, each step reported as a factor about the point between them.
class TouchPinch : public QObject {
public:
    TouchPinch(QWidget* view, std::function<void(double factor, const QPointF& centre)> pinched);
    // Handles the view's event when it is a touch event; true when it did.
    bool handle(QEvent* event);

private:
    void sendMouse(QEvent::Type type, const QPointF& position, const QPointF& global);

    QWidget* view;
    std::function<void(double, const QPointF&)> pinched;
    QPointer<QWidget> target;
    struct Finger {
        QPointF position; // in the view
        QPointF global;
    };
    QMap<int, Finger> fingers; // by the touch point's id, while it is down
    bool pinching = false;
    double lastDistance = 0;
};

// A drag made with a finger glides on after the finger lifts and slows down, as on a phone. The view
// tells where the finger is while it drags; on release the glide moves the view by steps until it
// stops or the view can go no further (scrollBy returns false).
class Momentum {
public:
    Momentum(QObject* owner, std::function<bool(const QPointF& delta)> scrollBy);
    ~Momentum();
    void start(const QPointF& position, qint64 ms); // the finger went down (stops a glide)
    void track(const QPointF& position, qint64 ms);
    void release(qint64 ms);
    void stop();
    bool isGliding() const;

private:
    struct Sample {
        QPointF position;
        qint64 ms;
    };
    std::function<bool(const QPointF&)> scrollBy;
    QList<Sample> samples;
    QPointF velocity; // points per millisecond
    QTimer* timer;
};

// True for a mouse event that a finger on a touch screen made.
bool cameFromTouch(const QEvent* mouseEvent);
