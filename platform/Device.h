#pragma once

#include <QDateTime>
#include <QString>

// What the guide asks of the phone itself. The preview lets the reader pick the system version.
namespace Device {

// "4.3" unless set otherwise.
QString systemVersion();
void setSystemVersion(const QString& version);
// The leading number of the version text, e.g. 4.3 for "4.3.1".
double systemVersionNumber();

// Pictures named by the content: below 4.0 the file name is "name.png", from 4.0 on the bare name,
// so that the picture variant for the screen's resolution can be chosen.
QString contentImageName(const QString& name);

// The device's clock, in UTC. The preview may set it (to check "Sunday 8 am"); it then runs on from
// the time set.
QDateTime now();
void setClock(const QDateTime& time);
// Back to the real time.
void resetClock();

} // namespace Device
