#pragma once

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QPointer>
#include <QWidget>
#include <functional>

class QGraphicsOpacityEffect;
class QKeyEvent;
class QPainter;

// The phone's view: a frame in points in its parent, an alpha, a background colour (clear by default),
// a tag, and whether it takes touches. Removing a view from its parent destroys it (its owner holds a
// QPointer, which then reads null).
class View : public QWidget {
    Q_OBJECT
public:
    explicit View(QWidget* parent = nullptr);
    explicit View(const QRect& frame, QWidget* parent = nullptr);

    QRect frame() const { return geometry(); }
    void setFrame(const QRect& frame) { setGeometry(frame); }

    double alpha() const { return alphaValue; }
    void setAlpha(double alpha);

    QColor backgroundColor() const { return background; }
    void setBackgroundColor(const QColor& color);

    int tag() const { return tagValue; }
    void setTag(int tag) { tagValue = tag; }

    void setUserInteractionEnabled(bool enabled);

    // Adds the view on top of the others and shows it.
    virtual void addSubview(QWidget* view);

    // What Enter or Space does to the view when it has the keyboard's focus (a button presses, a row
    // selects); nothing for views the keyboard does not reach.
    virtual void press() {}
    void removeFromSuperview();
    void bringSubviewToFront(QWidget* view) { view->raise(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // The focus ring of a view the keyboard reaches is drawn anew as the focus comes and goes.
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    double alphaValue = 1.0;
    QColor background = Qt::transparent;
    int tagValue = 0;
    QGraphicsOpacityEffect* opacity = nullptr;
};

// A text: font, colour, alignment, lines (1: one line truncated at its tail; 0: as many as needed),
// centred vertically in its frame like the phone's labels, with an optional shadow.
class Label : public View {
    Q_OBJECT
public:
    explicit Label(const QRect& frame = {}, QWidget* parent = nullptr);

    QString text() const { return textValue; }
    void setText(const QString& text);
    QFont font() const { return fontValue; }
    void setFont(const QFont& font);
    QColor textColor() const { return color; }
    void setTextColor(const QColor& textColor);
    Qt::Alignment textAlignment() const { return alignment; }
    void setTextAlignment(Qt::Alignment textAlignment);
    int numberOfLines() const { return lines; }
    void setNumberOfLines(int numberOfLines);
    void setShadow(const QColor& shadowColor, const QPoint& offset);

    // The lines as drawn (after wrapping and truncation).
    QStringList displayedLines() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString textValue;
    QFont fontValue;
    QColor color = Qt::black;
    Qt::Alignment alignment = Qt::AlignLeft;
    int lines = 1;
    QColor shadowColor = Qt::transparent;
    QPoint shadowOffset;
};

// A picture, drawn by its content mode.
class ImageView : public View {
    Q_OBJECT
public:
    enum ContentMode { ScaleToFill, AspectFit, AspectFill, Center, TopLeft };

    explicit ImageView(const QPixmap& image = {}, QWidget* parent = nullptr); // frame = the picture's size
    ImageView(const QRect& frame, const QPixmap& image, QWidget* parent = nullptr);

    QPixmap image() const { return picture; }
    void setImage(const QPixmap& image);
    void setContentMode(ContentMode mode);
    QString imageName() const { return name; } // the name it was made from, for tests and logs
    void setImageName(const QString& imageName) { name = imageName; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap picture;
    ContentMode mode = ScaleToFill;
    QString name;
};

// The custom-type button: a background picture and a picture per state, a title, a tag, and
// touch-up-inside. A touch that leaves the button before it ends does nothing.
class Button : public View {
    Q_OBJECT
public:
    enum State { Normal, Highlighted, Disabled };

    explicit Button(const QRect& frame = {}, QWidget* parent = nullptr);

    void setBackgroundImage(const QPixmap& image, State state = Normal);
    void setImage(const QPixmap& image, State state = Normal);
    QString title() const { return titleText; }
    void setTitle(const QString& title);
    void setTitleColor(const QColor& titleColor);
    void setTitleFont(const QFont& font);
    // Pictures' names, for tests.
    QString backgroundImageName() const { return backgroundName; }
    void setBackgroundImageName(const QString& name) { backgroundName = name; }

    bool isHighlighted() const { return pressed && underMouse(); }

    // Presses the button as a completed touch does (the keyboard, assistive technology).
    void press() override;

signals:
    void touchUpInside(Button* button);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QPixmap backgrounds[3];
    QPixmap images[3];
    QString titleText;
    QColor titleColor = Qt::white;
    QFont titleFont;
    QString backgroundName;
    bool pressed = false;
};

// Enter, Return or Space without modifiers: the keys that press the focused control.
bool isActivationKey(const QKeyEvent* event);
// The ring around the control that has the keyboard's focus.
void paintFocusRing(QPainter& painter, const QRect& area);

// The white spinning wheel.
class ActivityIndicator : public View {
    Q_OBJECT
public:
    explicit ActivityIndicator(const QRect& frame = {}, QWidget* parent = nullptr);
    void startAnimating();
    void stopAnimating();
    bool isAnimating() const { return timerId != 0; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    int timerId = 0;
    int phase = 0;
};
