// The SDL output device: the mixer's sound reaches the speakers through SDL.
#pragma once

#include "platform/winmm/AudioDevice.h"

#include <cstdint>
#include <string>

namespace sdl {

// Opened with SDL_OpenAudioDevice as 16-bit stereo. A machine where it cannot be
// opened says so once on standard error and the game goes on with no device.
class SdlAudioDevice : public winmm::AudioDevice {
public:
    explicit SdlAudioDevice(int rate = 44100, int bufferFrames = 1024);
    ~SdlAudioDevice() override;

    std::string Name() const override { return "SDL"; }
    bool HasOutput() const override { return true; }
    int OutputRate() const override { return rate_; }
    bool Start(winmm::Mixer& mixer) override;
    void Shutdown() override;
    bool RealTime() const override { return true; }

    // The callback SDL calls from its audio thread: fills stream with mixed frames.
    static void Callback(void* userdata, std::uint8_t* stream, int length);

    // Why the last Start failed (empty when it did not).
    const std::string& LastError() const { return error_; }

private:
    int rate_;
    int bufferFrames_;
    std::uint32_t device_ = 0;
    bool initialisedAudio_ = false;
    winmm::Mixer* mixer_ = nullptr;
    std::string error_;
};

} // namespace sdl
