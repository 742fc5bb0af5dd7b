// Encoding of 8-bit bitmaps.
#include "BmpWriter.h"

#include <cstdio>

namespace art {
namespace {

void Put16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(std::uint8_t(value & 0xff));
    out.push_back(std::uint8_t((value >> 8) & 0xff));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    Put16(out, value & 0xffff);
    Put16(out, value >> 16);
}

constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kPaletteBytes = 256 * 4;

std::uint32_t RowStride(int width) { return (std::uint32_t(width) + 3u) & ~3u; }

} // namespace

std::vector<std::uint8_t> BmpWriter::PackedDib(const IndexedImage& image, const Palette& palette) {
    const std::uint32_t stride = RowStride(image.width);
    const std::uint32_t imageBytes = stride * std::uint32_t(image.height);
    std::vector<std::uint8_t> out;
    out.reserve(kInfoHeaderSize + kPaletteBytes + imageBytes);
    Put32(out, kInfoHeaderSize);
    Put32(out, std::uint32_t(image.width));
    Put32(out, std::uint32_t(image.height)); // positive: rows stored bottom-up
    Put16(out, 1);                           // planes
    Put16(out, 8);                           // bits per pixel
    Put32(out, 0);                           // BI_RGB, uncompressed
    Put32(out, imageBytes);
    Put32(out, 2835); // 72 dots per inch, both ways
    Put32(out, 2835);
    Put32(out, 256); // colours used
    Put32(out, 0);   // all colours important
    for (const Rgb& c : palette.Colours()) {
        out.push_back(c.b);
        out.push_back(c.g);
        out.push_back(c.r);
        out.push_back(0);
    }
    for (int y = image.height - 1; y >= 0; --y) {
        const std::size_t row = std::size_t(y) * std::size_t(image.width);
        out.insert(out.end(), image.indices.begin() + std::ptrdiff_t(row),
                   image.indices.begin() + std::ptrdiff_t(row + std::size_t(image.width)));
        for (std::uint32_t pad = std::uint32_t(image.width); pad < stride; ++pad) out.push_back(0);
    }
    return out;
}

std::vector<std::uint8_t> BmpWriter::File(const IndexedImage& image, const Palette& palette) {
    const std::vector<std::uint8_t> dib = PackedDib(image, palette);
    std::vector<std::uint8_t> out;
    out.reserve(14 + dib.size());
    out.push_back('B');
    out.push_back('M');
    Put32(out, std::uint32_t(14 + dib.size()));
    Put32(out, 0); // reserved
    Put32(out, 14 + kInfoHeaderSize + kPaletteBytes);
    out.insert(out.end(), dib.begin(), dib.end());
    return out;
}

bool BmpWriter::WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && ok;
}

} // namespace art
