// Whole sessions of the simulation through the headless driver: the year's budget
// stopping the game on its panel until OK stores the settings, Auto Budget running
// on, plants unlocked by the years, the console's demand checks, a promotion with
// its box and its gift, zones growing through sites into buildings, query reports.
#include "SessionRunner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using session::States;

std::vector<std::string> RunSession(const std::string& input, int seed = 3) {
    return session::RunPlazaro(input, seed);
}

bool Contains(const std::string& line, const std::string& part) { return line.find(part) != std::string::npos; }

constexpr int kTicksPerYear = 12 * 60; // Medium speed

TEST(SimulationSession, TheYearStopsOnTheBudgetPanelUntilOk) {
    const auto states = States(RunSession(":new Testville\n"
                                   ":press S_Pause\n"
                                   ":press B_Ok_B\n" // hidden: nothing happens
                                   ":state\n"
                                   ":press S_Medium\n"
                                   ":tick " + std::to_string(kTicksPerYear) + "\n"
                                   ":state\n"
                                   ":tick 30\n"
                                   ":state\n"
                                   ":set UpDown1 30\n"
                                   ":set UpDown6 40\n"
                                   ":press B_Ok_B\n"
                                   ":state\n"));
    ASSERT_EQ(states.size(), 4u);
    EXPECT_TRUE(Contains(states[0], "clock=off"));
    EXPECT_TRUE(Contains(states[1], "month=1 year=1951"));
    EXPECT_TRUE(Contains(states[1], "clock=off"));
    // No tick runs while the panel is open.
    EXPECT_TRUE(Contains(states[2], "month=1 year=1951"));
    EXPECT_TRUE(Contains(states[3], "tax=30 police=100 fire=100 hospital=100 education=100 transport=40"));
    EXPECT_TRUE(Contains(states[3], "clock=on"));
}

TEST(SimulationSession, AutoBudgetLetsTheYearsRunOn) {
    const auto states = States(RunSession(":new Testville\n"
                                   ":press O_A_Budget\n"
                                   ":tick " + std::to_string(2 * kTicksPerYear) + "\n"
                                   ":state\n"));
    ASSERT_EQ(states.size(), 1u);
    EXPECT_TRUE(Contains(states[0], "month=1 year=1952"));
    EXPECT_TRUE(Contains(states[0], "clock=on autobudget=on"));
    // An empty city neither raises nor spends anything.
    EXPECT_TRUE(Contains(states[0], "funds=20000"));
}

TEST(SimulationSession, TheNuclearPlantComesIn1956AndGiftsWaitForTheRank) {
    const auto states = States(RunSession(":new Testville\n"
                                   ":press P_Nuclear\n"
                                   ":state\n"
                                   ":press O_A_Budget\n"
                                   ":tick " + std::to_string(6 * kTicksPerYear) + "\n"
                                   ":press P_Nuclear\n"
                                   ":state\n"
                                   ":press G_YourHouse\n"
                                   ":state\n"));
    ASSERT_EQ(states.size(), 3u);
    EXPECT_TRUE(Contains(states[0], "tool=\"Bulldoze\""));
    EXPECT_TRUE(Contains(states[1], "year=1956"));
    EXPECT_TRUE(Contains(states[1], "toolcode=40"));
    // A Hamlet is given no house.
    EXPECT_TRUE(Contains(states[2], "toolcode=40"));
}

TEST(SimulationSession, DemandChecksAnswerAndReplayForASeed) {
    const std::string input = ":new Testville\n:press W_Console\nCHECK_RESIDENTIAL;\nCHECK_COMMERCIAL;\n"
                              "CHECK_INDUSTRIAL;\nCHECK_RESIDENTIAL;\n";
    auto answers = [](const std::vector<std::string>& lines) {
        std::vector<std::string> out;
        for (const std::string& l : lines)
            if (l == "reply: R Yes" || l == "reply: R No" || l == "reply: C Yes" || l == "reply: C No" ||
                l == "reply: I Yes" || l == "reply: I No")
                out.push_back(l);
        return out;
    };
    const auto first = answers(RunSession(input, 11));
    ASSERT_EQ(first.size(), 4u);
    EXPECT_EQ(first[0].substr(0, 9), "reply: R ");
    EXPECT_EQ(first[1].substr(0, 9), "reply: C ");
    EXPECT_EQ(first[2].substr(0, 9), "reply: I ");
    EXPECT_EQ(answers(RunSession(input, 11)), first);
}

// The screen lines of the last ":screen" before the given mark.
std::vector<std::string> ScreenBefore(const std::vector<std::string>& lines, const std::string& mark) {
    std::vector<std::string> screen;
    for (const std::string& l : lines) {
        if (l == "mark: " + mark)
            return screen;
        if (l.rfind("screen 0: ", 0) == 0)
            screen.clear();
        if (l.rfind("screen ", 0) == 0)
            screen.push_back(l);
    }
    return screen;
}

TEST(SimulationSession, AChurchMakesAVillageWithItsBoxAndItsGift) {
    const auto out = RunSession(":new Testville\n"
                                ":press R_Church\n"
                                ":map 5 5\n"
                                ":press O_A_Budget\n"
                                ":tick " + std::to_string(kTicksPerYear) + "\n"
                                ":press G_YourHouse\n"
                                ":state\n"
                                ":press Query_SB\n"
                                ":map 6 6\n"
                                ":screen\n"
                                ":mark church\n");
    EXPECT_NE(std::find(out.begin(), out.end(), "box: Plazaro: Congratulations your Hamlet is now a Village -> OK"),
              out.end());
    const auto states = States(out);
    ASSERT_EQ(states.size(), 1u);
    EXPECT_TRUE(Contains(states[0], "year=1951 rank=2"));
    EXPECT_TRUE(Contains(states[0], "toolcode=16"));
    // A covered cell of the Church reports the Church, over the status line's slots.
    const auto screen = ScreenBefore(out, "church");
    ASSERT_EQ(screen.size(), 8u);
    EXPECT_EQ(screen[0], "screen 0: Church               ");
    EXPECT_EQ(screen[1], "screen 1: Crime : None               ");
    EXPECT_EQ(screen[3], "screen 3: Power : No               ");
    EXPECT_EQ(screen[5], "screen 5: Water : No               ");
}

// The value of "key=" in a state line.
long Field(const std::string& state, const std::string& key) {
    const auto at = state.find(" " + key + "=");
    return at == std::string::npos ? -1 : std::stol(state.substr(at + key.size() + 2));
}

// The promotion box opened by the tick that turns the year stays open for 30 months:
// the clock runs on under it (two more year turns with their budgets), and when it is
// closed the opening tick goes on with its own budget and writes the status line.
TEST(SimulationSession, ThePromotionBoxHeldOpenLetsThirtyMonthsPassAndItsTickGoOn) {
    const auto out = RunSession(":new Holdville\n"
                                ":press S_Fast\n"
                                ":press O_A_Budget\n"
                                ":press R_Church\n"
                                ":map 5 5\n"
                                ":press R_Road\n"
                                ":map 12 3\n:map 12 4\n:map 12 5\n:map 12 6\n:map 12 7\n"
                                ":tick 239\n"
                                ":state\n"
                                ":hold 600\n"
                                ":tick\n"
                                ":mark closed\n"
                                ":state\n"
                                ":screen\n"
                                ":mark screen\n"
                                ":tick 120\n"
                                ":state\n");
    const auto states = States(out);
    ASSERT_EQ(states.size(), 3u);
    EXPECT_TRUE(Contains(states[0], "month=12 year=1950 rank=1"));
    // One box, before what ran under it; the month is the thirtieth after the turn.
    const auto box = std::find(out.begin(), out.end(), "box: Plazaro: Congratulations your Hamlet is now a Village -> OK");
    ASSERT_NE(box, out.end());
    EXPECT_LT(box - out.begin(), std::find(out.begin(), out.end(), "mark: closed") - out.begin());
    EXPECT_EQ(std::count_if(out.begin(), out.end(), [](const std::string& l) { return l.rfind("box:", 0) == 0; }), 1);
    EXPECT_TRUE(Contains(states[1], "month=7 year=1953 rank=2"));
    EXPECT_TRUE(Contains(states[1], "clock=on"));
    // Three budgets went out: the nested turns of 1952 and 1953 and the opening
    // tick's own after the box; the next turn, six months on, takes one more.
    const long before = Field(states[0], "funds"), after = Field(states[1], "funds"), next = Field(states[2], "funds");
    const long yearly = after - next;
    EXPECT_GT(yearly, 0);
    EXPECT_EQ(before - after, 3 * yearly);
    EXPECT_TRUE(Contains(states[2], "month=1 year=1954"));
    // The status line was written after that last budget, by the opening tick.
    const auto screen = ScreenBefore(out, "screen");
    ASSERT_EQ(screen.size(), 8u);
    EXPECT_EQ(screen[0], "screen 0: Jul 1953    " + std::string(15, ' '));
    EXPECT_EQ(screen[1], "screen 1: Funds: £" + std::to_string(after) + "        " + std::string(15, ' '));
    EXPECT_EQ(screen[4], "screen 4: Status: Village     " + std::string(15, ' '));
}

TEST(SimulationSession, ZonesGrowThroughSitesIntoBuildings) {
    std::string input = ":new Testville\n"
                        ":press O_A_Budget\n"
                        ":press P_Coal\n"
                        ":map 5 5\n"
                        ":press R_Road\n"
                        ":map 9 9 shift\n"
                        ":map 16 9 shift\n"
                        ":press R_LDensity\n"
                        ":map 9 5 shift\n"
                        ":map 11 7 shift\n"
                        ":press C_HDensity\n"
                        ":map 12 5 shift\n"
                        ":map 14 7 shift\n"
                        ":press W_Console\n";
    for (int month = 0; month < 11; ++month) {
        input += ":tick 60\n";
        for (int y = 5; y <= 7; ++y)
            for (int x = 9; x <= 11; ++x)
                input += ":cell " + std::to_string(x) + " " + std::to_string(y) + "\n";
    }
    input += ":state\n:press Query_SB\n:map 6 6\n:screen\n:mark plant\n:map 10 9\n:screen\n:mark road\n";
    const auto out = RunSession(input);

    // Every cell's codes month by month: a site (1) must come before its building.
    std::map<std::string, std::vector<int>> codes;
    for (const std::string& l : out)
        if (l.rfind("cell ", 0) == 0) {
            const size_t colon = l.find(':');
            codes[l.substr(0, colon)].push_back(std::stoi(l.substr(l.find("code=") + 5)));
        }
    ASSERT_EQ(codes.size(), 9u);
    int grown = 0;
    for (const auto& [cell, history] : codes) {
        const auto site = std::find(history.begin(), history.end(), 1);
        const auto building = std::find_if(history.begin(), history.end(), [](int c) { return c >= 50 && c <= 54; });
        if (building == history.end())
            continue;
        ++grown;
        EXPECT_TRUE(site != history.end() && site < building) << cell;
    }
    EXPECT_GT(grown, 0);
    const auto states = States(out);
    ASSERT_EQ(states.size(), 1u);
    EXPECT_TRUE(Contains(states[0], "month=12 year=1950"));
    EXPECT_FALSE(Contains(states[0], " R=0 "));
    // The high-density shops report their score on every attempt.
    EXPECT_NE(std::find_if(out.begin(), out.end(), [](const std::string& l) { return l.rfind("reply: C: ", 0) == 0; }),
              out.end());
    const auto plant = ScreenBefore(out, "plant");
    ASSERT_GE(plant.size(), 3u);
    EXPECT_EQ(plant[0], "screen 0: Coal Power Plant               ");
    EXPECT_EQ(plant[1], "screen 1: Capacity : 200MW               ");
    EXPECT_TRUE(Contains(plant[2], "screen 2: Remaining : "));
    const auto road = ScreenBefore(out, "road");
    ASSERT_GE(road.size(), 4u);
    EXPECT_EQ(road[0], "screen 0: Road               ");
    EXPECT_TRUE(Contains(road[3], "screen 3: Cars / Min : "));
    EXPECT_FALSE(Contains(road[3], "Cars / Min : 0 "));
}

} // namespace
