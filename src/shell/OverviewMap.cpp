// The overview map's colours, geometry and picture.
#include "shell/OverviewMap.h"

#include "city/CityState.h"
#include "view/MapRenderer.h"

#include <algorithm>
#include <cmath>

namespace overview {

namespace {

using namespace city;

// Land use.
constexpr std::uint32_t kGrass = 0x5E7F3A, kCleared = 0x9A8656, kTrees = 0x2C5A22, kWaterBlue = 0x2F63C4;
constexpr std::uint32_t kRoad = 0x8C8C8C, kMotorway = 0x5A5A5A, kRail = 0x8A4E2C;
constexpr std::uint32_t kResZone = 0xA6E3A0, kResBuilt = 0x2FA83A;
constexpr std::uint32_t kComZone = 0xA8C4F2, kComBuilt = 0x2E62D8;
constexpr std::uint32_t kIndZone = 0xEEDC98, kIndBuilt = 0xC8901E;
constexpr std::uint32_t kPowerWorks = 0xF2C81E, kWaterWorks = 0x38D0E0, kCivic = 0xB24FC4, kParks = 0x3C9E82;
constexpr std::uint32_t kPorts = 0xB4A8C8, kBuilding = 0xD69A5A;
// Services: reached, missing, and the ground they are shown over.
constexpr std::uint32_t kReached = 0x34D058, kMissing = 0xE0302C, kCarrier = 0xF2C81E;
constexpr std::uint32_t kDimLand = 0x3A4034, kDimWater = 0x1E3050, kDimRoad = 0x5C5C5C, kDimOther = 0x6A6458;
// Levels, from none to very high.
constexpr std::uint32_t kLevels[5] = {0x4A5A44, 0xF2E05A, 0xF2A02C, 0xE0502C, 0xA0102C};

// The code a cell stands for: the parts of a building take their anchor's code.
int CodeOf(const CityState& city, int x, int y) {
    const TMapCell& c = city.Cell(x, y);
    if (c.code == kCodeCovered && CityState::OnMap(c.anchorX, c.anchorY))
        return city.Cell(c.anchorX, c.anchorY).code;
    return c.code;
}

bool IsZone(int code) { return code == 48 || code == 49 || code == 65 || code == 66 || code == 82 || code == 83; }
bool IsRoad(int code) { return code == kCodeRoad || code == kCodeMotorway || code == 19; }

std::uint32_t LandUse(int code) {
    switch (code) {
    case kCodeEmpty: return kGrass;
    case kCodeCleared: return kCleared;
    case kCodeTrees: return kTrees;
    case kCodeWater: return kWaterBlue;
    case kCodeRoad: case 19: return kRoad;
    case kCodeMotorway: return kMotorway;
    case kCodeRailway: case kCodeStation: return kRail;
    case 48: case 49: return kResZone;
    case 65: case 66: return kComZone;
    case 82: case 83: return kIndZone;
    case kCodeSubStation: case kCodePowerLine: return kPowerWorks;
    case 45: case 46: case 47: return kWaterWorks;
    case 108: case 109: case 110: case 111: return kParks;
    default: break;
    }
    if (code >= 50 && code <= 64) return kResBuilt;
    if (code >= 67 && code <= 81) return kComBuilt;
    if (code >= 84 && code <= 98) return kIndBuilt;
    if (code >= 37 && code <= 44) return kPowerWorks;
    if (code >= 23 && code <= 35) return kPorts;
    if ((code >= 99 && code <= 107) || code == 112 || code == 113 || (code >= 13 && code <= 16)) return kCivic;
    return kBuilding; // construction and anything else built
}

// The ground under a service overlay: enough to find one's way, dim so that the
// service's own colours stand out.
std::uint32_t Dim(int code) {
    if (code == kCodeWater) return kDimWater;
    if (code == kCodeEmpty || code == kCodeCleared || code == kCodeTrees) return kDimLand;
    if (IsRoad(code) || code == kCodeRailway) return kDimRoad;
    return kDimOther;
}

int LevelOf(int value) {
    // The query report's words: none, low up to 10, medium up to 20, high up to 30.
    if (value <= 0) return 0;
    if (value <= 10) return 1;
    if (value <= 20) return 2;
    if (value <= 30) return 3;
    return 4;
}

int TrafficLevel(int cars) {
    if (cars <= 0) return 0;
    if (cars <= 50) return 1;
    if (cars <= 150) return 2;
    if (cars <= 300) return 3;
    return 4;
}

std::uint32_t Service(const CityState& city, int x, int y, Overlay overlay) {
    const TMapCell& c = city.Cell(x, y);
    const int code = CodeOf(city, x, y);
    const TObjectType* type = city.TypeOf(code);
    std::uint8_t flag = 0, wants = 0;
    switch (overlay) {
    case Overlay::Power:
        flag = c.powered;
        wants = type ? type->needsPower : 0;
        // Power lines and plants carry the power the rest of the city wants.
        if ((code >= 37 && code <= 44) || code == kCodeSubStation || code == kCodePowerLine ||
            c.pendingCode == kCodePowerLine)
            return kCarrier;
        break;
    case Overlay::Water:
        flag = c.watered;
        wants = type ? type->needsWater : 0;
        if (code == 45)
            return kWaterWorks;
        break;
    default:
        flag = c.sewered;
        wants = type ? type->needsSewage : 0;
        if (code == 46 || code == 47)
            return kWaterWorks;
        break;
    }
    if (flag == 1)
        return kReached;
    if (wants == 1 || IsZone(code))
        return kMissing;
    return Dim(code);
}

const std::vector<LegendEntry> kLegends[kOverlayCount] = {
    {{kResBuilt, "Homes"}, {kComBuilt, "Shops, offices"}, {kIndBuilt, "Industry"},
     {kResZone, "Homes zoned"}, {kComZone, "Shops zoned"}, {kIndZone, "Industry zoned"},
     {kRoad, "Roads"}, {kRail, "Railway"}, {kPowerWorks, "Power"},
     {kCivic, "Civic"}, {kParks, "Parks"}, {kPorts, "Ports"},
     {kTrees, "Trees"}, {kWaterBlue, "Water"}, {kGrass, "Open land"}},
    {{kReached, "Powered"}, {kMissing, "No power"}, {kCarrier, "Plants, lines"}},
    {{kReached, "Water"}, {kMissing, "No water"}, {kWaterWorks, "Pumps"}},
    {{kReached, "Sewers"}, {kMissing, "No sewers"}, {kWaterWorks, "Treatment"}},
    {{kLevels[0], "No cars"}, {kLevels[1], "Up to 50 /min"}, {kLevels[2], "Up to 150"},
     {kLevels[3], "Up to 300"}, {kLevels[4], "Over 300"}},
    {{kLevels[0], "None"}, {kLevels[1], "Low"}, {kLevels[2], "Medium"}, {kLevels[3], "High"},
     {kLevels[4], "Very High"}},
    {{kLevels[0], "None"}, {kLevels[1], "Low"}, {kLevels[2], "Medium"}, {kLevels[3], "High"},
     {kLevels[4], "Very High"}},
};

const std::string kNames[kOverlayCount] = {"Land use", "Power", "Water", "Sewage", "Traffic", "Pollution", "Crime"};

// Where a cell's tile stands in the whole view, in the renderer's pixels: the tile of
// cell (x, y) has its top-left corner at (30 (x - y) + 2400, 15 (x + y) + 30), and the
// map draws the same at a fifteenth of the size.
constexpr double kViewScale = 15.0;
constexpr int kTileLeft = 156, kTileTop = 45 + 192;

double MapXOfView(double viewX) { return (viewX - 2400) / kViewScale + kMapWidth / 2 - 2; }
double MapYOfView(double viewY) { return (viewY - 30) / kViewScale; }

void DrawOutline(int horz, int vert, std::vector<std::uint32_t>& pixels) {
    const PixelRect r = ViewOutline(horz, vert);
    auto put = [&pixels](int px, int py) {
        if (px >= 0 && px < kMapWidth && py >= 0 && py < kMapHeight)
            pixels[static_cast<std::size_t>(py * kMapWidth + px)] = kOutline;
    };
    for (int px = r.left; px < r.right; ++px)
        put(px, r.top), put(px, r.bottom - 1);
    for (int py = r.top; py < r.bottom; ++py)
        put(r.left, py), put(r.right - 1, py);
}

// The cell under a pixel's centre, unclamped.
void RawCellAt(int px, int py, int& x, int& y) {
    const double s = py + 0.5;                             // x + y
    const double d = (px + 0.5 - kMapWidth / 2) / 2.0;    // x - y
    x = static_cast<int>(std::floor((s + d) / 2));
    y = static_cast<int>(std::floor((s - d) / 2));
}

} // namespace

const std::string& OverlayName(Overlay overlay) { return kNames[static_cast<int>(overlay)]; }
const std::vector<LegendEntry>& Legend(Overlay overlay) { return kLegends[static_cast<int>(overlay)]; }

std::uint32_t CellColour(const CityState& city, int x, int y, Overlay overlay) {
    const TMapCell& c = city.Cell(x, y);
    switch (overlay) {
    case Overlay::LandUse: return LandUse(CodeOf(city, x, y));
    case Overlay::Power:
    case Overlay::Water:
    case Overlay::Sewage: return Service(city, x, y, overlay);
    case Overlay::Traffic: {
        const int code = CodeOf(city, x, y);
        return IsRoad(code) ? kLevels[TrafficLevel(c.traffic)] : Dim(code);
    }
    case Overlay::Pollution:
        return c.pollution > 0 ? kLevels[LevelOf(c.pollution)] : Dim(CodeOf(city, x, y));
    case Overlay::Crime:
        return c.crime > 0 ? kLevels[LevelOf(c.crime)] : Dim(CodeOf(city, x, y));
    }
    return kBackground;
}

void CellAtPixel(int px, int py, int& x, int& y) {
    RawCellAt(px, py, x, y);
    x = std::clamp(x, 0, kMapSize - 1);
    y = std::clamp(y, 0, kMapSize - 1);
}

PixelRect ViewOutline(int horz, int vert) {
    // The shown part of the back buffer, as whole-view pixels for this scroll position.
    const double left = view::kShownLeft - kTileLeft + 60.0 * horz;
    const double right = view::kShownRight - kTileLeft + 60.0 * horz;
    const double top = view::kShownTop - kTileTop + 15.0 * vert;
    const double bottom = view::kShownBottom - kTileTop + 15.0 * vert;
    return PixelRect{static_cast<int>(std::lround(MapXOfView(left))), static_cast<int>(std::lround(MapYOfView(top))),
                     static_cast<int>(std::lround(MapXOfView(right))),
                     static_cast<int>(std::lround(MapYOfView(bottom)))};
}

void CentreOn(int x, int y, int& horz, int& vert) {
    // The tile's centre goes to the centre of the shown part of the back buffer.
    const double tileX = 30.0 * (x - y) + 2400 + 30;
    const double tileY = 15.0 * (x + y) + 30 + 15;
    const double midX = (view::kShownLeft + view::kShownRight) / 2.0 - kTileLeft;
    const double midY = (view::kShownTop + view::kShownBottom) / 2.0 - kTileTop;
    horz = static_cast<int>(std::lround((tileX - midX) / 60.0));
    vert = static_cast<int>(std::lround((tileY - midY) / 15.0));
}

OverviewMap::OverviewMap() : cellOfPixel_(static_cast<std::size_t>(kMapWidth * kMapHeight), -1) {
    for (int py = 0; py < kMapHeight; ++py)
        for (int px = 0; px < kMapWidth; ++px) {
            int x, y;
            RawCellAt(px, py, x, y);
            if (CityState::OnMap(x, y))
                cellOfPixel_[static_cast<std::size_t>(py * kMapWidth + px)] =
                    static_cast<std::int16_t>(y * kMapSize + x);
        }
}

void OverviewMap::Draw(const CityState& city, Overlay overlay, int horz, int vert,
                       std::vector<std::uint32_t>& pixels) const {
    // Colours once per cell; each cell covers about four pixels.
    std::array<std::uint32_t, kMapSize * kMapSize + 1> colours;
    colours[0] = kBackground;
    for (int y = 0; y < kMapSize; ++y)
        for (int x = 0; x < kMapSize; ++x)
            colours[static_cast<std::size_t>(y * kMapSize + x + 1)] = CellColour(city, x, y, overlay);
    pixels.resize(cellOfPixel_.size());
    for (std::size_t i = 0; i < cellOfPixel_.size(); ++i)
        pixels[i] = colours[static_cast<std::size_t>(cellOfPixel_[i] + 1)];
    DrawOutline(horz, vert, pixels);
}

void OverviewMap::DrawReference(const CityState& city, Overlay overlay, int horz, int vert,
                                std::vector<std::uint32_t>& pixels) {
    pixels.assign(static_cast<std::size_t>(kMapWidth * kMapHeight), kBackground);
    for (int py = 0; py < kMapHeight; ++py)
        for (int px = 0; px < kMapWidth; ++px) {
            int x, y;
            RawCellAt(px, py, x, y);
            if (CityState::OnMap(x, y))
                pixels[static_cast<std::size_t>(py * kMapWidth + px)] = CellColour(city, x, y, overlay);
        }
    DrawOutline(horz, vert, pixels);
}

} // namespace overview
