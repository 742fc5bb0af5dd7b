// The window's pointer picks the tile whose diamond lies under it: every pixel inside a
// tile of the view translates to a point of that tile's band, and the mouse mapping fed
// that point highlights the same tile where the renderer draws it.
#include "../city/FakeCityHost.h"
#include "city/CityInput.h"
#include "view/MapRenderer.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace view;

namespace {

TEST(PointerTest, EveryPixelOfATileInViewPicksThatTile) {
    CityState state;
    MakeEmptyCity(state);
    FakeCityHost host;
    CityInput input(state, host);
    state.toolCode = city::kCodeRoad; // a one-cell cursor
    const int shownRight = kShownRight - kShownLeft, shownBottom = kSceneY + kShownBottom - kShownTop;
    for (int vert : {0, 1, 66, 141}) {
        host.vert = vert;
        host.horz = 35;
        for (int r = 1; r <= 22; ++r)
            for (int j = 0; j <= 11; ++j) {
                const ClientPoint o = TileClientOrigin(j, r, vert + r);
                int checked = 0, seenX = 0, seenY = 0;
                for (int dy = -14; dy <= 14; dy += 2)
                    for (int dx = -27; dx <= 27; dx += 3) {
                        if (std::abs(dx) + 2 * std::abs(dy) > 27)
                            continue; // the diamond's inside, short of its rim
                        const int px = o.x + 29 + dx, py = o.y + 15 + dy;
                        if (px < 0 || px >= shownRight || py < kSceneY || py >= shownBottom)
                            continue;
                        const auto band = PointerToBand(vert, px, py);
                        ASSERT_TRUE(band) << "vert " << vert << " tile " << j << "," << r << " pixel " << px << "," << py;
                        ASSERT_EQ(band->x, 60 * j + 30);
                        ASSERT_EQ(band->y, 46 + 15 * (r - 1) + 7);
                        ++checked, seenX = px, seenY = py;
                    }
                if (checked == 0)
                    continue; // the tile lies wholly outside the shown picture
                // The mapping fed the band point highlights the tile where it is drawn.
                const auto band = PointerToBand(vert, seenX, seenY);
                ASSERT_TRUE(band);
                input.FormMouseMove(false, band->x, band->y);
                const TGridPos cell = state.ViewAt(vert + r, 35 + j);
                EXPECT_EQ(state.cursorValid, cell.x != -1 || cell.y != -1);
                EXPECT_EQ(state.cursorX, cell.x);
                EXPECT_EQ(state.cursorY, cell.y);
                EXPECT_EQ(state.cursorScreenX + 156, MapRenderer::TileX(j, vert + r));
                EXPECT_EQ(state.cursorScreenY + 192, MapRenderer::TileY(r));
            }
    }
}

TEST(PointerTest, TilesNoBandReachesAndPixelsOffTheMapPickNothing) {
    for (int vert : {0, 1}) {
        // The view's top row has no band (its rightmost column lies past the shown picture).
        const ClientPoint top = TileClientOrigin(5, 0, vert);
        EXPECT_FALSE(PointerToBand(vert, top.x + 29, top.y + 20));
        EXPECT_GE(TileClientOrigin(12, 1, vert + 1).x, kShownRight - kShownLeft);
    }
    EXPECT_FALSE(PointerToBand(0, 100, kSceneY - 1));
    EXPECT_FALSE(PointerToBand(0, -1, 100));
    EXPECT_FALSE(PointerToBand(0, kShownRight - kShownLeft, 100));
    EXPECT_FALSE(PointerToBand(0, 100, kSceneY + kShownBottom - kShownTop));
    EXPECT_TRUE(PointerToBand(0, 100, 100));
}

} // namespace
