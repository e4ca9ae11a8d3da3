#include "tools/edition/CountryFacts.h"
#include "tools/edition/Edition.h"
#include "tools/edition/EditionSources.h"

#include "catalog/Venue.h"
#include "feeds/ReferenceRates.h"
#include "feeds/SafeXml.h"
#include "feeds/WeatherDocument.h"
#include "model/LenientDate.h"
#include "model/ManagerModel.h"
#include "model/PropertyList.h"
#include "model/SBKCSVParser.h"
#include "model/ShareData.h"
#include "platform/MapTiles.h"
#include "platform/Paths.h"
#include "platform/TextValues.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>
#include <QSvgRenderer>
#include <QUrl>
#include <QXmlStreamReader>
#include <sqlite3.h>
#include <unicode/ucurr.h>

#include <cmath>
#include <limits>
#include <memory>

namespace {

// A venue further than this from the edition's default position is probably misplaced.
constexpr double kFarMetres = 50'000;

// One catalogue row, from the sources or from the built catalogue.
struct Row {
    qint64 id = 0;
    QString place;      // "catalog/01-sights.csv:12" or "Catalog.sqlite: venue 12"
    QStringList values; // by the order of Edition::catalogColumns(); a null text where empty
};

int column(const char* name) {
    return int(Edition::catalogColumns().indexOf(QString::fromLatin1(name)));
}

const int cName = column("name"), cBody = column("body"), cPostcode = column("postcode"),
          cPhone = column("phone"), cPhone2 = column("phone2"), cWebsite = column("website"),
          cEmail = column("email"), cLat = column("gps_lat"), cLon = column("gps_lon"),
          cImage = column("image"), cStart = column("date_start"), cStop = column("date_stop"),
          cHighlight = column("mobile_highlight"), cChapterID = column("chapter_id"),
          cChapterName = column("chapter_name"), cCategory = column("category_name"),
          cTextLong = column("text_long"), cPrice = column("price_text");

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

// The forms a field has where a shifted column would show (a phone number in the postcode).
struct Shape {
    int column;
    QRegularExpression form;
    const char* what;
};

const QList<Shape>& fieldShapes() {
    static const QList<Shape> shapes = {
        {cPostcode, QRegularExpression(QStringLiteral("^[A-Za-z0-9][A-Za-z0-9 -]{1,9}$")), "a postcode"},
        {cWebsite, QRegularExpression(QStringLiteral("^(https?://)?[^\\s@/]+\\.[^\\s@/.]+(/\\S*)?$")),
         "a web address"},
        {cEmail, QRegularExpression(QStringLiteral("^[^\\s@]+@[^\\s@]+\\.[^\\s@]+$")), "an e-mail address"},
        {cChapterID, QRegularExpression(QStringLiteral("^\\S{1,40}$")), "a chapter id"},
        {cImage, QRegularExpression(QStringLiteral("^\\S+$")), "a picture name"},
    };
    return shapes;
}

// A currency of ISO 4217 as ICU knows it, in use at any time ("GPB" is none).
bool isCurrencyCode(const QString& code) {
    if (code.size() != 3)
        return false;
    UErrorCode status = U_ZERO_ERROR;
    const bool known =
        ucurr_isAvailable(reinterpret_cast<const UChar*>(code.utf16()), U_DATE_MIN, U_DATE_MAX, &status);
    return U_SUCCESS(status) && known;
}

// A minus right before a number that does not end a range ("EUR -20", "-5"; not "10-20" or "10 - 20").
bool holdsNegativeAmount(const QString& price) {
    static const QRegularExpression negative(QStringLiteral("(^|[^\\d\\s])\\s*[-\u2212]\\s*\\d"));
    return negative.match(price).hasMatch();
}

bool isDay(const QString& text) {
    static const QRegularExpression form(QStringLiteral("^\\d{4}-\\d\\d-\\d\\d$"));
    return form.match(text).hasMatch() && QDate::fromString(text, Qt::ISODate).isValid();
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
int lineOf(const QString& text, const QString& needle, int otherwise) {
    const qsizetype at = needle.isEmpty() ? -1 : text.indexOf(needle);
    return at < 0 ? otherwise : int(QStringView(text).left(at).count(u'\n')) + 1;
}

struct Chapter {
    qsizetype firstRow = -1;
    int venues = 0;
    QMap<QString, qsizetype> names;      // chapter_name -> first row with it
    QMap<QString, qsizetype> categories; // category -> first row
};

struct Checker {
    Checker(const QString& folder, QStringList* lines) : folder(folder), lines(lines) {}

    QString folder;
    QStringList* lines;
    int errors = 0;
    bool sourceFolder = false; // the catalogue comes from catalog/*.csv, pictures may be art/*.svg

    QString settingsText;
    QString chapterListText;
    QStringList chapterLabels;       // every label of OrderChapters
    QMap<QString, QString> chapters; // chapter id -> label, for the chapters with venues
    QMap<QString, int> chapterLines; // chapter id -> its line in manager.csv
    bool hasMetro = false;
    bool settingsRead = false; // the chapters are known
    QString phoneRegion;       // the country of InfoCountryCode ("AT"), empty when not known
    bool rowsComplete = true;  // every catalogue row was read
    std::optional<std::pair<double, double>> centre;

    QList<Row> rows;
    struct Naming {
        QString place;
        QString venue;
        bool singleSize = false; // shown at its own size only (a map picture), so no 2x copy is read
    };
    QMap<QString, Naming> pictures; // picture name -> where it is first named
    sqlite3* catalog = nullptr;

    void report(const QString& place, const QString& what, const QString& venue = QString(),
                bool warning = false) {
        QString line =
            place + QStringLiteral(": ") + (warning ? QStringLiteral("warning: ") : QString()) + what;
        if (!venue.isEmpty())
            line += QStringLiteral(" (venue \"%1\")").arg(venue);
        lines->append(line);
        if (!warning)
            ++errors;
    }
    void warn(const QString& place, const QString& what, const QString& venue = QString()) {
        report(place, what, venue, true);
    }
    void rowProblem(const Row& row, const QString& what, bool warning = false) {
        report(row.place, what, row.values.value(cName), warning);
    }

    QString settingsPlace(const QString& near) const {
        return Edition::sourcePlace(QStringLiteral("manager.csv"), lineOf(settingsText, near, 2));
    }
    QString chapterListPlace(const QString& key) const {
        return Edition::sourcePlace(QStringLiteral("chapter.plist"),
                                    lineOf(chapterListText, QStringLiteral("<key>%1</key>").arg(key), 0));
    }
    // The line of the innermost of nested keys that the file has, each looked for after the one before
    // ("Colors", then "Sights" in it, then "r"): the line of "Sights" in "Colors", not in "Backgrounds".
    QString chapterListPlace(const QStringList& keys) const {
        qsizetype at = 0, found = -1;
        for (const QString& key : keys) {
            at = chapterListText.indexOf(QStringLiteral("<key>%1</key>").arg(key.toHtmlEscaped()), at);
            if (at < 0)
                break;
            found = at;
        }
        return Edition::sourcePlace(
            QStringLiteral("chapter.plist"),
            found < 0 ? 0 : int(QStringView(chapterListText).left(found).count(u'\n')) + 1);
    }

    void namePicture(const QString& name, const QString& where, const QString& venue = QString(),
                     bool singleSize = false) {
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

    // "a:b:c,d:e:f" with `parts` parts per entry; returns the entries split.
    QList<QStringList> listSetting(const QString& column, const QString& value, int parts) {
        QList<QStringList> entries;
        if (value.trimmed().isEmpty()) {
            report(settingsPlace(column), column + QStringLiteral(" is empty"));
            return entries;
        }
        const QStringList items = ManagerModel::listEntries(value);
        for (int i = 0; i < items.size(); ++i) {
            const QString& item = items[i];
            const QStringList fields = item.split(u':');
            if (fields.size() != parts) {
                report(settingsPlace(item.trimmed()),
                       QStringLiteral("%1 entry %2 \"%3\" has %4 parts, not %5")
                           .arg(column)
                           .arg(i + 1)
                           .arg(item.trimmed())
                           .arg(fields.size())
                           .arg(parts));
                continue;
            }
            entries.append(fields);
        }
        return entries;
    }

    // The city's facts: none left to fill in, and a calling code that a country has, whose telephone
    // plan the venues' numbers are then checked against.
    void checkFacts(const ManagerModel& model) {
        for (int c = 0; c < ManagerModel::columnCount; ++c) {
            if (model.field(c).contains(Edition::fillInMark))
                report(settingsPlace(QStringLiteral("\"%1\"").arg(model.field(c))),
                       QStringLiteral("%1 still says \"%2\"; the guide would show it so")
                           .arg(QString::fromLatin1(ManagerModel::columnNames()[c]), model.field(c)));
        }
        const QString callingCode = model.infoCountryCode();
        if (callingCode.isEmpty() || callingCode.contains(Edition::fillInMark))
            return;
        phoneRegion = Edition::regionOfCallingCode(callingCode);
        if (phoneRegion.isEmpty())
            report(settingsPlace(callingCode),
                   QStringLiteral("InfoCountryCode \"%1\" is no country's calling code (such as +43)")
                       .arg(callingCode));
    }

    void checkPhones(const Row& row) {
        for (int c : {cPhone, cPhone2}) {
            const QString number = row.values[c].trimmed();
            const QString why = number.isEmpty() ? QString() : Edition::phoneProblem(number, phoneRegion);
            if (why.isEmpty())
                continue;
            QString line = QStringLiteral("%1 \"%2\" is %3").arg(Edition::catalogColumns()[c], number, why);
            if (why == u"not a phone number")
                line += QStringLiteral("; are the columns shifted (a field left out or one too many)?");
            rowProblem(row, line);
        }
    }

    // The lines of a text file that still hold what the publisher was to write in.
    void checkFilledIn(const QString& name, const QString& text) {
        const QStringList lines = text.split(u'\n');
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (lines[i].contains(Edition::fillInMark))
                report(Edition::sourcePlace(name, int(i + 1)),
                       QStringLiteral("still says \"%1\"; write in what it stands for")
                           .arg(Edition::fillInMark));
        }
    }

    void checkSettings() {
        const QString name = QStringLiteral("manager.csv");
        QFile file(folder + u'/' + name);
        if (!file.open(QIODevice::ReadOnly)) {
            report(name, QStringLiteral("missing or unreadable"));
            return;
        }
        const QByteArray bytes = file.readAll();
        QStringDecoder decoder(QStringDecoder::Utf8);
        settingsText = decoder(bytes);
        if (decoder.hasError()) {
            report(name, QStringLiteral("is not valid UTF-8"));
            return;
        }
        if (bytes.startsWith("\xEF\xBB\xBF"))
            report(name, QStringLiteral("starts with a byte-order mark"));
        if (bytes.contains("\r\n"))
            report(name, QStringLiteral("has Windows line ends (CR LF); save it with plain line feeds"));
        const QList<QStringList> settingsRows = SBKCSVParser::allRows(settingsText, 2);
        if (settingsRows.size() < 2) {
            report(name, QStringLiteral("has no data line after the header"));
            return;
        }
        if (settingsRows[0].size() != ManagerModel::columnCount)
            report(Edition::sourcePlace(name, 1), QStringLiteral("the header has %1 names, not %2")
                                                      .arg(settingsRows[0].size())
                                                      .arg(ManagerModel::columnCount));
        QStringList row = settingsRows[1];
        // An empty last value leaves no field behind it; the guide reads it as the empty text it is.
        if (row.size() == ManagerModel::columnCount - 1 &&
            settingsText.trimmed().endsWith(QStringLiteral(",\"\"")))
            row.append(QString());
        if (row.size() != ManagerModel::columnCount) {
            report(Edition::sourcePlace(name, 2),
                   QStringLiteral("the data line has %1 fields, not %2 (a quote inside a value may split it)")
                       .arg(row.size())
                       .arg(ManagerModel::columnCount));
            return;
        }
        ManagerModel model;
        for (int c = 0; c < ManagerModel::columnCount; ++c) {
            if (row[c].size() > ManagerModel::maxLength(c))
                report(Edition::sourcePlace(name, 2), Edition::settingsValueTooLong(c, row[c].size()));
            else
                model.setField(c, row[c].trimmed());
        }
        settingsRead = true;
        checkFacts(model);

        if (!parseLenientDate(model.dateRelease()))
            report(settingsPlace(model.dateRelease()),
                   QStringLiteral("DateRelease \"%1\" is not a date").arg(model.dateRelease()));
        else if (!isDay(model.dateRelease()))
            warn(settingsPlace(model.dateRelease()),
                 QStringLiteral("DateRelease \"%1\" is not in the form yyyy-MM-dd (such as 2027-03-01); the "
                                "guide compares release dates to replace a reader's copy of the settings")
                     .arg(model.dateRelease()));
        for (auto [column, value] : {std::pair{"DateCurrency", model.dateCurrency()},
                                     std::pair{"DateWeather", model.dateWeather()}}) {
            if (!value.isEmpty() && !parseFeedTime(value))
                report(settingsPlace(value),
                       QStringLiteral("%1 \"%2\" is not in the form yyyy-MM-dd 'T' HH:mm")
                           .arg(QString::fromLatin1(column), value));
        }

        for (const QStringList& entry :
             listSetting(QStringLiteral("OrderChapters"), model.orderChapters(), 3)) {
            const QString label = entry[0].trimmed();
            const QString place = settingsPlace(entry.join(u':').trimmed());
            namePicture(entry[1], place);
            chapterLabels.append(label);
            if (label == u"Metro") {
                hasMetro = true;
                continue;
            }
            if (label == u"Search")
                continue;
            const QStringList key = entry[2].split(u';');
            if (key.size() < 2 || key[1].trimmed().isEmpty()) {
                report(place,
                       QStringLiteral("OrderChapters entry \"%1\" has no chapter id after \";\"").arg(label));
                continue;
            }
            chapters.insert(key[1].trimmed(), label);
            chapterLines.insert(key[1].trimmed(), lineOf(settingsText, entry.join(u':').trimmed(), 2));
        }
        bool metroMap = false;
        if (!model.orderMaps().trimmed().isEmpty()) {
            for (const QStringList& entry : listSetting(QStringLiteral("OrderMaps"), model.orderMaps(), 3)) {
                const QString place = settingsPlace(entry.join(u':').trimmed());
                namePicture(entry[1], place, QString(), true);
                namePicture(entry[2], place);
                metroMap = metroMap || entry[1].trimmed() == u"MetroMap.png";
            }
        }
        // The Metro chapter opens the metro map; a city without a metro needs neither.
        if (hasMetro && !metroMap)
            report(settingsPlace(QStringLiteral("Metro:")),
                   QStringLiteral("OrderChapters has a Metro entry, but OrderMaps has no entry for "
                                  "\"MetroMap.png\""));
        for (auto [column, value] : {std::pair{"OrderChapterTools", model.orderChapterTools()},
                                     std::pair{"OrderVenuesTools", model.orderVenuesTools()},
                                     std::pair{"OrderDetailedViewTools", model.orderDetailedViewTools()}}) {
            for (const QStringList& entry : listSetting(QString::fromLatin1(column), value, 3)) {
                const QString place = settingsPlace(entry.join(u':').trimmed());
                namePicture(entry[1], place);
                if (entry[2].trimmed() == u"Weather.tool" && model.feedWeather().trimmed().isEmpty())
                    report(place,
                           QStringLiteral("%1 lists Weather.tool, but FeedWeather is empty: the weather "
                                          "page would have nothing to show")
                               .arg(QString::fromLatin1(column)));
                if (!Edition::toolIDs().contains(entry[2].trimmed()))
                    report(place, QStringLiteral("%1 names the unknown tool id \"%2\" (known: %3)")
                                      .arg(QString::fromLatin1(column), entry[2].trimmed(),
                                           Edition::toolIDs().join(QStringLiteral(", "))));
            }
        }
        const QList<QStringList> currencies =
            listSetting(QStringLiteral("UserCurrencies"), model.userCurrencies(), 3);
        for (const QStringList& entry : currencies) {
            const QString place = settingsPlace(entry.join(u':').trimmed());
            namePicture(entry[2], place);
            if (!isCurrencyCode(entry[0].trimmed()))
                report(place,
                       QStringLiteral("UserCurrencies names \"%1\", which is no currency code of ISO 4217 "
                                      "(such as EUR, USD, GBP); the converter would not open")
                           .arg(entry[0].trimmed()));
        }
        if (!currencies.isEmpty() && !currencies[0][0].startsWith(QStringLiteral("EUR")) &&
            (currencies.size() < 2 || !currencies[1][0].startsWith(QStringLiteral("EUR"))))
            report(settingsPlace(model.userCurrencies()),
                   QStringLiteral("UserCurrencies must have the euro first or second"));
        // Stored documents come back through the settings reader, which drops every double quote.
        QString why;
        if (!model.userCurrencyRates().isEmpty() &&
            !ReferenceRateReader::read(SafeXml::repairedDeclaration(model.userCurrencyRates()).toUtf8(),
                                       &why))
            report(settingsPlace(QStringLiteral("<Cube")),
                   QStringLiteral(
                       "UserCurrencyRates does not read as rates once the settings reader has dropped "
                       "its double quotes (%1); quote attributes with ' instead")
                       .arg(why));
        if (!model.userWeather().isEmpty() &&
            !WeatherReader::read(SafeXml::repairedDeclaration(model.userWeather()).toUtf8(), &why))
            report(settingsPlace(QStringLiteral("<data")),
                   QStringLiteral(
                       "UserWeather does not read as weather once the settings reader has dropped its "
                       "double quotes (%1); quote attributes with ' instead")
                       .arg(why));
        for (auto [column, value] :
             {std::pair{"FeedCurrency", model.feedCurrency()}, std::pair{"FeedTV", model.feedTV()},
              std::pair{"FeedWeather", model.feedWeather()}}) {
            const QUrl url(value, QUrl::StrictMode);
            if (!value.isEmpty() && (!url.isValid() || url.scheme().isEmpty()))
                report(settingsPlace(value),
                       QStringLiteral("%1 \"%2\" is not an address").arg(QString::fromLatin1(column), value));
        }
    }

    // Where an XML property list stops being well-formed XML, with the XML reader's reason in *why;
    // just the file when it is well-formed (or no XML at all).
    QString brokenXmlPlace(const QString& name, QString* why) const {
        QFile file(folder + u'/' + name);
        if (!file.open(QIODevice::ReadOnly))
            return name;
        const QByteArray bytes = file.read(8 << 20);
        if (!bytes.trimmed().startsWith('<'))
            return name;
        QXmlStreamReader xml(bytes);
        while (!xml.atEnd() && !xml.hasError())
            xml.readNext();
        if (!xml.hasError())
            return name;
        *why = QStringLiteral("%1 (column %2)").arg(xml.errorString()).arg(xml.columnNumber());
        return Edition::sourcePlace(name, int(xml.lineNumber()));
    }

    std::optional<QVariantMap> readDictionary(const QString& name) {
        QString error;
        const auto root = PropertyList::readFile(folder + u'/' + name, &error);
        if (!root) {
            report(brokenXmlPlace(name, &error), error);
            return std::nullopt;
        }
        if (root->typeId() != QMetaType::QVariantMap) {
            report(name, QStringLiteral("the top level is not a dictionary"));
            return std::nullopt;
        }
        return root->toMap();
    }

    // The default position first: the venues' positions are measured from it.
    std::optional<QVariantMap> readChapterList() {
        QFile file(folder + QStringLiteral("/chapter.plist"));
        if (file.open(QIODevice::ReadOnly))
            chapterListText = QString::fromUtf8(file.read(8 << 20));
        const auto root = readDictionary(QStringLiteral("chapter.plist"));
        if (!root)
            return root;
        if (const auto position =
                ShareData::positionFrom(root->value(QStringLiteral("Default GPS Position"))))
            centre = std::pair{position->latitude, position->longitude};
        else
            report(
                chapterListPlace(QStringLiteral("Default GPS Position")),
                QStringLiteral("\"Default GPS Position\" needs the numbers \"lat\" (-90 to 90) and \"long\" "
                               "(-180 to 180)"));
        return root;
    }

    void readSourceRows() {
        const QDir dir(folder);
        qint64 id = 0;
        for (const QString& path : Edition::catalogSources(folder)) {
            const QString file = dir.relativeFilePath(QFileInfo(path).absoluteFilePath());
            RfcCsvTable table;
            Edition::SourceProblem problem;
            if (!Edition::readCatalogSource(path, &table, &problem)) {
                report(Edition::sourcePlace(file, problem.line), problem.what);
                rowsComplete = false;
                continue;
            }
            QList<int> target;
            for (const QString& name : table.header) {
                target.append(int(Edition::catalogColumns().indexOf(name)));
                if (target.last() < 0)
                    report(Edition::sourcePlace(file, 1), QStringLiteral("unknown column \"%1\"").arg(name));
            }
            for (qsizetype r = 0; r < table.rows.size(); ++r) {
                const QStringList& fields = table.rows[r];
                Row row{++id, Edition::sourcePlace(file, table.rowLines[r]), {}};
                row.values.resize(Edition::catalogColumns().size());
                for (qsizetype c = 0; c < fields.size() && c < target.size(); ++c) {
                    if (target[c] >= 0 && !fields[c].isEmpty())
                        row.values[target[c]] = fields[c];
                }
                if (fields.size() != table.header.size())
                    report(row.place,
                           QStringLiteral("%1 fields where the header has %2")
                               .arg(fields.size())
                               .arg(table.header.size()),
                           row.values.value(cName));
                // The build trims the names a chapter and a category are found by.
                for (int c : {cChapterName, cCategory}) {
                    if (!row.values[c].isNull())
                        row.values[c] = row.values[c].trimmed();
                }
                rows.append(std::move(row));
            }
        }
    }

    bool openCatalog() {
        const QString name = QStringLiteral("Catalog.sqlite");
        const QString path = folder + u'/' + name;
        const QString why = Edition::catalogProblem(path);
        if (!why.isEmpty()) {
            lines->append(why);
            ++errors;
            return false;
        }
        sqlite3_open_v2(QFile::encodeName(path).constData(), &catalog, SQLITE_OPEN_READONLY, nullptr);
        // A damaged file reads as a shorter one, page by page; SQLite's own check finds it.
        const QStringList damage = firstColumn("pragma integrity_check(20)");
        if (damage != QStringList{QStringLiteral("ok")}) {
            for (const QString& what : damage)
                report(name, QStringLiteral("damaged: ") + what);
            return false;
        }
        return true;
    }

    void readCatalogRows() {
        const QStringList& columns = Edition::catalogColumns();
        const QByteArray sql = (QStringLiteral("select rowid, ") + columns.join(QStringLiteral(", ")) +
                                QStringLiteral(" from catalog order by rowid"))
                                   .toUtf8();
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(catalog, sql.constData(), -1, &statement, nullptr) != SQLITE_OK) {
            report(QStringLiteral("Catalog.sqlite"), QString::fromUtf8(sqlite3_errmsg(catalog)));
            return;
        }
        int rc = SQLITE_OK;
        while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
            const qint64 id = sqlite3_column_int64(statement, 0);
            Row row{id, QStringLiteral("Catalog.sqlite: venue %1").arg(id), {}};
            row.values.resize(columns.size());
            QStringList notUtf8;
            for (int c = 0; c < columns.size(); ++c) {
                const int type = sqlite3_column_type(statement, c + 1);
                if (type == SQLITE_NULL)
                    continue;
                if (type == SQLITE_FLOAT) {
                    row.values[c] = QString::number(sqlite3_column_double(statement, c + 1), 'g', 17);
                    continue;
                }
                const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, c + 1));
                QStringDecoder decoder(QStringDecoder::Utf8);
                row.values[c] = decoder(QByteArrayView(text, sqlite3_column_bytes(statement, c + 1)));
                if (decoder.hasError())
                    notUtf8.append(columns[c]);
            }
            for (int c : {cChapterName, cCategory}) {
                if (row.values[c] != row.values[c].trimmed()) {
                    rowProblem(row, QStringLiteral("\"%1\" has blanks around its %2")
                                        .arg(row.values[c], QString(columns[c]).replace(u'_', u' ')));
                    row.values[c] = row.values[c].trimmed();
                }
            }
            if (!notUtf8.isEmpty())
                rowProblem(row,
                           QStringLiteral("%1 is not UTF-8 text").arg(notUtf8.join(QStringLiteral(", "))));
            // The guide keeps a venue's id in 32 bits; a larger one would open another venue.
            if (id > std::numeric_limits<qint32>::max() || id < 0)
                rowProblem(row,
                           QStringLiteral("the venue id %1 does not fit the guide's 32-bit ids").arg(id));
            rows.append(std::move(row));
        }
        if (rc != SQLITE_DONE)
            report(QStringLiteral("Catalog.sqlite"), QString::fromUtf8(sqlite3_errmsg(catalog)));
        sqlite3_finalize(statement);
    }

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
        if (!settingsRead)
            return;
        for (auto it = chapters.cbegin(); it != chapters.cend(); ++it) {
            if (rowsComplete && !seen.contains(it.key()))
                report(Edition::sourcePlace(QStringLiteral("manager.csv"), chapterLines.value(it.key())),
                       QStringLiteral("chapter \"%1\" has id \"%2\", which no venue has")
                           .arg(it.value(), it.key()));
        }
        for (auto it = seen.cbegin(); it != seen.cend(); ++it) {
            if (it.key().isEmpty())
                continue;
            const Row& first = rows[it->firstRow];
            if (!chapters.contains(it.key())) {
                rowProblem(first, QStringLiteral(
                                      "chapter id \"%1\" (%2 venues) has no entry in OrderChapters, so no "
                                      "reader finds them")
                                      .arg(it.key())
                                      .arg(it->venues));
                continue;
            }
            const QString label = chapters.value(it.key());
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

    void checkChapterList(const std::optional<QVariantMap>& root) {
        const QString name = QStringLiteral("chapter.plist");
        if (!root)
            return;
        for (const char* key : {"Backgrounds", "Colors", "Placements", "Default GPS Position"}) {
            if (root->value(QString::fromLatin1(key)).typeId() != QMetaType::QVariantMap)
                report(name,
                       QStringLiteral("\"%1\" is missing or not a dictionary").arg(QString::fromLatin1(key)));
        }
        const QVariantMap backgrounds = root->value(QStringLiteral("Backgrounds")).toMap();
        const QVariantMap colors = root->value(QStringLiteral("Colors")).toMap();
        const QVariantMap placements = root->value(QStringLiteral("Placements")).toMap();
        for (auto [what, entries] : {std::pair{"background", &backgrounds}, std::pair{"colour", &colors},
                                     std::pair{"placement", &placements}}) {
            for (auto it = entries->cbegin(); it != entries->cend(); ++it) {
                if (settingsRead && !chapterLabels.contains(it.key()))
                    report(chapterListPlace(it.key()),
                           QStringLiteral("the %1 of \"%2\" belongs to no chapter of OrderChapters (%3)")
                               .arg(QString::fromLatin1(what), it.key(),
                                    chapterLabels.join(QStringLiteral(", "))));
            }
        }
        for (auto it = backgrounds.cbegin(); it != backgrounds.cend(); ++it)
            namePicture(it.value().toString(), chapterListPlace(it.key()));
        for (const QString& title : std::as_const(chapterLabels)) {
            if (title == u"Metro")
                continue;
            if (!backgrounds.contains(title))
                report(name, QStringLiteral("chapter \"%1\" has no background").arg(title));
            const QVariantMap color = colors.value(title).toMap();
            for (const char* c : {"r", "g", "b", "a"}) {
                bool ok = false;
                const double v = color.value(QString::fromLatin1(c)).toDouble(&ok);
                if (!ok || !(v >= 0 && v <= 1)) {
                    QStringList keys = {QStringLiteral("Colors")};
                    if (colors.contains(title))
                        keys.append(title);
                    if (color.contains(QString::fromLatin1(c)))
                        keys.append(QString::fromLatin1(c));
                    report(chapterListPlace(keys),
                           QStringLiteral("chapter \"%1\" has no colour value \"%2\" from 0 to 1")
                               .arg(title, QString::fromLatin1(c)));
                    break;
                }
            }
        }
        for (auto it = placements.cbegin(); it != placements.cend(); ++it) {
            const QVariantMap placement = it.value().toMap();
            namePicture(placement.value(QStringLiteral("image")).toString(), chapterListPlace(it.key()));
            const QVariant venue = placement.value(QStringLiteral("venue_id"));
            bool ok = false;
            const qint64 id = venue.toLongLong(&ok);
            const bool exists =
                ok && std::any_of(rows.cbegin(), rows.cend(), [id](const Row& r) { return r.id == id; });
            if (venue.isValid() && !exists && rowsComplete)
                report(chapterListPlace(it.key()),
                       QStringLiteral("the placement of \"%1\" names venue %2, which does not exist")
                           .arg(it.key(), venue.toString()));
        }
        checkMapTiles(root->value(QStringLiteral("Map Tiles")), name);
    }

    // The optional offline street tiles: a readable MBTiles file whose bounds hold every venue.
    void checkMapTiles(const QVariant& entry, const QString& name) {
        if (!entry.isValid())
            return;
        const QVariantMap tiles = entry.toMap();
        if (entry.typeId() != QMetaType::QVariantMap) {
            report(name, QStringLiteral("\"Map Tiles\" is not a dictionary"));
            return;
        }
        const QString url = tiles.value(QStringLiteral("url")).toString();
        if (!url.isEmpty() && !(url.contains(QStringLiteral("{z}")) && url.contains(QStringLiteral("{x}")) &&
                                url.contains(QStringLiteral("{y}"))))
            report(name, QStringLiteral("\"Map Tiles\" url \"%1\" lacks {z}, {x} or {y}").arg(url));
        const QString file = tiles.value(QStringLiteral("file")).toString();
        if (file.isEmpty())
            return;
        if (!Paths::isPlainName(file)) {
            report(name, QStringLiteral("\"Map Tiles\" file \"%1\" is a path, not a file name").arg(file));
            return;
        }
        // The guide goes on without it (the live map shows the online tiles), in the sources and in the
        // edition alike.
        if (!QFileInfo::exists(folder + u'/' + file)) {
            warn(chapterListPlace(QStringList{QStringLiteral("Map Tiles"), QStringLiteral("file")}),
                 QStringLiteral(
                     "the \"Map Tiles\" file %1 is missing: offline, the live map would show no "
                     "streets. Make it with cityguide-edition tiles or tiles-osm and put it into the "
                     "%2 folder")
                     .arg(file, sourceFolder ? QStringLiteral("source") : QStringLiteral("edition's")));
            return;
        }
        const MBTilesSource source(folder + u'/' + file);
        if (!source.isOpen()) {
            report(file, source.error().section(QStringLiteral(": "), 1));
            return;
        }
        if (source.tilesIsView()) {
            report(file,
                   QStringLiteral("\"tiles\" is a view; the guide reads a table of tiles (make the file "
                                  "with cityguide-edition tiles)"));
            return;
        }
        if (!source.tilesIndexed())
            warn(file,
                 QStringLiteral("\"tiles\" has no index on (zoom_level, tile_column, tile_row): the live "
                                "map reads every row for each tile"));
        const auto bounds = source.bounds();
        if (!bounds) {
            report(file, QStringLiteral("has no \"bounds\" in its metadata"));
            return;
        }
        int outside = 0;
        for (const Row& row : std::as_const(rows)) {
            bool latOk = false, lonOk = false;
            const double lat = row.values[cLat].toDouble(&latOk);
            const double lon = row.values[cLon].toDouble(&lonOk);
            if (!latOk || !lonOk || (lat == 0 && lon == 0))
                continue;
            if ((lon < (*bounds)[0] || lat < (*bounds)[1] || lon > (*bounds)[2] || lat > (*bounds)[3]) &&
                ++outside <= 5)
                rowProblem(row, QStringLiteral("%1,%2 lies outside the map tiles of %3, which cover "
                                               "%4,%5,%6,%7 (S,W,N,E)")
                                    .arg(lat)
                                    .arg(lon)
                                    .arg(file)
                                    .arg((*bounds)[1])
                                    .arg((*bounds)[0])
                                    .arg((*bounds)[3])
                                    .arg((*bounds)[2]));
        }
        if (outside > 5)
            report(file, QStringLiteral("%1 more venues lie outside its tiles").arg(outside - 5));
    }

    void checkBookmarks() {
        const QString name = QStringLiteral("Bookmarks.plist");
        const auto root = readDictionary(name);
        if (!root)
            return;
        const QVariant venues = root->value(QStringLiteral("Venues"));
        if (venues.typeId() != QMetaType::QVariantList) {
            report(name, QStringLiteral("\"Venues\" is missing or not a list"));
            return;
        }
        const QVariantList entries = venues.toList();
        for (int i = 0; i < entries.size(); ++i) {
            if (entries[i].typeId() != QMetaType::QString)
                report(name, QStringLiteral("entry %1 of \"Venues\" is not a venue name").arg(i + 1));
        }
    }

    bool pictureFile(const QString& name, bool twice) const {
        const QDir dir(folder);
        if (dir.exists(name + (twice ? QStringLiteral("@2x.png") : QStringLiteral(".png"))))
            return true;
        // A source folder may keep its pictures as drawings that the build renders at both sizes.
        return sourceFolder && dir.exists(QStringLiteral("art/%1.svg").arg(name));
    }

    // Empty when the guide can show the picture file; otherwise why not. The guide decodes pictures of
    // up to Qt's allocation limit (128 MB, some 5,600 x 5,600 pixels) and shows nothing for the rest.
    static QString pictureProblem(const QString& path) {
        QImageReader reader(path);
        if (!reader.canRead())
            return QStringLiteral("is not a picture the guide can read");
        const QSize size = reader.size();
        const int bits = QImage::toPixelFormat(reader.imageFormat()).bitsPerPixel();
        if (qint64(size.width()) * size.height() * std::max(bits, 8) / 8 >
            qint64(QImageReader::allocationLimit()) << 20)
            return QStringLiteral("is %1 x %2 pixels, more than the guide decodes (at most %3 MB as drawn); "
                                  "make it smaller")
                .arg(size.width())
                .arg(size.height())
                .arg(QImageReader::allocationLimit());
        if (reader.read().isNull())
            return QStringLiteral("cannot be decoded (%1); is it cut short?").arg(reader.errorString());
        return {};
    }

    // The picture files of a name, and a source's drawing, each as the guide or the build would read it.
    void checkPictureFiles(const QString& name, const QString& where, const QString& venue) {
        const QDir dir(folder);
        for (const QString& file : {name + QStringLiteral(".png"), name + QStringLiteral("@2x.png")}) {
            if (dir.exists(file))
                if (const QString problem = pictureProblem(dir.filePath(file)); !problem.isEmpty())
                    report(where, QStringLiteral("picture %1 %2").arg(file, problem), venue);
        }
        const QString drawing = QStringLiteral("art/%1.svg").arg(name);
        if (sourceFolder && dir.exists(drawing) && !QSvgRenderer(dir.filePath(drawing)).isValid())
            report(where, QStringLiteral("drawing %1 is not an SVG the build can draw").arg(drawing), venue);
    }

    void checkPictures() {
        const QString guide = QStringLiteral("the guide");
        for (const QString& name : Edition::alwaysNeededPictures()) {
            if (!pictures.contains(name))
                pictures.insert(name, Naming{guide, QString(), false});
        }
        for (auto it = pictures.cbegin(); it != pictures.cend(); ++it) {
            const bool always = it->place == guide;
            const QString where = always ? it.key() + QStringLiteral(".png") : it->place;
            if (!pictureFile(it.key(), false))
                report(where,
                       always ? QStringLiteral("missing: the guide always shows this picture")
                              : QStringLiteral("picture \"%1\" does not exist").arg(it.key()),
                       it->venue);
            else if (!it->singleSize && !pictureFile(it.key(), true))
                report(where,
                       QStringLiteral("picture \"%1\" has no %1@2x.png for sharp screens").arg(it.key()),
                       it->venue, true);
            checkPictureFiles(it.key(), where, it->venue);
        }
        // The build draws every drawing of art/, named or not, and stops at one it cannot draw.
        if (!sourceFolder)
            return;
        const QDir art(folder + QStringLiteral("/art"));
        for (const QString& file : art.entryList({QStringLiteral("*.svg")}, QDir::Files, QDir::Name)) {
            if (!pictures.contains(QFileInfo(file).completeBaseName()) &&
                !QSvgRenderer(art.filePath(file)).isValid())
                report(QStringLiteral("art/") + file,
                       QStringLiteral("is not an SVG the build can draw; the build would stop there"));
        }
    }

    // The first column of every row, as text.
    QStringList firstColumn(const char* sql) {
        QStringList result;
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(catalog, sql, -1, &statement, nullptr) != SQLITE_OK) {
            result.append(QString::fromUtf8(sqlite3_errmsg(catalog)));
            return result;
        }
        int rc = SQLITE_OK;
        while ((rc = sqlite3_step(statement)) == SQLITE_ROW)
            result.append(
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0))));
        if (rc != SQLITE_DONE)
            result.append(QString::fromUtf8(sqlite3_errmsg(catalog)));
        sqlite3_finalize(statement);
        return result;
    }
};

} // namespace

namespace Edition {

bool fitsColumn(const QString& column, const QString& value) {
    const int c = int(catalogColumns().indexOf(column));
    for (const Shape& shape : fieldShapes()) {
        if (shape.column == c)
            return shape.form.match(value.trimmed()).hasMatch();
    }
    return true;
}

QString catalogProblem(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    if (!QFileInfo::exists(path))
        return name + QStringLiteral(": missing");
    sqlite3* db = nullptr;
    std::unique_ptr<sqlite3, int (*)(sqlite3*)> owner(nullptr, sqlite3_close_v2);
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr) !=
        SQLITE_OK) {
        sqlite3_close(db);
        return name + QStringLiteral(": cannot be opened");
    }
    owner.reset(db);
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, "select type from sqlite_master where name = 'catalog'", -1, &statement,
                           nullptr) != SQLITE_OK)
        return name + QStringLiteral(": ") + QString::fromUtf8(sqlite3_errmsg(db));
    const bool found = sqlite3_step(statement) == SQLITE_ROW;
    const QString type =
        found ? QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)))
              : QString();
    const int read = sqlite3_finalize(statement);
    if (read != SQLITE_OK)
        return name + QStringLiteral(": ") + QString::fromUtf8(sqlite3_errstr(read));
    if (!found)
        return name + QStringLiteral(": has no table \"catalog\"");
    // A view may run any query, also one that never ends; the guide reads a plain table.
    if (type != u"table")
        return name + QStringLiteral(": \"catalog\" is a %1, not a table").arg(type);
    if (sqlite3_prepare_v2(db, "select name from pragma_table_info('catalog')", -1, &statement, nullptr) !=
        SQLITE_OK)
        return name + QStringLiteral(": ") + QString::fromUtf8(sqlite3_errmsg(db));
    QStringList present;
    while (sqlite3_step(statement) == SQLITE_ROW)
        present.append(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0))));
    const int rc = sqlite3_finalize(statement);
    if (rc != SQLITE_OK)
        return name + QStringLiteral(": ") + QString::fromUtf8(sqlite3_errstr(rc));
    QStringList missing;
    for (const QString& column : catalogColumns()) {
        if (!present.contains(column, Qt::CaseInsensitive))
            missing.append(column);
    }
    if (!missing.isEmpty())
        return name + QStringLiteral(": table \"catalog\" lacks the columns ") +
               missing.join(QStringLiteral(", "));
    return {};
}

CheckResult check(const QString& folder, QStringList* problems) {
    const QDir dir(folder);
    const bool sources = !catalogSources(folder).isEmpty();
    if (!QFileInfo(folder).isDir() || (!dir.exists(QStringLiteral("manager.csv")) &&
                                       !dir.exists(QStringLiteral("Catalog.sqlite")) && !sources))
        return CheckResult::NotAnEdition;
    Checker checker{folder, problems};
    checker.sourceFolder = sources;
    checker.checkSettings();
    const auto chapterList = checker.readChapterList();
    // A source folder is checked from its sources; a catalogue built beside them is checked for damage.
    const bool built = dir.exists(QStringLiteral("Catalog.sqlite"));
    const bool catalogReadable = (!sources || built) && checker.openCatalog();
    if (sources)
        checker.readSourceRows();
    else if (catalogReadable)
        checker.readCatalogRows();
    if (sources || catalogReadable)
        checker.checkRows();
    checker.checkChapterList(chapterList);
    checker.checkBookmarks();
    QFile imprint(folder + QStringLiteral("/imprint.txt"));
    if (!imprint.open(QIODevice::ReadOnly))
        checker.report(QStringLiteral("imprint.txt"), QStringLiteral("missing"));
    else
        checker.checkFilledIn(QStringLiteral("imprint.txt"), QString::fromUtf8(imprint.readAll()));
    checker.checkFilledIn(QStringLiteral("chapter.plist"), checker.chapterListText);
    checker.checkPictures();
    sqlite3_close_v2(checker.catalog);
    return checker.errors == 0 ? CheckResult::Clean : CheckResult::Problems;
}

} // namespace Edition
