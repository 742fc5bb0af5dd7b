// Shrinks the icon picture to each desktop size and writes it as RGBA PNG files.
#include "IconWriter.h"

#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>

namespace art {

const std::vector<int>& IconWriter::Sizes() {
    static const std::vector<int> sizes{16, 24, 32, 48, 64, 128, 256};
    return sizes;
}

RgbaImage IconWriter::Shrink(const Canvas& square, int size) {
    RgbaImage out;
    out.width = out.height = size;
    out.rgba.assign(std::size_t(size) * std::size_t(size) * 4, 0);
    const double scale = double(square.Width()) / size;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const double x0 = x * scale, x1 = (x + 1) * scale, y0 = y * scale, y1 = (y + 1) * scale;
            double r = 0, g = 0, b = 0, a = 0, area = 0;
            for (int sy = int(std::floor(y0)); sy < int(std::ceil(y1)); ++sy)
                for (int sx = int(std::floor(x0)); sx < int(std::ceil(x1)); ++sx) {
                    const double w = (std::min(x1, sx + 1.0) - std::max(x0, double(sx))) *
                                     (std::min(y1, sy + 1.0) - std::max(y0, double(sy)));
                    if (w <= 0)
                        continue;
                    area += w;
                    if (!square.Opaque(sx, sy))
                        continue;
                    const Rgb c = square.At(sx, sy);
                    r += w * c.r;
                    g += w * c.g;
                    b += w * c.b;
                    a += w;
                }
            std::uint8_t* px = &out.rgba[(std::size_t(y) * std::size_t(size) + std::size_t(x)) * 4];
            if (a > 0) {
                px[0] = std::uint8_t(std::lround(r / a));
                px[1] = std::uint8_t(std::lround(g / a));
                px[2] = std::uint8_t(std::lround(b / a));
                px[3] = std::uint8_t(std::lround(255.0 * a / area));
            }
        }
    return out;
}

bool IconWriter::WritePng(const std::string& path, const RgbaImage& image) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, png_uint_32(image.width), png_uint_32(image.height), 8, PNG_COLOR_TYPE_RGBA,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < image.height; ++y)
        png_write_row(png, &image.rgba[std::size_t(y) * std::size_t(image.width) * 4]);
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0;
}

bool IconWriter::WriteTheme(const std::string& dir, const std::string& name, const Canvas& square) {
    bool ok = true;
    for (int size : Sizes()) {
        const std::string folder = dir + "/" + std::to_string(size) + "x" + std::to_string(size) + "/apps";
        std::error_code error;
        std::filesystem::create_directories(folder, error);
        ok = WritePng(folder + "/" + name + ".png", Shrink(square, size)) && ok;
    }
    return ok;
}

} // namespace art
