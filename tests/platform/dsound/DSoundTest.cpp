// The software DirectSound refuses what the platform refuses (no device, no
// cooperative level, bad formats and sizes), locks with wrap-around, plays exactly the
// bytes written through the mixer (8 and 16 bit, once or looping, from where it
// stopped), loses and restores buffers, and applies volume, pan and frequency.
#include "platform/dsound/DSound.h"

#include "platform/ddraw/FaultInjector.h"
#include "platform/winmm/AudioSystem.h"
#include "platform/winmm/RecordingAudioDevice.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace dsound;

namespace {

constexpr int kRate = 8000;

WAVEFORMATEX Format(int channels, int bits, int rate = kRate) {
    WAVEFORMATEX f{};
    f.wFormatTag = winmm::WAVE_FORMAT_PCM;
    f.nChannels = winmm::WORD(channels);
    f.nSamplesPerSec = DWORD(rate);
    f.nBlockAlign = winmm::WORD(channels * bits / 8);
    f.nAvgBytesPerSec = f.nSamplesPerSec * f.nBlockAlign;
    f.wBitsPerSample = winmm::WORD(bits);
    return f;
}

class DSoundTest : public ::testing::Test {
protected:
    void SetUp() override {
        ddraw::ResetForTests();
        winmm::AudioSystem::Instance().Reset();
        auto device = std::make_unique<winmm::RecordingAudioDevice>(kRate);
        speaker = device.get();
        winmm::AudioSystem::Instance().Install(std::move(device));
        ASSERT_EQ(DirectSoundCreate(nullptr, &ds, nullptr), DS_OK);
        ASSERT_EQ(ds->SetCooperativeLevel(ddraw::MainWindow(), DSSCL_PRIORITY), DS_OK);
    }
    void TearDown() override {
        for (IDirectSoundBuffer* b : buffers)
            b->Release();
        if (ds)
            ds->Release();
        winmm::AudioSystem::Instance().Reset();
        ddraw::ResetForTests();
    }

    HRESULT Create(DWORD bytes, const WAVEFORMATEX& format, DWORD flags, IDirectSoundBuffer** out) {
        DSBUFFERDESC desc{};
        desc.dwSize = DSBUFFERDESC_SIZE;
        desc.dwFlags = flags;
        desc.dwBufferBytes = bytes;
        desc.lpwfxFormat = &format;
        HRESULT hr = ds->CreateSoundBuffer(&desc, out, nullptr);
        if (hr == DS_OK)
            buffers.push_back(*out);
        return hr;
    }
    // A 16-bit mono buffer holding the samples.
    IDirectSoundBuffer* Mono16(const std::vector<std::int16_t>& samples, DWORD flags = DSBCAPS_STATIC) {
        IDirectSoundBuffer* b = nullptr;
        EXPECT_EQ(Create(DWORD(samples.size() * 2), Format(1, 16), flags, &b), DS_OK);
        Write(b, samples.data(), samples.size() * 2);
        return b;
    }
    static void Write(IDirectSoundBuffer* b, const void* bytes, std::size_t size) {
        void* p1 = nullptr;
        DWORD n1 = 0;
        ASSERT_EQ(b->Lock(0, DWORD(size), &p1, &n1, nullptr, nullptr, 0), DS_OK);
        std::memcpy(p1, bytes, size);
        ASSERT_EQ(b->Unlock(p1, n1, nullptr, 0), DS_OK);
    }
    // The left channel of the next frames heard.
    std::vector<std::int16_t> Hear(std::size_t frames) {
        std::vector<std::int16_t> stereo = speaker->Pull(frames), left;
        for (std::size_t i = 0; i < stereo.size(); i += 2)
            left.push_back(stereo[i]);
        return left;
    }
    static DWORD Status(IDirectSoundBuffer* b) {
        DWORD s = 0xFF;
        EXPECT_EQ(b->GetStatus(&s), DS_OK);
        return s;
    }

    winmm::RecordingAudioDevice* speaker = nullptr;
    IDirectSound* ds = nullptr;
    std::vector<IDirectSoundBuffer*> buffers;
};

using V = std::vector<std::int16_t>;

} // namespace

TEST_F(DSoundTest, CreationRefusesWhatThePlatformRefuses) {
    IDirectSound* other = nullptr;
    GUID someDevice{1, 2, 3, {4, 5, 6, 7, 8, 9, 10, 11}};
    EXPECT_EQ(DirectSoundCreate(&someDevice, &other, nullptr), DSERR_NODRIVER);
    EXPECT_EQ(DirectSoundCreate(nullptr, &other, ds), DSERR_NOAGGREGATION);
    EXPECT_EQ(DirectSoundCreate(nullptr, nullptr, nullptr), DSERR_INVALIDPARAM);
    EXPECT_EQ(ds->SetCooperativeLevel(nullptr, DSSCL_PRIORITY), DSERR_INVALIDPARAM);
    EXPECT_EQ(ds->SetCooperativeLevel(ddraw::MainWindow(), 9), DSERR_INVALIDPARAM);

    // A fresh object has no cooperative level yet.
    ASSERT_EQ(DirectSoundCreate(nullptr, &other, nullptr), DS_OK);
    WAVEFORMATEX pcm = Format(1, 16);
    DSBUFFERDESC desc{};
    desc.dwSize = DSBUFFERDESC_SIZE;
    desc.dwBufferBytes = 64;
    desc.lpwfxFormat = &pcm;
    IDirectSoundBuffer* b = nullptr;
    EXPECT_EQ(other->CreateSoundBuffer(&desc, &b, nullptr), DSERR_PRIOLEVELNEEDED);
    other->Release();

    // No output device: no DirectSound.
    winmm::AudioSystem::Instance().Install(nullptr);
    EXPECT_EQ(DirectSoundCreate(nullptr, &other, nullptr), DSERR_NODRIVER);
    EXPECT_EQ(other, nullptr);
}

TEST_F(DSoundTest, BufferDescriptionsAreChecked) {
    IDirectSoundBuffer* b = nullptr;
    WAVEFORMATEX ok = Format(2, 16);
    EXPECT_EQ(Create(3, ok, 0, &b), DSERR_INVALIDPARAM);
    EXPECT_EQ(Create(DSBSIZE_MAX + 1, ok, 0, &b), DSERR_INVALIDPARAM);
    EXPECT_EQ(Create(64, ok, DSBCAPS_PRIMARYBUFFER, &b), DSERR_UNSUPPORTED);
    WAVEFORMATEX adpcm = ok;
    adpcm.wFormatTag = 2;
    EXPECT_EQ(Create(64, adpcm, 0, &b), DSERR_BADFORMAT);
    EXPECT_EQ(Create(64, Format(1, 24), 0, &b), DSERR_BADFORMAT);
    EXPECT_EQ(Create(64, Format(3, 16), 0, &b), DSERR_BADFORMAT);
    EXPECT_EQ(Create(64, Format(1, 16, 50), 0, &b), DSERR_BADFORMAT);
    WAVEFORMATEX misaligned = ok;
    misaligned.nBlockAlign = 2;
    EXPECT_EQ(Create(64, misaligned, 0, &b), DSERR_BADFORMAT);
    DSBUFFERDESC desc{};
    desc.dwSize = 24;
    desc.dwBufferBytes = 64;
    desc.lpwfxFormat = &ok;
    EXPECT_EQ(ds->CreateSoundBuffer(&desc, &b, nullptr), DSERR_INVALIDPARAM);
    desc.dwSize = DSBUFFERDESC1_SIZE; // the earlier, shorter description is accepted
    ASSERT_EQ(ds->CreateSoundBuffer(&desc, &b, nullptr), DS_OK);
    buffers.push_back(b);
    EXPECT_EQ(b->Bytes(), 64u);
    EXPECT_EQ(LiveBufferCount(), 1);
}

TEST_F(DSoundTest, LockWrapsPastTheEndAndUnlockChecksItsPointers) {
    IDirectSoundBuffer* b = nullptr;
    ASSERT_EQ(Create(100, Format(1, 8), DSBCAPS_STATIC, &b), DS_OK);
    EXPECT_TRUE(std::all_of(b->Data().begin(), b->Data().end(), [](std::uint8_t v) { return v == 0x80; }));
    void *p1 = nullptr, *p2 = nullptr;
    DWORD n1 = 0, n2 = 0;
    ASSERT_EQ(b->Lock(80, 40, &p1, &n1, &p2, &n2, 0), DS_OK);
    EXPECT_EQ(static_cast<const std::uint8_t*>(p1), b->Data().data() + 80);
    EXPECT_EQ(n1, 20u);
    EXPECT_EQ(static_cast<const std::uint8_t*>(p2), b->Data().data());
    EXPECT_EQ(n2, 20u);
    EXPECT_EQ(b->Unlock(p1, n1, p2, n2), DS_OK);
    EXPECT_EQ(b->Unlock(p1, n1, p2, n2), DSERR_INVALIDCALL); // nothing locked

    EXPECT_EQ(b->Lock(80, 40, &p1, &n1, nullptr, nullptr, 0), DSERR_INVALIDPARAM); // needs a second part
    EXPECT_EQ(b->Lock(100, 1, &p1, &n1, nullptr, nullptr, 0), DSERR_INVALIDPARAM);
    EXPECT_EQ(b->Lock(0, 0, &p1, &n1, nullptr, nullptr, 0), DSERR_INVALIDPARAM);
    EXPECT_EQ(b->Lock(0, 101, &p1, &n1, &p2, &n2, 0), DSERR_INVALIDPARAM);
    ASSERT_EQ(b->Lock(0, 0, &p1, &n1, &p2, &n2, DSBLOCK_ENTIREBUFFER), DS_OK);
    EXPECT_EQ(n1, 100u);
    EXPECT_EQ(p2, nullptr);
    EXPECT_EQ(b->Unlock(static_cast<std::uint8_t*>(p1) + 1, n1, nullptr, 0), DSERR_INVALIDPARAM); // runs past the end
    std::uint8_t outside[4];
    EXPECT_EQ(b->Unlock(outside, 4, nullptr, 0), DSERR_INVALIDPARAM);
    EXPECT_EQ(b->Unlock(p1, n1, nullptr, 0), DS_OK);
}

TEST_F(DSoundTest, PlaysTheBytesWrittenOnceThenFallsSilent) {
    IDirectSoundBuffer* b = Mono16({1000, -2000, 3000, -4000});
    EXPECT_EQ(Status(b), 0u);
    ASSERT_EQ(b->Play(0, 0, 0), DS_OK);
    EXPECT_EQ(Status(b), DSBSTATUS_PLAYING);
    std::vector<std::int16_t> stereo = speaker->Pull(6);
    EXPECT_EQ(stereo, (V{1000, 1000, -2000, -2000, 3000, 3000, -4000, -4000, 0, 0, 0, 0}));
    EXPECT_EQ(Status(b), 0u);
    DWORD play = 99, write = 99;
    EXPECT_EQ(b->GetCurrentPosition(&play, &write), DS_OK);
    EXPECT_EQ(play, 0u); // a sound played to its end is back at the start
    EXPECT_EQ(b->Play(1, 0, 0), DSERR_INVALIDPARAM);
}

TEST_F(DSoundTest, EightBitStereoIsWidenedAroundTheMiddleValue) {
    IDirectSoundBuffer* b = nullptr;
    ASSERT_EQ(Create(4, Format(2, 8), DSBCAPS_STATIC, &b), DS_OK);
    const std::uint8_t bytes[] = {0x80, 0xFF, 0x00, 0x90};
    Write(b, bytes, sizeof bytes);
    ASSERT_EQ(b->Play(0, 0, 0), DS_OK);
    EXPECT_EQ(speaker->Pull(2), (V{0, 127 * 256, -128 * 256, 16 * 256}));
}

TEST_F(DSoundTest, LoopingStoppingAndPositions) {
    IDirectSoundBuffer* b = Mono16({1, 2, 3, 4});
    ASSERT_EQ(b->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    EXPECT_EQ(Status(b), DSBSTATUS_PLAYING | DSBSTATUS_LOOPING);
    EXPECT_EQ(Hear(10), (V{1, 2, 3, 4, 1, 2, 3, 4, 1, 2}));
    DWORD play = 0;
    ASSERT_EQ(b->GetCurrentPosition(&play, nullptr), DS_OK);
    EXPECT_EQ(play, 4u); // frame 2, two bytes a frame

    // Stopped, it stays where it was; played again (once), it goes on from there.
    ASSERT_EQ(b->Stop(), DS_OK);
    EXPECT_EQ(Status(b), 0u);
    EXPECT_EQ(Hear(2), (V{0, 0}));
    ASSERT_EQ(b->Play(0, 0, 0), DS_OK);
    EXPECT_EQ(Hear(4), (V{3, 4, 0, 0}));

    // A loop that starts inside the buffer covers the whole buffer on every later turn.
    ASSERT_EQ(b->SetCurrentPosition(6), DS_OK);
    ASSERT_EQ(b->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    EXPECT_EQ(Hear(9), (V{4, 1, 2, 3, 4, 1, 2, 3, 4}));
    // Play on a playing buffer only changes the looping flag.
    ASSERT_EQ(b->Play(0, 0, 0), DS_OK);
    EXPECT_EQ(Status(b), DSBSTATUS_PLAYING);
    EXPECT_EQ(Hear(5), (V{1, 2, 3, 4, 0}));

    EXPECT_EQ(b->SetCurrentPosition(8), DSERR_INVALIDPARAM);
    ASSERT_EQ(b->SetCurrentPosition(0), DS_OK);
    ASSERT_EQ(b->Play(0, 0, 0), DS_OK);
    EXPECT_EQ(Hear(2), (V{1, 2}));
}

TEST_F(DSoundTest, LostBuffersStopRefuseAndComeBackEmpty) {
    IDirectSoundBuffer* b = Mono16({7, 7, 7, 7});
    ASSERT_EQ(b->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    LoseAllBuffers();
    EXPECT_EQ(Status(b), DSBSTATUS_BUFFERLOST);
    EXPECT_EQ(Hear(2), (V{0, 0}));
    EXPECT_EQ(b->Play(0, 0, 0), DSERR_BUFFERLOST);
    void* p = nullptr;
    DWORD n = 0;
    EXPECT_EQ(b->Lock(0, 2, &p, &n, nullptr, nullptr, 0), DSERR_BUFFERLOST);

    ddraw::FaultInjector::Fail("DirectSoundBuffer.Restore", DSERR_BUFFERLOST);
    EXPECT_EQ(b->Restore(), DSERR_BUFFERLOST);
    EXPECT_EQ(b->Restore(), DS_OK);
    EXPECT_EQ(Status(b), 0u);
    EXPECT_TRUE(std::all_of(b->Data().begin(), b->Data().end(), [](std::uint8_t v) { return v == 0; }));
    ASSERT_EQ(b->Play(0, 0, 0), DS_OK);
    EXPECT_EQ(Hear(1), (V{0}));
}

TEST_F(DSoundTest, VolumeAndPanNeedTheirControlsAndAttenuateInDecibels) {
    IDirectSoundBuffer* plain = Mono16({1000, 1000});
    EXPECT_EQ(plain->SetVolume(-100), DSERR_CONTROLUNAVAIL);
    EXPECT_EQ(plain->SetPan(100), DSERR_CONTROLUNAVAIL);
    EXPECT_EQ(plain->SetFrequency(11025), DSERR_CONTROLUNAVAIL);

    IDirectSoundBuffer* b = Mono16({20000, 20000}, DSBCAPS_STATIC | DSBCAPS_CTRLVOLUME | DSBCAPS_CTRLPAN);
    EXPECT_EQ(b->SetVolume(1), DSERR_INVALIDPARAM);
    EXPECT_EQ(b->SetVolume(DSBVOLUME_MIN - 1), DSERR_INVALIDPARAM);
    EXPECT_EQ(b->SetPan(DSBPAN_RIGHT + 1), DSERR_INVALIDPARAM);
    ASSERT_EQ(b->SetVolume(-600), DS_OK); // -6 dB: about half
    LONG volume = 0;
    ASSERT_EQ(b->GetVolume(&volume), DS_OK);
    EXPECT_EQ(volume, -600);
    ASSERT_EQ(b->Play(0, 0, 0), DS_OK);
    std::vector<std::int16_t> heard = speaker->Pull(1);
    EXPECT_NEAR(heard[0], 10024, 30);
    EXPECT_EQ(heard[0], heard[1]);

    // Panned fully right while playing: the left side falls silent at once.
    ASSERT_EQ(b->SetVolume(0), DS_OK);
    ASSERT_EQ(b->SetPan(DSBPAN_RIGHT), DS_OK);
    heard = speaker->Pull(1);
    EXPECT_EQ(heard[0], 0);
    EXPECT_EQ(heard[1], 20000);
}

TEST_F(DSoundTest, FrequencyChangesTheRateTheSamplesArePlayedAt) {
    IDirectSoundBuffer* b = Mono16({0, 100, 200, 300, 400, 500}, DSBCAPS_STATIC | DSBCAPS_CTRLFREQUENCY);
    DWORD frequency = 0;
    ASSERT_EQ(b->GetFrequency(&frequency), DS_OK);
    EXPECT_EQ(frequency, DWORD(kRate));
    EXPECT_EQ(b->SetFrequency(50), DSERR_INVALIDPARAM);
    ASSERT_EQ(b->SetFrequency(2 * kRate), DS_OK);
    ASSERT_EQ(b->Play(0, 0, 0), DS_OK);
    EXPECT_EQ(Hear(4), (V{0, 200, 400, 0}));
    ASSERT_EQ(b->SetFrequency(DSBFREQUENCY_ORIGINAL), DS_OK);
    ASSERT_EQ(b->GetFrequency(&frequency), DS_OK);
    EXPECT_EQ(frequency, DWORD(kRate));
}

TEST_F(DSoundTest, ReleasingTheDeviceSilencesItsBuffers) {
    IDirectSoundBuffer* b = Mono16({5, 5, 5, 5});
    ASSERT_EQ(b->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    ds->Release();
    ds = nullptr;
    EXPECT_EQ(Hear(1), (V{0}));
    EXPECT_EQ(b->Play(0, 0, 0), DSERR_UNINITIALIZED);
    EXPECT_EQ(LiveBufferCount(), 1);
    b->Release();
    buffers.clear();
    EXPECT_EQ(LiveBufferCount(), 0);
}
