// Cell tests, the view lookup, the counters' reset and the landscape of a new city.
#include "city/CityState.h"

using namespace city;

CityState::CityState() {
    for (auto& row : roadRing)
        row.fill(TGridPos{});
}

TGridPos CityState::ViewAt(int row, int col) const {
    long index = static_cast<long>(row) * kViewCols + col;
    if (index < 0 || index >= static_cast<long>(ViewGrid.size()))
        return TGridPos{};
    return ViewGrid[static_cast<size_t>(index)];
}

void CityState::SetCell(int x, int y, int code) {
    if (!OnMap(x, y))
        return;
    TMapCell& c = Cell(x, y);
    c.code = code;
    c.anchorX = c.anchorY = 0;
    c.pendingCode = 0;
    c.countdown = 0;
    c.powered = c.sewered = c.watered = 0;
}


bool CityState::IsCell(int x, int y, int selector) const {
    if (!OnMap(x, y))
        return false;
    const TMapCell& c = Cell(x, y);
    switch (selector) {
    case kSelOnMap: return true;
    case kSelResidential: return c.code >= 48 && c.code <= 64;
    case kSelCommercial: return c.code >= 65 && c.code <= 81;
    case kSelIndustrial: return c.code >= 82 && c.code <= 98;
    case kSelAirport: return c.code >= 23 && c.code <= 29;
    case kSelSeaPort: return c.code >= 30 && c.code <= 35;
    case kSelBuiltUp: return IsBuiltUpCode(c.code) || c.pendingCode == kCodePowerLine;
    case kSelPowered: return c.powered == 1;
    case kSelBuiltOrLine: return IsCell(x, y, kSelBuiltUp) || c.pendingCode == kCodePowerLine;
    default: return c.code == selector;
    }
}

int CityState::CountCells(int selector) const {
    int count = 0;
    for (int y = 0; y < kMapSize; ++y)
        for (int x = 0; x < kMapSize; ++x)
            if (IsCell(x, y, selector))
                ++count;
    return count;
}

void CityState::ResetCityCounters() {
    taxRate = 25;
    policeFunding = fireFunding = hospitalFunding = educationFunding = transportFunding = 100;
    cityRank = 1;
    messageHold = 0;
    messageElapsed = 0;
    dragStartX = -1;
    for (int i = 1; i < kMovers; ++i)
        Movers[static_cast<size_t>(i)] = TMover{};
}

void CityState::BuildViewGrid() {
    ViewGrid.fill(TGridPos{});
    int c = 40;
    int t = 1;
    for (int y = 0; y < kMapSize; ++y) {
        for (int x = 0; x < kMapSize; ++x) {
            // The walk runs one column past the last at the end of some rows; as one
            // flat array that lands on the first column of the next row.
            long index = static_cast<long>(y + x + 2) * kViewCols + c;
            if (index >= 0 && index < static_cast<long>(ViewGrid.size()))
                ViewGrid[static_cast<size_t>(index)] = TGridPos{x, y};
            if (t == 1) {
                t = 0;
                c = c + 1;
            } else {
                t = 1;
            }
        }
        c = c - 41 + (t == 1 ? 1 : 0);
        t = t == 1 ? 0 : 1;
    }
}

void CityState::GenerateLandscape() {
    ResetCityCounters();
    for (TMapCell& c : CityMap) {
        c.code = kCodeEmpty;
        c.anchorX = c.anchorY = c.pendingCode = c.countdown = 0;
    }
    // A river drifting right by at most one column a row, 5 to 8 cells wide.
    int a = Random(30) + 20;
    for (int y = 0; y < kMapSize; ++y) {
        a = a + Random(2) - 1;
        int w = Random(4) + 4;
        for (int x = a; x <= a + w - 1; ++x)
            if (OnMap(x, y))
                Cell(x, y).code = kCodeWater;
    }
    // Woods on about three cells in four of the dry land.
    for (int y = 0; y < kMapSize; ++y)
        for (int x = 0; x < kMapSize; ++x) {
            TMapCell& c = Cell(x, y);
            if (c.code == kCodeEmpty && Random(4) != 2) {
                c.code = kCodeTrees;
                c.pendingCode = Random(6);
            }
        }
}

int CityState::Random(int n) {
    if (n <= 0)
        return 1;
    return static_cast<int>(generator_() % static_cast<std::uint32_t>(n)) + 1;
}
