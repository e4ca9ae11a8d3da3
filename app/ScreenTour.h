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
    // could not be written). A scene whose screen the edition does not have is skipped and logged.
    void start();

    struct Pick; // one venue of the edition that the tour shows

private:
    using Step = std::function<bool()>; // false: the edition does not have this screen
    struct Scene {
        QString name;
        std::vector<Step> steps;
    };
    void walk();
    void next();
    bool shoot(const QString& name);
    bool openDetail(const Pick& venue);
    bool search(const QString& text);
    // The feed documents of the tour's settings as fetched that many seconds ago.
    void setFeedTimes(int secondsAgo);

    StrollbookAppDelegate* delegate;
    QString folder;
    std::vector<Scene> scenes;
    size_t currentScene = 0;
    size_t currentStep = 0;
    bool failed = false;
};
