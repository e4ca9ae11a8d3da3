#include "location/LocationManager.h"

#include <cmath>

namespace {

std::unique_ptr<LocationManager>& instanceSlot() {
    static std::unique_ptr<LocationManager> instance;
    return instance;
}

std::function<std::unique_ptr<PositionSource>()>& sourceFactory() {
    static std::function<std::unique_ptr<PositionSource>()> factory = [] {
        return std::make_unique<QtPositionSource>();
    };
    return factory;
}

constexpr double worstAccuracy = 1500;  // metres
constexpr double oldestAgeSeconds = 19; // whole seconds

} // namespace

LocationListener::~LocationListener() {
    if (LocationManager* manager = LocationManager::existingInstance(); manager && manager->listener == this)
        manager->listener = nullptr;
}

LocationManager::LocationManager(std::unique_ptr<PositionSource> positionSource)
    : source(std::move(positionSource)) {
    connect(source.get(), &PositionSource::didUpdateToLocation, this, &LocationManager::didUpdateToLocation);
    source->startUpdatingLocation();
}

LocationManager* LocationManager::getInstance() {
    auto& instance = instanceSlot();
    if (!instance)
        instance.reset(new LocationManager(sourceFactory()()));
    return instance.get();
}

LocationManager* LocationManager::existingInstance() {
    return instanceSlot().get();
}

void LocationManager::setPositionSourceFactory(std::function<std::unique_ptr<PositionSource>()> factory) {
    sourceFactory() = std::move(factory);
}

void LocationManager::resetInstance() {
    instanceSlot().reset();
}

void LocationManager::updateLocation() {
    source->startUpdatingLocation();
}

bool LocationManager::updateLocationIfOlderThan(int seconds) {
    if (!userLocation || !userLocation->timestamp.isValid() ||
        userLocation->timestamp.secsTo(QDateTime::currentDateTime()) <= seconds)
        return false;
    updateLocation();
    return true;
}

bool LocationManager::locationServicesAreEnabled() const {
    return source->locationServicesEnabled();
}

bool LocationManager::isAcceptable(const PositionFix& fix) {
    if (std::isnan(fix.horizontalAccuracy) || fix.horizontalAccuracy > worstAccuracy)
        return false;
    const QDateTime now = QDateTime::currentDateTime();
    const double age = std::fabs(std::trunc(double(now.msecsTo(fix.timestamp)) / 1000.0));
    return fix.timestamp.isValid() && age <= oldestAgeSeconds;
}

void LocationManager::didUpdateToLocation(const PositionFix& fix) {
    if (!isAcceptable(fix))
        return;
    userLocation = fix;
    if (listener)
        listener->locationUpdated();
    source->stopUpdatingLocation();
}
