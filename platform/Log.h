#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// The system log: free text lines, no levels. Tests can listen to what is written.
void logLine(const QString& line);

// A trace of the guide's inner steps ("1st if", "USD = CHF"), which no reader or publisher asked for:
// written through the logging category "cityguide.trace", off unless asked for (the guide's --log, or
// QT_LOGGING_RULES="cityguide.trace.debug=true"). The sink hears it as it hears every line.
void traceLine(const QString& line);
bool tracesShown();

// Writes the line only the first time this exact line is logged in the run.
void logOnce(const QString& line);

// Every line logged from now on is also handed to the sink (null removes it).
void setLogSink(std::function<void(const QString&)> sink);
