#include "app/PreviewShell.h"

#include "app/StrollbookAppDelegate.h"
#include "location/LocationManager.h"
#include "model/ShareData.h"
#include "pages/OpenNow.h"
#include "platform/Device.h"
#include "platform/HttpClient.h"
#include "platform/PositionSource.h"
#include "platform/UserDefaults.h"
#include "ui/Window.h"

#include <QActionGroup>
#include <QDateTimeEdit>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QInputDialog>
#include <QLayout>
#include <QMenuBar>
#include <QTimeZone>

#include <memory>
#include <utility>

PreviewShell::PreviewShell(SimulatedPositionSource* source) : position(source) {
    setWindowTitle(QStringLiteral("City guide"));
    buildMenus();
    // The window is always just the menu bar over the screen: it follows the screen as it turns.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void PreviewShell::buildMenus() {
    QMenu* device = menuBar()->addMenu(QStringLiteral("&Device"));
    QAction* shake = device->addAction(QStringLiteral("Shake"));
    shake->setShortcut(Window::shakeShortcut());
    shake->setShortcutContext(Qt::ApplicationShortcut);
    connect(shake, &QAction::triggered, this, [this] {
        if (delegate && delegate->window())
            delegate->window()->motionBegan();
    });
    // Pages that allow it turn to landscape and back; the others stay upright.
    QAction* rotate = device->addAction(QStringLiteral("Rotate"));
    rotate->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Left), QKeySequence(Qt::CTRL | Qt::Key_Right)});
    connect(rotate, &QAction::triggered, this, [this] {
        if (delegate && delegate->window())
            delegate->deviceTurned(!delegate->window()->isLandscape());
    });
    // Switched off, every request fails as on a phone without network, so the offline paths show.
    QAction* network = device->addAction(QStringLiteral("Network available"));
    network->setCheckable(true);
    network->setChecked(HttpClient::networkAvailable());
    connect(network, &QAction::toggled, this, [](bool on) { HttpClient::setNetworkAvailable(on); });
    device->addSeparator();
    // To see which venues are open on Sunday at 8 am, as a reader would then.
    connect(device->addAction(QStringLiteral("Clock...")), &QAction::triggered, this, [this] { askClock(); });
    connect(device->addAction(QStringLiteral("Clock at the real time")), &QAction::triggered, this,
            [] { Device::resetClock(); });
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

    // The menu shows where the phone is; a choice moves it there at once.
    QMenu* location = menuBar()->addMenu(QStringLiteral("&Location"));
    modes = new QActionGroup(location);
    auto mode = [&](const QString& text, void (PreviewShell::*choose)()) {
        QAction* action = location->addAction(text);
        action->setCheckable(true);
        modes->addAction(action);
        connect(action, &QAction::triggered, this, choose);
        return action;
    };
    mode(QStringLiteral("City centre"), &PreviewShell::setCityCentre);
    mode(QStringLiteral("Position..."), &PreviewShell::askPosition);
    mode(QStringLiteral("No position"), &PreviewShell::clearPosition);
    mode(QStringLiteral("Replay NMEA log..."), &PreviewShell::replayLog);
    location->addSeparator();
    QAction* off = location->addAction(QStringLiteral("Location services off"));
    off->setCheckable(true);
    off->setChecked(!position->locationServicesEnabled());
    connect(off, &QAction::toggled, this, [this](bool checked) {
        position->setLocationServicesEnabled(!checked);
        moved();
    });
    showLocationMode();

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

void PreviewShell::setEditionClock(const QDateTime& local) {
    const QTimeZone zone(OpenNow::editionPlace().timeZone.toUtf8());
    Device::setClock(QDateTime(local.date(), local.time(), zone));
}

void PreviewShell::askClock() {
    const QTimeZone zone(OpenNow::editionPlace().timeZone.toUtf8());
    const QDateTime shown = Device::now().toTimeZone(zone);
    QDialog dialog(this);
    dialog.setWindowTitle(QStringLiteral("Clock"));
    auto* form = new QFormLayout(&dialog);
    auto* edit = new QDateTimeEdit(QDateTime(shown.date(), shown.time()), &dialog);
    edit->setDisplayFormat(QStringLiteral("ddd yyyy-MM-dd HH:mm"));
    edit->setCalendarPopup(true);
    form->addRow(QStringLiteral("The city's time (%1):").arg(QString::fromUtf8(zone.id())), edit);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);
    if (dialog.exec() == QDialog::Accepted)
        setEditionClock(edit->dateTime());
}

void PreviewShell::setPreference(const QString& key, const QString& value) {
    UserDefaults::standardUserDefaults().setObject(key, value);
}

void PreviewShell::setCityCentre() {
    const auto centre = ShareData::sharedInstance()->defaultGPSPosition();
    if (centre)
        standAt(PositionFix{centre->latitude, centre->longitude, 10, {}});
    showLocationMode();
}

void PreviewShell::clearPosition() {
    stopReplay();
    position->setFix(std::nullopt);
    // The phone no longer knows where it is: lists opened from now on wait for a position.
    LocationManager::getInstance()->setUserLocation(std::nullopt);
    moved();
    showLocationMode();
}

void PreviewShell::standAt(const PositionFix& fix) {
    stopReplay();
    position->setFix(fix);
    moved();
}

void PreviewShell::moved() {
    LocationManager::getInstance()->updateLocation();
}

void PreviewShell::stopReplay() {
    if (replay)
        replay->deleteLater();
    replay = nullptr;
}

QString PreviewShell::locationMode() const {
    if (replay)
        return QStringLiteral("Replay NMEA log...");
    const auto fix = position->currentFix();
    if (!fix)
        return QStringLiteral("No position");
    const auto centre = ShareData::sharedInstance()->defaultGPSPosition();
    if (centre && fix->latitude == centre->latitude && fix->longitude == centre->longitude)
        return QStringLiteral("City centre");
    return QStringLiteral("Position...");
}

void PreviewShell::showLocationMode() {
    const QString current = locationMode();
    for (QAction* action : modes->actions())
        action->setChecked(action->text() == current);
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
        standAt(PositionFix{lat, lon, 10, {}});
    showLocationMode();
}

void PreviewShell::replayLog() {
    const QString path =
        QFileDialog::getOpenFileName(this, QStringLiteral("NMEA log"), {},
                                     QStringLiteral("NMEA logs (*.nmea *.log *.txt);;All files (*)"));
    if (!path.isEmpty())
        replayLog(path);
    showLocationMode();
}

void PreviewShell::replayLog(const QString& path) {
    stopReplay();
    replay = new QtPositionSource(path, this);
    auto first = std::make_shared<bool>(true);
    connect(replay, &PositionSource::didUpdateToLocation, this, [this, first](const PositionFix& fix) {
        PositionFix standing = fix;
        standing.timestamp = {};
        position->setFix(standing);
        // The walk starts here; later fixes reach the lists as the phone's would, when they renew.
        if (std::exchange(*first, false))
            moved();
    });
    replay->startUpdatingLocation();
    showLocationMode();
}
