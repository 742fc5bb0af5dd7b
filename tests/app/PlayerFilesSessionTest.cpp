// The player's files through the driver: saved cities go to the cities folder under the
// city's own name, a changed city is never replaced or closed without asking, saving
// over another city's file asks first, and each turn of the year autosaves (rotating
// three older autosaves) without drawing a number or showing a box.
#include "SessionRunner.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using session::Has;
using session::RunPlazaro;

namespace {

// A home of its own for one test: the program's player folders point into it.
class PlayerHome {
public:
    explicit PlayerHome(const std::string& name)
        : root_(fs::temp_directory_path() / ("plazaro_home_" + name + "_" + std::to_string(::getpid()))) {
        fs::remove_all(root_);
        fs::create_directories(root_);
        ::setenv("HOME", root_.c_str(), 1);
        ::setenv("XDG_DATA_HOME", (root_ / "data").c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (root_ / "config").c_str(), 1);
        ::setenv("XDG_PICTURES_DIR", (root_ / "pictures").c_str(), 1);
    }
    ~PlayerHome() { fs::remove_all(root_); }
    fs::path Cities() const { return root_ / "data" / "plazaro" / "cities"; }
    fs::path Root() const { return root_; }

private:
    fs::path root_;
};

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string FirstLine(const fs::path& path) {
    std::string text = ReadFile(path);
    return text.substr(0, text.find("\r\n"));
}

std::vector<std::string> Boxes(const std::vector<std::string>& lines) {
    std::vector<std::string> boxes;
    for (const std::string& line : lines)
        if (line.rfind("box: ", 0) == 0)
            boxes.push_back(line);
    return boxes;
}

// The lines after a mark, up to the next mark.
std::vector<std::string> Part(const std::vector<std::string>& lines, const std::string& mark) {
    std::vector<std::string> part;
    bool in = false;
    for (const std::string& line : lines) {
        if (line.rfind("mark: ", 0) == 0) {
            in = line == "mark: " + mark;
            continue;
        }
        if (in)
            part.push_back(line);
    }
    return part;
}

} // namespace

TEST(PlayerFilesSession, SavesAskBeforeLosingWorkAndNeverOverwriteAnotherCityUnasked) {
    PlayerHome home("files");
    int status = -1;
    const std::vector<std::string> out = RunPlazaro(
        // Nothing to save before a city is open: the item is disabled.
        ":press F_Save\n"
        ":mark begun\n"
        ":new Riverside\n"
        // An untouched new city is replaced without a question.
        ":cancel\n"
        ":press F_LoadCity\n"
        ":mark changed\n"
        ":press R_Road\n"
        ":map 10 10\n"
        ":answer Cancel\n"
        ":press F_NewCity\n"
        ":answer Cancel\n"
        ":close\n"
        ":state\n"
        ":mark saved\n"
        // Yes saves under the offered name, in the cities folder, then goes on.
        ":answer Yes\n"
        ":accept\n"
        ":new Hilltop\n"
        ":mark second city\n"
        "NAME; Riverside;\n"
        ":press R_Road\n"
        ":map 20 20\n"
        // The offered file is the first city's: refusing to replace it keeps that file.
        ":accept\n"
        ":answer No\n"
        ":press F_Save\n"
        ":mark replaced\n"
        ":accept\n"
        ":answer Yes\n"
        ":press F_Save\n"
        // Saving again to the city's own file asks nothing.
        ":map 21 21\n"
        ":accept\n"
        ":press F_Save\n"
        ":mark exit\n"
        ":map 22 22\n"
        ":answer No\n"
        ":press F_Exit\n",
        1, "", &status);
    EXPECT_EQ(status, 0);
    const std::string riverside = (home.Cities() / "Riverside.PZ1").string();

    EXPECT_TRUE(Boxes(Part(out, "begun")).empty());
    const std::vector<std::string> changed = Part(out, "changed");
    EXPECT_EQ(Boxes(changed), (std::vector<std::string>{"box: Plazaro: Save changes to Riverside? -> Cancel",
                                                         "box: Plazaro: Save changes to Riverside? -> Cancel"}));
    // Cancelling both kept the city, and the game, going.
    EXPECT_EQ(session::StartingWith(changed, "state: ").rfind("state: name=\"Riverside\" funds=19980", 0), 0u);
    EXPECT_FALSE(Has(changed, "quit"));

    EXPECT_EQ(Boxes(Part(out, "saved")),
              (std::vector<std::string>{"box: Plazaro: Save changes to Riverside? -> Yes",
                                        "box: Plazaro: Game Saved as " + riverside + " -> OK"}));
    EXPECT_EQ(Boxes(Part(out, "second city")),
              (std::vector<std::string>{"box: Plazaro: Riverside.PZ1 already exists. Do you want to replace it? -> No"}));
    EXPECT_EQ(Boxes(Part(out, "replaced")),
              (std::vector<std::string>{"box: Plazaro: Riverside.PZ1 already exists. Do you want to replace it? -> Yes",
                                        "box: Plazaro: Game Saved as " + riverside + " -> OK",
                                        "box: Plazaro: Game Saved as " + riverside + " -> OK"}));
    const std::vector<std::string> exit = Part(out, "exit");
    EXPECT_EQ(Boxes(exit), (std::vector<std::string>{"box: Plazaro: Save changes to Riverside? -> No"}));
    EXPECT_TRUE(Has(exit, "quit"));
    // The file holds the second city as last saved: the road of its last save is in
    // it (code 17 at cell 21, 21), the one built after that is not.
    std::istringstream lines(ReadFile(riverside));
    std::vector<std::string> rows;
    for (std::string line; std::getline(lines, line);)
        rows.push_back(line);
    ASSERT_EQ(rows.size(), 404u);
    EXPECT_EQ(rows[0], "Riverside;#\r");
    EXPECT_EQ(rows[4 + 21].substr(2 * 21, 2), "11");
    EXPECT_NE(rows[4 + 22].substr(2 * 22, 2), "11");
}

TEST(PlayerFilesSession, EveryTurnOfTheYearAutosavesAndKeepsThreeOlderOnes) {
    PlayerHome home("autosave");
    // Fast months (2 s, 20 ticks) and Auto Budget, so the clock runs through the years.
    const std::string play = ":new Autoville\n:press O_A_Budget\n:press S_Fast\n:tick 1200\n";
    const std::vector<std::string> out = RunPlazaro(play + ":state\n:dump " + (home.Root() / "on.txt").string() + "\n", 7);
    ASSERT_FALSE(Has(out, "quit"));
    for (int age = 0; age <= 3; ++age) {
        const fs::path file = home.Cities() / (age ? "autosave-" + std::to_string(age) + ".PZ1" : "autosave.PZ1");
        ASSERT_TRUE(fs::exists(file)) << file;
        EXPECT_EQ(FirstLine(file), "Autoville;#");
    }
    // Five turns of the year: 1951 to 1955, the newest in autosave.PZ1. Line 2 holds the
    // month and the year in hexadecimal: 1955 is 7A3, 1952 is 7A0.
    auto dateLine = [&](const std::string& name) {
        std::string text = ReadFile(home.Cities() / name);
        std::size_t start = text.find("\r\n") + 2;
        return text.substr(start, text.find("\r\n", start) - start);
    };
    EXPECT_EQ(dateLine("autosave.PZ1").substr(0, 7), "1; 7A3;");
    EXPECT_EQ(dateLine("autosave-3.PZ1").substr(0, 7), "1; 7A0;");
    EXPECT_FALSE(fs::exists(home.Cities() / "autosave-4.PZ1"));
    for (const std::string& line : out)
        EXPECT_EQ(line.find("Autosave failed"), std::string::npos) << line;

    // The same game with Autosave unchecked is the same game: saving drew no number
    // and changed no word of the city.
    fs::remove_all(home.Cities());
    const std::vector<std::string> off =
        RunPlazaro(":press O_Autosave\n" + play + ":state\n:dump " + (home.Root() / "off.txt").string() + "\n", 7);
    EXPECT_FALSE(fs::exists(home.Cities() / "autosave.PZ1"));
    EXPECT_EQ(session::StartingWith(off, "state: "), session::StartingWith(out, "state: "));
    EXPECT_EQ(ReadFile(home.Root() / "off.txt"), ReadFile(home.Root() / "on.txt"));

    // A cities folder that cannot be made: one line in the console, no box, play goes on.
    fs::remove_all(home.Root() / "data");
    std::ofstream(home.Root() / "data") << "a file where the folder should be";
    const std::vector<std::string> failed = RunPlazaro(play + ":state\n", 7);
    int failures = 0;
    for (const std::string& line : failed)
        failures += line.rfind("reply: Autosave failed: ", 0) == 0;
    EXPECT_EQ(failures, 5);
    EXPECT_TRUE(Boxes(failed).empty());
    EXPECT_EQ(session::StartingWith(failed, "state: "), session::StartingWith(out, "state: "));
}

TEST(PlayerFilesSession, YearsTurningWithinTenSecondsOfTheLastAutosaveAreNotSaved) {
    PlayerHome home("autosave-gap");
    // A month a tick (1.2 s of clock a year): the first turn saves, then every ninth
    // year, the first whose turn comes ten seconds or more after the last save.
    const std::vector<std::string> out =
        RunPlazaro(":new Quickville\n:press O_A_Budget\nSPEED; 100;\n:tick 360\n:state\n", 7);
    ASSERT_FALSE(Has(out, "quit"));
    auto year = [&](const std::string& name) {
        std::string text = ReadFile(home.Cities() / name);
        std::size_t start = text.find("\r\n") + 2;
        return text.substr(start, text.find("\r\n", start) - start).substr(0, 7);
    };
    EXPECT_EQ(year("autosave-3.PZ1"), "1; 79F;"); // 1951
    EXPECT_EQ(year("autosave-2.PZ1"), "1; 7A8;"); // 1960
    EXPECT_EQ(year("autosave-1.PZ1"), "1; 7B1;"); // 1969
    EXPECT_EQ(year("autosave.PZ1"), "1; 7BA;");   // 1978
    EXPECT_NE(session::StartingWith(out, "state: ").find("year=1980"), std::string::npos);
}
