// TextOut in the embedded font: opaque cells, colours, UTF-8 with a Latin-1 fallback.
#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiInternal.h"

#include <gtest/gtest.h>

#include <set>

using namespace gdi;

namespace {
struct Canvas {
    std::vector<std::uint32_t> data;
    PixelTarget target;
    HDC dc;
    Canvas(int w, int h) : data(std::size_t(w * h), 0x00FF00FF) {
        target = PixelTarget{reinterpret_cast<std::uint8_t*>(data.data()), w, h, w * 4, 32};
        dc = CreateDCOnPixels(target);
    }
    ~Canvas() { DeleteDC(dc); }
    std::set<COLORREF> Colours(int x0, int y0, int x1, int y1) const {
        std::set<COLORREF> s;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                s.insert(GetPixel(dc, x, y));
        return s;
    }
};
} // namespace

TEST(Text, DecodesUtf8AndFallsBackToLatin1) {
    EXPECT_EQ(DecodeText("A\xC2\xA3"), (std::vector<char32_t>{U'A', U'\u00A3'}));
    EXPECT_EQ(DecodeText("\xA3" "5"), (std::vector<char32_t>{U'\u00A3', U'5'}));
    EXPECT_EQ(DecodeText("\xE2\x82\xAC"), (std::vector<char32_t>{U'\u20AC'}));
    EXPECT_EQ(DecodeText("\xC0\x80"), (std::vector<char32_t>{0xC0, 0x80})); // overlong: not UTF-8
    EXPECT_EQ(DecodeText("\xED\xA0\x80"), (std::vector<char32_t>{0xED, 0xA0, 0x80})); // surrogate
    EXPECT_EQ(DecodeText("\xE2\x82"), (std::vector<char32_t>{0xE2, 0x82}));          // cut short
}

TEST(Text, OpaqueTextFillsItsCellWithTheBackgroundColour) {
    Canvas c(120, 30);
    SetBkColor(c.dc, 0x808080);
    SetTextColor(c.dc, 0xC82832);
    SIZE size;
    ASSERT_TRUE(GetTextExtentPoint32(c.dc, "Velmora", 7, &size));
    EXPECT_GT(size.cx, 30);
    EXPECT_GE(size.cy, 11); // the small UI font
    EXPECT_LE(size.cy, 15);
    ASSERT_TRUE(TextOut(c.dc, 5, 4, "Velmora", 7));
    auto inside = c.Colours(5, 4, 5 + size.cx, 4 + size.cy);
    EXPECT_TRUE(inside.count(0x808080));
    EXPECT_TRUE(inside.count(0xC82832)); // solid glyph pixels in the text colour
    EXPECT_FALSE(inside.count(0xFF00FF)); // nothing of what was there shows through
    // Outside the cell nothing changed.
    EXPECT_EQ(c.Colours(0, 0, 120, 4), (std::set<COLORREF>{0xFF00FF}));
    EXPECT_EQ(c.Colours(5 + size.cx, 0, 120, 30), (std::set<COLORREF>{0xFF00FF}));
}

TEST(Text, PoundSignShowsTheSameInUtf8AndLatin1) {
    Canvas a(60, 20), b(60, 20);
    TextOut(a.dc, 0, 0, "\xC2\xA3" "20", 4);
    TextOut(b.dc, 0, 0, "\xA3" "20", 3);
    EXPECT_EQ(a.data, b.data);
    Canvas none(60, 20);
    TextOut(none.dc, 0, 0, "?20", 3);
    EXPECT_NE(a.data, none.data);
}

TEST(Text, TransparentModeLeavesTheBackgroundAndEmptyTextDrawsNothing) {
    Canvas c(60, 20);
    auto before = c.data;
    ASSERT_TRUE(TextOut(c.dc, 0, 0, "", 0));
    EXPECT_EQ(c.data, before);
    SetBkMode(c.dc, TRANSPARENT);
    SetTextColor(c.dc, 0x000000);
    TextOut(c.dc, 0, 0, "HW", 2);
    auto colours = c.Colours(0, 0, 60, 20);
    EXPECT_TRUE(colours.count(0xFF00FF));
    EXPECT_GT(colours.size(), 1u); // glyph pixels blended over what was there
    EXPECT_FALSE(colours.count(0xFFFFFF)); // no background colour was painted
}

TEST(Text, TextRunningOffTheTargetIsClipped) {
    Canvas c(10, 5);
    EXPECT_TRUE(TextOut(c.dc, -3, -6, "Wide text past every edge", 25));
    EXPECT_TRUE(TextOut(c.dc, 8, 3, "Wide text", 9));
}

// The fast TextOut gives every pixel the reference gives: both depths, opaque and
// transparent cells, text cut by every edge, and glyphs outside Latin-1.
TEST(Text, FastTextOutMatchesTheReferencePixelForPixel) {
    const char* texts[] = {"Funds: \xA3" "20,345  Population 12,003      ", "gjpqy|WM@ {}[]",
                           "\xE2\x82\xAC \xD0\x96\xD0\xB8 \xC3\xA9t\xC3\xA9", "", " "};
    std::uint32_t seed = 12345;
    auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
    for (int bpp : {16, 32})
        for (int mode : {OPAQUE, TRANSPARENT})
            for (const char* text : texts)
                for (int place = 0; place < 6; ++place) {
                    const int w = 90, h = 24, pitch = w * 4;
                    std::vector<std::uint8_t> fast(std::size_t(pitch * h)), reference;
                    for (auto& byte : fast)
                        byte = std::uint8_t(next() >> 16);
                    reference = fast;
                    const int x = place == 0 ? -13 : place == 1 ? 70 : int(next() >> 16) % 40;
                    const int y = place == 2 ? -7 : place == 3 ? 17 : int(next() >> 16) % 12;
                    PixelTarget a{fast.data(), w, h, pitch, bpp}, b{reference.data(), w, h, pitch, bpp};
                    HDC dcA = CreateDCOnPixels(a), dcB = CreateDCOnPixels(b);
                    for (HDC dc : {dcA, dcB}) {
                        SetBkMode(dc, mode);
                        SetBkColor(dc, 0x3080C0);
                        SetTextColor(dc, 0x10E060);
                    }
                    const std::string s = text;
                    const int length = place == 5 ? int(s.size()) / 2 : int(s.size());
                    EXPECT_TRUE(TextOut(dcA, x, y, s, length));
                    EXPECT_TRUE(TextOutReference(dcB, x, y, s, length));
                    EXPECT_EQ(fast, reference) << bpp << " " << mode << " \"" << s << "\" at " << x << "," << y;
                    DeleteDC(dcA);
                    DeleteDC(dcB);
                }
}
