#include "platform/Paths.h"

#include <QCoreApplication>
#include <QDir>
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

QString resourcePath(const QString& name) {
    return resourceFolder() + '/' + name;
}

} // namespace Paths
