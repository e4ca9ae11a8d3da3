#include "tools/edition/OsmCall.h"

#include "tools/edition/EditionTiles.h"

namespace OsmTiles {

QString Call::parse(const QStringList& args, bool withCity) {
    QString problem;
    const auto note = [&problem](const QString& text) {
        if (problem.isEmpty())
            problem = text;
    };
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& option = args[i];
        if (option == u"--many-tiles") {
            manyTiles = true;
            continue;
        }
        const bool valued = option == u"--city" || option == u"--center" || option == u"--radius" ||
                            option == u"--zoom" || option == u"--country";
        if (valued && i + 1 >= args.size()) {
            note(QStringLiteral("%1 needs a value").arg(option));
            break;
        }
        const QString next = valued ? args[++i] : QString();
        if (option == u"--city" && withCity) {
            city = next.trimmed();
        } else if (option == u"--country" && withCity) {
            country = next.trimmed();
        } else if (option == u"--center") {
            if (!(centre = Edition::Writing::parsePlace(next)))
                note(QStringLiteral("--center \"%1\": LAT,LON in degrees are needed").arg(next));
        } else if (option == u"--radius") {
            bool ok = false;
            radius = next.toDouble(&ok);
            if (!ok || !(radius > 0 && radius <= 200))
                note(QStringLiteral("--radius %1: a number of kilometres above 0 and at most 200 is needed")
                         .arg(next));
        } else if (option == u"--zoom") {
            QString why;
            zooms = Edition::zoomRange(next, &why);
            if (!zooms)
                note(why);
        } else if (extract.isEmpty() && !option.startsWith(u"--")) {
            extract = option;
        } else if (target.isEmpty() && !option.startsWith(u"--")) {
            target = option;
        } else {
            note(QStringLiteral("\"%1\" is not understood here").arg(option));
        }
    }
    if (withCity && city.isEmpty())
        note(QStringLiteral("--city NAME is needed"));
    if (!centre)
        note(QStringLiteral("--center LAT,LON is needed"));
    if (radius == 0)
        note(QStringLiteral("--radius KM is needed"));
    if (extract.isEmpty() || target.isEmpty())
        note(QStringLiteral("an extract and a folder to write are needed"));
    return problem;
}

QString Call::tooManyTiles() const {
    const qsizetype count = Edition::tilesCovering(region(), *zooms).size();
    if (manyTiles || count <= tileLimit)
        return {};
    // About 600 tiles a second on two cores (the Vaduz demo: 12,815 tiles in 21 s), some 8 KB each.
    return QStringLiteral(
               "%1 km at zoom %2-%3 are %4 street tiles, about %5 minutes of drawing and %6 MB; give "
               "a smaller --radius or --zoom, or add --many-tiles to draw them all")
        .arg(radius)
        .arg(zooms->first)
        .arg(zooms->second)
        .arg(count)
        .arg(std::max<qsizetype>(1, count / 600 / 60))
        .arg(std::max<qsizetype>(1, count * 8 / 1024));
}

QRectF Call::region(double grow) const {
    return Osm::regionAround(centre->latitude, centre->longitude, radius * grow);
}

std::optional<Osm::Extract> Call::read(QString* error) const {
    return Osm::readExtract(extract, region(1.1), error);
}

} // namespace OsmTiles
