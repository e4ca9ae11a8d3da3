#include "ui/NumberPad.h"

#include "ui/Animation.h"
#include "ui/Images.h"
#include "ui/TextField.h"
#include "ui/Window.h"

#include <QApplication>
#include <QPainter>

namespace {

QPointer<NumberPad>& sharedPad() {
    static QPointer<NumberPad> pad;
    return pad;
}

// The grey keys of the pad, with their number.
class DigitKey : public Button {
public:
    using Button::Button;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QRectF key = QRectF(rect()).adjusted(1, 1, -1, -1);
        QLinearGradient gradient(0, 0, 0, height());
        gradient.setColorAt(0, isHighlighted() ? QColor(150, 160, 175) : QColor(252, 252, 253));
        gradient.setColorAt(1, isHighlighted() ? QColor(120, 130, 150) : QColor(215, 218, 224));
        painter.setPen(QColor(120, 124, 132));
        painter.setBrush(gradient);
        painter.drawRect(key);
        painter.setPen(QColor(20, 20, 20));
        painter.setFont(Fonts::boldSystem(24));
        painter.drawText(rect(), Qt::AlignCenter, title());
    }
};

} // namespace

NumberPad* NumberPad::shared() {
    QPointer<NumberPad>& pad = sharedPad();
    // The pad's parent is the phone's screen, which may lie inside another window (the preview's).
    if (!pad || pad->parentWidget() != Window::keyWindow())
        pad = new NumberPad(Window::keyWindow());
    return pad;
}

NumberPad::NumberPad(QWidget* parent) : View(QRect(0, Window::height, Window::width, height), parent) {
    // 1 2 3 / 4 5 6 / 7 8 9 / - 0 -, keys of 106 or 107 by 53 points with a line between rows.
    const int widths[] = {106, 108, 106};
    const int lefts[] = {0, 106, 214};
    const QString labels[] = {u"1"_qs, u"2"_qs, u"3"_qs, u"4"_qs, u"5"_qs, u"6"_qs,
                              u"7"_qs, u"8"_qs, u"9"_qs, u""_qs,  u"0"_qs, u""_qs};
    for (int i = 0; i < 12; ++i) {
        const int row = i / 3, column = i % 3;
        auto* key = new DigitKey(QRect(lefts[column], 1 + row * 54, widths[column], 53), this);
        key->setTitle(labels[i]);
        if (labels[i].isEmpty()) {
            key->setEnabled(false);
            continue;
        }
        connect(key, &Button::touchUpInside, this, [this, text = labels[i]] {
            if (field)
                field->type(text);
        });
        digits.append(key);
    }
    done = pictureKey(QRect(0, 163, 106, 53), u"DoneUp3.png"_qs, u"DoneDown3.png"_qs);
    dot = pictureKey(QRect(215, 163, 51, 53), u"DotUp3.png"_qs, u"DotDown3.png"_qs);
    back = pictureKey(QRect(266, 163, 54, 53), u"BackUp.png"_qs, u"BackDown.png"_qs);
    connect(done, &Button::touchUpInside, this, &NumberPad::doneTouched);
    connect(dot, &Button::touchUpInside, this, &NumberPad::dotTouched);
    connect(back, &Button::touchUpInside, this, &NumberPad::backTouched);
    hide();
}

Button* NumberPad::pictureKey(const QRect& frame, const QString& up, const QString& down) {
    auto* key = new Button(frame, this);
    key->setBackgroundImage(Images::named(up));
    key->setBackgroundImage(Images::named(down), Button::Highlighted);
    key->setBackgroundImageName(up);
    key->hide();
    return key;
}

Button* NumberPad::digitKey(int digit) const {
    for (Button* key : digits)
        if (key->title() == QString::number(digit))
            return key;
    return nullptr;
}

void NumberPad::showFor(TextField* edited) {
    field = edited;
    // A field that goes (its row laid out afresh, its page closed) takes the pad with it.
    connect(edited, &QObject::destroyed, this, &NumberPad::dismiss, Qt::UniqueConnection);
    if (shown)
        return;
    shown = true;
    qApp->installEventFilter(this);
    if (auto* window = qobject_cast<Window*>(parentWidget()))
        window->addOverlay(this);
    show();
    raise();
    Animation::animate(this, 300, QRect(0, Window::height - height, Window::width, height), std::nullopt,
                       [this] {
                           // The picture keys are laid over the pad once it is up.
                           if (!shown)
                               return;
                           for (Button* key : {done, dot, back}) {
                               key->show();
                               key->raise();
                           }
                       });
}

void NumberPad::dismiss() {
    if (!shown)
        return;
    shown = false;
    field = nullptr;
    qApp->removeEventFilter(this);
    for (Button* key : {done, dot, back})
        key->hide();
    Animation::animate(this, 300, QRect(0, Window::height, Window::width, height), std::nullopt, [this] {
        if (!shown)
            hide();
    });
}

bool NumberPad::eventFilter(QObject* watched, QEvent* event) {
    // At the end of a touch, so that a row touched meanwhile is selected as usual.
    if (event->type() != QEvent::MouseButtonRelease || !watched->isWidgetType())
        return false;
    auto* touched = static_cast<QWidget*>(watched);
    QWidget* screen = parentWidget();
    // Touches of the phone's screen only: the preview's menus are not the phone's.
    if (!screen || !screen->isAncestorOf(touched) || isAncestorOf(touched) || touched == this)
        return false;
    // (A shown pad always has its field: a field that goes dismisses it.)
    if (field && touched != field && !field->isAncestorOf(touched))
        field->resignFirstResponder();
    return false;
}

void NumberPad::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(84, 89, 100));
}
