#pragma once

#include "tools/edition/CheckFindings.h"

#include <QList>

#include <optional>

// The catalogue's rows as the check reads them: from the sources (each named by its file and line) or
// from the built Catalog.sqlite (each named by its venue id).
namespace Edition::Checking {

struct Catalogue {
    QList<Row> rows;
    bool complete = true; // every row was read
};

// The rows of catalog.csv and catalog/*.csv, in the order the build gives them their ids.
Catalogue readSourceRows(Findings& findings);

// Catalog.sqlite checked for damage, and its rows when ROWS is true; nothing when it cannot be read.
std::optional<Catalogue> readBuiltCatalogue(Findings& findings, bool rows);

} // namespace Edition::Checking
