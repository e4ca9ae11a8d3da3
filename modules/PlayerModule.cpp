// The clip player: Qt Multimedia, loaded when the first clip plays.

#include "ui/EngineModules.h"

#include <QAudioOutput>
#include <QImage>
#include <QMediaPlayer>
#include <QVideoFrame>
#include <QVideoSink>

namespace {

class MultimediaClipEngine : public EngineModules::ClipEngine {
public:
    explicit MultimediaClipEngine(bool withSound) {
        player.setVideoSink(&sink);
        if (withSound) {
            audio = std::make_unique<QAudioOutput>();
            player.setAudioOutput(audio.get());
        }
        QObject::connect(&sink, &QVideoSink::videoFrameChanged, &sink, [this](const QVideoFrame& frame) {
            if (frame.isValid() && frameArrived)
                frameArrived(frame.toImage());
        });
        QObject::connect(&player, &QMediaPlayer::mediaStatusChanged, &player,
                         [this](QMediaPlayer::MediaStatus status) {
                             if (status == QMediaPlayer::EndOfMedia && ended)
                                 ended();
                             else if (status == QMediaPlayer::InvalidMedia && failed)
                                 failed(player.errorString());
                         });
        QObject::connect(&player, &QMediaPlayer::errorOccurred, &player,
                         [this](QMediaPlayer::Error, const QString& reason) {
                             if (failed)
                                 failed(reason);
                         });
    }

    ~MultimediaClipEngine() override {
        // Nothing is told while the player goes.
        player.disconnect();
        sink.disconnect();
        player.stop();
    }

    void play(const QUrl& url) override {
        player.setSource(url);
        player.play();
    }
    void pause() override { player.pause(); }
    void resume() override { player.play(); }
    bool isPlaying() const override { return player.playbackState() == QMediaPlayer::PlayingState; }

private:
    // Declared before the player: it goes after it.
    QVideoSink sink;
    std::unique_ptr<QAudioOutput> audio;
    QMediaPlayer player;
};

} // namespace

extern "C" Q_DECL_EXPORT EngineModules::ClipEngine* cityguideMakeClipEngine(bool withSound) {
    return new MultimediaClipEngine(withSound);
}
