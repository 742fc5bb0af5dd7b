// What a drag would do, worked out without doing it: the objects it lays, the cells they
// cover, whether the check pass lets it through and what it costs.
#pragma once

#include "city/CityTypes.h"

#include <cstdint>
#include <vector>

class CityState;

namespace city {

// One object of the drag, at its anchor, in building order.
struct DragObject {
    int x = 0, y = 0;
    bool groundFree = false; // the anchor cell passes the check pass's ground test
    bool affordable = false; // the funds cover the running total up to this object
    bool builds = false;     // the build pass lays it (its whole footprint is free)
};

class DragPlan {
public:
    enum class Outcome {
        Builds,        // the check pass lets it through: the objects are laid and paid for
        RefusedGround, // an anchor is not free: nothing is built or charged
        RefusedMoney,  // the funds run out: nothing is built or charged
        NothingToLay,  // the tool has no object type (query, centre)
        NoFootprint,   // the tool's footprint gives no step from one object to the next
    };

    int code = 0;
    int size = 0;
    std::vector<DragObject> objects;
    // The drag's total price, the sum over every object, charged in full when it builds.
    std::int64_t total = 0;
    Outcome outcome = Outcome::NothingToLay;

    // The cells an object at (x, y) covers with this plan's footprint.
    std::vector<TGridPos> Footprint(int x, int y) const;
};

// The plan of a drag between two corners with the current tool, as the second
// shift-click would carry it out. Reads the city only: no cell, no funds, no draw.
DragPlan PlanDrag(const CityState& state, int endX, int endY, int startX, int startY);

} // namespace city
