#include "model/DAO.h"
#include "model/LenientDate.h"
#include "model/SBKCSVParser.h"
#include "platform/Paths.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace testsupport;

namespace {

QString settingsText(const QStringList& values) {
    QString text = ManagerModel::headerLine();
    QStringList quoted;
    for (const QString& value : values)
        quoted.append(u'"' + value + u'"');
    return text + quoted.join(u',');
}

QStringList valuesWith(const QString& dateRelease, const QString& infoNameLocal) {
    QStringList values;
    for (int c = 0; c < ManagerModel::columnCount; ++c)
        values.append(QStringLiteral("v%1").arg(c));
    values[0] = dateRelease;
    values[4] = infoNameLocal;
    return values;
}

class SettingsStoreTest : public GuideTest {
protected:
    ManagerModel* read() {
        return DAOFactory::getInstance()->readSettingsFromFile(QStringLiteral("manager.csv"));
    }
};

TEST_F(SettingsStoreTest, FirstStartCopiesTheShippedFileAndReadsItTrimmed) {
    writeText(editionFile("manager.csv"), settingsText(valuesWith(u"  2026-01-01\n"_qs, u"\n Wien \t"_qs)));
    ASSERT_FALSE(QFile::exists(documentFile("manager.csv")));
    const ManagerModel* model = read();
    EXPECT_TRUE(QFile::exists(documentFile("manager.csv")));
    EXPECT_EQ(model->dateRelease(), u"2026-01-01"_qs);
    EXPECT_EQ(model->infoNameLocal(), u"Wien"_qs);
    EXPECT_EQ(model->feedWeather(), u"v26"_qs);
}

TEST_F(SettingsStoreTest, ReleaseDatesDecideWhetherTheWorkingCopyIsReplaced) {
    struct Case {
        const char* working;
        const char* shipped;
        bool replaced;
    } cases[] = {
        {"2026-01-01", "2026-01-01", false},   {"2025-12-31", "2026-01-01", true},
        {"2026-02-01", "2026-01-01", false},   {"not a date", "2026-01-01", false},
        {"01.01.2025", "March 1, 2026", true}, {"2025/06/30", "1 July 2025", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.working) + " vs " + c.shipped);
        writeText(editionFile("manager.csv"),
                  settingsText(valuesWith(QString::fromLatin1(c.shipped), u"shipped"_qs)));
        writeText(documentFile("manager.csv"),
                  settingsText(valuesWith(QString::fromLatin1(c.working), u"mine"_qs)));
        LogCapture log;
        const ManagerModel* model = read();
        EXPECT_EQ(model->infoNameLocal(), c.replaced ? u"shipped"_qs : u"mine"_qs);
        EXPECT_EQ(log.count(u"we write the manager.csv only once when we got a new date"_qs),
                  c.replaced ? 1 : 0);
    }
}

TEST_F(SettingsStoreTest, SaveThenReadGivesBackTheValues) {
    writeText(editionFile("manager.csv"), settingsText(valuesWith(u"2026-01-01"_qs, u"Wien"_qs)));
    ManagerModel* model = read();
    model->setUserCurrencyValues(u"EUR:1~USD:1,05"_qs);
    model->setUserWeather(u"<data>\n<current_condition>x</current_condition>\n</data>"_qs);
    model->setInfoTimeZone(u"  UTC+1\n"_qs);
    model->setUserCurrencies(u"EUR:€:FlagEU,GBP:£:FlagGB,CZK:Kč:FlagCZ"_qs);
    DAOFactory::getInstance()->saveSettings(*model);

    ManagerModel copy = *model;
    model->setUserCurrencyValues(QString());
    read();
    EXPECT_EQ(model->userCurrencyValues(), copy.userCurrencyValues());
    EXPECT_EQ(model->userWeather(), copy.userWeather());
    EXPECT_EQ(model->userCurrencies(), copy.userCurrencies());
    EXPECT_EQ(model->infoTimeZone(), u"UTC+1"_qs);
}

TEST_F(SettingsStoreTest, SaveWritesTheExactBytesAndLeavesNoPartialFile) {
    writeText(editionFile("manager.csv"), settingsText(valuesWith(u"2026-01-01"_qs, u"Wien"_qs)));
    ManagerModel* model = read();
    model->setUserWeather(u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<data/>"_qs);
    DAOFactory::getInstance()->saveSettings(*model);

    // The reader drops a value's inner double quotes, so they are not written at all.
    QStringList expected = valuesWith(u"2026-01-01"_qs, u"Wien"_qs);
    expected[22] = u"<?xml version=1.0 encoding=UTF-8?>\n<data/>"_qs;
    EXPECT_EQ(readText(documentFile("manager.csv")), settingsText(expected));
    EXPECT_EQ(QDir(documents()).entryList(QDir::Files), QStringList{u"manager.csv"_qs});
    read();
    EXPECT_EQ(model->userWeather(), u"<?xml version=1.0 encoding=UTF-8?>\n<data/>"_qs);
}

TEST_F(SettingsStoreTest, AValueWithQuotesAndCommasNeverShiftsTheColumnsAfterIt) {
    writeText(editionFile("manager.csv"), settingsText(valuesWith(u"2026-01-01"_qs, u"Wien"_qs)));
    ManagerModel* model = read();
    model->setUserWeather(u"<data><a v=\"1,2\">x</a></data>"_qs);
    model->setFeedWeather(u"http://127.0.0.1/weather.xml"_qs);
    DAOFactory::getInstance()->saveSettings(*model);
    read();
    EXPECT_EQ(model->userWeather(), u"<data><a v=1,2>x</a></data>"_qs);
    EXPECT_EQ(model->feedWeather(), u"http://127.0.0.1/weather.xml"_qs);
}

TEST_F(SettingsStoreTest, AFailedSaveIsLoggedAndKeepsTheRecord) {
    writeText(editionFile("manager.csv"), settingsText(valuesWith(u"2026-01-01"_qs, u"Wien"_qs)));
    ManagerModel* model = read();
    // A documents folder below a plain file cannot hold anything, whatever the rights of the process.
    writeText(documentFile("plain"), u"x"_qs);
    Paths::setDocumentsFolder(documentFile("plain") + u"/Documents"_qs);
    model->setInfoNameLocal(u"changed"_qs);
    LogCapture log;
    DAOFactory::getInstance()->saveSettings(*model);
    ASSERT_EQ(log.lines().size(), 1);
    EXPECT_TRUE(log.lines()[0].startsWith(u"Cannot write"_qs));
    EXPECT_EQ(model->infoNameLocal(), u"changed"_qs);
}

TEST_F(SettingsStoreTest, AShortWorkingRowTakesTheMissingFieldsFromTheShippedCopy) {
    writeText(editionFile("manager.csv"), settingsText(valuesWith(u"2026-01-01"_qs, u"Wien"_qs)));
    QStringList shortRow = valuesWith(u"2026-01-01"_qs, u"mine"_qs).mid(0, 20);
    writeText(documentFile("manager.csv"), settingsText(shortRow));
    LogCapture log;
    const ManagerModel* model = read();
    EXPECT_EQ(model->infoNameLocal(), u"mine"_qs);
    EXPECT_EQ(model->userCurrencyRates(), u"v20"_qs);
    EXPECT_EQ(model->feedWeather(), u"v26"_qs);
    EXPECT_EQ(log.lines().size(), 1);

    // A header without any data row.
    writeText(documentFile("manager.csv"), ManagerModel::headerLine());
    read();
    EXPECT_EQ(model->infoNameLocal(), u"Wien"_qs);
}

TEST_F(SettingsStoreTest, NoSettingsFileAnywhereGivesEmptyFields) {
    QFile::remove(editionFile("manager.csv"));
    const ManagerModel* model = read();
    for (int c = 0; c < ManagerModel::columnCount; ++c)
        EXPECT_TRUE(model->field(c).isEmpty()) << c;
}

TEST_F(SettingsStoreTest, EveryScreenHoldsTheOneRecord) {
    writeText(editionFile("manager.csv"), settingsText(valuesWith(u"2026-01-01"_qs, u"Wien"_qs)));
    ManagerModel* first = read();
    ManagerModel* second = DAOFactory::getInstance()->readSettingsFromFile(u"manager.csv"_qs);
    ASSERT_EQ(first, second);
    first->setDateWeather(u"2026-12-08 T 10:00"_qs);
    EXPECT_EQ(second->dateWeather(), u"2026-12-08 T 10:00"_qs);
    EXPECT_EQ(DAOFactory::getInstance(), DAOFactory::getInstance());
}

TEST(LenientDate, ReadsTheFormsEditionsWrite) {
    const QDate march1(2011, 3, 1);
    for (const char* text : {"2011-03-01", "2011-03-01T10:30:00", "2011-03-01 10:30", "01.03.2011",
                             "2011/03/01", "March 1, 2011", "1 March 2011", "march 1 2011", "Mar 1, 2011",
                             "1st March 2011", "  2011-03-01 \n"}) {
        const auto date = parseLenientDate(QString::fromLatin1(text));
        ASSERT_TRUE(date) << text;
        EXPECT_EQ(date->date(), march1) << text;
    }
    for (const char* text : {"", "soon", "2011-13-01", "32.01.2011"})
        EXPECT_FALSE(parseLenientDate(QString::fromLatin1(text))) << text;
    EXPECT_EQ(parseFeedTime(u"2026-12-08 T 14:05"_qs)->time(), QTime(14, 5));
    EXPECT_FALSE(parseFeedTime(u"2026-12-08"_qs));
}

} // namespace
