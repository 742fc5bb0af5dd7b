// The engine library's wave loading: the sound component reads the input as a wave
// file through the multimedia reader into a DirectSound buffer and plays it a moment.
// A file it cannot use ends in its message box, never in a bad read.
#include "FuzzSupport.h"

#include "platform/winmm/AudioSystem.h"
#include "platform/winmm/RecordingAudioDevice.h"
#include "velmora/TKx_Sound.h"

#include <memory>

namespace {
winmm::RecordingAudioDevice*& Speaker() {
    static winmm::RecordingAudioDevice* speaker = nullptr;
    return speaker;
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzsupport::Backend();
    auto device = std::make_unique<winmm::RecordingAudioDevice>(8000);
    Speaker() = device.get();
    winmm::AudioSystem::Instance().Install(std::move(device));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > (1 << 16))
        return 0;
    const std::string path = fuzzsupport::WriteFile("Fuzz.wav", data, size);
    velmora::TKx_Sound sound;
    sound.Init();
    sound.LoadWaveFile(path);
    if (sound.Buffer) {
        sound.PlayBuffer(false);
        Speaker()->Pull(256);
        sound.StopBuffer();
    }
    return 0;
}
