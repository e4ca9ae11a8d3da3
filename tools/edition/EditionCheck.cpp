#include "tools/edition/Edition.h"

#include "model/LenientDate.h"
#include "model/ManagerModel.h"
#include "model/PropertyList.h"
#include "model/SBKCSVParser.h"
#include "platform/MapTiles.h"
#include "platform/Paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStringDecoder>
#include <QUrl>
#include <sqlite3.h>

#include <memory>

namespace {

struct Checker {
    QString folder;
    QStringList* problems;
    QSet<QString> pictures;         // picture names the edition refers to
    QMap<QString, QString> sources; // picture name -> where it was named (the first place)
    QStringList chapterIDs;
    QStringList chapterTitles;
    sqlite3* catalog = nullptr;

    void problem(const QString& file, const QString& what) {
        problems->append(file + QStringLiteral(": ") + what);
    }

    // where: the file, or the file and the place in it ("Catalog.sqlite: venue 12").
    void namePicture(const QString& name, const QString& where) {
        const QString trimmed = name.trimmed();
        if (trimmed.isEmpty())
            return;
        if (!Paths::isPlainName(trimmed)) {
            problems->append(where + QStringLiteral(": picture name \"%1\" is a path; a picture is named by "
                                                    "its file name in the edition folder")
                                         .arg(trimmed));
            return;
        }
        pictures.insert(trimmed);
        if (!sources.contains(trimmed))
            sources.insert(trimmed, where);
    }

    bool pictureExists(const QString& name) const {
        QString base = name;
        if (base.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive))
            base.chop(4);
        const QDir dir(folder);
        return dir.exists(name) || dir.exists(base + QStringLiteral(".png")) ||
               dir.exists(base + QStringLiteral("@2x.png"));
    }

    // "a:b:c,d:e:f" with `parts` parts per entry; returns the entries split.
    QList<QStringList> listSetting(const QString& column, const QString& value, int parts) {
        QList<QStringList> entries;
        if (value.trimmed().isEmpty()) {
            problem(QStringLiteral("manager.csv"), column + QStringLiteral(" is empty"));
            return entries;
        }
        const QStringList items = ManagerModel::listEntries(value);
        for (int i = 0; i < items.size(); ++i) {
            const QString& item = items[i];
            const QStringList fields = item.split(u':');
            if (fields.size() != parts) {
                problem(QStringLiteral("manager.csv"),
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

    void checkSettings() {
        const QString name = QStringLiteral("manager.csv");
        QFile file(folder + u'/' + name);
        if (!file.open(QIODevice::ReadOnly)) {
            problem(name, QStringLiteral("missing or unreadable"));
            return;
        }
        const QByteArray bytes = file.readAll();
        QStringDecoder decoder(QStringDecoder::Utf8);
        const QString text = decoder(bytes);
        if (decoder.hasError()) {
            problem(name, QStringLiteral("is not valid UTF-8"));
            return;
        }
        if (bytes.startsWith("\xEF\xBB\xBF"))
            problem(name, QStringLiteral("starts with a byte-order mark"));
        if (bytes.contains("\r\n"))
            problem(name, QStringLiteral("has Windows line ends (CR LF); save it with plain line feeds"));
        const QList<QStringList> rows = SBKCSVParser::allRows(text, 2);
        if (rows.size() < 2) {
            problem(name, QStringLiteral("has no data line after the header"));
            return;
        }
        if (rows[0].size() != ManagerModel::columnCount)
            problem(name, QStringLiteral("the header has %1 names, not %2").arg(rows[0].size()).arg(27));
        const QStringList& row = rows[1];
        if (row.size() != ManagerModel::columnCount) {
            problem(name, QStringLiteral(
                              "the data line has %1 fields, not %2 (a quote inside a value may split it)")
                              .arg(row.size())
                              .arg(27));
            return;
        }
        ManagerModel model;
        for (int c = 0; c < ManagerModel::columnCount; ++c)
            model.setField(c, row[c].trimmed());

        if (!parseLenientDate(model.dateRelease()))
            problem(name, QStringLiteral("DateRelease \"%1\" is not a date").arg(model.dateRelease()));
        for (auto [column, value] : {std::pair{"DateCurrency", model.dateCurrency()},
                                     std::pair{"DateWeather", model.dateWeather()}}) {
            if (!value.isEmpty() && !parseFeedTime(value))
                problem(name, QStringLiteral("%1 \"%2\" is not in the form yyyy-MM-dd 'T' HH:mm")
                                  .arg(QString::fromLatin1(column), value));
        }

        for (const QStringList& entry :
             listSetting(QStringLiteral("OrderChapters"), model.orderChapters(), 3)) {
            const QString label = entry[0].trimmed();
            namePicture(entry[1], QStringLiteral("OrderChapters"));
            if (label == u"Metro" || label == u"Search")
                continue;
            const QStringList key = entry[2].split(u';');
            if (key.size() < 2 || key[1].trimmed().isEmpty()) {
                problem(
                    name,
                    QStringLiteral("OrderChapters entry \"%1\" has no chapter id after \";\"").arg(label));
                continue;
            }
            chapterIDs.append(key[1]);
            chapterTitles.append(label);
        }
        bool metroMap = false;
        for (const QStringList& entry : listSetting(QStringLiteral("OrderMaps"), model.orderMaps(), 3)) {
            namePicture(entry[1], QStringLiteral("OrderMaps"));
            namePicture(entry[2], QStringLiteral("OrderMaps"));
            metroMap = metroMap || entry[1] == u"MetroMap.png";
        }
        if (!model.orderMaps().isEmpty() && !metroMap)
            problem(name, QStringLiteral("OrderMaps has no entry for \"MetroMap.png\""));
        for (auto [column, value] : {std::pair{"OrderChapterTools", model.orderChapterTools()},
                                     std::pair{"OrderVenuesTools", model.orderVenuesTools()},
                                     std::pair{"OrderDetailedViewTools", model.orderDetailedViewTools()}}) {
            for (const QStringList& entry : listSetting(QString::fromLatin1(column), value, 3))
                namePicture(entry[1], QString::fromLatin1(column));
        }
        const QList<QStringList> currencies =
            listSetting(QStringLiteral("UserCurrencies"), model.userCurrencies(), 3);
        for (const QStringList& entry : currencies)
            namePicture(entry[2], QStringLiteral("UserCurrencies"));
        if (!currencies.isEmpty() && !currencies[0][0].startsWith(QStringLiteral("EUR")) &&
            (currencies.size() < 2 || !currencies[1][0].startsWith(QStringLiteral("EUR"))))
            problem(name, QStringLiteral("UserCurrencies must have the euro first or second"));
        for (auto [column, value] :
             {std::pair{"FeedCurrency", model.feedCurrency()}, std::pair{"FeedTV", model.feedTV()},
              std::pair{"FeedWeather", model.feedWeather()}}) {
            const QUrl url(value, QUrl::StrictMode);
            if (!value.isEmpty() && (!url.isValid() || url.scheme().isEmpty()))
                problem(
                    name,
                    QStringLiteral("%1 \"%2\" is not an address").arg(QString::fromLatin1(column), value));
        }
    }

    void checkCatalog() {
        const QString name = QStringLiteral("Catalog.sqlite");
        const QString path = folder + u'/' + name;
        const QString why = Edition::catalogProblem(path);
        if (!why.isEmpty()) {
            problems->append(why);
            return;
        }
        sqlite3_open_v2(QFile::encodeName(path).constData(), &catalog, SQLITE_OPEN_READONLY, nullptr);
        // A damaged file reads as a shorter one, page by page; SQLite's own check finds it.
        const QStringList damage = rows("pragma integrity_check(20)");
        if (damage != QStringList{QStringLiteral("ok")}) {
            for (const QString& what : damage)
                problem(name, QStringLiteral("damaged: ") + what);
            return;
        }
        for (const char* column : {"chapter_name", "category_name"}) {
            const QByteArray sql = QByteArray("select rowid || ': \"' || ") + column +
                                   " || '\"' from catalog where " + column + " != trim(" + column +
                                   ", ' ' || char(9, 10, 13))";
            for (const QString& venue : rows(sql.constData()))
                problem(name, QStringLiteral("venue %1 has blanks around its %2")
                                  .arg(venue, QString::fromLatin1(column).replace(u'_', u' ')));
        }
        for (int i = 0; i < chapterIDs.size(); ++i) {
            if (count("select count(*) from catalog where chapter_id = ?1", chapterIDs[i]) == 0)
                problem(QStringLiteral("manager.csv"),
                        QStringLiteral("chapter \"%1\" has id \"%2\", which no venue has")
                            .arg(chapterTitles[i], chapterIDs[i]));
        }
        sqlite3_stmt* images = nullptr;
        sqlite3_prepare_v2(catalog,
                           "select min(rowid), image from catalog where image is not null and image != '' "
                           "group by image order by 1",
                           -1, &images, nullptr);
        while (images && sqlite3_step(images) == SQLITE_ROW)
            namePicture(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(images, 1))),
                        name + QStringLiteral(": venue %1").arg(sqlite3_column_int64(images, 0)));
        sqlite3_finalize(images);
    }

    // The first column of every row, as text.
    QStringList rows(const char* sql) {
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

    int count(const char* sql, const QString& value) {
        sqlite3_stmt* statement = nullptr;
        if (!catalog || sqlite3_prepare_v2(catalog, sql, -1, &statement, nullptr) != SQLITE_OK)
            return -1;
        const QByteArray utf8 = value.toUtf8();
        sqlite3_bind_text(statement, 1, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
        const int result = sqlite3_step(statement) == SQLITE_ROW ? sqlite3_column_int(statement, 0) : -1;
        sqlite3_finalize(statement);
        return result;
    }

    std::optional<QVariantMap> readDictionary(const QString& name) {
        QString error;
        const auto root = PropertyList::readFile(folder + u'/' + name, &error);
        if (!root) {
            problem(name, error);
            return std::nullopt;
        }
        if (root->typeId() != QMetaType::QVariantMap) {
            problem(name, QStringLiteral("the top level is not a dictionary"));
            return std::nullopt;
        }
        return root->toMap();
    }

    void checkChapterList() {
        const QString name = QStringLiteral("chapter.plist");
        const auto root = readDictionary(name);
        if (!root)
            return;
        for (const char* key : {"Backgrounds", "Colors", "Placements", "Default GPS Position"}) {
            if (root->value(QString::fromLatin1(key)).typeId() != QMetaType::QVariantMap)
                problem(
                    name,
                    QStringLiteral("\"%1\" is missing or not a dictionary").arg(QString::fromLatin1(key)));
        }
        const QVariantMap backgrounds = root->value(QStringLiteral("Backgrounds")).toMap();
        const QVariantMap colors = root->value(QStringLiteral("Colors")).toMap();
        for (auto it = backgrounds.begin(); it != backgrounds.end(); ++it)
            namePicture(it.value().toString(), name + QStringLiteral(": background of \"%1\"").arg(it.key()));
        for (const QString& title : std::as_const(chapterTitles)) {
            if (!backgrounds.contains(title))
                problem(name, QStringLiteral("chapter \"%1\" has no background").arg(title));
            const QVariantMap color = colors.value(title).toMap();
            for (const char* c : {"r", "g", "b", "a"}) {
                bool ok = false;
                const double v = color.value(QString::fromLatin1(c)).toDouble(&ok);
                if (!ok || v < 0 || v > 1) {
                    problem(name, QStringLiteral("chapter \"%1\" has no colour value \"%2\" from 0 to 1")
                                      .arg(title, QString::fromLatin1(c)));
                    break;
                }
            }
        }
        const QVariantMap placements = root->value(QStringLiteral("Placements")).toMap();
        for (auto it = placements.begin(); it != placements.end(); ++it) {
            const QVariantMap placement = it.value().toMap();
            namePicture(placement.value(QStringLiteral("image")).toString(),
                        name + QStringLiteral(": placement of \"%1\"").arg(it.key()));
            const QVariant venue = placement.value(QStringLiteral("venue_id"));
            if (venue.isValid() &&
                count("select count(*) from catalog where rowid = ?1", venue.toString()) == 0)
                problem(name, QStringLiteral("the placement of \"%1\" names venue %2, which does not exist")
                                  .arg(it.key(), venue.toString()));
        }
        checkMapTiles(root->value(QStringLiteral("Map Tiles")), name);
        const QVariantMap centre = root->value(QStringLiteral("Default GPS Position")).toMap();
        bool latOk = false, lonOk = false;
        centre.value(QStringLiteral("lat")).toDouble(&latOk);
        centre.value(QStringLiteral("long")).toDouble(&lonOk);
        if (!latOk || !lonOk)
            problem(name, QStringLiteral("\"Default GPS Position\" needs the numbers \"lat\" and \"long\""));
    }

    // The optional offline street tiles: a readable MBTiles file whose bounds hold every venue.
    void checkMapTiles(const QVariant& entry, const QString& name) {
        if (!entry.isValid())
            return;
        const QVariantMap tiles = entry.toMap();
        if (entry.typeId() != QMetaType::QVariantMap) {
            problem(name, QStringLiteral("\"Map Tiles\" is not a dictionary"));
            return;
        }
        const QString url = tiles.value(QStringLiteral("url")).toString();
        if (!url.isEmpty() && !(url.contains(QStringLiteral("{z}")) && url.contains(QStringLiteral("{x}")) &&
                                url.contains(QStringLiteral("{y}"))))
            problem(name, QStringLiteral("\"Map Tiles\" url \"%1\" lacks {z}, {x} or {y}").arg(url));
        const QString file = tiles.value(QStringLiteral("file")).toString();
        if (file.isEmpty())
            return;
        if (!Paths::isPlainName(file)) {
            problem(name, QStringLiteral("\"Map Tiles\" file \"%1\" is a path, not a file name").arg(file));
            return;
        }
        const MBTilesSource source(folder + u'/' + file);
        if (!source.isOpen()) {
            problem(file, source.error().section(QStringLiteral(": "), 1));
            return;
        }
        const auto bounds = source.bounds();
        if (!bounds) {
            problem(file, QStringLiteral("has no \"bounds\" in its metadata"));
            return;
        }
        const QByteArray outside =
            QStringLiteral(
                "select rowid, name from catalog where gps_lat is not null and gps_lon is not null and "
                "gps_lat != 0 and gps_lon != 0 and (gps_lon < %1 or gps_lat < %2 or gps_lon > %3 or "
                "gps_lat > %4) limit 5")
                .arg((*bounds)[0], 0, 'g', 17)
                .arg((*bounds)[1], 0, 'g', 17)
                .arg((*bounds)[2], 0, 'g', 17)
                .arg((*bounds)[3], 0, 'g', 17)
                .toUtf8();
        sqlite3_stmt* statement = nullptr;
        if (catalog &&
            sqlite3_prepare_v2(catalog, outside.constData(), -1, &statement, nullptr) == SQLITE_OK) {
            while (sqlite3_step(statement) == SQLITE_ROW)
                problem(file, QStringLiteral("venue %1 \"%2\" lies outside the tiles' bounds")
                                  .arg(sqlite3_column_int64(statement, 0))
                                  .arg(QString::fromUtf8(
                                      reinterpret_cast<const char*>(sqlite3_column_text(statement, 1)))));
        }
        sqlite3_finalize(statement);
    }

    void checkBookmarks() {
        const QString name = QStringLiteral("Bookmarks.plist");
        const auto root = readDictionary(name);
        if (!root)
            return;
        const QVariant venues = root->value(QStringLiteral("Venues"));
        if (venues.typeId() != QMetaType::QVariantList) {
            problem(name, QStringLiteral("\"Venues\" is missing or not a list"));
            return;
        }
        const QVariantList entries = venues.toList();
        for (int i = 0; i < entries.size(); ++i) {
            if (entries[i].typeId() != QMetaType::QString)
                problem(name, QStringLiteral("entry %1 of \"Venues\" is not a venue name").arg(i + 1));
        }
    }

    void checkPictures() {
        QStringList names(pictures.begin(), pictures.end());
        names.sort();
        for (const QString& picture : names) {
            if (!pictureExists(picture))
                problem(sources.value(picture), QStringLiteral("picture \"%1\" does not exist").arg(picture));
        }
    }
};

} // namespace

namespace Edition {

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
    if (sqlite3_prepare_v2(db, "select name from pragma_table_info('catalog')", -1, &statement, nullptr) !=
        SQLITE_OK)
        return name + QStringLiteral(": ") + QString::fromUtf8(sqlite3_errmsg(db));
    QStringList present;
    while (sqlite3_step(statement) == SQLITE_ROW)
        present.append(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0))));
    const int rc = sqlite3_finalize(statement);
    if (rc != SQLITE_OK)
        return name + QStringLiteral(": ") + QString::fromUtf8(sqlite3_errstr(rc));
    if (present.isEmpty())
        return name + QStringLiteral(": has no table \"catalog\"");
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
    if (!QFileInfo(folder).isDir() ||
        (!dir.exists(QStringLiteral("manager.csv")) && !dir.exists(QStringLiteral("Catalog.sqlite"))))
        return CheckResult::NotAnEdition;
    Checker checker{folder, problems, {}, {}, {}, {}, nullptr};
    checker.checkSettings();
    checker.checkCatalog();
    checker.checkChapterList();
    checker.checkBookmarks();
    if (!QFileInfo::exists(folder + QStringLiteral("/imprint.txt")))
        checker.problem(QStringLiteral("imprint.txt"), QStringLiteral("missing"));
    checker.checkPictures();
    sqlite3_close_v2(checker.catalog);
    return problems->isEmpty() ? CheckResult::Clean : CheckResult::Problems;
}

} // namespace Edition
