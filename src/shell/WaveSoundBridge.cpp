// The wave component seen through the calls the "SOUND" command makes.
#include "shell/WaveSoundBridge.h"

#include "audio/TWaveSound2.h"

void WaveSoundBridge::Init(int channels, int samplesPerSec, int bitsPerSample) {
    component_.Init(static_cast<std::uint16_t>(channels), static_cast<std::uint32_t>(samplesPerSec),
                    static_cast<std::uint16_t>(bitsPerSample));
}

void WaveSoundBridge::Play(const std::string& fileName, bool loop, unsigned flags) {
    component_.Play(fileName, loop, flags);
}

std::string WaveSoundBridge::Exec_Comm(const std::string& command) { return component_.Exec_Comm(command); }

std::string WaveSoundBridge::Exec_Comm(const std::string& command, int number) {
    // The number travels as the component's unsigned word, as the language's
    // signed conversion hands it over.
    return component_.Exec_Comm(command, static_cast<std::uint32_t>(number));
}

std::string WaveSoundBridge::Status() const { return component_.Status; }

bool WaveSoundBridge::Initialized() const { return component_.Initialized; }

bool WaveSoundBridge::Enabled() const { return component_.Enabled; }

void WaveSoundBridge::SetEnabled(bool enabled) { component_.Enabled = enabled; }

std::uint32_t WaveSoundBridge::GetVolume() { return component_.GetVolume(); }

void WaveSoundBridge::SetVolume(std::uint32_t volume) { component_.SetVolume(volume); }
