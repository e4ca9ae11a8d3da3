// Writes the synthetic 100,000-venue edition into a folder: cityguide-synthetic-edition OUT

#include "bench/SyntheticEdition.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: cityguide-synthetic-edition OUT\n");
        return 2;
    }
    QString error;
    if (!SyntheticEdition::ensure(QString::fromLocal8Bit(argv[1]), {}, &error)) {
        std::fprintf(stderr, "%s\n", error.toUtf8().constData());
        return 1;
    }
    return 0;
}
