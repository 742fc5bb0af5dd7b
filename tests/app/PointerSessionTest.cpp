// The window's pointer in whole sessions: :point builds on the tile under the pointer
// (where :click keeps the mouse mapping's own meaning), a held drag does what two
// shift-clicks do, Escape forgets a stored start, a panel over the map keeps clicks off
// it, a paused game redraws after each change, and the query tells why a zone is idle.
#include "SessionRunner.h"
#include "city/CityState.h"
#include "view/MapRenderer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using session::Has;

constexpr int kMenuBar = 20;
constexpr int kHorz = 35, kVert = 66; // the view of a new game

struct Pixel {
    int x, y;
};

// The window pixel at the middle of map cell (x, y)'s tile in a new game's view.
Pixel TileMiddle(int x, int y) {
    CityState city;
    city.BuildViewGrid();
    for (int row = kVert + 1; row <= kVert + 22; ++row)
        for (int col = kHorz; col <= kHorz + 11; ++col) {
            const TGridPos p = city.ViewAt(row, col);
            if (p.x == x && p.y == y) {
                const view::ClientPoint o = view::TileClientOrigin(col - kHorz, row - kVert, row);
                return Pixel{o.x + 29, o.y + 15 + kMenuBar};
            }
        }
    throw std::logic_error("cell not in view");
}

std::string At(const Pixel& p) { return std::to_string(p.x) + " " + std::to_string(p.y); }

std::string CellLine(const std::vector<std::string>& out, int x, int y) {
    return session::StartingWith(out, "cell " + std::to_string(x) + " " + std::to_string(y) + ":");
}

bool IsCode(const std::vector<std::string>& out, int x, int y, int code) {
    return CellLine(out, x, y).find(" code=" + std::to_string(code) + " ") != std::string::npos;
}

std::string Bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class PointerSessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("plazaro_pointer_" + std::to_string(::getpid()));
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string File(const std::string& name) const { return (dir / name).string(); }
    fs::path dir;
};

TEST_F(PointerSessionTest, PointBuildsOnTheTileUnderThePointerWhereClickKeepsTheBands) {
    const Pixel p = TileMiddle(40, 40);
    const auto out = session::RunPlazaro(":new Town\n:press R_Road\n:point " + At(p) + "\n:cell 40 40\n:state\n", 3);
    EXPECT_TRUE(IsCode(out, 40, 40, 17)) << CellLine(out, 40, 40);
    EXPECT_NE(session::StartingWith(out, "state:").find("funds=19980"), std::string::npos);
    // The same client pixel given to :click goes through the bands alone: another cell.
    const auto raw = session::RunPlazaro(
        ":new Town\n:press R_Road\n:click " + std::to_string(p.x) + " " + std::to_string(p.y - kMenuBar) +
            "\n:cell 40 40\n:state\n", 3);
    EXPECT_FALSE(IsCode(raw, 40, 40, 17));
    EXPECT_NE(session::StartingWith(raw, "state:").find("funds=19980"), std::string::npos);
}

TEST_F(PointerSessionTest, AHeldDragDoesWhatTwoShiftClicksDoAndEscapeForgetsAStart) {
    const Pixel a = TileMiddle(38, 40), b = TileMiddle(42, 41), stale = TileMiddle(36, 44);
    const std::string start = ":new Town\n:press R_Road\n";
    session::RunPlazaro(start + ":point " + At(a) + " shift\n:point " + At(b) + " shift\n:dump " + File("two") + "\n", 3);
    // The drag starts afresh: a start stored earlier is not finished by it.
    session::RunPlazaro(start + ":point " + At(stale) + " shift\n:drag " + At(a) + " " + At(b) + "\n:dump " +
                            File("drag") + "\n", 3);
    const std::string two = Bytes(File("two")), drag = Bytes(File("drag"));
    ASSERT_FALSE(two.empty());
    EXPECT_EQ(two, drag);
    const auto built = session::RunPlazaro(start + ":drag " + At(a) + " " + At(b) + "\n:cell 38 40\n:cell 42 41\n:cell 40 41\n:state\n", 3);
    EXPECT_TRUE(IsCode(built, 38, 40, 17));
    EXPECT_TRUE(IsCode(built, 42, 41, 17));
    EXPECT_TRUE(IsCode(built, 40, 41, 17));
    EXPECT_NE(session::StartingWith(built, "state:").find("funds=19800"), std::string::npos); // 10 roads

    // Escape forgets the first start: the next two shift-clicks build from the second.
    const auto forgot = session::RunPlazaro(start + ":point " + At(stale) + " shift\n:key Escape\n:point " + At(a) +
                                                " shift\n:point " + At(b) + " shift\n:cell 36 44\n:cell 38 42\n:dump " +
                                                File("escape") + "\n", 3);
    EXPECT_FALSE(IsCode(forgot, 36, 44, 17));
    EXPECT_FALSE(IsCode(forgot, 38, 42, 17));
    EXPECT_EQ(Bytes(File("escape")), two);
}

TEST_F(PointerSessionTest, APanelOverTheMapKeepsClicksOffTheTilesBelow) {
    // The budget panel of January 1951 stands over the middle of the map.
    const Pixel p = TileMiddle(40, 40);
    const std::string year = ":new Town\n:press R_Road\n:point " + At(p) + "\n:tick 800\n:press Bulldoze_SB\n";
    const auto out = session::RunPlazaro(year + ":state\n:point " + At(p) + "\n:cell 40 40\n:state\n", 3);
    const auto states = session::States(out);
    ASSERT_EQ(states.size(), 2u);
    EXPECT_NE(states[0].find("clock=off"), std::string::npos); // the panel waits for OK
    EXPECT_EQ(states[0], states[1]);
    EXPECT_TRUE(IsCode(out, 40, 40, 17));
    // Once the panel is gone the same point bulldozes the road.
    const auto after = session::RunPlazaro(year + ":press B_Ok_B\n:point " + At(p) + "\n:cell 40 40\n", 3);
    EXPECT_FALSE(IsCode(after, 40, 40, 17));
}

TEST_F(PointerSessionTest, APausedGameRedrawsAfterEachChange) {
    const Pixel p = TileMiddle(40, 40);
    session::RunPlazaro(":new Town\n:press S_Pause\n:press R_Road\n:shot " + File("a.png") + "\n:point " + At(p) +
                            "\n:shot " + File("b.png") + "\n:key Right\n:shot " + File("c.png") + "\n:view\n", 3);
    const std::string a = Bytes(File("a.png")), b = Bytes(File("b.png")), c = Bytes(File("c.png"));
    ASSERT_FALSE(a.empty());
    EXPECT_NE(a, b); // the road shows at once
    EXPECT_NE(b, c); // and so does the scroll
}

TEST_F(PointerSessionTest, TheQueryOfAZoneTellsWhyItIsIdleBelowTheReportsOwnLines) {
    const Pixel p = TileMiddle(40, 40);
    const std::string zone = ":new Town\n:press R_HDensity\n:point " + At(p) + "\n:press Query_SB\n";
    const auto window = session::RunPlazaro(zone + ":point " + At(p) + "\n:screen\n", 3);
    EXPECT_TRUE(Has(window, "screen 1: Zoned : Residential               "));
    EXPECT_TRUE(Has(window, "screen 4: Needs power next to it               "));
    EXPECT_TRUE(Has(window, "screen 5: Needs a road within 3               "));
    // Through the mouse mapping alone the report is the report's own lines.
    const auto raw = session::RunPlazaro(zone + ":map 40 40\n:screen\n", 3);
    EXPECT_TRUE(Has(raw, "screen 3: Pollution : None               "));
    EXPECT_TRUE(Has(raw, "screen 4: "));
}

} // namespace
