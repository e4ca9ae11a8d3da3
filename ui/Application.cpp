#include "ui/Application.h"

#include "platform/Log.h"

#include <QDesktopServices>

namespace {
bool recordOnly = false;
QStringList opened;
} // namespace

namespace Application {

bool openURL(const QUrl& url) {
    opened.append(url.toString());
    if (recordOnly)
        return true;
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
