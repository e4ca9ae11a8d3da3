#pragma once

#include <QJsonObject>
#include <QObject>
#include <QStringList>

class QLocalServer;
class QLocalSocket;
class StrollbookAppDelegate;
class PreviewShell;

// What a test that drives the guide from outside (the reader walk) asks of the running guide: on a
// local socket it answers each line "state" with one line of JSON that tells what the reader sees
// and what the screen on top asks of the window. It only reads; all input comes through the window
// system, as a reader's would.
class ReaderProbe : public QObject {
    Q_OBJECT
public:
    ReaderProbe(StrollbookAppDelegate* delegate, PreviewShell* shell, QObject* parent = nullptr);
    ~ReaderProbe() override;

    // Listens at the socket's path; false (with a line of the logging category cityguide.probe) when it
    // cannot.
    bool listen(const QString& path);

    // The state as the probe reports it.
    QJsonObject state() const;

private:
    void answer(QLocalSocket* client);

    StrollbookAppDelegate* delegate;
    PreviewShell* shell;
    QLocalServer* server = nullptr;
};
