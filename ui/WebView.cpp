#include "ui/WebView.h"

#include "platform/HttpClient.h"
#include "platform/Log.h"
#include "ui/Application.h"
#include "ui/EngineModules.h"
#include "ui/Window.h"

#include <QApplication>
#include <QKeyEvent>
#include <QResizeEvent>

WebView::WebView(const QRect& frame, QWidget* parent) : View(frame, parent) {
    setBackgroundColor(Qt::transparent);
    const auto make = EngineModules::webEngineMaker();
    if (!make)
        return;
    engine.reset(make(this));
    engine->widget()->setGeometry(rect());
    engine->loadStarted = [this] { emit loadStarted(); };
    engine->loadFinished = [this](bool ok) { emit loadFinished(ok); };
    // The page's engine takes every key while it has the focus, the shake's among them (its redo).
    qApp->installEventFilter(this);
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
    return EngineModules::webEngineMaker() != nullptr;
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
    if (engine) {
        engine->load(url);
        return;
    }
    Application::openURL(url);
    emit loadFinished(true);
}

QString WebView::title() const {
    return engine ? engine->title() : QString();
}

QUrl WebView::url() const {
    return engine ? engine->url() : QUrl();
}

void WebView::resizeEvent(QResizeEvent* event) {
    View::resizeEvent(event);
    if (engine)
        engine->widget()->setGeometry(rect());
}
