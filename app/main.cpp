// cityguide: the guide on the bundled demo edition (or --edition DIR) in a desktop window that shows
// the phone's 320 x 480 screen; --shoot DIR writes a picture of each screen offscreen and exits.

#include "app/PreviewShell.h"
#include "app/ReaderProbe.h"
#include "app/ScreenTour.h"
#include "app/StrollbookAppDelegate.h"
#include "app/Termination.h"
#include "location/LocationManager.h"
#include "model/ShareData.h"
#include "platform/Device.h"
#include "platform/HttpClient.h"
#include "platform/Paths.h"
#include "platform/ShakeDetector.h"
#include "platform/UserDefaults.h"
#include "ui/NavigationController.h"
#include "ui/VideoPlayer.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QGeoPositionInfoSource>
#include <QGridLayout>
#include <QLoggingCategory>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {

// Measures start-up: tells the one who started the program when the home screen has been painted.
class FirstPaintProbe : public QObject {
public:
    explicit FirstPaintProbe(QWidget* home) { home->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !done) {
            done = true;
            QTimer::singleShot(0, [] {
                std::fputs("painted\n", stdout);
                std::fflush(stdout);
                QApplication::exit(0);
            });
        }
        return false;
    }

private:
    bool done = false;
};

// Without --edition: the first edition (a folder with a manager.csv) in the user's data folder, in the
// data folder of the prefix the program is installed in, in the system's data folders, and at last the
// demo edition of the build tree.
QString findEdition() {
    QStringList roots;
    const QStringList data = QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    if (!data.isEmpty())
        roots << data.first() + QStringLiteral("/cityguide/editions");
    roots << QCoreApplication::applicationDirPath() + QStringLiteral("/../share/cityguide/editions");
    for (const QString& folder : data.mid(1))
        roots << folder + QStringLiteral("/cityguide/editions");
    for (const QString& root : std::as_const(roots)) {
        const QDir dir(root);
        for (const QString& name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
            if (QFileInfo::exists(dir.filePath(name + QStringLiteral("/manager.csv"))))
                return QDir::cleanPath(dir.absoluteFilePath(name));
        }
    }
    const QString demo = QStringLiteral(GUIDE_DEMO_EDITION);
    return QFileInfo::exists(demo + QStringLiteral("/manager.csv")) ? demo : QString();
}

struct Options {
    QString edition; // none given: the first one found (findEdition)
    QString shoot;
    QString scale;
    QString probe;
    QString clock; // the edition's local time "yyyy-MM-ddTHH:mm" the device's clock starts at
    bool firstPaint = false;
    bool log = false;
    bool reset = false;
    bool help = false;
    bool fullscreen = false;
};

// A phone's display (portrait and narrow), or --fullscreen: the 320 x 480 screen fills the display as
// far as its aspect allows. Qt draws everything at a scale chosen before the application exists, so
// the program measures the display and starts itself once more with that scale; true when it did not
// need to (or could not).
bool restartScaledToFill(QApplication& app, bool asked, char** argv) {
    QScreen* screen = app.primaryScreen();
    if (!screen || qEnvironmentVariableIsSet("CITYGUIDE_FILL"))
        return false;
    const QSize size = screen->size();
    const bool phone = size.height() > size.width() && size.width() <= 600;
    if (!asked && !phone)
        return false;
    const double current = qEnvironmentVariableIsSet("QT_SCALE_FACTOR")
                               ? qEnvironmentVariable("QT_SCALE_FACTOR").toDouble()
                               : 1.0;
    // A hundredth less, so that rounding never pushes the screen past the display's edge.
    const double fill = std::floor(std::min(size.width() / 320.0, size.height() / 480.0) * 100) / 100;
    qputenv("CITYGUIDE_FILL", "1");
    qputenv("QT_SCALE_FACTOR", QByteArray::number((current > 0 ? current : 1.0) * fill, 'g', 6));
    std::fflush(stdout);
    std::fflush(stderr);
    ::execv("/proc/self/exe", argv);
    std::fprintf(stderr, "Cannot start again at the display's scale: %s\n", std::strerror(errno));
    return false;
}

// Each edition keeps its reader's files (bookmarks, the working copy of its settings, fetched feeds)
// apart, so that one city's bookmarks never show in another: a folder named after the edition's
// folder and a digest of its full path.
QString editionsFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/editions");
}

QString documentsFolderOf(const QString& edition) {
    const QFileInfo folder(edition);
    const QString path =
        folder.canonicalFilePath().isEmpty() ? folder.absoluteFilePath() : folder.canonicalFilePath();
    const QByteArray digest =
        QCryptographicHash::hash(path.toUtf8(), QCryptographicHash::Sha1).toHex().left(8);
    return editionsFolder() + u'/' + folder.fileName() + u'-' + QString::fromLatin1(digest) +
           QStringLiteral("/Documents");
}

// Read before the application exists: the platform and the scale must be chosen first.
Options readOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        const QString next = i + 1 < argc ? QString::fromLocal8Bit(argv[i + 1]) : QString();
        if (arg == u"--edition" && !next.isEmpty())
            options.edition = next, ++i;
        else if (arg == u"--shoot" && !next.isEmpty())
            options.shoot = next, ++i;
        else if (arg == u"--scale" && !next.isEmpty())
            options.scale = next, ++i;
        else if (arg == u"--probe" && !next.isEmpty())
            options.probe = next, ++i;
        else if (arg == u"--clock" && !next.isEmpty())
            options.clock = next, ++i;
        else if (arg == u"--log")
            options.log = true;
        else if (arg == u"--first-paint")
            options.firstPaint = true;
        else if (arg == u"--reset")
            options.reset = true;
        else if (arg == u"--help" || arg == u"-h" || arg == u"--help-all")
            options.help = true;
        else if (arg == u"--fullscreen")
            options.fullscreen = true;
    }
    return options;
}

} // namespace

int main(int argc, char** argv) {
    Options options = readOptions(argc, argv);
    // Pictures and help texts need no screen.
    // (An offscreen platform with options, such as a screen of another size, is kept.)
    if ((!options.shoot.isEmpty() || options.firstPaint || options.help) &&
        !qEnvironmentVariable("QT_QPA_PLATFORM").startsWith(QStringLiteral("offscreen")))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!options.scale.isEmpty())
        qputenv("QT_SCALE_FACTOR", options.scale.toLatin1());
    // The web page's engine shares the graphics context of the application.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    Termination::quitOnSignals(&app);
    const bool touring = !options.shoot.isEmpty() || options.firstPaint;
    if (!options.help && (!touring || options.fullscreen))
        restartScaledToFill(app, options.fullscreen, argv);
    const bool filling = qEnvironmentVariableIsSet("CITYGUIDE_FILL");
    QApplication::setApplicationName(QStringLiteral("cityguide"));
    QApplication::setApplicationVersion(QStringLiteral("0.1"));
    QApplication::setOrganizationName(QStringLiteral("cityguide"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("An offline city guide on a 320 x 480 phone screen."));
    parser.addHelpOption();
    parser.addOption(
        {QStringLiteral("edition"),
         QStringLiteral("The edition folder to open (without it: the first edition in cityguide/editions/ of "
                        "the user's, then the system's data folders). Each edition keeps its reader's files "
                        "(bookmarks, settings, fetched feeds) in a folder of its own under %1.")
             .arg(QDir::toNativeSeparators(editionsFolder())),
         QStringLiteral("DIR")});
    parser.addOption({QStringLiteral("fullscreen"),
                      QStringLiteral("Fill the display with the phone's screen, as on a phone (on a narrow "
                                     "portrait display this is the default).")});
    parser.addOption({QStringLiteral("reset"),
                      QStringLiteral("Start the edition afresh: delete its reader's files first.")});
    parser.addOption({QStringLiteral("shoot"),
                      QStringLiteral("Write a picture of each screen into DIR and exit."),
                      QStringLiteral("DIR")});
    parser.addOption(
        {QStringLiteral("scale"), QStringLiteral("Show the screen at 1x or 2x."), QStringLiteral("N")});
    parser.addOption(
        {QStringLiteral("first-paint"),
         QStringLiteral("Print \"painted\" once the home screen is first painted, offscreen, and exit.")});
    parser.addOption({QStringLiteral("probe"),
                      QStringLiteral("Answer a test that drives the guide from outside on the local socket "
                                     "PATH: each line \"state\" gets what the screen shows, as JSON. "
                                     "No host but this machine is reached."),
                      QStringLiteral("PATH")});
    parser.addOption({QStringLiteral("clock"),
                      QStringLiteral("Start the device's clock at TIME, the edition's local time (such as "
                                     "2027-03-28T08:00), to see which venues are open then."),
                      QStringLiteral("TIME")});
    parser.addOption({QStringLiteral("log"),
                      QStringLiteral("Also write the guide's traces of its inner steps (the logging category "
                                     "cityguide.trace).")});
    parser.process(app);
    if (options.log)
        QLoggingCategory::setFilterRules(QStringLiteral("cityguide.trace.debug=true"));

    if (options.edition.isEmpty()) {
        options.edition = findEdition();
        if (options.edition.isEmpty()) {
            std::fprintf(stderr, "No edition found in %s; give one with --edition DIR\n",
                         qPrintable(QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)
                                        .join(QStringLiteral(", "))));
            return 2;
        }
        std::fprintf(stderr, "Opening the edition in %s\n", qPrintable(options.edition));
    }
    if (!QFileInfo(options.edition + QStringLiteral("/manager.csv")).exists()) {
        std::fprintf(stderr, "%s is not an edition folder (no manager.csv)\n", qPrintable(options.edition));
        return 2;
    }
    Paths::setResourceFolder(QFileInfo(options.edition).absoluteFilePath());

    // A picture tour starts from a fresh reader: its own documents and preferences.
    QTemporaryDir tourDocuments;
    if (!touring) {
        const QString documents = documentsFolderOf(options.edition);
        if (options.reset && QDir(documents).exists()) {
            QDir(documents).removeRecursively();
            std::fprintf(stderr, "The reader's files of this edition were deleted: %s\n",
                         qPrintable(documents));
        }
        Paths::setDocumentsFolder(documents);
        std::fprintf(stderr, "The reader's files of this edition are in %s\n", qPrintable(documents));
    } else {
        // A tour pictures what the edition holds; it never reaches beyond this machine.
        HttpClient::setLoopbackOnly(true);
        // As root (containers, build machines) the web engine refuses to start inside its sandbox and
        // would end the whole tour; the tour's web page comes from this machine, so it goes without.
        if (geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX")) {
            qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
            std::fprintf(stderr, "The tour runs as root: it pictures the web page without the web engine's "
                                 "sandbox (the page comes from this machine)\n");
        }
        VideoPlayer::setAudioEnabled(false);
        Paths::setDocumentsFolder(tourDocuments.path());
        Termination::setForsakenFolder(tourDocuments.path());
        UserDefaults::standardUserDefaults().useMemoryStore();
    }
    if (!options.clock.isEmpty()) {
        const QDateTime local = QDateTime::fromString(options.clock, QStringLiteral("yyyy-MM-ddTHH:mm"));
        if (!local.isValid()) {
            std::fprintf(stderr, "--clock needs the edition's local time YYYY-MM-DDTHH:MM\n");
            return 2;
        }
        PreviewShell::setEditionClock(local);
    }
    const QString version =
        UserDefaults::standardUserDefaults().stringForKey(QStringLiteral("preview.systemVersion"));
    if (!version.isEmpty())
        Device::setSystemVersion(version);

    // On a phone (the screen fills its display) the position is the device's, where Qt Positioning
    // has a source. In the preview the device stands at the edition's city centre until the reader
    // moves it (Location menu).
    SimulatedPositionSource* position = nullptr;
    const bool devicePosition = filling && !touring && !QGeoPositionInfoSource::availableSources().isEmpty();
    LocationManager::setPositionSourceFactory(
        [&position, devicePosition]() -> std::unique_ptr<PositionSource> {
            if (devicePosition)
                return std::make_unique<QtPositionSource>();
            auto source = std::make_unique<SimulatedPositionSource>();
            if (const auto centre = ShareData::sharedInstance()->defaultGPSPosition())
                source->setFix(PositionFix{centre->latitude, centre->longitude, 10, {}});
            position = source.get();
            return source;
        });
    LocationManager::getInstance();

    // The shell outlives the guide: it holds the widget the guide's window lies in. Filling a display,
    // the screen lies centred on black, without the preview's menus.
    std::unique_ptr<PreviewShell> shell;
    std::unique_ptr<QWidget> stage;
    QWidget* host = nullptr;
    if (filling) {
        stage = std::make_unique<QWidget>();
        stage->setAutoFillBackground(true);
        QPalette black = stage->palette();
        black.setColor(QPalette::Window, Qt::black);
        stage->setPalette(black);
        host = new QWidget;
        host->setFixedSize(320, 480);
        auto* layout = new QGridLayout(stage.get());
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(host, 0, 0, Qt::AlignCenter);
    } else if (!touring) {
        shell = std::make_unique<PreviewShell>(position);
        host = new QWidget;
        host->setFixedSize(320, 480);
        shell->setCentralWidget(host);
    }
    StrollbookAppDelegate delegate;
    delegate.setWindowHost(host);
    delegate.applicationDidFinishLaunching();

    std::unique_ptr<ScreenTour> tour;
    std::unique_ptr<FirstPaintProbe> probe;
    if (options.firstPaint) {
        probe =
            std::make_unique<FirstPaintProbe>(delegate.navigationController()->rootViewController()->view());
    } else if (touring) {
        tour = std::make_unique<ScreenTour>(&delegate, options.shoot);
        tour->start();
    }
    // A phone's accelerometer shakes the guide as the preview's Device menu does.
    AccelerometerShake shake;
    if (!touring && shake.start())
        QObject::connect(&shake, &AccelerometerShake::shaken, &app, [&delegate] {
            if (delegate.window())
                delegate.window()->motionBegan();
        });
    if (stage)
        stage->showFullScreen();
    else if (shell) {
        shell->setDelegate(&delegate);
        shell->show();
    }
    std::unique_ptr<ReaderProbe> readerProbe;
    if (!options.probe.isEmpty()) {
        // A driven guide keeps to this machine, as the tests do.
        HttpClient::setLoopbackOnly(true);
        readerProbe = std::make_unique<ReaderProbe>(&delegate, shell.get());
        if (!readerProbe->listen(options.probe))
            return 2;
    }
    return app.exec();
}
