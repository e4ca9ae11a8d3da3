#pragma once

#include <QString>

// Where the guide finds its edition (the read-only resource folder) and where it keeps the reader's
// files (the documents folder). Both can be set by the program, the tools and the tests.
namespace Paths {

QString documentsFolder();
void setDocumentsFolder(const QString& folder);

QString resourceFolder();
void setResourceFolder(const QString& folder);

// name inside the documents folder / inside the resource folder
QString documentPath(const QString& name);
QString resourcePath(const QString& name);

} // namespace Paths
