#include "tools/edition/Edition.h"
#include "tools/edition/EditionSources.h"

#include "model/ManagerModel.h"
#include "model/PropertyList.h"
#include "model/SBKCSVParser.h"
#include "platform/TextValues.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <sqlite3.h>

#include <cmath>
#include <filesystem>
#include <memory>

namespace {

struct DbClose {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
using Db = std::unique_ptr<sqlite3, DbClose>;

bool isRealColumn(const QString& name) {
    return name == u"gps_lat" || name == u"gps_lon";
}

bool isNameColumn(const QString& name) {
    return name == u"category_name" || name == u"chapter_name";
}

// search_folded(text): the text as the guide's search compares it.
void foldForSearch(sqlite3_context* context, int, sqlite3_value** arguments) {
    if (sqlite3_value_type(arguments[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(arguments[0]));
    const QByteArray folded =
        searchFolded(QString::fromUtf8(text, sqlite3_value_bytes(arguments[0]))).toUtf8();
    sqlite3_result_text(context, folded.constData(), int(folded.size()), SQLITE_TRANSIENT);
}

bool exec(sqlite3* db, const QByteArray& sql, QString* error) {
    char* message = nullptr;
    if (sqlite3_exec(db, sql.constData(), nullptr, nullptr, &message) != SQLITE_OK) {
        *error = QString::fromUtf8(message ? message : "SQLite error");
        sqlite3_free(message);
        return false;
    }
    return true;
}

bool loadCsv(sqlite3* db, const QString& path, QString* error) {
    RfcCsvTable table;
    Edition::SourceProblem problem;
    if (!Edition::readCatalogSource(path, &table, &problem)) {
        *error = QStringLiteral("%1: %2").arg(Edition::sourcePlace(path, problem.line), problem.what);
        return false;
    }
    for (const QString& name : table.header) {
        if (!Edition::catalogColumns().contains(name)) {
            *error = QStringLiteral("%1: unknown column \"%2\"").arg(Edition::sourcePlace(path, 1), name);
            return false;
        }
    }
    QStringList marks;
    for (int i = 0; i < table.header.size(); ++i)
        marks.append(QStringLiteral("?%1").arg(i + 1));
    const QByteArray sql = QStringLiteral("insert into catalog (%1) values (%2)")
                               .arg(table.header.join(u", "), marks.join(u", "))
                               .toUtf8();
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql.constData(), -1, &statement, nullptr) != SQLITE_OK) {
        *error = QStringLiteral("%1: %2").arg(path, QString::fromUtf8(sqlite3_errmsg(db)));
        return false;
    }
    std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> owner(statement, sqlite3_finalize);
    for (qsizetype r = 0; r < table.rows.size(); ++r) {
        const QStringList& row = table.rows[r];
        const int line = table.rowLines[r];
        if (row.size() != table.header.size()) {
            *error = QStringLiteral("%1: %2 fields where the header has %3")
                         .arg(Edition::sourcePlace(path, line))
                         .arg(row.size())
                         .arg(table.header.size());
            return false;
        }
        sqlite3_reset(statement);
        sqlite3_clear_bindings(statement);
        for (int c = 0; c < row.size(); ++c) {
            const QString& value = row[c];
            if (value.isEmpty())
                continue; // NULL
            if (isRealColumn(table.header[c])) {
                QString why;
                const auto number = Edition::coordinateValue(value, &why);
                if (!number) {
                    *error = QStringLiteral("%1: %2 \"%3\" %4")
                                 .arg(Edition::sourcePlace(path, line), table.header[c], value, why);
                    return false;
                }
                sqlite3_bind_double(statement, c + 1, *number);
            } else {
                // Stray blanks around a chapter or category name would split it from its venues.
                const QByteArray utf8 = (isNameColumn(table.header[c]) ? value.trimmed() : value).toUtf8();
                sqlite3_bind_text(statement, c + 1, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
            }
        }
        if (sqlite3_step(statement) != SQLITE_DONE) {
            *error = QStringLiteral("%1: %2").arg(Edition::sourcePlace(path, line),
                                                  QString::fromUtf8(sqlite3_errmsg(db)));
            return false;
        }
    }
    return true;
}

// A trigger's step: the new row's position into the R*Tree, where it has one.
#define ADD_POSITION                                                                                         \
    "insert into catalog_position select new.rowid, new.gps_lat, new.gps_lat, new.gps_lon, new.gps_lon "     \
    "where typeof(new.gps_lat) in ('real', 'integer') and typeof(new.gps_lon) in ('real', 'integer');"

bool makeCatalog(const QStringList& sources, const QString& target, QString* error) {
    sqlite3* raw = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(target).constData(), &raw,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        *error = QStringLiteral("%1: %2").arg(target,
                                              QString::fromUtf8(raw ? sqlite3_errmsg(raw) : "cannot open"));
        sqlite3_close(raw);
        return false;
    }
    Db db(raw);
    QStringList columns;
    for (const QString& name : Edition::catalogColumns())
        columns.append(name + (isRealColumn(name) ? QStringLiteral(" REAL") : QStringLiteral(" TEXT")));
    const QByteArray schema = QStringLiteral("create table catalog (%1)").arg(columns.join(u", ")).toUtf8();
    sqlite3_create_function(db.get(), "search_folded", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                            foldForSearch, nullptr, nullptr);
    if (!exec(db.get(), schema, error) || !exec(db.get(), "begin", error))
        return false;
    for (const QString& source : sources) {
        if (!loadCsv(db.get(), source, error))
            return false;
    }
    // The screens select by chapter, by category within a chapter and by name. The chapter index has
    // the chapter alone, so that a chapter's rows still come in catalogue order (its first row holds
    // the introduction).
    return exec(
        db.get(),
        "create index catalog_chapter on catalog (chapter_id);"
        "create index catalog_category on catalog (trim(category_name), chapter_id);"
        "create index catalog_name on catalog (name);"
        // The search compares folded texts (case and accents forgiven): a folded copy of the
        // names and descriptions, and an index of their trigrams with positions, which finds a
        // folded text of three characters or more as a run of its trigrams.
        "create table catalog_folded (rowid integer primary key, name text, body text);"
        "insert into catalog_folded select rowid, search_folded(name), search_folded(body) from catalog;"
        "create virtual table catalog_search using fts5(name, body, content='catalog_folded', "
        "content_rowid='rowid', tokenize='trigram');"
        "insert into catalog_search(catalog_search) values ('rebuild');"
        // The near-me query looks up a box around the reader in an R*Tree of the venues' positions
        // (each a point) instead of reading every row; triggers keep it right when the catalogue is
        // changed by hand afterwards.
        "create virtual table catalog_position using rtree(id, min_lat, max_lat, min_lon, max_lon);"
        "insert into catalog_position select rowid, gps_lat, gps_lat, gps_lon, gps_lon from catalog "
        "where typeof(gps_lat) in ('real', 'integer') and typeof(gps_lon) in ('real', 'integer');"
        "create trigger catalog_position_added after insert on catalog begin " ADD_POSITION " end;"
        "create trigger catalog_position_changed after update of gps_lat, gps_lon on catalog begin "
        "delete from catalog_position where id = old.rowid; " ADD_POSITION " end;"
        "create trigger catalog_position_removed after delete on catalog begin "
        "delete from catalog_position where id = old.rowid; end;"
        "commit; vacuum;",
        error);
}
#undef ADD_POSITION

bool skippedSource(const QString& relative) {
    // Sources the build turns into other files (pictures from art/, tiles from maps/) stay behind.
    static const QStringList skipped = {QStringLiteral("catalog"),
                                        QStringLiteral("catalog.csv"),
                                        QStringLiteral("art"),
                                        QStringLiteral("maps"),
                                        QStringLiteral("tools"),
                                        QStringLiteral("README.md"),
                                        QStringLiteral("art-requests.txt")};
    return skipped.contains(relative.section(u'/', 0, 0));
}

// A file of the sources that is a link to something outside the source folder would ship that
// something (a link named like a picture could carry any file of the publisher's machine).
bool linksStayInside(const QString& sourceFolder, QString* error) {
    const QString root = QFileInfo(sourceFolder).canonicalFilePath() + u'/';
    QDirIterator it(sourceFolder, QDir::Files | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo file(it.next());
        if (!file.isSymLink())
            continue;
        const QString target = file.canonicalFilePath();
        if (target.isEmpty() || !target.startsWith(root)) {
            *error =
                QStringLiteral("%1: is a link to %2, outside the source folder; copy the file in instead")
                    .arg(file.filePath(), file.symLinkTarget());
            return false;
        }
    }
    return true;
}

// Values the guide would have to read as missing stop the build: a settings value longer than any
// edition needs (a screen would freeze on it), a default position off the earth.
bool settingsReadable(const QString& sourceFolder, QString* error) {
    QFile settings(sourceFolder + QStringLiteral("/manager.csv"));
    if (settings.open(QIODevice::ReadOnly)) {
        const QList<QStringList> rows = SBKCSVParser::allRows(QString::fromUtf8(settings.readAll()), 2);
        const QStringList values = rows.value(1);
        for (int c = 0; c < values.size() && c < ManagerModel::columnCount; ++c) {
            if (values[c].size() > ManagerModel::maxLength(c)) {
                *error = QStringLiteral("%1: %2").arg(settings.fileName(),
                                                      Edition::settingsValueTooLong(c, values[c].size()));
                return false;
            }
        }
    }
    const QString looks = sourceFolder + QStringLiteral("/chapter.plist");
    if (QFileInfo::exists(looks)) {
        const auto root = PropertyList::readFile(looks);
        const QVariantMap position =
            root ? root->toMap().value(QStringLiteral("Default GPS Position")).toMap() : QVariantMap();
        for (auto [key, limit] : {std::pair{"lat", 90.0}, std::pair{"long", 180.0}}) {
            const QVariant value = position.value(QString::fromLatin1(key));
            if (!value.isValid())
                continue;
            bool ok = false;
            const double number = value.toDouble(&ok);
            if (!ok || !std::isfinite(number) || std::abs(number) > limit) {
                *error =
                    QStringLiteral("%1: \"Default GPS Position\" %2 \"%3\" is not a position on the earth")
                        .arg(looks, QString::fromLatin1(key), value.toString());
                return false;
            }
        }
    }
    return true;
}

bool copyTree(const QString& sourceFolder, const QString& target, QString* error) {
    const QString source = QFileInfo(sourceFolder).absoluteFilePath();
    QDirIterator it(source, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = QDir(source).relativeFilePath(path);
        if (skippedSource(relative) || relative.contains(QStringLiteral("__pycache__")))
            continue;
        const QString destination = target + u'/' + relative;
        QDir().mkpath(QFileInfo(destination).absolutePath());
        QFile::remove(destination);
        if (!QFile::copy(path, destination)) {
            *error = QStringLiteral("%1: cannot copy to %2").arg(path, destination);
            return false;
        }
    }
    return true;
}

// OUT is replaced only where it is missing, empty or an edition: never a folder of other files given
// by mistake.
bool mayReplace(const QString& outFolder, QString* error) {
    const QDir out(outFolder);
    if (!out.exists() || out.isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System))
        return true;
    if (out.exists(QStringLiteral("manager.csv")) || out.exists(QStringLiteral("Catalog.sqlite")))
        return true;
    *error = QStringLiteral("%1 holds files but no edition (no manager.csv, no Catalog.sqlite); build into a "
                            "new or empty folder, or into an edition to replace it")
                 .arg(outFolder);
    return false;
}

// The new edition takes OUT's place; the old one is moved aside first and removed after.
bool putInPlace(QTemporaryDir& staging, const QString& outFolder, QString* error) {
    const std::string target = QFile::encodeName(outFolder).toStdString();
    const std::string made = QFile::encodeName(staging.path()).toStdString();
    std::error_code failure;
    QString aside;
    if (QFileInfo::exists(outFolder)) {
        aside = staging.path() + QStringLiteral("-old");
        std::filesystem::rename(target, QFile::encodeName(aside).toStdString(), failure);
        if (failure) {
            *error = QStringLiteral("%1: cannot move the old edition aside: %2")
                         .arg(outFolder, QString::fromStdString(failure.message()));
            return false;
        }
    }
    std::filesystem::rename(made, target, failure);
    if (failure) {
        *error = QStringLiteral("%1: cannot put the new edition in place: %2")
                     .arg(outFolder, QString::fromStdString(failure.message()));
        if (!aside.isEmpty())
            std::filesystem::rename(QFile::encodeName(aside).toStdString(), target, failure);
        return false;
    }
    staging.setAutoRemove(false);
    // A temporary folder is made for its owner alone; an edition is read by everyone.
    QFile(outFolder).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                    QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                    QFileDevice::ExeOther);
    if (!aside.isEmpty())
        QDir(aside).removeRecursively();
    return true;
}

} // namespace

namespace Edition {

QString settingsValueTooLong(int column, qsizetype length) {
    return QStringLiteral(
               "%1 is %2 characters long, over the %3 the guide reads; it would be read as missing")
        .arg(QString::fromLatin1(ManagerModel::columnNames()[column]))
        .arg(length)
        .arg(ManagerModel::maxLength(column));
}

const QStringList& catalogColumns() {
    static const QStringList columns = {
        QStringLiteral("name"),
        QStringLiteral("body"),
        QStringLiteral("address"),
        QStringLiteral("postcode"),
        QStringLiteral("phone"),
        QStringLiteral("phone2"),
        QStringLiteral("website"),
        QStringLiteral("email"),
        QStringLiteral("metro"),
        QStringLiteral("map"),
        QStringLiteral("gps_lat"),
        QStringLiteral("gps_lon"),
        QStringLiteral("image"),
        QStringLiteral("price_text"),
        QStringLiteral("date_start"),
        QStringLiteral("date_stop"),
        QStringLiteral("open_text"),
        QStringLiteral("hotel_room_decription"),
        QStringLiteral("mobile_highlight"),
        QStringLiteral("chapter_id"),
        QStringLiteral("chapter_name"),
        QStringLiteral("category_name"),
        QStringLiteral("text_short"),
        QStringLiteral("text_long"),
        QStringLiteral("title"),
        QStringLiteral("opening_hours"),
    };
    return columns;
}

bool build(const QString& sourceFolder, const QString& outFolder, QString* error,
           const std::function<bool(const QString& edition, QString* error)>& finish) {
    if (!QFileInfo(sourceFolder).isDir()) {
        *error = QStringLiteral("%1: no such folder").arg(sourceFolder);
        return false;
    }
    const QStringList sources = Edition::catalogSources(sourceFolder);
    if (sources.isEmpty()) {
        *error = QStringLiteral("%1: no catalogue sources (catalog/*.csv or catalog.csv)").arg(sourceFolder);
        return false;
    }
    if (!linksStayInside(sourceFolder, error) || !settingsReadable(sourceFolder, error) ||
        !mayReplace(outFolder, error))
        return false;
    const QFileInfo out(outFolder);
    if (!QDir().mkpath(out.absolutePath())) {
        *error = QStringLiteral("%1: cannot create the folder").arg(out.absolutePath());
        return false;
    }
    // Made beside OUT (on the same file system, so that it can be renamed into place).
    QTemporaryDir staging(out.absolutePath() + QStringLiteral("/.") + out.fileName() +
                          QStringLiteral("-building-XXXXXX"));
    if (!staging.isValid()) {
        *error = QStringLiteral("%1: cannot make a folder beside it").arg(outFolder);
        return false;
    }
    if (!makeCatalog(sources, staging.filePath(QStringLiteral("Catalog.sqlite")), error) ||
        !copyTree(sourceFolder, staging.path(), error) || (finish && !finish(staging.path(), error)))
        return false;
    return putInPlace(staging, out.absoluteFilePath(), error);
}

} // namespace Edition
