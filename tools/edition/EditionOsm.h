#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace Edition {

// `import-osm EXTRACT --city NAME --center LAT,LON --radius KM [--zoom Z1-Z2] SRC`: a source folder of
// the city from an OpenStreetMap extract. The named venues within the radius become chapters and
// categories by their tags, with the addresses, numbers, web sites and hours the data holds; the street
// tiles of the zoom levels (12 to 17 unless told) are drawn from the same extract. The city's facts are
// left to fill in. 0 when written, 1 when the extract or the folder cannot be used, 2 for a wrong call.
int importOsm(const QStringList& args, QTextStream& out, QString* error);

} // namespace Edition
