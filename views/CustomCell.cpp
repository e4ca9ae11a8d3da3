#include "views/CustomCell.h"

#include "ui/Images.h"

#include <cmath>

namespace {

Label* label(QWidget* parent, const QFont& font, const QColor& color,
             Qt::Alignment alignment = Qt::AlignLeft) {
    auto* text = new Label(QRect(), parent);
    text->setFont(font);
    text->setTextColor(color);
    text->setTextAlignment(alignment);
    text->setUserInteractionEnabled(false);
    return text;
}

QFont boldArial(double size) {
    return Fonts::named(QStringLiteral("Arial-BoldMT"), size);
}
QFont arial(double size) {
    return Fonts::named(QStringLiteral("ArialMT"), size);
}

} // namespace

CustomCell::CustomCell(const QRect& frame, const QString& reuseIdentifier)
    : TableViewCell(frame, reuseIdentifier) {}

void CustomCell::setSelected(bool, bool animated) {
    TableViewCell::setSelected(false, animated);
}

View* CustomCell::bottomLine(double alpha) {
    auto* separator = new View(QRect(0, height() - 1, 320, 1), this);
    separator->setBackgroundColor(QColor::fromRgbF(0, 0, 0, float(alpha)));
    separator->setUserInteractionEnabled(false);
    return separator;
}

// ---------------------------------------------------------------------------------------------

CustomCell* CustomCell::initImageRow(const QRect& frame, const QString& imageName,
                                     const QString& reuseIdentifier) {
    auto* cell = new CustomCell(frame, reuseIdentifier);
    const int h = frame.height();
    cell->infoBackground =
        new ImageView(QRect(0, 0, frame.width(), h), Images::named(QStringLiteral("InfoPanel60.png")), cell);
    cell->infoBackground->setImageName(QStringLiteral("InfoPanel60.png"));
    cell->icon = new ImageView(QRect(20, h / 2 - 20, 36, 36), QPixmap(), cell);
    cell->update(imageName);
    Label* caption = label(cell, boldArial(20), Qt::white, Qt::AlignRight);
    caption->setFrame(QRect(150, 0, 130, h));
    caption->setText(QStringLiteral("Introduction"));
    cell->line = cell->bottomLine(0.7);
    return cell;
}

void CustomCell::update(const QString& imageName) {
    icon->setImage(Images::named(imageName));
    icon->setImageName(imageName);
}

// ---------------------------------------------------------------------------------------------

CustomCell* CustomCell::initWithCategory(const QRect& frame, const QString& categoryName, int categoryNumber,
                                         int index, const QString& reuseIdentifier) {
    auto* cell = new CustomCell(frame, reuseIdentifier);
    const int h = frame.height();
    cell->nameLabel = label(cell, boldArial(15), Qt::white);
    cell->nameLabel->setNumberOfLines(0);
    cell->nameLabel->setFrame(QRect(20, 0, 210, h));
    cell->numberLabel = label(cell, arial(11), Qt::white, Qt::AlignRight);
    cell->numberLabel->setFrame(QRect(20, 0, 256, h));
    cell->line = cell->bottomLine(0.5);
    cell->nameLabel->setText(categoryName);
    cell->numberLabel->setText(categoryNumber >= 2 ? QString::number(categoryNumber) : QString());
    Q_UNUSED(index);
    return cell;
}

void CustomCell::updateWithCategory(const QString& categoryName, int categoryNumber, int index) {
    Q_UNUSED(index);
    const int h = height();
    nameLabel->setFrame(QRect(20, 0, 250, h));
    numberLabel->setFrame(QRect(-10, 0, 286, h));
    nameLabel->setText(categoryName);
    numberLabel->setText(categoryNumber >= 2 ? QString::number(categoryNumber) : QString());
}

// ---------------------------------------------------------------------------------------------

CustomCell* CustomCell::initWithVenue(const QRect& frame, const QString& venueName,
                                      const QString& venueDistance, const QString& venueDateStart,
                                      const QString& venueDateStop, const QString& venueDescription,
                                      bool venueFeatured, const QString& reuseIdentifier) {
    Q_UNUSED(venueDateStop);
    auto* cell = new CustomCell(frame, reuseIdentifier);
    cell->venueName = label(cell, boldArial(13), Qt::white);
    cell->venueState = label(cell, boldArial(11), Qt::black);
    cell->venueDistance = label(cell, boldArial(11), QColor::fromRgbF(0, 0, 0, 0.5f));
    cell->venueDescription = label(cell, arial(11), Qt::white);
    cell->venueDescription->setNumberOfLines(3);
    cell->line = cell->bottomLine(0.5);
    cell->layoutVenue(frame, venueName, venueDistance, venueDateStart, venueDescription, venueFeatured,
                      false);
    return cell;
}

void CustomCell::updateVenue(const QRect& frame, const QString& venueName, const QString& venueDistance,
                             const QString& venueDateStart, const QString& venueDateStop,
                             const QString& venueDescription, bool venueFeatured) {
    Q_UNUSED(venueDateStop);
    layoutVenue(frame, venueName, venueDistance, venueDateStart, venueDescription, venueFeatured, true);
}

void CustomCell::layoutVenue(const QRect& frame, const QString& name, const QString& distance,
                             const QString& dateStart, const QString& description, bool isFeatured,
                             bool refill) {
    const int h = frame.height();
    const int w = frame.width();
    resize(w, h);
    const QFont nameFont = boldArial(13);
    const int w1 = measureTextWidth(nameFont, name);
    const int h1 = measureWrappedHeight(nameFont, name, 190);
    const int n = w1 < 190 ? w1 : 190;
    if (h != 35)
        venueName->setFrame(QRect(20, 7, n, 20));
    else
        venueName->setFrame(QRect(20, int(std::floor(h / 2.0 - h1 / 2.0)), n, h1));
    venueName->setText(name);

    const int y = h != 35 ? 8 : 7;
    venueState->setFrame(QRect(n + 25, y, 100, 20));
    venueState->setText(dateStart);

    const QString shownDistance = distance.size() >= 2 ? distance : QString();
    const int d = measureTextWidth(boldArial(11), distance);
    venueDistance->setFrame(QRect((refill ? 290 : 300) - d, y, d, 20));
    venueDistance->setText(shownDistance);

    const int wd = refill ? (isFeatured ? w - 80 : w - 40) : (isFeatured ? 220 : 280);
    descriptionFrame = QRect(20, 22, wd, 50);
    venueDescription->setFrame(descriptionFrame);
    venueDescription->setText(description);

    if (featured)
        featured->removeFromSuperview();
    if (isFeatured) {
        auto* badge = new ImageView(Images::named(QStringLiteral("Featured")), this);
        badge->setImageName(QStringLiteral("Featured"));
        badge->move(270 - badge->width() / 2, 48 - badge->height() / 2);
        badge->show();
        featured = badge;
    }
    line->setFrame(QRect(0, h - 1, 320, 1));
}
