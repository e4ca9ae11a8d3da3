// The browsing screens on the synthetic 100,000-venue edition, offscreen: opening and scrolling the
// "All" list of the largest chapter (from the touch until the list is painted, the slowest single
// scroll step from top to bottom and its 99th percentile, the most row views alive at any time), a
// venue's detail page laid out, and a search from the button until its results are painted.
// usage: bench_browsing [RUNS]

#include "app/StrollbookAppDelegate.h"
#include "bench/Screens.h"
#include "bench/SyntheticEdition.h"
#include "catalog/SQLDAL.h"
#include "location/LocationManager.h"
#include "pages/DetailedPage.h"
#include "pages/SearchPage.h"
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

using bench::settle;

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    QTemporaryDir documents;
    if (!bench::useSyntheticEdition(documents.path(), PositionFix{48.2085, 16.3721, 10, {}}))
        return 1;
    StrollbookAppDelegate delegate;
    delegate.applicationDidFinishLaunching();
    settle();
    NavigationController* navigation = delegate.navigationController();
    const QString chapter = SyntheticEdition::chapterID(0);

    std::vector<double> opens, worstSteps, p99Steps;
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
        std::vector<double> stepTimes;
        steps = 0;
        for (int y = 0; y <= table->contentHeight(); y += 40) {
            timer.restart();
            table->setContentOffset(y);
            delegate.window()->repaint();
            stepTimes.push_back(timer.nsecsElapsed() / 1e6);
            mostAlive = std::max(mostAlive, int(table->findChildren<CustomCell*>().size()));
            ++steps;
        }
        std::sort(stepTimes.begin(), stepTimes.end());
        worstSteps.push_back(stepTimes.back());
        p99Steps.push_back(stepTimes[stepTimes.size() * 99 / 100]);
        navigation->popViewControllerAnimated(false);
        settle();
    }
    // A venue's full detail, from the touch until it is laid out and painted.
    std::vector<double> details;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        navigation->pushViewController(
            std::make_unique<DetailedPage>(QStringLiteral("Chapter 1"), QString(), 1000 + run * 7919), false);
        settle();
        delegate.window()->repaint();
        details.push_back(timer.nsecsElapsed() / 1e6);
        navigation->popViewControllerAnimated(false);
        settle();
    }

    // A search from the button until its results are painted.
    std::vector<double> searches;
    int found = 0;
    navigation->pushViewController(std::make_unique<SearchPage>(QStringLiteral("Search")), false);
    settle();
    auto* search = qobject_cast<SearchPage*>(navigation->topViewController());
    for (int run = 0; run < runs; ++run) {
        search->searchField()->setText(QString());
        for (const QChar c : SyntheticEdition::searchWord())
            search->searchField()->type(QString(c));
        QElapsedTimer timer;
        timer.start();
        search->searchButtonTouched();
        settle();
        delegate.window()->repaint();
        searches.push_back(timer.nsecsElapsed() / 1e6);
        found = int(search->venues().size());
    }
    std::sort(details.begin(), details.end());
    std::sort(searches.begin(), searches.end());

    std::sort(opens.begin(), opens.end());
    std::sort(worstSteps.begin(), worstSteps.end());
    std::printf("venues in the list               %d\n", rows);
    std::printf("open to painted list (median)    %.1f ms   (of %d runs; best %.1f ms)\n",
                opens[opens.size() / 2], runs, opens.front());
    std::printf("slowest scroll step (median)     %.2f ms   (%d steps of 40 points per run)\n",
                worstSteps[worstSteps.size() / 2], steps);
    std::printf("99th percentile scroll step       %.2f ms   (median of the runs)\n",
                bench::median(p99Steps));
    std::printf("row views alive at most          %d\n", mostAlive);
    std::printf("detail page laid out (median)    %.1f ms\n", details[details.size() / 2]);
    std::printf("search to painted results        %.1f ms   (median; %d venues found)\n",
                searches[searches.size() / 2], found);
    return 0;
}
