#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The common comma-separated format (quoted fields with doubled quotes, CR LF or LF line ends), used
// for the catalogue sources of an edition. Not the settings file's looser format.
struct RfcCsvTable {
    QStringList header;
    QList<QStringList> rows;
    QList<int> rowLines; // the line on which each row starts, from 1
};

// False with *error and the line it concerns when a quote is left open or there is no header.
bool parseRfcCsv(const QString& text, RfcCsvTable* table, QString* error, int* errorLine = nullptr);
