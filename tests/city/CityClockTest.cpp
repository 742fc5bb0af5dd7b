// The clock's tick: month time and speeds, the year's turn with rank and budget in
// order, the message hold, the animation frame, and the exact status lines.
#include "FakeCityHost.h"
#include "city/CityClock.h"

#include <gtest/gtest.h>

using namespace city;

namespace {

class CityClockTest : public ::testing::Test {
protected:
    void SetUp() override {
        MakeEmptyCity(state);
        state.toolName = "Bulldoze";
        state.toolPrice = 10;
    }
    void Ticks(int n) {
        for (int i = 0; i < n; ++i)
            clock.ClockTimer();
    }
    std::vector<std::string> Echoes() const {
        std::vector<std::string> out;
        for (const auto& l : host.lines)
            if (l.text.rfind("ECHO; ", 0) == 0 && l.text.find("; 273; ") != std::string::npos)
                out.push_back(l.text);
        return out;
    }
    int IndexOf(const std::string& event) const {
        for (size_t i = 0; i < host.events.size(); ++i)
            if (host.events[i] == event)
                return static_cast<int>(i);
        return -1;
    }

    CityState state;
    FakeCityHost host;
    CityClock clock{state, host};
};

TEST_F(CityClockTest, AMonthPassesOnTheLastTickOfItsLength) {
    for (int length : {kSpeedMedium, kSpeedFast, kSpeedSlow}) {
        state.month = 1;
        host.monthTime = 0;
        state.monthLength = length;
        const int ticks = length / 100;
        Ticks(ticks - 1);
        EXPECT_EQ(state.month, 1) << length;
        EXPECT_EQ(host.monthTime, length - 100);
        Ticks(1);
        EXPECT_EQ(state.month, 2) << length;
        EXPECT_EQ(host.monthTime, 0);
    }
}

TEST_F(CityClockTest, MonthTimeSurvivesAChangeOfSpeed) {
    state.monthLength = kSpeedSlow;
    Ticks(50);
    EXPECT_EQ(host.monthTime, 5000);
    state.monthLength = kSpeedFast;
    Ticks(1);
    EXPECT_EQ(state.month, 2);
    EXPECT_EQ(host.monthTime, 0);
}

TEST_F(CityClockTest, StatusLineTextsAndOptions) {
    state.funds = -50;
    state.toolName = "Road";
    state.toolPrice = 20;
    state.cityRank = 2;
    state.residentialPop = 30;
    state.commercialPop = 20;
    state.industrialPop = 10;
    Ticks(1);
    const std::vector<std::string> expected = {
        "ECHO; Jan 1950    ; 273; 0;",         "ECHO; Funds: £-50        ; 273; 1;",
        "ECHO; Road            ; 273; 2;",     "ECHO; Cost: £20       ; 273; 3;",
        "ECHO; Status: Village     ; 273; 4;", "ECHO; Pop: 60     ; 273; 5;",
    };
    EXPECT_EQ(host.Texts(), expected);
    for (const auto& l : host.lines) {
        EXPECT_FALSE(l.echo);
        EXPECT_FALSE(l.recordHistory);
    }
    // The frame is drawn last, once per tick.
    ASSERT_FALSE(host.events.empty());
    EXPECT_EQ(host.events.back(), "frame");
    EXPECT_EQ(host.frames, 1);
}

TEST_F(CityClockTest, MonthNamesAndOddMonths) {
    EXPECT_EQ(MonthName(0), "Null");
    EXPECT_EQ(MonthName(1), "Jan");
    EXPECT_EQ(MonthName(12), "Dec");
    EXPECT_EQ(MonthName(13), "");
    EXPECT_EQ(MonthName(-1), "");
    // A month from a damaged file never advances, and its name is blank.
    state.month = 14;
    state.monthLength = 100;
    Ticks(1);
    EXPECT_EQ(state.month, 14);
    EXPECT_EQ(Echoes().front(), "ECHO;  1950    ; 273; 0;");
}

TEST_F(CityClockTest, AHeldMessageKeepsTheStatusLineAwayForTwoSeconds) {
    state.messageHold = 2000;
    Ticks(19);
    EXPECT_TRUE(Echoes().empty());
    EXPECT_EQ(state.messageElapsed, 1900);
    EXPECT_EQ(host.frames, 19);
    Ticks(1);
    EXPECT_EQ(Echoes().size(), 6u);
    EXPECT_EQ(state.messageHold, 0);
    EXPECT_EQ(state.messageElapsed, 0);
    // Stray elapsed time with no hold is cleared on the next tick.
    state.messageElapsed = 300;
    Ticks(1);
    EXPECT_EQ(state.messageElapsed, 0);
}

TEST_F(CityClockTest, AnimationFrameCyclesOneToFour) {
    state.animFrame = 1;
    std::vector<int> seen;
    for (int i = 0; i < 6; ++i) {
        Ticks(1);
        seen.push_back(state.animFrame);
    }
    EXPECT_EQ(seen, (std::vector<int>{2, 3, 4, 1, 2, 3}));
    state.animFrame = 40; // whatever it held before
    Ticks(1);
    EXPECT_EQ(state.animFrame, 1);
}

TEST_F(CityClockTest, TheYearTurnsBeforeRankAndBudget) {
    state.month = 12;
    state.monthLength = 100;
    state.Cell(10, 10).code = 99; // a Church: a Hamlet becomes a Village
    Ticks(1);
    EXPECT_EQ(state.month, 1);
    EXPECT_EQ(state.year, 1951);
    EXPECT_EQ(state.cityRank, 2);
    const int promotion = IndexOf("run: INFO; Congratulations your Hamlet is now a Village;");
    const int clockOff = IndexOf("clock: off");
    const int budget = IndexOf("budget: shown 1951 Budget");
    const int status = IndexOf("run: ECHO; Jan 1951    ; 273; 0;");
    ASSERT_NE(promotion, -1);
    ASSERT_NE(clockOff, -1);
    ASSERT_NE(budget, -1);
    ASSERT_NE(status, -1);
    EXPECT_LT(promotion, budget);
    EXPECT_LT(budget, status);
    EXPECT_FALSE(host.clockOn);
    EXPECT_EQ(host.events.back(), "frame");
}

TEST_F(CityClockTest, AutoBudgetKeepsTheClockRunning) {
    host.autoBudget = true;
    state.month = 12;
    state.monthLength = 100;
    state.residentialPop = 100; // taxes 12 x 100
    Ticks(1);
    EXPECT_TRUE(host.clockOn);
    EXPECT_EQ(host.budgetShows, 0);
    EXPECT_EQ(state.funds, 20000 + 1200);
    EXPECT_EQ(IndexOf("run: INFO; Congratulations your Hamlet is now a Village;"), -1);
}

TEST_F(CityClockTest, UnlocksFollowTheYear) {
    host.autoBudget = true;
    state.year = 1955;
    state.month = 12;
    state.monthLength = 100;
    Ticks(1);
    EXPECT_EQ(state.year, 1956);
    EXPECT_NE(IndexOf("unlock " + std::to_string(kUnlockNuclear) + ": on"), -1);
    EXPECT_NE(IndexOf("unlock " + std::to_string(kUnlockWind) + ": off"), -1);
}

TEST_F(CityClockTest, AFinishedSiteWaitsForTheMonth) {
    // A site whose time has run out finishes in the scan of the next month, not before.
    state.Cell(5, 5).code = 1;
    state.Cell(5, 5).pendingCode = 50;
    state.Cell(5, 5).countdown = 0;
    state.monthLength = 6000;
    Ticks(59);
    EXPECT_EQ(state.Cell(5, 5).code, 1);
    Ticks(1);
    EXPECT_EQ(state.Cell(5, 5).code, 50);
    EXPECT_EQ(state.Cell(5, 5).countdown, 0);
}

} // namespace
