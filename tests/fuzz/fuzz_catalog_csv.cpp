// The catalogue sources of an edition, as the edition build reads them.

#include "tests/fuzz/FuzzSupport.h"

#include "tools/edition/EditionSources.h"

#include <QFile>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::ensureApplication();
    static const QString path = fuzz::scratchFolder() + QStringLiteral("/catalog.csv");
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(fuzz::bytes(data, size));
        file.close();
    }
    RfcCsvTable table;
    Edition::SourceProblem problem;
    if (Edition::readCatalogSource(path, &table, &problem)) {
        for (const QStringList& row : std::as_const(table.rows)) {
            QString why;
            for (const QString& field : row)
                (void)Edition::coordinateValue(field, &why);
        }
    }
    return 0;
}
