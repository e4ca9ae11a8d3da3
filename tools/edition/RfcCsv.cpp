#include "tools/edition/RfcCsv.h"

bool parseRfcCsv(const QString& text, RfcCsvTable* table, QString* error, int* errorLine) {
    QList<QStringList> rows;
    QList<int> lines;
    QStringList row;
    QString field;
    bool quoted = false;
    bool fieldStarted = false;
    int line = 1;
    int rowLine = 1;
    int quoteLine = 0;
    // Just after the quote that closed a field: only a comma or the line's end may follow.
    bool closed = false;

    auto endField = [&] {
        row.append(field);
        field.clear();
        fieldStarted = false;
    };
    auto endRow = [&] {
        endField();
        // A line with nothing on it is no row.
        if (!(row.size() == 1 && row[0].isEmpty())) {
            rows.append(row);
            lines.append(rowLine);
        }
        row.clear();
    };

    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"') {
                if (i + 1 < n && text[i + 1] == u'"') {
                    field += u'"';
                    ++i;
                } else {
                    quoted = false;
                    closed = true;
                }
            } else {
                if (c == u'\n')
                    ++line;
                field += c;
            }
            continue;
        }
        if (closed && c != u',' && c != u'\n' && c != u'\r') {
            if (error)
                *error = QStringLiteral("a quote inside a quoted field is not doubled (write \"\" for \")");
            if (errorLine)
                *errorLine = line;
            return false;
        }
        closed = false;
        if (c == u'"' && !fieldStarted) {
            quoted = true;
            fieldStarted = true;
            quoteLine = line;
        } else if (c == u',') {
            endField();
        } else if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n') {
            continue;
        } else if (c == u'\n') {
            endRow();
            ++line;
            rowLine = line;
        } else {
            field += c;
            fieldStarted = true;
        }
    }
    if (quoted) {
        if (error)
            *error = QStringLiteral("a quoted field is never closed");
        if (errorLine)
            *errorLine = quoteLine;
        return false;
    }
    if (fieldStarted || !row.isEmpty())
        endRow();
    if (rows.isEmpty()) {
        if (error)
            *error = QStringLiteral("no header line");
        if (errorLine)
            *errorLine = 1;
        return false;
    }
    table->header = rows.takeFirst();
    lines.removeFirst();
    for (QString& name : table->header)
        name = name.trimmed();
    table->rows = std::move(rows);
    table->rowLines = std::move(lines);
    return true;
}
