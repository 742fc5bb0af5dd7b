// Each month power, sewage and water spread from the first plant of each code through
// built-up cells within the plants' capacity; traffic gathers on the roads round zone
// buildings, stations damp it, and pollution spreads round roads, plants and industry.
// The fast recomputation must give exactly what the straightforward one gives.
#include "FakeCityHost.h"

#include "city/Networks.h"
#include "city/Simulation.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <string>

using namespace city;

namespace {

class NetworksTest : public ::testing::Test {
protected:
    void SetUp() override { MakeFlatCity(state); }
    int Served(std::uint8_t TMapCell::*marker) const {
        int n = 0;
        for (const TMapCell& c : state.CityMap)
            n += (c.*marker) == 1;
        return n;
    }
    // Both versions run on copies; the fast one's result is kept for the checks.
    void Recompute() {
        CityState reference = state;
        RecomputeNetworksReference(reference);
        RecomputeNetworks(state, host);
        for (int i = 0; i < kMapSize * kMapSize; ++i) {
            const TMapCell& a = state.CityMap[static_cast<size_t>(i)];
            const TMapCell& b = reference.CityMap[static_cast<size_t>(i)];
            ASSERT_EQ(a.powered, b.powered) << i;
            ASSERT_EQ(a.traffic, b.traffic) << i;
            ASSERT_EQ(a.pollution, b.pollution) << i;
        }
    }
    CityState state;
    FakeCityHost host;
};

TEST_F(NetworksTest, FindFirstTakesRowsBeforeColumns) {
    EXPECT_EQ(FindFirst(state, 37).x, -1);
    EXPECT_EQ(FindFirst(state, 37).y, -1);
    Lay(state, 50, 2, 37);
    Lay(state, 3, 5, 37);
    Lay(state, 70, 2, 37);
    EXPECT_EQ(FindFirst(state, 37).x, 50);
    EXPECT_EQ(FindFirst(state, 37).y, 2);
}

TEST_F(NetworksTest, APlantServesNoMoreCellsThanItsCapacity) {
    Lay(state, 10, 10, 41); // value 20
    for (int x = 11; x <= 60; ++x)
        Lay(state, x, 10, 24);
    Recompute();
    EXPECT_EQ(state.powerCapacity, 20);
    EXPECT_EQ(state.powerLeft, 0);
    EXPECT_EQ(Served(&TMapCell::powered), 21); // the source costs nothing
    EXPECT_EQ(state.Cell(60, 10).powered, 0);
}

TEST_F(NetworksTest, OnlyTheFirstPlantOfACodeIsASource) {
    Lay(state, 5, 5, 41);
    Lay(state, 60, 60, 41);
    Lay(state, 61, 60, 24);
    Lay(state, 6, 5, 24);
    Recompute();
    EXPECT_EQ(state.powerCapacity, 40);
    EXPECT_EQ(state.Cell(5, 5).powered, 1);
    EXPECT_EQ(state.Cell(6, 5).powered, 1);
    EXPECT_EQ(state.Cell(60, 60).powered, 0);
    EXPECT_EQ(state.Cell(61, 60).powered, 0);
    // The four cells round the source and the three more round the building.
    EXPECT_EQ(state.powerLeft, 40 - 7);
}

TEST_F(NetworksTest, ZonesAndRoadsAreServedButPassNothingOn) {
    Lay(state, 10, 10, 41);
    Lay(state, 11, 10, 48);
    Lay(state, 12, 10, 48);
    Lay(state, 10, 20, 38); // a source of its own code
    Lay(state, 11, 20, kCodeRoad);
    Lay(state, 12, 20, 24);
    Recompute();
    EXPECT_EQ(state.Cell(11, 10).powered, 1);
    EXPECT_EQ(state.Cell(12, 10).powered, 0);
    EXPECT_EQ(state.Cell(11, 20).powered, 1);
    EXPECT_EQ(state.Cell(12, 20).powered, 0);
}

TEST_F(NetworksTest, APowerLineLetsPowerCrossARoad) {
    Lay(state, 10, 20, 41);
    Lay(state, 11, 20, kCodeRoad);
    state.Cell(11, 20).pendingCode = kCodePowerLine;
    Lay(state, 12, 20, 24);
    Lay(state, 13, 20, 24);
    Recompute();
    EXPECT_EQ(state.Cell(12, 20).powered, 1);
    EXPECT_EQ(state.Cell(13, 20).powered, 1);
}

TEST_F(NetworksTest, SewageAndWaterSpreadWithTheirOwnCounts) {
    Lay(state, 20, 20, 46, 2); // value 50
    Lay(state, 30, 30, 47, 3); // value 80, a second sewage source
    Lay(state, 40, 40, 45);    // value 40
    Lay(state, 41, 40, 24);
    Recompute();
    EXPECT_EQ(state.sewageCapacity, 130);
    EXPECT_EQ(state.waterCapacity, 40);
    EXPECT_EQ(state.powerCapacity, 0);
    EXPECT_EQ(state.Cell(20, 20).sewered, 1);
    EXPECT_EQ(state.Cell(21, 21).sewered, 1); // covered cells of the works carry it
    EXPECT_EQ(state.Cell(22, 21).sewered, 1);
    EXPECT_EQ(state.Cell(30, 30).sewered, 1);
    EXPECT_EQ(state.Cell(41, 40).watered, 1);
    EXPECT_EQ(state.Cell(42, 40).watered, 1);
    EXPECT_EQ(state.Cell(41, 40).sewered, 0);
    EXPECT_EQ(state.waterLeft, 40 - 7);
    EXPECT_EQ(Served(&TMapCell::powered), 0);
}

TEST_F(NetworksTest, LastMonthsFiguresAreCleared) {
    TMapCell& c = state.Cell(5, 5);
    c.crime = 7;
    c.traffic = 40;
    c.pollution = 12;
    c.powered = c.sewered = c.watered = 1;
    Recompute();
    EXPECT_EQ(c.crime, 0);
    EXPECT_EQ(c.traffic, 0);
    EXPECT_EQ(c.pollution, 0);
    EXPECT_EQ(c.powered + c.sewered + c.watered, 0);
}

TEST_F(NetworksTest, ABusyRoadPollutesItselfAndItsNeighbours) {
    state.ObjectTypes[50].value = 48; // one road in the ring: 48 / 2 + 1 = 25
    Lay(state, 20, 20, 50);
    Lay(state, 21, 21, kCodeRoad);
    Recompute();
    EXPECT_EQ(state.Cell(21, 21).traffic, 25);
    for (int y = 20; y <= 22; ++y)
        for (int x = 20; x <= 22; ++x)
            EXPECT_EQ(state.Cell(x, y).pollution, 2) << x << "," << y;
    EXPECT_EQ(state.Cell(23, 21).pollution, 0);
}

TEST_F(NetworksTest, AStationDampsTheTrafficGatheredBeforeIt) {
    state.ObjectTypes[50].value = 16; // 16 / 2 + 1 = 9
    state.ObjectTypes[51].value = 14; // 14 / 2 + 1 = 8
    Lay(state, 20, 20, 50);
    Lay(state, 22, 22, kCodeRoad);
    Lay(state, 23, 23, kCodeStation, 2);
    Lay(state, 50, 20, 51);
    Lay(state, 52, 22, kCodeRoad);
    Lay(state, 53, 23, kCodeStation, 2);
    Recompute();
    EXPECT_EQ(state.Cell(22, 22).traffic, 1);
    EXPECT_EQ(state.Cell(52, 22).traffic, 0);
    // The road's pollution was taken before the station damped it: 9 / 10 = 0.
    EXPECT_EQ(state.Cell(22, 22).pollution, 0);
}

TEST_F(NetworksTest, RoadsThreeCellsUpOrLeftCountButGetNoTraffic) {
    state.residentialPop = 1000;
    Lay(state, 30, 30, 109, 2);
    Lay(state, 28, 30, kCodeRoad); // offset -2: in the spread part
    Recompute();
    EXPECT_EQ(state.Cell(28, 30).traffic, 1000 / 10 / 1 / 2);

    Lay(state, 27, 30, kCodeRoad); // offset -3: counted only
    Lay(state, 30, 27, kCodeRoad);
    Recompute();
    EXPECT_EQ(state.Cell(28, 30).traffic, 1000 / 10 / 1 / 4);
    EXPECT_EQ(state.Cell(27, 30).traffic, 0);
    EXPECT_EQ(state.Cell(30, 27).traffic, 0);
}

TEST_F(NetworksTest, TheLargeParkShareIsSplitAmongAllLargeParks) {
    state.residentialPop = 1000;
    Lay(state, 30, 30, 109, 2);
    Lay(state, 60, 60, 109, 2);
    Lay(state, 33, 33, kCodeRoad);
    Recompute();
    // 1000 / 10 / 2 parks / (1 + 1 road)
    EXPECT_EQ(state.Cell(33, 33).traffic, 25);
    // A park with no road near divides by 1 and writes nothing.
    EXPECT_EQ(state.Cell(61, 61).traffic, 0);
}

TEST_F(NetworksTest, PollutionNearTheEdgeStaysOnTheMap) {
    Lay(state, 0, 0, 37, 4);
    Lay(state, 79, 79, 110);
    Recompute();
    long total = 0;
    for (const TMapCell& c : state.CityMap)
        total += c.pollution;
    EXPECT_EQ(total, 17L * 7 * 7 - 30L * 6 * 6);
    EXPECT_EQ(state.Cell(6, 6).pollution, 17);
    EXPECT_EQ(state.Cell(7, 0).pollution, 0);
    EXPECT_EQ(state.Cell(74, 74).pollution, -30);
}

TEST_F(NetworksTest, IndustryPollutesByValueWithinItsSize) {
    Lay(state, 40, 40, 94, 3); // value 350, size 3
    Lay(state, 10, 10, 83);    // a zone: value 0
    Recompute();
    EXPECT_EQ(state.Cell(37, 37).pollution, 35);
    EXPECT_EQ(state.Cell(43, 43).pollution, 35);
    EXPECT_EQ(state.Cell(44, 40).pollution, 0);
    EXPECT_EQ(state.Cell(10, 10).pollution, 0);
}

// A random city of every kind of cell, power lines and supplies included.
void RandomCity(CityState& state, std::uint32_t seed) {
    MakeFlatCity(state, seed);
    std::mt19937 gen(seed);
    const int codes[] = {9, 10, 11, 12, 17, 17, 17, 17, 18, 19, 20, 20, 21, 22, 23, 24, 29, 30, 33, 37, 38,
                         39, 40, 41, 42, 43, 44, 45, 45, 46, 47, 48, 49, 50, 55, 60, 65, 66, 67, 77, 82, 83,
                         84, 94, 101, 102, 104, 108, 109, 109, 110, 111, 250, 250, 250, 1, 2, 3};
    // Capacities that sometimes run out and sometimes do not.
    const int scale = static_cast<int>(gen() % 40) + 1;
    for (int q = 37; q <= 47; ++q)
        state.ObjectTypes[static_cast<size_t>(q)].value = static_cast<int>(gen() % 20) * scale;
    for (TMapCell& c : state.CityMap) {
        c.code = codes[gen() % (sizeof codes / sizeof codes[0])];
        c.pendingCode = gen() % 8 == 0 ? kCodePowerLine : 0;
        c.traffic = static_cast<int>(gen() % 50);
        c.pollution = static_cast<int>(gen() % 50);
        c.powered = static_cast<std::uint8_t>(gen() % 2);
    }
    state.residentialPop = static_cast<int>(gen() % 100000);
}

// Runs both versions on copies of the city and compares every figure they give.
void ExpectSameAsReference(const CityState& city, const std::string& what) {
    CityState fast = city;
    CityState reference = city;
    RecomputeNetworksFast(fast);
    RecomputeNetworksReference(reference);
    ASSERT_EQ(fast.powerCapacity, reference.powerCapacity) << what;
    ASSERT_EQ(fast.sewageCapacity, reference.sewageCapacity) << what;
    ASSERT_EQ(fast.waterCapacity, reference.waterCapacity) << what;
    ASSERT_EQ(fast.powerLeft, reference.powerLeft) << what;
    ASSERT_EQ(fast.sewageLeft, reference.sewageLeft) << what;
    ASSERT_EQ(fast.waterLeft, reference.waterLeft) << what;
    for (int i = 0; i < kMapSize * kMapSize; ++i) {
        const TMapCell& a = fast.CityMap[static_cast<size_t>(i)];
        const TMapCell& b = reference.CityMap[static_cast<size_t>(i)];
        ASSERT_EQ(a.powered, b.powered) << what << " cell " << i;
        ASSERT_EQ(a.sewered, b.sewered) << what << " cell " << i;
        ASSERT_EQ(a.watered, b.watered) << what << " cell " << i;
        ASSERT_EQ(a.traffic, b.traffic) << what << " cell " << i;
        ASSERT_EQ(a.crime, b.crime) << what << " cell " << i;
        ASSERT_EQ(a.pollution, b.pollution) << what << " cell " << i;
    }
    for (int r = 0; r < 7; ++r)
        for (int c = 0; c < 7; ++c) {
            ASSERT_EQ(fast.roadRing[static_cast<size_t>(r)][static_cast<size_t>(c)].x,
                      reference.roadRing[static_cast<size_t>(r)][static_cast<size_t>(c)].x) << what;
            ASSERT_EQ(fast.roadRing[static_cast<size_t>(r)][static_cast<size_t>(c)].y,
                      reference.roadRing[static_cast<size_t>(r)][static_cast<size_t>(c)].y) << what;
        }
}

TEST(NetworksFastTest, GivesExactlyTheStraightforwardResult) {
    for (std::uint32_t seed = 1; seed <= 40; ++seed) {
        CityState city;
        RandomCity(city, seed);
        ASSERT_NO_FATAL_FAILURE(ExpectSameAsReference(city, "seed " + std::to_string(seed)));
    }
}

// Long runs of buildings, zones and roads across the map and along its edges, so that
// a supply travels far along rows and columns, up, down, left and right. The plants
// stand at the edges of the map and the stations at its corners.
void RunsCity(CityState& state, std::uint32_t seed) {
    MakeFlatCity(state, seed);
    std::mt19937 gen(seed);
    const int codes[] = {24, 24, 24, 24, 48, 66, kCodeRoad, 101, 30};
    for (int run = 0; run < 60; ++run) {
        const int code = codes[gen() % (sizeof codes / sizeof codes[0])];
        const bool across = gen() % 2 == 0;
        const int length = 3 + static_cast<int>(gen() % 40);
        // A quarter of the runs lie along an edge of the map.
        const int line = gen() % 4 == 0 ? (gen() % 2 == 0 ? 0 : kMapSize - 1) : static_cast<int>(gen() % kMapSize);
        const int from = static_cast<int>(gen() % kMapSize);
        for (int j = from; j < std::min(from + length, kMapSize); ++j) {
            TMapCell& c = across ? state.Cell(j, line) : state.Cell(line, j);
            c.code = code;
            c.pendingCode = code == kCodeRoad && gen() % 2 == 0 ? kCodePowerLine : 0;
        }
    }
    // A whole row of buildings leads from the power plant, which only a leftward
    // sweep can cross in one go.
    const int plantRow = static_cast<int>(gen() % kMapSize);
    for (int x = 0; x < kMapSize; ++x)
        state.Cell(x, plantRow).code = 24;
    Lay(state, kMapSize - 1, plantRow, 41);
    Lay(state, 0, static_cast<int>(gen() % kMapSize), 45);
    Lay(state, static_cast<int>(gen() % kMapSize), kMapSize - 1, 46, 1);
    Lay(state, 0, 0, kCodeStation);
    Lay(state, kMapSize - 1, kMapSize - 1, 19);
    Lay(state, kMapSize - 1, 0, 22);
    state.residentialPop = 5000;
}

// A supply whose count runs out is handed out cell by cell in the order of the
// sweeps: every count from one cell up, in each direction of sweep, must leave the
// same cells served.
TEST(NetworksFastTest, ACountRunningOutAnywhereServesTheSameCells) {
    for (std::uint32_t seed = 1; seed <= 3; ++seed) {
        CityState city;
        RunsCity(city, seed);
        for (int n = 1; n <= 400; n += n < 40 ? 1 : 1 + n / 8) {
            city.ObjectTypes[41].value = n;
            city.ObjectTypes[45].value = n + 3;
            city.ObjectTypes[46].value = 2 * n;
            ASSERT_NO_FATAL_FAILURE(
                ExpectSameAsReference(city, "seed " + std::to_string(seed) + " count " + std::to_string(n)));
        }
    }
}

// Figures from the object table large enough to carry traffic and pollution to the
// ends of the 32-bit range, where each sum is held as it is added up.
TEST(NetworksFastTest, SumsHeldAtTheEndsOfTheRangeMatch) {
    CityState city;
    RunsCity(city, 7);
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    for (int y = 10; y < 30; ++y)
        for (int x = 10; x < 30; ++x)
            city.Cell(x, y).code = x % 3 == 0 ? kCodeRoad : (x + y) % 13 == 1 ? 95 : (x + y) % 4 == 0 ? 50 : 94;
    // A marina among them takes its share off sums already held at the end.
    Lay(city, 20, 20, 110);
    city.ObjectTypes[50].value = kMax - 7;
    city.ObjectTypes[94].value = kMax;
    city.ObjectTypes[95].value = std::numeric_limits<std::int32_t>::min();
    ASSERT_NO_FATAL_FAILURE(ExpectSameAsReference(city, "huge values"));
    // The sums did reach the ends.
    CityState reference = city;
    RecomputeNetworksReference(reference);
    bool heldTraffic = false, heldPollution = false;
    for (const TMapCell& c : reference.CityMap) {
        heldTraffic |= c.traffic == kMax;
        heldPollution |= c.pollution == kMax || c.pollution == std::numeric_limits<std::int32_t>::min();
    }
    EXPECT_TRUE(heldTraffic);
    EXPECT_TRUE(heldPollution);

    // Pollution alone past the range, with every traffic share small.
    city.ObjectTypes[50].value = 4;
    ASSERT_NO_FATAL_FAILURE(ExpectSameAsReference(city, "huge pollution"));
}

// Months of a growing city run once with each recomputation: the maps, the
// populations and the draws must stay the same month after month.
void GrowingCity(CityState& state) {
    MakeFlatCity(state, 2024);
    const int zones[] = {48, 49, 65, 66, 82, 83};
    for (int y = 0; y < kMapSize; ++y)
        for (int x = 0; x < kMapSize; ++x) {
            TMapCell& c = state.Cell(x, y);
            if (x % 6 == 0 || y % 6 == 0) {
                c.code = kCodeRoad;
                c.pendingCode = (x + y) % 3 == 0 ? kCodePowerLine : 0;
            } else if (x >= 60 && x < 64) {
                c.code = kCodeWater;
            } else {
                c.code = zones[static_cast<size_t>((x / 6 * 5 + y / 6 * 3) % 6)];
            }
        }
    Lay(state, 1, 1, 37, 4);
    Lay(state, 31, 31, 40, 4);
    Lay(state, 43, 7, 45);
    Lay(state, 43, 13, 46, 2);
    Lay(state, 13, 43, 109, 2);
    Lay(state, 19, 19, kCodeStation, 2);
    for (int y = 50; y < 53; ++y)
        for (int x = 50; x < 53; ++x)
            state.Cell(x, y).code = 23;
    state.Cell(59, 20).code = 30;
    state.Cell(59, 21).code = 30;
}

TEST(NetworksFastTest, MonthsOfGrowthMatchTheStraightforwardRecomputation) {
    CityState fast;
    GrowingCity(fast);
    CityState reference = fast;
    FakeCityHost fastHost, referenceHost;
    for (int month = 0; month < 36; ++month) {
        RecomputeNetworks(fast, fastHost);
        DevelopmentScan(fast, fastHost);
        RecomputeNetworksReference(reference);
        DevelopmentScan(reference, referenceHost);
        ASSERT_EQ(fast.residentialPop, reference.residentialPop) << month;
        ASSERT_EQ(fast.commercialPop, reference.commercialPop) << month;
        ASSERT_EQ(fast.industrialPop, reference.industrialPop) << month;
        for (int i = 0; i < kMapSize * kMapSize; ++i) {
            const TMapCell& a = fast.CityMap[static_cast<size_t>(i)];
            const TMapCell& b = reference.CityMap[static_cast<size_t>(i)];
            ASSERT_EQ(a.code, b.code) << month << " cell " << i;
            ASSERT_EQ(a.pendingCode, b.pendingCode) << month << " cell " << i;
            ASSERT_EQ(a.countdown, b.countdown) << month << " cell " << i;
            ASSERT_EQ(a.powered, b.powered) << month << " cell " << i;
            ASSERT_EQ(a.traffic, b.traffic) << month << " cell " << i;
            ASSERT_EQ(a.pollution, b.pollution) << month << " cell " << i;
        }
    }
    EXPECT_EQ(fastHost.Texts(), referenceHost.Texts());
    EXPECT_EQ(fast.Random(1000000), reference.Random(1000000));
    // The city did grow: sites were laid and finished.
    EXPECT_GT(fast.residentialPop + fast.commercialPop + fast.industrialPop, 0);
    EXPECT_FALSE(fastHost.lines.empty());
}

} // namespace
