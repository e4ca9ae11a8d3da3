#pragma once

#include "ui/View.h"

#include <QUrl>
#include <memory>

namespace EngineModules {
class WebEngine;
}

// A web page inside the guide, scaled so that the page's width fits the view. Where the browser
// engine's module is missing, the address goes to the desktop's browser instead and the view stays
// empty.
class WebView : public View {
    Q_OBJECT
public:
    explicit WebView(const QRect& frame, QWidget* parent = nullptr);
    ~WebView() override;

    void load(const QUrl& url);
    QString title() const;
    QUrl url() const;
    // Loads the engine's module where it has not been loaded yet.
    static bool hasBrowserEngine();

signals:
    void loadStarted();
    // ok false: the load failed.
    void loadFinished(bool ok);

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::unique_ptr<EngineModules::WebEngine> engine;
};
