// Bitmaps, device contexts, pixels, brushes and StretchBlt.
#include "platform/gdi/Bmp.h"
#include "platform/gdi/GdiInternal.h"

#include "platform/os/PathMap.h"
#include "platform/os/ResourceTable.h"

#include <algorithm>
#include <cstdio>
#include <set>

namespace gdi {

struct Module {
    int tag;
};

namespace {
const Module kProgramModule{1};

std::set<GdiObject*>& Objects() {
    static std::set<GdiObject*> objects;
    return objects;
}
std::set<DeviceContext*>& DCs() {
    static std::set<DeviceContext*> dcs;
    return dcs;
}
std::string& LastError() {
    static std::string error;
    return error;
}
int& FailDCCount() {
    static int count = 0;
    return count;
}

Bitmap& StockBitmap() {
    static Bitmap* stock = [] {
        auto* b = new Bitmap;
        b->width = b->height = 1;
        b->bitsPerPixel = 1;
        b->pixels.assign(1, 0);
        return b;
    }();
    return *stock;
}
Brush& StockBrush(int which) {
    static Brush white{}, black{}, hollow{};
    white.color = 0xFFFFFF;
    black.color = 0;
    hollow.hollow = true;
    return which == WHITE_BRUSH ? white : which == BLACK_BRUSH ? black : hollow;
}
Pen& StockPen(int which) {
    static Pen black{}, none{};
    none.null = true;
    return which == NULL_PEN ? none : black;
}

bool IsStock(GdiObject* o) {
    return o == &StockBitmap() || o == &StockBrush(WHITE_BRUSH) || o == &StockBrush(BLACK_BRUSH) ||
           o == &StockBrush(NULL_BRUSH) || o == &StockPen(BLACK_PEN) || o == &StockPen(NULL_PEN);
}

PixelTarget TargetOf(Bitmap& b) {
    return PixelTarget{reinterpret_cast<std::uint8_t*>(b.pixels.data()), b.width, b.height, b.width * 4, 32};
}

HBITMAP FromDecoded(DecodedBmp&& d) {
    auto* b = new Bitmap;
    b->width = d.width;
    b->height = d.height;
    b->bitsPerPixel = d.bitsPerPixel;
    b->pixels = std::move(d.pixels);
    Objects().insert(b);
    return b;
}
} // namespace

// ---- colours ----------------------------------------------------------------------

std::uint32_t ColorToPixel(COLORREF c, int bpp) {
    std::uint32_t r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
    if (bpp == 16)
        return ((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3);
    return (r << 16) | (g << 8) | b;
}

COLORREF PixelToColor(std::uint32_t p, int bpp) {
    if (bpp == 16) {
        std::uint32_t r = (p >> 11) & 31, g = (p >> 5) & 63, b = p & 31;
        return RGB(BYTE((r << 3) | (r >> 2)), BYTE((g << 2) | (g >> 4)), BYTE((b << 3) | (b >> 2)));
    }
    return RGB(BYTE(p >> 16), BYTE(p >> 8), BYTE(p));
}

void DeviceContext::Fill(int l, int t, int r, int b, COLORREF c) {
    l = std::max(l, 0);
    t = std::max(t, 0);
    r = std::min(r, target.width);
    b = std::min(b, target.height);
    if (l >= r)
        return;
    std::uint32_t v = ColorToPixel(c, target.bitsPerPixel);
    for (int y = t; y < b; ++y) {
        std::uint8_t* row = target.bits + std::ptrdiff_t(y) * target.pitch;
        if (target.bitsPerPixel == 16)
            std::fill_n(reinterpret_cast<std::uint16_t*>(row) + l, r - l, std::uint16_t(v));
        else
            std::fill_n(reinterpret_cast<std::uint32_t*>(row) + l, r - l, v);
    }
}

bool ValidDC(HDC dc) { return dc && DCs().count(dc); }

// ---- modules and loading -------------------------------------------------------------

HINSTANCE ProgramInstance() { return &kProgramModule; }
HMODULE LoadLibrary(const std::string&) { return nullptr; }
BOOL FreeLibrary(HMODULE) { return 1; }

const std::string& GetLastBitmapError() { return LastError(); }

const std::uint8_t* FindResourceBytes(HINSTANCE module, const std::string& name, std::size_t* size) {
    if (module != &kProgramModule)
        return nullptr;
    const os::Resource* r = os::ResourceTable::Find(name);
    if (!r || !r->data)
        return nullptr;
    if (size)
        *size = r->size;
    return r->data;
}

HBITMAP LoadBitmapFromMemory(const std::uint8_t* data, std::size_t size) {
    DecodedBmp d;
    std::string error = DecodeBmpAuto(data, size, d);
    if (!error.empty()) {
        LastError() = error;
        return nullptr;
    }
    LastError().clear();
    return FromDecoded(std::move(d));
}

HBITMAP LoadImage(HINSTANCE module, const std::string& name, UINT type, int, int, UINT flags) {
    if (type != IMAGE_BITMAP) {
        LastError() = "LoadImage: only bitmaps";
        return nullptr;
    }
    if (flags & LR_LOADFROMFILE) {
        std::string path = os::ResolvePath(name);
        std::FILE* f = std::fopen(path.c_str(), "rb");
        if (!f) {
            LastError() = "Bitmap: cannot open " + name;
            return nullptr;
        }
        std::vector<std::uint8_t> bytes;
        std::uint8_t buffer[65536];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) {
            bytes.insert(bytes.end(), buffer, buffer + n);
            if (bytes.size() > std::size_t(kMaxBmpPixels) * 4 + 65536)
                break;
        }
        std::fclose(f);
        DecodedBmp d;
        std::string error = DecodeBmp(bytes.data(), bytes.size(), true, d);
        if (!error.empty()) {
            LastError() = error;
            return nullptr;
        }
        LastError().clear();
        return FromDecoded(std::move(d));
    }
    std::size_t size = 0;
    const std::uint8_t* data = FindResourceBytes(module, name, &size);
    if (!data) {
        LastError() = "Bitmap: no resource " + name;
        return nullptr;
    }
    return LoadBitmapFromMemory(data, size);
}

HBITMAP CreateBitmap32(int width, int height) {
    auto* b = new Bitmap;
    b->width = std::max(width, 0);
    b->height = std::max(height, 0);
    b->pixels.assign(std::size_t(b->width) * std::size_t(b->height), 0);
    Objects().insert(b);
    return b;
}

int GetObject(HGDIOBJ object, int size, void* out) {
    auto* b = dynamic_cast<Bitmap*>(object);
    if (!b || (!Objects().count(object) && object != &StockBitmap()) || !out || size < int(sizeof(BITMAP)))
        return 0;
    BITMAP bm;
    bm.bmWidth = b->width;
    bm.bmHeight = b->height;
    bm.bmWidthBytes = ((b->width * b->bitsPerPixel + 15) / 16) * 2;
    bm.bmPlanes = 1;
    bm.bmBitsPixel = WORD(b->bitsPerPixel);
    bm.bmBits = b->pixels.data();
    *static_cast<BITMAP*>(out) = bm;
    return int(sizeof(BITMAP));
}

BOOL DeleteObject(HGDIOBJ object) {
    if (!object || IsStock(object) || !Objects().count(object))
        return 0;
    if (auto* b = dynamic_cast<Bitmap*>(object); b && b->selectedInto > 0)
        return 0;
    Objects().erase(object);
    delete object;
    return 1;
}

HBRUSH CreateSolidBrush(COLORREF color) {
    auto* b = new Brush;
    b->color = color & 0xFFFFFF;
    Objects().insert(b);
    return b;
}

HPEN CreatePen(int style, int, COLORREF color) {
    auto* p = new Pen;
    p->color = color & 0xFFFFFF;
    p->null = style == PS_NULL;
    Objects().insert(p);
    return p;
}

HGDIOBJ GetStockObject(int which) {
    switch (which) {
    case WHITE_BRUSH:
    case BLACK_BRUSH:
    case NULL_BRUSH:
        return &StockBrush(which);
    case BLACK_PEN:
    case NULL_PEN:
        return &StockPen(which);
    default:
        return nullptr;
    }
}

// ---- device contexts -------------------------------------------------------------------

HDC CreateCompatibleDC(HDC) {
    if (FailDCCount() > 0) {
        --FailDCCount();
        return nullptr;
    }
    auto* dc = new DeviceContext;
    dc->memoryDC = true;
    dc->bitmap = &StockBitmap();
    dc->target = TargetOf(StockBitmap());
    dc->brush = &StockBrush(WHITE_BRUSH);
    dc->pen = &StockPen(BLACK_PEN);
    DCs().insert(dc);
    return dc;
}

HDC CreateDCOnPixels(const PixelTarget& target) {
    auto* dc = new DeviceContext;
    dc->target = target;
    dc->brush = &StockBrush(WHITE_BRUSH);
    dc->pen = &StockPen(BLACK_PEN);
    DCs().insert(dc);
    return dc;
}

BOOL DeleteDC(HDC dc) {
    if (!ValidDC(dc))
        return 0;
    if (dc->bitmap && dc->bitmap != &StockBitmap())
        --dc->bitmap->selectedInto;
    DCs().erase(dc);
    delete dc;
    return 1;
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
    if (!ValidDC(dc) || !object)
        return nullptr;
    if (!IsStock(object) && !Objects().count(object))
        return nullptr;
    if (auto* b = dynamic_cast<Bitmap*>(object)) {
        if (!dc->memoryDC)
            return nullptr;
        Bitmap* old = dc->bitmap;
        if (old && old != &StockBitmap())
            --old->selectedInto;
        if (b != &StockBitmap())
            ++b->selectedInto;
        dc->bitmap = b;
        dc->target = TargetOf(*b);
        return old;
    }
    if (auto* br = dynamic_cast<Brush*>(object)) {
        Brush* old = dc->brush;
        dc->brush = br;
        return old;
    }
    if (auto* p = dynamic_cast<Pen*>(object)) {
        Pen* old = dc->pen;
        dc->pen = p;
        return old;
    }
    return nullptr;
}

COLORREF GetPixel(HDC dc, int x, int y) {
    if (!ValidDC(dc) || !dc->Inside(x, y))
        return CLR_INVALID;
    return dc->Get(x, y);
}

COLORREF SetPixel(HDC dc, int x, int y, COLORREF color) {
    if (!ValidDC(dc) || !dc->Inside(x, y))
        return CLR_INVALID;
    dc->Put(x, y, color & 0xFFFFFF);
    return dc->Get(x, y);
}

BOOL Rectangle(HDC dc, int left, int top, int right, int bottom) {
    if (!ValidDC(dc))
        return 0;
    if (right < left)
        std::swap(left, right);
    if (bottom < top)
        std::swap(top, bottom);
    if (dc->brush && !dc->brush->hollow)
        dc->Fill(left, top, right, bottom, dc->brush->color);
    if (dc->pen && !dc->pen->null && right > left && bottom > top) {
        COLORREF c = dc->pen->color;
        dc->Fill(left, top, right, top + 1, c);
        dc->Fill(left, bottom - 1, right, bottom, c);
        dc->Fill(left, top, left + 1, bottom, c);
        dc->Fill(right - 1, top, right, bottom, c);
    }
    return 1;
}

int FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
    if (!ValidDC(dc) || !rect || !brush)
        return 0;
    if (!brush->hollow)
        dc->Fill(rect->left, rect->top, rect->right, rect->bottom, brush->color);
    return 1;
}

BOOL StretchBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh, DWORD rop) {
    if (!ValidDC(dst) || !ValidDC(src) || rop != SRCCOPY)
        return 0;
    if (w == 0 || h == 0 || sw == 0 || sh == 0)
        return 1;
    // Normalise negative sizes into mirroring.
    bool mirrorX = (w < 0) != (sw < 0), mirrorY = (h < 0) != (sh < 0);
    if (w < 0) {
        x += w;
        w = -w;
    }
    if (h < 0) {
        y += h;
        h = -h;
    }
    if (sw < 0) {
        sx += sw;
        sw = -sw;
    }
    if (sh < 0) {
        sy += sh;
        sh = -sh;
    }
    int x0 = std::max(x, 0), x1 = std::min(x + w, dst->target.width);
    int y0 = std::max(y, 0), y1 = std::min(y + h, dst->target.height);
    bool same = dst->target.bitsPerPixel == src->target.bitsPerPixel;
    for (int dy = y0; dy < y1; ++dy) {
        std::int64_t oy = dy - y;
        if (mirrorY)
            oy = h - 1 - oy;
        int py = sy + int(oy * sh / h);
        if (py < 0 || py >= src->target.height)
            continue;
        for (int dx = x0; dx < x1; ++dx) {
            std::int64_t ox = dx - x;
            if (mirrorX)
                ox = w - 1 - ox;
            int px = sx + int(ox * sw / w);
            if (px < 0 || px >= src->target.width)
                continue;
            if (same)
                dst->PutRaw(dx, dy, src->Raw(px, py));
            else
                dst->Put(dx, dy, src->Get(px, py));
        }
    }
    return 1;
}

BOOL BitBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, DWORD rop) {
    return StretchBlt(dst, x, y, w, h, src, sx, sy, w, h, rop);
}

COLORREF SetBkColor(HDC dc, COLORREF color) {
    if (!ValidDC(dc))
        return CLR_INVALID;
    COLORREF old = dc->bkColor;
    dc->bkColor = color & 0xFFFFFF;
    return old;
}

COLORREF SetTextColor(HDC dc, COLORREF color) {
    if (!ValidDC(dc))
        return CLR_INVALID;
    COLORREF old = dc->textColor;
    dc->textColor = color & 0xFFFFFF;
    return old;
}

int SetBkMode(HDC dc, int mode) {
    if (!ValidDC(dc) || (mode != OPAQUE && mode != TRANSPARENT))
        return 0;
    int old = dc->bkMode;
    dc->bkMode = mode;
    return old;
}

void FailNextCreateCompatibleDC(int count) { FailDCCount() = count; }
int LiveDCCount() { return int(DCs().size()); }
int LiveObjectCount() { return int(Objects().size()); }

} // namespace gdi
