// A display and a scene on the software DirectDraw, with bitmap files in a temp folder.
#pragma once

#include "gfx/Errors.h"
#include "gfx/Surfaces.h"
#include "gfx/TE_DDSurface.h"
#include "gfx/TE_DDraw.h"
#include "platform/ddraw/FaultInjector.h"
#include "platform/gdi/Bmp.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

namespace gfxtest {

namespace fs = std::filesystem;
using namespace gfx;
using ddraw::FaultInjector;

inline void WriteFile(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// width x height 24-bit bitmap whose pixels come from f(x, y) (0x00RRGGBB).
inline std::vector<std::uint8_t> Bmp24(int width, int height, const std::function<std::uint32_t(int, int)>& f) {
    std::vector<std::uint32_t> pixels(std::size_t(width) * std::size_t(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)] = f(x, y);
    return gdi::EncodeBmp24(width, height, pixels);
}

// 565 value of an 0x00RRGGBB colour.
inline std::uint32_t P16(std::uint32_t rgb) {
    return gdi::ColorToPixel(gdi::RGB(gdi::BYTE(rgb >> 16), gdi::BYTE(rgb >> 8), gdi::BYTE(rgb)), 16);
}

// The game's background: grey with a purple (transparent) square at 100..199.
inline std::uint32_t Background(int x, int y) {
    if (x >= 100 && x < 200 && y >= 100 && y < 200)
        return 0x800080;
    return 0x404040 + std::uint32_t((x / 64) & 3);
}

class GfxTest : public ::testing::Test {
protected:
    void SetUp() override {
        ddraw::ResetForTests();
        CurrentDisplay = nullptr;
        dir = fs::temp_directory_path() / ("plazaro_gfx_" + std::to_string(::getpid()));
        fs::create_directories(dir);
        backPath = (dir / "Graphics" / "Back.bmp").string();
        WriteFile(backPath, Bmp24(640, 480, Background));
        display = std::make_unique<TE_DDraw>();
        display->BitsPerPixel = 16;
        display->TimerInterval = 1000;
        display->Resolution = trWindowed640x480;
        scene = std::make_unique<TE_DDSurface>();
        scene->TransparentColor = 0x800080;
        display->SetScene(scene.get());
    }
    void TearDown() override {
        scene.reset();
        display.reset();
        CurrentDisplay = nullptr;
        ddraw::ResetForTests();
        fs::remove_all(dir);
    }
    // The game's start-up: the background through the program path, then Init.
    void InitGame() {
        scene->BackgroundBitmap = WindowsPath(backPath);
        display->Init();
    }
    // The same path written as the game writes it: backslashes, other case.
    static std::string WindowsPath(std::string path) {
        for (char& c : path)
            if (c == '/')
                c = '\\';
        auto at = path.find("Graphics\\Back.bmp");
        if (at != std::string::npos)
            path.replace(at, 17, "GRAPHICS\\back.BMP");
        return path;
    }
    template <typename F> std::string ErrorOf(F&& f) {
        try {
            f();
        } catch (const EDDError& e) {
            return std::string("EDDError: ") + e.what();
        } catch (const ui::Exception& e) {
            return std::string("Exception: ") + e.what();
        }
        return "no error";
    }

    fs::path dir;
    std::string backPath;
    std::unique_ptr<TE_DDraw> display;
    std::unique_ptr<TE_DDSurface> scene;
};

} // namespace gfxtest
