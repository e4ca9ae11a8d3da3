#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

// What every checker of an edition shares: the findings so far, one line each, and the pictures the
// files name, which the picture checker looks at last.
namespace Edition::Checking {

// One catalogue row, from the sources or from the built catalogue.
struct Row {
    qint64 id = 0;
    QString place;      // "catalog/01-sights.csv:12" or "Catalog.sqlite: venue 12"
    QStringList values; // by the order of Edition::catalogColumns(); a null text where empty
};

struct Findings {
    Findings(const QString& folder, QStringList* lines) : folder(folder), lines(lines) {}

    QString folder;
    QStringList* lines;
    int errors = 0;
    bool sourceFolder = false; // the catalogue comes from catalog/*.csv, pictures may be art/*.svg

    struct Naming {
        QString place;
        QString venue;
        bool singleSize = false; // shown at its own size only (a map picture), so no 2x copy is read
    };
    QMap<QString, Naming> pictures; // picture name -> where it is first named

    // "place: what (venue "name")", or "place: warning: what ..." for a warning.
    void report(const QString& place, const QString& what, const QString& venue = QString(),
                bool warning = false);
    // A picture that a file names, by its name in the edition folder (a path is reported).
    void namePicture(const QString& name, const QString& where, const QString& venue = QString(),
                     bool singleSize = false);
};

// The helpers of every checker, so that a rule reads as it is said.
struct CheckerBase {
    explicit CheckerBase(Findings& findings)
        : findings(findings), folder(findings.folder), sourceFolder(findings.sourceFolder) {}

    Findings& findings;
    const QString& folder;
    const bool sourceFolder;

    void report(const QString& place, const QString& what, const QString& venue = QString(),
                bool warning = false) {
        findings.report(place, what, venue, warning);
    }
    void warn(const QString& place, const QString& what, const QString& venue = QString()) {
        findings.report(place, what, venue, true);
    }
    void rowProblem(const Row& row, const QString& what, bool warning = false);
    void namePicture(const QString& name, const QString& where, const QString& venue = QString(),
                     bool singleSize = false) {
        findings.namePicture(name, where, venue, singleSize);
    }
};

// The line (from 1) of the first NEEDLE in TEXT, or OTHERWISE.
int lineOf(const QString& text, const QString& needle, int otherwise);

// A day as the sources write it: yyyy-MM-dd.
bool isDay(const QString& text);

} // namespace Edition::Checking
