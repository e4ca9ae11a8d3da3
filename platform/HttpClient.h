#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPair>
#include <QString>
#include <QUrl>
#include <functional>

// The one door to the network. A GET with the caller's headers, a time-out and no local cache; at most
// five redirects, http and https only, and an answer over 1 MB is a failed download. The answer is
// handed to the callback on the user-interface thread, unless the callback's context has gone.
// Pages never see Qt Network types.
struct HttpResponse {
    enum Error {
        None,
        NoConnection, // no network, host not found, refused, reset, not http(s)
        TimedOut,
        HttpStatus, // the server answered with a status outside 200-299
        TooLarge,
        RedirectLoop,
    };
    Error error = None;
    int status = 0;
    QByteArray body;
    QList<QPair<QByteArray, QByteArray>> headers; // of the answer
    QString errorText;                            // for the log

    bool ok() const { return error == None; }
};

class HttpClient {
public:
    static constexpr qint64 maxAnswerBytes = 1024 * 1024;
    static constexpr int maxRedirects = 5;

    struct Request {
        QUrl url;
        QList<QPair<QByteArray, QByteArray>> headers;
        int timeoutMs = 20000;
        qint64 maxBytes = maxAnswerBytes; // a larger answer is a failed download
    };

    // Starts the request; `done` runs once, later, on the user-interface thread.
    static void get(const Request& request, QObject* context, std::function<void(const HttpResponse&)> done);

    // Off: every request fails at once as on a phone without network (the preview, the tests), the
    // ones under way too. Call it on the user-interface thread.
    static void setNetworkAvailable(bool available);
    static bool networkAvailable();
    // On: only 127.0.0.1 and localhost are reached; any other host fails as without network (tests).
    static void setLoopbackOnly(bool loopbackOnly);
    // Whether a request to that address would be let out (the network on, and this machine only when
    // loopback-only).
    static bool mayReach(const QUrl& url);
    // Requests started and not yet answered (tests wait for them).
    static int outstandingRequests();
    // For tests: no exchange lasts longer than this many milliseconds (0: each request's own limit).
    static void setTimeLimitForTesting(int ms);
    // Closes the network stack while the event loop still runs, so that nothing of it is left for the
    // process's end (test programs); a later request opens it again.
    static void shutDown();
};
