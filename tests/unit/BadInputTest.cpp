#include "model/DAO.h"
#include "model/PropertyList.h"
#include "model/SBKCSVParser.h"
#include "tests/support/TestSupport.h"
#include "tools/edition/RfcCsv.h"

#include <QRandomGenerator>

using namespace testsupport;

namespace {

// Bytes a broken edition or a half-written file could hold: cut, flipped and stray bytes.
QByteArray mutated(const QByteArray& good, QRandomGenerator& random) {
    QByteArray bytes = good;
    switch (random.bounded(4)) {
    case 0:
        bytes.truncate(random.bounded(bytes.size() + 1));
        break;
    case 1:
        for (int i = 0; i < 8 && !bytes.isEmpty(); ++i)
            bytes[random.bounded(int(bytes.size()))] = char(random.bounded(256));
        break;
    case 2:
        bytes.insert(random.bounded(int(bytes.size()) + 1), QByteArray(random.bounded(1, 20), '"'));
        break;
    default:
        bytes = QByteArray(random.bounded(200), '\0');
        for (char& c : bytes)
            c = char(random.bounded(256));
        break;
    }
    return bytes;
}

TEST(BadInput, ReadersNeverFailOnBrokenBytes) {
    QRandomGenerator random(20261208);
    const QByteArray settings = readText(fixturePath(u"edition/manager.csv"_qs)).toUtf8();
    const QByteArray catalogue = readText(fixturePath(u"edition/catalog/fixture.csv"_qs)).toUtf8();
    const QByteArray list =
        PropertyList::toXml(QVariantMap{{u"Venues"_qs, QVariantList{u"Cafe"_qs, 1, 2.5, true}}});
    for (int round = 0; round < 2000; ++round) {
        const QString text = QString::fromUtf8(mutated(settings, random));
        const auto row = SBKCSVParser().csvRows(text);
        if (row) {
            EXPECT_FALSE(row->isEmpty());
        }
        RfcCsvTable table;
        QString error;
        if (!parseRfcCsv(QString::fromUtf8(mutated(catalogue, random)), &table, &error)) {
            EXPECT_FALSE(error.isEmpty());
        }
        const auto value = PropertyList::fromBytes(mutated(list, random), &error);
        if (!value) {
            EXPECT_FALSE(error.isEmpty());
        }
    }
}

using BadSettingsTest = GuideTest;

TEST_F(BadSettingsTest, TheStoreReadsAnyWorkingCopyWithoutLosingTheEditionsValues) {
    QRandomGenerator random(8122026);
    const QByteArray settings = readText(editionFile("manager.csv")).toUtf8();
    const QString shippedZone = u"Europe/Vienna"_qs; // the last column
    for (int round = 0; round < 200; ++round) {
        const QByteArray bytes = mutated(settings, random);
        writeBytes(documentFile("manager.csv"), bytes);
        const auto row = SBKCSVParser().csvRows(QString::fromUtf8(bytes));
        const ManagerModel* model = DAOFactory::getInstance()->readSettingsFromFile(u"manager.csv"_qs);
        // Whatever the working copy lost comes from the edition's copy.
        if (!row || row->size() < ManagerModel::columnCount) {
            EXPECT_EQ(model->infoTimeZoneId(), shippedZone) << "round " << round;
        }
    }
}

} // namespace
