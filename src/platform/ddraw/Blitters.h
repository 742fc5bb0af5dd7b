// The two blitters of the software DirectDraw: a plain reference one (per pixel,
// colour-keyed, clipped) and the fast one that BltFast and Blt use, which is checked
// against it by the tests.
#pragma once

#include "platform/gdi/WinTypes.h"

#include <cstdint>

namespace ddraw {

// Pixel memory of one surface: 16 (5-6-5) or 32 bits per pixel.
struct SurfacePixels {
    std::uint8_t* bits = nullptr;
    int width = 0;
    int height = 0;
    int pitch = 0;
    int bitsPerPixel = 16;
};

struct BlitKey {
    bool use = false;
    std::uint32_t low = 0;  // source pixels in [low, high] are not copied
    std::uint32_t high = 0;
};

// Copies src's rectangle to (x, y) of dst pixel by pixel; every pixel outside either
// surface, or matching the key, is skipped. Any rectangle and position are safe.
void BlitReference(const SurfacePixels& dst, int x, int y, const SurfacePixels& src, gdi::RECT srcRect,
                   BlitKey key);

// Clips a blit of srcRect to (x, y) to both surfaces: shrinks the rectangle and moves
// the position; false when nothing is left.
bool ClipBlit(const SurfacePixels& dst, int& x, int& y, const SurfacePixels& src, gdi::RECT& srcRect);

// The fast blitter: the rectangle and position must lie inside both surfaces (as
// ClipBlit or BltFast's checks leave them), the depths must match, and the two
// areas must not overlap unless src and dst are the same memory (then it copies
// through a temporary row order that keeps the result right).
void BlitFast(const SurfacePixels& dst, int x, int y, const SurfacePixels& src, const gdi::RECT& srcRect,
              BlitKey key);

// Nearest-pixel stretch of srcRect onto dstRect (which may extend past dst: only
// the part inside clip, itself inside dst, is written).
void BlitStretch(const SurfacePixels& dst, const gdi::RECT& dstRect, const gdi::RECT& clip,
                 const SurfacePixels& src, const gdi::RECT& srcRect, BlitKey key);

} // namespace ddraw
