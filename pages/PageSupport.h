#pragma once

#include "catalog/Venue.h"
#include "ui/View.h"

#include <QColor>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

// What the guide's pages share: the header, the colours, the loading overlay, the tool bars.

// The title colour of the home screen and the tool pages.
inline QColor guideTitleColor() {
    return QColor::fromRgbF(0.13f, 0.64f, 0.85f, 1.0f);
}
// The shadow of header titles: grey 0.3 at alpha 0.7.
inline QColor headerShadowColor() {
    return QColor::fromRgbF(0.3f, 0.3f, 0.3f, 0.7f);
}

class ActivityIndicator;
class NavigationController;

// The header's parts: the title label (80, 0, 160 x 44) and the badge button (250, 11, 60 x 22).
Label* makeHeaderTitle(const QString& text, const QColor& color);
Button* makeHeaderBadge();

// The header of the inner pages on the navigation bar: the page title in the chapter's colour and the
// badge that leads back to the home screen. Built each time the page comes on screen, removed each
// time it leaves.
class PageHeader {
public:
    // linkTouched runs when the badge is touched; context guards it.
    void build(NavigationController* navigation, const QString& title, const QColor& color, QObject* context,
               std::function<void()> linkTouched);
    void remove();
    void removeBadge();
    Label* titleLabel() const { return title; }

private:
    QPointer<Label> title;
    QPointer<View> badge;
};

// The title colour of a chapter's pages, from the chapter's look.
QColor chapterColor(const QString& title);

// The dimming layer over the whole screen while a page loads: it swallows touches and shows a
// spinning wheel and, where given, a progress text.
class LoadingOverlay {
public:
    ~LoadingOverlay() { hide(); }
    void show(const QString& text = {});
    void hide();
    bool isShown() const { return layer != nullptr; }

private:
    QPointer<View> layer;
    QPointer<Label> label;
    QPointer<ActivityIndicator> indicator;
};

// Hands a telephone address to the device, or writes a mail with the device's mail program; where
// the device has nothing that does it, an alert says so (instead of a touch that does nothing).
void callOrTell(const QString& telephoneAddress, QObject* context);
void writeMailOrTell(const QString& recipient, const QString& subject, QObject* context,
                     std::function<void()> finished = {});

// Opens a venue's full detail.
void openVenueDetail(NavigationController* navigation, const QString& title, const QString& venueName,
                     int venueID);
// Opens the live map with the venues of a list.
void openLiveMapWithVenues(NavigationController* navigation, const VenueList& venues,
                           const QString& category);

class Toolbar;
class CustomBarButtonItem;
class CustomBarButtonItemDelegate;

// The tool bar of the list and detail pages, at the foot of the page: a flexible space, then each
// tool of the setting ("caption:picture:tool id", separated by ",") followed by a flexible space.
// The live map is disabled while location services are off. The items belong to owner.
// leaveOut names tools (by trimmed tool id) that the page does not show.
Toolbar* makeToolbar(const QString& setting, CustomBarButtonItemDelegate* delegate, QObject* owner,
                     const std::function<bool(const QString& toolID)>& leaveOut = {});

// The tool of that tool id on a tool bar that makeToolbar made, or null.
CustomBarButtonItem* toolNamed(Toolbar* bar, const QString& id);

// The page's background picture at the top left, under everything else on the page.
ImageView* addPageBackground(View* page, const QString& name, int height);
