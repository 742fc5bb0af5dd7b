// A sprite: one or more images (off-screen surfaces made from bitmaps) drawn at a
// position on a target surface. With more than one image every draw first moves on
// to the next image, wrapping at the end, so images A, B, C are drawn B, C, A, B...
// It reaches DirectDraw, the default clip rectangle and the error path through the
// current display.
#pragma once

#include "platform/ddraw/DDraw.h"
#include "platform/gdi/WinTypes.h"

#include <cstdint>
#include <string>
#include <vector>

namespace velmora {

class TKx_Sprite {
public:
    TKx_Sprite();
    // Releases the image surfaces.
    ~TKx_Sprite();
    TKx_Sprite(const TKx_Sprite&) = delete;
    TKx_Sprite& operator=(const TKx_Sprite&) = delete;

    int Frame = 0;
    bool Still = true;
    std::vector<ddraw::IDirectDrawSurface7*> Images;

    // Module 0: the program's resources, then files.
    void AddImage(gdi::HINSTANCE module, const std::string& name);
    // The image's source colour key is set from the colour.
    void AddImage(gdi::HINSTANCE module, const std::string& name, std::uint32_t colour);

    // Colour-keyed BltFast at the position when it lies within the clip rectangle
    // (null: the display's screen); only the position is tested, a sprite that starts
    // inside is drawn whole. A sprite without images draws nothing.
    void BlitFast(ddraw::IDirectDrawSurface7* target, gdi::POINT position, gdi::RECT source, const gdi::RECT* clip);
    // Blt onto (x + source left, y + source top) sized by the source's right and bottom,
    // with the flags and effects given; no clipping.
    void BlitFx(ddraw::IDirectDrawSurface7* target, gdi::POINT position, gdi::RECT source, std::uint32_t flags,
                ddraw::DDBLTFX* effects);

private:
    void Add(gdi::HINSTANCE module, const std::string& name, bool useKey, std::uint32_t colour);
    // Moves to the next image; null when there is none.
    ddraw::IDirectDrawSurface7* NextImage();
};

} // namespace velmora
