#include "tests/window/Invariants.h"

#include <QJsonArray>
#include <QRect>

namespace window {

QRect rectOf(const QJsonValue& value) {
    const QJsonObject rect = value.toObject();
    return QRect(rect[u"x"].toInt(), rect[u"y"].toInt(), rect[u"w"].toInt(), rect[u"h"].toInt());
}

namespace {

void checkBars(const QJsonObject& state, QStringList& broken) {
    const QJsonObject wants = state[u"wants"].toObject();
    const QJsonObject bars = state[u"bars"].toObject();
    const QString page = state[u"page"].toString();
    const bool modal = state[u"modal"].toBool();
    const bool statusHidden = wants[u"statusBarHidden"].toBool();
    if (bars[u"statusBarHidden"].toBool() != statusHidden)
        broken << QStringLiteral("%1 asks for the status bar %2, and it is %3")
                      .arg(page, statusHidden ? u"hidden"_qs : u"shown"_qs,
                           bars[u"statusBarHidden"].toBool() ? u"hidden"_qs : u"shown"_qs);
    // A page presented over the stack covers the navigation bar; one on the stack is told where to go.
    int top = statusHidden ? 0 : 20;
    if (!modal) {
        const bool navigationHidden = wants[u"navigationBarHidden"].toBool();
        if (bars[u"navigationBarHidden"].toBool() != navigationHidden ||
            bars[u"navigationBarShown"].toBool() == navigationHidden)
            broken << QStringLiteral("%1 asks for the navigation bar %2, and it is not")
                          .arg(page, navigationHidden ? u"hidden"_qs : u"shown"_qs);
        const bool back = state[u"depth"].toInt() > 1 && !navigationHidden;
        if (bars[u"backButton"].toBool() != back)
            broken << QStringLiteral("%1 at depth %2 %3 a Back button")
                          .arg(page)
                          .arg(state[u"depth"].toInt())
                          .arg(back ? u"lacks"_qs : u"has"_qs);
        top += navigationHidden ? 0 : 44;
    }
    const QRect frame = rectOf(state[u"pageFrame"]);
    if (frame.x() != 0 || frame.y() != top)
        broken << QStringLiteral("%1 stands at (%2, %3) instead of (0, %4)")
                      .arg(page)
                      .arg(frame.x())
                      .arg(frame.y())
                      .arg(top);
}

void checkSize(const QJsonObject& state, QStringList& broken) {
    const QRect screen = rectOf(state[u"screen"]);
    const bool landscape = state[u"landscape"].toBool();
    const QSize expected = landscape ? QSize(480, 320) : QSize(320, 480);
    if (screen.size() != expected)
        broken << QStringLiteral("the screen is %1 x %2, not %3 x %4")
                      .arg(screen.width())
                      .arg(screen.height())
                      .arg(expected.width())
                      .arg(expected.height());
    if (landscape && !state[u"wants"].toObject()[u"turns"].toBool())
        broken << QStringLiteral("%1 does not turn, and the screen is in landscape")
                      .arg(state[u"page"].toString());
    // The preview's window holds its menu bar and the screen, and no band beside or below it.
    if (state.contains(u"toplevelContent") && !state[u"toplevelContent"].isNull()) {
        const QRect content = rectOf(state[u"toplevelContent"]);
        if (content.size() != screen.size())
            broken << QStringLiteral("the window holds %1 x %2 for a screen of %3 x %4")
                          .arg(content.width())
                          .arg(content.height())
                          .arg(screen.width())
                          .arg(screen.height());
    }
}

// What the test machine lacks rather than what the guide does: no sound server for the player.
bool aboutThisMachine(const QString& warning) {
    return warning.contains(u"PulseAudioService"_qs) ||
           warning == u"Warning: \"Failed to connect: Connection refused\""_qs;
}

} // namespace

QStringList brokenInvariants(const QJsonObject& state, qint64 residentKiB) {
    QStringList broken;
    if (state.contains(u"error"))
        return {state[u"error"].toString()};
    checkBars(state, broken);
    checkSize(state, broken);
    for (const QJsonValue& stray : state[u"strays"].toArray())
        broken << QStringLiteral("on screen after its page: %1").arg(stray.toString());
    if (residentKiB > residentBoundKiB)
        broken << QStringLiteral("resident memory %1 MiB over the bound of %2 MiB")
                      .arg(residentKiB / 1024)
                      .arg(residentBoundKiB / 1024);
    for (const QJsonValue& warning : state[u"warnings"].toArray()) {
        if (!aboutThisMachine(warning.toString()))
            broken << QStringLiteral("Qt warned: %1").arg(warning.toString());
    }
    return broken;
}

} // namespace window
