// Decoded sound: signed 16-bit samples, interleaved, at the rate they were recorded.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace winmm {

struct PcmBuffer {
    int sampleRate = 0;
    int channels = 0; // 1 or 2
    std::vector<std::int16_t> samples;

    std::size_t Frames() const { return channels > 0 ? samples.size() / static_cast<std::size_t>(channels) : 0; }
    // Whole milliseconds of sound, rounded down.
    std::uint64_t DurationMs() const {
        return sampleRate > 0 ? static_cast<std::uint64_t>(Frames()) * 1000u / static_cast<std::uint64_t>(sampleRate) : 0;
    }
};

} // namespace winmm
