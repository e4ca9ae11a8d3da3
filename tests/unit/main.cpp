#include "platform/HttpClient.h"
#include "platform/UserDefaults.h"
#include "tests/support/TestSupport.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    UserDefaults::standardUserDefaults().useMemoryStore();
    // Nothing a test does reaches beyond this machine.
    HttpClient::setLoopbackOnly(true);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    testsupport::finishPendingWork();
    return result;
}
