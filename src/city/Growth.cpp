// The monthly development scan: construction sites finish, zones, airports and sea ports grow.
#include "city/CityHost.h"
#include "city/CityState.h"
#include "city/Placement.h"
#include "city/ScanIndex.h"
#include "city/Simulation.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace city {

namespace {

constexpr ScoreRow kResidentialRows[] = {
    {kSelIndustrial, 3, -1}, {12, 8, 3}, {14, 6, 8}, {16, 6, 8}, {19, 8, 3}, {21, 10, 2},
    {22, 8, 3}, {18, 4, -4}, {103, 10, 1}, {104, 10, 1}, {105, 16, 1}, {106, 10, 2},
    {107, 16, 2}, {108, 8, 3}, {109, 8, 5}, {110, 8, 7}, {111, 8, 9},
};

constexpr ScoreRow kCommercialRows[] = {
    {13, 10, 8}, {14, 10, 2}, {15, 10, 1}, {18, 10, 2}, {19, 8, 3}, {21, 12, 4}, {22, 8, 3},
    {kSelAirport, 16, 4}, {101, 10, 2}, {102, 10, 2}, {108, 8, 2}, {109, 10, 4}, {110, 10, 6},
};

constexpr ScoreRow kIndustrialRows[] = {
    {18, 10, 4}, {19, 4, 5}, {20, 10, 4}, {21, 4, 5},
};

// The argument of a draw whose sum could pass the 32-bit range is held at its edge,
// so a kind in surplus stays rare instead of wrapping into a sure pass.
int DrawBound(std::int64_t n) {
    return static_cast<int>(std::min<std::int64_t>(n, std::numeric_limits<std::int32_t>::max()));
}

std::int32_t& PopulationOf(CityState& state, Demand kind) {
    switch (kind) {
    case Demand::Residential: return state.residentialPop;
    case Demand::Commercial: return state.commercialPop;
    default: return state.industrialPop;
    }
}

void AddPopulation(CityState& state, Demand kind, int value) {
    std::int32_t& pop = PopulationOf(state, kind);
    pop = static_cast<std::int32_t>(std::clamp<std::int64_t>(static_cast<std::int64_t>(pop) + value,
                                                             std::numeric_limits<std::int32_t>::min(),
                                                             std::numeric_limits<std::int32_t>::max()));
}

int ValueOf(const CityState& state, int code) {
    const TObjectType* t = state.TypeOf(code);
    return t ? t->value : 0;
}

// The reference's way of answering the growth attempts' questions: the shared
// searches, cell by cell. ScanIndex answers the same questions from its tables.
class PlainSearch {
public:
    explicit PlainSearch(const CityState& state) : state_(state) {}
    bool Near(int x, int y, int radius, int selector) const { return FindNear(state_, x, y, radius, selector).x >= 0; }
    int Count(int selector) const { return state_.CountCells(selector); }
    void Refresh(int, int, int, int) {}

private:
    const CityState& state_;
};

template <typename Search> int ScoreOf(const CityState& state, Search& search, Demand kind, int x, int y) {
    int score = ScoreBase(kind, state.cityRank);
    // A College anywhere on the map helps industry.
    if (kind == Demand::Industrial && search.Count(105) > 0)
        score += kCollegeBonus;
    // Each row counts once, however many of its cells lie near.
    for (const ScoreRow& row : ScoreRows(kind))
        if (search.Near(x, y, row.radius, row.selector))
            score += row.points;
    if (kind == Demand::Residential && state.Cell(x, y).pollution > 11)
        score -= 3;
    return score;
}

// Each growth returns whether it may have laid something (in the cells from its own
// up to four to the right and below), which the scan's search must then take in.
template <typename Search>
bool HighDensityGrowth(CityState& state, CityHost& host, Search& search, int x, int y, Demand kind) {
    const int zoneCode = state.Cell(x, y).code;
    // The variant is drawn before anything else, whether or not the zone grows.
    const int variant = state.Random(5);
    if (!DemandTest(state, kind))
        return false;
    if (!search.Near(x, y, 3, kCodeRoad))
        return false;
    const int score = ScoreOf(state, search, kind, x, y);
    const char* prefix = kind == Demand::Residential ? "ECHO; R: " : kind == Demand::Commercial ? "ECHO; C: " : "ECHO; I: ";
    host.RunCommand(prefix + std::to_string(score) + ";", true, false);
    if (score < 0)
        return false;

    int level = score < kLevelTwoFrom ? 1 : score < LevelThreeFrom(kind) ? 2 : 3;
    // A larger building needs the whole square zoned alike; failing that, the next
    // size down. The cell itself holds the zone, so one cell always fits.
    while (level > 1 && !PlaceObject(state, x, y, zoneCode, level, level))
        --level;
    if (level == 1 && !PlaceObject(state, x, y, zoneCode, 1, 1))
        return false;

    const int base = kind == Demand::Residential ? 44 : kind == Demand::Commercial ? 61 : 78;
    const int newCode = base + 5 * level + variant;
    const int value = ValueOf(state, newCode);
    AddPopulation(state, kind, value);
    TMapCell& anchor = state.Cell(x, y);
    anchor.pendingCode = newCode;
    anchor.countdown = value / (kind == Demand::Residential ? 15 : 10);
    return true;
}

template <typename Search> bool LowDensityGrowth(CityState& state, Search& search, int x, int y, Demand kind) {
    const int zoneCode = state.Cell(x, y).code;
    if (!DemandTest(state, kind))
        return false;
    if (!search.Near(x, y, 3, kCodeRoad))
        return false;
    const int a = state.Random(6);
    if (a == 6)
        return false;
    const int newCode = zoneCode + a + 1;
    // A building whose square cannot be laid is not begun at all: no site, no
    // people counted for it.
    if (!PlaceObject(state, x, y, zoneCode, state.SizeOf(newCode), 1))
        return false;
    const int value = ValueOf(state, newCode);
    TMapCell& anchor = state.Cell(x, y);
    anchor.pendingCode = newCode;
    anchor.countdown = value / 10;
    AddPopulation(state, kind, value);
    return true;
}

// Every question is asked before anything is laid, so the search sees the map as it is.
template <typename Search> void AirportGrowth(CityState& state, Search& search, int x, int y) {
    // A runway of five cells along x, else along y.
    if (state.Random(3) == 2 && (PlaceObject(state, x, y, 23, 5, 29) || PlaceObject(state, x, y, 23, 6, 29)))
        return;
    // The road is looked for first; the draw is made only when one is near.
    if (search.Near(x, y, 1, kCodeRoad) && state.Random(3) == 2 && PlaceObject(state, x, y, 23, 2, 26))
        return;
    const int runways = search.Count(29) / 5;
    if (search.Count(27) < runways)
        PlaceObject(state, x, y, 23, 1, 27);
    else if (search.Count(25) < runways)
        PlaceObject(state, x, y, 23, 1, 25);
    else if (!PlaceObject(state, x, y, 23, 2, 28))
        PlaceObject(state, x, y, 23, 1, 24);
}

void SeaPortGrowth(CityState& state, int x, int y) {
    // A quay on the water to the east, south, west or north, the first that fits.
    if (PlaceObject(state, x + 1, y, 12, 5, 34) || PlaceObject(state, x, y + 1, 12, 6, 34) ||
        PlaceObject(state, x - 5, y, 12, 5, 34) || PlaceObject(state, x, y - 5, 12, 6, 34)) {
        PlaceObject(state, x, y, 30, 1, 33);
        return;
    }
    const bool placed = state.Random(2) == 2 ? PlaceObject(state, x, y, 30, 2, 31) : PlaceObject(state, x, y, 30, 2, 32);
    if (!placed)
        PlaceObject(state, x, y, 30, 1, 35);
}

// Airport land, sea-port land and the six zones.
constexpr bool GrowingCode(int code) {
    return code == 23 || code == 30 || code == 48 || code == 49 || code == 65 || code == 66 || code == 82 ||
           code == 83;
}

} // namespace

// The cell test of the powered marker on the four neighbours, read in place: it runs
// for every cell of the map each month.
bool PoweredNeighbour(const CityState& state, int x, int y) {
    return (y > 0 && state.Cell(x, y - 1).powered == 1) || (x < kMapSize - 1 && state.Cell(x + 1, y).powered == 1) ||
           (y < kMapSize - 1 && state.Cell(x, y + 1).powered == 1) || (x > 0 && state.Cell(x - 1, y).powered == 1);
}

std::span<const ScoreRow> ScoreRows(Demand kind) {
    switch (kind) {
    case Demand::Residential: return kResidentialRows;
    case Demand::Commercial: return kCommercialRows;
    default: return kIndustrialRows;
    }
}

int ScoreBase(Demand kind, int rank) {
    switch (kind) {
    case Demand::Residential: return rank >= 5 ? 9 : rank >= 3 ? 4 : 0;
    case Demand::Commercial: return rank >= 6 ? 9 : rank >= 3 ? 4 : 0;
    default: return rank >= 5 ? 11 : rank >= 3 ? 5 : 0;
    }
}

int LevelThreeFrom(Demand kind) { return kind == Demand::Industrial ? 12 : 15; }

bool RoadWithinReach(const CityState& state, int x, int y) {
    return FindNear(state, x, y, kRoadReach, kCodeRoad).x >= 0;
}

bool DemandShort(const CityState& state, Demand kind) {
    // The same unsigned balances as the demand test, without its draws.
    const std::uint32_t r = static_cast<std::uint32_t>(state.residentialPop);
    const std::uint32_t c = static_cast<std::uint32_t>(state.commercialPop);
    const std::uint32_t i = static_cast<std::uint32_t>(state.industrialPop);
    switch (kind) {
    case Demand::Residential: return c + i > r;
    case Demand::Commercial: return r - i > c;
    default: return r - c > i;
    }
}

bool DemandTest(CityState& state, Demand kind) {
    // A high tax rate shuts most growth out.
    if (state.taxRate > 30 && state.Random(state.taxRate + 5) != 1)
        return false;
    // The balances are compared as unsigned 32-bit numbers: a negative difference
    // counts as larger than any population.
    const std::uint32_t r = static_cast<std::uint32_t>(state.residentialPop);
    const std::uint32_t c = static_cast<std::uint32_t>(state.commercialPop);
    const std::uint32_t i = static_cast<std::uint32_t>(state.industrialPop);
    switch (kind) {
    case Demand::Residential: {
        const std::uint32_t jobs = c + i;
        if (jobs == r)
            return state.Random(4) == 1;
        if (jobs < r)
            return state.Random(DrawBound(static_cast<std::int64_t>(state.residentialPop) + state.commercialPop +
                                          state.industrialPop + 5)) == 1;
        return state.Random(4) != 1;
    }
    case Demand::Commercial: {
        const std::uint32_t d = r - i;
        if (d == c)
            return state.Random(4) == 2;
        if (d < c)
            return state.Random(DrawBound(static_cast<std::int64_t>(d) + c + 5)) == 1;
        return state.Random(4) != 1;
    }
    case Demand::Industrial: {
        const std::uint32_t d = r - c;
        if (d == i)
            return state.Random(4) == 1;
        if (d < i)
            return state.Random(DrawBound(static_cast<std::int64_t>(d) + i + 5)) == 1;
        return state.Random(4) != 1;
    }
    }
    return false;
}

std::string DemandCheck(CityState& state, Demand kind) {
    const char* letter = kind == Demand::Residential ? "R" : kind == Demand::Commercial ? "C" : "I";
    return std::string(letter) + (DemandTest(state, kind) ? " Yes" : " No");
}

namespace {

// The scan itself, with the searches of the reference or of the index.
template <typename Search> void Scan(CityState& state, CityHost& host, Search& search) {
    for (int y = 0; y < kMapSize; ++y)
        for (int x = 0; x < kMapSize; ++x) {
            TMapCell& cell = state.Cell(x, y);
            // Work goes on only while the site has power; a site whose time is up
            // finishes even without it. A countdown already at 0 or below finishes
            // either way, so it is not lowered further (a loaded value cannot wrap).
            if (cell.code < 4) {
                if (cell.powered == 1 && cell.countdown > 0)
                    cell.countdown -= 1;
                if (cell.countdown < 1) {
                    cell.code = cell.pendingCode;
                    cell.countdown = 0;
                    search.Refresh(x, y, x, y);
                }
            }
            // Growth needs a powered neighbour; the cell's own supply does not count.
            // Only the codes that grow ask (the test changes nothing).
            if (!GrowingCode(cell.code) || !PoweredNeighbour(state, x, y))
                continue;
            // Later cells see what was laid here: a building reaches at most four
            // cells right and down from its anchor, a quay five cells either way.
            bool laid = false;
            switch (cell.code) {
            case 23: AirportGrowth(state, search, x, y); laid = true; break;
            case 30:
                SeaPortGrowth(state, x, y);
                search.Refresh(x - 5, y - 5, x + 5, y + 5);
                break;
            case 48: laid = LowDensityGrowth(state, search, x, y, Demand::Residential); break;
            case 65: laid = LowDensityGrowth(state, search, x, y, Demand::Commercial); break;
            case 82: laid = LowDensityGrowth(state, search, x, y, Demand::Industrial); break;
            case 49: laid = HighDensityGrowth(state, host, search, x, y, Demand::Residential); break;
            case 66: laid = HighDensityGrowth(state, host, search, x, y, Demand::Commercial); break;
            case 83: laid = HighDensityGrowth(state, host, search, x, y, Demand::Industrial); break;
            default: break;
            }
            if (laid)
                search.Refresh(x, y, x + 4, y + 4);
        }
}

} // namespace

void DevelopmentScan(CityState& state, CityHost& host) {
    ScanIndex index(state);
    Scan(state, host, index);
}

void DevelopmentScanReference(CityState& state, CityHost& host) {
    PlainSearch search(state);
    Scan(state, host, search);
}

} // namespace city
