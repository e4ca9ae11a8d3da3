#include "ui/VideoPlayer.h"

#include "ui/EngineModules.h"

#include <QPainter>
#include <atomic>

namespace {
std::atomic<bool> audioOn{true};
} // namespace

VideoPlayer::VideoPlayer(const QRect& frame, QWidget* parent) : View(frame, parent) {
    setBackgroundColor(Qt::black);
}

VideoPlayer::~VideoPlayer() = default;

void VideoPlayer::setAudioEnabled(bool enabled) {
    audioOn.store(enabled);
}

// The engine is made on the first clip, which loads the player's module.
bool VideoPlayer::hasEngine() {
    if (engine)
        return true;
    const auto make = EngineModules::clipEngineMaker();
    if (!make)
        return false;
    engine.reset(make(audioOn.load()));
    engine->frameArrived = [this](const QImage& frame) { frameArrived(frame); };
    engine->ended = [this] { report([this] { emit ended(); }); };
    engine->failed = [this](const QString& reason) { report([this, reason] { emit failed(reason); }); };
    return true;
}

// A clip ends or fails once, whatever the engine says after.
void VideoPlayer::report(const std::function<void()>& signal) {
    if (reported)
        return;
    reported = true;
    signal();
}

void VideoPlayer::play(const QUrl& url) {
    reported = false;
    frames = 0;
    if (!hasEngine()) {
        QMetaObject::invokeMethod(
            this, [this] { report([this] { emit failed(tr("The player is not installed")); }); },
            Qt::QueuedConnection);
        return;
    }
    engine->play(url);
}

void VideoPlayer::pause() {
    if (engine)
        engine->pause();
}

void VideoPlayer::resume() {
    if (engine)
        engine->resume();
}

bool VideoPlayer::isPlaying() const {
    return engine && engine->isPlaying();
}

void VideoPlayer::frameArrived(const QImage& frame) {
    current = frame;
    ++frames;
    update();
}

void VideoPlayer::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (current.isNull())
        return;
    const QSize fitted = current.size().scaled(size(), Qt::KeepAspectRatio);
    const QRect target(QPoint((width() - fitted.width()) / 2, (height() - fitted.height()) / 2), fitted);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, current);
}
