// Hand-made bitmap files for the loader's tests.
#pragma once

#include <cstdint>
#include <vector>

namespace bmptest {

inline void Put16(std::vector<std::uint8_t>& f, std::size_t at, std::uint32_t v) {
    f[at] = std::uint8_t(v);
    f[at + 1] = std::uint8_t(v >> 8);
}
inline void Put32(std::vector<std::uint8_t>& f, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        f[at + std::size_t(i)] = std::uint8_t(v >> (8 * i));
}

// A .bmp file: file header, 40-byte info header, colour table (0x00RRGGBB), data.
inline std::vector<std::uint8_t> MakeBmp(int bpp, int width, int height, std::uint32_t compression,
                                         const std::vector<std::uint32_t>& palette,
                                         const std::vector<std::uint8_t>& data, std::int64_t clrUsed = -1) {
    std::size_t offset = 54 + palette.size() * 4;
    std::vector<std::uint8_t> f(offset, 0);
    f[0] = 'B';
    f[1] = 'M';
    Put32(f, 10, std::uint32_t(offset));
    Put32(f, 14, 40);
    Put32(f, 18, std::uint32_t(width));
    Put32(f, 22, std::uint32_t(height));
    Put16(f, 26, 1);
    Put16(f, 28, std::uint32_t(bpp));
    Put32(f, 30, compression);
    Put32(f, 34, std::uint32_t(data.size()));
    Put32(f, 46, clrUsed < 0 ? std::uint32_t(palette.size()) : std::uint32_t(clrUsed));
    for (std::size_t i = 0; i < palette.size(); ++i) {
        f[54 + i * 4] = std::uint8_t(palette[i]);
        f[54 + i * 4 + 1] = std::uint8_t(palette[i] >> 8);
        f[54 + i * 4 + 2] = std::uint8_t(palette[i] >> 16);
    }
    f.insert(f.end(), data.begin(), data.end());
    Put32(f, 2, std::uint32_t(f.size()));
    return f;
}

} // namespace bmptest
