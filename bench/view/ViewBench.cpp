// A frame of a dense, fully built city in view: movers, draw list, blank and draw
// passes with every overlay, the copy into the scene and the flip.
#include "PlazaroResources.h"
#include "city/CityState.h"
#include "gfx/TE_DDSurface.h"
#include "gfx/TE_DDraw.h"
#include "view/MapPictures.h"
#include "view/MapRenderer.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The object table from the game's own script: sizes, needs and animation runs.
void ReadObjectTable(CityState& city, const std::string& path) {
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        std::vector<std::string> f;
        std::stringstream s(line);
        std::string field;
        while (std::getline(s, field, ';'))
            f.push_back(field);
        if (f.size() >= 9 && f[0] == "CODE") {
            TObjectType& t = city.ObjectTypes[std::size_t(std::stoi(f[1]))];
            t.size = std::stoi(f[2]);
            t.needsPower = std::stoi(f[5]) == 1;
            t.needsSewage = std::stoi(f[6]) == 1;
            t.needsWater = std::stoi(f[7]) == 1;
        } else if (f.size() >= 3 && f[0] == "SPRITE") {
            city.ObjectTypes[std::size_t(std::stoi(f[1]))].spritePicture = std::stoi(f[2]);
        }
    }
}

bool Free(const CityState& city, int x, int y, int n) {
    for (int dy = 0; dy < n; ++dy)
        for (int dx = 0; dx < n; ++dx)
            if (!CityState::OnMap(x + dx, y + dy) || city.Cell(x + dx, y + dy).code != 9)
                return false;
    return true;
}

void Place(CityState& city, int x, int y, int code) {
    const int n = city.SizeOf(code);
    for (int dy = 0; dy < n; ++dy)
        for (int dx = 0; dx < n; ++dx) {
            city.SetCell(x + dx, y + dy, 250);
            city.Cell(x + dx, y + dy).anchorX = x;
            city.Cell(x + dx, y + dy).anchorY = y;
        }
    city.SetCell(x, y, code);
}

// Blocks of 5 x 5 between roads, each filled with a mix of every footprint; a river,
// a railway with trains, woods and power lines; half the city without supplies.
void BuildDenseCity(CityState& city) {
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 80; ++x)
            city.SetCell(x, y, 9);
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 80; ++x) {
            if (x % 6 == 0 || y % 6 == 0) {
                city.SetCell(x, y, y == 30 ? 20 : (x == 48 ? 12 : 17));
                if (x % 12 == 0 && y % 6 != 0)
                    city.Cell(x, y).pendingCode = 36;
            }
        }
    const int big[] = {37, 38, 40, 105, 111};
    const int three[] = {60, 61, 77, 78, 94, 95, 103};
    const int two[] = {55, 56, 72, 73, 89, 90, 14, 46};
    const int one[] = {50, 51, 52, 67, 68, 84, 85, 41, 45, 108};
    int k = 0;
    for (int by = 1; by < 80; by += 6)
        for (int bx = 1; bx < 80; bx += 6, ++k) {
            if (k % 5 == 4) {
                for (int y = by; y < by + 5 && y < 80; ++y)
                    for (int x = bx; x < bx + 5 && x < 80; ++x) {
                        city.SetCell(x, y, 11);
                        city.Cell(x, y).pendingCode = 1 + (x + y) % 11;
                    }
                continue;
            }
            if (k % 5 == 0 && Free(city, bx, by, 4))
                Place(city, bx, by, big[k % 5]);
            for (int n = 3; n >= 1; --n)
                for (int y = by; y < by + 5; ++y)
                    for (int x = bx; x < bx + 5; ++x)
                        if (Free(city, x, y, n) && (x + y + k) % (n == 1 ? 1 : 2) == 0)
                            Place(city, x, y,
                                  n == 3 ? three[(x + y) % 7] : n == 2 ? two[(x * 3 + y) % 8] : one[(x + 2 * y) % 10]);
        }
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 80; ++x) {
            TMapCell& c = city.Cell(x, y);
            c.powered = c.watered = c.sewered = x < 40;
        }
    int slot = 1;
    for (int x = 2; x < 78 && slot < 20; x += 4, ++slot) {
        city.Movers[std::size_t(slot)] = TMover{x, 30, 1, 3, 0, 1, 114, 2};
        city.Cell(x, 30).countdown = slot + 130;
    }
    city.cursorValid = 1;
    city.cursorScreenX = 200;
    city.cursorScreenY = 150;
    city.toolCode = 37;
}

struct Game {
    std::unique_ptr<gfx::TE_DDraw> display;
    std::unique_ptr<gfx::TE_DDSurface> scene;
    view::MapPictures pictures;
    CityState city;
    std::unique_ptr<view::MapRenderer> renderer;

    Game() {
        RegisterPlazaroResources();
        ddraw::ResetForTests();
        const std::string dir = PLAZARO_PROGRAM_DIR;
        display = std::make_unique<gfx::TE_DDraw>();
        display->BitsPerPixel = 16;
        display->Resolution = gfx::trWindowed640x480;
        scene = std::make_unique<gfx::TE_DDSurface>();
        scene->TransparentColor = view::kPictureKey;
        display->SetScene(scene.get());
        scene->BackgroundBitmap = dir + "/Graphics/Back.bmp";
        display->Init();
        ReadObjectTable(city, dir + "/City.ini");
        city.ObjectTypes[20].size = 1;
        pictures.CreateBackBuffer();
        pictures.LoadPictures(city);
        pictures.LoadTiles(dir);
        city.BuildViewGrid();
        city.Seed(1);
        BuildDenseCity(city);
        renderer = std::make_unique<view::MapRenderer>(city, pictures);
        // PLAZARO_VIEW_BENCH_SHOT=path.png keeps a picture of the frame being timed.
        if (const char* shot = std::getenv("PLAZARO_VIEW_BENCH_SHOT")) {
            renderer->DrawFrame(35, 66, scene->BackgroundSurface, [&] { display->Flip(); });
            ddraw::SaveVirtualScreenPng(shot);
        }
    }
};

Game& TheGame() {
    static Game game;
    return game;
}

// Argument 1: as the game draws, only the pictures that reach the shown window;
// 0: every picture of the view.
void BM_DenseCityFrame(benchmark::State& state) {
    Game& g = TheGame();
    g.renderer->ShownOnly = state.range(0) != 0;
    int frame = 0;
    for (auto _ : state) {
        g.city.animFrame = 1 + frame++ % 4;
        g.renderer->DrawFrame(35, 66, g.scene->BackgroundSurface, [&] { g.display->Flip(); });
    }
}
BENCHMARK(BM_DenseCityFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_DenseCityComposeOnly(benchmark::State& state) {
    Game& g = TheGame();
    g.renderer->ShownOnly = state.range(0) != 0;
    for (auto _ : state)
        g.renderer->Compose(35, 66);
}
BENCHMARK(BM_DenseCityComposeOnly)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
