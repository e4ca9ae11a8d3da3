#pragma once

#include <QString>

// Where the guide finds its edition (the read-only resource folder) and where it keeps the reader's
// files (the documents folder). Both can be set by the program, the tools and the tests.
namespace Paths {

QString documentsFolder();
void setDocumentsFolder(const QString& folder);

QString resourceFolder();
void setResourceFolder(const QString& folder);

// Where the guide keeps what it may lose and fetch again (map tiles).
QString cacheFolder();
void setCacheFolder(const QString& folder);

// name inside the documents folder / inside the resource folder
QString documentPath(const QString& name);
QString resourcePath(const QString& name);

// True for a file name of the edition's own folder: no "/", "\" or "..", so that a name taken from
// the content cannot reach outside the edition.
bool isPlainName(const QString& name);

// Copies a file of the edition into the documents folder as the reader's own, writable even when the
// edition was installed read-only. A copy that fails is logged with its cause.
bool copyAsWorkingCopy(const QString& shipped, const QString& working);

// Replaces the file at `path` with `bytes` so that a crash or a power cut at any moment leaves either
// the old file or the new one: the bytes go to a temporary file beside it, which is synced and renamed
// over it, and then the folder is synced. False with *error when anything fails; the old file is then
// as it was.
bool writeAtomically(const QString& path, const QByteArray& bytes, QString* error = nullptr);

// For tests: every atomic write fails as on a full disk.
void setDiskFullForTesting(bool full);

// Removes what interrupted writes of that file left beside it in the documents folder ("NAME.XXXXXX").
void removeStaleTemporaries(const QString& name);

} // namespace Paths
