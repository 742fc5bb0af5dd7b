// Device contexts: pixels in both surface depths, brushes and Rectangle, StretchBlt,
// object lifetimes.
#include "platform/gdi/Gdi.h"

#include <gtest/gtest.h>

using namespace gdi;

namespace {
struct Pixels16 {
    std::vector<std::uint16_t> data;
    PixelTarget target;
    Pixels16(int w, int h) : data(std::size_t(w * h)) {
        target = PixelTarget{reinterpret_cast<std::uint8_t*>(data.data()), w, h, w * 2, 16};
    }
};
} // namespace

TEST(Colours, FiveSixFiveAndThirtyTwoBitConversions) {
    EXPECT_EQ(ColorToPixel(0x800080, 16), 0x8010u); // purple: r 16, g 0, b 16
    EXPECT_EQ(ColorToPixel(0x800080, 32), 0x800080u);
    EXPECT_EQ(ColorToPixel(RGB(0x12, 0x34, 0x56), 32), 0x123456u);
    EXPECT_EQ(PixelToColor(0xFFFF, 16), 0xFFFFFFu);
    EXPECT_EQ(PixelToColor(ColorToPixel(0x808080, 16), 16), 0x848284u);
    EXPECT_EQ(PixelToColor(0x123456, 32), RGB(0x12, 0x34, 0x56));
}

TEST(Dc, SetAndGetPixelOnSixteenBitMemory) {
    Pixels16 p(4, 3);
    HDC dc = CreateDCOnPixels(p.target);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(SetPixel(dc, 1, 2, 0x0000FF), 0x0000FFu);
    EXPECT_EQ(p.data[2 * 4 + 1], 0xF800u);
    EXPECT_EQ(GetPixel(dc, 1, 2), 0x0000FFu);
    EXPECT_EQ(GetPixel(dc, 4, 0), CLR_INVALID);
    EXPECT_EQ(SetPixel(dc, -1, 0, 0), CLR_INVALID);
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_FALSE(DeleteDC(dc));
    EXPECT_EQ(GetPixel(dc, 0, 0), CLR_INVALID); // a deleted DC is refused, not read
}

TEST(Dc, RectangleFillsWithTheBrushInsideTheBlackPen) {
    Pixels16 p(6, 5);
    HDC dc = CreateDCOnPixels(p.target);
    HBRUSH brush = CreateSolidBrush(0x00FF00);
    HGDIOBJ old = SelectObject(dc, brush);
    ASSERT_NE(old, nullptr);
    EXPECT_TRUE(Rectangle(dc, 1, 1, 5, 4));
    EXPECT_EQ(GetPixel(dc, 0, 0), 0u);          // outside: untouched
    EXPECT_EQ(GetPixel(dc, 1, 1), 0u);          // frame: black pen
    EXPECT_EQ(GetPixel(dc, 2, 2), 0x00FF00u);   // inside: the brush
    EXPECT_EQ(GetPixel(dc, 4, 3), 0u);          // frame's last pixel
    EXPECT_EQ(GetPixel(dc, 5, 4), 0u);
    SelectObject(dc, GetStockObject(NULL_PEN));
    EXPECT_TRUE(Rectangle(dc, -10, -10, 100, 100)); // clipped to the target
    EXPECT_EQ(GetPixel(dc, 0, 0), 0x00FF00u);
    EXPECT_EQ(GetPixel(dc, 5, 4), 0x00FF00u);
    SelectObject(dc, old);
    EXPECT_TRUE(DeleteObject(brush));
    EXPECT_FALSE(DeleteObject(GetStockObject(WHITE_BRUSH)));
    DeleteDC(dc);
}

TEST(Dc, StretchBltScalesMirrorsAndClips) {
    HBITMAP src = CreateBitmap32(2, 2);
    src->pixels = {0x110000, 0x220000, 0x330000, 0x440000};
    HDC mem = CreateCompatibleDC(nullptr);
    SelectObject(mem, src);
    Pixels16 p(4, 4);
    HDC dc = CreateDCOnPixels(p.target);
    ASSERT_TRUE(StretchBlt(dc, 0, 0, 4, 4, mem, 0, 0, 2, 2, SRCCOPY));
    // Each source pixel becomes a 2 x 2 block.
    EXPECT_EQ(GetPixel(dc, 0, 0), PixelToColor(ColorToPixel(RGB(0x11, 0, 0), 16), 16));
    EXPECT_EQ(GetPixel(dc, 1, 1), GetPixel(dc, 0, 0));
    EXPECT_EQ(GetPixel(dc, 2, 0), PixelToColor(ColorToPixel(RGB(0x22, 0, 0), 16), 16));
    EXPECT_EQ(GetPixel(dc, 3, 3), PixelToColor(ColorToPixel(RGB(0x44, 0, 0), 16), 16));
    // Mirrored horizontally, and mostly outside the target.
    ASSERT_TRUE(StretchBlt(dc, 3, 0, -4, 2, mem, 0, 0, 2, 1, SRCCOPY));
    EXPECT_EQ(GetPixel(dc, 0, 0), PixelToColor(ColorToPixel(RGB(0x22, 0, 0), 16), 16));
    ASSERT_TRUE(StretchBlt(dc, -100, -100, 1000, 1000, mem, 0, 0, 2, 2, SRCCOPY));
    // A bitmap selected into a DC cannot be deleted.
    EXPECT_FALSE(DeleteObject(src));
    DeleteDC(mem);
    EXPECT_TRUE(DeleteObject(src));
    DeleteDC(dc);
}

TEST(Dc, CompatibleDcCanBeMadeToFail) {
    FailNextCreateCompatibleDC();
    EXPECT_EQ(CreateCompatibleDC(nullptr), nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_NE(dc, nullptr);
    int before = LiveDCCount();
    DeleteDC(dc);
    EXPECT_EQ(LiveDCCount(), before - 1);
}

TEST(Dc, GetObjectOnlyDescribesBitmaps) {
    HBITMAP b = CreateBitmap32(7, 3);
    BITMAP bm;
    EXPECT_EQ(GetObject(b, sizeof bm, &bm), int(sizeof bm));
    EXPECT_EQ(bm.bmWidth, 7);
    EXPECT_EQ(bm.bmHeight, 3);
    EXPECT_EQ(bm.bmBitsPixel, 32);
    HBRUSH brush = CreateSolidBrush(0);
    EXPECT_EQ(GetObject(brush, sizeof bm, &bm), 0);
    EXPECT_EQ(GetObject(b, 4, &bm), 0);
    DeleteObject(brush);
    DeleteObject(b);
}
