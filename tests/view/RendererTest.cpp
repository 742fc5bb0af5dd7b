// The renderer puts every picture where the view's geometry says: tile positions and
// the odd-row shift, the whole shown window drawn with what reaches into it from
// around, footprint alignment of tall pictures, network pieces, animation
// frames, tree offsets, overlays, the cursor, the draw list's order, the edges of the
// view lookup, and the copy into the scene; trains and boats step as the rules say.
#include "ViewFixture.h"

#include "gfx/Errors.h"
#include "platform/ddraw/FaultInjector.h"

#include <random>

namespace viewtest {
namespace {

std::uint32_t FrameColor(int p) { return (PictureColor(p) >> 1) & 0x7F7F7F; }

class RendererTest : public ViewTest {
protected:
    // Back-buffer position of the tile showing map cell (x, y) in the current view.
    void TileOf(int x, int y, int& px, int& py) {
        int col = 0, row = 0;
        ViewPosOf(x, y, col, row);
        px = MapRenderer::TileX(col - renderer->Horz(), row);
        py = MapRenderer::TileY(row - renderer->Vert());
    }
    // True when the top-left pixel of picture p lies at (x, y) of the back buffer.
    bool PictureAt(int p, int x, int y) {
        int rx = 0, ry = 0;
        ReferencePixel(p, rx, ry);
        return At(x + rx, y + ry) == Px(FrameColor(p));
    }
    // True when picture p is drawn on the tile of map cell (x, y), unshifted.
    bool PictureOnCell(int p, int x, int y) {
        int px = 0, py = 0;
        TileOf(x, y, px, py);
        return PictureAt(p, px, py);
    }
    void ComposeAround(int x, int y) {
        int col = 0, row = 0;
        ViewPosOf(x, y, col, row);
        renderer->Compose(col - 6, row - 12);
    }
};

TEST_F(RendererTest, TilePositionsFollowTheTablesWithOddRowsHalfATileLeft) {
    renderer->SetView(35, 66);
    ClearBackBuffer();
    renderer->DrawPicture(35 + 2, 66 + 3, 0, 0, 0, 0, 10); // odd view row 69
    EXPECT_TRUE(PictureAt(10, 60 * 2 + 156 - 30, 45 + 15 * 3 + 192));
    EXPECT_FALSE(PictureAt(10, 60 * 2 + 156 - 31, 45 + 15 * 3 + 192));
    renderer->DrawPicture(35 + 4, 66 + 2, 0, 0, 0, 0, 10); // even view row 68
    EXPECT_TRUE(PictureAt(10, 60 * 4 + 156, 45 + 15 * 2 + 192));
    // Rows 23 and 24 lie below row 22, as rows above the window lie above row 0.
    ClearBackBuffer();
    renderer->DrawPicture(35, 66 + 23, 0, 0, 0, 0, 10);
    EXPECT_TRUE(PictureAt(10, 156 - 30, 45 + 15 * 23 + 192));
    renderer->DrawPicture(35, 66 + 24, 0, 0, 0, 0, 12);
    EXPECT_TRUE(PictureAt(12, 156, 45 + 15 * 24 + 192));
    renderer->DrawPicture(35, 66 - 2, 0, 0, 0, 0, 12);
    EXPECT_TRUE(PictureAt(12, 156, 45 - 30 + 192));
    // The blank tile (-1) is drawn with the rectangle given.
    ClearBackBuffer();
    renderer->DrawPicture(36, 66, 0, 0, 10, 5, -1);
    EXPECT_EQ(At(60 + 156, 237), Px(kBlankColor));
    EXPECT_EQ(At(60 + 156 + 9, 237 + 4), Px(kBlankColor));
    EXPECT_EQ(At(60 + 156 + 10, 237), 0u);
    EXPECT_EQ(At(60 + 156, 237 + 5), 0u);
}

TEST_F(RendererTest, TallAndWidePicturesGrowUpAndLeftFromTheirAnchor) {
    Place(40, 40, 60); // a 3 x 3 tower 120 pixels high
    Place(44, 40, 37); // a 4 x 4 plant 180 pixels high
    Place(40, 44, 50); // a 1 x 1 house 45 pixels high
    Place(44, 44, 14); // a 2 x 2 fountain of the diamond's own height
    ComposeAround(42, 42);
    int x = 0, y = 0;
    TileOf(40, 40, x, y);
    EXPECT_TRUE(PictureAt(60, x - 60, y - 29));
    TileOf(44, 40, x, y);
    EXPECT_TRUE(PictureAt(37, x - 90, y - 59));
    TileOf(40, 44, x, y);
    EXPECT_TRUE(PictureAt(50, x, y - 14));
    TileOf(44, 44, x, y);
    EXPECT_TRUE(PictureAt(14, x - 30, y));
}

TEST_F(RendererTest, EveryPixelOfTheShownWindowShowsTheMapAndWhatReachesIntoIt) {
    const int horz = 35, vert = 66;
    // A 4 x 4 plant anchored five rows above the first view row grows down into the
    // view; one anchored on row 23 rises into its bottom; motorways anchored on rows
    // 19 and 20 have their blocks drawn four rows down, past the window's last row.
    const TGridPos above = city.ViewAt(vert - 5, horz + 6);
    const TGridPos low = city.ViewAt(vert + 23, horz + 4);
    const TGridPos m19 = city.ViewAt(vert + 19, horz + 2);
    const TGridPos m20 = city.ViewAt(vert + 20, horz + 10);
    // And one anchored a column left of the window reaches into its left edge.
    const TGridPos left = city.ViewAt(vert + 8, horz - 1);
    Place(left.x, left.y, 37);
    Place(above.x, above.y, 37);
    Place(low.x, low.y, 37);
    Place(m19.x, m19.y, 18);
    Place(m20.x, m20.y, 18);
    ClearBackBuffer();
    renderer->Compose(horz, vert);
    int unpainted = 0, firstX = -1, firstY = -1;
    for (int y = view::kShownTop; y < view::kShownBottom; ++y)
        for (int x = view::kShownLeft; x < view::kShownRight; ++x)
            if (At(x, y) == 0 && unpainted++ == 0) {
                firstX = x;
                firstY = y;
            }
    EXPECT_EQ(unpainted, 0) << "the first at " << firstX << "," << firstY;
    EXPECT_TRUE(PictureAt(37, MapRenderer::TileX(6, vert - 5) - 90, 45 - 75 + 192 - 59));
    EXPECT_TRUE(PictureAt(37, MapRenderer::TileX(4, vert + 23) - 90, 45 + 15 * 23 + 192 - 59));
    EXPECT_TRUE(PictureAt(37, -60 + 156 - 90, 45 + 15 * 8 + 192 - 59)); // view row 74 is even
    EXPECT_EQ(At(MapRenderer::TileX(2, vert + 19) - 30 + 59, MapRenderer::TileY(19)), Px(0x203080));
    EXPECT_EQ(At(MapRenderer::TileX(10, vert + 20) - 30 + 59, MapRenderer::TileY(20)), Px(0x203080));
    // The frame's own list is the window's alone.
    EXPECT_EQ(renderer->ListedCount(), view::kDrawListSize);
}

// The game draws only the pictures that reach the shown window: what it shows is
// what drawing everything shows, for a crowded map seen from many places, whatever
// the back buffer held before.
TEST_F(RendererTest, DrawingOnlyWhatReachesTheShownWindowShowsTheSame) {
    std::mt19937 g(11);
    for (int y = 0; y + 4 <= city::kMapSize; y += 4)
        for (int x = 0; x + 4 <= city::kMapSize; x += 4) {
            const int code = int(g() % 113) + 1;
            const int n = city.SizeOf(code);
            const int dx = int(g() % std::uint32_t(5 - n)), dy = int(g() % std::uint32_t(5 - n));
            Place(x + dx, y + dy, code);
        }
    const int views[][2] = {{0, 0}, {35, 66}, {40, 20}, {0, 5}, {60, 140}, {12, 137}, {67, 100}};
    for (const auto& v : views) {
        city.cursorValid = true;
        city.toolCode = int(g() % 113) + 1;
        city.cursorScreenX = int(g() % 700);
        city.cursorScreenY = int(g() % 400);
        renderer->ShownOnly = false;
        ClearBackBuffer();
        renderer->Compose(v[0], v[1]);
        std::vector<std::uint32_t> everything;
        for (int y = view::kShownTop; y < view::kShownBottom; ++y)
            for (int x = view::kShownLeft; x < view::kShownRight; ++x)
                everything.push_back(At(x, y));
        renderer->ShownOnly = true;
        ddraw::DDBLTFX fx;
        fx.dwSize = sizeof fx;
        fx.dwFillColor = 0xF81F;
        pictures->BackBuffer->Blt(nullptr, nullptr, nullptr, ddraw::DDBLT_COLORFILL | ddraw::DDBLT_WAIT, &fx);
        renderer->Compose(v[0], v[1]);
        std::size_t i = 0, differ = 0;
        for (int y = view::kShownTop; y < view::kShownBottom; ++y)
            for (int x = view::kShownLeft; x < view::kShownRight; ++x)
                differ += At(x, y) != everything[i++];
        EXPECT_EQ(differ, 0u) << "view " << v[0] << "," << v[1];
    }
    renderer->ShownOnly = false;
}

TEST_F(RendererTest, PieceNumbersFollowTheNeighbourTable) {
    // Every combination of (N, E, S, W), written out as the table reads.
    const int expected[16] = {
        // NESW = 0000 0001 0010 0011 0100 0101 0110 0111
        11, 2, 1, 5, 2, 2, 4, 8,
        // 1000 1001 1010 1011 1100 1101 1110 1111
        1, 6, 1, 9, 3, 10, 7, 11};
    for (int bits = 0; bits < 16; ++bits)
        EXPECT_EQ(view::PieceNumber(bits & 8, bits & 4, bits & 2, bits & 1), expected[bits]) << "NESW " << bits;
}

TEST_F(RendererTest, NetworksDrawThePieceThatFitsTheirNeighbours) {
    // A road bend: neighbours north and east.
    city.SetCell(40, 40, 17);
    city.SetCell(40, 39, 17);
    city.SetCell(41, 40, 17);
    // A lone road.
    city.SetCell(44, 44, 17);
    // A railway running north-south.
    city.SetCell(36, 40, 20);
    city.SetCell(36, 39, 20);
    city.SetCell(36, 41, 20);
    // A power line over grass between two buildings east and west, and one over a road.
    city.SetCell(40, 46, 101);
    city.SetCell(42, 46, 101);
    city.Cell(41, 46).pendingCode = 36;
    city.Cell(41, 46).powered = 1;
    city.SetCell(44, 48, 17);
    city.Cell(44, 48).pendingCode = 36;
    city.Cell(44, 48).powered = 1;
    city.SetCell(45, 48, 101);
    ComposeAround(40, 42);
    EXPECT_TRUE(PictureOnCell(127, 40, 40));
    EXPECT_TRUE(PictureOnCell(135, 44, 44));
    EXPECT_TRUE(PictureOnCell(136, 36, 40));
    EXPECT_TRUE(PictureOnCell(150, 41, 46));
    EXPECT_TRUE(PictureOnCell(161, 44, 48));
}

TEST_F(RendererTest, MotorwayHalvesLandOnTheObjectsOwnFootprint) {
    Place(40, 40, 18);
    Place(42, 40, 18);
    Place(40, 44, 18);
    ComposeAround(41, 42);
    int x = 0, y = 0;
    // The sheet's blocks are coloured by quarter: the upper left (0x203000), the lower
    // left (+0x80) for an end, the lower right (+0xC0) for a joined block.
    TileOf(40, 40, x, y);
    EXPECT_EQ(At(x - 30 + 59, y - 1 + 1), Px(0x2030C0)) << "joined: the lower right block";
    TileOf(40, 44, x, y);
    EXPECT_EQ(At(x - 30 + 59, y - 1 + 1), Px(0x203080)) << "alone: the lower left block";
}

TEST_F(RendererTest, AnimationFramesShowTheRunWithTheFootprintOfTheAnimatedPicture) {
    city.ObjectTypes[14].spritePicture = 170;
    Place(40, 40, 14);
    int x = 0, y = 0;
    city.animFrame = 3;
    ComposeAround(40, 40);
    TileOf(40, 40, x, y);
    EXPECT_TRUE(PictureAt(171, x - 30, y - (180 - 61)));
    // The frames have no object type of their own in the game's scripts.
    city.ObjectTypes[172].size = 0;
    city.animFrame = 4;
    ComposeAround(40, 40);
    EXPECT_TRUE(PictureAt(172, x - 30, y - (180 - 61)));
    city.animFrame = 1;
    ComposeAround(40, 40);
    EXPECT_TRUE(PictureAt(14, x - 30, y));
}

TEST_F(RendererTest, TreesStandAtTheirOffsetsOnePerDensityUpToTen) {
    const int offsets[10][2] = {{27, 3}, {37, 5}, {20, 7}, {30, 7}, {40, 10}, {10, 10}, {28, 11}, {10, 12}, {16, 15}, {28, 17}};
    // Nothing is drawn on the cells around the two tree cells.
    for (int y = 36; y <= 48; ++y)
        for (int x = 36; x <= 48; ++x)
            city.SetCell(x, y, 0);
    for (int density : {4, 11}) {
        city.SetCell(42, 42, 11);
        city.Cell(42, 42).pendingCode = density;
        ClearBackBuffer();
        ComposeAround(42, 42);
        int x = 0, y = 0;
        TileOf(42, 42, x, y);
        const int drawn = std::min(density, 10);
        for (int i = 0; i < 10; ++i) {
            // A tree's corner may lie under another tree (7 x 9 pixels) drawn after it.
            bool hidden = false;
            for (int k = 0; k < drawn; ++k)
                if (k != i && (i >= drawn || k > i) && offsets[i][0] >= offsets[k][0] &&
                    offsets[i][0] <= offsets[k][0] + 6 && offsets[i][1] >= offsets[k][1] &&
                    offsets[i][1] <= offsets[k][1] + 8)
                    hidden = true;
            if (!hidden) {
                EXPECT_EQ(PictureAt(11, x + offsets[i][0], y + offsets[i][1]), i < drawn)
                    << "density " << density << ", tree " << i;
            }
        }
    }
}

TEST_F(RendererTest, OverlaysMarkMissingSuppliesAndShowMovers) {
    city.ObjectTypes[45].needsPower = 1;
    city.ObjectTypes[45].needsWater = 1;
    city.ObjectTypes[45].needsSewage = 1;
    city.ObjectTypes[41].needsPower = 1;
    city.SetCell(40, 40, 45); // nothing supplied: the three markers, sewage last
    city.SetCell(42, 40, 45); // all supplied
    city.Cell(42, 40).powered = city.Cell(42, 40).watered = city.Cell(42, 40).sewered = 1;
    city.SetCell(40, 42, 41); // needs power only
    city.Cell(40, 42).watered = 0;
    city.SetCell(44, 44, 20); // a train in slot 3 heading south
    city.Movers[3] = TMover{44, 44, 1, 3, 0, 1, 114, 3};
    city.Cell(44, 44).countdown = 133;
    ComposeAround(42, 42);
    EXPECT_TRUE(PictureOnCell(120, 40, 40));
    EXPECT_TRUE(PictureOnCell(45, 42, 40));
    EXPECT_TRUE(PictureOnCell(118, 40, 42));
    EXPECT_TRUE(PictureOnCell(116, 44, 44));
}

TEST_F(RendererTest, TheCursorHasTheToolsFootprint) {
    city.cursorValid = 1;
    city.cursorScreenX = 100;
    city.cursorScreenY = 90;
    const int x = 100 + 156, y = 90 + 192;
    struct Case {
        int tool, size;
    } cases[] = {{37, 4}, {60, 3}, {14, 2}, {17, 1}, {1000, 1}, {1100, 1}, {29, 1}};
    for (const Case& c : cases) {
        ClearBackBuffer();
        city.toolCode = c.tool;
        renderer->Compose(35, 66);
        EXPECT_EQ(At(x, y), Px(kCursorColor)) << c.tool;
        EXPECT_EQ(At(x + 60 * c.size - 2, y), Px(kCursorColor)) << c.tool;
        EXPECT_NE(At(x + 60 * c.size - 1, y), Px(kCursorColor)) << c.tool;
        EXPECT_EQ(At(x, y + 30 * c.size), Px(kCursorColor)) << c.tool;
    }
    ClearBackBuffer();
    city.cursorValid = 0;
    renderer->Compose(35, 66);
    EXPECT_NE(At(x, y), Px(kCursorColor));
}

TEST_F(RendererTest, TheDrawListPutsEmptyPositionsFirstThenBandsBySize) {
    Place(40, 40, 60); // 3 x 3 at view row 82
    city.SetCell(41, 39, 10); // 1 x 1 at view row 82
    city.SetCell(60, 60, 60); // a footprint above 4 is never listed
    city.ObjectTypes[60].size = 3;
    city.ObjectTypes[200].size = 5;
    city.SetCell(39, 41, 200);
    renderer->SetView(35, 66);
    renderer->BuildDrawList();
    EXPECT_EQ(renderer->ListedCount(), view::kDrawListSize - 1);
    auto indexOf = [&](int x, int y) {
        int col = 0, row = 0;
        ViewPosOf(x, y, col, row);
        for (int i = 0; i < view::kDrawListSize; ++i)
            if (renderer->DrawList[std::size_t(i)].x == col && renderer->DrawList[std::size_t(i)].y == row)
                return i;
        return -1;
    };
    EXPECT_EQ(indexOf(39, 41), -1);
    // (40, 40) is at relative row 16, the last row of the band starting at 12: the
    // band's one-cell objects come first, then the 3 x 3; the next band's after.
    EXPECT_LT(indexOf(41, 39), indexOf(40, 40));
    EXPECT_GT(indexOf(42, 41), indexOf(40, 40));
    EXPECT_EQ(renderer->DrawList[std::size_t(view::kDrawListSize - 1)].x, -2);
}

TEST_F(RendererTest, ViewRowsPastTheLookupShowNothingAndColumnsPastItWrap) {
    renderer->SetView(70, 141);
    renderer->BuildDrawList();
    // Rows 162 to 165 have no cell: listed first, in row order.
    int blanks = 0;
    for (int r = 0; r < view::kViewWindowRows; ++r)
        for (int j = 0; j < view::kViewWindowCols; ++j) {
            TGridPos cell = city.ViewAt(141 + r, 70 + j);
            if (cell.x == -1 && cell.y == -1)
                ++blanks;
        }
    ASSERT_GT(blanks, 13 * 4);
    for (int i = 0; i < 13 * 4; ++i) {
        const TGridPos e = renderer->DrawList[std::size_t(blanks - 13 * 4 + i)];
        EXPECT_EQ(e.y, 162 + i / 13);
        EXPECT_EQ(e.x, 70 + i % 13);
    }
    // The last rows are blank tiles: row 162 is relative row 21.
    ClearBackBuffer();
    renderer->Compose(70, 141);
    EXPECT_EQ(At(MapRenderer::TileX(0, 162) + 29, MapRenderer::TileY(21) + 15), Px(kBlankColor));
    // Column 80 of a view row is column 0 of the next: the walk writes map cell (79, 0)
    // at row 81, column 80, so it shows there (and nothing in the view shows it twice).
    EXPECT_EQ(city.ViewAt(81, 80).x, 79);
    EXPECT_EQ(city.ViewAt(81, 80).y, 0);
    city.SetCell(79, 0, 45);
    ClearBackBuffer();
    renderer->Compose(70, 66);
    EXPECT_TRUE(PictureAt(45, MapRenderer::TileX(10, 81), MapRenderer::TileY(15)));
}

TEST_F(RendererTest, AFrameCopiesTheShownWindowIntoTheSceneAndFlips) {
    city.SetCell(40, 40, 101);
    city.Cell(40, 40).powered = 1;
    int presented = 0;
    int col = 0, row = 0;
    ViewPosOf(40, 40, col, row);
    renderer->DrawFrame(col - 6, row - 12, scene->BackgroundSurface, [&] { ++presented; });
    EXPECT_EQ(presented, 1);
    auto* bg = scene->BackgroundSurface;
    for (auto [x, y] : {std::pair{0, 0}, {620, 0}, {0, 328}, {620, 328}, {300, 150}})
        EXPECT_EQ(bg->PixelAt(x, y + 20), At(x + 166, y + 212)) << x << "," << y;
    EXPECT_EQ(bg->PixelAt(621, 20), Px(0x606060));
    EXPECT_EQ(bg->PixelAt(0, 19), Px(0x606060));
    EXPECT_EQ(bg->PixelAt(0, 349), Px(0x606060));
}

TEST_F(RendererTest, ABlitFailureOtherThanAnInvalidRectangleEndsTheFrame) {
    renderer->SetView(35, 66);
    ddraw::FaultInjector::Fail("BltFast", ddraw::DDERR_INVALIDRECT);
    EXPECT_NO_THROW(renderer->Compose(35, 66));
    ddraw::FaultInjector::Fail("BltFast", ddraw::DDERR_SURFACELOST);
    try {
        renderer->Compose(35, 66);
        FAIL() << "no error";
    } catch (const gfx::EDDError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("DDTest Error: BltFast :-2005532222 ", 0), 0u) << e.what();
    }
}

// --- trains and boats

class MoverTest : public RendererTest {
protected:
    // The generator as the game draws from it, seeded as the fixture's city.
    int Draw(std::mt19937& g, int n) { return n <= 0 ? 1 : int(g() % std::uint32_t(n)) + 1; }
};

TEST_F(MoverTest, ATrainStepsOnlyEveryStepTicksAndMarksItsCell) {
    for (int x = 10; x <= 14; ++x)
        city.SetCell(x, 10, 20);
    city.Movers[5] = TMover{12, 10, 1, 3, 0, 1, 114, 2};
    city.Cell(12, 10).countdown = 135;
    renderer->MoveMovers();
    renderer->MoveMovers();
    EXPECT_EQ(city.Movers[5].x, 12);
    EXPECT_EQ(city.Movers[5].tick, 2);
    renderer->MoveMovers();
    EXPECT_EQ(city.Movers[5].x, 13);
    EXPECT_EQ(city.Movers[5].tick, 0);
    EXPECT_EQ(city.Cell(12, 10).countdown, 0);
    EXPECT_EQ(city.Cell(13, 10).countdown, 135);
}

TEST_F(MoverTest, ATrainAtADeadEndStaysWithoutDrawing) {
    city.SetCell(10, 10, 20);
    city.SetCell(11, 10, 20);
    city.Movers[1] = TMover{11, 10, 1, 1, 0, 1, 114, 2};
    renderer->MoveMovers();
    EXPECT_EQ(city.Movers[1].x, 11);
    EXPECT_EQ(city.Movers[1].direction, 2);
    EXPECT_EQ(city.Cell(11, 10).countdown, 131);
    std::mt19937 g(7);
    EXPECT_EQ(city.Random(1000), Draw(g, 1000)) << "no draw was made";
}

TEST_F(MoverTest, ATrainDrawsForEachOpenTrackInDirectionOrder) {
    // A crossing; the train came from the west, so west is never taken.
    for (auto [x, y] : {std::pair{20, 19}, {21, 20}, {20, 21}, {19, 20}, {20, 20}})
        city.SetCell(x, y, 20);
    std::mt19937 g(7);
    for (int trial = 0; trial < 40; ++trial) {
        city.Movers[1] = TMover{20, 20, 1, 1, 0, 1, 114, 2};
        city.Cell(20, 19).countdown = city.Cell(21, 20).countdown = city.Cell(20, 21).countdown = 0;
        int expected = 0;
        for (int k : {1, 2, 3})
            if (Draw(g, 3) != 1) {
                expected = k;
                break;
            }
        if (expected == 0)
            expected = 1; // no lucky draw: the first open track
        renderer->MoveMovers();
        EXPECT_EQ(city.Movers[1].direction, expected) << trial;
    }
    EXPECT_EQ(city.Random(1000), Draw(g, 1000));
}

TEST_F(MoverTest, ABoatTriesSevenRandomDirectionsThenTheFirstWaterAhead) {
    std::mt19937 g(7);
    // Open water north and south of a channel cell; the boat heads north.
    for (int y = 28; y <= 32; ++y)
        city.SetCell(30, y, 12);
    for (int trial = 0; trial < 40; ++trial) {
        city.Movers[2] = TMover{30, 30, 1, 1, 0, 2, 198, 1};
        int expected = 0;
        for (int attempt = 0; attempt < 7 && !expected; ++attempt) {
            const int d = Draw(g, 4);
            if (d == 1 || d == 3)
                expected = d;
        }
        if (!expected)
            expected = 1;
        renderer->MoveMovers();
        EXPECT_EQ(city.Movers[2].direction, expected) << trial;
        EXPECT_EQ(city.Movers[2].y, expected == 1 ? 29 : 31);
        city.Cell(30, city.Movers[2].y).countdown = 0;
    }
    // Land all round: seven draws, then it stays.
    city.SetCell(50, 50, 12);
    city.Movers[2] = TMover{50, 50, 1, 1, 0, 2, 198, 2};
    renderer->MoveMovers();
    EXPECT_EQ(city.Movers[2].x, 50);
    for (int i = 0; i < 7; ++i)
        Draw(g, 4);
    EXPECT_EQ(city.Random(1000), Draw(g, 1000));
}

} // namespace
} // namespace viewtest
