// The package's display component.
#include "velmora/TKx_DDraw.h"

#include "gfx/Errors.h"
#include "gfx/Surfaces.h"
#include "gfx/TE_DDSurface.h"

#include "platform/ui/Application.h"

#include <map>

namespace velmora {

using namespace ddraw;
using gfx::CurrentDisplay;
using gfx::EDDError;

namespace {
// Screen sizes of the resolutions 1 to 10.
constexpr LONG kSizes[][2] = {{320, 240}, {400, 300},  {512, 384},  {640, 480},   {800, 600},
                              {960, 720}, {1024, 768}, {1152, 864}, {1280, 1024}, {1600, 1200}};
} // namespace

namespace {

struct FlipTimer {
    std::unique_ptr<ui::Timer> timer;
    const void* starter = nullptr;
};

std::map<ddraw::HWND, FlipTimer>& FlipTimers() {
    static std::map<ddraw::HWND, FlipTimer> timers;
    return timers;
}

} // namespace

void StartFlipTimer(const void* starter, ddraw::HWND window, int intervalMs) {
    FlipTimer& entry = FlipTimers()[window];
    if (!entry.timer)
        entry.timer = std::make_unique<ui::Timer>();
    entry.starter = starter;
    entry.timer->SetInterval(std::uint32_t(intervalMs > 0 ? intervalMs : 1));
    entry.timer->OnTimer = &TKx_DDraw::TimerFlip;
    entry.timer->SetEnabled(true);
}

void StopFlipTimer(const void* starter, ddraw::HWND window) {
    auto it = FlipTimers().find(window);
    if (it != FlipTimers().end() && it->second.starter == starter)
        FlipTimers().erase(it);
}

const ui::Timer* FlipTimerOf(ddraw::HWND window) {
    auto it = FlipTimers().find(window);
    return it == FlipTimers().end() ? nullptr : it->second.timer.get();
}

TKx_DDraw::TKx_DDraw(ui::Component* owner, HWND handle) : gfx::TE_DDraw(owner, handle) {
    BitsPerPixel = 16;
    TimerInterval = 1000;
}

TKx_DDraw::~TKx_DDraw() {
    StopFlipTimer(this, Handle);
    gfx::ReleaseInterface(Clipper);
    gfx::ReleaseInterface(Back);
    gfx::ReleaseInterface(Primary);
}

void TKx_DDraw::Init() {
    CurrentDisplay = this;
    if (FirstInit) {
        CreateDD();
        FirstInit = false;
    }
    if (E_DDSurface && !E_DDSurface->BackgroundBitmap.empty())
        E_DDSurface->SetupSurfaces(this);
    if (UseTimer)
        StartFlipTimer(this, Handle, TimerInterval);
    Active = true;
    Flip();
}

int TKx_DDraw::ChoseColourDepth(int) { return 32; }

void TKx_DDraw::CreateDD() {
    CoInitialize(nullptr);
    // A previous Init that failed half-way leaves objects behind; start afresh.
    gfx::ReleaseInterface(Clipper);
    gfx::ReleaseInterface(Back);
    gfx::ReleaseInterface(Primary);
    gfx::ReleaseInterface(DirectDraw);
    CreateDirectDrawObject("Can't Create DirectDraw Object");
    if (Resolution == trNormal)
        UseDesktopMode("CreateDD");
    DDTest(DirectDraw->SetCooperativeLevel(Handle, CooperativeLevel()), "CreateDD");
    for (int attempt = 1;; ++attempt) {
        if (Resolution != trNormal)
            SetScreenSize();
        HRESULT hr =
            DirectDraw->SetDisplayMode(DWORD(ScreenRect.right), DWORD(ScreenRect.bottom), DWORD(BitsPerPixel), 0, 0);
        if (hr >= 0) // DD_OK, or another success code
            break;
        if (attempt >= kMaxModeAttempts) {
            DDTest(hr, "CreateDD");
            ErrorEvent("Can't set display mode");
        }
        if (hr == DDERR_NOEXCLUSIVEMODE) {
            DDTest(DirectDraw->RestoreDisplayMode(), "CreateDD");
            int depth = ChoseColourDepth(BitsPerPixel);
            // Already at that depth: trying again would get the same answer for ever.
            if (depth == BitsPerPixel)
                DDTest(hr, "CreateDD");
            BitsPerPixel = depth;
        } else if (hr == DDERR_INVALIDMODE) {
            DDTest(DirectDraw->RestoreDisplayMode(), "CreateDD");
            if (Resolution == trNormal)
                ErrorEvent("Can't set display mode");
            Resolution = TResolution(Resolution - 1);
        } else {
            DDTest(hr, "CreateDD");
        }
    }
    CreatePrimary();
    CreateBack();
}

void TKx_DDraw::SetScreenSize() {
    if (Resolution < tr320x240 || Resolution > tr1600x1200)
        return;
    ScreenRect = gdi::RECT{0, 0, kSizes[Resolution - 1][0], kSizes[Resolution - 1][1]};
}

bool TKx_DDraw::CreatePrimary() {
    DDSURFACEDESC2 desc = PrimarySurfaceDesc();
    DDTest(DirectDraw->CreateSurface(&desc, &Primary, nullptr), "CreatePrimary");
    return true;
}

bool TKx_DDraw::CreateBack() {
    if (Exclusive) {
        DDSCAPS2 caps{};
        caps.dwCaps = DDSCAPS_BACKBUFFER;
        DDTest(Primary->GetAttachedSurface(&caps, &Back), "CreateBack");
        return true;
    }
    Back = gfx::DDCreateSurface(ScreenRect.right, ScreenRect.bottom);
    DDTest(DirectDraw->CreateClipper(0, &Clipper, nullptr), "CreateBack");
    Clipper->SetHWnd(0, Handle);
    DDTest(Primary->SetClipper(Clipper), "CreateBack");
    return true;
}

void TKx_DDraw::Flip() {
    FrameToggle = !FrameToggle;
    if (!Active)
        return;
    try {
        if (!Primary || !Back)
            throw EDDError("Flip: no surfaces");
        DrawBitmaps();
        if (!Exclusive) {
            gdi::RECT window;
            GetWindowRect(Handle, &window);
            DDTest(Primary->Blt(&window, Back, &ScreenRect, 0, nullptr), "Flip");
        } else {
            // A surface that stays lost or busy drops this frame after a bounded number
            // of attempts instead of holding the program in the loop; the next Flip
            // tries again.
            for (int attempt = 0; attempt < kMaxFlipAttempts; ++attempt) {
                ui::Application::Instance().ProcessMessages();
                if (MakeItSo(Primary->Flip(nullptr, DDFLIP_WAIT)))
                    break;
            }
        }
    } catch (const std::exception& e) {
        ErrorEvent(std::string("Flipping") + e.what());
    }
}

void TKx_DDraw::EndExclusive() {
    Active = false;
    DisplayCore::EndExclusive();
}

void TKx_DDraw::TimerFlip() {
    if (CurrentDisplay && CurrentDisplay->Active)
        if (auto* display = dynamic_cast<TKx_DDraw*>(CurrentDisplay))
            display->Flip();
}

} // namespace velmora
