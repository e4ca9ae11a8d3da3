#include "ui/WebView.h"

#include "platform/HttpClient.h"
#include "platform/Log.h"
#include "ui/Application.h"

#include "ui/Window.h"

#include <QApplication>
#include <QKeyEvent>
#include <QResizeEvent>

#ifdef GUIDE_HAS_WEBENGINE
#include <QWebEnginePage>
#include <QWebEngineView>
#endif

WebView::WebView(const QRect& frame, QWidget* parent) : View(frame, parent) {
    setBackgroundColor(Qt::transparent);
#ifdef GUIDE_HAS_WEBENGINE
    auto* view = new QWebEngineView(this);
    view->setGeometry(rect());
    engine = view;
    connect(view, &QWebEngineView::loadStarted, this, &WebView::loadStarted);
    connect(view, &QWebEngineView::loadFinished, this, [this, view](bool ok) {
        // Scaled so that the page's width fits the view.
        view->page()->runJavaScript(QStringLiteral("document.documentElement.scrollWidth"),
                                    [this, view](const QVariant& width) {
                                        const double w = width.toDouble();
                                        if (w > this->width())
                                            view->setZoomFactor(std::max(0.25, this->width() / w));
                                    });
        emit loadFinished(ok);
    });
    // The page's engine takes every key while it has the focus, the shake's among them (its redo).
    qApp->installEventFilter(this);
#endif
}

WebView::~WebView() = default;

bool WebView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride || !watched->isWidgetType() ||
        !isAncestorOf(static_cast<QWidget*>(watched)))
        return false;
    // Not offered to the page: the key is the window's shortcut.
    return QKeySequence(static_cast<QKeyEvent*>(event)->keyCombination()) == Window::shakeShortcut();
}

bool WebView::hasBrowserEngine() {
#ifdef GUIDE_HAS_WEBENGINE
    return true;
#else
    return false;
#endif
}

void WebView::load(const QUrl& url) {
    // The engine has a network of its own: it keeps to this machine whenever the guide's does.
    if (!HttpClient::mayReach(url)) {
        logLine(QStringLiteral("The web page %1 is not loaded: only this machine may be reached")
                    .arg(url.toString()));
        QMetaObject::invokeMethod(
            this, [this] { emit loadFinished(false); }, Qt::QueuedConnection);
        return;
    }
#ifdef GUIDE_HAS_WEBENGINE
    static_cast<QWebEngineView*>(engine)->load(url);
#else
    Application::openURL(url);
    emit loadFinished(true);
#endif
}

QString WebView::title() const {
#ifdef GUIDE_HAS_WEBENGINE
    return static_cast<QWebEngineView*>(engine)->title();
#else
    return {};
#endif
}

QUrl WebView::url() const {
#ifdef GUIDE_HAS_WEBENGINE
    return static_cast<QWebEngineView*>(engine)->url();
#else
    return {};
#endif
}

void WebView::resizeEvent(QResizeEvent* event) {
    View::resizeEvent(event);
    if (engine)
        engine->setGeometry(rect());
}
