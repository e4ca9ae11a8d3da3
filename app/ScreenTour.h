#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <vector>

class StrollbookAppDelegate;

// Walks through the screens a reader can reach and writes one picture of each into a folder.
class ScreenTour : public QObject {
    Q_OBJECT
public:
    ScreenTour(StrollbookAppDelegate* delegate, const QString& folder);
    // Starts the walk; the application quits when it is done (exit code 0, or 1 when a picture
    // could not be written or a screen could not be reached).
    void start();

private:
    using Step = std::function<bool()>; // false: the screen could not be reached
    void walk();
    void next();
    bool shoot(const QString& name);
    bool openDetail(const QString& title, int venueID);
    bool search(const QString& text);

    StrollbookAppDelegate* delegate;
    QString folder;
    std::vector<Step> steps;
    size_t current = 0;
    bool failed = false;
};
