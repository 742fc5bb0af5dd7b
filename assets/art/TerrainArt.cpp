// Land, water and its edges, the tree, zoned land and the spare ground pictures.
#include "ArtPainters.h"
#include "IsoPainter.h"
#include "PixelFont.h"

#include <algorithm>
#include <cmath>

namespace art {
namespace {

double Frac(double x) { return x - std::floor(x); }

// The bank round a water tile, as a share of the cell.
constexpr double kBank = 0.11;
constexpr double kFoam = 0.035;
constexpr double kJoinDepth = 0.16;
constexpr double kJoinTaper = kBank + kFoam;

Rgb SandAt(double u, double v, double depth) {
    Rgb c = Mix(Rgb{206, 190, 140}, Rgb{226, 212, 168}, TileNoise(u, v, 8, 31));
    // Wet sand darkens toward the water.
    return Mix(c, Rgb{168, 150, 108}, depth);
}

Canvas PaintGrass(const PictureShape& shape) {
    Canvas canvas(shape.width, shape.height);
    IsoPainter p(canvas, IsoFrame::For(shape.footprint, shape.height));
    p.Ground([](double u, double v) { return GrassAt(u, v); });
    return canvas;
}

Canvas PaintClearedLand(const PictureShape& shape) {
    Canvas canvas(shape.width, shape.height);
    IsoPainter p(canvas, IsoFrame::For(shape.footprint, shape.height));
    p.Ground([](double u, double v) {
        Rgb c = Mix(Rgb{128, 98, 64}, Rgb{160, 128, 88}, TileNoise(u, v, 5, 3) * 0.8 + TileNoise(u, v, 12, 4) * 0.4);
        // Tracks left by the bulldozer, running along u.
        const double track = Frac(v * 5 + 0.1 * std::sin(u * 6.283));
        if (track < 0.12) c = Shade(c, 0.84);
        const double pebble = Hash01(std::uint32_t(Frac(u) * 50), std::uint32_t(Frac(v) * 50), 77);
        if (pebble > 0.96) c = Rgb{176, 164, 146};
        // A few stubborn tufts of grass.
        if (TileNoise(u, v, 4, 9) > 0.78 && pebble < 0.4) c = Rgb{104, 132, 62};
        return std::optional<Rgb>(c);
    });
    return canvas;
}

Canvas PaintTreePicture() {
    // The single tree that tree cells repeat up to ten times; drawn pixel by pixel.
    static const char* const kRows[9] = {
        "..LLl..",
        ".LLLlm.",
        "LLLllmd",
        "Llllmmd",
        "lllmmdd",
        ".mmmdd.",
        "..oto..",
        "...t...",
        "..sts..",
    };
    Canvas canvas(7, 9);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 7; ++x) {
            Rgb c;
            switch (kRows[y][x]) {
            case 'L': c = Rgb{132, 182, 80}; break;
            case 'l': c = Rgb{96, 150, 60}; break;
            case 'm': c = Rgb{62, 116, 50}; break;
            case 'd': c = Rgb{36, 78, 40}; break;
            case 'o': c = Rgb{30, 60, 30}; break;
            case 't': c = Rgb{96, 64, 38}; break;
            case 's': c = Rgb{52, 84, 34}; break;
            default: continue;
            }
            canvas.Set(x, y, c);
        }
    return canvas;
}

// Distance from a ground point of a cell to each of its four edges: north (v = 0),
// east (u = 1), south (v = 1), west (u = 0).
double EdgeDistance(double u, double v, int direction) {
    switch (direction) {
    case 1: return v;
    case 2: return 1 - u;
    case 3: return 1 - v;
    default: return u;
    }
}

Canvas PaintWater(const PictureShape& shape) {
    Canvas canvas(shape.width, shape.height);
    IsoPainter p(canvas, IsoFrame::For(1, shape.height));
    p.Ground([](double u, double v) {
        double d = 1;
        for (int k = 1; k <= 4; ++k) d = std::min(d, EdgeDistance(u, v, k));
        if (d < kBank) return std::optional<Rgb>(SandAt(u, v, d / kBank));
        if (d < kBank + kFoam) return std::optional<Rgb>(Rgb{200, 226, 232});
        return std::optional<Rgb>(WaterAt(u, v));
    });
    return canvas;
}

// The open water that replaces the bank on one side when the neighbour there is water.
// Toward each end of the edge the band tapers to nothing at the corner: where the cell
// beside is land, its bank then runs on unbroken to the corner, and where both sides
// join, the two tapers together still cover the whole corner.
Canvas PaintWaterJoin(const PictureShape& shape, int direction) {
    Canvas canvas(shape.width, shape.height);
    IsoPainter p(canvas, IsoFrame::For(1, shape.height));
    p.Ground([direction](double u, double v) -> std::optional<Rgb> {
        const double d = EdgeDistance(u, v, direction);
        const double along = (direction == 1 || direction == 3) ? u : v;
        const double taper = std::min(1.0, std::min(along, 1 - along) / kJoinTaper);
        if (d > kJoinDepth * taper) return std::nullopt;
        return WaterAt(u, v);
    });
    return canvas;
}

Rgb ZoneTint(int code) {
    if (code == 48 || code == 49) return Rgb{76, 196, 84};
    if (code == 65 || code == 66) return Rgb{70, 140, 230};
    return Rgb{236, 184, 40};
}

Canvas PaintZone(const PictureShape& shape) {
    Canvas canvas(shape.width, shape.height);
    const IsoFrame frame = IsoFrame::For(1, shape.height);
    IsoPainter p(canvas, frame);
    const int code = shape.code;
    const bool high = code == 49 || code == 66 || code == 83;
    const Rgb tint = ZoneTint(code);
    p.Ground([&](double u, double v) {
        Rgb c = GrassAt(u, v, 13);
        const double d = std::min(std::min(u, v), std::min(1 - u, 1 - v));
        if (high) c = Mix(c, tint, 0.22);
        else c = Mix(c, tint, 0.1);
        // Marked boundary: a dashed line for low density, a solid double line for high.
        if (d > 0.05 && d < 0.09) {
            const double along = (std::min(u, 1 - u) < std::min(v, 1 - v)) ? v : u;
            if (high || Frac(along * 6) < 0.55) c = Mix(tint, Rgb{255, 255, 255}, 0.25);
        }
        if (high && d > 0.13 && d < 0.155) c = Mix(tint, Rgb{255, 255, 255}, 0.1);
        return std::optional<Rgb>(c);
    });
    // Corner stakes.
    const double corners[4][2] = {{0.2, 0.2}, {0.8, 0.2}, {0.8, 0.8}, {0.2, 0.8}};
    for (const auto& c : corners) p.Pole(c[0], c[1], 0, 3, Rgb{240, 236, 220});
    // The zone's letter in the middle of the plot: white with a rim of the zone's colour,
    // bolder on high density.
    const char letter = (code == 48 || code == 49) ? 'R' : (code == 65 || code == 66) ? 'C' : 'I';
    const Rgb rim = Shade(tint, high ? 0.55 : 0.7);
    auto cell = [&](int col, int row) { return PixelFont::Cell(letter, col, row); };
    for (int row = -1; row <= 7; ++row)
        for (int col = -1; col <= 5; ++col) {
            if (cell(col, row)) continue;
            bool near = false;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) near = near || cell(col + dx, row + dy);
            if (near) canvas.Set(27 + col, 12 + row, rim);
        }
    for (int row = 0; row < 7; ++row)
        for (int col = 0; col < 5; ++col)
            if (cell(col, row)) canvas.Set(27 + col, 12 + row, high ? Rgb{255, 255, 250} : Rgb{236, 240, 226});
    return canvas;
}

Canvas PaintAirportLand(const PictureShape& shape) {
    Canvas canvas(shape.width, shape.height);
    IsoPainter p(canvas, IsoFrame::For(1, shape.height));
    p.Ground([](double u, double v) {
        Rgb c = Mix(GrassAt(u, v, 21), Rgb{170, 196, 120}, 0.3);
        if (Frac(u * 4) < 0.5) c = Shade(c, 1.05); // mowing stripes
        const double d = std::min(std::min(u, v), std::min(1 - u, 1 - v));
        if (d < 0.06) c = Rgb{170, 170, 162};
        return std::optional<Rgb>(c);
    });
    // Blue taxiway lights at the corners.
    p.Target().Set(int(p.X(0.1, 0.1)), int(p.Y(0.1, 0.1)) - 1, Rgb{90, 140, 255});
    p.Target().Set(int(p.X(0.9, 0.9)), int(p.Y(0.9, 0.9)) - 1, Rgb{90, 140, 255});
    return canvas;
}

Canvas PaintSeaportLand(const PictureShape& shape) {
    Canvas canvas(shape.width, shape.height);
    IsoPainter p(canvas, IsoFrame::For(1, shape.height));
    p.Ground([](double u, double v) {
        Rgb c = PavingAt(u, v, Rgb{168, 164, 152});
        const double d = std::min(std::min(u, v), std::min(1 - u, 1 - v));
        if (d < 0.08 && Frac((u + v) * 5) < 0.5) c = Rgb{226, 186, 40}; // hatched safety edge
        else if (d < 0.08) c = Rgb{60, 60, 64};
        return std::optional<Rgb>(c);
    });
    p.Lamp(0.5, 0.5, 9);
    return canvas;
}

// Pictures with no object of their own: paved squares and gardens, kept tidy so that
// any use of them still fits the town.
Canvas PaintSpareGround(const PictureShape& shape) {
    Canvas canvas(shape.width, shape.height);
    IsoPainter p(canvas, IsoFrame::For(shape.footprint, shape.height));
    const int kind = int(Hash(std::uint32_t(shape.code)) % 4);
    const double n = shape.footprint;
    p.Ground([&](double u, double v) -> std::optional<Rgb> {
        switch (kind) {
        case 0: return PavingAt(u, v, Rgb{190, 180, 160});
        case 1: {
            Rgb c = GrassAt(u, v, 5);
            if (Hash01(std::uint32_t(Frac(u) * 30), std::uint32_t(Frac(v) * 30), std::uint32_t(shape.code)) > 0.94)
                c = (int(u * 30 + v * 30) % 2) ? Rgb{240, 220, 80} : Rgb{230, 130, 160};
            return c;
        }
        case 2: {
            const double du = u - n / 2;
            const double dv = v - n / 2;
            if (std::fabs(du) < 0.12 * n || std::fabs(dv) < 0.12 * n) return PavingAt(u, v, Rgb{200, 186, 150});
            return GrassAt(u, v, 6);
        }
        default: {
            Rgb c = PavingAt(u, v, Rgb{120, 122, 126});
            if (Frac(u * 4) < 0.04) c = Rgb{230, 230, 220};
            return c;
        }
        }
    });
    if (kind == 1 || kind == 2) {
        for (int i = 0; i < int(n * n); ++i) {
            const double tu = 0.2 + (n - 0.4) * Hash01(std::uint32_t(shape.code), std::uint32_t(i), 1);
            const double tv = 0.2 + (n - 0.4) * Hash01(std::uint32_t(shape.code), std::uint32_t(i), 2);
            p.Tree(tu, tv, 7, Hash(std::uint32_t(shape.code), std::uint32_t(i)));
        }
    }
    if (kind == 3) {
        p.Car(0.3 * n, 0.35 * n, false, Rgb{200, 50, 40});
        p.Car(0.55 * n, 0.62 * n, false, Rgb{60, 90, 170});
    }
    return canvas;
}

} // namespace

Rgb WaterAt(double u, double v) {
    const double broad = TileNoise(u, v, 4, 101);
    Rgb c = Mix(Rgb{34, 92, 152}, Rgb{46, 110, 170}, broad);
    // Ripples: short light strokes lying across the screen.
    const double band = Frac((u + v) * 10);
    const double along = TileNoise(u, v, 6, 202);
    if (band < 0.16 && along > 0.62) c = Mix(c, Rgb{160, 210, 236}, 0.65);
    else if (band > 0.5 && band < 0.62 && along < 0.3) c = Shade(c, 0.88);
    return c;
}

Canvas PaintTerrain(const PictureShape& shape) {
    switch (shape.code) {
    case 9: return PaintGrass(shape);
    case 10: return PaintClearedLand(shape);
    case 11: return PaintTreePicture();
    case 12: return PaintWater(shape);
    case 23: return PaintAirportLand(shape);
    case 30: return PaintSeaportLand(shape);
    case 48:
    case 49:
    case 65:
    case 66:
    case 82:
    case 83: return PaintZone(shape);
    default: break;
    }
    if (shape.code >= 162 && shape.code <= 165) return PaintWaterJoin(shape, shape.code - 161);
    return PaintSpareGround(shape);
}

} // namespace art
