#include "tools/edition/CatalogueCheck.h"

#include "tools/edition/CatalogFields.h"
#include "tools/edition/CountryFacts.h"
#include "tools/edition/Edition.h"
#include "tools/edition/EditionSources.h"

#include "catalog/OpeningHours.h"
#include "catalog/Venue.h"
#include "platform/TextValues.h"

#include <QHash>
#include <QMap>
#include <QSet>

#include <cmath>

namespace Edition::Checking {

namespace {

// A venue further than this from the edition's default position is probably misplaced.
constexpr double kFarMetres = 50'000;

// Texts that some screens show as stored, so a doubled apostrophe would show doubled.
bool showsApostrophesAsStored(int c) {
    static const QSet<QString> columns = {QStringLiteral("category_name"),
                                          QStringLiteral("chapter_name"),
                                          QStringLiteral("price_text"),
                                          QStringLiteral("open_text"),
                                          QStringLiteral("hotel_room_decription"),
                                          QStringLiteral("chapter_id"),
                                          QStringLiteral("image"),
                                          QStringLiteral("date_start"),
                                          QStringLiteral("date_stop")};
    return columns.contains(Edition::catalogColumns()[c]);
}

// An apostrophe that is not one of a doubled pair.
bool hasSingleApostrophe(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\'')
            continue;
        if (i + 1 < text.size() && text[i + 1] == u'\'')
            ++i;
        else
            return true;
    }
    return false;
}

// A minus right before a number that does not end a range ("EUR -20", "-5"; not "10-20" or "10 - 20").
bool holdsNegativeAmount(const QString& price) {
    static const QRegularExpression negative(QStringLiteral("(^|[^\\d\\s])\\s*[-\u2212]\\s*\\d"));
    return negative.match(price).hasMatch();
}

// The texts of mobile_highlight whose meaning is plain to the one who wrote them.
bool isPlainFlag(const QString& text) {
    static const QSet<QString> flags = {QString(),
                                        QStringLiteral("0"),
                                        QStringLiteral("1"),
                                        QStringLiteral("yes"),
                                        QStringLiteral("no"),
                                        QStringLiteral("true"),
                                        QStringLiteral("false")};
    return flags.contains(text.trimmed().toLower());
}

// The same after folding case and dropping blanks, or one letter apart (added, dropped or changed), or
// two neighbouring letters swapped ("Chruches" beside "Churches").
bool looksLikeTypo(const QString& a, const QString& b) {
    auto fold = [](const QString& text) {
        QString folded = text.toCaseFolded();
        folded.remove(QRegularExpression(QStringLiteral("\\s")));
        return folded;
    };
    const QString x = fold(a), y = fold(b);
    if (x == y)
        return true;
    if (std::abs(x.size() - y.size()) > 1 || std::min(x.size(), y.size()) < 3)
        return false;
    qsizetype i = 0;
    while (i < x.size() && i < y.size() && x[i] == y[i])
        ++i;
    // One letter apart; "Room 1" and "Room 2" differ by a number, which is meant.
    if (x.size() == y.size()) {
        if (!x[i].isLetter() || !y[i].isLetter())
            return false;
        if (QStringView(x).mid(i + 1) == QStringView(y).mid(i + 1))
            return true;
        return i + 1 < x.size() && x[i] == y[i + 1] && x[i + 1] == y[i] &&
               QStringView(x).mid(i + 2) == QStringView(y).mid(i + 2);
    }
    const QString& longer = x.size() > y.size() ? x : y;
    const QString& shorter = x.size() > y.size() ? y : x;
    return longer[i].isLetter() && QStringView(longer).mid(i + 1) == QStringView(shorter).mid(i);
}

// The line (from 1) of the first occurrence of `needle` in `text`, or `otherwise`.
struct Chapter {
    qsizetype firstRow = -1;
    int venues = 0;
    QMap<QString, qsizetype> names;      // chapter_name -> first row with it
    QMap<QString, qsizetype> categories; // category -> first row
};

struct CatalogueChecker : CheckerBase {
    CatalogueChecker(Findings& findings, const Catalogue& catalogue, const SettingsFacts& settings,
                     std::optional<std::pair<double, double>> centre)
        : CheckerBase(findings), rows(catalogue.rows), rowsComplete(catalogue.complete), settings(settings),
          centre(centre) {}

    const QList<Row>& rows;
    const bool rowsComplete;
    const SettingsFacts& settings;
    const std::optional<std::pair<double, double>> centre;

    void checkPosition(const Row& row) {
        const QString& lat = row.values[cLat];
        const QString& lon = row.values[cLon];
        if (lat.isNull() != lon.isNull()) {
            rowProblem(row, lat.isNull() ? QStringLiteral("gps_lon is given without gps_lat")
                                         : QStringLiteral("gps_lat is given without gps_lon"));
            return;
        }
        if (lat.isNull())
            return;
        QString why;
        const auto latitude = Edition::coordinateValue(lat, &why);
        if (!latitude)
            return rowProblem(row, QStringLiteral("gps_lat \"%1\" %2").arg(lat, why));
        const auto longitude = Edition::coordinateValue(lon, &why);
        if (!longitude)
            return rowProblem(row, QStringLiteral("gps_lon \"%1\" %2").arg(lon, why));
        if (std::abs(*latitude) > 90 || std::abs(*longitude) > 180)
            return rowProblem(row,
                              QStringLiteral("the position %1,%2 is not on the earth (gps_lat -90 to 90, "
                                             "gps_lon -180 to 180)")
                                  .arg(lat, lon));
        if (!centre)
            return;
        const double away = distanceInMetres(*latitude, *longitude, centre->first, centre->second);
        if (away <= kFarMetres)
            return;
        if (std::abs(*longitude) <= 90 &&
            distanceInMetres(*longitude, *latitude, centre->first, centre->second) <= kFarMetres)
            rowProblem(row,
                       QStringLiteral("gps_lat and gps_lon look swapped (%1,%2 lies near the edition's "
                                      "default position the other way round)")
                           .arg(lat, lon),
                       true);
        else
            rowProblem(row,
                       QStringLiteral("the position %1,%2 lies %3 km from the edition's default position")
                           .arg(lat, lon)
                           .arg(qRound(away / 1000)),
                       true);
    }

    void checkPhones(const Row& row) {
        for (int c : {cPhone, cPhone2}) {
            const QString number = row.values[c].trimmed();
            const QString why =
                number.isEmpty() ? QString() : Edition::phoneProblem(number, settings.phoneRegion);
            if (why.isEmpty())
                continue;
            QString line = QStringLiteral("%1 \"%2\" is %3").arg(Edition::catalogColumns()[c], number, why);
            if (why == u"not a phone number")
                line += QStringLiteral("; are the columns shifted (a field left out or one too many)?");
            rowProblem(row, line);
        }
    }

    // Read as the guide reads them: KOpeningHours, for the edition's country (its public holidays).
    void checkOpeningHours(const Row& row) {
        const QString expression = row.values[cOpeningHours].trimmed();
        if (expression.isEmpty())
            return;
        const OpeningHours::Place place{QStringLiteral("UTC"), settings.phoneRegion,
                                        centre ? centre->first : 0, centre ? centre->second : 0};
        QString why;
        if (!OpeningHours::at(expression, QDateTime::currentDateTimeUtc(), place, &why))
            rowProblem(row, QStringLiteral("opening_hours \"%1\" cannot be read (%2); see "
                                           "https://wiki.openstreetmap.org/wiki/Key:opening_hours")
                                .arg(expression, why));
    }

    void checkRow(const Row& row) {
        const QStringList& columns = Edition::catalogColumns();
        for (int c : {cName, cChapterID, cCategory}) {
            if (row.values[c].trimmed().isEmpty())
                rowProblem(row, QStringLiteral("%1 is empty").arg(columns[c]));
        }
        for (int c = 0; c < columns.size(); ++c) {
            const QString& value = row.values[c];
            if (value.isEmpty() || c == cLat || c == cLon)
                continue;
            if (value.contains(Edition::fillInMark))
                rowProblem(row, QStringLiteral("%1 still says \"%2\"; the guide would show it so")
                                    .arg(columns[c], Edition::fillInMark));
            if (showsApostrophesAsStored(c) && value.contains(u'\''))
                rowProblem(row,
                           QStringLiteral("%1 \"%2\" holds an apostrophe, which its screens show as stored; "
                                          "leave it out")
                               .arg(columns[c], value));
            else if (hasSingleApostrophe(value))
                rowProblem(row, QStringLiteral("%1 holds an apostrophe that is not doubled (write '' for ')")
                                    .arg(columns[c]));
            if ((c == cBody || c == cTextLong) && (value.contains(u'\n') || value.contains(u'\r')))
                rowProblem(row, QStringLiteral("%1 holds a real line break; write \\n for a paragraph break")
                                    .arg(columns[c]));
        }
        for (const Shape& shape : fieldShapes()) {
            const QString& value = row.values[shape.column];
            if (!value.isEmpty() && !shape.form.match(value.trimmed()).hasMatch())
                rowProblem(row,
                           QStringLiteral("%1 \"%2\" is not %3; are the columns shifted (a field left out "
                                          "or one too many)?")
                               .arg(columns[shape.column], value, QString::fromLatin1(shape.what)));
        }
        checkPhones(row);
        checkOpeningHours(row);
        const QString website = row.values[cWebsite].trimmed();
        if (website.startsWith(QStringLiteral("http://"), Qt::CaseInsensitive))
            rowProblem(
                row,
                QStringLiteral("website \"%1\" begins with http://; the column holds the address without "
                               "it (such as www.example.org), and the guide adds it")
                    .arg(website),
                true);
        if (holdsNegativeAmount(row.values[cPrice]))
            rowProblem(row,
                       QStringLiteral("price_text \"%1\" holds a negative amount").arg(row.values[cPrice]));
        bool datesRead = true;
        for (int c : {cStart, cStop}) {
            if (!row.values[c].isEmpty() && !isDay(row.values[c])) {
                rowProblem(
                    row, QStringLiteral("%1 \"%2\" is not a date yyyy-MM-dd").arg(columns[c], row.values[c]));
                datesRead = false;
            }
        }
        if (datesRead && !row.values[cStart].isEmpty() && !row.values[cStop].isEmpty() &&
            row.values[cStart] > row.values[cStop])
            rowProblem(row, QStringLiteral("date_start %1 is after date_stop %2")
                                .arg(row.values[cStart], row.values[cStop]));
        if (!isPlainFlag(row.values[cHighlight]))
            rowProblem(row, QStringLiteral(
                                "mobile_highlight \"%1\" reads as %2; write 1 or YES for a featured venue, "
                                "0, NO or nothing otherwise")
                                .arg(row.values[cHighlight], boolValueOfText(row.values[cHighlight])
                                                                 ? QStringLiteral("featured")
                                                                 : QStringLiteral("not featured")));
        checkPosition(row);
        namePicture(row.values[cImage], row.place, row.values[cName]);
    }

    void checkRows() {
        QMap<QString, Chapter> seen;
        QHash<QString, qsizetype> names; // folded name -> first row
        for (qsizetype i = 0; i < rows.size(); ++i) {
            const Row& row = rows[i];
            checkRow(row);
            const QString id = row.values[cChapterID].trimmed();
            Chapter& chapter = seen[id];
            if (chapter.firstRow < 0)
                chapter.firstRow = i;
            ++chapter.venues;
            if (!chapter.names.contains(row.values[cChapterName]))
                chapter.names.insert(row.values[cChapterName], i);
            if (!chapter.categories.contains(row.values[cCategory]))
                chapter.categories.insert(row.values[cCategory], i);
            // Bookmarks keep a venue by its name: a second venue of the same name is never bookmarked.
            const QString name = row.values[cName].trimmed().toCaseFolded();
            const auto first = names.constFind(name);
            if (first == names.cend())
                names.insert(name, i);
            else if (!name.isEmpty())
                rowProblem(row,
                           QStringLiteral("the name is also the name of the venue at %1; a bookmark opens "
                                          "only one of them")
                               .arg(rows[*first].place),
                           true);
        }
        if (!settings.settingsRead)
            return;
        for (auto it = settings.chapters.cbegin(); it != settings.chapters.cend(); ++it) {
            if (rowsComplete && !seen.contains(it.key()))
                report(Edition::sourcePlace(QStringLiteral("manager.csv"),
                                            settings.chapterLines.value(it.key())),
                       QStringLiteral("chapter \"%1\" has id \"%2\", which no venue has")
                           .arg(it.value(), it.key()));
        }
        for (auto it = seen.cbegin(); it != seen.cend(); ++it) {
            if (it.key().isEmpty())
                continue;
            const Row& first = rows[it->firstRow];
            if (!settings.chapters.contains(it.key())) {
                rowProblem(first, QStringLiteral(
                                      "chapter id \"%1\" (%2 venues) has no entry in OrderChapters, so no "
                                      "reader finds them")
                                      .arg(it.key())
                                      .arg(it->venues));
                continue;
            }
            const QString label = settings.chapters.value(it.key());
            for (auto name = it->names.cbegin(); name != it->names.cend(); ++name) {
                if (name.key() != label)
                    rowProblem(rows[name.value()],
                               QStringLiteral("chapter_name \"%1\" differs from the label \"%2\" "
                                              "of chapter \"%3\" in OrderChapters")
                                   .arg(name.key(), label, it.key()));
            }
            const QStringList categories = it->categories.keys();
            for (int a = 0; a < categories.size(); ++a) {
                for (int b = a + 1; b < categories.size(); ++b) {
                    if (!looksLikeTypo(categories[a], categories[b]))
                        continue;
                    const qsizetype later =
                        std::max(it->categories[categories[a]], it->categories[categories[b]]);
                    const QString& other =
                        later == it->categories[categories[a]] ? categories[b] : categories[a];
                    rowProblem(rows[later],
                               QStringLiteral("category \"%1\" differs from \"%2\" only by case, blanks, one "
                                              "letter or two swapped; "
                                              "a typo?")
                                   .arg(rows[later].values[cCategory], other),
                               true);
                }
            }
        }
    }
};

} // namespace

void checkCatalogue(Findings& findings, const Catalogue& catalogue, const SettingsFacts& settings,
                    std::optional<std::pair<double, double>> centre) {
    CatalogueChecker(findings, catalogue, settings, centre).checkRows();
}

} // namespace Edition::Checking
