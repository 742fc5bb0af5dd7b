// The music of the virtual disc: gentle tracks of chords, bass and melody to build a city by.
#pragma once

#include "Synth.h"

#include <cstdint>
#include <vector>

class MusicComposer {
public:
    static constexpr int kRate = 22050;

    // How one track sounds.
    struct Style {
        const char* fileName;
        int root;                     // MIDI note of the key's tonic, around middle C
        double bpm;
        std::vector<int> progression; // scale degrees (0 = I), one chord a bar
        enum class Lead { Piano, Flute, Soft, Bells } lead;
        bool drums;
        bool arpeggio;
        std::uint32_t seed;
    };

    static const std::vector<Style>& Tracks();
    // Renders a track of about seconds length (whole bars), normalised.
    static std::vector<std::int16_t> Compose(const Style& style, double seconds);
};
