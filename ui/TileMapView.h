#pragma once

#include <cmath>

#include "platform/MapTiles.h"
#include "platform/PositionSource.h"
#include "ui/PinGroups.h"
#include "ui/TouchInput.h"
#include "ui/View.h"

#include <QCache>
#include <QPointer>
#include <functional>
#include <memory>
#include <optional>

class Button;
class Label;

// A pin on the map: where, what its callout says, and the tag its callout button carries.
struct MapAnnotation {
    double latitude = 0;
    double longitude = 0;
    QString title;
    QString subtitle;
    int tag = 0;
};

// A street map of Web Mercator tiles (the edition's MBTiles first, then an online tile server) with
// the reader's position as a dot in its accuracy circle, pins that drop in, a callout with title,
// subtitle and a disclosure button, and the tiles' attribution always in the corner. A region is a
// centre and spans in degrees; the zoom follows from the spans and the view's size. Dragging pans,
// the wheel, a pinch or a double tap zooms. Pins are drawn in one pass, so thousands stay smooth.
// Pins that would lie on top of each other are drawn as one marker with their count; a touch on it
// zooms in until they part, and at the deepest zoom they fan out around their place. A short list,
// and the pin whose callout is open, always stay pins.
class TileMapView : public View {
    Q_OBJECT
public:
    struct Region {
        double latitude = 0, longitude = 0, latitudeSpan = 0, longitudeSpan = 0;
    };

    // What decoded tiles may take (a 256-pixel tile is 256 KiB, a 512-pixel one 1 MiB).
    static constexpr int tileMemoryKiB = 48 * 1024;
    // A tile is a square of 256 or 512 pixels; any other picture is refused before it is decoded (a
    // small file may hold a picture of 64 MB).
    static std::optional<QPixmap> decodeTile(const QByteArray& bytes);

    explicit TileMapView(const QRect& frame, QWidget* parent = nullptr);
    ~TileMapView() override;

    // The tile sources, the first that has a tile wins; either may be null.
    void setTileSources(std::unique_ptr<MBTilesSource> offline, OnlineTileSource* online,
                        const QString& attribution);
    Label* attributionLabel() const { return attribution; }

    void setRegion(const Region& region, bool animated);
    Region region() const;
    void setCenterCoordinate(double latitude, double longitude);
    double zoomLevel() const { return zoom; }

    void setShowsUserLocation(bool shows);
    void setUserLocation(const std::optional<PositionFix>& fix);

    // Pins added in one call drop together and are painted in one pass.
    void addAnnotations(const QList<MapAnnotation>& pins);
    const QList<MapAnnotation>& annotations() const { return pins; }
    // Opens the callout of a pin (as a touch on it does); -1 closes it.
    void selectAnnotation(int index);
    int selectedAnnotation() const { return selected; }
    // The callout's subtitle when a pin has none yet (worked out only when a callout opens).
    void setSubtitleProvider(std::function<QString(const MapAnnotation&)> provider);
    View* calloutView() const { return callout; }
    Button* calloutButton() const { return disclosure; }
    // A pin's point in the view.
    QPointF pointFor(double latitude, double longitude) const;

    // Up to this many pins are never grouped.
    static constexpr int shortList = 12;
    // How near two pins may come on the screen before they are drawn as one group.
    static constexpr double groupDistance = 28;
    // The pins as drawn at the current zoom (a group of one is a pin), in points of the whole world.
    const QList<PinGroups::Group>& pinGroups() const;
    // Where a group's marker (or a pin's foot) stands in the view.
    QPointF pointOf(const PinGroups::Group& group) const;
    // As a touch on a group's marker: zooms in on its pins until they part.
    void openGroup(int index);

    // A walk drawn over the streets (x = longitude, y = latitude), dashed when it is the straight line
    // rather than a way along streets; none when empty.
    void setRoute(const QList<QPointF>& points, bool straight);
    const QList<QPointF>& route() const { return routePoints; }
    // Callouts get a "Walk" button beside the disclosure button.
    void setCalloutWalks(bool walks) { calloutWalks = walks; }
    Button* calloutWalkButton() const { return walkButton; }

signals:
    // The disclosure button of the open callout, with the pin's index.
    void calloutAccessoryTapped(int index);
    // The callout's "Walk" button, with the pin's index.
    void calloutWalkTapped(int index);
    // Tiles the view needs could come from no source; the description says why ("no Internet
    // connection" when the network failed).
    void didFailLoadingMap(const QString& description);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool event(QEvent* event) override;
    // Two fingers zoom, one finger is the mouse (a child of the view, which owns it).
    TouchPinch* pinch = nullptr;

private:
    // The tiles the view shows: their zoom level, their size and where tile (0, 0) would stand.
    struct TileGrid {
        int z = 0;
        double tilePoints = 0;
        QPointF origin;
        int x0 = 0, x1 = -1, y0 = 0, y1 = -1;
        TileKey key(int x, int y) const;
    };
    TileGrid visibleTiles() const;
    int tileZoom() const;
    QPointF worldPoint(double latitude, double longitude) const; // world points at the current zoom
    void zoomAbout(double newZoom, const QPointF& anchor);
    void loadVisibleTiles();
    std::optional<QPixmap> tilePicture(const TileKey& key) const;
    void tileArrived(const TileKey& key, std::optional<QByteArray> bytes, bool networkFailed);
    // What a touch at the point meets: a pin's index, or a group's (of pinGroups()); -1 for none.
    struct Touched {
        int pin = -1;
        int group = -1;
    };
    Touched touchedAt(const QPointF& point) const;
    // Whether any tile the view shows now has a picture.
    bool showsAnyTile() const;
    void paintNoMap(QPainter& painter, const QRectF& tile) const;
    void placeCallout();
    void revealCallout();

    double centreLatitude = 0, centreLongitude = 0;
    double zoom = 12;
    std::unique_ptr<MBTilesSource> offlineTiles;
    int offlineDeepest = 0;      // the offline tiles' deepest zoom level (0: not known)
    QList<double> offlineBounds; // west, south, east, north
    QPointer<OnlineTileSource> onlineTiles;
    // Decoded tiles, weighed in KiB: a fixed budget whatever size the tiles claim.
    QCache<TileKey, QPixmap> memory{tileMemoryKiB};
    QSet<TileKey> failed;
    bool failureReported = false;
    QList<MapAnnotation> pins;
    QList<QPointF> unitPoints; // each pin's place on the world at zoom 0, as a fraction of its side
    mutable QList<PinGroups::Group> groups;
    mutable double groupedZoom = -1;
    mutable qsizetype groupedPins = -1;
    mutable int groupedSelected = -2;
    QList<double> drop; // each pin's height above its point while it drops
    bool showsUser = false;
    std::optional<PositionFix> user;
    int selected = -1;
    std::function<QString(const MapAnnotation&)> subtitles;
    QPointer<View> callout;
    QPointer<Label> calloutTitle;
    QPointer<Label> calloutSubtitle;
    QPointer<Button> disclosure;
    QPointer<Button> walkButton;
    bool calloutWalks = false;
    QList<QPointF> routePoints;
    bool routeStraight = false;
    Label* attribution = nullptr;
    bool tracking = false;
    bool dragged = false;
    QPointF pressPoint;
    double pressLatitude = 0, pressLongitude = 0;
};
