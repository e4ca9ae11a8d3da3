#pragma once

#include <QColor>
#include <QString>

// What the guide's pages share: the header colours and the hand-over to pages not in this build.

// The title colour of the home screen and the tool pages.
inline QColor guideTitleColor() {
    return QColor::fromRgbF(0.13f, 0.64f, 0.85f, 1.0f);
}
// The shadow of header titles: grey 0.3 at alpha 0.7.
inline QColor headerShadowColor() {
    return QColor::fromRgbF(0.3f, 0.3f, 0.3f, 0.7f);
}

// A touch that would open a page this build does not have yet: nothing happens but this log line.
void logPageNotAvailable(const QString& page, const QString& detail = {});
