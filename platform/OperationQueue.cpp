#include "platform/OperationQueue.h"

#include <QCoreApplication>
#include <QThread>
#include <QThreadPool>
#include <atomic>
#include <condition_variable>

namespace {
std::atomic<int> outstanding{0};
}

struct OperationQueue::State : std::enable_shared_from_this<OperationQueue::State> {
    std::mutex mutex;
    std::condition_variable idle;
    std::deque<std::function<void()>> pending;
    int running = 0;
    int limit = 1;

    // Starts workers while there is work and room; each worker drains the queue.
    void schedule() {
        while (running<limit&& int(pending.size())> running) {
            ++running;
            auto self = shared_from_this();
            QThreadPool::globalInstance()->start([self] { self->drain(); });
        }
    }

    void drain() {
        for (;;) {
            std::function<void()> operation;
            {
                std::lock_guard lock(mutex);
                if (pending.empty()) {
                    --running;
                    idle.notify_all();
                    return;
                }
                operation = std::move(pending.front());
                pending.pop_front();
            }
            operation();
            --outstanding;
        }
    }
};

OperationQueue::OperationQueue() : state(std::make_shared<State>()) {}

OperationQueue::~OperationQueue() {
    cancelAllOperations();
}

void OperationQueue::setMaxConcurrentOperationCount(int count) {
    std::lock_guard lock(state->mutex);
    state->limit = std::max(1, count);
}

void OperationQueue::addOperation(std::function<void()> operation) {
    std::lock_guard lock(state->mutex);
    ++outstanding;
    state->pending.push_back(std::move(operation));
    state->schedule();
}

void OperationQueue::cancelAllOperations() {
    std::lock_guard lock(state->mutex);
    outstanding -= int(state->pending.size());
    state->pending.clear();
    state->idle.notify_all();
}

void OperationQueue::waitUntilAllOperationsAreFinished() {
    std::unique_lock lock(state->mutex);
    state->idle.wait(lock, [this] { return state->pending.empty() && state->running == 0; });
}

int OperationQueue::outstandingOperations() {
    return outstanding.load();
}

void runOnMainThread(const QPointer<QObject>& context, std::function<void()> fn, bool wait) {
    if (QThread::currentThread() == QCoreApplication::instance()->thread()) {
        if (context)
            fn();
        return;
    }
    auto call = [context, fn = std::move(fn)] {
        if (context)
            fn();
    };
    // The call is queued on the application object: a context that goes away drops the call but
    // never leaves a waiting caller hanging.
    QMetaObject::invokeMethod(QCoreApplication::instance(), call,
                              wait ? Qt::BlockingQueuedConnection : Qt::QueuedConnection);
}
