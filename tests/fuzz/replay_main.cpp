// Replays the inputs of a fuzz target's corpus (files or folders named on the command line) through
// the target without the fuzzer, so that every input that once crashed or hung a target stays a
// regression test of the normal build.

#include "tests/fuzz/FuzzSupport.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

int main(int argc, char** argv) {
    int inputs = 0;
    for (int i = 1; i < argc; ++i) {
        QStringList files;
        const QString path = QString::fromLocal8Bit(argv[i]);
        if (QFileInfo(path).isDir()) {
            QDirIterator it(path, QDir::Files, QDirIterator::Subdirectories);
            while (it.hasNext())
                files.append(it.next());
            files.sort();
        } else {
            files.append(path);
        }
        for (const QString& file : std::as_const(files)) {
            QFile input(file);
            if (!input.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "%s: cannot be read\n", qPrintable(file));
                return 1;
            }
            const QByteArray bytes = input.readAll();
            QElapsedTimer timer;
            timer.start();
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()));
            // A hang is a finding too: no input may keep a reader busy for long.
            if (timer.elapsed() > 5000) {
                std::fprintf(stderr, "%s: took %lld ms\n", qPrintable(file), timer.elapsed());
                return 1;
            }
            ++inputs;
        }
    }
    std::printf("%d inputs replayed\n", inputs);
    return inputs > 0 ? 0 : 1;
}
