#include "tools/edition/CheckFindings.h"

#include "tools/edition/CatalogFields.h"

#include "platform/Paths.h"

#include <QDate>
#include <QRegularExpression>
#include <QStringView>

namespace Edition::Checking {

void Findings::report(const QString& place, const QString& what, const QString& venue, bool warning) {
    QString line = place + QStringLiteral(": ") + (warning ? QStringLiteral("warning: ") : QString()) + what;
    if (!venue.isEmpty())
        line += QStringLiteral(" (venue \"%1\")").arg(venue);
    lines->append(line);
    if (!warning)
        ++errors;
}

void Findings::namePicture(const QString& name, const QString& where, const QString& venue, bool singleSize) {
    QString trimmed = name.trimmed();
    if (trimmed.isEmpty())
        return;
    if (!Paths::isPlainName(trimmed)) {
        report(where,
               QStringLiteral("picture name \"%1\" is a path; a picture is named by its file name "
                              "in the edition folder")
                   .arg(trimmed),
               venue);
        return;
    }
    if (trimmed.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive))
        trimmed.chop(4);
    if (!pictures.contains(trimmed))
        pictures.insert(trimmed, Naming{where, venue, singleSize});
}

void CheckerBase::rowProblem(const Row& row, const QString& what, bool warning) {
    findings.report(row.place, what, row.values.value(cName), warning);
}

int lineOf(const QString& text, const QString& needle, int otherwise) {
    const qsizetype at = needle.isEmpty() ? -1 : text.indexOf(needle);
    return at < 0 ? otherwise : int(QStringView(text).left(at).count(u'\n')) + 1;
}

bool isDay(const QString& text) {
    static const QRegularExpression form(QStringLiteral("^\\d{4}-\\d\\d-\\d\\d$"));
    return form.match(text).hasMatch() && QDate::fromString(text, Qt::ISODate).isValid();
}

} // namespace Edition::Checking
