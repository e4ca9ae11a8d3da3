// OpenStreetMap extracts for import-osm and tiles-osm: the first byte says the form (odd: XML, even:
// PBF), the rest is the file, read over a region around Vaduz and made into a street map.

#include "tests/fuzz/FuzzSupport.h"

#include "tools/edition/OsmExtract.h"
#include "tools/edition/OsmTiles.h"

#include <QFile>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::ensureApplication();
    if (size < 1)
        return 0;
    const QString path = fuzz::scratchFolder() +
                         (data[0] & 1 ? QStringLiteral("/extract.osm") : QStringLiteral("/extract.osm.pbf"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 0;
    file.write(fuzz::bytes(data + 1, size - 1));
    file.close();
    QString error;
    const std::optional<Osm::Extract> extract =
        Osm::readExtract(path, Osm::regionAround(47.141, 9.5209, 50), &error);
    if (extract) {
        const OsmTiles::StreetMap map(*extract);
        (void)map.featureCount();
    }
    QFile::remove(path);
    return 0;
}
