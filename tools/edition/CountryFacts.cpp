#include "tools/edition/CountryFacts.h"

#include "catalog/Venue.h"

#include <QFile>
#include <QHash>
#include <QPointF>
#include <QRegularExpression>

#include <phonenumbers/phonenumberutil.h>
#include <unicode/locid.h>
#include <unicode/strenum.h>
#include <unicode/timezone.h>
#include <unicode/ucurr.h>
#include <unicode/uloc.h>

#include <limits>
#include <memory>

namespace Edition {

namespace {

using i18n::phonenumbers::PhoneNumber;
using i18n::phonenumbers::PhoneNumberUtil;

QString fromIcu(const icu::UnicodeString& text) {
    return QString(reinterpret_cast<const QChar*>(text.getBuffer()), text.length());
}

bool isCountry(const QByteArray& region) {
    for (const char* const* code = uloc_getISOCountries(); *code; ++code) {
        if (region == *code)
            return true;
    }
    return false;
}

QString currencyOf(const QByteArray& region, QString* symbol) {
    UErrorCode status = U_ZERO_ERROR;
    UChar code[4] = {};
    const int32_t length = ucurr_forLocale(("und_" + region).constData(), code, 4, &status);
    if (U_FAILURE(status) || length != 3)
        return {};
    UBool isChoiceFormat = false;
    int32_t symbolLength = 0;
    const UChar* name = ucurr_getName(code, ("en_" + region).constData(), UCURR_SYMBOL_NAME, &isChoiceFormat,
                                      &symbolLength, &status);
    const QString currency(reinterpret_cast<const QChar*>(code), 3);
    *symbol = U_SUCCESS(status) ? QString(reinterpret_cast<const QChar*>(name), symbolLength) : currency;
    return currency;
}

// The principal places of the zones, from the time zone database's zone.tab ("+4709+00931" or
// "+470900+0093100", degrees and minutes, then seconds).
QHash<QString, QPointF> zonePlaces() {
    QHash<QString, QPointF> places;
    QFile file(QStringLiteral("/usr/share/zoneinfo/zone.tab"));
    if (!file.open(QIODevice::ReadOnly))
        return places;
    static const QRegularExpression coordinates(
        QStringLiteral("^([+-])(\\d\\d)(\\d\\d)(\\d\\d)?([+-])(\\d\\d\\d)(\\d\\d)(\\d\\d)?$"));
    const auto degrees = [](const QRegularExpressionMatch& m, int at) {
        const double value = m.captured(at + 1).toDouble() + m.captured(at + 2).toDouble() / 60 +
                             m.captured(at + 3).toDouble() / 3600;
        return m.captured(at) == u"-" ? -value : value;
    };
    while (!file.atEnd()) {
        const QStringList fields = QString::fromUtf8(file.readLine()).trimmed().split(u'\t');
        if (fields.size() < 3 || fields[0].startsWith(u'#'))
            continue;
        const QRegularExpressionMatch m = coordinates.match(fields[1]);
        if (m.hasMatch())
            places.insert(fields[2], QPointF(degrees(m, 5), degrees(m, 1)));
    }
    return places;
}

QString zoneAt(const QByteArray& region, double latitude, double longitude) {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::StringEnumeration> zones(icu::TimeZone::createTimeZoneIDEnumeration(
        UCAL_ZONE_TYPE_CANONICAL_LOCATION, region.constData(), nullptr, status));
    if (U_FAILURE(status) || !zones)
        return {};
    QStringList ids;
    while (const char* id = zones->next(nullptr, status))
        ids.append(QString::fromLatin1(id));
    if (ids.size() <= 1)
        return ids.value(0);
    const QHash<QString, QPointF> places = zonePlaces();
    QString nearest = ids.first();
    double best = std::numeric_limits<double>::max();
    for (const QString& id : std::as_const(ids)) {
        const auto place = places.constFind(id);
        if (place == places.cend())
            continue;
        const double metres = distanceInMetres(latitude, longitude, place->y(), place->x());
        if (metres < best)
            best = metres, nearest = id;
    }
    return nearest;
}

// The short names a traveller reads on clocks ("CET/CEST", "EST/EDT"), where the English of some
// country has them; ICU writes "GMT+1" where none has.
QString zoneShown(const QString& id, const QByteArray& region) {
    std::unique_ptr<icu::TimeZone> zone(
        icu::TimeZone::createTimeZone(icu::UnicodeString::fromUTF8(id.toStdString())));
    QString shown;
    for (const char* country : {region.constData(), "GB", "US"}) {
        const icu::Locale locale("en", country);
        icu::UnicodeString winter, summer;
        zone->getDisplayName(false, icu::TimeZone::SHORT, locale, winter);
        shown = fromIcu(winter);
        if (zone->useDaylightTime()) {
            zone->getDisplayName(true, icu::TimeZone::SHORT, locale, summer);
            shown += u'/' + fromIcu(summer);
        }
        static const QRegularExpression offset(QStringLiteral("GMT[+-]"));
        if (!shown.contains(offset))
            break;
    }
    return shown;
}

} // namespace

std::optional<CountryFacts> countryFacts(const QString& regionCode, double latitude, double longitude) {
    const QByteArray region = regionCode.trimmed().toUpper().toLatin1();
    if (region.size() != 2 || !isCountry(region))
        return std::nullopt;
    CountryFacts facts;
    facts.region = QString::fromLatin1(region);
    facts.currency = currencyOf(region, &facts.currencySymbol);
    // A currency's code begins with its issuer's country (CHF: CH), the euro's with the EU's.
    const QByteArray issuer = facts.currency.left(2).toLatin1();
    facts.currencyIssuer = facts.currency == u"EUR" ? QStringLiteral("EU")
                           : isCountry(issuer)      ? QString::fromLatin1(issuer)
                                                    : facts.region;
    if (const int code = PhoneNumberUtil::GetInstance()->GetCountryCodeForRegion(region.toStdString()))
        facts.callingCode = QStringLiteral("+%1").arg(code);
    // The top-level domains are the country codes, but for the United Kingdom's.
    facts.internetCode = u'.' + (region == "GB" ? QStringLiteral("uk") : facts.region.toLower());
    facts.timeZone = zoneAt(region, latitude, longitude);
    if (!facts.timeZone.isEmpty())
        facts.timeZoneShown = zoneShown(facts.timeZone, region);
    return facts;
}

QString regionOfCallingCode(const QString& code) {
    QString digits = code.trimmed();
    if (digits.startsWith(u'+'))
        digits.remove(0, 1);
    else if (digits.startsWith(u"00"))
        digits.remove(0, 2);
    bool ok = false;
    const int number = digits.toInt(&ok);
    if (!ok || number <= 0)
        return {};
    std::string region;
    PhoneNumberUtil::GetInstance()->GetRegionCodeForCountryCode(number, &region);
    return region == "ZZ" ? QString() : QString::fromStdString(region);
}

QString phoneProblem(const QString& number, const QString& region) {
    const PhoneNumberUtil& util = *PhoneNumberUtil::GetInstance();
    const std::string plan = region.isEmpty() ? std::string("ZZ") : region.toStdString();
    PhoneNumber parsed;
    switch (util.Parse(number.toStdString(), plan, &parsed)) {
    case PhoneNumberUtil::NO_PARSING_ERROR:
        break;
    case PhoneNumberUtil::INVALID_COUNTRY_CODE_ERROR:
        // A national number of an edition whose country is not known cannot be told right or wrong.
        return region.isEmpty() && !number.trimmed().startsWith(u'+')
                   ? QString()
                   : QStringLiteral("of no country: no country has its calling code");
    case PhoneNumberUtil::NOT_A_NUMBER:
        return QStringLiteral("not a phone number");
    case PhoneNumberUtil::TOO_SHORT_AFTER_IDD:
    case PhoneNumberUtil::TOO_SHORT_NSN:
        return QStringLiteral("too short for a phone number");
    case PhoneNumberUtil::TOO_LONG_NSN:
        return QStringLiteral("too long for a phone number");
    }
    if (util.IsValidNumber(parsed))
        return {};
    std::string owner;
    util.GetRegionCodeForCountryCode(parsed.country_code(), &owner);
    return QStringLiteral("no number of the telephone plan of %1 (+%2)")
        .arg(QString::fromStdString(owner))
        .arg(parsed.country_code());
}

} // namespace Edition
