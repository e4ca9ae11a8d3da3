#include "ui/VideoPlayer.h"

#include <QAudioOutput>
#include <QMediaPlayer>
#include <QPainter>
#include <QVideoFrame>
#include <QVideoSink>
#include <atomic>

namespace {
std::atomic<bool> audioOn{true};
} // namespace

VideoPlayer::VideoPlayer(const QRect& frame, QWidget* parent) : View(frame, parent) {
    setBackgroundColor(Qt::black);
    player = new QMediaPlayer(this);
    sink = new QVideoSink(this);
    player->setVideoSink(sink);
    if (audioOn.load()) {
        audio = new QAudioOutput(this);
        player->setAudioOutput(audio);
    }
    connect(sink, &QVideoSink::videoFrameChanged, this, &VideoPlayer::frameArrived);
    connect(player, &QMediaPlayer::mediaStatusChanged, this, [this](QMediaPlayer::MediaStatus status) {
        if (status == QMediaPlayer::EndOfMedia && !reported) {
            reported = true;
            emit ended();
        } else if (status == QMediaPlayer::InvalidMedia && !reported) {
            reported = true;
            emit failed(player->errorString());
        }
    });
    connect(player, &QMediaPlayer::errorOccurred, this, [this](QMediaPlayer::Error, const QString& reason) {
        if (!reported) {
            reported = true;
            emit failed(reason);
        }
    });
}

VideoPlayer::~VideoPlayer() {
    // The player and the sink go first, without telling this half-destroyed view anything.
    player->disconnect(this);
    sink->disconnect(this);
    player->stop();
    delete player;
    delete sink;
}

void VideoPlayer::setAudioEnabled(bool enabled) {
    audioOn.store(enabled);
}

void VideoPlayer::play(const QUrl& url) {
    reported = false;
    frames = 0;
    player->setSource(url);
    player->play();
}

void VideoPlayer::pause() {
    player->pause();
}

void VideoPlayer::resume() {
    player->play();
}

bool VideoPlayer::isPlaying() const {
    return player->playbackState() == QMediaPlayer::PlayingState;
}

void VideoPlayer::frameArrived(const QVideoFrame& frame) {
    if (!frame.isValid())
        return;
    current = frame.toImage();
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
