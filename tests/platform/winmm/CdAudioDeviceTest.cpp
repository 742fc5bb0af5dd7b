// The "cdaudio" device plays a virtual disc made of the numbered tracks of the
// program's Music folder: it cannot open without that folder, orders tracks by
// number, plays track ranges in tmsf and other formats, pauses, stops, opens and
// shuts its door, reports its status, and every command string reaches the observer.
#include "platform/os/ProgramDir.h"
#include "platform/winmm/AudioSystem.h"
#include "platform/winmm/CdDrive.h"
#include "platform/winmm/Mci.h"
#include "platform/winmm/RecordingAudioDevice.h"
#include "platform/winmm/TestWaveImage.h"
#include "platform/winmm/WaveOut.h"

#include <gtest/gtest.h>

using namespace winmm;
using namespace testwave;

namespace {

constexpr int kRate = 8000;

Bytes Constant(std::int16_t value, int frames) {
    return Wave16(1, kRate, std::vector<std::int16_t>(static_cast<std::size_t>(frames), value));
}

class CdAudioDeviceTest : public ::testing::Test {
protected:
    void SetUp() override {
        AudioSystem::Instance().Reset();
        auto device = std::make_unique<RecordingAudioDevice>(kRate);
        recorder = device.get();
        AudioSystem::Instance().Install(std::move(device));
        dir = FreshDir("cdaudio");
        os::SetProgramDir(dir.string());
    }
    void TearDown() override {
        AudioSystem::Instance().Reset();
        os::SetProgramDir("");
        std::filesystem::remove_all(dir);
    }
    // Track 1 lasts 1 s, track 2 half a second, track 3 (file number 10) 1 s; the
    // files without a number or of another kind are not on the disc.
    void MakeDisc() {
        WriteFile(dir / "Music" / "Track01.wav", Constant(1000, kRate));
        WriteFile(dir / "Music" / "Track2.wav", Constant(2000, kRate / 2));
        WriteFile(dir / "Music" / "Track10.wav", Constant(3000, kRate));
        WriteFile(dir / "Music" / "cover.wav", Constant(9999, 10));
        WriteFile(dir / "Music" / "Track05.txt", Bytes{1, 2, 3});
    }
    std::string Ask(const std::string& command) {
        std::string answer = "unchanged";
        MCIERROR e = mciSendString(command, &answer);
        return e == 0 ? answer : "error " + std::to_string(e);
    }
    // The value heard after frames more frames.
    std::int16_t HeardAfter(std::size_t frames) {
        if (frames > 1)
            recorder->Pull(frames - 1);
        return recorder->Pull(1)[0];
    }
    RecordingAudioDevice* recorder = nullptr;
    std::filesystem::path dir;
};

} // namespace

TEST_F(CdAudioDeviceTest, NoMusicFolderNoDrive) {
    EXPECT_EQ(mciSendString("open cdaudio"), MCIERR_INVALID_DEVICE_NAME);
    EXPECT_EQ(mciSendString("play cdaudio"), MCIERR_INVALID_DEVICE_NAME);
    EXPECT_EQ(mciSendString("close cdaudio"), MCIERR_INVALID_DEVICE_NAME);
}

TEST_F(CdAudioDeviceTest, EmptyMusicFolderIsADriveWithoutDisc) {
    std::filesystem::create_directories(dir / "MUSIC");
    EXPECT_EQ(mciSendString("open cdaudio"), 0u);
    EXPECT_EQ(Ask("status cdaudio media present"), "false");
    EXPECT_EQ(Ask("status cdaudio mode"), "not ready");
    EXPECT_EQ(mciSendString("play cdaudio"), MCIERR_DEVICE_NOT_READY);
    EXPECT_EQ(mciSendString("status cdaudio number of tracks"), MCIERR_DEVICE_NOT_READY);
}

TEST_F(CdAudioDeviceTest, DiscIsTheNumberedTracksInOrder) {
    MakeDisc();
    ASSERT_EQ(mciSendString("open cdaudio"), 0u);
    EXPECT_EQ(Ask("status cdaudio number of tracks"), "3");
    EXPECT_EQ(Ask("status cdaudio time format"), "msf");
    ASSERT_EQ(mciSendString("set cdaudio time format tmsf"), 0u);
    EXPECT_EQ(Ask("status cdaudio time format"), "tmsf");
    EXPECT_EQ(Ask("status cdaudio length"), "00:02:37"); // 2.5 s: 2 s and 37 frames
    EXPECT_EQ(Ask("status cdaudio length track 2"), "00:00:37");
    EXPECT_EQ(Ask("status cdaudio position track 3"), "03:00:00:00");
    EXPECT_EQ(Ask("status cdaudio length track 4"), "error " + std::to_string(MCIERR_OUTOFRANGE));
    EXPECT_EQ(Ask("status cdaudio mode"), "stopped");
    EXPECT_EQ(Ask("status cdaudio position"), "01:00:00:00");
    // Track 3 is the file numbered 10: it sorts after Track2 by number, not by name.
    ASSERT_EQ(mciSendString("play cdaudio from 3"), 0u);
    EXPECT_EQ(HeardAfter(1), 3000);
}

TEST_F(CdAudioDeviceTest, PlayRangesInTracks) {
    MakeDisc();
    mciSendString("open cdaudio");
    mciSendString("set cdaudio time format tmsf");
    // "from 2 to 3" is track 2 alone: play stops where track 3 begins.
    ASSERT_EQ(mciSendString("play cdaudio from 2 to 3"), 0u);
    EXPECT_EQ(Ask("status cdaudio mode"), "playing");
    EXPECT_EQ(Ask("status cdaudio current track"), "2");
    EXPECT_EQ(HeardAfter(1), 2000);
    EXPECT_EQ(HeardAfter(kRate / 2 - 1), 2000);
    EXPECT_EQ(HeardAfter(1), 0);
    EXPECT_EQ(Ask("status cdaudio mode"), "stopped");
    EXPECT_EQ(Ask("status cdaudio position"), "03:00:00:00");

    // Without "to" the disc plays on, track after track, to its end.
    ASSERT_EQ(mciSendString("play cdaudio from 1:00:00:40"), 0u); // 40 frames into track 1
    // 40 frames are 533 ms: 4264 samples in, 3736 remain of track 1. The tracks
    // follow each other without a gap.
    EXPECT_EQ(HeardAfter(1), 1000);
    EXPECT_EQ(HeardAfter(3735), 1000);
    EXPECT_EQ(HeardAfter(1), 2000);
    EXPECT_EQ(HeardAfter(kRate / 2 - 1), 2000);
    EXPECT_EQ(HeardAfter(1), 3000);
    EXPECT_EQ(HeardAfter(kRate - 1), 3000);
    EXPECT_EQ(HeardAfter(1), 0);
    EXPECT_EQ(Ask("status cdaudio mode"), "stopped");

    EXPECT_EQ(mciSendString("play cdaudio from 4"), MCIERR_OUTOFRANGE);
    EXPECT_EQ(mciSendString("play cdaudio from 3 to 2"), MCIERR_OUTOFRANGE);
    EXPECT_EQ(mciSendString("play cdaudio from x"), MCIERR_OUTOFRANGE);
    EXPECT_EQ(mciSendString("play cdaudio from"), MCIERR_MISSING_PARAMETER);
    EXPECT_EQ(mciSendString("play cdaudio at 2"), MCIERR_UNRECOGNIZED_KEYWORD);
}

TEST_F(CdAudioDeviceTest, OtherTimeFormats) {
    MakeDisc();
    mciSendString("open cdaudio");
    ASSERT_EQ(mciSendString("set cdaudio time format milliseconds"), 0u);
    EXPECT_EQ(Ask("status cdaudio length"), "2500");
    ASSERT_EQ(mciSendString("play cdaudio from 1250 to 1400"), 0u);
    EXPECT_EQ(HeardAfter(1), 2000);
    ASSERT_EQ(mciSendString("set cdaudio time format msf"), 0u);
    ASSERT_EQ(mciSendString("play cdaudio from 0:01:20"), 0u); // 1 s and 20 frames: track 2
    EXPECT_EQ(HeardAfter(1), 2000);
    EXPECT_EQ(mciSendString("set cdaudio time format bogus"), MCIERR_BAD_TIME_FORMAT);
}

TEST_F(CdAudioDeviceTest, PauseResumeStop) {
    MakeDisc();
    mciSendString("open cdaudio");
    mciSendString("set cdaudio time format tmsf");
    mciSendString("play cdaudio from 2");
    recorder->Pull(100);
    ASSERT_EQ(mciSendString("pause cdaudio"), 0u);
    EXPECT_EQ(Ask("status cdaudio mode"), "paused");
    EXPECT_EQ(HeardAfter(kRate * 3), 0); // held, however long
    // A plain play resumes where the pause was.
    ASSERT_EQ(mciSendString("play cdaudio"), 0u);
    EXPECT_EQ(Ask("status cdaudio mode"), "playing");
    EXPECT_EQ(HeardAfter(1), 2000);
    mciSendString("pause cdaudio");
    ASSERT_EQ(mciSendString("resume cdaudio"), 0u);
    EXPECT_EQ(HeardAfter(1), 2000);
    ASSERT_EQ(mciSendString("stop cdaudio"), 0u);
    EXPECT_EQ(Ask("status cdaudio mode"), "stopped");
    EXPECT_EQ(HeardAfter(1), 0);
    // Play from the stopped position goes on with track 2.
    ASSERT_EQ(mciSendString("play cdaudio"), 0u);
    EXPECT_EQ(HeardAfter(1), 2000);
    ASSERT_EQ(mciSendString("seek cdaudio to 3"), 0u);
    EXPECT_EQ(Ask("status cdaudio mode"), "stopped");
    mciSendString("play cdaudio");
    EXPECT_EQ(HeardAfter(1), 3000);
}

TEST_F(CdAudioDeviceTest, DoorOpenAndClosed) {
    MakeDisc();
    mciSendString("open cdaudio");
    mciSendString("set cdaudio time format tmsf");
    mciSendString("play cdaudio from 1");
    ASSERT_EQ(mciSendString("set cdaudio door open"), 0u);
    EXPECT_EQ(Ask("status cdaudio mode"), "open");
    EXPECT_EQ(Ask("status cdaudio media present"), "false");
    EXPECT_EQ(HeardAfter(1), 0);
    EXPECT_EQ(mciSendString("play cdaudio"), MCIERR_DEVICE_NOT_READY);
    // The disc taken in again is read afresh: a track added meanwhile is on it.
    WriteFile(dir / "Music" / "Track11.wav", Constant(4000, 100));
    ASSERT_EQ(mciSendString("set cdaudio door closed"), 0u);
    EXPECT_EQ(Ask("status cdaudio mode"), "stopped");
    EXPECT_EQ(Ask("status cdaudio number of tracks"), "4");
    EXPECT_EQ(HeardAfter(1), 0); // closing the door plays nothing
    ASSERT_EQ(mciSendString("play cdaudio from 4"), 0u);
    EXPECT_EQ(HeardAfter(1), 4000);
}

TEST_F(CdAudioDeviceTest, CommandStringsAndObserver) {
    MakeDisc();
    std::vector<std::string> sent;
    AudioSystem::Instance().OnMciCommand = [&](const std::string& c) { sent.push_back(c); };
    EXPECT_EQ(mciSendString("OPEN CDAudio wait"), 0u);
    EXPECT_EQ(mciSendString("open cdaudio shareable"), 0u); // opening again is harmless
    EXPECT_EQ(mciSendString("status cdaudio time format notify"), 0u);
    EXPECT_EQ(mciSendString("play waveaudio"), MCIERR_INVALID_DEVICE_NAME);
    EXPECT_EQ(mciSendString("eject cdaudio"), MCIERR_UNRECOGNIZED_COMMAND);
    EXPECT_EQ(mciSendString(""), MCIERR_MISSING_COMMAND_STRING);
    EXPECT_EQ(mciSendString("stop"), MCIERR_MISSING_PARAMETER);
    EXPECT_EQ(mciSendString("set cdaudio door ajar"), MCIERR_UNRECOGNIZED_KEYWORD);
    EXPECT_EQ(mciSendString("status cdaudio colour"), MCIERR_UNRECOGNIZED_KEYWORD);
    EXPECT_EQ(mciSendString("close cdaudio"), 0u);
    EXPECT_FALSE(CdDrive::Instance().IsOpen());
    EXPECT_EQ(mciSendString("stop cdaudio"), MCIERR_INVALID_DEVICE_NAME);
    EXPECT_EQ(sent.size(), 11u);
    EXPECT_EQ(sent.front(), "OPEN CDAudio wait");
    EXPECT_EQ(sent.back(), "stop cdaudio");
    EXPECT_NE(mciGetErrorString(MCIERR_DEVICE_NOT_READY), mciGetErrorString(0));
}

TEST_F(CdAudioDeviceTest, BrokenTrackFilesAreLeftOffTheDisc) {
    WriteFile(dir / "Music" / "Track01.wav", Bytes{'R', 'I', 'F', 'F', 0xFF, 0xFF, 0xFF, 0xFF, 'W', 'A', 'V', 'E'});
    WriteFile(dir / "Music" / "Track02.wav", Constant(2000, 80));
    ASSERT_EQ(mciSendString("open cdaudio"), 0u);
    EXPECT_EQ(Ask("status cdaudio number of tracks"), "1");
    mciSendString("set cdaudio time format tmsf");
    mciSendString("play cdaudio from 1");
    EXPECT_EQ(HeardAfter(1), 2000);
}

TEST_F(CdAudioDeviceTest, WaveVolumeAndPauseLeaveTheMusicAlone) {
    MakeDisc();
    WAVEFORMATEX f{1, 1, 11025, 11025, 1, 8, 0};
    HWAVEOUT h = nullptr;
    ASSERT_EQ(waveOutOpen(&h, WAVE_MAPPER, &f, 0, 0, 0), 0u);
    waveOutSetVolume(h, 0);
    waveOutPause(h);
    mciSendString("open cdaudio");
    mciSendString("play cdaudio");
    EXPECT_EQ(HeardAfter(1), 1000);
    waveOutClose(h);
}
