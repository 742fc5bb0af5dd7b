// Under SDL the mixer really plays: a known wave handed to PlaySound comes out of
// SDL's disk audio driver sample for sample; a device that cannot open leaves the
// program with no output device instead of failing.
#include "platform/backend/sdl/SdlAudioDevice.h"
#include "platform/winmm/AudioSystem.h"
#include "platform/winmm/PlaySound.h"
#include "platform/winmm/TestWaveImage.h"
#include "platform/winmm/WaveOut.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

using namespace winmm;
using namespace testwave;

TEST(SdlAudioDevice, RendersAKnownWaveThroughTheDiskDriver) {
    auto dir = FreshDir("sdlaudio");
    auto rawPath = dir / "out.raw";
    ::setenv("SDL_AUDIODRIVER", "disk", 1);
    ::setenv("SDL_DISKAUDIOFILE", rawPath.c_str(), 1);

    // A stereo ramp at the device's own rate, so that nothing is interpolated.
    std::vector<std::int16_t> pattern;
    for (int i = 0; i < 3000; ++i) {
        pattern.push_back(static_cast<std::int16_t>(i * 7 - 9000));
        pattern.push_back(static_cast<std::int16_t>(5000 - i * 3));
    }
    WriteFile(dir / "ramp.wav", Wave16(2, 44100, pattern));

    AudioSystem& audio = AudioSystem::Instance();
    audio.Reset();
    ASSERT_TRUE(audio.Install(std::make_unique<sdl::SdlAudioDevice>(44100, 512)));
    EXPECT_EQ(waveOutGetNumDevs(), 1u);
    EXPECT_TRUE(audio.Device().RealTime());
    ASSERT_TRUE(PlaySound((dir / "ramp.wav").c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT));
    auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (PlaySoundActive() && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_FALSE(PlaySoundActive()) << "the device never consumed the sound";
    // A synchronous play returns only once it has been heard.
    WriteFile(dir / "short.wav", Wave16(1, 44100, std::vector<std::int16_t>(4410, 77)));
    auto before = std::chrono::steady_clock::now();
    EXPECT_TRUE(PlaySound((dir / "short.wav").c_str(), nullptr, SND_FILENAME | SND_SYNC));
    EXPECT_GE(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(50));
    audio.Reset(); // closes the SDL device, which flushes the file

    std::ifstream in(rawPath, std::ios::binary);
    std::vector<std::int16_t> raw;
    std::int16_t s;
    while (in.read(reinterpret_cast<char*>(&s), sizeof s))
        raw.push_back(s);
    ASSERT_GE(raw.size(), pattern.size());
    std::size_t found = raw.size();
    for (std::size_t i = 0; i + pattern.size() <= raw.size(); i += 2) {
        if (raw[i] == pattern[0] && std::equal(pattern.begin(), pattern.end(), raw.begin() + static_cast<long>(i))) {
            found = i;
            break;
        }
    }
    EXPECT_LT(found, raw.size()) << "the ramp is not in the device's output";
    // Before the ramp the device played silence: nothing else was mixed in.
    for (std::size_t i = 0; i < found && i < raw.size(); ++i)
        ASSERT_EQ(raw[i], 0) << "at sample " << i;
    std::filesystem::remove_all(dir);
}

TEST(SdlAudioDevice, UnavailableDeviceMeansNoOutput) {
    ::setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    AudioSystem& audio = AudioSystem::Instance();
    audio.Reset();
    EXPECT_FALSE(audio.Install(std::make_unique<sdl::SdlAudioDevice>()));
    EXPECT_FALSE(audio.HasOutput());
    EXPECT_EQ(waveOutGetNumDevs(), 0u);
    audio.Reset();
}
