#pragma once

#include "platform/PositionSource.h"

#include <QMainWindow>
#include <QPointer>

class QActionGroup;

class StrollbookAppDelegate;

// The desktop window around the phone's screen. Its menus stand in for the phone's hardware and
// system: a shake, the device's position, and the reader's preferences of the system's settings.
class PreviewShell : public QMainWindow {
    Q_OBJECT
public:
    explicit PreviewShell(SimulatedPositionSource* position);
    void setDelegate(StrollbookAppDelegate* appDelegate) { delegate = appDelegate; }

    // The Location menu's choices, as the reader makes them (the dialogs ask first).
    void setCityCentre();
    void clearPosition();
    void replayLog(const QString& path);
    // The checked entry of the Location menu.
    QString locationMode() const;
    // Sets the device's clock to a wall-clock time of the edition's own time zone.
    static void setEditionClock(const QDateTime& local);

private:
    void buildMenus();
    void askPosition();
    void askClock();
    void replayLog();
    void standAt(const PositionFix& fix);
    // As when the phone has moved: the service is asked for a fix at once.
    void moved();
    void stopReplay();
    void showLocationMode();
    void setPreference(const QString& key, const QString& value);

    StrollbookAppDelegate* delegate = nullptr;
    SimulatedPositionSource* position;
    QPointer<QtPositionSource> replay;
    QActionGroup* modes = nullptr;
};
