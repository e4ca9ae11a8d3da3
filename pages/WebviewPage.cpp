#include "pages/WebviewPage.h"

#include "platform/Log.h"

#include "ui/Images.h"
#include "ui/WebView.h"
#include "ui/Window.h"
#include <QRegularExpression>

namespace {

void showNetworkActivity(bool visible) {
    if (Window* window = Window::keyWindow())
        window->setNetworkActivityIndicatorVisible(visible);
}

} // namespace

WebviewPage::WebviewPage(const QString& webAddress) : address(webAddress) {}

WebviewPage::~WebviewPage() {
    showNetworkActivity(false);
}

QUrl WebviewPage::loadableAddress(const QString& webAddress) {
    const QString trimmed = webAddress.trimmed();
    // A scheme is letters, digits, "+", "-" or "." before the first ":" (and not a port after a host).
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*:(?!\\d)"));
    const QUrl url(scheme.match(trimmed).hasMatch() ? trimmed : QStringLiteral("http://") + trimmed);
    if (url.scheme() != u"http" && url.scheme() != u"https")
        return {};
    return url;
}

void WebviewPage::loadView() {
    setView(new View(QRect(0, 0, 320, 460)));
}

void WebviewPage::viewDidLoad() {
    auto* background = new ImageView(QRect(0, 0, 320, 480), Images::named(QStringLiteral("BCKBlack.png")));
    background->setImageName(QStringLiteral("BCKBlack.png"));
    view()->addSubview(background);
    web = new WebView(QRect(0, 0, 320, 460));
    view()->addSubview(web);
    connect(web, &WebView::loadFinished, this, [this](bool ok) {
        showNetworkActivity(false);
        if (!ok && onLoadFailed)
            onLoadFailed();
    });
    done = new Button(QRect(260, 400, 40, 40));
    done->setBackgroundImage(Images::named(QStringLiteral("Close.png")));
    done->setBackgroundImageName(QStringLiteral("Close.png"));
    connect(done, &Button::touchUpInside, this, [this] { doneButtonTouched(); });
    view()->addSubview(done);

    const QUrl url = loadableAddress(address);
    if (url.isEmpty()) {
        logLine(QStringLiteral("Refused to load %1: only http and https addresses are shown").arg(address));
        if (onLoadFailed)
            QMetaObject::invokeMethod(
                this, [this] { onLoadFailed(); }, Qt::QueuedConnection);
        return;
    }
    showNetworkActivity(true);
    web->load(url);
}

void WebviewPage::doneButtonTouched() {
    showNetworkActivity(false);
    auto closed = std::move(onClose);
    dismissModalViewControllerAnimated(true);
    if (closed)
        closed();
}
