// An OpenStreetMap extract made into a city, on the Liechtenstein extract around Vaduz (10 km): reading
// the extract, making the street map, and drawing one tile of each zoom level at the centre (with and
// without its PNG). The import and the whole tile set are timed by the tool itself (it prints both).
// usage: bench_osm [RUNS]

#include "bench/Screens.h"
#include "platform/MapTiles.h"
#include "tools/edition/EditionTiles.h"
#include "tools/edition/OsmExtract.h"
#include "tools/edition/OsmTiles.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <cstdio>
#include <vector>

using bench::median;

namespace {

template <typename Work> double millisecondsOf(int runs, Work work) {
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    return median(times);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    const QString path = QStringLiteral(GUIDE_OSM_EXTRACT);
    const double latitude = 47.1410, longitude = 9.5209;
    const QRectF region = Osm::regionAround(latitude, longitude, 11);
    QString error;
    std::optional<Osm::Extract> extract;
    const double reading = millisecondsOf(runs, [&] { extract = Osm::readExtract(path, region, &error); });
    if (!extract) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    std::printf("%-28s %9.2f ms  (%lld objects)\n", "read the extract", reading,
                static_cast<long long>(extract->objects.size()));
    std::optional<OsmTiles::StreetMap> map;
    const double making = millisecondsOf(runs, [&] { map.emplace(*extract); });
    std::printf("%-28s %9.2f ms  (%lld features)\n", "make the street map", making,
                static_cast<long long>(map->featureCount()));
    for (int z = 12; z <= 17; ++z) {
        const TileKey key{z, int(TileMath::tileX(longitude, z)), int(TileMath::tileY(latitude, z))};
        const double drawing = millisecondsOf(runs, [&] { (void)map->render(key); });
        const double withPng = millisecondsOf(runs, [&] { (void)Edition::pngOf(map->render(key)); });
        std::printf("tile of zoom %-15d %9.2f ms  (%.2f ms with its PNG)\n", z, drawing, withPng);
    }
    return 0;
}
