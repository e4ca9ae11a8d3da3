// Walks along an edition's streets: the network the import writes and the routes searched on it.

#include "location/WalkingNetwork.h"
#include "tools/edition/OsmWalks.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A town on a grid of 0.001 degrees (111 m north-south, 76 m east-west at 47 degrees north). A river
// runs east-west between rows 0 and 2; only the footbridge at column 0 crosses it.
//
//   row 2:  (2,0)----North Street----(2,4)
//             | Bridge                 [no crossing: the river]
//   row 0:  (0,0)----South Street----(0,4)===motorway===(0,8)
//                                      \\-- One-way Lane (from (0,4) to (0,6)) --(0,6)----(0,8)
QPointF at(double row, double column) {
    return QPointF(9.5 + column * 0.001, 47.1 + row * 0.001);
}

Osm::Object way(std::initializer_list<QPointF> points, QMap<QString, QString> tags) {
    Osm::Object object;
    object.kind = Osm::Object::Kind::Way;
    object.tags = std::move(tags);
    QPolygonF line;
    for (const QPointF& point : points)
        line.append(point);
    object.rings = {line};
    object.bounds = line.boundingRect();
    return object;
}

class WalkingRouteTest : public testing::Test {
protected:
    void SetUp() override {
        Osm::Extract extract;
        extract.objects = {
            way({at(0, 0), at(0, 1), at(0, 2), at(0, 3), at(0, 4)},
                {{u"highway"_qs, u"residential"_qs}, {u"name"_qs, u"South Street"_qs}}),
            way({at(2, 0), at(2, 2), at(2, 4)}, {{u"highway"_qs, u"residential"_qs}, {u"name"_qs, u"North Street"_qs}}),
            way({at(0, 0), at(1, 0), at(2, 0)},
                {{u"highway"_qs, u"footway"_qs}, {u"bridge"_qs, u"yes"_qs}, {u"name"_qs, u"Bridge"_qs}}),
            // On foot a one-way street is walked both ways.
            way({at(0, 4), at(-0.2, 5), at(0, 6)},
                {{u"highway"_qs, u"residential"_qs}, {u"oneway"_qs, u"yes"_qs}, {u"name"_qs, u"One-way Lane"_qs}}),
            way({at(0, 6), at(0, 8)}, {{u"highway"_qs, u"unclassified"_qs}, {u"name"_qs, u"East Road"_qs}}),
            // Shortcuts a pedestrian may not take.
            way({at(0, 4), at(0, 8)}, {{u"highway"_qs, u"motorway"_qs}}),
            way({at(0, 4), at(1, 6), at(0, 8)}, {{u"highway"_qs, u"path"_qs}, {u"foot"_qs, u"no"_qs}}),
            way({at(2, 4), at(0, 4)}, {{u"highway"_qs, u"service"_qs}, {u"access"_qs, u"private"_qs}}),
            way({at(2, 4), at(1, 4), at(0, 4)}, {{u"highway"_qs, u"proposed"_qs}}),
            // An island of paths in a park nobody can reach.
            way({at(5, 5), at(5, 6)}, {{u"highway"_qs, u"path"_qs}}),
        };
        ASSERT_TRUE(folder.isValid());
        QString error;
        const auto written = OsmWalks::write(extract, QRectF(9.49, 47.09, 0.02, 0.02), u"© OpenStreetMap contributors"_qs,
                                             folder.filePath(u"Walks.sqlite"_qs), &error);
        ASSERT_TRUE(written) << error.toStdString();
        EXPECT_EQ(written->ways, 6);
        network = WalkingNetwork::open(folder.filePath(u"Walks.sqlite"_qs), &error);
        ASSERT_TRUE(network) << error.toStdString();
    }
    WalkingNetwork::Route walk(const QPointF& from, const QPointF& to) {
        QString why;
        const auto route = network->route(from.y(), from.x(), to.y(), to.x(), &why);
        EXPECT_TRUE(route) << why.toStdString();
        return route.value_or(WalkingNetwork::Route());
    }

    QTemporaryDir folder;
    std::unique_ptr<WalkingNetwork> network;
};

TEST_F(WalkingRouteTest, TheRiverIsCrossedAtItsBridgeAndOneWayStreetsBothWays) {
    // From the north bank's east end to the south bank's: back west to the bridge and east again.
    const WalkingNetwork::Route across = walk(at(2, 4), at(0, 4));
    EXPECT_EQ(across.streets, (QStringList{u"North Street"_qs, u"Bridge"_qs, u"South Street"_qs}));
    EXPECT_NEAR(across.metres, 2 * 4 * 76.0 + 2 * 111.2, 6);
    EXPECT_NEAR(across.minutes, across.metres / 80, 1e-9);
    EXPECT_EQ(across.points.first(), at(2, 4));
    EXPECT_EQ(across.points.last(), at(0, 4));
    // Against the one-way lane, not along the motorway or the path closed to walkers.
    const WalkingNetwork::Route east = walk(at(0, 8), at(0, 3));
    EXPECT_EQ(east.streets, (QStringList{u"East Road"_qs, u"One-way Lane"_qs, u"South Street"_qs}));
    EXPECT_TRUE(east.points.contains(at(-0.2, 5)));
}

TEST_F(WalkingRouteTest, PlacesOffTheNetworkAreJoinedAtItsNearestPoints) {
    // 0.0004 degrees (about 44 m) south of the South Street's corner, to just north of North Street.
    const QPointF start = at(-0.4, 0), end = at(2.3, 2);
    const WalkingNetwork::Route route = walk(start, end);
    EXPECT_EQ(route.points.first(), start);
    EXPECT_EQ(route.points[1], at(0, 0));
    EXPECT_EQ(route.points[route.points.size() - 2], at(2, 2));
    EXPECT_EQ(route.points.last(), end);
    EXPECT_NEAR(route.metres, 44.5 + 222.4 + 152 + 33.4, 6);
}

TEST_F(WalkingRouteTest, AnIslandOrAFarPlaceHasNoRouteAndSaysWhy) {
    QString why;
    EXPECT_FALSE(network->route(at(0, 0).y(), at(0, 0).x(), at(5, 5).y(), at(5, 5).x(), &why));
    EXPECT_EQ(why, u"No street or path of the edition joins the two places"_qs);
    EXPECT_FALSE(network->route(at(0, 0).y(), at(0, 0).x(), 47.2, 9.6, &why));
    EXPECT_EQ(why, u"The end lies more than 2 km from any street or path of the edition"_qs);
}

} // namespace
