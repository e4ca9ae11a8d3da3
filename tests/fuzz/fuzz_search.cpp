// The search text as the catalogue receives it from the search page.

#include "tests/fuzz/FuzzSupport.h"

#include "catalog/SQLDAL.h"
#include "platform/Paths.h"
#include "tools/edition/Edition.h"

#include <QDir>
#include <QFile>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::ensureApplication();
    static const bool ready = [] {
        // A small catalogue with the characters a pattern treats specially.
        const QString source = fuzz::scratchFolder() + QStringLiteral("/source");
        QDir().mkpath(source + QStringLiteral("/catalog"));
        QFile csv(source + QStringLiteral("/catalog/venues.csv"));
        csv.open(QIODevice::WriteOnly);
        csv.write("name,body,gps_lat,gps_lon,chapter_id,chapter_name,category_name\n"
                  "Weinbar 100%,Wine and 100% fun.,48.2,16.37,1,Sights,Bars\n"
                  "Kung_fu Dojo,Lessons for all ages.,48.21,16.38,1,Sights,Sports\n"
                  "Reinthaler''s Beisl,An inn [since 1900] with \\\"quotes\\\".,,,1,Sights,Inns\n"
                  "Caf\xc3\xa9 Central,Coffee under vaults.,48.21,16.36,1,Sights,Cafes\n");
        csv.close();
        const QString edition = fuzz::scratchFolder() + QStringLiteral("/edition");
        QString error;
        if (!Edition::build(source, edition, &error))
            qFatal("%s", qPrintable(error));
        Paths::setResourceFolder(edition);
        Paths::setDocumentsFolder(fuzz::scratchFolder() + QStringLiteral("/documents"));
        SQLDAL::connectToDatabase();
        return true;
    }();
    (void)ready;
    const VenueList venues = SQLDAL::getVenuesNamedAs(QString::fromUtf8(fuzz::bytes(data, size)));
    for (const Venue& venue : venues)
        (void)venue.venueName.size();
    return 0;
}
