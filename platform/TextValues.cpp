#include "platform/TextValues.h"

#include <QHash>

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
    if (seconds <= 0)
        return {};
    return QString::asprintf("%d:%02d", seconds / 60, seconds % 60);
}

namespace {

QString foldedCharacter(char32_t c) {
    if (c == U'ß' || c == U'ẞ')
        return QStringLiteral("ss");
    const QString decomposed = QString::fromUcs4(&c, 1).normalized(QString::NormalizationForm_KD);
    QString kept;
    for (const QChar part : decomposed) {
        const QChar::Category category = part.category();
        if (category != QChar::Mark_NonSpacing && category != QChar::Mark_SpacingCombining &&
            category != QChar::Mark_Enclosing)
            kept += part;
    }
    return kept.toCaseFolded();
}

} // namespace

QString searchFolded(const QString& text) {
    QString folded;
    folded.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.unicode() < 0x80) { // the common case, without a table
            folded += c.toLower();
            continue;
        }
        char32_t code = c.unicode();
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            code = QChar::surrogateToUcs4(c, text[++i]);
        thread_local QHash<char32_t, QString> known;
        auto found = known.constFind(code);
        if (found == known.cend())
            found = known.insert(code, foldedCharacter(code));
        folded += *found;
    }
    return folded;
}
