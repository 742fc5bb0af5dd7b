// The package's scene component. It behaves as the game's scene (gfx::TE_DDSurface,
// whose background, drawing, restoring and text it shares) except in SetupSurfaces:
// it belongs to a TKx_DDraw, and a library named in DLLName that does not load is
// reported in a message box and the scene goes on with the program's own bitmaps.
#pragma once

#include "gfx/TE_DDSurface.h"

namespace velmora {

class TKx_DDSurface : public gfx::TE_DDSurface {
public:
    explicit TKx_DDSurface(ui::Component* owner = nullptr);
    ~TKx_DDSurface() override;

    // Sender must be a TKx_DDraw (ui::Exception "Invalid class typecast" otherwise).
    void SetupSurfaces(ui::Component* sender) override;
};

} // namespace velmora
