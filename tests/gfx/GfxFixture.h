// A display and a scene on the software DirectDraw, with bitmap files in a temp folder.
#pragma once

#include "EngineTestSupport.h"
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
using enginetest::Bmp24;
using enginetest::ErrorOf;
using enginetest::P16;

inline void WriteFile(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
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

    fs::path dir;
    std::string backPath;
    std::unique_ptr<TE_DDraw> display;
    std::unique_ptr<TE_DDSurface> scene;
};

} // namespace gfxtest
