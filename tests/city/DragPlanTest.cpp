// A drag's dry run reads the city only (no cell, no funds, no draw of Random changes) and
// says exactly what the drag then does: the refusal and its sound, the objects laid and
// those skipped, and the total charged.
#include "PlacementTestSupport.h"
#include "city/CityInput.h"
#include "city/DragPlan.h"
#include "city/Placement.h"

#include <gtest/gtest.h>

using namespace city;

namespace {

bool SameMap(const CityState& a, const CityState& b) {
    for (int y = 0; y < kMapSize; ++y)
        for (int x = 0; x < kMapSize; ++x) {
            const TMapCell &p = a.Cell(x, y), &q = b.Cell(x, y);
            if (p.code != q.code || p.pendingCode != q.pendingCode || p.anchorX != q.anchorX || p.anchorY != q.anchorY)
                return false;
        }
    return true;
}

struct Case {
    int code, price, funds;
    int x0, y0, x1, y1;
};

TEST(DragPlanTest, DryRunChangesNothingAndForetellsTheDrag) {
    const Case cases[] = {
        {17, 20, 20000, 10, 10, 14, 13},  // roads over free land: 20 objects
        {17, 20, 200, 10, 10, 14, 13},    // the funds run out on the 11th
        {17, 20, 20000, 18, 10, 22, 10},  // across the lake: refused on its first water cell
        {99, 500, 20000, 30, 30, 34, 34}, // 2 x 2 churches, the last row reaching past the rectangle
        {99, 500, 20000, 23, 19, 27, 21}, // churches beside the lake: some footprints are taken
        {37, 4000, 20000, 40, 40, 40, 40},
        {9, 10, 20000, 50, 50, 52, 52},   // the bulldozer lays empty land
        {1000, 0, 20000, 5, 5, 8, 8},     // the query tool lays nothing
        {29, 100, 20000, 60, 60, 70, 60}, // a line footprint
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("code " + std::to_string(c.code) + " funds " + std::to_string(c.funds));
        CityState state;
        MakeEmptyCity(state);
        for (int y = 8; y <= 20; ++y)
            state.Cell(20, y).code = 12; // a lake's edge
        state.Cell(26, 21).code = 17;    // a road under a church's footprint
        state.Seed(7);
        state.toolCode = c.code;
        state.toolPrice = c.price;
        state.funds = c.funds;
        CityState before = state;

        const DragPlan plan = PlanDrag(state, c.x1, c.y1, c.x0, c.y0);
        EXPECT_TRUE(SameMap(state, before));
        EXPECT_EQ(state.funds, before.funds);
        for (int i = 0; i < 5; ++i)
            ASSERT_EQ(state.Random(1000), before.Random(1000)) << "the dry run drew a number";

        FakeCityHost host;
        CityInput input(state, host);
        input.MouseDrag(c.x1, c.y1, c.x0, c.y0);
        const bool terrain = host.Count("SOUND; PLAY; Terrain.wav;") > 0;
        const bool money = host.Count("SOUND; PLAY; Money.wav;") > 0;
        switch (plan.outcome) {
        case DragPlan::Outcome::Builds: {
            EXPECT_FALSE(terrain || money);
            EXPECT_EQ(state.funds, c.funds - plan.total);
            for (const DragObject& o : plan.objects) {
                EXPECT_EQ(state.Cell(o.x, o.y).code == c.code, o.builds) << o.x << "," << o.y;
                // A square's other cells point at its anchor once it is laid.
                if (o.builds && plan.size >= 2 && plan.size <= 4)
                    for (const TGridPos& cell : plan.Footprint(o.x, o.y))
                        if (cell.x != o.x || cell.y != o.y) {
                            EXPECT_EQ(state.Cell(cell.x, cell.y).code, kCodeCovered);
                        }
            }
            break;
        }
        case DragPlan::Outcome::RefusedGround:
        case DragPlan::Outcome::RefusedMoney:
            EXPECT_EQ(terrain, plan.outcome == DragPlan::Outcome::RefusedGround);
            EXPECT_EQ(money, plan.outcome == DragPlan::Outcome::RefusedMoney);
            EXPECT_TRUE(SameMap(state, before));
            EXPECT_EQ(state.funds, c.funds);
            break;
        case DragPlan::Outcome::NothingToLay:
        case DragPlan::Outcome::NoFootprint:
            EXPECT_TRUE(SameMap(state, before));
            EXPECT_EQ(state.funds, c.funds);
            break;
        }
    }
}

TEST(DragPlanTest, PlanShowsTheAnchorsFootprintsAndWhereItIsRefused) {
    CityState state;
    MakeEmptyCity(state);
    state.toolCode = 99; // a 2 x 2 church
    state.toolPrice = 500;
    state.funds = 2000;
    state.Cell(12, 12).code = 12;
    const DragPlan plan = PlanDrag(state, 14, 12, 10, 10); // corners in either order
    ASSERT_EQ(plan.objects.size(), 6u);
    EXPECT_EQ(plan.total, 3000);
    EXPECT_EQ(plan.objects[1].x, 12);
    EXPECT_EQ(plan.objects[1].y, 10);
    EXPECT_EQ(plan.objects[3].x, 10);
    EXPECT_EQ(plan.objects[3].y, 12);
    // Water under the fifth anchor, but the funds (2000) already give out at the fifth.
    EXPECT_FALSE(plan.objects[4].groundFree);
    EXPECT_TRUE(plan.objects[3].affordable);
    EXPECT_FALSE(plan.objects[4].affordable);
    EXPECT_EQ(plan.outcome, DragPlan::Outcome::RefusedGround);
    const std::vector<TGridPos> cells = plan.Footprint(10, 12);
    ASSERT_EQ(cells.size(), 4u);
    EXPECT_TRUE(cells[0].x == 10 && cells[0].y == 12 && cells[3].x == 11 && cells[3].y == 13);
}

} // namespace
