#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace Edition {

// `tiles PLAN.svg --bounds S,W,N,E --zoom Z1-Z2 OUT.mbtiles`: renders the georeferenced plan (its root
// carries data-bounds="S,W,N,E" and is drawn in Web Mercator over them) into 256-pixel PNG tiles of
// every zoom level from Z1 to Z2 over the given bounds, and adds them to the MBTiles file (made when
// it does not exist). 0 when done, 1 when the plan or the file cannot be used, 2 for a wrong call.
int tiles(const QStringList& args, QTextStream& out, QString* error);

} // namespace Edition
