// Rule: the ground diamonds the art is painted on tile the plane: 59 x 31 tiles laid
// 60 pixels apart, with every other row of tiles 15 pixels down and 30 across, cover
// every pixel, and only the single corner pixel where a tile meets the one two rows
// below is painted twice. Larger footprints are exactly the union of their cells.
#include "Canvas.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(TileGeometry, TilesCoverThePlaneWithoutGapsOrOverlaps) {
    const art::IsoFrame frame = art::IsoFrame::For(1, 31);
    constexpr int kW = 300, kH = 150;
    std::vector<int> cover(kW * kH, 0);
    std::vector<int> lastRow(kW * kH, -1);
    int doubled = 0;
    for (int row = -4; row < 14; ++row)
        for (int col = -3; col < 7; ++col) {
            const int ox = 60 * col - (row % 2 != 0 ? 30 : 0);
            const int oy = 15 * row;
            for (int y = 0; y < 31; ++y)
                for (int x = 0; x < 59; ++x) {
                    if (!art::InCellDiamond(frame, 0, 0, x, y)) continue;
                    const int gx = ox + x, gy = oy + y;
                    if (gx < 0 || gy < 0 || gx >= kW || gy >= kH) continue;
                    const std::size_t i = std::size_t(gy * kW + gx);
                    if (++cover[i] == 2) {
                        ++doubled;
                        // The only overlap allowed: a tile's bottom corner under the top
                        // corner of the tile two rows further down.
                        EXPECT_EQ(row - lastRow[i], 2) << gx << "," << gy;
                        EXPECT_EQ(y, 0) << gx << "," << gy;
                    }
                    lastRow[i] = row;
                }
        }
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) EXPECT_GE(cover[std::size_t(y * kW + x)], 1) << x << "," << y;
    EXPECT_GT(doubled, 0);
}

TEST(TileGeometry, FootprintsAreTheUnionOfTheirCells) {
    for (int n = 2; n <= 4; ++n) {
        const int w = 60 * n - 1, h = 30 * n + 1;
        const art::IsoFrame big = art::IsoFrame::For(n, h);
        const art::IsoFrame one = art::IsoFrame::For(1, 31);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                bool inCell = false;
                for (int j = 0; j < n; ++j)
                    for (int i = 0; i < n; ++i) {
                        // Cell (i, j) of the footprint sits 30 (i - j) across and 15 (i + j) down
                        // from the top cell, which starts 30 (n - 1) from the picture's left.
                        const int ox = 30 * (n - 1) + 30 * (i - j);
                        const int oy = 15 * (i + j);
                        inCell = inCell || art::InCellDiamond(one, 0, 0, x - ox, y - oy);
                    }
                EXPECT_EQ(art::InFootprint(big, x, y), inCell) << n << ": " << x << "," << y;
            }
        // The footprint reaches the picture's left and right edges on its middle row and
        // its top and bottom rows at the middle column.
        EXPECT_TRUE(art::InFootprint(big, 0, 15 * n));
        EXPECT_TRUE(art::InFootprint(big, w - 1, 15 * n));
        EXPECT_TRUE(art::InFootprint(big, 30 * n - 1, 0));
        EXPECT_TRUE(art::InFootprint(big, 30 * n - 1, h - 1));
    }
}

TEST(TileGeometry, GroundCoordinatesRunAlongTheMapAxes) {
    // One cell east moves 30 right and 15 down; one cell south 30 left and 15 down.
    const art::IsoFrame frame = art::IsoFrame::For(1, 31);
    EXPECT_DOUBLE_EQ(frame.X(1, 0) - frame.X(0, 0), 30);
    EXPECT_DOUBLE_EQ(frame.Y(1, 0, 0) - frame.Y(0, 0, 0), 15);
    EXPECT_DOUBLE_EQ(frame.X(0, 1) - frame.X(0, 0), -30);
    EXPECT_DOUBLE_EQ(frame.Y(0, 1, 0) - frame.Y(0, 0, 0), 15);
    EXPECT_DOUBLE_EQ(frame.Y(0, 0, 10), frame.Y(0, 0, 0) - 10);
    for (double u : {0.0, 0.25, 0.8})
        for (double v : {0.1, 0.5, 1.0}) {
            EXPECT_NEAR(frame.U(frame.X(u, v), frame.Y(u, v, 0)), u, 1e-9);
            EXPECT_NEAR(frame.V(frame.X(u, v), frame.Y(u, v, 0)), v, 1e-9);
        }
}

} // namespace
