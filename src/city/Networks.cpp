// Power, sewage and water spread from the plants; traffic on the roads; pollution.
#include "city/Networks.h"

#include "city/CityHost.h"
#include "city/CityState.h"
#include "city/Simulation.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>

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

// The pollution rows: the first that matches the cell applies.
bool PollutionRuleOf(const CityState& state, const TMapCell& c, int& p, int& r) {
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

// What a cell's pollution rule gives: p added within r of it; false when no rule
// applies. A radius of the map's size already covers the whole map, so a larger
// size from the object table is held there.
bool PollutionRule(const CityState& state, const TMapCell& c, int& p, int& r) {
    if (!PollutionRuleOf(state, c, p, r))
        return false;
    r = std::min(r, kMapSize);
    return true;
}

// Which traffic rule a cell follows: 0 none, 1 add t to each road of its ring (zones,
// zone buildings, Large Parks), 2 the stations' damping.
int TrafficRule(const CityState& state, int code, int k, int largeParks, std::int64_t& t) {
    if (code >= 48 && code <= 98) {
        t = static_cast<std::int64_t>(ValueOf(state, code) / k) + 1;
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
            std::int64_t t = 0;
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
                            state.Cell(xx, yy).pollution = SaturatedAdd(state.Cell(xx, yy).pollution, p);
        }
}

namespace {

// The map with a border of one cell on every side, so that neighbours of edge cells
// need no test: border cells carry nothing.
constexpr int kPad = kMapSize + 2;
constexpr int PadIndex(int x, int y) { return (y + 1) * kPad + (x + 1); }

constexpr std::uint8_t kPower = 1, kSewage = 2, kWater = 4;

// A sweep visits the cells in its own order; at each cell a service is taken from
// any built-up neighbour that has it. Which neighbour gives it does not matter: the
// cell is served once and pays one unit, so one test of the four neighbours' carried
// services together gives what the neighbour-by-neighbour rule gives.
struct SpreadGrid {
    std::array<std::uint8_t, kPad * kPad> served{};
    std::array<std::uint8_t, kPad * kPad> builtUp{};
    // What each cell passes on: its services when it is built-up, else nothing.
    std::array<std::uint8_t, kPad * kPad> carried{};
    std::int32_t left[3] = {0, 0, 0};
    std::uint8_t live = 0; // the services whose count is not used up

    // Returns whether the cell took a service.
    bool Visit(int i) {
        const std::uint8_t offered = static_cast<std::uint8_t>(carried[static_cast<size_t>(i - kPad)] |
                                                               carried[static_cast<size_t>(i + 1)] |
                                                               carried[static_cast<size_t>(i + kPad)] |
                                                               carried[static_cast<size_t>(i - 1)]);
        const std::uint8_t take = static_cast<std::uint8_t>(offered & ~served[static_cast<size_t>(i)] & live);
        if (!take)
            return false;
        served[static_cast<size_t>(i)] |= take;
        left[0] -= take & 1;
        left[1] -= (take >> 1) & 1;
        left[2] -= (take >> 2) & 1;
        live = static_cast<std::uint8_t>((left[0] > 0 ? kPower : 0) | (left[1] > 0 ? kSewage : 0) |
                                         (left[2] > 0 ? kWater : 0));
        if (builtUp[static_cast<size_t>(i)])
            carried[static_cast<size_t>(i)] = served[static_cast<size_t>(i)];
        return true;
    }
    // Sets the counts of the three services; a service whose count is used up is no
    // longer given.
    void SetLeft(std::int32_t power, std::int32_t sewage, std::int32_t water) {
        left[0] = power, left[1] = sewage, left[2] = water;
        live = static_cast<std::uint8_t>((power > 0 ? kPower : 0) | (sewage > 0 ? kSewage : 0) | (water > 0 ? kWater : 0));
    }

    // One sweep along row y, rightward or leftward; returns whether a cell took a
    // service. Visiting a cell that wants nothing changes nothing, so only the cells
    // wanting something as the row stands are visited, and the next cell along after
    // a cell that took something, as its offer may just have grown (the one neighbour
    // that changes while the row is swept).
    bool SweepRow(int y, bool rightward) {
        std::uint64_t low = 0, high = 0;
        Wanting(y, low, high);
        bool took = false;
        const int step = rightward ? 1 : -1;
        int x = rightward ? 0 : kMapSize - 1;
        while ((low | high) != 0) {
            x = rightward ? NextFrom(low, high, x) : PreviousFrom(low, high, x);
            if (x < 0)
                break;
            bool chained = true;
            while (chained && x >= 0 && x < kMapSize) {
                chained = Visit(PadIndex(x, y));
                took |= chained;
                x += step;
            }
            if (x < 0 || x >= kMapSize)
                break;
        }
        return took;
    }

    // The cells of row y offered a service they lack and that is not used up, as the
    // row stands: bit c of the two words is column c. Eight cells are tested a word.
    void Wanting(int y, std::uint64_t& low, std::uint64_t& high) const {
        const std::uint64_t liveBytes = live * 0x0101010101010101ULL;
        low = high = 0;
        for (int x = 0; x < kMapSize; x += 8) {
            const int i = PadIndex(x, y);
            const std::uint64_t wanted = (Load8(carried, i - kPad) | Load8(carried, i + kPad) | Load8(carried, i - 1) |
                                          Load8(carried, i + 1)) &
                                         ~Load8(served, i) & liveBytes;
            if (wanted == 0)
                continue;
            // One bit a byte (services are bits 0 to 2), gathered into bits 0 to 7.
            const std::uint64_t any = (wanted | wanted >> 1 | wanted >> 2) & 0x0101010101010101ULL;
            const std::uint64_t bits = (any * 0x0102040810204080ULL) >> 56;
            (x < 64 ? low : high) |= bits << (x & 63);
        }
    }
    // The first column at or after x set in the words, or -1.
    static int NextFrom(std::uint64_t low, std::uint64_t high, int x) {
        if (x < 64) {
            if (const std::uint64_t rest = low & (~std::uint64_t{0} << x))
                return std::countr_zero(rest);
            x = 64;
        }
        const std::uint64_t rest = high & (~std::uint64_t{0} << (x - 64));
        return rest ? 64 + std::countr_zero(rest) : -1;
    }
    // The last column at or before x set in the words, or -1.
    static int PreviousFrom(std::uint64_t low, std::uint64_t high, int x) {
        if (x >= 64) {
            if (const std::uint64_t rest = high & (~std::uint64_t{0} >> (63 - (x - 64))))
                return 127 - std::countl_zero(rest);
            x = 63;
        }
        const std::uint64_t rest = low & (~std::uint64_t{0} >> (63 - x));
        return rest ? 63 - std::countl_zero(rest) : -1;
    }
    static std::uint64_t Load8(const std::array<std::uint8_t, kPad * kPad>& a, int i) {
        std::uint64_t word;
        std::memcpy(&word, a.data() + i, sizeof word);
        return word;
    }
    bool Exhausted() const { return live == 0; }
};

} // namespace

void RecomputeNetworksFast(CityState& state) {
    // Roads do not change during the step: the number of roads in any square comes
    // from running sums, and only cells with a traffic rule walk their ring. Each
    // row's roads are also kept as bits, in two overlapping words (columns 0 to 63,
    // and columns 16 to 79), so that a cell walks only the roads of its ring.
    std::array<int, (kMapSize + 1) * (kMapSize + 1)> roadSum{};
    auto sumAt = [&roadSum](int x, int y) -> int& { return roadSum[static_cast<size_t>(y * (kMapSize + 1) + x)]; };
    std::array<std::uint64_t, 2 * kMapSize> roadBits{};
    // Flow and road mask have a border of two rows and columns before the map and
    // six after, so that every ring is a block of six rows of eight columns; the last
    // two columns of a block lie outside the ring and are masked out too.
    constexpr int kFlowStride = kMapSize + 8;
    constexpr int kFlowRows = kMapSize + 8;
    auto flowIndex = [](int x, int y) { return static_cast<size_t>((y + 2) * kFlowStride + x + 2); };
    std::array<std::int32_t, kFlowStride * kFlowRows> flow{};
    std::array<std::int32_t, kFlowStride * kFlowRows> roadMask{};
    SpreadGrid grid;

    // One pass over the map clears last month's figures, finds for every code its
    // first cell and its number of cells, and lays out the roads and what is built up.
    std::array<int, kObjectCodes> count{};
    std::array<int, kObjectCodes> first{};
    first.fill(-1);
    for (int y = 0; y < kMapSize; ++y) {
        std::uint64_t low = 0, high = 0;
        for (int x = 0; x < kMapSize; ++x) {
            const int i = y * kMapSize + x;
            TMapCell& c = state.CityMap[static_cast<size_t>(i)];
            c.traffic = c.crime = c.pollution = 0;
            c.powered = c.sewered = c.watered = 0;
            if (c.code >= 0 && c.code < kObjectCodes) {
                if (first[static_cast<size_t>(c.code)] < 0)
                    first[static_cast<size_t>(c.code)] = i;
                ++count[static_cast<size_t>(c.code)];
            }
            grid.builtUp[static_cast<size_t>(PadIndex(x, y))] =
                IsBuiltUpCode(c.code) || c.pendingCode == kCodePowerLine ? 1 : 0;
            const int road = c.code == kCodeRoad ? 1 : 0;
            sumAt(x + 1, y + 1) = road + sumAt(x, y + 1) + sumAt(x + 1, y) - sumAt(x, y);
            if (x < 64)
                low |= static_cast<std::uint64_t>(road) << x;
            if (x >= 16)
                high |= static_cast<std::uint64_t>(road) << (x - 16);
            roadMask[flowIndex(x, y)] = -road;
        }
        roadBits[static_cast<size_t>(2 * y)] = low;
        roadBits[static_cast<size_t>(2 * y + 1)] = high;
    }

    // The first plant of each source code is the source of its service.
    state.powerCapacity = state.sewageCapacity = state.waterCapacity = 0;
    auto seed = [&](int code, std::uint8_t service, std::int32_t& capacity) {
        const int at = first[static_cast<size_t>(code)];
        if (at < 0)
            return;
        const size_t i = static_cast<size_t>(PadIndex(at % kMapSize, at / kMapSize));
        grid.served[i] |= service;
        grid.carried[i] = grid.builtUp[i] ? grid.served[i] : 0;
        capacity = SaturatedAdd(capacity, static_cast<std::int64_t>(count[static_cast<size_t>(code)]) * ValueOf(state, code));
    };
    for (int q = 37; q <= 44; ++q)
        seed(q, kPower, state.powerCapacity);
    for (int q = 46; q <= 47; ++q)
        seed(q, kSewage, state.sewageCapacity);
    seed(45, kWater, state.waterCapacity);

    grid.SetLeft(state.powerCapacity, state.sewageCapacity, state.waterCapacity);
    // Once every count is used up no sweep can change anything more. Nor can it after
    // a whole sweep in which no cell took anything: no cell then has a neighbour
    // offering a service it lacks while some is left, in whatever order it is visited.
    bool settled = false;
    for (int pass = 0; pass < 3 && !settled && !grid.Exhausted(); ++pass) {
        bool took = false;
        for (int y = 0; y < kMapSize; ++y)
            took |= grid.SweepRow(y, true);
        if (!took)
            break;
        took = false;
        for (int y = kMapSize - 1; y >= 0; --y)
            took |= grid.SweepRow(y, true);
        if (!took)
            break;
        took = false;
        for (int y = 0; y < kMapSize; ++y)
            took |= grid.SweepRow(y, false);
        settled = !took;
    }
    state.powerLeft = grid.left[0];
    state.sewageLeft = grid.left[1];
    state.waterLeft = grid.left[2];

    // The roads of columns x0 to x0 + 5 of a row as bits 0 to 5.
    auto roadsOfRow = [&roadBits](int y, int x0) {
        return (x0 <= 58 ? roadBits[static_cast<size_t>(2 * y)] >> x0 : roadBits[static_cast<size_t>(2 * y + 1)] >> (x0 - 16)) &
               0x3f;
    };
    auto roadsIn = [&sumAt](int x0, int y0, int x1, int y1) {
        x0 = std::max(x0, 0), y0 = std::max(y0, 0);
        x1 = std::min(x1, kMapSize - 1), y1 = std::min(y1, kMapSize - 1);
        if (x0 > x1 || y0 > y1)
            return 0;
        return sumAt(x1 + 1, y1 + 1) - sumAt(x0, y1 + 1) - sumAt(x1 + 1, y0) + sumAt(x0, y0);
    };
    const int largeParks = count[109];

    // Pollution only adds up, so it is gathered as a difference table and summed once;
    // the value a road adds is still taken from its traffic at its turn in map order.
    std::array<std::int64_t, (kMapSize + 1) * (kMapSize + 1)> diff{};
    // Apart from the road's, whose share follows its traffic, a rule depends only on
    // the code: it is looked up once a code.
    struct PollutionEntry {
        bool applies = false;
        int p = 0, r = 0;
    };
    std::array<PollutionEntry, kObjectCodes> pollutionOf{};
    for (int code = 0; code < kObjectCodes; ++code) {
        TMapCell probe;
        probe.code = code;
        PollutionEntry& e = pollutionOf[static_cast<size_t>(code)];
        e.applies = code != kCodeRoad && PollutionRule(state, probe, e.p, e.r);
    }
    auto addDiff = [&diff](int x, int y, std::int64_t v) { diff[static_cast<size_t>(y * (kMapSize + 1) + x)] += v; };

    // When the shares of the whole month cannot add up past the 32-bit range, no sum
    // is ever held at its edge (a station's damping only brings a road nearer to 0),
    // so the shares are added plainly, a row of the ring at a time, into a flat table
    // in which non-roads are masked out. Otherwise each road is added to one by one.
    std::int64_t shareBound = static_cast<std::int64_t>(count[109]) *
                              (std::abs(static_cast<std::int64_t>(state.residentialPop) / 10) + 1);
    for (int code = 48; code <= 98; ++code)
        shareBound += static_cast<std::int64_t>(count[static_cast<size_t>(code)]) *
                      (std::abs(static_cast<std::int64_t>(ValueOf(state, code))) + 1);
    const bool plainSums = shareBound <= std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t kRingColumns[8] = {-1, -1, -1, -1, -1, -1, 0, 0};

    for (int y = 0; y < kMapSize; ++y)
        for (int x = 0; x < kMapSize; ++x) {
            TMapCell& c = state.Cell(x, y);
            const std::uint8_t served = grid.served[static_cast<size_t>(PadIndex(x, y))];
            c.powered = (served & kPower) ? 1 : 0;
            c.sewered = (served & kSewage) ? 1 : 0;
            c.watered = (served & kWater) ? 1 : 0;
            const int code = c.code;
            if ((code >= 48 && code <= 98) || code == 19 || code == 21 || code == 22 || code == 109) {
                const int k = 1 + roadsIn(x - 3, y - 3, x + 3, y + 3);
                std::int64_t t = 0;
                const int rule = TrafficRule(state, code, k, largeParks, t);
                const int x0 = std::max(x - 2, 0), x1 = std::min(x + 3, kMapSize - 1);
                const int y0 = std::max(y - 2, 0), y1 = std::min(y + 3, kMapSize - 1);
                const std::uint64_t columns = (std::uint64_t{1} << (x1 - x0 + 1)) - 1;
                if (plainSums && rule == 1) {
                    const std::int32_t share = static_cast<std::int32_t>(t);
                    for (int dy = -2; dy <= 3; ++dy) {
                        std::int32_t* f = &flow[flowIndex(x - 2, y + dy)];
                        const std::int32_t* m = &roadMask[flowIndex(x - 2, y + dy)];
                        for (int j = 0; j < 8; ++j)
                            f[j] += share & m[j] & kRingColumns[j];
                    }
                } else if (plainSums) {
                    for (int yy = y0; yy <= y1; ++yy)
                        for (std::uint64_t bits = roadsOfRow(yy, x0) & columns; bits != 0; bits &= bits - 1) {
                            std::int32_t& f = flow[flowIndex(x0 + std::countr_zero(bits), yy)];
                            f = (f + 1) / 10;
                        }
                } else {
                    for (int yy = y0; yy <= y1; ++yy)
                    for (std::uint64_t bits = roadsOfRow(yy, x0) & columns; bits != 0; bits &= bits - 1) {
                        std::int32_t& traffic = state.Cell(x0 + std::countr_zero(bits), yy).traffic;
                        if (rule == 1) {
                            const std::int64_t sum = traffic + t;
                            traffic = sum > std::numeric_limits<std::int32_t>::max() ? std::numeric_limits<std::int32_t>::max()
                                      : sum < std::numeric_limits<std::int32_t>::min()
                                          ? std::numeric_limits<std::int32_t>::min()
                                          : static_cast<std::int32_t>(sum);
                        } else {
                            traffic = static_cast<std::int32_t>((static_cast<std::int64_t>(traffic) + 1) / 10);
                        }
                    }
                }
            }
            int p = 0, r = 0;
            bool polluting = false;
            if (code == kCodeRoad) {
                // The road's share of pollution follows its traffic as it stands now.
                if (plainSums)
                    c.traffic = flow[flowIndex(x, y)];
                polluting = PollutionRule(state, c, p, r);
            } else if (code >= 0 && code < kObjectCodes) {
                const PollutionEntry& e = pollutionOf[static_cast<size_t>(code)];
                polluting = e.applies, p = e.p, r = e.r;
            }
            if (polluting && p != 0 && r >= 0) {
                const int x0 = std::max(x - r, 0), x1 = std::min(x + r, kMapSize - 1);
                const int y0 = std::max(y - r, 0), y1 = std::min(y + r, kMapSize - 1);
                if (x0 <= x1 && y0 <= y1) {
                    addDiff(x0, y0, p);
                    addDiff(x1 + 1, y0, -p);
                    addDiff(x0, y1 + 1, -p);
                    addDiff(x1 + 1, y1 + 1, p);
                }
            }
        }
    std::array<std::int64_t, kMapSize + 1> column{};
    for (int y = 0; y < kMapSize; ++y) {
        std::int64_t run = 0;
        for (int x = 0; x < kMapSize; ++x) {
            column[static_cast<size_t>(x)] += diff[static_cast<size_t>(y * (kMapSize + 1) + x)];
            run += column[static_cast<size_t>(x)];
            TMapCell& c = state.Cell(x, y);
            c.pollution = SaturatedAdd(0, run);
            if (plainSums)
                c.traffic = flow[flowIndex(x, y)];
        }
    }

    // The scratch ring is left as the last cell of the map leaves it.
    for (int dy = -3; dy <= 3; ++dy)
        for (int dx = -3; dx <= 3; ++dx) {
            const int xx = kMapSize - 1 + dx, yy = kMapSize - 1 + dy;
            state.roadRing[static_cast<size_t>(dy + 3)][static_cast<size_t>(dx + 3)] =
                state.IsCell(xx, yy, kCodeRoad) ? TGridPos{xx, yy} : TGridPos{};
        }
}

void RecomputeNetworks(CityState& state, CityHost& host) {
    (void)host;
    RecomputeNetworksFast(state);
}

} // namespace city
