#include "model/SBKCSVParser.h"

bool SBKCSVParser::isLineBreak(QChar c) {
    const char16_t u = c.unicode();
    return (u >= 0x000A && u <= 0x000D) || u == 0x0085 || u == 0x2028 || u == 0x2029;
}

bool SBKCSVParser::isBlank(QChar c) {
    return c.unicode() == 0x0009 || c.category() == QChar::Separator_Space;
}

namespace {

bool isStop(QChar c) {
    return c == u',' || c == u'"' || SBKCSVParser::isLineBreak(c);
}

} // namespace

QList<QStringList> SBKCSVParser::allRows(const QString& text, int maxRows) {
    QList<QStringList> rows;
    const QChar* const begin = text.constData();
    const QChar* const end = begin + text.size();
    const QChar* p = begin;

    while (p < end && (maxRows < 0 || rows.size() < maxRows)) {
        QStringList fields;
        QString field;
        bool inQuotes = false;
        for (;;) {
            const QChar* run = p;
            while (p < end && !isStop(*p))
                ++p;
            field.append(run, p - run);
            if (p >= end)
                break;
            if (isLineBreak(*p)) {
                const QChar* breaks = p;
                while (p < end && isLineBreak(*p))
                    ++p;
                if (!inQuotes)
                    break;
                field.append(breaks, p - breaks);
                continue;
            }
            if (*p == u'"') {
                ++p;
                if (inQuotes && p < end && *p == u'"') {
                    ++p;
                    field.append(u'"');
                } else {
                    inQuotes = !inQuotes;
                }
                continue;
            }
            // a comma
            ++p;
            if (inQuotes) {
                field.append(u',');
                continue;
            }
            fields.append(field);
            field.clear();
            while (p < end && isBlank(*p))
                ++p;
        }
        if (!field.isEmpty())
            fields.append(field);
        if (!fields.isEmpty())
            rows.append(fields);
    }
    return rows;
}

std::optional<QStringList> SBKCSVParser::csvRows(const QString& text) const {
    // Rows after the second are never looked at, so the scan stops there.
    QList<QStringList> rows = allRows(text, 2);
    if (rows.size() < 2)
        return std::nullopt;
    return rows[1];
}
