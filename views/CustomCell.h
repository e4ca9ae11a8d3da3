#pragma once

#include "ui/TableView.h"

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

    ImageView* infoBackground = nullptr;
    ImageView* icon = nullptr;
    Label* nameLabel = nullptr;
    Label* numberLabel = nullptr;
    Label* venueName = nullptr;
    Label* venueState = nullptr;
    Label* venueDistance = nullptr;
    Label* venueDescription = nullptr;
    QPointer<ImageView> featured;
    View* line = nullptr;
    QRect descriptionFrame;
};
