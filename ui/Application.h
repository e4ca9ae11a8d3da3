#pragma once

#include <QStringList>
#include <QUrl>

// What the phone hands to other applications: telephone, mail and web addresses.
namespace Application {

// Hands the address to the desktop (a telephone address only when the desktop knows one), and
// records it. False when nothing could open it.
bool openURL(const QUrl& url);

// Tests record addresses without handing them on.
void setRecordOnly(bool recordOnly);
QStringList openedURLs();
void clearOpenedURLs();

} // namespace Application
