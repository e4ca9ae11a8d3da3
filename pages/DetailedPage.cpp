#include "pages/DetailedPage.h"

#include "catalog/SQLDAL.h"
#include "location/LocationManager.h"
#include "model/Bookmarks.h"
#include "model/DAO.h"
#include "model/ShareData.h"
#include "pages/LiveMap.h"
#include "pages/SearchPage.h"
#include "pages/WebviewPage.h"
#include "platform/Device.h"
#include "platform/Paths.h"
#include "platform/TextValues.h"
#include "ui/Animation.h"
#include "ui/Images.h"
#include "ui/NavigationController.h"

#include <QFile>
#include <QTimer>
#include <QUrl>

namespace {

QFont boldArial(double size) {
    return Fonts::named(QStringLiteral("Arial-BoldMT"), size);
}
QFont arial(double size) {
    return Fonts::named(QStringLiteral("ArialMT"), size);
}

QString withLineBreaks(QString text) {
    return text.replace(QStringLiteral("\\n"), QStringLiteral("\n"));
}

QColor dimBlack() {
    return QColor::fromRgbF(0, 0, 0, 0.5f);
}

// The size a text takes wrapped at a width: its one-line width when that is narrower.
QSize measuredSize(const QFont& font, const QString& text, int width) {
    return QSize(qMin(measureTextWidth(font, text), width), measureWrappedHeight(font, text, width));
}

} // namespace

DetailedPage::DetailedPage(const QString& pageTitle, const QString& name, int venueID)
    : title(pageTitle), venueName(name), identifier(venueID) {}

DetailedPage::~DetailedPage() = default;

void DetailedPage::loadView() {
    setView(new View(QRect(0, 0, 320, 416)));
}

QString DetailedPage::telephoneAddress(const QString& number) {
    QString address = number;
    address.remove(u'(');
    address.prepend(QStringLiteral("tel:"));
    address.remove(u')');
    address.remove(u' ');
    address.remove(u'-');
    address.replace(QStringLiteral("+"), QStringLiteral("00"));
    return address;
}

std::pair<QString, QString> DetailedPage::splitBesidePicture(const QString& description) {
    // Measured at the width of the label beside the picture, so that no word is cut off there.
    const QFont font = arial(14);
    constexpr int besideWidth = 175;
    if (measureWrappedHeight(font, withLineBreaks(description), besideWidth) <= 105)
        return {withLineBreaks(description), QString()};
    QString beside, below;
    bool full = false;
    for (const QString& word : description.split(u' ')) {
        const QString piece = withLineBreaks(word) + u' ';
        if (!full && measureWrappedHeight(font, beside + piece, besideWidth) <= 105)
            beside += piece;
        else {
            full = true;
            below += piece;
        }
    }
    return {beside, below};
}

void DetailedPage::viewDidLoad() {
    readerSettings();
    addPageBackground(view(), ShareData::sharedInstance()->getCorrespondingBKG(title), 416);

    tools = makeToolbar(DAOFactory::getInstance()->dao()->manager()->orderDetailedViewTools(), this, this);
    view()->addSubview(tools);

    overlay.show(QStringLiteral("Loading venue details ..."));
    const int id = identifier;
    const QString name = venueName;
    operationQueue.addOperation([this, self = QPointer<QObject>(this), id, name] {
        const QVariantList loaded = SQLDAL::getVenueDetails(id, name);
        const QString picture = loaded.value(SQLDAL::DetailImage).toString();
        const bool shipped = Images::exists(picture);
        runOnMainThread(self, [this, loaded, shipped] {
            // Text is measured on the user-interface thread, where the fonts live.
            const auto parts = shipped ? splitBesidePicture(loaded.value(SQLDAL::DetailBody).toString())
                                       : std::pair<QString, QString>{};
            details = loaded;
            address = details.value(SQLDAL::DetailAddress).toString();
            phoneNumber = details.value(SQLDAL::DetailPhone).toString();
            phoneNumber2 = details.value(SQLDAL::DetailPhone2).toString();
            webAddress = details.value(SQLDAL::DetailWebsite).toString();
            email = details.value(SQLDAL::DetailEmail).toString();
            gpsLat = details.value(SQLDAL::DetailLatitude).toDouble();
            gpsLong = details.value(SQLDAL::DetailLongitude).toDouble();
            description = details.value(SQLDAL::DetailBody).toString();
            imageName = details.value(SQLDAL::DetailImage).toString();
            venuePrice = details.value(SQLDAL::DetailPriceTextAgain).toString();
            venueDateStart = details.value(SQLDAL::DetailDateStart).toString();
            venueDateStop = details.value(SQLDAL::DetailDateStop).toString();
            venueOpen = details.value(SQLDAL::DetailOpenText).toString();
            identifier = details.value(SQLDAL::DetailRowID).toInt();
            hotelRoomDescription = details.value(SQLDAL::DetailHotelRooms).toString();
            featured = boolValueOfText(details.value(SQLDAL::DetailHighlight).toString());
            venueImageExists = shipped;
            stringForLabel1 = shipped ? parts.first : withLineBreaks(description);
            stringForLabel2 = shipped ? parts.second : QString();
            if (gpsLat == 0 && gpsLong == 0 && tools->items().size() > 5)
                tools->items()[5]->setEnabled(false);
            layoutPage();
        });
    });
}

Label* DetailedPage::addLabel(const QRect& frame, const QFont& font, const QColor& color, const QString& text,
                              int lines) {
    auto* label = new Label(frame);
    label->setFont(font);
    label->setTextColor(color);
    label->setNumberOfLines(lines);
    label->setText(text);
    scroll->addSubview(label);
    return label;
}

// Whether the venue is open now, under its hours; renewed while the page is open.
void DetailedPage::addOpenState(const QFont& font, bool afterInfo) {
    hoursPlace = OpenNow::editionPlace();
    const auto state = OpenNow::venueState(identifier, gpsLat, gpsLong, hoursPlace);
    if (!state)
        return; // no hours, or none the guide can read
    if (afterInfo)
        origin += 5;
    openState = addLabel(QRect(20, origin, 290, 18), font, Qt::white, QString(), 1);
    openState->setObjectName(QStringLiteral("openState"));
    origin += 18;
    showOpenState(*state);
    auto* timer = new QTimer(openState);
    timer->setInterval(5000);
    connect(timer, &QTimer::timeout, this, [this] { renewOpenState(); });
    timer->start();
}

void DetailedPage::renewOpenState() {
    if (!openState)
        return;
    const auto state = OpenNow::venueState(identifier, gpsLat, gpsLong, hoursPlace);
    showOpenState(state.value_or(OpeningHours::State()));
}

void DetailedPage::showOpenState(const OpeningHours::State& state) {
    const bool open = state.kind == OpeningHours::State::Open;
    openState->setTextColor(open ? QColor(0x4c, 0xd9, 0x64) : QColor(0xff, 0x9e, 0x94));
    openState->setText(OpeningHours::stateText(state, Device::now()));
}

View* DetailedPage::addSeparator() {
    auto* line = new View(QRect(0, origin, 320, 1));
    line->setBackgroundColor(dimBlack());
    scroll->addSubview(line);
    return line;
}

void DetailedPage::layoutPage() {
    scroll = new ScrollView(QRect(0, 0, 320, 372));
    origin = 10;

    // Dates: the start, and the stop beside it after "-"; a stop date alone stands at the left.
    const bool hasStart = venueDateStart.size() > 2;
    const bool hasStop = venueDateStop.size() >= 3;
    if (hasStart) {
        const QFont font = boldArial(11);
        const QSize start = measuredSize(font, venueDateStart, 80);
        addLabel(QRect(QPoint(20, origin), start), font, Qt::black, venueDateStart, 1);
        if (hasStop) {
            addLabel(QRect(start.width() + 24, origin, 4, start.height()), font, Qt::black,
                     QStringLiteral("-"), 1);
            const QSize stop = measuredSize(font, venueDateStop, 140);
            addLabel(QRect(QPoint(start.width() + 32, origin), stop), font, Qt::black, venueDateStop, 1);
        }
        origin += start.height();
    } else if (hasStop) {
        const QFont font = boldArial(11);
        const QSize stop = measuredSize(font, venueDateStop, 140);
        addLabel(QRect(QPoint(20, origin), stop), font, Qt::black, venueDateStop, 1);
        origin += stop.height();
    }

    if (featured) {
        auto* badge = new ImageView(Images::named(QStringLiteral("Featured")));
        badge->setImageName(QStringLiteral("Featured"));
        badge->move(280 - badge->width() / 2, 30 - badge->height() / 2);
        scroll->addSubview(badge);
    }

    const QFont nameFont = boldArial(20);
    const int nameWidth = featured ? 225 : 290;
    QSize nameSize = measuredSize(nameFont, venueName, nameWidth);
    nameSize.setHeight(qMin(nameSize.height(), 1000));
    addLabel(QRect(QPoint(20, origin + 5), nameSize), nameFont, Qt::white, venueName, 0);
    origin += nameSize.height() + 5;

    if (measureTextWidth(arial(11), address) < 290) {
        addLabel(QRect(20, origin, 290, 20), boldArial(12), dimBlack(), address, 1);
        origin += 35;
    } else {
        addLabel(QRect(20, origin, 290, 40), boldArial(12), dimBlack(), address, 2);
        origin += 55;
    }

    const QFont bodyFont = arial(14);
    if (!venueImageExists) {
        const int height = measureWrappedHeight(bodyFont, stringForLabel1, 275);
        addLabel(QRect(20, origin, 275, height), bodyFont, Qt::white, stringForLabel1, 0);
        origin += height;
    } else {
        auto* frame =
            new ImageView(QRect(20, origin, 100, 105), Images::named(QStringLiteral("ThumbFrame.png")));
        frame->setImageName(QStringLiteral("ThumbFrame.png"));
        scroll->addSubview(frame);
        auto* picture = new ImageView(QRect(25, origin + 3, 90, 90), Images::named(imageName));
        picture->setImageName(imageName);
        scroll->addSubview(picture);
        Label* beside = addLabel(QRect(130, origin, 175, 100), bodyFont, Qt::white, stringForLabel1, 0);
        beside->setObjectName(QStringLiteral("besidePicture"));
        origin += 102;
        if (stringForLabel2.size() >= 2) {
            const int height = measureWrappedHeight(bodyFont, stringForLabel2, 275);
            Label* below = addLabel(QRect(20, origin, 275, height), bodyFont, Qt::white, stringForLabel2, 0);
            below->setObjectName(QStringLiteral("belowPicture"));
            origin += height;
        }
    }
    origin += 15;

    const QFont infoFont = boldArial(12);
    auto infoText = [&](const QString& text) {
        const int height = measureWrappedHeight(infoFont, text, 290);
        addLabel(QRect(20, origin, 290, height), infoFont, Qt::white, text, 0);
        origin += height;
    };
    if (hotelRoomDescription.size() >= 3)
        infoText(hotelRoomDescription);
    const bool priceShown = venuePrice.size() >= 3;
    if (priceShown)
        infoText(venuePrice);
    if (venueOpen.size() >= 3) {
        if (priceShown)
            origin += 15;
        infoText(venueOpen);
    }
    addOpenState(infoFont, priceShown || venueOpen.size() >= 3);

    origin += 20;
    View* firstSeparator = addSeparator();
    origin += 2;

    struct Action {
        const char* caption;
        const char* image;
        int tag;
        void (DetailedPage::*act)(Button*);
        QString value;
    } actions[] = {
        {"Phone", "Call.png", 1, &DetailedPage::callPhoneNumber, phoneNumber},
        {"Phone", "Call.png", 2, &DetailedPage::callPhoneNumber, phoneNumber2},
        {"Website", "Web.png", 1, &DetailedPage::openWebsite, webAddress},
        {"Email", "Email.png", 0, &DetailedPage::sendEmail, email},
    };
    bool anyAction = false;
    for (const Action& action : actions) {
        if (action.value.size() < 2)
            continue;
        anyAction = true;
        auto* button = new Button(QRect(230, 0, 68, 32));
        button->setBackgroundImage(Images::named(QString::fromLatin1(action.image)));
        button->setBackgroundImageName(QString::fromLatin1(action.image));
        button->setTag(action.tag);
        connect(button, &Button::touchUpInside, this,
                [this, act = action.act](Button* sender) { (this->*act)(sender); });
        addActionRow(infoFont, QString::fromLatin1(action.caption), button, action.value);
    }
    if (gpsLat != 0 || gpsLong != 0) {
        addWalkRow(infoFont);
        anyAction = true;
    }
    if (!anyAction)
        firstSeparator->removeFromSuperview();

    scroll->setContentSize(QSize(320, origin));
    view()->addSubview(scroll);
    tools->raise();
    if (alert)
        alert->raise();
    overlay.hide();
}

// The way there on foot, on the live map: along the streets where the edition has a street network,
// else the straight line.
void DetailedPage::addWalkRow(const QFont& captionFont) {
    auto* button = new Button(QRect(230, 0, 68, 32));
    button->setBackgroundColor(QColor(35, 120, 230));
    button->setTitle(QStringLiteral("Walk"));
    button->setTitleColor(Qt::white);
    button->setTitleFont(Fonts::boldSystem(14));
    button->setAccessibleName(QStringLiteral("Walk there"));
    connect(button, &Button::touchUpInside, this, [this] {
        if (NavigationController* navigation = navigationController())
            navigation->pushViewController(LiveMap::initWithWalkTo(gpsLat, gpsLong, venueName, title), true);
    });
    walkButton = button;
    addActionRow(captionFont, QStringLiteral("On foot"), button, QStringLiteral("Walk there"));
}

// A row of the actions: the caption over the value, the button at the right, a line below.
void DetailedPage::addActionRow(const QFont& captionFont, const QString& caption, Button* button,
                                const QString& value) {
    origin += 10;
    addLabel(QRect(20, origin, 200, 16), captionFont, dimBlack(), caption, 1);
    button->move(230, origin + 4);
    scroll->addSubview(button);
    origin += 16;
    addLabel(QRect(20, origin, 210, 20), arial(15), Qt::white, value, 1);
    origin += 32;
    addSeparator();
    origin += 2;
}

void DetailedPage::viewWillAppear(bool) {
    header.build(navigationController(), title, chapterColor(title), this, [this] { linkTouched(); });
}

void DetailedPage::viewWillDisappear(bool) {
    header.remove();
    LocationManager::getInstance()->setLocationDelegate(nullptr);
}

void DetailedPage::linkTouched() {
    header.removeBadge();
    if (NavigationController* navigation = navigationController())
        navigation->popToRootViewControllerAnimated(true);
}

void DetailedPage::callPhoneNumber(Button* sender) {
    callOrTell(telephoneAddress(sender->tag() == 2 ? phoneNumber2 : phoneNumber), this);
}

void DetailedPage::openWebsite(Button*) {
    auto page = std::make_unique<WebviewPage>(webAddress);
    page->setModalTransitionStyle(CrossDissolve);
    presentModalViewController(std::move(page), true);
}

void DetailedPage::sendEmail(Button*) {
    writeMailOrTell(email, QString(), this);
}

void DetailedPage::barButtonItemTouched(CustomBarButtonItem* item) {
    const QString tool = trimmedText(item->selector());
    if (tool == u"LiveMap.tool") {
        if (NavigationController* navigation = navigationController())
            navigation->pushViewController(
                LiveMap::initWithVenueLocationAndName(gpsLat, gpsLong, venueName, title), true);
    } else if (tool == u"Search.page") {
        if (NavigationController* navigation = navigationController())
            navigation->pushViewController(std::make_unique<SearchPage>(item->label()->text()), true);
    } else if (tool == u"Bookmark.tool") {
        if (alert)
            alert->removeFromSuperview();
        // Success is told only when the bookmark was written.
        const bool added = Bookmarks::add(venueName);
        auto* strip = new QnAlertLabel(QRect(0, 372, 320, 20),
                                       added ? QStringLiteral("Venue succesfully added to bookmarks")
                                             : QStringLiteral("The bookmark could not be saved"));
        strip->setStartPosition(QRect(0, 372, 320, 20));
        strip->setEndPosition(QRect(0, 352, 320, 20));
        view()->addSubview(strip); // over the tool bar as it rises
        alert = strip;
        strip->showAlert();
        QPointer<QnAlertLabel> shown(strip);
        Timers::once(2000, this, [shown] {
            if (shown)
                shown->hideAlert();
        });
    }
}
