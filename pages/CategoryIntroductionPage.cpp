#include "pages/CategoryIntroductionPage.h"

#include "catalog/SQLDAL.h"
#include "model/ShareData.h"
#include "platform/Log.h"
#include "ui/Images.h"
#include "ui/NavigationController.h"

CategoryIntroductionPage::CategoryIntroductionPage(const QString& pageTitle, const QString& image,
                                                   const QString& chapter)
    : title(pageTitle), imageName(image), chapterID(chapter) {}

CategoryIntroductionPage::~CategoryIntroductionPage() = default;

void CategoryIntroductionPage::loadView() {
    setView(new View(QRect(0, 0, 320, 416)));
}

void CategoryIntroductionPage::viewDidLoad() {
    addPageBackground(view(), ShareData::sharedInstance()->getCorrespondingBKG(title), 416);
}

void CategoryIntroductionPage::viewWillAppear(bool) {
    header.build(navigationController(), title, chapterColor(title), this, [this] { linkTouched(); });
    overlay.show();

    // The views are made anew each time the page comes on screen.
    for (QPointer<View> old :
         {QPointer<View>(categoryImageView), QPointer<View>(titleLabel), QPointer<View>(scroll)}) {
        if (old)
            old->removeFromSuperview();
    }
    auto* icon = new ImageView(QRect(20, 22, 36, 36), Images::named(imageName));
    icon->setImageName(imageName);
    view()->addSubview(icon);
    categoryImageView = icon;

    auto* large = new Label(QRect(70, 0, 244, 80));
    large->setFont(Fonts::named(QStringLiteral("Arial-BoldMT"), 20));
    large->setTextColor(Qt::white);
    large->setNumberOfLines(0);
    view()->addSubview(large);
    titleLabel = large;

    auto* scrolling = new ScrollView(QRect(20, 80, 280, 320));
    scrolling->setContentSize(QSize(280, 320));
    auto* text = new Label(QRect(0, 0, 280, 320));
    text->setFont(Fonts::named(QStringLiteral("ArialMT"), 14));
    text->setTextColor(Qt::white);
    text->setNumberOfLines(0);
    scrolling->addSubview(text);
    view()->addSubview(scrolling);
    scroll = scrolling;
    body = text;

    operationQueue = std::make_unique<OperationQueue>();
    const QString chapter = chapterID;
    operationQueue->addOperation([this, self = QPointer<QObject>(this), chapter] {
        const QStringList loaded = SQLDAL::getCategoryIntroduction(chapter);
        runOnMainThread(self, [this, loaded] {
            texts = loaded;
            setTexts();
            overlay.hide();
        });
    });
}

void CategoryIntroductionPage::setTexts() {
    if (!texts.value(2).isEmpty())
        title = texts.value(2);
    if (!titleLabel || !scroll || !body)
        return;
    const int titleHeight = measureWrappedHeight(titleLabel->font(), title, 244);
    titleLabel->setText(title);
    if (titleHeight >= 80) {
        titleLabel->setFrame(QRect(70, 0, 244, titleHeight));
        scroll->setFrame(QRect(20, titleHeight, 280, 320));
    }
    QString text = texts.value(1).isEmpty() ? texts.value(0) : texts.value(1);
    text.replace(QStringLiteral("\\n"), QStringLiteral("\n"));
    const int bodyHeight = measureWrappedHeight(body->font(), text, 280);
    scroll->setContentSize(QSize(280, bodyHeight));
    body->setFrame(QRect(0, 0, 280, bodyHeight));
    body->setText(text);
}

void CategoryIntroductionPage::viewWillDisappear(bool) {
    header.remove();
    overlay.hide();
}

void CategoryIntroductionPage::linkTouched() {
    header.removeBadge();
    if (NavigationController* navigation = navigationController())
        navigation->popToRootViewControllerAnimated(true);
}
