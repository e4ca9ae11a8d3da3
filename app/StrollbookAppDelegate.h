#pragma once

#include "views/CustomControls.h"

#include <QObject>
#include <QPointer>
#include <memory>

class ImageView;
class LocationManager;
class NavigationController;
class ViewController;

// Starts the guide: the location service, the one window and the one navigation stack with the home
// screen at its root, the catalogue, and the start-up picture that fades out over 4 seconds. A shake
// returns the stack to the home screen unless the reader switched that off.
class StrollbookAppDelegate : public QObject, public ShakeDelegate {
    Q_OBJECT
public:
    explicit StrollbookAppDelegate(QObject* parent = nullptr);
    ~StrollbookAppDelegate() override;

    // The delegate of the running guide (the last one made).
    static StrollbookAppDelegate* sharedDelegate();

    void applicationDidFinishLaunching();
    void showChapters();
    // Escape goes back, Ctrl+F searches.
    void addKeyboardShortcuts();
    void startupAnimationDone();
    void popNavigationController() override;
    // The device turned to landscape or back: the screen on top turns with it if it allows turning.
    void deviceTurned(bool landscape);
    // The screen the reader sees: the top of the stack, or what it presents.
    ViewController* visibleViewController() const;

    TKShakeWindow* window() const { return windowObject.get(); }
    NavigationController* navigationController() const { return navigation.get(); }
    // The text of the last search of the run.
    QString searchText() const;
    void setSearchText(const QString& text);
    ImageView* splashView() const { return splashViewObject; }
    ImageView* splash() const { return splashObject; }

    // The window is shown inside another widget (the preview) instead of as a window of its own.
    void setWindowHost(QWidget* host) { windowHost = host; }

signals:
    // The start-up picture has faded out.
    void startupFinished();

private:
    std::unique_ptr<NavigationController> navigation; // before the window: it goes first
    std::unique_ptr<TKShakeWindow> windowObject;
    LocationManager* locationManager = nullptr;
    QPointer<ImageView> splashObject;
    QPointer<ImageView> splashViewObject;
    QWidget* windowHost = nullptr;
};
