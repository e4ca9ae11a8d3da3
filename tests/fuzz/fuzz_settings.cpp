// The settings file: its CSV reader, and the settings store reading it as the reader's working copy
// beside the edition's own copy.

#include "tests/fuzz/FuzzSupport.h"

#include "model/DAO.h"
#include "model/ManagerModel.h"
#include "model/SBKCSVParser.h"
#include "platform/Paths.h"

#include <QDir>
#include <QFile>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::ensureApplication();
    static const bool ready = [] {
        const QString edition = fuzz::scratchFolder() + QStringLiteral("/edition");
        QDir().mkpath(edition);
        QFile shipped(edition + QStringLiteral("/manager.csv"));
        shipped.open(QIODevice::WriteOnly);
        QStringList values;
        for (int c = 0; c < ManagerModel::columnCount; ++c)
            values.append(QStringLiteral("\"2026-01-0%1\"").arg(c % 9 + 1));
        shipped.write((ManagerModel::headerLine() + values.join(u',')).toUtf8());
        shipped.close();
        Paths::setResourceFolder(edition);
        Paths::setDocumentsFolder(fuzz::scratchFolder() + QStringLiteral("/documents"));
        return true;
    }();
    (void)ready;
    const QByteArray input = fuzz::bytes(data, size);
    const QString text = QString::fromUtf8(input);
    if (const auto row = SBKCSVParser().csvRows(text))
        (void)row->size();
    (void)SBKCSVParser::allRows(text, 4);

    QFile working(Paths::documentPath(QStringLiteral("manager.csv")));
    if (working.open(QIODevice::WriteOnly)) {
        working.write(input);
        working.close();
    }
    DAOFactory::resetInstance();
    const ManagerModel* model =
        DAOFactory::getInstance()->readSettingsFromFile(QStringLiteral("manager.csv"));
    for (int c = 0; c < ManagerModel::columnCount; ++c)
        (void)ManagerModel::listEntries(model->field(c));
    return 0;
}
