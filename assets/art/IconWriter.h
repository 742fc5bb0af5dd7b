// The program's icon at the sizes a desktop asks for, as PNG files with transparency.
#pragma once

#include "Canvas.h"

#include <cstdint>
#include <string>
#include <vector>

namespace art {

// Red, green, blue and alpha of each pixel, rows from the top.
struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;
};

class IconWriter {
public:
    // The sizes of the hicolor theme an application icon is expected at.
    static const std::vector<int>& Sizes();
    // A square canvas shrunk to size x size: each pixel averages the source pixels it
    // covers (partly covered ones by their share), transparent ones counting as such,
    // so edges fade instead of turning jagged.
    static RgbaImage Shrink(const Canvas& square, int size);
    static bool WritePng(const std::string& path, const RgbaImage& image);
    // Writes DIR/<n>x<n>/apps/<name>.png for every size; false when a file fails.
    static bool WriteTheme(const std::string& dir, const std::string& name, const Canvas& square);
};

} // namespace art
