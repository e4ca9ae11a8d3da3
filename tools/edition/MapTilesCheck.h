#pragma once

#include "tools/edition/CatalogueRows.h"
#include "tools/edition/ChapterListCheck.h"

// The rules of the optional offline street tiles that chapter.plist names under "Map Tiles": a
// readable MBTiles table whose bounds hold every venue.
namespace Edition::Checking {

void checkMapTiles(Findings& findings, const ChapterList& list, const Catalogue& catalogue);

} // namespace Edition::Checking
