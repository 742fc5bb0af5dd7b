// Drawing on a frame stays inside the clip rectangle: fills, bevels with their lit and
// dark edges, colour-keyed and stretched pictures, raw copies, and menu captions' '&'.
#include "platform/paint/FrameBuffer.h"

#include <gtest/gtest.h>

using namespace paint;

namespace {

int CountOf(const FrameBuffer& f, Rgb colour) {
    int n = 0;
    for (Rgb p : f.Pixels())
        n += p == colour;
    return n;
}

} // namespace

TEST(FrameBuffer, FillsAndLinesAreCutToTheClip) {
    FrameBuffer f(20, 10, 0x111111);
    f.SetClip(Rect{5, 2, 10, 5});
    f.Fill(Rect{0, 0, 20, 10}, 0xFF0000);
    EXPECT_EQ(CountOf(f, 0xFF0000), 50);
    EXPECT_EQ(f.At(4, 2), 0x111111u);
    EXPECT_EQ(f.At(5, 2), 0xFF0000u);
    EXPECT_EQ(f.At(14, 6), 0xFF0000u);
    EXPECT_EQ(f.At(15, 6), 0x111111u);
    f.ResetClip();
    f.HLine(-5, 9, 100, 0x00FF00);
    EXPECT_EQ(CountOf(f, 0x00FF00), 20);
    // A clip set outside the frame is cut to the frame.
    f.SetClip(Rect{-10, -10, 15, 15});
    EXPECT_EQ(f.Clip(), (Rect{0, 0, 5, 5}));
    // Reading outside gives black rather than failing.
    EXPECT_EQ(f.At(-1, 0), 0u);
    EXPECT_EQ(f.At(20, 0), 0u);
}

TEST(FrameBuffer, BevelsLightTheTopLeftAndShadeTheBottomRight) {
    FrameBuffer f(10, 10, theme::kFace);
    f.DrawBevel(Rect{0, 0, 10, 10}, Bevel::Raised);
    EXPECT_EQ(f.At(0, 0), theme::kHighlight);
    EXPECT_EQ(f.At(5, 0), theme::kHighlight);
    EXPECT_EQ(f.At(9, 9), theme::kDarkShadow);
    EXPECT_EQ(f.At(9, 0), theme::kDarkShadow); // the corner belongs to the dark edge
    EXPECT_EQ(f.At(8, 8), theme::kShadow);
    EXPECT_EQ(f.At(1, 1), theme::kLight);
    EXPECT_EQ(f.At(5, 5), theme::kFace);

    f.Fill(Rect{0, 0, 10, 10}, theme::kFace);
    f.DrawBevel(Rect{0, 0, 10, 10}, Bevel::Sunken);
    EXPECT_EQ(f.At(0, 0), theme::kShadow);
    EXPECT_EQ(f.At(9, 9), theme::kHighlight);
    EXPECT_EQ(f.At(1, 1), theme::kDarkShadow);

    f.Fill(Rect{0, 0, 10, 10}, theme::kFace);
    f.DrawBevel(Rect{0, 0, 10, 10}, Bevel::Pressed);
    EXPECT_EQ(f.At(0, 0), theme::kDarkShadow);
    EXPECT_EQ(f.At(1, 1), theme::kShadow);
    EXPECT_EQ(f.At(9, 9), theme::kDarkShadow);
}

TEST(FrameBuffer, PicturesLeaveOutPurpleOnlyWhenKeyed) {
    Image img;
    img.width = 2;
    img.height = 2;
    img.pixels = {0xFF0000, kColourKey, 0x00FF00, 0x0000FF};
    FrameBuffer f(4, 4, 0x222222);
    f.Blit(img, 1, 1, true);
    EXPECT_EQ(f.At(1, 1), 0xFF0000u);
    EXPECT_EQ(f.At(2, 1), 0x222222u);
    EXPECT_EQ(f.At(1, 2), 0x00FF00u);
    EXPECT_EQ(f.At(2, 2), 0x0000FFu);
    f.Blit(img, 1, 1, false);
    EXPECT_EQ(f.At(2, 1), kColourKey);
    // Partly outside: only the part on the frame is drawn.
    f.Blit(img, 3, 3, false);
    EXPECT_EQ(f.At(3, 3), 0xFF0000u);
}

TEST(FrameBuffer, StretchingPicksTheNearestPixel) {
    Image img;
    img.width = 2;
    img.height = 1;
    img.pixels = {0xAA0000, 0x00BB00};
    FrameBuffer f(8, 2, 0);
    f.StretchBlit(img, Rect{0, 0, 8, 2});
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(f.At(x, 1), 0xAA0000u) << x;
    for (int x = 4; x < 8; ++x)
        EXPECT_EQ(f.At(x, 0), 0x00BB00u) << x;
}

TEST(FrameBuffer, RawCopiesLandAtTheirOffset) {
    std::vector<Rgb> src(3 * 2);
    for (std::size_t i = 0; i < src.size(); ++i)
        src[i] = Rgb(i + 1);
    FrameBuffer f(4, 4, 0);
    f.SetClip(Rect{0, 0, 4, 3});
    f.CopyPixels(src, 3, 2, 2, 2);
    EXPECT_EQ(f.At(2, 2), 1u);
    EXPECT_EQ(f.At(3, 2), 2u);
    EXPECT_EQ(f.At(2, 3), 0u); // below the clip
    // Too few pixels for the size claimed: nothing is read.
    f.ResetClip();
    f.CopyPixels(std::vector<Rgb>(2, 9), 3, 2, 0, 0);
    EXPECT_EQ(f.At(0, 0), 0u);
}

TEST(FrameBuffer, TextStaysInsideTheClip) {
    FrameBuffer f(60, 20, 0xFFFFFF);
    f.SetClip(Rect{0, 0, 10, 20});
    f.Text(2, 2, "WWWWWWWW", 0x000000);
    int inside = 0, outside = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 60; ++x)
            (x < 10 ? inside : outside) += f.At(x, y) != 0xFFFFFFu;
    EXPECT_GT(inside, 0);
    EXPECT_EQ(outside, 0);
    EXPECT_GT(FrameBuffer::TextWidth("WWWW"), FrameBuffer::TextWidth("WW"));
    EXPECT_GT(FrameBuffer::TextHeight(), 8);
}

TEST(FrameBuffer, AcceleratorsAreHiddenAndFound) {
    EXPECT_EQ(StripAccelerator("&File"), "File");
    EXPECT_EQ(StripAccelerator("E&xit"), "Exit");
    EXPECT_EQ(StripAccelerator("Salt && Pepper"), "Salt & Pepper");
    EXPECT_EQ(AcceleratorOf("E&xit"), 'X');
    EXPECT_EQ(AcceleratorOf("Salt && &Pepper"), 'P');
    EXPECT_EQ(AcceleratorOf("Help"), 0);
}
