// Save and Load City in a whole program run through the headless driver: the file
// dialogs answered with :file and :cancel (queued before the press that opens them), the boxes the player sees, and a failed
// save or load that leaves the program running with its city.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::vector<std::string> RunSession(const std::string& input, int& status) {
    const fs::path inputPath = fs::temp_directory_path() / ("plazaro_cf_in_" + std::to_string(::getpid()));
    {
        std::ofstream f(inputPath, std::ios::binary);
        f << input;
    }
    const std::string command =
        std::string(PLAZARO_PROGRAM_DIR) + "/plazaro --headless --seed 9 < " + inputPath.string();
    std::vector<std::string> lines;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return lines;
    std::string text;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        text.append(buffer, n);
    status = WEXITSTATUS(::pclose(pipe));
    fs::remove(inputPath);
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}

// The lines from the first one that starts with prefix on.
std::vector<std::string> From(const std::vector<std::string>& lines, const std::string& prefix) {
    auto it = std::find_if(lines.begin(), lines.end(), [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
    return {it, lines.end()};
}

std::vector<std::string> Matching(const std::vector<std::string>& lines, const std::string& prefix) {
    std::vector<std::string> found;
    for (const std::string& l : lines)
        if (l.rfind(prefix, 0) == 0)
            found.push_back(l);
    return found;
}

} // namespace

TEST(CityFileDriver, SaveLoadCancelAndFailuresInOneSession) {
    const fs::path dir = fs::temp_directory_path() / ("plazaro_cf_driver_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    const std::string town = (dir / "Town.PZ1").string();
    {
        std::ofstream bad(dir / "Bad.PZ1", std::ios::binary);
        bad << "Bad;#\r\n1; 79E; 4E20; 1;#\r\n";
    }
    int status = -1;
    const std::vector<std::string> out = RunSession(
        ":new Riverside\n"
        "NAME; Saved Town;\n"
        ":file " + town + "\n"
        ":press F_Save\n"
        ":mark saved\n"
        "NAME; Other;\n"
        ":answer No\n"
        ":file " + town + "\n"
        ":press F_LoadCity\n"
        ":state\n"
        ":mark bad\n"
        ":file " + (dir / "Bad.PZ1").string() + "\n"
        ":press F_LoadCity\n"
        ":state\n"
        ":mark cancel\n"
        ":cancel\n"
        ":press F_LoadCity\n"
        ":cancel\n"
        ":press F_Save\n"
        ":state\n"
        ":mark failed save\n"
        ":file " + (dir / "missing" / "Town.PZ1").string() + "\n"
        ":press F_Save\n"
        ":state\n",
        status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(std::find(out.begin(), out.end(), "quit"), out.end());

    const std::vector<std::string> saved = From(out, "mark: saved");
    ASSERT_FALSE(saved.empty());
    EXPECT_EQ(Matching(out, "box: "), (std::vector<std::string>{
                                          "box: Plazaro: Game Saved as " + town + " -> OK",
                                          "box: Plazaro: Save changes to Other? -> No",
                                          "box: Plazaro: " + (dir / "Bad.PZ1").string() +
                                              " is not a city file the game can load: the file ends after line 2 of 404 -> OK",
                                          "box: Plazaro: Can't save to " + (dir / "missing" / "Town.PZ1").string() +
                                              " -> OK",
                                      }));
    const std::vector<std::string> states = Matching(out, "state: ");
    ASSERT_EQ(states.size(), 4u);
    // Loaded: the saved name, Bulldoze, the clock on.
    EXPECT_EQ(states[0].rfind("state: name=\"Saved Town\" funds=20000 month=1 year=1950 rank=1", 0), 0u) << states[0];
    EXPECT_NE(states[0].find("tool=\"Bulldoze\""), std::string::npos);
    EXPECT_NE(states[0].find("clock=on"), std::string::npos);
    // The bad file changed nothing but the clock, which stays stopped.
    EXPECT_EQ(states[1].rfind("state: name=\"Saved Town\"", 0), 0u) << states[1];
    EXPECT_NE(states[1].find("clock=off"), std::string::npos);
    // Cancelling the save changes nothing; the failed save leaves the game running.
    EXPECT_NE(states[2].find("clock=off"), std::string::npos);
    EXPECT_EQ(states[3].rfind("state: name=\"Saved Town\"", 0), 0u) << states[3];
    EXPECT_NE(states[3].find("clock=on"), std::string::npos);
    fs::remove_all(dir);
}

// Loaded figures at the edge of their range: populations that add up past 32 bits are
// shown added in 64 bits, as the game adds them; a year the clock could not count on
// from is refused with the reader's message.
TEST(CityFileDriver, FiguresAtTheEdgeOfTheirRange) {
    const fs::path dir = fs::temp_directory_path() / ("plazaro_cf_edge_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    const std::string town = (dir / "Town.PZ1").string();
    int status = -1;
    RunSession(":new Riverside\n:file " + town + "\n:press F_Save\n", status);
    ASSERT_EQ(status, 0);
    std::vector<std::string> lines;
    {
        std::ifstream f(town, std::ios::binary);
        for (std::string line; std::getline(f, line);)
            lines.push_back(line + "\n");
    }
    ASSERT_EQ(lines.size(), 404u);
    auto write = [&](const fs::path& path, size_t index, const std::string& line) {
        std::vector<std::string> changed = lines;
        changed[index] = line;
        std::ofstream f(path, std::ios::binary);
        for (const std::string& l : changed)
            f << l;
    };
    write(dir / "Crowded.PZ1", 2, "7FFFFFFF; 7FFFFFFF; 7FFFFFFF;#\r\n");
    write(dir / "Endless.PZ1", 1, "C; 7FFFFFFF; 4E20; 1;#\r\n");
    const std::vector<std::string> out = RunSession(
        ":file " + (dir / "Crowded.PZ1").string() + "\n:press F_LoadCity\n:state\n"
        ":file " + (dir / "Endless.PZ1").string() + "\n:press F_LoadCity\n:tick 70\n:state\n",
        status);
    EXPECT_EQ(status, 0);
    const std::vector<std::string> states = Matching(out, "state: ");
    ASSERT_EQ(states.size(), 2u);
    EXPECT_NE(states[0].find(" pop=6442450941 R=2147483647 C=2147483647 I=2147483647 "), std::string::npos)
        << states[0];
    EXPECT_EQ(Matching(out, "box: "),
              (std::vector<std::string>{"box: Plazaro: " + (dir / "Endless.PZ1").string() +
                                        " is not a city file the game can load: line 2: year 2147483647 is outside "
                                        "-1000000 to 1000000 -> OK"}));
    EXPECT_NE(states[1].find(" year=1950 "), std::string::npos) << states[1];
    fs::remove_all(dir);
}
