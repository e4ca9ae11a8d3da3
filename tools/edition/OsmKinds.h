#pragma once

#include "tools/edition/EditionWriting.h"
#include "tools/edition/OsmExtract.h"

#include <QString>

// What kind of venue an OpenStreetMap object is: the chapter (Sights, Museums, Cafés, Dining, Nightlife,
// Hotels, Shopping) and the category its tags give it.
namespace OsmImport {

struct ChapterKind {
    Edition::Writing::Chapter chapter;
    const char* file;
    const char* many; // "the cafés of Vaduz"
};

enum ChapterIndex { Sights, Museums, Cafes, Dining, Nightlife, Hotels, Shopping, NoChapter };
// The chapters in the order of ChapterIndex.
extern const ChapterKind chapterKinds[NoChapter];
// Which chapter keeps a venue that two records place in two chapters: the order classify() asks in.
extern const int precedence[NoChapter];

struct Classified {
    int chapter = NoChapter;
    QString one, many;
    bool known = true; // false: a kind the tables lack, named by its tag value
};

// The chapter and category of an object by its tags; the first chapter that fits takes it.
Classified classify(const Osm::Object& object);

// A tag value as words: "fast_food" is "Fast food".
QString words(const QString& value);

} // namespace OsmImport
