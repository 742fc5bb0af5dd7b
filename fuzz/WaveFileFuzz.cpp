// The wave reader: any bytes either decode into whole frames of sound at a rate a
// player can hear, or are refused with a reason.
#include "platform/winmm/WaveFile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string error;
    std::optional<winmm::PcmBuffer> pcm = winmm::WaveFile::Parse(data, size, &error);
    if (!pcm) {
        if (error.empty())
            std::abort();
        return 0;
    }
    if (pcm->channels < 1 || pcm->channels > 2 || pcm->samples.size() % std::size_t(pcm->channels) != 0 ||
        std::uint32_t(pcm->sampleRate) < winmm::WaveFile::kMinRate ||
        std::uint32_t(pcm->sampleRate) > winmm::WaveFile::kMaxRate)
        std::abort();
    return 0;
}
