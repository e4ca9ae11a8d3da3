#include "tests/support/TestSupport.h"

#include "catalog/SQLDAL.h"
#include "location/LocationManager.h"
#include "model/DAO.h"
#include "platform/Device.h"
#include "platform/HttpClient.h"
#include "platform/Log.h"
#include "platform/Paths.h"
#include "platform/UserDefaults.h"
#include "tools/edition/Edition.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <sqlite3.h>

namespace testsupport {

QString fixturePath(const QString& relative) {
    return QStringLiteral(GUIDE_FIXTURE_DIR "/") + relative;
}

void finishPendingWork() {
    QElapsedTimer clock;
    clock.start();
    while (HttpClient::outstandingRequests() > 0 && clock.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    // The network stack closes aborted connections on a thread of its own a moment later.
    HttpClient::shutDown();
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QByteArray fixtureBytes(const QString& relative) {
    QFile file(fixturePath(relative));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << relative.toStdString();
    return file.readAll();
}

QString readText(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    file.write(bytes);
}

void writeText(const QString& path, const QString& text) {
    writeBytes(path, text.toUtf8());
}

void completePictures(const QString& edition) {
    const QDir dir(edition);
    const QStringList present = dir.entryList({QStringLiteral("*.png")}, QDir::Files, QDir::Name);
    ASSERT_FALSE(present.isEmpty()) << "no picture to copy in " << edition.toStdString();
    const QString standIn = dir.filePath(present.first());
    for (const QString& name : Edition::alwaysNeededPictures())
        QFile::copy(standIn, dir.filePath(name + QStringLiteral(".png")));
    for (const QString& file : dir.entryList({QStringLiteral("*.png")}, QDir::Files)) {
        if (!file.endsWith(QStringLiteral("@2x.png")))
            QFile::copy(dir.filePath(file), dir.filePath(file.chopped(4) + QStringLiteral("@2x.png")));
    }
}

QString fixtureEdition() {
    static QTemporaryDir* built = [] {
        auto* dir = new QTemporaryDir;
        QString error;
        if (!Edition::build(fixturePath(QStringLiteral("edition")), dir->path(), &error))
            ADD_FAILURE() << "the fixture edition does not build: " << error.toStdString();
        return dir;
    }();
    return built->path();
}

LogCapture::LogCapture() {
    setLogSink([this](const QString& line) { captured.append(line); });
}

LogCapture::~LogCapture() {
    setLogSink(nullptr);
}

GuideTestPaths::GuideTestPaths(const QString& edition) {
    Paths::setResourceFolder(edition);
    Paths::setDocumentsFolder(documents.path());
    DAOFactory::resetInstance();
}

GuideTestPaths::~GuideTestPaths() {
    DAOFactory::resetInstance();
}

void GuideTest::SetUp() {
    ASSERT_TRUE(documentsDir.isValid());
    ASSERT_TRUE(editionDir.isValid());
    QDirIterator it(fixtureEdition(), QDir::Files);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile::copy(path, editionDir.filePath(it.fileName()));
    }
    Paths::setDocumentsFolder(documentsDir.path());
    Paths::setResourceFolder(editionDir.path());
    UserDefaults::standardUserDefaults().useMemoryStore();
    Device::setSystemVersion(QStringLiteral("4.3"));
    Device::resetClock();
    DAOFactory::resetInstance();
    SQLDAL::closeDatabase();
    LocationManager::resetInstance();
    LocationManager::setPositionSourceFactory([] { return std::make_unique<SimulatedPositionSource>(); });
}

void GuideTest::TearDown() {
    DAOFactory::resetInstance();
    SQLDAL::closeDatabase();
    LocationManager::resetInstance();
}

// Zeroes one page of the catalogue table in the middle of the file, as a damaged disk would.
void damageCatalogue(const QString& path) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(path).constData(), &db), SQLITE_OK);
    sqlite3_stmt* pages = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db, "select pageno from dbstat where name = 'catalog' and pagetype = 'leaf'",
                                 -1, &pages, nullptr),
              SQLITE_OK);
    QList<int> leaves;
    while (sqlite3_step(pages) == SQLITE_ROW)
        leaves.append(sqlite3_column_int(pages, 0));
    sqlite3_finalize(pages);
    const int pageSize = [&] {
        sqlite3_stmt* s = nullptr;
        sqlite3_prepare_v2(db, "pragma page_size", -1, &s, nullptr);
        sqlite3_step(s);
        const int size = sqlite3_column_int(s, 0);
        sqlite3_finalize(s);
        return size;
    }();
    sqlite3_close(db);
    ASSERT_GE(leaves.size(), 3);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.seek(qint64(leaves[leaves.size() / 2] - 1) * pageSize);
    file.write(QByteArray(pageSize, '\0'));
}

void addBulkyVenues(const QString& path, int count) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(path).constData(), &db), SQLITE_OK);
    for (int i = 0; i < count; ++i) {
        const QByteArray sql = QStringLiteral("insert into catalog (name, body, chapter_id, chapter_name, "
                                              "category_name) values ('Bulk %1', '%2', '7', 'Bulk', 'Bulk')")
                                   .arg(i, 2, 10, QChar(u'0'))
                                   .arg(QString(1500, u'x'))
                                   .toUtf8();
        ASSERT_EQ(sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr), SQLITE_OK);
    }
    sqlite3_close(db);
}

} // namespace testsupport
