#include "app/StrollbookAppDelegate.h"

#include "catalog/SQLDAL.h"
#include "location/LocationManager.h"
#include "pages/ChapterPage.h"
#include "pages/SearchPage.h"
#include "pages/SearchText.h"
#include "platform/Device.h"
#include "platform/TextValues.h"
#include "platform/UserDefaults.h"
#include "ui/Accessibility.h"
#include "ui/AlertView.h"
#include "ui/Animation.h"
#include "ui/Images.h"
#include "ui/NavigationController.h"

#include <QShortcut>

namespace {
QPointer<StrollbookAppDelegate> shared;
}

StrollbookAppDelegate::StrollbookAppDelegate(QObject* parent) : QObject(parent) {
    shared = this;
}

StrollbookAppDelegate::~StrollbookAppDelegate() {
    // The window's views belong to the screens: the screens go first.
    navigation.reset();
    windowObject.reset();
}

StrollbookAppDelegate* StrollbookAppDelegate::sharedDelegate() {
    return shared;
}

void StrollbookAppDelegate::applicationDidFinishLaunching() {
    // Before the first control exists: Qt keeps the interface it first made for each.
    Accessibility::install();
    // The full-screen pictures of the start take longest to decode: the home screen's and the
    // start-up picture are decoded in the background while the window background, the catalogue
    // and the settings are read here.
    Images::preload({QStringLiteral("ChapterPageBackground"), QStringLiteral("Default")});
    Fonts::preload({Fonts::boldSystem(20), Fonts::boldSystem(10), Fonts::boldSystem(9), Fonts::system(12),
                    Fonts::named(QStringLiteral("ArialMT"), 11),
                    Fonts::named(QStringLiteral("Arial-BoldMT"), 11)});
    locationManager = LocationManager::getInstance();
    setSearchText(QString::fromLatin1(""));
    windowObject = std::make_unique<TKShakeWindow>(windowHost);
    windowObject->setDelegate(this);
    showChapters();

    auto* startPicture = new ImageView(Images::named(QStringLiteral("Default")));
    startPicture->setImageName(QStringLiteral("Default"));
    // A picture over the home screen while it fades: touches go through to the home screen.
    startPicture->setUserInteractionEnabled(false);
    windowObject->addSubview(startPicture);
    windowObject->bringSubviewToFront(startPicture);
    splashViewObject = startPicture;
    Animation::animate(startPicture, 4000, std::nullopt, 0.0, [this] { startupAnimationDone(); });

    windowObject->makeKeyAndVisible();
    windowObject->setFocus();
    addKeyboardShortcuts();
}

void StrollbookAppDelegate::addKeyboardShortcuts() {
    // Escape goes back one page (or closes what is shown over the pages); Ctrl+F opens the search.
    auto* back = new QShortcut(QKeySequence(Qt::Key_Escape), windowObject.get());
    back->setContext(Qt::WindowShortcut);
    QObject::connect(back, &QShortcut::activated, windowObject.get(), [this] {
        NavigationController* navigation = navigationController();
        if (!navigation || AlertView::visibleAlert())
            return;
        for (ViewController* presenting :
             {static_cast<ViewController*>(navigation), navigation->topViewController()}) {
            if (presenting && presenting->modalViewController()) {
                presenting->dismissModalViewControllerAnimated(true);
                return;
            }
        }
        if (navigation->viewControllers().size() > 1)
            navigation->popViewControllerAnimated(true);
    });
    auto* search = new QShortcut(QKeySequence::Find, windowObject.get());
    search->setContext(Qt::WindowShortcut);
    QObject::connect(search, &QShortcut::activated, windowObject.get(), [this] {
        NavigationController* navigation = navigationController();
        if (!navigation || AlertView::visibleAlert() ||
            qobject_cast<SearchPage*>(navigation->topViewController()))
            return;
        navigation->pushViewController(std::make_unique<SearchPage>(QStringLiteral("Search")), true);
    });
}

void StrollbookAppDelegate::showChapters() {
    const QString backgroundName =
        Device::systemVersionNumber() < 4.0 ? QStringLiteral("Background.png") : QStringLiteral("Background");
    auto* background = new ImageView(Images::named(backgroundName));
    background->setImageName(backgroundName);
    windowObject->addSubview(background);
    splashObject = background;

    navigation = std::make_unique<NavigationController>(std::make_unique<ChapterPage>());
    windowObject->setStatusBarHidden(false, true);
    SQLDAL::connectToDatabase();
    navigation->view(); // loads the bar and the home screen
    NavigationBar* bar = navigation->navigationBar();
    bar->setBarStyle(NavigationBar::Black);
    auto* barPicture = new ImageView(Images::named(QStringLiteral("NavigationBar.png")));
    barPicture->setImageName(QStringLiteral("NavigationBar.png"));
    bar->addSubview(barPicture);
    // Items the home screen put on the bar while loading stay above the picture.
    const QObjectList onBar = bar->children(); // a copy: raising reorders the list
    for (QObject* child : onBar) {
        if (auto* widget = qobject_cast<QWidget*>(child); widget && widget != barPicture)
            widget->raise();
    }
    View* stack = navigation->view();
    stack->setGeometry(windowObject->applicationFrame());
    windowObject->addSubview(stack);
}

QString StrollbookAppDelegate::searchText() const {
    return SearchText::get();
}

void StrollbookAppDelegate::setSearchText(const QString& text) {
    SearchText::set(text);
}

void StrollbookAppDelegate::startupAnimationDone() {
    if (splashViewObject)
        splashViewObject->removeFromSuperview();
    emit startupFinished();
}

void StrollbookAppDelegate::popNavigationController() {
    const QString shake = UserDefaults::standardUserDefaults().stringForKey(QStringLiteral("shake"));
    if (!shake.isNull() && !boolValueOfText(shake))
        return;
    // What a page presented over the stack (a clip, a map picture, the imprint) goes with it, so
    // that the home screen is the one of a fresh start.
    QList<ViewController*> presenters = navigation->viewControllers();
    presenters.append(navigation.get());
    for (ViewController* presenting : std::as_const(presenters)) {
        if (presenting->modalViewController())
            presenting->dismissModalViewControllerAnimated(false);
    }
    navigation->popToRootViewControllerAnimated(true);
}

ViewController* StrollbookAppDelegate::visibleViewController() const {
    return navigation ? navigation->visibleViewController() : nullptr;
}

void StrollbookAppDelegate::deviceTurned(bool landscape) {
    ViewController* shown = visibleViewController();
    if (!windowObject || !shown || windowObject->isLandscape() == landscape)
        return;
    if (landscape && !shown->shouldAutorotate())
        return;
    windowObject->setLandscape(landscape);
    shown->willRotate(landscape);
}
