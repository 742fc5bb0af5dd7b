// RLE8 decoding, shared by the bitmap reader and the video reader.
#pragma once

#include <cstddef>
#include <cstdint>

namespace gdi {

enum class Rle8Result { Ok, Truncated };

// Walks RLE8 data (runs, absolute runs, end of line, delta, end of bitmap) over an
// image of the given height, calling put(x, row, index) for every pixel the data
// names; row 0 is the bottom row, as the format counts. The caller decides what to
// do with pixels outside the image (x or row past the edge). Pixels the data skips
// (an early end of line, a delta, an early end of bitmap) are not named at all, which
// is what lets a video frame paint only what changed since the one before. Every
// read is checked against size.
template <class Put>
Rle8Result WalkRle8(const std::uint8_t* data, std::size_t size, std::int64_t height, Put&& put) {
    std::size_t pos = 0;
    std::int64_t x = 0, row = 0;
    while (true) {
        if (size < 2 || pos > size - 2)
            return Rle8Result::Truncated;
        const std::uint8_t count = data[pos], value = data[pos + 1];
        pos += 2;
        if (count > 0) {
            for (int i = 0; i < count; ++i)
                put(x++, row, value);
            continue;
        }
        if (value == 0) { // end of line
            x = 0;
            ++row;
        } else if (value == 1) { // end of bitmap
            break;
        } else if (value == 2) { // delta
            if (pos > size - 2)
                return Rle8Result::Truncated;
            x += data[pos];
            row += data[pos + 1];
            pos += 2;
        } else { // absolute run, padded to a word
            const std::size_t n = value;
            const std::size_t padded = n + (n & 1);
            if (padded > size - pos)
                return Rle8Result::Truncated;
            for (std::size_t i = 0; i < n; ++i)
                put(x++, row, data[pos + i]);
            pos += padded;
        }
        if (row >= height)
            break;
    }
    return Rle8Result::Ok;
}

} // namespace gdi
