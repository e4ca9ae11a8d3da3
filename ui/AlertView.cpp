#include "ui/AlertView.h"

#include "ui/Images.h"
#include "ui/Window.h"

#include <QPainter>
#include <QPainterPath>

namespace {
QPointer<AlertView> shown;
constexpr int boxWidth = 284;
} // namespace

AlertView::AlertView(const QString& title, const QString& message, const QString& cancelButtonTitle,
                     const QStringList& otherButtonTitles)
    : View(QRect(0, 0, Window::width, Window::height)), titleText(title), messageText(message) {
    if (!cancelButtonTitle.isEmpty())
        buttons.append(cancelButtonTitle);
    buttons += otherButtonTitles;
    setBackgroundColor(QColor(0, 0, 0, 100));

    const int textWidth = boxWidth - 24;
    const int titleHeight = measureWrappedHeight(Fonts::boldSystem(18), titleText, textWidth);
    const int messageHeight =
        messageText.isEmpty() ? 0 : measureWrappedHeight(Fonts::system(16), messageText, textWidth);
    const bool sideBySide = buttons.size() == 2;
    const int buttonRows = sideBySide ? 1 : int(buttons.size());
    const int boxHeight = 16 + titleHeight + 8 + messageHeight + 16 + buttonRows * 52;
    box = QRect((Window::width - boxWidth) / 2, (Window::height - boxHeight) / 2, boxWidth, boxHeight);

    auto* titleLabel = new Label(QRect(box.x() + 12, box.y() + 16, textWidth, titleHeight), this);
    titleLabel->setFont(Fonts::boldSystem(18));
    titleLabel->setTextColor(Qt::white);
    titleLabel->setTextAlignment(Qt::AlignCenter);
    titleLabel->setNumberOfLines(0);
    titleLabel->setText(titleText);
    auto* messageLabel =
        new Label(QRect(box.x() + 12, titleLabel->geometry().bottom() + 9, textWidth, messageHeight), this);
    messageLabel->setFont(Fonts::system(16));
    messageLabel->setTextColor(Qt::white);
    messageLabel->setTextAlignment(Qt::AlignCenter);
    messageLabel->setNumberOfLines(0);
    messageLabel->setText(messageText);

    int y = box.bottom() + 1 - buttonRows * 52 + 4;
    for (int i = 0; i < buttons.size(); ++i) {
        QRect frame = sideBySide ? QRect(box.x() + 12 + i * (textWidth / 2 + 4), y, textWidth / 2 - 4, 43)
                                 : QRect(box.x() + 12, y + i * 52, textWidth, 43);
        auto* button = new Button(frame, this);
        button->setTitle(buttons[i]);
        button->setTitleFont(Fonts::boldSystem(17));
        button->setBackgroundColor(i == 0 && !cancelButtonTitle.isEmpty() ? QColor(40, 55, 90)
                                                                          : QColor(80, 100, 150));
        connect(button, &Button::touchUpInside, this, [this, i] { dismissWithButtonIndex(i); });
    }
}

void AlertView::setHandler(QObject* handlerContext, std::function<void(int)> willDismiss) {
    context = handlerContext;
    handler = std::move(willDismiss);
    // The alert of a page goes with the page (a shake, the badge): nothing is left to answer it.
    if (handlerContext)
        connect(handlerContext, &QObject::destroyed, this, [this] { removeFromSuperview(); });
}

void AlertView::show() {
    if (Window* window = Window::keyWindow())
        window->addOverlay(this);
    shown = this;
}

AlertView* AlertView::visibleAlert() {
    return shown;
}

void AlertView::dismissWithButtonIndex(int index) {
    if (handler && context)
        handler(index);
    handler = nullptr;
    removeFromSuperview();
}

void AlertView::paintEvent(QPaintEvent* event) {
    View::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    path.addRoundedRect(QRectF(box).adjusted(0.5, 0.5, -0.5, -0.5), 10, 10);
    QLinearGradient gradient(box.topLeft(), box.bottomLeft());
    gradient.setColorAt(0, QColor(40, 60, 110, 235));
    gradient.setColorAt(1, QColor(15, 25, 60, 235));
    painter.fillPath(path, gradient);
    painter.setPen(QPen(QColor(255, 255, 255, 200), 2));
    painter.drawPath(path);
}
