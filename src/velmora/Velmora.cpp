// Registration of the library's components.
#include "velmora/Velmora.h"

#include "velmora/ComponentPalette.h"

namespace velmora {

void Register() {
    ComponentPalette::RegisterComponents(kPaletteName, {"TKx_DDraw", "TKx_DDSurface"});
    ComponentPalette::RegisterComponents(kPaletteName, {"TKx_Sound"});
    ComponentPalette::RegisterComponents(kPaletteName, {"TKx_DInput"});
}

} // namespace velmora
