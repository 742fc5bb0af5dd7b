// Power, sewage and water spread from the plants; traffic on the roads; pollution.
#include "city/Networks.h"

#include "city/CityHost.h"
#include "city/CityState.h"
#include "city/Simulation.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

namespace city {

namespace {

constexpr int kDx[5] = {0, 0, 1, 0, -1}; // by direction number 1 to 4
constexpr int kDy[5] = {0, -1, 0, 1, 0};

std::int32_t SaturatedAdd(std::int32_t a, std::int64_t b) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(static_cast<std::int64_t>(a) + b,
                                                              std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

int ValueOf(const CityState& state, int code) {
    const TObjectType* t = state.TypeOf(code);
    return t ? t->value : 0;
}

// The first plant of each source code is the source of its service; every plant of
// that code adds its capacity. Two plants of a code that are not joined serve only
// the area of the first.
void SeedSources(CityState& state) {
    state.powerCapacity = state.sewageCapacity = state.waterCapacity = 0;
    auto seed = [&state](int code, std::uint8_t TMapCell::*marker, std::int32_t& capacity) {
        TGridPos first = FindFirst(state, code);
        if (first.x < 0)
            return;
        (state.Cell(first.x, first.y).*marker) = 1;
        capacity = SaturatedAdd(capacity, static_cast<std::int64_t>(state.CountCells(code)) * ValueOf(state, code));
    };
    for (int q = 37; q <= 44; ++q)
        seed(q, &TMapCell::powered, state.powerCapacity);
    for (int q = 46; q <= 47; ++q)
        seed(q, &TMapCell::sewered, state.sewageCapacity);
    seed(45, &TMapCell::watered, state.waterCapacity);
    state.powerLeft = state.powerCapacity;
    state.sewageLeft = state.sewageCapacity;
    state.waterLeft = state.waterCapacity;
}

// What a cell's pollution rule gives: p added within r of it; false when no rule applies.
bool PollutionRule(const CityState& state, const TMapCell& c, int& p, int& r) {
    const int code = c.code;
    switch (code) {
    case 17: p = c.traffic / 10; r = 1; return true;
    case 37: p = 17; r = 6; return true;
    case 38: p = 14; r = 6; return true;
    case 39: p = 9; r = 5; return true;
    case 40: p = 9; r = 6; return true;
    case 44: p = 1; r = 2; return true;
    case 46: p = 5; r = 2; return true;
    case 47: p = 3; r = 3; return true;
    case 109: p = -20; r = 4; return true;
    case 110: p = -30; r = 5; return true;
    default: break;
    }
    if (code >= 23 && code <= 29) {
        p = 7;
        r = state.SizeOf(code);
        return true;
    }
    if (code >= 30 && code <= 35) {
        p = 4;
        r = state.SizeOf(code);
        return true;
    }
    if (code >= 82 && code <= 98) {
        p = ValueOf(state, code) / 10;
        r = state.SizeOf(code);
        return true;
    }
    return false;
}

// The traffic a zone, zone building or Large Park adds to each road of its ring;
// kind tells which rule applies: 0 none, 1 add t, 2 the stations' damping.
int TrafficRule(const CityState& state, int code, int k, int largeParks, int& t) {
    if (code >= 48 && code <= 98) {
        t = ValueOf(state, code) / k + 1;
        return 1;
    }
    if (code == 19 || code == 21 || code == 22)
        return 2;
    if (code == 109) {
        // The Large Park itself is counted, so largeParks is at least 1 here.
        t = state.residentialPop / 10 / std::max(largeParks, 1) / k;
        return 1;
    }
    return 0;
}

} // namespace

TGridPos FindFirst(const CityState& state, int code) {
    for (int y = 0; y < kMapSize; ++y)
        for (int x = 0; x < kMapSize; ++x)
            if (state.Cell(x, y).code == code)
                return TGridPos{x, y};
    return TGridPos{};
}

void RecomputeNetworksReference(CityState& state) {
    for (TMapCell& c : state.CityMap) {
        c.traffic = c.crime = c.pollution = 0;
        c.powered = c.sewered = c.watered = 0;
    }
    SeedSources(state);

    auto spreadAt = [&state](int x, int y) {
        TMapCell& c = state.Cell(x, y);
        for (int n = 1; n <= 4; ++n) {
            const int nx = x + kDx[n], ny = y + kDy[n];
            if (!state.IsCell(nx, ny, kSelBuiltUp))
                continue;
            const TMapCell& nb = state.Cell(nx, ny);
            if (nb.powered == 1 && c.powered != 1 && state.powerLeft > 0) {
                c.powered = 1;
                --state.powerLeft;
            }
            if (nb.sewered == 1 && c.sewered != 1 && state.sewageLeft > 0) {
                c.sewered = 1;
                --state.sewageLeft;
            }
            if (nb.watered == 1 && c.watered != 1 && state.waterLeft > 0) {
                c.watered = 1;
                --state.waterLeft;
            }
        }
    };
    for (int pass = 0; pass < 3; ++pass) {
        for (int y = 0; y < kMapSize; ++y)
            for (int x = 0; x < kMapSize; ++x)
                spreadAt(x, y);
        for (int y = kMapSize - 1; y >= 0; --y)
            for (int x = 0; x < kMapSize; ++x)
                spreadAt(x, y);
        for (int y = 0; y < kMapSize; ++y)
            for (int x = kMapSize - 1; x >= 0; --x)
                spreadAt(x, y);
    }

    // Each cell does its traffic and then its pollution before the next is visited,
    // so a road's pollution sees the traffic of the cells before it.
    for (int y = 0; y < kMapSize; ++y)
        for (int x = 0; x < kMapSize; ++x) {
            int k = 1;
            for (int dy = -3; dy <= 3; ++dy)
                for (int dx = -3; dx <= 3; ++dx) {
                    TGridPos& slot = state.roadRing[static_cast<size_t>(dy + 3)][static_cast<size_t>(dx + 3)];
                    if (state.IsCell(x + dx, y + dy, kCodeRoad)) {
                        slot = TGridPos{x + dx, y + dy};
                        ++k;
                    } else {
                        slot = TGridPos{};
                    }
                }
            int t = 0;
            const int rule = TrafficRule(state, state.Cell(x, y).code, k,
                                         state.Cell(x, y).code == 109 ? state.CountCells(109) : 0, t);
            if (rule != 0) {
                // Roads at offset -3 count in k but get no traffic.
                for (int dy = -2; dy <= 3; ++dy)
                    for (int dx = -2; dx <= 3; ++dx) {
                        const TGridPos slot = state.roadRing[static_cast<size_t>(dy + 3)][static_cast<size_t>(dx + 3)];
                        if (slot.x < 0)
                            continue;
                        TMapCell& road = state.Cell(slot.x, slot.y);
                        road.traffic = rule == 1 ? SaturatedAdd(road.traffic, t)
                                                 : static_cast<std::int32_t>((static_cast<std::int64_t>(road.traffic) + 1) / 10);
                    }
            }
            int p = 0, r = 0;
            if (PollutionRule(state, state.Cell(x, y), p, r))
                for (int yy = y - r; yy <= y + r; ++yy)
                    for (int xx = x - r; xx <= x + r; ++xx)
                        if (CityState::OnMap(xx, yy))
                            state.Cell(xx, yy).pollution += p;
        }
}

void RecomputeNetworksFast(CityState& state) {
    RecomputeNetworksReference(state);
}

void RecomputeNetworks(CityState& state, CityHost& host) {
    (void)host;
    RecomputeNetworksFast(state);
}

} // namespace city
