#pragma once

// What the fuzz targets share: one application object for the readers that need Qt's event-free
// services, and a scratch folder that lives as long as the process.

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>

namespace fuzz {

// Creates the application object once (QCoreApplication; image and SQLite readers need no screen).
void ensureApplication();

// A folder of its own for this process, made on first use.
QString scratchFolder();

inline QByteArray bytes(const uint8_t* data, size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

} // namespace fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
