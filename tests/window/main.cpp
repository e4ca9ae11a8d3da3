#include <QCoreApplication>
#include <gtest/gtest.h>

// The guide runs in a process of its own; the test only needs an event loop for its probe and for
// the server of the edition's feeds.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
