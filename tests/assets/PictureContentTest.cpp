// Rule: pictures show what they are meant to show in full: nothing taller than its
// diamond is cut off at the top edge, the five variants of every zone level are five
// different buildings, and each animation run is three frames that differ from the
// picture they animate and from each other in a small moving part only.
#include "BmpTestReader.h"
#include "PlazaroResources.h"
#include "platform/os/ResourceTable.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

arttest::Bitmap Picture(int code) {
    char name[16];
    std::snprintf(name, sizeof name, "P%03d", code);
    const os::Resource* res = os::ResourceTable::Find(name);
    if (!res) {
        ADD_FAILURE() << "missing " << name;
        return {};
    }
    return arttest::ParseDib(res->data, res->size).value_or(arttest::Bitmap{});
}

// Pixels that differ between two pictures of the same size, and pixels solid in either.
struct Difference {
    int differing = 0;
    int solid = 0;
};

Difference Compare(const arttest::Bitmap& a, const arttest::Bitmap& b) {
    Difference d;
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x) {
            const bool sa = !arttest::IsKey(a.ColourAt(x, y));
            const bool sb = !arttest::IsKey(b.ColourAt(x, y));
            if (sa || sb) ++d.solid;
            if (a.At(x, y) != b.At(x, y)) ++d.differing;
        }
    return d;
}

class PictureContent : public ::testing::Test {
protected:
    static void SetUpTestSuite() { RegisterPlazaroResources(); }
};

TEST_F(PictureContent, TallPicturesAreNotCutOffAtTheTop) {
    for (int code = 1; code <= 201; ++code) {
        const arttest::Bitmap bmp = Picture(code);
        const int n = (bmp.width + 1) / 60;
        if (bmp.width % 60 != 59 || bmp.height <= 30 * n + 1) continue; // flat or own-sized pictures
        int solidTop = 0;
        for (int x = 0; x < bmp.width; ++x) solidTop += arttest::IsKey(bmp.ColourAt(x, 0)) ? 0 : 1;
        EXPECT_EQ(solidTop, 0) << "picture " << code << " touches its top edge";
    }
}

TEST_F(PictureContent, FiveVariantsOfEachZoneLevelDiffer) {
    for (int first : {50, 55, 60, 67, 72, 77, 84, 89, 94}) {
        for (int a = 0; a < 5; ++a)
            for (int b = a + 1; b < 5; ++b) {
                const arttest::Bitmap pa = Picture(first + a);
                const arttest::Bitmap pb = Picture(first + b);
                ASSERT_EQ(pa.width, pb.width);
                if (pa.height != pb.height) continue; // different heights already differ
                const Difference d = Compare(pa, pb);
                EXPECT_GT(d.differing, d.solid / 10) << first + a << " and " << first + b << " look alike";
            }
    }
}

TEST_F(PictureContent, AnimationRunsMoveASmallPart) {
    const struct {
        int base, first;
    } runs[] = {{14, 168}, {37, 171}, {38, 174}, {41, 177}, {45, 180}, {77, 183}, {89, 186}};
    for (const auto& run : runs) {
        const arttest::Bitmap frames[4] = {Picture(run.base), Picture(run.first), Picture(run.first + 1), Picture(run.first + 2)};
        for (int a = 0; a < 4; ++a)
            for (int b = a + 1; b < 4; ++b) {
                const Difference d = Compare(frames[a], frames[b]);
                EXPECT_GT(d.differing, 0) << "run of " << run.base << ": frames " << a + 1 << " and " << b + 1 << " are the same";
                EXPECT_LT(d.differing, d.solid / 4) << "run of " << run.base << ": frames " << a + 1 << " and " << b + 1
                                                    << " differ in more than the moving part";
            }
    }
}

} // namespace
