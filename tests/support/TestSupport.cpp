#include "tests/support/TestSupport.h"

#include "catalog/SQLDAL.h"
#include "location/LocationManager.h"
#include "model/DAO.h"
#include "platform/Device.h"
#include "platform/Log.h"
#include "platform/Paths.h"
#include "platform/UserDefaults.h"
#include "tools/edition/Edition.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

namespace testsupport {

QString fixturePath(const QString& relative) {
    return QStringLiteral(GUIDE_FIXTURE_DIR "/") + relative;
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

} // namespace testsupport
