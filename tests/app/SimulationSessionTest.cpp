// Whole sessions of the simulation through the headless driver: the year's budget
// stopping the game on its panel until OK stores the settings, Auto Budget running
// on, plants unlocked by the years, and the console's demand checks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

std::vector<std::string> RunSession(const std::string& input, int seed = 3) {
    const std::string inputPath =
        std::filesystem::temp_directory_path() / ("plazaro_sim_in_" + std::to_string(::getpid()));
    {
        std::ofstream f(inputPath, std::ios::binary);
        f << input;
    }
    const std::string command = std::string(PLAZARO_PROGRAM_DIR) + "/plazaro --headless --seed " +
                                std::to_string(seed) + " < " + inputPath;
    std::vector<std::string> lines;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        std::string all;
        char buffer[4096];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
            all.append(buffer, n);
        ::pclose(pipe);
        std::istringstream stream(all);
        for (std::string line; std::getline(stream, line);)
            lines.push_back(line);
    }
    std::filesystem::remove(inputPath);
    return lines;
}

// The state lines, in order.
std::vector<std::string> States(const std::vector<std::string>& lines) {
    std::vector<std::string> out;
    for (const std::string& l : lines)
        if (l.rfind("state: ", 0) == 0)
            out.push_back(l);
    return out;
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

} // namespace
