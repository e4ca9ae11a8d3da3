// `set`: writes values into an edition's settings file, so that a publisher (or a script) never has to
// mind the file's quoting.

#include "tools/edition/Edition.h"

#include "model/DAO.h"
#include "model/ManagerModel.h"
#include "model/SBKCSVParser.h"

#include <QFile>
#include <QSaveFile>

namespace Edition {

namespace {

int columnNamed(const QString& name) {
    const auto& names = ManagerModel::columnNames();
    for (int c = 0; c < ManagerModel::columnCount; ++c) {
        if (name == QLatin1String(names[c]))
            return c;
    }
    return -1;
}

} // namespace

int setSettings(const QStringList& args, QTextStream& out, QString* error) {
    if (args.size() < 2) {
        *error = QStringLiteral("usage: cityguide-edition set DIR NAME=VALUE ...");
        return 2;
    }
    QList<std::pair<int, QString>> values;
    for (const QString& arg : args.mid(1)) {
        const qsizetype equals = arg.indexOf(u'=');
        const int column = equals > 0 ? columnNamed(arg.left(equals)) : -1;
        if (column < 0) {
            *error = QStringLiteral("\"%1\": NAME=VALUE with NAME a column of manager.csv (such as "
                                    "InfoAirportCode) is needed")
                         .arg(arg);
            return 2;
        }
        const QString value = arg.mid(equals + 1);
        if (value.contains(u'"') || value.size() > ManagerModel::maxLength(column)) {
            *error = QStringLiteral("%1: a value without double quotes, of at most %2 characters, is needed")
                         .arg(arg.left(equals))
                         .arg(ManagerModel::maxLength(column));
            return 2;
        }
        values.append({column, value});
    }
    const QString path = args[0] + QStringLiteral("/manager.csv");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return 1;
    }
    const QList<QStringList> rows = SBKCSVParser::allRows(QString::fromUtf8(file.readAll()), 2);
    file.close();
    if (rows.size() < 2 || rows[1].size() < ManagerModel::columnCount - 1 ||
        rows[1].size() > ManagerModel::columnCount) {
        *error = QStringLiteral("%1: no data line of %2 values to write into; `check %3` tells what is wrong")
                     .arg(path)
                     .arg(ManagerModel::columnCount)
                     .arg(args[0]);
        return 1;
    }
    ManagerModel model;
    for (int c = 0; c < ManagerModel::columnCount; ++c)
        model.setField(c, rows[1].value(c));
    for (const auto& [column, value] : std::as_const(values))
        model.setField(column, value);
    QSaveFile save(path);
    const QByteArray bytes = DAO::settingsFileBytes(model);
    if (!save.open(QIODevice::WriteOnly) || save.write(bytes) != bytes.size() || !save.commit()) {
        *error = QStringLiteral("%1: %2").arg(path, save.errorString());
        return 1;
    }
    out << path << ": " << values.size() << (values.size() == 1 ? " value" : " values") << " written\n";
    return 0;
}

} // namespace Edition
