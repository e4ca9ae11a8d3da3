#include "model/Bookmarks.h"

#include "model/PropertyList.h"
#include "platform/Log.h"
#include "platform/Paths.h"

#include <QFile>

namespace {

const QString fileName = QStringLiteral("Bookmarks.plist");

struct ReadResult {
    QStringList names;
    bool unreadableDocumentsCopy = false;
};

ReadResult readNames() {
    ReadResult result;
    const QString documents = Bookmarks::documentsPath();
    const bool own = QFile::exists(documents);
    const QString path = own ? documents : Paths::resourcePath(fileName);
    QString error;
    const auto root = PropertyList::readFile(path, &error);
    if (!root || root->typeId() != QMetaType::QVariantMap) {
        if (!root || own)
            logLine(QStringLiteral("Error reading plist: %1, format: %2")
                        .arg(root ? QStringLiteral("not a dictionary") : error)
                        .arg(100));
        result.unreadableDocumentsCopy = own;
        return result;
    }
    for (const QVariant& name : root->toMap().value(QStringLiteral("Venues")).toList())
        result.names.append(name.toString());
    return result;
}

} // namespace

namespace Bookmarks {

QString documentsPath() {
    return Paths::documentPath(fileName);
}

QStringList read() {
    return readNames().names;
}

bool write(const QStringList& names) {
    QString error;
    const bool ok = PropertyList::writeFileAtomically(
        documentsPath(), QVariantMap{{QStringLiteral("Venues"), QVariant(names)}}, &error);
    if (!ok)
        logLine(QStringLiteral("Cannot write %1: %2").arg(documentsPath(), error));
    return ok;
}

bool add(const QString& name) {
    ReadResult stored = readNames();
    if (stored.names.contains(name))
        return true;
    if (stored.unreadableDocumentsCopy) {
        const QString kept = documentsPath() + QStringLiteral(".unreadable");
        QFile::remove(kept);
        if (QFile::rename(documentsPath(), kept))
            logLine(QStringLiteral("Bookmarks.plist could not be read; it is kept as %1").arg(kept));
    }
    stored.names.append(name);
    return write(stored.names);
}

} // namespace Bookmarks
