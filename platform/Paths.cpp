#include "platform/Paths.h"

#include "platform/Log.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMutex>
#include <QStandardPaths>

namespace {

QMutex mutex;
QString documents;
QString resources;

} // namespace

namespace Paths {

QString documentsFolder() {
    QMutexLocker lock(&mutex);
    if (documents.isEmpty()) {
        documents = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/Documents";
        QDir().mkpath(documents);
    }
    return documents;
}

void setDocumentsFolder(const QString& folder) {
    QMutexLocker lock(&mutex);
    documents = folder;
    QDir().mkpath(documents);
}

QString resourceFolder() {
    QMutexLocker lock(&mutex);
    if (resources.isEmpty())
        resources = QCoreApplication::applicationDirPath();
    return resources;
}

void setResourceFolder(const QString& folder) {
    QMutexLocker lock(&mutex);
    resources = folder;
}

QString documentPath(const QString& name) {
    return documentsFolder() + '/' + name;
}

QString& cacheOverride() {
    static QString folder;
    return folder;
}

QString cacheFolder() {
    if (!cacheOverride().isEmpty())
        return cacheOverride();
    return QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
}

void setCacheFolder(const QString& folder) {
    cacheOverride() = folder;
}

bool isPlainName(const QString& name) {
    return !name.contains(u'/') && !name.contains(u'\\') && !name.contains(QStringLiteral(".."));
}

bool copyAsWorkingCopy(const QString& shipped, const QString& working) {
    QFile source(shipped);
    if (!source.copy(working)) {
        logLine(QStringLiteral("Cannot copy %1 to %2: %3").arg(shipped, working, source.errorString()));
        return false;
    }
    // The copy keeps the shipped file's mode; the working copy belongs to the reader.
    QFile::setPermissions(working, QFile::permissions(working) | QFile::WriteOwner | QFile::ReadOwner);
    return true;
}

QString resourcePath(const QString& name) {
    return resourceFolder() + '/' + name;
}

} // namespace Paths
