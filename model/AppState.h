#pragma once

#include <QString>
#include <QVariantList>

// Where the reader was in the guide: what each screen was opened with. Only its loading rule exists;
// no screen saves or restores it.
struct AppState {
    struct Position {
        double latitude = 0;
        double longitude = 0;
        bool operator==(const Position&) const = default;
    };

    QString categoryTitle;
    QString categoryImageName;
    QString venueTitle;
    QString venueType;
    QString detailTitle;
    QString detailVenueName;
    QString categoryIntroductionTitle;
    QString categoryIntroductionImageName;
    QString offlineMaps;
    QString mapViewMapName;
    QString searchPageTitle;
    QString videoPageVideoURL;
    int liveMapCalledFromChapterPage = 0;
    int liveMapCalledFromDetailedPage = 0;
    int liveMapCalledFromCategoryPage = 0;
    Position liveMapVenueLocation;
    QString liveMapVenueName;
    QString liveMapVenueCategory;
    QVariantList liveMapVenues;
    QString liveMapCategoryForVenues;
    QString webViewAddress;

    bool operator==(const AppState&) const = default;
};
