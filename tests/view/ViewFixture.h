// A display, a scene and a city drawn with test pictures: each picture a block of its
// own colour at the size the picture table gives, so positions can be read back.
#pragma once

#include "city/CityState.h"
#include "gfx/DisplayCore.h"
#include "gfx/TE_DDSurface.h"
#include "gfx/TE_DDraw.h"
#include "platform/ddraw/DDraw.h"
#include "platform/gdi/Bmp.h"
#include "platform/os/ResourceTable.h"
#include "view/MapPictures.h"
#include "view/MapRenderer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace viewtest {

namespace fs = std::filesystem;
using view::MapRenderer;

// The footprint each picture is drawn for, from the widths of the picture table.
inline int FootprintOf(int p) {
    auto in = [p](std::initializer_list<std::pair<int, int>> ranges) {
        for (auto [lo, hi] : ranges)
            if (p >= lo && p <= hi)
                return true;
        return false;
    };
    if (in({{2, 2}, {4, 4}, {7, 8}, {14, 14}, {16, 16}, {19, 19}, {21, 21}, {26, 26}, {28, 28}, {31, 32}, {43, 43},
            {46, 46}, {55, 59}, {72, 76}, {89, 93}, {99, 99}, {106, 106}, {109, 109}, {168, 170}, {186, 188}}))
        return 2;
    if (in({{3, 3}, {5, 5}, {13, 13}, {42, 42}, {47, 47}, {60, 64}, {77, 81}, {94, 98}, {100, 104}, {107, 107},
            {110, 110}, {183, 185}}))
        return 3;
    if (in({{37, 40}, {44, 44}, {105, 105}, {111, 111}, {171, 176}}))
        return 4;
    return 1;
}

// Width and height of test picture p: the footprint's diamond, taller for buildings.
inline void PictureSize(int p, int& w, int& h) {
    const int n = FootprintOf(p);
    w = 60 * n - 1;
    h = 30 * n + 1;
    if (p == 11) {
        w = 7;
        h = 9;
    } else if (p == 18) {
        w = 238;
        h = 122;
    } else if (p >= 60 && p <= 64) {
        h = 120; // towers: 29 pixels above the 3 x 3 diamond
    } else if (p >= 50 && p <= 54) {
        h = 45;
    } else if (p == 37 || (p >= 171 && p <= 173)) {
        h = 180;
    } else if (p == 3) {
        w = 170;
        h = 140;
    }
}

// The colour (0x00RRGGBB) of test picture p; never purple.
inline std::uint32_t PictureColor(int p) {
    const std::uint32_t r = std::uint32_t(p % 32) * 8;
    const std::uint32_t g = std::uint32_t((p / 32) % 8) * 24 + 40;
    const std::uint32_t b = 255 - std::uint32_t(p);
    return (r << 16) | (g << 8) | b;
}
constexpr std::uint32_t kPurple = 0x800080;
constexpr std::uint32_t kBlankColor = 0x202020;
constexpr std::uint32_t kCursorColor = 0xFFFF00;

// A block of one colour with a one-pixel darker frame. Pixels outside the footprint's
// diamond are purple, so pictures overlap as tiles do; a picture taller than its
// diamond keeps the whole block above the diamond's middle (the building). The
// motorway sheet is four blocks of their own colours.
inline std::vector<std::uint32_t> PicturePixels(int p, int w, int h, std::uint32_t color) {
    std::vector<std::uint32_t> px(std::size_t(w) * std::size_t(h), color);
    const int n = FootprintOf(p);
    const int dw = 60 * n - 1, dh = 30 * n + 1;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            std::uint32_t& c = px[std::size_t(y) * std::size_t(w) + std::size_t(x)];
            if (p == 18) {
                c = (x < 119 ? 0 : 0x40) + (y < 61 ? 0 : 0x80) + 0x203000;
                continue;
            }
            if (x == 0 || y == 0 || x == w - 1 || y == h - 1)
                c = (color >> 1) & 0x7F7F7F;
            if (w != dw)
                continue;
            const int dy = y - (h - dh);
            if (dy <= dh / 2 && h != dh)
                continue;
            const int half = dy <= dh / 2 ? dy * 2 : (dh - 1 - dy) * 2;
            if (x < dw / 2 - half || x > dw / 2 + half)
                c = kPurple;
        }
    return px;
}

// The pixel of a test picture that identifies it: the top-left corner of a block, or
// the left corner of a flat diamond.
inline void ReferencePixel(int p, int& rx, int& ry) {
    int w = 0, h = 0;
    PictureSize(p, w, h);
    const int n = FootprintOf(p);
    rx = 0;
    ry = (w == 60 * n - 1 && h == 30 * n + 1 && p != 18) ? h / 2 : 0;
}

class ViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        ddraw::ResetForTests();
        gfx::CurrentDisplay = nullptr;
        dir = fs::temp_directory_path() / ("plazaro_view_" + std::to_string(::getpid()));
        fs::create_directories(dir / "Graphics");
        WriteBmp(dir / "Graphics" / "Back.bmp", 640, 480, std::vector<std::uint32_t>(640 * 480, 0x606060));
        WriteBmp(dir / "Graphics" / "Blank.bmp", 59, 31, std::vector<std::uint32_t>(59 * 31, kBlankColor));
        for (int n = 1; n <= 4; ++n) {
            const int w = 60 * n - 1, h = 30 * n + 1;
            std::vector<std::uint32_t> px(std::size_t(w * h), kPurple);
            for (int x = 0; x < w; ++x)
                px[std::size_t(x)] = px[std::size_t((h - 1) * w + x)] = kCursorColor;
            WriteBmp(dir / "Graphics" / ("Curpos" + std::to_string(n) + ".bmp"), w, h, px);
        }
        RegisterPictures();

        display = std::make_unique<gfx::TE_DDraw>();
        display->BitsPerPixel = 16;
        display->Resolution = gfx::trWindowed640x480;
        scene = std::make_unique<gfx::TE_DDSurface>();
        scene->TransparentColor = kPurple;
        display->SetScene(scene.get());
        scene->BackgroundBitmap = (dir / "Graphics" / "Back.bmp").string();
        display->Init();

        pictures = std::make_unique<view::MapPictures>();
        pictures->CreateBackBuffer();
        pictures->LoadPictures(city);
        pictures->LoadTiles(dir.string());
        // As in the game's scripts, only the objects have types; the pictures of
        // networks, markers, movers and animation runs have none.
        for (int code = 1; code <= 113; ++code)
            city.ObjectTypes[std::size_t(code)].size = FootprintOf(code);
        city.ObjectTypes[29].size = city.ObjectTypes[34].size = 1;
        city.BuildViewGrid();
        city.Seed(7);
        for (int y = 0; y < city::kMapSize; ++y)
            for (int x = 0; x < city::kMapSize; ++x)
                city.SetCell(x, y, city::kCodeEmpty);
        renderer = std::make_unique<MapRenderer>(city, *pictures);
    }
    void TearDown() override {
        renderer.reset();
        pictures.reset();
        scene.reset();
        display.reset();
        gfx::CurrentDisplay = nullptr;
        for (int p = 1; p <= view::kPictureCount; ++p)
            os::ResourceTable::Remove(view::MapPictures::PictureName(p));
        ddraw::ResetForTests();
        fs::remove_all(dir);
    }

    static void WriteBmp(const fs::path& path, int w, int h, const std::vector<std::uint32_t>& px) {
        auto bytes = gdi::EncodeBmp24(w, h, px);
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                    std::streamsize(bytes.size()));
    }
    // P001 to P201 as resources of the program, kept alive for the whole test.
    void RegisterPictures() {
        resources.clear();
        resources.resize(view::kPictureCount + 1);
        for (int p = 1; p <= view::kPictureCount; ++p) {
            int w = 0, h = 0;
            PictureSize(p, w, h);
            resources[std::size_t(p)] = gdi::EncodeBmp24(w, h, PicturePixels(p, w, h, PictureColor(p)));
            os::ResourceTable::Add(view::MapPictures::PictureName(p), resources[std::size_t(p)].data(),
                                   resources[std::size_t(p)].size());
        }
    }

    // The back buffer's pixel at (x, y) as a 565 value, and the 565 value of a colour.
    std::uint32_t At(int x, int y) const { return pictures->BackBuffer->PixelAt(x, y); }
    static std::uint32_t Px(std::uint32_t rgb) {
        return gdi::ColorToPixel(gdi::RGB(gdi::BYTE(rgb >> 16), gdi::BYTE(rgb >> 8), gdi::BYTE(rgb)), 16);
    }
    // Clears the back buffer to black, as if nothing had ever been drawn.
    void ClearBackBuffer() {
        ddraw::DDBLTFX fx;
        fx.dwSize = sizeof fx;
        fx.dwFillColor = 0;
        pictures->BackBuffer->Blt(nullptr, nullptr, nullptr, ddraw::DDBLT_COLORFILL | ddraw::DDBLT_WAIT, &fx);
    }
    // The view position (absolute view column and row) of a map cell.
    void ViewPosOf(int x, int y, int& col, int& row) const {
        for (int i = 0; i < city::kViewRows * city::kViewCols; ++i)
            if (city.ViewGrid[std::size_t(i)].x == x && city.ViewGrid[std::size_t(i)].y == y) {
                row = i / city::kViewCols;
                col = i % city::kViewCols;
                return;
            }
        FAIL() << "cell " << x << "," << y << " is not in the view lookup";
    }
    // Places an n x n object with its anchor at (x, y).
    void Place(int x, int y, int code) {
        const int n = city.SizeOf(code);
        for (int dy = 0; dy < n; ++dy)
            for (int dx = 0; dx < n; ++dx) {
                city.SetCell(x + dx, y + dy, 250);
                city.Cell(x + dx, y + dy).anchorX = x;
                city.Cell(x + dx, y + dy).anchorY = y;
            }
        city.SetCell(x, y, code);
    }

    fs::path dir;
    std::vector<std::vector<std::uint8_t>> resources;
    std::unique_ptr<gfx::TE_DDraw> display;
    std::unique_ptr<gfx::TE_DDSurface> scene;
    std::unique_ptr<view::MapPictures> pictures;
    CityState city;
    std::unique_ptr<MapRenderer> renderer;
};

} // namespace viewtest
