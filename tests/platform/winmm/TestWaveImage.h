// Builds wave file images byte by byte, good and deliberately broken, for the tests.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <vector>

#include <unistd.h>

namespace testwave {

using Bytes = std::vector<std::uint8_t>;

inline void Put16(Bytes& b, std::uint16_t v) {
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}

inline void Put32(Bytes& b, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

inline void PutTag(Bytes& b, const char* tag) {
    for (int i = 0; i < 4; ++i)
        b.push_back(static_cast<std::uint8_t>(tag[i]));
}

// A chunk with its header; odd bodies get their pad byte.
inline Bytes Chunk(const char* tag, const Bytes& body, std::uint32_t declaredSize) {
    Bytes b;
    PutTag(b, tag);
    Put32(b, declaredSize);
    b.insert(b.end(), body.begin(), body.end());
    if (body.size() % 2)
        b.push_back(0);
    return b;
}
inline Bytes Chunk(const char* tag, const Bytes& body) {
    return Chunk(tag, body, static_cast<std::uint32_t>(body.size()));
}

inline Bytes FmtBody(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate, std::uint16_t bits) {
    Bytes b;
    std::uint16_t align = static_cast<std::uint16_t>(channels * (bits / 8));
    Put16(b, tag);
    Put16(b, channels);
    Put32(b, rate);
    Put32(b, align * rate);
    Put16(b, align);
    Put16(b, bits);
    return b;
}

// "RIFF" size "WAVE" followed by the chunks; the RIFF size is the true one.
inline Bytes Riff(std::initializer_list<Bytes> chunks) {
    Bytes body;
    PutTag(body, "WAVE");
    for (const auto& c : chunks)
        body.insert(body.end(), c.begin(), c.end());
    Bytes b;
    PutTag(b, "RIFF");
    Put32(b, static_cast<std::uint32_t>(body.size()));
    b.insert(b.end(), body.begin(), body.end());
    return b;
}

inline Bytes Samples16(const std::vector<std::int16_t>& s) {
    Bytes b;
    for (auto v : s)
        Put16(b, static_cast<std::uint16_t>(v));
    return b;
}

// A plain 16-bit PCM wave.
inline Bytes Wave16(std::uint16_t channels, std::uint32_t rate, const std::vector<std::int16_t>& samples) {
    return Riff({Chunk("fmt ", FmtBody(1, channels, rate, 16)), Chunk("data", Samples16(samples))});
}

inline void WriteFile(const std::filesystem::path& path, const Bytes& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// A fresh, empty folder under the system's temporary folder.
inline std::filesystem::path FreshDir(const std::string& name) {
    auto dir = std::filesystem::temp_directory_path() / ("plazaro-" + name + "-" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

} // namespace testwave
