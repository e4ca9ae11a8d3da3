#include "platform/Log.h"

#include <QLoggingCategory>
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

Q_LOGGING_CATEGORY(traces, "cityguide.trace", QtInfoMsg)

void traceLine(const QString& line) {
    std::function<void(const QString&)> current;
    {
        QMutexLocker lock(&mutex);
        current = sink;
    }
    qCDebug(traces).noquote() << line;
    if (current)
        current(line);
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
