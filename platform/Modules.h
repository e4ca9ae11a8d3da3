#pragma once

#include <QFunctionPointer>
#include <QString>

// The guide's modules (modules/): libraries loaded when first needed, never linked into a program.
// Installed they lie at a fixed place relative to the program; in the build tree, in its modules
// folder (the tests and benchmarks run from folders of their own).
namespace Modules {

// The function SYMBOL of the module libMODULE.so, loaded on first use and kept; null where the module
// is missing or cannot be loaded (the reason is logged).
QFunctionPointer resolve(const QString& module, const char* symbol);

} // namespace Modules
