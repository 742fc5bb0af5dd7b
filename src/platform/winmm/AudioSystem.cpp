// The process-wide mixer and its output device.
#include "platform/winmm/AudioSystem.h"

#include "platform/os/ProgramDir.h"
#include "platform/winmm/AviVideo.h"
#include "platform/winmm/CdDrive.h"
#include "platform/winmm/WaveOut.h"

namespace winmm {

AudioSystem& AudioSystem::Instance() {
    static AudioSystem system;
    return system;
}

AudioSystem::AudioSystem() : device_(std::make_unique<NullAudioDevice>()) {}

AudioSystem::~AudioSystem() {
    if (device_)
        device_->Shutdown();
}

bool AudioSystem::Install(std::unique_ptr<AudioDevice> device) {
    device_->Shutdown();
    if (!device)
        device = std::make_unique<NullAudioDevice>();
    mixer_.SetOutputRate(device->OutputRate());
    bool started = device->Start(mixer_);
    if (!started) {
        device = std::make_unique<NullAudioDevice>();
        device->Start(mixer_);
    }
    device_ = std::move(device);
    return started;
}

void AudioSystem::Reset() {
    CdDrive::Instance().Reset();
    AviVideo::Instance().Reset();
    CloseAllWaveOuts();
    Install(nullptr);
    mixer_.Clear();
    OnPlaySound = nullptr;
    OnMciCommand = nullptr;
    FailPlaySound = false;
}

std::string RelativeToProgramDir(const std::string& path) {
    std::string dir = os::ProgramDir();
    auto sameSeparators = [](std::string s) {
        for (char& c : s)
            if (c == '\\')
                c = '/';
        return s;
    };
    std::string p = sameSeparators(path);
    std::string d = sameSeparators(dir);
    if (!d.empty() && p.size() > d.size() && p.compare(0, d.size(), d) == 0 && p[d.size()] == '/')
        return path.substr(d.size() + 1);
    return path;
}

} // namespace winmm
