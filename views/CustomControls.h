#pragma once

#include "ui/ScrollView.h"
#include "ui/Toolbar.h"
#include "ui/View.h"
#include "ui/Window.h"

#include <QImage>
#include <optional>

// The home screen's picture-with-caption button of a 76-point grid cell.
class CustomButton : public Button {
    Q_OBJECT
public:
    // The picture (by name) at (20, 10, 36 x 36), the caption below it.
    CustomButton(const QString& imageName, const QString& labelText, QWidget* parent = nullptr);
    static CustomButton* initWithImageAndText(const QString& imageName, const QString& labelText) {
        return new CustomButton(imageName, labelText);
    }

    ImageView* buttonImageView() const { return imageView; }
    Label* buttonLabel() const { return label; }

private:
    ImageView* imageView;
    Label* label;
};

class CustomBarButtonItem;

// Told which tool was touched.
class CustomBarButtonItemDelegate {
public:
    virtual ~CustomBarButtonItemDelegate() = default;
    virtual void barButtonItemTouched(CustomBarButtonItem* item) = 0;
};

// A tool-bar item: a 60 x 44 view with the tool's picture and its caption. The tool's name
// ("LiveMap.tool", "Search.page", ...) is kept in selector; a touch tells the delegate.
class CustomBarButtonItem : public BarButtonItem {
    Q_OBJECT
public:
    CustomBarButtonItem(const QString& imageName, const QString& text, int index, const QString& selector,
                        QObject* parent = nullptr);

    Button* button() const { return innerButton; }
    Label* label() const { return caption; }
    QString selector() const { return selectorName; }
    void setSelector(const QString& selector) { selectorName = selector; }

    // The delegate is not owned; guard is the object whose end makes the delegate invalid.
    void setDelegate(CustomBarButtonItemDelegate* delegate, QObject* guard);
    void buttonTouched();

private:
    Button* innerButton;
    Label* caption;
    QString selectorName;
    CustomBarButtonItemDelegate* delegateObject = nullptr;
    QPointer<QObject> delegateGuard;
};

// A notice strip that slides up and fades in over the bottom of a screen.
class QnAlertLabel : public View {
    Q_OBJECT
public:
    QnAlertLabel(const QRect& frame, const QString& text, QWidget* parent = nullptr);

    Label* label() const { return textLabel; }
    QRect startPosition() const { return start; }
    void setStartPosition(const QRect& position);
    QRect endPosition() const { return end; }
    void setEndPosition(const QRect& position) { end = position; }

    void showAlert();
    void hideAlert();

private:
    Label* textLabel;
    QRect start;
    QRect end;
};

// A scroll view whose taps (touches that did not scroll) reach its owner through tapped().
class QnUIScrollView : public ScrollView {
    Q_OBJECT
public:
    using ScrollView::ScrollView;
};

// Told of a shake.
class ShakeDelegate {
public:
    virtual ~ShakeDelegate() = default;
    virtual void popNavigationController() = 0;
};

// The application's main window: a shake of the device goes to its delegate.
class TKShakeWindow : public Window {
    Q_OBJECT
public:
    using Window::Window;
    void setDelegate(ShakeDelegate* delegate) { shakeDelegate = delegate; }
    ShakeDelegate* delegate() const { return shakeDelegate; }
    bool canBecomeFirstResponder() const { return true; }
    void motionBegan() override;

private:
    ShakeDelegate* shakeDelegate = nullptr; // the application delegate, which outlives the window
};

// Thumbnails for lists.
class ImageUtilites {
public:
    enum Orientation { Up = 0, Down = 1, Left = 2, Right = 3 };
    // The picture drawn into a new one of the target size (turned for Left and Right, which makes
    // the result height x width), or none for an empty picture or size.
    static std::optional<QImage> imageByScalingToSize(const QImage& source, const QSize& size,
                                                      Orientation orientation = Up);
};
