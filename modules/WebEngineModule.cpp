// The browser engine of the in-app web page: Qt WebEngine, loaded when the first web page opens.

#include "ui/EngineModules.h"

#include <QWebEnginePage>
#include <QWebEngineView>
#include <algorithm>

namespace {

class WebEngineView : public QWebEngineView, public EngineModules::WebEngine {
public:
    explicit WebEngineView(QWidget* parent) : QWebEngineView(parent) {
        connect(this, &QWebEngineView::loadStarted, this, [this] {
            if (WebEngine::loadStarted)
                WebEngine::loadStarted();
        });
        connect(this, &QWebEngineView::loadFinished, this, [this](bool ok) {
            // Scaled so that the page's width fits the view.
            page()->runJavaScript(QStringLiteral("document.documentElement.scrollWidth"),
                                  [this](const QVariant& width) {
                                      const double w = width.toDouble();
                                      if (w > this->width())
                                          setZoomFactor(std::max(0.25, this->width() / w));
                                  });
            if (WebEngine::loadFinished)
                WebEngine::loadFinished(ok);
        });
    }

    QWidget* widget() override { return this; }
    void load(const QUrl& url) override { QWebEngineView::load(url); }
    QString title() const override { return QWebEngineView::title(); }
    QUrl url() const override { return QWebEngineView::url(); }
};

} // namespace

extern "C" Q_DECL_EXPORT EngineModules::WebEngine* cityguideMakeWebEngine(QWidget* parent) {
    return new WebEngineView(parent);
}
