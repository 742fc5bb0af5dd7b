// Whole sessions through the headless driver: the protocol's output lines, a new
// city whose landscape follows the rules, and replays that match for a seed.
#include "SessionRunner.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using session::Has;
using session::StartingWith;
using session::States;

std::vector<std::string> RunSession(const std::string& input, int* status = nullptr, int seed = 5) {
    return session::RunPlazaro(input, seed, "", status);
}

TEST(Driver, StartUpGreetsRunsBothScriptsAndEndsAtEndOfInput) {
    int status = -1;
    std::vector<std::string> out = RunSession("", &status);
    EXPECT_EQ(status, 0);
    ASSERT_FALSE(out.empty());
    EXPECT_EQ(out[0], "reply: Server initialised");
    EXPECT_EQ(out[1].rfind("reply: Location: ", 0), 0u);
    EXPECT_TRUE(Has(out, "reply: Execing City.ini"));
    EXPECT_TRUE(Has(out, "reply: Execing Default.ini"));
    EXPECT_FALSE(Has(out, "quit"));
}

TEST(Driver, ConsoleLinesDirectivesAndQuit) {
    std::vector<std::string> out = RunSession(
        "// a comment the driver skips\n"
        "\n"
        ":mark begin\n"
        "NAME; Riverside;\n"
        "R_INFO; 202;\n"
        "# a comment the language skips\n"
        ":answer Ignore\n"
        "WARNING; Careful;\n"
        ":nonsense\n"
        "quit;\n"
        ":mark never reached\n");
    auto begin = std::find(out.begin(), out.end(), "mark: begin");
    ASSERT_NE(begin, out.end());
    std::vector<std::string> session(begin + 1, out.end());
    // The intro plays until the first thing the player does: that line skips it (the
    // first video's device closes, the second never opens) and then runs.
    std::vector<std::string> expected = {
        "mci: close Qor_Video",
        "reply:  changed to Riverside",
        "reply: Incorrect Number: 202",
        "reply: Command # a comment the language skips not accepted!",
        "box: Warning: Careful -> Ignore",
        "reply: A WARNING occured",
        "driver: unknown directive \":nonsense\"",
        "quit",
        "reply: ",
    };
    EXPECT_EQ(session, expected);
}

TEST(Driver, ANewCityHasARiverAndWoodsAndStartsTheClock) {
    std::string dump = std::filesystem::temp_directory_path() / ("plazaro_dump_" + std::to_string(::getpid()));
    std::vector<std::string> out = RunSession(":new Riverside hard\n:state\n:cell 0 0\n:dump " + dump + "\n");
    EXPECT_TRUE(Has(out, "state: name=\"Riverside\" funds=10000 month=1 year=1950 rank=1 pop=0 R=0 C=0 I=0 "
                         "tax=25 police=100 fire=100 hospital=100 education=100 transport=100 "
                         "tool=\"Bulldoze\" toolcode=9 price=10 monthlength=6000 clock=on autobudget=off"))
        << StartingWith(out, "state:");
    ASSERT_FALSE(StartingWith(out, "cell 0 0: code=").empty());
    EXPECT_EQ(StartingWith(out, "cell 0 0: code=").find("anchor=0,0"), std::string("cell 0 0: code=").size() + 3)
        << StartingWith(out, "cell 0 0:");

    // The landscape: codes 9, 11 or 12; one band of 5 to 8 water cells per row
    // (cut at the edge), never starting left of the row above's start.
    std::ifstream f(dump);
    std::string line;
    std::vector<std::vector<int>> codes(80, std::vector<int>(80, -1));
    std::vector<std::vector<int>> pending(80, std::vector<int>(80, -1));
    while (std::getline(f, line)) {
        std::istringstream s(line);
        int x, y, code, ax, ay, pend;
        if (line.empty() || !std::isdigit(static_cast<unsigned char>(line[0])))
            continue;
        s >> x >> y >> code >> ax >> ay >> pend;
        codes[y][x] = code;
        pending[y][x] = pend;
    }
    std::filesystem::remove(dump);
    int previousStart = -1;
    for (int y = 0; y < 80; ++y) {
        int start = -1, count = 0;
        for (int x = 0; x < 80; ++x) {
            int c = codes[y][x];
            ASSERT_TRUE(c == 9 || c == 11 || c == 12) << x << "," << y << " code " << c;
            if (c == 11) {
                EXPECT_GE(pending[y][x], 1);
                EXPECT_LE(pending[y][x], 6);
            }
            if (c == 12) {
                if (start < 0)
                    start = x;
                EXPECT_EQ(x, start + count) << "water is one band in row " << y;
                ++count;
            }
        }
        ASSERT_GE(start, 0) << "row " << y;
        EXPECT_GE(start, 21);
        EXPECT_GE(start, previousStart);
        EXPECT_LE(start - previousStart, previousStart < 0 ? 80 : 1);
        if (start + 8 <= 80) {
            EXPECT_GE(count, 5) << "row " << y;
        }
        EXPECT_LE(count, 8);
        previousStart = start;
    }
}

TEST(Driver, TheSameSeedAndInputReplayTheSameGame) {
    const std::string input = ":new Replay\n:tick 130\nRANDOM; 1000;\n:state\n:cell 30 30\n";
    std::vector<std::string> a = RunSession(input, nullptr, 42);
    std::vector<std::string> b = RunSession(input, nullptr, 42);
    std::vector<std::string> c = RunSession(input, nullptr, 43);
    EXPECT_EQ(a, b);
    EXPECT_NE(a, c);
}

TEST(Driver, TheClockTicksMonthsAndTheStatusLineIsOnScreen) {
    std::vector<std::string> out = RunSession(":new Ticker\n:tick 59\n:state\n:tick\n:state\n:screen\n");
    std::vector<std::string> states;
    for (const std::string& line : out)
        if (line.rfind("state:", 0) == 0)
            states.push_back(line);
    ASSERT_EQ(states.size(), 2u);
    EXPECT_NE(states[0].find("month=1 "), std::string::npos);
    EXPECT_NE(states[1].find("month=2 "), std::string::npos);
    EXPECT_TRUE(Has(out, "screen 0: Feb 1950    " + std::string(15, ' ')));
    EXPECT_TRUE(Has(out, "screen 4: Status: Hamlet     " + std::string(15, ' ')));
}

TEST(Driver, SpeedItemsEchoTheirLineAndPauseStopsTheClock) {
    std::vector<std::string> out = RunSession(":new Speedy\n:press S_Pause\n:tick 100\n:state\n:press S_Fast\n:tick 20\n:state\n");
    EXPECT_TRUE(Has(out, "reply: Speed = 0"));
    EXPECT_TRUE(Has(out, "reply: Speed = 2000"));
    std::string last;
    for (const std::string& line : out)
        if (line.rfind("state:", 0) == 0)
            last = line;
    EXPECT_NE(last.find("month=2 "), std::string::npos) << last;
}

TEST(Driver, TypedLinesAreCutAtTheBoxLimitAndUnknownWidgetsAreReported) {
    std::vector<std::string> out = RunSession("ECHO; " + std::string(80, 'z') + ";\n:press NoSuchThing\n");
    // The box keeps "ECHO; " and 58 letters; the last is lost with the missing ";".
    EXPECT_TRUE(Has(out, "reply: " + std::string(57, 'z')));
    EXPECT_TRUE(Has(out, "driver: unknown widget \"NoSuchThing\""));
}

} // namespace

namespace {

// The value of "key=" in a state line.
long Field(const std::string& state, const std::string& key) {
    auto at = state.find(" " + key + "=");
    if (at == std::string::npos)
        return -1;
    return std::stol(state.substr(at + key.size() + 2));
}

// A player's first two years: a plant, a road and zones laid by clicks and drags,
// a church, months passing at Fast speed, zones growing, the promotion, the year's
// budget stopping the game until OK, a query, an unlocked gift, then Auto Budget.
TEST(Driver, AWholeGameThroughClicksAndTicks) {
    std::vector<std::string> out = RunSession(":new Scenario\n"
                                              ":press S_Fast\n"
                                              ":press P_Coal\n"
                                              ":map 5 5\n"
                                              ":press R_Road\n"
                                              ":map 3 12 shift\n"
                                              ":map 10 12 shift\n"
                                              ":press R_LDensity\n"
                                              ":map 5 9 shift\n"
                                              ":map 8 11 shift\n"
                                              ":press R_Church\n"
                                              ":map 10 5\n"
                                              ":press G_YourHouse\n"
                                              ":state\n"
                                              ":cell 5 5\n:cell 8 8\n:cell 3 12\n:cell 10 12\n:cell 5 9\n:cell 10 5\n"
                                              ":tick 240\n"
                                              ":state\n"
                                              ":press Query_SB\n"
                                              ":map 6 6\n"
                                              ":screen\n"
                                              ":press G_YourHouse\n"
                                              ":state\n"
                                              ":press B_Ok_B\n"
                                              ":state\n"
                                              ":press O_A_Budget\n"
                                              ":tick 240\n"
                                              ":state\n",
                                              nullptr, 11);
    std::vector<std::string> states = States(out);
    ASSERT_EQ(states.size(), 5u);

    // Building: 4000 for the plant, 8 roads, 12 zones and a church; the gift is
    // not yet to be had at Hamlet rank, so the church stays the tool.
    EXPECT_EQ(Field(states[0], "funds"), 20000 - 4000 - 8 * 20 - 12 * 10 - 500);
    EXPECT_NE(states[0].find("tool=\"Church\""), std::string::npos);
    EXPECT_EQ(Field(states[0], "monthlength"), 2000);
    EXPECT_FALSE(StartingWith(out, "cell 5 5: code=37 anchor=0,0 pending=0 countdown=0 ").empty()) << StartingWith(out, "cell 5 5:");
    EXPECT_FALSE(StartingWith(out, "cell 8 8: code=250 anchor=5,5").empty()) << StartingWith(out, "cell 8 8:");
    EXPECT_FALSE(StartingWith(out, "cell 3 12: code=17 ").empty()) << StartingWith(out, "cell 3 12:");
    EXPECT_FALSE(StartingWith(out, "cell 10 12: code=17 ").empty()) << StartingWith(out, "cell 10 12:");
    EXPECT_FALSE(StartingWith(out, "cell 5 9: code=48 ").empty()) << StartingWith(out, "cell 5 9:");
    EXPECT_FALSE(StartingWith(out, "cell 10 5: code=99 ").empty()) << StartingWith(out, "cell 10 5:");

    // A year at Fast speed: the church makes a Village, announced once; zones grew;
    // the budget then holds the game until OK.
    EXPECT_TRUE(Has(out, "box: Plazaro: Congratulations your Hamlet is now a Village -> OK"));
    EXPECT_EQ(Field(states[1], "year"), 1951);
    EXPECT_EQ(Field(states[1], "month"), 1);
    EXPECT_EQ(Field(states[1], "rank"), 2);
    EXPECT_GT(Field(states[1], "R"), 0);
    EXPECT_NE(states[1].find("clock=off"), std::string::npos);
    bool scored = false;
    for (const std::string& line : out)
        scored |= line.rfind("sound: Sound\\RESI.WAV", 0) == 0;
    EXPECT_TRUE(scored);

    // The query report of the plant, through any of its cells.
    EXPECT_TRUE(Has(out, "screen 0: Coal Power Plant" + std::string(15, ' ')));
    EXPECT_TRUE(Has(out, "screen 1: Capacity : 200MW" + std::string(15, ' ')));
    EXPECT_EQ(StartingWith(out, "screen 2: Remaining : ").empty(), false);

    // Rank 2 unlocks Your House; OK restarts the clock; Auto Budget keeps it going.
    EXPECT_NE(states[2].find("tool=\"Your House\""), std::string::npos);
    EXPECT_TRUE(Has(out, "sound: Sound\\HOUSE"));
    EXPECT_NE(states[3].find("clock=on"), std::string::npos);
    EXPECT_EQ(Field(states[4], "year"), 1952);
    EXPECT_NE(states[4].find("clock=on autobudget=on"), std::string::npos);
    EXPECT_GE(Field(states[4], "R"), Field(states[1], "R"));
}

} // namespace

namespace {

// The window's picture is a PNG of the menu bar over the 640 x 480 game screen.
TEST(Driver, WindowShotsHoldTheWholeWindow) {
    std::string path = std::filesystem::temp_directory_path() / ("plazaro_window_" + std::to_string(::getpid()) + ".png");
    std::vector<std::string> out = RunSession(":new Framed\n:window " + path + "\n:window /no/such/folder/x.png\n");
    std::ifstream f(path, std::ios::binary);
    ASSERT_TRUE(f.good());
    const std::string png((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    int width = 0, height = 0;
    ASSERT_TRUE(session::PngSize(png, width, height));
    EXPECT_EQ(width, 640);
    EXPECT_GT(height, 480);
    std::filesystem::remove(path);
    EXPECT_EQ(StartingWith(out, "driver: can't write \"/no/such/folder/x.png\"").empty(), false);
}

} // namespace
