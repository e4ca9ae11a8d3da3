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
    const QVariant venues = root ? root->toMap().value(QStringLiteral("Venues")) : QVariant();
    if (!root || root->typeId() != QMetaType::QVariantMap ||
        (venues.isValid() && venues.typeId() != QMetaType::QVariantList)) {
        if (!root || own)
            logLine(QStringLiteral("Error reading plist: %1, format: %2")
                        .arg(!root ? error
                             : root->typeId() != QMetaType::QVariantMap
                                 ? QStringLiteral("not a dictionary")
                                 : QStringLiteral("\"Venues\" is not a list"))
                        .arg(100));
        result.unreadableDocumentsCopy = own;
        return result;
    }
    // Anything but a name (a number, a date, a nested list) names no venue.
    for (const QVariant& name : venues.toList()) {
        if (name.typeId() == QMetaType::QString)
            result.names.append(name.toString());
    }
    return result;
}

void keepUnreadableCopy() {
    const QString kept = Bookmarks::documentsPath() + QStringLiteral(".unreadable");
    QFile::remove(kept);
    if (QFile::rename(Bookmarks::documentsPath(), kept))
        logLine(QStringLiteral("Bookmarks.plist could not be read; it is kept as %1").arg(kept));
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
    // A failed write is logged where it fails.
    return PropertyList::writeFileAtomically(documentsPath(),
                                             QVariantMap{{QStringLiteral("Venues"), QVariant(names)}});
}

bool add(const QString& name) {
    ReadResult stored = readNames();
    if (stored.names.contains(name))
        return true;
    if (stored.unreadableDocumentsCopy)
        keepUnreadableCopy();
    stored.names.append(name);
    return write(stored.names);
}

bool removeEntryFor(const QString& venueName) {
    ReadResult stored = readNames();
    if (stored.unreadableDocumentsCopy)
        keepUnreadableCopy();
    // The venue stands for its own name, or else for the first stored name its name contains.
    qsizetype index = stored.names.indexOf(venueName);
    for (qsizetype i = 0; index < 0 && i < stored.names.size(); ++i) {
        if (!stored.names[i].isEmpty() && venueName.contains(stored.names[i]))
            index = i;
    }
    if (index >= 0)
        stored.names.removeAt(index);
    return write(stored.names);
}

} // namespace Bookmarks
