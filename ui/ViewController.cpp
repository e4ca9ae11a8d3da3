#include "ui/ViewController.h"

#include "ui/Animation.h"
#include "ui/NavigationController.h"
#include "ui/Window.h"

ViewController::ViewController(QObject* parent) : QObject(parent) {}

ViewController::~ViewController() {
    modal.reset();
    // The view belongs to this screen even while a container shows it.
    delete viewObject.data();
}

View* ViewController::view() {
    if (!viewObject) {
        loadView();
        if (!viewObject)
            setView(new View(QRect(0, 0, Window::width, Window::height - Window::statusBarHeight)));
        viewDidLoad();
    }
    return viewObject;
}

void ViewController::loadView() {
    setView(new View(QRect(0, 0, Window::width, Window::height - Window::statusBarHeight)));
}

void ViewController::setView(View* view) {
    viewObject = view;
}

NavigationController* ViewController::navigationController() const {
    return static_cast<NavigationController*>(navigation.data());
}

void ViewController::setNavigationController(NavigationController* controller) {
    navigation = controller;
}

NavigationController* ViewController::hostNavigation() {
    for (ViewController* screen = this; screen; screen = screen->presenter) {
        if (auto* stack = qobject_cast<NavigationController*>(screen))
            return stack;
        if (NavigationController* stack = screen->navigationController())
            return stack;
    }
    return nullptr;
}

void ViewController::presentModalViewController(std::unique_ptr<ViewController> controller, bool animated) {
    Window* window = Window::keyWindow();
    if (!window || modal)
        return;
    modal = std::move(controller);
    modal->presenter = this;
    View* shown = modal->view();
    window->addSubview(shown);
    modal->viewWillAppear(animated);
    if (NavigationController* stack = hostNavigation())
        stack->updateScreen(animated);
    // After the bars: a screen that hides the status bar is given the whole window.
    const QRect frame = window->applicationFrame();
    const int duration = animated ? (modal->transition == FlipHorizontal ? 750 : 300) : 0;
    QPointer<ViewController> guard(modal.get());
    auto appeared = [guard, animated] {
        if (guard)
            guard->viewDidAppear(animated);
    };
    switch (modal->transition) {
    case CrossDissolve:
        shown->setGeometry(frame);
        shown->setAlpha(0);
        Animation::animate(shown, duration, std::nullopt, 1.0, appeared);
        break;
    case FlipHorizontal:
        // The page turns about its vertical axis: it grows out of a line in the middle.
        shown->setGeometry(frame.center().x(), frame.y(), 1, frame.height());
        Animation::animate(shown, duration, frame, std::nullopt, appeared);
        break;
    case CoverVertical:
        shown->setGeometry(frame.translated(0, frame.height()));
        Animation::animate(shown, duration, frame, std::nullopt, appeared);
        break;
    }
}

void ViewController::dismissModalViewControllerAnimated(bool animated) {
    // Asked of the presented screen itself, it is its presenter that dismisses.
    if (!modal && presenter) {
        presenter->dismissModalViewControllerAnimated(animated);
        return;
    }
    if (!modal)
        return;
    modal->viewWillDisappear(animated);
    View* shown = modal->view();
    const QRect frame = shown->geometry();
    const int duration = animated ? (modal->transition == FlipHorizontal ? 750 : 300) : 0;
    std::optional<QRect> end;
    std::optional<double> alpha;
    if (modal->transition == CrossDissolve)
        alpha = 0.0;
    else if (modal->transition == FlipHorizontal)
        end = QRect(frame.center().x(), frame.y(), 1, frame.height());
    else
        end = frame.translated(0, frame.height());
    // The screen lives until its view has left, then goes at the next turn of the event loop.
    ViewController* leaving = modal.release();
    if (NavigationController* stack = hostNavigation())
        stack->updateScreen(animated);
    didDismissModalViewController();
    Animation::animate(shown, duration, end, alpha, [leaving, animated] {
        leaving->viewDidDisappear(animated);
        leaving->deleteLater();
    });
}
