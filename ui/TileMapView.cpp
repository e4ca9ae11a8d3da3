#include "ui/TileMapView.h"

#include "ui/Animation.h"
#include "ui/Images.h"

#include <QBuffer>
#include <QImageReader>
#include <QMouseEvent>
#include <QNativeGestureEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWheelEvent>
#include <cmath>
#include <numbers>

namespace {

constexpr double minZoom = 2;
constexpr double maxZoom = 19;
constexpr int pinHeight = 32;

// The callout's disclosure button: a blue circle with a white chevron.
class DisclosureButton : public Button {
public:
    using Button::Button;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QRectF circle = QRectF(rect()).adjusted(2, 2, -2, -2);
        painter.setPen(QPen(Qt::white, 2));
        painter.setBrush(isHighlighted() ? QColor(20, 80, 170) : QColor(35, 120, 230));
        painter.drawEllipse(circle);
        QPainterPath chevron;
        const QPointF c = circle.center();
        chevron.moveTo(c + QPointF(-3, -6));
        chevron.lineTo(c + QPointF(3, 0));
        chevron.lineTo(c + QPointF(-3, 6));
        painter.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(chevron);
    }
};

void drawPin(QPainter& painter, const QPointF& foot, double lift) {
    const QPointF top = foot - QPointF(0, pinHeight + lift);
    painter.setPen(QPen(QColor(60, 60, 60), 2));
    painter.drawLine(foot - QPointF(0, lift), top + QPointF(0, 8));
    QRadialGradient head(top + QPointF(-2, -2), 9);
    head.setColorAt(0, QColor(255, 140, 140));
    head.setColorAt(1, QColor(200, 20, 20));
    painter.setPen(QPen(QColor(120, 0, 0), 1));
    painter.setBrush(head);
    painter.drawEllipse(top, 7, 7);
}

// A group's marker: a red disc with the number of its pins, lifted while it drops.
void drawGroup(QPainter& painter, const QPointF& centre, qsizetype count, double lift) {
    const QPointF at = centre - QPointF(0, lift);
    const double radius = count < 10 ? 13 : count < 100 ? 15 : 17;
    painter.setPen(QPen(Qt::white, 2));
    painter.setBrush(QColor(200, 20, 20));
    painter.drawEllipse(at, radius, radius);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(count < 100 ? 12 : 11);
    painter.setFont(font);
    painter.drawText(QRectF(at.x() - radius, at.y() - radius, 2 * radius, 2 * radius), Qt::AlignCenter,
                     QString::number(count));
}

} // namespace

TileMapView::TileMapView(const QRect& frame, QWidget* parent) : View(frame, parent) {
    setBackgroundColor(QColor(0xf2, 0xef, 0xe9));
    attribution = new Label(QRect(), this);
    attribution->setFont(Fonts::system(10));
    attribution->setTextColor(QColor(40, 40, 40));
    attribution->setBackgroundColor(QColor(255, 255, 255, 190));
    attribution->setTextAlignment(Qt::AlignCenter);
    attribution->setUserInteractionEnabled(false);
    // Two fingers zoom about the point between them; one finger drags and taps as the mouse does.
    pinch = new TouchPinch(
        this, [this](double factor, const QPointF& centre) { zoomAbout(zoom + std::log2(factor), centre); });
}

TileMapView::~TileMapView() = default;

void TileMapView::setTileSources(std::unique_ptr<MBTilesSource> offline, OnlineTileSource* online,
                                 const QString& text) {
    offlineTiles = std::move(offline);
    onlineTiles = online;
    offlineDeepest = offlineTiles ? offlineTiles->metadata(QStringLiteral("maxzoom")).toInt() : 0;
    offlineBounds = offlineTiles ? offlineTiles->bounds().value_or(QList<double>()) : QList<double>();
    attribution->setText(text);
    const int w = measureTextWidth(attribution->font(), text) + 8;
    attribution->setFrame(QRect(width() - w - 2, height() - 16, w, 14));
    attribution->setHidden(text.isEmpty());
    memory.clear();
    failed.clear();
    loadVisibleTiles();
    update();
}

int TileMapView::tileZoom() const {
    int z = int(std::clamp(std::round(zoom), minZoom, maxZoom));
    // Over the edition's own tiles, their deepest level is shown enlarged rather than asked of the
    // network.
    if (offlineDeepest > 0 && z > offlineDeepest && offlineBounds.size() == 4 &&
        centreLongitude >= offlineBounds[0] && centreLatitude >= offlineBounds[1] &&
        centreLongitude <= offlineBounds[2] && centreLatitude <= offlineBounds[3])
        z = offlineDeepest;
    return z;
}

QPointF TileMapView::worldPoint(double latitude, double longitude) const {
    const double points = TileMath::tileSize * std::exp2(zoom);
    return QPointF(TileMath::tileX(longitude, 0) * points, TileMath::tileY(latitude, 0) * points);
}

QPointF TileMapView::pointFor(double latitude, double longitude) const {
    return worldPoint(latitude, longitude) - worldPoint(centreLatitude, centreLongitude) +
           QPointF(width() / 2.0, height() / 2.0);
}

void TileMapView::setRegion(const Region& region, bool animated) {
    const double target = std::clamp(
        TileMath::zoomForSpans(region.latitude, region.latitudeSpan, region.longitudeSpan, QSizeF(size())),
        minZoom, maxZoom);
    if (!animated || !Animation::enabled()) {
        centreLatitude = region.latitude;
        centreLongitude = region.longitude;
        zoom = target;
        loadVisibleTiles();
        placeCallout();
        update();
        return;
    }
    const Region from = this->region();
    const double fromZoom = zoom;
    QPointer<TileMapView> self(this);
    Animation::animateSteps(this, 400, [self, from, fromZoom, region, target](double t) {
        if (!self)
            return;
        self->centreLatitude = from.latitude + (region.latitude - from.latitude) * t;
        self->centreLongitude = from.longitude + (region.longitude - from.longitude) * t;
        self->zoom = fromZoom + (target - fromZoom) * t;
        if (t >= 1.0)
            self->loadVisibleTiles();
        self->placeCallout();
        self->update();
    });
}

TileMapView::Region TileMapView::region() const {
    const QSizeF spans = TileMath::spansAt(centreLatitude, zoom, QSizeF(size()));
    return {centreLatitude, centreLongitude, spans.height(), spans.width()};
}

void TileMapView::setCenterCoordinate(double latitude, double longitude) {
    centreLatitude = latitude;
    centreLongitude = longitude;
    loadVisibleTiles();
    placeCallout();
    update();
}

void TileMapView::setShowsUserLocation(bool shows) {
    showsUser = shows;
    update();
}

void TileMapView::setUserLocation(const std::optional<PositionFix>& fix) {
    user = fix;
    update();
}

void TileMapView::setSubtitleProvider(std::function<QString(const MapAnnotation&)> provider) {
    subtitles = std::move(provider);
}

void TileMapView::addAnnotations(const QList<MapAnnotation>& added) {
    if (added.isEmpty())
        return;
    const qsizetype first = pins.size();
    pins += added;
    for (const MapAnnotation& pin : added)
        unitPoints.append(QPointF(TileMath::tileX(pin.longitude, 0), TileMath::tileY(pin.latitude, 0)));
    for (qsizetype i = 0; i < added.size(); ++i)
        drop.append(height());
    // The new pins fall from above the view onto their places.
    QPointer<TileMapView> self(this);
    const double start = height();
    Animation::animateSteps(this, 400, [self, first, start](double t) {
        if (!self)
            return;
        for (qsizetype i = first; i < self->drop.size(); ++i)
            self->drop[i] = start * (1.0 - t) * (1.0 - t);
        self->update();
    });
    update();
}

void TileMapView::zoomAbout(double newZoom, const QPointF& anchor) {
    newZoom = std::clamp(newZoom, minZoom, maxZoom);
    // The place under the anchor stays under it.
    const double points = TileMath::tileSize * std::exp2(zoom);
    const QPointF centre = worldPoint(centreLatitude, centreLongitude);
    const QPointF under = (centre + anchor - QPointF(width() / 2.0, height() / 2.0)) / points;
    zoom = newZoom;
    const double newPoints = TileMath::tileSize * std::exp2(zoom);
    const QPointF newCentre = under * newPoints - anchor + QPointF(width() / 2.0, height() / 2.0);
    centreLongitude = TileMath::longitude(newCentre.x() / newPoints, 0);
    centreLatitude = TileMath::latitude(newCentre.y() / newPoints, 0);
    loadVisibleTiles();
    placeCallout();
    update();
}

std::optional<QPixmap> TileMapView::tilePicture(const TileKey& key) const {
    if (QPixmap* picture = memory.object(key))
        return *picture;
    return std::nullopt;
}

bool TileMapView::showsAnyTile() const {
    const TileGrid grid = visibleTiles();
    for (int y = grid.y0; y <= grid.y1; ++y) {
        for (int x = grid.x0; x <= grid.x1; ++x) {
            if (memory.contains(grid.key(x, y)))
                return true;
        }
    }
    return false;
}

TileMapView::TileGrid TileMapView::visibleTiles() const {
    TileGrid grid;
    grid.z = tileZoom();
    grid.tilePoints = TileMath::tileSize * std::exp2(zoom - grid.z);
    const QPointF centre(TileMath::tileX(centreLongitude, grid.z), TileMath::tileY(centreLatitude, grid.z));
    grid.origin = QPointF(width() / 2.0, height() / 2.0) - centre * grid.tilePoints;
    const int n = 1 << grid.z;
    grid.x0 = int(std::floor(-grid.origin.x() / grid.tilePoints));
    grid.x1 = int(std::floor((width() - grid.origin.x()) / grid.tilePoints));
    grid.y0 = std::max(0, int(std::floor(-grid.origin.y() / grid.tilePoints)));
    grid.y1 = std::min(n - 1, int(std::floor((height() - grid.origin.y()) / grid.tilePoints)));
    return grid;
}

TileKey TileMapView::TileGrid::key(int x, int y) const {
    const int n = 1 << z;
    return {z, ((x % n) + n) % n, y}; // the world repeats east and west
}

void TileMapView::loadVisibleTiles() {
    if (width() <= 0 || height() <= 0)
        return;
    const TileGrid grid = visibleTiles();
    // Only what the view shows now is fetched.
    if (onlineTiles)
        onlineTiles->cancelPending();
    for (int y = grid.y0; y <= grid.y1; ++y) {
        for (int x = grid.x0; x <= grid.x1; ++x) {
            const TileKey key = grid.key(x, y);
            if (memory.contains(key) || failed.contains(key))
                continue;
            std::optional<QByteArray> bytes = offlineTiles ? offlineTiles->tile(key) : std::nullopt;
            if (!bytes && onlineTiles)
                bytes = onlineTiles->cached(key);
            if (bytes) {
                tileArrived(key, bytes, false);
                continue;
            }
            if (onlineTiles) {
                QPointer<TileMapView> self(this);
                onlineTiles->fetch(key, this,
                                   [self, key](std::optional<QByteArray> fetched, bool networkFailed) {
                                       if (self)
                                           self->tileArrived(key, std::move(fetched), networkFailed);
                                   });
            }
        }
    }
}

std::optional<QPixmap> TileMapView::decodeTile(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer);
    const QSize size = reader.size(); // from the header, nothing decoded yet
    if (size != QSize(256, 256) && size != QSize(512, 512))
        return std::nullopt;
    const QImage image = reader.read();
    if (image.isNull() || image.size() != size)
        return std::nullopt;
    return QPixmap::fromImage(image);
}

void TileMapView::tileArrived(const TileKey& key, std::optional<QByteArray> bytes, bool networkFailed) {
    const std::optional<QPixmap> picture = bytes ? decodeTile(*bytes) : std::nullopt;
    if (picture) {
        const int kib = int(qint64(picture->width()) * picture->height() * 4 / 1024);
        memory.insert(key, new QPixmap(*picture), kib);
        failureReported = false;
        update();
        return;
    }
    failed.insert(key);
    if (bytes && onlineTiles)
        onlineTiles->forget(key); // a picture that does not decode is not kept for a week
    update();
    // With tiles of its own on screen the map is of use: the gaps say "no map here" and the map
    // stays quiet. Only a map that can show nothing reports the failure.
    if (networkFailed && !failureReported && !showsAnyTile()) {
        failureReported = true;
        emit didFailLoadingMap(QStringLiteral("no Internet connection"));
    }
}

// A tile that no source has: light hatching and, where there is room, the words.
void TileMapView::paintNoMap(QPainter& painter, const QRectF& tile) const {
    painter.save();
    painter.fillRect(tile, QColor(226, 226, 222));
    painter.setPen(QPen(QColor(205, 205, 200), 1));
    painter.setClipRect(tile);
    for (double d = -tile.height(); d < tile.width(); d += 16)
        painter.drawLine(QPointF(tile.left() + d, tile.bottom()),
                         QPointF(tile.left() + d + tile.height(), tile.top()));
    if (tile.width() >= 120) {
        painter.setPen(QColor(130, 130, 125));
        painter.setFont(Fonts::system(12));
        painter.drawText(tile, Qt::AlignCenter, QStringLiteral("No map here"));
    }
    painter.restore();
}

void TileMapView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), backgroundColor());
    const TileGrid grid = visibleTiles();
    painter.setRenderHint(QPainter::SmoothPixmapTransform,
                          std::abs(grid.tilePoints - TileMath::tileSize) > TileMath::tileSize * 0.01);
    for (int y = grid.y0; y <= grid.y1; ++y) {
        for (int x = grid.x0; x <= grid.x1; ++x) {
            const QRectF target(grid.origin.x() + x * grid.tilePoints, grid.origin.y() + y * grid.tilePoints,
                                grid.tilePoints, grid.tilePoints);
            if (auto picture = tilePicture(grid.key(x, y)))
                painter.drawPixmap(target, *picture, QRectF(picture->rect()));
            else if (failed.contains(grid.key(x, y)))
                paintNoMap(painter, target);
        }
    }

    painter.setRenderHint(QPainter::Antialiasing);
    if (routePoints.size() >= 2) {
        QPolygonF line;
        for (const QPointF& point : std::as_const(routePoints))
            line.append(pointFor(point.y(), point.x()));
        QPen pen(QColor(0, 122, 255, 200), 5, routeStraight ? Qt::DashLine : Qt::SolidLine, Qt::RoundCap,
                 Qt::RoundJoin);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawPolyline(line);
    }
    if (showsUser && user) {
        const QPointF at = pointFor(user->latitude, user->longitude);
        const double metresPerPoint = 40075016.686 * std::cos(user->latitude * std::numbers::pi / 180.0) /
                                      (TileMath::tileSize * std::exp2(zoom));
        const double radius = std::max(0.0, user->horizontalAccuracy) / metresPerPoint;
        painter.setPen(QPen(QColor(30, 110, 230, 120), 1));
        painter.setBrush(QColor(30, 110, 230, 40));
        painter.drawEllipse(at, radius, radius);
        painter.setPen(QPen(Qt::white, 3));
        painter.setBrush(QColor(30, 110, 230));
        painter.drawEllipse(at, 7, 7);
    }
    const QRectF shown = QRectF(rect()).adjusted(-20, -20, 20, pinHeight + height());
    for (const PinGroups::Group& group : pinGroups()) {
        const QPointF foot = pointOf(group);
        if (!shown.contains(foot))
            continue;
        if (group.members.size() == 1)
            drawPin(painter, foot, drop.value(group.members[0]));
        else
            drawGroup(painter, foot, group.members.size(), drop.value(group.members[0]));
    }
}

const QList<PinGroups::Group>& TileMapView::pinGroups() const {
    if (groupedZoom == zoom && groupedPins == pins.size() && groupedSelected == selected)
        return groups;
    groupedZoom = zoom;
    groupedPins = pins.size();
    groupedSelected = selected;
    const double scale = TileMath::tileSize * std::exp2(zoom);
    QList<QPointF> points;
    points.reserve(unitPoints.size());
    for (const QPointF& unit : unitPoints)
        points.append(unit * scale);
    if (pins.size() <= shortList) {
        groups.clear();
        for (int i = 0; i < points.size(); ++i)
            groups.append({points[i], {i}});
        return groups;
    }
    // The pin whose callout is open stays a pin; at the deepest zoom it keeps its place in the ring.
    QSet<int> alone;
    if (selected >= 0 && zoom < maxZoom)
        alone.insert(selected);
    groups = PinGroups::group(points, groupDistance, alone);
    // At the deepest zoom a group cannot part: its pins stand around its place instead.
    if (zoom >= maxZoom)
        groups = PinGroups::spread(groups, groupDistance);
    return groups;
}

QPointF TileMapView::pointOf(const PinGroups::Group& group) const {
    return group.point - worldPoint(centreLatitude, centreLongitude) + QPointF(width() / 2.0, height() / 2.0);
}

void TileMapView::setRoute(const QList<QPointF>& points, bool straight) {
    routePoints = points;
    routeStraight = straight;
    update();
}

void TileMapView::openGroup(int index) {
    const QList<PinGroups::Group>& shown = pinGroups();
    if (index < 0 || index >= shown.size())
        return;
    double south = 90, north = -90, west = 180, east = -180;
    for (int member : shown[index].members) {
        south = std::min(south, pins[member].latitude);
        north = std::max(north, pins[member].latitude);
        west = std::min(west, pins[member].longitude);
        east = std::max(east, pins[member].longitude);
    }
    // The group's pins with room around them, and at least one level deeper than now.
    const double latitude = (south + north) / 2, longitude = (west + east) / 2;
    const double fitting =
        TileMath::zoomForSpans(latitude, (north - south) * 2, (east - west) * 2, QSizeF(size()));
    const double target = std::clamp(std::max(fitting, std::floor(zoom) + 1), minZoom, maxZoom);
    const QSizeF spans = TileMath::spansAt(latitude, target, QSizeF(size()));
    setRegion({latitude, longitude, spans.height(), spans.width()}, true);
}

void TileMapView::resizeEvent(QResizeEvent* event) {
    View::resizeEvent(event);
    const int w = attribution->width();
    attribution->move(width() - w - 2, height() - 16);
    loadVisibleTiles();
    placeCallout();
}

TileMapView::Touched TileMapView::touchedAt(const QPointF& point) const {
    // The topmost pin whose head or stick is under the touch, or group whose marker is.
    const QList<PinGroups::Group>& shown = pinGroups();
    for (qsizetype i = shown.size() - 1; i >= 0; --i) {
        const QPointF foot = pointOf(shown[i]);
        if (shown[i].members.size() == 1) {
            if (QRectF(foot.x() - 10, foot.y() - pinHeight - 10, 20, pinHeight + 12).contains(point))
                return {shown[i].members[0], -1};
        } else if (QLineF(foot, point).length() <= 20) {
            return {-1, int(i)};
        }
    }
    return {};
}

void TileMapView::selectAnnotation(int index) {
    if (callout)
        callout->removeFromSuperview();
    selected = index >= 0 && index < pins.size() ? index : -1;
    if (selected < 0)
        return;
    MapAnnotation& pin = pins[selected];
    if (pin.subtitle.isEmpty() && subtitles)
        pin.subtitle = subtitles(pin);
    const QFont titleFont = Fonts::boldSystem(15);
    const QFont subtitleFont = Fonts::system(12);
    const int textWidth = std::clamp(
        std::max(measureTextWidth(titleFont, pin.title), measureTextWidth(subtitleFont, pin.subtitle)), 60,
        220);
    const int walkWidth = calloutWalks ? 52 : 0;
    auto* box = new View(QRect(0, 0, textWidth + 56 + walkWidth, 46), this);
    box->setBackgroundColor(QColor(20, 20, 20, 225));
    calloutTitle = new Label(QRect(10, 5, textWidth, 20), box);
    calloutTitle->setFont(titleFont);
    calloutTitle->setTextColor(Qt::white);
    calloutTitle->setText(pin.title);
    calloutSubtitle = new Label(QRect(10, 24, textWidth, 16), box);
    calloutSubtitle->setFont(subtitleFont);
    calloutSubtitle->setTextColor(QColor(220, 220, 220));
    calloutSubtitle->setText(pin.subtitle);
    if (calloutWalks) {
        walkButton = new Button(QRect(textWidth + 14, 9, 48, 28), box);
        walkButton->setBackgroundColor(QColor(35, 120, 230));
        walkButton->setTitle(QStringLiteral("Walk"));
        walkButton->setTitleColor(Qt::white);
        walkButton->setTitleFont(Fonts::boldSystem(12));
        walkButton->setAccessibleName(QStringLiteral("Walk there"));
        connect(walkButton, &Button::touchUpInside, this, [this] { emit calloutWalkTapped(selected); });
    }
    disclosure = new DisclosureButton(QRect(textWidth + 18 + walkWidth, 7, 32, 32), box);
    disclosure->setTag(pin.tag);
    disclosure->setAccessibleName(QStringLiteral("Details"));
    connect(disclosure, &Button::touchUpInside, this, [this] { emit calloutAccessoryTapped(selected); });
    box->show();
    callout = box;
    placeCallout();
    revealCallout();
    attribution->raise();
}

void TileMapView::revealCallout() {
    // As the phone's map does: a callout that would stand partly off the view moves the map until
    // it is whole.
    constexpr int margin = 6;
    const QRect box = callout->geometry();
    QPoint by;
    if (box.left() < margin)
        by.setX(box.left() - margin);
    else if (box.right() > width() - 1 - margin)
        by.setX(box.right() - (width() - 1 - margin));
    if (box.top() < margin)
        by.setY(box.top() - margin);
    if (by.isNull() || width() <= 0)
        return;
    const double points = TileMath::tileSize * std::exp2(zoom);
    const QPointF centre =
        QPointF(TileMath::tileX(centreLongitude, 0), TileMath::tileY(centreLatitude, 0)) * points + by;
    centreLongitude = TileMath::longitude(centre.x() / points, 0);
    centreLatitude = std::clamp(TileMath::latitude(centre.y() / points, 0), -85.0, 85.0);
    placeCallout();
    loadVisibleTiles();
    update();
}

void TileMapView::placeCallout() {
    if (!callout || selected < 0)
        return;
    QPointF foot = pointFor(pins[selected].latitude, pins[selected].longitude);
    for (const PinGroups::Group& group : pinGroups()) {
        if (group.members.size() == 1 && group.members[0] == selected)
            foot = pointOf(group); // a pin of a ring stands off its place
    }
    callout->move(int(foot.x() - callout->width() / 2.0), int(foot.y() - pinHeight - 12 - callout->height()));
}

void TileMapView::mousePressEvent(QMouseEvent* event) {
    tracking = true;
    dragged = false;
    pressPoint = event->position();
    pressLatitude = centreLatitude;
    pressLongitude = centreLongitude;
}

void TileMapView::mouseMoveEvent(QMouseEvent* event) {
    if (!tracking)
        return;
    const QPointF moved = event->position() - pressPoint;
    if (!dragged && moved.manhattanLength() < 6)
        return;
    dragged = true;
    const double points = TileMath::tileSize * std::exp2(zoom);
    const QPointF start(TileMath::tileX(pressLongitude, 0) * points,
                        TileMath::tileY(pressLatitude, 0) * points);
    const QPointF now = start - moved;
    centreLongitude = TileMath::longitude(now.x() / points, 0);
    centreLatitude = std::clamp(TileMath::latitude(now.y() / points, 0), -85.0, 85.0);
    placeCallout();
    update();
}

void TileMapView::mouseReleaseEvent(QMouseEvent* event) {
    const bool tap = tracking && !dragged;
    tracking = false;
    if (dragged) {
        loadVisibleTiles();
        return;
    }
    if (!tap)
        return;
    const Touched touched = touchedAt(event->position());
    if (touched.group >= 0)
        openGroup(touched.group);
    else
        selectAnnotation(touched.pin);
}

void TileMapView::mouseDoubleClickEvent(QMouseEvent* event) {
    zoomAbout(std::round(zoom) + 1, event->position());
}

void TileMapView::wheelEvent(QWheelEvent* event) {
    zoomAbout(zoom + event->angleDelta().y() / 240.0, event->position());
    event->accept();
}

bool TileMapView::event(QEvent* event) {
    if (pinch && pinch->handle(event))
        return true;
    if (event->type() == QEvent::NativeGesture) {
        auto* gesture = static_cast<QNativeGestureEvent*>(event);
        if (gesture->gestureType() == Qt::ZoomNativeGesture) {
            zoomAbout(zoom + std::log2(1.0 + gesture->value()), gesture->position());
            return true;
        }
    }
    return View::event(event);
}
