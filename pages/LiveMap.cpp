#include "pages/LiveMap.h"

#include "catalog/SQLDAL.h"
#include "location/LocationManager.h"
#include "model/DAO.h"
#include "model/ShareData.h"
#include "pages/DetailedPage.h"
#include "platform/Log.h"
#include "platform/Paths.h"
#include "ui/AlertView.h"
#include "ui/NavigationController.h"
#include "ui/TileMapView.h"

#include <QCoreApplication>

namespace {

const QString standardTiles = QStringLiteral("https://tile.openstreetmap.org/{z}/{x}/{y}.png");
const QString standardAttribution = QStringLiteral("© OpenStreetMap contributors");

// One online source per address for the whole run, so that its download limit holds across pages.
OnlineTileSource* onlineTiles(const QString& address) {
    static QHash<QString, QPointer<OnlineTileSource>> sources;
    QPointer<OnlineTileSource>& source = sources[address + Paths::cacheFolder()];
    if (!source) {
        const QString contact = DAOFactory::getInstance()->dao()->manager()->contactVantor();
        const QByteArray agent = QStringLiteral("cityguide/0.1 (offline city guide; contact %1)")
                                     .arg(contact.isEmpty() ? QStringLiteral("unknown") : contact)
                                     .toUtf8();
        const QString folder =
            Paths::cacheFolder() + QStringLiteral("/tiles/") + QString::number(qHash(address), 16);
        source = new OnlineTileSource(address, agent, folder, QCoreApplication::instance());
    }
    return source;
}

} // namespace

LiveMap::LiveMap(Mode mode, const QString& venueCategory) : pageMode(mode), category(venueCategory) {
    operationQueue.setMaxConcurrentOperationCount(1);
    // The page's own position source, on the same hardware as the shared service.
    source = LocationManager::getInstance()->positionSource()->follower();
    connect(source.get(), &PositionSource::didUpdateToLocation, this, &LiveMap::didUpdateToLocation);
}

// Updates start once the page has what it was made with: a fix may arrive at once.
std::unique_ptr<LiveMap> LiveMap::started(std::unique_ptr<LiveMap> page) {
    page->source->startUpdatingLocation();
    return page;
}

LiveMap::~LiveMap() {
    operationQueue.cancelAllOperations();
    operationQueue.waitUntilAllOperationsAreFinished();
    if (source)
        source->stopUpdatingLocation();
}

std::unique_ptr<LiveMap> LiveMap::initWithUserLocation() {
    return started(std::unique_ptr<LiveMap>(new LiveMap(NearMe, QString())));
}

std::unique_ptr<LiveMap> LiveMap::forVenue(Mode mode, double latitude, double longitude, const QString& name,
                                           const QString& venueCategory) {
    std::unique_ptr<LiveMap> page(new LiveMap(mode, venueCategory));
    page->venueLatitude = latitude;
    page->venueLongitude = longitude;
    page->venueName = name;
    return started(std::move(page));
}

std::unique_ptr<LiveMap> LiveMap::initWithVenueLocationAndName(double latitude, double longitude,
                                                               const QString& name,
                                                               const QString& venueCategory) {
    return forVenue(OneVenue, latitude, longitude, name, venueCategory);
}

std::unique_ptr<LiveMap> LiveMap::initWithWalkTo(double latitude, double longitude, const QString& name,
                                                 const QString& venueCategory) {
    return forVenue(Walk, latitude, longitude, name, venueCategory);
}

std::unique_ptr<LiveMap> LiveMap::initWithVenues(const ::VenueList& venues, const QString& venueCategory) {
    std::unique_ptr<LiveMap> page(new LiveMap(VenueList, venueCategory));
    page->allVenues = venues;
    return started(std::move(page));
}

void LiveMap::loadView() {
    setView(new View(QRect(0, 0, 320, 416)));
}

void LiveMap::viewDidLoad() {
    map = new TileMapView(QRect(0, 0, 320, 416));
    view()->addSubview(map);
    // The region first, so that no tile of another place is ever asked for.
    const auto centre = ShareData::sharedInstance()->defaultGPSPosition().value_or(ShareData::Position{});
    map->setRegion({centre.latitude, centre.longitude, 0.1, 0.1}, false);
    map->setCenterCoordinate(centre.latitude, centre.longitude);
    const ShareData::MapTiles tiles = ShareData::sharedInstance()->mapTiles();
    std::unique_ptr<MBTilesSource> offline;
    if (!tiles.file.isEmpty() && Paths::isPlainName(tiles.file)) {
        offline = std::make_unique<MBTilesSource>(Paths::resourcePath(tiles.file));
        if (!offline->isOpen()) {
            logOnce(QStringLiteral("Map tiles unreadable: %1").arg(offline->error()));
            offline.reset();
        }
    }
    const QString address = tiles.url.isEmpty() ? standardTiles : tiles.url;
    QString attribution = tiles.attribution.isEmpty() ? standardAttribution : tiles.attribution;
    map->setTileSources(std::move(offline), onlineTiles(address), attribution);
    map->setShowsUserLocation(true);
    map->setSubtitleProvider(
        [](const MapAnnotation& pin) { return SQLDAL::getChapterNameForVenue(pin.title); });
    connect(map, &TileMapView::calloutAccessoryTapped, this, &LiveMap::expandAnnotation);
    walking = new MapWalk(map);
    map->setCalloutWalks(true);
    connect(map, &TileMapView::calloutWalkTapped, this, &LiveMap::walkToAnnotation);
    if (pageMode == Walk) {
        addPlacemark(
            {venueLatitude, venueLongitude, venueName, SQLDAL::getChapterNameForVenue(venueName), -1});
        walking->walkTo(venueLatitude, venueLongitude);
    }
    connect(map, &TileMapView::didFailLoadingMap, this, [this](const QString& description) {
        if (description == u"no Internet connection" && !disappeared)
            showAlert(
                QStringLiteral("Timeout"),
                QStringLiteral("Oh no! The online map is unavailable. Please check your internet connection "
                               "and try again."),
                QStringLiteral("Go Back"));
    });
}

void LiveMap::viewWillAppear(bool) {
    if (!source->locationServicesEnabled()) {
        showAlert(QStringLiteral("Error"),
                  QStringLiteral("Please enable location services to use this page."), QStringLiteral("Ok"));
        return;
    }
    disappeared = false;
    header.build(navigationController(), QStringLiteral("Online Map"), guideTitleColor(), this,
                 [this] { linkTouched(); });
}

void LiveMap::viewWillDisappear(bool) {
    disappeared = true;
    header.remove();
    operationQueue.cancelAllOperations();
    source->stopUpdatingLocation();
}

void LiveMap::linkTouched() {
    if (NavigationController* navigation = navigationController())
        navigation->popToRootViewControllerAnimated(true);
}

void LiveMap::showAlert(const QString& title, const QString& message, const QString& button) {
    if (AlertView::visibleAlert())
        return;
    auto* alert = new AlertView(title, message, button, {});
    alert->setHandler(this, [this](int) {
        if (NavigationController* navigation = navigationController())
            navigation->popViewControllerAnimated(true);
    });
    alert->show();
}

void LiveMap::didUpdateToLocation(const PositionFix& fix) {
    if (disappeared || !LocationManager::isAcceptable(fix))
        return;
    view(); // a fix may come before the page is on screen: the map is made now
    userLocation = fix;
    map->setUserLocation(fix);
    walking->readerAt(fix);
    if (!located) {
        located = true;
        firstFix(fix);
    }
}

// What each mode does once the reader's position is known.
void LiveMap::firstFix(const PositionFix& fix) {
    switch (pageMode) {
    case NearMe: {
        operationQueue.addOperation([this, self = QPointer<QObject>(this), here = fix] {
            if (disappeared)
                return;
            ::VenueList near = SQLDAL::getAllVenuesCloseTo(SQLDAL::Position{here.latitude, here.longitude});
            if (near.isEmpty())
                return;
            runOnMainThread(self, [this, near = std::move(near)] {
                allVenues = near;
                addVenuesToMapFromArray(allVenues);
            });
        });
        break;
    }
    case Walk:
        break; // the walk follows the reader
    case OneVenue: {
        const double d = distanceInMetres(fix.latitude, fix.longitude, venueLatitude, venueLongitude);
        if (venueLatitude != 0 && venueLongitude != 0)
            addPlacemark(
                {venueLatitude, venueLongitude, venueName, SQLDAL::getChapterNameForVenue(venueName), -1});
        if (d <= 10000)
            centerMapToCoordinateAndUserLocation(venueLatitude, venueLongitude);
        break;
    }
    case VenueList:
        addVenuesToMapFromArray(allVenues);
        break;
    }
}

void LiveMap::addPlacemark(const CustomPlacemark& placemark) {
    if (map)
        map->addAnnotations({MapAnnotation{placemark.latitude, placemark.longitude, placemark.title,
                                           placemark.subtitle, placemark.myID}});
}

void LiveMap::addVenuesToMapFromArray(const ::VenueList& venues) {
    if (disappeared || venues.isEmpty() || !map)
        return;
    QList<MapAnnotation> pins;
    pins.reserve(venues.size());
    for (const Venue& venue : venues) {
        if (venue.gpsLat == 0 || venue.gpsLong == 0)
            continue;
        // The chapter name is looked up when the pin's callout opens.
        pins.append(MapAnnotation{venue.gpsLat, venue.gpsLong, venue.venueName, QString(), venue.venueID});
    }
    map->addAnnotations(pins);
}

void LiveMap::centerMapToCoordinateAndUserLocation(double latitude, double longitude) {
    if (!userLocation || !map)
        return;
    const double d = distanceInMetres(latitude, longitude, userLocation->latitude, userLocation->longitude);
    map->setRegion({latitude, longitude, d / 80000.0, d / 80000.0}, true);
}

QList<CustomPlacemark> LiveMap::placemarks() const {
    QList<CustomPlacemark> list;
    if (map)
        for (const MapAnnotation& pin : map->annotations())
            list.append({pin.latitude, pin.longitude, pin.title, pin.subtitle, pin.tag});
    return list;
}

void LiveMap::walkToAnnotation(int index) {
    if (!map || index < 0 || index >= map->annotations().size())
        return;
    map->selectAnnotation(-1);
    walking->walkTo(map->annotations()[index].latitude, map->annotations()[index].longitude);
}

void LiveMap::expandAnnotation(int index) {
    if (!map || index < 0 || index >= map->annotations().size())
        return;
    const MapAnnotation& pin = map->annotations()[index];
    QString subtitle = pin.subtitle;
    if (subtitle.isEmpty())
        subtitle = SQLDAL::getChapterNameForVenue(pin.title);
    openVenueDetail(navigationController(), subtitle, pin.title, pin.tag);
}
