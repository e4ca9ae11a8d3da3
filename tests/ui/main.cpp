#include "platform/HttpClient.h"
#include "platform/UserDefaults.h"
#include "ui/VideoPlayer.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    UserDefaults::standardUserDefaults().useMemoryStore();
    // Nothing a test does reaches beyond this machine.
    HttpClient::setLoopbackOnly(true);
    VideoPlayer::setAudioEnabled(false);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
