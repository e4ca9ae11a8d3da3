#include "app/ReaderProbe.h"

#include "app/PreviewShell.h"
#include "app/StrollbookAppDelegate.h"
#include "ui/Accessibility.h"
#include "ui/AlertView.h"
#include "ui/Animation.h"
#include "ui/Application.h"
#include "ui/NavigationController.h"
#include "ui/NumberPad.h"
#include "ui/ScrollView.h"
#include "ui/TableView.h"
#include "ui/TextField.h"
#include "ui/TileMapView.h"

#include <QAccessible>
#include <QApplication>
#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLoggingCategory>
#include <QMenu>
#include <QMenuBar>
#include <QMutex>

namespace {

// Off unless asked for (QT_LOGGING_RULES="cityguide.probe.debug=true"): the test that drives the guide
// asks for it; the guide's exit code says the same to anyone else.
Q_LOGGING_CATEGORY(probeLog, "cityguide.probe", QtInfoMsg)

// Qt's warnings of the run, kept for the probe (and still printed as before).
QStringList& warnings() {
    static QStringList list;
    return list;
}
QtMessageHandler previousHandler = nullptr;

void keepWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type != QtDebugMsg && type != QtInfoMsg) {
        static QMutex mutex;
        QMutexLocker lock(&mutex);
        if (warnings().size() < 100)
            warnings().append(message);
    }
    if (previousHandler)
        previousHandler(type, context, message);
}

QJsonObject rectJson(const QRect& rect) {
    return {{u"x"_qs, rect.x()}, {u"y"_qs, rect.y()}, {u"w"_qs, rect.width()}, {u"h"_qs, rect.height()}};
}

QRect globalRect(const QWidget* widget) {
    return QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size());
}

// Every screen of the guide: the stack's pages and what each presents, the top one last.
QList<ViewController*> livePages(NavigationController* navigation) {
    QList<ViewController*> pages;
    auto withModals = [&pages](ViewController* page) {
        for (; page; page = page->modalViewController())
            pages.append(page);
    };
    for (ViewController* page : navigation->viewControllers())
        withModals(page);
    withModals(navigation->modalViewController());
    return pages;
}

// The screen whose view holds the widget, if any.
ViewController* ownerPage(const QList<ViewController*>& pages, const QWidget* widget) {
    for (ViewController* page : pages) {
        if (page->isViewLoaded() && (page->view() == widget || page->view()->isAncestorOf(widget)))
            return page;
    }
    return nullptr;
}

QString nameOf(const QObject* object) {
    return object ? QString::fromLatin1(object->metaObject()->className()) : QString();
}

// Visible, touchable along its whole chain, and not covered by another view at its centre.
bool reachable(QWidget* window, QWidget* control) {
    if (!control->isVisible() || !control->isEnabled())
        return false;
    for (const QWidget* up = control; up && up != window; up = up->parentWidget()) {
        if (up->testAttribute(Qt::WA_TransparentForMouseEvents))
            return false;
    }
    const QPoint centre = control->mapTo(window, control->rect().center());
    if (!window->rect().contains(centre))
        return false;
    QWidget* hit = window->childAt(centre);
    return hit && (hit == control || control->isAncestorOf(hit));
}

QString accessibleName(QWidget* widget) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(QAccessible::Name) : QString();
}

} // namespace

ReaderProbe::ReaderProbe(StrollbookAppDelegate* appDelegate, PreviewShell* previewShell, QObject* parent)
    : QObject(parent), delegate(appDelegate), shell(previewShell) {
    previousHandler = qInstallMessageHandler(keepWarnings);
}

ReaderProbe::~ReaderProbe() {
    qInstallMessageHandler(previousHandler);
}

bool ReaderProbe::listen(const QString& path) {
    server = new QLocalServer(this);
    QLocalServer::removeServer(path);
    if (!server->listen(path)) {
        qCDebug(probeLog).noquote() << "The probe cannot listen at" << path << ":" << server->errorString();
        return false;
    }
    connect(server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* client = server->nextPendingConnection()) {
            connect(client, &QLocalSocket::readyRead, this, [this, client] { answer(client); });
            connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
        }
    });
    return true;
}

void ReaderProbe::answer(QLocalSocket* client) {
    while (client->canReadLine()) {
        const QByteArray line = client->readLine().trimmed();
        QJsonObject reply;
        if (line == "state")
            reply = state();
        else
            reply = {{u"error"_qs, u"unknown request"_qs}};
        client->write(QJsonDocument(reply).toJson(QJsonDocument::Compact) + '\n');
        client->flush();
    }
}

QJsonObject ReaderProbe::state() const {
    QJsonObject out;
    Window* window = delegate->window();
    NavigationController* navigation = delegate->navigationController();
    if (!window || !navigation)
        return {{u"error"_qs, u"no window"_qs}};
    const QList<ViewController*> pages = livePages(navigation);
    ViewController* visible = delegate->visibleViewController();

    out[u"screen"_qs] = rectJson(globalRect(window));
    if (QWidget* top = window->window(); top != window) {
        out[u"toplevel"_qs] = rectJson(QRect(top->mapToGlobal(QPoint(0, 0)), top->size()));
        out[u"toplevelContent"_qs] =
            shell && shell->menuBar()->isVisible()
                ? QJsonValue(rectJson(QRect(shell->centralWidget()->mapToGlobal(QPoint(0, 0)),
                                            top->size() - QSize(0, shell->menuBar()->height()))))
                : QJsonValue();
    }
    out[u"landscape"_qs] = window->isLandscape();
    out[u"page"_qs] = nameOf(visible);
    QJsonArray stack;
    for (ViewController* page : pages)
        stack.append(nameOf(page));
    out[u"pages"_qs] = stack;
    out[u"depth"_qs] = navigation->count();
    out[u"modal"_qs] = visible && visible->parentViewController() != nullptr;
    out[u"quiet"_qs] = Animation::running() == 0 && !navigation->isInTransition();
    if (visible) {
        out[u"wants"_qs] = QJsonObject{{u"statusBarHidden"_qs, visible->prefersStatusBarHidden()},
                                       {u"navigationBarHidden"_qs, visible->prefersNavigationBarHidden()},
                                       {u"turns"_qs, visible->shouldAutorotate()}};
        if (visible->isViewLoaded())
            out[u"pageFrame"_qs] =
                rectJson(QRect(visible->view()->mapTo(window, QPoint(0, 0)), visible->view()->size()));
    }
    NavigationBar* bar = navigation->navigationBar();
    out[u"bars"_qs] =
        QJsonObject{{u"statusBarHidden"_qs, window->isStatusBarHidden()},
                    {u"navigationBarHidden"_qs, navigation->isNavigationBarHidden()},
                    {u"navigationBarShown"_qs, bar->isVisible() && bar->mapTo(window, QPoint(0, 0)).y() >= 0},
                    {u"backButton"_qs, [&] {
                         for (Button* button : bar->findChildren<Button*>())
                             if (button->title() == u"Back" && button->isVisible())
                                 return true;
                         return false;
                     }()}};

    // What the reader could touch.
    QJsonArray controls;
    auto addControl = [&](const QString& kind, const QString& name, const QRect& rect, const QObject* owner,
                          const QString& text = {}) {
        controls.append(QJsonObject{{u"kind"_qs, kind},
                                    {u"name"_qs, name},
                                    {u"text"_qs, text},
                                    {u"rect"_qs, rectJson(rect)},
                                    {u"owner"_qs, nameOf(owner)}});
    };
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (!reachable(window, widget))
            continue;
        ViewController* owner = ownerPage(pages, widget);
        if (auto* button = qobject_cast<Button*>(widget))
            addControl(u"button"_qs, Accessibility::nameOf(button), globalRect(button), owner);
        else if (auto* cell = qobject_cast<TableViewCell*>(widget))
            addControl(u"row"_qs, accessibleName(cell), globalRect(cell), owner);
        else if (auto* field = qobject_cast<TextField*>(widget)) {
            // A field is named by its row, where it has one ("USD, $").
            auto* row = qobject_cast<TableViewCell*>(field->parentWidget());
            addControl(u"field"_qs, row ? accessibleName(row) : field->placeholder(), globalRect(field),
                       owner, field->text());
        } else if (auto* map = qobject_cast<TileMapView*>(widget)) {
            addControl(u"map"_qs, {}, globalRect(map), owner);
            int listed = 0;
            for (const MapAnnotation& pin : map->annotations()) {
                const QPoint at = map->pointFor(pin.latitude, pin.longitude).toPoint();
                // The pin's head stands above its point.
                const QPoint head = at - QPoint(0, 20);
                if (!map->rect().contains(head) || ++listed > 20)
                    continue;
                addControl(u"pin"_qs, pin.title, QRect(map->mapToGlobal(head) - QPoint(4, 4), QSize(9, 9)),
                           owner);
            }
        } else if (qobject_cast<TableView*>(widget) || qobject_cast<ScrollView*>(widget))
            addControl(u"scroll"_qs, {}, globalRect(widget), owner);
    }
    out[u"controls"_qs] = controls;

    // Whatever a screen put up that is still on screen after the screen went.
    QJsonArray strays;
    bool padShown = false;
    for (NumberPad* pad : window->findChildren<NumberPad*>()) {
        if (!pad->isVisible() || !pad->geometry().intersects(window->rect()))
            continue;
        padShown = true;
        ViewController* owner = pad->target() ? ownerPage(pages, pad->target()) : nullptr;
        if (!owner || owner != visible)
            strays.append(u"number pad of %1"_qs.arg(owner ? nameOf(owner) : u"no field"_qs));
    }
    for (AlertView* alert : window->findChildren<AlertView*>()) {
        if (!alert->isVisible())
            continue;
        QObject* context = alert->handlerContext();
        auto* page = qobject_cast<ViewController*>(context);
        if (!context || (page && !pages.contains(page)))
            strays.append(u"alert \"%1\" of a page that left"_qs.arg(alert->title()));
    }
    if (QWidget* focus = QApplication::focusWidget(); focus && window->isAncestorOf(focus)) {
        ViewController* owner = ownerPage(pages, focus);
        if (owner && owner != visible && !focus->isVisible())
            strays.append(u"keyboard focus in %1 below the top page"_qs.arg(nameOf(owner)));
    }
    out[u"strays"_qs] = strays;
    out[u"numberPad"_qs] = padShown;
    if (QWidget* focus = QApplication::focusWidget()) {
        for (QWidget* up = focus; up; up = up->parentWidget())
            if (auto* field = qobject_cast<TextField*>(up))
                out[u"editing"_qs] = field->text();
    }

    if (AlertView* alert = AlertView::visibleAlert())
        out[u"alert"_qs] = QJsonObject{{u"title"_qs, alert->title()}, {u"message"_qs, alert->message()}};

    // The menus of the preview, and the one that is open.
    if (shell) {
        QJsonArray menus;
        QMenuBar* menuBar = shell->menuBar();
        for (QAction* action : menuBar->actions()) {
            const QRect rect = menuBar->actionGeometry(action);
            menus.append(QJsonObject{
                {u"name"_qs, action->text().remove(u'&')},
                {u"rect"_qs, rectJson(QRect(menuBar->mapToGlobal(rect.topLeft()), rect.size()))}});
        }
        out[u"menus"_qs] = menus;
    }
    if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
        QJsonArray items;
        for (QAction* action : menu->actions()) {
            if (action->isSeparator() || !action->isVisible())
                continue;
            const QRect rect = menu->actionGeometry(action);
            items.append(
                QJsonObject{{u"name"_qs, action->text().remove(u'&')},
                            {u"checked"_qs, action->isChecked()},
                            {u"enabled"_qs, action->isEnabled()},
                            {u"submenu"_qs, action->menu() != nullptr},
                            {u"rect"_qs, rectJson(QRect(menu->mapToGlobal(rect.topLeft()), rect.size()))}});
        }
        out[u"openMenu"_qs] = items;
    }
    out[u"dialog"_qs] =
        QApplication::activeModalWidget() ? nameOf(QApplication::activeModalWidget()) : QString();

    out[u"warnings"_qs] = QJsonArray::fromStringList(warnings());
    out[u"opened"_qs] = QJsonArray::fromStringList(Application::openedURLs());
    // A fingerprint of what the screen shows, to tell whether a touch changed anything.
    // (As the screen shows it: no alpha.)
    const QImage picture = window->grab().toImage().convertToFormat(QImage::Format_RGB888);
    out[u"picture"_qs] = QString::fromLatin1(
        QCryptographicHash::hash(QByteArrayView(picture.constBits(), picture.sizeInBytes()),
                                 QCryptographicHash::Md5)
            .toHex());
    return out;
}
