#include "app/PreviewShell.h"

#include "app/StrollbookAppDelegate.h"
#include "model/ShareData.h"
#include "platform/Device.h"
#include "platform/PositionSource.h"
#include "platform/UserDefaults.h"

#include <QActionGroup>
#include <QFileDialog>
#include <QInputDialog>
#include <QMenuBar>

PreviewShell::PreviewShell(SimulatedPositionSource* source) : position(source) {
    setWindowTitle(QStringLiteral("City guide"));
    buildMenus();
}

void PreviewShell::buildMenus() {
    QMenu* device = menuBar()->addMenu(QStringLiteral("&Device"));
    QAction* shake = device->addAction(QStringLiteral("Shake"));
    shake->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+Z")));
    connect(shake, &QAction::triggered, this, [this] {
        if (delegate && delegate->window())
            delegate->window()->motionBegan();
    });
    device->addSeparator();
    QAction* version = device->addAction(QStringLiteral("System version..."));
    connect(version, &QAction::triggered, this, [this] {
        bool ok = false;
        const QString text =
            QInputDialog::getText(this, QStringLiteral("System version"),
                                  QStringLiteral("Version (read at the next start of a screen):"),
                                  QLineEdit::Normal, Device::systemVersion(), &ok);
        if (ok && !text.trimmed().isEmpty()) {
            Device::setSystemVersion(text.trimmed());
            UserDefaults::standardUserDefaults().setObject(QStringLiteral("preview.systemVersion"),
                                                           text.trimmed());
        }
    });

    QMenu* location = menuBar()->addMenu(QStringLiteral("&Location"));
    connect(location->addAction(QStringLiteral("City centre")), &QAction::triggered, this,
            [this] { setCityCentre(); });
    connect(location->addAction(QStringLiteral("Position...")), &QAction::triggered, this,
            [this] { askPosition(); });
    connect(location->addAction(QStringLiteral("No position")), &QAction::triggered, this,
            [this] { position->setFix(std::nullopt); });
    QAction* off = location->addAction(QStringLiteral("Location services off"));
    off->setCheckable(true);
    off->setChecked(!position->locationServicesEnabled());
    connect(off, &QAction::toggled, this,
            [this](bool checked) { position->setLocationServicesEnabled(!checked); });
    connect(location->addAction(QStringLiteral("Replay NMEA log...")), &QAction::triggered, this,
            [this] { replayLog(); });

    QMenu* settings = menuBar()->addMenu(QStringLiteral("&Settings"));
    const UserDefaults& defaults = UserDefaults::standardUserDefaults();
    auto choice = [&](const QString& key, const QString& label, const QStringList& names) {
        QMenu* menu = settings->addMenu(label);
        auto* group = new QActionGroup(menu);
        const int current = defaults.integerForKey(key);
        for (int value = 0; value < names.size(); ++value) {
            QAction* action = menu->addAction(names[value]);
            action->setCheckable(true);
            action->setChecked(value == current);
            group->addAction(action);
            connect(action, &QAction::triggered, this,
                    [this, key, value] { setPreference(key, QString::number(value)); });
        }
    };
    choice(QStringLiteral("distance"), QStringLiteral("Distance"),
           {QStringLiteral("Metric"), QStringLiteral("Imperial")});
    choice(QStringLiteral("temp"), QStringLiteral("Temperature"),
           {QStringLiteral("Celsius"), QStringLiteral("Fahrenheit")});
    QAction* shakeHome = settings->addAction(QStringLiteral("Shake returns to the home screen"));
    shakeHome->setCheckable(true);
    const QString shakeValue = defaults.stringForKey(QStringLiteral("shake"));
    shakeHome->setChecked(shakeValue.isNull() || shakeValue != u"0");
    connect(shakeHome, &QAction::toggled, this, [this](bool on) {
        setPreference(QStringLiteral("shake"), on ? QStringLiteral("1") : QStringLiteral("0"));
    });
}

void PreviewShell::setPreference(const QString& key, const QString& value) {
    UserDefaults::standardUserDefaults().setObject(key, value);
}

void PreviewShell::setCityCentre() {
    const auto centre = ShareData::sharedInstance()->defaultGPSPosition();
    if (centre)
        position->setFix(PositionFix{centre->latitude, centre->longitude, 10, {}});
}

void PreviewShell::askPosition() {
    bool ok = false;
    const QString text = QInputDialog::getText(this, QStringLiteral("Position"),
                                               QStringLiteral("Latitude, longitude in degrees:"),
                                               QLineEdit::Normal, QStringLiteral("48.2085, 16.3731"), &ok);
    if (!ok)
        return;
    const QStringList parts = text.split(u',');
    bool latOk = false, lonOk = false;
    const double lat = parts.value(0).trimmed().toDouble(&latOk);
    const double lon = parts.value(1).trimmed().toDouble(&lonOk);
    if (parts.size() == 2 && latOk && lonOk && qAbs(lat) <= 90 && qAbs(lon) <= 180)
        position->setFix(PositionFix{lat, lon, 10, {}});
}

void PreviewShell::replayLog() {
    const QString path =
        QFileDialog::getOpenFileName(this, QStringLiteral("NMEA log"), {},
                                     QStringLiteral("NMEA logs (*.nmea *.log *.txt);;All files (*)"));
    if (path.isEmpty())
        return;
    if (replay)
        replay->deleteLater();
    replay = new QtPositionSource(path, this);
    connect(replay, &PositionSource::didUpdateToLocation, this, [this](const PositionFix& fix) {
        PositionFix standing = fix;
        standing.timestamp = {};
        position->setFix(standing);
    });
    replay->startUpdatingLocation();
}
