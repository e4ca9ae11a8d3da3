#include "pages/ChapterPage.h"

#include "location/LocationManager.h"
#include "model/DAO.h"
#include "model/ShareData.h"
#include "pages/BookmarkPage.h"
#include "pages/CategoryPage.h"
#include "pages/CurrencyPage.h"
#include "pages/ImprintPage.h"
#include "pages/LiveMap.h"
#include "pages/OfflineMapsPage.h"
#include "pages/PageSupport.h"
#include "pages/Placement.h"
#include "pages/SearchPage.h"
#include "pages/TVPage.h"
#include "pages/WeatherPage.h"
#include "platform/Device.h"
#include "platform/TextValues.h"
#include "ui/Images.h"
#include "ui/NavigationController.h"
#include "ui/ScrollView.h"
#include "ui/Toolbar.h"
#include "ui/Window.h"

namespace {

constexpr int pageHeight = Window::height - Window::statusBarHeight - NavigationBar::height; // 416

Label* infoLabel(View* parent, int x, int y, int width, const QString& text, bool value) {
    auto* label = new Label(QRect(x, y, width, 15), parent);
    label->setFont(value ? Fonts::named(QStringLiteral("Arial-BoldMT"), 11)
                         : Fonts::named(QStringLiteral("ArialMT"), 11));
    label->setTextColor(value ? guideTitleColor() : QColor(Qt::white));
    label->setText(text);
    return label;
}

} // namespace

ChapterPage::ChapterPage(QObject* parent) : ViewController(parent) {}

ChapterPage::~ChapterPage() {
    // The bar items live on the navigation bar, which may outlive this page.
    for (QPointer<View> item :
         {QPointer<View>(titleLabel), QPointer<View>(badge), QPointer<View>(infoButton)}) {
        if (item)
            item->removeFromSuperview();
    }
}

void ChapterPage::loadView() {
    setView(new View(QRect(0, 0, Window::width, pageHeight)));
}

void ChapterPage::viewDidLoad() {
    dao = DAOFactory::getInstance();
    managerModel = readerSettings();
    locationManager = LocationManager::getInstance();

    chapterList = ManagerModel::listEntries(managerModel->orderChapters());

    auto* background = new ImageView(Images::named(QStringLiteral("ChapterPageBackground")));
    background->setImageName(QStringLiteral("ChapterPageBackground"));
    view()->addSubview(background);

    grid = new ScrollView(QRect(5, 63, 320, view()->height() - 63 - 44));
    addInfoPanelToPage();
    addButtonsToPage();
    view()->addSubview(grid);
    initToolbar();
}

void ChapterPage::viewWillAppear(bool) {
    initNavigationBar();
}

void ChapterPage::viewWillDisappear(bool) {
    if (titleLabel)
        titleLabel->removeFromSuperview();
    if (infoButton)
        infoButton->removeFromSuperview();
}

void ChapterPage::initNavigationBar() {
    NavigationController* navigation = navigationController();
    if (!navigation)
        return;
    View* bar = navigation->navigationBar();
    // Built afresh each time: never two of a kind on the bar.
    viewWillDisappear(false);
    removeBadge();

    titleLabel = makeHeaderTitle(managerModel ? managerModel->infoNameLocal() : QString(), guideTitleColor());
    bar->addSubview(titleLabel);
    // The home screen's badge has no action; it is added each time the page comes on screen.
    badge = makeHeaderBadge();
    bar->addSubview(badge);

    auto* info = new Button(QRect(10, 5, 40, 34));
    info->setImage(Images::named(QStringLiteral("Info.png")));
    info->setBackgroundImageName(QStringLiteral("Info.png"));
    connect(info, &Button::touchUpInside, this, [this] { infoTouched(); });
    bar->addSubview(info);
    infoButton = info;
}

void ChapterPage::addInfoPanelToPage() {
    auto* panel = new ImageView(QRect(0, 0, 320, 60), Images::named(QStringLiteral("InfoPanel60.png")));
    panel->setImageName(QStringLiteral("InfoPanel60.png"));
    view()->addSubview(panel);
    const QString currencies = managerModel->userCurrencies();
    struct Pair {
        const char* caption;
        QRect captionFrame;
        QString value;
        QRect valueFrame;
    } pairs[] = {
        {"City Calling Code", {20, 8, 100, 15}, managerModel->infoCityCode(), {120, 8, 40, 15}},
        {"Country Calling Code", {20, 23, 120, 15}, managerModel->infoCountryCode(), {140, 23, 40, 15}},
        {"Airport Code", {20, 38, 75, 15}, managerModel->infoAirportCode(), {95, 38, 90, 15}},
        {"Internet Code", {185, 8, 80, 15}, managerModel->infoInternetCode(), {264, 8, 40, 15}},
        {"Currency", {185, 23, 60, 15}, currencies.left(3), {245, 23, 60, 15}},
        {"Time Zone", {185, 38, 65, 15}, managerModel->infoTimeZone(), {250, 38, 70, 15}},
    };
    for (const Pair& pair : pairs) {
        infoLabel(panel, pair.captionFrame.x(), pair.captionFrame.y(), pair.captionFrame.width(),
                  QString::fromLatin1(pair.caption), false);
        infoLabel(panel, pair.valueFrame.x(), pair.valueFrame.y(), pair.valueFrame.width(), pair.value, true);
    }
}

void ChapterPage::addButtonsToPage() {
    tags.clear();
    for (const QString& entry : std::as_const(chapterList))
        tags.append(entry.section(u':', 0, 0));
    tags << QStringLiteral("Maps") << QStringLiteral("Bookmarks");

    const int n = int(chapterList.size());
    for (int i = 0; i <= n + 1; ++i) {
        QString picture, label;
        if (i < n) {
            picture = chapterList[i].section(u':', 1, 1);
            label = tags[i];
        } else if (i == n) {
            picture = QStringLiteral("Maps.png");
            label = QStringLiteral("Maps");
        } else {
            picture = QStringLiteral("Bookmarks.png");
            label = QStringLiteral("Bookmarks");
        }
        auto* button = new CustomButton(picture, label);
        button->setTag(i);
        button->setFrame(QRect((i % 4) * 76, (i / 4) * 75, 76, 75));
        connect(button, &Button::touchUpInside, this, [this](Button* touched) { categoryTouched(touched); });
        grid->addSubview(button);
    }
    grid->setContentSize(QSize(320, ((n + 1) / 4 + 1) * 75));
}

void ChapterPage::initToolbar() {
    // Without a video feed there is no TV.
    tools = makeToolbar(managerModel->orderChapterTools(), this, this, [this](const QString& toolID) {
        return toolID == u"TV.tool" && managerModel->feedTV().isEmpty();
    });
    view()->addSubview(tools);
}

void ChapterPage::removeBadge() {
    if (badge)
        badge->removeFromSuperview();
}

void ChapterPage::categoryTouched(Button* button) {
    openChapterAt(button->tag());
}

bool ChapterPage::openChapter(const QString& label) {
    const qsizetype index = tags.indexOf(label);
    if (index < 0)
        return false;
    openChapterAt(int(index));
    return true;
}

void ChapterPage::openChapterAt(int tag) {
    if (tag < 0 || tag >= tags.size())
        return;
    const QString label = trimmedText(tags[tag]);
    if (label == u"Metro") {
        QString mapName;
        for (const QString& entry : ManagerModel::listEntries(managerModel->orderMaps())) {
            if (entry.section(u':', 1, 1) == u"MetroMap.png")
                mapName = entry.section(u':', 1, 1);
        }
        removeBadge();
        auto viewer = std::make_unique<MapView>(mapName);
        viewer->setModalTransitionStyle(CrossDissolve);
        presentModalViewController(std::move(viewer), true);
        return;
    }
    if (label == u"Maps") {
        push(std::make_unique<OfflineMapsPage>(managerModel->orderMaps()));
        return;
    }
    if (label == u"Search") {
        push(std::make_unique<SearchPage>(tags[tag]));
        return;
    }
    if (label == u"Bookmarks") {
        push(std::make_unique<BookmarkPage>());
        return;
    }
    const QStringList parts = chapterList.value(tag).split(u':');
    const QString chapterID = parts.value(2).section(u';', 1, 1);
    const QString title = tags[tag];
    const QString imageName = parts.value(1);
    const auto placement = ShareData::sharedInstance()->getCorrespondingPlacement(title);
    // The badge goes only when a page actually opens.
    if (placement) {
        NavigationController* navigation = navigationController();
        if (!navigation)
            return;
        removeBadge();
        // The filling order counts: the venue before the tool bar.
        auto page = std::make_unique<Placement>();
        Placement* shown = page.get();
        navigation->pushViewController(std::move(page), true);
        shown->setVenueID(placement->value(QStringLiteral("venue_id")).toString());
        shown->setChapterID(chapterID);
        shown->setChapterTitle(title);
        shown->initToolbar(Device::contentImageName(placement->value(QStringLiteral("image")).toString()));
        shown->setIdAndImage(title);
        shown->setImageName(imageName);
    } else if (NavigationController* navigation = navigationController()) {
        removeBadge();
        navigation->pushViewController(std::make_unique<CategoryPage>(title, chapterID, imageName), true);
    }
}

void ChapterPage::barButtonItemTouched(CustomBarButtonItem* item) {
    const QString toolID = trimmedText(item->selector());
    if (toolID == u"LiveMap.tool")
        push(LiveMap::initWithUserLocation());
    else if (toolID == u"Currency.tool")
        push(std::make_unique<CurrencyPage>());
    else if (toolID == u"Weather.tool")
        push(std::make_unique<WeatherPage>());
    else if (toolID == u"TV.tool")
        push(std::make_unique<TVPage>());
    else if (toolID == u"Search.page")
        push(std::make_unique<SearchPage>(item->label()->text()));
}

void ChapterPage::push(std::unique_ptr<ViewController> page) {
    if (NavigationController* navigation = navigationController())
        navigation->pushViewController(std::move(page), true);
}

void ChapterPage::infoTouched() {
    removeBadge();
    auto page = std::make_unique<ImprintPage>();
    page->setModalTransitionStyle(FlipHorizontal);
    presentModalViewController(std::move(page), true);
}
