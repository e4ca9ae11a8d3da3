#include "ui/Application.h"

#include "platform/Log.h"

#include <QDesktopServices>
#include <QStandardPaths>

namespace {
bool recordOnly = false;
QStringList opened;
} // namespace

namespace Application {

bool openURL(const QUrl& url) {
    opened.append(url.toString());
    if (recordOnly)
        return true;
#if defined(Q_OS_LINUX) && !defined(Q_OS_ANDROID)
    // A Linux desktop opens addresses with xdg-open; without it Qt only warns.
    if (QStandardPaths::findExecutable(QStringLiteral("xdg-open")).isEmpty()) {
        logLine(QStringLiteral("Nothing on this desktop opens %1 (no xdg-open)").arg(url.toString()));
        return false;
    }
#endif
    const bool ok = QDesktopServices::openUrl(url);
    if (!ok)
        logLine(QStringLiteral("Nothing on this desktop opens %1").arg(url.toString()));
    return ok;
}

void setRecordOnly(bool only) {
    recordOnly = only;
}
QStringList openedURLs() {
    return opened;
}
void clearOpenedURLs() {
    opened.clear();
}

} // namespace Application
