// The MCI command strings of the "cdaudio" device: each input line is sent as one
// command string to a drive holding a virtual disc of two short tracks. Every answer
// is either 0 or an error with a description.
#include "FuzzSupport.h"

#include "../tests/platform/winmm/TestWaveImage.h"
#include "platform/os/ProgramDir.h"
#include "platform/winmm/AudioSystem.h"
#include "platform/winmm/CdDrive.h"
#include "platform/winmm/Mci.h"
#include "platform/winmm/RecordingAudioDevice.h"

#include <cstdlib>
#include <sstream>

namespace {
// The recording device: pulled after every command, so a playing disc moves on.
winmm::RecordingAudioDevice*& Speaker() {
    static winmm::RecordingAudioDevice* speaker = nullptr;
    return speaker;
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const auto music = fuzzsupport::Scratch() / "Music";
    std::vector<std::int16_t> samples(800);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = std::int16_t(i * 40);
    testwave::WriteFile(music / "Track01.wav", testwave::Wave16(1, 8000, samples));
    testwave::WriteFile(music / "Track02.wav", testwave::Wave16(2, 8000, samples));
    os::SetProgramDir(fuzzsupport::Scratch().string());
    auto device = std::make_unique<winmm::RecordingAudioDevice>(8000);
    Speaker() = device.get();
    winmm::AudioSystem::Instance().Install(std::move(device));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 2048)
        return 0;
    winmm::CdDrive::Instance().Reset();
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    for (std::string line; std::getline(in, line);) {
        std::string answer;
        winmm::MCIERROR result = winmm::mciSendString(line, &answer);
        if (result != 0 && winmm::mciGetErrorString(result).empty())
            std::abort();
        Speaker()->Pull(400);
    }
    winmm::CdDrive::Instance().Reset();
    return 0;
}
