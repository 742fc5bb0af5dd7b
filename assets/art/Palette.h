// The game's one 256-colour palette and the mapping of drawn colours onto it.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace art {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    bool operator==(const Rgb&) const = default;
};

// Purple is the colour key of every picture; palette index 0 holds it and no other
// entry comes near it, so a picture can never show purple where it is meant to be solid.
constexpr Rgb kKeyColour{128, 0, 128};
constexpr std::uint8_t kKeyIndex = 0;

// The palette is built from ramps of the materials the city is made of (grass, earth,
// water, stone, brick, roof tiles, glass, steel...), each running from shadow to light,
// so every picture shares the same colours and the same light.
class Palette {
public:
    static const Palette& Game();

    const std::array<Rgb, 256>& Colours() const { return colours; }
    // The nearest entry to a drawn colour; never the key index.
    std::uint8_t Nearest(Rgb colour) const;
    // How far a colour is from the key colour, in the weighted distance used for matching.
    static int DistanceToKey(Rgb colour);

private:
    Palette();
    std::array<Rgb, 256> colours{};
    mutable std::vector<std::uint8_t> cache;
};

} // namespace art
