// The RIFF reader decodes PCM 8/16-bit mono and stereo exactly, and refuses every
// malformed image (truncated, unknown format, short "fmt ", sizes beyond the file,
// overflowing chunk sizes) without reading a byte outside it.
#include "platform/winmm/TestWaveImage.h"
#include "platform/winmm/WaveFile.h"

#include <gtest/gtest.h>

#include <memory>

using namespace testwave;
using winmm::WaveFile;

namespace {

// Parses a copy held in a buffer of exactly its size, so that any read past the
// end lands outside the allocation (and is caught when sanitizers are on).
std::optional<winmm::PcmBuffer> ParseExact(const Bytes& bytes, std::string* error = nullptr) {
    std::unique_ptr<std::uint8_t[]> copy(new std::uint8_t[bytes.size() ? bytes.size() : 1]);
    std::copy(bytes.begin(), bytes.end(), copy.get());
    return WaveFile::Parse(copy.get(), bytes.size(), error);
}

} // namespace

TEST(WaveFileGood, SixteenBitStereoKeepsSamplesAndOrder) {
    auto pcm = ParseExact(Wave16(2, 22050, {100, -200, 32767, -32768, 0, 1}));
    ASSERT_TRUE(pcm);
    EXPECT_EQ(pcm->sampleRate, 22050);
    EXPECT_EQ(pcm->channels, 2);
    EXPECT_EQ(pcm->Frames(), 3u);
    EXPECT_EQ(pcm->samples, (std::vector<std::int16_t>{100, -200, 32767, -32768, 0, 1}));
}

TEST(WaveFileGood, EightBitIsCentredAndWidened) {
    Bytes data{0, 128, 255, 64};
    auto pcm = ParseExact(Riff({Chunk("fmt ", FmtBody(1, 1, 11025, 8)), Chunk("data", data)}));
    ASSERT_TRUE(pcm);
    EXPECT_EQ(pcm->channels, 1);
    EXPECT_EQ(pcm->samples, (std::vector<std::int16_t>{-32768, 0, 32512, -16384}));
}

TEST(WaveFileGood, ChunkLayoutVariants) {
    // An odd-sized chunk with its pad byte before the data, the data before the
    // format, unknown chunks skipped, and a partial last frame dropped.
    Bytes list{'I', 'N', 'F'};
    auto pcm = ParseExact(Riff({Chunk("LIST", list), Chunk("data", Bytes{1, 0, 2, 0, 3, 0, 4, 0, 9}),
                                Chunk("fmt ", FmtBody(1, 2, 8000, 16))}));
    ASSERT_TRUE(pcm);
    EXPECT_EQ(pcm->samples, (std::vector<std::int16_t>{1, 2, 3, 4}));

    // A longer "fmt " (with cbSize) is fine, and so is an extensible header naming PCM.
    Bytes fmt18 = FmtBody(1, 1, 44100, 16);
    Put16(fmt18, 0);
    EXPECT_TRUE(ParseExact(Riff({Chunk("fmt ", fmt18), Chunk("data", Samples16({5}))})));
    Bytes ext = FmtBody(0xFFFE, 1, 44100, 16);
    Put16(ext, 22);
    Put16(ext, 16);
    Put32(ext, 0x4);
    Put16(ext, 1); // sub-format: PCM
    ext.resize(40, 0);
    auto e = ParseExact(Riff({Chunk("fmt ", ext), Chunk("data", Samples16({7, 8}))}));
    ASSERT_TRUE(e);
    EXPECT_EQ(e->samples, (std::vector<std::int16_t>{7, 8}));
}

TEST(WaveFileBad, EveryTruncationIsRefused) {
    Bytes good = Wave16(1, 8000, {1, 2, 3, 4, 5, 6, 7, 8});
    ASSERT_TRUE(ParseExact(good));
    for (std::size_t n = 0; n < good.size(); ++n) {
        Bytes prefix(good.begin(), good.begin() + static_cast<long>(n));
        EXPECT_FALSE(ParseExact(prefix)) << "prefix of " << n << " bytes";
    }
}

TEST(WaveFileBad, WrongOrUnknownFormats) {
    std::string why;
    Bytes notRiff = Wave16(1, 8000, {1});
    notRiff[0] = 'X';
    EXPECT_FALSE(ParseExact(notRiff, &why));
    EXPECT_EQ(why, "not a RIFF file");

    Bytes notWave = Wave16(1, 8000, {1});
    notWave[8] = 'A';
    EXPECT_FALSE(ParseExact(notWave, &why));
    EXPECT_EQ(why, "not a WAVE file");

    auto with = [](Bytes fmt) { return Riff({Chunk("fmt ", fmt), Chunk("data", Samples16({1, 2}))}); };
    EXPECT_FALSE(ParseExact(with(FmtBody(3, 1, 8000, 32)), &why)); // floating point
    EXPECT_EQ(why, "unknown format (not PCM)");
    EXPECT_FALSE(ParseExact(with(FmtBody(2, 1, 8000, 4)), &why)); // ADPCM
    EXPECT_EQ(why, "unknown format (not PCM)");
    EXPECT_FALSE(ParseExact(with(FmtBody(1, 3, 8000, 16)), &why));
    EXPECT_EQ(why, "unsupported channel count");
    EXPECT_FALSE(ParseExact(with(FmtBody(1, 1, 8000, 24)), &why));
    EXPECT_EQ(why, "unsupported sample size");
    EXPECT_FALSE(ParseExact(with(FmtBody(1, 1, 0, 16)), &why));
    EXPECT_EQ(why, "unsupported sample rate");
    Bytes misaligned = FmtBody(1, 2, 8000, 16);
    misaligned[12] = 2; // block align says 2 for a 4-byte frame
    EXPECT_FALSE(ParseExact(with(misaligned), &why));
    EXPECT_EQ(why, "inconsistent block alignment");

    EXPECT_FALSE(ParseExact(Riff({Chunk("data", Samples16({1}))}), &why));
    EXPECT_EQ(why, "no \"fmt \" chunk");
    EXPECT_FALSE(ParseExact(Riff({Chunk("fmt ", FmtBody(1, 1, 8000, 16))}), &why));
    EXPECT_EQ(why, "no \"data\" chunk");
}

TEST(WaveFileBad, ShortFormatChunk) {
    Bytes fmt = FmtBody(1, 1, 8000, 16);
    fmt.resize(14);
    std::string why;
    EXPECT_FALSE(ParseExact(Riff({Chunk("fmt ", fmt), Chunk("data", Samples16({1}))}), &why));
    EXPECT_EQ(why, "\"fmt \" chunk shorter than 16 bytes");
}

TEST(WaveFileBad, SizesBeyondTheFileAndOverflow) {
    std::string why;
    // The data chunk claims more than the file holds (the RIFF size is honest).
    EXPECT_FALSE(ParseExact(Riff({Chunk("fmt ", FmtBody(1, 1, 8000, 16)), Chunk("data", Samples16({1, 2}), 4000)}), &why));
    EXPECT_EQ(why, "data size beyond the file");
    // Sizes near 2^32 that would wrap a 32-bit offset back into the file.
    for (std::uint32_t huge : {0xFFFFFFFFu, 0xFFFFFFF8u, 0xFFFFFFF4u, 0x80000000u}) {
        EXPECT_FALSE(ParseExact(Riff({Chunk("fmt ", FmtBody(1, 1, 8000, 16)), Chunk("data", Samples16({1, 2}), huge)})));
        EXPECT_FALSE(ParseExact(Riff({Chunk("LIST", Bytes{1, 2}, huge), Chunk("fmt ", FmtBody(1, 1, 8000, 16)),
                                      Chunk("data", Samples16({1}))})));
        EXPECT_FALSE(ParseExact(Riff({Chunk("fmt ", FmtBody(1, 1, 8000, 16), huge), Chunk("data", Samples16({1}))})));
        Bytes riff = Wave16(1, 8000, {1, 2});
        riff[4] = static_cast<std::uint8_t>(huge);
        riff[5] = static_cast<std::uint8_t>(huge >> 8);
        riff[6] = static_cast<std::uint8_t>(huge >> 16);
        riff[7] = static_cast<std::uint8_t>(huge >> 24);
        EXPECT_FALSE(ParseExact(riff));
    }
    // A RIFF size smaller than its own "WAVE" tag.
    Bytes tiny = Wave16(1, 8000, {1});
    tiny[4] = 2;
    tiny[5] = tiny[6] = tiny[7] = 0;
    EXPECT_FALSE(ParseExact(tiny));
}

TEST(WaveFileLoad, MissingAndPresentFiles) {
    auto dir = FreshDir("wavefile");
    std::string why;
    EXPECT_FALSE(WaveFile::Load((dir / "absent.wav").string(), &why));
    EXPECT_EQ(why, "file not found");
    WriteFile(dir / "a.wav", Wave16(1, 8000, {42, -42}));
    auto pcm = WaveFile::Load((dir / "a.wav").string(), &why);
    ASSERT_TRUE(pcm);
    EXPECT_EQ(pcm->samples, (std::vector<std::int16_t>{42, -42}));
    EXPECT_FALSE(WaveFile::Load(dir.string(), &why)); // a folder is not a sound
    EXPECT_EQ(why, "file not found");
    WriteFile(dir / "empty.wav", {});
    EXPECT_FALSE(WaveFile::Load((dir / "empty.wav").string()));
    std::filesystem::remove_all(dir);
}
