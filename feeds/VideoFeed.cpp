#include "feeds/VideoFeed.h"

#include "feeds/SafeXml.h"
#include "platform/Device.h"
#include "platform/HttpClient.h"
#include "platform/TextValues.h"

#include <QCoreApplication>

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

namespace VideoFeedClient {

QList<QPair<QByteArray, QByteArray>> requestHeaders(const QUrl& feed, const QString& configuredAgent,
                                                    const QString& systemVersion) {
    QString application = configuredAgent;
    if (application.isEmpty() || application.startsWith(QStringLiteral("MyCompany-")))
        application = QStringLiteral("cityguide-0.1");
    const QString client = QString::fromLatin1(clientName);
    const QString agent =
        application.contains(client)
            ? application
            : QStringLiteral("%1 %2/%3 %4 (gzip)")
                  .arg(application, client, QString::fromLatin1(clientVersion), systemVersion);
    QList<QPair<QByteArray, QByteArray>> headers{{"User-Agent", agent.toUtf8()}};
    const QString query = feed.query(QUrl::FullyEncoded);
    if (!query.startsWith(QStringLiteral("v=")) && !query.contains(QStringLiteral("&v=")))
        headers.append(qMakePair(QByteArray("GData-Version"), QByteArray("2.0")));
    return headers;
}

void fetchFeedWithURL(const QUrl& feed, QObject* context,
                      std::function<void(std::optional<QList<VideoEntry>>, const QString&)> done) {
    HttpClient::Request request;
    request.url = feed;
    request.timeoutMs = timeoutMs;
    request.headers = requestHeaders(feed, QCoreApplication::applicationName(), Device::systemVersion());
    HttpClient::get(request, context, [done = std::move(done)](const HttpResponse& response) {
        if (!response.ok()) {
            done(std::nullopt, response.errorText);
            return;
        }
        QString error;
        std::optional<QList<VideoEntry>> entries = VideoFeedReader::read(response.body, &error);
        done(std::move(entries), error);
    });
}

} // namespace VideoFeedClient
