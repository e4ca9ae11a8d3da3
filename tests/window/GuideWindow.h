#pragma once

#include "tests/support/LocalHttpServer.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QLocalSocket>
#include <QPoint>
#include <QProcess>
#include <QRect>
#include <QTemporaryDir>
#include <memory>
#include <optional>

namespace window {

// A control of the screen as the guide's probe reports it.
struct Control {
    QString kind; // button, row, field, pin, map, scroll
    QString name;
    QRect rect; // on the X screen
    QString owner;
    QString text; // a field's text
    QPoint centre() const { return rect.center(); }
};

// The guide as a reader meets it: running on the xcb platform in an X server of its
// own (Xvfb), its feeds served on 127.0.0.1 from a copy of the edition, driven by real input events
// (xdotool) and watched through its probe.
class GuideWindow {
public:
    struct Options {
        QString edition;
        // The copy of the edition is changed before the guide starts (a feed, a setting).
        std::function<void(const QString& folder, const QUrl& server)> prepare;
    };
    explicit GuideWindow(const Options& options);
    ~GuideWindow();

    // Empty when the guide runs; otherwise why it does not.
    QString failure() const { return why; }

    // What the probe says now, and once animations and transitions have come to rest (and the
    // picture stays the same for two looks).
    QJsonObject state();
    QJsonObject settle(int timeoutMs = 6000);

    QList<Control> controls(const QJsonObject& state) const;
    std::optional<Control> find(const QJsonObject& state, const QString& kind, const QString& name) const;
    // Taps the named control of the settled screen; false when there is none.
    bool tap(const QString& kind, const QString& name);

    void tapAt(const QPoint& point);
    void drag(const QPoint& from, const QPoint& to);
    // Keys in xdotool's words: "ctrl+shift+z", "Escape", "Return".
    void key(const QString& keys);
    void type(const QString& text);
    // Chooses a menu entry of the preview window, through its menu bar: {"Device", "Shake"}.
    bool menu(const QStringList& path);

    // The phone's screen on the X screen.
    QRect screen(const QJsonObject& state) const;
    QPoint onScreen(const QJsonObject& state, const QPoint& point) const;
    qint64 residentKiB() const;
    // Everything the guide wrote on stderr so far.
    QString output();
    qint64 pid() const { return guide.processId(); }
    // Sends SIGTERM; true when the guide has ended within the time.
    bool terminateWithin(int ms);
    QUrl server() const { return http->url(QStringLiteral("/")); }
    QString editionCopy() const { return folder.path() + QStringLiteral("/edition"); }
    // Runs SQL on a database of the edition's copy, or on each of its MBTiles files (before the guide
    // starts: in Options::prepare). A statement that fails fails the test.
    static void runSql(const QString& database, const QByteArray& sql);
    static void runSqlOnTiles(const QString& folder, const QByteArray& sql);
    // A picture of the X screen, for a failing step.
    void screenshot(const QString& path);

private:
    bool startX();
    bool copyEdition(const Options& options);
    bool startGuide();
    // The system's environment with this X server's display.
    QProcessEnvironment onDisplay() const;
    // Runs a program on this X server, turning the event loop until it ends (15 s at most).
    void runOnDisplay(const QString& program, const QStringList& arguments);
    void xdotool(const QStringList& arguments);
    void wait(int ms);

    QTemporaryDir folder;
    QProcess xserver;
    QProcess guide;
    QString display;
    QLocalSocket probe;
    std::unique_ptr<testsupport::LocalHttpServer> http;
    QString stderrText;
    QString why;
};

} // namespace window
