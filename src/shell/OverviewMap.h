// The overview map's picture: every cell of the city as a small diamond, coloured by
// one overlay, with the main view's outline; and the way between its pixels and cells.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class CityState;

namespace overview {

// What the map colours the cells by.
enum class Overlay { LandUse, Power, Water, Sewage, Traffic, Pollution, Crime };
constexpr int kOverlayCount = 7;

// One cell is a diamond four pixels wide and two high, as the main view's tiles are
// twice as wide as high; the whole map is 320 x 160 pixels.
constexpr int kMapWidth = 320;
constexpr int kMapHeight = 160;
// Pixels outside the diamond of the map.
constexpr std::uint32_t kBackground = 0x1C2430;
constexpr std::uint32_t kOutline = 0xFFFFFF;

struct LegendEntry {
    std::uint32_t colour; // 0x00RRGGBB
    std::string text;
};

const std::string& OverlayName(Overlay overlay);
const std::vector<LegendEntry>& Legend(Overlay overlay);

// The colour (0x00RRGGBB) of cell (x, y) under the overlay, from the cell's own code,
// flags and figures; the parts of a large building take their anchor's code.
std::uint32_t CellColour(const CityState& city, int x, int y, Overlay overlay);

struct PixelRect {
    int left, top, right, bottom; // right and bottom exclusive
};

// The cell under map pixel (px, py), clamped to the map's edge for pixels beside the
// diamond.
void CellAtPixel(int px, int py, int& x, int& y);
// The part of the map the main view shows when its first view column and row are
// horz and vert.
PixelRect ViewOutline(int horz, int vert);
// The first view column and row that put cell (x, y) in the middle of the main view,
// before the scroll bars clamp them.
void CentreOn(int x, int y, int& horz, int& vert);

class OverviewMap {
public:
    OverviewMap();

    // Draws the whole map (kMapWidth x kMapHeight pixels, 0x00RRGGBB) with the view's
    // outline: a colour per cell, then each pixel looked up in a table of its cell.
    void Draw(const CityState& city, Overlay overlay, int horz, int vert, std::vector<std::uint32_t>& pixels) const;
    // The same picture worked out pixel by pixel from the geometry, for comparison.
    static void DrawReference(const CityState& city, Overlay overlay, int horz, int vert,
                              std::vector<std::uint32_t>& pixels);

private:
    // For each pixel the index of its cell (y * 80 + x), or -1 outside the diamond.
    std::vector<std::int16_t> cellOfPixel_;
};

} // namespace overview
