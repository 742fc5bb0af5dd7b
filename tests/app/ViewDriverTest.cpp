// The driver's view directives: :shot writes the screen with the map as a PNG, :map
// scrolls only when the cell is out of view and clicks it, :click and :move reach the
// map through the window's mouse handlers, and --quiet-frames still shows the map in
// a screenshot.
#include "SessionRunner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::vector<std::string> RunPlazaro(const std::string& input, const std::string& options = "") {
    return session::RunPlazaro(input, 11, options);
}

using session::Has;
using session::PngSize;

std::string Starting(const std::vector<std::string>& lines, const std::string& prefix) {
    return session::StartingWith(lines, prefix);
}

std::string Bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class ViewDriverTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("plazaro_view_shots_" + std::to_string(::getpid()));
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string Shot(const std::string& name) const { return (dir / name).string(); }
    fs::path dir;
};

TEST_F(ViewDriverTest, ShotsShowTheMapAndFollowTheView) {
    const auto out = RunPlazaro(":new Town\n"
                         ":shot " + Shot("a.png") + "\n"
                         ":key Down\n"
                         ":tick\n"
                         ":shot " + Shot("b.png") + "\n"
                         ":shot " + (dir / "missing" / "c.png").string() + "\n");
    int w = 0, h = 0;
    const std::string a = Bytes(Shot("a.png")), b = Bytes(Shot("b.png"));
    ASSERT_TRUE(PngSize(a, w, h));
    EXPECT_EQ(w, 640);
    EXPECT_EQ(h, 480);
    ASSERT_TRUE(PngSize(b, w, h));
    EXPECT_TRUE(a != b) << "scrolling down shows another part of the map at the next frame";
    EXPECT_EQ(Starting(out, "driver: can't write \"" + (dir / "missing" / "c.png").string() + "\"").empty(), false);
}

TEST_F(ViewDriverTest, MapScrollsOnlyWhenTheCellIsOutOfViewAndClicksIt) {
    const auto out = RunPlazaro(":new Town\n"
                         ":press R_Road\n"
                         ":map 40 40\n"
                         ":view\n"
                         ":cell 40 40\n"
                         ":map 0 0\n"
                         ":view\n"
                         ":cell 0 0\n"
                         ":map 80 3\n"
                         ":press Centre_SB\n"
                         ":map 10 75\n"
                         ":view\n"
                         ":map 79 79\n"
                         ":view\n");
    EXPECT_TRUE(Has(out, "view: horz=35 vert=66"));
    // The centre tool puts the cell first; the scroll bars hold the view in range.
    EXPECT_TRUE(Has(out, "view: horz=10 vert=75"));
    EXPECT_TRUE(Has(out, "view: horz=70 vert=79"));
    EXPECT_EQ(Starting(out, "cell 40 40:").rfind("cell 40 40: code=17 ", 0), 0u);
    EXPECT_TRUE(Has(out, "view: horz=34 vert=0"));
    EXPECT_EQ(Starting(out, "cell 0 0:").rfind("cell 0 0: code=17 ", 0), 0u);
    EXPECT_TRUE(Has(out, "driver: cell 80 3 is off the map"));
}

TEST_F(ViewDriverTest, ClicksAtPixelsReachTheMap) {
    // With the view at column 34, row 0, map cell (0, 0) (view row 2, column 40) lies
    // under the band at X 361 to 420, Y 61 to 75.
    const auto out = RunPlazaro(":new Town\n"
                         ":map 0 0\n"
                         ":press R_Road\n"
                         ":move 390 68\n"
                         ":cell 0 0\n"
                         ":click 390 68\n"
                         ":cell 0 0\n"
                         ":state\n"
                         ":click 5 5\n"
                         ":state\n");
    std::vector<std::string> cells;
    for (const std::string& line : out)
        if (line.rfind("cell 0 0:", 0) == 0)
            cells.push_back(line);
    ASSERT_EQ(cells.size(), 2u);
    EXPECT_EQ(cells[0].find("code=17"), std::string::npos) << "a move builds nothing";
    EXPECT_NE(cells[1].find("code=17"), std::string::npos);
    // The click at (5, 5) is off the map bands: nothing is charged for it. (The first
    // :map bulldozed (0, 0) for 10, the road cost 20.)
    const auto states = session::States(out);
    ASSERT_EQ(states.size(), 2u);
    EXPECT_NE(states[0].find(" funds=19970 "), std::string::npos) << states[0];
    EXPECT_EQ(states[1], states[0]);
}

TEST_F(ViewDriverTest, QuietFramesStillShowTheMapInAShot) {
    // The same view all along: drawing it once or six times gives the same picture.
    const std::string session = ":new Town\n:tick 5\n:shot ";
    RunPlazaro(session + Shot("loud.png") + "\n");
    RunPlazaro(session + Shot("quiet.png") + "\n", "--quiet-frames");
    const std::string loud = Bytes(Shot("loud.png")), quiet = Bytes(Shot("quiet.png"));
    ASSERT_FALSE(loud.empty());
    EXPECT_TRUE(loud == quiet);
}

} // namespace
