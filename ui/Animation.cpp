#include "ui/Animation.h"

#include "ui/View.h"

#include <QHash>
#include <QPointer>
#include <QTimer>
#include <QVariantAnimation>
#include <memory>
#include <optional>
#include <utility>

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

namespace {

// Starts the steps; the animation that moves them, or none when they complete at the next turn.
QVariantAnimation* run(QObject* context, int durationMs, std::function<void(double)> step,
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
        return nullptr;
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
            --runningAnimations; // stopped, or the view went away mid-animation
    });
    animation->start(QAbstractAnimation::DeleteWhenStopped);
    return animation;
}

// The newest animation of each view's frame or alpha.
struct ViewAnimation {
    std::shared_ptr<bool> superseded;
    std::shared_ptr<std::function<void()>> completion; // emptied once it has run
    QPointer<QVariantAnimation> animation;
    QMetaObject::Connection viewGone;
};
QHash<QWidget*, ViewAnimation>& viewAnimations() {
    static QHash<QWidget*, ViewAnimation> animations;
    return animations;
}

void runOnce(const std::shared_ptr<std::function<void()>>& completion) {
    if (*completion)
        std::exchange(*completion, {})();
}

} // namespace

void animateSteps(QObject* context, int durationMs, std::function<void(double)> step,
                  std::function<void()> completion) {
    run(context, durationMs, std::move(step), std::move(completion));
}

void animate(QWidget* view, int durationMs, std::optional<QRect> frame, std::optional<double> alpha,
             std::function<void()> completion) {
    // A newer animation of the view takes over from where the older one stands: the older one stops
    // and its completion runs now, so that what completes last is what was asked last.
    if (const auto older = viewAnimations().take(view); older.superseded) {
        *older.superseded = true;
        QObject::disconnect(older.viewGone);
        if (older.animation)
            older.animation->stop();
        runOnce(older.completion);
    }
    const QRect startFrame = view->geometry();
    auto* asView = qobject_cast<View*>(view);
    const double startAlpha = asView ? asView->alpha() : 1.0;
    QPointer<QWidget> guard(view);
    auto superseded = std::make_shared<bool>(false);
    auto once = std::make_shared<std::function<void()>>(std::move(completion));
    auto step = [guard, startFrame, frame, startAlpha, alpha, superseded](double t) {
        if (!guard || *superseded)
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
    };
    auto finished = [view, superseded, once] {
        if (*superseded)
            return;
        QObject::disconnect(viewAnimations().take(view).viewGone);
        runOnce(once);
    };
    QVariantAnimation* animation = run(view, durationMs, step, finished);
    // A view destroyed mid-animation leaves no entry behind for a new view at its address.
    const QMetaObject::Connection viewGone =
        QObject::connect(view, &QObject::destroyed, [view] { viewAnimations().remove(view); });
    viewAnimations().insert(view, ViewAnimation{superseded, once, animation, viewGone});
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
