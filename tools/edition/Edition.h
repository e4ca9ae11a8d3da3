#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

// The publisher's and tester's tools over an edition folder (the files the guide ships with).
namespace Edition {

// The columns of the catalogue table, as the guide reads them and as the sources may name them.
const QStringList& catalogColumns();

// Makes OUT from the sources in SRC: Catalog.sqlite from SRC/catalog/*.csv (or SRC/catalog.csv), the
// other files copied. False with a one-line *error on bad input; OUT is then left as it was.
bool build(const QString& sourceFolder, const QString& outFolder, QString* error);

enum class CheckResult { Clean = 0, Problems = 1, NotAnEdition = 2 };
// One line per problem: "file: what is wrong".
CheckResult check(const QString& folder, QStringList* problems);

// Prints what the guide would read, as JSON. Exit code 0, or 2 with a one-line *error.
int show(const QString& folder, const QStringList& what, QTextStream& out, QString* error);

// `feed currency|weather FILE-OR-URL [--temp 1] [--distance 1] [--edition DIR]`: what the converter
// or the weather page would show from that document, as JSON. 0 with rows, 1 with the reader's
// error, 2 for a wrong call.
int feed(const QStringList& args, QTextStream& out, QString* error);

// A one-line problem when the file is no catalogue the guide can read, or an empty string.
QString catalogProblem(const QString& path);

} // namespace Edition
