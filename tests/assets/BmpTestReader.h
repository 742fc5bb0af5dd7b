// A small independent reader of 8-bit bitmaps for the art tests, so that the tests do
// not trust the generator's own writer.
#pragma once

#include <array>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace arttest {

struct Colour {
    int r = 0, g = 0, b = 0;
};

struct Bitmap {
    int width = 0;
    int height = 0;
    std::array<Colour, 256> palette{};
    std::vector<std::uint8_t> pixels; // row 0 at the top
    int At(int x, int y) const { return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
    Colour ColourAt(int x, int y) const { return palette[std::size_t(At(x, y))]; }
};

inline std::uint32_t Read32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24);
}
inline std::uint16_t Read16(const std::uint8_t* p) { return std::uint16_t(p[0] | (p[1] << 8)); }

// Parses a bitmap that starts with its 40-byte info header (a bitmap resource); the
// pixels start right after `colours` palette entries. Nothing when the data is not a
// well-formed uncompressed 8-bit bitmap.
inline std::optional<Bitmap> ParseDib(const std::uint8_t* data, std::size_t size, std::size_t pixelOffset = 0) {
    if (size < 40 || Read32(data) != 40) return std::nullopt;
    Bitmap bmp;
    bmp.width = int(Read32(data + 4));
    const int rawHeight = int(Read32(data + 8));
    if (Read16(data + 12) != 1 || Read16(data + 14) != 8 || Read32(data + 16) != 0) return std::nullopt;
    if (bmp.width <= 0 || rawHeight <= 0) return std::nullopt;
    bmp.height = rawHeight;
    std::uint32_t colours = Read32(data + 32);
    if (colours == 0) colours = 256;
    if (colours > 256 || 40 + colours * 4 > size) return std::nullopt;
    for (std::uint32_t i = 0; i < colours; ++i) {
        const std::uint8_t* q = data + 40 + i * 4;
        bmp.palette[i] = Colour{q[2], q[1], q[0]};
    }
    if (pixelOffset == 0) pixelOffset = 40 + colours * 4;
    const std::size_t stride = (std::size_t(bmp.width) + 3) & ~std::size_t(3);
    if (pixelOffset + stride * std::size_t(bmp.height) > size) return std::nullopt;
    bmp.pixels.resize(std::size_t(bmp.width) * std::size_t(bmp.height));
    for (int y = 0; y < bmp.height; ++y) {
        const std::uint8_t* row = data + pixelOffset + stride * std::size_t(bmp.height - 1 - y);
        std::copy(row, row + bmp.width, bmp.pixels.begin() + std::ptrdiff_t(std::size_t(y) * std::size_t(bmp.width)));
    }
    return bmp;
}

// Parses a complete .bmp file, checking the file header's signature, size and offset.
inline std::optional<Bitmap> ParseFile(const std::vector<std::uint8_t>& bytes) {
    if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') return std::nullopt;
    if (Read32(bytes.data() + 2) != bytes.size()) return std::nullopt;
    const std::uint32_t offset = Read32(bytes.data() + 10);
    if (offset >= bytes.size() || offset < 54) return std::nullopt;
    return ParseDib(bytes.data() + 14, bytes.size() - 14, offset - 14);
}

inline std::vector<std::uint8_t> ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline bool IsKey(Colour c) { return c.r == 128 && c.g == 0 && c.b == 128; }

} // namespace arttest
