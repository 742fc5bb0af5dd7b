// Decoding of RIFF/WAVE images into 16-bit samples, refusing anything malformed.
#include "platform/winmm/WaveFile.h"

#include <filesystem>
#include <fstream>

namespace winmm {
namespace {

std::uint32_t ReadU32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

std::uint16_t ReadU16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

bool TagIs(const std::uint8_t* p, const char* tag) {
    return p[0] == static_cast<std::uint8_t>(tag[0]) && p[1] == static_cast<std::uint8_t>(tag[1]) &&
           p[2] == static_cast<std::uint8_t>(tag[2]) && p[3] == static_cast<std::uint8_t>(tag[3]);
}

std::optional<PcmBuffer> Refuse(std::string* error, const char* reason) {
    if (error)
        *error = reason;
    return std::nullopt;
}

} // namespace

std::optional<PcmBuffer> WaveFile::Parse(const std::uint8_t* data, std::size_t size, std::string* error) {
    if (!data || size < 12)
        return Refuse(error, "truncated header");
    if (!TagIs(data, "RIFF"))
        return Refuse(error, "not a RIFF file");
    if (!TagIs(data + 8, "WAVE"))
        return Refuse(error, "not a WAVE file");
    // All offsets are 64-bit so that no chunk size, however large, can wrap around.
    std::uint64_t riffEnd = 8ull + ReadU32(data + 4);
    if (riffEnd < 12)
        return Refuse(error, "bad RIFF size");
    if (riffEnd > size)
        return Refuse(error, "truncated file");

    bool haveFormat = false;
    std::uint16_t channels = 0, bits = 0, blockAlign = 0;
    std::uint32_t rate = 0;
    const std::uint8_t* samples = nullptr;
    std::uint64_t sampleBytes = 0;

    std::uint64_t offset = 12;
    while (offset + 8 <= riffEnd) {
        const std::uint8_t* chunk = data + offset;
        std::uint64_t chunkSize = ReadU32(chunk + 4);
        std::uint64_t bodyStart = offset + 8;
        std::uint64_t bodyEnd = bodyStart + chunkSize;
        if (TagIs(chunk, "data")) {
            if (bodyEnd > riffEnd)
                return Refuse(error, "data size beyond the file");
            if (!samples) {
                samples = data + bodyStart;
                sampleBytes = chunkSize;
            }
        } else if (bodyEnd > riffEnd) {
            return Refuse(error, "chunk size beyond the file");
        } else if (TagIs(chunk, "fmt ") && !haveFormat) {
            if (chunkSize < 16)
                return Refuse(error, "\"fmt \" chunk shorter than 16 bytes");
            const std::uint8_t* f = data + bodyStart;
            std::uint16_t tag = ReadU16(f);
            channels = ReadU16(f + 2);
            rate = ReadU32(f + 4);
            blockAlign = ReadU16(f + 12);
            bits = ReadU16(f + 14);
            if (tag == WAVE_FORMAT_EXTENSIBLE) {
                // The extensible header carries the real format in its sub-format GUID.
                if (chunkSize < 40 || ReadU16(f + 16) < 22)
                    return Refuse(error, "short extensible format");
                tag = ReadU16(f + 24);
            }
            if (tag != WAVE_FORMAT_PCM)
                return Refuse(error, "unknown format (not PCM)");
            haveFormat = true;
        }
        // Chunks are padded to an even length.
        offset = bodyEnd + (chunkSize & 1u);
    }

    if (!haveFormat)
        return Refuse(error, "no \"fmt \" chunk");
    if (channels != 1 && channels != 2)
        return Refuse(error, "unsupported channel count");
    if (bits != 8 && bits != 16)
        return Refuse(error, "unsupported sample size");
    if (rate < kMinRate || rate > kMaxRate)
        return Refuse(error, "unsupported sample rate");
    if (blockAlign != channels * (bits / 8))
        return Refuse(error, "inconsistent block alignment");
    if (!samples)
        return Refuse(error, "no \"data\" chunk");

    PcmBuffer pcm;
    pcm.sampleRate = static_cast<int>(rate);
    pcm.channels = channels;
    // A partial frame at the end is dropped.
    std::uint64_t frames = sampleBytes / blockAlign;
    std::size_t count = static_cast<std::size_t>(frames * channels);
    pcm.samples.resize(count);
    if (bits == 8) {
        for (std::size_t i = 0; i < count; ++i)
            pcm.samples[i] = static_cast<std::int16_t>((static_cast<int>(samples[i]) - 128) * 256);
    } else {
        for (std::size_t i = 0; i < count; ++i)
            pcm.samples[i] = static_cast<std::int16_t>(ReadU16(samples + 2 * i));
    }
    return pcm;
}

std::optional<PcmBuffer> WaveFile::Load(const std::string& hostPath, std::string* error) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(hostPath, ec))
        return Refuse(error, "file not found");
    std::ifstream in(hostPath, std::ios::binary | std::ios::ate);
    if (!in)
        return Refuse(error, "file not found");
    std::streamoff length = in.tellg();
    if (length < 0)
        return Refuse(error, "file not readable");
    if (static_cast<std::uint64_t>(length) > kMaxFileSize)
        return Refuse(error, "file too large");
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(length));
    in.seekg(0);
    if (length > 0 && !in.read(reinterpret_cast<char*>(bytes.data()), length))
        return Refuse(error, "file not readable");
    return Parse(bytes.data(), bytes.size(), error);
}

} // namespace winmm
