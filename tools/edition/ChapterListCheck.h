#pragma once

#include "tools/edition/CatalogueRows.h"
#include "tools/edition/SettingsCheck.h"

#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <optional>
#include <utility>

// The rules of chapter.plist: the chapters' backgrounds, colours and placements, and the default
// position the venues are measured from.
namespace Edition::Checking {

struct ChapterList {
    QString chapterListText;
    std::optional<QVariantMap> root;                 // nothing when the file cannot be read
    std::optional<std::pair<double, double>> centre; // the default position: latitude, longitude

    // "chapter.plist:LINE" of the first <key>KEY</key>.
    QString chapterListPlace(const QString& key) const;
    // The line of the innermost of nested keys that the file has, each looked for after the one before
    // ("Colors", then "Sights" in it, then "r"): the line of "Sights" in "Colors", not in "Backgrounds".
    QString chapterListPlace(const QStringList& keys) const;
};

ChapterList readChapterList(Findings& findings);

void checkChapterList(Findings& findings, const ChapterList& list, const SettingsFacts& settings,
                      const Catalogue& catalogue);

// A property list of the edition whose top level is a dictionary; what keeps it from being one is
// reported (for XML that is not well-formed, with the line where it breaks).
std::optional<QVariantMap> readDictionary(Findings& findings, const QString& name);

} // namespace Edition::Checking
