#include "platform/TextValues.h"

#include <limits>

namespace {

bool isBlankOrBreak(QChar c) {
    // Qt's isSpace covers Zs, tab and the line-break characters U+000A..U+000D, U+0085, U+2028, U+2029.
    return c.isSpace();
}

qsizetype skipSign(const QString& text, qsizetype i, bool* negative) {
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        *negative = text[i] == '-';
        return i + 1;
    }
    return i;
}

} // namespace

int intValueOfText(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && isBlankOrBreak(text[i]))
        ++i;
    bool negative = false;
    i = skipSign(text, i, &negative);
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i].unicode() - '0');
        if (value > std::numeric_limits<int>::max())
            return negative ? std::numeric_limits<int>::min() : std::numeric_limits<int>::max();
    }
    return static_cast<int>(negative ? -value : value);
}

bool boolValueOfText(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && isBlankOrBreak(text[i]))
        ++i;
    bool negative = false;
    i = skipSign(text, i, &negative);
    while (i < text.size() && text[i] == '0')
        ++i;
    if (i >= text.size())
        return false;
    const QChar c = text[i];
    return c == 'Y' || c == 'y' || c == 'T' || c == 't' || (c >= '1' && c <= '9');
}

QString trimmedText(const QString& text) {
    return text.trimmed();
}

std::optional<QList<double>> numbersOfText(const QString& text, int count) {
    const QStringList parts = text.split(u',');
    if (parts.size() != count)
        return std::nullopt;
    QList<double> values;
    for (const QString& part : parts) {
        bool ok = false;
        values.append(part.trimmed().toDouble(&ok));
        if (!ok)
            return std::nullopt;
    }
    return values;
}

QString minutesAndSeconds(int seconds) {
    return QString::asprintf("%d:%02d", seconds / 60, seconds % 60);
}
