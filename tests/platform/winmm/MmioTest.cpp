// The buffered RIFF reading: descent into the first chunk and searches by name that
// skip other chunks (pad bytes included) and stop at the parent's end, ascent, reads
// and direct buffer access across buffer boundaries, seeks held inside the file, and
// Windows-shaped paths resolved without regard to case.
#include "platform/winmm/Mmio.h"

#include "platform/winmm/TestWaveImage.h"

#include <gtest/gtest.h>

using namespace winmm;
using testwave::Bytes;

namespace {

class MmioTest : public ::testing::Test {
protected:
    void SetUp() override { dir = testwave::FreshDir("mmio"); }
    void TearDown() override {
        if (file)
            mmioClose(file, 0);
        std::filesystem::remove_all(dir);
    }
    HMMIO OpenBytes(const Bytes& bytes, LONG bufferSize = 0) {
        testwave::WriteFile(dir / "Sound" / "File.wav", bytes);
        MMIOINFO info;
        info.cchBuffer = bufferSize;
        file = mmioOpen((dir / "Sound" / "File.wav").string().c_str(), &info, MMIO_ALLOCBUF | MMIO_READ);
        return file;
    }
    std::filesystem::path dir;
    HMMIO file = nullptr;
};

// RIFF/WAVE with an odd-sized "junk" chunk, "fmt " and "data", then a stray chunk
// after the RIFF's end.
Bytes Layered() {
    Bytes riff = testwave::Riff({testwave::Chunk("junk", {1, 2, 3}),
                                 testwave::Chunk("fmt ", testwave::FmtBody(1, 1, 8000, 8)),
                                 testwave::Chunk("data", {10, 20, 30, 40})});
    Bytes stray = testwave::Chunk("tail", {9, 9});
    riff.insert(riff.end(), stray.begin(), stray.end());
    return riff;
}

} // namespace

TEST_F(MmioTest, DescendsIntoRiffAndFindsChunksByName) {
    ASSERT_NE(OpenBytes(Layered()), nullptr);
    MMCKINFO riff;
    ASSERT_EQ(mmioDescend(file, &riff, nullptr, 0), 0u);
    EXPECT_EQ(riff.ckid, FOURCC_RIFF);
    EXPECT_EQ(riff.fccType, mmioFOURCC('W', 'A', 'V', 'E'));
    EXPECT_EQ(riff.dwDataOffset, 8u);

    MMCKINFO data;
    data.ckid = mmioFOURCC('d', 'a', 't', 'a');
    ASSERT_EQ(mmioDescend(file, &data, &riff, MMIO_FINDCHUNK), 0u);
    // 12 (RIFF header, WAVE) + 12 (junk and its pad byte) + 24 (fmt) + 8.
    EXPECT_EQ(data.dwDataOffset, 56u);
    EXPECT_EQ(data.cksize, 4u);
    char bytes[4];
    ASSERT_EQ(mmioRead(file, bytes, 4), 4);
    EXPECT_EQ(bytes[3], 40);
    EXPECT_EQ(mmioRead(file, bytes, 4), 4); // the stray chunk's header follows

    // The stray chunk lies beyond the RIFF's end: not found within it, found without.
    MMCKINFO tail;
    tail.ckid = mmioFOURCC('t', 'a', 'i', 'l');
    ASSERT_EQ(mmioSeek(file, 12, SEEK_SET), 12);
    EXPECT_EQ(mmioDescend(file, &tail, &riff, MMIO_FINDCHUNK), MMIOERR_CHUNKNOTFOUND);
    ASSERT_EQ(mmioSeek(file, 0, SEEK_SET), 0);
    ASSERT_EQ(mmioDescend(file, &tail, nullptr, MMIO_FINDCHUNK), 0u);
    EXPECT_EQ(tail.dwDataOffset, 68u);
}

TEST_F(MmioTest, AscentGoesPastThePadByte) {
    ASSERT_NE(OpenBytes(Layered()), nullptr);
    MMCKINFO riff, junk;
    ASSERT_EQ(mmioDescend(file, &riff, nullptr, 0), 0u);
    ASSERT_EQ(mmioDescend(file, &junk, &riff, 0), 0u);
    EXPECT_EQ(junk.cksize, 3u);
    ASSERT_EQ(mmioAscend(file, &junk, 0), 0u);
    EXPECT_EQ(mmioSeek(file, 0, SEEK_CUR), 24);

    // A chunk whose size runs past the end of the file cannot be left.
    MMCKINFO bogus;
    bogus.dwDataOffset = 60;
    bogus.cksize = 1000;
    EXPECT_EQ(mmioAscend(file, &bogus, 0), MMIOERR_CANNOTSEEK);
}

TEST_F(MmioTest, HugeChunkSizesEndTheSearchWithoutWrappingAround) {
    Bytes b = testwave::Riff({testwave::Chunk("junk", {1, 2}, 0xFFFFFFF0u), testwave::Chunk("data", {1, 2})});
    ASSERT_NE(OpenBytes(b), nullptr);
    MMCKINFO riff, data;
    ASSERT_EQ(mmioDescend(file, &riff, nullptr, 0), 0u);
    data.ckid = mmioFOURCC('d', 'a', 't', 'a');
    EXPECT_EQ(mmioDescend(file, &data, &riff, MMIO_FINDCHUNK), MMIOERR_CHUNKNOTFOUND);
    // A file too short for a chunk header has no first chunk.
    mmioClose(file, 0);
    ASSERT_NE(OpenBytes({'R', 'I', 'F', 'F', 4}), nullptr);
    EXPECT_EQ(mmioDescend(file, &riff, nullptr, 0), MMIOERR_CHUNKNOTFOUND);
}

TEST_F(MmioTest, ReadsAndBufferAccessCrossBufferBoundaries) {
    Bytes bytes(100);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = std::uint8_t(i * 7);
    ASSERT_NE(OpenBytes(bytes, 16), nullptr);
    char read[40];
    ASSERT_EQ(mmioSeek(file, 5, SEEK_SET), 5);
    ASSERT_EQ(mmioRead(file, read, 40), 40);
    for (int i = 0; i < 40; ++i)
        ASSERT_EQ(std::uint8_t(read[i]), bytes[std::size_t(5 + i)]);

    // Through the I/O buffer directly, advancing whenever it is used up.
    MMIOINFO info;
    ASSERT_EQ(mmioGetInfo(file, &info, 0), 0u);
    EXPECT_EQ(info.cchBuffer, 16);
    Bytes seen;
    while (true) {
        if (info.pchNext == info.pchEndRead) {
            ASSERT_EQ(mmioAdvance(file, &info, MMIO_READ), 0u);
            if (info.pchNext == info.pchEndRead)
                break; // the end of the file: an empty buffer
        }
        seen.push_back(std::uint8_t(*info.pchNext++));
    }
    ASSERT_EQ(mmioSetInfo(file, &info, 0), 0u);
    EXPECT_EQ(seen, Bytes(bytes.begin() + 45, bytes.end()));
    EXPECT_EQ(mmioRead(file, read, 10), 0);
    // A pointer that is not into the file's buffer is refused.
    info.pchNext = read;
    EXPECT_NE(mmioSetInfo(file, &info, 0), 0u);
}

TEST_F(MmioTest, SeeksStayInsideTheFile) {
    ASSERT_NE(OpenBytes(Bytes(50, 1)), nullptr);
    EXPECT_EQ(mmioSeek(file, 0, SEEK_END), 50);
    EXPECT_EQ(mmioSeek(file, -10, SEEK_CUR), 40);
    EXPECT_EQ(mmioSeek(file, 51, SEEK_SET), -1);
    EXPECT_EQ(mmioSeek(file, -1, SEEK_SET), -1);
    EXPECT_EQ(mmioSeek(file, 0, 7), -1);
    EXPECT_EQ(mmioSeek(file, 0, SEEK_CUR), 40); // a refused seek moves nothing
}

TEST_F(MmioTest, OpensWindowsShapedPathsWithoutRegardToCase) {
    ASSERT_NE(OpenBytes(Bytes(8, 0)), nullptr);
    std::string path = dir.string() + "\\SOUND\\file.WAV";
    HMMIO same = mmioOpen(path.c_str(), nullptr, MMIO_READ);
    ASSERT_NE(same, nullptr);
    EXPECT_EQ(mmioSeek(same, 0, SEEK_END), 8);
    mmioClose(same, 0);

    MMIOINFO info;
    EXPECT_EQ(mmioOpen((dir / "none.wav").string().c_str(), &info, MMIO_READ), nullptr);
    EXPECT_EQ(info.wErrorRet, MMIOERR_FILENOTFOUND);
    EXPECT_EQ(mmioOpen(path.c_str(), &info, 1 /* write */), nullptr);
    EXPECT_EQ(info.wErrorRet, MMIOERR_CANNOTOPEN);
}
