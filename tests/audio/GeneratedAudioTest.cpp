// The sounds and music generated at build time are all there: every wave file the
// tool table and the refusals name, readable by our reader, short and distinct,
// and a virtual disc of at least three long tracks that the CD device plays.
#include "audio/TWaveSound2.h"
#include "platform/os/PathMap.h"
#include "platform/os/ProgramDir.h"
#include "platform/winmm/AudioSystem.h"
#include "platform/winmm/Mci.h"
#include "platform/winmm/RecordingAudioDevice.h"
#include "platform/winmm/WaveFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

namespace {

const char* const kToolSounds[] = {
    "BULLDOZE.WAV", "LAKE.WAV", "TREES.WAV", "HALL.WAV", "FOUNT.WAV", "STATUE.WAV", "HOUSE", "ROADS.WAV",
    "MOTORWAY.WAV", "BUSS.WAV", "RAIL.WAV", "RSTATION.WAV", "SSTATION.WAV", "AIRPORT.WAV", "SEAPORT.WAV",
    "POWER.WAV", "COAL.WAV", "OIL.WAV", "GAS.WAV", "NUCLEAR.WAV", "WIND.WAV", "SOLAR.WAV", "MICRO.WAV",
    "WPUMP.WAV", "TREAT.WAV", "UVTREAT.WAV", "RESI.WAV", "COMMER.WAV", "INDUS.WAV", "CHURCH.WAV", "CATH.WAV",
    "SPARK.WAV", "LPARK.WAV", "MARINA.WAV", "STADIUM.WAV", "PSTATION.WAV", "FSTATION.WAV", "HOSPIT.WAV",
    "SCHOOL.WAV", "COLLEGE.WAV", "OK.WAV", "MUSEUM.WAV", "QUERY.WAV", "CENTRE.WAV",
    // The refusals, named in the case the game writes them.
    "Money.wav", "money.wav", "Terrain.wav"};

std::string ProgramDir() { return PLAZARO_PROGRAM_DIR; }

} // namespace

TEST(GeneratedSounds, EverySoundIsThereShortAndDistinct) {
    std::set<std::vector<std::int16_t>> seen;
    for (const char* name : kToolSounds) {
        // Looked up as the game builds the path, whatever the case on disk.
        std::string path = os::ResolvePath(ProgramDir() + "\\Sound\\" + name);
        std::string why;
        auto pcm = winmm::WaveFile::Load(path, &why);
        ASSERT_TRUE(pcm) << name << ": " << why;
        EXPECT_GE(pcm->DurationMs(), 200u) << name;
        EXPECT_LE(pcm->DurationMs(), 1000u) << name;
        int peak = 0;
        for (auto s : pcm->samples)
            peak = std::max(peak, std::abs(static_cast<int>(s)));
        EXPECT_GT(peak, 4000) << name << " is nearly silent";
        if (std::string(name) != "money.wav") {
            EXPECT_TRUE(seen.insert(pcm->samples).second) << name << " sounds like another";
        }
    }
    // "HOUSE" has no extension, exactly as the tool table writes it.
    EXPECT_TRUE(std::filesystem::exists(ProgramDir() + "/Sound/HOUSE"));
}

TEST(GeneratedMusic, AVirtualDiscOfLongTracks) {
    std::vector<std::filesystem::path> tracks;
    for (const auto& e : std::filesystem::directory_iterator(ProgramDir() + "/Music"))
        tracks.push_back(e.path());
    ASSERT_GE(tracks.size(), 3u);
    for (const auto& t : tracks) {
        auto pcm = winmm::WaveFile::Load(t.string());
        ASSERT_TRUE(pcm) << t;
        EXPECT_GE(pcm->DurationMs(), 40000u) << t;
        EXPECT_LE(pcm->DurationMs(), 75000u) << t;
    }

    auto& audio = winmm::AudioSystem::Instance();
    audio.Reset();
    auto device = std::make_unique<winmm::RecordingAudioDevice>(22050);
    auto* recorder = device.get();
    audio.Install(std::move(device));
    os::SetProgramDir(ProgramDir());
    ASSERT_EQ(winmm::mciSendString("open cdaudio"), 0u);
    std::string count;
    winmm::mciSendString("status cdaudio number of tracks", &count);
    EXPECT_EQ(count, std::to_string(tracks.size()));
    winmm::mciSendString("set cdaudio time format tmsf");
    ASSERT_EQ(winmm::mciSendString("play cdaudio from 2"), 0u);
    auto heard = recorder->Pull(22050);
    int peak = 0;
    for (auto s : heard)
        peak = std::max(peak, std::abs(static_cast<int>(s)));
    EXPECT_GT(peak, 2000) << "the second track's first second is silent";
    std::string track;
    winmm::mciSendString("status cdaudio current track", &track);
    EXPECT_EQ(track, "2");
    audio.Reset();
    os::SetProgramDir("");
}

TEST(GeneratedSounds, EveryToolSoundPlaysThroughTheComponent) {
    // As the game plays them: the program folder, \Sound\ and the name the tool line gives.
    auto& audio = winmm::AudioSystem::Instance();
    audio.Reset();
    audio.Install(std::make_unique<winmm::RecordingAudioDevice>());
    std::vector<std::string> heard;
    audio.OnPlaySound = [&](const std::string& name) { heard.push_back(winmm::RelativeToProgramDir(name)); };
    os::SetProgramDir(ProgramDir());
    TWaveSound2 sound;
    sound.DebugLevel = dlMore;
    sound.Init(0, 0, 0);
    for (const char* name : kToolSounds) {
        std::string path = ProgramDir() + "\\Sound\\" + name;
        EXPECT_EQ(sound.Play(path, false, 0x20003), path + " is being played");
        EXPECT_EQ(heard.back(), std::string("Sound\\") + name);
    }
    os::SetProgramDir("");
    audio.Reset();
}
