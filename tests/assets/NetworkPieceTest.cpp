// Rule: the eleven pieces of each network join exactly the neighbours the renderer
// picks them for (1 north-south, 2 east-west, 3 north-east, 4 east-south, 5 south-west,
// 6 north-west, 7 all but west, 8 all but north, 9 all but east, 10 all but south,
// 11 all four), and where two pieces meet their cross-sections line up, so roads,
// railways and power lines run on without a seam.
#include "BmpTestReader.h"
#include "PlazaroResources.h"
#include "platform/os/ResourceTable.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Joins {
    bool n, e, s, w;
};

Joins PieceJoins(int piece) {
    static const Joins table[12] = {{}, {1, 0, 1, 0}, {0, 1, 0, 1}, {1, 1, 0, 0}, {0, 1, 1, 0}, {0, 0, 1, 1}, {1, 0, 0, 1},
                                    {1, 1, 1, 0}, {0, 1, 1, 1}, {1, 0, 1, 1}, {1, 1, 0, 1}, {1, 1, 1, 1}};
    return table[piece];
}

arttest::Bitmap Piece(int picture) {
    char name[16];
    std::snprintf(name, sizeof name, "P%03d", picture);
    const os::Resource* res = os::ResourceTable::Find(name);
    if (!res) {
        ADD_FAILURE() << "missing " << name;
        return {};
    }
    return arttest::ParseDib(res->data, res->size).value_or(arttest::Bitmap{});
}

int HalfWidth(int row) {
    const int s = row <= 15 ? row : 30 - row;
    return s <= 7 ? 2 * s : 2 * s - 1;
}

// Whether each pixel along one edge of the tile is drawn, from one end of the edge to
// the other. Edges: 1 north (upper right), 2 east (lower right), 3 south (lower left),
// 4 west (upper left). North and south are walked in the same screen direction, as are
// east and west, so a piece's east edge compares directly with its neighbour's west edge.
std::vector<bool> EdgeProfile(const arttest::Bitmap& bmp, int edge) {
    std::vector<bool> out;
    for (int k = 0; k <= 15; ++k) {
        int x = 0, y = 0;
        switch (edge) {
        case 1: y = k; x = 29 + HalfWidth(y); break;
        case 2: y = 15 + k; x = 29 + HalfWidth(y); break;
        case 3: y = 15 + k; x = 29 - HalfWidth(y); break;
        default: y = k; x = 29 - HalfWidth(y); break;
        }
        out.push_back(!arttest::IsKey(bmp.ColourAt(x, y)));
    }
    return out;
}

int Count(const std::vector<bool>& v) {
    int n = 0;
    for (bool b : v) n += b ? 1 : 0;
    return n;
}

double Centre(const std::vector<bool>& v) {
    double sum = 0;
    int n = 0;
    for (std::size_t i = 0; i < v.size(); ++i)
        if (v[i]) sum += double(i), ++n;
    return n ? sum / n : -1;
}

class NetworkPieces : public ::testing::Test {
protected:
    static void SetUpTestSuite() { RegisterPlazaroResources(); }
};

TEST_F(NetworkPieces, RoadAndRailPiecesReachExactlyTheEdgesTheyJoin) {
    for (int base : {124, 135}) {
        for (int piece = 1; piece <= 11; ++piece) {
            const arttest::Bitmap bmp = Piece(base + piece);
            const Joins j = PieceJoins(piece);
            const bool joins[4] = {j.n, j.e, j.s, j.w};
            for (int edge = 1; edge <= 4; ++edge) {
                const int drawn = Count(EdgeProfile(bmp, edge));
                if (joins[edge - 1]) EXPECT_GE(drawn, 4) << "picture " << base + piece << " edge " << edge;
                else EXPECT_EQ(drawn, 0) << "picture " << base + piece << " edge " << edge;
            }
        }
    }
}

TEST_F(NetworkPieces, CrossSectionsLineUpAcrossEveryJoin) {
    for (int base : {124, 135}) {
        for (int a = 1; a <= 11; ++a)
            for (int b = 1; b <= 11; ++b) {
                const arttest::Bitmap pa = Piece(base + a);
                const arttest::Bitmap pb = Piece(base + b);
                if (PieceJoins(a).e && PieceJoins(b).w) {
                    const auto east = EdgeProfile(pa, 2);
                    const auto west = EdgeProfile(pb, 4);
                    EXPECT_LE(std::abs(Count(east) - Count(west)), 1) << base + a << " east of " << base + b;
                    EXPECT_LE(std::abs(Centre(east) - Centre(west)), 1.0) << base + a << " east of " << base + b;
                }
                if (PieceJoins(a).s && PieceJoins(b).n) {
                    const auto south = EdgeProfile(pa, 3);
                    const auto north = EdgeProfile(pb, 1);
                    EXPECT_LE(std::abs(Count(south) - Count(north)), 1) << base + a << " north of " << base + b;
                    EXPECT_LE(std::abs(Centre(south) - Centre(north)), 1.0) << base + a << " north of " << base + b;
                }
            }
    }
}

TEST_F(NetworkPieces, PowerLineWiresEndWhereTheNeighboursWiresStart) {
    // The top wire leaves each joined edge at the middle of that edge, at the same
    // pixel in both cells: (44, 2) north, (44, 17) east, (14, 17) south, (14, 2) west.
    const int ends[4][2] = {{44, 2}, {44, 17}, {14, 17}, {14, 2}};
    for (int piece = 1; piece <= 11; ++piece) {
        const arttest::Bitmap bmp = Piece(148 + piece);
        const Joins j = PieceJoins(piece);
        const bool joins[4] = {j.n, j.e, j.s, j.w};
        for (int d = 0; d < 4; ++d)
            EXPECT_EQ(!arttest::IsKey(bmp.ColourAt(ends[d][0], ends[d][1])), joins[d]) << "picture " << 148 + piece << " direction " << d + 1;
    }
    // The crossings over a road run north-south (160) and east-west (161).
    const arttest::Bitmap ns = Piece(160);
    const arttest::Bitmap ew = Piece(161);
    EXPECT_FALSE(arttest::IsKey(ns.ColourAt(44, 2)));
    EXPECT_FALSE(arttest::IsKey(ns.ColourAt(14, 17)));
    EXPECT_TRUE(arttest::IsKey(ns.ColourAt(44, 17)));
    EXPECT_FALSE(arttest::IsKey(ew.ColourAt(44, 17)));
    EXPECT_FALSE(arttest::IsKey(ew.ColourAt(14, 2)));
    EXPECT_TRUE(arttest::IsKey(ew.ColourAt(44, 2)));
}

TEST_F(NetworkPieces, WaterEdgesCoverOnlyTheirOwnSide) {
    // Picture 161 + d opens the bank toward direction d: drawn at that edge's middle,
    // clear at the opposite edge's middle.
    const int mids[4][2] = {{43, 8}, {43, 22}, {15, 22}, {15, 8}};
    for (int d = 1; d <= 4; ++d) {
        const arttest::Bitmap bmp = Piece(161 + d);
        const int opposite = (d + 1) % 4; // index of the opposite direction
        EXPECT_FALSE(arttest::IsKey(bmp.ColourAt(mids[d - 1][0], mids[d - 1][1]))) << d;
        EXPECT_TRUE(arttest::IsKey(bmp.ColourAt(mids[opposite][0], mids[opposite][1]))) << d;
    }
}

} // namespace
