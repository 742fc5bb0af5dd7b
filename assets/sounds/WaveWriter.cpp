// A canonical 44-byte header followed by the samples, little-endian.
#include "WaveWriter.h"

#include <fstream>

namespace {

void Put16(std::vector<std::uint8_t>& b, std::uint16_t v) {
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}

void Put32(std::vector<std::uint8_t>& b, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

void PutTag(std::vector<std::uint8_t>& b, const char* tag) {
    for (int i = 0; i < 4; ++i)
        b.push_back(static_cast<std::uint8_t>(tag[i]));
}

} // namespace

bool WaveWriter::Write(const std::string& path, int sampleRate, int channels, const std::vector<std::int16_t>& samples) {
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    const auto blockAlign = static_cast<std::uint16_t>(channels * 2);
    std::vector<std::uint8_t> b;
    b.reserve(44 + dataBytes);
    PutTag(b, "RIFF");
    Put32(b, 36 + dataBytes);
    PutTag(b, "WAVE");
    PutTag(b, "fmt ");
    Put32(b, 16);
    Put16(b, 1); // PCM
    Put16(b, static_cast<std::uint16_t>(channels));
    Put32(b, static_cast<std::uint32_t>(sampleRate));
    Put32(b, static_cast<std::uint32_t>(sampleRate) * blockAlign);
    Put16(b, blockAlign);
    Put16(b, 16);
    PutTag(b, "data");
    Put32(b, dataBytes);
    for (auto s : samples)
        Put16(b, static_cast<std::uint16_t>(s));
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
    return static_cast<bool>(out);
}
