#include "platform/HttpClient.h"
#include "platform/UserDefaults.h"
#include "tests/support/TestSupport.h"
#include "ui/VideoPlayer.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The web page's engine runs as root here: without its sandbox, in the tests only.
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    // The web page's engine shares the graphics context of the application.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    UserDefaults::standardUserDefaults().useMemoryStore();
    // Nothing a test does reaches beyond this machine.
    HttpClient::setLoopbackOnly(true);
    VideoPlayer::setAudioEnabled(false);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    testsupport::finishPendingWork();
    return result;
}
