// The BMP loader: every supported depth and compression, and bad files.
#include "BmpBytes.h"

#include "platform/gdi/Bmp.h"
#include "platform/gdi/Gdi.h"
#include "platform/os/ResourceTable.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

using namespace gdi;
using bmptest::MakeBmp;

namespace {
const std::vector<std::uint32_t> kTwo = {0x000000, 0xFFFFFF};

std::string Decode(const std::vector<std::uint8_t>& f, DecodedBmp& d) { return DecodeBmp(f.data(), f.size(), true, d); }
} // namespace

TEST(Bmp, OneBitRowsAreBottomUpAndPadded) {
    // 3 x 2: bottom row 101, top row 010 (each row padded to 4 bytes).
    auto f = MakeBmp(1, 3, 2, 0, kTwo, {0xA0, 0, 0, 0, 0x40, 0, 0, 0});
    DecodedBmp d;
    ASSERT_EQ(Decode(f, d), "");
    EXPECT_EQ(d.width, 3);
    EXPECT_EQ(d.height, 2);
    EXPECT_EQ(d.bitsPerPixel, 1);
    EXPECT_EQ(d.pixels, (std::vector<std::uint32_t>{0, 0xFFFFFF, 0, 0xFFFFFF, 0, 0xFFFFFF}));
}

TEST(Bmp, FourAndEightBitIndexTheColourTable) {
    std::vector<std::uint32_t> pal16(16);
    for (int i = 0; i < 16; ++i)
        pal16[std::size_t(i)] = std::uint32_t(i * 0x111111);
    auto f4 = MakeBmp(4, 3, 1, 0, pal16, {0x12, 0xF0, 0, 0});
    DecodedBmp d;
    ASSERT_EQ(Decode(f4, d), "");
    EXPECT_EQ(d.pixels, (std::vector<std::uint32_t>{0x111111, 0x222222, 0xFFFFFF}));

    auto f8 = MakeBmp(8, 2, 1, 0, {0x800080, 0x123456}, {1, 0, 0, 0});
    ASSERT_EQ(Decode(f8, d), "");
    EXPECT_EQ(d.pixels, (std::vector<std::uint32_t>{0x123456, 0x800080}));
    EXPECT_EQ(d.palette.size(), 2u);
}

TEST(Bmp, TwentyFourBitIsBgrAndTopDownWhenHeightIsNegative) {
    std::vector<std::uint8_t> data = {0x56, 0x34, 0x12, 0x80, 0x00, 0x80, 0, 0, // row 0 (top when top-down)
                                      0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00, 0, 0};
    auto f = MakeBmp(24, 2, -2, 0, {}, data);
    DecodedBmp d;
    ASSERT_EQ(Decode(f, d), "");
    EXPECT_EQ(d.pixels, (std::vector<std::uint32_t>{0x123456, 0x800080, 0x0000FF, 0x00FF00}));
}

TEST(Bmp, Rle8RunsAbsoluteRunsDeltasAndEnd) {
    std::vector<std::uint32_t> pal = {0x000000, 0x111111, 0x222222, 0x333333};
    // 4 x 3, bottom-up: row 0 (bottom) = run of 3 x 1, then an absolute run 2 2 2 whose
    // last two pixels fall off the row; end of line;
    // row 1: delta (1, 1) skips to row 2 x 1, then a run of 2 x 3; end of bitmap.
    std::vector<std::uint8_t> rle = {3, 1, 0, 3, 2, 2, 2, 0, 0, 0, 0, 2, 1, 1, 2, 3, 0, 1};
    auto f = MakeBmp(8, 4, 3, 1, pal, rle);
    DecodedBmp d;
    ASSERT_EQ(Decode(f, d), "");
    // Top row (row 2 of the file): x 1..2 = 3; middle row untouched; bottom row 1 1 1 2.
    EXPECT_EQ(d.pixels, (std::vector<std::uint32_t>{0, 0x333333, 0x333333, 0, 0, 0, 0, 0, 0x111111, 0x111111,
                                                    0x111111, 0x222222}));
}

TEST(Bmp, RleRunsPastTheRowAreDroppedNotWritten) {
    auto f = MakeBmp(8, 2, 1, 1, {0, 0xFFFFFF}, {200, 1, 0, 1});
    DecodedBmp d;
    ASSERT_EQ(Decode(f, d), "");
    EXPECT_EQ(d.pixels, (std::vector<std::uint32_t>{0xFFFFFF, 0xFFFFFF}));
}

TEST(Bmp, BadFilesGiveTheLoadersError) {
    DecodedBmp d;
    auto good = MakeBmp(8, 2, 2, 0, {0, 0xFFFFFF}, {0, 1, 0, 0, 1, 0, 0, 0});
    ASSERT_EQ(Decode(good, d), "");

    auto f = good;
    bmptest::Put32(f, 30, 7);
    EXPECT_EQ(Decode(f, d), "Bitmap: unknown compression 7");

    f = good;
    bmptest::Put32(f, 18, 100000);
    EXPECT_EQ(Decode(f, d), "Bitmap: bad size 100000 x 2");
    f = good;
    bmptest::Put32(f, 18, 0);
    EXPECT_EQ(Decode(f, d), "Bitmap: bad size 0 x 2");
    f = good;
    bmptest::Put32(f, 18, 16000);
    bmptest::Put32(f, 22, 16000);
    EXPECT_EQ(Decode(f, d), "Bitmap: too large");

    f = good;
    bmptest::Put32(f, 46, 200); // 200 colours, but the file holds two
    EXPECT_EQ(Decode(f, d), "Bitmap: colour table runs past the end of the data");
    f = good;
    bmptest::Put32(f, 46, 300);
    EXPECT_EQ(Decode(f, d), "Bitmap: colour table longer than 256 entries");

    f = good;
    bmptest::Put16(f, 28, 16);
    EXPECT_EQ(Decode(f, d), "Bitmap: unsupported bit count 16");

    f = good;
    f.resize(f.size() - 1);
    EXPECT_EQ(Decode(f, d), "Bitmap: pixel data truncated");

    f = good;
    bmptest::Put32(f, 10, 0x7FFFFFFF);
    EXPECT_EQ(Decode(f, d), "Bitmap: pixel data offset past the end of the data");

    f = MakeBmp(8, 4, 1, 1, {0, 1}, {0, 5, 1, 1}); // absolute run of 5 with only 2 bytes
    EXPECT_EQ(Decode(f, d), "Bitmap: RLE data truncated");

    f = good;
    f[0] = 'X';
    EXPECT_EQ(Decode(f, d), "Bitmap: not a bitmap file");
}

// A header of a few bytes may declare the largest bitmap the loader takes: it is refused
// for its missing data before any pixel memory is taken.
TEST(Bmp, HugeBitmapsWithoutTheirDataTakeNoMemory) {
    DecodedBmp d;
    for (std::uint32_t compression : {0u, 1u}) {
        SCOPED_TRACE(compression);
        auto f = compression ? MakeBmp(8, 16384, 4096, 1, {0, 0xFFFFFF}, {200, 1, 0, 0})
                             : MakeBmp(24, 16384, 4096, 0, {}, {1, 2, 3});
        EXPECT_EQ(Decode(f, d), compression ? "Bitmap: RLE data truncated" : "Bitmap: pixel data truncated");
        EXPECT_EQ(d.pixels.capacity(), 0u);
        EXPECT_EQ(d.width, 0);
    }
}

TEST(Bmp, EveryTruncationFailsCleanly) {
    auto good = MakeBmp(8, 5, 3, 1, {0, 0x111111, 0x222222}, {5, 1, 0, 0, 0, 3, 1, 2, 0, 0, 0, 0, 2, 2, 0, 1});
    DecodedBmp d;
    ASSERT_EQ(Decode(good, d), "");
    for (std::size_t n = 0; n < good.size(); ++n) {
        std::vector<std::uint8_t> cut(good.begin(), good.begin() + std::ptrdiff_t(n));
        EXPECT_NE(DecodeBmp(cut.data(), cut.size(), true, d), "") << n;
    }
}

TEST(Bmp, ResourcesMayOmitTheFileHeader) {
    auto file = EncodeBmp24(2, 1, {0x102030, 0x405060});
    std::vector<std::uint8_t> resource(file.begin() + 14, file.end());
    DecodedBmp d;
    ASSERT_EQ(DecodeBmpAuto(resource.data(), resource.size(), d), "");
    EXPECT_EQ(d.pixels, (std::vector<std::uint32_t>{0x102030, 0x405060}));
    ASSERT_EQ(DecodeBmpAuto(file.data(), file.size(), d), "");
    EXPECT_EQ(d.pixels[1], 0x405060u);
}

TEST(LoadImage, FromFilesCaseInsensitivelyAndFromResources) {
    namespace fs = std::filesystem;
    fs::path dir = fs::temp_directory_path() / "plazaro_gdi_load";
    fs::create_directories(dir / "Graphics");
    auto file = EncodeBmp8(3, 2, {0x800080, 0x00FF00}, {0, 1, 0, 1, 1, 1});
    std::ofstream(dir / "Graphics" / "Back.bmp", std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));

    std::string windowsPath = dir.string() + "\\GRAPHICS\\back.BMP";
    HBITMAP b = LoadImage(nullptr, windowsPath, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION);
    ASSERT_NE(b, nullptr) << GetLastBitmapError();
    BITMAP bm;
    ASSERT_EQ(GetObject(b, sizeof bm, &bm), int(sizeof bm));
    EXPECT_EQ(bm.bmWidth, 3);
    EXPECT_EQ(bm.bmHeight, 2);
    EXPECT_EQ(bm.bmBitsPixel, 8);
    EXPECT_EQ(b->pixels[1], 0x00FF00u);
    EXPECT_TRUE(DeleteObject(b));
    EXPECT_FALSE(DeleteObject(b)); // already gone

    EXPECT_EQ(LoadImage(nullptr, dir.string() + "/missing.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), nullptr);
    EXPECT_EQ(GetLastBitmapError(), "Bitmap: cannot open " + dir.string() + "/missing.bmp");

    static const auto resource = EncodeBmp24(1, 1, {0xABCDEF});
    os::ResourceTable::Add("GDITEST1", resource.data(), resource.size());
    b = LoadImage(ProgramInstance(), "gditest1", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->pixels[0], 0xABCDEFu);
    DeleteObject(b);
    // A resource is not looked up without the module, nor a file with it.
    EXPECT_EQ(LoadImage(nullptr, "GDITEST1", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION), nullptr);
    EXPECT_EQ(LoadImage(ProgramInstance(), windowsPath, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION), nullptr);
    os::ResourceTable::Remove("GDITEST1");
    fs::remove_all(dir);
}
