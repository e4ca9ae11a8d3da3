#pragma once

#include <QDateTime>
#include <QObject>
#include <QTimer>
#include <memory>
#include <optional>

class QGeoPositionInfoSource;

// One position reading of the device.
struct PositionFix {
    double latitude = 0;
    double longitude = 0;
    double horizontalAccuracy = 0; // metres; negative marks an invalid fix, NaN an unknown accuracy
    QDateTime timestamp;
};

// The device's position hardware as the guide sees it: start, stop, whether the reader has location
// services switched on, and fixes. Fixes are delivered on the thread that owns the source.
class PositionSource : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~PositionSource() override = default;

    virtual void startUpdatingLocation() = 0;
    virtual void stopUpdatingLocation() = 0;
    virtual bool locationServicesEnabled() const = 0;
    virtual bool isUpdating() const = 0;
    // A second source on the same hardware, for a screen that keeps a position source of its own.
    virtual std::unique_ptr<PositionSource> follower() = 0;

signals:
    void didUpdateToLocation(const PositionFix& fix);
};

// A source the preview and the tests drive by hand. While updating, a fix set with setFix() is
// delivered at once (and again after every start); deliver() hands one fix over regardless of it.
class SimulatedPositionSource : public PositionSource {
    Q_OBJECT
public:
    using PositionSource::PositionSource;

    void startUpdatingLocation() override;
    void stopUpdatingLocation() override;
    bool locationServicesEnabled() const override { return servicesEnabled; }
    bool isUpdating() const override { return updating; }
    // Follows this source's standing fix and services switch as they change.
    std::unique_ptr<PositionSource> follower() override;

    void setLocationServicesEnabled(bool enabled);
    // The standing position of the device (none: no fix ever arrives). A fix without a timestamp is
    // reported as taken at the moment it is reported.
    void setFix(const std::optional<PositionFix>& fix);
    std::optional<PositionFix> currentFix() const { return fix; }
    // Hands one fix to the listeners, as the hardware would, while updating.
    void deliver(const PositionFix& fix);
    int startCount() const { return starts; }

signals:
    void changed();
    void delivered(const PositionFix& fix);

private:
    bool servicesEnabled = true;
    bool updating = false;
    int starts = 0;
    std::optional<PositionFix> fix;
};

// The system's position source through Qt Positioning, or an NMEA log replayed in real time.
class QtPositionSource : public PositionSource {
    Q_OBJECT
public:
    // nmeaLogPath empty: the system's default source (none on many desktops: then services are off).
    explicit QtPositionSource(const QString& nmeaLogPath = {}, QObject* parent = nullptr);
    ~QtPositionSource() override;

    void startUpdatingLocation() override;
    void stopUpdatingLocation() override;
    bool locationServicesEnabled() const override;
    bool isUpdating() const override { return updating; }
    std::unique_ptr<PositionSource> follower() override;

private:
    QString log;
    QGeoPositionInfoSource* source = nullptr; // owned through the QObject tree
    bool replaying = false;
    bool updating = false;
};

Q_DECLARE_METATYPE(PositionFix)
