// The headless output device.
#include "platform/winmm/RecordingAudioDevice.h"

#include "platform/winmm/Mixer.h"

namespace winmm {

bool RecordingAudioDevice::Start(Mixer& mixer) {
    mixer_ = &mixer;
    return true;
}

std::vector<std::int16_t> RecordingAudioDevice::Pull(std::size_t frames) {
    std::vector<std::int16_t> out(frames * 2, 0);
    if (mixer_)
        mixer_->Render(out.data(), frames);
    return out;
}

} // namespace winmm
