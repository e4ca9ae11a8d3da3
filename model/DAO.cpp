#include "model/DAO.h"

#include "model/LenientDate.h"
#include "model/SBKCSVParser.h"
#include "platform/Log.h"
#include "platform/Paths.h"
#include "platform/TextValues.h"
#include "platform/UserDefaults.h"

#include <QFile>
#include <QSaveFile>

namespace {

QString readUtf8(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

std::optional<QDateTime> releaseDate(const std::optional<QStringList>& row) {
    if (!row || row->isEmpty())
        return std::nullopt;
    return parseLenientDate(trimmedText(row->at(0)));
}

std::unique_ptr<DAOFactory>& factoryInstance() {
    static std::unique_ptr<DAOFactory> instance;
    return instance;
}

} // namespace

std::optional<QStringList> DAO::dataRow(const QString& path) {
    if (!QFile::exists(path))
        return std::nullopt;
    return SBKCSVParser().csvRows(readUtf8(path));
}

DAO::DAO() : record(std::make_unique<ManagerModel>()) {
    // A save cut off by a crash may have left its temporary file; the file itself is whole.
    Paths::removeStaleTemporaries(QStringLiteral("manager.csv"));
    Paths::removeStaleTemporaries(QStringLiteral("Bookmarks.plist"));
    readSettingsFromFile(QStringLiteral("manager.csv"));
}

DAO::~DAO() = default;

ManagerModel* DAO::readSettingsFromFile(const QString& fileName) {
    const QString working = Paths::documentPath(fileName);
    const QString shipped = Paths::resourcePath(fileName);

    std::optional<QStringList> row;
    std::optional<QStringList> shippedRow;
    bool shippedRead = false;
    if (QFile::exists(working)) {
        row = dataRow(working);
        shippedRow = dataRow(shipped);
        shippedRead = true;
        const auto workingDate = releaseDate(row);
        const auto shippedDate = releaseDate(shippedRow);
        if (workingDate && shippedDate && *workingDate < *shippedDate) {
            QFile::remove(working);
            Paths::copyAsWorkingCopy(shipped, working);
            logLine(QStringLiteral("we write the manager.csv only once when we got a new date"));
            row = dataRow(working);
        }
    } else {
        Paths::copyAsWorkingCopy(shipped, working);
        row = dataRow(working);
    }

    const qsizetype present = row ? row->size() : 0;
    if (present < ManagerModel::columnCount) {
        // A short or missing row would leave settings the screens need empty: take what is missing
        // from the edition's own copy.
        if (!shippedRead)
            shippedRow = dataRow(shipped);
        // An edition whose last value is empty has no field for it, in either copy; that is no loss.
        if (!shippedRow || shippedRow->size() > present)
            logOnce(QStringLiteral("manager.csv in the documents folder has %1 of %2 fields; "
                                   "the missing ones are taken from the edition's copy")
                        .arg(present)
                        .arg(ManagerModel::columnCount));
    }
    for (int column = 0; column < ManagerModel::columnCount; ++column) {
        QString value;
        if (column < present)
            value = row->at(column);
        else if (shippedRow && column < shippedRow->size())
            value = shippedRow->at(column);
        if (value.size() > ManagerModel::maxLength(column)) {
            logOnce(
                QStringLiteral("%1 in manager.csv is %2 characters long, over the %3 any edition needs; it "
                               "is read as missing")
                    .arg(QString::fromLatin1(ManagerModel::columnNames()[column]))
                    .arg(value.size())
                    .arg(ManagerModel::maxLength(column)));
            value.clear();
        }
        record->setField(column, trimmedText(value));
    }
    return record.get();
}

QByteArray DAO::settingsFileBytes(const ManagerModel& values) {
    QString text = ManagerModel::headerLine();
    for (int column = 0; column < ManagerModel::columnCount; ++column) {
        if (column > 0)
            text += u',';
        // The reader drops every double quote inside a value while it toggles quoting, so one written
        // here could only end the value early and shift every later column; none is written.
        text += u'"';
        text += QString(values.field(column)).remove(u'"');
        text += u'"';
    }
    return text.toUtf8();
}

bool DAO::saveSettings(const ManagerModel& values) {
    return Paths::writeAtomically(Paths::documentPath(QStringLiteral("manager.csv")),
                                  settingsFileBytes(values));
}

AppState DAO::readStateOfApp() const {
    const UserDefaults& defaults = UserDefaults::standardUserDefaults();
    auto text = [&](const char* key) { return defaults.stringForKey(QString::fromLatin1(key)); };
    AppState state;
    state.categoryTitle = text("categoryTitle");
    state.categoryImageName = text("categoryImageName");
    state.venueTitle = text("venueTitle");
    state.venueType = text("venueType");
    state.detailTitle = text("detailTitle");
    state.detailVenueName = text("detailVenueName");
    state.categoryIntroductionTitle = text("categoryIntroductionTitle");
    state.categoryIntroductionImageName = text("categoryIntroductionImageName");
    state.offlineMaps = text("offlineMaps");
    state.mapViewMapName = text("mapViewMapName");
    state.searchPageTitle = text("searchPageTitle");
    state.videoPageVideoURL = text("videoPageVideoURL");
    state.liveMapCalledFromCategoryPage =
        defaults.integerForKey(QStringLiteral("liveMapCalledFromCategoryPage"));
    state.liveMapCalledFromChapterPage =
        defaults.integerForKey(QStringLiteral("liveMapCalledFromChapterPage"));
    state.liveMapCalledFromDetailedPage =
        defaults.integerForKey(QStringLiteral("liveMapCalledFromDetailedPage"));

    // A position is kept as a map with "latitude" and "longitude" or as a two-number list.
    const QVariant location = defaults.objectForKey(QStringLiteral("liveMapVenueLocation"));
    if (location.typeId() == QMetaType::QVariantMap) {
        const QVariantMap map = location.toMap();
        state.liveMapVenueLocation = {map.value(QStringLiteral("latitude")).toDouble(),
                                      map.value(QStringLiteral("longitude")).toDouble()};
    } else if (location.canConvert<QVariantList>() && location.toList().size() == 2) {
        const QVariantList pair = location.toList();
        state.liveMapVenueLocation = {pair[0].toDouble(), pair[1].toDouble()};
    }
    state.liveMapVenueName = text("liveMapVenueName");
    state.liveMapVenueCategory = text("liveMapVenueCategory");
    const QVariant venues = defaults.objectForKey(QStringLiteral("liveMapVenues"));
    if (venues.typeId() == QMetaType::QVariantList || venues.typeId() == QMetaType::QStringList)
        state.liveMapVenues = venues.toList(); // a copy: changing it leaves the stored list alone
    state.liveMapCategoryForVenues = text("liveMapCategoryForVenues");
    state.webViewAddress = text("webViewAddress");
    return state;
}

DAOFactory::DAOFactory() : daoObject(std::make_unique<DAO>()) {}

DAOFactory* DAOFactory::getInstance() {
    auto& instance = factoryInstance();
    if (!instance)
        instance.reset(new DAOFactory);
    return instance.get();
}

void DAOFactory::resetInstance() {
    factoryInstance().reset();
}

ManagerModel* readerSettings() {
    return DAOFactory::getInstance()->readSettingsFromFile(QStringLiteral("manager.csv"));
}

ManagerModel* DAOFactory::readSettingsFromFile(const QString& fileName) {
    return daoObject->readSettingsFromFile(fileName);
}

bool DAOFactory::saveSettings(const ManagerModel& values) {
    return daoObject->saveSettings(values);
}
