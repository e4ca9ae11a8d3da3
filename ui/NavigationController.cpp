#include "ui/NavigationController.h"

#include "ui/Animation.h"
#include "ui/Images.h"
#include "ui/Window.h"

#include <QPainter>
#include <QPainterPath>

NavigationBar::NavigationBar(QWidget* parent) : View(QRect(0, 0, Window::width, height), parent) {}

void NavigationBar::setBarStyle(Style barStyle) {
    style = barStyle;
    update();
}

void NavigationBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QLinearGradient gradient(0, 0, 0, height);
    if (style == Black) {
        gradient.setColorAt(0, QColor(70, 70, 70));
        gradient.setColorAt(1, QColor(10, 10, 10));
    } else {
        gradient.setColorAt(0, QColor(176, 188, 205));
        gradient.setColorAt(1, QColor(109, 132, 162));
    }
    painter.fillRect(rect(), gradient);
}

namespace {

// The bar's back button: a pointed grey-black button with "Back".
class BackButton : public Button {
public:
    using Button::Button;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        QPainterPath path;
        const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
        path.moveTo(r.left(), r.center().y());
        path.lineTo(r.left() + 10, r.top());
        path.lineTo(r.right() - 5, r.top());
        path.quadTo(r.right(), r.top(), r.right(), r.top() + 5);
        path.lineTo(r.right(), r.bottom() - 5);
        path.quadTo(r.right(), r.bottom(), r.right() - 5, r.bottom());
        path.lineTo(r.left() + 10, r.bottom());
        path.closeSubpath();
        QLinearGradient gradient(0, 0, 0, height());
        gradient.setColorAt(0, isHighlighted() ? QColor(20, 20, 20) : QColor(80, 80, 80));
        gradient.setColorAt(1, QColor(15, 15, 15));
        painter.fillPath(path, gradient);
        painter.setPen(QColor(0, 0, 0, 200));
        painter.drawPath(path);
        painter.setFont(Fonts::boldSystem(12));
        painter.setPen(Qt::white);
        painter.drawText(rect().adjusted(8, 0, 0, 0), Qt::AlignCenter, title());
    }
};

} // namespace

NavigationController::NavigationController(std::unique_ptr<ViewController> root, QObject* parent)
    : ViewController(parent) {
    root->setNavigationController(this);
    stack.push_back(std::move(root));
}

NavigationController::~NavigationController() {
    // The screens go before the container that shows their views.
    while (!stack.empty())
        stack.pop_back();
}

void NavigationController::loadView() {
    auto* container = new View(QRect(0, 0, Window::width, Window::height - Window::statusBarHeight));
    container->setBackgroundColor(Qt::transparent);
    content = new View(contentFrame(), container);
    bar = new NavigationBar(container);
    setView(container);
    show(stack.front().get());
    stack.front()->viewWillAppear(false);
    stack.front()->viewDidAppear(false);
}

QRect NavigationController::contentFrame() const {
    const int top = barHidden ? 0 : NavigationBar::height;
    return QRect(0, top, Window::width, Window::height - Window::statusBarHeight - top);
}

void NavigationController::show(ViewController* controller) {
    View* page = controller->view();
    page->setParent(content);
    page->move(0, 0);
    page->show();
    page->raise();
}

ViewController* NavigationController::topViewController() const {
    return stack.back().get();
}
ViewController* NavigationController::rootViewController() const {
    return stack.front().get();
}

QList<ViewController*> NavigationController::viewControllers() const {
    QList<ViewController*> list;
    for (const auto& controller : stack)
        list.append(controller.get());
    return list;
}

void NavigationController::pushViewController(std::unique_ptr<ViewController> controller, bool animated) {
    view();
    ViewController* from = topViewController();
    controller->setNavigationController(this);
    ViewController* to = controller.get();
    stack.push_back(std::move(controller));
    transition(from, to, true, animated, {});
}

void NavigationController::popViewControllerAnimated(bool animated) {
    if (stack.size() < 2)
        return;
    std::vector<std::unique_ptr<ViewController>> leaving;
    leaving.push_back(std::move(stack.back()));
    stack.pop_back();
    ViewController* from = leaving.front().get();
    transition(from, topViewController(), false, animated, std::move(leaving));
}

void NavigationController::popToRootViewControllerAnimated(bool animated) {
    if (stack.size() < 2)
        return;
    std::vector<std::unique_ptr<ViewController>> leaving;
    while (stack.size() > 1) {
        leaving.push_back(std::move(stack.back()));
        stack.pop_back();
    }
    ViewController* from = leaving.front().get();
    // Screens between the top and the root leave without being seen.
    for (size_t i = 1; i < leaving.size(); ++i)
        leaving[i]->view()->hide();
    transition(from, topViewController(), false, animated, std::move(leaving));
}

void NavigationController::transition(ViewController* from, ViewController* to, bool forward, bool animated,
                                      std::vector<std::unique_ptr<ViewController>> leaving) {
    View* fromView = from->view();
    View* toView = to->view();
    const int width = Window::width;
    // A page that a newer transition brings back while it is still sliding starts from where it is.
    const bool toIsSliding = toView->parentWidget() == content && toView->isVisibleTo(content);
    const QPoint toStart = toIsSliding ? toView->pos() : QPoint(forward ? width : -width, 0);

    from->viewWillDisappear(animated);
    show(to);
    to->viewWillAppear(animated);
    updateBackButton();
    updateScreen(animated);

    // As on the phone, the pages taking part ignore touches until they have come to rest.
    fromView->setAttribute(Qt::WA_TransparentForMouseEvents, true);
    toView->setAttribute(Qt::WA_TransparentForMouseEvents, true);
    toView->move(toStart);
    const QPoint fromStart = fromView->pos();
    const QPoint fromEnd(forward ? -width : width, 0);

    // Only the newest transition moves the views and settles the stack; an older one that ends
    // later only finishes its pages' calls.
    const int generation = ++transitionGeneration;
    // The screens that leave are released once their view has slid away.
    auto released = std::make_shared<std::vector<std::unique_ptr<ViewController>>>(std::move(leaving));
    QPointer<ViewController> fromGuard(from), toGuard(to);
    QPointer<View> fromViewGuard(fromView), toViewGuard(toView);
    auto step = [this, generation, fromViewGuard, toViewGuard, fromStart, fromEnd, toStart](double t) {
        if (generation != transitionGeneration)
            return;
        auto mix = [t](const QPoint& a, const QPoint& b) {
            return QPoint(a.x() + qRound((b.x() - a.x()) * t), a.y() + qRound((b.y() - a.y()) * t));
        };
        if (fromViewGuard)
            fromViewGuard->move(mix(fromStart, fromEnd));
        if (toViewGuard)
            toViewGuard->move(mix(toStart, QPoint(0, 0)));
    };
    auto done = [this, generation, fromGuard, toGuard, animated, released] {
        if (generation == transitionGeneration)
            settle();
        if (fromGuard)
            fromGuard->viewDidDisappear(animated);
        if (toGuard)
            toGuard->viewDidAppear(animated);
        for (auto& controller : *released)
            controller.release()->deleteLater();
        released->clear();
    };
    Animation::animateSteps(this, animated ? 300 : 0, step, done);
}

ViewController* NavigationController::visibleViewController() const {
    ViewController* shown = modalViewController() ? modalViewController() : topViewController();
    while (shown && shown->modalViewController())
        shown = shown->modalViewController();
    return shown;
}

void NavigationController::updateScreen(bool animated) {
    ViewController* shown = visibleViewController();
    if (!shown)
        return;
    if (Window* window = Window::keyWindow()) {
        if (window->isLandscape() && !shown->shouldAutorotate())
            window->setLandscape(false);
        if (window->isStatusBarHidden() != shown->prefersStatusBarHidden())
            window->setStatusBarHidden(shown->prefersStatusBarHidden(), animated);
    }
    // Hidden while the screen the reader sees or the top of the stack asks for it so (a screen
    // presented over the stack covers the bar; the page below it keeps its own wish).
    const bool hidden =
        shown->prefersNavigationBarHidden() || topViewController()->prefersNavigationBarHidden();
    if (hidden != barHidden)
        setNavigationBarHidden(hidden, animated);
}

bool NavigationController::isInTransition() const {
    return settledGeneration != transitionGeneration;
}

void NavigationController::settle() {
    settledGeneration = transitionGeneration;
    for (const auto& controller : stack) {
        if (!controller->isViewLoaded())
            continue;
        View* page = controller->view();
        page->setAttribute(Qt::WA_TransparentForMouseEvents, false);
        if (controller.get() == stack.back().get()) {
            page->move(0, 0);
            page->show();
            page->raise();
        } else {
            page->hide();
        }
    }
}

void NavigationController::updateBackButton() {
    if (backButton)
        backButton->removeFromSuperview();
    if (stack.size() < 2)
        return;
    auto* button = new BackButton(QRect(5, 7, 60, 30));
    button->setTitle(QStringLiteral("Back"));
    connect(button, &Button::touchUpInside, this, [this] { popViewControllerAnimated(true); });
    bar->addSubview(button);
    backButton = button;
}

void NavigationController::setNavigationBarHidden(bool hidden, bool animated) {
    barHidden = hidden;
    view();
    const QRect shown(0, 0, Window::width, NavigationBar::height);
    const QRect gone(0, -NavigationBar::height, Window::width, NavigationBar::height);
    if (!hidden)
        bar->show();
    Animation::animate(bar, animated ? 300 : 0, hidden ? gone : shown, std::nullopt,
                       [this, hidden] { bar->setVisible(!hidden); });
    Animation::animate(content, animated ? 300 : 0, contentFrame(), std::nullopt);
}
