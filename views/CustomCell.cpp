#include "views/CustomCell.h"

#include "platform/TextValues.h"
#include "platform/UserDefaults.h"
#include "ui/Images.h"
#include "ui/TextField.h"

#include <QPainter>
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

// The open mark: a dot for open, a ring for closed, told apart by shape as much as by colour.
class MarkDot : public View {
public:
    MarkDot(QWidget* parent) : View(QRect(5, 0, 10, 10), parent) { setUserInteractionEnabled(false); }
    void setMark(CustomCell::OpenMark shown) {
        mark = shown;
        setVisible(mark != CustomCell::OpenMark::None);
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QRectF circle(1.5, 1.5, 7, 7);
        if (mark == CustomCell::OpenMark::Open) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(QColor(0x4c, 0xd9, 0x64));
        } else {
            painter.setPen(QPen(QColor(255, 255, 255, 170), 1.5));
            painter.setBrush(Qt::NoBrush);
        }
        painter.drawEllipse(circle);
    }

private:
    CustomCell::OpenMark mark = CustomCell::OpenMark::None;
};

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
    // What a screen reader says of the row: the name, the distance, the dates, whether featured.
    QStringList spoken{name};
    for (const QString& part : {distance, dateStart})
        if (!part.trimmed().isEmpty())
            spoken.append(part.trimmed());
    if (isFeatured)
        spoken.append(QStringLiteral("featured"));
    spokenRow = spoken.join(QStringLiteral(", "));
    setAccessibleName(spokenRow);
    if (markDot)
        static_cast<MarkDot*>(markDot)->setMark(shownMark = OpenMark::None);
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
    // A paragraph mark of the catalogue ("\n" as written) is a space in a row's three lines.
    venueDescription->setText(
        QString(description).replace(QStringLiteral("\\n"), QStringLiteral(" ")).replace(u'\n', u' '));

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

void CustomCell::setOpenMark(OpenMark mark) {
    if (!markDot && mark == OpenMark::None)
        return;
    if (!markDot)
        markDot = new MarkDot(this);
    shownMark = mark;
    static_cast<MarkDot*>(markDot)->setMark(mark);
    markDot->move(5, venueName->frame().center().y() - 4);
    setAccessibleName(mark == OpenMark::None
                          ? spokenRow
                          : spokenRow + (mark == OpenMark::Open ? QStringLiteral(", open now")
                                                                : QStringLiteral(", closed now")));
}

// ---------------------------------------------------------------------------------------------
// Tool rows: weather and currencies.

namespace {

// Any non-zero preference counts as the second unit.
bool preferenceSet(const char* key) {
    return UserDefaults::standardUserDefaults().integerForKey(QString::fromLatin1(key)) != 0;
}

QString temperatureText(const QString& value) {
    return value + (preferenceSet("temp") ? u'f' : u'c');
}

QColor dim() {
    return QColor::fromRgbF(0, 0, 0, 0.5f);
}

// The description's height and lines: two lines of 30 points when it wraps at 110, else its height.
int descriptionHeight(const QFont& measuring, const QString& description) {
    return measureWrappedHeight(measuring, description, 110) > 15 ? 30 : 15;
}

ImageView* centredImage(QWidget* parent) {
    auto* image = new ImageView(QRect(), QPixmap(), parent);
    image->setContentMode(ImageView::Center);
    return image;
}

void setPicture(ImageView* view, const QString& name) {
    view->setImage(Images::named(name));
    view->setImageName(name);
}

} // namespace

CustomCell* CustomCell::initWithCurrentCondition(const QRect& frame, const QString& temperature,
                                                 const QString& weatherImageName,
                                                 const QString& weatherDescription, const QString& windSpeed,
                                                 const QString& windDirection, const QString& humidity, int,
                                                 const QString& reuseIdentifier) {
    auto* cell = new CustomCell(frame, reuseIdentifier);
    const int h = frame.height();
    cell->conditionTitle = label(cell, boldArial(11), dim());
    cell->conditionTitle->setFrame(QRect(20, 10, 110, 20));
    cell->conditionTitle->setText(QStringLiteral("Current Conditions"));
    cell->conditionDescription = label(cell, arial(13), Qt::white);
    cell->conditionWind = label(cell, Fonts::boldSystem(11), Qt::white);
    cell->conditionHumidity = label(cell, Fonts::boldSystem(11), Qt::white);
    cell->conditionTemperature = label(cell, boldArial(20), Qt::white);
    cell->conditionTemperature->setFrame(QRect(250, h / 2, 44, 20));
    cell->conditionImage = centredImage(cell);
    cell->conditionImage->setFrame(QRect(145, h / 2 - 20, 40, 40));
    cell->line = cell->bottomLine(0.5);
    cell->fillCurrentCondition(temperature, weatherImageName, weatherDescription, windSpeed, windDirection,
                               humidity, boldArial(13));
    return cell;
}

void CustomCell::updateWithCurrentCondition(const QRect& frame, const QString& temperature,
                                            const QString& weatherImageName,
                                            const QString& weatherDescription, const QString& windSpeed,
                                            const QString& windDirection, const QString& humidity, int) {
    setGeometry(frame);
    fillCurrentCondition(temperature, weatherImageName, weatherDescription, windSpeed, windDirection,
                         humidity, arial(13));
    conditionTemperature->setFrame(QRect(270, frame.height() / 2, 34, 20));
    line->setFrame(QRect(0, frame.height() - 1, 320, 1));
}

void CustomCell::fillCurrentCondition(const QString& temperature, const QString& weatherImageName,
                                      const QString& weatherDescription, const QString& windSpeed,
                                      const QString& windDirection, const QString& humidity,
                                      const QFont& measuring) {
    const int measured = measureWrappedHeight(measuring, weatherDescription, 110);
    const int d = descriptionHeight(measuring, weatherDescription);
    const int g = d == 30 ? 30 : std::min(measured, 15);
    conditionDescription->setFrame(QRect(20, 35, 110, d));
    conditionDescription->setNumberOfLines(d == 30 ? 2 : 1);
    conditionDescription->setText(weatherDescription);
    conditionWind->setFrame(QRect(20, g + 35, 130, 15));
    conditionWind->setText((preferenceSet("distance") ? QStringLiteral("Wind: %1 at %2 miles/h")
                                                      : QStringLiteral("Wind: %1 at %2 km/h"))
                               .arg(windDirection, windSpeed));
    conditionHumidity->setFrame(QRect(20, g + 50, 110, 15));
    conditionHumidity->setText(QStringLiteral("Humidity: %1").arg(humidity) + u'%');
    conditionTemperature->setText(temperatureText(temperature));
    setPicture(conditionImage, weatherImageName);
}

CustomCell* CustomCell::initWithWeather(const QRect& frame, const QString& date, const QString& tempMax,
                                        const QString& tempMin, const QString&, const QString&,
                                        const QString& weatherImageName, const QString& weatherDescription,
                                        int, const QString& reuseIdentifier) {
    auto* cell = new CustomCell(frame, reuseIdentifier);
    const int h = frame.height();
    cell->dayLabel = label(cell, boldArial(11), dim());
    cell->dayLabel->setFrame(QRect(20, 10, 110, 20));
    cell->dayDescription = label(cell, arial(13), Qt::white);
    cell->dayMinimum = label(cell, boldArial(13), Qt::white);
    cell->dayMinimum->setFrame(QRect(210, h / 2 - 10, 30, 20));
    cell->dayMaximum = label(cell, boldArial(20), Qt::white);
    cell->dayMaximum->setFrame(QRect(250, h / 2 - 10, 44, 20));
    cell->dayImage = centredImage(cell);
    cell->dayImage->setFrame(QRect(145, h / 2 - 20, 40, 40));
    cell->line = cell->bottomLine(0.4);
    cell->fillWeather(date, tempMax, tempMin, weatherImageName, weatherDescription, arial(13));
    return cell;
}

void CustomCell::updateWithWeather(const QRect& frame, const QString& date, const QString& tempMax,
                                   const QString& tempMin, const QString&, const QString&,
                                   const QString& weatherImageName, const QString& weatherDescription, int) {
    setGeometry(frame);
    const int h = frame.height();
    dayMinimum->setFrame(QRect(240, h / 2 - 10, 30, 20));
    dayMaximum->setFrame(QRect(270, h / 2 - 10, 34, 20));
    fillWeather(date, tempMax, tempMin, weatherImageName, weatherDescription, boldArial(13));
    line->setFrame(QRect(0, h - 1, 320, 1));
}

void CustomCell::fillWeather(const QString& date, const QString& tempMax, const QString& tempMin,
                             const QString& weatherImageName, const QString& weatherDescription,
                             const QFont& measuring) {
    dayLabel->setText(date);
    const int d = descriptionHeight(measuring, weatherDescription);
    dayDescription->setFrame(QRect(20, 30, 110, d));
    dayDescription->setNumberOfLines(d == 30 ? 2 : 1);
    dayDescription->setText(weatherDescription);
    dayMinimum->setText(temperatureText(tempMin));
    dayMaximum->setText(temperatureText(tempMax));
    setPicture(dayImage, weatherImageName);
}

CustomCell* CustomCell::buildCurrency(const QRect& frame, const QString& reuseIdentifier) {
    auto* cell = new CustomCell(frame, reuseIdentifier);
    cell->currencyName = label(cell, boldArial(13), Qt::white, Qt::AlignCenter);
    cell->flag = centredImage(cell);
    cell->symbol = label(cell, boldArial(12), Qt::white, Qt::AlignCenter);
    cell->valueField = new TextField(QRect(), cell);
    cell->valueField->setNumberPad(true);
    return cell;
}

void CustomCell::layoutCurrency(const QRect& frame, const QString& name, const QString& countryImageName,
                                const QString& currencySymbol, const QString& currencyValue, int index) {
    setGeometry(frame);
    const int w = frame.width();
    const int h = frame.height();
    currencyName->setFrame(QRect(20, int(std::floor(h / 2.0 - 10)), 40, 20));
    currencyName->setText(name);
    flag->setFrame(QRect(90, int(std::floor(h / 2.0 - 16)), 40, 32));
    setPicture(flag, countryImageName);
    symbolWidth = measureTextWidth(boldArial(12), currencySymbol);
    valueWidth = measureTextWidth(boldArial(20), currencyValue);
    valueHeight = measureWrappedHeight(boldArial(20), currencyValue, std::max(valueWidth, 1));
    symbol->setFrame(
        QRect(w - 25 - valueWidth - 5 - symbolWidth, int(std::floor(h / 2.0 - 10)), symbolWidth, 20));
    symbol->setText(currencySymbol);
    // The row's own style, also after the converter restyled the field for editing.
    valueField->setBorderStyle(TextField::NoBorder);
    valueField->setFont(boldArial(20));
    valueField->setTextColor(Qt::white);
    valueField->setTextAlignment(Qt::AlignCenter);
    valueField->setFrame(QRect(w - 25 - valueWidth, int(std::floor(h / 2.0 - valueHeight / 2.0)),
                               valueWidth + 5, valueHeight));
    valueField->setText(currencyValue);
    valueField->setTag(index);
}

CustomCell* CustomCell::initWithCurrency(const QRect& frame, const QString& currencyName,
                                         const QString& countryImageName, const QString& currencySymbol,
                                         const QString& currencyValue, int index,
                                         const QString& reuseIdentifier) {
    auto* cell = buildCurrency(frame, reuseIdentifier);
    cell->layoutCurrency(frame, currencyName, countryImageName, currencySymbol, currencyValue, index);
    cell->line = cell->bottomLine(1.0);
    return cell;
}

void CustomCell::updateWithCurrency(const QRect& frame, const QString& currencyName,
                                    const QString& countryImageName, const QString& currencySymbol,
                                    const QString& currencyValue, int index) {
    layoutCurrency(frame, currencyName, countryImageName, currencySymbol, currencyValue, index);
    line->setFrame(QRect(0, frame.height() - 1, 320, 1));
}

CustomCell* CustomCell::initWithMainCurrency(const QRect& frame, const QString& currencyName,
                                             const QString& countryImageName, const QString& currencySymbol,
                                             const QString& currencyValue, int index,
                                             const QString& reuseIdentifier) {
    auto* cell = buildCurrency(frame, reuseIdentifier);
    cell->infoBackground = new ImageView(QRect(QPoint(0, 0), frame.size()),
                                         Images::named(QStringLiteral("InfoPanel60.png")), cell);
    cell->infoBackground->setImageName(QStringLiteral("InfoPanel60.png"));
    cell->infoBackground->lower();
    cell->layoutCurrency(frame, currencyName, countryImageName, currencySymbol, currencyValue, index);
    cell->line = cell->bottomLine(0.4);
    return cell;
}

void CustomCell::updateWithMainCurrency(const QRect& frame, const QString& currencyName,
                                        const QString& countryImageName, const QString& currencySymbol,
                                        const QString& currencyValue, int index) {
    updateWithCurrency(frame, currencyName, countryImageName, currencySymbol, currencyValue, index);
}

void CustomCell::setDelegate(CustomCellDelegate* delegate, QObject* guard) {
    cellDelegate = delegate;
    cellDelegateGuard = guard;
}

void CustomCell::doneButton() {
    if (cellDelegate && cellDelegateGuard)
        cellDelegate->doneButton(valueField);
}

// ---------------------------------------------------------------------------------------------
// The video row.

CustomCell* CustomCell::initWithVideo(const QRect& frame, const QImage& thumbnail, int videoLength,
                                      const QString& videoName, const QString& reuseIdentifier) {
    auto* cell = new CustomCell(frame, reuseIdentifier);
    cell->thumbnailView = new ImageView(QRect(), QPixmap(), cell);
    cell->thumbnailView->setContentMode(ImageView::AspectFit);
    cell->videoTitle = label(cell, arial(13), Qt::white);
    cell->videoTitle->setNumberOfLines(0);
    cell->videoLengthText = label(cell, boldArial(11), QColor::fromRgbF(0.13f, 0.64f, 0.85f));
    cell->fillVideo(frame, thumbnail, videoLength, videoName, 7, boldArial(13));
    return cell;
}

void CustomCell::updateWithVideo(const QRect& frame, const QImage& thumbnail, int videoLength,
                                 const QString& videoName) {
    fillVideo(frame, thumbnail, videoLength, videoName, 8, arial(13));
}

void CustomCell::fillVideo(const QRect& frame, const QImage& thumbnail, int videoLength,
                           const QString& videoName, int titleY, const QFont& measuring) {
    setGeometry(frame);
    const int h = frame.height();
    thumbnailView->setFrame(QRect(2, 2, 106, h - 4));
    thumbnailView->setImage(QPixmap::fromImage(thumbnail));
    const int measured = measureWrappedHeight(measuring, videoName, 180);
    videoTitle->setFrame(QRect(120, titleY, 180, measured < h - 19 ? measured : h - 24));
    videoTitle->setText(videoName);
    videoLengthText->setFrame(QRect(120, h - 22, 29, 15));
    videoLengthText->setText(minutesAndSeconds(videoLength));
}
