// The scene component.
#include "gfx/TE_DDSurface.h"

#include "gfx/Errors.h"
#include "gfx/Surfaces.h"
#include "gfx/TE_DDraw.h"

namespace gfx {

using namespace ddraw;

TE_DDSurface::TE_DDSurface(ui::Component*) {
    BackgroundBitmap.clear();
    DLLName.clear();
    ShowBitmap = true;
}

TE_DDSurface::~TE_DDSurface() {
    if (Module)
        gdi::FreeLibrary(Module);
    TE_DDraw::NotifyAll(this, opRemove);
    ReleaseInterface(BackgroundSurface);
    ReleaseInterface(Palette);
}

void TE_DDSurface::DestroyObjects() {
    DropWaiting();
    ReleaseInterface(BackgroundSurface);
}

void TE_DDSurface::SetupSurfaces(ui::Component* sender) {
    auto* display = dynamic_cast<TE_DDraw*>(sender);
    if (!display)
        throw ui::Exception("Invalid class typecast");
    CurrentDisplay = display;
    if (!DLLName.empty()) {
        if (!Module)
            Module = gdi::LoadLibrary(DLLName);
        if (!Module) // a handle below 32
            throw EDDError("Can't Load DLL");
    }
    if (!CreateSurface(BackgroundSurface, BackgroundBitmap, true))
        throw EDDError("SetupSurfaces: No Surface: " + BackgroundBitmap);
    SourceRect = display->ScreenRect;
    if (OnSetupSurfaces)
        OnSetupSurfaces(this);
}

bool TE_DDSurface::CreateSurface(IDirectDrawSurface7*& surface, const std::string& name, bool withPalette) {
    DisplayCore& display = RequireDisplay();
    if (withPalette) {
        ReleaseInterface(Palette); // the previous one is no longer used
        Palette = DDLoadPalette(Module, display.DirectDraw, name);
        if (display.Primary)
            display.Primary->SetPalette(Palette);
    }
    gdi::HBITMAP bitmap = Get_Dib(Module, name);
    IDirectDrawSurface7* made = CreateBitmap(bitmap);
    gdi::DeleteObject(bitmap);
    if (!made)
        throw EDDError("CreateSurface: Failed");
    if (&surface == &BackgroundSurface)
        DropWaiting();
    ReleaseInterface(surface);
    surface = made;
    HRESULT hr = SetSurfaceColorKey(surface, TransparentColor);
    if (hr != DD_OK)
        throw EDDError("CreateSurface: %d %s", {hr, GetOleError(hr)});
    return true;
}

gdi::HBITMAP TE_DDSurface::Get_Dib(gdi::HMODULE module, const std::string& name) {
    gdi::HBITMAP bitmap =
        module ? gdi::LoadImage(module, name, gdi::IMAGE_BITMAP, 0, 0, gdi::LR_CREATEDIBSECTION)
               : gdi::LoadImage(nullptr, name, gdi::IMAGE_BITMAP, 0, 0, gdi::LR_CREATEDIBSECTION | gdi::LR_LOADFROMFILE);
    if (!bitmap)
        RequireDisplay().ErrorEvent("GetDib: Could not load bitmap" + name);
    return bitmap;
}

IDirectDrawSurface7* TE_DDSurface::CreateBitmap(gdi::HBITMAP bitmap) {
    if (!bitmap)
        throw ui::Exception("CreateBitmap: No Bitmap");
    DisplayCore& display = RequireDisplay();
    IDirectDrawSurface7* surface = nullptr;
    try {
        gdi::BITMAP bm;
        gdi::GetObject(bitmap, sizeof bm, &bm);
        DDSURFACEDESC2 desc{};
        desc.dwSize = DDSURFACEDESC2_SIZE;
        desc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
        desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
        desc.dwWidth = DWORD(bm.bmWidth);
        desc.dwHeight = DWORD(bm.bmHeight);
        if (display.DirectDraw->CreateSurface(&desc, &surface, nullptr) != DD_OK)
            throw ui::Exception("CreateBitmap: CreateSurface failed");
        DDCopyBitmap(surface, bitmap, 0, 0, 0, 0);
    } catch (const std::exception& e) {
        ReleaseInterface(surface);
        display.ErrorEvent(std::string("CreateBitmap: ") + e.what());
    }
    return surface;
}

void TE_DDSurface::DrawScene() {
    DisplayCore& display = RequireDisplay();
    if (BlankScene) {
        gdi::HDC dc = nullptr;
        display.Back->GetDC(&dc);
        gdi::HBRUSH brush = gdi::CreateSolidBrush(BackColor);
        gdi::HGDIOBJ old = gdi::SelectObject(dc, brush);
        gdi::Rectangle(dc, 0, 0, display.ScreenRect.right, display.ScreenRect.bottom);
        gdi::SelectObject(dc, old);
        gdi::DeleteObject(brush);
        display.Back->ReleaseDC(dc);
    }
    if (ShowBitmap) {
        SettleText();
        HRESULT hr = display.Back->BltFast(0, 0, BackgroundSurface, &SourceRect, DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT);
        if (hr < 0)
            throw EDDError("DrawScene: %d \r %s \r %s", {hr, GetOleError(hr), "DrawScene: Bitmap incorect size?"});
    }
    if (OnDrawScene)
        OnDrawScene(this, display.Back);
}

HRESULT TE_DDSurface::RestoreSurfaces() {
    if (!BackgroundSurface)
        return DD_OK;
    SettleText();
    HRESULT hr = BackgroundSurface->Restore();
    if (hr == DD_OK)
        DDReLoadBitmap(BackgroundSurface, Module, BackgroundBitmap);
    return hr;
}

namespace {

// A long run of lines none of which covers another is drawn rather than kept.
constexpr std::size_t kMostWaiting = 64;

bool Inside(const gdi::RECT& inner, const gdi::RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

gdi::RECT Moved(gdi::RECT r, int x, int y) { return gdi::RECT{r.left + x, r.top + y, r.right + x, r.bottom + y}; }

} // namespace

void TE_DDSurface::WriteXY(int X, int Y, const std::string& Text, std::uint32_t TextColour, std::uint32_t BackColour) {
    if (!BackgroundSurface)
        return;
    if (!DeferText) {
        SettleText();
        DrawLine(X, Y, Text, TextColour, BackColour);
        return;
    }
    gdi::RECT cell, touched;
    gdi::TextFootprint(Text, &cell, &touched);
    WaitingLine line{X, Y, Text, TextColour, BackColour, Moved(cell, X, Y), Moved(touched, X, Y)};
    // The new line's cell is filled whatever lay under it, so an earlier line that
    // touched nothing outside that cell would leave no trace.
    std::erase_if(waiting_, [&](const WaitingLine& old) { return Inside(old.touched, line.cell); });
    waiting_.push_back(std::move(line));
    if (waiting_.size() > kMostWaiting)
        SettleText();
}

void TE_DDSurface::SettleText() {
    if (waiting_.empty())
        return;
    std::vector<WaitingLine> lines;
    lines.swap(waiting_);
    if (BackgroundSurface)
        for (const WaitingLine& line : lines)
            DrawLine(line.x, line.y, line.text, line.textColour, line.backColour);
}

void TE_DDSurface::DrawLine(int X, int Y, const std::string& Text, std::uint32_t TextColour, std::uint32_t BackColour) {
    gdi::HDC dc = nullptr;
    BackgroundSurface->GetDC(&dc);
    gdi::SetBkColor(dc, BackColour);
    gdi::SetTextColor(dc, TextColour);
    gdi::TextOut(dc, X, Y, Text, int(Text.size()));
    BackgroundSurface->ReleaseDC(dc);
}

} // namespace gfx
