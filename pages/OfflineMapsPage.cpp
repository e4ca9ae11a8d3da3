#include "pages/OfflineMapsPage.h"

#include "model/ManagerModel.h"
#include "platform/Log.h"
#include "platform/Paths.h"
#include "ui/Images.h"
#include "ui/NavigationController.h"
#include "ui/Window.h"
#include "views/CustomControls.h"

#include <QMouseEvent>

OfflineMapsPage::OfflineMapsPage(const QString& mapList) : maps(mapList) {}

OfflineMapsPage::~OfflineMapsPage() = default;

void OfflineMapsPage::loadView() {
    setView(new View(QRect(0, 0, 320, 416)));
}

void OfflineMapsPage::viewDidLoad() {
    auto* background = new ImageView(Images::named(QStringLiteral("OfflineMapsPageBackground")));
    background->setImageName(QStringLiteral("OfflineMapsPageBackground"));
    view()->addSubview(background);
    grid = new QnUIScrollView(QRect(0, 16, 320, 400));
    grid->setContentSize(QSize(320, 400));
    entries = ManagerModel::listEntries(maps);
    for (int i = 0; i < entries.size(); ++i) {
        const int x = 40 + 140 * (i % 2);
        const int y = 180 * (i / 2);
        auto* frame =
            new ImageView(QRect(x, y + 30, 100, 105), Images::named(QStringLiteral("ThumbFrame.png")));
        frame->setImageName(QStringLiteral("ThumbFrame.png"));
        grid->addSubview(frame);
        const QStringList fields = entries[i].split(u':');
        auto* caption = new Label(QRect(x, y + 136, 100, 40));
        caption->setText(QString(fields.value(0)).remove(u'\n'));
        caption->setTextColor(Qt::white);
        caption->setNumberOfLines(2);
        caption->setTextAlignment(Qt::AlignCenter);
        caption->setFont(Fonts::named(QStringLiteral("Arial-BoldMT"), 15));
        grid->addSubview(caption);
        auto* button = new Button(QRect(x + 5, y + 33, 90, 90));
        button->setBackgroundImage(Images::named(fields.value(2)));
        button->setBackgroundImageName(fields.value(2));
        button->setTag(i);
        connect(button, &Button::touchUpInside, this, [this](Button* touched) { mapButtonTouched(touched); });
        grid->addSubview(button);
        grid->setContentSize(QSize(320, y + 185));
    }
    view()->addSubview(grid);
}

void OfflineMapsPage::viewWillAppear(bool) {
    header.build(navigationController(), QStringLiteral("Offline Maps"), guideTitleColor(), this,
                 [this] { linkTouched(); });
    if (Label* title = header.titleLabel()) {
        title->setFrame(QRect(105, 0, 110, 44));
        title->setFont(Fonts::boldSystem(16));
    }
}

void OfflineMapsPage::viewWillDisappear(bool) {
    header.remove();
}

void OfflineMapsPage::linkTouched() {
    header.removeBadge();
    if (NavigationController* navigation = navigationController())
        navigation->popToRootViewControllerAnimated(true);
}

void OfflineMapsPage::mapButtonTouched(Button* button) {
    openMap(button->tag());
}

bool OfflineMapsPage::openMap(int index) {
    if (index < 0 || index >= entries.size())
        return false;
    auto viewer = std::make_unique<MapView>(entries.value(index).section(u':', 1, 1));
    viewer->setModalTransitionStyle(CrossDissolve);
    presentModalViewController(std::move(viewer), true);
    return true;
}

// ---------------------------------------------------------------------------------------------

MapView::MapView(const QString& mapName) : name(mapName) {}

MapView::~MapView() = default;

void MapView::loadView() {
    auto* page = new View(QRect(0, 0, 320, 460));
    page->setBackgroundColor(Qt::white);
    setView(page);
}

void MapView::viewWillAppear(bool) {
    // The picture is read from the file each time, not kept among the edition's pictures.
    const QString base = name.section(u'.', 0, 0);
    QPixmap image;
    if (Paths::isPlainName(base))
        image.load(Paths::resourcePath(base + QStringLiteral(".png")), "PNG");
    if (image.isNull())
        logLine(QStringLiteral("Map picture %1.png not found").arg(base));
    if (scroller)
        scroller->deleteLater();
    scroller = new QnUIScrollView(QRect(0, 0, 320, 480));
    picture = new ImageView(QRect(QPoint(0, 0), image.size()), image);
    picture->setImageName(base);
    picture->setContentMode(ImageView::AspectFit);
    scroller->addSubview(picture);
    scroller->setContentSize(image.size());
    scroller->setZoomView(picture);
    scroller->setMaximumZoomScale(4.0);
    scroller->setMinimumZoomScale(0.2);
    view()->addSubview(scroller);
    const QSize content = scroller->contentSize();
    scroller->setContentOffset(QPoint(content.width() / 2 - 160, content.height() / 2 - 240));
    scroller->contentView()->installEventFilter(this);
    picture->installEventFilter(this);
    scroller->installEventFilter(this);

    closer = new Button(QRect(260, 400, 40, 40));
    closer->setImage(Images::named(QStringLiteral("Close.png")));
    closer->setBackgroundImageName(QStringLiteral("Close.png"));
    connect(closer, &Button::touchUpInside, this, [this] { close(); });
    view()->addSubview(closer);
}

bool MapView::eventFilter(QObject*, QEvent* event) {
    // A double tap anywhere on the map closes it; a single tap does nothing.
    if (event->type() == QEvent::MouseButtonDblClick) {
        close();
        return true;
    }
    return false;
}

void MapView::willRotate(bool landscape) {
    if (!scroller)
        return;
    const QSize screen = landscape ? QSize(480, 320) : QSize(320, 480);
    scroller->setFrame(QRect(QPoint(0, 0), screen));
    view()->setGeometry(QRect(QPoint(0, 0), screen));
    // The Close button keeps its place at the bottom right of the turned screen.
    if (closer)
        closer->move(screen.width() - 60, screen.height() - 80);
    if (picture)
        scroller->setContentSize(picture->size() / scroller->zoomScale());
}

void MapView::close() {
    // The screen below sets the bars and turns the screen upright again.
    dismissModalViewControllerAnimated(true);
}
