#pragma once

#include <QString>

// The text of the last search of the run: kept for the whole run by the application, repeated by
// the search page whenever it comes on screen. Safe to use from any thread.
namespace SearchText {
QString get();
void set(const QString& text);
} // namespace SearchText
