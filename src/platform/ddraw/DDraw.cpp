// The software DirectDraw: objects, surfaces, clippers, palettes, the virtual screen.
#include "platform/ddraw/DDraw.h"

#include "platform/ddraw/Blitters.h"
#include "platform/ddraw/FaultInjector.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <set>

namespace ddraw {

namespace detail {
struct PixelBuffer {
    int width = 0;
    int height = 0;
    int bpp = 16;
    int pitch = 0;
    std::vector<std::uint8_t> bytes;

    PixelBuffer(int w, int h, int b) : width(w), height(h), bpp(b) {
        pitch = ((w * (b / 8)) + 3) & ~3;
        bytes.assign(std::size_t(pitch) * std::size_t(h), 0);
    }
};

struct Device {
    DWORD coopLevel = 0;
    HWND window = nullptr;
    bool modeSet = false;
    IDirectDrawSurface7* primary = nullptr;
};
} // namespace detail

using detail::Device;
using detail::PixelBuffer;

namespace {

constexpr int kMaxSurfaceSide = 16384;
constexpr std::int64_t kMaxSurfacePixels = 64LL * 1024 * 1024;

struct ScreenState {
    int desktopWidth = 1024, desktopHeight = 768, desktopBpp = 32;
    std::shared_ptr<PixelBuffer> buffer;
    std::uint64_t generation = 0;
    // The generation last compared, the bytes it had, and the count of real changes.
    std::uint64_t comparedGeneration = 0;
    std::vector<std::uint8_t> comparedBytes;
    std::uint64_t contentGeneration = 0;
    // The content generation at which each row last changed.
    std::vector<std::uint64_t> rowGeneration;
    Device* exclusiveOwner = nullptr;
    std::set<IDirectDrawSurface7*> surfaces;
    int coInit = 0;
};
ScreenState& Screen() {
    static ScreenState s;
    if (!s.buffer)
        s.buffer = std::make_shared<PixelBuffer>(s.desktopWidth, s.desktopHeight, s.desktopBpp);
    return s;
}

#define DD_FAULT(name)                                                                                           \
    do {                                                                                                         \
        HRESULT injected_;                                                                                       \
        if (FaultInjector::Check(name, this, injected_))                                                         \
            return injected_;                                                                                    \
    } while (0)

void SetScreenMode(int w, int h, int bpp) {
    ScreenState& s = Screen();
    if (s.buffer->width == w && s.buffer->height == h && s.buffer->bpp == bpp)
        return;
    s.buffer = std::make_shared<PixelBuffer>(w, h, bpp);
    ++s.generation;
    LoseAllSurfaces();
}

void FillFormat(DDPIXELFORMAT& pf, int bpp) {
    pf = DDPIXELFORMAT{};
    pf.dwSize = 32;
    pf.dwFlags = DDPF_RGB;
    pf.dwRGBBitCount = DWORD(bpp);
    if (bpp == 16) {
        pf.dwRBitMask = 0xF800;
        pf.dwGBitMask = 0x07E0;
        pf.dwBBitMask = 0x001F;
    } else {
        pf.dwRBitMask = 0xFF0000;
        pf.dwGBitMask = 0x00FF00;
        pf.dwBBitMask = 0x0000FF;
    }
}

bool ValidRect(const RECT& r, int w, int h) {
    return r.left >= 0 && r.top >= 0 && r.left < r.right && r.top < r.bottom && r.right <= w && r.bottom <= h;
}

RECT Intersect(const RECT& a, const RECT& b) {
    return RECT{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                std::min(a.bottom, b.bottom)};
}

} // namespace

// ---- windows and COM -------------------------------------------------------------------

HWND MainWindow() {
    static Window window;
    return &window;
}

BOOL GetWindowRect(HWND window, RECT* rect) {
    if (!window || !rect)
        return 0;
    *rect = window->hasRect ? window->rect : RECT{0, 0, VirtualScreenWidth(), VirtualScreenHeight()};
    return 1;
}

BOOL GetClientRect(HWND window, RECT* rect) {
    RECT r;
    if (!GetWindowRect(window, &r) || !rect)
        return 0;
    *rect = RECT{0, 0, r.right - r.left, r.bottom - r.top};
    return 1;
}

HRESULT CoInitialize(void*) { return Screen().coInit++ == 0 ? S_OK : S_FALSE; }
void CoUninitialize() {
    if (Screen().coInit > 0)
        --Screen().coInit;
}
int CoInitializeCount() { return Screen().coInit; }

// ---- clipper ------------------------------------------------------------------------------

HRESULT IDirectDrawClipper::SetHWnd(DWORD, HWND window) {
    DD_FAULT("SetHWnd");
    window_ = window;
    return DD_OK;
}

HRESULT IDirectDrawClipper::GetHWnd(HWND* window) {
    DD_FAULT("GetHWnd");
    if (!window)
        return DDERR_INVALIDPARAMS;
    *window = window_;
    return DD_OK;
}

HRESULT IDirectDrawClipper::SetClipRect(const RECT* rect) {
    DD_FAULT("SetClipList");
    if (rect && window_)
        return DDERR_CLIPPERISUSINGHWND;
    hasList_ = rect != nullptr;
    if (rect)
        list_ = *rect;
    return DD_OK;
}

HRESULT IDirectDrawClipper::IsClipListChanged(BOOL* changed) {
    if (!changed)
        return DDERR_INVALIDPARAMS;
    *changed = 0;
    return DD_OK;
}

bool IDirectDrawClipper::ClipRect(RECT& rect) const {
    if (window_)
        return GetWindowRect(window_, &rect) != 0;
    if (hasList_) {
        rect = list_;
        return true;
    }
    return false;
}

// ---- palette --------------------------------------------------------------------------------

HRESULT IDirectDrawPalette::GetEntries(DWORD, DWORD base, DWORD count, PALETTEENTRY* entries) {
    DD_FAULT("GetEntries");
    if (!entries || base > 256 || count > 256 - base)
        return DDERR_INVALIDPARAMS;
    std::copy(entries_ + base, entries_ + base + count, entries);
    return DD_OK;
}

HRESULT IDirectDrawPalette::SetEntries(DWORD, DWORD start, DWORD count, const PALETTEENTRY* entries) {
    DD_FAULT("SetEntries");
    if (!entries || start > 256 || count > 256 - start)
        return DDERR_INVALIDPARAMS;
    std::copy(entries, entries + count, entries_ + start);
    return DD_OK;
}

HRESULT IDirectDrawPalette::GetCaps(DWORD* caps) {
    if (!caps)
        return DDERR_INVALIDPARAMS;
    *caps = caps_;
    return DD_OK;
}

// ---- surface ---------------------------------------------------------------------------------

IDirectDrawSurface7::~IDirectDrawSurface7() {
    Screen().surfaces.erase(this);
    if (dc_)
        gdi::DeleteDC(dc_);
    if (clipper_)
        clipper_->Release();
    if (palette_)
        palette_->Release();
    if (attachedBack_) {
        attachedBack_->front_ = nullptr;
        attachedBack_->Release();
    }
    if (primary_ && device_ && device_->primary == this)
        device_->primary = nullptr;
}

int IDirectDrawSurface7::Width() const { return buffer_->width; }
int IDirectDrawSurface7::Height() const { return buffer_->height; }
int IDirectDrawSurface7::BitsPerPixel() const { return buffer_->bpp; }
std::uint8_t* IDirectDrawSurface7::Bits() const { return buffer_->bytes.data(); }
int IDirectDrawSurface7::Pitch() const { return buffer_->pitch; }

std::uint32_t IDirectDrawSurface7::PixelAt(int x, int y) const {
    if (x < 0 || y < 0 || x >= Width() || y >= Height())
        return 0;
    const std::uint8_t* row = Bits() + std::ptrdiff_t(y) * Pitch();
    return buffer_->bpp == 16 ? reinterpret_cast<const std::uint16_t*>(row)[x]
                              : reinterpret_cast<const std::uint32_t*>(row)[x];
}

void IDirectDrawSurface7::SetPixelAt(int x, int y, std::uint32_t v) {
    if (x < 0 || y < 0 || x >= Width() || y >= Height())
        return;
    std::uint8_t* row = Bits() + std::ptrdiff_t(y) * Pitch();
    if (buffer_->bpp == 16)
        reinterpret_cast<std::uint16_t*>(row)[x] = std::uint16_t(v);
    else
        reinterpret_cast<std::uint32_t*>(row)[x] = v;
}

bool SurfaceView(IDirectDrawSurface7* s, SurfacePixels& out) {
    if (!s)
        return false;
    out = SurfacePixels{s->Bits(), s->Width(), s->Height(), s->Pitch(), s->BitsPerPixel()};
    return true;
}

HRESULT IDirectDrawSurface7::CheckUsable() const {
    if (lost_)
        return DDERR_SURFACELOST;
    if (locked_ || dc_)
        return DDERR_SURFACEBUSY;
    return DD_OK;
}

HRESULT IDirectDrawSurface7::Lock(RECT* rect, DDSURFACEDESC2* desc, DWORD, void*) {
    DD_FAULT("Lock");
    if (!desc || desc->dwSize != DDSURFACEDESC2_SIZE)
        return DDERR_INVALIDPARAMS;
    if (HRESULT hr = CheckUsable(); hr != DD_OK)
        return hr;
    RECT r = rect ? *rect : RECT{0, 0, Width(), Height()};
    if (!ValidRect(r, Width(), Height()))
        return DDERR_INVALIDRECT;
    desc->dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH | DDSD_PITCH | DDSD_PIXELFORMAT | DDSD_LPSURFACE;
    desc->dwWidth = DWORD(Width());
    desc->dwHeight = DWORD(Height());
    desc->lPitch = Pitch();
    desc->lpSurface = Bits() + std::ptrdiff_t(r.top) * Pitch() + std::ptrdiff_t(r.left) * (BitsPerPixel() / 8);
    desc->ddsCaps.dwCaps = caps_;
    FillFormat(desc->ddpfPixelFormat, BitsPerPixel());
    locked_ = true;
    return DD_OK;
}

HRESULT IDirectDrawSurface7::Unlock(RECT*) {
    DD_FAULT("Unlock");
    if (!locked_)
        return DDERR_NOTLOCKED;
    locked_ = false;
    if (primary_)
        ++Screen().generation;
    return DD_OK;
}

HRESULT IDirectDrawSurface7::GetDC(HDC* dc) {
    DD_FAULT("GetDC");
    if (!dc)
        return DDERR_INVALIDPARAMS;
    if (lost_)
        return DDERR_SURFACELOST;
    if (dc_)
        return DDERR_DCALREADYCREATED;
    if (locked_)
        return DDERR_SURFACEBUSY;
    dc_ = gdi::CreateDCOnPixels(gdi::PixelTarget{Bits(), Width(), Height(), Pitch(), BitsPerPixel()});
    if (!dc_)
        return DDERR_CANTCREATEDC;
    *dc = dc_;
    return DD_OK;
}

HRESULT IDirectDrawSurface7::ReleaseDC(HDC dc) {
    DD_FAULT("ReleaseDC");
    if (!dc_ || dc != dc_)
        return DDERR_NODC;
    gdi::DeleteDC(dc_);
    dc_ = nullptr;
    if (primary_)
        ++Screen().generation;
    return DD_OK;
}

HRESULT IDirectDrawSurface7::SetColorKey(DWORD flags, DDCOLORKEY* key) {
    DD_FAULT("SetColorKey");
    if (!(flags & DDCKEY_SRCBLT))
        return DDERR_INVALIDPARAMS;
    hasSrcKey_ = key != nullptr;
    if (key)
        srcKey_ = *key;
    return DD_OK;
}

HRESULT IDirectDrawSurface7::GetColorKey(DWORD flags, DDCOLORKEY* key) {
    DD_FAULT("GetColorKey");
    if (!key || !(flags & DDCKEY_SRCBLT))
        return DDERR_INVALIDPARAMS;
    if (!hasSrcKey_)
        return DDERR_NOCOLORKEY;
    *key = srcKey_;
    return DD_OK;
}

HRESULT IDirectDrawSurface7::BltFast(DWORD x, DWORD y, IDirectDrawSurface7* source, RECT* sourceRect, DWORD flags) {
    DD_FAULT("BltFast");
    if (!source)
        return DDERR_INVALIDPARAMS;
    if (flags & DDBLTFAST_DESTCOLORKEY)
        return DDERR_UNSUPPORTED;
    if (HRESULT hr = CheckUsable(); hr != DD_OK)
        return hr;
    if (source != this)
        if (HRESULT hr = source->CheckUsable(); hr != DD_OK)
            return hr;
    if (clipper_)
        return DDERR_BLTFASTCANTCLIP;
    if (source->BitsPerPixel() != BitsPerPixel())
        return DDERR_INVALIDPIXELFORMAT;
    RECT r = sourceRect ? *sourceRect : RECT{0, 0, source->Width(), source->Height()};
    if (!ValidRect(r, source->Width(), source->Height()))
        return DDERR_INVALIDRECT;
    std::int64_t w = r.right - r.left, h = r.bottom - r.top;
    if (std::int64_t(x) + w > Width() || std::int64_t(y) + h > Height())
        return DDERR_INVALIDRECT;
    BlitKey key;
    if ((flags & DDBLTFAST_SRCCOLORKEY) && source->hasSrcKey_)
        key = BlitKey{true, source->srcKey_.dwColorSpaceLowValue, source->srcKey_.dwColorSpaceHighValue};
    SurfacePixels d, s;
    SurfaceView(this, d);
    SurfaceView(source, s);
    int dx = int(x), dy = int(y);
    if (hasWrittenPart_) {
        // Each pixel is copied on its own, so the part inside is what the whole blit
        // would have put there.
        const RECT& p = writtenPart_;
        const LONG cutLeft = std::max<LONG>(0, p.left - dx), cutTop = std::max<LONG>(0, p.top - dy);
        const LONG cutRight = std::max<LONG>(0, dx + LONG(w) - p.right);
        const LONG cutBottom = std::max<LONG>(0, dy + LONG(h) - p.bottom);
        r = RECT{r.left + cutLeft, r.top + cutTop, r.right - cutRight, r.bottom - cutBottom};
        dx += int(cutLeft);
        dy += int(cutTop);
    }
    if (r.left < r.right && r.top < r.bottom)
        BlitFast(d, dx, dy, s, r, key);
    if (primary_)
        ++Screen().generation;
    return DD_OK;
}

void IDirectDrawSurface7::SetWrittenPart(const RECT* part) {
    hasWrittenPart_ = part != nullptr;
    if (part)
        writtenPart_ = *part;
}

HRESULT IDirectDrawSurface7::Blt(RECT* destRect, IDirectDrawSurface7* source, RECT* sourceRect, DWORD flags,
                                 DDBLTFX* fx) {
    DD_FAULT("Blt");
    if (HRESULT hr = CheckUsable(); hr != DD_OK)
        return hr;
    RECT surfaceRect{0, 0, Width(), Height()};
    RECT d = destRect ? *destRect : surfaceRect;
    if (d.left >= d.right || d.top >= d.bottom)
        return DDERR_INVALIDRECT;
    RECT clip = surfaceRect;
    if (clipper_) {
        RECT c;
        if (!clipper_->ClipRect(c))
            return DDERR_NOCLIPLIST;
        clip = Intersect(clip, c);
    } else if (!ValidRect(d, Width(), Height())) {
        return DDERR_INVALIDRECT;
    }
    SurfacePixels dst;
    SurfaceView(this, dst);
    if (flags & DDBLT_COLORFILL) {
        if (!fx)
            return DDERR_INVALIDPARAMS;
        RECT f = Intersect(d, clip);
        for (int yy = f.top; yy < f.bottom; ++yy)
            for (int xx = f.left; xx < f.right; ++xx)
                SetPixelAt(xx, yy, fx->dwFillColor);
        if (primary_)
            ++Screen().generation;
        return DD_OK;
    }
    if (!source)
        return DDERR_INVALIDPARAMS;
    if (source != this)
        if (HRESULT hr = source->CheckUsable(); hr != DD_OK)
            return hr;
    if (source->BitsPerPixel() != BitsPerPixel())
        return DDERR_INVALIDPIXELFORMAT;
    RECT s = sourceRect ? *sourceRect : RECT{0, 0, source->Width(), source->Height()};
    if (!ValidRect(s, source->Width(), source->Height()))
        return DDERR_INVALIDRECT;
    BlitKey key;
    if ((flags & DDBLT_KEYSRC) && source->hasSrcKey_)
        key = BlitKey{true, source->srcKey_.dwColorSpaceLowValue, source->srcKey_.dwColorSpaceHighValue};
    SurfacePixels src;
    SurfaceView(source, src);
    std::vector<std::uint8_t> copy;
    if (source == this) { // stretch from a private copy so overlaps stay right
        copy = buffer_->bytes;
        src.bits = copy.data();
    }
    if (d.right - d.left == s.right - s.left && d.bottom - d.top == s.bottom - s.top) {
        // Same size: the fast path on the clipped part.
        RECT c = Intersect(d, clip);
        if (c.left < c.right && c.top < c.bottom) {
            RECT part{s.left + (c.left - d.left), s.top + (c.top - d.top), s.left + (c.right - d.left),
                      s.top + (c.bottom - d.top)};
            BlitFast(dst, c.left, c.top, src, part, key);
        }
    } else {
        BlitStretch(dst, d, clip, src, s, key);
    }
    if (primary_)
        ++Screen().generation;
    return DD_OK;
}

HRESULT IDirectDrawSurface7::Flip(IDirectDrawSurface7*, DWORD) {
    DD_FAULT("Flip");
    if (!primary_ || !attachedBack_)
        return DDERR_NOTFLIPPABLE;
    if (!device_ || Screen().exclusiveOwner != device_.get())
        return DDERR_NOEXCLUSIVEMODE;
    if (HRESULT hr = CheckUsable(); hr != DD_OK)
        return hr;
    if (HRESULT hr = attachedBack_->CheckUsable(); hr != DD_OK)
        return hr;
    if (attachedBack_->buffer_->bytes.size() != buffer_->bytes.size())
        return DDERR_SURFACELOST;
    std::swap(buffer_->bytes, attachedBack_->buffer_->bytes);
    ++Screen().generation;
    return DD_OK;
}

HRESULT IDirectDrawSurface7::GetSurfaceDesc(DDSURFACEDESC2* desc) {
    DD_FAULT("GetSurfaceDesc");
    if (!desc || desc->dwSize != DDSURFACEDESC2_SIZE)
        return DDERR_INVALIDPARAMS;
    desc->dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH | DDSD_PITCH | DDSD_PIXELFORMAT;
    desc->dwWidth = DWORD(Width());
    desc->dwHeight = DWORD(Height());
    desc->lPitch = Pitch();
    desc->ddsCaps.dwCaps = caps_;
    desc->dwBackBufferCount = attachedBack_ ? 1 : 0;
    if (hasSrcKey_) {
        desc->dwFlags |= DDSD_CKSRCBLT;
        desc->ddckCKSrcBlt = srcKey_;
    }
    FillFormat(desc->ddpfPixelFormat, BitsPerPixel());
    return DD_OK;
}

HRESULT IDirectDrawSurface7::GetPixelFormat(DDPIXELFORMAT* format) {
    DD_FAULT("GetPixelFormat");
    if (!format)
        return DDERR_INVALIDPARAMS;
    FillFormat(*format, BitsPerPixel());
    return DD_OK;
}

HRESULT IDirectDrawSurface7::GetAttachedSurface(DDSCAPS2* caps, IDirectDrawSurface7** surface) {
    DD_FAULT("GetAttachedSurface");
    if (!caps || !surface)
        return DDERR_INVALIDPARAMS;
    if ((caps->dwCaps & DDSCAPS_BACKBUFFER) && attachedBack_) {
        attachedBack_->AddRef();
        *surface = attachedBack_;
        return DD_OK;
    }
    return DDERR_NOTFOUND;
}

HRESULT IDirectDrawSurface7::Restore() {
    DD_FAULT("Restore");
    ScreenState& s = Screen();
    if (s.exclusiveOwner && (!device_ || s.exclusiveOwner != device_.get()))
        return DDERR_WRONGMODE; // another program holds the screen
    if (primary_) {
        if (buffer_ != s.buffer)
            buffer_ = s.buffer;
        lost_ = false;
        if (attachedBack_) {
            IDirectDrawSurface7* back = attachedBack_;
            if (back->buffer_->width != buffer_->width || back->buffer_->height != buffer_->height ||
                back->buffer_->bpp != buffer_->bpp)
                back->buffer_ = std::make_shared<PixelBuffer>(buffer_->width, buffer_->height, buffer_->bpp);
            back->lost_ = false;
        }
        return DD_OK;
    }
    if (front_) // a back buffer is restored with its front
        return front_->Restore();
    if (lost_) {
        std::fill(buffer_->bytes.begin(), buffer_->bytes.end(), 0);
        lost_ = false;
    }
    return DD_OK;
}

HRESULT IDirectDrawSurface7::IsLost() { return lost_ ? DDERR_SURFACELOST : DD_OK; }

HRESULT IDirectDrawSurface7::SetClipper(IDirectDrawClipper* clipper) {
    DD_FAULT("SetClipper");
    if (clipper)
        clipper->AddRef();
    if (clipper_)
        clipper_->Release();
    clipper_ = clipper;
    return DD_OK;
}

HRESULT IDirectDrawSurface7::GetClipper(IDirectDrawClipper** clipper) {
    DD_FAULT("GetClipper");
    if (!clipper)
        return DDERR_INVALIDPARAMS;
    if (!clipper_)
        return DDERR_NOCLIPPERATTACHED;
    clipper_->AddRef();
    *clipper = clipper_;
    return DD_OK;
}

HRESULT IDirectDrawSurface7::SetPalette(IDirectDrawPalette* palette) {
    DD_FAULT("SetPalette");
    if (palette)
        palette->AddRef();
    if (palette_)
        palette_->Release();
    palette_ = palette;
    return DD_OK;
}

HRESULT IDirectDrawSurface7::GetPalette(IDirectDrawPalette** palette) {
    DD_FAULT("GetPalette");
    if (!palette)
        return DDERR_INVALIDPARAMS;
    if (!palette_)
        return DDERR_NOPALETTEATTACHED;
    palette_->AddRef();
    *palette = palette_;
    return DD_OK;
}

// ---- DirectDraw object ---------------------------------------------------------------------

IDirectDraw7::IDirectDraw7() : device_(std::make_shared<Device>()) {}

IDirectDraw7::~IDirectDraw7() {
    ScreenState& s = Screen();
    if (s.exclusiveOwner == device_.get())
        s.exclusiveOwner = nullptr;
    if (device_->modeSet)
        SetScreenMode(s.desktopWidth, s.desktopHeight, s.desktopBpp);
}

HRESULT DirectDrawCreateEx(GUID*, void** directDraw, const GUID& iid, IUnknown* outer) {
    HRESULT injected;
    if (FaultInjector::Check("DirectDrawCreateEx", nullptr, injected))
        return injected;
    if (!directDraw || outer)
        return DDERR_INVALIDPARAMS;
    if (!(iid == IID_IDirectDraw7))
        return DDERR_INVALIDPARAMS;
    *directDraw = new IDirectDraw7;
    return DD_OK;
}

HRESULT IDirectDraw7::Initialize(GUID*) {
    DD_FAULT("Initialize");
    return DDERR_ALREADYINITIALIZED; // as the platform answers for an object made by DirectDrawCreateEx
}

DWORD IDirectDraw7::CooperativeLevel() const { return device_->coopLevel; }

HRESULT IDirectDraw7::SetCooperativeLevel(HWND window, DWORD flags) {
    DD_FAULT("SetCooperativeLevel");
    bool exclusive = flags & DDSCL_EXCLUSIVE;
    bool fullscreen = flags & DDSCL_FULLSCREEN;
    bool normal = flags & DDSCL_NORMAL;
    if (exclusive != fullscreen || (normal && exclusive) || (!normal && !exclusive))
        return DDERR_INVALIDPARAMS;
    ScreenState& s = Screen();
    if (exclusive) {
        if (!window)
            return DDERR_INVALIDPARAMS;
        if (s.exclusiveOwner && s.exclusiveOwner != device_.get())
            return DDERR_EXCLUSIVEMODEALREADYSET;
        s.exclusiveOwner = device_.get();
    } else if (s.exclusiveOwner == device_.get()) {
        s.exclusiveOwner = nullptr;
    }
    device_->coopLevel = flags;
    device_->window = window;
    return DD_OK;
}

HRESULT IDirectDraw7::SetDisplayMode(DWORD width, DWORD height, DWORD bpp, DWORD, DWORD) {
    DD_FAULT("SetDisplayMode");
    if (!device_->coopLevel)
        return DDERR_NOCOOPERATIVELEVELSET;
    ScreenState& s = Screen();
    if (s.exclusiveOwner && s.exclusiveOwner != device_.get())
        return DDERR_NOEXCLUSIVEMODE;
    if (!IsSupportedMode(int(width), int(height), int(bpp)))
        return DDERR_INVALIDMODE;
    SetScreenMode(int(width), int(height), int(bpp));
    device_->modeSet = true;
    return DD_OK;
}

HRESULT IDirectDraw7::RestoreDisplayMode() {
    DD_FAULT("RestoreDisplayMode");
    ScreenState& s = Screen();
    if (s.exclusiveOwner && s.exclusiveOwner != device_.get())
        return DDERR_NOEXCLUSIVEMODE;
    if (device_->modeSet) {
        SetScreenMode(s.desktopWidth, s.desktopHeight, s.desktopBpp);
        device_->modeSet = false;
    }
    return DD_OK;
}

HRESULT IDirectDraw7::GetDisplayMode(DDSURFACEDESC2* desc) {
    DD_FAULT("GetDisplayMode");
    if (!desc || desc->dwSize != DDSURFACEDESC2_SIZE)
        return DDERR_INVALIDPARAMS;
    ScreenState& s = Screen();
    desc->dwFlags = DDSD_HEIGHT | DDSD_WIDTH | DDSD_PITCH | DDSD_PIXELFORMAT;
    desc->dwWidth = DWORD(s.buffer->width);
    desc->dwHeight = DWORD(s.buffer->height);
    desc->lPitch = s.buffer->pitch;
    desc->dwRefreshRate = 60;
    FillFormat(desc->ddpfPixelFormat, s.buffer->bpp);
    return DD_OK;
}

HRESULT IDirectDraw7::CreateSurface(DDSURFACEDESC2* desc, IDirectDrawSurface7** surface, IUnknown* outer) {
    DD_FAULT("CreateSurface");
    if (!desc || desc->dwSize != DDSURFACEDESC2_SIZE || !surface || outer)
        return DDERR_INVALIDPARAMS;
    if (!device_->coopLevel)
        return DDERR_NOCOOPERATIVELEVELSET;
    ScreenState& s = Screen();
    DWORD caps = (desc->dwFlags & DDSD_CAPS) ? desc->ddsCaps.dwCaps : DDSCAPS_OFFSCREENPLAIN;

    if (caps & DDSCAPS_PRIMARYSURFACE) {
        if (desc->dwFlags & (DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT))
            return DDERR_INVALIDPARAMS;
        if (device_->primary)
            return DDERR_PRIMARYSURFACEALREADYEXISTS;
        bool flip = caps & DDSCAPS_FLIP;
        if (flip) {
            if (!(caps & DDSCAPS_COMPLEX) || !(desc->dwFlags & DDSD_BACKBUFFERCOUNT) || desc->dwBackBufferCount < 1)
                return DDERR_INVALIDCAPS;
            if (desc->dwBackBufferCount > 1)
                return DDERR_UNSUPPORTED;
            if (s.exclusiveOwner != device_.get())
                return DDERR_NOEXCLUSIVEMODE;
        }
        auto* p = new IDirectDrawSurface7;
        p->device_ = device_;
        p->buffer_ = s.buffer;
        p->caps_ = caps | (flip ? DDSCAPS_FRONTBUFFER : 0) | DDSCAPS_VIDEOMEMORY;
        p->primary_ = true;
        s.surfaces.insert(p);
        if (flip) {
            auto* b = new IDirectDrawSurface7;
            b->device_ = device_;
            b->buffer_ = std::make_shared<PixelBuffer>(s.buffer->width, s.buffer->height, s.buffer->bpp);
            b->caps_ = DDSCAPS_BACKBUFFER | DDSCAPS_FLIP | DDSCAPS_COMPLEX | DDSCAPS_VIDEOMEMORY;
            b->front_ = p;
            p->attachedBack_ = b;
            s.surfaces.insert(b);
        }
        device_->primary = p;
        *surface = p;
        return DD_OK;
    }

    if (caps & (DDSCAPS_BACKBUFFER | DDSCAPS_FLIP | DDSCAPS_FRONTBUFFER))
        return DDERR_INVALIDCAPS;
    if (!(desc->dwFlags & DDSD_WIDTH) || !(desc->dwFlags & DDSD_HEIGHT) || desc->dwWidth == 0 ||
        desc->dwHeight == 0)
        return DDERR_INVALIDPARAMS;
    if (desc->dwWidth > DWORD(kMaxSurfaceSide) || desc->dwHeight > DWORD(kMaxSurfaceSide) ||
        std::int64_t(desc->dwWidth) * desc->dwHeight > kMaxSurfacePixels)
        return DDERR_OUTOFVIDEOMEMORY;
    int bpp = s.buffer->bpp;
    if (desc->dwFlags & DDSD_PIXELFORMAT) {
        bpp = int(desc->ddpfPixelFormat.dwRGBBitCount);
        if (bpp != 16 && bpp != 32)
            return DDERR_INVALIDPIXELFORMAT;
    }
    auto* surf = new IDirectDrawSurface7;
    surf->device_ = device_;
    surf->buffer_ = std::make_shared<PixelBuffer>(int(desc->dwWidth), int(desc->dwHeight), bpp);
    surf->caps_ = caps | ((caps & DDSCAPS_SYSTEMMEMORY) ? 0 : DDSCAPS_VIDEOMEMORY);
    if (desc->dwFlags & DDSD_CKSRCBLT) {
        surf->hasSrcKey_ = true;
        surf->srcKey_ = desc->ddckCKSrcBlt;
    }
    s.surfaces.insert(surf);
    *surface = surf;
    return DD_OK;
}

HRESULT IDirectDraw7::CreateClipper(DWORD, IDirectDrawClipper** clipper, IUnknown* outer) {
    DD_FAULT("CreateClipper");
    if (!clipper || outer)
        return DDERR_INVALIDPARAMS;
    *clipper = new IDirectDrawClipper;
    return DD_OK;
}

HRESULT IDirectDraw7::CreatePalette(DWORD flags, PALETTEENTRY* entries, IDirectDrawPalette** palette,
                                    IUnknown* outer) {
    DD_FAULT("CreatePalette");
    if (!palette || !entries || outer)
        return DDERR_INVALIDPARAMS;
    auto* p = new IDirectDrawPalette;
    p->caps_ = flags;
    std::copy(entries, entries + ((flags & DDPCAPS_8BIT) ? 256 : 16), p->entries_);
    *palette = p;
    return DD_OK;
}

HRESULT IDirectDraw7::FlipToGDISurface() {
    DD_FAULT("FlipToGDISurface");
    if (!device_->coopLevel)
        return DDERR_NOCOOPERATIVELEVELSET;
    ++Screen().generation;
    return DD_OK;
}

HRESULT IDirectDraw7::RestoreAllSurfaces() {
    DD_FAULT("RestoreAllSurfaces");
    std::vector<IDirectDrawSurface7*> mine;
    for (IDirectDrawSurface7* s : Screen().surfaces)
        if (s->device_ == device_)
            mine.push_back(s);
    for (IDirectDrawSurface7* s : mine)
        if (HRESULT hr = s->Restore(); hr != DD_OK)
            return hr;
    return DD_OK;
}

// ---- virtual screen -------------------------------------------------------------------------

void SetDesktopMode(int width, int height, int bpp) {
    ScreenState& s = Screen();
    s.desktopWidth = width;
    s.desktopHeight = height;
    s.desktopBpp = bpp;
    SetScreenMode(width, height, bpp);
}

int VirtualScreenWidth() { return Screen().buffer->width; }
int VirtualScreenHeight() { return Screen().buffer->height; }
int VirtualScreenBitsPerPixel() { return Screen().buffer->bpp; }
std::uint64_t VirtualScreenGeneration() { return Screen().generation; }

std::uint64_t VirtualScreenContentGeneration() {
    ScreenState& s = Screen();
    if (s.comparedGeneration != s.generation) {
        s.comparedGeneration = s.generation;
        const PixelBuffer& b = *s.buffer;
        const std::size_t rows = std::size_t(b.height);
        if (s.comparedBytes.size() != b.bytes.size() || s.rowGeneration.size() != rows) {
            // A new mode: every row is new.
            s.comparedBytes = b.bytes;
            ++s.contentGeneration;
            s.rowGeneration.assign(rows, s.contentGeneration);
        } else {
            // Row by row, so that a reader can convert only the rows that changed.
            bool changed = false;
            const std::size_t pitch = std::size_t(b.pitch);
            for (std::size_t y = 0; y < rows; ++y) {
                const std::uint8_t* now = b.bytes.data() + y * pitch;
                std::uint8_t* before = s.comparedBytes.data() + y * pitch;
                if (std::memcmp(now, before, pitch) == 0)
                    continue;
                if (!changed) {
                    changed = true;
                    ++s.contentGeneration;
                }
                std::memcpy(before, now, pitch);
                s.rowGeneration[y] = s.contentGeneration;
            }
        }
    }
    return s.contentGeneration;
}

namespace {

// A 5-6-5 pixel as 0x00RRGGBB, each channel widened by repeating its top bits. Each
// widened channel is made of bits of one byte of the pixel or the other, the middle
// one of both without overlap, so two small tables give the whole colour.
struct Rgb565Tables {
    std::array<std::uint32_t, 256> high{}, low{};
    Rgb565Tables() {
        for (std::uint32_t v = 0; v < 256; ++v) {
            const std::uint32_t r = v >> 3, g3 = v & 7;
            high[v] = (((r << 3) | (r >> 2)) << 16) | (((g3 << 5) | (g3 >> 1)) << 8);
            const std::uint32_t gl = v >> 5, bl = v & 31;
            low[v] = ((gl << 2) << 8) | ((bl << 3) | (bl >> 2));
        }
    }
};

std::uint32_t RgbOf565(std::uint16_t v) {
    static const Rgb565Tables tables;
    return tables.high[v >> 8] | tables.low[v & 0xFF];
}

void ConvertRow(const PixelBuffer& b, int y, std::uint32_t* out) {
    const std::uint8_t* row = b.bytes.data() + std::ptrdiff_t(y) * b.pitch;
    if (b.bpp == 16) {
        const auto* p = reinterpret_cast<const std::uint16_t*>(row);
        for (int x = 0; x < b.width; ++x)
            out[x] = RgbOf565(p[x]);
    } else {
        const auto* p = reinterpret_cast<const std::uint32_t*>(row);
        for (int x = 0; x < b.width; ++x)
            out[x] = p[x] & 0xFFFFFF;
    }
}

} // namespace

void ReadVirtualScreenRgb(std::vector<std::uint32_t>& pixels, int& width, int& height) {
    const PixelBuffer& b = *Screen().buffer;
    width = b.width;
    height = b.height;
    pixels.resize(std::size_t(b.width) * std::size_t(b.height));
    for (int y = 0; y < b.height; ++y)
        ConvertRow(b, y, pixels.data() + std::size_t(y) * std::size_t(b.width));
}

void UpdateVirtualScreenRgb(std::vector<std::uint32_t>& pixels, int& width, int& height, std::uint64_t& readAt) {
    const std::uint64_t now = VirtualScreenContentGeneration();
    ScreenState& s = Screen();
    const PixelBuffer& b = *s.buffer;
    if (readAt == 0 || readAt > now || width != b.width || height != b.height ||
        pixels.size() != std::size_t(b.width) * std::size_t(b.height)) {
        ReadVirtualScreenRgb(pixels, width, height);
        readAt = now;
        return;
    }
    for (int y = 0; y < b.height; ++y)
        if (s.rowGeneration[std::size_t(y)] > readAt)
            ConvertRow(b, y, pixels.data() + std::size_t(y) * std::size_t(b.width));
    readAt = now;
}

void ClearVirtualScreen() {
    std::fill(Screen().buffer->bytes.begin(), Screen().buffer->bytes.end(), 0);
    ++Screen().generation;
}

bool IsSupportedMode(int width, int height, int bpp) {
    static const int sizes[][2] = {{320, 240},  {400, 300},  {512, 384},  {640, 480},   {800, 600},
                                   {960, 720},  {1024, 768}, {1152, 864}, {1280, 1024}, {1600, 1200}};
    if (bpp != 16 && bpp != 32)
        return false;
    for (auto& s : sizes)
        if (s[0] == width && s[1] == height)
            return true;
    ScreenState& st = Screen();
    return width == st.desktopWidth && height == st.desktopHeight;
}

void LoseAllSurfaces() {
    for (IDirectDrawSurface7* s : Screen().surfaces)
        s->MarkLost();
}

void ResetForTests() {
    ScreenState& s = Screen();
    s.exclusiveOwner = nullptr;
    s.desktopWidth = 1024;
    s.desktopHeight = 768;
    s.desktopBpp = 32;
    s.buffer = std::make_shared<PixelBuffer>(1024, 768, 32);
    ++s.generation;
    s.coInit = 0;
    MainWindow()->ClearRect();
    FaultInjector::ClearAll();
}

} // namespace ddraw
