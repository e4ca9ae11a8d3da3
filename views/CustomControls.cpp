#include "views/CustomControls.h"

#include "platform/Log.h"
#include "ui/Animation.h"
#include "ui/Images.h"

#include <QPainter>
#include <QtMath>

CustomButton::CustomButton(const QString& imageName, const QString& labelText, QWidget* parent)
    : Button(QRect(0, 0, 76, 75), parent) {
    imageView = new ImageView(QRect(20, 10, 36, 36), Images::named(imageName), this);
    imageView->setImageName(imageName);
    label = new Label(QRect(0, 36, 76, 39), this);
    label->setFont(Fonts::boldSystem(10));
    label->setTextColor(Qt::white);
    label->setTextAlignment(Qt::AlignCenter);
    label->setNumberOfLines(1);
    label->setText(labelText);
    label->setUserInteractionEnabled(false);
    setAccessibleName(labelText);
}

// ---------------------------------------------------------------------------------------------

CustomBarButtonItem::CustomBarButtonItem(const QString& imageName, const QString& text, int index,
                                         const QString& selector, QObject* parent)
    : BarButtonItem(new View(QRect(0, 0, 60, 44)), parent), selectorName(selector) {
    View* container = customView();
    innerButton = new Button(QRect(16, 4, 28, 28), container);
    innerButton->setImage(Images::named(imageName));
    innerButton->setBackgroundImageName(imageName);
    innerButton->setTitle(text);
    innerButton->setTitleColor(Qt::white);
    innerButton->setTitleFont(Fonts::boldSystem(10));
    innerButton->setTag(index);
    connect(innerButton, &Button::touchUpInside, this, [this] { buttonTouched(); });
    caption = new Label(QRect(0, 30, 60, 16), container);
    caption->setFont(Fonts::boldSystem(9));
    caption->setTextColor(QColor::fromRgbF(0.95f, 0.95f, 0.95f, 0.8f));
    caption->setTextAlignment(Qt::AlignCenter);
    caption->setText(text);
    caption->setUserInteractionEnabled(false);
}

void CustomBarButtonItem::setDelegate(CustomBarButtonItemDelegate* delegate, QObject* guard) {
    delegateObject = delegate;
    delegateGuard = guard;
}

void CustomBarButtonItem::buttonTouched() {
    if (delegateObject && delegateGuard)
        delegateObject->barButtonItemTouched(this);
}

// ---------------------------------------------------------------------------------------------

QnAlertLabel::QnAlertLabel(const QRect& frame, const QString& text, QWidget* parent) : View(frame, parent) {
    setAlpha(0);
    setBackgroundColor(QColor::fromRgbF(0, 0, 0, 0.5f));
    textLabel = new Label(QRect(0, 0, frame.width(), frame.height()), this);
    textLabel->setTextAlignment(Qt::AlignCenter);
    textLabel->setTextColor(QColor::fromRgbF(1, 1, 1, 0.8f));
    textLabel->setFont(Fonts::system(12));
    textLabel->setText(text);
    setUserInteractionEnabled(false);
}

void QnAlertLabel::setStartPosition(const QRect& position) {
    start = position;
    setFrame(position);
}

void QnAlertLabel::showAlert() {
    setFrame(start);
    Animation::animate(this, 1000, end, 1.0);
}

void QnAlertLabel::hideAlert() {
    Animation::animate(this, 1000, start, 0.0);
}

// ---------------------------------------------------------------------------------------------

void TKShakeWindow::motionBegan() {
    if (shakeDelegate)
        shakeDelegate->popNavigationController();
}

// ---------------------------------------------------------------------------------------------

std::optional<QImage> ImageUtilites::imageByScalingToSize(const QImage& source, const QSize& size,
                                                          Orientation orientation) {
    const bool turned = orientation == Left || orientation == Right;
    const QSize canvas = turned ? size.transposed() : size;
    if (source.isNull() || size.isEmpty()) {
        logLine(QStringLiteral("Image conversion error"));
        return std::nullopt;
    }
    // A canvas of its own, whatever the source's row length: any target size works.
    QImage result(canvas,
                  source.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    result.fill(Qt::transparent);
    QPainter painter(&result);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const int w = size.width(), h = size.height();
    switch (orientation) {
    case Left:
        painter.rotate(90);
        painter.translate(0, -h);
        break;
    case Right:
        painter.rotate(-90);
        painter.translate(-w, 0);
        break;
    case Down:
        painter.translate(w, h);
        painter.rotate(180);
        break;
    case Up:
        break;
    }
    painter.drawImage(QRect(0, 0, w, h), source);
    painter.end();
    return result;
}
