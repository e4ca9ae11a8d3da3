#pragma once

#include <QStringList>

// The reader's bookmarks: Bookmarks.plist, an XML property list with the one key "Venues" listing venue
// names in the order they were added, without duplicates. The documents copy is read when it exists,
// else the edition's default (which is never copied); every write replaces the documents copy at once.
namespace Bookmarks {

// The stored names. A file that cannot be read is logged and gives an empty list.
QStringList read();
// Replaces the documents copy with these names. False when it could not be written.
bool write(const QStringList& names);
// Appends the name unless it is there already. A documents copy that cannot be read is kept beside
// it as "Bookmarks.plist.unreadable" before the new list is written, so no earlier bookmark is lost.
bool add(const QString& name);
// Removes the one stored entry a listed venue came from, keeping every other name, for a list that
// could not be read in full (the names it does not show may still be good).
bool removeEntryFor(const QString& venueName);

QString documentsPath();

} // namespace Bookmarks
