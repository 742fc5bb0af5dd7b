// velmora_hello: the smallest program on the Velmora package. It registers the
// components, sets up a 320 x 240 display whose scene shows a picture, draws a sprite
// over it, flips one frame, and prints what it finds on the screen.
//
//   velmora_hello [FOLDER]   (FOLDER receives the two pictures; default: the temp folder)
#include "platform/ddraw/DDraw.h"
#include "platform/gdi/Bmp.h"
#include "velmora/ComponentPalette.h"
#include "velmora/TKx_DDSurface.h"
#include "velmora/TKx_DDraw.h"
#include "velmora/TKx_Sprite.h"
#include "velmora/Velmora.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr std::uint32_t kPurple = 0x800080; // the transparent colour of every picture

// A 24-bit picture of one colour, with a purple frame round a sprite-sized one.
void WritePicture(const fs::path& path, int width, int height, std::uint32_t colour, bool framed) {
    std::vector<std::uint32_t> rgb(std::size_t(width) * std::size_t(height), colour);
    if (framed)
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (x < 4 || y < 4 || x >= width - 4 || y >= height - 4)
                    rgb[std::size_t(y) * std::size_t(width) + std::size_t(x)] = kPurple;
    const std::vector<std::uint8_t> bytes = gdi::EncodeBmp24(width, height, rgb);
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

} // namespace

int main(int argc, char** argv) {
    const fs::path dir = argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path();
    try {
        velmora::Register();
        std::cout << "palette " << velmora::kPaletteName << ":";
        for (const std::string& name : velmora::ComponentPalette::Page(velmora::kPaletteName))
            std::cout << " " << name;
        std::cout << "\n";

        WritePicture(dir / "hello_back.bmp", 320, 240, 0x2060C0, false);
        WritePicture(dir / "hello_sprite.bmp", 32, 32, 0xF0C020, true);

        velmora::TKx_DDraw display;
        velmora::TKx_DDSurface scene;
        velmora::TKx_Sprite sprite;
        scene.BackgroundBitmap = (dir / "hello_back.bmp").string();
        scene.TransparentColor = kPurple;
        scene.OnDrawScene = [&](ui::Component*, ddraw::IDirectDrawSurface7* back) {
            sprite.BlitFast(back, gdi::POINT{100, 100}, gdi::RECT{0, 0, 32, 32}, nullptr);
        };
        display.Resolution = velmora::tr320x240;
        display.BitsPerPixel = 32;
        display.SetScene(&scene);
        display.Init();
        sprite.AddImage(nullptr, (dir / "hello_sprite.bmp").string(), kPurple);
        display.Flip();

        std::vector<std::uint32_t> screen;
        int width = 0, height = 0;
        ddraw::ReadVirtualScreenRgb(screen, width, height);
        auto at = [&](int x, int y) { return screen[std::size_t(y) * std::size_t(width) + std::size_t(x)]; };
        char line[96];
        std::snprintf(line, sizeof line, "screen %dx%d: background %06X, sprite %06X, sprite frame %06X", width, height,
                      unsigned(at(10, 10)), unsigned(at(116, 116)), unsigned(at(101, 101)));
        std::cout << line << "\n";
    } catch (const std::exception& error) {
        std::cerr << "velmora_hello: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
