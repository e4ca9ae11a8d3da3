#pragma once

// What the benchmarks of the screens share: a fresh reader on an edition, waiting until the guide has
// come to rest, and the median.

#include "bench/SyntheticEdition.h"
#include "location/LocationManager.h"
#include "platform/HttpClient.h"
#include "platform/OperationQueue.h"
#include "platform/Paths.h"
#include "platform/PositionSource.h"
#include "platform/UserDefaults.h"
#include "ui/Animation.h"

#include <QCoreApplication>
#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

namespace bench {

// Readies the guide for an edition as a fresh reader on a standing position: its own documents (and
// caches) folder, preferences in memory, no animations.
inline void useEdition(const QString& edition, const QString& documents,
                       std::optional<PositionFix> position) {
    Paths::setResourceFolder(edition);
    Paths::setDocumentsFolder(documents);
    Paths::setCacheFolder(documents);
    UserDefaults::standardUserDefaults().useMemoryStore();
    Animation::setEnabled(false);
    LocationManager::setPositionSourceFactory([position] {
        auto source = std::make_unique<SimulatedPositionSource>();
        source->setFix(position);
        return source;
    });
}

#ifdef GUIDE_SYNTHETIC_DIR
// useEdition on the synthetic edition (made on first use); false, with the reason said, when it cannot
// be made.
inline bool useSyntheticEdition(const QString& documents, std::optional<PositionFix> position) {
    const QString edition = QStringLiteral(GUIDE_SYNTHETIC_DIR);
    QString error;
    if (!SyntheticEdition::ensure(edition, {}, &error)) {
        std::fprintf(stderr, "cannot make the synthetic edition: %s\n", qPrintable(error));
        return false;
    }
    useEdition(edition, documents, position);
    return true;
}
#endif

// Runs the event loop until no animation, background operation or request is under way.
inline void settle() {
    while (OperationQueue::outstandingOperations() > 0 || Animation::running() > 0 ||
           HttpClient::outstandingRequests() > 0)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    QCoreApplication::processEvents();
}

inline double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace bench
