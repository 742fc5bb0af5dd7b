// Placement: buildability, every footprint of the generic placement, the square search,
// the neighbour test, and the spawning of trains and boats.
#include "FakeCityHost.h"
#include "city/Placement.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace city;

namespace {

class PlacementTest : public ::testing::Test {
protected:
    void SetUp() override { MakeEmptyCity(state); }
    CityState state;
    FakeCityHost host;
};

TEST_F(PlacementTest, FreeCodesAndRequirements) {
    const int freeCodes[] = {9, 10, 11, 23, 30, 48, 49, 65, 66, 82, 83};
    for (int code : freeCodes) {
        state.Cell(5, 5).code = code;
        EXPECT_TRUE(IsFree(state, 5, 5, 0)) << code;
    }
    const int takenCodes[] = {0, 12, 17, 20, 24, 31, 50, 250};
    for (int code : takenCodes) {
        state.Cell(5, 5).code = code;
        EXPECT_FALSE(IsFree(state, 5, 5, 0)) << code;
    }
    // Any other requirement is the exact cell test.
    state.Cell(5, 5).code = 12;
    EXPECT_TRUE(IsFree(state, 5, 5, 12));
    EXPECT_FALSE(IsFree(state, 5, 5, 49));
    EXPECT_FALSE(IsFree(state, -1, 5, 0));
    EXPECT_FALSE(IsFree(state, 80, 5, 0));
    EXPECT_FALSE(IsFree(state, 5, 80, kSelOnMap));
}

TEST_F(PlacementTest, OneCellKeepsTheOtherWords) {
    TMapCell& c = state.Cell(3, 4);
    c.code = 49;
    c.pendingCode = 7;
    c.countdown = 3;
    c.powered = 1;
    EXPECT_TRUE(PlaceObject(state, 3, 4, 0, 1, 17));
    EXPECT_EQ(c.code, 17);
    EXPECT_EQ(c.pendingCode, 7);
    EXPECT_EQ(c.countdown, 3);
    EXPECT_EQ(c.powered, 1);
    EXPECT_FALSE(PlaceObject(state, 3, 4, 0, 1, 17)); // a road is not free land
}

TEST_F(PlacementTest, SquaresCoverTheirCellsAndPointAtTheAnchor) {
    for (int n = 2; n <= 4; ++n) {
        MakeEmptyCity(state);
        state.Cell(10, 10).powered = 1;
        ASSERT_TRUE(PlaceObject(state, 10, 10, 0, n, 37));
        for (int y = 10; y < 10 + n; ++y)
            for (int x = 10; x < 10 + n; ++x) {
                const TMapCell& c = state.Cell(x, y);
                if (x == 10 && y == 10) {
                    EXPECT_EQ(c.code, 37);
                    EXPECT_EQ(c.anchorX, 0);
                    EXPECT_EQ(c.anchorY, 0);
                    EXPECT_EQ(c.powered, 0); // the square is laid with SetCell
                } else {
                    EXPECT_EQ(c.code, kCodeCovered);
                    EXPECT_EQ(c.anchorX, 10);
                    EXPECT_EQ(c.anchorY, 10);
                }
            }
        EXPECT_EQ(state.Cell(10 + n, 10).code, kCodeEmpty);
        EXPECT_EQ(state.Cell(10, 10 + n).code, kCodeEmpty);
    }
}

TEST_F(PlacementTest, ARefusedSquareChangesNothing) {
    state.Cell(12, 12).code = kCodeWater;
    const auto before = state.CityMap;
    EXPECT_FALSE(PlaceObject(state, 10, 10, 0, 3, 37));
    EXPECT_EQ(0, std::memcmp(&before, &state.CityMap, sizeof before));
    // At the edge of the map the square would reach beyond it.
    EXPECT_FALSE(PlaceObject(state, 78, 78, 0, 3, 37));
    EXPECT_FALSE(PlaceObject(state, 79, 0, 0, 2, 37));
    EXPECT_TRUE(PlaceObject(state, 77, 77, 0, 3, 37));
    EXPECT_EQ(state.Cell(79, 79).code, kCodeCovered);
}

TEST_F(PlacementTest, LinesUseTheExactCellTest) {
    for (int x = 20; x < 26; ++x)
        state.Cell(x, 5).code = kCodeWater;
    // Along x on water, as a quay is laid.
    EXPECT_TRUE(PlaceObject(state, 20, 5, kCodeWater, 5, 34));
    for (int x = 20; x < 25; ++x) {
        EXPECT_EQ(state.Cell(x, 5).code, 34);
        EXPECT_EQ(state.Cell(x, 5).pendingCode, 5);
    }
    EXPECT_EQ(state.Cell(25, 5).code, kCodeWater);
    // Along y; requirement 0 means code 0 here, not free land.
    EXPECT_FALSE(PlaceObject(state, 30, 30, 0, 6, 29));
    for (int y = 30; y < 35; ++y)
        state.Cell(30, y).code = 23;
    EXPECT_TRUE(PlaceObject(state, 30, 30, 23, 6, 29));
    EXPECT_EQ(state.Cell(30, 34).code, 29);
    EXPECT_EQ(state.Cell(30, 34).pendingCode, 6);
    // The fifth cell off the map refuses the whole line.
    for (int x = 76; x < 80; ++x)
        state.Cell(x, 40).code = 23;
    EXPECT_FALSE(PlaceObject(state, 76, 40, 23, 5, 29));
    EXPECT_EQ(state.Cell(76, 40).code, 23);
}

TEST_F(PlacementTest, FootprintsOutsideOneToSixAreRefused) {
    for (int footprint : {0, -1, 7, 100}) {
        EXPECT_FALSE(PlaceObject(state, 10, 10, 0, footprint, 17)) << footprint;
        EXPECT_EQ(state.Cell(10, 10).code, kCodeEmpty);
    }
}

TEST_F(PlacementTest, FindNearSkipsTheCentresRowAndColumn) {
    state.Cell(10, 12).code = 17; // same column
    state.Cell(12, 10).code = 17; // same row
    EXPECT_EQ(FindNear(state, 10, 10, 3, 17).x, -1);
    state.Cell(13, 13).code = 17;
    state.Cell(8, 12).code = 17;
    // Rows outer: row 12 comes before row 13.
    TGridPos p = FindNear(state, 10, 10, 3, 17);
    EXPECT_EQ(p.x, 8);
    EXPECT_EQ(p.y, 12);
    // Within a row the smaller column first.
    state.Cell(7, 9).code = 17;
    state.Cell(9, 9).code = 17;
    p = FindNear(state, 10, 10, 3, 17);
    EXPECT_EQ(p.x, 7);
    EXPECT_EQ(p.y, 9);
    // Radius bounds the square; off-map parts are simply not matched.
    EXPECT_EQ(FindNear(state, 10, 10, 0, 17).x, -1);
    EXPECT_EQ(FindNear(state, 0, 0, 2, 17).x, -1);
    state.Cell(1, 1).code = 17;
    EXPECT_EQ(FindNear(state, 0, 0, 2, 17).x, 1);
}

TEST_F(PlacementTest, CellTowardEachDirection) {
    state.Cell(10, 9).code = 17;  // north
    state.Cell(11, 10).code = 18; // east
    state.Cell(10, 11).code = 19; // south
    state.Cell(9, 10).code = 20;  // west
    EXPECT_TRUE(IsCellToward(state, 10, 10, 17, 1));
    EXPECT_TRUE(IsCellToward(state, 10, 10, 18, 2));
    EXPECT_TRUE(IsCellToward(state, 10, 10, 19, 3));
    EXPECT_TRUE(IsCellToward(state, 10, 10, 20, 4));
    EXPECT_FALSE(IsCellToward(state, 10, 10, 17, 3));
    EXPECT_FALSE(IsCellToward(state, 10, 10, 17, 0));
    EXPECT_FALSE(IsCellToward(state, 10, 10, 17, 5));
    EXPECT_FALSE(IsCellToward(state, 0, 0, kSelOnMap, 1));
    EXPECT_FALSE(IsCellToward(state, 79, 0, kSelOnMap, 2));
    EXPECT_TRUE(IsCellToward(state, 79, 0, kSelOnMap, 3));
}

TEST_F(PlacementTest, TrainAndBoatSpawnInTheLowestFreeSlot) {
    state.Cell(12, 12).code = kCodeRailway;
    state.Movers[1].active = 1;
    ASSERT_TRUE(SpawnMover(state, host, 10, 10, kCodeRailway));
    const TMover& train = state.Movers[2];
    EXPECT_EQ(train.active, 1);
    EXPECT_EQ(train.kind, 1);
    EXPECT_EQ(train.stepTicks, 3);
    EXPECT_EQ(train.basePicture, 114);
    EXPECT_EQ(train.x, 12);
    EXPECT_EQ(train.y, 12);
    EXPECT_GE(train.direction, 1);
    EXPECT_LE(train.direction, 4);
    ASSERT_EQ(host.lines.size(), 1u);
    EXPECT_EQ(host.lines[0].text, "ECHO; Object generated at: 12, 12;");

    state.Cell(40, 44).code = kCodeWater;
    ASSERT_TRUE(SpawnMover(state, host, 42, 42, kCodeWater));
    const TMover& boat = state.Movers[3];
    EXPECT_EQ(boat.kind, 2);
    EXPECT_EQ(boat.stepTicks, 6);
    EXPECT_EQ(boat.basePicture, 198);
    EXPECT_EQ(boat.x, 40);
    EXPECT_EQ(boat.y, 44);
}

TEST_F(PlacementTest, SpawnFailures) {
    // Nothing to run on within three cells outside the row and column.
    state.Cell(10, 13).code = kCodeRailway;
    EXPECT_FALSE(SpawnMover(state, host, 10, 10, kCodeRailway));
    EXPECT_EQ(host.Texts(), std::vector<std::string>{"ECHO; Object not generated;"});
    EXPECT_EQ(state.Movers[1].active, 0);
    // Every slot taken: refused without a word.
    host.Clear();
    state.Cell(11, 11).code = kCodeRailway;
    for (int i = 1; i < kMovers; ++i)
        state.Movers[static_cast<size_t>(i)].active = 1;
    EXPECT_FALSE(SpawnMover(state, host, 10, 10, kCodeRailway));
    EXPECT_TRUE(host.lines.empty());
    EXPECT_EQ(state.Movers[0].active, 0);
}

TEST_F(PlacementTest, RespawnVisitsStationsAndMarinasInMapOrder) {
    state.Cell(50, 50).code = kCodeMarina;
    state.Cell(52, 52).code = kCodeWater;
    state.Cell(5, 5).code = kCodeStation;
    state.Cell(7, 7).code = kCodeRailway;
    state.Cell(60, 5).code = kCodeStation; // no railway near it
    RespawnMovers(state, host);
    EXPECT_EQ(host.Texts(), (std::vector<std::string>{"ECHO; Object generated at: 7, 7;",
                                                      "ECHO; Object not generated;",
                                                      "ECHO; Object generated at: 52, 52;"}));
    EXPECT_EQ(state.Movers[1].kind, 1);
    EXPECT_EQ(state.Movers[2].kind, 2);
}

} // namespace
