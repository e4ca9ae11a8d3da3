// The euro reference rates, as the converter reads a downloaded or stored document.

#include "tests/fuzz/FuzzSupport.h"

#include "feeds/CurrencyAmounts.h"
#include "feeds/ReferenceRates.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::ensureApplication();
    const QByteArray input = fuzz::bytes(data, size);
    QString error;
    static const QStringList currencies = {QStringLiteral("EUR:€:FlagEU"), QStringLiteral("USD:$:FlagUS"),
                                           QStringLiteral("JPY:¥:FlagJP")};
    if (const auto rates = ReferenceRateReader::read(input, &error)) {
        QStringList comparisons;
        if (const auto amounts = CurrencyAmounts::fromRates(currencies, *rates, &comparisons))
            (void)CurrencyAmounts::stored(currencies, *amounts);
    }
    (void)ReferenceRateReader::withStoredHead(QString::fromUtf8(input));
    (void)CurrencyAmounts::fromStored(currencies, QString::fromUtf8(input));
    return 0;
}
