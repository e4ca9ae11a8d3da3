#pragma once

#include <QString>
#include <QUrl>
#include <functional>

class QImage;
class QWidget;

// The browser engine and the clip player live in modules of their own, loaded when a page first needs
// one of them: most readers never open a web page or a clip, and every start would otherwise wait for
// the loader to map Qt WebEngine, Qt Quick and Qt Multimedia. The guide and the modules share only
// these classes (no signals: a module's copy of a meta-object is not the guide's).
namespace EngineModules {

// A browser engine's view, a widget of the parent it was made for; deleting it deletes the widget.
class WebEngine {
public:
    virtual ~WebEngine() = default;
    virtual QWidget* widget() = 0;
    virtual void load(const QUrl& url) = 0;
    virtual QString title() const = 0;
    virtual QUrl url() const = 0;

    std::function<void()> loadStarted;
    // ok false: the load failed. The page is then zoomed so that its width fits the view.
    std::function<void(bool ok)> loadFinished;
};

// A clip player that hands on each frame as a picture.
class ClipEngine {
public:
    virtual ~ClipEngine() = default;
    virtual void play(const QUrl& url) = 0;
    virtual void pause() = 0;
    virtual void resume() = 0;
    virtual bool isPlaying() const = 0;

    std::function<void(const QImage& frame)> frameArrived;
    std::function<void()> ended;
    std::function<void(const QString& reason)> failed;
};

// What the modules export, by these names, unmangled.
using MakeWebEngine = WebEngine* (*)(QWidget* parent);
using MakeClipEngine = ClipEngine* (*)(bool withSound);
inline constexpr const char* makeWebEngineSymbol = "cityguideMakeWebEngine";
inline constexpr const char* makeClipEngineSymbol = "cityguideMakeClipEngine";

// Loaded on the first call and kept; null where the module is missing or cannot be loaded (the reason
// is logged once).
MakeWebEngine webEngineMaker();
MakeClipEngine clipEngineMaker();

} // namespace EngineModules
