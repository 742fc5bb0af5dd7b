// The package's scene component.
#include "velmora/TKx_DDSurface.h"

#include "gfx/Errors.h"
#include "platform/ui/Application.h"
#include "platform/ui/MessageBoxFlags.h"
#include "velmora/TKx_DDraw.h"

namespace velmora {

TKx_DDSurface::TKx_DDSurface(ui::Component* owner) : gfx::TE_DDSurface(owner) {}

TKx_DDSurface::~TKx_DDSurface() = default;

void TKx_DDSurface::SetupSurfaces(ui::Component* sender) {
    auto* display = dynamic_cast<TKx_DDraw*>(sender);
    if (!display)
        throw ui::Exception("Invalid class typecast");
    gfx::CurrentDisplay = display;
    if (!DLLName.empty()) {
        if (!Module)
            Module = gdi::LoadLibrary(DLLName);
        if (!Module) { // a handle below 32
            ui::Application& app = ui::Application::Instance();
            app.MessageBox("Can't Load DLL:" + DLLName, app.Title, ui::MB_OK);
        }
        // A library that loaded is kept for the bitmaps; the name has done its work.
        DLLName.clear();
    }
    if (!CreateSurface(BackgroundSurface, BackgroundBitmap, true))
        throw gfx::EDDError("SetupSurfaces: No Surface: " + BackgroundBitmap);
    SourceRect = display->ScreenRect;
    if (OnSetupSurfaces)
        OnSetupSurfaces(this);
}

} // namespace velmora
