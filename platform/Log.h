#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// The system log: free text lines, no levels. Tests can listen to what is written.
void logLine(const QString& line);

// Writes the line only the first time this exact line is logged in the run.
void logOnce(const QString& line);

// Every line logged from now on is also handed to the sink (null removes it).
void setLogSink(std::function<void(const QString&)> sink);
