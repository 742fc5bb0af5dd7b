// The mouse on the map: pixel bands to view cells, the cursor fields, the click of every
// tool with its charging and refusal sounds, and the shift-drag.
#include "PlacementTestSupport.h"
#include "city/CityInput.h"
#include "city/Placement.h"

#include <gtest/gtest.h>

using namespace city;

namespace {

const std::string kMoney = "SOUND; PLAY; Money.wav;";
const std::string kTerrain = "SOUND; PLAY; Terrain.wav;";

class CityInputTest : public ::testing::Test {
protected:
    void SetUp() override { MakeEmptyCity(state); }
    void Tool(int code, int price) {
        state.toolCode = code;
        state.toolPrice = price;
    }
    void Click(int x, int y, bool shift = false) { ClickAt(state, host, input, x, y, shift); }

    CityState state;
    FakeCityHost host;
    CityInput input{state, host};
};

// --- the mouse mapping

TEST_F(CityInputTest, BandsMapPixelsToViewCells) {
    // Map cell (0, 0) shows at view row 2, column 40; (1, 0) at row 3, column 41.
    host.vert = 1;
    host.horz = 40;
    input.FormMouseMove(false, 30, 50);
    EXPECT_EQ(state.cursorValid, 1);
    EXPECT_EQ(state.cursorX, 0);
    EXPECT_EQ(state.cursorY, 0);
    EXPECT_EQ(state.cursorScreenX, 0);
    EXPECT_EQ(state.cursorScreenY, 60);
    // Band edges: Y 61 and X 61 start the second bands; row 3 is odd, shifted left.
    input.FormMouseMove(false, 61, 61);
    EXPECT_EQ(state.cursorX, 1);
    EXPECT_EQ(state.cursorY, 0);
    EXPECT_EQ(state.cursorScreenX, 30);
    EXPECT_EQ(state.cursorScreenY, 75);
    input.FormMouseMove(false, 60, 60); // last pixel of the first bands
    EXPECT_EQ(state.cursorX, 0);
    EXPECT_EQ(state.cursorY, 0);
    // The far corner of the bands: X 720, Y 375 are band 11 and 21.
    host.vert = 138; // row 21 + 1 + 138 = 160 holds (79, 79) at column 40
    host.horz = 29;
    input.FormMouseMove(false, 720, 375);
    EXPECT_EQ(state.cursorValid, 1);
    EXPECT_EQ(state.cursorX, 79);
    EXPECT_EQ(state.cursorY, 79);
    EXPECT_EQ(state.cursorScreenX, 660);
    EXPECT_EQ(state.cursorScreenY, 375);
}

TEST_F(CityInputTest, PointsOutsideTheBandsAreNotOverTheMap) {
    host.vert = 1;
    host.horz = 40;
    for (auto [x, y] : {std::pair{0, 50}, {721, 50}, {30, 45}, {30, 376}, {-5, -5}}) {
        input.FormMouseMove(false, 30, 50);
        ASSERT_EQ(state.cursorValid, 1);
        input.FormMouseMove(false, x, y);
        EXPECT_EQ(state.cursorValid, 0) << x << "," << y;
    }
    // A click then does nothing at all, not even the money check.
    state.funds = -100;
    input.FormMouseDown(0, false, 0, 0);
    EXPECT_TRUE(host.lines.empty());
    EXPECT_EQ(state.funds, -100);
}

TEST_F(CityInputTest, ViewPositionsWithoutACell) {
    // View row 1 holds no cell; rows beyond the lookup (162 and more) show none.
    host.vert = 0;
    host.horz = 40;
    input.FormMouseMove(false, 30, 50);
    EXPECT_EQ(state.cursorValid, 0);
    EXPECT_EQ(state.cursorX, -1);
    host.vert = 141;
    host.horz = 70;
    input.FormMouseMove(false, 720, 375); // row 163, column 81
    EXPECT_EQ(state.cursorValid, 0);
    // The left and right ends of a row are empty in the diamond.
    host.vert = 1;
    host.horz = 0;
    input.FormMouseMove(false, 30, 50);
    EXPECT_EQ(state.cursorValid, 0);
}

TEST_F(CityInputTest, CursorShiftsLeftForLargerFootprints) {
    host.vert = 1;
    host.horz = 40;
    Tool(37, 4000); // a 4 x 4 plant
    input.FormMouseMove(false, 30, 50);
    EXPECT_EQ(state.cursorScreenX, 31 - 31 * 4);
    Tool(13, 0); // 3 x 3
    input.FormMouseMove(false, 61, 61);
    EXPECT_EQ(state.cursorScreenX, 30 + 31 - 93);
    // Query and centre have no object type and use the one-cell cursor of code 10.
    Tool(kToolQuery, 0);
    input.FormMouseMove(false, 30, 50);
    EXPECT_EQ(state.cursorScreenX, 0);
    Tool(kToolCentre, 0);
    input.FormMouseMove(false, 30, 50);
    EXPECT_EQ(state.cursorScreenX, 0);
    // A code without a type has no footprint: no shift, no crash.
    Tool(5000, 0);
    input.FormMouseMove(false, 30, 50);
    EXPECT_EQ(state.cursorScreenX, 31);
}

TEST_F(CityInputTest, NothingHappensBeforeTheGameScreenIsShown) {
    host.shown = false;
    host.vert = 1;
    host.horz = 40;
    input.FormMouseMove(false, 30, 50);
    EXPECT_EQ(state.cursorValid, 0);
    state.cursorValid = 1;
    state.cursorX = state.cursorY = 0;
    Tool(17, 20);
    input.FormMouseDown(0, false, 30, 50);
    EXPECT_EQ(state.Cell(0, 0).code, kCodeEmpty);
    EXPECT_EQ(state.funds, 20000);
    EXPECT_TRUE(host.lines.empty());
}

TEST_F(CityInputTest, PointingAtACellScrollsOnlyWhenItIsOutOfView) {
    // Every cell of the map can be reached, and the mapping lands on it.
    for (int y = 0; y < kMapSize; ++y)
        for (int x = 0; x < kMapSize; ++x) {
            const auto spot = PointAtCell(state, 35, 66, x, y);
            ASSERT_TRUE(spot) << x << "," << y;
            host.horz = spot->horz;
            host.vert = spot->vert;
            input.FormMouseMove(false, spot->X, spot->Y);
            ASSERT_EQ(state.cursorValid, 1);
            ASSERT_EQ(state.cursorX, x);
            ASSERT_EQ(state.cursorY, y);
        }
    // (40, 40) at view row 82 lies under the bands of the start view: no scrolling.
    auto spot = PointAtCell(state, 35, 66, 40, 40);
    EXPECT_EQ(spot->horz, 35);
    EXPECT_EQ(spot->vert, 66);
    // (0, 0) at row 2, column 40 is brought into view.
    spot = PointAtCell(state, 35, 66, 0, 0);
    EXPECT_EQ(spot->vert, 0);
    EXPECT_EQ(spot->horz, 34);
    EXPECT_FALSE(PointAtCell(state, 35, 66, 80, 0));
    EXPECT_FALSE(PointAtCell(state, 35, 66, 0, -1));
}

// --- the click

TEST_F(CityInputTest, PlacingChargesEvenWhenTheGroundRefuses) {
    Tool(17, 20);
    Click(10, 10);
    EXPECT_EQ(state.Cell(10, 10).code, 17);
    EXPECT_EQ(state.funds, 19980);
    EXPECT_TRUE(host.lines.empty()); // no sound for a success
    state.Cell(11, 10).code = kCodeWater;
    Click(11, 10);
    EXPECT_EQ(state.Cell(11, 10).code, kCodeWater);
    EXPECT_EQ(host.Texts(), std::vector<std::string>{kTerrain});
    EXPECT_FALSE(host.lines[0].echo);
    EXPECT_FALSE(host.lines[0].recordHistory);
    EXPECT_EQ(state.funds, 19960);
}

TEST_F(CityInputTest, NotEnoughMoneyRefusesWithoutCharge) {
    state.funds = 10;
    Tool(17, 20);
    Click(10, 10);
    EXPECT_EQ(host.Texts(), std::vector<std::string>{kMoney});
    EXPECT_EQ(state.Cell(10, 10).code, kCodeEmpty);
    EXPECT_EQ(state.funds, 10);
    // Exactly enough is enough.
    host.Clear();
    state.funds = 20;
    Click(10, 10);
    EXPECT_EQ(state.Cell(10, 10).code, 17);
    EXPECT_EQ(state.funds, 0);
    // With negative funds even the free tools only play the money sound.
    host.Clear();
    state.funds = -1;
    Tool(kToolCentre, 0);
    PointAt(state, host, input, 10, 75);
    const int horz = host.horz;
    input.FormMouseDown(0, false, 0, 0);
    EXPECT_EQ(host.Texts(), std::vector<std::string>{kMoney});
    EXPECT_EQ(host.horz, horz);
    Tool(kToolQuery, 0);
    host.Clear();
    Click(10, 10);
    EXPECT_EQ(host.Texts(), std::vector<std::string>{kMoney});
    EXPECT_EQ(state.messageHold, 0);
}

TEST_F(CityInputTest, SquaresAreBuiltFromTheClickedCell) {
    Tool(37, 4000);
    Click(20, 20);
    EXPECT_EQ(state.Cell(20, 20).code, 37);
    EXPECT_EQ(state.Cell(23, 23).code, kCodeCovered);
    EXPECT_EQ(state.funds, 16000);
    // Overlapping the first plant: refused, charged.
    Click(22, 22);
    EXPECT_EQ(host.Count(kTerrain), 1);
    EXPECT_EQ(state.funds, 12000);
}

TEST_F(CityInputTest, BulldozingABuildingClearsItsWholeSquareOnce) {
    state.residentialPop = 1000;
    ASSERT_TRUE(PlaceObject(state, 30, 30, 0, 3, 60)); // apartments, value 400
    Tool(kCodeEmpty, 10);
    Click(32, 31); // any cell of the nine
    for (int y = 30; y < 33; ++y)
        for (int x = 30; x < 33; ++x) {
            EXPECT_EQ(state.Cell(x, y).code, kCodeCleared);
            EXPECT_EQ(state.Cell(x, y).anchorX, 0);
        }
    EXPECT_EQ(state.residentialPop, 600);
    EXPECT_EQ(state.funds, 19990);
    // Cleared land, trees and zones become empty land.
    Click(31, 31);
    EXPECT_EQ(state.Cell(31, 31).code, kCodeEmpty);
    state.Cell(5, 5).code = kCodeTrees;
    state.Cell(5, 5).pendingCode = 4;
    Click(5, 5);
    EXPECT_EQ(state.Cell(5, 5).code, kCodeEmpty);
    EXPECT_EQ(state.Cell(5, 5).pendingCode, 0);
    state.Cell(6, 6).code = 49;
    Click(6, 6);
    EXPECT_EQ(state.Cell(6, 6).code, kCodeEmpty);
}

TEST_F(CityInputTest, BulldozingSubtractsFromTheRightPopulation) {
    state.commercialPop = 100;
    state.industrialPop = 100;
    state.residentialPop = 100;
    state.Cell(10, 10).code = 68; // shop, 15
    state.Cell(12, 10).code = 85; // workshop, 25
    state.Cell(14, 10).code = 17; // a road counts for nobody
    Tool(kCodeEmpty, 10);
    Click(10, 10);
    Click(12, 10);
    Click(14, 10);
    EXPECT_EQ(state.commercialPop, 85);
    EXPECT_EQ(state.industrialPop, 75);
    EXPECT_EQ(state.residentialPop, 100);
    EXPECT_EQ(state.Cell(14, 10).code, kCodeCleared);
    // A construction site's people were counted when it was laid: clearing the site
    // takes away the people of the building it would have become, from its own kind.
    ASSERT_TRUE(PlaceObject(state, 40, 40, 0, 2, 2));
    state.Cell(40, 40).pendingCode = 55; // flats, 120
    state.residentialPop = 150;
    Click(41, 41);
    EXPECT_EQ(state.residentialPop, 30);
    EXPECT_EQ(state.commercialPop, 85);
    EXPECT_EQ(state.Cell(40, 40).code, kCodeCleared);
    EXPECT_EQ(state.Cell(41, 41).code, kCodeCleared);
    state.Cell(44, 40).code = 1;
    state.Cell(44, 40).pendingCode = 68; // a shop's site
    Click(44, 40);
    EXPECT_EQ(state.commercialPop, 70);
    state.Cell(46, 40).code = 1;
    state.Cell(46, 40).pendingCode = 0; // a site of nothing counted
    Click(46, 40);
    EXPECT_EQ(state.residentialPop, 30);
    EXPECT_EQ(state.commercialPop, 70);
    EXPECT_EQ(state.industrialPop, 75);
}

TEST_F(CityInputTest, BulldozingALineObjectClearsOnlyTheClickedCell) {
    for (int x = 40; x < 46; ++x)
        state.Cell(x, 20).code = 23;
    ASSERT_TRUE(PlaceObject(state, 40, 20, 23, 5, 29)); // a runway along x
    state.Cell(42, 21).code = 17;                        // something beside it
    Tool(kCodeEmpty, 10);
    Click(42, 20);
    EXPECT_EQ(state.Cell(42, 20).code, kCodeCleared);
    EXPECT_EQ(state.Cell(41, 20).code, 29);
    EXPECT_EQ(state.Cell(43, 20).code, 29);
    EXPECT_EQ(state.Cell(42, 21).code, 17);
    EXPECT_EQ(state.Cell(45, 20).code, 23);
}

TEST_F(CityInputTest, BulldozingAtTheMapEdgeAndWithoutAType) {
    // A 3 x 3 type on a cell of the last row: the square is cut at the edge.
    state.Cell(79, 79).code = 60;
    state.residentialPop = 400;
    Tool(kCodeEmpty, 10);
    Click(79, 79);
    EXPECT_EQ(state.Cell(79, 79).code, kCodeCleared);
    EXPECT_EQ(state.residentialPop, 0);
    // A covered cell whose anchor has no footprint changes nothing.
    state.Cell(5, 5).code = kCodeCovered;
    state.Cell(5, 5).anchorX = 6;
    state.Cell(5, 5).anchorY = 6;
    state.Cell(6, 6).code = 0;
    Click(5, 5);
    EXPECT_EQ(state.Cell(5, 5).code, kCodeCovered);
    EXPECT_EQ(state.Cell(6, 6).code, 0);
}

TEST_F(CityInputTest, TreesGrowDenserUpToEleven) {
    Tool(kCodeTrees, 5);
    Click(10, 10);
    EXPECT_EQ(state.Cell(10, 10).code, kCodeTrees);
    EXPECT_EQ(state.Cell(10, 10).pendingCode, 1);
    for (int i = 0; i < 12; ++i)
        Click(10, 10);
    EXPECT_EQ(state.Cell(10, 10).pendingCode, 11);
    EXPECT_EQ(state.funds, 20000 - 13 * 5);
    state.Cell(11, 10).code = 17;
    Click(11, 10);
    EXPECT_EQ(host.Texts(), std::vector<std::string>{kTerrain});
    EXPECT_EQ(state.Cell(11, 10).code, 17);
}

TEST_F(CityInputTest, PowerLinesRunOverFreeLandRoadsAndRailways) {
    Tool(kCodePowerLine, 10);
    state.Cell(10, 10).code = 48;
    state.Cell(11, 10).code = 17;
    state.Cell(12, 10).code = 20;
    state.Cell(13, 10).code = 18;
    for (int x = 10; x < 14; ++x)
        Click(x, 10);
    EXPECT_EQ(state.Cell(10, 10).code, 48);
    EXPECT_EQ(state.Cell(10, 10).pendingCode, kCodePowerLine);
    EXPECT_EQ(state.Cell(11, 10).pendingCode, kCodePowerLine);
    EXPECT_EQ(state.Cell(12, 10).pendingCode, kCodePowerLine);
    // Not over a motorway, but paid for, and silently.
    EXPECT_EQ(state.Cell(13, 10).pendingCode, 0);
    EXPECT_TRUE(host.lines.empty());
    EXPECT_EQ(state.funds, 20000 - 40);
}

TEST_F(CityInputTest, SubStationPriceGrowsWithDistance) {
    Tool(kCodeSubStation, 400);
    Click(10, 10);
    Click(30, 30);
    EXPECT_EQ(state.funds, 19200);
    EXPECT_EQ(state.toolPrice, 400);
    // The third: the nearest one outside its row and column is (10, 10) at radius 3.
    Click(12, 13);
    EXPECT_EQ(state.toolPrice, 700);
    EXPECT_EQ(state.funds, 18500);
    EXPECT_EQ(state.Cell(12, 13).code, kCodeSubStation);
    // One in the same row only is not found at any radius: base price.
    MakeEmptyCity(state);
    Tool(kCodeSubStation, 400);
    state.Cell(10, 10).code = kCodeSubStation;
    state.Cell(20, 10).code = kCodeSubStation;
    Click(40, 10);
    EXPECT_EQ(state.toolPrice, 400);
}

TEST_F(CityInputTest, SubStationRefusalsAreNotCharged) {
    state.Cell(10, 10).code = kCodeSubStation;
    state.Cell(20, 20).code = kCodeSubStation;
    state.Cell(15, 15).code = kCodeWater;
    Tool(kCodeSubStation, 400);
    Click(15, 15); // radius 5 to either
    EXPECT_EQ(state.toolPrice, 900);
    EXPECT_EQ(host.Texts(), std::vector<std::string>{kTerrain});
    EXPECT_EQ(state.funds, 20000);
    // The check before the tool uses the price stored by the last click: 899 is
    // refused against 900 although this cell would cost 800.
    host.Clear();
    state.funds = 899;
    Click(16, 16);
    EXPECT_EQ(host.Texts(), std::vector<std::string>{kMoney});
    EXPECT_EQ(state.funds, 899);
    host.Clear();
    state.funds = 900;
    Click(16, 16);
    EXPECT_EQ(state.toolPrice, 800);
    EXPECT_EQ(state.funds, 100);
    // The stored price now stands above the funds: the next click stops at the check.
    Click(50, 50);
    EXPECT_EQ(host.Texts(), std::vector<std::string>{kMoney});
    EXPECT_EQ(state.funds, 100);
    // Enough for the stored price but not for the recomputed one: refused, not charged.
    host.Clear();
    state.funds = 850;
    Click(50, 50); // the nearest is 30 cells away
    EXPECT_EQ(state.toolPrice, 400 + 100 * 30);
    EXPECT_EQ(host.Texts(), std::vector<std::string>{kMoney});
    EXPECT_EQ(state.Cell(50, 50).code, kCodeEmpty);
    EXPECT_EQ(state.funds, 850);
}

TEST_F(CityInputTest, StationsBringTrainsAndMarinasBoats) {
    state.Cell(13, 13).code = kCodeRailway;
    Tool(kCodeStation, 500);
    Click(10, 10);
    EXPECT_EQ(state.Cell(10, 10).code, kCodeStation);
    EXPECT_EQ(host.Texts(), std::vector<std::string>{"ECHO; Object generated at: 13, 13;"});
    EXPECT_TRUE(host.lines[0].echo);
    EXPECT_EQ(state.Movers[1].active, 1);
    EXPECT_EQ(state.funds, 19500);
    // A refused station still looks for a railway and is still charged.
    host.Clear();
    state.Cell(40, 40).code = kCodeWater;
    Click(40, 40);
    EXPECT_EQ(host.Texts(), (std::vector<std::string>{kTerrain, "ECHO; Object not generated;"}));
    EXPECT_EQ(state.funds, 19000);
    // A marina looks for water.
    host.Clear();
    state.Cell(62, 58).code = kCodeWater;
    Tool(kCodeMarina, 1000);
    Click(60, 60);
    EXPECT_EQ(host.Texts(), std::vector<std::string>{"ECHO; Object generated at: 62, 58;"});
    EXPECT_EQ(state.Movers[2].kind, 2);
}

TEST_F(CityInputTest, AGiftRecomputesTheUnlocks) {
    state.cityRank = 3;
    Tool(14, 0); // Fountain
    Click(10, 10);
    EXPECT_EQ(state.Cell(10, 10).code, 14);
    const auto& e = host.events;
    EXPECT_NE(std::find(e.begin(), e.end(), "unlock " + std::to_string(kUnlockFountain) + ": off"), e.end());
    // A plain building does not.
    host.Clear();
    Tool(17, 20);
    Click(20, 20);
    EXPECT_TRUE(host.events.empty());
}

TEST_F(CityInputTest, QueryAndCentre) {
    state.Cell(10, 10).code = 17;
    Tool(kToolQuery, 0);
    Click(10, 10);
    ASSERT_FALSE(host.lines.empty());
    EXPECT_EQ(host.lines[0].text, "ECHO; Road; 273; 0;");
    EXPECT_EQ(state.messageHold, 2000);
    EXPECT_EQ(state.funds, 20000);
    Tool(kToolCentre, 0);
    Click(10, 75);
    EXPECT_EQ(host.horz, 10);
    EXPECT_EQ(host.vert, 75);
    // The cell goes to the scroll bars as it is; holding it in their range is theirs
    // (the window's session test checks that).
    Click(79, 79);
    EXPECT_EQ(host.horzAsked, 79);
    EXPECT_EQ(host.vertAsked, 79);
}

TEST_F(CityInputTest, ToolCodesWithoutATypeAreRefusedSafely) {
    for (int code : {5000, -3, 201}) {
        host.Clear();
        Tool(code, 10);
        state.ObjectTypes[201].size = 0;
        const int funds = state.funds;
        Click(10, 10);
        EXPECT_EQ(host.Texts(), std::vector<std::string>{kTerrain}) << code;
        EXPECT_EQ(state.Cell(10, 10).code, kCodeEmpty);
        EXPECT_EQ(state.funds, funds - 10);
    }
}

// --- the drag

TEST_F(CityInputTest, DragBuildsARectangleOfOneCellObjects) {
    Tool(17, 20);
    Click(12, 13, true); // the start only
    EXPECT_EQ(state.dragStartX, 12);
    EXPECT_EQ(state.funds, 20000);
    Click(30, 30); // an ordinary click in between keeps the start
    EXPECT_EQ(state.dragStartX, 12);
    EXPECT_EQ(state.dragStartY, 13);
    Click(10, 10, true); // corners in any order: 3 columns x 4 rows
    EXPECT_EQ(state.dragStartX, -1);
    EXPECT_EQ(state.CountCells(17), 1 + 12);
    for (int y = 10; y <= 13; ++y)
        for (int x = 10; x <= 12; ++x)
            EXPECT_EQ(state.Cell(x, y).code, 17);
    EXPECT_EQ(state.funds, 20000 - 20 - 12 * 20);
    EXPECT_EQ(state.dragEndX, 10);
    EXPECT_EQ(state.dragEndY, 10);
}

TEST_F(CityInputTest, DragOfSquaresStepsByTheFootprint) {
    Tool(14, 0); // a 2 x 2 gift
    state.ObjectTypes[14].size = 2;
    input.MouseDrag(24, 24, 20, 20);
    // Anchors at offsets 0, 2 and 4: nine fountains, those at 4 reaching beyond.
    EXPECT_EQ(state.CountCells(14), 9);
    EXPECT_EQ(state.Cell(24, 24).code, 14);
    EXPECT_EQ(state.Cell(25, 25).code, kCodeCovered);
    EXPECT_EQ(state.Cell(26, 26).code, kCodeEmpty);
}

TEST_F(CityInputTest, DragChecksEveryAnchorBeforeBuilding) {
    Tool(17, 20);
    state.Cell(11, 11).code = kCodeWater;
    input.MouseDrag(12, 12, 10, 10);
    EXPECT_EQ(host.Texts(), std::vector<std::string>{kTerrain});
    EXPECT_EQ(state.CountCells(17), 0);
    EXPECT_EQ(state.funds, 20000);
    // The running total: 9 roads cost 180, the funds cover eight.
    host.Clear();
    state.Cell(11, 11).code = kCodeEmpty;
    state.funds = 179;
    input.MouseDrag(12, 12, 10, 10);
    EXPECT_EQ(host.Texts(), std::vector<std::string>{kMoney});
    EXPECT_EQ(state.CountCells(17), 0);
    EXPECT_EQ(state.funds, 179);
    state.funds = 180;
    input.MouseDrag(12, 12, 10, 10);
    EXPECT_EQ(state.CountCells(17), 9);
    EXPECT_EQ(state.funds, 0);
    // At one anchor the ground is judged before the money.
    host.Clear();
    state.Cell(30, 30).code = kCodeWater;
    input.MouseDrag(31, 31, 30, 30);
    EXPECT_EQ(host.Texts(), std::vector<std::string>{kTerrain});
}

TEST_F(CityInputTest, DragSkipsBlockedObjectsButChargesThem) {
    Tool(37, 1000); // 4 x 4
    state.Cell(13, 13).code = kCodeWater; // inside the first square, not an anchor
    input.MouseDrag(14, 10, 10, 10);      // anchors (10, 10) and (14, 10)
    EXPECT_TRUE(host.lines.empty());
    EXPECT_EQ(state.Cell(10, 10).code, kCodeEmpty);
    EXPECT_EQ(state.Cell(14, 10).code, 37);
    EXPECT_EQ(state.funds, 18000);
    // At the map edge the square beyond it is skipped: nothing written off the map.
    input.MouseDrag(79, 79, 78, 78);
    EXPECT_EQ(state.Cell(78, 78).code, kCodeEmpty);
    EXPECT_EQ(state.funds, 17000);
}

TEST_F(CityInputTest, DragLaysTheToolsCodeOnEveryCell) {
    Tool(kCodePowerLine, 10);
    input.MouseDrag(11, 10, 10, 10);
    EXPECT_EQ(state.Cell(10, 10).code, kCodePowerLine);
    EXPECT_EQ(state.Cell(11, 10).code, kCodePowerLine);
    Tool(kCodeTrees, 5);
    state.Cell(20, 20).pendingCode = 9;
    input.MouseDrag(20, 20, 20, 20);
    EXPECT_EQ(state.Cell(20, 20).code, kCodeTrees);
    EXPECT_EQ(state.Cell(20, 20).pendingCode, 9);
}

TEST_F(CityInputTest, DragsWithoutAFootprintBuildNothing) {
    // Query and centre: the shift-click pair ends the drag and does nothing else.
    for (int code : {kToolQuery, kToolCentre}) {
        host.Clear();
        Tool(code, 0);
        Click(10, 10, true);
        EXPECT_EQ(state.dragStartX, 10);
        PointAt(state, host, input, 12, 12);
        const int horz = host.horz, vert = host.vert;
        input.FormMouseDown(0, true, 0, 0);
        EXPECT_EQ(state.dragStartX, -1);
        EXPECT_TRUE(host.lines.empty());
        EXPECT_EQ(state.messageHold, 0);
        EXPECT_EQ(host.horz, horz);
        EXPECT_EQ(host.vert, vert);
        EXPECT_EQ(state.funds, 20000);
    }
    // A type of size 0 and a footprint beyond 6: refused, nothing charged.
    for (int size : {0, 7}) {
        host.Clear();
        state.ObjectTypes[15].size = size;
        Tool(15, 10);
        input.MouseDrag(12, 12, 10, 10);
        EXPECT_EQ(host.Texts(), std::vector<std::string>{kTerrain});
        EXPECT_EQ(state.CountCells(15), 0);
        EXPECT_EQ(state.funds, 20000);
    }
}

} // namespace
