// Rule: the Graphics folder beside the program holds Blank.bmp, Curpos1.bmp to
// Curpos4.bmp, Back.bmp and title.bmp, each a valid 8-bit bitmap file of its size, and
// the frame leaves the status lines their exact grey background.
#include "BmpTestReader.h"

#include <gtest/gtest.h>

#include <string>

namespace {

arttest::Bitmap LoadFile(const std::string& file) {
    const auto bytes = arttest::ReadFileBytes(std::string(PLAZARO_PROGRAM_DIR) + "/Graphics/" + file);
    EXPECT_FALSE(bytes.empty()) << file << " is missing";
    auto bmp = arttest::ParseFile(bytes);
    if (!bmp) {
        ADD_FAILURE() << file << " is not a valid 8-bit bitmap file";
        return {};
    }
    return *bmp;
}

TEST(GraphicsFiles, EveryFileIsPresentWithItsSize) {
    const struct {
        const char* name;
        int width, height;
    } files[] = {{"Blank.bmp", 59, 31},    {"Curpos1.bmp", 59, 31},   {"Curpos2.bmp", 119, 61}, {"Curpos3.bmp", 179, 91},
                 {"Curpos4.bmp", 239, 121}, {"Back.bmp", 640, 480},   {"title.bmp", 400, 400}};
    for (const auto& f : files) {
        const arttest::Bitmap bmp = LoadFile(f.name);
        EXPECT_EQ(bmp.width, f.width) << f.name;
        EXPECT_EQ(bmp.height, f.height) << f.name;
    }
}

TEST(GraphicsFiles, CursorDiamondsAreOutlinesOfTheirFootprint) {
    for (int n = 1; n <= 4; ++n) {
        const arttest::Bitmap bmp = LoadFile("Curpos" + std::to_string(n) + ".bmp");
        const int cx = 30 * n - 1;
        // The top corner of the diamond is drawn, its centre is see-through, and so are
        // the picture's own corners.
        EXPECT_FALSE(arttest::IsKey(bmp.ColourAt(cx, 0))) << n;
        EXPECT_FALSE(arttest::IsKey(bmp.ColourAt(0, 15 * n))) << n;
        EXPECT_TRUE(arttest::IsKey(bmp.ColourAt(cx, 15 * n))) << n;
        EXPECT_TRUE(arttest::IsKey(bmp.ColourAt(0, 0))) << n;
        EXPECT_TRUE(arttest::IsKey(bmp.ColourAt(bmp.width - 1, bmp.height - 1))) << n;
    }
}

TEST(GraphicsFiles, StatusLinesSitOnTheirGrey) {
    // Status text is written at x = 273 on lines from y = 365 down, on grey (128, 128, 128);
    // the frame must show that same grey round the text.
    const arttest::Bitmap back = LoadFile("Back.bmp");
    for (int y = 365; y < 478; y += 7)
        for (int x = 273; x < 636; x += 11) {
            const arttest::Colour c = back.ColourAt(x, y);
            EXPECT_TRUE(c.r == 128 && c.g == 128 && c.b == 128) << x << "," << y;
        }
}

} // namespace
