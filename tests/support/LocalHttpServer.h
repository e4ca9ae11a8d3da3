#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QUrl>

class QTcpServer;
class QTcpSocket;

namespace testsupport {

// An HTTP server on 127.0.0.1 (a free port) for the tests: it serves what a test gives it and
// misbehaves on request. It answers on the thread that made it, as the event loop turns.
class LocalHttpServer : public QObject {
    Q_OBJECT
public:
    struct Answer {
        enum Kind {
            Normal,
            Redirect, // 302 to `location`
            Held,     // no answer until release()
            Endless,  // a body that never ends
            Reset,    // the connection is dropped at once
            Drip,     // the head, then one byte of the body a second
            CutOff,   // the head and half the body, then the connection is dropped
        };
        Kind kind = Normal;
        int status = 200;
        QByteArray body;
        QByteArray contentType = "text/xml; charset=UTF-8";
        QByteArray location;
        QList<QPair<QByteArray, QByteArray>> headers; // more header lines ("Content-Encoding: gzip")
    };

    LocalHttpServer();
    ~LocalHttpServer() override;

    QUrl url(const QString& path) const;
    void serve(const QString& path, const Answer& answer);
    void serve(const QString& path, const QByteArray& body);
    // Paths without an answer of their own are the files of the folder (an edition's feeds, clips and
    // pictures, as a web server would serve them).
    void serveFolder(const QString& folder) { files = folder; }
    // Answers the requests held so far with what the path serves now (Normal).
    void release(const QString& path);

    int requests(const QString& path) const { return counts.value(path); }
    // The header lines of the last request for the path.
    QByteArray lastHeaders(const QString& path) const { return headers.value(path); }

private:
    void readRequest(QTcpSocket* socket);
    void answer(QTcpSocket* socket, const Answer& answer);
    // The status line and header lines of an answer with a body, up to the blank line.
    static QByteArray head(const Answer& answer);

    QTcpServer* server;
    QString files;
    QHash<QString, Answer> answers;
    QHash<QString, int> counts;
    QHash<QString, QByteArray> headers;
    QHash<QString, QList<QPointer<QTcpSocket>>> held;
    QHash<QTcpSocket*, QByteArray> pending;
};

} // namespace testsupport
