// The device context, shared by the GDI sources.
#pragma once

#include "platform/gdi/Gdi.h"

namespace gdi {

class DeviceContext {
public:
    PixelTarget target;
    bool memoryDC = false;
    Bitmap* bitmap = nullptr; // selected bitmap of a memory DC
    Brush* brush = nullptr;
    Pen* pen = nullptr;
    COLORREF bkColor = 0xFFFFFF;
    COLORREF textColor = 0;
    int bkMode = OPAQUE;

    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < target.width && y < target.height; }
    std::uint32_t Raw(int x, int y) const {
        const std::uint8_t* row = target.bits + std::ptrdiff_t(y) * target.pitch;
        if (target.bitsPerPixel == 16)
            return reinterpret_cast<const std::uint16_t*>(row)[x];
        return reinterpret_cast<const std::uint32_t*>(row)[x];
    }
    void PutRaw(int x, int y, std::uint32_t v) {
        std::uint8_t* row = target.bits + std::ptrdiff_t(y) * target.pitch;
        if (target.bitsPerPixel == 16)
            reinterpret_cast<std::uint16_t*>(row)[x] = std::uint16_t(v);
        else
            reinterpret_cast<std::uint32_t*>(row)[x] = v;
    }
    COLORREF Get(int x, int y) const { return PixelToColor(Raw(x, y), target.bitsPerPixel); }
    void Put(int x, int y, COLORREF c) { PutRaw(x, y, ColorToPixel(c, target.bitsPerPixel)); }
    // Fills [l, r) x [t, b) clipped to the target.
    void Fill(int l, int t, int r, int b, COLORREF c);
};

bool ValidDC(HDC dc);

// TextOut pixel by pixel through the colour conversions: what the fast one must match.
BOOL TextOutReference(HDC dc, int x, int y, const std::string& text, int length);

} // namespace gdi
