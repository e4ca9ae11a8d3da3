#include "tools/edition/WalksCheck.h"

#include "tools/edition/CatalogFields.h"
#include "tools/edition/Edition.h"

#include "location/WalkingNetwork.h"

#include <QFile>
#include <sqlite3.h>

namespace Edition::Checking {

namespace {

// The first column of the first row of the statement, as a number; -1 when it cannot be read.
double scalar(sqlite3* db, const char* sql) {
    sqlite3_stmt* statement = nullptr;
    double value = -1;
    if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) == SQLITE_OK && sqlite3_step(statement) == SQLITE_ROW)
        value = sqlite3_column_double(statement, 0);
    sqlite3_finalize(statement);
    return value;
}

// What the network file holds besides what its reader needs: an index entry for every node, and
// edges of a real length.
QStringList fileProblems(const QString& path) {
    sqlite3* db = nullptr;
    QStringList problems;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return {QStringLiteral("cannot be opened")};
    }
    const double nodes = scalar(db, "select count(*) from nodes");
    const double indexed = scalar(db, "select count(*) from nodes_position");
    if (indexed != nodes)
        problems.append(QStringLiteral("its position index holds %1 of its %2 points").arg(indexed).arg(nodes));
    const double badEdges = scalar(db, "select count(*) from edges where not (metres >= 0 and metres < 100000)");
    if (badEdges != 0)
        problems.append(QStringLiteral("%1 of its edges have no length in metres").arg(badEdges));
    if (scalar(db, "select count(*) from edges") <= 0)
        problems.append(QStringLiteral("has no edges"));
    sqlite3_close(db);
    return problems;
}

} // namespace

void checkWalks(Findings& findings, const Catalogue& catalogue) {
    const QString name = QString::fromLatin1(WalkingNetwork::fileName);
    const QString path = findings.folder + u'/' + name;
    if (!QFile::exists(path))
        return; // the guide then draws a straight line to a venue
    QString error;
    const std::unique_ptr<WalkingNetwork> network = WalkingNetwork::open(path, &error);
    if (!network) {
        findings.report(name, error.section(QStringLiteral(": "), 1));
        return;
    }
    const QStringList problems = fileProblems(path);
    for (const QString& problem : problems)
        findings.report(name, problem);
    if (!problems.isEmpty())
        return;
    if (network->attribution().trimmed().isEmpty())
        findings.report(name, QStringLiteral("has no credit for its data (metadata \"attribution\")"));
    // A venue far from every street cannot be walked to: its position, or the network, is wrong.
    constexpr double reach = 1000;
    for (const Row& row : catalogue.rows) {
        bool latOk = false, lonOk = false;
        const double latitude = row.values.value(cLat).toDouble(&latOk);
        const double longitude = row.values.value(cLon).toDouble(&lonOk);
        if (!latOk || !lonOk || (latitude == 0 && longitude == 0))
            continue;
        if (!network->nearestNode(latitude, longitude, reach))
            findings.report(row.place,
                            QStringLiteral("the venue lies more than 1 km from every street and path of %1").arg(name),
                            row.values.value(cName), true);
    }
}

} // namespace Edition::Checking
