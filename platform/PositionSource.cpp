#include "platform/PositionSource.h"

#include "platform/Log.h"

#include <QFile>
#include <QGeoPositionInfoSource>
#include <QNmeaPositionInfoSource>
#include <cmath>

namespace {

// The device's standing position is as fresh as the moment it is reported, unless the fix says when
// it was taken.
PositionFix reported(PositionFix fix) {
    if (!fix.timestamp.isValid())
        fix.timestamp = QDateTime::currentDateTime();
    return fix;
}

} // namespace

void SimulatedPositionSource::startUpdatingLocation() {
    updating = true;
    ++starts;
    if (servicesEnabled && fix)
        emit didUpdateToLocation(reported(*fix));
}

void SimulatedPositionSource::stopUpdatingLocation() {
    updating = false;
}

void SimulatedPositionSource::setLocationServicesEnabled(bool enabled) {
    servicesEnabled = enabled;
    emit changed();
}

void SimulatedPositionSource::setFix(const std::optional<PositionFix>& newFix) {
    fix = newFix;
    if (updating && servicesEnabled && fix)
        emit didUpdateToLocation(reported(*fix));
    emit changed();
}

void SimulatedPositionSource::deliver(const PositionFix& oneFix) {
    if (updating && servicesEnabled)
        emit didUpdateToLocation(oneFix);
    emit delivered(oneFix);
}

std::unique_ptr<PositionSource> SimulatedPositionSource::follower() {
    auto twin = std::make_unique<SimulatedPositionSource>();
    twin->servicesEnabled = servicesEnabled;
    twin->fix = fix;
    SimulatedPositionSource* follower = twin.get();
    connect(this, &SimulatedPositionSource::changed, follower, [this, follower] {
        follower->setLocationServicesEnabled(servicesEnabled);
        follower->setFix(fix);
    });
    // Single deliveries reach the follower too.
    connect(this, &SimulatedPositionSource::delivered, follower,
            [follower](const PositionFix& one) { follower->deliver(one); });
    return twin;
}

std::unique_ptr<PositionSource> QtPositionSource::follower() {
    return std::make_unique<QtPositionSource>(log);
}

QtPositionSource::QtPositionSource(const QString& nmeaLogPath, QObject* parent)
    : PositionSource(parent), log(nmeaLogPath) {
    if (nmeaLogPath.isEmpty()) {
        source = QGeoPositionInfoSource::createDefaultSource(this);
    } else {
        auto* file = new QFile(nmeaLogPath, this);
        if (!file->open(QIODevice::ReadOnly)) {
            logLine(QStringLiteral("Cannot open the NMEA log %1: %2").arg(nmeaLogPath, file->errorString()));
        } else {
            auto* nmea = new QNmeaPositionInfoSource(QNmeaPositionInfoSource::SimulationMode, this);
            nmea->setDevice(file);
            // A log carries no accuracy of its own; the receiver's range error turns HDOP into metres.
            nmea->setUserEquivalentRangeError(5.0);
            source = nmea;
            replaying = true;
        }
    }
    if (!source)
        return;
    source->setPreferredPositioningMethods(QGeoPositionInfoSource::AllPositioningMethods);
    connect(source, &QGeoPositionInfoSource::positionUpdated, this, [this](const QGeoPositionInfo& info) {
        PositionFix fix;
        fix.latitude = info.coordinate().latitude();
        fix.longitude = info.coordinate().longitude();
        fix.horizontalAccuracy = info.hasAttribute(QGeoPositionInfo::HorizontalAccuracy)
                                     ? info.attribute(QGeoPositionInfo::HorizontalAccuracy)
                                     : std::nan("");
        // A replayed log stands in for live hardware: its fixes are as fresh as the moment they arrive.
        fix.timestamp = replaying ? QDateTime::currentDateTime() : info.timestamp();
        emit didUpdateToLocation(fix);
    });
}

QtPositionSource::~QtPositionSource() = default;

void QtPositionSource::startUpdatingLocation() {
    updating = true;
    if (source)
        source->startUpdates();
}

void QtPositionSource::stopUpdatingLocation() {
    updating = false;
    if (source)
        source->stopUpdates();
}

bool QtPositionSource::locationServicesEnabled() const {
    return source && source->error() != QGeoPositionInfoSource::AccessError &&
           source->error() != QGeoPositionInfoSource::ClosedError;
}
