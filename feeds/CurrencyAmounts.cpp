#include "feeds/CurrencyAmounts.h"

#include <QLocale>
#include <cmath>
#include <cstdio>

namespace CurrencyAmounts {

QString nameOf(const QString& entry) {
    return entry.section(u':', 0, 0);
}

std::optional<QStringList> fromRates(const QStringList& currencies, const ReferenceRates& rates,
                                     QStringList* log) {
    QStringList amounts;
    for (int i = 0; i < currencies.size(); ++i) {
        const QString code = currencies[i].left(3);
        if (code == u"EUR") {
            // The euro's 1.0 goes to the euro's own place, wherever the edition lists it.
            amounts.append(QStringLiteral("1.0"));
            continue;
        }
        bool found = false;
        for (const auto& [rateCode, rate] : rates.rates) {
            if (log)
                log->append(QStringLiteral("%1 = %2").arg(rateCode, code));
            if (rateCode == code) {
                amounts.append(QString::number(rate.toDouble(), 'g', QLocale::FloatingPointShortest));
                found = true;
                break;
            }
        }
        if (!found)
            return std::nullopt;
    }
    return amounts;
}

std::optional<QStringList> fromStored(const QStringList& currencies, const QString& stored) {
    if (stored.isEmpty())
        return std::nullopt;
    const QStringList entries = stored.split(u'~');
    if (entries.size() != currencies.size())
        return std::nullopt;
    QStringList amounts;
    for (int i = 0; i < entries.size(); ++i) {
        const QStringList fields = entries[i].split(u':');
        bool ok = false;
        const double amount = fields.value(1).toDouble(&ok);
        if (fields.size() != 2 || fields[0] != nameOf(currencies[i]) || !ok || !std::isfinite(amount) ||
            amount <= 0)
            return std::nullopt;
        amounts.append(fields[1]);
    }
    return amounts;
}

QString formatted(double amount) {
    return QString::number(amount, 'f', 2);
}

double parsed(const QString& text) {
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0;
}

QStringList scaled(const QStringList& amounts, int k, double typed, const QStringList& fresh) {
    const double a = typed > 0.02 ? typed : 0.02;
    // A row whose old amount is no positive number gives nothing to scale from: start again from the
    // amounts for one euro, which line up with each other.
    QStringList base = amounts;
    if (!(amounts.value(k).toDouble() > 0) && fresh.size() == amounts.size())
        base = fresh;
    const double old = base.value(k).toDouble();
    QStringList result = base;
    for (int i = 0; i < base.size(); ++i) {
        if (i == k)
            continue;
        result[i] = QString::asprintf("%g", base[i].toDouble() * a / old);
    }
    result[k] = formatted(a);
    return result;
}

QString stored(const QStringList& currencies, const QStringList& amounts) {
    QString text;
    for (int i = 0; i < currencies.size(); ++i) {
        if (i > 0)
            text += u'~';
        text += nameOf(currencies[i]) + u':' +
                QString::number(amounts.value(i).toDouble(), 'g', QLocale::FloatingPointShortest);
    }
    return text;
}

} // namespace CurrencyAmounts
