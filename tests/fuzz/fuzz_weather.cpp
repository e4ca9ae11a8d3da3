// The weather document, as the weather page reads a downloaded or stored copy.

#include "model/ManagerModel.h"
#include "tests/fuzz/FuzzSupport.h"

#include "feeds/SafeXml.h"
#include "feeds/WeatherDocument.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::ensureApplication();
    const QByteArray input = fuzz::bytes(data, size);
    QString error;
    if (const auto elements = WeatherReader::read(input, &error)) {
        for (const auto& entry : WeatherReader::entries(*elements, size % 2 == 0, size % 3 == 0))
            (void)entry.imageName();
    }
    (void)ManagerModel::storedDocument(QString::fromUtf8(input));
    return 0;
}
