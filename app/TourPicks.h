#pragma once

#include <QString>
#include <QStringList>

// What a picture tour shows of the edition it walks, chosen by kind.

// One venue of the edition: its id, name and the title of its chapter.
struct TourPick {
    int id = -1;
    QString name;
    QString chapter;
    explicit operator bool() const { return id >= 0; }
};

// The venues the tour shows, chosen by kind from whatever edition it walks.
struct TourPicks {
    QString firstChapter;   // the first chapter of the home screen that has venues
    TourPick picture;       // a venue with a picture (a featured one where there is one)
    TourPick event;         // a venue with dates
    TourPick hotel;         // a venue with rooms
    TourPick other;         // a second venue for the bookmarks
    QString searchText;     // the word that most venue names share
    QStringList placements; // chapters with a sponsored placement
    QStringList tools;      // the tool ids that some tool bar lists
    QString feedCurrency, feedWeather, feedTV;
    bool rates = false; // the edition ships stored rates
};

TourPicks pickFromEdition();

// Why a reader cannot reach the page of a tool, or empty: no tool bar lists it, or its feed is empty.
QString unreachable(const TourPicks& picks, const QString& tool, const char* feed, const QString& url);
