#pragma once

#include <QObject>
#include <QPointer>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

// Background work of a page: operations run one at a time (or up to the limit) on the thread pool,
// in the order they were added. Pending operations can be cancelled; one that runs finishes.
// Operations must not touch a page directly: they hand their results over with runOnMainThread and
// the page as context, so that nothing reaches a page that has gone in the meantime.
class OperationQueue {
public:
    OperationQueue();
    ~OperationQueue(); // cancels what has not started; a running operation finishes on its own

    void setMaxConcurrentOperationCount(int count);
    void addOperation(std::function<void()> operation);
    void cancelAllOperations();
    // Blocks until nothing of this queue is pending or running.
    void waitUntilAllOperationsAreFinished();

    // Operations of every queue not yet finished (tests wait for zero).
    static int outstandingOperations();

private:
    struct State;
    std::shared_ptr<State> state;
};

// Runs fn on the user-interface thread, unless context is gone by then. With wait, the caller blocks
// until fn has run (or was dropped); from the user-interface thread itself fn runs at once.
// The guard must be made where the context is known to live (on the user-interface thread, when the
// operation is queued): a worker cannot safely look at an object that may be gone.
void runOnMainThread(const QPointer<QObject>& context, std::function<void()> fn, bool wait = false);
