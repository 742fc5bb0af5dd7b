// A whole game through the headless driver, played as a player would: two coal
// plants, a church, a spine road with power lines, blocks of streets zoned for
// homes, shops and works at low density, Auto Budget on at Fast speed. The first
// block makes a Village that stays just short of a Town; a second block two years
// on makes a Town the next year, with the funds well above nothing all the way.
// The columns 0 to 19 are land whatever the seed: the river starts further east.
#include "SessionRunner.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

std::vector<std::string> RunSession(const std::string& input, int seed) {
    return session::RunPlazaro(input, seed, "--quiet-frames");
}

// The numbers of a state line: funds, year, rank, pop, R, C, I.
std::map<std::string, long> Numbers(const std::string& state) {
    std::map<std::string, long> out;
    static const std::regex number(R"((\w+)=(-?\d+))");
    for (auto it = std::sregex_iterator(state.begin(), state.end(), number); it != std::sregex_iterator(); ++it)
        out[(*it)[1]] = std::stol((*it)[2]);
    return out;
}

std::string Map(int x, int y, bool shift = false) {
    return ":map " + std::to_string(x) + " " + std::to_string(y) + (shift ? " shift\n" : "\n");
}

// Roads along the given rows from column 5 to 19 and down the spine at column 4
// from row top to row bottom, a power line over every road cell, and the gaps
// between the rows zoned: works in columns 5-7, shops 8-11, homes 12-19.
std::string Streets(int top, int bottom, const std::vector<int>& rows, const std::vector<int>& gapTops) {
    std::string s = ":press R_Road\n" + Map(4, top, true) + Map(4, bottom, true);
    for (int r : rows)
        s += Map(5, r, true) + Map(19, r, true);
    s += ":press P_PowerLine\n";
    for (int y = top; y <= bottom; ++y)
        s += Map(4, y);
    for (int r : rows)
        for (int x = 5; x <= 19; ++x)
            s += Map(x, r);
    const struct {
        const char* tool;
        int from, to;
    } kinds[] = {{"I_LDensity", 5, 7}, {"C_LDensity", 8, 11}, {"R_LDensity", 12, 19}};
    for (const auto& k : kinds) {
        s += std::string(":press ") + k.tool + "\n";
        for (int g : gapTops)
            s += Map(k.from, g, true) + Map(k.to, g + 5, true);
    }
    return s;
}

constexpr int kTicksPerYear = 12 * 20; // Fast speed

TEST(DriverGrowth, TwoBlocksOfStreetsMakeATownInThreeYears) {
    const std::string firstBlock = ":new Growtown\n"
                                   ":press S_Fast\n"
                                   ":press O_A_Budget\n"
                                   ":press P_Coal\n" +
                                   Map(0, 10) + ":press P_Coal\n" + Map(0, 20) + ":press R_Church\n" + Map(0, 30) +
                                   Streets(3, 38, {3, 10, 17, 24, 31, 38}, {4, 11, 18, 25, 32}) + ":state\n";
    const std::string secondBlock =
        ":press P_Coal\n" + Map(0, 40) + Streets(39, 52, {45, 52}, {39, 46}) + ":state\n";
    std::string input = firstBlock;
    for (int year = 0; year < 2; ++year)
        input += ":tick " + std::to_string(kTicksPerYear) + "\n:state\n";
    input += secondBlock;
    for (int year = 0; year < 2; ++year)
        input += ":tick " + std::to_string(kTicksPerYear) + "\n:state\n";

    const auto lines = RunSession(input, 3);
    std::vector<std::map<std::string, long>> states;
    for (const std::string& l : lines) {
        EXPECT_NE(l.rfind("error:", 0), 0u) << l;
        if (l.rfind("state: ", 0) == 0)
            states.push_back(Numbers(l));
    }
    ASSERT_EQ(states.size(), 6u);
    // Everything of the first block was paid for out of the starting funds.
    EXPECT_GT(states[0]["funds"], 0);
    // The church makes a Village at once; one block falls just short of a Town.
    EXPECT_EQ(states[1]["year"], 1951);
    EXPECT_EQ(states[1]["rank"], 2);
    EXPECT_GT(states[1]["pop"], 1000);
    EXPECT_EQ(states[2]["rank"], 2);
    EXPECT_LT(states[2]["pop"], 2000);
    // The taxes of two years pay for the second block with money to spare.
    EXPECT_GT(states[3]["funds"], 10000);
    // A Town the year after, with homes, shops and works all grown.
    EXPECT_EQ(states[4]["year"], 1953);
    EXPECT_EQ(states[4]["rank"], 3);
    EXPECT_GE(states[4]["pop"], 2000);
    for (const char* kind : {"R", "C", "I"})
        EXPECT_GT(states[4][kind], states[4]["pop"] / 5) << kind;
    // Homes balance the jobs of shops and works.
    EXPECT_NEAR(states[4]["R"], states[4]["C"] + states[4]["I"], states[4]["pop"] / 10);
    for (auto& s : states)
        EXPECT_GT(s["funds"], 0);
    EXPECT_GT(states[5]["funds"], states[4]["funds"]);
}

} // namespace
