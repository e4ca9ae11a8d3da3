#pragma once

#include "pages/WalkPlan.h"
#include "platform/OperationQueue.h"
#include "platform/PositionSource.h"

#include <QObject>
#include <QPointer>

#include <optional>

class Label;
class TileMapView;

// The walk to a venue on the live map: planned from the reader's position once it is known, drawn
// over the streets with its length and time in a strip at the top, and planned anew when the reader
// strays more than 30 m from it.
class MapWalk : public QObject {
    Q_OBJECT
public:
    explicit MapWalk(TileMapView* map);
    ~MapWalk() override;

    // Walks to the place from wherever the reader is (or will be).
    void walkTo(double latitude, double longitude);
    // A new position of the reader.
    void readerAt(const PositionFix& fix);

    bool active() const { return target.has_value(); }
    const std::optional<WalkPlan::Plan>& plan() const { return current; }
    Label* strip() const { return label; }
    int plansMade() const { return made; }

private:
    void planAgain();
    void show(const WalkPlan::Plan& plan, bool first);

    QPointer<TileMapView> map;
    QPointer<Label> label;
    std::optional<QPointF> target; // x = longitude
    std::optional<PositionFix> reader;
    std::optional<WalkPlan::Plan> current;
    bool planning = false;
    bool again = false; // the reader moved while a plan was made
    int made = 0;
    OperationQueue queue;
};
