#include "model/Bookmarks.h"
#include "model/DAO.h"
#include "model/ManagerModel.h"
#include "model/PropertyList.h"
#include "model/SBKCSVParser.h"
#include "platform/Paths.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QThread>

using namespace testsupport;

namespace {

// Starts the saver on this test's documents and edition and kills it at random moments; after each
// kill the file must read back as one whole version.
class KillTest : public GuideTest {
protected:
    void killWhileSaving(const QString& what, const std::function<void(int round)>& verify) {
        QRandomGenerator random(8122026);
        for (int round = 0; round < 200; ++round) {
            QProcess saver;
            saver.start(QStringLiteral(GUIDE_TEST_SAVER), {what, documents(), edition()});
            ASSERT_TRUE(saver.waitForStarted(5000));
            ASSERT_TRUE(saver.waitForReadyRead(10000)) << "the saver never saved";
            QThread::usleep(random.bounded(500, 30000));
            saver.kill(); // SIGKILL: no handler, no flush, no clean-up
            ASSERT_TRUE(saver.waitForFinished(5000));
            verify(round);
            if (HasFatalFailure())
                return;
        }
    }
};

TEST_F(KillTest, TheSettingsFileIsAlwaysOneWholeVersion) {
    killWhileSaving(u"settings"_qs, [this](int round) {
        const QString text = readText(documentFile("manager.csv"));
        const QList<QStringList> rows = SBKCSVParser::allRows(text, 2);
        ASSERT_EQ(rows.size(), 2) << "round " << round;
        ASSERT_EQ(rows[1].size(), ManagerModel::columnCount) << "round " << round;
        const QString name = rows[1][3];
        if (name != u"Testcity"_qs) {
            ASSERT_TRUE(name.startsWith(u"Version "_qs)) << name.toStdString();
            // The large value belongs to the same save as the name.
            const int version = name.mid(8).toInt();
            EXPECT_EQ(rows[1][21], QString(200'000, QChar(u'0' + version % 10))) << "round " << round;
        }
    });
    // What a killed save leaves behind is cleared when the settings are next read.
    DAOFactory::resetInstance();
    DAOFactory::getInstance();
    EXPECT_EQ(QDir(documents()).entryList({u"manager.csv.*"_qs}, QDir::Files), QStringList());
}

TEST_F(KillTest, TheBookmarksAreAlwaysOneWholeList) {
    killWhileSaving(u"bookmarks"_qs, [this](int round) {
        QString error;
        const auto root = PropertyList::readFile(documentFile("Bookmarks.plist"), &error);
        ASSERT_TRUE(root) << "round " << round << ": " << error.toStdString();
        const QStringList names = root->toMap().value(u"Venues"_qs).toStringList();
        ASSERT_FALSE(names.isEmpty()) << "round " << round;
        // One run of consecutive venues, as the saver writes them.
        static const QRegularExpression venue(u"^Venue \\d{6}$"_qs);
        for (const QString& name : names)
            ASSERT_TRUE(venue.match(name).hasMatch()) << name.toStdString();
        EXPECT_FALSE(QFile::exists(documentFile("Bookmarks.plist.unreadable")));
    });
}

} // namespace

namespace {

// A full disk: nothing is reported as saved and the old files stay whole.
class FullDiskTest : public GuideTest {
protected:
    void TearDown() override {
        Paths::setDiskFullForTesting(false);
        GuideTest::TearDown();
    }
};

TEST_F(FullDiskTest, ASaveFailsAndLeavesTheOldFileWhole) {
    ManagerModel* model = DAOFactory::getInstance()->readSettingsFromFile(u"manager.csv"_qs);
    ASSERT_TRUE(Bookmarks::add(u"Cafe"_qs));
    const QByteArray settings = readText(documentFile("manager.csv")).toUtf8();
    const QByteArray bookmarks = readText(documentFile("Bookmarks.plist")).toUtf8();

    Paths::setDiskFullForTesting(true);
    LogCapture log;
    model->setInfoNameEnglish(u"Changed"_qs);
    EXPECT_FALSE(DAOFactory::getInstance()->saveSettings(*model));
    EXPECT_FALSE(Bookmarks::add(u"Dojo"_qs));
    EXPECT_EQ(readText(documentFile("manager.csv")).toUtf8(), settings);
    EXPECT_EQ(readText(documentFile("Bookmarks.plist")).toUtf8(), bookmarks);
    EXPECT_EQ(log.lines().filter(u"No space left on device"_qs).size(), 2)
        << log.lines().join(u'\n').toStdString();

    Paths::setDiskFullForTesting(false);
    EXPECT_TRUE(DAOFactory::getInstance()->saveSettings(*model));
    EXPECT_TRUE(readText(documentFile("manager.csv")).contains(u"\"Changed\""_qs));
}

} // namespace
