#include "model/ShareData.h"

#include <cmath>

#include "model/PropertyList.h"
#include "platform/Device.h"
#include "platform/Log.h"
#include "platform/Paths.h"

#include <QDateTime>
#include <QFileInfo>

ShareData* ShareData::sharedInstance() {
    // Function-local statics are created once even when several threads ask at the same time.
    static ShareData* instance = new ShareData;
    return instance;
}

QVariantMap ShareData::readChapterList() const {
    const QString path = Paths::resourcePath(QStringLiteral("chapter.plist"));
    const QFileInfo info(path);
    // The file is parsed once; a look at its size and time tells whether the edition changed since.
    const QString stamp = path + u'|' + QString::number(info.size()) + u'|' +
                          QString::number(info.lastModified().toMSecsSinceEpoch());
    const QMutexLocker locker(&cacheLock);
    if (stamp == cachedStamp)
        return cachedList;
    cachedStamp = stamp;
    QString error;
    const std::optional<QVariant> root = PropertyList::readFile(path, &error);
    if (!root) {
        logOnce(QStringLiteral("Error reading plist: %1, format: %2").arg(path + ": " + error).arg(0));
        cachedList.clear();
    } else {
        cachedList = root->toMap();
    }
    return cachedList;
}

QString ShareData::getCorrespondingBKG(const QString& title) const {
    const QVariant name = readChapterList().value(QStringLiteral("Backgrounds")).toMap().value(title);
    if (Device::systemVersionNumber() >= 4.0)
        return name.isValid() ? name.toString() : QString();
    return name.toString() + QStringLiteral(".png");
}

ShareData::Color ShareData::getCorrespondingColor(const QString& title) const {
    const QVariantMap entry = readChapterList().value(QStringLiteral("Colors")).toMap().value(title).toMap();
    auto component = [&](const char* key) { return entry.value(QString::fromLatin1(key)).toDouble(); };
    return {component("r"), component("g"), component("b"), component("a")};
}

std::optional<QVariantMap> ShareData::getCorrespondingPlacement(const QString& title) const {
    const QVariant entry = readChapterList().value(QStringLiteral("Placements")).toMap().value(title);
    if (entry.typeId() != QMetaType::QVariantMap)
        return std::nullopt;
    return entry.toMap();
}

std::optional<ShareData::Position> ShareData::defaultGPSPosition() const {
    return positionFrom(readChapterList().value(QStringLiteral("Default GPS Position")));
}

std::optional<ShareData::Position> ShareData::positionFrom(const QVariant& entry) {
    if (entry.typeId() != QMetaType::QVariantMap)
        return std::nullopt;
    const QVariantMap map = entry.toMap();
    bool latOk = false, lonOk = false;
    const Position position{map.value(QStringLiteral("lat")).toDouble(&latOk),
                            map.value(QStringLiteral("long")).toDouble(&lonOk)};
    // A position off the earth (NaN, 1e308) would put every venue at the same "0m": it is no position.
    if (!latOk || !lonOk || !(std::abs(position.latitude) <= 90) || !(std::abs(position.longitude) <= 180))
        return std::nullopt;
    return position;
}

ShareData::MapTiles ShareData::mapTiles() const {
    const QVariantMap entry = readChapterList().value(QStringLiteral("Map Tiles")).toMap();
    return {entry.value(QStringLiteral("file")).toString(), entry.value(QStringLiteral("url")).toString(),
            entry.value(QStringLiteral("attribution")).toString()};
}
