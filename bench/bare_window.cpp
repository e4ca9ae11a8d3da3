// The yardstick of the guide's start-up: a bare Qt window of the same size, offscreen, that prints
// "painted" after its first paint and exits.

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <cstdio>

namespace {
class Probe : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        if (done)
            return;
        done = true;
        QTimer::singleShot(0, [] {
            std::fputs("painted\n", stdout);
            std::fflush(stdout);
            QApplication::exit(0);
        });
    }
    bool done = false;
};
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Probe window;
    window.resize(320, 480);
    window.show();
    return app.exec();
}
