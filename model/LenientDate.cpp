#include "model/LenientDate.h"

#include <QLocale>
#include <QRegularExpression>
#include <array>
#include <cstdlib>

namespace {

std::optional<QDateTime> valid(const QDateTime& dateTime) {
    if (dateTime.isValid())
        return dateTime;
    return std::nullopt;
}

QString normalized(const QString& text) {
    QString s = text.simplified();
    // "1st March 2011", "March 2nd, 2011": ordinal endings carry no meaning for the reader.
    static const QRegularExpression ordinal(QStringLiteral("\\b(\\d{1,2})(st|nd|rd|th)\\b"),
                                            QRegularExpression::CaseInsensitiveOption);
    s.replace(ordinal, QStringLiteral("\\1"));
    // "1. March 2011"
    static const QRegularExpression dayDot(QStringLiteral("^(\\d{1,2})\\. "));
    s.replace(dayDot, QStringLiteral("\\1 "));
    return s;
}

QString capitalizedWords(const QString& text) {
    QString s = text.toLower();
    bool start = true;
    for (QChar& c : s) {
        if (start && c.isLetter())
            c = c.toUpper();
        start = !c.isLetter();
    }
    return s;
}

} // namespace

std::optional<QDateTime> parseLenientDate(const QString& text) {
    const QString s = normalized(text);
    if (s.isEmpty())
        return std::nullopt;

    if (auto iso = valid(QDateTime::fromString(s, Qt::ISODate)))
        return iso->toLocalTime();

    static const std::array<const char*, 10> dateTimeFormats = {
        "yyyy-MM-dd HH:mm:ss",   "yyyy-MM-dd HH:mm",   "yyyy-MM-dd 'T' HH:mm", "yyyy-MM-dd'T'HH:mm",
        "dd.MM.yyyy HH:mm",      "d.M.yyyy H:mm",      "yyyy/MM/dd HH:mm",     "yyyy/M/d H:mm",
        "yyyy-MM-dd HH:mm:ss t", "yyyy-MM-dd HH:mm t",
    };
    const QLocale c = QLocale::c();
    for (const char* format : dateTimeFormats) {
        if (auto dt = valid(c.toDateTime(s, QString::fromLatin1(format))))
            return dt;
    }

    static const std::array<const char*, 14> dateFormats = {
        "yyyy-MM-dd",  "yyyy-M-d",     "dd.MM.yyyy",  "d.M.yyyy",           "yyyy/MM/dd",
        "yyyy/M/d",    "MMMM d, yyyy", "MMMM d yyyy", "MMM d, yyyy",        "MMM d yyyy",
        "d MMMM yyyy", "d MMMM, yyyy", "d MMM yyyy",  "dddd, MMMM d, yyyy",
    };
    const QString words = capitalizedWords(s);
    for (const char* format : dateFormats) {
        const QString f = QString::fromLatin1(format);
        QDate date = c.toDate(s, f);
        if (!date.isValid())
            date = c.toDate(words, f);
        if (date.isValid())
            return QDateTime(date, QTime(0, 0));
    }
    return std::nullopt;
}

std::optional<QDateTime> parseFeedTime(const QString& text) {
    return valid(QLocale::c().toDateTime(text.trimmed(), QString::fromLatin1(feedTimePattern)));
}

bool feedTimeWithin(const QString& text, qint64 seconds) {
    const std::optional<QDateTime> time = parseFeedTime(text);
    return time && std::llabs(time->secsTo(QDateTime::currentDateTime())) <= seconds;
}
