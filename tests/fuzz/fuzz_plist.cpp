// Property lists in both forms, as the chapter looks and the bookmarks read them.

#include "tests/fuzz/FuzzSupport.h"

#include "model/PropertyList.h"

#include <QVariant>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::ensureApplication();
    QString error;
    if (const auto value = PropertyList::fromBytes(fuzz::bytes(data, size), &error)) {
        // What the screens then do with it: walk the dictionaries and write the result back.
        const QVariantMap root = value->toMap();
        for (auto it = root.cbegin(); it != root.cend(); ++it)
            (void)it.value().toMap().value(QStringLiteral("r")).toDouble();
        (void)PropertyList::toXml(*value);
    }
    return 0;
}
