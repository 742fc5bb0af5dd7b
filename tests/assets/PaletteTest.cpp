// Rule: the game palette keeps purple for transparency alone: entry 0 is purple, no
// other entry is near it, every drawn colour maps to an entry other than 0, and the
// exact colours the frame relies on (the status grey) are in the palette as they are.
#include "Palette.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

TEST(GamePalette, PurpleIsEntryZeroAndNothingElseIsNearIt) {
    const auto& colours = art::Palette::Game().Colours();
    EXPECT_EQ(colours[0], art::kKeyColour);
    for (std::size_t i = 1; i < colours.size(); ++i) {
        const art::Rgb c = colours[i];
        EXPECT_GE(std::abs(c.r - 128) + c.g + std::abs(c.b - 128), 60) << "entry " << i;
    }
}

TEST(GamePalette, DrawnColoursNeverMapToTheKey) {
    const art::Palette& palette = art::Palette::Game();
    // Purple itself and its neighbours included: a drawn pixel must never turn transparent.
    for (int r = 0; r < 256; r += 15)
        for (int g = 0; g < 256; g += 15)
            for (int b = 0; b < 256; b += 15)
                EXPECT_NE(palette.Nearest(art::Rgb{std::uint8_t(r), std::uint8_t(g), std::uint8_t(b)}), art::kKeyIndex);
    EXPECT_NE(palette.Nearest(art::kKeyColour), art::kKeyIndex);
}

TEST(GamePalette, ExactColoursMapToThemselves) {
    const art::Palette& palette = art::Palette::Game();
    const art::Rgb grey{128, 128, 128};
    EXPECT_EQ(palette.Colours()[palette.Nearest(grey)], grey);
    for (std::size_t i = 1; i < palette.Colours().size(); ++i) {
        const art::Rgb c = palette.Colours()[i];
        EXPECT_EQ(palette.Colours()[palette.Nearest(c)], c) << "entry " << i;
    }
}

} // namespace
