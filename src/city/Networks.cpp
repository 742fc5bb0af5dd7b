// Power, sewage and water spread from the plants; traffic on the roads; pollution.
#include "city/Networks.h"

#include "city/CityHost.h"
#include "city/CityState.h"
#include "city/Simulation.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// A row of the map as bits: bit x is column x.
__extension__ typedef unsigned __int128 RowBits;
constexpr RowBits kRowMask = (RowBits{1} << kMapSize) - 1;

// The number of bits set, counted within the words: the build targets processors
// without a counting instruction, where the library's count is a call. Each byte of
// the two words' partial counts holds at most 16, so they are added before the bytes
// are summed.
std::uint64_t ByteCounts(std::uint64_t v) {
    v -= (v >> 1) & 0x5555555555555555ULL;
    v = (v & 0x3333333333333333ULL) + ((v >> 2) & 0x3333333333333333ULL);
    return (v + (v >> 4)) & 0x0f0f0f0f0f0f0f0fULL;
}
int PopCount(RowBits r) {
    const std::uint64_t bytes = ByteCounts(static_cast<std::uint64_t>(r)) + ByteCounts(static_cast<std::uint64_t>(r >> 64));
    return static_cast<int>((bytes * 0x0101010101010101ULL) >> 56);
}

// The n lowest, or the n highest, of the bits set in r.
RowBits LowestBits(RowBits r, int n) {
    RowBits kept = 0;
    for (; n > 0 && r != 0; --n) {
        const RowBits lowest = r & (~r + 1);
        kept |= lowest;
        r ^= lowest;
    }
    return kept;
}
RowBits HighestBits(RowBits r, int n) {
    for (int drop = PopCount(r) - n; drop > 0; --drop)
        r &= r - 1;
    return r;
}

// Power, sewage and water spread each on its own: whether a cell takes a service
// depends only on that service's marks and count, never on the other two, so each
// keeps its own sweeps, done a whole row of cells at a time.
//
// On a rightward sweep of a row, a cell is offered the service by the rows above and
// below as they stand, by its right neighbour as it was before the row was swept, and
// by its left neighbour as its own visit left it. So the cells that take it are those
// the row as it stood offers it to, and, after each of those that passes it on, the
// run of cells that take it and pass it on, and the cell that ends that run. When the
// count runs out within the row, the cells that get it are the first ones along the
// sweep, as the cells before the last one that gets it see nothing different. A
// leftward sweep is the mirror image; its runs are found in steps that double.
struct SpreadPlanes {
    // Row y is at index y + 1: the rows round the map carry nothing.
    std::array<RowBits, kMapSize + 2> builtUp{};
    std::array<std::array<RowBits, kMapSize + 2>, 3> served{};
    std::int32_t left[3] = {0, 0, 0};

    // Returns whether a cell of the row took the service; the count must not be used up.
    bool SweepRow(int s, int y, bool rightward) {
        std::array<RowBits, kMapSize + 2>& rows = served[static_cast<size_t>(s)];
        const size_t i = static_cast<size_t>(y + 1);
        const RowBits mine = rows[i], built = builtUp[i];
        const RowBits carried = mine & built;
        const RowBits offered = (rows[i - 1] & builtUp[i - 1]) | (rows[i + 1] & builtUp[i + 1]) | (carried << 1) |
                                (carried >> 1);
        const RowBits wanting = offered & ~mine & kRowMask;
        if (wanting == 0)
            return false;
        const RowBits passing = built & ~mine;
        const RowBits seeds = wanting & built;
        RowBits runs;
        if (rightward) {
            // Adding a seed to its run of passing cells clears the run from the seed on.
            runs = seeds | (passing & ~(passing + seeds));
        } else {
            runs = seeds;
            RowBits through = passing;
            for (int shift = 1; shift < 128 && through != 0; shift *= 2) {
                runs |= through & (runs >> shift);
                through &= through >> shift;
            }
        }
        RowBits taken = (wanting | ((rightward ? runs << 1 : runs >> 1) & ~mine)) & kRowMask;
        std::int32_t& count = left[static_cast<size_t>(s)];
        // A count that can pay every cell of the map is settled at the end.
        if (count >= kMapSize * kMapSize) {
            rows[i] = mine | taken;
            return true;
        }
        const int n = PopCount(taken);
        if (n > count) {
            taken = rightward ? LowestBits(taken, count) : HighestBits(taken, count);
            count = 0;
        } else {
            count -= n;
        }
        rows[i] = mine | taken;
        return true;
    }
    // The sweeps of the three services, which go down the rows rightward, up the rows
    // rightward and down the rows leftward, three times over. A service is done with
    // once its count is used up, or after a whole sweep in which no cell took it: no
    // cell then has a neighbour offering it while it lacks it, in whatever order the
    // cells are visited. The services go through the rows side by side, so that the
    // work of one does not wait for the row the same service has just swept.
    //
    // A row in which no cell wanted a service at its last visit wants nothing until
    // it or a row next to it changes, so only the rows marked restless are visited.
    void SpreadAll() {
        bool going[3] = {left[0] > 0, left[1] > 0, left[2] > 0};
        for (int sweep = 0; sweep < 9 && (going[0] || going[1] || going[2]); ++sweep) {
            const int kind = sweep % 3;
            bool took[3] = {false, false, false};
            for (int step = 0; step < kMapSize; ++step) {
                const int y = kind == 1 ? kMapSize - 1 - step : step;
                for (int s = 0; s < 3; ++s) {
                    RowBits& rows = restless[static_cast<size_t>(s)];
                    if (!going[s] || left[s] <= 0 || !(static_cast<std::uint64_t>(rows >> y) & 1))
                        continue;
                    if (SweepRow(s, y, kind != 2)) {
                        took[s] = true;
                        rows |= (RowBits{7} << y >> 1) & kRowMask;
                    } else {
                        rows &= ~(RowBits{1} << y);
                    }
                }
            }
            for (int s = 0; s < 3; ++s)
                going[s] = going[s] && took[s] && left[s] > 0;
        }
    }
    // Bit y for row y; every row is restless at first.
    std::array<RowBits, 3> restless{kRowMask, kRowMask, kRowMask};
};

// The markers lie in a row with a spare byte after them, and the traffic and the crime
// next to each other, so that the write-back can store each pair in one go.
static_assert(offsetof(TMapCell, sewered) == offsetof(TMapCell, powered) + 1 &&
              offsetof(TMapCell, watered) == offsetof(TMapCell, powered) + 2 &&
              offsetof(TMapCell, traffic) >= offsetof(TMapCell, powered) + 4 &&
              offsetof(TMapCell, crime) == offsetof(TMapCell, traffic) + 4 && std::endian::native == std::endian::little);

// For each byte, a word whose byte j is bit j of it.
struct SpreadBits {
    std::uint64_t of[256];
    constexpr SpreadBits() : of{} {
        for (int b = 0; b < 256; ++b)
            for (int j = 0; j < 8; ++j)
                of[b] |= static_cast<std::uint64_t>(b >> j & 1) << (8 * j);
    }
};
constexpr SpreadBits kSpreadBits;
// The bytes of the three markers (and a spare 0) for each set of them as bits 0 to 2.
constexpr std::uint32_t kMarkerBytes[8] = {0x000000, 0x000001, 0x000100, 0x000101,
                                           0x010000, 0x010001, 0x010100, 0x010101};

// What a code is to the recomputation.
constexpr std::uint8_t kBuiltUp = 1, kRoad = 2, kShares = 4, kDamps = 8, kSource = 16, kPolluting = 32, kCounted = 64;

#if !defined(__SSE2__)
// The eight bits of bytes 0 to 7 of a word (each 0 or 1) as bits 0 to 7.
std::uint64_t GatherBytes(std::uint64_t ones) { return (ones * 0x0102040810204080ULL) >> 56; }
#endif

// Division of a number of at most 2^31 either side of 0 by a k from 1 to 63, as the
// integer division gives it (towards 0), by a multiplication: with M = 2^38 / k + 1,
// |v| * M / 2^38 exceeds |v| / k by less than 2^31 / 2^38 = 1/128, less than 1/k, so
// it never reaches the next integer.
struct Reciprocals {
    std::uint64_t of[64];
    constexpr Reciprocals() : of{} {
        for (int k = 1; k < 64; ++k)
            of[k] = (std::uint64_t{1} << 38) / static_cast<std::uint64_t>(k) + 1;
    }
};
constexpr Reciprocals kReciprocals;
constexpr std::int64_t DivideBySmall(std::int64_t v, int k) {
    const std::uint64_t magnitude = static_cast<std::uint64_t>(v < 0 ? -v : v);
    const auto q = static_cast<std::int64_t>(static_cast<RowBits>(magnitude) * kReciprocals.of[k] >> 38);
    return v < 0 ? -q : q;
}
// The closest calls: just below and at multiples of k, at the ends of the range.
constexpr bool DividesAsIntegers() {
    for (int k = 1; k < 64; ++k) {
        const std::int64_t top = (std::int64_t{1} << 31) / k * k;
        for (const std::int64_t v : {top, top - 1, std::int64_t{k} - 1, std::int64_t{k}, std::int64_t{2147483647},
                                     std::int64_t{-2147483648LL}, -top + 1, std::int64_t{0}})
            if (DivideBySmall(v, k) != v / k)
                return false;
    }
    return true;
}
static_assert(DividesAsIntegers());

// The number of bits set in each byte.
struct BitsSet {
    std::uint8_t of[256];
    constexpr BitsSet() : of{} {
        for (int b = 0; b < 256; ++b)
            of[b] = static_cast<std::uint8_t>((b & 1) + (b >> 1 & 1) + (b >> 2 & 1) + (b >> 3 & 1) + (b >> 4 & 1) +
                                              (b >> 5 & 1) + (b >> 6 & 1) + (b >> 7 & 1));
    }
};
constexpr BitsSet kBitsSet;

} // namespace

void RecomputeNetworksFast(CityState& state) {
    // What each code is, and the pollution of the codes whose pollution follows from the
    // code alone. The last entry stands for every code outside the table: built up,
    // and nothing else.
    struct CodeEntry {
        std::uint8_t kind = kBuiltUp;
        std::int32_t value = 0, p = 0, r = 0;
    };
    std::array<CodeEntry, kObjectCodes + 1> entries{};
    for (int code = 0; code < kObjectCodes; ++code) {
        CodeEntry& e = entries[static_cast<size_t>(code)];
        e.value = state.ObjectTypes[static_cast<size_t>(code)].value;
        e.kind = static_cast<std::uint8_t>((IsBuiltUpCode(code) ? kBuiltUp : 0) | (code == kCodeRoad ? kRoad : 0) |
                                           ((code >= 48 && code <= 98) || code == 109 ? kShares : 0) |
                                           (code == 19 || code == 21 || code == 22 ? kDamps : 0) |
                                           (code >= 37 && code <= 47 ? kSource | kCounted : 0) |
                                           (code == 109 ? kCounted : 0));
        // Only codes 23 to 110 have a pollution rule.
        if (code < 23 || code > 110 || code == kCodeRoad)
            continue;
        TMapCell probe;
        probe.code = code;
        int p = 0, r = 0;
        if (PollutionRule(state, probe, p, r) && p != 0 && r >= 0) {
            e.kind |= kPolluting | kCounted;
            e.p = p, e.r = r;
        }
    }

    // Pollution only adds up, so the shares that follow from a cell's code are gathered
    // as a difference table and summed once. The table is kept in 32 bits that may
    // wrap: each cell's sum, within the 32-bit range as the bounds below hold, comes
    // out right all the same. Its rows are padded to a multiple of four columns.
    constexpr int kDiffStride = kMapSize + 4;
    std::array<std::uint32_t, kDiffStride * (kMapSize + 1)> diff{};
    auto diffIndex = [](int x, int y) { return static_cast<size_t>(y * kDiffStride + x); };
    auto addSquare = [&](int x, int y, std::int32_t p, int r) {
        const int x0 = std::max(x - r, 0), x1 = std::min(x + r, kMapSize - 1);
        const int y0 = std::max(y - r, 0), y1 = std::min(y + r, kMapSize - 1);
        const std::uint32_t u = static_cast<std::uint32_t>(p);
        diff[diffIndex(x0, y0)] += u;
        diff[diffIndex(x1 + 1, y0)] -= u;
        diff[diffIndex(x0, y1 + 1)] -= u;
        diff[diffIndex(x1 + 1, y1 + 1)] += u;
    };

    // One pass reads the map: what each cell is, and for the few codes that are
    // counted (plants, parks and whatever pollutes by its code alone) the number of
    // cells and the first one. Their pollution is laid down as the map is read.
    // Nothing is written to the map before it is known that no sum can reach the ends
    // of the 32-bit range.
    std::array<std::uint8_t, kMapSize * kMapSize> kinds;
    std::array<int, kObjectCodes + 1> count{};
    std::array<int, 48> first;
    first.fill(-1);
    std::int64_t pollutionBound = 0;
    std::array<std::uint8_t, kObjectCodes + 1> kindOf;
    for (size_t code = 0; code < kindOf.size(); ++code)
        kindOf[code] = entries[code].kind;
    for (int y = 0; y < kMapSize; ++y)
        for (int x = 0; x < kMapSize; ++x) {
            const int i = y * kMapSize + x;
            const TMapCell& c = state.CityMap[static_cast<size_t>(i)];
            const size_t code = std::min(static_cast<size_t>(static_cast<std::uint32_t>(c.code)),
                                         static_cast<size_t>(kObjectCodes));
            const std::uint8_t kind = kindOf[code];
            kinds[static_cast<size_t>(i)] =
                static_cast<std::uint8_t>(kind | (c.pendingCode == kCodePowerLine ? kBuiltUp : 0));
            if (kind & kCounted) {
                const CodeEntry& e = entries[code];
                ++count[code];
                if ((e.kind & kSource) && first[code] < 0)
                    first[code] = i;
                if (e.kind & kPolluting) {
                    addSquare(x, y, e.p, e.r);
                    pollutionBound += std::abs(static_cast<std::int64_t>(e.p));
                }
            }
        }

    // The rows of what is built up, of the roads, of the cells with a share of traffic
    // and of the stations, as bits.
    SpreadPlanes planes;
    std::array<RowBits, kMapSize> roadRows{}, shareRows{}, dampRows{};
    bool anyDamping = false;
    for (int y = 0; y < kMapSize; ++y) {
        RowBits built = 0, roads = 0, shares = 0, damps = 0;
#if defined(__SSE2__)
        // Sixteen cells at a time: each bit moved to the top of its byte, and the tops
        // of the sixteen bytes gathered.
        for (int x = 0; x < kMapSize; x += 16) {
            const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(kinds.data() + y * kMapSize + x));
            built |= static_cast<RowBits>(static_cast<unsigned>(_mm_movemask_epi8(_mm_slli_epi16(bytes, 7)))) << x;
            roads |= static_cast<RowBits>(static_cast<unsigned>(_mm_movemask_epi8(_mm_slli_epi16(bytes, 6)))) << x;
            shares |= static_cast<RowBits>(static_cast<unsigned>(_mm_movemask_epi8(_mm_slli_epi16(bytes, 5)))) << x;
            damps |= static_cast<RowBits>(static_cast<unsigned>(_mm_movemask_epi8(_mm_slli_epi16(bytes, 4)))) << x;
        }
#else
        for (int x = 0; x < kMapSize; x += 8) {
            std::uint64_t word;
            std::memcpy(&word, kinds.data() + y * kMapSize + x, sizeof word);
            constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
            built |= static_cast<RowBits>(GatherBytes(word & kOnes)) << x;
            roads |= static_cast<RowBits>(GatherBytes(word >> 1 & kOnes)) << x;
            shares |= static_cast<RowBits>(GatherBytes(word >> 2 & kOnes)) << x;
            damps |= static_cast<RowBits>(GatherBytes(word >> 3 & kOnes)) << x;
        }
#endif
        planes.builtUp[static_cast<size_t>(y + 1)] = built;
        roadRows[static_cast<size_t>(y)] = roads;
        shareRows[static_cast<size_t>(y)] = shares;
        dampRows[static_cast<size_t>(y)] = damps;
        anyDamping |= damps != 0;
    }

    // For each row, the number of roads in each column within three rows of it, 0 to
    // 7, as three rows of bits (ones, twos and fours) that follow the rows down: the
    // row three below is added and the row four above taken off. They are kept as the
    // bytes of the bits, sixteen a row, with room to read a word past the last row.
    constexpr size_t kByteRow = sizeof(RowBits);
    std::array<std::array<std::uint8_t, kByteRow * kMapSize + 8>, 3> nearRoads{};
    {
        RowBits ones = 0, twos = 0, fours = 0;
        auto add = [&](RowBits a) {
            const RowBits carry = ones & a;
            ones ^= a;
            fours ^= twos & carry;
            twos ^= carry;
        };
        auto takeOff = [&](RowBits a) {
            const RowBits borrow = ~ones & a;
            ones ^= a;
            fours ^= ~twos & borrow;
            twos ^= borrow;
        };
        for (int y = 0; y < 3; ++y)
            add(roadRows[static_cast<size_t>(y)]);
        for (int y = 0; y < kMapSize; ++y) {
            if (y + 3 < kMapSize)
                add(roadRows[static_cast<size_t>(y + 3)]);
            if (y >= 4)
                takeOff(roadRows[static_cast<size_t>(y - 4)]);
            std::memcpy(nearRoads[0].data() + kByteRow * static_cast<size_t>(y), &ones, sizeof ones);
            std::memcpy(nearRoads[1].data() + kByteRow * static_cast<size_t>(y), &twos, sizeof twos);
            std::memcpy(nearRoads[2].data() + kByteRow * static_cast<size_t>(y), &fours, sizeof fours);
        }
    }
    // Bits 0 to 7 of columns x0 to x0 + 7 of row y of one of them.
    auto nearAt = [](const std::array<std::uint8_t, kByteRow * kMapSize + 8>& bytes, int y, int x0) -> std::uint64_t {
        std::uint64_t word;
        std::memcpy(&word, bytes.data() + kByteRow * static_cast<size_t>(y) + static_cast<size_t>(x0 >> 3), sizeof word);
        return (word >> (x0 & 7)) & 0xff;
    };

    // The sums of the cells' shares of traffic over the squares from the map's
    // corner, in 32 bits that may wrap like the pollution's. Row Y of the
    // sums holds the rows before Y, and column X + 3 the columns before X, for X from
    // -3 to kMapSize + 3: the columns past the map's edges repeat the edges' sums.
    constexpr int kSumStride = kMapSize + 8;
    std::array<std::uint32_t, (kMapSize + 1) * kSumStride> shareSum{};
    const std::int64_t parkShare = state.residentialPop / 10 / std::max(count[109], 1);
    const std::int64_t parkBound = std::abs(static_cast<std::int64_t>(state.residentialPop)) / 10 + 1;
    std::int64_t shareBound = 0;
    for (int y = 0; y < kMapSize; ++y) {
        const RowBits shares = shareRows[static_cast<size_t>(y)];
        const std::uint32_t* above = &shareSum[static_cast<size_t>(y * kSumStride + 3)];
        std::uint32_t* sums = &shareSum[static_cast<size_t>((y + 1) * kSumStride + 3)];
        if (shares == 0) {
            std::copy(above - 3, above - 3 + kSumStride, sums - 3);
            continue;
        }
        std::int32_t row[kMapSize] = {};
        for (int half = 0; half < 2; ++half)
            for (std::uint64_t bits = static_cast<std::uint64_t>(shares >> (64 * half)); bits != 0; bits &= bits - 1) {
                const int x = 64 * half + std::countr_zero(bits);
                // Every road within three cells counts.
                const int xs = std::max(x - 3, 0);
                const std::uint64_t seven = (std::uint64_t{1} << (std::min(x + 3, kMapSize - 1) - xs + 1)) - 1;
                const int k = 1 + kBitsSet.of[nearAt(nearRoads[0], y, xs) & seven] +
                              2 * kBitsSet.of[nearAt(nearRoads[1], y, xs) & seven] +
                              4 * kBitsSet.of[nearAt(nearRoads[2], y, xs) & seven];
                const int code = state.CityMap[static_cast<size_t>(y * kMapSize + x)].code;
                if (code == 109) {
                    row[x] = static_cast<std::int32_t>(DivideBySmall(parkShare, k));
                    shareBound += parkBound;
                } else {
                    const std::int32_t value = entries[static_cast<size_t>(code)].value;
                    row[x] = static_cast<std::int32_t>(DivideBySmall(value, k) + 1);
                    shareBound += std::abs(static_cast<std::int64_t>(value)) + 1;
                }
            }
        std::uint32_t run = 0;
        for (int x = 0; x < kMapSize; ++x) {
            run += static_cast<std::uint32_t>(row[x]);
            sums[x + 1] = above[x + 1] + run;
        }
        for (int x = kMapSize + 1; x <= kMapSize + 4; ++x)
            sums[x] = sums[kMapSize];
    }

    // A road's traffic is made of the shares of the cells round it and a station only
    // brings it nearer to 0, so no traffic can be further from 0 than all shares
    // together; nor can a cell's pollution be further than a tenth of nine such roads
    // and all other shares of pollution together. Only when those bounds pass the
    // 32-bit range could a sum be held at its edge, and then the straightforward
    // version, which holds each sum as it goes, is run instead.
    if (shareBound + pollutionBound > std::numeric_limits<std::int32_t>::max()) {
        RecomputeNetworksReference(state);
        return;
    }

    // The first plant of each source code is the source of its service.
    state.powerCapacity = state.sewageCapacity = state.waterCapacity = 0;
    std::array<int, 3> sources{};
    auto seed = [&](int code, int service, std::int32_t& capacity) {
        const int at = first[static_cast<size_t>(code)];
        if (at < 0)
            return;
        ++sources[static_cast<size_t>(service)];
        planes.served[static_cast<size_t>(service)][static_cast<size_t>(at / kMapSize + 1)] |= RowBits{1}
                                                                                                << (at % kMapSize);
        capacity = SaturatedAdd(capacity, static_cast<std::int64_t>(count[static_cast<size_t>(code)]) *
                                              entries[static_cast<size_t>(code)].value);
    };
    for (int q = 37; q <= 44; ++q)
        seed(q, 0, state.powerCapacity);
    for (int q = 46; q <= 47; ++q)
        seed(q, 1, state.sewageCapacity);
    seed(45, 2, state.waterCapacity);
    planes.left[0] = state.powerCapacity;
    planes.left[1] = state.sewageCapacity;
    planes.left[2] = state.waterCapacity;

    planes.SpreadAll();
    for (int s = 0; s < 3; ++s) {
        // A count too large to run out was not kept row by row: every cell served but
        // the sources paid one.
        if (planes.left[s] >= kMapSize * kMapSize) {
            int served = 0;
            for (const RowBits row : planes.served[static_cast<size_t>(s)])
                served += PopCount(row);
            planes.left[s] -= served - sources[static_cast<size_t>(s)];
        }
    }
    state.powerLeft = planes.left[0];
    state.sewageLeft = planes.left[1];
    state.waterLeft = planes.left[2];

    // The share of cell (x, y).
    auto shareAt = [&shareSum](int x, int y) {
        const size_t i = static_cast<size_t>(y * kSumStride + x + 3);
        return static_cast<std::int32_t>(shareSum[i + kSumStride + 1] - shareSum[i + kSumStride] - shareSum[i + 1] +
                                         shareSum[i]);
    };

    // The roads within reach of a station, whose traffic it damps.
    std::array<RowBits, kMapSize> dampedRows{};
    if (anyDamping)
        for (int y = 0; y < kMapSize; ++y)
            for (int half = 0; half < 2; ++half)
                for (std::uint64_t bits = static_cast<std::uint64_t>(dampRows[static_cast<size_t>(y)] >> (64 * half));
                     bits != 0; bits &= bits - 1) {
                    const int x = 64 * half + std::countr_zero(bits);
                    const RowBits reach = (x >= 2 ? RowBits{0x3f} << (x - 2) : RowBits{0x3f} >> (2 - x)) & kRowMask;
                    for (int yy = std::max(y - 2, 0); yy <= std::min(y + 3, kMapSize - 1); ++yy)
                        dampedRows[static_cast<size_t>(yy)] |= reach & roadRows[static_cast<size_t>(yy)];
                }

    // A road gets the shares of the cells from three columns left to two right of it
    // and three rows up to two down, in map order; its pollution follows its traffic at
    // its own turn, when the cells before it have added theirs. Away from stations
    // those are sums of squares of shares, worked out for a whole row at a time. Near
    // one, the cells are taken in map order. Each row's traffic and a tenth of each
    // road's traffic at its turn (with a border column either side) are kept for as
    // long as the rows written next need them.
    constexpr int kTenthRow = kMapSize + 4;
    std::uint32_t tenths[3][kTenthRow];
    std::int32_t traffics[2][kMapSize];
    auto roadsOfRow = [&](int y, std::uint32_t* tenth, std::int32_t* traffic) {
        std::fill(tenth, tenth + kTenthRow, 0u);
        std::fill(traffic, traffic + kMapSize, 0);
        const RowBits roads = y < kMapSize ? roadRows[static_cast<size_t>(y)] : RowBits{0};
        if (roads == 0)
            return;
        // Columns x - 3 to x + 2 (columns x to x + 6 of the sums); rows y - 3 to y - 1,
        // row y before x, and rows y - 3 to y + 2.
        const std::uint32_t* above = &shareSum[static_cast<size_t>(std::max(y - 3, 0) * kSumStride)];
        const std::uint32_t* at = &shareSum[static_cast<size_t>(y * kSumStride)];
        const std::uint32_t* next = &shareSum[static_cast<size_t>((y + 1) * kSumStride)];
        const std::uint32_t* below = &shareSum[static_cast<size_t>(std::min(y + 3, kMapSize) * kSumStride)];
        std::uint32_t atTurnOf[kMapSize], totalOf[kMapSize];
        for (int x = 0; x < kMapSize; ++x) {
            const std::uint32_t corner = above[x] - above[x + 6];
            atTurnOf[x] = at[x + 6] - at[x] + corner + next[x + 3] - at[x + 3] - next[x] + at[x];
            totalOf[x] = below[x + 6] - below[x] + corner;
        }
        const RowBits damped = dampedRows[static_cast<size_t>(y)];
        for (int half = 0; half < 2; ++half)
            for (std::uint64_t bits = static_cast<std::uint64_t>(roads >> (64 * half)); bits != 0; bits &= bits - 1) {
                const int x = 64 * half + std::countr_zero(bits);
                std::int32_t atTurn = static_cast<std::int32_t>(atTurnOf[x]), total = static_cast<std::int32_t>(totalOf[x]);
                if (static_cast<std::uint64_t>(damped >> x) & 1) {
                    // Only the cells with a share and the stations change it.
                    const int x0 = std::max(x - 3, 0);
                    const RowBits columns = (RowBits{0x3f} << x >> 3) & kRowMask;
                    std::int64_t f = 0;
                    for (int yy = std::max(y - 3, 0); yy <= std::min(y + 2, kMapSize - 1); ++yy) {
                        const size_t first = static_cast<size_t>(yy * kMapSize + x0);
                        std::uint64_t cells = static_cast<std::uint64_t>(
                            ((shareRows[static_cast<size_t>(yy)] | dampRows[static_cast<size_t>(yy)]) & columns) >> x0);
                        // In the road's own row, the cells before it come before its turn.
                        if (yy == y) {
                            for (std::uint64_t early = cells & ((std::uint64_t{1} << (x - x0)) - 1); early != 0;
                                 early &= early - 1) {
                                const int xx = x0 + std::countr_zero(early);
                                f = kinds[first + static_cast<size_t>(xx - x0)] & kDamps ? (f + 1) / 10 : f + shareAt(xx, yy);
                            }
                            atTurn = static_cast<std::int32_t>(f);
                            cells &= ~((std::uint64_t{2} << (x - x0)) - 1);
                        }
                        for (; cells != 0; cells &= cells - 1) {
                            const int xx = x0 + std::countr_zero(cells);
                            f = kinds[first + static_cast<size_t>(xx - x0)] & kDamps ? (f + 1) / 10 : f + shareAt(xx, yy);
                        }
                    }
                    total = static_cast<std::int32_t>(f);
                }
                traffic[x] = total;
                tenth[x + 1] = static_cast<std::uint32_t>(atTurn / 10);
            }
    };

    // Every cell's figures are written in one pass, a row behind the roads. The
    // pollution is summed from the difference table and from the roads' tenths within
    // one cell.
    std::fill(tenths[2], tenths[2] + kTenthRow, 0u); // the row before the map
    roadsOfRow(0, tenths[0], traffics[0]);
    std::array<std::uint32_t, kDiffStride> column{};
    for (int y = 0; y < kMapSize; ++y) {
        roadsOfRow(y + 1, tenths[(y + 1) % 3], traffics[(y + 1) % 2]);
        const std::uint32_t* d = &diff[diffIndex(0, y)];
        for (int j = 0; j < kDiffStride; ++j)
            column[static_cast<size_t>(j)] += d[j];
        std::uint32_t threeRows[kTenthRow], roadShare[kMapSize];
        const std::uint32_t* up = tenths[(y + 2) % 3];
        const std::uint32_t* mid = tenths[y % 3];
        const std::uint32_t* down = tenths[(y + 1) % 3];
        for (int j = 0; j < kTenthRow; ++j)
            threeRows[j] = up[j] + mid[j] + down[j];
        for (int x = 0; x < kMapSize; ++x)
            roadShare[x] = threeRows[x] + threeRows[x + 1] + threeRows[x + 2];
        std::uint8_t power[sizeof(RowBits)], sewage[sizeof(RowBits)], water[sizeof(RowBits)];
        std::memcpy(power, &planes.served[0][static_cast<size_t>(y + 1)], sizeof power);
        std::memcpy(sewage, &planes.served[1][static_cast<size_t>(y + 1)], sizeof sewage);
        std::memcpy(water, &planes.served[2][static_cast<size_t>(y + 1)], sizeof water);
        const std::int32_t* f = traffics[y % 2];
        unsigned char* row = reinterpret_cast<unsigned char*>(&state.Cell(0, y));
        std::uint32_t run = 0;
        for (int x0 = 0; x0 < kMapSize; x0 += 8) {
            // Byte j: the three markers of cell x0 + j as bits 0 to 2.
            const size_t byte = static_cast<size_t>(x0 / 8);
            std::uint64_t markers = kSpreadBits.of[power[byte]] | kSpreadBits.of[sewage[byte]] << 1 |
                                    kSpreadBits.of[water[byte]] << 2;
            for (int x = x0; x < x0 + 8; ++x, markers >>= 8) {
                // Three stores a cell: the markers with the spare byte after them, the
                // traffic with the crime, and the pollution.
                unsigned char* c = row + sizeof(TMapCell) * static_cast<size_t>(x);
                const std::uint32_t bytes = kMarkerBytes[markers & 7];
                std::memcpy(c + offsetof(TMapCell, powered), &bytes, sizeof bytes);
                const std::uint64_t trafficAndCrime = static_cast<std::uint32_t>(f[x]);
                std::memcpy(c + offsetof(TMapCell, traffic), &trafficAndCrime, sizeof trafficAndCrime);
                run += column[static_cast<size_t>(x)];
                const std::int32_t pollution = static_cast<std::int32_t>(run + roadShare[x]);
                std::memcpy(c + offsetof(TMapCell, pollution), &pollution, sizeof pollution);
            }
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
