// The machine's pace for the screens' benchmarks: a fixed piece of drawing with Qt alone (a 320 x 480
// screen of twelve rows, each a picture and two lines of text), the median of 15 runs. bench/check
// divides each screen's time by it, so that a figure compares across machines and busy moments.
// usage: bench_calibrate

#include <QApplication>
#include <QElapsedTimer>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

void drawScreen(QImage& screen, const QImage& thumbnail, int round) {
    QPainter painter(&screen);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.fillRect(screen.rect(), Qt::white);
    QFont title(QStringLiteral("Liberation Sans"));
    title.setPixelSize(16);
    title.setBold(true);
    QFont subtitle(QStringLiteral("Liberation Sans"));
    subtitle.setPixelSize(12);
    for (int row = 0; row < 12; ++row) {
        const int y = row * 40;
        painter.drawImage(QRect(4, y + 4, 32, 32), thumbnail);
        painter.setFont(title);
        painter.drawText(QRect(44, y + 2, 260, 20), Qt::AlignLeft | Qt::AlignVCenter,
                         QStringLiteral("Venue %1 of the chapter").arg(row + round));
        painter.setFont(subtitle);
        painter.drawText(QRect(44, y + 22, 260, 16), Qt::AlignLeft | Qt::AlignVCenter,
                         QStringLiteral("Street %1, 1010 The City").arg(row * 7 + round));
        painter.drawLine(0, y + 39, 320, y + 39);
    }
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QImage thumbnail(88, 88, QImage::Format_ARGB32_Premultiplied);
    thumbnail.fill(QColor(200, 120, 40, 200));
    QImage screen(320, 480, QImage::Format_ARGB32_Premultiplied);
    std::vector<double> times;
    for (int run = 0; run < 15; ++run) {
        QElapsedTimer timer;
        timer.start();
        for (int round = 0; round < 20; ++round)
            drawScreen(screen, thumbnail, round);
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    std::printf("calibration %.3f ms   (20 screens drawn, median of 15)\n", times[times.size() / 2]);
    return 0;
}
