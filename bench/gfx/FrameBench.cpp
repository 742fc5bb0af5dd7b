// One frame of the map renderer's blits: about 650 colour-keyed 59 x 31
// tiles in staggered isometric order, plus building overlays, into the 1152 x 864
// back buffer, then the shown window copied onto the scene and the flip.
#include "gfx/Surfaces.h"
#include "gfx/TE_DDSurface.h"
#include "gfx/TE_DDraw.h"
#include "platform/ddraw/Blitters.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

using namespace gfx;
using namespace ddraw;

namespace {

constexpr std::uint32_t kPurple = 0x8010; // 0x800080 in 5-6-5

struct Frame {
    std::unique_ptr<TE_DDraw> display;
    IDirectDrawSurface7* back = nullptr; // the renderer's 1152 x 864 back buffer
    IDirectDrawSurface7* scene = nullptr; // the scene's 640 x 480 background
    std::vector<IDirectDrawSurface7*> tiles;
    std::vector<IDirectDrawSurface7*> buildings;

    Frame() {
        ResetForTests();
        display = std::make_unique<TE_DDraw>();
        display->BitsPerPixel = 16;
        display->Resolution = trWindowed640x480;
        display->Init();
        back = DDCreateSurface(1152, 864);
        scene = DDCreateSurface(640, 480);
        // Diamond tiles: purple outside the diamond, as the game's pictures are.
        for (int t = 0; t < 16; ++t) {
            IDirectDrawSurface7* s = DDCreateSurface(59, 31);
            for (int y = 0; y < 31; ++y)
                for (int x = 0; x < 59; ++x) {
                    int dx = x < 29 ? 29 - x : x - 29, dy = y < 15 ? 15 - y : y - 15;
                    bool inside = dx * 31 + dy * 59 <= 29 * 31;
                    s->SetPixelAt(x, y, inside ? std::uint32_t(0x2000 + t * 97 + x) : kPurple);
                }
            SetSurfaceColorKey(s, 0x800080);
            tiles.push_back(s);
        }
        for (int b = 0; b < 4; ++b) {
            IDirectDrawSurface7* s = DDCreateSurface(59, 62);
            for (int y = 0; y < 62; ++y)
                for (int x = 0; x < 59; ++x)
                    s->SetPixelAt(x, y, (x < 8 || x > 50 || y < 10) ? kPurple : std::uint32_t(0x4000 + b * 31 + y));
            SetSurfaceColorKey(s, 0x800080);
            buildings.push_back(s);
        }
    }
    ~Frame() {
        for (auto* s : tiles)
            s->Release();
        for (auto* s : buildings)
            s->Release();
        back->Release();
        scene->Release();
        display.reset();
        ResetForTests();
    }

    // Hands each ground tile to blit with its place in the back buffer: 26 rows of 25
    // staggered tiles = 650 tiles, some cut at the edges.
    template <typename Blit> void ForEachTile(Blit blit) {
        for (int row = 0; row < 26; ++row)
            for (int col = 0; col < 25; ++col)
                blit(tiles[std::size_t((row * 7 + col) % 16)], col * 58 - 29 + (row & 1) * 29, row * 15 + 100);
    }

    // Returns the number of blits.
    int Draw() {
        int blits = 0;
        ForEachTile([&](IDirectDrawSurface7* tile, int x, int y) {
            BltFastClipped(back, tile, 0, 0, 1152, 864, 0, 0, 59, 31, x, y);
            ++blits;
        });
        // Buildings, networks and markers over the ground: every fourth cell.
        for (int row = 0; row < 26; ++row)
            for (int col = row & 1; col < 25; col += 4) {
                int x = col * 58 - 29 + (row & 1) * 29, y = row * 15 + 100 - 31;
                BltFastClipped(back, buildings[std::size_t((row + col) % 4)], 0, 0, 1152, 864, 0, 0, 59, 62, x, y);
                ++blits;
            }
        // The shown window onto the scene's surface, then the presentation.
        RECT window{200, 150, 840, 630};
        scene->BltFast(0, 0, back, &window, DDBLTFAST_WAIT);
        return blits + 1;
    }
};

void BM_FullFrameOfBlits(benchmark::State& state) {
    Frame frame;
    int blits = 0;
    for (auto _ : state) {
        blits = frame.Draw();
        benchmark::DoNotOptimize(frame.back);
    }
    state.counters["blits_per_frame"] = blits;
    state.counters["frames_per_s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_FullFrameOfBlits)->Unit(benchmark::kMicrosecond);

void BM_FullFrameWithFlip(benchmark::State& state) {
    Frame frame;
    for (auto _ : state) {
        frame.Draw();
        frame.display->Flip();
    }
    state.counters["frames_per_s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_FullFrameWithFlip)->Unit(benchmark::kMicrosecond);

// The same 650 tile blits through the plain reference blitter, for comparison.
void BM_TilesReferenceBlitter(benchmark::State& state) {
    Frame frame;
    SurfacePixels back, tile;
    SurfaceView(frame.back, back);
    for (auto _ : state) {
        frame.ForEachTile([&](IDirectDrawSurface7* s, int x, int y) {
            SurfaceView(s, tile);
            BlitReference(back, x, y, tile, gdi::RECT{0, 0, 59, 31}, BlitKey{true, kPurple, kPurple});
        });
        benchmark::DoNotOptimize(back.bits);
    }
}
BENCHMARK(BM_TilesReferenceBlitter)->Unit(benchmark::kMicrosecond);

void BM_TilesFastBlitter(benchmark::State& state) {
    Frame frame;
    SurfacePixels back, tile;
    SurfaceView(frame.back, back);
    for (auto _ : state) {
        frame.ForEachTile([&](IDirectDrawSurface7* s, int x, int y) {
            SurfaceView(s, tile);
            gdi::RECT r{0, 0, 59, 31};
            if (ClipBlit(back, x, y, tile, r))
                BlitFast(back, x, y, tile, r, BlitKey{true, kPurple, kPurple});
        });
        benchmark::DoNotOptimize(back.bits);
    }
}
BENCHMARK(BM_TilesFastBlitter)->Unit(benchmark::kMicrosecond);

} // namespace
