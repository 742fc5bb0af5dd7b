// The engine's free functions that make DirectDraw surfaces from Windows
// bitmaps, set colour keys, build palettes and blit with clipping. They reach
// DirectDraw and the error path through CurrentDisplay.
#pragma once

#include "platform/ddraw/DDraw.h"
#include "platform/gdi/Gdi.h"

#include <cstdint>
#include <string>

namespace gfx {

using ddraw::HRESULT;
using ddraw::IDirectDrawSurface7;

// A new off-screen plain surface of the display's pixel format; a failure goes through
// DDTest with "DDCreateSurface: Create surface Failed". The caller owns the surface.
IDirectDrawSurface7* DDCreateSurface(int width, int height);

// Loads a bitmap as the engine resolves names: the module's resources first (module 0:
// the program's own, os::ResourceTable), then a file path. Null when neither loads.
gdi::HBITMAP LoadBitmapByName(gdi::HINSTANCE module, const std::string& name);

// The size of a bitmap resource or file; ui::Exception "DDGetImageSize: Unable to load
// bitmap %s" when it does not load.
void DDGetImageSize(gdi::HINSTANCE module, const std::string& name, int& width, int& height);

// Reloads a bitmap into an existing surface (stretched onto the whole surface);
// ui::Exception "DDReLoadBitmap: Unable to load bitmap %s" when it does not load.
void DDReLoadBitmap(IDirectDrawSurface7* surface, gdi::HINSTANCE module, const std::string& name);

// Stretches the part (x, y, dx, dy) of a bitmap (dx, dy 0: the whole bitmap) onto the
// whole surface; returns the surface's GetDC result.
HRESULT DDCopyBitmap(IDirectDrawSurface7* surface, gdi::HBITMAP bitmap, int x, int y, int dx, int dy);

// A new surface of the bitmap's size holding it, with the colour key when useKey.
// The game: LoadBitmapSurface(0, "P001", true, 0x800080).
IDirectDrawSurface7* LoadBitmapSurface(gdi::HINSTANCE module, const std::string& name, bool useKey,
                                       gdi::COLORREF key);

// The pixel value a GDI colour has on the surface (CLR_INVALID: the first pixel as it is).
std::uint32_t MatchSurfaceColor(IDirectDrawSurface7* surface, gdi::COLORREF color);

// The surface's source colour key from a GDI colour; the SetColorKey result.
HRESULT SetSurfaceColorKey(IDirectDrawSurface7* surface, gdi::COLORREF color);

// A 256-entry palette from a bitmap's colour table (3-3-2 colour cube where the bitmap
// gives none).
ddraw::IDirectDrawPalette* DDLoadPalette(gdi::HINSTANCE module, ddraw::IDirectDraw7* directDraw,
                                         const std::string& name);

// Colour-keyed BltFast of the source rectangle at (x, y), clipped to the clip
// rectangle; an invalid rectangle is skipped silently, any other
// failure goes through DDTest with "BltFast".
void BltFastClipped(IDirectDrawSurface7* target, IDirectDrawSurface7* source, int clipLeft, int clipTop,
                    int clipRight, int clipBottom, int srcLeft, int srcTop, int srcRight, int srcBottom, int x,
                    int y);

// Releases an interface if it is set and clears the pointer.
template <typename T> void ReleaseInterface(T*& object) {
    if (object) {
        object->Release();
        object = nullptr;
    }
}

} // namespace gfx
