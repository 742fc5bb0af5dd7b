// BMP decoding with every read checked against the buffer.
#include "platform/gdi/Bmp.h"

#include "platform/gdi/Rle8.h"

#include <cstring>

namespace gdi {
namespace {

std::uint32_t U32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
           (std::uint32_t(p[3]) << 24);
}
std::uint16_t U16(const std::uint8_t* p) {
    return std::uint16_t(p[0] | (p[1] << 8));
}

constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiRle8 = 1;

void Put32(std::vector<std::uint8_t>& f, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        f[at + i] = std::uint8_t(v >> (8 * i));
}

// A zeroed bitmap file whose pixels (imageSize bytes, bottom-up, bitCount bits each)
// start at offset, with its file and info headers written; colours is the number of
// colour table entries between the headers and the pixels.
std::vector<std::uint8_t> BmpWithHeaders(int width, int height, int bitCount, std::size_t offset,
                                         std::size_t imageSize, std::size_t colours) {
    std::vector<std::uint8_t> f(offset + imageSize, 0);
    f[0] = 'B';
    f[1] = 'M';
    Put32(f, 2, std::uint32_t(f.size()));
    Put32(f, 10, std::uint32_t(offset));
    Put32(f, 14, 40);
    Put32(f, 18, std::uint32_t(width));
    Put32(f, 22, std::uint32_t(height));
    f[26] = 1;
    f[28] = std::uint8_t(bitCount);
    Put32(f, 34, std::uint32_t(imageSize));
    Put32(f, 46, std::uint32_t(colours));
    return f;
}

} // namespace

std::string DecodeBmpAuto(const std::uint8_t* data, std::size_t size, DecodedBmp& out) {
    bool header = size >= 2 && data[0] == 'B' && data[1] == 'M';
    return DecodeBmp(data, size, header, out);
}

std::string DecodeBmp(const std::uint8_t* data, std::size_t size, bool withFileHeader, DecodedBmp& out) {
    out = DecodedBmp{};
    if (!data)
        return "Bitmap: no data";
    std::size_t infoAt = 0;
    std::size_t bitsOffset = 0;
    bool haveOffset = false;
    if (withFileHeader) {
        if (size < 14)
            return "Bitmap: file header truncated";
        if (data[0] != 'B' || data[1] != 'M')
            return "Bitmap: not a bitmap file";
        bitsOffset = U32(data + 10);
        haveOffset = true;
        infoAt = 14;
    }
    if (size < infoAt + 4)
        return "Bitmap: info header truncated";
    std::uint32_t biSize = U32(data + infoAt);
    if (biSize < 40)
        return "Bitmap: unsupported header size " + std::to_string(biSize);
    if (biSize > size - infoAt)
        return "Bitmap: info header truncated";
    const std::uint8_t* h = data + infoAt;
    std::int32_t width = std::int32_t(U32(h + 4));
    std::int32_t height = std::int32_t(U32(h + 8));
    std::uint16_t planes = U16(h + 12);
    std::uint16_t bpp = U16(h + 14);
    std::uint32_t compression = U32(h + 16);
    std::uint32_t clrUsed = U32(h + 32);

    if (planes != 1)
        return "Bitmap: bad plane count " + std::to_string(planes);
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24)
        return "Bitmap: unsupported bit count " + std::to_string(bpp);
    if (compression != kBiRgb && compression != kBiRle8)
        return "Bitmap: unknown compression " + std::to_string(compression);
    if (compression == kBiRle8 && bpp != 8)
        return "Bitmap: RLE8 needs 8 bits per pixel";
    bool topDown = height < 0;
    if (width <= 0 || height == 0 || width > kMaxBmpSide || height < -kMaxBmpSide || height > kMaxBmpSide)
        return "Bitmap: bad size " + std::to_string(width) + " x " + std::to_string(height);
    std::int64_t absHeight = topDown ? -std::int64_t(height) : height;
    if (std::int64_t(width) * absHeight > kMaxBmpPixels)
        return "Bitmap: too large";
    if (compression == kBiRle8 && topDown)
        return "Bitmap: top-down RLE bitmap";

    // Colour table.
    std::size_t colours = 0;
    if (bpp <= 8) {
        std::size_t maxColours = std::size_t(1) << bpp;
        colours = clrUsed ? clrUsed : maxColours;
        if (colours > maxColours)
            return "Bitmap: colour table longer than " + std::to_string(maxColours) + " entries";
    }
    std::size_t tableAt = infoAt + biSize;
    if (colours * 4 > size - tableAt)
        return "Bitmap: colour table runs past the end of the data";
    out.palette.resize(colours);
    for (std::size_t i = 0; i < colours; ++i) {
        const std::uint8_t* q = data + tableAt + i * 4;
        out.palette[i] = (std::uint32_t(q[2]) << 16) | (std::uint32_t(q[1]) << 8) | q[0];
    }
    if (!haveOffset)
        bitsOffset = tableAt + colours * 4;
    if (bitsOffset > size)
        return "Bitmap: pixel data offset past the end of the data";

    const std::uint8_t* bits = data + bitsOffset;
    std::size_t available = size - bitsOffset;
    auto colourAt = [&](std::size_t index) -> std::uint32_t {
        return index < out.palette.size() ? out.palette[index] : 0;
    };
    // The pixels are made only once the data behind the header is known to be there:
    // a header of a few bytes may declare a bitmap of hundreds of megabytes.
    auto allocate = [&] {
        out.width = width;
        out.height = int(absHeight);
        out.bitsPerPixel = bpp;
        out.pixels.assign(std::size_t(width) * std::size_t(absHeight), 0);
    };

    if (compression == kBiRgb) {
        std::size_t rowBytes = ((std::size_t(width) * bpp + 31) / 32) * 4;
        if (rowBytes * std::size_t(absHeight) > available)
            return "Bitmap: pixel data truncated";
        allocate();
        for (std::int64_t row = 0; row < absHeight; ++row) {
            const std::uint8_t* src = bits + rowBytes * std::size_t(row);
            std::int64_t y = topDown ? row : absHeight - 1 - row;
            std::uint32_t* dst = out.pixels.data() + std::size_t(y) * std::size_t(width);
            for (int x = 0; x < width; ++x) {
                switch (bpp) {
                case 1:
                    dst[x] = colourAt((src[x >> 3] >> (7 - (x & 7))) & 1);
                    break;
                case 4:
                    dst[x] = colourAt((src[x >> 1] >> ((x & 1) ? 0 : 4)) & 15);
                    break;
                case 8:
                    dst[x] = colourAt(src[x]);
                    break;
                default: {
                    const std::uint8_t* p = src + x * 3;
                    dst[x] = (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[1]) << 8) | p[0];
                }
                }
            }
        }
        return {};
    }

    // RLE8: pixels that fall outside the bitmap are dropped, as the platform does. A
    // first walk only checks that the runs are all there; the second draws them.
    if (WalkRle8(bits, available, absHeight, [](std::int64_t, std::int64_t, std::uint8_t) {}) ==
        Rle8Result::Truncated)
        return "Bitmap: RLE data truncated";
    allocate();
    WalkRle8(bits, available, absHeight, [&](std::int64_t x, std::int64_t row, std::uint8_t index) {
        if (x >= 0 && x < width && row >= 0 && row < absHeight)
            out.pixels[std::size_t(absHeight - 1 - row) * std::size_t(width) + std::size_t(x)] = colourAt(index);
    });
    return {};
}

std::vector<std::uint8_t> EncodeBmp24(int width, int height, const std::vector<std::uint32_t>& rgb) {
    std::size_t rowBytes = ((std::size_t(width) * 24 + 31) / 32) * 4;
    std::vector<std::uint8_t> f = BmpWithHeaders(width, height, 24, 54, rowBytes * std::size_t(height), 0);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = f.data() + 54 + rowBytes * std::size_t(height - 1 - y);
        for (int x = 0; x < width; ++x) {
            std::uint32_t c = rgb[std::size_t(y) * std::size_t(width) + std::size_t(x)];
            row[x * 3] = std::uint8_t(c);
            row[x * 3 + 1] = std::uint8_t(c >> 8);
            row[x * 3 + 2] = std::uint8_t(c >> 16);
        }
    }
    return f;
}

std::vector<std::uint8_t> EncodeBmp8(int width, int height, const std::vector<std::uint32_t>& palette,
                                     const std::vector<std::uint8_t>& indices) {
    std::size_t rowBytes = ((std::size_t(width) * 8 + 31) / 32) * 4;
    std::size_t tableBytes = palette.size() * 4;
    std::size_t offset = 54 + tableBytes;
    std::vector<std::uint8_t> f =
        BmpWithHeaders(width, height, 8, offset, rowBytes * std::size_t(height), palette.size());
    for (std::size_t i = 0; i < palette.size(); ++i) {
        f[54 + i * 4] = std::uint8_t(palette[i]);
        f[54 + i * 4 + 1] = std::uint8_t(palette[i] >> 8);
        f[54 + i * 4 + 2] = std::uint8_t(palette[i] >> 16);
    }
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            f[offset + rowBytes * std::size_t(height - 1 - y) + std::size_t(x)] =
                indices[std::size_t(y) * std::size_t(width) + std::size_t(x)];
    return f;
}

} // namespace gdi
