#pragma once

#include "tools/edition/CatalogueRows.h"
#include "tools/edition/SettingsCheck.h"

#include <optional>
#include <utility>

// The rules of the catalogue's rows: each field, each position, and the rows together (chapters that
// OrderChapters names, category typos, names twice).
namespace Edition::Checking {

// CENTRE: the edition's default position (latitude, longitude), when chapter.plist has one.
void checkCatalogue(Findings& findings, const Catalogue& catalogue, const SettingsFacts& settings,
                    std::optional<std::pair<double, double>> centre);

} // namespace Edition::Checking
