#pragma once

#include "feeds/VideoFeed.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPair>
#include <QString>
#include <QUrl>

#include <functional>
#include <optional>

// Fetching the playlist of the videos page: the pages fetch their feeds, feeds/ reads the documents.
namespace VideoFeedClient {

constexpr int timeoutMs = 60000;
constexpr const char* clientName = "CityguideFeeds";
constexpr const char* clientVersion = "1.0";

// The request's headers: the User-Agent "APP CLIENT/VERSION SYSTEM (gzip)" (APP alone when it already
// names the client; a configured agent that is empty or begins with "MyCompany-" gives way to the
// program's own name), and "GData-Version: 2.0" unless the query already names a version.
QList<QPair<QByteArray, QByteArray>> requestHeaders(const QUrl& feed, const QString& configuredAgent,
                                                    const QString& systemVersion);

// Fetches and reads the feed; `done` runs once on the user-interface thread, unless the context has
// gone, with the entries or none and the reason.
void fetchFeedWithURL(
    const QUrl& feed, QObject* context,
    std::function<void(std::optional<QList<VideoEntry>> entries, const QString& error)> done);

} // namespace VideoFeedClient
