// Rule: every picture resource P001 to P201 is an 8-bit bitmap whose width is the one
// the game gives each footprint (60 n - 1 for n x n cells), whose height is at least its
// diamond's (30 n + 1), with the odd sizes of the site, tree, network strips and
// motorway exactly as listed, and every animation frame exactly the size of the
// picture it animates. Cursors and glyphs have their fixed sizes.
#include "BmpTestReader.h"
#include "PlazaroResources.h"
#include "platform/os/ResourceTable.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <initializer_list>
#include <string>
#include <utility>

namespace {

// The footprint each picture is drawn for, written out here independently of the
// generator: 1 to 4, or 0 for the pictures with their own sizes.
int ExpectedFootprint(int code) {
    auto in = [code](std::initializer_list<std::pair<int, int>> ranges) {
        for (auto [a, b] : ranges)
            if (code >= a && code <= b) return true;
        return false;
    };
    if (in({{1, 1}, {6, 6}, {9, 10}, {12, 12}, {15, 15}, {22, 25}, {27, 27}, {29, 30}, {33, 35}, {41, 41}, {45, 45},
            {48, 54}, {65, 71}, {82, 88}, {108, 108}, {112, 167}, {177, 182}, {189, 201}}))
        return 1;
    if (in({{2, 2}, {4, 4}, {7, 8}, {14, 14}, {16, 16}, {19, 19}, {21, 21}, {26, 26}, {28, 28}, {31, 32}, {43, 43},
            {46, 46}, {55, 59}, {72, 76}, {89, 93}, {99, 99}, {106, 106}, {109, 109}, {168, 170}, {186, 188}}))
        return 2;
    if (in({{5, 5}, {13, 13}, {42, 42}, {47, 47}, {60, 64}, {77, 81}, {94, 98}, {100, 104}, {107, 107}, {110, 110},
            {183, 185}}))
        return 3;
    if (in({{37, 40}, {44, 44}, {105, 105}, {111, 111}, {171, 176}})) return 4;
    return 0;
}

arttest::Bitmap Resource(const std::string& name) {
    const os::Resource* res = os::ResourceTable::Find(name);
    if (!res) {
        ADD_FAILURE() << "missing resource " << name;
        return {};
    }
    auto bmp = arttest::ParseDib(res->data, res->size);
    if (!bmp) {
        ADD_FAILURE() << name << " is not an uncompressed 8-bit bitmap";
        return {};
    }
    return *bmp;
}

std::string PictureName(int code) {
    char name[16];
    std::snprintf(name, sizeof name, "P%03d", code);
    return name;
}

class PictureSizes : public ::testing::Test {
protected:
    static void SetUpTestSuite() { RegisterPlazaroResources(); }
};

TEST_F(PictureSizes, EveryPictureHasItsFootprintWidthAndAtLeastItsDiamondHeight) {
    for (int code = 1; code <= 201; ++code) {
        const int n = ExpectedFootprint(code);
        if (n == 0) continue;
        const arttest::Bitmap bmp = Resource(PictureName(code));
        EXPECT_EQ(bmp.width, 60 * n - 1) << PictureName(code);
        EXPECT_GE(bmp.height, 30 * n + 1) << PictureName(code);
    }
}

TEST_F(PictureSizes, PicturesWithTheirOwnSizes) {
    const struct {
        int code, width, height;
    } fixed[] = {{3, 170, 140}, {11, 7, 9}, {17, 236, 93}, {20, 236, 93}, {36, 236, 93}, {18, 238, 122}};
    for (const auto& f : fixed) {
        const arttest::Bitmap bmp = Resource(PictureName(f.code));
        EXPECT_EQ(bmp.width, f.width) << f.code;
        EXPECT_EQ(bmp.height, f.height) << f.code;
    }
}

TEST_F(PictureSizes, FlatPiecesAreExactlyOneTile) {
    // Network pieces, water edges, runway and quay pieces, markers and movers are drawn at
    // a tile's own position, so they must not grow upward.
    for (int code : {9, 10, 12, 29, 34, 114, 115, 116, 117, 118, 119, 120, 198, 199, 200, 201})
        EXPECT_EQ(Resource(PictureName(code)).height, 31) << code;
    for (int code = 125; code <= 167; ++code) {
        if (code == 147 || code == 148) continue;
        EXPECT_EQ(Resource(PictureName(code)).height, 31) << code;
    }
}

TEST_F(PictureSizes, AnimationFramesMatchThePictureTheyAnimate) {
    const struct {
        int first, base;
    } runs[] = {{168, 14}, {171, 37}, {174, 38}, {177, 41}, {180, 45}, {183, 77}, {186, 89}};
    for (const auto& run : runs) {
        const arttest::Bitmap base = Resource(PictureName(run.base));
        for (int k = 0; k < 3; ++k) {
            const arttest::Bitmap frame = Resource(PictureName(run.first + k));
            EXPECT_EQ(frame.width, base.width) << run.first + k;
            EXPECT_EQ(frame.height, base.height) << run.first + k;
        }
    }
}

TEST_F(PictureSizes, ZoneBuildingsGrowTallerWithTheirLevel) {
    for (int first : {50, 67, 84}) {
        EXPECT_LT(Resource(PictureName(first)).height, Resource(PictureName(first + 5)).height) << first;
        EXPECT_LT(Resource(PictureName(first + 5)).height, Resource(PictureName(first + 10)).height) << first;
    }
}

TEST_F(PictureSizes, CursorsAndGlyphsOfAllNineteenGroups) {
    const char* groups[][2] = {
        {"BULLDOZE", "Bulldoze_SB"},       {"LANDSCAPE", "Landscape_SB"},   {"REWARD", "Gifts_SB"},
        {"ROAD", "Road_SB"},               {"RAIL", "Rail_SB"},             {"PORTS", "Ports_SB"},
        {"POWER", "Power_SB"},             {"PIPES", "Pipes_SB"},           {"SEWAGE", "Sewage_SB"},
        {"RESIDENTIAL", "Residential_SB"}, {"COMMERCIAL", "Commercial_SB"}, {"INDUSTRIAL", "Industrial_SB"},
        {"RELIGION", "Religion_SB"},       {"RECREATION", "Recreation_SB"}, {"SERVICES", "Services_SB"},
        {"EDUCATION", "Education_SB"},     {"QUERY", "Query_SB"},           {"EMERGENCY", "Emergancy_SB"},
        {"CENTRE", "Centre_SB"},
    };
    for (const auto& g : groups) {
        const arttest::Bitmap cursor = Resource(g[0]);
        EXPECT_EQ(cursor.width, 32) << g[0];
        EXPECT_EQ(cursor.height, 32) << g[0];
        // The hotspot pixel is part of the arrow, so the cursor points where it says.
        EXPECT_FALSE(arttest::IsKey(cursor.ColourAt(plazaro_resources::kCursorHotspotX, plazaro_resources::kCursorHotspotY))) << g[0];
        const arttest::Bitmap glyph = Resource(std::string("GLYPH_") + g[1]);
        EXPECT_EQ(glyph.width, plazaro_resources::kGlyphSize) << g[1];
        EXPECT_EQ(glyph.height, plazaro_resources::kGlyphSize) << g[1];
    }
    EXPECT_EQ(plazaro_resources::kResourceCount, 201 + 19 + 19);
}

} // namespace
