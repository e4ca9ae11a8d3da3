#include "app/Termination.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <mutex>
#include <semaphore.h>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace Termination {
namespace {

int signalPipe[2] = {-1, -1};
sem_t requests;
volatile sig_atomic_t terminatingSignal = 0;
std::mutex forsakenLock;
std::string forsaken;

// Only what is safe in a signal handler: a byte to the event loop, a post to the watchdog.
void onRequest(int signal) {
    if (terminatingSignal == 0)
        terminatingSignal = signal;
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(signalPipe[0], &byte, 1);
    ::sem_post(&requests);
}

bool secondRequestWithin(std::chrono::seconds wait) {
    timespec until{};
    ::clock_gettime(CLOCK_REALTIME, &until);
    until.tv_sec += wait.count();
    while (::sem_timedwait(&requests, &until) != 0) {
        if (errno != EINTR)
            return false;
    }
    return true;
}

// Both ways out (the watchdog's and the event loop's) come here, and the user-interface thread may be
// removing the folder itself or still writing into it, so a removal that races with either is done
// again until the folder is gone, for at most a second.
void removeForsakenFolder() {
    const std::lock_guard lock(forsakenLock);
    if (forsaken.empty())
        return;
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    std::error_code ignored;
    while (std::filesystem::remove_all(forsaken, ignored),
           std::filesystem::exists(forsaken, ignored) && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
}

void endTheSignalsWay() {
    removeForsakenFolder();
    const int signal = terminatingSignal;
    ::signal(signal, SIG_DFL);
    ::raise(signal);
}

// Runs on a thread of its own, so that it acts while the user-interface thread is blocked.
void watch() {
    while (::sem_wait(&requests) != 0) {
    }
    secondRequestWithin(std::chrono::seconds(3));
    endTheSignalsWay();
}

} // namespace

void quitOnSignals(QCoreApplication* app) {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0 || ::sem_init(&requests, 0, 0) != 0)
        return;
    auto* notifier = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, app);
    QObject::connect(notifier, &QSocketNotifier::activated, app, [app] { app->exit(3); });
    std::thread(watch).detach();
    // Ended by a request, the program ends the signal's way once it has cleaned up, so that the one
    // who sent it sees what ended it, whichever way it went.
    std::atexit([] {
        if (terminatingSignal != 0)
            endTheSignalsWay();
    });
    struct sigaction action = {};
    action.sa_handler = onRequest;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(signal, &action, nullptr);
}

void setForsakenFolder(const QString& folder) {
    const std::lock_guard lock(forsakenLock);
    forsaken = folder.toStdString();
}

} // namespace Termination
