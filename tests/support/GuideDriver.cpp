#include "tests/support/GuideDriver.h"

#include "catalog/SQLDAL.h"
#include "location/LocationManager.h"
#include "model/DAO.h"
#include "pages/PageSupport.h"
#include "platform/Device.h"
#include "platform/HttpClient.h"
#include "platform/OperationQueue.h"
#include "platform/Paths.h"
#include "platform/UserDefaults.h"
#include "ui/AlertView.h"
#include "ui/Animation.h"
#include "ui/Application.h"
#include "ui/Images.h"
#include "ui/Toolbar.h"

#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QMouseEvent>
#include <QThread>
#include <sqlite3.h>

namespace testsupport {

GuideDriver::GuideDriver(const QString& editionFolder) : edition(editionFolder) {}

GuideDriver::~GuideDriver() {
    appDelegate.reset();
    waitIdle();
    DAOFactory::resetInstance();
    SQLDAL::closeDatabase();
    LocationManager::resetInstance();
    Timers::setManual(false);
}

void GuideDriver::start() {
    Paths::setResourceFolder(edition);
    Paths::setDocumentsFolder(documents.path());
    Paths::setCacheFolder(documents.path() + QStringLiteral("/Caches"));
    UserDefaults::standardUserDefaults().useMemoryStore();
    Device::setSystemVersion(startOptions.systemVersion);
    Images::clearCache();
    Animation::setEnabled(false);
    Timers::setManual(true);
    Application::setRecordOnly(true);
    Application::clearOpenedURLs();
    DAOFactory::resetInstance();
    SQLDAL::closeDatabase();
    LocationManager::resetInstance();
    const Options options = startOptions;
    LocationManager::setPositionSourceFactory([this, options] {
        auto source = std::make_unique<SimulatedPositionSource>();
        source->setLocationServicesEnabled(options.locationServices);
        source->setFix(options.position);
        positionSource = source.get();
        return source;
    });
    appDelegate = std::make_unique<StrollbookAppDelegate>();
    appDelegate->applicationDidFinishLaunching();
    waitIdle();
}

void GuideDriver::waitIdle() {
    auto turn = [] {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    };
    auto resting = [] {
        return Animation::running() == 0 && OperationQueue::outstandingOperations() == 0 &&
               HttpClient::outstandingRequests() == 0;
    };
    // Bounded by time, not by turns: on a loaded machine the other threads and the network stack may
    // take a while to be scheduled.
    QElapsedTimer clock;
    clock.start();
    for (int round = 0; clock.elapsed() < 30000; ++round) {
        turn();
        if (resting() && round > 1) {
            // Work finished on another thread has handed its results over by now: take them, then
            // look again, since they may start more.
            turn();
            if (resting())
                return;
        }
        if (OperationQueue::outstandingOperations() > 0 || HttpClient::outstandingRequests() > 0)
            QThread::yieldCurrentThread(); // the catalogue work runs on another thread, the server's answer
                                           // comes through the network stack
    }
    ADD_FAILURE() << "the guide did not come to rest (animations " << Animation::running() << ", operations "
                  << OperationQueue::outstandingOperations() << ", requests "
                  << HttpClient::outstandingRequests() << ")";
}

void GuideDriver::fireTimers() {
    Timers::fire();
    waitIdle();
}

void GuideDriver::tap(const QPoint& windowPoint) {
    QWidget* target = window()->childAt(windowPoint);
    if (!target)
        target = window();
    const QPointF local = target->mapFrom(window(), QPointF(windowPoint));
    const QPointF global = target->mapToGlobal(local);
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(target, &release);
    waitIdle();
}

void GuideDriver::drag(const QPoint& from, const QPoint& to) {
    QWidget* target = window()->childAt(from);
    if (!target)
        target = window();
    auto send = [&](QEvent::Type type, const QPoint& point, Qt::MouseButtons buttons) {
        const QPointF local = target->mapFrom(window(), QPointF(point));
        QMouseEvent event(type, local, target->mapToGlobal(local), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    };
    send(QEvent::MouseButtonPress, from, Qt::LeftButton);
    for (int step = 1; step <= 5; ++step)
        send(QEvent::MouseMove, from + (to - from) * step / 5, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, to, Qt::NoButton);
    waitIdle();
}

void GuideDriver::tapView(QWidget* view) {
    tap(windowFrame(view).center());
}

bool GuideDriver::tapText(const QString& text) {
    if (Label* shown = label(text)) {
        tapView(shown);
        return true;
    }
    for (Button* button : visible<Button>()) {
        if (button->title() == text) {
            tapView(button);
            return true;
        }
    }
    return false;
}

void GuideDriver::shake() {
    window()->motionBegan();
    waitIdle();
}

Label* GuideDriver::label(const QString& text, QWidget* under) const {
    for (Label* shown : visible<Label>(under)) {
        if (shown->text() == text)
            return shown;
    }
    return nullptr;
}

QRect GuideDriver::windowFrame(QWidget* view) const {
    return QRect(view->mapTo(window(), QPoint(0, 0)), view->size());
}

QImage GuideDriver::screenshot() const {
    return window()->grab().toImage();
}

QByteArray pngBytes(const QColor& colour, const QSize& size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

testing::AssertionResult showsTimeoutAlert(const QString& message) {
    const AlertView* alert = AlertView::visibleAlert();
    if (!alert)
        return testing::AssertionFailure() << "no alert is shown";
    if (alert->title() != u"Timeout" || alert->message() != message)
        return testing::AssertionFailure() << "the alert says \"" << alert->title().toStdString()
                                           << "\": " << alert->message().toStdString();
    return testing::AssertionSuccess();
}

CustomBarButtonItem* tool(Toolbar* bar, const QString& id) {
    return toolNamed(bar, id);
}

void RunningGuideTest::start() {
    driver = std::make_unique<GuideDriver>(edition());
    driver->options() = options;
    driver->start();
}

void RunningGuideTest::TearDown() {
    driver.reset();
    GuideTest::TearDown();
}

QStringList RunningGuideTest::names(const VenueList& venues) {
    QStringList result;
    for (const Venue& venue : venues)
        result.append(venue.venueName);
    return result;
}

void RunningGuideTest::sql(const char* statement) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(editionFile("Catalog.sqlite")).constData(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, statement, nullptr, nullptr, nullptr), SQLITE_OK) << statement;
    sqlite3_close(db);
}

} // namespace testsupport
