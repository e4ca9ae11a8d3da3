#pragma once

#include "pages/OpenNow.h"
#include "pages/PageSupport.h"
#include "platform/OperationQueue.h"
#include "ui/ScrollView.h"
#include "ui/Toolbar.h"
#include "ui/ViewController.h"
#include "views/CustomControls.h"

#include <QVariantList>

// Everything the catalogue holds about one venue, on one scrolling page: dates, name, featured badge,
// address, picture and description, hotel rooms, prices, opening hours, and a row per telephone
// number, web site and e-mail address with a button that dials, opens or writes.
class DetailedPage : public ViewController, public CustomBarButtonItemDelegate {
    Q_OBJECT
public:
    DetailedPage(const QString& title, const QString& venueName, int venueID);
    ~DetailedPage() override;

    void loadView() override;
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;

    void callPhoneNumber(Button* sender);
    void openWebsite(Button* sender);
    void sendEmail(Button* sender);
    void barButtonItemTouched(CustomBarButtonItem* item) override;
    void linkTouched();

    // The telephone address of a number as written in the catalogue: "+44 (1) 234-567" gives
    // "tel:00441234567".
    static QString telephoneAddress(const QString& number);
    // The description split into the part beside a 105-point-high picture and the part below it.
    static std::pair<QString, QString> splitBesidePicture(const QString& description);

    QString pageTitle() const { return title; }
    int venueID() const { return identifier; }
    QString shownVenueName() const { return venueName; }
    const QVariantList& venueDetails() const { return details; }
    ScrollView* scrollView() const { return scroll; }
    Toolbar* toolbar() const { return tools; }
    int originY() const { return origin; }
    QnAlertLabel* locationAlertLabel() const { return alert; }
    // "Open now · until 18:00" and the like, or null when the venue's hours are not known.
    Label* openStateLabel() const { return openState; }
    // "Walk there", for a venue with a position.
    Button* walkThereButton() const { return walkButton; }
    // Tells the state anew by the clock (a timer asks every few seconds).
    void renewOpenState();

private:
    void layoutPage();
    Label* addLabel(const QRect& frame, const QFont& font, const QColor& color, const QString& text,
                    int lines);
    View* addSeparator();
    void addOpenState(const QFont& font, bool afterInfo);
    void addWalkRow(const QFont& captionFont);
    void addActionRow(const QFont& captionFont, const QString& caption, Button* button, const QString& value);
    void showOpenState(const OpeningHours::State& state);

    QString title;
    QString venueName;
    int identifier;
    QVariantList details;
    QString address, phoneNumber, phoneNumber2, webAddress, email, description, imageName, venuePrice,
        venueDateStart, venueDateStop, venueOpen, hotelRoomDescription;
    double gpsLat = 0, gpsLong = 0;
    bool featured = false;
    bool venueImageExists = false;
    QString stringForLabel1, stringForLabel2;
    int origin = 10;
    QPointer<ScrollView> scroll;
    QPointer<Label> openState;
    QPointer<Button> walkButton;
    OpeningHours::Place hoursPlace;
    Toolbar* tools = nullptr;
    QPointer<QnAlertLabel> alert;
    PageHeader header;
    LoadingOverlay overlay;
    OperationQueue operationQueue;
};
