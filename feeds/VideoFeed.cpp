#include "feeds/VideoFeed.h"

#include "feeds/SafeXml.h"
#include "platform/TextValues.h"

namespace {

const QString atom = QStringLiteral("http://www.w3.org/2005/Atom");
const QString mediaRss = QStringLiteral("http://search.yahoo.com/mrss/");
const QString youTube = QStringLiteral("http://gdata.youtube.com/schemas/2007");

} // namespace

std::optional<VideoThumbnail> VideoEntry::highQualityThumbnail() const {
    for (const VideoThumbnail& thumbnail : mediaThumbnails)
        if (thumbnail.time.isNull())
            return thumbnail;
    return std::nullopt;
}

namespace VideoFeedReader {

std::optional<QList<VideoEntry>> read(const QByteArray& bytes, QString* error) {
    QList<VideoEntry> entries;
    bool inEntry = false, inGroup = false, inTitle = false;
    QString title;
    const bool ok = SafeXml::read(
        bytes,
        [&](const SafeXml::Node& node) {
            const bool start = node.kind == SafeXml::Node::StartElement;
            const bool end = node.kind == SafeXml::Node::EndElement;
            if (node.kind == SafeXml::Node::Text) {
                if (inTitle)
                    title += node.text;
                return;
            }
            if (node.namespaceUri == atom && node.name == u"entry") {
                inEntry = start;
                if (start)
                    entries.append(VideoEntry());
                return;
            }
            if (!inEntry)
                return;
            VideoEntry& entry = entries.last();
            if (node.namespaceUri == mediaRss && node.name == u"group") {
                inGroup = start;
                entry.hasMediaGroup = true;
                return;
            }
            if (!inGroup)
                return;
            if (node.namespaceUri == mediaRss && node.name == u"title") {
                if (start) {
                    inTitle = true;
                    title.clear();
                } else if (end) {
                    inTitle = false;
                    entry.mediaTitle = title;
                }
            } else if (start && node.namespaceUri == mediaRss && node.name == u"thumbnail") {
                entry.mediaThumbnails.append({node.attribute("url"), node.attribute("width").toInt(),
                                              node.attribute("height").toInt(), node.attribute("time")});
            } else if (start && node.namespaceUri == mediaRss && node.name == u"content") {
                entry.mediaContents.append(node.attribute("url"));
            } else if (start && node.namespaceUri == youTube && node.name == u"duration") {
                entry.duration = node.attribute("seconds").toInt();
            }
        },
        error);
    if (!ok)
        return std::nullopt;
    return entries;
}

QString lengthText(int seconds) {
    return minutesAndSeconds(seconds);
}

} // namespace VideoFeedReader
