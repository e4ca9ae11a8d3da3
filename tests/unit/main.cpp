#include "platform/HttpClient.h"
#include "platform/UserDefaults.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    UserDefaults::standardUserDefaults().useMemoryStore();
    // Nothing a test does reaches beyond this machine.
    HttpClient::setLoopbackOnly(true);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    // What a test left under way (a request, an object to delete later) ends before the process does,
    // so that the leak check sees only what was really lost.
    QElapsedTimer clock;
    clock.start();
    while (HttpClient::outstandingRequests() > 0 && clock.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return result;
}
