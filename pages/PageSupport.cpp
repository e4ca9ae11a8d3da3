#include "pages/PageSupport.h"

#include "platform/Log.h"

void logPageNotAvailable(const QString& page, const QString& detail) {
    const QString what = detail.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(detail);
    logLine(QStringLiteral("Would open %1%2").arg(page, what));
}
