#include "pages/Placement.h"

#include "catalog/SQLDAL.h"
#include "pages/CategoryPage.h"
#include "pages/DetailedPage.h"
#include "platform/Log.h"
#include "platform/TextValues.h"
#include "ui/Images.h"
#include "ui/NavigationController.h"
#include "ui/Toolbar.h"

namespace {

// A bordered bar button with a title.
Button* borderedItem(const QString& text) {
    const QFont font = Fonts::boldSystem(12);
    auto* button = new Button(QRect(0, 0, measureTextWidth(font, text) + 20, 30));
    button->setTitle(text);
    button->setTitleFont(font);
    button->setTitleColor(Qt::white);
    button->setBackgroundColor(QColor(60, 60, 60, 200));
    return button;
}

} // namespace

Placement::Placement() = default;
Placement::~Placement() = default;

void Placement::loadView() {
    setView(new View(QRect(0, 0, 320, 416)));
    picture = new ImageView(QRect(0, 0, 320, 416), QPixmap());
    view()->addSubview(picture);
}

void Placement::initToolbar(const QString& pictureName) {
    view();
    picture->setImage(Images::named(pictureName));
    picture->setImageName(pictureName);
    tools = new Toolbar(QRect(0, 372, 320, 44));
    tools->setBarStyle(Toolbar::BlackTranslucent);
    continueTo = borderedItem(QStringLiteral("Continue"));
    connect(continueTo, &Button::touchUpInside, this, [this] { next(); });
    QList<BarButtonItem*> items;
    if (!venue.isEmpty()) {
        moreButton = borderedItem(QStringLiteral("More Info"));
        connect(moreButton, &Button::touchUpInside, this, [this] { more(); });
        items.append(new BarButtonItem(moreButton, this));
    }
    items << BarButtonItem::flexibleSpace(this) << new BarButtonItem(continueTo, this);
    tools->setItems(items);
    view()->addSubview(tools);
}

void Placement::more() {
    const int v = intValueOfText(venue);
    const QVariantList values = SQLDAL::getVenueWithVenueID(v, chapter);
    QStringList texts;
    for (const QVariant& value : values)
        texts.append(value.toString());
    logLine(QStringLiteral("venueName %1").arg(texts.join(QStringLiteral(", "))));
    if (NavigationController* navigation = navigationController())
        navigation->pushViewController(
            std::make_unique<DetailedPage>(
                title, values.value(0).toString().replace(QStringLiteral("''"), QStringLiteral("'")), v),
            true);
}

void Placement::next() {
    if (NavigationController* navigation = navigationController())
        navigation->pushViewController(std::make_unique<CategoryPage>(categoryTitle, chapter, image), true);
}
