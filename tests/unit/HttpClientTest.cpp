#include "platform/HttpClient.h"
#include "tests/support/LocalHttpServer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>
#include <optional>

using namespace testsupport;

namespace {

// The answer to one GET, waited for while the event loop turns.
HttpResponse fetch(const QUrl& url, int timeoutMs = 5000, QObject* context = nullptr) {
    std::optional<HttpResponse> answer;
    HttpClient::Request request;
    request.url = url;
    request.timeoutMs = timeoutMs;
    request.headers = {{"User-Agent", "cityguide-test/1"}};
    HttpClient::get(request, context, [&answer](const HttpResponse& response) { answer = response; });
    QElapsedTimer waited;
    waited.start();
    while (!answer && waited.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_TRUE(answer) << url.toString().toStdString();
    return answer.value_or(HttpResponse{});
}

TEST(HttpClient, TellsEveryKindOfFailureApart) {
    LocalHttpServer server;
    server.serve(u"/ok"_qs, QByteArray("<rates/>"));
    const HttpResponse ok = fetch(server.url(u"/ok"_qs));
    EXPECT_EQ(ok.error, HttpResponse::None);
    EXPECT_EQ(ok.body, QByteArray("<rates/>"));
    EXPECT_TRUE(server.lastHeaders(u"/ok"_qs).contains("User-Agent: cityguide-test/1"));

    EXPECT_EQ(fetch(server.url(u"/missing"_qs)).error, HttpResponse::HttpStatus);
    EXPECT_EQ(fetch(server.url(u"/missing"_qs)).status, 404);

    LocalHttpServer::Answer reset;
    reset.kind = LocalHttpServer::Answer::Reset;
    server.serve(u"/reset"_qs, reset);
    EXPECT_EQ(fetch(server.url(u"/reset"_qs)).error, HttpResponse::NoConnection);

    // Five redirects are followed, a sixth is a loop: /hop1 is five hops from its end, /hop0 six.
    for (int i = 0; i < 6; ++i) {
        LocalHttpServer::Answer hop;
        hop.kind = LocalHttpServer::Answer::Redirect;
        hop.location = QByteArray("/hop") + QByteArray::number(i + 1);
        server.serve(u"/hop%1"_qs.arg(i), hop);
    }
    server.serve(u"/hop6"_qs, QByteArray("arrived"));
    EXPECT_EQ(fetch(server.url(u"/hop1"_qs)).body, QByteArray("arrived"));
    EXPECT_EQ(fetch(server.url(u"/hop0"_qs)).error, HttpResponse::RedirectLoop);
    LocalHttpServer::Answer loop;
    loop.kind = LocalHttpServer::Answer::Redirect;
    loop.location = "/loop";
    server.serve(u"/loop"_qs, loop);
    EXPECT_EQ(fetch(server.url(u"/loop"_qs)).error, HttpResponse::RedirectLoop);

    // Over 1 MB, announced or endless, is a failed download with nothing kept.
    server.serve(u"/big"_qs, QByteArray(1048576 + 1, 'x'));
    const HttpResponse big = fetch(server.url(u"/big"_qs));
    EXPECT_EQ(big.error, HttpResponse::TooLarge);
    EXPECT_TRUE(big.body.isEmpty());
    LocalHttpServer::Answer endless;
    endless.kind = LocalHttpServer::Answer::Endless;
    server.serve(u"/endless"_qs, endless);
    EXPECT_EQ(fetch(server.url(u"/endless"_qs)).error, HttpResponse::TooLarge);
    server.serve(u"/exact"_qs, QByteArray(1048576, 'x'));
    EXPECT_EQ(fetch(server.url(u"/exact"_qs)).error, HttpResponse::None);

    // A server that never answers: the time limit.
    LocalHttpServer::Answer held;
    held.kind = LocalHttpServer::Answer::Held;
    server.serve(u"/held"_qs, held);
    EXPECT_EQ(fetch(server.url(u"/held"_qs), 200).error, HttpResponse::TimedOut);

    // Only http and https; and no network at all when it is switched off.
    EXPECT_EQ(fetch(QUrl(u"file:///etc/passwd"_qs)).error, HttpResponse::NoConnection);
    HttpClient::setNetworkAvailable(false);
    EXPECT_EQ(fetch(server.url(u"/ok"_qs)).error, HttpResponse::NoConnection);
    HttpClient::setNetworkAvailable(true);
    EXPECT_EQ(HttpClient::outstandingRequests(), 0);
}

TEST(HttpClient, ARequestUnderWayFailsAtOnceWhenTheNetworkGoes) {
    LocalHttpServer server;
    LocalHttpServer::Answer held;
    held.kind = LocalHttpServer::Answer::Held;
    server.serve(u"/held"_qs, held);
    std::optional<HttpResponse> answer;
    HttpClient::Request request;
    request.url = server.url(u"/held"_qs);
    request.timeoutMs = 20000;
    HttpClient::get(request, nullptr, [&answer](const HttpResponse& response) { answer = response; });
    QElapsedTimer waited;
    waited.start();
    while (server.requests(u"/held"_qs) == 0 && waited.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    HttpClient::setNetworkAvailable(false);
    waited.restart();
    while (!answer && waited.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    HttpClient::setNetworkAvailable(true);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->error, HttpResponse::NoConnection);
    EXPECT_LT(waited.elapsed(), 2000);
}

TEST(HttpClient, AnAnswerForAContextThatWentIsDropped) {
    LocalHttpServer server;
    server.serve(u"/ok"_qs, QByteArray("late"));
    bool called = false;
    auto* context = new QObject;
    HttpClient::Request request;
    request.url = server.url(u"/ok"_qs);
    HttpClient::get(request, context, [&called](const HttpResponse&) { called = true; });
    delete context;
    QElapsedTimer waited;
    waited.start();
    while (HttpClient::outstandingRequests() > 0 && waited.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_EQ(HttpClient::outstandingRequests(), 0);
    EXPECT_FALSE(called);
}

} // namespace
