#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>
#include <functional>

// The publisher's and tester's tools over an edition folder (the files the guide ships with).
namespace Edition {

// The columns of the catalogue table, as the guide reads them and as the sources may name them.
const QStringList& catalogColumns();

// Makes OUT exactly the edition of the sources in SRC: Catalog.sqlite from SRC/catalog/*.csv (or
// SRC/catalog.csv), the other files copied, then `finish` (if any) on the new edition's folder. The
// edition is made whole beside OUT and put in its place, so nothing of an earlier build stays behind.
// False with a one-line *error on bad input; OUT is then left as it was. A folder OUT that holds files
// but is no edition (no manager.csv, no Catalog.sqlite) is never replaced.
bool build(const QString& sourceFolder, const QString& outFolder, QString* error,
           const std::function<bool(const QString& edition, QString* error)>& finish = {});

// Whether the value has the form its catalogue column asks for (a postcode, a phone number, a web or
// e-mail address, a chapter id, a picture name), the form `check` holds the sources to. Any value fits
// a column of free text.
bool fitsColumn(const QString& column, const QString& value);

// The pictures the guide loads by a fixed name, whatever the edition's content names (without ".png").
const QStringList& alwaysNeededPictures();

// The tool ids a tool bar of the settings may name.
const QStringList& toolIDs();

// Checks an edition folder, or an edition's source folder (catalogue sources in catalog/*.csv or
// catalog.csv, pictures as NAME.png or art/NAME.svg). One line per finding, "place: what is wrong"
// or "place: warning: what may be wrong", the place being "file:line" where the line is known and a
// finding about a venue ending in (venue "name"). Clean when nothing is an error.
enum class CheckResult { Clean = 0, Problems = 1, NotAnEdition = 2 };
CheckResult check(const QString& folder, QStringList* problems);

// Prints what the guide would read, as JSON. Exit code 0, or 2 with a one-line *error.
int show(const QString& folder, const QStringList& what, QTextStream& out, QString* error);

// `feed currency|weather FILE-OR-URL [--temp 1] [--distance 1] [--edition DIR]`: what the converter
// or the weather page would show from that document, as JSON. 0 with rows, 1 with the reader's
// error, 2 for a wrong call.
int feed(const QStringList& args, QTextStream& out, QString* error);

// `set DIR NAME=VALUE ...`: writes the values into DIR/manager.csv and keeps the others. 0 when written,
// 1 when the file cannot be read or written, 2 for a wrong call.
int setSettings(const QStringList& args, QTextStream& out, QString* error);

// "COLUMN is N characters long, …": a settings value over the length the guide reads.
QString settingsValueTooLong(int column, qsizetype length);

// A one-line problem when the file is no catalogue the guide can read, or an empty string.
QString catalogProblem(const QString& path);

} // namespace Edition
