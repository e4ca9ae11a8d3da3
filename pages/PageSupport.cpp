#include "pages/PageSupport.h"

#include "location/LocationManager.h"
#include "model/ManagerModel.h"
#include "model/ShareData.h"
#include "pages/DetailedPage.h"
#include "pages/LiveMap.h"
#include "platform/Log.h"
#include "platform/TextValues.h"
#include "ui/AlertView.h"
#include "ui/Application.h"
#include "ui/Images.h"
#include "ui/MailComposer.h"
#include "ui/NavigationController.h"
#include "ui/Toolbar.h"
#include "ui/Window.h"
#include "views/CustomControls.h"

Label* makeHeaderTitle(const QString& text, const QColor& color) {
    auto* label = new Label(QRect(80, 0, 160, 44));
    label->setText(text);
    label->setTextAlignment(Qt::AlignCenter);
    label->setFont(Fonts::boldSystem(20));
    label->setTextColor(color);
    label->setShadow(headerShadowColor(), QPoint(0, -1));
    return label;
}

Button* makeHeaderBadge() {
    auto* button = new Button(QRect(250, 11, 60, 22));
    button->setBackgroundImage(Images::named(QStringLiteral("SBKBadge.png")));
    button->setBackgroundImageName(QStringLiteral("SBKBadge.png"));
    return button;
}

void PageHeader::build(NavigationController* navigation, const QString& text, const QColor& color,
                       QObject* context, std::function<void()> linkTouched) {
    remove();
    if (!navigation)
        return;
    View* bar = navigation->navigationBar();
    Label* label = makeHeaderTitle(text, color);
    bar->addSubview(label);
    title = label;

    Button* button = makeHeaderBadge();
    QObject::connect(button, &Button::touchUpInside, context, [linkTouched] { linkTouched(); });
    bar->addSubview(button);
    badge = button;
}

void PageHeader::remove() {
    if (title)
        title->removeFromSuperview();
    removeBadge();
}

void PageHeader::removeBadge() {
    if (badge)
        badge->removeFromSuperview();
}

QColor chapterColor(const QString& title) {
    const ShareData::Color color = ShareData::sharedInstance()->getCorrespondingColor(title);
    return QColor::fromRgbF(float(color.red), float(color.green), float(color.blue), float(color.alpha));
}

void LoadingOverlay::show(const QString& text) {
    hide();
    Window* window = Window::keyWindow();
    if (!window)
        return;
    auto* dim = new View(QRect(0, 0, Window::width, Window::height));
    dim->setBackgroundColor(QColor::fromRgbF(0, 0, 0, 0.2f)); // takes every touch while it lies there
    window->addOverlay(dim);
    layer = dim;
    if (!text.isEmpty()) {
        auto* progress = new Label(QRect(0, 258, 320, 30));
        progress->setText(text);
        progress->setTextAlignment(Qt::AlignCenter);
        progress->setTextColor(Qt::white);
        progress->setAlpha(0.7);
        window->addOverlay(progress);
        label = progress;
    }
    auto* wheel = new ActivityIndicator(QRect(142, 222, 36, 36));
    window->addOverlay(wheel);
    wheel->startAnimating();
    indicator = wheel;
}

void LoadingOverlay::hide() {
    if (indicator)
        indicator->stopAnimating();
    for (QPointer<View> view : {QPointer<View>(layer), QPointer<View>(label), QPointer<View>(indicator)}) {
        if (view)
            view->removeFromSuperview();
    }
    layer = nullptr;
    label = nullptr;
    indicator = nullptr;
}

void openVenueDetail(NavigationController* navigation, const QString& title, const QString& venueName,
                     int venueID) {
    if (navigation)
        navigation->pushViewController(std::make_unique<DetailedPage>(title, venueName, venueID), true);
}

void openLiveMapWithVenues(NavigationController* navigation, const VenueList& venues,
                           const QString& category) {
    if (navigation)
        navigation->pushViewController(LiveMap::initWithVenues(venues, category), true);
}

CustomBarButtonItem* toolNamed(Toolbar* bar, const QString& id) {
    for (BarButtonItem* item : bar ? bar->items() : QList<BarButtonItem*>()) {
        if (auto* custom = qobject_cast<CustomBarButtonItem*>(item);
            custom && custom->selector().trimmed() == id)
            return custom;
    }
    return nullptr;
}

Toolbar* makeToolbar(const QString& setting, CustomBarButtonItemDelegate* delegate, QObject* owner,
                     const std::function<bool(const QString& toolID)>& leaveOut) {
    auto* tools = new Toolbar(QRect(0, 372, 320, 44));
    tools->setBarStyle(Toolbar::BlackTranslucent);
    BarButtonItem* space = BarButtonItem::flexibleSpace(owner);
    QList<BarButtonItem*> items{space};
    const bool servicesOn = LocationManager::getInstance()->locationServicesAreEnabled();
    const QStringList entries = ManagerModel::listEntries(setting);
    for (int index = 0; index < entries.size(); ++index) {
        const QStringList parts = entries[index].split(u':');
        if (parts.size() < 3 || (leaveOut && leaveOut(trimmedText(parts[2]))))
            continue;
        auto* item =
            new CustomBarButtonItem(parts[1].trimmed(), trimmedText(parts[0]), index, parts[2], owner);
        item->setDelegate(delegate, owner);
        if (!servicesOn && trimmedText(parts[2]) == u"LiveMap.tool")
            item->setEnabled(false);
        items << item << space;
    }
    tools->setItems(items);
    return tools;
}

ImageView* addPageBackground(View* page, const QString& name, int height) {
    auto* background = new ImageView(QRect(0, 0, 320, height), Images::named(name));
    background->setImageName(name);
    page->addSubview(background);
    return background;
}

namespace {

// An alert of the page (context) that only tells.
void tell(const QString& title, const QString& message, QObject* context) {
    auto* alert = new AlertView(title, message, QStringLiteral("OK"), {});
    alert->setHandler(context, [](int) {});
    alert->show();
}

} // namespace

void callOrTell(const QString& telephoneAddress, QObject* context) {
    if (!Application::openURL(QUrl(telephoneAddress)))
        tell(QStringLiteral("No telephone"),
             QStringLiteral("This device cannot make calls. The number is %1.")
                 .arg(QUrl(telephoneAddress).path()),
             context);
}

void writeMailOrTell(const QString& recipient, const QString& subject, QObject* context,
                     std::function<void()> finished) {
    MailComposer::compose({recipient}, subject, context,
                          [recipient, context, finished = std::move(finished)](MailComposer::Result result) {
                              if (result == MailComposer::Result::Failed)
                                  tell(QStringLiteral("No mail program"),
                                       QStringLiteral("No mail program is set up on this device. Write to "
                                                      "%1 from another one.")
                                           .arg(recipient),
                                       context);
                              if (finished)
                                  finished();
                          });
}
