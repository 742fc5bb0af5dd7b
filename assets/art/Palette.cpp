// Builds the game palette from material ramps and matches drawn colours to it.
#include "Palette.h"

#include <cstdlib>
#include <initializer_list>

namespace art {
namespace {

int WeightedDistance(Rgb a, Rgb b) {
    const int dr = int(a.r) - int(b.r);
    const int dg = int(a.g) - int(b.g);
    const int db = int(a.b) - int(b.b);
    return 3 * dr * dr + 4 * dg * dg + 2 * db * db;
}

// Appends `count` shades running through the key colours, spaced evenly.
void AddRamp(std::vector<Rgb>& out, int count, std::initializer_list<Rgb> keys) {
    const std::vector<Rgb> k(keys);
    for (int i = 0; i < count; ++i) {
        const double t = count == 1 ? 0.0 : double(i) / double(count - 1) * double(k.size() - 1);
        std::size_t seg = std::size_t(t);
        if (seg >= k.size() - 1) seg = k.size() - 2;
        const double f = t - double(seg);
        const Rgb a = k[seg];
        const Rgb b = k[seg + 1];
        auto mix = [f](int x, int y) { return std::uint8_t(double(x) + (double(y) - double(x)) * f + 0.5); };
        out.push_back(Rgb{mix(a.r, b.r), mix(a.g, b.g), mix(a.b, b.b)});
    }
}

} // namespace

Palette::Palette() {
    std::vector<Rgb> entries;
    entries.push_back(kKeyColour);
    AddRamp(entries, 16, {{30, 52, 22}, {58, 96, 36}, {96, 142, 56}, {150, 186, 86}, {204, 222, 140}}); // grass
    AddRamp(entries, 10, {{14, 34, 20}, {34, 74, 38}, {64, 118, 56}, {120, 170, 92}});                  // foliage
    AddRamp(entries, 14, {{52, 36, 24}, {104, 76, 48}, {160, 128, 88}, {206, 184, 140}, {236, 222, 190}}); // earth
    AddRamp(entries, 10, {{120, 104, 76}, {196, 176, 132}, {232, 218, 182}, {250, 244, 226}});           // sand, plaster
    AddRamp(entries, 26, {{10, 10, 12}, {128, 128, 128}, {255, 255, 255}});                             // neutral grey
    AddRamp(entries, 8, {{32, 36, 44}, {62, 66, 76}, {98, 102, 112}});                                  // asphalt
    AddRamp(entries, 16, {{8, 30, 64}, {22, 70, 126}, {46, 116, 172}, {110, 176, 214}, {196, 232, 246}}); // water
    AddRamp(entries, 12, {{62, 22, 18}, {124, 50, 38}, {176, 86, 62}, {220, 146, 116}});                 // brick
    AddRamp(entries, 10, {{84, 34, 20}, {160, 70, 40}, {212, 116, 70}, {240, 170, 120}});                // roof tiles
    AddRamp(entries, 10, {{30, 38, 56}, {62, 76, 104}, {104, 120, 150}, {160, 176, 204}});               // slate
    AddRamp(entries, 14, {{14, 40, 58}, {36, 88, 118}, {72, 146, 178}, {150, 206, 226}, {226, 246, 252}}); // glass
    AddRamp(entries, 10, {{104, 74, 10}, {196, 150, 24}, {244, 204, 60}, {255, 244, 156}});              // yellow
    AddRamp(entries, 8, {{112, 46, 10}, {196, 96, 24}, {240, 148, 52}, {255, 200, 128}});               // orange
    AddRamp(entries, 8, {{86, 10, 10}, {170, 24, 24}, {224, 60, 48}, {255, 140, 120}});                  // signal red
    AddRamp(entries, 10, {{36, 50, 64}, {70, 90, 110}, {116, 138, 158}, {176, 194, 208}});               // steel
    AddRamp(entries, 10, {{54, 32, 18}, {100, 64, 36}, {146, 102, 62}, {196, 156, 108}});                // wood, rust
    AddRamp(entries, 8, {{30, 70, 62}, {62, 122, 106}, {112, 176, 152}, {180, 220, 200}});              // copper green
    AddRamp(entries, 6, {{150, 60, 90}, {214, 120, 150}, {248, 196, 210}});                              // blossom
    AddRamp(entries, 8, {{40, 60, 120}, {70, 96, 170}, {120, 150, 220}, {186, 204, 246}});              // sky blue
    AddRamp(entries, 6, {{160, 160, 140}, {200, 200, 176}, {238, 236, 214}});                            // pale stone
    AddRamp(entries, 6, {{60, 50, 40}, {92, 80, 66}, {130, 116, 98}});                                  // warm dark
    AddRamp(entries, 8, {{112, 108, 98}, {170, 166, 154}, {216, 212, 200}});                             // warm concrete
    AddRamp(entries, 8, {{96, 146, 186}, {160, 200, 226}, {222, 238, 248}});                             // sky in glass
    AddRamp(entries, 6, {{22, 42, 20}, {40, 66, 30}, {64, 94, 42}});                                     // deep shade
    AddRamp(entries, 4, {{40, 48, 90}, {56, 66, 124}});                                                  // night sky
    entries.push_back(Rgb{50, 40, 200});   // the status text colour
    entries.push_back(Rgb{192, 192, 192}); // toolkit silver
    entries.push_back(Rgb{128, 128, 128}); // status background, exactly
    while (entries.size() < 256) entries.push_back(Rgb{0, 0, 0});
    for (std::size_t i = 0; i < 256; ++i) colours[i] = entries[i];
}

const Palette& Palette::Game() {
    static const Palette palette;
    return palette;
}

int Palette::DistanceToKey(Rgb colour) { return WeightedDistance(colour, kKeyColour); }

std::uint8_t Palette::Nearest(Rgb colour) const {
    if (cache.empty()) cache.assign(std::size_t(1) << 24, 0);
    const std::size_t key = (std::size_t(colour.r) << 16) | (std::size_t(colour.g) << 8) | colour.b;
    std::uint8_t& slot = cache[key];
    if (slot != 0) return slot;
    int best = 1;
    int bestDistance = WeightedDistance(colour, colours[1]);
    for (int i = 2; i < 256; ++i) {
        const int d = WeightedDistance(colour, colours[std::size_t(i)]);
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    slot = std::uint8_t(best);
    return slot;
}

} // namespace art
