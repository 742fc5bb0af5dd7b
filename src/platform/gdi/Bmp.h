// Reading Windows bitmaps (BMP): 1-, 4-, 8- and 24-bit, uncompressed and RLE8.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace gdi {

// A decoded bitmap: pixels top-down as 0x00RRGGBB, with the depth and colour table
// of the file it came from.
struct DecodedBmp {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    std::vector<std::uint32_t> pixels;
    std::vector<std::uint32_t> palette; // 0x00RRGGBB, as many entries as the file has
};

// The largest bitmap the loader accepts (either side, and in total pixels).
constexpr int kMaxBmpSide = 16384;
constexpr std::int64_t kMaxBmpPixels = 64LL * 1024 * 1024;

// Decodes a bitmap from memory. With a file header (a .bmp file) the bytes start with
// "BM"; without, they start with the BITMAPINFOHEADER (a bitmap resource). Returns
// the empty text on success, else the loader's error, and never reads outside the
// bytes given.
std::string DecodeBmp(const std::uint8_t* data, std::size_t size, bool withFileHeader, DecodedBmp& out);

// Same, deciding from the first two bytes ("BM") whether there is a file header.
std::string DecodeBmpAuto(const std::uint8_t* data, std::size_t size, DecodedBmp& out);

// Writes a 24-bit uncompressed .bmp file image (used by tests and tools).
std::vector<std::uint8_t> EncodeBmp24(int width, int height, const std::vector<std::uint32_t>& rgbTopDown);
// Writes an 8-bit uncompressed .bmp file image with the given colour table (0x00RRGGBB).
std::vector<std::uint8_t> EncodeBmp8(int width, int height, const std::vector<std::uint32_t>& palette,
                                     const std::vector<std::uint8_t>& indicesTopDown);

} // namespace gdi
