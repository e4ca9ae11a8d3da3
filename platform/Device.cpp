#include "platform/Device.h"

#include <QMutex>
#include <QRegularExpression>
#include <atomic>

namespace {

QMutex mutex;
QString version = QStringLiteral("4.3");
std::atomic<qint64> clockOffsetMs{0};

} // namespace

namespace Device {

QString systemVersion() {
    QMutexLocker lock(&mutex);
    return version;
}

void setSystemVersion(const QString& newVersion) {
    QMutexLocker lock(&mutex);
    version = newVersion;
}

double systemVersionNumber() {
    static const QRegularExpression leadingNumber(QStringLiteral("^\\s*([0-9]+(\\.[0-9]+)?)"));
    const QRegularExpressionMatch match = leadingNumber.match(systemVersion());
    return match.hasMatch() ? match.captured(1).toDouble() : 0.0;
}

QString contentImageName(const QString& name) {
    if (systemVersionNumber() >= 4.0)
        return name;
    return name + QStringLiteral(".png");
}

QDateTime now() {
    return QDateTime::currentDateTimeUtc().addMSecs(clockOffsetMs.load());
}

void setClock(const QDateTime& time) {
    clockOffsetMs.store(time.toMSecsSinceEpoch() - QDateTime::currentMSecsSinceEpoch());
}

void resetClock() {
    clockOffsetMs.store(0);
}

} // namespace Device
