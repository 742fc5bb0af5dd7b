// Writes RIFF AVI files of 8-bit frames compressed as RLE8, each frame after the first
// painting only what changed since the one before.
#pragma once

#include "BmpWriter.h"
#include "Palette.h"

#include <array>
#include <cstdint>
#include <vector>

namespace art {

class AviWriter {
public:
    // The RLE8 data of one frame (rows bottom-up, as the format counts them). With a
    // previous frame, pixels equal to it are skipped over; without, every pixel is
    // written.
    static std::vector<std::uint8_t> EncodeRle8(const IndexedImage& frame, const IndexedImage* previous);

    // A complete file: the header list (main header, one video stream of RLE8 frames
    // with the palette in its format), the movie list and the index. framesPerSecond
    // is whole frames a second.
    static std::vector<std::uint8_t> File(const std::vector<IndexedImage>& frames, const std::array<Rgb, 256>& palette,
                                          int framesPerSecond);
};

} // namespace art
