// Buildability, the generic placement of every footprint, the square search and movers.
#include "city/Placement.h"

#include "city/CityHost.h"
#include "city/CityState.h"

#include <string>

using namespace city;

namespace city {

bool IsFree(const CityState& state, int x, int y, int requirement) {
    if (requirement != 0)
        return state.IsCell(x, y, requirement);
    if (!CityState::OnMap(x, y))
        return false;
    switch (state.Cell(x, y).code) {
    case 9: case 10: case 11: case 23: case 30: case 48: case 49: case 65: case 66: case 82: case 83:
        return true;
    default:
        return false;
    }
}

namespace {

// A line object of five cells from (x, y) with steps (dx, dy); every cell must pass
// the exact cell test of the requirement.
bool PlaceLine(CityState& state, int x, int y, int dx, int dy, int requirement, int code, int marker) {
    for (int i = 0; i < 5; ++i)
        if (!state.IsCell(x + i * dx, y + i * dy, requirement))
            return false;
    for (int i = 0; i < 5; ++i) {
        state.SetCell(x + i * dx, y + i * dy, code);
        state.Cell(x + i * dx, y + i * dy).pendingCode = marker;
    }
    return true;
}

} // namespace

bool PlaceObject(CityState& state, int x, int y, int requirement, int footprint, int code) {
    switch (footprint) {
    case 1:
        if (!IsFree(state, x, y, requirement))
            return false;
        // Only the code: a zone keeps its other words when something is laid on it.
        state.Cell(x, y).code = code;
        return true;
    case 2:
    case 3:
    case 4: {
        const int n = footprint;
        for (int yy = y; yy < y + n; ++yy)
            for (int xx = x; xx < x + n; ++xx)
                if (!IsFree(state, xx, yy, requirement))
                    return false;
        for (int yy = y; yy < y + n; ++yy)
            for (int xx = x; xx < x + n; ++xx) {
                state.SetCell(xx, yy, kCodeCovered);
                state.Cell(xx, yy).anchorX = x;
                state.Cell(xx, yy).anchorY = y;
            }
        TMapCell& anchor = state.Cell(x, y);
        anchor.code = code;
        anchor.anchorX = 0;
        anchor.anchorY = 0;
        return true;
    }
    case 5:
        return PlaceLine(state, x, y, 1, 0, requirement, code, 5);
    case 6:
        return PlaceLine(state, x, y, 0, 1, requirement, code, 6);
    default:
        return false;
    }
}

TGridPos FindNear(const CityState& state, int x, int y, int radius, int selector) {
    for (int r = y - radius; r <= y + radius; ++r) {
        if (r == y)
            continue;
        for (int c = x - radius; c <= x + radius; ++c) {
            if (c == x)
                continue;
            if (state.IsCell(c, r, selector))
                return TGridPos{c, r};
        }
    }
    return TGridPos{};
}

bool IsCellToward(const CityState& state, int x, int y, int selector, int direction) {
    switch (direction) {
    case 1: return state.IsCell(x, y - 1, selector);
    case 2: return state.IsCell(x + 1, y, selector);
    case 3: return state.IsCell(x, y + 1, selector);
    case 4: return state.IsCell(x - 1, y, selector);
    default: return false;
    }
}

bool SpawnMover(CityState& state, CityHost& host, int x, int y, int kindCode) {
    int slot = 0;
    for (int i = 1; i < kMovers; ++i)
        if (!state.Movers[static_cast<size_t>(i)].active) {
            slot = i;
            break;
        }
    if (slot == 0)
        return false;
    TMover& mover = state.Movers[static_cast<size_t>(slot)];
    if (kindCode == kCodeRailway) {
        mover.stepTicks = 3;
        mover.kind = 1;
        mover.basePicture = 114;
    } else if (kindCode == kCodeWater) {
        mover.stepTicks = 6;
        mover.kind = 2;
        mover.basePicture = 198;
    }
    TGridPos at = FindNear(state, x, y, 3, kindCode);
    if (at.x == -1 && at.y == -1) {
        host.RunCommand("ECHO; Object not generated;", true, false);
        return false;
    }
    mover.direction = state.Random(4);
    mover.tick = 0;
    mover.x = at.x;
    mover.y = at.y;
    mover.active = 1;
    host.RunCommand("ECHO; Object generated at: " + std::to_string(at.x) + ", " + std::to_string(at.y) + ";", true,
                    false);
    return true;
}

void RespawnMovers(CityState& state, CityHost& host) {
    for (int y = 0; y < kMapSize; ++y)
        for (int x = 0; x < kMapSize; ++x) {
            const int code = state.Cell(x, y).code;
            if (code == kCodeStation)
                SpawnMover(state, host, x, y, kCodeRailway);
            else if (code == kCodeMarina)
                SpawnMover(state, host, x, y, kCodeWater);
        }
}

} // namespace city
