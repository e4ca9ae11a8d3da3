#include "platform/ShakeDetector.h"

#include "platform/Log.h"

#include <QAccelerometer>

#include <cmath>

bool ShakeDetector::add(double x, double y, double z, qint64 milliseconds) {
    const double reading[3] = {x, y, z};
    // Gravity is what stays: a slow low-pass of the readings; the movement is the rest.
    if (!started) {
        for (int i = 0; i < 3; ++i)
            gravity[i] = reading[i];
        started = true;
        return false;
    }
    int strongest = -1;
    double strongestValue = 0;
    for (int i = 0; i < 3; ++i) {
        gravity[i] = 0.9 * gravity[i] + 0.1 * reading[i];
        const double moving = reading[i] - gravity[i];
        if (std::abs(moving) > swingThreshold && std::abs(moving) > std::abs(strongestValue)) {
            strongest = i;
            strongestValue = moving;
        }
    }
    while (!swings.empty() && milliseconds - swings.front().at > shakeWindowMs)
        swings.pop_front();
    if (strongest < 0)
        return false;
    const int sign = strongestValue > 0 ? 1 : -1;
    // A swing counts when it turns back: the same direction again is the same swing.
    if (lastSign[strongest] == sign && !swings.empty() && swings.back().axis == strongest)
        return false;
    lastSign[strongest] = sign;
    swings.push_back({milliseconds, strongest, sign});
    int alternating = 1;
    for (size_t i = swings.size() - 1; i > 0; --i) {
        if (swings[i - 1].axis != swings[i].axis || swings[i - 1].sign == swings[i].sign)
            break;
        ++alternating;
    }
    if (alternating < swingsForShake || milliseconds - lastShake < quietAfterShakeMs)
        return false;
    lastShake = milliseconds;
    swings.clear();
    return true;
}

AccelerometerShake::AccelerometerShake(QObject* parent) : QObject(parent) {}

bool AccelerometerShake::start() {
    if (QAccelerometer::sensorsForType(QAccelerometer::sensorType).isEmpty())
        return false;
    sensor = new QAccelerometer(this);
    sensor->setAccelerationMode(QAccelerometer::Combined);
    clock.start();
    connect(sensor, &QAccelerometer::readingChanged, this, [this] {
        const QAccelerometerReading* reading = sensor->reading();
        if (reading && detector.add(reading->x(), reading->y(), reading->z(), clock.elapsed()))
            emit shaken();
    });
    if (!sensor->start()) {
        logLine(QStringLiteral("The accelerometer does not start; shake the preview with its Device menu"));
        return false;
    }
    logLine(QStringLiteral("A shake of the device is read from its accelerometer"));
    return true;
}
