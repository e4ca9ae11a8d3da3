#include "app/TourPicks.h"

#include "model/DAO.h"
#include "model/ManagerModel.h"
#include "model/ShareData.h"
#include "platform/Paths.h"

#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <sqlite3.h>

// Why a reader cannot reach the page of a tool, or empty: no tool bar lists it, or its feed is empty.
QString unreachable(const TourPicks& picks, const QString& tool, const char* feed, const QString& url) {
    if (!picks.tools.contains(tool))
        return QStringLiteral("no tool bar of the edition lists %1").arg(tool);
    if (feed && url.trimmed().isEmpty())
        return QStringLiteral("%1 is empty").arg(QLatin1String(feed));
    return {};
}

TourPicks pickFromEdition() {
    TourPicks picks;
    QMap<QString, QString> titles; // chapter id -> its title on the home screen
    const ManagerModel* settings = readerSettings();
    QStringList order;
    for (const QString& entry : ManagerModel::listEntries(settings->orderChapters())) {
        const QString label = entry.section(u':', 0, 0).trimmed();
        const QString id = entry.section(u':', 2).section(u';', 1).trimmed();
        if (label == u"Metro" || label == u"Search" || id.isEmpty())
            continue;
        titles.insert(id, label);
        order.append(id);
        if (ShareData::sharedInstance()->getCorrespondingPlacement(label))
            picks.placements.append(label);
    }
    for (const QString* list : {&settings->orderChapterTools(), &settings->orderVenuesTools(),
                                &settings->orderDetailedViewTools()}) {
        for (const QString& entry : ManagerModel::listEntries(*list))
            picks.tools.append(entry.section(u':', 2).trimmed());
    }
    picks.feedCurrency = settings->feedCurrency();
    picks.feedWeather = settings->feedWeather();
    picks.feedTV = settings->feedTV();
    picks.rates = !settings->userCurrencyRates().trimmed().isEmpty();
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(Paths::resourcePath(QStringLiteral("Catalog.sqlite"))).constData(),
                        &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return picks;
    }
    // The first venue of that kind, in the given order, when its chapter is on the home screen.
    auto pick = [&](const QByteArray& condition, const QByteArray& order, const QString& value = QString()) {
        const QByteArray sql = "select rowid, chapter_id, name from catalog where name != '' and " +
                               condition + " order by " + order + " limit 1";
        sqlite3_stmt* statement = nullptr;
        TourPick found;
        const QByteArray bound = value.toUtf8();
        if (sqlite3_prepare_v2(db, sql.constData(), -1, &statement, nullptr) == SQLITE_OK &&
            (value.isNull() ||
             sqlite3_bind_text(statement, 1, bound.constData(), -1, SQLITE_STATIC) == SQLITE_OK) &&
            sqlite3_step(statement) == SQLITE_ROW) {
            const QString chapter = titles.value(
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 1))));
            if (!chapter.isEmpty())
                found = {sqlite3_column_int(statement, 0),
                         QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 2)))
                             .replace(QStringLiteral("''"), QStringLiteral("'")),
                         chapter};
        }
        sqlite3_finalize(statement);
        return found;
    };
    const QByteArray featured = "lower(trim(mobile_highlight)) in ('1', 'yes', 'true') desc";
    picks.picture = pick("image != ''", featured + ", rowid");
    if (!picks.picture)
        picks.picture = pick("1", featured + ", length(body) desc, rowid");
    picks.event = pick("(date_start != '' or date_stop != '')", "rowid");
    picks.hotel = pick("hotel_room_decription != ''", "rowid");
    picks.other = pick("rowid != " + QByteArray::number(picks.picture.id), "rowid");
    for (const QString& id : std::as_const(order)) {
        if (pick("chapter_id = ?1", "rowid", id)) {
            picks.firstChapter = titles.value(id);
            break;
        }
    }
    // A word many names share finds several venues.
    QMap<QString, int> words;
    sqlite3_stmt* names = nullptr;
    if (sqlite3_prepare_v2(db, "select name from catalog limit 5000", -1, &names, nullptr) == SQLITE_OK) {
        while (sqlite3_step(names) == SQLITE_ROW) {
            const QString name =
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(names, 0)));
            for (const QString& word :
                 name.split(QRegularExpression(QStringLiteral("[^\\w]+")), Qt::SkipEmptyParts)) {
                if (word.size() >= 4)
                    ++words[word.toLower()];
            }
        }
    }
    sqlite3_finalize(names);
    sqlite3_close(db);
    int most = 0;
    for (auto it = words.cbegin(); it != words.cend(); ++it) {
        if (it.value() > most) {
            most = it.value();
            picks.searchText = it.key();
        }
    }
    return picks;
}
