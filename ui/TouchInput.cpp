#include "ui/TouchInput.h"

#include <QCoreApplication>
#include <QLineF>
#include <QMouseEvent>
#include <QPointingDevice>
#include <QTimer>
#include <QTouchEvent>

#include <cmath>

TouchPinch::TouchPinch(QWidget* view, std::function<void(double, const QPointF&)> pinched)
    : QObject(view), view(view), pinched(std::move(pinched)) {
    view->setAttribute(Qt::WA_AcceptTouchEvents);
}

void TouchPinch::sendMouse(QEvent::Type type, const QPointF& position, const QPointF& global) {
    if (!target)
        return;
    // As the mouse's: the touch screen's points keep their own grabs, so the other fingers still come here.
    QMouseEvent mouse(type, target->mapFrom(view, position), global, Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &mouse);
}

bool TouchPinch::handle(QEvent* anyEvent) {
    const QEvent::Type type = anyEvent->type();
    if (type != QEvent::TouchBegin && type != QEvent::TouchUpdate && type != QEvent::TouchEnd &&
        type != QEvent::TouchCancel)
        return false;
    auto* event = static_cast<QTouchEvent*>(anyEvent);
    event->accept();
    if (type == QEvent::TouchCancel) {
        sendMouse(QEvent::MouseButtonRelease, QPointF(-10000, -10000), QPointF(-10000, -10000));
        target = nullptr;
        fingers.clear();
        pinching = false;
        return true;
    }
    // Qt may hand each finger over in an event of its own (when they start over different children):
    // the fingers are followed across events.
    int pressedID = -1, movedID = -1, releasedID = -1;
    for (const QEventPoint& point : event->points()) {
        // A finger that stays keeps where it was (its event may not say).
        if (point.state() != QEventPoint::Stationary)
            fingers.insert(point.id(), {view->mapFromGlobal(point.globalPosition()), point.globalPosition()});
        if (point.state() == QEventPoint::Pressed)
            pressedID = point.id();
        else if (point.state() == QEventPoint::Released)
            releasedID = point.id();
        else if (point.state() == QEventPoint::Updated)
            movedID = point.id();
    }
    if (fingers.size() >= 2) {
        const auto first = fingers.cbegin(), second = std::next(first);
        const double distance = QLineF(first->position, second->position).length();
        if (!pinching) {
            // The first finger's press ends as a touch that left: a pinch presses nothing.
            sendMouse(QEvent::MouseButtonRelease, QPointF(-10000, -10000), QPointF(-10000, -10000));
            target = nullptr;
            pinching = true;
        } else if (lastDistance > 0 && distance > 0 && distance != lastDistance) {
            pinched(distance / lastDistance, (first->position + second->position) / 2);
        }
        lastDistance = distance;
    } else if (!pinching && !fingers.isEmpty()) {
        const Finger finger = fingers.cbegin().value();
        if (pressedID >= 0) {
            QWidget* under = view->childAt(finger.position.toPoint());
            target = under ? under : view;
            sendMouse(QEvent::MouseButtonPress, finger.position, finger.global);
        } else if (releasedID >= 0) {
            sendMouse(QEvent::MouseButtonRelease, finger.position, finger.global);
            target = nullptr;
        } else if (movedID >= 0) {
            sendMouse(QEvent::MouseMove, finger.position, finger.global);
        }
    }
    for (const QEventPoint& point : event->points()) {
        if (point.state() == QEventPoint::Released)
            fingers.remove(point.id());
    }
    if (fingers.isEmpty())
        pinching = false;
    return true;
}

Momentum::Momentum(QObject* owner, std::function<bool(const QPointF&)> scrollBy)
    : scrollBy(std::move(scrollBy)), timer(new QTimer(owner)) {
    timer->setInterval(16);
    QObject::connect(timer, &QTimer::timeout, timer, [this] {
        const QPointF step = velocity * 16.0;
        velocity *= 0.95;
        if (!this->scrollBy(step) || std::hypot(velocity.x(), velocity.y()) < 0.02)
            stop();
    });
}

Momentum::~Momentum() = default;

void Momentum::start(const QPointF& position, qint64 ms) {
    stop();
    samples = {{position, ms}};
}

void Momentum::track(const QPointF& position, qint64 ms) {
    samples.append({position, ms});
    // The last tenth of a second tells how fast the finger moved when it lifted.
    while (samples.size() > 2 && ms - samples.first().ms > 100)
        samples.removeFirst();
}

void Momentum::release(qint64 ms) {
    if (samples.size() < 2 || ms - samples.last().ms > 80) // the finger had come to rest
        return;
    const qint64 span = samples.last().ms - samples.first().ms;
    if (span <= 0)
        return;
    // The content moves against the finger's way: dragging up scrolls down.
    velocity = -(samples.last().position - samples.first().position) / double(span);
    if (std::hypot(velocity.x(), velocity.y()) > 0.1)
        timer->start();
}

void Momentum::stop() {
    timer->stop();
    velocity = {};
}

bool Momentum::isGliding() const {
    return timer->isActive();
}

bool cameFromTouch(const QEvent* event) {
    const auto* mouse = dynamic_cast<const QSinglePointEvent*>(event);
    return mouse && mouse->pointingDevice() &&
           mouse->pointingDevice()->type() == QInputDevice::DeviceType::TouchScreen;
}
