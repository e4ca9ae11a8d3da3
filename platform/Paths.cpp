#include "platform/Paths.h"

#include "platform/Log.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

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

namespace {
bool diskFull = false;
} // namespace

void setDiskFullForTesting(bool full) {
    diskFull = full;
}

bool writeAtomically(const QString& path, const QByteArray& bytes, QString* error) {
    auto fail = [&](const QString& why) {
        logLine(QStringLiteral("Cannot write %1: %2").arg(path, why));
        if (error)
            *error = why;
        return false;
    };
    if (diskFull)
        return fail(QString::fromLocal8Bit(std::strerror(ENOSPC)));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return fail(file.errorString());
    }
    // The commit syncs the new file before it takes the old one's name.
    if (!file.commit())
        return fail(file.errorString());
    // The new name is only safe once the folder that holds it is on the disk too.
    const int folder =
        ::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(), O_RDONLY | O_DIRECTORY);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return true;
}

void removeStaleTemporaries(const QString& name) {
    QDir folder(documentsFolder());
    static const QRegularExpression temporary(QStringLiteral("^.+\\.[A-Za-z0-9]{6}$"));
    for (const QString& file :
         folder.entryList({name + QStringLiteral(".??????")}, QDir::Files | QDir::Hidden)) {
        if (temporary.match(file).hasMatch() && folder.remove(file))
            logLine(QStringLiteral("Removed %1, left by a save that was cut off").arg(file));
    }
}

} // namespace Paths
