#pragma once

#include "ui/View.h"

#include <QImage>
#include <QUrl>
#include <functional>
#include <memory>

namespace EngineModules {
class ClipEngine;
}

// A clip player on the screen: the frames of the playing clip drawn fitted into the view on black.
// It tells when the clip has ended and when it cannot be played (also when the player's module is
// missing).
class VideoPlayer : public View {
    Q_OBJECT
public:
    explicit VideoPlayer(const QRect& frame, QWidget* parent = nullptr);
    ~VideoPlayer() override;

    void play(const QUrl& url);
    void pause();
    void resume();
    bool isPlaying() const;
    // Frames shown so far (tests look at them instead of pixels).
    int framesShown() const { return frames; }

    // Off: clips play without sound (tests, the picture tour).
    static void setAudioEnabled(bool enabled);

signals:
    void ended();
    void failed(const QString& reason);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool hasEngine();
    void frameArrived(const QImage& frame);
    void report(const std::function<void()>& signal);

    std::unique_ptr<EngineModules::ClipEngine> engine;
    QImage current;
    int frames = 0;
    bool reported = false;
};
