// The game's sound effects: one recipe for each wave file the tools and refusals play.
#pragma once

#include "Synth.h"

#include <string>
#include <vector>

class SoundEffects {
public:
    static constexpr int kRate = 22050;

    struct Effect {
        const char* fileName; // as the game names it (the Your House tool's "HOUSE" has no extension)
        double seconds;
        void (*paint)(Synth&);
    };

    // Every effect, in the order they are written.
    static const std::vector<Effect>& All();
    // Renders one effect, normalised, ready to write.
    static std::vector<std::int16_t> Render(const Effect& effect, std::uint32_t seed);
};
