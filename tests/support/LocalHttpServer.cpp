#include "tests/support/LocalHttpServer.h"

#include <memory>
#include <optional>

#include <QFile>
#include <QFileInfo>

#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace testsupport {

namespace {

// A file of the folder, for a path that stays inside it.
std::optional<LocalHttpServer::Answer> fileAnswer(const QString& folder, const QString& path) {
    const QString relative = QUrl(path).path();
    if (relative.contains(QStringLiteral("..")))
        return std::nullopt;
    QFile file(folder + relative);
    if (!QFileInfo(file).isFile() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    static const QHash<QString, QByteArray> types = {{QStringLiteral("xml"), "text/xml; charset=UTF-8"},
                                                     {QStringLiteral("html"), "text/html; charset=UTF-8"},
                                                     {QStringLiteral("png"), "image/png"},
                                                     {QStringLiteral("webm"), "video/webm"},
                                                     {QStringLiteral("mp4"), "video/mp4"}};
    LocalHttpServer::Answer answer;
    answer.body = file.readAll();
    answer.contentType = types.value(QFileInfo(relative).suffix(), "application/octet-stream");
    return answer;
}

} // namespace

LocalHttpServer::LocalHttpServer() : server(new QTcpServer(this)) {
    server->listen(QHostAddress::LocalHost, 0);
    connect(server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = server->nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readRequest(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

LocalHttpServer::~LocalHttpServer() = default;

QUrl LocalHttpServer::url(const QString& path) const {
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(server->serverPort()).arg(path));
}

void LocalHttpServer::serve(const QString& path, const Answer& answer) {
    answers.insert(path, answer);
}

void LocalHttpServer::serve(const QString& path, const QByteArray& body) {
    Answer answer;
    answer.body = body;
    serve(path, answer);
}

void LocalHttpServer::release(const QString& path) {
    Answer now = answers.value(path);
    now.kind = Answer::Normal;
    for (const QPointer<QTcpSocket>& socket : held.take(path))
        if (socket)
            answer(socket, now);
}

void LocalHttpServer::readRequest(QTcpSocket* socket) {
    QByteArray& request = pending[socket];
    request += socket->readAll();
    const qsizetype end = request.indexOf("\r\n\r\n");
    if (end < 0)
        return;
    const QList<QByteArray> words = request.left(request.indexOf("\r\n")).split(' ');
    const QString path = QString::fromLatin1(words.value(1));
    counts[path] += 1;
    headers.insert(path, request.left(end));
    pending.remove(socket);
    if (!answers.contains(path) && !files.isEmpty())
        if (const auto file = fileAnswer(files, path)) {
            answer(socket, *file);
            return;
        }
    if (!answers.contains(path)) {
        Answer missing;
        missing.status = 404;
        missing.body = "not here";
        answer(socket, missing);
        return;
    }
    answer(socket, answers.value(path));
    if (answers.value(path).kind == Answer::Held)
        held[path].append(socket);
}

void LocalHttpServer::answer(QTcpSocket* socket, const Answer& answer) {
    switch (answer.kind) {
    case Answer::Held:
        return;
    case Answer::Reset:
        socket->abort();
        return;
    case Answer::Redirect:
        socket->write("HTTP/1.1 302 Found\r\nLocation: " + answer.location + "\r\nContent-Length: 0\r\n\r\n");
        return;
    case Answer::Endless: {
        socket->write("HTTP/1.1 200 OK\r\nContent-Type: " + answer.contentType + "\r\n\r\n");
        QPointer<QTcpSocket> guard(socket);
        auto* timer = new QTimer(socket);
        connect(timer, &QTimer::timeout, socket, [guard] {
            if (guard && guard->state() == QAbstractSocket::ConnectedState)
                guard->write(QByteArray(64 * 1024, 'x'));
        });
        timer->start(0);
        return;
    }
    case Answer::Drip: {
        socket->write(head(answer));
        QPointer<QTcpSocket> guard(socket);
        auto* timer = new QTimer(socket);
        auto sent = std::make_shared<qsizetype>(0);
        const QByteArray body = answer.body;
        connect(timer, &QTimer::timeout, socket, [guard, sent, body] {
            if (guard && guard->state() == QAbstractSocket::ConnectedState && *sent < body.size())
                guard->write(body.mid((*sent)++, 1));
        });
        timer->start(1000);
        return;
    }
    case Answer::CutOff:
        socket->write(head(answer) + answer.body.left(answer.body.size() / 2));
        socket->flush();
        socket->abort();
        return;
    case Answer::Normal:
        break;
    }
    socket->write(head(answer) + answer.body);
    socket->disconnectFromHost();
}

QByteArray LocalHttpServer::head(const Answer& answer) {
    QByteArray head =
        "HTTP/1.1 " + QByteArray::number(answer.status) + " Whatever\r\nContent-Type: " + answer.contentType +
        "\r\nContent-Length: " + QByteArray::number(answer.body.size()) + "\r\nConnection: close\r\n";
    for (const auto& [name, value] : answer.headers)
        head += name + ": " + value + "\r\n";
    return head + "\r\n";
}

} // namespace testsupport
