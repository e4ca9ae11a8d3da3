#pragma once

#include <QMainWindow>
#include <QPointer>

class SimulatedPositionSource;
class QtPositionSource;
class StrollbookAppDelegate;

// The desktop window around the phone's screen. Its menus stand in for the phone's hardware and
// system: a shake, the device's position, and the reader's preferences of the system's settings.
class PreviewShell : public QMainWindow {
    Q_OBJECT
public:
    explicit PreviewShell(SimulatedPositionSource* position);
    void setDelegate(StrollbookAppDelegate* appDelegate) { delegate = appDelegate; }

private:
    void buildMenus();
    void setCityCentre();
    void askPosition();
    void replayLog();
    void setPreference(const QString& key, const QString& value);

    StrollbookAppDelegate* delegate = nullptr;
    SimulatedPositionSource* position;
    QPointer<QtPositionSource> replay;
};
