#pragma once

#include "ui/View.h"

#include <QKeySequence>

class Label;

// The phone's screen: 320 x 480 points with the 20-point status bar on top of everything. Views of the
// application lie under the status bar; overlays (loading layers, alerts) lie above every view but
// the status bar.
class Window : public View {
    Q_OBJECT
public:
    static constexpr int width = 320;
    static constexpr int height = 480;
    static constexpr int statusBarHeight = 20;

    explicit Window(QWidget* parent = nullptr);
    ~Window() override;

    // The window that takes the application's overlays (the last one made).
    static Window* keyWindow();
    void makeKeyAndVisible();

    void setStatusBarHidden(bool hidden, bool animated);
    bool isStatusBarHidden() const { return statusBarHidden; }
    // The area below the status bar.
    QRect applicationFrame() const;

    // Overlays sit above every view of the application and below the status bar.
    void addOverlay(QWidget* overlay);

    void addSubview(QWidget* view) override;

    // The spinning wheel in the status bar that tells the network is at work.
    void setNetworkActivityIndicatorVisible(bool visible);
    bool isNetworkActivityIndicatorVisible() const;

    // The screen turned: 480 x 320 in landscape, else 320 x 480 (the window and its host, if any).
    void setLandscape(bool landscape);
    bool isLandscape() const { return landscapeMode; }

    // A shake of the device.
    virtual void motionBegan() {}
    // The keys that stand for a shake off the phone; no view of the window claims them.
    static QKeySequence shakeShortcut();

protected:
    void childEvent(QChildEvent* event) override;

private:
    void keepOrder();
    View* statusBar = nullptr;
    class ActivityIndicator* networkActivity = nullptr;
    Label* clock = nullptr;
    QList<QPointer<QWidget>> overlays;
    bool statusBarHidden = false;
    bool landscapeMode = false;
};
