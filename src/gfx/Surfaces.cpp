// The engine's bitmap and surface functions.
#include "gfx/Surfaces.h"

#include "gfx/DisplayCore.h"
#include "gfx/Errors.h"

#include "platform/os/PathMap.h"
#include "platform/os/ResourceTable.h"

#include <cstdio>
#include <cstring>

namespace gfx {

using namespace ddraw;

namespace {
DDSURFACEDESC2 OffscreenDesc(int width, int height) {
    DDSURFACEDESC2 desc{};
    desc.dwSize = DDSURFACEDESC2_SIZE;
    desc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH; // 7
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;        // 0x40
    desc.dwWidth = DWORD(width);
    desc.dwHeight = DWORD(height);
    return desc;
}

std::uint32_t U32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
           (std::uint32_t(p[3]) << 24);
}

std::size_t ColourCount(std::uint32_t biClrUsed, std::uint16_t biBitCount) {
    std::size_t n = biClrUsed ? biClrUsed : (std::size_t(1) << biBitCount);
    return n > 256 ? 256 : n; // the palette has 256 entries, whatever the header says
}
} // namespace

IDirectDrawSurface7* DDCreateSurface(int width, int height) {
    DisplayCore& display = RequireDisplay();
    DDSURFACEDESC2 desc = OffscreenDesc(width, height);
    IDirectDrawSurface7* surface = nullptr;
    HRESULT hr = display.DirectDraw->CreateSurface(&desc, &surface, nullptr);
    display.DDTest(hr, "DDCreateSurface: Create surface Failed");
    return surface;
}

gdi::HBITMAP LoadBitmapByName(gdi::HINSTANCE module, const std::string& name) {
    gdi::HBITMAP bitmap = gdi::LoadImage(module ? module : gdi::ProgramInstance(), name, gdi::IMAGE_BITMAP, 0,
                                         0, gdi::LR_CREATEDIBSECTION);
    if (!bitmap)
        bitmap = gdi::LoadImage(nullptr, name, gdi::IMAGE_BITMAP, 0, 0,
                                gdi::LR_CREATEDIBSECTION | gdi::LR_LOADFROMFILE);
    return bitmap;
}

void DDGetImageSize(gdi::HINSTANCE module, const std::string& name, int& width, int& height) {
    gdi::HBITMAP bitmap = LoadBitmapByName(module, name);
    if (!bitmap)
        throw ui::Exception(Format("DDGetImageSize: Unable to load bitmap %s", {name}));
    gdi::BITMAP bm;
    gdi::GetObject(bitmap, sizeof bm, &bm);
    width = bm.bmWidth;
    height = bm.bmHeight;
    gdi::DeleteObject(bitmap);
}

void DDReLoadBitmap(IDirectDrawSurface7* surface, gdi::HINSTANCE module, const std::string& name) {
    gdi::HBITMAP bitmap = LoadBitmapByName(module, name);
    if (!bitmap)
        throw ui::Exception(Format("DDReLoadBitmap: Unable to load bitmap %s", {name}));
    try {
        DDCopyBitmap(surface, bitmap, 0, 0, 0, 0);
    } catch (...) {
        gdi::DeleteObject(bitmap);
        throw;
    }
    gdi::DeleteObject(bitmap);
}

HRESULT DDCopyBitmap(IDirectDrawSurface7* surface, gdi::HBITMAP bitmap, int x, int y, int dx, int dy) {
    if (!bitmap)
        throw EDDError("DDCopyBitmap: No Bitmap available");
    if (!surface)
        throw EDDError("DDCopyBitmap: No Surface available");
    surface->Restore();
    gdi::HDC memory = gdi::CreateCompatibleDC(nullptr);
    if (!memory)
        throw EDDError("Create Compatible DC failed!");
    gdi::SelectObject(memory, bitmap);
    gdi::BITMAP bm;
    gdi::GetObject(bitmap, sizeof bm, &bm);
    if (dx == 0)
        dx = bm.bmWidth;
    if (dy == 0)
        dy = bm.bmHeight;
    DDSURFACEDESC2 desc{};
    desc.dwSize = DDSURFACEDESC2_SIZE;
    desc.dwFlags = DDSD_HEIGHT | DDSD_WIDTH; // 6
    surface->GetSurfaceDesc(&desc);
    gdi::HDC dc = nullptr;
    HRESULT hr = surface->GetDC(&dc);
    if (hr == DD_OK) {
        gdi::StretchBlt(dc, 0, 0, int(desc.dwWidth), int(desc.dwHeight), memory, x, y, dx, dy, gdi::SRCCOPY);
        surface->ReleaseDC(dc);
    }
    gdi::DeleteDC(memory);
    return hr;
}

IDirectDrawSurface7* LoadBitmapSurface(gdi::HINSTANCE module, const std::string& name, bool useKey,
                                       gdi::COLORREF key) {
    int width = 0, height = 0;
    DDGetImageSize(module, name, width, height);
    IDirectDrawSurface7* surface = DDCreateSurface(width, height);
    DDReLoadBitmap(surface, module, name);
    if (useKey)
        SetSurfaceColorKey(surface, key);
    return surface;
}

std::uint32_t MatchSurfaceColor(IDirectDrawSurface7* surface, gdi::COLORREF color) {
    std::uint32_t value = gdi::CLR_INVALID;
    gdi::COLORREF remembered = 0;
    gdi::HDC dc = nullptr;
    if (color != gdi::CLR_INVALID && surface->GetDC(&dc) == DD_OK) {
        remembered = gdi::GetPixel(dc, 0, 0);
        gdi::SetPixel(dc, 0, 0, color);
        surface->ReleaseDC(dc);
    }
    DDSURFACEDESC2 desc{};
    desc.dwSize = DDSURFACEDESC2_SIZE;
    HRESULT hr;
    while ((hr = surface->Lock(nullptr, &desc, 0, nullptr)) == DDERR_WASSTILLDRAWING) {
    }
    if (hr == DD_OK) {
        std::memcpy(&value, desc.lpSurface, sizeof value);
        DWORD bits = desc.ddpfPixelFormat.dwRGBBitCount;
        if (bits < 32)
            value &= (std::uint32_t(1) << bits) - 1;
        surface->Unlock(nullptr);
    }
    if (color != gdi::CLR_INVALID && surface->GetDC(&dc) == DD_OK) {
        gdi::SetPixel(dc, 0, 0, remembered);
        surface->ReleaseDC(dc);
    }
    return value;
}

HRESULT SetSurfaceColorKey(IDirectDrawSurface7* surface, gdi::COLORREF color) {
    DDCOLORKEY key;
    key.dwColorSpaceLowValue = MatchSurfaceColor(surface, color);
    key.dwColorSpaceHighValue = key.dwColorSpaceLowValue;
    return surface->SetColorKey(DDCKEY_SRCBLT, &key);
}

IDirectDrawPalette* DDLoadPalette(gdi::HINSTANCE module, IDirectDraw7* directDraw, const std::string& name) {
    PALETTEENTRY entries[256];
    for (int i = 0; i < 256; ++i) {
        entries[i].peRed = BYTE(((i >> 5) & 7) * 255 / 7);
        entries[i].peGreen = BYTE(((i >> 2) & 7) * 255 / 7);
        entries[i].peBlue = BYTE((i & 3) * 255 / 3);
        entries[i].peFlags = 0;
    }
    if (name.empty())
        throw EDDError("DDLoadPalette: No bitmapname");
    if (module) {
        const os::Resource* resource =
            module == gdi::ProgramInstance() ? os::ResourceTable::Find(name) : nullptr;
        if (resource) {
            if (!resource->data)
                throw EDDError("DDLoadPalette: Can't Lock Resouce");
            const std::uint8_t* p = resource->data;
            std::size_t size = resource->size;
            // Our resources may carry the file header too: skip it to the info header.
            if (size >= 14 && p[0] == 'B' && p[1] == 'M') {
                p += 14;
                size -= 14;
            }
            std::size_t n = 0;
            if (size >= 40) {
                std::uint32_t biSize = U32(p);
                std::uint16_t bitCount = std::uint16_t(p[14] | (p[15] << 8));
                if (biSize >= 40 && bitCount <= 8)
                    n = ColourCount(U32(p + 32), bitCount);
            }
            for (std::size_t i = 0; i < n && 40 + i * 4 + 4 <= size; ++i) {
                const std::uint8_t* q = p + 40 + i * 4;
                entries[i].peRed = q[2];
                entries[i].peGreen = q[1];
                entries[i].peBlue = q[0];
                entries[i].peFlags = 0;
            }
        }
    } else {
        std::FILE* f = std::fopen(os::ResolvePath(name).c_str(), "rb");
        if (f) {
            std::uint8_t fileHeader[14] = {};
            std::uint8_t info[40] = {};
            std::size_t got = std::fread(fileHeader, 1, sizeof fileHeader, f);
            if (got == sizeof fileHeader)
                got = std::fread(info, 1, sizeof info, f);
            // The 1024 bytes after the headers go straight into the 256 records, as
            // many as the file has.
            if (got == sizeof info) {
                std::uint8_t table[1024];
                std::size_t n = std::fread(table, 1, sizeof table, f);
                std::memcpy(entries, table, n);
            }
            std::fclose(f);
            std::uint32_t biSize = U32(info);
            std::uint16_t bitCount = std::uint16_t(info[14] | (info[15] << 8));
            std::size_t n = 0;
            if (biSize == 40 && bitCount <= 8)
                n = ColourCount(U32(info + 32), bitCount);
            for (std::size_t i = 0; i < n; ++i)
                std::swap(entries[i].peRed, entries[i].peBlue);
        }
    }
    IDirectDrawPalette* palette = nullptr;
    if (directDraw)
        directDraw->CreatePalette(DDPCAPS_8BIT, entries, &palette, nullptr);
    return palette;
}

void BltFastClipped(IDirectDrawSurface7* target, IDirectDrawSurface7* source, int clipLeft, int clipTop,
                    int clipRight, int clipBottom, int srcLeft, int srcTop, int srcRight, int srcBottom, int x,
                    int y) {
    // The source rectangle's right and bottom serve as its width and height here.
    if (x < clipLeft) {
        if (x + srcRight < clipLeft)
            return;
        srcLeft = clipLeft - x;
        x = clipLeft;
    }
    if (y < clipTop) {
        if (y + srcBottom < clipTop)
            return;
        srcTop = clipTop - y;
        y = clipTop;
    }
    if (x > clipRight)
        return;
    if (x + srcRight > clipRight)
        srcRight = clipRight - x;
    if (y > clipBottom)
        return;
    if (y + srcBottom > clipBottom)
        srcBottom = clipBottom - y;
    RECT rect{srcLeft, srcTop, srcRight, srcBottom};
    HRESULT hr = target->BltFast(DWORD(x), DWORD(y), source, &rect, DDBLTFAST_SRCCOLORKEY);
    if (hr != DD_OK && hr != DDERR_INVALIDRECT)
        RequireDisplay().DDTest(hr, "BltFast");
}

} // namespace gfx
