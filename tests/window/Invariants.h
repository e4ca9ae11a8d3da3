#pragma once

#include <QJsonObject>
#include <QRect>
#include <QStringList>

namespace window {

// A rectangle as the probe writes it ({"x", "y", "w", "h"}).
QRect rectOf(const QJsonValue& value);

// The bound on the guide's resident memory that holds on every page (the web engine and the player
// loaded, tiles and pictures cached).
constexpr qint64 residentBoundKiB = 900 * 1024;

// What holds on every settled screen, whatever page is on top: the bars as that page asks, its view
// just below them, nothing on screen that belongs to a page below it or one that left, the phone's
// screen 320 x 480 (480 x 320 only for a page that turns) and the window around it no larger, memory
// under the bound, and no warning of Qt's. Each broken rule is one line.
QStringList brokenInvariants(const QJsonObject& state, qint64 residentKiB);

} // namespace window
