// Rule: purple (128, 0, 128) is the transparent colour of every picture and appears
// nowhere else: no pixel carries a colour near purple, ground tiles are solid over
// their whole diamond and clear outside it, every footprint picture is clear at the
// bottom corners outside its diamond, and the screen frame has no purple at all.
#include "BmpTestReader.h"
#include "PlazaroResources.h"
#include "platform/os/ResourceTable.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string PictureName(int code) {
    char name[16];
    std::snprintf(name, sizeof name, "P%03d", code);
    return name;
}

arttest::Bitmap Load(const std::string& name) {
    const os::Resource* res = os::ResourceTable::Find(name);
    if (!res) {
        ADD_FAILURE() << "missing " << name;
        return {};
    }
    auto bmp = arttest::ParseDib(res->data, res->size);
    if (!bmp) {
        ADD_FAILURE() << "unreadable " << name;
        return {};
    }
    return *bmp;
}

arttest::Bitmap LoadFile(const std::string& file) {
    auto bmp = arttest::ParseFile(arttest::ReadFileBytes(std::string(PLAZARO_PROGRAM_DIR) + "/Graphics/" + file));
    if (!bmp) {
        ADD_FAILURE() << "unreadable " << file;
        return {};
    }
    return *bmp;
}

// Near purple: within 60 of it, summed over the three channels, without being it.
bool NearKey(arttest::Colour c) {
    if (arttest::IsKey(c)) return false;
    return std::abs(c.r - 128) + c.g + std::abs(c.b - 128) < 60;
}

int CountNearKey(const arttest::Bitmap& bmp) {
    int count = 0;
    for (int y = 0; y < bmp.height; ++y)
        for (int x = 0; x < bmp.width; ++x) count += NearKey(bmp.ColourAt(x, y)) ? 1 : 0;
    return count;
}

// The diamond of one tile as the renderer lays tiles: rows widen by two pixels a row,
// once by one at the middle, 59 wide at row 15.
bool InTile(int x, int y) {
    if (y < 0 || y > 30) return false;
    const int s = y <= 15 ? y : 30 - y;
    const int w = s <= 7 ? 2 * s : 2 * s - 1;
    return std::abs(x - 29) <= w;
}

std::vector<std::string> AllResourceNames() {
    std::vector<std::string> names;
    for (int code = 1; code <= 201; ++code) names.push_back(PictureName(code));
    for (const char* n : {"BULLDOZE", "LANDSCAPE", "REWARD", "ROAD", "RAIL", "PORTS", "POWER", "PIPES", "SEWAGE", "RESIDENTIAL",
                          "COMMERCIAL", "INDUSTRIAL", "RELIGION", "RECREATION", "SERVICES", "EDUCATION", "QUERY", "EMERGENCY", "CENTRE"})
        names.push_back(n);
    return names;
}

class Transparency : public ::testing::Test {
protected:
    static void SetUpTestSuite() { RegisterPlazaroResources(); }
};

TEST_F(Transparency, NoResourceShowsAColourNearPurple) {
    for (const auto& name : AllResourceNames()) {
        const arttest::Bitmap bmp = Load(name);
        EXPECT_TRUE(arttest::IsKey(bmp.palette[0])) << name << ": palette entry 0 must be the key colour";
        EXPECT_EQ(CountNearKey(bmp), 0) << name;
    }
}

TEST_F(Transparency, NoGraphicsFileShowsAColourNearPurple) {
    for (const char* file : {"Blank.bmp", "Curpos1.bmp", "Curpos2.bmp", "Curpos3.bmp", "Curpos4.bmp", "Back.bmp", "title.bmp"})
        EXPECT_EQ(CountNearKey(LoadFile(file)), 0) << file;
}

TEST_F(Transparency, TheFrameAndTitleHaveNoTransparentPixels) {
    // The frame is drawn with the colour key on, so any purple would be a hole in it.
    for (const char* file : {"Back.bmp", "title.bmp"}) {
        const arttest::Bitmap bmp = LoadFile(file);
        int keyed = 0;
        for (int y = 0; y < bmp.height; ++y)
            for (int x = 0; x < bmp.width; ++x) keyed += arttest::IsKey(bmp.ColourAt(x, y)) ? 1 : 0;
        EXPECT_EQ(keyed, 0) << file;
    }
}

TEST_F(Transparency, GroundTilesAreSolidDiamondsAndClearOutside) {
    for (int code : {9, 10, 12, 23, 30, 48, 49, 65, 66, 82, 83, 29}) {
        const arttest::Bitmap bmp = Load(PictureName(code));
        ASSERT_EQ(bmp.height, 31) << code;
        int holes = 0, spill = 0;
        for (int y = 0; y < 31; ++y)
            for (int x = 0; x < 59; ++x) {
                const bool key = arttest::IsKey(bmp.ColourAt(x, y));
                if (InTile(x, y) && key) ++holes;
                if (!InTile(x, y) && !key) ++spill;
            }
        EXPECT_EQ(holes, 0) << code;
        EXPECT_EQ(spill, 0) << code;
    }
}

TEST_F(Transparency, BlankTileIsASolidDiamond) {
    const arttest::Bitmap bmp = LoadFile("Blank.bmp");
    for (int y = 0; y < 31; ++y)
        for (int x = 0; x < 59; ++x) EXPECT_EQ(arttest::IsKey(bmp.ColourAt(x, y)), !InTile(x, y)) << x << "," << y;
}

TEST_F(Transparency, FootprintPicturesAreClearOutsideTheirDiamond) {
    for (int code = 1; code <= 201; ++code) {
        if (code == 3 || code == 11 || code == 17 || code == 18 || code == 20 || code == 36) continue;
        const arttest::Bitmap bmp = Load(PictureName(code));
        if (bmp.width == 0) continue;
        EXPECT_TRUE(arttest::IsKey(bmp.ColourAt(0, bmp.height - 1))) << code;
        EXPECT_TRUE(arttest::IsKey(bmp.ColourAt(bmp.width - 1, bmp.height - 1))) << code;
        EXPECT_TRUE(arttest::IsKey(bmp.ColourAt(0, 0))) << code;
    }
}

TEST_F(Transparency, EveryPictureDrawsSomething) {
    for (int code = 1; code <= 201; ++code) {
        const arttest::Bitmap bmp = Load(PictureName(code));
        int solid = 0;
        for (int y = 0; y < bmp.height; ++y)
            for (int x = 0; x < bmp.width; ++x) solid += arttest::IsKey(bmp.ColourAt(x, y)) ? 0 : 1;
        EXPECT_GT(solid, 20) << code;
    }
}

} // namespace
