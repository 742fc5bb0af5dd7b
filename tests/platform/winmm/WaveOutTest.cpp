// The waveOut functions answer as the platform's do (device count, format query,
// handles, per-channel volume, pitch and rate not supported, pause holding the
// device's sounds), and PlaySound keeps one asynchronous sound at a time: a new
// one cuts the old, purge stops it, and a sound that cannot be played answers false.
#include "platform/os/ProgramDir.h"
#include "platform/winmm/AudioSystem.h"
#include "platform/winmm/PlaySound.h"
#include "platform/winmm/RecordingAudioDevice.h"
#include "platform/winmm/TestWaveImage.h"
#include "platform/winmm/WaveOut.h"

#include <gtest/gtest.h>

using namespace winmm;
using namespace testwave;

namespace {

WAVEFORMATEX Format(WORD channels, DWORD rate, WORD bits) {
    WAVEFORMATEX f;
    f.wFormatTag = WAVE_FORMAT_PCM;
    f.nChannels = channels;
    f.nSamplesPerSec = rate;
    f.wBitsPerSample = bits;
    f.nBlockAlign = static_cast<WORD>(channels * bits / 8);
    f.nAvgBytesPerSec = f.nBlockAlign * rate;
    return f;
}

class WaveOutTest : public ::testing::Test {
protected:
    void SetUp() override {
        AudioSystem::Instance().Reset();
        auto device = std::make_unique<RecordingAudioDevice>(8000);
        recorder = device.get();
        AudioSystem::Instance().Install(std::move(device));
        dir = FreshDir("waveout");
    }
    void TearDown() override {
        AudioSystem::Instance().Reset();
        std::filesystem::remove_all(dir);
    }
    std::vector<std::int16_t> Left(std::size_t frames) {
        auto all = recorder->Pull(frames);
        std::vector<std::int16_t> left;
        for (std::size_t i = 0; i < all.size(); i += 2)
            left.push_back(all[i]);
        return left;
    }
    RecordingAudioDevice* recorder = nullptr;
    std::filesystem::path dir;
};

} // namespace

TEST_F(WaveOutTest, NoDeviceMeansNoDriver) {
    AudioSystem::Instance().Install(std::make_unique<NullAudioDevice>());
    EXPECT_EQ(waveOutGetNumDevs(), 0u);
    WAVEFORMATEX f = Format(2, 44100, 16);
    HWAVEOUT h = nullptr;
    EXPECT_EQ(waveOutOpen(&h, WAVE_MAPPER, &f, 0, 0, 0), MMSYSERR_NODRIVER);
    EXPECT_EQ(waveOutOpen(nullptr, WAVE_MAPPER, &f, 0, 0, WAVE_FORMAT_QUERY), MMSYSERR_NODRIVER);
    WAVEOUTCAPS caps;
    EXPECT_EQ(waveOutGetDevCaps(0, &caps, sizeof caps), MMSYSERR_NODRIVER);
    EXPECT_FALSE(PlaySound("x.wav", nullptr, SND_ASYNC | SND_NODEFAULT));
}

TEST_F(WaveOutTest, FormatQueryAndOpen) {
    EXPECT_EQ(waveOutGetNumDevs(), 1u);
    for (auto f : {Format(1, 11025, 8), Format(1, 11025, 16), Format(2, 22050, 16), Format(2, 44100, 16), Format(2, 48000, 8)})
        EXPECT_EQ(waveOutOpen(nullptr, WAVE_MAPPER, &f, 0, 0, WAVE_FORMAT_QUERY), MMSYSERR_NOERROR);
    for (auto f : {Format(3, 44100, 16), Format(2, 96000, 16), Format(2, 44100, 24), Format(1, 4000, 8)})
        EXPECT_EQ(waveOutOpen(nullptr, WAVE_MAPPER, &f, 0, 0, WAVE_FORMAT_QUERY), WAVERR_BADFORMAT);
    WAVEFORMATEX inconsistent = Format(2, 44100, 16);
    inconsistent.nAvgBytesPerSec = 1;
    EXPECT_EQ(waveOutOpen(nullptr, WAVE_MAPPER, &inconsistent, 0, 0, WAVE_FORMAT_QUERY), WAVERR_BADFORMAT);
    WAVEFORMATEX f = Format(2, 44100, 16);
    EXPECT_EQ(waveOutOpen(nullptr, 5, &f, 0, 0, WAVE_FORMAT_QUERY), MMSYSERR_BADDEVICEID);
    EXPECT_EQ(waveOutOpen(nullptr, WAVE_MAPPER, &f, 0, 0, WAVE_ALLOWSYNC), MMSYSERR_INVALPARAM);

    HWAVEOUT h = nullptr;
    ASSERT_EQ(waveOutOpen(&h, WAVE_MAPPER, &f, 0, 0, WAVE_ALLOWSYNC), MMSYSERR_NOERROR);
    ASSERT_NE(h, nullptr);
    UINT id = 99;
    EXPECT_EQ(waveOutGetID(h, &id), MMSYSERR_NOERROR);
    EXPECT_EQ(id, 0u);
    WAVEOUTCAPS caps;
    EXPECT_EQ(waveOutGetDevCaps(id, &caps, sizeof caps), MMSYSERR_NOERROR);
    EXPECT_EQ(caps.wChannels, 2);
    EXPECT_TRUE(caps.dwSupport & WAVECAPS_LRVOLUME);
    EXPECT_FALSE(caps.dwSupport & WAVECAPS_PITCH);
    EXPECT_FALSE(caps.dwSupport & WAVECAPS_PLAYBACKRATE);
    EXPECT_NE(std::string(caps.szPname), "");
    EXPECT_EQ(waveOutClose(h), MMSYSERR_NOERROR);
    // A closed handle is no longer a handle.
    EXPECT_EQ(waveOutClose(h), MMSYSERR_INVALHANDLE);
    EXPECT_EQ(waveOutGetID(h, &id), MMSYSERR_INVALHANDLE);
    DWORD v;
    EXPECT_EQ(waveOutGetVolume(nullptr, &v), MMSYSERR_INVALHANDLE);
    EXPECT_EQ(waveOutPause(nullptr), MMSYSERR_INVALHANDLE);
}

TEST_F(WaveOutTest, VolumePerChannelAndUnsupportedPitchAndRate) {
    WAVEFORMATEX f = Format(2, 44100, 16);
    HWAVEOUT h = nullptr;
    ASSERT_EQ(waveOutOpen(&h, WAVE_MAPPER, &f, 0, 0, 0), MMSYSERR_NOERROR);
    DWORD v = 0;
    EXPECT_EQ(waveOutGetVolume(h, &v), MMSYSERR_NOERROR);
    EXPECT_EQ(v, 0xFFFFFFFFu);
    // Right channel silent, left at half: the effects follow.
    EXPECT_EQ(waveOutSetVolume(h, 0x00008000), MMSYSERR_NOERROR);
    EXPECT_EQ(waveOutGetVolume(h, &v), MMSYSERR_NOERROR);
    EXPECT_EQ(v, 0x00008000u);
    WriteFile(dir / "tone.wav", Wave16(1, 8000, {10000, 10000}));
    ASSERT_TRUE(PlaySound((dir / "tone.wav").c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT));
    auto out = recorder->Pull(1);
    EXPECT_NEAR(out[0], 5000, 1);
    EXPECT_EQ(out[1], 0);
    EXPECT_EQ(waveOutGetPitch(h, &v), MMSYSERR_NOTSUPPORTED);
    EXPECT_EQ(waveOutSetPitch(h, 0x10000), MMSYSERR_NOTSUPPORTED);
    EXPECT_EQ(waveOutGetPlaybackRate(h, &v), MMSYSERR_NOTSUPPORTED);
    EXPECT_EQ(waveOutSetPlaybackRate(h, 0x10000), MMSYSERR_NOTSUPPORTED);
    waveOutClose(h);
}

TEST_F(WaveOutTest, PauseHoldsEffectsUntilRestartOrReset) {
    WAVEFORMATEX f = Format(2, 44100, 16);
    HWAVEOUT h = nullptr;
    ASSERT_EQ(waveOutOpen(&h, WAVE_MAPPER, &f, 0, 0, 0), MMSYSERR_NOERROR);
    WriteFile(dir / "ramp.wav", Wave16(1, 8000, {1, 2, 3, 4}));
    ASSERT_TRUE(PlaySound((dir / "ramp.wav").c_str(), nullptr, SND_FILENAME | SND_ASYNC));
    EXPECT_EQ(Left(1), (std::vector<std::int16_t>{1}));
    EXPECT_EQ(waveOutPause(h), MMSYSERR_NOERROR);
    EXPECT_EQ(Left(2), (std::vector<std::int16_t>{0, 0}));
    EXPECT_EQ(waveOutRestart(h), MMSYSERR_NOERROR);
    EXPECT_EQ(Left(1), (std::vector<std::int16_t>{2}));
    EXPECT_EQ(waveOutPause(h), MMSYSERR_NOERROR);
    EXPECT_EQ(waveOutReset(h), MMSYSERR_NOERROR);
    EXPECT_FALSE(PlaySoundActive());
    EXPECT_EQ(Left(2), (std::vector<std::int16_t>{0, 0}));
    // Closing a paused output releases its pause.
    ASSERT_TRUE(PlaySound((dir / "ramp.wav").c_str(), nullptr, SND_FILENAME | SND_ASYNC));
    waveOutPause(h);
    waveOutClose(h);
    EXPECT_EQ(Left(1), (std::vector<std::int16_t>{1}));
}

TEST_F(WaveOutTest, OneAsynchronousSoundAtATime) {
    WriteFile(dir / "Sound" / "ONE.WAV", Wave16(1, 8000, {11, 11, 11, 11}));
    WriteFile(dir / "Sound" / "two.wav", Wave16(1, 8000, {22, 22}));
    std::vector<std::string> seen;
    AudioSystem::Instance().OnPlaySound = [&](const std::string& name) { seen.push_back(name); };
    // Windows-shaped names are found whatever their case.
    std::string one = dir.string() + "\\sound\\one.wav";
    std::string two = dir.string() + "\\SOUND\\TWO.WAV";
    ASSERT_TRUE(PlaySound(one.c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT));
    EXPECT_EQ(Left(1), (std::vector<std::int16_t>{11}));
    ASSERT_TRUE(PlaySound(two.c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT));
    EXPECT_EQ(Left(3), (std::vector<std::int16_t>{22, 22, 0})); // the first was cut
    EXPECT_EQ(seen, (std::vector<std::string>{one, two}));

    ASSERT_TRUE(PlaySound(one.c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_LOOP));
    EXPECT_FALSE(PlaySound(two.c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_NOSTOP));
    EXPECT_EQ(Left(6), (std::vector<std::int16_t>{11, 11, 11, 11, 11, 11}));
    EXPECT_TRUE(PlaySound(nullptr, nullptr, SND_PURGE));
    EXPECT_FALSE(PlaySoundActive());
    EXPECT_EQ(Left(1), (std::vector<std::int16_t>{0}));
    // Purge and stop are not plays: the observer saw only named sounds.
    EXPECT_EQ(seen.size(), 4u);
}

TEST_F(WaveOutTest, SoundsThatCannotPlay) {
    WriteFile(dir / "bad.wav", Bytes{'R', 'I', 'F', 'F', 1, 0});
    std::vector<std::string> seen;
    AudioSystem::Instance().OnPlaySound = [&](const std::string& name) { seen.push_back(name); };
    std::string missing = (dir / "missing.wav").string();
    std::string bad = (dir / "bad.wav").string();
    EXPECT_FALSE(PlaySound(missing.c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT));
    EXPECT_FALSE(PlaySoundActive());
    EXPECT_FALSE(PlaySound(bad.c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT));
    EXPECT_FALSE(PlaySoundActive());
    // Without SND_NODEFAULT the default sound stands in, and the call still says it failed.
    EXPECT_FALSE(PlaySound(missing.c_str(), nullptr, SND_FILENAME | SND_ASYNC));
    EXPECT_TRUE(PlaySoundActive());
    EXPECT_EQ(seen, (std::vector<std::string>{missing, bad, missing}));
    // A memory image is never taken on trust.
    EXPECT_FALSE(PlaySound("RIFF", nullptr, SND_MEMORY | SND_NODEFAULT));
}

TEST_F(WaveOutTest, SynchronousPlayReturnsWhenDone) {
    WriteFile(dir / "s.wav", Wave16(1, 8000, {5, 5}));
    EXPECT_TRUE(PlaySound((dir / "s.wav").c_str(), nullptr, SND_FILENAME | SND_SYNC));
    EXPECT_FALSE(PlaySoundActive());
    EXPECT_EQ(AudioSystem::Instance().GetMixer().ActiveVoices(), 0u);
}

TEST(RelativeToProgramDir, CutsTheProgramFolder) {
    os::SetProgramDir("/opt/plazaro");
    EXPECT_EQ(RelativeToProgramDir("/opt/plazaro\\Sound\\ROADS.WAV"), "Sound\\ROADS.WAV");
    EXPECT_EQ(RelativeToProgramDir("/opt/plazaro/Sound/x.wav"), "Sound/x.wav");
    EXPECT_EQ(RelativeToProgramDir("/opt/plazaroX/a.wav"), "/opt/plazaroX/a.wav");
    EXPECT_EQ(RelativeToProgramDir("/elsewhere/a.wav"), "/elsewhere/a.wav");
    os::SetProgramDir("");
}
