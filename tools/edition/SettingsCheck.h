#pragma once

#include "tools/edition/CheckFindings.h"

#include <QMap>
#include <QString>
#include <QStringList>

// The rules of manager.csv: its form, the city's facts, the lists of chapters, maps, tools and
// currencies, the stored documents and the feeds.
namespace Edition::Checking {

// What the other checkers need to know of the settings.
struct SettingsFacts {
    QString settingsText;
    QStringList chapterLabels;       // every label of OrderChapters
    QMap<QString, QString> chapters; // chapter id -> label, for the chapters with venues
    QMap<QString, int> chapterLines; // chapter id -> its line in manager.csv
    bool hasMetro = false;
    bool settingsRead = false; // the chapters are known
    QString phoneRegion;       // the country of InfoCountryCode ("AT"), empty when not known
};

SettingsFacts checkSettings(Findings& findings);

} // namespace Edition::Checking
