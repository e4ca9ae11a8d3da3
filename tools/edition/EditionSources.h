#pragma once

#include "tools/edition/RfcCsv.h"

#include <QString>
#include <QStringList>

#include <optional>

// Reading an edition's catalogue sources, shared by the build and the check so that both see the
// same rows in the same order.
namespace Edition {

// What `new` and `import-osm` leave for the publisher to write in, marked so that it stands out on every
// screen and in every file; `check` names each one left.
extern const QString fillInMark;

// SRC/catalog.csv, then SRC/catalog/*.csv in file-name order: the order in which venue ids are given.
QStringList catalogSources(const QString& sourceFolder);

struct SourceProblem {
    int line = 0; // 0: the file as a whole
    QString what;
};

// Reads one catalogue source: UTF-8 text (a byte-order mark is dropped) in the common CSV form. False
// with *problem when the file cannot be read, is not UTF-8 (the first such line) or does not parse.
bool readCatalogSource(const QString& path, RfcCsvTable* table, SourceProblem* problem);

// A coordinate as the sources write it: a finite decimal number. Without a value, *why says what is
// wrong with the text ("is not a number", "is not a finite number").
std::optional<double> coordinateValue(const QString& text, QString* why);

// "file:line" (or "file" for line 0), the place a publisher looks for a source line.
QString sourcePlace(const QString& file, int line);

} // namespace Edition
