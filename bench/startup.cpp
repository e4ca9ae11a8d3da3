// Start-up of the guide, offscreen: from starting the process to the first painted home screen,
// against a bare Qt window's first paint measured in the same run. Runs alternate; medians are shown.
// usage: bench_startup CITYGUIDE BARE_WINDOW [RUNS]

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double timeToPaint(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setProcessChannelMode(QProcess::SeparateChannels);
    QElapsedTimer timer;
    timer.start();
    process.start(program, arguments);
    while (process.state() != QProcess::NotRunning || process.bytesAvailable() > 0) {
        process.waitForReadyRead(5000);
        if (process.readAll().contains("painted")) {
            const double ms = timer.nsecsElapsed() / 1e6;
            process.waitForFinished(5000);
            return ms;
        }
        if (timer.elapsed() > 20000)
            break;
    }
    std::fprintf(stderr, "%s never reported its first paint\n", qPrintable(program));
    process.kill();
    process.waitForFinished();
    return -1;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_startup CITYGUIDE BARE_WINDOW [RUNS]\n");
        return 2;
    }
    const QString guide = QString::fromLocal8Bit(argv[1]);
    const QString bare = QString::fromLocal8Bit(argv[2]);
    const int runs = argc > 3 ? std::max(1, atoi(argv[3])) : 15;
    std::vector<double> guideTimes, bareTimes;
    timeToPaint(guide, {QStringLiteral("--first-paint")}); // warm the file cache
    timeToPaint(bare, {});
    for (int i = 0; i < runs; ++i) {
        bareTimes.push_back(timeToPaint(bare, {}));
        guideTimes.push_back(timeToPaint(guide, {QStringLiteral("--first-paint")}));
    }
    const double g = median(guideTimes), b = median(bareTimes);
    std::printf("bare window first paint   %8.1f ms (median of %d)\n", b, runs);
    std::printf("home screen first paint   %8.1f ms (median of %d)\n", g, runs);
    std::printf("ratio                     %8.2fx\n", g / b);
    return 0;
}
