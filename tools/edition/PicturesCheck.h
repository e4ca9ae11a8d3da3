#pragma once

#include "tools/edition/CheckFindings.h"

// The pictures: each that the guide always shows or a file names, at both sizes, as the guide decodes
// them; in a source folder, every drawing of art/ as the build draws it.
namespace Edition::Checking {

void checkPictures(Findings& findings);

} // namespace Edition::Checking
