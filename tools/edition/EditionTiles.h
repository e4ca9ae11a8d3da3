#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

// The commands of the edition tool that draw pictures (they need a graphical application; offscreen will do).

namespace Edition {

// `tiles PLAN.svg --bounds S,W,N,E --zoom Z1-Z2 OUT.mbtiles`: renders the georeferenced plan (its root
// carries data-bounds="S,W,N,E" and is drawn in Web Mercator over them) into 256-pixel PNG tiles of
// every zoom level from Z1 to Z2 over the given bounds, and adds them to the MBTiles file (made when
// it does not exist). 0 when done, 1 when the plan or the file cannot be used, 2 for a wrong call.
int tiles(const QStringList& args, QTextStream& out, QString* error);

// `new DIR --city NAME --at LAT,LON`: a complete source folder for a new city, with the city's facts
// left to fill (marked "[fill in]"), one chapter, category and venue at the given point and neutral
// pictures for everything the guide always shows. 0 when written, 1 when DIR is not empty or cannot
// be written, 2 for a wrong call.
int newEdition(const QStringList& args, QTextStream& out, QString* error);

// Renders the drawings of SRC/art/*.svg into OUT as NAME.png and NAME@2x.png (those not already newer
// than their drawing). True when there is no art folder.
bool renderArt(const QString& sourceFolder, const QString& outFolder, QString* error);

} // namespace Edition
