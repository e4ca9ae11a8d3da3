#pragma once

#include <QObject>
#include <QRect>
#include <functional>
#include <optional>

class QWidget;

// View animations and one-shot timers of the screens. Tests switch animations to zero duration and
// take timers into their own hands, so that nothing ever has to sleep.
namespace Animation {

// Off: every animation completes at the next turn of the event loop.
void setEnabled(bool enabled);
bool enabled();
// Animations started and not yet completed.
int running();

// Animates the view's frame and/or alpha to the given values; completion runs afterwards.
void animate(QWidget* view, int durationMs, std::optional<QRect> frame, std::optional<double> alpha,
             std::function<void()> completion = {});
// A free-form animation: step(t) with t from 0 to 1.
void animateSteps(QObject* context, int durationMs, std::function<void(double)> step,
                  std::function<void()> completion = {});

} // namespace Animation

namespace Timers {

// Calls fn once after ms milliseconds, unless context is gone by then.
void once(int ms, QObject* context, std::function<void()> fn);

// Manual mode (tests): timers wait until fire() runs every pending one whose context lives.
void setManual(bool manual);
int pending();
void fire();

} // namespace Timers
