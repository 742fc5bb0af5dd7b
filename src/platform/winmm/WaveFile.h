// Our RIFF/WAVE reader: PCM 8 and 16 bit, mono and stereo, any common rate.
#pragma once

#include "platform/winmm/MmTypes.h"
#include "platform/winmm/PcmBuffer.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace winmm {

class WaveFile {
public:
    // Rates outside this range are not sound a player could hear as meant.
    static constexpr std::uint32_t kMinRate = 1000;
    static constexpr std::uint32_t kMaxRate = 192000;
    // Larger files are refused before they are read.
    static constexpr std::uint64_t kMaxFileSize = 256ull * 1024 * 1024;

    // Decodes a whole wave image. Every size in the file is checked against the
    // bytes actually present before anything is read; on refusal the reason goes
    // to error (when given) and nothing is returned.
    static std::optional<PcmBuffer> Parse(const std::uint8_t* data, std::size_t size, std::string* error = nullptr);

    // Reads and decodes a file on the host file system (an already resolved path).
    static std::optional<PcmBuffer> Load(const std::string& hostPath, std::string* error = nullptr);
};

} // namespace winmm
