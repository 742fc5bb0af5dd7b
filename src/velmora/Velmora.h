// The library's own unit: the registration of its components on the palette page
// "Velmora". TKx_Sprite is a plain class and is not registered.
#pragma once

namespace velmora {

constexpr const char* kPaletteName = "Velmora";

// Registers TKx_DDraw with TKx_DDSurface, then TKx_Sound and TKx_DInput.
void Register();

} // namespace velmora
