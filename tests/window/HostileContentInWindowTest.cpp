// Spoiled content in a real window: the guide stays usable, within its memory bound, and ends when
// asked to.

#include "tests/window/GuideWindow.h"
#include "tests/window/Invariants.h"

#include <gtest/gtest.h>

using namespace window;

namespace {

// Replaces the tiles of every MBTiles file of the edition's copy by the SQL given.
auto spoilTiles(const char* sql) {
    return [sql](const QString& folder, const QUrl&) { GuideWindow::runSqlOnTiles(folder, sql); };
}

TEST(HostileContentInWindow, TilesThatNeverEndLeaveTheLiveMapUsableAndTheGuideEndsOnSIGTERM) {
    GuideWindow guide({QStringLiteral(GUIDE_VADUZ_EDITION),
                       spoilTiles("drop table tiles; create view tiles as with recursive n(i) as (select 0 "
                                  "union all select i + 1 from n) select 1 + 0 * i as zoom_level, i % 2 as "
                                  "tile_column, -i as tile_row, x'00' as tile_data from n;")});
    ASSERT_TRUE(guide.failure().isEmpty()) << guide.failure().toStdString();
    guide.settle(8000);
    ASSERT_TRUE(guide.menu({u"Device"_qs, u"Network available"_qs}));
    ASSERT_TRUE(guide.tap(u"button"_qs, u"Live Map"_qs));
    // The map answers: its page comes to rest, and Back leaves it.
    QJsonObject now = guide.settle(10000);
    EXPECT_EQ(now[u"page"].toString(), u"LiveMap");
    EXPECT_TRUE(now[u"quiet"].toBool());
    const QStringList broken = brokenInvariants(now, guide.residentKiB());
    EXPECT_TRUE(broken.isEmpty()) << broken.join(u"; "_qs).toStdString();
    EXPECT_TRUE(guide.output().contains(u"the file is read no more"_qs)) << guide.output().toStdString();
    EXPECT_TRUE(guide.terminateWithin(5000));
}

} // namespace
