// The pictures around the map: the blank tile, the cursor diamonds, the screen frame,
// the title picture, and the tool cursors and button glyphs.
#include "ArtPainters.h"
#include "IsoPainter.h"
#include "PixelFont.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>
#include <vector>

namespace art {
namespace {

constexpr double kPi = 3.14159265358979323846;

const Rgb kVoid{26, 32, 46};
const Rgb kVoidLine{36, 44, 62};

struct Point {
    double x, y;
};

void FillPoly(Canvas& canvas, const std::vector<Point>& pts, Rgb colour) {
    double minY = 1e9, maxY = -1e9;
    for (const auto& p : pts) {
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    for (int y = int(std::floor(minY)); y <= int(std::ceil(maxY)); ++y) {
        const double sy = y + 0.5;
        std::vector<double> xs;
        for (std::size_t i = 0; i < pts.size(); ++i) {
            const Point a = pts[i];
            const Point b = pts[(i + 1) % pts.size()];
            if ((a.y <= sy && b.y > sy) || (b.y <= sy && a.y > sy)) xs.push_back(a.x + (sy - a.y) * (b.x - a.x) / (b.y - a.y));
        }
        std::sort(xs.begin(), xs.end());
        for (std::size_t i = 0; i + 1 < xs.size(); i += 2)
            for (int x = int(std::ceil(xs[i] - 0.5)); x <= int(std::floor(xs[i + 1] - 0.5)); ++x) canvas.Set(x, y, colour);
    }
}

// Adds a one-pixel dark outline round everything drawn, the way small icons stay legible
// on any background.
void Outline(Canvas& canvas, Rgb colour) {
    std::vector<std::pair<int, int>> edge;
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x) {
            if (canvas.Opaque(x, y)) continue;
            if (canvas.Opaque(x - 1, y) || canvas.Opaque(x + 1, y) || canvas.Opaque(x, y - 1) || canvas.Opaque(x, y + 1))
                edge.push_back({x, y});
        }
    for (auto [x, y] : edge) canvas.Set(x, y, colour);
}

// ---- tiles and cursor diamonds ----------------------------------------------------------

Rgb VoidAt(int x, int y) {
    // A faint lattice of diamonds, matching the tile grid, on a dark slate.
    const int a = ((x * 1 + y * 2) % 60 + 60) % 60;
    const int b = ((x * 1 - y * 2) % 60 + 60) % 60;
    if (a == 0 || b == 0) return kVoidLine;
    return ((x * 7 + y * 13) % 17 == 0) ? Rgb{30, 37, 52} : kVoid;
}

// ---- glyphs ---------------------------------------------------------------------------------

Canvas GlyphCanvas(int group) {
    Canvas c(kGlyphSize, kGlyphSize);
    switch (group) {
    case 1: // bulldozer
        c.FillRect(3, 15, 15, 5, Rgb{60, 60, 64});
        for (int x = 4; x < 18; x += 3) c.Set(x, 17, Rgb{140, 140, 140});
        c.FillRect(5, 9, 11, 6, Rgb{240, 190, 30});
        c.FillRect(9, 5, 6, 5, Rgb{240, 190, 30});
        c.FillRect(10, 6, 4, 3, Rgb{120, 180, 220});
        FillPoly(c, {{17, 10}, {21, 9}, {22, 20}, {18, 20}}, Rgb{200, 200, 206});
        c.FillRect(6, 10, 8, 1, Rgb{255, 230, 110});
        break;
    case 2: // tree by a lake
        c.FillEllipse(14, 18, 9, 3.5, Rgb{60, 140, 200});
        c.FillRect(7, 13, 2, 7, Rgb{110, 70, 40});
        c.FillEllipse(8, 9, 6, 6, Rgb{60, 140, 60});
        c.FillEllipse(6.5, 7.5, 3, 3, Rgb{110, 180, 80});
        break;
    case 3: // gift box
        c.FillRect(4, 10, 16, 11, Rgb{200, 50, 60});
        c.FillRect(3, 7, 18, 4, Rgb{230, 70, 80});
        c.FillRect(11, 7, 3, 14, Rgb{250, 220, 80});
        FillPoly(c, {{12, 7}, {6, 2}, {6, 6}}, Rgb{250, 220, 80});
        FillPoly(c, {{12, 7}, {18, 2}, {18, 6}}, Rgb{250, 220, 80});
        break;
    case 4: // road
        FillPoly(c, {{9, 2}, {15, 2}, {22, 22}, {2, 22}}, Rgb{80, 84, 92});
        for (int y = 3; y < 22; y += 5) c.FillRect(11, y, 2, 3, Rgb{250, 230, 120});
        break;
    case 5: // railway
        for (int y = 3; y < 22; y += 4) c.FillRect(4, y, 16, 2, Rgb{140, 96, 60});
        c.FillRect(7, 1, 2, 22, Rgb{200, 204, 210});
        c.FillRect(15, 1, 2, 22, Rgb{200, 204, 210});
        break;
    case 6: // aeroplane over a boat
        FillPoly(c, {{2, 18}, {22, 18}, {19, 22}, {5, 22}}, Rgb{40, 90, 160});
        c.FillRect(10, 14, 5, 4, Rgb{240, 240, 240});
        FillPoly(c, {{3, 8}, {21, 6}, {21, 8}, {3, 10}}, Rgb{236, 236, 240});
        FillPoly(c, {{10, 7}, {15, 2}, {16, 2}, {14, 8}}, Rgb{210, 210, 216});
        FillPoly(c, {{10, 8}, {14, 13}, {15, 13}, {14, 8}}, Rgb{210, 210, 216});
        break;
    case 7: // lightning bolt
        FillPoly(c, {{14, 1}, {5, 13}, {11, 13}, {8, 23}, {19, 9}, {13, 9}, {17, 1}}, Rgb{250, 210, 40});
        break;
    case 8: // water drop
        FillPoly(c, {{12, 2}, {5, 13}, {19, 13}}, Rgb{60, 150, 230});
        c.FillEllipse(12, 15, 7, 7, Rgb{60, 150, 230});
        c.FillEllipse(9.5, 14, 2, 3, Rgb{200, 236, 255});
        break;
    case 9: // pipe and outflow
        c.FillRect(2, 5, 13, 6, Rgb{120, 130, 140});
        c.FillRect(12, 5, 6, 12, Rgb{120, 130, 140});
        c.FillRect(3, 6, 12, 2, Rgb{170, 180, 190});
        c.FillEllipse(15, 20, 5, 2.5, Rgb{130, 100, 60});
        c.FillRect(14, 17, 2, 3, Rgb{130, 100, 60});
        break;
    case 10: // house
        FillPoly(c, {{12, 2}, {1, 12}, {23, 12}}, Rgb{60, 170, 70});
        c.FillRect(4, 12, 16, 10, Rgb{240, 232, 210});
        c.FillRect(10, 15, 4, 7, Rgb{140, 80, 50});
        c.FillRect(5, 14, 3, 3, Rgb{90, 150, 200});
        c.FillRect(16, 14, 3, 3, Rgb{90, 150, 200});
        break;
    case 11: // shop with an awning
        c.FillRect(3, 5, 18, 17, Rgb{220, 226, 236});
        for (int x = 2; x < 22; ++x) c.FillRect(x, 9, 1, 4, (x / 3) % 2 ? Rgb{60, 120, 220} : Rgb{250, 250, 250});
        c.FillRect(5, 14, 6, 8, Rgb{90, 160, 210});
        c.FillRect(13, 14, 6, 5, Rgb{90, 160, 210});
        c.FillRect(3, 5, 18, 3, Rgb{60, 120, 220});
        break;
    case 12: // factory
        c.FillRect(2, 12, 20, 10, Rgb{200, 160, 60});
        FillPoly(c, {{2, 12}, {8, 7}, {8, 12}}, Rgb{230, 190, 80});
        FillPoly(c, {{8, 12}, {14, 7}, {14, 12}}, Rgb{230, 190, 80});
        c.FillRect(16, 2, 4, 10, Rgb{160, 80, 60});
        c.FillRect(5, 16, 3, 3, Rgb{90, 100, 110});
        c.FillRect(11, 16, 3, 3, Rgb{90, 100, 110});
        break;
    case 13: // church
        c.FillRect(4, 13, 16, 9, Rgb{230, 222, 200});
        c.FillRect(9, 7, 6, 15, Rgb{230, 222, 200});
        FillPoly(c, {{12, 1}, {8, 8}, {16, 8}}, Rgb{90, 100, 130});
        c.FillRect(11, 15, 2, 7, Rgb{120, 80, 50});
        c.FillRect(6, 15, 2, 3, Rgb{100, 80, 150});
        c.FillRect(16, 15, 2, 3, Rgb{100, 80, 150});
        break;
    case 14: // park: tree and bench
        c.FillRect(10, 12, 3, 9, Rgb{110, 70, 40});
        c.FillEllipse(11.5, 8, 8, 6.5, Rgb{70, 160, 70});
        c.FillEllipse(9, 6, 3, 2.5, Rgb{130, 200, 100});
        c.FillRect(1, 18, 8, 2, Rgb{150, 100, 60});
        c.FillRect(2, 20, 1, 3, Rgb{90, 60, 40});
        c.FillRect(7, 20, 1, 3, Rgb{90, 60, 40});
        break;
    case 15: // shield with a star
        FillPoly(c, {{3, 3}, {21, 3}, {21, 12}, {12, 22}, {3, 12}}, Rgb{40, 80, 170});
        FillPoly(c, {{12, 6}, {14, 11}, {19, 11}, {15, 14}, {17, 19}, {12, 16}, {7, 19}, {9, 14}, {5, 11}, {10, 11}}, Rgb{250, 210, 60});
        break;
    case 16: // open book
        FillPoly(c, {{2, 6}, {12, 8}, {12, 21}, {2, 19}}, Rgb{240, 240, 236});
        FillPoly(c, {{22, 6}, {12, 8}, {12, 21}, {22, 19}}, Rgb{220, 224, 232});
        for (int y = 10; y < 18; y += 3) {
            c.Line(4, y, 10, y + 1, Rgb{120, 120, 140});
            c.Line(14, y + 1, 20, y, Rgb{120, 120, 140});
        }
        c.FillRect(11, 7, 2, 15, Rgb{160, 60, 50});
        break;
    case 17: // question mark
        c.FillEllipse(12, 11, 10, 9, Rgb{250, 250, 240});
        FillPoly(c, {{7, 17}, {5, 23}, {12, 19}}, Rgb{250, 250, 240});
        PixelFont::Trace("?", 8, 5, 2, [&](int x, int y) { c.Set(x - 1, y - 1, Rgb{40, 80, 170}); });
        break;
    case 18: // siren
        c.FillRect(6, 17, 12, 4, Rgb{120, 120, 130});
        c.FillEllipse(12, 14, 5.5, 6, Rgb{220, 40, 40});
        c.FillRect(6, 14, 12, 4, Rgb{220, 40, 40});
        c.FillEllipse(10.5, 12, 1.8, 2.5, Rgb{255, 170, 160});
        c.Line(2, 6, 5, 9, Rgb{250, 210, 60});
        c.Line(22, 6, 19, 9, Rgb{250, 210, 60});
        c.Line(12, 1, 12, 5, Rgb{250, 210, 60});
        break;
    default: // centre: crosshair
        for (int a = 0; a < 360; a += 2) {
            const double r = a * kPi / 180;
            c.Set(int(std::lround(12 + std::cos(r) * 8)), int(std::lround(12 + std::sin(r) * 8)), Rgb{220, 40, 40});
            c.Set(int(std::lround(12 + std::cos(r) * 7)), int(std::lround(12 + std::sin(r) * 7)), Rgb{220, 40, 40});
        }
        c.FillRect(11, 1, 2, 8, Rgb{240, 240, 240});
        c.FillRect(11, 15, 2, 8, Rgb{240, 240, 240});
        c.FillRect(1, 11, 8, 2, Rgb{240, 240, 240});
        c.FillRect(15, 11, 8, 2, Rgb{240, 240, 240});
        c.FillRect(11, 11, 2, 2, Rgb{220, 40, 40});
        break;
    }
    Outline(c, Rgb{30, 30, 40});
    return c;
}

// ---- the title scene ------------------------------------------------------------------------

// One picture of the title's town at its place; the town is drawn piece by piece in
// this order (ground first, then back to front), which is also the order in which the
// intro video builds it.
struct TownPiece {
    const Canvas* picture;
    int x, y;
    bool ground;
};

const Canvas& CachedPicture(int code) {
    static std::map<int, Canvas> cache;
    auto it = cache.find(code);
    if (it == cache.end())
        it = cache.emplace(code, PaintPicture(code)).first;
    return it->second;
}

// A little island town built from the game's own pictures.
std::vector<TownPiece> TownPieces(int originX, int originY) {
    std::vector<TownPiece> pieces;
    constexpr int kSize = 9;
    int grid[kSize][kSize];
    int treeDensity = 6;
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) grid[y][x] = (x == 0 || y == 0 || x == kSize - 1 || y == kSize - 1) ? 12 : 9;
    for (int i = 1; i < kSize - 1; ++i) {
        grid[4][i] = 17;
        grid[i][4] = 17;
    }
    struct Place {
        int x, y, code;
    };
    const std::vector<Place> places = {
        {1, 1, 77}, {5, 1, 74}, {7, 1, 54}, {7, 2, 50}, {1, 5, 89}, {3, 5, 86}, {3, 6, 85}, {5, 5, 60},
        {1, 7, 108}, {2, 7, 52}, {3, 7, 53}, {7, 5, 41}, {7, 6, 11}, {7, 7, 11}, {5, 3, 70}, {6, 3, 68}, {7, 3, 69},
        {1, 3, 11}, {2, 3, 67}, {3, 3, 11}, {3, 1, 11}, {3, 2, 11}, {4, 4, 17},
    };
    std::vector<std::pair<int, Place>> draws;
    for (const auto& pl : places) {
        const int s = PictureShapeFor(pl.code).footprint;
        for (int j = 0; j < s; ++j)
            for (int i = 0; i < s; ++i) grid[pl.y + j][pl.x + i] = -1;
        grid[pl.y][pl.x] = pl.code;
    }
    auto tileX = [&](int x, int y) { return originX + 30 * (x - y); };
    auto tileY = [&](int x, int y) { return originY + 15 * (x + y); };
    auto isWater = [&](int x, int y) { return x < 0 || y < 0 || x >= kSize || y >= kSize || grid[y][x] == 12; };
    auto isRoad = [&](int x, int y) { return x >= 0 && y >= 0 && x < kSize && y < kSize && grid[y][x] == 17; };
    const Canvas& grass = CachedPicture(9);
    // Ground first, everywhere.
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            if (grid[y][x] == 12) {
                pieces.push_back({&CachedPicture(12), tileX(x, y), tileY(x, y), true});
                const int dx[4] = {0, 1, 0, -1};
                const int dy[4] = {-1, 0, 1, 0};
                for (int d = 0; d < 4; ++d)
                    if (isWater(x + dx[d], y + dy[d])) pieces.push_back({&CachedPicture(162 + d), tileX(x, y), tileY(x, y), true});
            } else {
                pieces.push_back({&grass, tileX(x, y), tileY(x, y), true});
            }
        }
    // Then roads, trees and buildings, back to front by the front corner of each footprint.
    std::vector<std::pair<int, Place>> order;
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const int code = grid[y][x];
            if (code <= 0 || code == 9 || code == 12) continue;
            const int s = std::max(1, PictureShapeFor(code).footprint);
            order.push_back({(x + y + 2 * (s - 1)) * 10 + s, Place{x, y, code}});
        }
    std::stable_sort(order.begin(), order.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& entry : order) {
        const Place& pl = entry.second;
        const int x = pl.x, y = pl.y;
        if (pl.code == 17) {
            const bool n = isRoad(x, y - 1), e = isRoad(x + 1, y), s = isRoad(x, y + 1), w = isRoad(x - 1, y);
            int piece = 11;
            if (n && e && !s && !w) piece = 3;
            else if (!n && e && s && !w) piece = 4;
            else if (!n && !e && s && w) piece = 5;
            else if (n && !e && !s && w) piece = 6;
            else if (n && e && s && !w) piece = 7;
            else if (!n && e && s && w) piece = 8;
            else if (n && !e && s && w) piece = 9;
            else if (n && e && !s && w) piece = 10;
            else if (!e && !w && (n || s)) piece = 1;
            else if (!n && !s && (e || w)) piece = 2;
            pieces.push_back({&CachedPicture(124 + piece), tileX(x, y), tileY(x, y), false});
            continue;
        }
        if (pl.code == 11) {
            const Canvas& tree = CachedPicture(11);
            const int offsets[10][2] = {{27, 3}, {37, 5}, {20, 7}, {30, 7}, {40, 10}, {10, 10}, {28, 11}, {10, 12}, {16, 15}, {28, 17}};
            for (int i = 0; i < treeDensity + 2; ++i) pieces.push_back({&tree, tileX(x, y) + offsets[i][0], tileY(x, y) + offsets[i][1], false});
            continue;
        }
        const PictureShape shape = PictureShapeFor(pl.code);
        const int s = shape.footprint;
        pieces.push_back({&CachedPicture(pl.code), tileX(x, y) - 30 * (s - 1), tileY(x, y) - (shape.height - (30 * s + 1)), false});
    }
    return pieces;
}

void Logo(Canvas& canvas, const std::string& text, int y, int scale) {
    const int w = PixelFont::Width(text, scale);
    const int x = (canvas.Width() - w) / 2;
    // Shadow, then a thick dark rim, then the letters in a gold gradient.
    PixelFont::Trace(text, x + scale / 2 + 2, y + scale / 2 + 2, scale, [&](int px, int py) { canvas.Set(px, py, Rgb{20, 16, 30}); });
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx)
            if (std::abs(dx) + std::abs(dy) <= 3)
                PixelFont::Trace(text, x + dx, y + dy, scale, [&](int px, int py) { canvas.Set(px, py, Rgb{60, 30, 16}); });
    const int h = 7 * scale;
    PixelFont::Trace(text, x, y, scale, [&](int px, int py) {
        const double t = double(py - y) / h;
        Rgb c = Mix(Rgb{255, 244, 170}, Rgb{236, 150, 30}, t);
        if ((py - y) % scale == 0 && t < 0.5) c = Shade(c, 1.08);
        if (t > 0.45 && t < 0.52) c = Rgb{255, 250, 220};
        canvas.Set(px, py, c);
    });
}

} // namespace

// Ordered dithering, so smooth gradients survive the trip into 256 colours.
Rgb Dither(Rgb c, int x, int y, double amount) {
    static const int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    const double offset = (kBayer[y & 3][x & 3] / 16.0 - 0.47) * amount;
    auto ch = [offset](int v) { return std::uint8_t(std::clamp(int(std::lround(v + offset)), 0, 255)); };
    return Rgb{ch(c.r), ch(c.g), ch(c.b)};
}

Canvas PaintBlankTile() {
    Canvas canvas(59, 31);
    const IsoFrame frame = IsoFrame::For(1, 31);
    for (int y = 0; y < 31; ++y)
        for (int x = 0; x < 59; ++x) {
            if (!InCellDiamond(frame, 0, 0, x, y)) continue;
            // Edge pixels of the diamond trace the grid faintly.
            const bool edge = !InCellDiamond(frame, 0, 0, x - 1, y) || !InCellDiamond(frame, 0, 0, x, y - 1);
            canvas.Set(x, y, edge ? kVoidLine : ((x * 7 + y * 13) % 17 == 0 ? Rgb{30, 37, 52} : kVoid));
        }
    return canvas;
}

Canvas PaintCursorDiamond(int footprint) {
    const int w = 60 * footprint - 1;
    const int h = 30 * footprint + 1;
    Canvas canvas(w, h);
    const IsoFrame frame = IsoFrame::For(footprint, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (!InFootprint(frame, x, y)) continue;
            auto in = [&](int a, int b) { return InFootprint(frame, a, b); };
            const bool outer = !in(x - 1, y) || !in(x + 1, y) || !in(x, y - 1) || !in(x, y + 1);
            const bool inner = !outer && (!in(x - 2, y) || !in(x + 2, y) || !in(x, y - 2) || !in(x, y + 2));
            if (outer) canvas.Set(x, y, Rgb{255, 244, 150});
            else if (inner) canvas.Set(x, y, Rgb{150, 110, 20});
        }
    return canvas;
}

Canvas PaintBackdrop() {
    Canvas c(640, 480);
    // The whole screen starts as the dark board the map lies on.
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) c.Set(x, y, VoidAt(x, y));
    auto bevel = [&](int x, int y, int w, int h, Rgb face, Rgb light, Rgb shadow, int depth) {
        c.FillRect(x, y, w, h, face);
        for (int i = 0; i < depth; ++i) {
            c.FillRect(x + i, y + i, w - 2 * i, 1, light);
            c.FillRect(x + i, y + i, 1, h - 2 * i, light);
            c.FillRect(x + i, y + h - 1 - i, w - 2 * i, 1, shadow);
            c.FillRect(x + w - 1 - i, y + i, 1, h - 2 * i, shadow);
        }
    };
    const Rgb metal{70, 82, 104};
    const Rgb metalLight{120, 136, 160};
    const Rgb metalDark{36, 42, 56};
    // Title bar along the top (the city name bar covers it during play).
    for (int y = 0; y < 20; ++y) c.FillRect(0, y, 640, 1, Mix(Rgb{60, 72, 96}, Rgb{34, 40, 54}, y / 19.0));
    c.FillRect(0, 19, 640, 1, Rgb{20, 24, 32});
    PixelFont::Draw(c, "PLAZARO", 9, 4, 2, Rgb{20, 24, 32});
    PixelFont::Draw(c, "PLAZARO", 8, 3, 2, Rgb{240, 200, 90});
    // Right edge beside the map, behind the vertical scroll bar.
    bevel(621, 20, 19, 331, metal, metalLight, metalDark, 2);
    // The panel under the map: brushed metal, lighter at the top, with a groove.
    bevel(0, 349, 640, 131, metal, metalLight, metalDark, 2);
    for (int y = 351; y < 478; ++y)
        for (int x = 2; x < 638; ++x) {
            Rgb m = Mix(Rgb{86, 100, 126}, Rgb{54, 64, 84}, (y - 351) / 127.0);
            const double streak = Hash01(std::uint32_t(y), std::uint32_t(x / 23), 3);
            m = Shade(m, 0.96 + 0.08 * streak);
            c.Set(x, y, Dither(m, x, y, 6));
        }
    c.FillRect(2, 351, 636, 1, metalLight);
    // Skyline silhouette along the top bar, shown until a city's name bar covers it.
    for (int x = 330, i = 0; x < 636; ++i) {
        const int w = 6 + int(Hash(std::uint32_t(i), 1) % 9);
        const int h = 5 + int(Hash(std::uint32_t(i), 2) % 12);
        for (int y = 19 - h; y < 19; ++y)
            for (int dx = 0; dx < w && x + dx < 636; ++dx) {
                Rgb sil = Rgb{24, 29, 40};
                if (dx % 2 == 1 && (y - (19 - h)) % 3 == 1 && dx < w - 1 && Hash01(std::uint32_t(x + dx), std::uint32_t(y), 11) > 0.55)
                    sil = Rgb{220, 190, 110};
                c.Set(x + dx, y, sil);
            }
        x += w + int(Hash(std::uint32_t(i), 3) % 3);
    }
    // A frame line under the map window.
    c.FillRect(0, 349, 621, 1, metalDark);
    // A seat for the tool palette (the palette itself is drawn over it).
    bevel(0, 326, 270, 117, Rgb{192, 192, 192}, metalDark, metalLight, 2);
    // The status well: exactly the grey the status text is written on.
    bevel(268, 356, 372, 124, Rgb{128, 128, 128}, metalDark, metalLight, 3);
    c.FillRect(271, 359, 366, 121, Rgb{128, 128, 128});
    // Screws in the corners of the panel.
    for (int x : {633})
        for (int y : {354, 472}) {
            c.FillEllipse(x, y, 2.2, 2.2, metalDark);
            c.Set(x - 1, y - 1, metalLight);
        }
    // The name plate under the palette.
    bevel(6, 446, 256, 30, Rgb{50, 58, 76}, metalDark, metalLight, 2);
    Canvas plate(256, 30);
    PixelFont::Draw(plate, "PLAZARO", (256 - PixelFont::Width("PLAZARO", 3)) / 2 + 1, 6, 3, Rgb{20, 24, 32});
    PixelFont::Trace("PLAZARO", (256 - PixelFont::Width("PLAZARO", 3)) / 2, 5, 3,
                     [&](int x, int y) { plate.Set(x, y, Mix(Rgb{255, 236, 150}, Rgb{230, 150, 40}, (y - 5) / 21.0)); });
    c.Blit(plate, 6, 446);
    return c;
}

Canvas PaintTitle() { return PaintTitleBuilding(1.0); }

Canvas PaintTitleBuilding(double build) {
    auto clamp01 = [](double v) { return std::clamp(v, 0.0, 1.0); };
    Canvas c(400, 400);
    // Evening sky: deep blue above, warm at the horizon, with a few stars.
    for (int y = 0; y < 400; ++y) {
        const double t = y / 399.0;
        Rgb sky = t < 0.55 ? Mix(Rgb{16, 24, 60}, Rgb{70, 80, 150}, t / 0.55) : Mix(Rgb{70, 80, 150}, Rgb{250, 170, 110}, (t - 0.55) / 0.45);
        for (int x = 0; x < 400; ++x) {
            Rgb px = Dither(sky, x, y, 22);
            if (y < 150 && Hash01(std::uint32_t(x), std::uint32_t(y), 5) > 0.996) px = Rgb{250, 250, 230};
            c.Set(x, y, px);
        }
    }
    // A crescent moon over the harbour.
    if (build >= 0.1) {
        c.FillEllipse(356, 118, 12, 12, Rgb{250, 244, 210});
        for (int y = 100; y < 136; ++y)
            for (int x = 340; x < 372; ++x)
                if ((x - 362) * (x - 362) + (y - 113) * (y - 113) < 110) c.Set(x, y, Dither(Mix(Rgb{16, 24, 60}, Rgb{70, 80, 150}, y / 219.0), x, y, 22));
    }
    // Sea all round the island.
    for (int y = 262; y < 400; ++y)
        for (int x = 0; x < 400; ++x) {
            Rgb w = Dither(Mix(Rgb{40, 90, 150}, Rgb{20, 50, 100}, (y - 262) / 138.0), x, y, 16);
            if (((x / 6) + y * 3) % 11 == 0) w = Shade(w, 1.3);
            c.Set(x, y, w);
        }
    // The town: the ground spreads out first, then roads, trees and buildings drop
    // into place one after the other.
    const std::vector<TownPiece> pieces = TownPieces(171, 166);
    const int grounds = int(std::count_if(pieces.begin(), pieces.end(), [](const TownPiece& p) { return p.ground; }));
    const int objects = int(pieces.size()) - grounds;
    int groundIndex = 0, objectIndex = 0;
    for (const TownPiece& piece : pieces) {
        if (piece.ground) {
            const double start = 0.08 + 0.22 * groundIndex++ / std::max(1, grounds);
            if (build >= start) c.Blit(*piece.picture, piece.x, piece.y);
            continue;
        }
        const double start = 0.30 + 0.32 * objectIndex++ / std::max(1, objects);
        if (build < start) continue;
        const double fall = 1.0 - clamp01((build - start) / 0.06);
        c.Blit(*piece.picture, piece.x, piece.y - int(std::lround(36.0 * fall * fall)));
    }
    // The name is wiped in from the left, a bright edge leading the wipe.
    const double reveal = clamp01((build - 0.66) / 0.2);
    if (reveal > 0) {
        Canvas logo(400, 120);
        Logo(logo, "PLAZARO", 24, 7);
        const int w = PixelFont::Width("PLAZARO", 7);
        const int x0 = (400 - w) / 2 - 4;
        const int edge = x0 + int(std::lround((w + 12) * reveal));
        for (int y = 0; y < 120; ++y)
            for (int x = 0; x < std::min(400, edge); ++x) {
                if (!logo.Opaque(x, y)) continue;
                Rgb px = logo.At(x, y);
                if (reveal < 1.0 && x >= edge - 6) px = Mix(px, Rgb{255, 255, 240}, 0.7);
                c.Set(x, y, px);
            }
    }
    if (build >= 0.9) {
        const std::string sub = "BUILD YOUR CITY";
        PixelFont::Draw(c, sub, (400 - PixelFont::Width(sub, 2)) / 2 + 1, 86, 2, Rgb{20, 16, 30});
        PixelFont::Draw(c, sub, (400 - PixelFont::Width(sub, 2)) / 2, 85, 2, Rgb{230, 236, 250});
    }
    return c;
}

Canvas PaintIcon() {
    // The title's island town on its own, trimmed to what was drawn and centred in a
    // transparent square: the program's icon.
    Canvas town(620, 520);
    for (const TownPiece& piece : TownPieces(280, 200))
        town.Blit(*piece.picture, piece.x, piece.y);
    int left = town.Width(), top = town.Height(), right = -1, bottom = -1;
    for (int y = 0; y < town.Height(); ++y)
        for (int x = 0; x < town.Width(); ++x)
            if (town.Opaque(x, y)) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    const int side = std::max(right - left, bottom - top) + 1;
    Canvas icon(side, side);
    icon.Blit(town, (side - (right - left + 1)) / 2 - left, (side - (bottom - top + 1)) / 2 - top);
    return icon;
}

Canvas PaintToolCursor(int group) {
    Canvas c(kCursorSize, kCursorSize);
    // The arrow: its tip at the hotspot, white with a black rim.
    static const char* const kArrow[17] = {
        "#", "##", "#w#", "#ww#", "#www#", "#wwww#", "#wwwww#", "#wwwwww#", "#wwwwwww#", "#wwwwwwww#", "#wwwww#####",
        "#ww#ww#", "#w# #ww#", "##  #ww#", "#    #ww#", "     #ww#", "      ##",
    };
    // The group's symbol, reduced, at the lower right.
    const Canvas glyph = GlyphCanvas(group);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const int sx = x * kGlyphSize / 16;
            const int sy = y * kGlyphSize / 16;
            if (glyph.Opaque(sx, sy)) c.Set(15 + x, 15 + y, glyph.At(sx, sy));
        }
    for (int y = 0; y < 17; ++y)
        for (int x = 0; kArrow[y][x] != 0; ++x) {
            if (kArrow[y][x] == '#') c.Set(kCursorHotspotX + x, kCursorHotspotY + y, Rgb{10, 10, 12});
            else if (kArrow[y][x] == 'w') c.Set(kCursorHotspotX + x, kCursorHotspotY + y, Rgb{250, 250, 250});
        }
    return c;
}

Canvas PaintGlyph(int group) { return GlyphCanvas(group); }

} // namespace art
