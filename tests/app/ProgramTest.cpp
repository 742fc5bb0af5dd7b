// The program's command line: help and version on standard output, every mistake an
// error with a non-zero status, no window without a display, and a city file named on
// the command line opened at once (or the loader's message and the start box).
#include "SessionRunner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

const std::string kProgram = std::string(PLAZARO_PROGRAM_DIR) + "/plazaro";

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("plazaro_program_" + std::to_string(::getpid()) + "_" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string ReadFile(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // Runs the program in the test's folder with the given arguments and input; stderr
    // is kept in `errors`.
    std::string Run(const std::string& arguments, const std::string& input, int& status) {
        std::ofstream(dir / "input", std::ios::binary) << input;
        const std::string out = session::Shell("cd " + dir.string() + " && " + kProgram + " " + arguments +
                                                   " < input 2> errors",
                                               &status);
        errors = ReadFile(dir / "errors");
        return out;
    }

    fs::path dir;
    std::string errors;
};

TEST_F(ProgramTest, HelpAndVersionGoToStandardOutputWithStatusZero) {
    int status = -1;
    const std::string help = Run("--help", "", status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(help.rfind("usage: plazaro ", 0), 0u);
    for (const char* option : {"--headless", "--seed N", "--dir FOLDER", "--quiet-frames", "--version", "CITY.PZ1"})
        EXPECT_NE(help.find(option), std::string::npos) << option;
    EXPECT_EQ(errors, "");
    EXPECT_EQ(Run("-h", "", status), help);
    EXPECT_EQ(status, 0);

    const std::string version = Run("--version", "", status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(version, "plazaro 1.1\n");
    EXPECT_EQ(errors, "");
}

TEST_F(ProgramTest, UnknownOptionsAndSeedsThatAreNotThirtyTwoBitNumbersAreErrors) {
    for (const char* arguments : {"--bogus", "-x", "--headless --seed", "--headless --seed abc", "--headless --seed -1",
                                  "--headless --seed 4294967296", "--headless --seed 99999999999",
                                  "--headless --seed 12x", "--headless --seed 0x10", "--headless --seed ''",
                                  "--headless --dir", "--headless one.PZ1 two.PZ1"}) {
        int status = -1;
        const std::string out = Run(arguments, "", status);
        EXPECT_EQ(status, 2) << arguments;
        // Nothing started: no start-up line was printed.
        EXPECT_EQ(out, "") << arguments;
        EXPECT_NE(errors.find("Try 'plazaro --help'"), std::string::npos) << arguments;
    }
    // The largest seed is a seed like any other.
    int status = -1;
    const std::string out = Run("--headless --seed 4294967295", ":mark started\n", status);
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(session::Has(session::Lines(out), "mark: started"));
}

TEST_F(ProgramTest, WithoutADisplayTheWindowedGameStopsAndSuggestsHeadless) {
    // SDL quietly falls back to drivers that draw nowhere; the game must not run on
    // unseen in one of them.
    int status = -1;
    session::Shell("cd " + dir.string() +
                                               " && env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER "
                                               "SDL_AUDIODRIVER=dummy timeout 60 " +
                                               kProgram + " < /dev/null 2> errors",
                                           &status);
    errors = ReadFile(dir / "errors");
    EXPECT_EQ(status, 1);
    EXPECT_NE(errors.find("plazaro: "), std::string::npos) << errors;
    EXPECT_NE(errors.find("--headless"), std::string::npos) << errors;
}

TEST_F(ProgramTest, ACityNamedOnTheCommandLineOpensAtOnceWithoutTheStartBox) {
    int status = -1;
    const fs::path city = dir / "Harbour.PZ1";
    const std::vector<std::string> saved = session::Lines(
        Run("--headless --seed 11", ":new Harbour hard\n:tick 70\n:press S_Pause\n:state\n:file " + city.string() +
                                        "\n:press F_Save\n",
            status));
    ASSERT_EQ(status, 0);
    ASSERT_TRUE(fs::exists(city));
    const std::string before = session::StartingWith(saved, "state:");
    ASSERT_NE(before.find("name=\"Harbour\" funds=10000 month=2 year=1950"), std::string::npos) << before;

    // Named relative to the folder the program starts in, which it leaves for its own.
    const std::vector<std::string> opened =
        session::Lines(Run("--headless --seed 12 Harbour.PZ1", ":state\n:press S_Exit_B\n:mark end\n", status));
    EXPECT_EQ(status, 0);
    const std::string after = session::StartingWith(opened, "state:");
    EXPECT_NE(after.find("name=\"Harbour\" funds=10000 month=2 year=1950"), std::string::npos) << after;
    // As after Load City: the bulldozer, the month length back to 6000, the clock on.
    EXPECT_NE(after.find("tool=\"Bulldoze\" toolcode=9 price=10 monthlength=6000 clock=on"), std::string::npos)
        << after;
    EXPECT_EQ(session::StartingWith(opened, "box:"), "");
    // The start box never showed: its Exit button is hidden and does nothing.
    EXPECT_FALSE(session::Has(opened, "quit"));
}

TEST_F(ProgramTest, ACityFileThatCannotBeLoadedSaysWhyAndLeavesTheStartBox) {
    std::ofstream(dir / "Broken.PZ1") << "Broken;#\n1; 79E; 4E20; 1;#\n";
    struct Case {
        std::string file, box;
    };
    const std::vector<Case> cases = {
        {"Broken.PZ1", "box: Plazaro: " + (dir / "Broken.PZ1").string() + " is not a city file the game can load: "},
        {"Missing.PZ1", "box: Plazaro: Can't Open " + (dir / "Missing.PZ1").string() + " -> OK"},
    };
    for (const Case& c : cases) {
        int status = -1;
        const std::vector<std::string> out =
            session::Lines(Run("--headless --seed 3 " + c.file, ":state\n:press S_Exit_B\n", status));
        EXPECT_EQ(status, 0) << c.file;
        EXPECT_EQ(session::StartingWith(out, "box:").rfind(c.box, 0), 0u) << session::StartingWith(out, "box:");
        EXPECT_NE(session::StartingWith(out, "state:").find("clock=off"), std::string::npos) << c.file;
        // The start box is there: its Exit button quits.
        EXPECT_TRUE(session::Has(out, "quit")) << c.file;
    }
}

} // namespace
