// The part of a display that the engine's bitmap and surface functions
// reach through CurrentDisplay: the DirectDraw object, the surfaces, the screen
// rectangle and the error path. The game's TE_DDraw and the package's display both
// derive from it.
#pragma once

#include "platform/ddraw/DDraw.h"

#include <string>

namespace gfx {

class DisplayCore {
public:
    virtual ~DisplayCore();

    bool Active = false;
    ddraw::IDirectDrawSurface7* Back = nullptr;
    ddraw::IDirectDrawClipper* Clipper = nullptr;
    ddraw::IDirectDraw7* DirectDraw = nullptr;
    bool Exclusive = false;
    ddraw::HWND Handle = nullptr;
    ddraw::IDirectDrawSurface7* Primary = nullptr;
    gdi::RECT ScreenRect{};

    // DirectDraw FlipToGDISurface; when Exclusive, also SetCooperativeLevel(Handle,
    // DDSCL_NORMAL).
    virtual void EndExclusive();
    // Active = false; EndExclusive; raise EDDError with the text.
    [[noreturn]] virtual void ErrorEvent(const std::string& text);
    // A failure code (negative): EndExclusive and raise EDDError "DDTest Error: %s :%d %s"
    // (location, result, GetOleError text). Success codes, positive ones included, return.
    virtual void DDTest(ddraw::HRESULT result, const std::string& location);
};

// The one display of the process: set by the display's Init and by the scene's
// SetupSurfaces. Cleared when that display is destroyed.
extern DisplayCore* CurrentDisplay;

// CurrentDisplay with its DirectDraw object, or EDDError "No display: Init has not run".
DisplayCore& RequireDisplay();

} // namespace gfx
