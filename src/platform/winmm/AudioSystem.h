// The program's one mixer, the output device it plays through, and the observers.
#pragma once

#include "platform/winmm/AudioDevice.h"
#include "platform/winmm/Mixer.h"

#include <functional>
#include <memory>
#include <string>

namespace winmm {

class AudioSystem {
public:
    static AudioSystem& Instance();

    // Replaces the output device. A device that cannot start is dropped and the
    // program goes on with no output device; the result tells which happened.
    bool Install(std::unique_ptr<AudioDevice> device);
    AudioDevice& Device() { return *device_; }
    bool HasOutput() const { return device_->HasOutput(); }
    Mixer& GetMixer() { return mixer_; }

    // Called with the name of every sound handed to PlaySound, as it was given.
    std::function<void(const std::string&)> OnPlaySound;
    // Called with every MCI command string sent, exactly as sent.
    std::function<void(const std::string&)> OnMciCommand;

    // Fault injection for tests: while set, PlaySound fails whatever it is asked.
    bool FailPlaySound = false;

    // Closes every wave output, stops every voice, takes the CD drive back to its
    // state at program start and installs no device. Tests start from here.
    void Reset();

    ~AudioSystem();

private:
    AudioSystem();
    Mixer mixer_;
    std::unique_ptr<AudioDevice> device_;
};

// A sound's name relative to the program folder: the program folder and the
// separator after it are cut off when the name begins with them (either slash).
std::string RelativeToProgramDir(const std::string& path);

} // namespace winmm
