// The virtual screen, or any 0x00RRGGBB picture, as a PNG file (the headless driver's ":shot").
#include "platform/ddraw/DDraw.h"

#include <png.h>

#include <cstdio>

namespace ddraw {

bool SaveVirtualScreenPng(const std::string& path, std::string* error) {
    std::vector<std::uint32_t> pixels;
    int width = 0, height = 0;
    ReadVirtualScreenRgb(pixels, width, height);
    return SaveRgbPng(path, pixels, width, height, error);
}

bool SaveRgbPng(const std::string& path, const std::vector<std::uint32_t>& pixels, int width, int height,
                std::string* error) {
    if (width < 0 || height < 0 || pixels.size() < std::size_t(width) * std::size_t(height)) {
        if (error)
            *error = "no picture to write";
        return false;
    }
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        if (error)
            *error = "cannot write " + path;
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info) {
        png_destroy_write_struct(&png, &info);
        std::fclose(f);
        if (error)
            *error = "libpng failed";
        return false;
    }
    std::vector<png_byte> row(std::size_t(width) * 3);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(f);
        if (error)
            *error = "libpng failed writing " + path;
        return false;
    }
    png_init_io(png, f);
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) {
        const std::uint32_t* p = pixels.data() + std::size_t(y) * std::size_t(width);
        for (int x = 0; x < width; ++x) {
            row[std::size_t(x) * 3] = png_byte(p[x] >> 16);
            row[std::size_t(x) * 3 + 1] = png_byte(p[x] >> 8);
            row[std::size_t(x) * 3 + 2] = png_byte(p[x]);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    bool ok = std::fclose(f) == 0;
    if (!ok && error)
        *error = "cannot write " + path;
    return ok;
}

} // namespace ddraw
