// A software GDI: bitmaps, device contexts on bitmaps and on pixel memory, pixels,
// brushes and rectangles, StretchBlt, and text output in an embedded DejaVu Sans.
#pragma once

#include "platform/gdi/WinTypes.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace gdi {

// ---- objects ------------------------------------------------------------------

class GdiObject {
public:
    virtual ~GdiObject() = default;
};

// A device-independent bitmap. Pixels are kept top-down as 0x00RRGGBB whatever the
// depth of the file; bitsPerPixel is the depth it was loaded with (GetObject).
class Bitmap : public GdiObject {
public:
    int width = 0;
    int height = 0;
    int bitsPerPixel = 32;
    std::vector<std::uint32_t> pixels;
    int selectedInto = 0; // number of DCs it is selected into
};

class Brush : public GdiObject {
public:
    COLORREF color = 0;
    bool hollow = false;
};

class Pen : public GdiObject {
public:
    COLORREF color = 0;
    bool null = false;
};

using HGDIOBJ = GdiObject*;
using HBITMAP = Bitmap*;
using HBRUSH = Brush*;
using HPEN = Pen*;

// Pixel memory that a DC can draw on: a DirectDraw surface's, or a bitmap's.
// 16 bits per pixel is 5-6-5; 32 is 0x00RRGGBB.
struct PixelTarget {
    std::uint8_t* bits = nullptr;
    int width = 0;
    int height = 0;
    int pitch = 0; // bytes per row
    int bitsPerPixel = 32;
};

class DeviceContext;
using HDC = DeviceContext*;

// ---- colour conversion -----------------------------------------------------------

// A colour as a pixel value of the given depth, and back.
std::uint32_t ColorToPixel(COLORREF color, int bitsPerPixel);
COLORREF PixelToColor(std::uint32_t pixel, int bitsPerPixel);

// ---- modules and image loading ----------------------------------------------------

constexpr UINT IMAGE_BITMAP = 0;
constexpr UINT LR_DEFAULTCOLOR = 0;
constexpr UINT LR_LOADFROMFILE = 0x10;
constexpr UINT LR_CREATEDIBSECTION = 0x2000;
constexpr const char* RT_BITMAP = "\x02"; // resource type marker (only bitmaps exist)

// The program's own module: its resources are the entries of os::ResourceTable.
HINSTANCE ProgramInstance();
// No other libraries exist on this platform: LoadLibrary gives 0.
HMODULE LoadLibrary(const std::string& name);
BOOL FreeLibrary(HMODULE module);

// LoadImage for IMAGE_BITMAP: from a module's resources, or with LR_LOADFROMFILE
// from a (Windows-shaped) file path resolved through os::ResolvePath. Null on
// failure; GetLastBitmapError then tells the loader's error.
HBITMAP LoadImage(HINSTANCE module, const std::string& name, UINT type, int cx, int cy, UINT flags);
const std::string& GetLastBitmapError();

// A bitmap from .bmp bytes in memory (with or without the file header); null and
// GetLastBitmapError on failure.
HBITMAP LoadBitmapFromMemory(const std::uint8_t* data, std::size_t size);

// A bitmap of the given size, all black.
HBITMAP CreateBitmap32(int width, int height);

// A resource's bytes (FindResource + LoadResource + LockResource in one): null when
// the module has no such resource.
const std::uint8_t* FindResourceBytes(HINSTANCE module, const std::string& name, std::size_t* size);

struct BITMAP {
    LONG bmType = 0;
    LONG bmWidth = 0;
    LONG bmHeight = 0;
    LONG bmWidthBytes = 0;
    WORD bmPlanes = 0;
    WORD bmBitsPixel = 0;
    void* bmBits = nullptr;
};

// GetObject on a bitmap fills a BITMAP and returns its size; 0 for anything else.
int GetObject(HGDIOBJ object, int size, void* out);
// Deletes a bitmap, brush or pen. False for a null or unknown handle, a stock object,
// or a bitmap still selected into a DC.
BOOL DeleteObject(HGDIOBJ object);

// ---- brushes and pens ---------------------------------------------------------

HBRUSH CreateSolidBrush(COLORREF color);
HPEN CreatePen(int style, int width, COLORREF color); // style PS_SOLID or PS_NULL
constexpr int PS_SOLID = 0;
constexpr int PS_NULL = 5;
constexpr int WHITE_BRUSH = 0, BLACK_BRUSH = 4, NULL_BRUSH = 5, BLACK_PEN = 7, NULL_PEN = 8;
HGDIOBJ GetStockObject(int which);

// ---- device contexts ------------------------------------------------------------

// A memory DC; its first bitmap is a 1 x 1 stock bitmap until one is selected.
// Null when a test made it fail (FailNextCreateCompatibleDC).
HDC CreateCompatibleDC(HDC reference);
BOOL DeleteDC(HDC dc);
// A DC drawing straight on pixel memory (DirectDraw's GetDC uses it).
HDC CreateDCOnPixels(const PixelTarget& target);

// Selects a bitmap, brush or pen; returns the one it replaces (null on error).
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);

COLORREF GetPixel(HDC dc, int x, int y); // CLR_INVALID outside the target
COLORREF SetPixel(HDC dc, int x, int y, COLORREF color);

// Rectangle: the current pen's one-pixel frame around the current brush's fill.
BOOL Rectangle(HDC dc, int left, int top, int right, int bottom);
// FillRect with a brush, no frame.
int FillRect(HDC dc, const RECT* rect, HBRUSH brush);

constexpr DWORD SRCCOPY = 0x00CC0020;
// StretchBlt / BitBlt with SRCCOPY: nearest-pixel scaling, a negative source or
// destination size mirrors; clipped to both targets.
BOOL StretchBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh, DWORD rop);
BOOL BitBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, DWORD rop);

// ---- text -------------------------------------------------------------------------

constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;
COLORREF SetBkColor(HDC dc, COLORREF color);     // returns the previous colour
COLORREF SetTextColor(HDC dc, COLORREF color);   // returns the previous colour
int SetBkMode(HDC dc, int mode);                 // returns the previous mode
// Draws a byte string (UTF-8, with Latin-1 for bytes that are not valid UTF-8) with
// its top-left corner at (x, y) in DejaVu Sans at 8 pt / 96 dpi; in OPAQUE mode (the
// default) the text's cell is first filled with the background colour.
BOOL TextOut(HDC dc, int x, int y, const std::string& text, int length);
BOOL GetTextExtentPoint32(HDC dc, const std::string& text, int length, SIZE* size);
// Where an opaque TextOut at (0, 0) can change pixels: the cell it fills with the
// background colour, and every pixel it fills or inks (the cell and the glyphs that
// reach out of it).
void TextFootprint(const std::string& text, RECT* cell, RECT* touched);

// The code points a byte string shows as.
std::vector<char32_t> DecodeText(const std::string& text);

// ---- testing ------------------------------------------------------------------------

// The next `count` CreateCompatibleDC calls fail.
void FailNextCreateCompatibleDC(int count = 1);
// Live DCs and objects (bitmaps, brushes, pens) created and not yet deleted.
int LiveDCCount();
int LiveObjectCount();

} // namespace gdi
