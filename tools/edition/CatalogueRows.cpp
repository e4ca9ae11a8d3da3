#include "tools/edition/CatalogueRows.h"

#include "tools/edition/CatalogFields.h"
#include "tools/edition/Edition.h"
#include "tools/edition/EditionSources.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <sqlite3.h>

#include <limits>

namespace Edition::Checking {

namespace {

struct RowReader : CheckerBase {
    using CheckerBase::CheckerBase;
    ~RowReader() { sqlite3_close_v2(catalog); }

    Catalogue result;
    QList<Row>& rows = result.rows;
    bool& rowsComplete = result.complete;
    sqlite3* catalog = nullptr;

    void readSourceRows() {
        const QDir dir(folder);
        qint64 id = 0;
        for (const QString& path : Edition::catalogSources(folder)) {
            const QString file = dir.relativeFilePath(QFileInfo(path).absoluteFilePath());
            RfcCsvTable table;
            Edition::SourceProblem problem;
            if (!Edition::readCatalogSource(path, &table, &problem)) {
                report(Edition::sourcePlace(file, problem.line), problem.what);
                rowsComplete = false;
                continue;
            }
            QList<int> target;
            for (const QString& name : table.header) {
                target.append(int(Edition::catalogColumns().indexOf(name)));
                if (target.last() < 0)
                    report(Edition::sourcePlace(file, 1), QStringLiteral("unknown column \"%1\"").arg(name));
            }
            for (qsizetype r = 0; r < table.rows.size(); ++r) {
                const QStringList& fields = table.rows[r];
                Row row{++id, Edition::sourcePlace(file, table.rowLines[r]), {}};
                row.values.resize(Edition::catalogColumns().size());
                for (qsizetype c = 0; c < fields.size() && c < target.size(); ++c) {
                    if (target[c] >= 0 && !fields[c].isEmpty())
                        row.values[target[c]] = fields[c];
                }
                if (fields.size() != table.header.size())
                    report(row.place,
                           QStringLiteral("%1 fields where the header has %2")
                               .arg(fields.size())
                               .arg(table.header.size()),
                           row.values.value(cName));
                // The build trims the names a chapter and a category are found by.
                for (int c : {cChapterName, cCategory}) {
                    if (!row.values[c].isNull())
                        row.values[c] = row.values[c].trimmed();
                }
                rows.append(std::move(row));
            }
        }
    }

    bool openCatalog() {
        const QString name = QStringLiteral("Catalog.sqlite");
        const QString path = folder + u'/' + name;
        const QString why = Edition::catalogProblem(path);
        if (!why.isEmpty()) {
            findings.lines->append(why);
            ++findings.errors;
            return false;
        }
        sqlite3_open_v2(QFile::encodeName(path).constData(), &catalog, SQLITE_OPEN_READONLY, nullptr);
        // A damaged file reads as a shorter one, page by page; SQLite's own check finds it.
        const QStringList damage = firstColumn("pragma integrity_check(20)");
        if (damage != QStringList{QStringLiteral("ok")}) {
            for (const QString& what : damage)
                report(name, QStringLiteral("damaged: ") + what);
            return false;
        }
        return true;
    }

    // The first column of every row, as text.
    QStringList firstColumn(const char* sql) {
        QStringList result;
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(catalog, sql, -1, &statement, nullptr) != SQLITE_OK) {
            result.append(QString::fromUtf8(sqlite3_errmsg(catalog)));
            return result;
        }
        int rc = SQLITE_OK;
        while ((rc = sqlite3_step(statement)) == SQLITE_ROW)
            result.append(
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0))));
        if (rc != SQLITE_DONE)
            result.append(QString::fromUtf8(sqlite3_errmsg(catalog)));
        sqlite3_finalize(statement);
        return result;
    }

    void readCatalogRows() {
        const QStringList& columns = Edition::catalogColumns();
        const QByteArray sql = (QStringLiteral("select rowid, ") + columns.join(QStringLiteral(", ")) +
                                QStringLiteral(" from catalog order by rowid"))
                                   .toUtf8();
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(catalog, sql.constData(), -1, &statement, nullptr) != SQLITE_OK) {
            report(QStringLiteral("Catalog.sqlite"), QString::fromUtf8(sqlite3_errmsg(catalog)));
            return;
        }
        int rc = SQLITE_OK;
        while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
            const qint64 id = sqlite3_column_int64(statement, 0);
            Row row{id, QStringLiteral("Catalog.sqlite: venue %1").arg(id), {}};
            row.values.resize(columns.size());
            QStringList notUtf8;
            for (int c = 0; c < columns.size(); ++c) {
                const int type = sqlite3_column_type(statement, c + 1);
                if (type == SQLITE_NULL)
                    continue;
                if (type == SQLITE_FLOAT) {
                    row.values[c] = QString::number(sqlite3_column_double(statement, c + 1), 'g', 17);
                    continue;
                }
                const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, c + 1));
                QStringDecoder decoder(QStringDecoder::Utf8);
                row.values[c] = decoder(QByteArrayView(text, sqlite3_column_bytes(statement, c + 1)));
                if (decoder.hasError())
                    notUtf8.append(columns[c]);
            }
            for (int c : {cChapterName, cCategory}) {
                if (row.values[c] != row.values[c].trimmed()) {
                    rowProblem(row, QStringLiteral("\"%1\" has blanks around its %2")
                                        .arg(row.values[c], QString(columns[c]).replace(u'_', u' ')));
                    row.values[c] = row.values[c].trimmed();
                }
            }
            if (!notUtf8.isEmpty())
                rowProblem(row,
                           QStringLiteral("%1 is not UTF-8 text").arg(notUtf8.join(QStringLiteral(", "))));
            // The guide keeps a venue's id in 32 bits; a larger one would open another venue.
            if (id > std::numeric_limits<qint32>::max() || id < 0)
                rowProblem(row,
                           QStringLiteral("the venue id %1 does not fit the guide's 32-bit ids").arg(id));
            rows.append(std::move(row));
        }
        if (rc != SQLITE_DONE)
            report(QStringLiteral("Catalog.sqlite"), QString::fromUtf8(sqlite3_errmsg(catalog)));
        sqlite3_finalize(statement);
    }
};

} // namespace

Catalogue readSourceRows(Findings& findings) {
    RowReader reader(findings);
    reader.readSourceRows();
    return reader.result;
}

std::optional<Catalogue> readBuiltCatalogue(Findings& findings, bool rows) {
    RowReader reader(findings);
    if (!reader.openCatalog())
        return std::nullopt;
    if (rows)
        reader.readCatalogRows();
    return reader.result;
}

} // namespace Edition::Checking
