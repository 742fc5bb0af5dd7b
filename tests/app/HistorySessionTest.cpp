// The city's history through the driver: a sample a month from the city's start, saved
// beside the city file (which stays the same 404 lines) and read back with the load;
// a damaged companion is left out with one console line and the game goes on.
#include "SessionRunner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;
using session::Has;
using session::RunPlazaro;

namespace {

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line.substr(0, line.find('\r')));
    return lines;
}

} // namespace

TEST(HistorySession, SavedBesideTheCityReadWithItAndDamagedCopiesLeftOut) {
    const fs::path dir = fs::temp_directory_path() / ("plazaro_history_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    ::setenv("XDG_DATA_HOME", (dir / "data").c_str(), 1);
    const std::string city = (dir / "TOWN.PZ1").string();
    // Fast months of 2000 ms: 20 ticks a month; 130 ticks run six months.
    const std::vector<std::string> out = RunPlazaro(":new Town\n"
                                                    ":press O_A_Budget\n"
                                                    ":press S_Fast\n"
                                                    ":tick 130\n"
                                                    ":state\n"
                                                    ":file " + city + "\n"
                                                    ":press F_Save\n",
                                                    7);
    const std::string companion = city + ".HIS";
    ASSERT_TRUE(fs::exists(companion));
    const std::vector<std::string> lines = Lines(ReadFile(companion));
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0], "PLAZARO HISTORY 1");
    // January to July of the first year, one sample each.
    EXPECT_EQ(lines[1], "7");
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines[2].rfind("1950;1;0;0;0;", 0), 0u) << lines[2];
    const std::string state = session::StartingWith(out, "state: ");
    const std::string funds = state.substr(state.find("funds=") + 6, state.find(' ', state.find("funds=")) -
                                                                         state.find("funds=") - 6);
    EXPECT_EQ(lines[8].rfind("1950;7;", 0), 0u) << lines[8];
    EXPECT_EQ(lines[8].substr(lines[8].rfind(';') + 1), funds) << state;
    // The city file is the game's own 404 lines, with no trace of the history.
    EXPECT_EQ(Lines(ReadFile(city)).size(), 404u);
    EXPECT_EQ(ReadFile(city).find("HISTORY"), std::string::npos);

    // Loaded and saved again elsewhere, the history comes back as it was.
    const std::string again = (dir / "AGAIN.PZ1").string();
    RunPlazaro(":file " + city + "\n:press F_LoadCity\n:file " + again + "\n:press F_Save\n", 7);
    EXPECT_EQ(ReadFile(again + ".HIS"), ReadFile(companion));
    EXPECT_EQ(ReadFile(again), ReadFile(city));

    // Damaged copies: the city loads all the same, with one line in the console.
    for (const std::string& bytes : {std::string("PLAZARO HISTORY 1\r\n9\r\n1950;1;0;0;0;1\r\n"),
                                     std::string("garbage"),
                                     std::string("PLAZARO HISTORY 1\r\n1\r\n1990;1;0;0;0;1\r\n")}) {
        std::ofstream(companion, std::ios::binary | std::ios::trunc) << bytes;
        const std::vector<std::string> loaded = RunPlazaro(":file " + city + "\n:press F_LoadCity\n:state\n", 7);
        int notes = 0;
        for (const std::string& line : loaded)
            notes += line.rfind("reply: History not loaded: ", 0) == 0;
        EXPECT_EQ(notes, 1) << bytes;
        EXPECT_NE(session::StartingWith(loaded, "state: ").find("name=\"Town\""), std::string::npos);
    }
    fs::remove_all(dir);
}

