#include "platform/Modules.h"

#include "platform/Log.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <memory>
#include <mutex>
#include <vector>

namespace Modules {

namespace {

QStringList moduleFolders() {
    return {
        QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/" GUIDE_MODULES_RELATIVE)),
        QStringLiteral(GUIDE_BUILD_MODULES_DIR)};
}

} // namespace

QFunctionPointer resolve(const QString& module, const char* symbol) {
    static std::mutex guard;
    const std::lock_guard<std::mutex> lock(guard);
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

} // namespace Modules
