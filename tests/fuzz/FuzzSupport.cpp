#include "tests/fuzz/FuzzSupport.h"

#include "platform/Log.h"

#include <QCoreApplication>
#include <QTemporaryDir>

namespace fuzz {

void ensureApplication() {
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app = [] {
        // A fuzzer reads millions of broken inputs; the readers' log lines would only slow it down.
        qputenv("QT_LOGGING_RULES", "*=false");
        return new QCoreApplication(argc, argv);
    }();
    (void)app;
}

QString scratchFolder() {
    static QTemporaryDir* folder = new QTemporaryDir;
    return folder->path();
}

} // namespace fuzz
