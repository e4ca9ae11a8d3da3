#pragma once

#include "ui/View.h"

#include <QObject>
#include <QPointer>
#include <memory>

class NavigationController;

// A screen: its view is made on first use (loadView, then viewDidLoad); it is told when it comes on
// screen and when it leaves; it can present another screen modally over everything.
class ViewController : public QObject {
    Q_OBJECT
public:
    enum ModalTransitionStyle { CoverVertical, FlipHorizontal, CrossDissolve };

    explicit ViewController(QObject* parent = nullptr);
    ~ViewController() override;

    View* view();
    bool isViewLoaded() const { return viewObject != nullptr; }

    virtual void loadView();
    virtual void viewDidLoad() {}
    virtual void viewWillAppear(bool animated) { Q_UNUSED(animated); }
    virtual void viewDidAppear(bool animated) { Q_UNUSED(animated); }
    virtual void viewWillDisappear(bool animated) { Q_UNUSED(animated); }
    virtual void viewDidDisappear(bool animated) { Q_UNUSED(animated); }

    QString title() const { return titleText; }
    void setTitle(const QString& title) { titleText = title; }

    NavigationController* navigationController() const;
    void setNavigationController(NavigationController* controller);

    void setModalTransitionStyle(ModalTransitionStyle style) { transition = style; }
    ModalTransitionStyle modalTransitionStyle() const { return transition; }
    // Presents the screen over the whole application frame of the key window; it is owned here.
    void presentModalViewController(std::unique_ptr<ViewController> controller, bool animated);
    void dismissModalViewControllerAnimated(bool animated);
    ViewController* modalViewController() const { return modal.get(); }

    // What the screen asks of the window while the reader sees it: the stack it is on shows or hides
    // the status bar and the navigation bar as the screen on top asks, whatever came before it.
    virtual bool prefersStatusBarHidden() const { return false; }
    virtual bool prefersNavigationBarHidden() const { return false; }

    // Turning with the device: a page that allows it is told before its screen turns to 480 x 320
    // (landscape) or back to 320 x 480.
    virtual bool shouldAutorotate() const { return false; }
    virtual void willRotate(bool landscape) { Q_UNUSED(landscape); }
    ViewController* parentViewController() const { return presenter; }
    // The stack this screen is on, or the one of the screen that presented it.
    NavigationController* hostNavigation();

protected:
    void setView(View* view);
    // The screen this one presented has gone.
    virtual void didDismissModalViewController() {}

private:
    QPointer<View> viewObject;
    QString titleText;
    QPointer<QObject> navigation; // a NavigationController
    std::unique_ptr<ViewController> modal;
    ViewController* presenter = nullptr;
    ModalTransitionStyle transition = CoverVertical;
};
