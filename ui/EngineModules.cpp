#include "ui/EngineModules.h"

#include "platform/Modules.h"

namespace EngineModules {

MakeWebEngine webEngineMaker() {
    static const auto maker = reinterpret_cast<MakeWebEngine>(
        Modules::resolve(QStringLiteral("cityguide-web"), makeWebEngineSymbol));
    return maker;
}

MakeClipEngine clipEngineMaker() {
    static const auto maker = reinterpret_cast<MakeClipEngine>(
        Modules::resolve(QStringLiteral("cityguide-player"), makeClipEngineSymbol));
    return maker;
}

} // namespace EngineModules
