// Mouse mapping, the click of every tool, the shift-drag and the charging of prices.
#include "city/CityInput.h"

#include "city/CityHost.h"
#include "city/CityState.h"
#include "city/Placement.h"
#include "city/Simulation.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>

using namespace city;

namespace {

const char* const kMoneySound = "SOUND; PLAY; Money.wav;";
const char* const kTerrainSound = "SOUND; PLAY; Terrain.wav;";

// Money and populations stay 32-bit; a sum that would leave the range stops at its end
// instead of wrapping round.
std::int32_t Clamped(std::int64_t value) {
    if (value > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    if (value < std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

void Charge(CityState& state, std::int64_t amount) { state.funds = Clamped(std::int64_t{state.funds} - amount); }

} // namespace

namespace city {

std::optional<ViewSpot> PointAtCell(const CityState& state, int horz, int vert, int x, int y) {
    if (!CityState::OnMap(x, y))
        return std::nullopt;
    // Each cell is written once into the lookup; its flat index gives row and column.
    for (int index = 0; index < kViewRows * kViewCols; ++index) {
        const TGridPos p = state.ViewGrid[static_cast<size_t>(index)];
        if (p.x != x || p.y != y)
            continue;
        const int row = index / kViewCols, col = index % kViewCols;
        auto underBands = [&](int h, int v) {
            return row - 1 - v >= 0 && row - 1 - v <= 21 && col - h >= 0 && col - h <= 11;
        };
        if (!underBands(horz, vert)) {
            horz = std::clamp(col - 6, 0, 70);
            vert = std::clamp(row - 12, 0, 141);
        }
        return ViewSpot{horz, vert, 60 * (col - horz) + 30, 46 + 15 * (row - 1 - vert) + 7};
    }
    return std::nullopt;
}

} // namespace city

void CityInput::FormMouseMove(bool /*shift*/, int X, int Y) {
    if (!host_.GameScreenShown())
        return;
    // Bands of 15 pixels from Y = 46 to 375 and of 60 pixels from X = 1 to 720; a point
    // outside them is not over the map.
    if (Y <= 45 || Y > 375 || X <= 0 || X > 720) {
        state_.cursorValid = 0;
        return;
    }
    const int iY = (Y - 46) / 15;
    const int iX = (X - 1) / 60;
    const int viewRow = iY + 1 + host_.VertPosition();
    const int viewCol = iX + host_.HorzPosition();
    const TGridPos cell = state_.ViewAt(viewRow, viewCol);
    state_.cursorValid = (cell.x != -1 || cell.y != -1) ? 1 : 0;
    state_.cursorScreenX = 60 * iX - (viewRow % 2 != 0 ? 30 : 0);
    state_.cursorScreenY = 60 + 15 * iY;
    state_.cursorX = cell.x;
    state_.cursorY = cell.y;
    // The cursor picture of a larger footprint starts further left; the query and
    // centre tools have no object type and use a one-cell cursor.
    const int code = (state_.toolCode == kToolQuery || state_.toolCode == kToolCentre) ? kCodeCleared : state_.toolCode;
    state_.cursorScreenX += 31 - 31 * state_.SizeOf(code);
}

void CityInput::FormMouseDown(int /*button*/, bool shift, int /*X*/, int /*Y*/) {
    if (!host_.GameScreenShown() || !state_.cursorValid)
        return;
    if (state_.funds < state_.toolPrice) {
        host_.RunCommand(kMoneySound, false, false);
        return;
    }
    if (shift) {
        if (state_.dragStartX == -1) {
            state_.dragStartX = state_.cursorX;
            state_.dragStartY = state_.cursorY;
            return;
        }
        state_.dragEndX = state_.cursorX;
        state_.dragEndY = state_.cursorY;
        MouseDrag(state_.dragEndX, state_.dragEndY, state_.dragStartX, state_.dragStartY);
        state_.dragStartX = -1;
        return;
    }
    ApplyTool();
}

void CityInput::ApplyTool() {
    const int x = state_.cursorX;
    const int y = state_.cursorY;
    const int code = state_.toolCode;
    switch (code) {
    case kToolQuery:
        Query(state_, host_, x, y);
        break;
    case kToolCentre:
        host_.SetHorzPosition(x);
        host_.SetVertPosition(y);
        break;
    case kCodeSubStation:
        // Priced by distance and charged only when built.
        SubStation();
        return;
    case kCodeEmpty:
        Bulldoze();
        break;
    case kCodeTrees: {
        TMapCell& cell = state_.Cell(x, y);
        if (cell.code == kCodeTrees) {
            if (cell.pendingCode < 11)
                ++cell.pendingCode;
        } else if (PlaceObject(state_, x, y, 0, 1, kCodeTrees)) {
            state_.Cell(x, y).pendingCode = 1;
        } else {
            host_.RunCommand(kTerrainSound, false, false);
        }
        break;
    }
    case kCodePowerLine: {
        // The line runs over free land, roads and railways; the cell keeps its own code.
        TMapCell& cell = state_.Cell(x, y);
        if (IsFree(state_, x, y, 0))
            cell.pendingCode = kCodePowerLine;
        if (cell.code == kCodeRoad || cell.code == kCodeRailway)
            cell.pendingCode = kCodePowerLine;
        break;
    }
    default:
        if (!PlaceObject(state_, x, y, 0, state_.SizeOf(code), code))
            host_.RunCommand(kTerrainSound, false, false);
        else if (code >= 13 && code <= 16)
            UnlockStep(state_, host_); // a gift leaves its menu at once
        break;
    }
    // A refused click is still charged; a station brings a train, a marina a boat,
    // even when the building itself was refused.
    if (state_.toolCode == kCodeStation)
        SpawnMover(state_, host_, x, y, kCodeRailway);
    if (state_.toolCode == kCodeMarina)
        SpawnMover(state_, host_, x, y, kCodeWater);
    Charge(state_, state_.toolPrice);
}

void CityInput::SubStation() {
    const int x = state_.cursorX;
    const int y = state_.cursorY;
    int distance = 0;
    if (state_.CountCells(kCodeSubStation) > 1) {
        for (int radius = 1; radius <= 79; ++radius) {
            const TGridPos near = FindNear(state_, x, y, radius, kCodeSubStation);
            if (near.x != -1 || near.y != -1) {
                distance = radius;
                break;
            }
        }
    }
    state_.toolPrice = 100 * distance + 400;
    if (state_.funds < state_.toolPrice) {
        host_.RunCommand(kMoneySound, false, false);
        return;
    }
    if (PlaceObject(state_, x, y, 0, state_.SizeOf(kCodeSubStation), kCodeSubStation))
        Charge(state_, state_.toolPrice);
    else
        host_.RunCommand(kTerrainSound, false, false);
}

void CityInput::RemoveSitePopulation(int building) {
    // A site's people are counted from the day it is laid, so clearing the site takes
    // away the people of the building it would have become.
    const TObjectType* type = state_.TypeOf(building);
    const std::int64_t value = type ? type->value : 0;
    if (building >= 48 && building <= 64)
        state_.residentialPop = Clamped(state_.residentialPop - value);
    else if (building >= 65 && building <= 81)
        state_.commercialPop = Clamped(state_.commercialPop - value);
    else if (building >= 82 && building <= 98)
        state_.industrialPop = Clamped(state_.industrialPop - value);
}

void CityInput::Bulldoze() {
    const int x = state_.cursorX;
    const int y = state_.cursorY;
    if (IsFree(state_, x, y, 0)) {
        // Trees, zones and cleared land become empty land.
        state_.SetCell(x, y, kCodeEmpty);
        return;
    }
    int ax = x, ay = y;
    const TMapCell& cell = state_.Cell(x, y);
    if (cell.code == kCodeCovered) {
        ax = cell.anchorX;
        ay = cell.anchorY;
    }
    if (!CityState::OnMap(ax, ay))
        return; // a covered cell whose anchor lies off the map: nothing to remove
    const int k = state_.Cell(ax, ay).code;
    const TObjectType* type = state_.TypeOf(k);
    const std::int64_t value = type ? type->value : 0;
    if (state_.IsCell(ax, ay, kSelResidential))
        state_.residentialPop = Clamped(state_.residentialPop - value);
    else if (state_.IsCell(ax, ay, kSelCommercial))
        state_.commercialPop = Clamped(state_.commercialPop - value);
    else if (state_.IsCell(ax, ay, kSelIndustrial))
        state_.industrialPop = Clamped(state_.industrialPop - value);
    else if (k >= 1 && k <= 3)
        RemoveSitePopulation(state_.Cell(ax, ay).pendingCode);
    const int s = type ? type->size : 0;
    if (s <= 0)
        return;
    // Only the squares of 2 to 4 cells cover their neighbours; a line object (5 or 6)
    // keeps its code on each of its cells and has no anchor to find, so like any other
    // footprint it is removed one cell at a time rather than as a square that would
    // flatten whatever stands beside it.
    if (s == 1 || s > 4) {
        state_.SetCell(ax, ay, kCodeCleared);
        return;
    }
    for (int yy = ay; yy < ay + s; ++yy)
        for (int xx = ax; xx < ax + s; ++xx)
            state_.SetCell(xx, yy, kCodeCleared); // off-map cells are ignored
}

void CityInput::MouseDrag(int endX, int endY, int startX, int startY) {
    const int x0 = startX < endX ? startX : endX;
    const int x1 = startX < endX ? endX : startX;
    const int y0 = startY < endY ? startY : endY;
    const int y1 = startY < endY ? endY : startY;
    const int code = state_.toolCode;
    // The query and centre tools, and any code outside the table, have nothing to lay.
    if (!state_.TypeOf(code))
        return;
    const int s = state_.SizeOf(code);
    if (s < 1 || s > 6) {
        // Without a footprint there is no way to step from one object to the next.
        host_.RunCommand(kTerrainSound, false, false);
        return;
    }
    std::int64_t total = 0;
    for (int ay = y0; ay <= y1; ay += s)
        for (int ax = x0; ax <= x1; ax += s) {
            total += state_.toolPrice;
            if (!IsFree(state_, ax, ay, 0)) {
                host_.RunCommand(kTerrainSound, false, false);
                return;
            }
            if (state_.funds < total) {
                host_.RunCommand(kMoneySound, false, false);
                return;
            }
        }
    // An object whose other cells are taken is skipped without a sound but paid for.
    for (int ay = y0; ay <= y1; ay += s)
        for (int ax = x0; ax <= x1; ax += s)
            PlaceObject(state_, ax, ay, 0, s, code);
    Charge(state_, total);
}
