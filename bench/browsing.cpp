// Opening and scrolling the "All" list of the largest chapter of the synthetic 100,000-venue edition,
// offscreen: the time from the touch until the list is painted (load, distances, first paint), the
// slowest single scroll step from top to bottom, and the most row views alive at any time.
// usage: bench_browsing [RUNS]

#include "app/StrollbookAppDelegate.h"
#include "bench/SyntheticEdition.h"
#include "catalog/SQLDAL.h"
#include "location/LocationManager.h"
#include "pages/VenuesPage.h"
#include "platform/OperationQueue.h"
#include "platform/Paths.h"
#include "platform/UserDefaults.h"
#include "ui/Animation.h"
#include "ui/NavigationController.h"
#include "views/CustomCell.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

void settle() {
    while (OperationQueue::outstandingOperations() > 0 || Animation::running() > 0)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    QCoreApplication::processEvents();
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    const QString edition = QStringLiteral(GUIDE_SYNTHETIC_DIR);
    QString error;
    if (!SyntheticEdition::ensure(edition, {}, &error)) {
        std::fprintf(stderr, "cannot make the synthetic edition: %s\n", qPrintable(error));
        return 1;
    }
    QTemporaryDir documents;
    Paths::setResourceFolder(edition);
    Paths::setDocumentsFolder(documents.path());
    UserDefaults::standardUserDefaults().useMemoryStore();
    Animation::setEnabled(false);
    LocationManager::setPositionSourceFactory([] {
        auto source = std::make_unique<SimulatedPositionSource>();
        source->setFix(PositionFix{48.2085, 16.3721, 10, {}});
        return source;
    });
    StrollbookAppDelegate delegate;
    delegate.applicationDidFinishLaunching();
    settle();
    NavigationController* navigation = delegate.navigationController();
    const QString chapter = SyntheticEdition::chapterID(0);

    std::vector<double> opens, worstSteps;
    int mostAlive = 0, rows = 0, steps = 0;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        navigation->pushViewController(std::make_unique<VenuesPage>(QStringLiteral("Chapter 1"),
                                                                    QStringLiteral("All"), chapter,
                                                                    QStringLiteral("1")),
                                       false);
        settle();
        auto* page = qobject_cast<VenuesPage*>(navigation->topViewController());
        delegate.window()->repaint();
        opens.push_back(timer.nsecsElapsed() / 1e6);
        rows = int(page->venues().size());

        TableView* table = page->tableView();
        double worst = 0;
        steps = 0;
        for (int y = 0; y <= table->contentHeight(); y += 40) {
            timer.restart();
            table->setContentOffset(y);
            delegate.window()->repaint();
            worst = std::max(worst, timer.nsecsElapsed() / 1e6);
            mostAlive = std::max(mostAlive, int(table->findChildren<CustomCell*>().size()));
            ++steps;
        }
        worstSteps.push_back(worst);
        navigation->popViewControllerAnimated(false);
        settle();
    }
    std::sort(opens.begin(), opens.end());
    std::sort(worstSteps.begin(), worstSteps.end());
    std::printf("venues in the list               %d\n", rows);
    std::printf("open to painted list (median)    %.1f ms   (of %d runs; best %.1f ms)\n",
                opens[opens.size() / 2], runs, opens.front());
    std::printf("slowest scroll step (median)     %.2f ms   (%d steps of 40 points per run)\n",
                worstSteps[worstSteps.size() / 2], steps);
    std::printf("row views alive at most          %d\n", mostAlive);
    return 0;
}
