// The fast blitter against the reference one on random rectangles, both depths.
#include "DDrawFixture.h"
#include "platform/ddraw/Blitters.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

using namespace ddraw;

namespace {
struct Memory {
    std::vector<std::uint8_t> bytes;
    SurfacePixels view;
    Memory(int w, int h, int bpp, std::mt19937& gen, int colours) {
        int pitch = ((w * bpp / 8) + 3) & ~3;
        bytes.resize(std::size_t(pitch) * std::size_t(h));
        // Few distinct values so that keys match often.
        for (std::size_t i = 0; i < bytes.size(); i += std::size_t(bpp / 8)) {
            std::uint32_t v = gen() % std::uint32_t(colours);
            for (int b = 0; b < bpp / 8; ++b)
                bytes[i + std::size_t(b)] = std::uint8_t(b == 0 ? v : 0);
        }
        view = SurfacePixels{bytes.data(), w, h, pitch, bpp};
    }
};
} // namespace

TEST(Blitters, FastMatchesReferenceOnRandomRectangles) {
    std::mt19937 gen(1234);
    for (int bpp : {16, 32}) {
        for (int round = 0; round < 400; ++round) {
            Memory src(1 + int(gen() % 70), 1 + int(gen() % 40), bpp, gen, 4);
            Memory dst(1 + int(gen() % 90), 1 + int(gen() % 60), bpp, gen, 7);
            Memory ref = dst;
            ref.view.bits = ref.bytes.data();
            auto coord = [&](int range) { return int(gen() % std::uint32_t(range * 2 + 40)) - range / 2 - 20; };
            gdi::RECT r{coord(src.view.width), coord(src.view.height), 0, 0};
            r.right = r.left + int(gen() % 100) - 10;
            r.bottom = r.top + int(gen() % 60) - 10;
            int x = coord(dst.view.width), y = coord(dst.view.height);
            BlitKey key;
            switch (gen() % 3) {
            case 0:
                break;
            case 1:
                key = BlitKey{true, 2, 2};
                break;
            default:
                key = BlitKey{true, 1, 2};
            }
            BlitReference(ref.view, x, y, src.view, r, key);
            int cx = x, cy = y;
            gdi::RECT cr = r;
            if (ClipBlit(dst.view, cx, cy, src.view, cr)) {
                ASSERT_GE(cr.left, 0);
                ASSERT_GE(cr.top, 0);
                ASSERT_LE(cr.right, src.view.width);
                ASSERT_LE(cr.bottom, src.view.height);
                ASSERT_LE(cx + (cr.right - cr.left), dst.view.width);
                ASSERT_LE(cy + (cr.bottom - cr.top), dst.view.height);
                BlitFast(dst.view, cx, cy, src.view, cr, key);
            }
            ASSERT_EQ(dst.bytes, ref.bytes) << "bpp " << bpp << " round " << round;
        }
    }
}

TEST(Blitters, OverlappingCopyWithinOneSurface) {
    std::mt19937 gen(7);
    Memory m(20, 10, 16, gen, 1000);
    Memory copy = m;
    copy.view.bits = copy.bytes.data();
    // Reference: blit from an untouched copy.
    Memory expected = m;
    expected.view.bits = expected.bytes.data();
    BlitReference(expected.view, 3, 2, copy.view, gdi::RECT{0, 0, 15, 7}, BlitKey{});
    BlitFast(m.view, 3, 2, m.view, gdi::RECT{0, 0, 15, 7}, BlitKey{});
    EXPECT_EQ(m.bytes, expected.bytes);
}

TEST(Blitters, StretchWritesOnlyInsideTheClip) {
    std::mt19937 gen(3);
    Memory src(3, 3, 32, gen, 100);
    Memory dst(10, 10, 32, gen, 1);
    std::fill(dst.bytes.begin(), dst.bytes.end(), 0xEE);
    BlitStretch(dst.view, gdi::RECT{-5, -5, 25, 25}, gdi::RECT{2, 2, 8, 8}, src.view, gdi::RECT{0, 0, 3, 3},
                BlitKey{});
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) {
            std::uint32_t v;
            std::memcpy(&v, dst.bytes.data() + y * dst.view.pitch + x * 4, 4);
            bool inside = x >= 2 && x < 8 && y >= 2 && y < 8;
            if (!inside) {
                EXPECT_EQ(v, 0xEEEEEEEEu) << x << "," << y;
            }
        }
    // The centre of a 3x3 source scaled onto 30x30 from -5: pixel (5,5) maps to source (1,1).
    std::uint32_t centre, source;
    std::memcpy(&centre, dst.bytes.data() + 5 * dst.view.pitch + 5 * 4, 4);
    std::memcpy(&source, src.bytes.data() + 1 * src.view.pitch + 1 * 4, 4);
    EXPECT_EQ(centre, source);
}

using ddtest::DDrawTest;

// Through the DirectDraw interface: random BltFast and Blt calls either draw exactly
// what the reference blitter draws or are refused, and never write outside a surface.
TEST_F(DDrawTest, RandomBlitsDrawTheReferenceOrAreRefused) {
    Windowed640();
    std::mt19937 gen(99);
    IDirectDrawSurface7* src = Offscreen(37, 23);
    IDirectDrawSurface7* dst = Offscreen(61, 41);
    for (int y = 0; y < 23; ++y)
        for (int x = 0; x < 37; ++x)
            src->SetPixelAt(x, y, gen() % 3 == 0 ? 0x8010u : std::uint32_t(gen() & 0xFFFF));
    DDCOLORKEY key{0x8010, 0x8010};
    src->SetColorKey(DDCKEY_SRCBLT, &key);
    SurfacePixels s;
    SurfaceView(src, s);
    // In the second half only a part of the destination may be written: the answers
    // stay those of the whole blit, and inside the part so do the pixels.
    const RECT part{12, 7, 45, 30};
    for (int round = 0; round < 4000; ++round) {
        const bool partOnly = round >= 2000;
        dst->SetWrittenPart(partOnly ? &part : nullptr);
        SurfacePixels d;
        SurfaceView(dst, d);
        std::vector<std::uint8_t> expected(d.bits, d.bits + std::size_t(d.pitch) * std::size_t(d.height));
        SurfacePixels e = d;
        e.bits = expected.data();
        RECT r{int(gen() % 50) - 5, int(gen() % 30) - 5, 0, 0};
        r.right = r.left + int(gen() % 45) - 3;
        r.bottom = r.top + int(gen() % 30) - 3;
        int x = int(gen() % 80) - 10, y = int(gen() % 60) - 10;
        bool keyed = gen() & 1;
        HRESULT hr = dst->BltFast(DWORD(x), DWORD(y), src, &r, keyed ? DDBLTFAST_SRCCOLORKEY : 0);
        bool inside = r.left >= 0 && r.top >= 0 && r.left < r.right && r.top < r.bottom && r.right <= 37 &&
                      r.bottom <= 23 && x >= 0 && y >= 0 && x + (r.right - r.left) <= 61 &&
                      y + (r.bottom - r.top) <= 41;
        ASSERT_EQ(hr, inside ? DD_OK : DDERR_INVALIDRECT) << round;
        if (inside) {
            std::vector<std::uint8_t> whole = expected;
            SurfacePixels w = e;
            w.bits = whole.data();
            BlitReference(w, x, y, s, r, BlitKey{keyed, 0x8010, 0x8010});
            for (int py = 0; py < 41; ++py)
                for (int px = 0; px < 61; ++px)
                    if (!partOnly || (px >= part.left && px < part.right && py >= part.top && py < part.bottom))
                        std::memcpy(&expected[std::size_t(py * d.pitch + px * 2)], &whole[std::size_t(py * d.pitch + px * 2)], 2);
        }
        ASSERT_EQ(std::vector<std::uint8_t>(d.bits, d.bits + expected.size()), expected) << round;
    }
    dst->SetWrittenPart(nullptr);
}
