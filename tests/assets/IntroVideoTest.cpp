// The intro videos: frames written as RLE8 (each painting only what changed) read back
// through the game's own AVI reader as exactly the pictures painted, and the two shipped
// files are small RLE8 videos of their size and length that change as they play.
#include "AviWriter.h"
#include "Canvas.h"
#include "platform/winmm/AviFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>

namespace {

using art::IndexedImage;

std::vector<std::uint8_t> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>((std::istreambuf_iterator<char>(in)), {});
}

TEST(IntroVideo, RleFramesReadBackAsPainted) {
    // Frames that exercise every part of the encoding: runs longer than 255, noise
    // (absolute runs), gaps wider than 255, whole rows left alone, a frame equal to the
    // one before, and a frame changed everywhere.
    const int w = 600, h = 40;
    std::vector<IndexedImage> frames;
    IndexedImage frame{w, h, std::vector<std::uint8_t>(std::size_t(w) * h, 7)};
    frames.push_back(frame);
    for (int step = 1; step < 8; ++step) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const std::uint32_t hash = art::Hash(std::uint32_t(x), std::uint32_t(y), std::uint32_t(step));
                std::uint8_t& px = frame.indices[std::size_t(y) * w + std::size_t(x)];
                if (step == 1 && x < 300)
                    px = std::uint8_t(hash % 5 + 1); // noise on the left
                else if (step == 2 && (y == 5 || y == 30) && (x == 3 || x == 590))
                    px = 200; // single pixels far apart on two rows
                else if (step == 3 && y > 20)
                    px = std::uint8_t(x / 100 + 10); // long runs in the lower half
                else if (step == 5)
                    px = std::uint8_t(hash % 251); // everything
                else if (step == 6 && x % 7 == 0)
                    px = std::uint8_t(px + 1);
            }
        frames.push_back(frame); // step 4 repeats step 3
    }
    std::array<art::Rgb, 256> palette{};
    for (int i = 0; i < 256; ++i)
        palette[std::size_t(i)] = art::Rgb{std::uint8_t(i), std::uint8_t(255 - i), std::uint8_t(i * 7)};
    const std::vector<std::uint8_t> file = art::AviWriter::File(frames, palette, 15);

    winmm::AviFile avi;
    std::string detail;
    ASSERT_EQ(winmm::ReadAvi(file.data(), file.size(), avi, &detail), winmm::AviError::None) << detail;
    ASSERT_EQ(avi.FrameCount(), frames.size());
    EXPECT_TRUE(avi.rle8);
    winmm::AviFrameDecoder decoder(avi);
    for (std::size_t f = 0; f < frames.size(); ++f) {
        ASSERT_TRUE(decoder.Seek(f));
        const auto& pixels = decoder.Picture().pixels;
        for (std::size_t i = 0; i < pixels.size(); ++i) {
            const art::Rgb c = palette[frames[f].indices[i]];
            ASSERT_EQ(pixels[i], std::uint32_t(c.r) << 16 | std::uint32_t(c.g) << 8 | c.b) << "frame " << f << " pixel " << i;
        }
    }
    // A frame equal to the one before costs next to nothing.
    EXPECT_LE(art::AviWriter::EncodeRle8(frames[4], &frames[3]).size(), 2u);
}

TEST(IntroVideo, TheShippedVideosAreSmallRle8OfTheirSizeAndLength) {
    const struct {
        const char* name;
        int width, height;
        std::uint64_t lengthMs;
    } videos[] = {{"qor.avi", 420, 60, 1600}, {"city_title.avi", 250, 250, 3400}};
    for (const auto& v : videos) {
        SCOPED_TRACE(v.name);
        const auto bytes = ReadFile(std::string(PLAZARO_PROGRAM_DIR) + "/Graphics/" + v.name);
        winmm::AviFile avi;
        ASSERT_EQ(winmm::ReadAvi(bytes.data(), bytes.size(), avi), winmm::AviError::None);
        EXPECT_EQ(avi.width, v.width);
        EXPECT_EQ(avi.height, v.height);
        EXPECT_EQ(avi.LengthMs(), v.lengthMs);
        EXPECT_TRUE(avi.rle8);
        // Smaller than a quarter of the same frames uncompressed.
        EXPECT_LT(bytes.size(), avi.FrameCount() * std::size_t(v.width) * std::size_t(v.height) / 4);
        // It moves: most frames differ from the one before, and the last from the first.
        winmm::AviFrameDecoder decoder(avi);
        std::vector<std::vector<std::uint32_t>> pictures;
        for (std::size_t f = 0; f < avi.FrameCount(); ++f) {
            ASSERT_TRUE(decoder.Seek(f));
            pictures.push_back(decoder.Picture().pixels);
        }
        EXPECT_GE(std::set<std::vector<std::uint32_t>>(pictures.begin(), pictures.end()).size(), avi.FrameCount() * 2 / 3);
        EXPECT_NE(pictures.front(), pictures.back());
    }
}

} // namespace
