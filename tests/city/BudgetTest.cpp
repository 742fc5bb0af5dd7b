// The yearly budget: tax on the whole population, running costs scaled by the
// funding settings with the fractional lines truncated once, and the money moved
// before the player sees the panel; Auto Budget keeps the game running.
#include "FakeCityHost.h"

#include "city/Simulation.h"

#include <gtest/gtest.h>

#include <limits>

using namespace city;

namespace {

class BudgetTest : public ::testing::Test {
protected:
    void SetUp() override { MakeFlatCity(state); }

    void Roads(int n) {
        for (int i = 0; i < n; ++i)
            Lay(state, i, 0, kCodeRoad);
    }
    void Rails(int n) {
        for (int i = 0; i < n; ++i)
            Lay(state, i, 2, kCodeRailway);
    }
    BudgetFigures Compute() { return ComputeBudget(state, StoredBudgetSettings(state)); }

    CityState state;
    FakeCityHost host;
};

TEST_F(BudgetTest, EmptyCityCostsAndRaisesNothing) {
    const BudgetFigures f = Compute();
    for (int amount : f.amounts)
        EXPECT_EQ(amount, 0);
    EXPECT_EQ(f.gross, 0);
    EXPECT_EQ(f.net, 0);
}

TEST_F(BudgetTest, RoadsWithoutPeopleOnlyCostTransport) {
    Roads(10);
    const BudgetFigures f = Compute();
    EXPECT_EQ(f.amounts[kBudgetTax], 0);
    EXPECT_EQ(f.amounts[kBudgetTransport], 700);
    EXPECT_EQ(f.gross, 700);
    EXPECT_EQ(f.net, -700);
}

TEST_F(BudgetTest, TransportIsTruncatedOnceAfterTheDoubleProduct) {
    Roads(3);
    // 3 x 0.7 lies just below 2.1 in double precision.
    EXPECT_EQ(Compute().amounts[kBudgetTransport], 209);
    Rails(1);
    // The bracket is rounded to a double first: 2.6999999999999997 x 100 gives 270.0.
    EXPECT_EQ(Compute().amounts[kBudgetTransport], 270);
    state.transportFunding = 0;
    EXPECT_EQ(Compute().amounts[kBudgetTransport], 0);
}

TEST_F(BudgetTest, TaxRateLosesItsOddHalf) {
    state.residentialPop = 600;
    state.commercialPop = 300;
    state.industrialPop = 100;
    EXPECT_EQ(Compute().amounts[kBudgetTax], 12000);
    state.taxRate = 24;
    EXPECT_EQ(Compute().amounts[kBudgetTax], 12000);
    state.taxRate = 1;
    EXPECT_EQ(Compute().amounts[kBudgetTax], 0);
    state.taxRate = 0;
    EXPECT_EQ(Compute().amounts[kBudgetTax], 0);
}

TEST_F(BudgetTest, ServicesAreCountedByTheirAnchorsAndScaled) {
    Lay(state, 0, 10, 102, 3);
    Lay(state, 4, 10, 102, 3);
    Lay(state, 8, 10, 102, 3);
    EXPECT_EQ(Compute().amounts[kBudgetFire], 750);
    state.fireFunding = 1;
    Lay(state, 4, 10, kCodeEmpty);
    Lay(state, 8, 10, kCodeEmpty);
    EXPECT_EQ(Compute().amounts[kBudgetFire], 2); // 2.5 truncated

    Lay(state, 20, 20, 101, 3);
    Lay(state, 30, 20, 103, 3);
    Lay(state, 40, 20, 104, 3);
    Lay(state, 50, 20, 105, 3);
    state.policeFunding = 50;
    state.hospitalFunding = 70;
    state.educationFunding = 3;
    const BudgetFigures f = Compute();
    EXPECT_EQ(f.amounts[kBudgetPolice], 150);
    EXPECT_EQ(f.amounts[kBudgetHospital], 210);
    EXPECT_EQ(f.amounts[kBudgetEducation], 7); // (1 + 1.5) x 3 = 7.5
    EXPECT_EQ(f.gross, 150 + 2 + 210 + 7);
    EXPECT_EQ(f.net, -f.gross);
}

TEST_F(BudgetTest, AmountsComeFromThePanelPositionsAndThePanelIsSetToTheSettings) {
    Roads(10);
    host.positions = std::array<int, 6>{25, 100, 100, 100, 100, 50};
    state.transportFunding = 100;
    YearlyBudget(state, host);
    // The amounts use the up-downs as they stood, then the up-downs show the settings.
    EXPECT_EQ(host.lastBudget.amounts[kBudgetTransport], 350);
    EXPECT_EQ((*host.positions)[kBudgetTransport], 100);
    EXPECT_EQ(state.funds, 20000 - 350);
}

TEST_F(BudgetTest, WithoutAutoBudgetTheGameStopsOnThePanel) {
    state.residentialPop = 1000;
    state.year = 1951;
    YearlyBudget(state, host);
    EXPECT_FALSE(host.clockOn);
    EXPECT_TRUE(host.budgetVisible);
    EXPECT_EQ(host.lastBudget.yearCaption, "1951 Budget");
    EXPECT_EQ(host.lastBudget.cityName, "Testville");
    EXPECT_EQ(host.lastBudget.net, 12000);
    // The money has moved already, before OK.
    EXPECT_EQ(state.funds, 32000);
}

TEST_F(BudgetTest, AutoBudgetAppliesSilentlyAndKeepsTheClock) {
    host.autoBudget = true;
    host.clockOn = false;
    host.budgetVisible = true;
    Roads(10);
    YearlyBudget(state, host);
    EXPECT_TRUE(host.clockOn);
    EXPECT_FALSE(host.budgetVisible);
    EXPECT_EQ(state.funds, 19300);
}

TEST_F(BudgetTest, NegativeNetMayTakeFundsBelowZero) {
    state.funds = 100;
    Roads(10);
    YearlyBudget(state, host);
    EXPECT_EQ(state.funds, -600);
}

TEST_F(BudgetTest, FillingThePanelTouchesNeitherFundsNorClock) {
    Roads(10);
    host.clockOn = true;
    FillBudgetPanel(state, host);
    EXPECT_EQ(state.funds, 20000);
    EXPECT_TRUE(host.clockOn);
    EXPECT_FALSE(host.budgetVisible);
    EXPECT_EQ(host.budgetFills, 1);
    EXPECT_EQ(host.lastBudget.net, -700);
}

TEST_F(BudgetTest, HugePopulationsSaturateInsteadOfWrapping) {
    state.residentialPop = std::numeric_limits<std::int32_t>::max();
    state.commercialPop = std::numeric_limits<std::int32_t>::max();
    state.taxRate = 50;
    const BudgetFigures f = Compute();
    EXPECT_EQ(f.amounts[kBudgetTax], std::numeric_limits<std::int32_t>::max());
    EXPECT_GT(f.net, 0);
    state.funds = std::numeric_limits<std::int32_t>::max() - 5;
    YearlyBudget(state, host);
    EXPECT_EQ(state.funds, std::numeric_limits<std::int32_t>::max());
}

} // namespace
