// Our RIFF AVI reader: one video stream of DIB or RLE8 frames, an optional PCM sound stream.
#pragma once

#include "platform/winmm/PcmBuffer.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace winmm {

// Why a file was refused, as the video device tells its errors apart.
enum class AviError {
    None,
    NotAvi,         // not a RIFF AVI file, or no header list
    Truncated,      // a chunk or a frame runs past the end of the data
    BadSize,        // sizes that are zero, huge, or overflow
    UnknownCodec,   // frames in a format we cannot decode
    FrameTooLarge,  // a frame bigger than the stream's picture
    NoVideo,        // no video stream, or no frame in it
};

// A decoded picture: 0x00RRGGBB pixels, rows top-down.
struct AviPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

// A whole video in memory. Frames stay in the file's encoding and are decoded one
// after the other by AviFrameDecoder; the reader has already decoded every one of
// them once to check it, so playing can never fail half-way.
struct AviFile {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;   // 8, 16 or 24
    bool rle8 = false;
    bool topDown = false;   // uncompressed rows stored top row first
    std::uint32_t rate = 0; // frames per second = rate / scale
    std::uint32_t scale = 1;
    std::vector<std::uint32_t> palette; // 0x00RRGGBB, for 8-bit frames
    // The frames' data, as stored; an empty frame repeats the one before.
    std::vector<std::vector<std::uint8_t>> frames;
    // The sound that goes with the pictures, when the file has any.
    std::shared_ptr<const PcmBuffer> sound;

    std::size_t FrameCount() const { return frames.size(); }
    // Where frame n begins, in milliseconds from the start (rounded down).
    std::uint64_t FrameStartMs(std::uint64_t n) const;
    // The frame shown at a time (the last one from the end on).
    std::uint64_t FrameAt(std::uint64_t ms) const;
    std::uint64_t LengthMs() const { return FrameStartMs(frames.size()); }
};

// The largest video accepted: either side, and the whole file.
constexpr int kMaxAviSide = 4096;
constexpr std::size_t kMaxAviFileSize = 256u * 1024 * 1024;
constexpr std::size_t kMaxAviFrames = 100000;

// Reads a whole AVI image. Every size in the file is checked against the bytes
// present before anything is read; on refusal the reason is returned, with a text
// for people in detail (when given).
AviError ReadAvi(const std::uint8_t* data, std::size_t size, AviFile& out, std::string* detail = nullptr);

// Decodes frames in order onto one picture. RLE8 frames paint over the frame before
// them, as the format means; uncompressed frames replace it.
class AviFrameDecoder {
public:
    explicit AviFrameDecoder(const AviFile& file);
    // Decodes frame n; frames between the last one decoded and n are decoded on the
    // way (going back starts again from the first). False when a frame is bad.
    bool Seek(std::uint64_t n);
    std::uint64_t Current() const { return current_; }
    const AviPicture& Picture() const { return picture_; }

private:
    bool Decode(std::size_t n);
    const AviFile& file_;
    std::vector<std::uint8_t> indices_; // 8-bit frames: the palette index of each pixel, bottom-up
    AviPicture picture_;
    std::uint64_t current_ = 0;
    bool started_ = false;
};

} // namespace winmm
