#pragma once

#include <QMutex>
#include <QString>
#include <QVariantMap>
#include <optional>

// The look of each chapter, from the edition's chapter.plist, looked up by the chapter's title. The
// file is parsed once and again only when it changes; the lookups may run on any thread.
class ShareData {
public:
    struct Color {
        double red = 0, green = 0, blue = 0, alpha = 0;
        bool operator==(const Color&) const = default;
    };
    struct Position {
        double latitude = 0, longitude = 0;
    };

    static ShareData* sharedInstance();

    // The picture to load: the bare name from system version 4.0 on, "name.png" below. A null
    // string (or ".png" below 4.0) when the chapter has no background.
    QString getCorrespondingBKG(const QString& title) const;
    // Transparent black when the chapter has no colour.
    Color getCorrespondingColor(const QString& title) const;
    // The chapter's sponsored placement entry, or none.
    std::optional<QVariantMap> getCorrespondingPlacement(const QString& title) const;
    // The edition's default map centre ("Default GPS Position"), or none.
    std::optional<Position> defaultGPSPosition() const;
    // A position entry of chapter.plist ("lat" and "long"), or none when it is no position on the earth.
    static std::optional<Position> positionFrom(const QVariant& entry);

    // Where the live map's street tiles come from ("Map Tiles"): an MBTiles file of the edition, an
    // online address template and the attribution to show. Any part may be empty.
    struct MapTiles {
        QString file, url, attribution;
    };
    MapTiles mapTiles() const;

    ShareData(const ShareData&) = delete;
    ShareData& operator=(const ShareData&) = delete;

private:
    ShareData() = default;
    QVariantMap readChapterList() const;

    mutable QMutex cacheLock;
    mutable QString cachedStamp;
    mutable QVariantMap cachedList;
};
