#include "ui/EngineModules.h"

#include "platform/Log.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <memory>
#include <vector>

namespace EngineModules {
namespace {

// Installed, the modules lie at a fixed place relative to the program; in the build tree, in its
// modules folder (the tests and benchmarks run from folders of their own).
QStringList moduleFolders() {
    return {
        QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/" GUIDE_MODULES_RELATIVE)),
        QStringLiteral(GUIDE_BUILD_MODULES_DIR)};
}

QFunctionPointer resolve(const QString& module, const char* symbol) {
    QStringList failures;
    for (const QString& folder : moduleFolders()) {
        const QString path = folder + QStringLiteral("/lib") + module + QStringLiteral(".so");
        if (!QFileInfo::exists(path))
            continue;
        // Never unloaded: what it made may live as long as the program.
        static std::vector<std::unique_ptr<QLibrary>> loaded;
        auto library = std::make_unique<QLibrary>(path);
        if (const QFunctionPointer function = library->resolve(symbol)) {
            loaded.push_back(std::move(library));
            return function;
        }
        failures << library->errorString();
    }
    logLine(QStringLiteral("The module %1 cannot be loaded: %2")
                .arg(module, failures.isEmpty() ? QStringLiteral("not installed")
                                                : failures.join(QStringLiteral("; "))));
    return nullptr;
}

} // namespace

MakeWebEngine webEngineMaker() {
    static const auto maker =
        reinterpret_cast<MakeWebEngine>(resolve(QStringLiteral("cityguide-web"), makeWebEngineSymbol));
    return maker;
}

MakeClipEngine clipEngineMaker() {
    static const auto maker =
        reinterpret_cast<MakeClipEngine>(resolve(QStringLiteral("cityguide-player"), makeClipEngineSymbol));
    return maker;
}

} // namespace EngineModules
