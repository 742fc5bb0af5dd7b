// Sprites.
#include "velmora/TKx_Sprite.h"

#include "gfx/DisplayCore.h"
#include "gfx/Surfaces.h"

namespace velmora {

using namespace ddraw;

TKx_Sprite::TKx_Sprite() = default;

TKx_Sprite::~TKx_Sprite() {
    for (IDirectDrawSurface7*& image : Images)
        gfx::ReleaseInterface(image);
}

void TKx_Sprite::AddImage(gdi::HINSTANCE module, const std::string& name) { Add(module, name, false, 0); }

void TKx_Sprite::AddImage(gdi::HINSTANCE module, const std::string& name, std::uint32_t colour) {
    Add(module, name, true, colour);
}

void TKx_Sprite::Add(gdi::HINSTANCE module, const std::string& name, bool useKey, std::uint32_t colour) {
    Images.push_back(gfx::LoadBitmapSurface(module, name, useKey, colour));
    if (Images.size() > 1)
        Still = false;
}

IDirectDrawSurface7* TKx_Sprite::NextImage() {
    if (Images.empty())
        return nullptr;
    if (!Still) {
        ++Frame;
        if (Frame >= int(Images.size()))
            Frame = 0;
    }
    return Images[std::size_t(Frame)];
}

void TKx_Sprite::BlitFast(IDirectDrawSurface7* target, gdi::POINT position, gdi::RECT source, const gdi::RECT* clip) {
    IDirectDrawSurface7* image = NextImage();
    if (!image)
        return;
    gfx::DisplayCore& display = gfx::RequireDisplay();
    const gdi::RECT area = clip ? *clip : display.ScreenRect;
    if (position.x < area.left || position.y < area.top || position.x > area.right || position.y > area.bottom)
        return;
    HRESULT hr = target->BltFast(DWORD(position.x), DWORD(position.y), image, &source, DDBLTFAST_SRCCOLORKEY);
    if (hr != DD_OK && hr != DDERR_INVALIDRECT)
        display.DDTest(hr, "BltFast");
}

void TKx_Sprite::BlitFx(IDirectDrawSurface7* target, gdi::POINT position, gdi::RECT source, std::uint32_t flags,
                        DDBLTFX* effects) {
    IDirectDrawSurface7* image = NextImage();
    if (!image)
        return;
    gfx::DisplayCore& display = gfx::RequireDisplay();
    gdi::RECT destination{position.x + source.left, position.y + source.top, position.x + source.left + source.right,
                          position.y + source.top + source.bottom};
    HRESULT hr = target->Blt(&destination, image, &source, flags, effects);
    if (hr != DD_OK && hr != DDERR_INVALIDRECT)
        display.DDTest(hr, "BltFx");
}

} // namespace velmora
