#include "pages/VideoFeedClient.h"

#include "platform/Device.h"
#include "platform/HttpClient.h"

#include <QCoreApplication>

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
