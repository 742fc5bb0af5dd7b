// The city's rank follows its population and its Church and Cathedral, only a rise
// is announced, and the unlock step offers plants by year and each gift once by rank.
#include "FakeCityHost.h"

#include "city/Simulation.h"

#include <gtest/gtest.h>

using namespace city;

namespace {

class RankTest : public ::testing::Test {
protected:
    void SetUp() override { MakeFlatCity(state); }
    void Church() { Lay(state, 10, 10, 99, 2); }
    void Cathedral() { Lay(state, 20, 10, 100, 3); }
    void Population(int p) {
        state.residentialPop = p / 2;
        state.commercialPop = p / 4;
        state.industrialPop = p - p / 2 - p / 4;
    }
    std::vector<std::string> Infos() const {
        std::vector<std::string> out;
        for (const auto& l : host.lines)
            if (l.text.rfind("INFO;", 0) == 0)
                out.push_back(l.text);
        return out;
    }

    CityState state;
    FakeCityHost host;
};

TEST(RankNameTest, NamesTheSixRanksAndNothingElse) {
    EXPECT_EQ(RankName(1), "Hamlet");
    EXPECT_EQ(RankName(2), "Village");
    EXPECT_EQ(RankName(3), "Town");
    EXPECT_EQ(RankName(4), "City");
    EXPECT_EQ(RankName(5), "Capitol");
    EXPECT_EQ(RankName(6), "Metropolis");
    EXPECT_EQ(RankName(0), "");
    EXPECT_EQ(RankName(7), "");
}

TEST_F(RankTest, AChurchMakesAnEmptyHamletAVillageWithOneMessage) {
    Church();
    RankUpdate(state, host);
    EXPECT_EQ(state.cityRank, 2);
    ASSERT_EQ(Infos().size(), 1u);
    EXPECT_EQ(Infos()[0], "INFO; Congratulations your Hamlet is now a Village;");
    EXPECT_TRUE(host.lines[0].echo);
    EXPECT_FALSE(host.lines[0].recordHistory);
}

TEST_F(RankTest, WithoutAChurchAGrowingCityStaysWhereItIs) {
    Population(499);
    state.cityRank = 3;
    RankUpdate(state, host);
    EXPECT_EQ(state.cityRank, 1); // a fall, not announced
    Population(500);
    state.cityRank = 3;
    RankUpdate(state, host);
    EXPECT_EQ(state.cityRank, 3);
    EXPECT_TRUE(Infos().empty());
}

TEST_F(RankTest, TwoStepsInOneYearGiveOneMessage) {
    Church();
    Population(2000);
    RankUpdate(state, host);
    EXPECT_EQ(state.cityRank, 3);
    ASSERT_EQ(Infos().size(), 1u);
    EXPECT_EQ(Infos()[0], "INFO; Congratulations your Hamlet is now a Town;");
}

TEST_F(RankTest, BeyondTenThousandACathedralIsNeeded) {
    Church();
    Population(10000);
    state.cityRank = 3;
    RankUpdate(state, host);
    EXPECT_EQ(state.cityRank, 3);
    Population(89999);
    RankUpdate(state, host);
    EXPECT_EQ(state.cityRank, 3);
    Cathedral();
    Population(39999);
    RankUpdate(state, host);
    EXPECT_EQ(state.cityRank, 4);
    Population(40000);
    RankUpdate(state, host);
    EXPECT_EQ(state.cityRank, 5);
}

TEST_F(RankTest, BetweenNinetyAndTwoHundredThousandNothingChanges) {
    Church();
    Cathedral();
    state.cityRank = 5;
    for (int p : {90000, 150000, 200000}) {
        Population(p);
        RankUpdate(state, host);
        EXPECT_EQ(state.cityRank, 5) << p;
    }
    Population(200001);
    RankUpdate(state, host);
    EXPECT_EQ(state.cityRank, 6);
    EXPECT_EQ(Infos().back(), "INFO; Congratulations your Capitol is now a Metropolis;");
}

TEST_F(RankTest, ATownFallingBelowTwoThousandBecomesAVillageSilently) {
    Church();
    state.cityRank = 3;
    Population(1999);
    RankUpdate(state, host);
    EXPECT_EQ(state.cityRank, 2);
    EXPECT_TRUE(Infos().empty());
}

TEST_F(RankTest, PlantsComeWithTheYears) {
    state.year = 1955;
    UnlockStep(state, host);
    EXPECT_EQ(host.unlockItems[kUnlockNuclear], 0);
    state.year = 1956;
    RankUpdate(state, host);
    EXPECT_EQ(host.unlockItems[kUnlockNuclear], 1);
    EXPECT_EQ(host.unlockItems[kUnlockWind], 0);
    state.year = 2015;
    UnlockStep(state, host);
    EXPECT_EQ(host.unlockItems[kUnlockWind], 1);
    EXPECT_EQ(host.unlockItems[kUnlockSolar], 1);
    EXPECT_EQ(host.unlockItems[kUnlockUVTreatment], 1);
    EXPECT_EQ(host.unlockItems[kUnlockMicroWave], 0);
    state.year = 2016;
    UnlockStep(state, host);
    EXPECT_EQ(host.unlockItems[kUnlockMicroWave], 1);
    EXPECT_EQ(state.unlocks[kUnlockMicroWave], 1);
}

TEST_F(RankTest, EachGiftIsOfferedOnceFromItsRank) {
    state.cityRank = 1;
    UnlockStep(state, host);
    for (int u : {kUnlockYourHouse, kUnlockFountain, kUnlockCityHall, kUnlockStatue})
        EXPECT_EQ(host.unlockItems[static_cast<size_t>(u)], 0);
    state.cityRank = 3;
    UnlockStep(state, host);
    EXPECT_EQ(host.unlockItems[kUnlockYourHouse], 1);
    EXPECT_EQ(host.unlockItems[kUnlockFountain], 1);
    EXPECT_EQ(host.unlockItems[kUnlockCityHall], 0);
    // A placed Fountain leaves the menu at once; bulldozed, it comes back.
    Lay(state, 40, 40, 14, 2);
    UnlockStep(state, host);
    EXPECT_EQ(host.unlockItems[kUnlockFountain], 0);
    EXPECT_EQ(host.unlockItems[kUnlockYourHouse], 1);
    for (int y = 40; y < 42; ++y)
        for (int x = 40; x < 42; ++x)
            state.SetCell(x, y, kCodeCleared);
    UnlockStep(state, host);
    EXPECT_EQ(host.unlockItems[kUnlockFountain], 1);
    state.cityRank = 5;
    Lay(state, 50, 50, 15);
    UnlockStep(state, host);
    EXPECT_EQ(host.unlockItems[kUnlockCityHall], 1);
    EXPECT_EQ(host.unlockItems[kUnlockStatue], 0);
}

} // namespace

namespace {

// The rank rules as first written, one condition after another, for the table to match.
int ReferenceRank(int old, int churches, int cathedrals, std::int64_t p) {
    if (churches == 0 && p < 500)
        return 1;
    if (churches > 0 && p < 2000)
        return 2;
    if (churches > 0 && p < 10000)
        return 3;
    if (churches > 0 && cathedrals > 0 && p < 40000)
        return 4;
    if (churches > 0 && cathedrals > 0 && p < 90000)
        return 5;
    if (churches > 0 && cathedrals > 0 && p > 200000)
        return 6;
    return old;
}

TEST_F(RankTest, TheRankTableGivesTheRanksOfTheRulesAtEveryEdge) {
    const std::int64_t populations[] = {0, 499, 500, 1999, 2000, 9999, 10000, 39999, 40000,
                                        89999, 90000, 150000, 200000, 200001, 900000};
    for (int church = 0; church <= 1; ++church)
        for (int cathedral = 0; cathedral <= 1; ++cathedral)
            for (int old = 1; old <= 6; ++old)
                for (std::int64_t p : populations) {
                    MakeFlatCity(state);
                    if (church)
                        Church();
                    if (cathedral)
                        Cathedral();
                    Population(static_cast<int>(p));
                    state.cityRank = old;
                    RankUpdate(state, host);
                    EXPECT_EQ(state.cityRank, ReferenceRank(old, church, cathedral, p))
                        << "church " << church << " cathedral " << cathedral << " old " << old << " p " << p;
                }
}

} // namespace
