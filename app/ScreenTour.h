#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class DetailedPage;
class NavigationController;
class StrollbookAppDelegate;
class ViewController;
struct TourPick;
struct TourPicks;

// Walks through the screens a reader can reach and writes one picture of each into a folder.
class ScreenTour : public QObject {
    Q_OBJECT
public:
    ScreenTour(StrollbookAppDelegate* delegate, const QString& folder);
    // Starts the walk; the application quits when it is done (exit code 0, or 1 when a picture
    // could not be written). A scene whose screen the edition does not have is skipped and logged.
    void start();

private:
    using Step = std::function<bool()>; // false: the edition does not have this screen
    struct Scene {
        QString name;
        std::vector<Step> steps;
    };
    void walk();
    void next();
    bool shoot(const QString& name);
    // Ends the scene here, for this reason (said in the log and in tour.json); always false.
    bool skip(const QString& reason);
    // Puts away an alert left on screen, so that none of one scene stays over the next one's pictures;
    // false when there is none (or one keeps coming back).
    bool putAwayAlert();
    // DIR/tour.json: each picture with the page it shows and the alerts over it, each scene skipped
    // with its reason.
    bool writeReport() const;
    bool openDetail(const TourPick& venue);
    NavigationController* navigation() const;
    bool openChapter(const QString& label);
    DetailedPage* detailPage() const;
    // A tool page opened again a day after its documents were fetched, with no network: its alert.
    bool reopenOffline(std::unique_ptr<ViewController> page);
    Step offlineAlertPicture(const QString& picture);

    // The scenes, in the order they are walked; each asks its pages through their own interface.
    Scene homeScene();
    Scene categoriesScene();
    Scene venuesScene();
    Scene pictureScene();
    Scene eventScene();
    Scene hotelScene();
    Scene bookmarksScene();
    Scene searchScene();
    Scene liveMapScene();
    Scene offlineMapsScene();
    Scene converterScene();
    Scene weatherScene();
    Scene imprintScene();
    Scene placementsScene();
    Scene webPageScene();
    Scene videosScene();
    bool search(const QString& text);
    // The feed documents of the tour's settings as fetched that many seconds ago.
    void setFeedTimes(int secondsAgo);

    StrollbookAppDelegate* delegate;
    std::shared_ptr<const TourPicks> picks;
    QString folder;
    std::vector<Scene> scenes;
    size_t currentScene = 0;
    size_t currentStep = 0;
    bool failed = false;
    QString skipReason;
    struct Picture {
        QString file, scene, page, title;
        QStringList alerts;
    };
    struct Skipped {
        QString scene, reason;
        QStringList pictured; // the pictures the scene had taken before it ended
    };
    std::vector<Picture> pictures;
    std::vector<Skipped> skipped;
    size_t sceneStart = 0; // the first picture of the current scene
    int alertsPutAway = 0; // before the current scene
};
