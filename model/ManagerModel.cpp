#include "model/ManagerModel.h"

#include "platform/Log.h"

#include <QStringList>

const std::array<const char*, ManagerModel::columnCount>& ManagerModel::columnNames() {
#define GUIDE_MANAGER_NAME(index, getter, setter, name) name,
    static const std::array<const char*, columnCount> names = {GUIDE_MANAGER_COLUMNS(GUIDE_MANAGER_NAME)};
#undef GUIDE_MANAGER_NAME
    return names;
}

QString ManagerModel::storedDocument(const QString& stored) {
    if (!stored.startsWith(QStringLiteral("<?xml")))
        return stored;
    const qsizetype end = stored.indexOf(QStringLiteral("?>"));
    if (end < 0)
        return stored;
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>") + stored.mid(end + 2);
}

QString ManagerModel::headerLine() {
    QStringList names;
    for (const char* name : columnNames())
        names.append(QString::fromLatin1(name));
    return names.join(u',') + u'\n';
}

QStringList ManagerModel::listEntries(const QString& value) {
    QStringList entries = value.split(u',');
    if (entries.size() > maxListEntries) {
        logOnce(QStringLiteral("A list of the settings has %1 entries; the first %2 are used")
                    .arg(entries.size())
                    .arg(maxListEntries));
        entries.resize(maxListEntries);
    }
    for (QString& entry : entries) {
        entry.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        entry.remove(u'\n');
    }
    return entries;
}

int ManagerModel::maxLength(int column) {
    switch (column) {
    case 20:            // UserCurrencyRates
    case 22:            // UserWeather
        return 2 << 20; // a stored feed document, itself at most 1 MB
    case 12:            // OrderChapters
    case 13:            // OrderMaps
    case 14:            // the three tool bars
    case 15:
    case 16:
    case 17: // UserBookmarks
    case 18: // UserRestoreState
    case 19: // UserCurrencies
    case 21: // UserCurrencyValues
        return 64 << 10;
    default: // dates, city facts, contacts, feed addresses
        return 4 << 10;
    }
}
