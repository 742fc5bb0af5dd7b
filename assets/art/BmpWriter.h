// Writes 8-bit (256-colour) Windows bitmaps from palette indices.
#pragma once

#include "Palette.h"

#include <cstdint>
#include <string>
#include <vector>

namespace art {

// A picture as palette indices, row 0 at the top.
struct IndexedImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> indices;
};

class BmpWriter {
public:
    // A complete .bmp file: file header, 40-byte info header, 256 palette entries and
    // the rows bottom-up, each padded to four bytes. Uncompressed.
    static std::vector<std::uint8_t> File(const IndexedImage& image, const Palette& palette);
    // The same bitmap without the 14-byte file header, the form a bitmap resource
    // takes (it begins with the info header).
    static std::vector<std::uint8_t> PackedDib(const IndexedImage& image, const Palette& palette);
    static bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes);
};

} // namespace art
