#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace testsupport {

QString fixturePath(const QString& relative);
QString readText(const QString& path);
// The bytes of a file under tests/fixtures.
QByteArray fixtureBytes(const QString& relative);
void writeText(const QString& path, const QString& text);
void writeBytes(const QString& path, const QByteArray& bytes);

// Builds the fixture edition once per run (into a folder that lives as long as the process) and
// returns its folder.
QString fixtureEdition();

// Gives an edition folder every picture the guide always needs and a 2x copy of each picture (copies
// of a picture it has), so that a check sees only what a test spoils.
void completePictures(const QString& edition);

// Adds `count` venues "Bulk 00", "Bulk 01", ... of 1500-character descriptions in chapter 7, so that
// the catalogue table spans many pages.
void addBulkyVenues(const QString& catalogue, int count);
// Zeroes one page of the catalogue table in the middle of the file, as a damaged disk would.
void damageCatalogue(const QString& catalogue);

// Lets what the tests left under way (a request, an object to delete later) end before the test
// program does, so that the leak check sees only what was really lost.
void finishPendingWork();

// Collects the log lines written while it lives.
class LogCapture {
public:
    LogCapture();
    ~LogCapture();
    const QStringList& lines() const { return captured; }
    int count(const QString& line) const { return int(captured.count(line)); }

private:
    QStringList captured;
};

// Reads an edition as the guide would, from a documents folder of its own, while it lives.
class GuideTestPaths {
public:
    explicit GuideTestPaths(const QString& edition);
    ~GuideTestPaths();

private:
    QTemporaryDir documents;
};

// A fresh documents folder, a fresh edition folder (a copy of the fixture edition, so a test may
// change it), an empty preferences store, and no settings or catalogue left from another test.
class GuideTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    QString documents() const { return documentsDir.path(); }
    QString edition() const { return editionDir.path(); }
    QString documentFile(const QString& name) const { return documentsDir.filePath(name); }
    QString editionFile(const QString& name) const { return editionDir.filePath(name); }

private:
    QTemporaryDir documentsDir;
    QTemporaryDir editionDir;
};

} // namespace testsupport
