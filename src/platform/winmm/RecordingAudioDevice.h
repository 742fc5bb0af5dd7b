// The headless output device: it accepts every sound and plays nothing audible.
#pragma once

#include "platform/winmm/AudioDevice.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace winmm {

// Nothing pulls the mixer on its own, so voices stay where they are until Pull
// renders some frames (tests use it to hear what the mixer would have played). It
// can also stand for one of the rarer devices that take pitch and rate settings;
// those are kept and answered, and change nothing that is heard.
class RecordingAudioDevice : public AudioDevice {
public:
    explicit RecordingAudioDevice(int rate = 44100, bool pitchAndRate = false)
        : rate_(rate), pitchAndRate_(pitchAndRate) {}

    std::string Name() const override { return "recording"; }
    bool HasOutput() const override { return true; }
    int OutputRate() const override { return rate_; }
    bool Start(Mixer& mixer) override;
    void Shutdown() override { mixer_ = nullptr; }
    bool RealTime() const override { return false; }
    bool SupportsPitchAndRate() const override { return pitchAndRate_; }

    // Renders frames stereo frames from the mixer, as a real device would.
    std::vector<std::int16_t> Pull(std::size_t frames);

private:
    int rate_;
    bool pitchAndRate_;
    Mixer* mixer_ = nullptr;
};

} // namespace winmm
