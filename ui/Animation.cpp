#include "ui/Animation.h"

#include "ui/View.h"

#include <QPointer>
#include <QTimer>
#include <QVariantAnimation>
#include <memory>
#include <optional>

namespace {

bool animationsEnabled = true;
int runningAnimations = 0;

bool manualTimers = false;
struct PendingTimer {
    QPointer<QObject> context;
    std::function<void()> fn;
};
QList<PendingTimer>& pendingTimers() {
    static QList<PendingTimer> timers;
    return timers;
}

} // namespace

namespace Animation {

void setEnabled(bool enabled) {
    animationsEnabled = enabled;
}
bool enabled() {
    return animationsEnabled;
}
int running() {
    return runningAnimations;
}

void animateSteps(QObject* context, int durationMs, std::function<void(double)> step,
                  std::function<void()> completion) {
    ++runningAnimations;
    QPointer<QObject> guard(context);
    auto finish = [guard, step, completion] {
        --runningAnimations;
        if (!guard)
            return;
        step(1.0);
        if (completion)
            completion();
    };
    if (!animationsEnabled || durationMs <= 0) {
        // No context object: the count must drop even when the view is gone by the next turn.
        QTimer::singleShot(0, finish);
        return;
    }
    auto* animation = new QVariantAnimation(context);
    animation->setStartValue(0.0);
    animation->setEndValue(1.0);
    animation->setDuration(durationMs);
    QObject::connect(animation, &QVariantAnimation::valueChanged, context,
                     [step](const QVariant& value) { step(value.toDouble()); });
    auto done = std::make_shared<bool>(false);
    QObject::connect(animation, &QVariantAnimation::finished, [finish, done] {
        *done = true;
        finish();
    });
    QObject::connect(animation, &QObject::destroyed, [done] {
        if (!*done)
            --runningAnimations; // the view went away mid-animation
    });
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

void animate(QWidget* view, int durationMs, std::optional<QRect> frame, std::optional<double> alpha,
             std::function<void()> completion) {
    const QRect startFrame = view->geometry();
    auto* asView = qobject_cast<View*>(view);
    const double startAlpha = asView ? asView->alpha() : 1.0;
    QPointer<QWidget> guard(view);
    animateSteps(
        view, durationMs,
        [guard, startFrame, frame, startAlpha, alpha](double t) {
            if (!guard)
                return;
            if (frame) {
                auto mix = [t](int a, int b) { return a + qRound((b - a) * t); };
                guard->setGeometry(mix(startFrame.x(), frame->x()), mix(startFrame.y(), frame->y()),
                                   mix(startFrame.width(), frame->width()),
                                   mix(startFrame.height(), frame->height()));
            }
            if (alpha) {
                if (auto* v = qobject_cast<View*>(guard.data()))
                    v->setAlpha(startAlpha + (*alpha - startAlpha) * t);
            }
        },
        std::move(completion));
}

} // namespace Animation

namespace Timers {

void once(int ms, QObject* context, std::function<void()> fn) {
    if (manualTimers) {
        pendingTimers().append({QPointer<QObject>(context), std::move(fn)});
        return;
    }
    QTimer::singleShot(ms, context, std::move(fn));
}

void setManual(bool manual) {
    manualTimers = manual;
    if (!manual)
        pendingTimers().clear();
}

int pending() {
    return int(pendingTimers().size());
}

void fire() {
    const QList<PendingTimer> due = std::exchange(pendingTimers(), {});
    for (const PendingTimer& timer : due) {
        if (timer.context)
            timer.fn();
    }
}

} // namespace Timers
