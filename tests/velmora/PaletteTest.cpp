// Registration: the four components on the page "Velmora" in their order, each once
// however often the library registers; the sprite class is not a component.
#include "velmora/ComponentPalette.h"
#include "velmora/Velmora.h"

#include <gtest/gtest.h>

using namespace velmora;

TEST(Palette, TheLibraryRegistersItsComponentsOnItsPage) {
    ComponentPalette::Clear();
    Register();
    Register();
    EXPECT_EQ(ComponentPalette::Pages(), std::vector<std::string>{"Velmora"});
    EXPECT_EQ(ComponentPalette::Page("Velmora"),
              (std::vector<std::string>{"TKx_DDraw", "TKx_DDSurface", "TKx_Sound", "TKx_DInput"}));
    EXPECT_TRUE(ComponentPalette::Page("Qor").empty());
    ComponentPalette::RegisterComponents("Qor", {"TKx_DDraw"});
    EXPECT_EQ(ComponentPalette::Pages(), (std::vector<std::string>{"Velmora", "Qor"}));
    ComponentPalette::Clear();
}
