#include "pages/SearchText.h"

#include <QMutex>

namespace {
QMutex mutex;
QString last;
} // namespace

namespace SearchText {

QString get() {
    QMutexLocker lock(&mutex);
    return last;
}

void set(const QString& text) {
    QMutexLocker lock(&mutex);
    last = text;
}

} // namespace SearchText
