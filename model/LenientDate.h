#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

// Reads the date texts that editions write by hand: ISO dates with and without a time,
// "dd.MM.yyyy", "yyyy/MM/dd", "MMMM d, yyyy", "d MMMM yyyy" and a few close relatives, in the
// device's time zone. None when the text is no date this reader knows.
std::optional<QDateTime> parseLenientDate(const QString& text);

// The pattern of the stored feed times, "yyyy-MM-dd 'T' HH:mm", in the device's time zone.
inline constexpr const char* feedTimePattern = "yyyy-MM-dd 'T' HH:mm";
std::optional<QDateTime> parseFeedTime(const QString& text);
// Whether the stored feed time lies at most that many seconds from now, either way (an empty or
// unreadable time lies long past).
bool feedTimeWithin(const QString& text, qint64 seconds);
