#include "model/ManagerModel.h"

#include <QStringList>

const std::array<const char*, ManagerModel::columnCount>& ManagerModel::columnNames() {
#define GUIDE_MANAGER_NAME(index, getter, setter, name) name,
    static const std::array<const char*, columnCount> names = {GUIDE_MANAGER_COLUMNS(GUIDE_MANAGER_NAME)};
#undef GUIDE_MANAGER_NAME
    return names;
}

QString ManagerModel::headerLine() {
    QStringList names;
    for (const char* name : columnNames())
        names.append(QString::fromLatin1(name));
    return names.join(u',') + u'\n';
}

QStringList ManagerModel::listEntries(const QString& value) {
    QStringList entries = value.split(u',');
    for (QString& entry : entries) {
        entry.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        entry.remove(u'\n');
    }
    return entries;
}
