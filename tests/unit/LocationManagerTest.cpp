#include "location/LocationManager.h"
#include "tests/support/TestSupport.h"

#include <QEventLoop>
#include <QTimer>
#include <cmath>

using namespace testsupport;

namespace {

struct CountingListener : LocationListener {
    int calls = 0;
    std::optional<PositionFix> seen;
    void locationUpdated() override {
        ++calls;
        seen = LocationManager::getInstance()->getUserLocation();
    }
};

class LocationManagerTest : public GuideTest {
protected:
    void SetUp() override {
        GuideTest::SetUp();
        LocationManager::setPositionSourceFactory([this] {
            auto simulated = std::make_unique<SimulatedPositionSource>();
            source = simulated.get();
            return simulated;
        });
    }
    static PositionFix fix(double accuracy, qint64 ageMs, double lat = 48.2) {
        return {lat, 16.37, accuracy, QDateTime::currentDateTime().addMSecs(-ageMs)};
    }

    SimulatedPositionSource* source = nullptr;
};

TEST_F(LocationManagerTest, AcceptsOnlyAccurateAndFreshFixes) {
    struct Case {
        const char* what;
        double accuracy;
        qint64 ageMs;
        bool accepted;
    } cases[] = {
        {"1500 m exactly", 1500, 0, true},
        {"slightly above 1500 m", 1500.01, 0, false},
        {"accuracy unknown", std::nan(""), 0, false},
        {"invalid fix (negative accuracy)", -1, 0, true},
        {"19.9 s old", 10, 19900, true},
        {"20.0 s old", 10, 20000, false},
        {"in the future by 19 s", 10, -19000, true},
        {"in the future by 21 s", 10, -21000, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LocationManager::resetInstance();
        LocationManager* manager = LocationManager::getInstance();
        ASSERT_TRUE(source->isUpdating());
        source->deliver(fix(c.accuracy, c.ageMs));
        EXPECT_EQ(manager->getUserLocation().has_value(), c.accepted);
        EXPECT_EQ(source->isUpdating(), !c.accepted); // an accepted fix switches the hardware off
    }
}

TEST_F(LocationManagerTest, KeepsTheFirstFixUntilAskedAgain) {
    LocationManager* manager = LocationManager::getInstance();
    EXPECT_EQ(LocationManager::getInstance(), manager);
    EXPECT_EQ(source->startCount(), 1);

    CountingListener listener;
    manager->setLocationDelegate(&listener);
    source->deliver(fix(10, 0, 48.1));
    source->deliver(fix(10, 0, 48.3)); // the hardware is off: nothing arrives
    EXPECT_EQ(listener.calls, 1);
    EXPECT_DOUBLE_EQ(manager->getUserLocation()->latitude, 48.1);
    EXPECT_DOUBLE_EQ(listener.seen->latitude, 48.1);

    manager->updateLocation();
    source->deliver(fix(10, 0, 48.3));
    EXPECT_EQ(listener.calls, 2);
    EXPECT_DOUBLE_EQ(manager->getUserLocation()->latitude, 48.3);
}

TEST_F(LocationManagerTest, AFixWithoutListenerIsStoredForLaterScreens) {
    LocationManager* manager = LocationManager::getInstance();
    source->deliver(fix(10, 0));
    CountingListener later;
    manager->setLocationDelegate(&later);
    EXPECT_EQ(later.calls, 0);
    EXPECT_TRUE(manager->getUserLocation());
}

TEST_F(LocationManagerTest, AListenerThatIsGoneIsNeverCalled) {
    LocationManager* manager = LocationManager::getInstance();
    {
        CountingListener shortLived;
        manager->setLocationDelegate(&shortLived);
    }
    EXPECT_EQ(manager->locationDelegate(), nullptr);
    source->deliver(fix(10, 0)); // would crash (ASan) if the listener were still registered

    // A later registration replaces an earlier one, and the earlier one's end leaves it alone.
    CountingListener current;
    {
        CountingListener earlier;
        manager->setLocationDelegate(&earlier);
        manager->setLocationDelegate(&current);
    }
    EXPECT_EQ(manager->locationDelegate(), &current);
}

TEST_F(LocationManagerTest, ReportsWhetherLocationServicesAreOn) {
    LocationManager* manager = LocationManager::getInstance();
    EXPECT_TRUE(manager->locationServicesAreEnabled());
    source->setLocationServicesEnabled(false);
    EXPECT_FALSE(manager->locationServicesAreEnabled());
    source->deliver(fix(10, 0));
    EXPECT_FALSE(manager->getUserLocation()); // services off: no fix arrives, nobody is told
}

} // namespace

namespace {

using PositionReplayTest = GuideTest;

TEST_F(PositionReplayTest, AnNmeaLogReplaysAsFreshAccurateFixes) {
    LocationManager::setPositionSourceFactory(
        [] { return std::make_unique<QtPositionSource>(fixturePath(u"stephansplatz.nmea"_qs)); });
    LocationManager* manager = LocationManager::getInstance();
    ASSERT_TRUE(manager->locationServicesAreEnabled());

    struct Listener : LocationListener {
        QEventLoop loop;
        void locationUpdated() override { loop.quit(); }
    } listener;
    manager->setLocationDelegate(&listener);
    QTimer::singleShot(5000, &listener.loop, &QEventLoop::quit); // a bound, not a pause
    if (!manager->getUserLocation())
        listener.loop.exec();

    const auto fix = manager->getUserLocation();
    ASSERT_TRUE(fix) << "no fix accepted from the log";
    EXPECT_NEAR(fix->latitude, 48.208490, 1e-5);  // 48° 12.5094'
    EXPECT_NEAR(fix->longitude, 16.373118, 1e-5); // 16° 22.3871'
    EXPECT_LE(fix->horizontalAccuracy, 1500);
    EXPECT_FALSE(manager->positionSource()->isUpdating());
}

} // namespace
