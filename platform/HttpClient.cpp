#include "platform/HttpClient.h"

#include <QCoreApplication>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPointer>
#include <QSet>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <memory>

namespace {

std::atomic<bool> networkOn{true};
std::atomic<bool> loopbackOnlyOn{false};
std::atomic<int> outstanding{0};
std::atomic<int> testTimeLimit{0};

QPointer<QNetworkAccessManager>& sharedManager() {
    static QPointer<QNetworkAccessManager> shared;
    return shared;
}

QNetworkAccessManager* manager() {
    // One manager for the run, on the user-interface thread.
    QPointer<QNetworkAccessManager>& shared = sharedManager();
    if (!shared) {
        shared = new QNetworkAccessManager(QCoreApplication::instance());
        shared->setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);
    }
    return shared;
}

class Exchange;
// The exchanges under way (user-interface thread only).
QSet<Exchange*>& liveExchanges() {
    static QSet<Exchange*> exchanges;
    return exchanges;
}

bool webAddress(const QUrl& url) {
    return url.isValid() && (url.scheme() == u"http" || url.scheme() == u"https") && !url.host().isEmpty();
}

// One request and the redirects it follows.
class Exchange : public QObject {
public:
    Exchange(const HttpClient::Request& request, QObject* context,
             std::function<void(const HttpResponse&)> done)
        : request(request), context(context), hasContext(context != nullptr), done(std::move(done)) {
        ++outstanding;
        liveExchanges().insert(this);
        timer.setSingleShot(true);
        connect(&timer, &QTimer::timeout, this, [this] {
            timedOut = true;
            if (reply)
                reply->abort();
        });
    }

    ~Exchange() override { liveExchanges().remove(this); }

    // The network went away under the exchange: it fails now, as on a phone, not at its time limit.
    void networkLost() {
        lost = true;
        if (reply)
            reply->abort();
    }

    void start(const QUrl& url) {
        if (!HttpClient::mayReach(url)) {
            fail(HttpResponse::NoConnection,
                 networkOn.load() ? QStringLiteral("only this machine may be reached: ") + url.host()
                                  : QStringLiteral("the network is not available"));
            return;
        }
        if (!webAddress(url)) {
            fail(HttpResponse::NoConnection,
                 QStringLiteral("not an http or https address: ") + url.toString());
            return;
        }
        QNetworkRequest networkRequest(url);
        networkRequest.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                                    QNetworkRequest::AlwaysNetwork);
        networkRequest.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
        for (const auto& [name, value] : request.headers)
            networkRequest.setRawHeader(name, value);
        reply = manager()->get(networkRequest);
        // Qt would buffer an endless answer as fast as it comes: no more than the cap is held.
        reply->setReadBufferSize(request.maxBytes + 1);
        if (!timer.isActive())
            timer.start(timeLimit()); // one time limit for the whole exchange, redirects included
        connect(reply, &QNetworkReply::metaDataChanged, this, [this] {
            const qint64 announced = reply->header(QNetworkRequest::ContentLengthHeader).toLongLong();
            if (announced > request.maxBytes)
                abortTooLarge();
        });
        connect(reply, &QNetworkReply::readyRead, this, [this] {
            body += reply->readAll();
            if (body.size() > request.maxBytes)
                abortTooLarge();
        });
        connect(reply, &QNetworkReply::finished, this, [this] { finished(); });
    }

private:
    int timeLimit() const {
        const int limit = testTimeLimit.load();
        return limit > 0 ? std::min(limit, request.timeoutMs) : request.timeoutMs;
    }

    void abortTooLarge() {
        tooLarge = true;
        body.clear();
        reply->abort();
    }

    void finished() {
        QNetworkReply* ended = reply;
        reply = nullptr;
        ended->deleteLater();
        if (tooLarge) {
            fail(HttpResponse::TooLarge,
                 QStringLiteral("the answer is larger than %1 bytes").arg(request.maxBytes));
            return;
        }
        if (lost) {
            fail(HttpResponse::NoConnection, QStringLiteral("the network is not available"));
            return;
        }
        if (timedOut) {
            fail(HttpResponse::TimedOut, QStringLiteral("no answer within %1 ms").arg(timeLimit()));
            return;
        }
        const int status = ended->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (status >= 300 && status < 400 && ended->hasRawHeader("Location")) {
            if (++redirects > HttpClient::maxRedirects) {
                fail(HttpResponse::RedirectLoop, QStringLiteral("more than 5 redirects"));
                return;
            }
            body.clear();
            start(ended->url().resolved(QUrl::fromEncoded(ended->rawHeader("Location"))));
            return;
        }
        body += ended->readAll();
        if (body.size() > request.maxBytes) {
            fail(HttpResponse::TooLarge,
                 QStringLiteral("the answer is larger than %1 bytes").arg(request.maxBytes));
            return;
        }
        if (status != 0 && (status < 200 || status > 299)) {
            HttpResponse response;
            response.error = HttpResponse::HttpStatus;
            response.status = status;
            response.errorText = QStringLiteral("HTTP status %1").arg(status);
            finish(response);
            return;
        }
        if (ended->error() != QNetworkReply::NoError) {
            fail(HttpResponse::NoConnection, ended->errorString());
            return;
        }
        HttpResponse response;
        response.status = status;
        response.body = std::move(body);
        response.headers = ended->rawHeaderPairs();
        finish(response);
    }

    void fail(HttpResponse::Error error, const QString& why) {
        HttpResponse response;
        response.error = error;
        response.errorText = why;
        // Never within the caller's own call: the page finishes building before it hears back.
        QTimer::singleShot(0, this, [this, response] { finish(response); });
    }

    void finish(const HttpResponse& response) {
        timer.stop();
        --outstanding;
        if (!hasContext || context)
            done(response);
        deleteLater();
    }

    HttpClient::Request request;
    QPointer<QObject> context;
    bool hasContext;
    std::function<void(const HttpResponse&)> done;
    QPointer<QNetworkReply> reply;
    QTimer timer;
    QByteArray body;
    int redirects = 0;
    bool timedOut = false;
    bool tooLarge = false;
    bool lost = false;
};

} // namespace

void HttpClient::get(const Request& request, QObject* context,
                     std::function<void(const HttpResponse&)> done) {
    auto* exchange = new Exchange(request, context, std::move(done));
    exchange->setParent(manager());
    exchange->start(request.url);
}

void HttpClient::setNetworkAvailable(bool available) {
    networkOn.store(available);
    if (available)
        return;
    const QSet<Exchange*> underWay = liveExchanges(); // a copy: a lost exchange may end at once
    for (Exchange* exchange : underWay)
        exchange->networkLost();
}

void HttpClient::setLoopbackOnly(bool loopbackOnly) {
    loopbackOnlyOn.store(loopbackOnly);
}

bool HttpClient::mayReach(const QUrl& url) {
    if (!networkOn.load())
        return false;
    return !loopbackOnlyOn.load() || url.host() == u"127.0.0.1" || url.host() == u"localhost";
}

bool HttpClient::networkAvailable() {
    return networkOn.load();
}

void HttpClient::shutDown() {
    delete sharedManager().data();
}

void HttpClient::setTimeLimitForTesting(int ms) {
    testTimeLimit.store(ms);
}

int HttpClient::outstandingRequests() {
    return outstanding.load();
}
