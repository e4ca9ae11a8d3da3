#pragma once

#include "app/StrollbookAppDelegate.h"
#include "catalog/Venue.h"
#include "platform/PositionSource.h"
#include "tests/support/TestSupport.h"
#include "ui/NavigationController.h"
#include "ui/View.h"
#include "views/CustomControls.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

class Toolbar;

namespace testsupport {

// Starts the guide on an edition with a temporary documents folder, an empty preferences store and a
// simulated position; taps and waits like a reader, without sleeping (animations take no time and
// one-shot timers fire when the test says so).
class GuideDriver {
public:
    struct Options {
        bool locationServices = true;
        std::optional<PositionFix> position = PositionFix{48.2085, 16.3721, 10, {}};
        QString systemVersion = QStringLiteral("4.3");
    };

    // edition: a folder the test may change before start().
    explicit GuideDriver(const QString& edition);
    ~GuideDriver();

    Options& options() { return startOptions; }
    void start();

    StrollbookAppDelegate* delegate() const { return appDelegate.get(); }
    TKShakeWindow* window() const { return appDelegate->window(); }
    NavigationController* navigation() const { return appDelegate->navigationController(); }
    NavigationBar* navigationBar() const { return navigation()->navigationBar(); }
    SimulatedPositionSource* position() const { return positionSource; }
    QString documentsFolder() const { return documents.path(); }

    // Runs the event loop until no animation runs and nothing is waiting to be deleted.
    void waitIdle();
    void fireTimers();

    // A touch at a point of the window, delivered to the view a reader would hit.
    void tap(const QPoint& windowPoint);
    // A touch in the middle of the visible label or button showing the text. False if none.
    bool tapText(const QString& text);
    void tapView(QWidget* view);
    // A drag from one point of the window to another.
    void drag(const QPoint& from, const QPoint& to);
    void shake();

    // Visible views of a type under a view (the whole window by default), in paint order.
    template <typename T> QList<T*> visible(QWidget* under = nullptr) const {
        QList<T*> found;
        for (T* view : (under ? under : static_cast<QWidget*>(window()))->findChildren<T*>()) {
            if (view->isVisibleTo(window()) && !view->isHidden())
                found.append(view);
        }
        return found;
    }
    Label* label(const QString& text, QWidget* under = nullptr) const;
    // The frame of a view in window coordinates.
    QRect windowFrame(QWidget* view) const;
    QImage screenshot() const;

private:
    QString edition;
    QTemporaryDir documents;
    Options startOptions;
    std::unique_ptr<StrollbookAppDelegate> appDelegate;
    SimulatedPositionSource* positionSource = nullptr;
};

// A PNG picture of one colour.
QByteArray pngBytes(const QColor& colour, const QSize& size);

// The tool of a page's tool bar with that tool id, or null.
CustomBarButtonItem* tool(Toolbar* bar, const QString& id);

// The alert of a fetch that failed is on screen: "Timeout" with MESSAGE. The failure says what shows.
testing::AssertionResult showsTimeoutAlert(const QString& message);

// A test with the guide running on a copy of the fixture edition, started by start() once the test
// has set the options or changed the edition.
class RunningGuideTest : public GuideTest {
protected:
    void start();
    void TearDown() override;
    // Runs a statement on the edition's catalogue (before start()).
    void sql(const char* statement);
    // Pushes a page without animation and waits until it has loaded.
    template <typename Page, typename... Args> Page* push(Args&&... args) {
        driver->navigation()->pushViewController(std::make_unique<Page>(std::forward<Args>(args)...), false);
        driver->waitIdle();
        return qobject_cast<Page*>(driver->navigation()->topViewController());
    }
    static QStringList names(const VenueList& venues);

    GuideDriver::Options options;
    std::unique_ptr<GuideDriver> driver;
    LogCapture log;
};

} // namespace testsupport
