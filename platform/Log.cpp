#include "platform/Log.h"

#include <QMutex>
#include <QSet>
#include <cstdio>

namespace {

QMutex mutex;
std::function<void(const QString&)> sink;
QSet<QString> loggedOnce;

} // namespace

void logLine(const QString& line) {
    std::function<void(const QString&)> current;
    {
        QMutexLocker lock(&mutex);
        current = sink;
    }
    std::fprintf(stderr, "%s\n", line.toUtf8().constData());
    if (current)
        current(line);
}

void logOnce(const QString& line) {
    {
        QMutexLocker lock(&mutex);
        if (loggedOnce.contains(line))
            return;
        loggedOnce.insert(line);
    }
    logLine(line);
}

void setLogSink(std::function<void(const QString&)> newSink) {
    QMutexLocker lock(&mutex);
    sink = std::move(newSink);
}
