// The sound component: a good wave file is read (across the reader's buffer) into a
// static buffer and heard sample for sample; loading the loaded file again reads
// nothing; bad files and refused buffers are reported in boxes and leave the component
// as it was, a new buffer that cannot be filled included; a non-PCM format keeps its extra bytes; playing while playing restarts;
// a lost buffer is restored (a bounded number of times) and refilled before playing.
#include "VelmoraFixture.h"

#include "platform/dsound/DSound.h"
#include "velmora/TKx_Sound.h"

using namespace velmoratest;
using namespace dsound;
using testwave::Bytes;

namespace {

using V = std::vector<std::int16_t>;

class SoundTest : public VelmoraTest {
protected:
    void SetUp() override {
        VelmoraTest::SetUp();
        sound = std::make_unique<TKx_Sound>();
    }
    void TearDown() override {
        sound.reset();
        VelmoraTest::TearDown();
    }
    std::string WaveFile(const std::string& name, const Bytes& bytes) {
        std::string path = (dir / name).string();
        testwave::WriteFile(path, bytes);
        return path;
    }
    std::string Wave(const std::string& name, const V& samples) {
        return WaveFile(name, testwave::Wave16(1, 8000, samples));
    }
    // The left channel of the next frames heard.
    V Hear(std::size_t frames) {
        V stereo = speaker->Pull(frames), left;
        for (std::size_t i = 0; i < stereo.size(); i += 2)
            left.push_back(stereo[i]);
        return left;
    }
    std::unique_ptr<TKx_Sound> sound;
};

} // namespace

TEST_F(SoundTest, InitOpensDirectSoundWithPriority) {
    sound->Init();
    ASSERT_NE(sound->DirectSound, nullptr);
    EXPECT_EQ(sound->DirectSound->CooperativeLevel(), DSSCL_PRIORITY);
    EXPECT_EQ(ddraw::CoInitializeCount(), 1);
    EXPECT_EQ(sound->GetStatus(), DSBSTATUS_BUFFERLOST); // no buffer yet
    sound.reset();
    EXPECT_EQ(ddraw::CoInitializeCount(), 0);

    TKx_Sound never; // one that never took COM does not give it back
    ddraw::CoInitialize(nullptr);
    { TKx_Sound other; }
    EXPECT_EQ(ddraw::CoInitializeCount(), 1);
    ddraw::CoUninitialize();
}

TEST_F(SoundTest, InitFailuresRaiseTheirTexts) {
    FaultInjector::Fail("DirectSound.SetCooperativeLevel", DSERR_INVALIDPARAM);
    EXPECT_EQ(ErrorOf([&] { sound->Init(); }), "Exception: Can't set coopertive level");
    winmm::AudioSystem::Instance().Install(nullptr); // no output device
    TKx_Sound silent;
    EXPECT_EQ(ErrorOf([&] { silent.Init(); }), "Exception: Can't create Direct Sound");
}

TEST_F(SoundTest, AWaveIsReadIntoTheBufferAndHeard) {
    sound->Init();
    std::string path = Wave("Beep.wav", {100, -200, 300, -400});
    sound->LoadWaveFile(path);
    EXPECT_TRUE(backend.boxes.empty());
    EXPECT_EQ(sound->FileName, path);
    EXPECT_EQ(sound->BufferBytes, 8u);
    ASSERT_NE(sound->WaveFormat, nullptr);
    EXPECT_EQ(sound->WaveFormat->nSamplesPerSec, 8000u);
    EXPECT_EQ(sound->WaveFormat->wBitsPerSample, 16);
    EXPECT_EQ(sound->WaveFormat->cbSize, 0);
    sound->PlayBuffer(false);
    EXPECT_EQ(sound->GetStatus(), DSBSTATUS_PLAYING);
    EXPECT_EQ(Hear(5), (V{100, -200, 300, -400, 0}));
    EXPECT_EQ(sound->GetStatus(), 0u);
}

TEST_F(SoundTest, SamplesLongerThanTheReadersBufferArriveWhole) {
    sound->Init();
    V samples(12345);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = std::int16_t(i * 37);
    Bytes image = testwave::Wave16(1, 8000, samples);
    sound->LoadWaveFile(WaveFile("Long.wav", image));
    ASSERT_NE(sound->Buffer, nullptr);
    EXPECT_EQ(sound->Buffer->Data(), Bytes(image.begin() + 44, image.end()));
}

TEST_F(SoundTest, TheLoadedFileIsNotReadAgain) {
    sound->Init();
    std::string path = Wave("Beep.wav", {1, 2});
    sound->LoadWaveFile(path);
    IDirectSoundBuffer* first = sound->Buffer;
    Wave("Beep.wav", {7, 8}); // changed on disk: the same name does not read it
    sound->LoadWaveFile(path);
    EXPECT_EQ(sound->Buffer, first);
    sound->PlayBuffer(false);
    EXPECT_EQ(Hear(2), (V{1, 2}));

    // Another file replaces the buffer; the old one is released.
    sound->LoadWaveFile(Wave("Other.wav", {5, 6}));
    EXPECT_EQ(LiveBufferCount(), 1);
    sound->PlayBuffer(false);
    EXPECT_EQ(Hear(2), (V{5, 6}));
}

TEST_F(SoundTest, BadFilesAreReportedAndTheLoadedOneStays) {
    sound->Init();
    std::string good = Wave("Good.wav", {11, 22});
    sound->LoadWaveFile(good);
    using testwave::Chunk;
    using testwave::FmtBody;
    using testwave::Riff;
    Bytes notRiff = Riff({Chunk("fmt ", FmtBody(1, 1, 8000, 16)), Chunk("data", {1, 0})});
    notRiff[0] = 'X';
    Bytes notWave = Riff({Chunk("fmt ", FmtBody(1, 1, 8000, 16)), Chunk("data", {1, 0})});
    notWave[8] = 'A';
    Bytes shortFmt = FmtBody(1, 1, 8000, 16);
    shortFmt.resize(14);
    Bytes truncatedData = Riff({Chunk("fmt ", FmtBody(1, 1, 8000, 16)), Chunk("data", {1, 0, 2, 0}, 4000)});
    const std::pair<const char*, Bytes> bad[] = {
        {"NotRiff.wav", notRiff},
        {"NotWave.wav", notWave},
        {"ShortFmt.wav", Riff({Chunk("fmt ", shortFmt), Chunk("data", {1, 0})})},
        {"NoFmt.wav", Riff({Chunk("data", {1, 0})})},
        {"NoData.wav", Riff({Chunk("fmt ", FmtBody(1, 1, 8000, 16))})},
        {"Truncated.wav", truncatedData},
        {"Empty.wav", {}},
    };
    for (const auto& [name, bytes] : bad) {
        backend.boxes.clear();
        sound->LoadWaveFile(WaveFile(name, bytes));
        EXPECT_EQ(backend.boxes, std::vector<std::string>{"Bad wave file."}) << name;
        EXPECT_EQ(sound->FileName, good) << name;
    }
    backend.boxes.clear();
    sound->LoadWaveFile((dir / "Missing.wav").string());
    EXPECT_EQ(backend.boxes, std::vector<std::string>{"Bad wave file."});
    // The good file is still loaded, readable and playable.
    sound->PlayBuffer(false);
    EXPECT_EQ(Hear(2), (V{11, 22}));
    LoseAllBuffers();
    sound->PlayBuffer(false);
    EXPECT_EQ(Hear(2), (V{11, 22}));
    // A failed name is read again when asked again.
    backend.boxes.clear();
    sound->LoadWaveFile((dir / "Missing.wav").string());
    EXPECT_EQ(backend.boxes.size(), 1u);
}

TEST_F(SoundTest, ANewBufferThatCannotBeFilledLeavesThePreviousSoundPlaying) {
    sound->Init();
    const std::string good = Wave("Good.wav", {11, 22});
    sound->LoadWaveFile(good);
    IDirectSoundBuffer* kept = sound->Buffer;
    // The next file's buffer is made, but its samples cannot be written into it.
    FaultInjector::Fail("DirectSoundBuffer.Lock", DSERR_INVALIDPARAM);
    sound->LoadWaveFile(Wave("Other.wav", {5, 6}));
    EXPECT_EQ(backend.boxes, std::vector<std::string>{"Bad wave file."});
    EXPECT_EQ(sound->FileName, good);
    EXPECT_EQ(sound->Buffer, kept);
    EXPECT_EQ(LiveBufferCount(), 1);
    ASSERT_NE(sound->WaveFormat, nullptr);
    EXPECT_EQ(sound->BufferBytes, 4u);
    sound->PlayBuffer(false);
    EXPECT_EQ(Hear(2), (V{11, 22}));
    // Its samples can still be read again, as restoring a lost buffer needs.
    LoseAllBuffers();
    sound->PlayBuffer(false);
    EXPECT_EQ(Hear(2), (V{11, 22}));
}

TEST_F(SoundTest, BuffersDirectSoundRefusesAreReported) {
    std::string good = Wave("Good.wav", {1, 2});
    sound->LoadWaveFile(good); // before Init: no DirectSound to make a buffer
    EXPECT_EQ(backend.boxes, std::vector<std::string>{"Can't load buffer"});
    EXPECT_EQ(sound->FileName, "");
    sound->Init();
    backend.boxes.clear();
    Bytes wide = testwave::Riff(
        {testwave::Chunk("fmt ", testwave::FmtBody(1, 1, 8000, 24)), testwave::Chunk("data", Bytes(6, 1))});
    sound->LoadWaveFile(WaveFile("Wide.wav", wide));
    sound->LoadWaveFile(Wave("Tiny.wav", {1})); // two bytes: below the smallest buffer
    EXPECT_EQ(backend.boxes, (std::vector<std::string>{"Can't load buffer", "Can't load buffer"}));
    EXPECT_EQ(sound->Buffer, nullptr);
    sound->PlayBuffer(false); // nothing to play: nothing happens
    EXPECT_EQ(backend.boxes.size(), 2u);
}

TEST_F(SoundTest, ANonPcmFormatKeepsItsExtraBytes) {
    Bytes fmt = testwave::FmtBody(2, 1, 8000, 4);
    testwave::Put16(fmt, 4);
    for (std::uint8_t b : {0xDE, 0xAD, 0xBE, 0xEF})
        fmt.push_back(b);
    std::string path = WaveFile("Adpcm.wav", testwave::Riff({testwave::Chunk("fmt ", fmt), testwave::Chunk("data", Bytes(8, 3))}));
    ASSERT_EQ(sound->Open(path), ddraw::S_OK);
    ASSERT_NE(sound->WaveFormat, nullptr);
    EXPECT_EQ(sound->WaveFormat->wFormatTag, 2);
    EXPECT_EQ(sound->WaveFormat->cbSize, 4);
    const auto* extra = reinterpret_cast<const std::uint8_t*>(sound->WaveFormat) + 18;
    EXPECT_EQ(Bytes(extra, extra + 4), (Bytes{0xDE, 0xAD, 0xBE, 0xEF}));
    EXPECT_EQ(sound->DataChunk.cksize, 8u);
    // The extra bytes must be there.
    fmt.resize(fmt.size() - 3);
    std::string cut = WaveFile("Cut.wav", testwave::Riff({testwave::Chunk("fmt ", fmt)}));
    EXPECT_EQ(sound->Open(cut), ddraw::E_FAIL);
    EXPECT_EQ(sound->WaveFormat, nullptr);
}

TEST_F(SoundTest, PlayingWhilePlayingStartsOverAndStopRewinds) {
    sound->Init();
    sound->LoadWaveFile(Wave("Beep.wav", {1, 2, 3, 4}));
    sound->PlayBuffer(true);
    EXPECT_EQ(sound->GetStatus(), DSBSTATUS_PLAYING | DSBSTATUS_LOOPING);
    EXPECT_EQ(Hear(3), (V{1, 2, 3}));
    sound->PlayBuffer(false);
    EXPECT_EQ(Hear(5), (V{1, 2, 3, 4, 0}));
    sound->PlayBuffer(true);
    EXPECT_EQ(Hear(2), (V{1, 2}));
    sound->StopBuffer();
    EXPECT_EQ(sound->GetStatus(), 0u);
    sound->Buffer->Play(0, 0, 0);
    EXPECT_EQ(Hear(1), (V{1}));
}

TEST_F(SoundTest, ALostBufferIsRestoredAndRefilledBeforePlaying) {
    sound->Init();
    sound->LoadWaveFile(Wave("Beep.wav", {9, 8, 7, 6}));
    Bytes filled = sound->Buffer->Data();
    LoseAllBuffers();
    FaultInjector::ClearAll();
    FaultInjector::Fail("DirectSoundBuffer.Restore", DSERR_BUFFERLOST, 3);
    sound->PlayBuffer(false);
    EXPECT_EQ(FaultInjector::Calls("DirectSoundBuffer.Restore"), 4);
    EXPECT_EQ(sound->Buffer->Data(), filled);
    EXPECT_EQ(Hear(4), (V{9, 8, 7, 6}));
    EXPECT_TRUE(backend.boxes.empty());
}

TEST_F(SoundTest, ABufferThatStaysLostIsReportedAfterTenTries) {
    sound->Init();
    sound->LoadWaveFile(Wave("Beep.wav", {9, 8}));
    LoseAllBuffers();
    FaultInjector::ClearAll();
    FaultInjector::Always("DirectSoundBuffer.Restore", DSERR_BUFFERLOST);
    sound->PlayBuffer(false);
    EXPECT_EQ(FaultInjector::Calls("DirectSoundBuffer.Restore"), TKx_Sound::kRestoreAttempts);
    EXPECT_EQ(backend.boxes, std::vector<std::string>{"Can't restore buffer"});
    EXPECT_EQ(sound->GetStatus(), DSBSTATUS_BUFFERLOST);

    FaultInjector::Clear("DirectSoundBuffer.Restore");
    FaultInjector::Fail("DirectSoundBuffer.Play", DSERR_GENERIC);
    sound->PlayBuffer(false);
    EXPECT_EQ(backend.boxes.back(), "Can't play buffer");
}

TEST_F(SoundTest, DestructionReleasesTheBufferAndDirectSound) {
    sound->Init();
    sound->LoadWaveFile(Wave("Beep.wav", {1, 2, 3, 4}));
    sound->PlayBuffer(true);
    EXPECT_EQ(LiveBufferCount(), 1);
    sound.reset();
    EXPECT_EQ(LiveBufferCount(), 0);
    EXPECT_EQ(winmm::AudioSystem::Instance().GetMixer().ActiveVoices(), 0u);
}
