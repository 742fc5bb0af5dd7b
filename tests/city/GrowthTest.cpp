// Zones grow when the demand test passes, a road lies near (not in the zone's own row
// or column) and a neighbour has power; the score gives the size, the site counts its
// people at once and finishes after its powered months. Airports and sea ports lay
// their buildings directly. Every draw is made in a fixed order.
#include "FakeCityHost.h"

#include "city/Simulation.h"

#include <gtest/gtest.h>

#include <limits>

using namespace city;

namespace {

// --- the demand test

class DemandTest_ : public ::testing::Test {
protected:
    void SetUp() override { MakeFlatCity(state); }
    // Runs the test n times on the state and on foreseen draws.
    template <typename Expect> void Check(Demand kind, Expect expect, int n = 60) {
        state.Seed(7);
        Draws draws(7);
        for (int i = 0; i < n; ++i)
            ASSERT_EQ(DemandTest(state, kind), expect(draws)) << i;
        // Nothing more was drawn than foreseen.
        EXPECT_EQ(state.Random(1000000), draws.Random(1000000));
    }
    CityState state;
};

TEST_F(DemandTest_, EmptyCityPassesOnOneFourInFour) {
    Check(Demand::Residential, [](Draws& d) { return d.Random(4) == 1; });
    Check(Demand::Commercial, [](Draws& d) { return d.Random(4) == 2; });
    Check(Demand::Industrial, [](Draws& d) { return d.Random(4) == 1; });
}

TEST_F(DemandTest_, AKindShortOfItsSharePassesThreeTimesInFour) {
    state.residentialPop = 100;
    Check(Demand::Commercial, [](Draws& d) { return d.Random(4) != 1; });
    Check(Demand::Industrial, [](Draws& d) { return d.Random(4) != 1; });
    // Residents outnumber jobs: one pass in R + C + I + 5.
    state.commercialPop = 10;
    state.industrialPop = 10;
    Check(Demand::Residential, [](Draws& d) { return d.Random(125) == 1; });
}

TEST_F(DemandTest_, MoreIndustryThanResidentsCountsAsAHugeBalance) {
    state.residentialPop = 10;
    state.industrialPop = 50;
    // R - I is negative, which as an unsigned number exceeds any population.
    Check(Demand::Commercial, [](Draws& d) { return d.Random(4) != 1; });
    state.commercialPop = 30;
    state.industrialPop = 0;
    // R - C = -20 against I = 0: above.
    Check(Demand::Industrial, [](Draws& d) { return d.Random(4) != 1; });
    state.residentialPop = 40;
    state.commercialPop = 30;
    state.industrialPop = 20;
    // D = 10 below I = 20: one pass in D + I + 5.
    Check(Demand::Industrial, [](Draws& d) { return d.Random(35) == 1; });
}

TEST_F(DemandTest_, TaxAboveThirtyAddsAGate) {
    state.taxRate = 30;
    Check(Demand::Residential, [](Draws& d) { return d.Random(4) == 1; });
    state.taxRate = 31;
    Check(Demand::Residential, [](Draws& d) { return d.Random(36) == 1 && d.Random(4) == 1; }, 400);
    state.taxRate = 50;
    Check(Demand::Industrial, [](Draws& d) { return d.Random(55) == 1 && d.Random(4) == 1; }, 400);
}

TEST_F(DemandTest_, HugePopulationsDrawWithinRange) {
    state.residentialPop = std::numeric_limits<std::int32_t>::max();
    // Jobs 0 below R: the draw's bound is held at the largest 32-bit number.
    Check(Demand::Residential,
          [](Draws& d) { return d.Random(std::numeric_limits<std::int32_t>::max()) == 1; });
}

TEST_F(DemandTest_, TheConsoleCheckAnswersWithTheKindsLetter) {
    state.Seed(3);
    Draws draws(3);
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(DemandCheck(state, Demand::Residential), draws.Random(4) == 1 ? "R Yes" : "R No");
        EXPECT_EQ(DemandCheck(state, Demand::Commercial), draws.Random(4) == 2 ? "C Yes" : "C No");
        EXPECT_EQ(DemandCheck(state, Demand::Industrial), draws.Random(4) == 1 ? "I Yes" : "I No");
    }
}

// --- the development scan

class GrowthTest : public ::testing::Test {
protected:
    void SetUp() override { MakeFlatCity(state); }
    // Power beside (x, y): the cell above carries it.
    void PowerAbove(int x, int y) { state.Cell(x, y - 1).powered = 1; }
    std::vector<std::string> Scores() const {
        std::vector<std::string> out;
        for (const auto& l : host.lines) {
            out.push_back(l.text);
            EXPECT_TRUE(l.echo);
            EXPECT_FALSE(l.recordHistory);
        }
        return out;
    }
    CityState state;
    FakeCityHost host;
};

TEST_F(GrowthTest, SitesWorkOnlyWhilePowered) {
    Lay(state, 5, 5, 1);
    state.Cell(5, 5).pendingCode = 52;
    state.Cell(5, 5).countdown = 2;
    state.Cell(5, 5).powered = 1;
    Lay(state, 9, 5, 1);
    state.Cell(9, 5).pendingCode = 53;
    state.Cell(9, 5).countdown = 2;
    Lay(state, 12, 5, 2);
    state.Cell(12, 5).pendingCode = 56;
    state.Cell(12, 5).countdown = 0; // finishes without power
    DevelopmentScan(state, host);
    EXPECT_EQ(state.Cell(5, 5).code, 1);
    EXPECT_EQ(state.Cell(5, 5).countdown, 1);
    EXPECT_EQ(state.Cell(9, 5).countdown, 2);
    EXPECT_EQ(state.Cell(12, 5).code, 56);
    DevelopmentScan(state, host);
    EXPECT_EQ(state.Cell(5, 5).code, 52);
    EXPECT_EQ(state.Cell(5, 5).countdown, 0);
    EXPECT_EQ(state.Cell(9, 5).code, 1);
}

TEST_F(GrowthTest, AZonePoweredItselfButWithoutPoweredNeighbourDrawsNothing) {
    Lay(state, 10, 10, 48);
    Lay(state, 11, 11, kCodeRoad);
    state.Cell(10, 10).powered = 1;
    state.Seed(5);
    Draws draws(5);
    for (int i = 0; i < 20; ++i)
        DevelopmentScan(state, host);
    EXPECT_EQ(state.Cell(10, 10).code, 48);
    EXPECT_EQ(state.Random(1000000), draws.Random(1000000));
}

TEST_F(GrowthTest, ARoadInTheZonesOwnRowOrColumnIsNotNear) {
    // The variant, then a passing residential draw on an empty city.
    const std::uint32_t seed = SeedWhere([](Draws& d) { return (d.Random(5), d.Random(4) == 1); });
    Lay(state, 10, 10, 49);
    PowerAbove(10, 10);
    Lay(state, 9, 10, kCodeRoad);
    Lay(state, 10, 13, kCodeRoad);
    state.Seed(seed);
    DevelopmentScan(state, host);
    EXPECT_EQ(state.Cell(10, 10).code, 49);
    EXPECT_TRUE(host.lines.empty());

    Lay(state, 11, 11, kCodeRoad);
    state.Seed(seed);
    DevelopmentScan(state, host);
    EXPECT_EQ(state.Cell(10, 10).code, 1);
    EXPECT_EQ(Scores(), std::vector<std::string>{"ECHO; R: 0;"});
}

class HighDensityTest : public GrowthTest {
protected:
    // Score 15 for a residential zone at (20, 20): rank 5 gives 9, water within 8
    // gives 3, a bus station within 8 gives 3.
    void ScoreFifteen() {
        state.cityRank = 5;
        Lay(state, 25, 25, kCodeWater);
        Lay(state, 14, 14, 19, 2);
        Lay(state, 23, 23, kCodeRoad);
    }
    void SetUp() override {
        GrowthTest::SetUp();
        seed = SeedWhere([this](Draws& d) {
            variant = d.Random(5);
            return d.Random(4) == 1;
        });
        state.Seed(seed);
    }
    std::uint32_t seed = 0;
    int variant = 0;
};

TEST_F(HighDensityTest, AWholeBlockWithScoreFifteenBecomesOneLargeSite) {
    ScoreFifteen();
    for (int y = 20; y < 23; ++y)
        for (int x = 20; x < 23; ++x)
            Lay(state, x, y, 49);
    PowerAbove(20, 20);
    DevelopmentScan(state, host);
    EXPECT_EQ(Scores(), std::vector<std::string>{"ECHO; R: 15;"});
    const TMapCell& anchor = state.Cell(20, 20);
    EXPECT_EQ(anchor.code, 3);
    EXPECT_EQ(anchor.pendingCode, 59 + variant);
    EXPECT_EQ(anchor.countdown, 400 / 15);
    for (int y = 20; y < 23; ++y)
        for (int x = 20; x < 23; ++x)
            if (x != 20 || y != 20) {
                EXPECT_EQ(state.Cell(x, y).code, kCodeCovered);
                EXPECT_EQ(state.Cell(x, y).anchorX, 20);
                EXPECT_EQ(state.Cell(x, y).anchorY, 20);
            }
    // The people are counted from the day the site is laid.
    EXPECT_EQ(state.residentialPop, 400);
}

TEST_F(HighDensityTest, ALoneCellWithTheSameScoreGrowsTheSmallestBuilding) {
    ScoreFifteen();
    Lay(state, 20, 20, 49);
    PowerAbove(20, 20);
    DevelopmentScan(state, host);
    EXPECT_EQ(Scores(), std::vector<std::string>{"ECHO; R: 15;"});
    EXPECT_EQ(state.Cell(20, 20).code, 1);
    EXPECT_EQ(state.Cell(20, 20).pendingCode, 49 + variant);
    EXPECT_EQ(state.Cell(20, 20).countdown, 20 / 15);
    EXPECT_EQ(state.Cell(21, 20).code, kCodeEmpty);
    EXPECT_EQ(state.residentialPop, 20);
}

TEST_F(HighDensityTest, AnUnfinishedSquareFallsBackToTheMiddleSize) {
    ScoreFifteen();
    for (int y = 20; y < 22; ++y)
        for (int x = 20; x < 23; ++x)
            Lay(state, x, y, 49);
    PowerAbove(20, 20);
    DevelopmentScan(state, host);
    EXPECT_EQ(state.Cell(20, 20).code, 2);
    EXPECT_EQ(state.Cell(20, 20).pendingCode, 54 + variant);
    EXPECT_EQ(state.Cell(21, 21).code, kCodeCovered);
    // The third column is left a zone; with no powered neighbour it waits.
    EXPECT_EQ(state.Cell(22, 20).code, 49);
    EXPECT_EQ(state.residentialPop, 120);
}

TEST_F(HighDensityTest, ACheapBuildingFinishesNextMonthWithoutPower) {
    for (int code = 50; code <= 54; ++code)
        state.ObjectTypes[static_cast<size_t>(code)].value = 14;
    Lay(state, 20, 20, 49);
    Lay(state, 21, 21, kCodeRoad);
    PowerAbove(20, 20);
    DevelopmentScan(state, host);
    ASSERT_EQ(state.Cell(20, 20).code, 1);
    EXPECT_EQ(state.Cell(20, 20).countdown, 0);
    DevelopmentScan(state, host);
    EXPECT_EQ(state.Cell(20, 20).code, 49 + variant);
}

TEST_F(HighDensityTest, ANegativeScoreLaysNothing) {
    Lay(state, 20, 20, 49);
    PowerAbove(20, 20);
    Lay(state, 21, 21, kCodeRoad);
    Lay(state, 23, 22, kCodeMotorway); // -4
    Lay(state, 18, 18, 84);            // industry: -1
    state.Cell(20, 20).pollution = 12; // -3
    DevelopmentScan(state, host);
    EXPECT_EQ(Scores(), std::vector<std::string>{"ECHO; R: -8;"});
    EXPECT_EQ(state.Cell(20, 20).code, 49);
    EXPECT_EQ(state.residentialPop, 0);
}

TEST(HighDensityKindsTest, CommercialAndIndustrialScoreByTheirOwnTables) {
    CityState state;
    MakeFlatCity(state);
    FakeCityHost host;
    // Commercial on an empty city passes on a 2; the shops' people then make R - C
    // negative, so industry passes on anything but a 1.
    const std::uint32_t seed = SeedWhere([](Draws& d) {
        d.Random(5);
        if (d.Random(4) != 2)
            return false;
        d.Random(5);
        return d.Random(4) != 1;
    });
    state.Seed(seed);
    Lay(state, 20, 20, 66);
    Lay(state, 40, 20, 83);
    state.Cell(20, 19).powered = 1;
    state.Cell(40, 19).powered = 1;
    Lay(state, 21, 21, kCodeRoad);
    Lay(state, 41, 21, kCodeRoad);
    Lay(state, 12, 12, 13, 3); // City Hall within 10 of the shop zone: +8
    Lay(state, 70, 70, 105, 3); // a College anywhere: +6 for industry
    Lay(state, 43, 23, 20);     // railway within 10 of the works: +4
    state.cityRank = 3;         // commercial base 4, industrial base 5
    DevelopmentScan(state, host);
    ASSERT_EQ(host.Texts(), (std::vector<std::string>{"ECHO; C: 12;", "ECHO; I: 15;"}));
    // 12 is level 2 for commerce but level 3 for industry; both lone cells fall to 1.
    EXPECT_EQ(state.Cell(20, 20).code, 1);
    EXPECT_EQ(state.Cell(40, 20).code, 1);
    EXPECT_EQ(state.commercialPop, 15);
    EXPECT_EQ(state.industrialPop, 25);
    EXPECT_EQ(state.Cell(20, 20).countdown, 15 / 10);
    EXPECT_EQ(state.Cell(40, 20).countdown, 25 / 10);
}

TEST_F(GrowthTest, LowDensityLaysASmallSite) {
    int a = 0;
    const std::uint32_t seed = SeedWhere([&a](Draws& d) {
        if (d.Random(4) != 1)
            return false;
        a = d.Random(6);
        return a != 6;
    });
    state.Seed(seed);
    Lay(state, 10, 10, 48);
    PowerAbove(10, 10);
    Lay(state, 12, 12, kCodeRoad);
    DevelopmentScan(state, host);
    EXPECT_TRUE(host.lines.empty()); // low density reports no score
    EXPECT_EQ(state.Cell(10, 10).code, 1);
    EXPECT_EQ(state.Cell(10, 10).pendingCode, 48 + a + 1);
    EXPECT_EQ(state.Cell(10, 10).countdown, 2);
    EXPECT_EQ(state.residentialPop, 20);
}

TEST_F(GrowthTest, LowDensityDrawOfSixWaits) {
    const std::uint32_t seed = SeedWhere([](Draws& d) { return d.Random(4) == 1 && d.Random(6) == 6; });
    state.Seed(seed);
    Lay(state, 10, 10, 48);
    PowerAbove(10, 10);
    Lay(state, 12, 12, kCodeRoad);
    DevelopmentScan(state, host);
    EXPECT_EQ(state.Cell(10, 10).code, 48);
    EXPECT_EQ(state.residentialPop, 0);
}

TEST_F(GrowthTest, ALowDensityBuildingThatDoesNotFitIsNotBegun) {
    for (int code = 50; code <= 54; ++code)
        state.ObjectTypes[static_cast<size_t>(code)].size = 2;
    const std::uint32_t seed = SeedWhere([](Draws& d) { return d.Random(4) == 1 && d.Random(6) != 6; });
    state.Seed(seed);
    Lay(state, 10, 10, 48);
    PowerAbove(10, 10);
    Lay(state, 12, 12, kCodeRoad);
    DevelopmentScan(state, host);
    EXPECT_EQ(state.Cell(10, 10).code, 48);
    EXPECT_EQ(state.Cell(10, 10).pendingCode, 0);
    EXPECT_EQ(state.residentialPop, 0);
}

TEST_F(GrowthTest, AirportLandLaysARunwayAlongItsRow) {
    const std::uint32_t seed = SeedWhere([](Draws& d) { return d.Random(3) == 2; });
    state.Seed(seed);
    for (int x = 10; x < 15; ++x)
        Lay(state, x, 10, 23);
    PowerAbove(10, 10);
    DevelopmentScan(state, host);
    for (int x = 10; x < 15; ++x) {
        EXPECT_EQ(state.Cell(x, 10).code, 29);
        EXPECT_EQ(state.Cell(x, 10).pendingCode, 5);
    }
}

TEST_F(GrowthTest, AirportBuildingsFollowTheNumberOfRunways) {
    // Draws other than a 2 leave the runway and terminal steps out.
    const std::uint32_t seed = SeedWhere([](Draws& d) { return d.Random(3) != 2 && d.Random(3) != 2 && d.Random(3) != 2; });
    state.Seed(seed);
    for (int x = 30; x < 35; ++x)
        Lay(state, x, 40, 29);
    for (int x : {10, 13, 16}) {
        Lay(state, x, 10, 23);
        PowerAbove(x, 10);
    }
    DevelopmentScan(state, host);
    // One runway: one control tower (27), one of 25, then what fits of 28, else 24.
    EXPECT_EQ(state.Cell(10, 10).code, 27);
    EXPECT_EQ(state.Cell(13, 10).code, 25);
    EXPECT_EQ(state.Cell(16, 10).code, 24);
}

TEST_F(GrowthTest, SeaPortLaysAQuayOnTheWaterBeside) {
    for (int x = 11; x < 16; ++x)
        Lay(state, x, 10, kCodeWater);
    Lay(state, 10, 10, 30);
    PowerAbove(10, 10);
    Lay(state, 40, 40, 30);
    PowerAbove(40, 40);
    state.Seed(11);
    Draws draws(11);
    DevelopmentScan(state, host);
    EXPECT_EQ(state.Cell(10, 10).code, 33);
    for (int x = 11; x < 16; ++x) {
        EXPECT_EQ(state.Cell(x, 10).code, 34);
        EXPECT_EQ(state.Cell(x, 10).pendingCode, 5);
    }
    // Dry land and no room for a 2 x 2 building: a lone cell of 35, after one draw.
    EXPECT_EQ(state.Cell(40, 40).code, 35);
    draws.Random(2);
    EXPECT_EQ(state.Random(1000000), draws.Random(1000000));
    EXPECT_EQ(state.residentialPop + state.commercialPop + state.industrialPop, 0);
}

TEST_F(GrowthTest, ASeaPortBlockGrowsAWarehouseOrACrane) {
    for (int y = 10; y < 12; ++y)
        for (int x = 10; x < 12; ++x)
            Lay(state, x, y, 30);
    PowerAbove(10, 10);
    state.Seed(4);
    Draws draws(4);
    DevelopmentScan(state, host);
    EXPECT_EQ(state.Cell(10, 10).code, draws.Random(2) == 2 ? 31 : 32);
    EXPECT_EQ(state.Cell(11, 11).code, kCodeCovered);
}

} // namespace
