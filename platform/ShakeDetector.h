#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <deque>

// Tells a shake of the phone from its accelerometer's readings: a short, strong back-and-forth
// movement (at least four swings, each past 12 m/s² once gravity is taken out, alternating in
// direction along one axis, all within 0.8 s), not a walk (steady, weaker swings) or a bump (one swing).
class ShakeDetector {
public:
    // One reading in m/s² (gravity included, as accelerometers report it) at a time in milliseconds.
    // True when the reading completes a shake; the next one may then begin only after a second.
    bool add(double x, double y, double z, qint64 milliseconds);

    static constexpr double swingThreshold = 12.0; // m/s², without gravity
    static constexpr int swingsForShake = 4;
    static constexpr qint64 shakeWindowMs = 800;
    static constexpr qint64 quietAfterShakeMs = 1000;

private:
    struct Swing {
        qint64 at;
        int axis;
        int sign;
    };
    bool started = false;
    double gravity[3] = {0, 0, 0};
    std::deque<Swing> swings;
    qint64 lastShake = -1'000'000;
    int lastSign[3] = {0, 0, 0};
};

// The device's accelerometer (through Qt Sensors), where it has one: shaken() for each shake.
class AccelerometerShake : public QObject {
    Q_OBJECT
public:
    explicit AccelerometerShake(QObject* parent = nullptr);
    // False on a device without an accelerometer.
    bool start();

signals:
    void shaken();

private:
    ShakeDetector detector;
    class QAccelerometer* sensor = nullptr;
    QElapsedTimer clock;
};
