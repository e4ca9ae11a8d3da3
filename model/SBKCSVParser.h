#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// Splits the text of a comma-separated file into rows of fields, in one pass. The quoting is looser
// than the common convention: a double quote flips quoting wherever it stands and vanishes, so a value
// written between quotes without doubling its own quotes loses them on reading. Files written by the
// settings store rely on exactly these rules.
class SBKCSVParser {
public:
    SBKCSVParser() = default;
    static SBKCSVParser initCSV() { return {}; }

    // The first row after the header line, or none when the text has fewer than two rows.
    std::optional<QStringList> csvRows(const QString& text) const;

    // Every row of the text (used by the edition tool to look at the header as well).
    static QList<QStringList> allRows(const QString& text, int maxRows = -1);

    static bool isLineBreak(QChar c);
    static bool isBlank(QChar c);
};
