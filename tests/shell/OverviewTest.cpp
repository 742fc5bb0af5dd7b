// The overview map and the graphs only read the city: the map colours each cell by its
// own flags and figures (a building's parts by its anchor), its fast picture matches
// the one worked out pixel by pixel, a click centres the main view on the cell under
// it through the clamping scroll bars, and the history keeps one sample a month that
// survives its file's round trip while damaged files are refused with a reason.
#include "ShellFixture.h"

#include "city/Placement.h"
#include "platform/paint/Desktop.h"
#include "city/Simulation.h"
#include "shell/GraphsWindow.h"
#include "shell/MapWindow.h"
#include "shell/OverviewMap.h"
#include "view/MapRenderer.h"

#include <fstream>

namespace {

using overview::Overlay;

std::uint32_t LegendColour(Overlay overlay, const std::string& text) {
    for (const auto& e : overview::Legend(overlay))
        if (e.text == text)
            return e.colour;
    ADD_FAILURE() << "no legend entry " << text;
    return 0xFFFFFFFF;
}

class Overview : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        std::ifstream f(std::string(PLAZARO_PROGRAM_DIR) + "/City.ini", std::ios::binary);
        for (std::string line; std::getline(f, line);)
            form->RunCommand(line, false, false);
    }
    // A small town: a coal plant, a power line along a road, zones beside it on one
    // side only, a water pump, and zones far from everything.
    void BuildTown() {
        CityState& c = form->City;
        c.GenerateLandscape();
        for (int y = 0; y < city::kMapSize; ++y)
            for (int x = 0; x < city::kMapSize; ++x)
                c.SetCell(x, y, city::kCodeEmpty);
        c.funds = 1000000;
        ASSERT_TRUE(city::PlaceObject(c, 10, 10, city::kCodeEmpty, 4, 37));
        for (int x = 14; x < 40; ++x) {
            c.SetCell(x, 12, city::kCodeRoad);
            c.Cell(x, 12).pendingCode = city::kCodePowerLine;
        }
        for (int x = 14; x < 30; ++x)
            c.SetCell(x, 13, 48);
        for (int x = 30; x < 40; ++x)
            c.SetCell(x, 13, 82);
        c.SetCell(60, 60, 65);
        c.SetCell(61, 60, 65);
        c.SetCell(5, 40, city::kCodeWater);
        city::RecomputeNetworks(c, *form);
    }
};

TEST_F(Overview, ServiceOverlaysFollowTheCellsFlags) {
    BuildTown();
    const CityState& c = form->City;
    int reached = 0, missing = 0;
    for (Overlay overlay : {Overlay::Power, Overlay::Water, Overlay::Sewage}) {
        for (int y = 0; y < city::kMapSize; ++y)
            for (int x = 0; x < city::kMapSize; ++x) {
                const TMapCell& cell = c.Cell(x, y);
                const std::uint8_t flag = overlay == Overlay::Power   ? cell.powered
                                          : overlay == Overlay::Water ? cell.watered
                                                                      : cell.sewered;
                const std::uint32_t shown = overview::CellColour(c, x, y, overlay);
                const bool zone = cell.code == 48 || cell.code == 82 || cell.code == 65;
                if (zone && flag == 1) {
                    EXPECT_EQ(shown, overview::Legend(overlay)[0].colour) << x << "," << y;
                    ++reached;
                } else if (zone) {
                    EXPECT_EQ(shown, overview::Legend(overlay)[1].colour) << x << "," << y;
                    ++missing;
                }
            }
    }
    // The zones beside the powered road have power, the far ones have none, and nothing
    // brings water or sewers to any of them.
    EXPECT_TRUE(c.Cell(20, 13).powered == 1);
    EXPECT_EQ(overview::CellColour(c, 20, 13, Overlay::Power), LegendColour(Overlay::Power, "Powered"));
    EXPECT_EQ(overview::CellColour(c, 60, 60, Overlay::Power), LegendColour(Overlay::Power, "No power"));
    EXPECT_EQ(overview::CellColour(c, 20, 13, Overlay::Water), LegendColour(Overlay::Water, "No water"));
    EXPECT_GT(reached, 0);
    EXPECT_GT(missing, 0);
    // Every part of the plant shows as the plant, not as the cells covered by it.
    for (int y = 10; y < 14; ++y)
        for (int x = 10; x < 14; ++x) {
            EXPECT_EQ(overview::CellColour(c, x, y, Overlay::Power), LegendColour(Overlay::Power, "Plants, lines"));
            EXPECT_EQ(overview::CellColour(c, x, y, Overlay::LandUse), LegendColour(Overlay::LandUse, "Power"));
        }
    EXPECT_EQ(overview::CellColour(c, 20, 13, Overlay::LandUse), LegendColour(Overlay::LandUse, "Homes zoned"));
    EXPECT_EQ(overview::CellColour(c, 35, 13, Overlay::LandUse), LegendColour(Overlay::LandUse, "Industry zoned"));
    EXPECT_EQ(overview::CellColour(c, 5, 40, Overlay::LandUse), LegendColour(Overlay::LandUse, "Water"));
}

TEST_F(Overview, LevelsFollowTheCellsFiguresInTheQueryReportsBands) {
    BuildTown();
    CityState& c = form->City;
    const std::pair<int, const char*> bands[] = {{1, "Low"}, {10, "Low"}, {11, "Medium"}, {20, "Medium"},
                                                 {21, "High"}, {30, "High"}, {31, "Very High"}};
    for (auto [value, word] : bands) {
        c.Cell(50, 50).pollution = value;
        c.Cell(50, 50).crime = value;
        EXPECT_EQ(overview::CellColour(c, 50, 50, Overlay::Pollution), LegendColour(Overlay::Pollution, word)) << value;
        EXPECT_EQ(overview::CellColour(c, 50, 50, Overlay::Crime), LegendColour(Overlay::Crime, word)) << value;
    }
    c.Cell(20, 12).traffic = 120;
    EXPECT_EQ(overview::CellColour(c, 20, 12, Overlay::Traffic), LegendColour(Overlay::Traffic, "Up to 150"));
    c.Cell(20, 12).traffic = 0;
    EXPECT_EQ(overview::CellColour(c, 20, 12, Overlay::Traffic), LegendColour(Overlay::Traffic, "No cars"));
    // Traffic is a figure of roads only.
    c.Cell(20, 13).traffic = 500;
    EXPECT_NE(overview::CellColour(c, 20, 13, Overlay::Traffic), LegendColour(Overlay::Traffic, "Over 300"));
}

TEST_F(Overview, TheFastPictureMatchesTheReferenceAndEachCellSitsUnderItsPixel) {
    BuildTown();
    form->City.Cell(30, 12).traffic = 400;
    form->City.Cell(31, 31).pollution = 25;
    overview::OverviewMap map;
    std::vector<std::uint32_t> fast, slow;
    for (int i = 0; i < overview::kOverlayCount; ++i)
        for (auto [h, v] : {std::pair{35, 66}, std::pair{0, 0}, std::pair{70, 141}}) {
            map.Draw(form->City, static_cast<Overlay>(i), h, v, fast);
            overview::OverviewMap::DrawReference(form->City, static_cast<Overlay>(i), h, v, slow);
            ASSERT_EQ(fast, slow) << i << " " << h << " " << v;
        }
    for (int y = 0; y < city::kMapSize; ++y)
        for (int x = 0; x < city::kMapSize; ++x) {
            int cx = -1, cy = -1;
            overview::CellAtPixel(overview::kMapWidth / 2 + 2 * (x - y), x + y, cx, cy);
            ASSERT_EQ(std::pair(cx, cy), std::pair(x, y));
        }
}

TEST_F(Overview, AClickCentresTheViewOnTheCellThroughTheClampingScrollBars) {
    MapWindow& map = *form->Map;
    form->City.BuildViewGrid();
    auto pixelOf = [](int x, int y) { return std::pair(overview::kMapWidth / 2 + 2 * (x - y), x + y); };
    for (auto [x, y] : {std::pair{40, 40}, std::pair{20, 50}, std::pair{60, 30}, std::pair{45, 52}}) {
        auto [px, py] = pixelOf(x, y);
        map.CentreAt(px, py);
        const int h = form->Horz_SB.Position(), v = form->Vert_SB.Position();
        // Where the renderer puts the cell's tile for this view: its view row and column.
        int row = -1, col = -1;
        for (int r = 0; r < city::kViewRows; ++r)
            for (int j = 0; j < city::kViewCols; ++j)
                if (form->City.ViewAt(r, j).x == x && form->City.ViewAt(r, j).y == y)
                    row = r, col = j;
        ASSERT_GE(row, 0);
        ASSERT_TRUE(col - h >= 0 && col - h < view::kViewWindowCols) << x << "," << y;
        ASSERT_TRUE(row - v >= 0 && row - v < 23) << x << "," << y;
        const int tileX = view::MapRenderer::TileX(col - h, row) + 30;
        const int tileY = view::MapRenderer::TileY(row - v) + 15;
        EXPECT_NEAR(tileX, (view::kShownLeft + view::kShownRight) / 2, 30) << x << "," << y;
        EXPECT_NEAR(tileY, (view::kShownTop + view::kShownBottom) / 2, 8) << x << "," << y;
        // The outline of the view then stands around the clicked cell.
        const overview::PixelRect r = overview::ViewOutline(h, v);
        EXPECT_TRUE(px > r.left && px < r.right - 1 && py > r.top && py < r.bottom - 1) << x << "," << y;
    }
    // Near the north corner the view cannot go further up; at the south corner it stops
    // at the scroll bars' ends.
    auto [nx, ny] = pixelOf(0, 0);
    map.CentreAt(nx, ny);
    EXPECT_EQ(form->Vert_SB.Position(), 0);
    auto [sx, sy] = pixelOf(79, 79);
    map.CentreAt(sx, sy);
    EXPECT_EQ(form->Vert_SB.Position(), 141);
    map.CentreAt(overview::kMapWidth - 1, overview::kMapHeight / 2); // beside the east corner
    EXPECT_EQ(form->Horz_SB.Position(), 70);
}

TEST_F(Overview, ThePointerOnTheMapDragsTheViewAndTheGripMovesTheWindow) {
    form->City.BuildViewGrid();
    form->Show();
    form->W_Map->Click();
    paint::Desktop desktop;
    desktop.SetMainForm(form.get());
    MapWindow& map = *form->Map;
    // Before the first city the map is empty.
    EXPECT_EQ(map.Map_PB.Pixels[static_cast<std::size_t>(80 * overview::kMapWidth + 160)], overview::kBackground);
    form->City.cityName = "Test";
    map.Refresh(true);
    const paint::Rect picture = desktop.ControlRect(map.Map_PB);
    auto at = [&](int x, int y) { return std::pair(picture.x + overview::kMapWidth / 2 + 2 * (x - y), picture.y + x + y); };
    auto viewOf = [](int x, int y) {
        int h, v;
        overview::CentreOn(x, y, h, v);
        return std::pair(h, v);
    };
    auto view = [&] { return std::pair(form->Horz_SB.Position(), form->Vert_SB.Position()); };
    auto [ax, ay] = at(40, 40);
    desktop.MouseDown(ui::MouseButton::Left, ax, ay, ui::ssLeft, 1, 0);
    EXPECT_EQ(view(), viewOf(40, 40));
    auto [bx, by] = at(30, 52);
    desktop.MouseMove(bx, by, ui::ssLeft, 10);
    EXPECT_EQ(view(), viewOf(30, 52));
    desktop.MouseUp(ui::MouseButton::Left, bx, by, 0, 20);
    auto [cx, cy] = at(50, 45);
    desktop.MouseMove(cx, cy, 0, 30); // the button is up: the view stays
    EXPECT_EQ(view(), viewOf(30, 52));
    // The picture on the screen is the map the window drew.
    paint::FrameBuffer frame(desktop.FrameWidth(), desktop.FrameHeight());
    desktop.Paint(frame, 40);
    for (auto [x, y] : {std::pair{40, 40}, std::pair{5, 70}, std::pair{79, 0}}) {
        auto [px, py] = at(x, y);
        EXPECT_EQ(frame.At(px, py), overview::CellColour(form->City, x, y, map.Shown())) << x << "," << y;
    }

    const paint::Rect grip = desktop.ControlRect(map.Map_Grip);
    const int left = map.Map_GB.Left, top = map.Map_GB.Top;
    desktop.MouseDown(ui::MouseButton::Left, grip.x + 2, grip.y + 2, ui::ssLeft, 1, 100);
    desktop.MouseMove(grip.x - 98, grip.y + 42, ui::ssLeft, 110);
    desktop.MouseUp(ui::MouseButton::Left, grip.x - 98, grip.y + 42, 0, 120);
    EXPECT_EQ(std::pair(map.Map_GB.Left, map.Map_GB.Top), std::pair(left - 100, top + 40));
    // Dragged far off, the window stays whole on the screen.
    const paint::Rect moved = desktop.ControlRect(map.Map_Grip);
    desktop.MouseDown(ui::MouseButton::Left, moved.x + 2, moved.y + 2, ui::ssLeft, 1, 200);
    desktop.MouseMove(moved.x + 900, moved.y + 900, ui::ssLeft, 210);
    EXPECT_EQ(map.Map_GB.Left + map.Map_GB.Width, ui::Screen::Instance().Width);
    EXPECT_EQ(map.Map_GB.Top + map.Map_GB.Height, ui::Screen::Instance().Height);
    // The view did not move under the grip's drag.
    EXPECT_EQ(view(), viewOf(30, 52));
}

CityHistory Years(int from, int months) {
    CityState city;
    CityHistory history;
    for (int i = 0; i < months; ++i) {
        city.year = from + i / 12;
        city.month = i % 12 + 1;
        city.residentialPop = 10 * i;
        city.commercialPop = i;
        city.industrialPop = 2 * i;
        city.funds = 20000 - 300 * i;
        history.Record(city);
        history.Record(city); // the same month again replaces its sample
    }
    return history;
}

TEST(CityHistory, KeepsOneSampleAMonthAndSurvivesItsFile) {
    const CityHistory history = Years(1950, 30);
    ASSERT_EQ(history.Samples().size(), 30u);
    EXPECT_EQ(history.Samples()[29], (HistorySample{1952, 6, 290, 29, 58, 20000 - 300 * 29}));
    std::string text;
    for (const std::string& line : history.Lines())
        text += line + "\r\n";
    std::string error;
    std::optional<CityHistory> back = CityHistory::Parse(text, error);
    ASSERT_TRUE(back) << error;
    EXPECT_EQ(*back, history);

    const std::pair<std::string, std::string> damaged[] = {
        {"", "not a history file"},
        {"PLAZARO HISTORY 2\r\n0\r\n", "not a history file"},
        {"PLAZARO HISTORY 1\r\nx\r\n", "the number of months is damaged"},
        {"PLAZARO HISTORY 1\r\n2\r\n1950;1;0;0;0;20000\r\n", "it holds 1 months, not 2"},
        {"PLAZARO HISTORY 1\r\n1\r\n1950;13;0;0;0;20000\r\n", "line 3 is damaged"},
        {"PLAZARO HISTORY 1\r\n1\r\n1950;1;0;0;0\r\n", "line 3 is damaged"},
        {"PLAZARO HISTORY 1\r\n1\r\n1950;1;0;0;0;2x\r\n", "line 3 is damaged"},
        {"PLAZARO HISTORY 1\r\n2\r\n1950;2;0;0;0;1\r\n1950;2;0;0;0;1\r\n", "line 4 is out of order"},
        {text.substr(0, text.size() - 9), "line 32 is damaged"},
    };
    for (const auto& [bytes, reason] : damaged) {
        error.clear();
        EXPECT_FALSE(CityHistory::Parse(bytes, error)) << bytes;
        EXPECT_EQ(error, reason) << bytes;
    }
}

TEST(CityHistory, TheGraphShowsTheLastTenYearsOrAllWithYearsAlongTheBottom) {
    const CityHistory history = Years(1950, 15 * 12);
    const GraphPicture recent = DrawGraph(history, true);
    EXPECT_EQ(recent.lastMonth - recent.firstMonth, 119);
    const GraphPicture all = DrawGraph(history, false);
    EXPECT_EQ(all.firstMonth, 1950 * 12);
    ASSERT_FALSE(all.yearMarks.empty());
    EXPECT_EQ(all.yearMarks.front(), std::pair(1950, 0));
    // The last total reaches the top of its round scale or stays below it, and its
    // line ends at the right edge at that height.
    const HistorySample& last = history.Samples().back();
    ASSERT_GE(all.peopleTop, last.Total());
    const int y = GraphPicture::kHeight - 1 - static_cast<int>(last.Total() * (GraphPicture::kHeight - 1) / all.peopleTop);
    EXPECT_EQ(all.pixels[static_cast<std::size_t>(y * GraphPicture::kWidth + GraphPicture::kWidth - 1)],
              GraphPicture::kColours[3]);
    // The funds fall below nought: the scale reaches down to them.
    EXPECT_LE(all.fundsLow, last.funds);
    EXPECT_LT(all.fundsLow, 0);
}

} // namespace
