// The display's error path, shared by the game's display and the package's.
#include "gfx/DisplayCore.h"

#include "gfx/Errors.h"

namespace gfx {

DisplayCore* CurrentDisplay = nullptr;

DisplayCore::~DisplayCore() {
    if (CurrentDisplay == this)
        CurrentDisplay = nullptr;
}

void DisplayCore::EndExclusive() {
    if (!DirectDraw)
        return;
    DirectDraw->FlipToGDISurface();
    if (Exclusive)
        DirectDraw->SetCooperativeLevel(Handle, ddraw::DDSCL_NORMAL);
}

void DisplayCore::ErrorEvent(const std::string& text) {
    Active = false;
    EndExclusive();
    throw EDDError(text);
}

void DisplayCore::DDTest(ddraw::HRESULT result, const std::string& location) {
    if (result >= 0)
        return;
    EndExclusive();
    throw EDDError("DDTest Error: %s :%d %s", {location, result, GetOleError(result)});
}

DisplayCore& RequireDisplay() {
    if (!CurrentDisplay || !CurrentDisplay->DirectDraw)
        throw EDDError("No display: Init has not run");
    return *CurrentDisplay;
}

} // namespace gfx
