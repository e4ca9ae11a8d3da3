#pragma once

#include "ui/TableView.h"

#include <QPointer>

class TextField;
class CustomCell;

// The page behind a currency row: told when the row's Done key is touched.
class CustomCellDelegate {
public:
    virtual ~CustomCellDelegate() = default;
    virtual void doneButton(TextField* field) = 0;
};

// The one row view of the guide's lists, with one layout per row kind. A list reuses a row only under
// a reuse identifier it gives to one kind, so each row is built by one kind's constructor and then
// refilled by the same kind's update.
class CustomCell : public TableViewCell {
    Q_OBJECT
public:
    // Image row: the chapter icon on the panel, with "Introduction".
    static CustomCell* initImageRow(const QRect& frame, const QString& imageName,
                                    const QString& reuseIdentifier);
    void update(const QString& imageName);

    // Category row: a category name and its number of venues (shown from 2 on).
    static CustomCell* initWithCategory(const QRect& frame, const QString& categoryName, int categoryNumber,
                                        int index, const QString& reuseIdentifier);
    void updateWithCategory(const QString& categoryName, int categoryNumber, int index);

    // Venue row: name, date, distance, description and the featured badge.
    static CustomCell* initWithVenue(const QRect& frame, const QString& venueName,
                                     const QString& venueDistance, const QString& venueDateStart,
                                     const QString& venueDateStop, const QString& venueDescription,
                                     bool venueFeatured, const QString& reuseIdentifier);
    void updateVenue(const QRect& frame, const QString& venueName, const QString& venueDistance,
                     const QString& venueDateStart, const QString& venueDateStop,
                     const QString& venueDescription, bool venueFeatured);

    // Whether the venue is open now: a filled green dot left of the name when open, a grey ring when
    // closed, none when its hours are not known. Set after the row is filled or refilled.
    enum class OpenMark { None, Open, Closed };
    void setOpenMark(OpenMark mark);
    OpenMark openMark() const { return shownMark; }

    // Current weather: description, wind, humidity, picture and temperature (units from the "temp" and
    // "distance" preferences).
    static CustomCell* initWithCurrentCondition(const QRect& frame, const QString& temperature,
                                                const QString& weatherImageName,
                                                const QString& weatherDescription, const QString& windSpeed,
                                                const QString& windDirection, const QString& humidity,
                                                int index, const QString& reuseIdentifier);
    void updateWithCurrentCondition(const QRect& frame, const QString& temperature,
                                    const QString& weatherImageName, const QString& weatherDescription,
                                    const QString& windSpeed, const QString& windDirection,
                                    const QString& humidity, int index);
    // One day of the forecast: day, description, picture, minimum and maximum.
    static CustomCell* initWithWeather(const QRect& frame, const QString& date, const QString& tempMax,
                                       const QString& tempMin, const QString& windSpeed,
                                       const QString& windDirection, const QString& weatherImageName,
                                       const QString& weatherDescription, int index,
                                       const QString& reuseIdentifier);
    void updateWithWeather(const QRect& frame, const QString& date, const QString& tempMax,
                           const QString& tempMin, const QString& windSpeed, const QString& windDirection,
                           const QString& weatherImageName, const QString& weatherDescription, int index);
    // A currency: code, flag, and the amount field with the symbol just left of it, both ending 20
    // points from the right edge. The main currency (row 0) lies on the info panel.
    static CustomCell* initWithCurrency(const QRect& frame, const QString& currencyName,
                                        const QString& countryImageName, const QString& currencySymbol,
                                        const QString& currencyValue, int index,
                                        const QString& reuseIdentifier);
    void updateWithCurrency(const QRect& frame, const QString& currencyName, const QString& countryImageName,
                            const QString& currencySymbol, const QString& currencyValue, int index);
    static CustomCell* initWithMainCurrency(const QRect& frame, const QString& currencyName,
                                            const QString& countryImageName, const QString& currencySymbol,
                                            const QString& currencyValue, int index,
                                            const QString& reuseIdentifier);
    void updateWithMainCurrency(const QRect& frame, const QString& currencyName,
                                const QString& countryImageName, const QString& currencySymbol,
                                const QString& currencyValue, int index);
    // A clip of the video list: its thumbnail (106 x 76, none until loaded), title and length.
    static CustomCell* initWithVideo(const QRect& frame, const QImage& thumbnail, int videoLength,
                                     const QString& videoName, const QString& reuseIdentifier);
    void updateWithVideo(const QRect& frame, const QImage& thumbnail, int videoLength,
                         const QString& videoName);
    ImageView* videoThumbnail() const { return thumbnailView; }
    Label* videoNameLabel() const { return videoTitle; }
    Label* videoLengthLabel() const { return videoLengthText; }

    void setDelegate(CustomCellDelegate* delegate, QObject* guard);
    void doneButton();

    Label* currentConditionLabel() const { return conditionTitle; }
    Label* currentConditionWeatherDescLabel() const { return conditionDescription; }
    Label* currentConditionWindLabel() const { return conditionWind; }
    Label* currentConditionHumidityLabel() const { return conditionHumidity; }
    Label* currentConditionTempLabel() const { return conditionTemperature; }
    ImageView* currentConditionImage() const { return conditionImage; }
    Label* weatherDayLabel() const { return dayLabel; }
    Label* weatherDescLabel() const { return dayDescription; }
    Label* weatherTempMinLabel() const { return dayMinimum; }
    Label* weatherTempMaxLabel() const { return dayMaximum; }
    ImageView* weatherImage() const { return dayImage; }
    Label* currencyLabel() const { return currencyName; }
    Label* currencySymbol() const { return symbol; }
    ImageView* countryFlagImageView() const { return flag; }
    TextField* currencyValueTextField() const { return valueField; }
    int currencySymbolWidth() const { return symbolWidth; }
    int currencyValueWidth() const { return valueWidth; }
    int currencyValueHeigth() const { return valueHeight; }

    // A row never keeps the selected look.
    void setSelected(bool selected, bool animated) override;

    ImageView* infoBackgroundView() const { return infoBackground; }
    ImageView* imageView() const { return icon; }
    Label* name() const { return nameLabel; }
    Label* number() const { return numberLabel; }
    Label* venueNameLabel() const { return venueName; }
    Label* venueStateLabel() const { return venueState; }
    Label* venueDistanceLabel() const { return venueDistance; }
    Label* venueDescriptionLabel() const { return venueDescription; }
    // Where the venue row's layout put the description (a featured row's is narrower, clear of the
    // badge); a page that narrows it for a while gives it back this frame.
    QRect venueDescriptionFrame() const { return descriptionFrame; }
    ImageView* featuredImage() const { return featured; }
    View* separator() const { return line; }

private:
    CustomCell(const QRect& frame, const QString& reuseIdentifier);
    void layoutVenue(const QRect& frame, const QString& name, const QString& distance,
                     const QString& dateStart, const QString& description, bool isFeatured, bool refill);
    View* bottomLine(double alpha);
    void fillCurrentCondition(const QString& temperature, const QString& weatherImageName,
                              const QString& weatherDescription, const QString& windSpeed,
                              const QString& windDirection, const QString& humidity, const QFont& measuring);
    void fillWeather(const QString& date, const QString& tempMax, const QString& tempMin,
                     const QString& weatherImageName, const QString& weatherDescription,
                     const QFont& measuring);
    static CustomCell* buildCurrency(const QRect& frame, const QString& reuseIdentifier);
    void fillVideo(const QRect& frame, const QImage& thumbnail, int videoLength, const QString& videoName,
                   int titleY, const QFont& measuring);
    void layoutCurrency(const QRect& frame, const QString& currencyName, const QString& countryImageName,
                        const QString& currencySymbol, const QString& currencyValue, int index);

    ImageView* infoBackground = nullptr;
    ImageView* icon = nullptr;
    Label* nameLabel = nullptr;
    Label* numberLabel = nullptr;
    Label* venueName = nullptr;
    Label* venueState = nullptr;
    Label* venueDistance = nullptr;
    Label* venueDescription = nullptr;
    QPointer<ImageView> featured;
    View* markDot = nullptr;
    OpenMark shownMark = OpenMark::None;
    QString spokenRow; // the accessible name of the venue row without the mark
    View* line = nullptr;
    QRect descriptionFrame;

    Label* conditionTitle = nullptr;
    Label* conditionDescription = nullptr;
    Label* conditionWind = nullptr;
    Label* conditionHumidity = nullptr;
    Label* conditionTemperature = nullptr;
    ImageView* conditionImage = nullptr;
    Label* dayLabel = nullptr;
    Label* dayDescription = nullptr;
    Label* dayMinimum = nullptr;
    Label* dayMaximum = nullptr;
    ImageView* dayImage = nullptr;
    Label* currencyName = nullptr;
    Label* symbol = nullptr;
    ImageView* flag = nullptr;
    TextField* valueField = nullptr;
    int symbolWidth = 0;
    int valueWidth = 0;
    int valueHeight = 0;
    ImageView* thumbnailView = nullptr;
    Label* videoTitle = nullptr;
    Label* videoLengthText = nullptr;
    CustomCellDelegate* cellDelegate = nullptr;
    QPointer<QObject> cellDelegateGuard;
};
