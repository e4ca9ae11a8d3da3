#pragma once

#include "catalog/Venue.h"
#include "pages/PageSupport.h"
#include "platform/OperationQueue.h"
#include "platform/PositionSource.h"
#include "ui/ViewController.h"

#include <QPointer>
#include <atomic>
#include <memory>
#include <optional>

#include "pages/MapWalk.h"
#include "ui/TileMapView.h"

// One pin: a venue's place, its name, its chapter's name and the id its detail page takes (-1: the
// detail page looks the venue up by name).
struct CustomPlacemark {
    double latitude = 0, longitude = 0;
    QString title, subtitle;
    int myID = -1;
};

// The street map with the reader's position and venues as pins, in one of four modes: near me (the
// venues within about 10 km, once the reader's position is known), one venue, a list of venues, or
// the walk to one venue. A pin's callout opens the venue, or walks there. The page keeps a position
// source of its own, follows the reader, and stops all work once it leaves.
class LiveMap : public ViewController {
    Q_OBJECT
public:
    enum Mode { NearMe, OneVenue, VenueList, Walk };

    static std::unique_ptr<LiveMap> initWithUserLocation();
    static std::unique_ptr<LiveMap> initWithVenueLocationAndName(double latitude, double longitude,
                                                                 const QString& name,
                                                                 const QString& venueCategory);
    static std::unique_ptr<LiveMap> initWithVenues(const ::VenueList& venues, const QString& venueCategory);
    // The walk from the reader's position to the venue.
    static std::unique_ptr<LiveMap> initWithWalkTo(double latitude, double longitude, const QString& name,
                                                   const QString& venueCategory);
    ~LiveMap() override;

    void loadView() override;
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;

    void didUpdateToLocation(const PositionFix& fix);
    void addVenuesToMapFromArray(const ::VenueList& venues);
    void centerMapToCoordinateAndUserLocation(double latitude, double longitude);
    void expandAnnotation(int index);
    // The callout's "Walk" button: the walk to the pin's venue.
    void walkToAnnotation(int index);
    void linkTouched();

    Mode mode() const { return pageMode; }
    TileMapView* mapView() const { return map; }
    QList<CustomPlacemark> placemarks() const;
    bool userLocated() const { return located; }
    PositionSource* positionSource() const { return source.get(); }
    MapWalk* walk() const { return walking; }

private:
    LiveMap(Mode mode, const QString& venueCategory);
    static std::unique_ptr<LiveMap> started(std::unique_ptr<LiveMap> page);
    static std::unique_ptr<LiveMap> forVenue(Mode mode, double latitude, double longitude,
                                             const QString& name, const QString& venueCategory);
    void addPlacemark(const CustomPlacemark& placemark);
    void firstFix(const PositionFix& fix);
    void showAlert(const QString& title, const QString& message, const QString& button);

    Mode pageMode;
    QString category;
    ::VenueList allVenues;
    double venueLatitude = 0, venueLongitude = 0;
    QString venueName;
    std::atomic<bool> disappeared{false}; // read by the near-me query on its worker
    bool located = false;
    std::optional<PositionFix> userLocation;
    std::unique_ptr<PositionSource> source;
    QPointer<TileMapView> map;
    MapWalk* walking = nullptr; // owned by the map
    OperationQueue operationQueue;
    PageHeader header;
};
