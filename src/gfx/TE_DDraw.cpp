// The display component.
#include "gfx/TE_DDraw.h"

#include "gfx/Errors.h"
#include "gfx/Surfaces.h"
#include "gfx/TE_DDSurface.h"

#include "platform/ui/Application.h"

#include <set>

namespace gfx {

using namespace ddraw;

namespace {
std::set<TE_DDraw*>& Displays() {
    static std::set<TE_DDraw*> displays;
    return displays;
}
} // namespace

TE_DDraw::TE_DDraw(ui::Component*, HWND handle) {
    Handle = handle;
    FirstInit = true;
    DirectDraw = nullptr;
    Displays().insert(this);
}

TE_DDraw::~TE_DDraw() {
    Displays().erase(this);
    flipTimer_.reset();
    // The surfaces and the clipper made by Create_DD go before the object that made them;
    // releasing only the DirectDraw object would leave the back buffer's pixels behind.
    ReleaseSurfaces();
    ReleaseInterface(DirectDraw);
}

void TE_DDraw::ReleaseSurfaces() {
    ReleaseInterface(Clipper);
    ReleaseInterface(Back);
    ReleaseInterface(Primary);
}

void TE_DDraw::NotifyAll(ui::Component* component, TOperation operation) {
    std::set<TE_DDraw*> copy = Displays();
    for (TE_DDraw* d : copy)
        if (Displays().count(d))
            d->Notification(component, operation);
}

void TE_DDraw::Notification(ui::Component* component, TOperation operation) {
    if (operation == opRemove && component && component == static_cast<ui::Component*>(E_DDSurface))
        SetScene(nullptr);
}

void TE_DDraw::Init() {
    CurrentDisplay = this;
    if (FirstInit) {
        Create_DD();
        FirstInit = false;
    }
    if (E_DDSurface && !E_DDSurface->BackgroundBitmap.empty())
        E_DDSurface->SetupSurfaces(this);
    if (UseTimer) {
        if (!flipTimer_)
            flipTimer_ = std::make_unique<ui::Timer>();
        flipTimer_->SetInterval(std::uint32_t(TimerInterval > 0 ? TimerInterval : 1));
        flipTimer_->OnTimer = &TE_DDraw::TimerFlip;
        flipTimer_->SetEnabled(true);
    }
    Active = true;
    Flip();
}

void TE_DDraw::Create_DD() {
    Exclusive = Resolution == trExclusive;
    CoInitialize(nullptr);
    // A previous Init failed half-way: what it made is dropped before starting again.
    ReleaseSurfaces();
    ReleaseInterface(DirectDraw);
    CreateDirectDrawObject("Can't create Direct Draw Ex");
    if (Resolution == trNormal)
        UseDesktopMode("Create_DD");
    else
        Set_Screen_Size();
    DDTest(DirectDraw->SetCooperativeLevel(Handle, CooperativeLevel()), "Create_DD");
    DDTest(DirectDraw->SetDisplayMode(DWORD(ScreenRect.right), DWORD(ScreenRect.bottom), DWORD(BitsPerPixel), 0, 0),
           "Create_DD");
    Create_Primary_Surface();
    Create_Back_Surface();
}

void TE_DDraw::Set_Screen_Size() {
    ScreenRect.left = 0;
    ScreenRect.top = 0;
    if (Resolution == trWindowed640x480 || Exclusive) {
        ScreenRect.right = 640;
        ScreenRect.bottom = 480;
    } else if (Resolution == trWindowed800x600) {
        ScreenRect.right = 800;
        ScreenRect.bottom = 600;
    } else if (Resolution == trWindowed1024x768) {
        ScreenRect.right = 1024;
        ScreenRect.bottom = 768;
    }
}

void TE_DDraw::CreateDirectDrawObject(const std::string& createError) {
    void* object = nullptr;
    if (DirectDrawCreateEx(nullptr, &object, IID_IDirectDraw7, nullptr) < 0)
        throw EDDError(createError);
    DirectDraw = static_cast<IDirectDraw7*>(object);
    DirectDraw->Initialize(nullptr);
}

DWORD TE_DDraw::CooperativeLevel() const {
    return Exclusive ? (DDSCL_FULLSCREEN | DDSCL_ALLOWREBOOT | DDSCL_EXCLUSIVE) : DDSCL_NORMAL;
}

void TE_DDraw::UseDesktopMode(const std::string& location) {
    DDSURFACEDESC2 desc{};
    desc.dwSize = DDSURFACEDESC2_SIZE;
    DDTest(DirectDraw->GetDisplayMode(&desc), location);
    BitsPerPixel = int(desc.ddpfPixelFormat.dwRGBBitCount);
    ScreenRect = gdi::RECT{0, 0, LONG(desc.dwWidth), LONG(desc.dwHeight)};
}

DDSURFACEDESC2 TE_DDraw::PrimarySurfaceDesc() const {
    DDSURFACEDESC2 desc{};
    desc.dwSize = DDSURFACEDESC2_SIZE;
    if (Exclusive) {
        desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;                               // 0x21
        desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX; // 0x218
        desc.dwBackBufferCount = 1;
    } else {
        desc.dwFlags = DDSD_CAPS;                     // 1
        desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE; // 0x200
    }
    return desc;
}

bool TE_DDraw::Create_Primary_Surface() {
    DDSURFACEDESC2 desc = PrimarySurfaceDesc();
    HRESULT hr = DirectDraw->CreateSurface(&desc, &Primary, nullptr);
    if (hr != DD_OK)
        throw EDDError("Create_Primary_Surface: %d %s", {hr, GetOleError(hr)});
    return true;
}

bool TE_DDraw::Create_Back_Surface() {
    if (Exclusive) {
        DDSCAPS2 caps{};
        caps.dwCaps = DDSCAPS_BACKBUFFER;
        HRESULT hr = Primary->GetAttachedSurface(&caps, &Back);
        if (hr != DD_OK)
            throw EDDError("Create_Back_Surface: %d %s", {hr, GetOleError(hr)});
        return true;
    }
    Back = DDCreateSurface(ScreenRect.right, ScreenRect.bottom);
    DDTest(DirectDraw->CreateClipper(0, &Clipper, nullptr), "Creating Clipper");
    Clipper->SetHWnd(0, Handle);
    if (Primary->SetClipper(Clipper) != DD_OK)
        throw EDDError("Create_Back_Surface: Can't attach clipper to front buffer");
    return true;
}

void TE_DDraw::Flip() {
    FrameToggle = !FrameToggle;
    if (!Active)
        return;
    try {
        if (!Primary || !Back)
            throw EDDError("Flip: no surfaces");
        if (!Exclusive) {
            DrawBitmaps();
            gdi::RECT window;
            GetWindowRect(Handle, &window);
            DDTest(Primary->Blt(&window, Back, &ScreenRect, 0, nullptr), "Flip");
        } else {
            DrawBitmaps();
            HRESULT hr;
            do {
                ui::Application::Instance().ProcessMessages();
                hr = Primary->Flip(nullptr, DDFLIP_WAIT);
            } while (!MakeItSo(hr));
        }
    } catch (...) {
        ErrorEvent("Flipping");
    }
}

bool TE_DDraw::MakeItSo(HRESULT result) {
    if (result == DDERR_SURFACELOST)
        return RestoreSurfaces() == DD_OK;
    if (result == DDERR_WASSTILLDRAWING)
        return false;
    return true;
}

HRESULT TE_DDraw::RestoreSurfaces() {
    HRESULT hr = Primary->Restore();
    if (hr == DD_OK && E_DDSurface)
        hr = E_DDSurface->RestoreSurfaces();
    return hr;
}

void TE_DDraw::DrawBitmaps() {
    if (E_DDSurface)
        E_DDSurface->DrawScene();
}

void TE_DDraw::SetScene(TE_DDSurface* scene) {
    if (scene)
        scene->DestroyObjects();
    E_DDSurface = scene;
}

void TE_DDraw::TimerFlip() {
    if (CurrentDisplay && CurrentDisplay->Active)
        if (auto* display = dynamic_cast<TE_DDraw*>(CurrentDisplay))
            display->Flip();
}

} // namespace gfx
