#include "platform/Log.h"

#include <QLoggingCategory>
#include <QMutex>
#include <QSet>
#include <cstdio>

namespace {

QMutex mutex;
std::function<void(const QString&)> sink;
QSet<QString> loggedOnce;
Q_LOGGING_CATEGORY(traces, "cityguide.trace", QtInfoMsg)

// Handed the sink under the lock, called outside it: a sink may log.
void tellSink(const QString& line) {
    std::function<void(const QString&)> current;
    {
        QMutexLocker lock(&mutex);
        current = sink;
    }
    if (current)
        current(line);
}

} // namespace

void logLine(const QString& line) {
    std::fprintf(stderr, "%s\n", line.toUtf8().constData());
    tellSink(line);
}

void traceLine(const QString& line) {
    qCDebug(traces).noquote() << line;
    tellSink(line);
}

bool tracesShown() {
    return traces().isDebugEnabled();
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
