// The wave sound component answers every command of its table with the exact
// status texts, raises WSError and the base exception with the messages its debug
// level asks for, shows boxes only when it may (UseServer), refuses bad or missing
// wave files with "~WARNING; Can't play ...", and restores the volume it found.
#include "audio/TWaveSound2.h"

#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/ui/Application.h"
#include "platform/winmm/AudioSystem.h"
#include "platform/winmm/PlaySound.h"
#include "platform/winmm/RecordingAudioDevice.h"
#include "platform/winmm/TestWaveImage.h"
#include "platform/winmm/WaveOut.h"

#include <gtest/gtest.h>

using namespace testwave;
using winmm::AudioSystem;

namespace {

constexpr std::uint32_t kGameFlags = 0x20003; // file name, no default sound, asynchronous

class WaveSoundTest : public ::testing::Test {
protected:
    void SetUp() override {
        AudioSystem::Instance().Reset();
        AudioSystem::Instance().Install(std::make_unique<winmm::RecordingAudioDevice>(22050));
        backend.Output = [this](const std::string& line) { lines.push_back(line); };
        ui::Application::Instance().SetBackend(&backend);
        ui::Application::Instance().Title = "Plazaro";
        dir = FreshDir("wavesound");
        sound.DebugLevel = dlMore;
    }
    void TearDown() override {
        ui::Application::Instance().SetBackend(nullptr);
        AudioSystem::Instance().Reset();
        std::filesystem::remove_all(dir);
    }
    headless::HeadlessBackend backend;
    std::vector<std::string> lines;
    std::filesystem::path dir;
    TWaveSound2 sound;
};

} // namespace

TEST_F(WaveSoundTest, InitOpensTheDeviceWithTheBestFormat) {
    int setups = 0;
    sound.OnSetupSound = [&](TWaveSound2* sender) {
        EXPECT_EQ(sender, &sound);
        ++setups;
    };
    EXPECT_EQ(sound.Exec_Comm("INIT"), "Sound not initialized"); // Exec_Comm needs Init first
    EXPECT_EQ(sound.Status, "");
    sound.Init(0, 0, 0);
    EXPECT_TRUE(sound.Initialized);
    EXPECT_TRUE(sound.Enabled);
    EXPECT_EQ(sound.Status, "Sound initialized");
    EXPECT_EQ(setups, 1);
    EXPECT_NE(sound.WaveOut, nullptr);
    EXPECT_EQ(sound.DeviceID, 0u);
    // The capabilities are laid out packed, as the platform has them: the fields are
    // read by value, since a reference to a packed field may be misaligned.
    EXPECT_EQ(int{sound.Caps.wChannels}, 2);
    EXPECT_EQ(sound.GetWaveFormat(), "Sound sampling rate: 44100Hz 16bit");
    EXPECT_EQ(int{sound.Format.nChannels}, 2);
    EXPECT_EQ(int{sound.Format.nBlockAlign}, 4);
    EXPECT_EQ(std::uint32_t{sound.Format.nAvgBytesPerSec}, 176400u);
    EXPECT_EQ(sound.SavedVolume, 0xFFFFFFFFu);
    // Init again through the command table: one output stays open, not two.
    EXPECT_EQ(sound.Exec_Comm("INIT"), "Sound initialized");
    EXPECT_EQ(winmm::OpenWaveOutCount(), 1);
    EXPECT_EQ(setups, 2);
    EXPECT_TRUE(lines.empty());
}

TEST_F(WaveSoundTest, AskedFormatOrTheNextBest) {
    sound.Init(1, 22050, 8);
    EXPECT_EQ(sound.GetWaveFormat(), "Sound sampling rate: 22050Hz 8bit");
    EXPECT_TRUE(lines.empty());
    sound.Init(2, 96000, 16);
    EXPECT_EQ(sound.GetWaveFormat(), "Sound sampling rate: 44100Hz 16bit");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "box: Plazaro: Specified format unsupported..\nUsing next best format -> OK");
    sound.UseServer = true;
    sound.Init(2, 96000, 16);
    EXPECT_EQ(lines.size(), 1u);
}

TEST_F(WaveSoundTest, PlaybackQualityStopsAtTheFirstRefusal) {
    auto f = sound.GetPlaybackQuality();
    EXPECT_EQ(f.nChannels, 2);
    EXPECT_EQ(f.nSamplesPerSec, 44100u);
    EXPECT_EQ(f.wBitsPerSample, 16);
    auto set = sound.SetWaveFormat(2, 11025, 16);
    EXPECT_EQ(set.wFormatTag, 1);
    EXPECT_EQ(set.nBlockAlign, 4);
    EXPECT_EQ(set.nAvgBytesPerSec, 44100u);
    EXPECT_EQ(set.cbSize, 0);
    EXPECT_TRUE(sound.IsFormatSupported(set));
    EXPECT_FALSE(sound.IsFormatSupported(sound.SetWaveFormat(6, 11025, 16)));
}

TEST_F(WaveSoundTest, NoDeviceNothingInitialised) {
    AudioSystem::Instance().Install(std::make_unique<winmm::NullAudioDevice>());
    EXPECT_FALSE(sound.IsCardPresent());
    sound.Init(0, 0, 0);
    EXPECT_EQ(sound.Status, "Sound card not detected");
    EXPECT_FALSE(sound.Initialized);
    EXPECT_FALSE(sound.Enabled);
    for (const char* c : {"GET_VOLUME", "INIT", "PAUSE", "STOP", "ON", "OFF", "FOO"})
        EXPECT_EQ(sound.Exec_Comm(c), "Sound not initialized") << c;
    EXPECT_EQ(sound.Exec_Comm("SET_VOLUME", 5), "Sound not initialized");
    EXPECT_EQ(sound.Status, "Sound card not detected");
    EXPECT_EQ(sound.Play("x.wav", false, kGameFlags), "Sound not initialized");
    EXPECT_EQ(sound.GetVolume(), 0u);
    EXPECT_EQ(sound.Status, "Sound not initialized");
    sound.SetVolume(7);
    EXPECT_EQ(sound.Status, "Sound not initialized");
    sound.Stop();
    EXPECT_EQ(sound.Status, "Sound not initialized");
    // Pause and Resume do not look at Initialized: the missing handle is a device error.
    try {
        sound.Pause();
        FAIL() << "no WSError";
    } catch (const WSError& e) {
        EXPECT_STREQ(e.what(), "Pause: GetWSError: Device handle is invalid");
    }
    EXPECT_TRUE(lines.empty());
}

TEST_F(WaveSoundTest, CommandTableBothForms) {
    sound.Init(0, 0, 0);
    EXPECT_EQ(sound.Exec_Comm("GET_VOLUME"), "Volume = 0xFFFFFFFF");
    EXPECT_EQ(sound.Exec_Comm("GET_VOLUME", 3), "Volume = 0xFFFFFFFF");
    EXPECT_EQ(sound.Exec_Comm("SET_VOLUME", 0x12345678), "Volume set to: 0x12345678");
    EXPECT_EQ(sound.Exec_Comm("GET_VOLUME"), "Volume = 0x12345678");
    EXPECT_EQ(sound.Exec_Comm("PAUSE"), "Sound paused");
    EXPECT_TRUE(AudioSystem::Instance().GetMixer().BusPaused(winmm::MixerBus::Effects));
    EXPECT_EQ(sound.Exec_Comm("RESUME", 1), "Sound playing");
    EXPECT_FALSE(AudioSystem::Instance().GetMixer().BusPaused(winmm::MixerBus::Effects));
    EXPECT_EQ(sound.Exec_Comm("STOP"), "Sound stopped");
    EXPECT_EQ(sound.Exec_Comm("OFF"), "Sound turned off");
    EXPECT_FALSE(sound.Enabled);
    EXPECT_EQ(sound.Exec_Comm("STOP"), "Sound turned off");
    EXPECT_EQ(sound.Play("a.wav", false, kGameFlags), "Sound turned off");
    EXPECT_EQ(sound.Exec_Comm("ON", 0), "Sound turned on");
    EXPECT_TRUE(sound.Enabled);
    EXPECT_TRUE(lines.empty());

    // Keywords are exact and case-sensitive; the setters need the number.
    EXPECT_EQ(sound.Exec_Comm("get_volume"), "get_volume not accepted");
    EXPECT_EQ(sound.Exec_Comm("SET_VOLUME"), "SET_VOLUME not accepted");
    EXPECT_EQ(sound.Exec_Comm("SET_PITCH"), "SET_PITCH not accepted");
    EXPECT_EQ(sound.Exec_Comm("SET_PLAYBACKRATE"), "SET_PLAYBACKRATE not accepted");
    EXPECT_EQ(sound.Exec_Comm("VOLUME", 50), "VOLUME not accepted");
    EXPECT_EQ(sound.Exec_Comm("GET_VOLUME "), "GET_VOLUME  not accepted");
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], "box: Plazaro: get_volume not accepted -> OK");
    EXPECT_EQ(lines[4], "box: Plazaro: VOLUME not accepted -> OK");
    sound.UseServer = true;
    EXPECT_EQ(sound.Exec_Comm("BOGUS"), "BOGUS not accepted");
    EXPECT_EQ(lines.size(), 6u);
}

TEST_F(WaveSoundTest, PitchAndRateAreNotSupported) {
    sound.Init(0, 0, 0);
    EXPECT_EQ(sound.GetPitch(), 0u);
    EXPECT_EQ(sound.Status, "GetPitch - Function not Supported");
    EXPECT_EQ(sound.Exec_Comm("GET_PLAYBACKRATE"), "GetPlaybackRate - Function not Supported");
    EXPECT_EQ(sound.Exec_Comm("SET_PITCH", 0x10000), "SetPitch - Function not Supported");
    EXPECT_EQ(sound.Exec_Comm("SET_PLAYBACKRATE", 0x10000), "SetPlaybackRate - Function not Supported");
    EXPECT_EQ(sound.Exec_Comm("GET_PITCH"), "GetPitch - Function not Supported");
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "box: Plazaro: GetPitch - Function not Supported -> OK");
    // Without debug detail the notice is not given: the status stays as it was.
    sound.DebugLevel = dlNone;
    sound.GetVolume();
    EXPECT_EQ(sound.GetPitch(), 0u);
    EXPECT_EQ(sound.Status, "Volume = 0xFFFFFFFF");
    EXPECT_EQ(lines.size(), 5u);
}

TEST_F(WaveSoundTest, VolumeStepsOfTheSoundBox) {
    sound.Init(0, 0, 0);
    // The box shows GetVolume / 0x11111111 as a step and sets step * 0x11111111.
    for (std::uint32_t step = 0; step <= 15; ++step) {
        sound.SetVolume(step * 0x11111111u);
        std::uint32_t v = sound.GetVolume();
        EXPECT_EQ(v / 0x11111111u, step);
        std::uint16_t left, right;
        AudioSystem::Instance().GetMixer().GetBusVolume(winmm::MixerBus::Effects, left, right);
        EXPECT_EQ(left, step * 0x1111u);
        EXPECT_EQ(right, step * 0x1111u);
    }
    EXPECT_EQ(sound.Status, "Volume = 0xFFFFFFFF");
    sound.SetVolume(0);
    EXPECT_EQ(sound.Status, "Volume set to: 0x00000000");
}

TEST_F(WaveSoundTest, PlayingAndItsFailures) {
    WriteFile(dir / "Sound" / "ROADS.WAV", Wave16(1, 22050, {1, 2, 3}));
    WriteFile(dir / "Sound" / "TRUNC.WAV", Bytes{'R', 'I', 'F', 'F', 40, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm'});
    std::vector<std::string> played;
    AudioSystem::Instance().OnPlaySound = [&](const std::string& n) { played.push_back(n); };
    int events = 0;
    sound.OnPlaySound = [&](TWaveSound2*) { ++events; };
    sound.Init(0, 0, 0);

    std::string road = dir.string() + "\\Sound\\roads.wav";
    EXPECT_EQ(sound.Play(road, false, kGameFlags), road + " is being played");
    EXPECT_TRUE(winmm::PlaySoundActive());
    EXPECT_EQ(events, 1);

    // The game's setting: a failed play raises the base exception after setting the warning.
    std::string missing = dir.string() + "\\Sound\\HOUSE";
    try {
        sound.Play(missing, false, kGameFlags);
        FAIL() << "no exception";
    } catch (const WSError&) {
        FAIL() << "a failed play is not a device error";
    } catch (const ui::Exception& e) {
        EXPECT_EQ(e.Message(), "Play: Can't play " + missing);
    }
    EXPECT_EQ(sound.Status, "~WARNING; Can't play " + missing + ";");
    EXPECT_EQ(events, 1);
    sound.DebugLevel = dlLess;
    try {
        sound.Play(missing, false, kGameFlags);
        FAIL();
    } catch (const ui::Exception& e) {
        EXPECT_EQ(e.Message(), "Can't play " + missing);
    }
    sound.DebugLevel = dlNone;
    try {
        sound.Play(missing, false, kGameFlags);
        FAIL();
    } catch (const ui::Exception& e) {
        EXPECT_EQ(e.Message(), "Sound Error");
    }

    // Without a user the warning is only the status, and the event still fires.
    sound.UseServer = true;
    std::string trunc = dir.string() + "\\Sound\\TRUNC.WAV";
    EXPECT_EQ(sound.Play(trunc, false, kGameFlags), "~WARNING; Can't play " + trunc + ";");
    EXPECT_EQ(events, 2);
    EXPECT_EQ(played, (std::vector<std::string>{road, missing, missing, missing, trunc}));
    EXPECT_TRUE(lines.empty());
}

TEST_F(WaveSoundTest, EmptyNameResumesAndStopFailureWarns) {
    sound.Init(0, 0, 0);
    sound.Pause();
    int events = 0;
    sound.OnPlaySound = [&](TWaveSound2*) { ++events; };
    EXPECT_EQ(sound.Play("", false, 0), "Sound playing");
    EXPECT_FALSE(AudioSystem::Instance().GetMixer().BusPaused(winmm::MixerBus::Effects));
    EXPECT_EQ(events, 0);

    AudioSystem::Instance().FailPlaySound = true;
    sound.Stop();
    EXPECT_EQ(sound.Status, "~WARNING; Can't stop sound;");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "box: Plazaro: Can't stop sound -> OK");
    // "OFF" stops, then turns the effects off whatever the stop answered.
    EXPECT_EQ(sound.Exec_Comm("OFF"), "Sound turned off");
    EXPECT_EQ(lines.size(), 2u);
}

TEST_F(WaveSoundTest, DeviceErrorsAndTheirTexts) {
    try {
        sound.MMR_Test(winmm::MMSYSERR_NODRIVER, "Init");
        FAIL();
    } catch (const WSError& e) {
        EXPECT_STREQ(e.what(), "Init: GetWSError: No device driver present");
    }
    sound.DebugLevel = dlNone;
    try {
        sound.MMR_Test(winmm::WAVERR_BADFORMAT, "Init");
        FAIL();
    } catch (const WSError& e) {
        EXPECT_STREQ(e.what(), "GetWSError: Waveform audio not supported");
    }
    EXPECT_EQ(sound.MMR_Test(0, "x"), 0);
    EXPECT_EQ(sound.MMR_Test(8, "x"), 1);

    const std::pair<unsigned, const char*> table[] = {
        {2, "Device ID out of range"}, {3, "Driver failed enable"}, {4, "Device already allocated"},
        {5, "Device handle is invalid"}, {6, "No device driver present"}, {7, "Memory allocation error"},
        {8, "Function isn't supported"}, {9, "Error value out of range"}, {10, "Invalid flag passed"},
        {11, "Invalid parameter passed"}, {12, "Handle being used"}, {13, "Specified alias not found"},
        {14, "Bad registry database"}, {15, "Registry key not found"}, {16, "Registry read error"},
        {17, "Registry write error"}, {18, "Registry delete error"}, {19, "Registry value not found"},
        {20, "Driver does not call DriverCallback"}, {32, "Waveform audio not supported"},
        {33, "There are buffers in the queue"}, {34, "Header not prepared"}, {35, "Device is synchronous"},
        {1, "Unknown error"}, {21, "Unknown error"}, {0, "Unknown error"}, {999, "Unknown error"}};
    for (const auto& [code, text] : table)
        EXPECT_EQ(TWaveSound2::GetWSError(code), std::string("GetWSError: ") + text) << code;
}

TEST_F(WaveSoundTest, LibraryThatCannotLoad) {
    sound.DLLName = "NoSuchSounds.dll";
    try {
        sound.Init(0, 0, 0);
        FAIL();
    } catch (const ui::Exception& e) {
        EXPECT_EQ(e.Message(), "Can't Load DLL: NoSuchSounds.dll");
    }
    EXPECT_FALSE(sound.Initialized);
}

TEST(WaveSoundLifetime, DestructorRestoresVolumeAndClosesTheDevice) {
    AudioSystem::Instance().Reset();
    AudioSystem::Instance().Install(std::make_unique<winmm::RecordingAudioDevice>());
    {
        TWaveSound2 first;
        first.Init(0, 0, 0);
        first.SetVolume(0x80008000);
        TWaveSound2 second;
        second.Init(0, 0, 0);
        EXPECT_EQ(second.SavedVolume, 0x80008000u);
        second.SetVolume(0x11111111);
        EXPECT_EQ(winmm::OpenWaveOutCount(), 2);
    }
    // The second put back what it found, then the first put back the full volume.
    EXPECT_EQ(winmm::OpenWaveOutCount(), 0);
    winmm::HWAVEOUT h = nullptr;
    winmm::WAVEFORMATEX f{1, 1, 11025, 11025, 1, 8, 0};
    ASSERT_EQ(winmm::waveOutOpen(&h, winmm::WAVE_MAPPER, &f, 0, 0, 0), 0u);
    winmm::DWORD v = 0;
    winmm::waveOutGetVolume(h, &v);
    EXPECT_EQ(v, 0xFFFFFFFFu);
    AudioSystem::Instance().Reset();
}

TEST_F(WaveSoundTest, ADeviceWithPitchAndRate) {
    AudioSystem::Instance().Install(std::make_unique<winmm::RecordingAudioDevice>(22050, true));
    sound.Init(0, 0, 0);
    EXPECT_TRUE(sound.Caps.dwSupport & winmm::WAVECAPS_PITCH);
    EXPECT_EQ(sound.Exec_Comm("GET_PITCH"), "Pitch = 0x00010000");
    EXPECT_EQ(sound.Exec_Comm("SET_PITCH", 0x00018000), "Pitch set to: 0x00018000");
    EXPECT_EQ(sound.GetPitch(), 0x00018000u);
    EXPECT_EQ(sound.Exec_Comm("GET_PLAYBACKRATE"), "PlaybackRate = 0x00010000");
    EXPECT_EQ(sound.Exec_Comm("SET_PLAYBACKRATE", 0x00008000), "PlaybackRate set to: 0x00008000");
    EXPECT_EQ(sound.GetPlaybackRate(), 0x00008000u);
    EXPECT_TRUE(lines.empty());
}
