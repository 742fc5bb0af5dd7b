// The dry run of a drag: the check pass and the build pass judged on the map as it is.
#include "city/DragPlan.h"

#include "city/CityState.h"
#include "city/Placement.h"

#include <algorithm>

namespace city {

std::vector<TGridPos> DragPlan::Footprint(int x, int y) const {
    std::vector<TGridPos> cells;
    if (size >= 1 && size <= 4) {
        for (int yy = y; yy < y + size; ++yy)
            for (int xx = x; xx < x + size; ++xx)
                cells.push_back(TGridPos{xx, yy});
    } else if (size == 5 || size == 6) {
        for (int i = 0; i < 5; ++i)
            cells.push_back(size == 5 ? TGridPos{x + i, y} : TGridPos{x, y + i});
    }
    return cells;
}

namespace {

// Whether the generic placement with requirement 0 would lay a footprint at (x, y).
bool WouldPlace(const CityState& state, const DragPlan& plan, int x, int y) {
    if (plan.size == 1)
        return IsFree(state, x, y, 0);
    for (const TGridPos& c : plan.Footprint(x, y)) {
        // The lines take the exact cell test, the squares the buildability test.
        const bool ok = plan.size >= 5 ? state.IsCell(c.x, c.y, 0) : IsFree(state, c.x, c.y, 0);
        if (!ok)
            return false;
    }
    return true;
}

} // namespace

DragPlan PlanDrag(const CityState& state, int endX, int endY, int startX, int startY) {
    DragPlan plan;
    plan.code = state.toolCode;
    if (!state.TypeOf(plan.code)) {
        plan.outcome = DragPlan::Outcome::NothingToLay;
        return plan;
    }
    plan.size = state.SizeOf(plan.code);
    if (plan.size < 1 || plan.size > 6) {
        plan.outcome = DragPlan::Outcome::NoFootprint;
        return plan;
    }
    const int x0 = std::min(startX, endX), x1 = std::max(startX, endX);
    const int y0 = std::min(startY, endY), y1 = std::max(startY, endY);
    // The click itself is refused when the funds do not cover one price.
    bool refused = state.funds < state.toolPrice;
    if (refused)
        plan.outcome = DragPlan::Outcome::RefusedMoney;
    // The anchors step by the footprint, so no object covers another's cells and each
    // is judged on the map as it stands before the drag.
    for (int ay = y0; ay <= y1; ay += plan.size)
        for (int ax = x0; ax <= x1; ax += plan.size) {
            plan.total += state.toolPrice;
            DragObject object;
            object.x = ax;
            object.y = ay;
            object.groundFree = IsFree(state, ax, ay, 0);
            object.affordable = state.funds >= plan.total;
            object.builds = WouldPlace(state, plan, ax, ay);
            if (!refused && !object.groundFree) {
                refused = true;
                plan.outcome = DragPlan::Outcome::RefusedGround;
            } else if (!refused && !object.affordable) {
                refused = true;
                plan.outcome = DragPlan::Outcome::RefusedMoney;
            }
            plan.objects.push_back(object);
        }
    if (!refused)
        plan.outcome = DragPlan::Outcome::Builds;
    return plan;
}

} // namespace city
