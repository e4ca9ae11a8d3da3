#include "ui/View.h"

#include "ui/Images.h"

#include <QGraphicsOpacityEffect>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QtMath>

View::View(QWidget* parent) : QWidget(parent) {}

View::View(const QRect& frame, QWidget* parent) : QWidget(parent) {
    setGeometry(frame);
}

void View::setAlpha(double alpha) {
    alphaValue = qBound(0.0, alpha, 1.0);
    if (alphaValue >= 1.0) {
        if (opacity) {
            setGraphicsEffect(nullptr); // deletes the effect
            opacity = nullptr;
        }
    } else {
        if (!opacity) {
            opacity = new QGraphicsOpacityEffect(this);
            setGraphicsEffect(opacity);
        }
        opacity->setOpacity(alphaValue);
    }
    update();
}

void View::setBackgroundColor(const QColor& color) {
    background = color;
    update();
}

void View::setUserInteractionEnabled(bool enabled) {
    setAttribute(Qt::WA_TransparentForMouseEvents, !enabled);
}

void View::addSubview(QWidget* view) {
    view->setParent(this);
    view->raise();
    view->show();
}

void View::removeFromSuperview() {
    hide();
    deleteLater();
}

void View::paintEvent(QPaintEvent*) {
    if (background.alpha() == 0)
        return;
    QPainter painter(this);
    painter.fillRect(rect(), background);
}

void View::keyPressEvent(QKeyEvent* event) {
    if ((focusPolicy() & Qt::TabFocus) && isActivationKey(event))
        press();
    else
        QWidget::keyPressEvent(event);
}

void View::focusInEvent(QFocusEvent* event) {
    update();
    QWidget::focusInEvent(event);
}

void View::focusOutEvent(QFocusEvent* event) {
    update();
    QWidget::focusOutEvent(event);
}

// ---------------------------------------------------------------------------------------------

Label::Label(const QRect& frame, QWidget* parent) : View(frame, parent), fontValue(Fonts::system(17)) {}

void Label::setText(const QString& text) {
    textValue = text;
    update();
}
void Label::setFont(const QFont& font) {
    fontValue = font;
    update();
}
void Label::setTextColor(const QColor& textColor) {
    color = textColor;
    update();
}
void Label::setTextAlignment(Qt::Alignment textAlignment) {
    alignment = textAlignment;
    update();
}
void Label::setNumberOfLines(int numberOfLines) {
    lines = numberOfLines;
    update();
}
void Label::setShadow(const QColor& color_, const QPoint& offset) {
    shadowColor = color_;
    shadowOffset = offset;
    update();
}

QStringList Label::displayedLines() const {
    const QFontMetrics metrics(fontValue);
    const int width = qMax(1, this->width());
    QStringList result;
    if (lines == 1) {
        QString single = textValue;
        single.replace(u'\n', u' ');
        // Frames made from a measured width are rounded down; a text that overhangs by less than a
        // point is not cut for that.
        const QFontMetricsF exact(fontValue);
        if (exact.horizontalAdvance(single) <= width + 1)
            result.append(single);
        else
            result.append(metrics.elidedText(single, Qt::ElideRight, width));
        return result;
    }
    const int maxLines = lines > 0 ? lines : 100000;
    // Whole lines that fit the frame's height, at most numberOfLines of them.
    const int fitting = qMax(1, height() / qMax(1, metrics.lineSpacing()));
    const int limit = qMin(maxLines, fitting);
    // As on one line, a measured width rounded down does not cost a line.
    const QStringList wrapped = wrapText(fontValue, textValue, width + 1);
    if (wrapped.size() <= limit)
        return wrapped;
    // More text than room: the last line shown ends with an ellipsis.
    result = wrapped.mid(0, limit);
    result.last() = metrics.elidedText(result.last() + u' ' + wrapped.value(limit), Qt::ElideRight, width);
    return result;
}

void Label::paintEvent(QPaintEvent* event) {
    View::paintEvent(event);
    if (textValue.isEmpty())
        return;
    QPainter painter(this);
    painter.setFont(fontValue);
    const QFontMetrics metrics(fontValue);
    const QStringList shown = displayedLines();
    const int blockHeight = int(shown.size()) * metrics.lineSpacing();
    int y = (height() - blockHeight) / 2;
    for (const QString& line : shown) {
        const QRect lineRect(0, y, width(), metrics.lineSpacing());
        const int flags = int((alignment & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter);
        if (shadowColor.alpha() > 0) {
            painter.setPen(shadowColor);
            painter.drawText(lineRect.translated(shadowOffset), flags, line);
        }
        painter.setPen(color);
        painter.drawText(lineRect, flags, line);
        y += metrics.lineSpacing();
    }
}

// ---------------------------------------------------------------------------------------------

ImageView::ImageView(const QPixmap& image, QWidget* parent)
    : View(QRect(QPoint(0, 0), image.deviceIndependentSize().toSize()), parent), picture(image) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

ImageView::ImageView(const QRect& frame, const QPixmap& image, QWidget* parent)
    : View(frame, parent), picture(image) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ImageView::setImage(const QPixmap& image) {
    picture = image;
    update();
}

void ImageView::setContentMode(ContentMode contentMode) {
    mode = contentMode;
    update();
}

void ImageView::paintEvent(QPaintEvent* event) {
    View::paintEvent(event);
    if (picture.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QSizeF size = picture.deviceIndependentSize();
    QRectF target(rect());
    switch (mode) {
    case ScaleToFill:
        break;
    case AspectFit:
    case AspectFill: {
        const double sx = width() / size.width(), sy = height() / size.height();
        const double s = mode == AspectFit ? qMin(sx, sy) : qMax(sx, sy);
        const QSizeF scaled = size * s;
        target = QRectF(QPointF((width() - scaled.width()) / 2, (height() - scaled.height()) / 2), scaled);
        painter.setClipRect(rect());
        break;
    }
    case Center:
        target = QRectF(QPointF((width() - size.width()) / 2, (height() - size.height()) / 2), size);
        break;
    case TopLeft:
        target = QRectF(QPointF(0, 0), size);
        break;
    }
    painter.drawPixmap(target, picture, QRectF(picture.rect()));
}

// ---------------------------------------------------------------------------------------------

Button::Button(const QRect& frame, QWidget* parent) : View(frame, parent), titleFont(Fonts::boldSystem(15)) {
    // Tab reaches every button; a touch or a click gives no focus, so no ring shows after one.
    setFocusPolicy(Qt::TabFocus);
}

void Button::setBackgroundImage(const QPixmap& image, State state) {
    backgrounds[state] = image;
    update();
}
void Button::setImage(const QPixmap& image, State state) {
    images[state] = image;
    update();
}
void Button::setTitle(const QString& title) {
    titleText = title;
    update();
}
void Button::setTitleColor(const QColor& color) {
    titleColor = color;
    update();
}
void Button::setTitleFont(const QFont& font) {
    titleFont = font;
    update();
}

void Button::paintEvent(QPaintEvent* event) {
    View::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const State state = !isEnabled() ? Disabled : isHighlighted() ? Highlighted : Normal;
    const QPixmap& background = backgrounds[state].isNull() ? backgrounds[Normal] : backgrounds[state];
    if (!background.isNull())
        painter.drawPixmap(QRectF(rect()), background, QRectF(background.rect()));
    const QPixmap& image = images[state].isNull() ? images[Normal] : images[state];
    if (!image.isNull()) {
        // The picture is drawn at its own size, centred, shrunk if the button is smaller.
        QSizeF size = image.deviceIndependentSize();
        if (size.width() > width() || size.height() > height())
            size.scale(QSizeF(this->size()), Qt::KeepAspectRatio);
        const QRectF target(QPointF((width() - size.width()) / 2, (height() - size.height()) / 2), size);
        painter.drawPixmap(target, image, QRectF(image.rect()));
    } else if (!titleText.isEmpty()) {
        painter.setFont(titleFont);
        painter.setPen(titleColor);
        painter.drawText(rect(), Qt::AlignCenter, titleText);
    }
    if (state == Highlighted)
        painter.fillRect(rect(), QColor(0, 0, 0, 70));
    if (state == Disabled && background.isNull() && image.isNull())
        painter.fillRect(rect(), QColor(0, 0, 0, 60));
    if (hasFocus())
        paintFocusRing(painter, rect());
}

bool isActivationKey(const QKeyEvent* event) {
    return event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier
               ? event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
                     event->key() == Qt::Key_Space
               : false;
}

void paintFocusRing(QPainter& painter, const QRect& area) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(90, 170, 255), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(area).adjusted(1, 1, -1, -1), 4, 4);
}

void Button::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return View::mousePressEvent(event);
    pressed = true;
    update();
}

void Button::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !pressed)
        return View::mouseReleaseEvent(event);
    pressed = false;
    update();
    if (rect().contains(event->position().toPoint()) && isEnabled())
        emit touchUpInside(this);
}

void Button::press() {
    if (isEnabled() && isVisible())
        emit touchUpInside(this);
}

void Button::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange)
        update();
    View::changeEvent(event);
}

// ---------------------------------------------------------------------------------------------

ActivityIndicator::ActivityIndicator(const QRect& frame, QWidget* parent) : View(frame, parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ActivityIndicator::startAnimating() {
    if (!timerId)
        timerId = startTimer(80);
    show();
}

void ActivityIndicator::stopAnimating() {
    if (timerId)
        killTimer(timerId);
    timerId = 0;
    hide();
}

void ActivityIndicator::timerEvent(QTimerEvent*) {
    phase = (phase + 1) % 12;
    update();
}

void ActivityIndicator::paintEvent(QPaintEvent* event) {
    View::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(width() / 2.0, height() / 2.0);
    const double radius = qMin(width(), height()) / 2.0;
    for (int i = 0; i < 12; ++i) {
        const int age = (phase - i + 12) % 12;
        QPen pen(QColor(255, 255, 255, 255 - age * 18));
        pen.setWidthF(qMax(1.5, radius / 5));
        pen.setCapStyle(Qt::RoundCap);
        painter.setPen(pen);
        const double angle = i * M_PI / 6;
        painter.drawLine(QPointF(qCos(angle) * radius * 0.5, qSin(angle) * radius * 0.5),
                         QPointF(qCos(angle) * radius * 0.9, qSin(angle) * radius * 0.9));
    }
}
