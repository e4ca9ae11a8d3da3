#include "app/ScreenTour.h"

#include "app/StrollbookAppDelegate.h"

#include <QApplication>
#include <QDir>
#include <QTimer>

ScreenTour::ScreenTour(StrollbookAppDelegate* appDelegate, const QString& target)
    : delegate(appDelegate), folder(target) {}

bool ScreenTour::shoot(const QString& name) {
    const QString path = QDir(folder).filePath(name + QStringLiteral(".png"));
    const bool ok = delegate->window()->grab().save(path);
    if (!ok) {
        failed = true;
        qWarning("cannot write %s", qPrintable(path));
    }
    return ok;
}

void ScreenTour::start() {
    QDir().mkpath(folder);
    // Half-way through the fade of the start-up picture.
    QTimer::singleShot(2000, this, [this] { shoot(QStringLiteral("01-startup-fade")); });
    connect(delegate, &StrollbookAppDelegate::startupFinished, this, [this] {
        QTimer::singleShot(100, this, [this] {
            shoot(QStringLiteral("02-home"));
            QApplication::exit(failed ? 1 : 0);
        });
    });
}
