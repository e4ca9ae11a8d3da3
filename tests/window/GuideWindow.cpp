#include "tests/window/GuideWindow.h"

#include "tests/window/Invariants.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QThread>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace window {

namespace {

// The demo editions name the address their feeds are served at while the preview runs; the copy
// names the test's own server instead.
constexpr auto previewServer = "http://127.0.0.1:8642/";

} // namespace

GuideWindow::GuideWindow(const Options& options) {
    if (!folder.isValid())
        why = QStringLiteral("no temporary folder");
    else if (!startX())
        why = QStringLiteral("Xvfb did not start: ") + QString::fromLocal8Bit(xserver.readAllStandardError());
    else if (!copyEdition(options))
        why = QStringLiteral("the edition %1 could not be copied").arg(options.edition);
    else if (!startGuide())
        why = QStringLiteral("the guide did not start: ") + output();
}

GuideWindow::~GuideWindow() {
    probe.abort();
    for (QProcess* process : {&guide, &xserver}) {
        if (process->state() == QProcess::NotRunning)
            continue;
        process->terminate();
        if (!process->waitForFinished(5000)) {
            process->kill();
            process->waitForFinished(2000);
        }
    }
}

bool GuideWindow::startX() {
    // Xvfb picks a free display and writes its number on the given descriptor (its standard output).
    xserver.start(QStringLiteral("Xvfb"),
                  {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                   QStringLiteral("0"), QStringLiteral("1024x768x24"), QStringLiteral("-nolisten"),
                   QStringLiteral("tcp")});
    if (!xserver.waitForStarted(5000))
        return false;
    QDeadlineTimer deadline(10000);
    while (!xserver.canReadLine() && !deadline.hasExpired() && xserver.state() == QProcess::Running)
        xserver.waitForReadyRead(200);
    const QByteArray number = xserver.readLine().trimmed();
    if (number.isEmpty())
        return false;
    display = u':' + QString::fromLatin1(number);
    return true;
}

bool GuideWindow::copyEdition(const Options& options) {
    http = std::make_unique<testsupport::LocalHttpServer>();
    const QString copy = editionCopy();
    const QDir source(options.edition);
    QDirIterator files(options.edition, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        const QString target = copy + u'/' + source.relativeFilePath(path);
        QDir().mkpath(QFileInfo(target).absolutePath());
        const bool text = path.endsWith(QStringLiteral(".csv")) || path.endsWith(QStringLiteral(".xml")) ||
                          path.endsWith(QStringLiteral(".html"));
        if (!text) {
            if (!QFile::copy(path, target))
                return false;
            continue;
        }
        QFile in(path), out(target);
        if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly))
            return false;
        out.write(in.readAll().replace(previewServer, server().toString().toUtf8()));
    }
    http->serveFolder(copy);
    if (options.prepare)
        options.prepare(copy, server());
    return true;
}

void GuideWindow::runSql(const QString& database, const QByteArray& sql) {
    sqlite3* db = nullptr;
    if (sqlite3_open(QFile::encodeName(database).constData(), &db) != SQLITE_OK ||
        sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
        ADD_FAILURE() << database.toStdString() << ": " << sqlite3_errmsg(db);
    sqlite3_close(db);
}

void GuideWindow::runSqlOnTiles(const QString& folder, const QByteArray& sql) {
    for (const QString& name : QDir(folder).entryList({QStringLiteral("*.mbtiles")}))
        runSql(folder + u'/' + name, sql);
}

bool GuideWindow::startGuide() {
    QProcessEnvironment environment = onDisplay();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    // Why a probe could not listen, should it not.
    environment.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("cityguide.probe.debug=true"));
    // The reader's files and preferences of a fresh reader.
    environment.insert(QStringLiteral("HOME"), folder.path());
    environment.insert(QStringLiteral("XDG_DATA_HOME"), folder.path() + QStringLiteral("/data"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), folder.path() + QStringLiteral("/config"));
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), folder.path() + QStringLiteral("/cache"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), folder.path());
    environment.remove(QStringLiteral("QT_SCALE_FACTOR"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.insert(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"), QStringLiteral("1"));
    environment.insert(QStringLiteral("QTWEBENGINE_CHROMIUM_FLAGS"),
                       QStringLiteral("--disable-gpu --disable-background-networking"));
    guide.setProcessEnvironment(environment);
    const QString socket = folder.path() + QStringLiteral("/probe");
    guide.start(QStringLiteral(GUIDE_PROGRAM),
                {QStringLiteral("--edition"), editionCopy(), QStringLiteral("--probe"), socket});
    if (!guide.waitForStarted(10000))
        return false;
    QDeadlineTimer deadline(30000);
    while (!deadline.hasExpired() && guide.state() == QProcess::Running) {
        probe.connectToServer(socket);
        if (probe.waitForConnected(200))
            break;
        wait(100);
    }
    if (probe.state() != QLocalSocket::ConnectedState)
        return false;
    // Keys go to the window that has the input focus; there is no window manager to give it.
    xdotool({QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--pid"),
             QString::number(guide.processId()), QStringLiteral("--name"), QStringLiteral("City guide"),
             QStringLiteral("windowfocus")});
    return !state().contains(u"error");
}

void GuideWindow::wait(int ms) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
}

QJsonObject GuideWindow::state() {
    if (probe.state() != QLocalSocket::ConnectedState)
        return {{u"error"_qs, u"the guide is gone"_qs}};
    probe.write("state\n");
    probe.flush();
    QDeadlineTimer deadline(10000);
    // The test's own server answers the guide's requests while the test waits.
    while (!probe.canReadLine() && !deadline.hasExpired() && probe.state() == QLocalSocket::ConnectedState) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        probe.waitForReadyRead(5);
    }
    if (!probe.canReadLine())
        return {{u"error"_qs, u"the guide does not answer"_qs}};
    return QJsonDocument::fromJson(probe.readLine()).object();
}

QJsonObject GuideWindow::settle(int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    QString lastPicture;
    QJsonObject now;
    while (true) {
        now = state();
        if (now.contains(u"error"))
            return now;
        const QString picture = now[u"picture"].toString();
        if (now[u"quiet"].toBool() && picture == lastPicture)
            return now;
        if (deadline.hasExpired())
            return now;
        lastPicture = now[u"quiet"].toBool() ? picture : QString();
        wait(60);
    }
}

QList<Control> GuideWindow::controls(const QJsonObject& state) const {
    QList<Control> list;
    for (const QJsonValue& value : state[u"controls"].toArray()) {
        const QJsonObject control = value.toObject();
        list.append(Control{control[u"kind"].toString(), control[u"name"].toString(),
                            rectOf(control[u"rect"]), control[u"owner"].toString(),
                            control[u"text"].toString()});
    }
    return list;
}

std::optional<Control> GuideWindow::find(const QJsonObject& state, const QString& kind,
                                         const QString& name) const {
    for (const Control& control : controls(state)) {
        if (control.kind == kind && (name.isEmpty() || control.name == name))
            return control;
    }
    return std::nullopt;
}

bool GuideWindow::tap(const QString& kind, const QString& name) {
    const auto control = find(settle(), kind, name);
    if (!control)
        return false;
    tapAt(control->centre());
    return true;
}

QProcessEnvironment GuideWindow::onDisplay() const {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), display);
    return environment;
}

void GuideWindow::runOnDisplay(const QString& program, const QStringList& arguments) {
    QProcess tool;
    tool.setProcessEnvironment(onDisplay());
    tool.start(program, arguments);
    // The guide keeps running its loop meanwhile; the test's server answers it. Nothing run here
    // takes long: one that does (a window that never shows) is given up.
    QDeadlineTimer deadline(15000);
    while (!tool.waitForFinished(10) && !deadline.hasExpired())
        QCoreApplication::processEvents();
    if (tool.state() != QProcess::NotRunning) {
        tool.kill();
        tool.waitForFinished(1000);
    }
}

void GuideWindow::xdotool(const QStringList& arguments) {
    runOnDisplay(QStringLiteral("xdotool"), arguments);
}

void GuideWindow::tapAt(const QPoint& point) {
    xdotool({QStringLiteral("mousemove"), QString::number(point.x()), QString::number(point.y()),
             QStringLiteral("click"), QStringLiteral("1")});
}

void GuideWindow::drag(const QPoint& from, const QPoint& to) {
    QStringList steps = {QStringLiteral("mousemove"), QString::number(from.x()), QString::number(from.y()),
                         QStringLiteral("mousedown"), QStringLiteral("1")};
    for (int i = 1; i <= 8; ++i) {
        const QPoint at = from + (to - from) * i / 8;
        steps << QStringLiteral("sleep") << QStringLiteral("0.02") << QStringLiteral("mousemove")
              << QString::number(at.x()) << QString::number(at.y());
    }
    steps << QStringLiteral("mouseup") << QStringLiteral("1");
    xdotool(steps);
}

void GuideWindow::key(const QString& keys) {
    xdotool({QStringLiteral("key"), keys});
}

void GuideWindow::type(const QString& text) {
    xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("30"), text});
}

bool GuideWindow::menu(const QStringList& path) {
    QJsonObject now = settle();
    std::optional<QRect> title;
    for (const QJsonValue& value : now[u"menus"].toArray()) {
        if (value[u"name"].toString() == path.value(0))
            title = rectOf(value[u"rect"]);
    }
    if (!title)
        return false;
    tapAt(title->center());
    for (const QString& entry : path.mid(1)) {
        std::optional<QRect> item;
        QDeadlineTimer deadline(3000);
        while (!item && !deadline.hasExpired()) {
            wait(50);
            for (const QJsonValue& value : state()[u"openMenu"].toArray()) {
                if (value[u"name"].toString() == entry)
                    item = rectOf(value[u"rect"]);
            }
        }
        if (!item) {
            key(QStringLiteral("Escape"));
            return false;
        }
        tapAt(item->center());
    }
    return true;
}

QRect GuideWindow::screen(const QJsonObject& state) const {
    return rectOf(state[u"screen"]);
}

QPoint GuideWindow::onScreen(const QJsonObject& state, const QPoint& point) const {
    return screen(state).topLeft() + point;
}

bool GuideWindow::terminateWithin(int ms) {
    guide.terminate();
    return guide.waitForFinished(ms);
}

qint64 GuideWindow::residentKiB() const {
    QFile status(QStringLiteral("/proc/%1/status").arg(guide.processId()));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return 0;
}

QString GuideWindow::output() {
    stderrText += QString::fromLocal8Bit(guide.readAllStandardError());
    guide.readAllStandardOutput();
    return stderrText;
}

void GuideWindow::screenshot(const QString& path) {
    runOnDisplay(
        QStringLiteral("sh"),
        {QStringLiteral("-c"), QStringLiteral("xwd -root -silent | convert xwd:- png:'%1'").arg(path)});
}

} // namespace window
