#include "ui/Window.h"

#include "ui/Animation.h"
#include "ui/Images.h"

#include <QChildEvent>
#include <QTime>
#include <QTimer>

namespace {
QPointer<Window> key;
} // namespace

Window::Window(QWidget* parent) : View(QRect(0, 0, width, height), parent) {
    setFixedSize(width, height);
    setBackgroundColor(Qt::black);
    statusBar = new View(QRect(0, 0, width, statusBarHeight), this);
    statusBar->setBackgroundColor(Qt::black);
    clock = new Label(QRect(0, 0, width, statusBarHeight), statusBar);
    clock->setFont(Fonts::boldSystem(14));
    clock->setTextColor(Qt::white);
    clock->setTextAlignment(Qt::AlignCenter);
    clock->setText(QStringLiteral("9:41"));
    auto* carrier = new Label(QRect(6, 0, 100, statusBarHeight), statusBar);
    carrier->setFont(Fonts::system(12));
    carrier->setTextColor(Qt::white);
    carrier->setText(QStringLiteral("Carrier"));
    networkActivity = new ActivityIndicator(QRect(64, 3, 14, 14), statusBar);
    networkActivity->hide();
    auto* battery = new View(QRect(width - 32, 6, 24, 9), statusBar);
    battery->setBackgroundColor(QColor(230, 230, 230));
    key = this;
}

Window::~Window() = default;

void Window::setNetworkActivityIndicatorVisible(bool visible) {
    networkActivity->setVisible(visible);
    if (visible)
        networkActivity->startAnimating();
    else
        networkActivity->stopAnimating();
}

bool Window::isNetworkActivityIndicatorVisible() const {
    return !networkActivity->isHidden();
}

void Window::setLandscape(bool landscape) {
    landscapeMode = landscape;
    const QSize size = landscape ? QSize(height, width) : QSize(width, height);
    setFixedSize(size);
    if (QWidget* host = parentWidget())
        host->setFixedSize(size);
}

QKeySequence Window::shakeShortcut() {
    return QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
}

Window* Window::keyWindow() {
    return key;
}

void Window::makeKeyAndVisible() {
    key = this;
    show();
}

QRect Window::applicationFrame() const {
    const int top = statusBarHidden ? 0 : statusBarHeight;
    return QRect(0, top, width, height - top);
}

void Window::setStatusBarHidden(bool hidden, bool animated) {
    statusBarHidden = hidden;
    const QRect shown(0, 0, width, statusBarHeight);
    const QRect gone(0, -statusBarHeight, width, statusBarHeight);
    if (!hidden)
        statusBar->show();
    Animation::animate(statusBar, animated ? 300 : 0, hidden ? gone : shown, std::nullopt,
                       [this, hidden] { statusBar->setVisible(!hidden); });
}

void Window::addOverlay(QWidget* overlay) {
    overlay->setParent(this);
    overlays.append(QPointer<QWidget>(overlay));
    overlay->show();
    keepOrder();
}

void Window::keepOrder() {
    overlays.removeAll(QPointer<QWidget>());
    for (const QPointer<QWidget>& overlay : std::as_const(overlays))
        overlay->raise();
    if (statusBar)
        statusBar->raise();
}

void Window::childEvent(QChildEvent* event) {
    View::childEvent(event);
    if (event->added() && statusBar)
        QTimer::singleShot(0, this, [this] { keepOrder(); });
}

void Window::addSubview(QWidget* view) {
    View::addSubview(view);
    keepOrder();
}
