// A software DirectDraw 7: the DirectDraw object, surfaces, clippers and palettes,
// with the result codes of the platform and a fault injector for tests.
//
// Pixels live in memory: 16-bit surfaces are 5-6-5, 32-bit ones 0x00RRGGBB. The
// display mode is a process-wide *virtual screen*; the primary surface draws on it,
// and a backend reads it (ReadVirtualScreenRgb) to present it or save it as PNG.
#pragma once

#include "platform/gdi/Gdi.h"
#include "platform/gdi/WinTypes.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace ddraw {

using gdi::BOOL;
using gdi::BYTE;
using gdi::COLORREF;
using gdi::DWORD;
using gdi::HDC;
using gdi::LONG;
using gdi::POINT;
using gdi::RECT;
using gdi::WORD;

using HRESULT = std::int32_t;

constexpr HRESULT S_OK = 0;
constexpr HRESULT DD_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT MAKE_DDHRESULT(int n) { return HRESULT(0x88760000u + std::uint32_t(n)); }
constexpr bool FAILED(HRESULT hr) { return hr < 0; }
constexpr bool SUCCEEDED(HRESULT hr) { return hr >= 0; }

// General COM codes.
constexpr HRESULT E_NOTIMPL = HRESULT(0x80004001u);
constexpr HRESULT E_FAIL = HRESULT(0x80004005u);
constexpr HRESULT E_OUTOFMEMORY = HRESULT(0x8007000Eu);
constexpr HRESULT E_INVALIDARG = HRESULT(0x80070057u);
constexpr HRESULT DDERR_UNSUPPORTED = E_NOTIMPL;
constexpr HRESULT DDERR_GENERIC = E_FAIL;
constexpr HRESULT DDERR_OUTOFMEMORY = E_OUTOFMEMORY;
constexpr HRESULT DDERR_INVALIDPARAMS = E_INVALIDARG;

// DirectDraw codes (those the engine meets, and a few more).
constexpr HRESULT DDERR_ALREADYINITIALIZED = MAKE_DDHRESULT(5);
constexpr HRESULT DDERR_CANNOTATTACHSURFACE = MAKE_DDHRESULT(10);
constexpr HRESULT DDERR_EXCEPTION = MAKE_DDHRESULT(55);
constexpr HRESULT DDERR_INVALIDCAPS = MAKE_DDHRESULT(100);
constexpr HRESULT DDERR_INVALIDMODE = MAKE_DDHRESULT(120);
constexpr HRESULT DDERR_INVALIDOBJECT = MAKE_DDHRESULT(130);
constexpr HRESULT DDERR_INVALIDPIXELFORMAT = MAKE_DDHRESULT(145);
constexpr HRESULT DDERR_INVALIDRECT = MAKE_DDHRESULT(150);
constexpr HRESULT DDERR_LOCKEDSURFACES = MAKE_DDHRESULT(160);
constexpr HRESULT DDERR_NOCLIPLIST = MAKE_DDHRESULT(205);
constexpr HRESULT DDERR_NOCOOPERATIVELEVELSET = MAKE_DDHRESULT(212);
constexpr HRESULT DDERR_NOCOLORKEY = MAKE_DDHRESULT(215);
constexpr HRESULT DDERR_NOEXCLUSIVEMODE = MAKE_DDHRESULT(225);
constexpr HRESULT DDERR_NOFLIPHW = MAKE_DDHRESULT(230);
constexpr HRESULT DDERR_NOTFOUND = MAKE_DDHRESULT(255);
constexpr HRESULT DDERR_OUTOFVIDEOMEMORY = MAKE_DDHRESULT(380);
constexpr HRESULT DDERR_SURFACEALREADYATTACHED = MAKE_DDHRESULT(410);
constexpr HRESULT DDERR_SURFACEBUSY = MAKE_DDHRESULT(430);
constexpr HRESULT DDERR_SURFACELOST = MAKE_DDHRESULT(450);
constexpr HRESULT DDERR_SURFACENOTATTACHED = MAKE_DDHRESULT(460);
constexpr HRESULT DDERR_TOOBIGSIZE = MAKE_DDHRESULT(480);
constexpr HRESULT DDERR_UNSUPPORTEDFORMAT = MAKE_DDHRESULT(510);
constexpr HRESULT DDERR_WASSTILLDRAWING = MAKE_DDHRESULT(540);
constexpr HRESULT DDERR_PRIMARYSURFACEALREADYEXISTS = MAKE_DDHRESULT(564);
constexpr HRESULT DDERR_CLIPPERISUSINGHWND = MAKE_DDHRESULT(567);
constexpr HRESULT DDERR_NOCLIPPERATTACHED = MAKE_DDHRESULT(568);
constexpr HRESULT DDERR_NOHWND = MAKE_DDHRESULT(569);
constexpr HRESULT DDERR_HWNDALREADYSET = MAKE_DDHRESULT(571);
constexpr HRESULT DDERR_NOPALETTEATTACHED = MAKE_DDHRESULT(572);
constexpr HRESULT DDERR_BLTFASTCANTCLIP = MAKE_DDHRESULT(574);
constexpr HRESULT DDERR_EXCLUSIVEMODEALREADYSET = MAKE_DDHRESULT(581);
constexpr HRESULT DDERR_NOTFLIPPABLE = MAKE_DDHRESULT(582);
constexpr HRESULT DDERR_NOTLOCKED = MAKE_DDHRESULT(584);
constexpr HRESULT DDERR_CANTCREATEDC = MAKE_DDHRESULT(585);
constexpr HRESULT DDERR_NODC = MAKE_DDHRESULT(586);
constexpr HRESULT DDERR_WRONGMODE = MAKE_DDHRESULT(587);
constexpr HRESULT DDERR_NOTPALETTIZED = MAKE_DDHRESULT(589);
constexpr HRESULT DDERR_UNSUPPORTEDMODE = MAKE_DDHRESULT(590);
constexpr HRESULT DDERR_DCALREADYCREATED = MAKE_DDHRESULT(620);

// ---- flags -------------------------------------------------------------------------

constexpr DWORD DDSCL_FULLSCREEN = 0x1;
constexpr DWORD DDSCL_ALLOWREBOOT = 0x2;
constexpr DWORD DDSCL_NOWINDOWCHANGES = 0x4;
constexpr DWORD DDSCL_NORMAL = 0x8;
constexpr DWORD DDSCL_EXCLUSIVE = 0x10;

constexpr DWORD DDSD_CAPS = 0x1;
constexpr DWORD DDSD_HEIGHT = 0x2;
constexpr DWORD DDSD_WIDTH = 0x4;
constexpr DWORD DDSD_PITCH = 0x8;
constexpr DWORD DDSD_BACKBUFFERCOUNT = 0x20;
constexpr DWORD DDSD_CKSRCBLT = 0x10000;
constexpr DWORD DDSD_PIXELFORMAT = 0x1000;
constexpr DWORD DDSD_LPSURFACE = 0x800;

constexpr DWORD DDSCAPS_BACKBUFFER = 0x4;
constexpr DWORD DDSCAPS_COMPLEX = 0x8;
constexpr DWORD DDSCAPS_FLIP = 0x10;
constexpr DWORD DDSCAPS_FRONTBUFFER = 0x20;
constexpr DWORD DDSCAPS_OFFSCREENPLAIN = 0x40;
constexpr DWORD DDSCAPS_PRIMARYSURFACE = 0x200;
constexpr DWORD DDSCAPS_SYSTEMMEMORY = 0x800;
constexpr DWORD DDSCAPS_VIDEOMEMORY = 0x4000;

constexpr DWORD DDPF_RGB = 0x40;

constexpr DWORD DDCKEY_SRCBLT = 0x8;

constexpr DWORD DDBLTFAST_NOCOLORKEY = 0x0;
constexpr DWORD DDBLTFAST_SRCCOLORKEY = 0x1;
constexpr DWORD DDBLTFAST_DESTCOLORKEY = 0x2;
constexpr DWORD DDBLTFAST_WAIT = 0x10;
constexpr DWORD DDBLTFAST_DONOTWAIT = 0x20;

constexpr DWORD DDBLT_COLORFILL = 0x400;
constexpr DWORD DDBLT_KEYSRC = 0x8000;
constexpr DWORD DDBLT_WAIT = 0x1000000;
constexpr DWORD DDBLT_DONOTWAIT = 0x8000000;

constexpr DWORD DDFLIP_WAIT = 0x1;

constexpr DWORD DDLOCK_WAIT = 0x1;
constexpr DWORD DDLOCK_READONLY = 0x10;
constexpr DWORD DDLOCK_WRITEONLY = 0x20;

constexpr DWORD DDPCAPS_8BIT = 0x4;
constexpr DWORD DDPCAPS_ALLOW256 = 0x40;

constexpr DWORD DDSURFACEDESC2_SIZE = 124; // dwSize the platform's structure has

// ---- structures -------------------------------------------------------------------

struct DDCOLORKEY {
    DWORD dwColorSpaceLowValue = 0;
    DWORD dwColorSpaceHighValue = 0;
};

struct DDSCAPS2 {
    DWORD dwCaps = 0;
    DWORD dwCaps2 = 0;
    DWORD dwCaps3 = 0;
    DWORD dwCaps4 = 0;
};

struct DDPIXELFORMAT {
    DWORD dwSize = 32;
    DWORD dwFlags = 0;
    DWORD dwFourCC = 0;
    DWORD dwRGBBitCount = 0;
    DWORD dwRBitMask = 0;
    DWORD dwGBitMask = 0;
    DWORD dwBBitMask = 0;
    DWORD dwRGBAlphaBitMask = 0;
};

// Laid out by field, not by byte: dwSize must nevertheless be DDSURFACEDESC2_SIZE
// (124), as the platform checks it.
struct DDSURFACEDESC2 {
    DWORD dwSize = 0;
    DWORD dwFlags = 0;
    DWORD dwHeight = 0;
    DWORD dwWidth = 0;
    LONG lPitch = 0;
    DWORD dwBackBufferCount = 0;
    DWORD dwRefreshRate = 0;
    void* lpSurface = nullptr;
    DDCOLORKEY ddckCKSrcBlt;
    DDPIXELFORMAT ddpfPixelFormat;
    DDSCAPS2 ddsCaps;
};

struct DDBLTFX {
    DWORD dwSize = 0;
    DWORD dwFillColor = 0;
};

struct PALETTEENTRY {
    BYTE peRed = 0;
    BYTE peGreen = 0;
    BYTE peBlue = 0;
    BYTE peFlags = 0;
};

struct GUID {
    std::uint32_t Data1;
    std::uint16_t Data2, Data3;
    std::uint8_t Data4[8];
};
inline bool operator==(const GUID& a, const GUID& b) {
    if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3)
        return false;
    for (int i = 0; i < 8; ++i)
        if (a.Data4[i] != b.Data4[i])
            return false;
    return true;
}
constexpr GUID IID_IDirectDraw7 = {0x15E65EC0, 0x3B9C, 0x11D2, {0xB9, 0x2F, 0x00, 0x60, 0x97, 0x97, 0xEA, 0x5B}};

// ---- the window handle ---------------------------------------------------------------

// Stand-in for a window handle: the window's rectangle on the virtual screen. Until
// a rectangle is set the window covers the whole virtual screen.
struct Window {
    bool hasRect = false;
    RECT rect;
    void SetRect(const RECT& r) {
        rect = r;
        hasRect = true;
    }
    void ClearRect() { hasRect = false; }
};
using HWND = Window*;

// The main window of the program (what the game's form passes as its handle).
HWND MainWindow();
// The window's rectangle in screen (virtual-screen) coordinates; false for null.
BOOL GetWindowRect(HWND window, RECT* rect);
// The client rectangle: (0, 0, width, height).
BOOL GetClientRect(HWND window, RECT* rect);

// ---- COM --------------------------------------------------------------------------------

HRESULT CoInitialize(void* reserved);
void CoUninitialize();
int CoInitializeCount(); // initialisations not yet undone

class IUnknown {
public:
    virtual ~IUnknown() = default;
    DWORD AddRef() { return ++refs_; }
    // Drops a reference; the object is deleted when none is left. Returns the count left.
    DWORD Release() {
        DWORD left = --refs_;
        if (left == 0)
            delete this;
        return left;
    }
    DWORD RefCount() const { return refs_; }

protected:
    IUnknown() = default;

private:
    DWORD refs_ = 1;
};

class IDirectDraw7;
class IDirectDrawSurface7;
class IDirectDrawClipper;
class IDirectDrawPalette;
using LPDIRECTDRAW7 = IDirectDraw7*;
using LPDIRECTDRAWSURFACE7 = IDirectDrawSurface7*;
using LPDIRECTDRAWCLIPPER = IDirectDrawClipper*;
using LPDIRECTDRAWPALETTE = IDirectDrawPalette*;

struct SurfacePixels;

namespace detail {
struct Device;
struct PixelBuffer;
} // namespace detail

class IDirectDrawClipper : public IUnknown {
public:
    HRESULT SetHWnd(DWORD flags, HWND window);
    HRESULT GetHWnd(HWND* window);
    // The clip list as one rectangle (in screen coordinates); null clears it.
    HRESULT SetClipRect(const RECT* rect);
    HRESULT IsClipListChanged(BOOL* changed);

    // The rectangle blits to the surface are clipped to: the window's, or the clip list.
    bool ClipRect(RECT& rect) const;

private:
    friend class IDirectDraw7;
    IDirectDrawClipper() = default;
    HWND window_ = nullptr;
    bool hasList_ = false;
    RECT list_;
};

class IDirectDrawPalette : public IUnknown {
public:
    HRESULT GetEntries(DWORD flags, DWORD base, DWORD count, PALETTEENTRY* entries);
    HRESULT SetEntries(DWORD flags, DWORD start, DWORD count, const PALETTEENTRY* entries);
    HRESULT GetCaps(DWORD* caps);

private:
    friend class IDirectDraw7;
    IDirectDrawPalette() = default;
    DWORD caps_ = 0;
    PALETTEENTRY entries_[256];
};

class IDirectDrawSurface7 : public IUnknown {
public:
    ~IDirectDrawSurface7() override;

    HRESULT Lock(RECT* rect, DDSURFACEDESC2* desc, DWORD flags, void* event);
    HRESULT Unlock(RECT* rect);
    HRESULT GetDC(HDC* dc);
    HRESULT ReleaseDC(HDC dc);
    HRESULT SetColorKey(DWORD flags, DDCOLORKEY* key);
    HRESULT GetColorKey(DWORD flags, DDCOLORKEY* key);
    // A copy of a source rectangle (null: the whole source) to (x, y), without
    // clipping: a rectangle outside either surface is DDERR_INVALIDRECT, a clipper on
    // this surface DDERR_BLTFASTCANTCLIP.
    HRESULT BltFast(DWORD x, DWORD y, IDirectDrawSurface7* source, RECT* sourceRect, DWORD flags);
    // Not of the original interface: BltFast checks and answers as always, but writes
    // only the pixels inside this rectangle of the surface (null: everywhere). For a
    // surface of which only a part is ever shown.
    void SetWrittenPart(const RECT* part);
    // A stretching copy (or, with DDBLT_COLORFILL, a fill) of the source rectangle onto
    // the destination rectangle (null: whole surfaces); clipped by an attached clipper,
    // else a rectangle outside the surface is DDERR_INVALIDRECT.
    HRESULT Blt(RECT* destRect, IDirectDrawSurface7* source, RECT* sourceRect, DWORD flags, DDBLTFX* fx);
    // Exclusive flipping chains only: swaps the front and the back buffer.
    HRESULT Flip(IDirectDrawSurface7* override, DWORD flags);
    HRESULT GetSurfaceDesc(DDSURFACEDESC2* desc);
    HRESULT GetAttachedSurface(DDSCAPS2* caps, IDirectDrawSurface7** surface);
    HRESULT Restore();
    HRESULT IsLost();
    HRESULT SetClipper(IDirectDrawClipper* clipper);
    HRESULT GetClipper(IDirectDrawClipper** clipper);
    HRESULT SetPalette(IDirectDrawPalette* palette);
    HRESULT GetPalette(IDirectDrawPalette** palette);
    HRESULT GetPixelFormat(DDPIXELFORMAT* format);

    // ---- beyond the platform's interface ----
    int Width() const;
    int Height() const;
    int BitsPerPixel() const;
    bool IsPrimary() const { return primary_; }
    // Marks the surface lost, as a mode switch or another application would.
    void MarkLost() { lost_ = true; }
    // Raw pixel value at (x, y) (tests), 0 outside.
    std::uint32_t PixelAt(int x, int y) const;
    void SetPixelAt(int x, int y, std::uint32_t value);

private:
    friend class IDirectDraw7;
    friend bool SurfaceView(IDirectDrawSurface7*, SurfacePixels&);
    IDirectDrawSurface7() = default;
    HRESULT CheckUsable() const;
    std::uint8_t* Bits() const;
    int Pitch() const;

    std::shared_ptr<detail::Device> device_;
    std::shared_ptr<detail::PixelBuffer> buffer_;
    DWORD caps_ = 0;
    bool primary_ = false;
    bool lost_ = false;
    bool locked_ = false;
    HDC dc_ = nullptr;
    bool hasSrcKey_ = false;
    // What BltFast may write (SetWrittenPart).
    bool hasWrittenPart_ = false;
    RECT writtenPart_{};
    DDCOLORKEY srcKey_;
    IDirectDrawClipper* clipper_ = nullptr;
    IDirectDrawPalette* palette_ = nullptr;
    IDirectDrawSurface7* attachedBack_ = nullptr; // owned reference (flip chain)
    IDirectDrawSurface7* front_ = nullptr;        // for a back buffer: its front
};

class IDirectDraw7 : public IUnknown {
public:
    ~IDirectDraw7() override;

    HRESULT Initialize(GUID* guid);
    HRESULT SetCooperativeLevel(HWND window, DWORD flags);
    HRESULT SetDisplayMode(DWORD width, DWORD height, DWORD bitsPerPixel, DWORD refreshRate, DWORD flags);
    HRESULT RestoreDisplayMode();
    HRESULT GetDisplayMode(DDSURFACEDESC2* desc);
    HRESULT CreateSurface(DDSURFACEDESC2* desc, IDirectDrawSurface7** surface, IUnknown* outer);
    HRESULT CreateClipper(DWORD flags, IDirectDrawClipper** clipper, IUnknown* outer);
    HRESULT CreatePalette(DWORD flags, PALETTEENTRY* entries, IDirectDrawPalette** palette, IUnknown* outer);
    HRESULT FlipToGDISurface();
    HRESULT RestoreAllSurfaces();

    DWORD CooperativeLevel() const;

private:
    friend HRESULT DirectDrawCreateEx(GUID*, void**, const GUID&, IUnknown*);
    IDirectDraw7();
    std::shared_ptr<detail::Device> device_;
};

// The pixel memory of a surface (for the blitters and tests); false for null.
bool SurfaceView(IDirectDrawSurface7* surface, SurfacePixels& pixels);

HRESULT DirectDrawCreateEx(GUID* driver, void** directDraw, const GUID& iid, IUnknown* outer);

// ---- the virtual screen ----------------------------------------------------------------

// The desktop's display mode: what the virtual screen is before any SetDisplayMode and
// after RestoreDisplayMode (default 1024 x 768 x 32).
void SetDesktopMode(int width, int height, int bitsPerPixel);
int VirtualScreenWidth();
int VirtualScreenHeight();
int VirtualScreenBitsPerPixel();
// Incremented whenever something is drawn on the screen (primary blit, flip, mode).
std::uint64_t VirtualScreenGeneration();
// Incremented only when the screen's pixels differ from when it was last asked: a
// frame drawn again as it was does not count.
std::uint64_t VirtualScreenContentGeneration();
// The virtual screen as 0x00RRGGBB pixels, rows top-down.
void ReadVirtualScreenRgb(std::vector<std::uint32_t>& pixels, int& width, int& height);
// The same for a reader that keeps its pixels between frames: only the rows that
// changed since readAt (the content generation they were read at; 0 for none) are
// converted, and readAt becomes the current generation.
void UpdateVirtualScreenRgb(std::vector<std::uint32_t>& pixels, int& width, int& height, std::uint64_t& readAt);
// Writes the virtual screen as a PNG file (host path); false with a reason on failure.
bool SaveVirtualScreenPng(const std::string& path, std::string* error = nullptr);
// Writes 0x00RRGGBB pixels (rows top-down) as a PNG file, as the screen is written.
bool SaveRgbPng(const std::string& path, const std::vector<std::uint32_t>& pixels, int width, int height,
                std::string* error = nullptr);
// Fills the virtual screen with one pixel value (a backend clearing it).
void ClearVirtualScreen();

// The display modes SetDisplayMode accepts: the usual sizes from 320 x 240 to
// 1600 x 1200 at 16 or 32 bits per pixel.
bool IsSupportedMode(int width, int height, int bitsPerPixel);

// Every surface alive loses its memory (another application took the screen).
void LoseAllSurfaces();

// Resets the platform's process-wide state: desktop mode, exclusive owner, faults.
// For tests; call with no DirectDraw object alive.
void ResetForTests();

} // namespace ddraw
