// Termination requests (SIGTERM, SIGINT, SIGHUP) end the event loop like closing the window does, so
// that what the run made for itself is cleaned up on the way out.
#pragma once

#include <QString>

class QCoreApplication;

namespace Termination {

// Quits `app`'s event loop on a termination request; once the program has cleaned up on its way out,
// it ends by the signal it was sent. A loop that does not come round to it within three seconds (a
// step that blocks), or a second request, ends the program at once from a thread of its own. Either
// way the forsaken folder (one the run made for itself) is gone before the program ends: no
// destructor runs on the watchdog's way, and on the loop's way the watchdog may have raced with it.
void quitOnSignals(QCoreApplication* app);
void setForsakenFolder(const QString& folder);

} // namespace Termination
