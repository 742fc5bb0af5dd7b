// Picture sizes, the tool groups, and the assembly of the whole art set.
#include "ArtCatalog.h"

#include "ArtPainters.h"

#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <utility>

namespace art {
namespace {

bool InRanges(int code, std::initializer_list<std::pair<int, int>> ranges) {
    for (auto [lo, hi] : ranges)
        if (code >= lo && code <= hi) return true;
    return false;
}

int FootprintOf(int code) {
    if (InRanges(code, {{1, 1}, {6, 6}, {9, 10}, {12, 12}, {15, 15}, {22, 25}, {27, 27}, {29, 30}, {33, 35}, {41, 41},
                        {45, 45}, {48, 54}, {65, 71}, {82, 88}, {108, 108}, {112, 167}, {177, 182}, {189, 201}}))
        return 1;
    if (InRanges(code, {{2, 2}, {4, 4}, {7, 8}, {14, 14}, {16, 16}, {19, 19}, {21, 21}, {26, 26}, {28, 28}, {31, 32},
                        {43, 43}, {46, 46}, {55, 59}, {72, 76}, {89, 93}, {99, 99}, {106, 106}, {109, 109}, {168, 170},
                        {186, 188}}))
        return 2;
    if (InRanges(code, {{5, 5}, {13, 13}, {42, 42}, {47, 47}, {60, 64}, {77, 81}, {94, 98}, {100, 104}, {107, 107},
                        {110, 110}, {183, 185}}))
        return 3;
    if (InRanges(code, {{37, 40}, {44, 44}, {105, 105}, {111, 111}, {171, 176}})) return 4;
    return 0;
}

// Height above the diamond, in pixels: how far each picture grows upward.
int RiseOf(int code) {
    // Animation runs have exactly the size of the picture they animate.
    if (code >= 171 && code <= 173) return RiseOf(37);
    if (code >= 174 && code <= 176) return RiseOf(38);
    if (code >= 177 && code <= 179) return RiseOf(41);
    if (code >= 183 && code <= 185) return RiseOf(77);
    if (code >= 186 && code <= 188) return RiseOf(89);
    if (code >= 168 && code <= 170) return RiseOf(14);
    if (code >= 180 && code <= 182) return RiseOf(45);
    if (code >= 50 && code <= 54) return 32;   // houses
    if (code >= 55 && code <= 59) return 84;   // flats
    if (code >= 60 && code <= 64) return 170;  // towers
    if (code >= 67 && code <= 71) return 34;   // shops
    if (code >= 72 && code <= 76) return 104;  // offices
    if (code >= 77 && code <= 81) return 200;  // glass towers
    if (code >= 84 && code <= 88) return 34;   // sheds
    if (code >= 89 && code <= 93) return 80;   // factories
    if (code >= 94 && code <= 98) return 130;  // works
    switch (code) {
    case 1: return 24;
    case 2: return 40;
    case 13: return 84;
    case 14: return 30;
    case 15: return 36;
    case 16: return 44;
    case 19: return 30;
    case 21: return 40;
    case 22: return 26;
    case 24: return 22;
    case 25: return 54;
    case 26: return 34;
    case 27: return 34;
    case 28: return 40;
    case 31: return 34;
    case 32: return 70;
    case 33: return 26;
    case 35: return 16;
    case 37: return 120;
    case 38: return 100;
    case 39: return 80;
    case 40: return 100;
    case 41: return 64;
    case 42: return 20;
    case 43: return 70;
    case 44: return 80;
    case 45: return 24;
    case 46: return 26;
    case 47: return 36;
    case 99: return 80;
    case 100: return 120;
    case 101: return 50;
    case 102: return 56;
    case 103: return 74;
    case 104: return 50;
    case 105: return 80;
    case 106: return 42;
    case 107: return 58;
    case 108: return 12;
    case 109: return 18;
    case 110: return 44;
    case 111: return 70;
    case 112: return 14;
    case 113: return 12;
    default: return 0;
    }
}


// Pictures are first painted with plenty of room above them; the finished picture keeps
// only the rows its content uses (and a small margin), so every picture is as tall as
// what it shows. An animation run and the picture it animates share one height.
constexpr int kHeadroom = 90;
constexpr int kTopMargin = 2;

std::vector<int> RunOf(int code) {
    static const int runs[][4] = {{14, 168, 169, 170}, {37, 171, 172, 173}, {38, 174, 175, 176}, {41, 177, 178, 179},
                                  {45, 180, 181, 182}, {77, 183, 184, 185}, {89, 186, 187, 188}};
    for (const auto& run : runs)
        for (int member : run)
            if (member == code) return std::vector<int>(run, run + 4);
    return {code};
}

bool HasFixedSize(int code) { return code == 3 || code == 11 || code == 17 || code == 18 || code == 20 || code == 36; }

PictureShape RoomyShape(int code) {
    PictureShape shape;
    shape.code = code;
    shape.footprint = FootprintOf(code);
    shape.width = 60 * shape.footprint - 1;
    shape.height = 30 * shape.footprint + 1 + (RiseOf(code) > 0 ? RiseOf(code) + kHeadroom : 0);
    return shape;
}

Canvas PaintShape(const PictureShape& shape);

int UsedRise(int code) {
    static std::vector<int> cache(kPictureCount + 1, -1);
    int& slot = cache[std::size_t(code)];
    if (slot >= 0) return slot;
    const PictureShape shape = RoomyShape(code);
    const Canvas canvas = PaintShape(shape);
    int top = shape.height;
    for (int y = 0; y < shape.height && top == shape.height; ++y)
        for (int x = 0; x < shape.width; ++x)
            if (canvas.Opaque(x, y)) {
                top = y;
                break;
            }
    slot = std::max(0, shape.height - top + kTopMargin - (30 * shape.footprint + 1));
    return slot;
}

} // namespace

PictureShape PictureShapeFor(int code) {
    PictureShape shape;
    shape.code = code;
    switch (code) {
    case 3: return PictureShape{3, 3, 170, 140};
    case 11: return PictureShape{11, 0, 7, 9};
    case 17:
    case 20:
    case 36: return PictureShape{code, 0, 236, 93}; // pieces 1 to 11, four to a row
    case 18: return PictureShape{18, 0, 238, 122};
    default: break;
    }
    shape.footprint = FootprintOf(code);
    shape.width = 60 * shape.footprint - 1;
    int rise = 0;
    if (RiseOf(code) > 0)
        for (int member : RunOf(code)) rise = std::max(rise, UsedRise(member));
    shape.height = 30 * shape.footprint + 1 + rise;
    return shape;
}

Canvas PaintPicture(int code) {
    const PictureShape shape = PictureShapeFor(code);
    if (HasFixedSize(code) || RiseOf(code) == 0) return PaintShape(shape);
    // Paint with room to spare and keep the bottom rows: the frame is anchored at the
    // bottom, so this is the picture painted at its own height, never cut off at the top.
    const PictureShape roomy = RoomyShape(code);
    const Canvas full = PaintShape(roomy);
    Canvas out(shape.width, shape.height);
    const int skip = roomy.height - shape.height;
    for (int y = 0; y < shape.height; ++y)
        for (int x = 0; x < shape.width; ++x)
            if (full.Opaque(x, y + skip)) out.Set(x, y, full.At(x, y + skip));
    return out;
}

namespace {

Canvas PaintShape(const PictureShape& shape) {
    const int code = shape.code;
    if (code == 17 || code == 18 || code == 20 || code == 36 || code == 29 || code == 34 || (code >= 125 && code <= 161 && code != 147 && code != 148) ||
        code == 166 || code == 167)
        return PaintNetwork(shape);
    if (code >= 114 && code <= 120) return PaintMover(shape);
    if (code >= 198) return PaintMover(shape);
    if ((code >= 1 && code <= 3) || (code >= 50 && code <= 64) || (code >= 67 && code <= 81) || (code >= 84 && code <= 98) ||
        (code >= 183 && code <= 188))
        return PaintZoneBuilding(shape);
    if (code == 9 || code == 10 || code == 11 || code == 12 || code == 23 || code == 30 || code == 48 || code == 49 ||
        code == 65 || code == 66 || code == 82 || code == 83 || (code >= 4 && code <= 8) || (code >= 162 && code <= 165) ||
        (code >= 121 && code <= 124) || code == 147 || code == 148 || (code >= 189 && code <= 197))
        return PaintTerrain(shape);
    return PaintCivic(shape);
}

} // namespace

const std::vector<ToolGroup>& ToolGroups() {
    static const std::vector<ToolGroup> groups = {
        {"BULLDOZE", "Bulldoze_SB"},       {"LANDSCAPE", "Landscape_SB"},     {"REWARD", "Gifts_SB"},
        {"ROAD", "Road_SB"},               {"RAIL", "Rail_SB"},               {"PORTS", "Ports_SB"},
        {"POWER", "Power_SB"},             {"PIPES", "Pipes_SB"},             {"SEWAGE", "Sewage_SB"},
        {"RESIDENTIAL", "Residential_SB"}, {"COMMERCIAL", "Commercial_SB"},   {"INDUSTRIAL", "Industrial_SB"},
        {"RELIGION", "Religion_SB"},       {"RECREATION", "Recreation_SB"},   {"SERVICES", "Services_SB"},
        {"EDUCATION", "Education_SB"},     {"QUERY", "Query_SB"},             {"EMERGENCY", "Emergancy_SB"},
        {"CENTRE", "Centre_SB"},
    };
    return groups;
}

IndexedImage ToImage(const Canvas& canvas) {
    IndexedImage image;
    image.width = canvas.Width();
    image.height = canvas.Height();
    image.indices = canvas.ToIndices(Palette::Game());
    return image;
}

ArtSet GenerateArt() {
    ArtSet set;
    for (int code = 1; code <= kPictureCount; ++code) {
        char name[8];
        std::snprintf(name, sizeof name, "P%03d", code);
        set.resources.push_back({name, ToImage(PaintPicture(code))});
    }
    const auto& groups = ToolGroups();
    for (std::size_t i = 0; i < groups.size(); ++i) {
        set.resources.push_back({groups[i].cursorName, ToImage(PaintToolCursor(int(i) + 1))});
        set.resources.push_back({std::string("GLYPH_") + groups[i].buttonName, ToImage(PaintGlyph(int(i) + 1))});
    }
    set.files.push_back({"Blank.bmp", ToImage(PaintBlankTile())});
    for (int n = 1; n <= 4; ++n) set.files.push_back({"Curpos" + std::to_string(n) + ".bmp", ToImage(PaintCursorDiamond(n))});
    set.files.push_back({"Back.bmp", ToImage(PaintBackdrop())});
    set.files.push_back({"title.bmp", ToImage(PaintTitle())});
    return set;
}

} // namespace art
