#pragma once

#include "tools/edition/CatalogueRows.h"

// The rules of the optional street network Walks.sqlite: a network the guide can read (nodes
// numbered from 1, each in the position index, edges between them of a real length), its credit,
// and venues within reach of it.
namespace Edition::Checking {

void checkWalks(Findings& findings, const Catalogue& catalogue);

} // namespace Edition::Checking
