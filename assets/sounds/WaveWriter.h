// Writes 16-bit PCM wave files: the sound generator's only output format.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class WaveWriter {
public:
    // Writes interleaved samples as a RIFF/WAVE file; false when the file cannot be written.
    static bool Write(const std::string& path, int sampleRate, int channels, const std::vector<std::int16_t>& samples);
};
