#include "pages/MapWalk.h"

#include "catalog/Venue.h"
#include "ui/Images.h"
#include "ui/TileMapView.h"
#include "ui/View.h"

#include <algorithm>

MapWalk::MapWalk(TileMapView* map) : QObject(map), map(map) {
    queue.setMaxConcurrentOperationCount(1);
}

MapWalk::~MapWalk() {
    queue.cancelAllOperations();
    queue.waitUntilAllOperationsAreFinished();
}

void MapWalk::walkTo(double latitude, double longitude) {
    target = QPointF(longitude, latitude);
    current.reset();
    if (!label && map) {
        label = new Label(QRect(0, 0, map->width(), 34), map);
        label->setBackgroundColor(QColor(0, 0, 0, 190));
        label->setTextColor(Qt::white);
        label->setFont(Fonts::boldSystem(12));
        label->setTextAlignment(Qt::AlignCenter);
        label->setNumberOfLines(2);
        label->show();
    }
    label->setText(QStringLiteral("Waiting for your position..."));
    planAgain();
}

void MapWalk::readerAt(const PositionFix& fix) {
    reader = fix;
    if (!current) {
        if (!planning)
            planAgain(); // the first position: the first plan
        return;
    }
    if (WalkPlan::strayMetres(*current, fix.latitude, fix.longitude) > WalkPlan::strayLimitMetres)
        planAgain();
}

void MapWalk::planAgain() {
    if (!target || !reader)
        return;
    if (planning) {
        again = true;
        return;
    }
    planning = true;
    const bool first = !current;
    const PositionFix from = *reader;
    const QPointF to = *target;
    const bool imperial = distanceIsImperial();
    queue.addOperation([self = QPointer<MapWalk>(this), from, to, imperial, first] {
        const WalkPlan::Plan plan = WalkPlan::plan(from.latitude, from.longitude, to.y(), to.x(), imperial);
        runOnMainThread(QPointer<QObject>(self.data()), [self, plan, first] {
            if (self)
                self->show(plan, first);
        });
    });
}

void MapWalk::show(const WalkPlan::Plan& plan, bool first) {
    planning = false;
    ++made;
    current = plan;
    if (map) {
        map->setRoute(plan.points, plan.straight);
        if (first) {
            // The whole walk in view, with room around it.
            double south = 90, north = -90, west = 180, east = -180;
            for (const QPointF& point : plan.points) {
                south = std::min(south, point.y());
                north = std::max(north, point.y());
                west = std::min(west, point.x());
                east = std::max(east, point.x());
            }
            map->setRegion({(south + north) / 2, (west + east) / 2, (north - south) * 1.3 + 0.002,
                            (east - west) * 1.3 + 0.002},
                           true);
        }
    }
    if (label)
        label->setText(plan.text);
    if (again) {
        again = false;
        planAgain();
    }
}
