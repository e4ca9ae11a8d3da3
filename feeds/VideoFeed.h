#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>
#include <optional>

// The edition's video playlist: an Atom feed with the Media RSS and YouTube extensions. Only what the
// video list reads is kept; anything missing reads as empty, never as a failure.
struct VideoThumbnail {
    QString url;
    int width = 0, height = 0;
    QString time; // null when the thumbnail has no "time" attribute
};

struct VideoEntry {
    bool hasMediaGroup = false;
    QString mediaTitle;
    int duration = 0; // yt:duration seconds
    QList<VideoThumbnail> mediaThumbnails;
    QStringList mediaContents; // the media:content addresses, in order

    // The first thumbnail without a "time" attribute, or none.
    std::optional<VideoThumbnail> highQualityThumbnail() const;
};

namespace VideoFeedReader {

// None (with *error) when the bytes are not a well-formed document.
std::optional<QList<VideoEntry>> read(const QByteArray& bytes, QString* error = nullptr);

// A clip's length as the list shows it: minutes and two-digit seconds ("2:05").
QString lengthText(int seconds);

} // namespace VideoFeedReader
