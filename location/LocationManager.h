#pragma once

#include "platform/PositionSource.h"

#include <QObject>
#include <functional>
#include <memory>
#include <optional>

// Told when the service has accepted a new position. A listener unregisters itself when it is
// destroyed, so the service can never call one that is gone.
class LocationListener {
public:
    virtual ~LocationListener();
    virtual void locationUpdated() = 0;
};

// The one source of the reader's position for the guide's lists. It asks the position source for a
// fix as soon as it is created, keeps the first fix that is accurate (1500 m or better) and fresh
// (under 20 s old), tells the one registered listener and switches the source off until
// updateLocation() asks again. Lives on the user-interface thread for the whole run.
class LocationManager : public QObject {
    Q_OBJECT
public:
    static LocationManager* getInstance();
    // The instance if one was made, without making one.
    static LocationManager* existingInstance();

    // Which source the instance will use; set before the first getInstance (the program, the tests).
    static void setPositionSourceFactory(std::function<std::unique_ptr<PositionSource>()> factory);
    // Forgets the instance, as a new process would (tests).
    static void resetInstance();

    void updateLocation();
    // Asks for a new fix when the stored one is older than the given number of seconds, so that a
    // reader on the move does not keep seeing distances from where the guide started. True when it
    // asked.
    bool updateLocationIfOlderThan(int seconds);
    std::optional<PositionFix> getUserLocation() const { return userLocation; }
    void setUserLocation(const std::optional<PositionFix>& fix) { userLocation = fix; }

    LocationListener* locationDelegate() const { return listener; }
    void setLocationDelegate(LocationListener* newListener) { listener = newListener; }

    bool locationServicesAreEnabled() const;
    PositionSource* positionSource() const { return source.get(); }

    // The fix handler.
    void didUpdateToLocation(const PositionFix& fix);
    // Accurate to 1500 m or better and under 20 s old: a fix a screen may use.
    static bool isAcceptable(const PositionFix& fix);

private:
    explicit LocationManager(std::unique_ptr<PositionSource> source);
    friend class LocationListener;

    std::optional<PositionFix> userLocation;
    std::unique_ptr<PositionSource> source;
    LocationListener* listener = nullptr; // not owned
};
