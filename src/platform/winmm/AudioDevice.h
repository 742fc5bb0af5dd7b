// The seam between the mixer and whatever turns its output into sound.
#pragma once

#include <string>

namespace winmm {

class Mixer;

// An output the mixer plays through. Three kinds exist: none (the machine has no
// output device), recording (headless runs: everything is accepted, nothing is
// heard) and the SDL device of real play.
class AudioDevice {
public:
    virtual ~AudioDevice() = default;

    virtual std::string Name() const = 0;
    // False means "no output device": the wave output functions report none.
    virtual bool HasOutput() const = 0;
    // The rate the mixer must produce, in frames per second.
    virtual int OutputRate() const = 0;
    // Starts pulling from the mixer; false when the device cannot be used.
    virtual bool Start(Mixer& mixer) = 0;
    // Stops pulling; the mixer is not touched afterwards.
    virtual void Shutdown() = 0;
    // True when sounds advance with the wall clock (a synchronous play waits for them).
    virtual bool RealTime() const = 0;
    // Whether the device takes pitch and playback-rate settings; common devices do not.
    virtual bool SupportsPitchAndRate() const { return false; }
};

// No output device at all.
class NullAudioDevice : public AudioDevice {
public:
    std::string Name() const override { return "none"; }
    bool HasOutput() const override { return false; }
    int OutputRate() const override { return 44100; }
    bool Start(Mixer&) override { return true; }
    void Shutdown() override {}
    bool RealTime() const override { return false; }
};

} // namespace winmm
