#include "tools/edition/Edition.h"

#include "tools/edition/CatalogueCheck.h"
#include "tools/edition/ChapterListCheck.h"
#include "tools/edition/EditionSources.h"
#include "tools/edition/MapTilesCheck.h"
#include "tools/edition/WalksCheck.h"
#include "tools/edition/PicturesCheck.h"
#include "tools/edition/SettingsCheck.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <sqlite3.h>

#include <memory>

namespace Edition::Checking {

namespace {

void checkBookmarks(Findings& findings) {
    const QString name = QStringLiteral("Bookmarks.plist");
    const auto root = readDictionary(findings, name);
    if (!root)
        return;
    const QVariant venues = root->value(QStringLiteral("Venues"));
    if (venues.typeId() != QMetaType::QVariantList) {
        findings.report(name, QStringLiteral("\"Venues\" is missing or not a list"));
        return;
    }
    const QVariantList entries = venues.toList();
    for (int i = 0; i < entries.size(); ++i) {
        if (entries[i].typeId() != QMetaType::QString)
            findings.report(name, QStringLiteral("entry %1 of \"Venues\" is not a venue name").arg(i + 1));
    }
}

// The lines of a text file that still hold what the publisher was to write in.
void checkFilledIn(Findings& findings, const QString& name, const QString& text) {
    const QStringList lines = text.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].contains(Edition::fillInMark))
            findings.report(
                Edition::sourcePlace(name, int(i + 1)),
                QStringLiteral("still says \"%1\"; write in what it stands for").arg(Edition::fillInMark));
    }
}

} // namespace

} // namespace Edition::Checking

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
    using namespace Checking;
    const QDir dir(folder);
    const bool sources = !catalogSources(folder).isEmpty();
    if (!QFileInfo(folder).isDir() || (!dir.exists(QStringLiteral("manager.csv")) &&
                                       !dir.exists(QStringLiteral("Catalog.sqlite")) && !sources))
        return CheckResult::NotAnEdition;
    Findings findings{folder, problems};
    findings.sourceFolder = sources;
    const SettingsFacts settings = checkSettings(findings);
    const ChapterList chapterList = readChapterList(findings);
    // A source folder is checked from its sources; a catalogue built beside them is checked for damage.
    const bool built = dir.exists(QStringLiteral("Catalog.sqlite"));
    const std::optional<Catalogue> builtCatalogue =
        !sources || built ? readBuiltCatalogue(findings, !sources) : std::nullopt;
    Catalogue catalogue;
    if (sources)
        catalogue = readSourceRows(findings);
    else if (builtCatalogue)
        catalogue = *builtCatalogue;
    if (sources || builtCatalogue)
        checkCatalogue(findings, catalogue, settings, chapterList.centre);
    checkChapterList(findings, chapterList, settings, catalogue);
    checkMapTiles(findings, chapterList, catalogue);
    checkWalks(findings, catalogue);
    checkBookmarks(findings);
    QFile imprint(folder + QStringLiteral("/imprint.txt"));
    if (!imprint.open(QIODevice::ReadOnly))
        findings.report(QStringLiteral("imprint.txt"), QStringLiteral("missing"));
    else
        checkFilledIn(findings, QStringLiteral("imprint.txt"), QString::fromUtf8(imprint.readAll()));
    checkFilledIn(findings, QStringLiteral("chapter.plist"), chapterList.chapterListText);
    checkPictures(findings);
    return findings.errors == 0 ? CheckResult::Clean : CheckResult::Problems;
}

} // namespace Edition
