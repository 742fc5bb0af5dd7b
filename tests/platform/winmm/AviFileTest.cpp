// The AVI reader decodes one video stream of 8-bit (with its palette), 16- and 24-bit
// DIB frames or RLE8 frames that paint over the frame before, times frames by the
// stream's rate, turns a PCM stream into sound, needs no index, and refuses truncated
// files, sizes that overflow, unknown codecs and frames larger than the stream with
// the right reason, without ever reading outside the bytes it is given.
#include "platform/winmm/AviFile.h"
#include "platform/winmm/TestAviImage.h"

#include <gtest/gtest.h>

using namespace winmm;
using namespace testavi;

namespace {

// A 4 x 3 picture whose every pixel differs, as 0x00RRGGBB.
std::vector<std::uint32_t> Picture() {
    std::vector<std::uint32_t> p;
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            p.push_back(std::uint32_t(0x10 * (x + 1)) << 16 | std::uint32_t(0x20 * (y + 1)) << 8 | std::uint32_t(x * 3 + y));
    return p;
}

AviError Read(const Bytes& file, AviFile& avi) { return ReadAvi(file.data(), file.size(), avi); }

// RLE8 data: a run of count pixels of an index.
void RleRun(Bytes& b, int count, int index) { b.insert(b.end(), {std::uint8_t(count), std::uint8_t(index)}); }
void EndOfLine(Bytes& b) { b.insert(b.end(), {0, 0}); }
void EndOfBitmap(Bytes& b) { b.insert(b.end(), {0, 1}); }
void Delta(Bytes& b, int dx, int dy) { b.insert(b.end(), {0, 2, std::uint8_t(dx), std::uint8_t(dy)}); }

AviSpec Rle8Spec() {
    AviSpec s;
    s.bits = 8;
    s.compression = 1;
    s.palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
    Bytes first; // bottom row red, middle green, top blue
    RleRun(first, 4, 1), EndOfLine(first), RleRun(first, 4, 2), EndOfLine(first), RleRun(first, 4, 3), EndOfBitmap(first);
    Bytes second; // one pixel of the middle row turns red; the rest stays
    Delta(second, 2, 1), RleRun(second, 1, 1), EndOfBitmap(second);
    s.frames = {first, second, Bytes{}};
    return s;
}

TEST(AviFile, DecodesUncompressedFramesOfEachDepth) {
    const std::vector<std::uint32_t> rgb = Picture();
    struct Case {
        int bits;
        int height; // negative: rows stored top-down
    };
    for (Case c : {Case{24, 3}, Case{24, -3}, Case{16, 3}, Case{8, 3}}) {
        SCOPED_TRACE(std::to_string(c.bits) + " bits, height " + std::to_string(c.height));
        AviSpec s;
        s.bits = c.bits;
        s.height = c.height;
        std::vector<std::uint32_t> stored = rgb, expected = rgb;
        if (c.bits == 16) {
            // 5-5-5 words; the reader widens each part by repeating its top bits.
            for (std::size_t i = 0; i < rgb.size(); ++i) {
                const std::uint32_t r = (rgb[i] >> 19) & 31, g = (rgb[i] >> 11) & 31, b = (rgb[i] >> 3) & 31;
                stored[i] = r << 10 | g << 5 | b;
                expected[i] = ((r << 3 | r >> 2) << 16) | ((g << 3 | g >> 2) << 8) | (b << 3 | b >> 2);
            }
        } else if (c.bits == 8) {
            s.palette = rgb; // pixel i has palette entry i
            for (std::size_t i = 0; i < rgb.size(); ++i)
                stored[i] = std::uint32_t(i);
        }
        if (c.height < 0) {
            // Top-down storage: what Dib writes bottom-up, turned over.
            std::vector<std::uint32_t> flipped;
            for (int y = 2; y >= 0; --y)
                flipped.insert(flipped.end(), stored.begin() + y * 4, stored.begin() + y * 4 + 4);
            stored = flipped;
        }
        s.frames = {Dib(4, 3, c.bits, stored)};
        AviFile avi;
        ASSERT_EQ(Read(Build(s), avi), AviError::None);
        EXPECT_EQ(avi.width, 4);
        EXPECT_EQ(avi.height, 3);
        AviFrameDecoder decoder(avi);
        ASSERT_TRUE(decoder.Seek(0));
        EXPECT_EQ(decoder.Picture().pixels, expected);
    }
}

TEST(AviFile, Rle8FramesPaintOverTheOneBeforeAndEmptyFramesRepeatIt) {
    for (bool records : {false, true}) {
        AviSpec s = Rle8Spec();
        s.index = records; // the index is optional
        s.groupInRecords = records;
        AviFile avi;
        ASSERT_EQ(Read(Build(s), avi), AviError::None);
        ASSERT_EQ(avi.FrameCount(), 3u);
        AviFrameDecoder decoder(avi);
        const std::vector<std::uint32_t> first = {0x0000FF, 0x0000FF, 0x0000FF, 0x0000FF, 0x00FF00, 0x00FF00,
                                                  0x00FF00, 0x00FF00, 0xFF0000, 0xFF0000, 0xFF0000, 0xFF0000};
        std::vector<std::uint32_t> second = first;
        second[4 + 2] = 0xFF0000;
        ASSERT_TRUE(decoder.Seek(0));
        EXPECT_EQ(decoder.Picture().pixels, first);
        ASSERT_TRUE(decoder.Seek(1));
        EXPECT_EQ(decoder.Picture().pixels, second);
        ASSERT_TRUE(decoder.Seek(2));
        EXPECT_EQ(decoder.Picture().pixels, second);
        // Going back starts again from the first frame.
        ASSERT_TRUE(decoder.Seek(0));
        EXPECT_EQ(decoder.Picture().pixels, first);
        // Jumping ahead decodes the frames in between.
        ASSERT_TRUE(decoder.Seek(2));
        EXPECT_EQ(decoder.Picture().pixels, second);
    }
}

TEST(AviFile, FramesFollowTheStreamsRate) {
    AviSpec s;
    s.rate = 15;
    s.frames.assign(24, Dib(4, 3, 24, Picture()));
    AviFile avi;
    ASSERT_EQ(Read(Build(s), avi), AviError::None);
    EXPECT_EQ(avi.LengthMs(), 1600u);
    EXPECT_EQ(avi.FrameAt(0), 0u);
    EXPECT_EQ(avi.FrameAt(66), 0u);
    EXPECT_EQ(avi.FrameAt(67), 1u);
    EXPECT_EQ(avi.FrameAt(1599), 23u);
    EXPECT_EQ(avi.FrameAt(1u << 31), 23u);
    EXPECT_EQ(avi.FrameAt(~std::uint64_t(0)), 23u);
    // 2997 / 100: a rate that is not a whole number of frames a second.
    s.rate = 2997;
    s.scale = 100;
    ASSERT_EQ(Read(Build(s), avi), AviError::None);
    EXPECT_EQ(avi.FrameStartMs(1), 33u);
    EXPECT_EQ(avi.FrameAt(34), 1u);
}

TEST(AviFile, APcmStreamBecomesTheVideosSound) {
    AviSpec s = Rle8Spec();
    s.sound = true;
    s.soundBits = 8;
    s.soundChunks = {Bytes{128, 255, 0}, Bytes{64}};
    AviFile avi;
    ASSERT_EQ(Read(Build(s), avi), AviError::None);
    ASSERT_TRUE(avi.sound);
    EXPECT_EQ(avi.sound->sampleRate, 8000);
    EXPECT_EQ(avi.sound->samples, (std::vector<std::int16_t>{0, 127 * 256, -128 * 256, -64 * 256}));
    // Sound we cannot play leaves the video playing silently.
    s.soundBits = 12;
    ASSERT_EQ(Read(Build(s), avi), AviError::None);
    EXPECT_FALSE(avi.sound);
}

TEST(AviFile, RefusesBadFilesForTheRightReason) {
    struct Case {
        const char* what;
        AviError error;
        void (*change)(AviSpec&);
    };
    const Case cases[] = {
        {"RLE4 frames", AviError::UnknownCodec, [](AviSpec& s) { s.bits = 4, s.compression = 2; }},
        {"a fourcc codec", AviError::UnknownCodec, [](AviSpec& s) { s.compression = 0x34363248; }},
        {"32-bit frames", AviError::UnknownCodec, [](AviSpec& s) { s.bits = 32; }},
        {"RLE8 of 24 bits", AviError::UnknownCodec, [](AviSpec& s) { s.compression = 1; }},
        {"a huge width", AviError::BadSize, [](AviSpec& s) { s.width = 0x7FFFFFFF, s.mainWidth = 0xFFFFFFFF; }},
        {"the lowest height", AviError::BadSize, [](AviSpec& s) { s.height = -0x7FFFFFFF - 1; }},
        {"zero width", AviError::BadSize, [](AviSpec& s) { s.width = 0; }},
        {"300 colours", AviError::BadSize, [](AviSpec& s) { s.bits = 8, s.palette.assign(300, 0); }},
        {"no frame rate", AviError::BadSize, [](AviSpec& s) { s.rate = 0; }},
        {"a million frames a second", AviError::BadSize, [](AviSpec& s) { s.rate = 1000000; }},
        {"frames wider than the movie", AviError::FrameTooLarge, [](AviSpec& s) { s.mainWidth = 3; }},
        {"frames taller than the stream", AviError::FrameTooLarge, [](AviSpec& s) { s.rectBottom = 2; }},
        {"a frame longer than the picture", AviError::FrameTooLarge, [](AviSpec& s) { s.frames[0].resize(s.frames[0].size() + 4); }},
        {"a frame shorter than the picture", AviError::Truncated, [](AviSpec& s) { s.frames[0].resize(s.frames[0].size() - 1); }},
        {"no frames", AviError::NoVideo, [](AviSpec& s) { s.frames.clear(); }},
        {"frames of another stream", AviError::NoVideo, [](AviSpec& s) { s.frameKind = "01dc"; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        AviSpec s;
        s.frames = {Dib(4, 3, 24, Picture())};
        c.change(s);
        AviFile avi;
        std::string detail;
        const Bytes file = Build(s);
        EXPECT_EQ(ReadAvi(file.data(), file.size(), avi, &detail), c.error) << detail;
        EXPECT_FALSE(detail.empty());
    }
    // RLE8 that paints past the right edge, moves past it, or runs out of data.
    for (int bad = 0; bad < 3; ++bad) {
        AviSpec s = Rle8Spec();
        Bytes data;
        if (bad == 0)
            RleRun(data, 5, 1), EndOfBitmap(data);
        else if (bad == 1)
            Delta(data, 3, 1), RleRun(data, 2, 1), EndOfBitmap(data);
        else
            data = {0, 5, 1, 2};
        s.frames[1] = data;
        AviFile avi;
        EXPECT_EQ(Read(Build(s), avi), bad == 2 ? AviError::Truncated : AviError::FrameTooLarge) << bad;
    }
}

TEST(AviFile, EveryCutOfAFileAndEveryBrokenSizeIsRefusedSafely) {
    AviSpec s = Rle8Spec();
    s.sound = true;
    s.soundChunks = {Bytes{1, 2, 3, 4}};
    const Bytes good = Build(s);
    AviFile avi;
    ASSERT_EQ(Read(good, avi), AviError::None);
    // Cut anywhere before the movie's last byte, with the file's own size made to
    // agree so that the cut is found inside: refused (the index after it is optional).
    const std::size_t moviEnd = good.size() - (8 + 16 * 3);
    for (std::size_t n = 0; n < moviEnd; ++n) {
        Bytes cut(good.begin(), good.begin() + std::ptrdiff_t(n));
        if (n >= 8)
            for (int i = 0; i < 4; ++i)
                cut[4 + std::size_t(i)] = std::uint8_t((n - 8) >> (8 * i));
        EXPECT_NE(Read(cut, avi), AviError::None) << n;
    }
    // Every size field set to the largest values: refused or read, never a read past the end.
    for (std::size_t at = 4; at + 4 <= good.size(); ++at)
        for (std::uint32_t value : {0xFFFFFFFFu, 0x7FFFFFFFu, 0x80000000u, std::uint32_t(good.size())}) {
            Bytes broken = good;
            for (int i = 0; i < 4; ++i)
                broken[at + std::size_t(i)] = std::uint8_t(value >> (8 * i));
            AviFile any;
            if (ReadAvi(broken.data(), broken.size(), any) == AviError::None) {
                AviFrameDecoder decoder(any);
                for (std::size_t f = 0; f < any.FrameCount(); ++f)
                    EXPECT_TRUE(decoder.Seek(f));
            }
        }
    EXPECT_EQ(ReadAvi(nullptr, 0, avi), AviError::Truncated);
    const Bytes riff = {'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'A', 'V', 'E'};
    EXPECT_EQ(Read(riff, avi), AviError::NotAvi);
}

} // namespace
