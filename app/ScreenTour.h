#pragma once

#include <QObject>
#include <QString>
#include <functional>

class StrollbookAppDelegate;

// Walks through the screens a reader can reach and writes one picture of each into a folder.
class ScreenTour : public QObject {
    Q_OBJECT
public:
    ScreenTour(StrollbookAppDelegate* delegate, const QString& folder);
    // Starts the walk; the application quits when it is done (exit code 0, or 1 when a picture
    // could not be written).
    void start();

private:
    bool shoot(const QString& name);
    StrollbookAppDelegate* delegate;
    QString folder;
    bool failed = false;
};
