#pragma once

#include "ui/ViewController.h"

#include <vector>

class Button;

// The 44-point bar at the top of the navigation stack. Pages put their own views on it (title labels,
// badges, buttons) and take them off again; the stack adds a back button on pages above the root.
class NavigationBar : public View {
    Q_OBJECT
public:
    static constexpr int height = 44;
    explicit NavigationBar(QWidget* parent = nullptr);
    enum Style { Default, Black };
    void setBarStyle(Style style);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Style style = Default;
};

// The stack of screens: push, pop, pop to the root, animated by sliding. It owns the screens on it.
class NavigationController : public ViewController {
    Q_OBJECT
public:
    explicit NavigationController(std::unique_ptr<ViewController> root, QObject* parent = nullptr);
    ~NavigationController() override;

    void pushViewController(std::unique_ptr<ViewController> controller, bool animated);
    void popViewControllerAnimated(bool animated);
    void popToRootViewControllerAnimated(bool animated);

    ViewController* topViewController() const;
    ViewController* rootViewController() const;
    int count() const { return int(stack.size()); }
    QList<ViewController*> viewControllers() const;

    NavigationBar* navigationBar() const { return bar; }
    void setNavigationBarHidden(bool hidden, bool animated);
    bool isNavigationBarHidden() const { return barHidden; }

    void loadView() override;

    // The screen the reader sees: the top of the stack, or what is presented over it.
    ViewController* visibleViewController() const;
    // Keeps the window as the screen the reader sees asks, whatever screen asked before: its status
    // bar, the navigation bar (hidden when it or the top of the stack asks), and the screen upright
    // unless it turns.
    // Every push, pop, presentation and dismissal ends here.
    void updateScreen(bool animated);

    // The area where the top screen's view is shown.
    QRect contentFrame() const;
    // True while a push or pop is sliding.
    bool isInTransition() const;

private:
    void show(ViewController* controller);
    void transition(ViewController* from, ViewController* to, bool forward, bool animated,
                    std::vector<std::unique_ptr<ViewController>> leaving);
    void updateBackButton();
    // After the newest transition: the top page shown in place and touchable, every other one hidden.
    void settle();

    std::vector<std::unique_ptr<ViewController>> stack;
    NavigationBar* bar = nullptr;
    View* content = nullptr;
    QPointer<Button> backButton;
    bool barHidden = false;
    int transitionGeneration = 0;
    int settledGeneration = 0;
};
