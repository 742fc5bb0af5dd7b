// The buildings that grow on zoned land, three levels of five variants each for
// homes, commerce and industry, their animation frames, and the construction sites.
#include "ArtPainters.h"
#include "IsoPainter.h"

#include <algorithm>
#include <cmath>

namespace art {
namespace {

double Frac(double x) { return x - std::floor(x); }

struct Plot {
    explicit Plot(const PictureShape& shape)
        : canvas(shape.width, shape.height), p(canvas, IsoFrame::For(shape.footprint, shape.height)), n(shape.footprint),
          seed(std::uint32_t(shape.code) * 7919u) {}
    Canvas canvas;
    IsoPainter p;
    double n;
    std::uint32_t seed;
};

// ---- ground of a plot ------------------------------------------------------------

void Lawn(Plot& plot, bool hedge = true) {
    const double n = plot.n;
    plot.p.Ground([&](double u, double v) {
        Rgb c = GrassAt(u, v, 3);
        const double d = std::min(std::min(u, v), std::min(n - u, n - v));
        if (hedge && d < 0.05) c = Rgb{56, 100, 46};
        return std::optional<Rgb>(c);
    });
}

void Paved(Plot& plot, Rgb base) {
    plot.p.Ground([&](double u, double v) { return std::optional<Rgb>(PavingAt(u, v, base)); });
}

void Yard(Plot& plot) {
    const std::uint32_t seed = plot.seed;
    plot.p.Ground([seed](double u, double v) {
        Rgb c = Mix(Rgb{150, 148, 140}, Rgb{170, 168, 160}, TileNoise(u, v, 5, seed));
        if (TileNoise(u, v, 9, seed + 1) > 0.75) c = Shade(c, 0.85); // oil stains
        if (Frac(u * 3) < 0.03 || Frac(v * 3) < 0.03) c = Shade(c, 0.9);
        return std::optional<Rgb>(c);
    });
}

// A footpath from the front edge to a door.
void Path(Plot& plot, double u, double v0, double v1) {
    plot.p.Patch(u - 0.05, v0, u + 0.05, v1, Rgb{200, 190, 168});
}

WallStyle HouseWalls(Rgb wall, std::uint32_t seed) {
    WallStyle s;
    s.wall = wall;
    s.trim = Mix(wall, Rgb{255, 255, 255}, 0.5);
    s.glass = Rgb{70, 110, 140};
    s.floorHeight = 8;
    s.windowPitch = 0.16;
    s.windowWidth = 0.5;
    s.windowHeight = 0.45;
    s.seed = seed;
    return s;
}

WallStyle FlatWalls(Rgb wall, std::uint32_t seed) {
    WallStyle s = HouseWalls(wall, seed);
    s.floorHeight = 7;
    s.windowPitch = 0.13;
    s.windowWidth = 0.5;
    s.windowHeight = 0.5;
    return s;
}

WallStyle OfficeWalls(Rgb wall, Rgb glass, std::uint32_t seed) {
    WallStyle s;
    s.wall = wall;
    s.glass = glass;
    s.trim = Shade(wall, 1.08);
    s.floorHeight = 6;
    s.windowPitch = 0.1;
    s.ribbon = true;
    s.windowHeight = 0.55;
    s.seed = seed;
    return s;
}

WallStyle CurtainWalls(Rgb glass, Rgb mullion, std::uint32_t seed) {
    WallStyle s;
    s.glass = glass;
    s.trim = mullion;
    s.wall = mullion;
    s.curtain = true;
    s.floorHeight = 6;
    s.windowPitch = 0.12;
    s.seed = seed;
    return s;
}

WallStyle Cladding(Rgb wall, double doorAt = -1) {
    WallStyle s;
    s.wall = wall;
    s.ribbed = true;
    s.doorAt = doorAt;
    return s;
}

// ---- residential -------------------------------------------------------------------

const Rgb kHouseWalls[5] = {{232, 222, 196}, {240, 240, 232}, {170, 84, 60}, {214, 196, 150}, {198, 214, 222}};
const Rgb kHouseRoofs[5] = {{176, 80, 46}, {84, 96, 124}, {110, 60, 44}, {164, 76, 44}, {70, 84, 110}};

void House(Plot& plot, double u0, double v0, double u1, double v1, double wallH, double rise, bool alongU, int style) {
    auto& p = plot.p;
    p.BlockShadow(u0, v0, u1, v1, wallH + rise);
    WallStyle walls = HouseWalls(kHouseWalls[style], plot.seed + std::uint32_t(style));
    walls.lit = false;
    p.Box(u0, v0, u1, v1, 0, wallH, walls, kHouseWalls[style]);
    // Front door on the left wall.
    const double du = alongU ? (u0 + u1) / 2 : u0 + (u1 - u0) * 0.3;
    FillFaceColour(plot.canvas, p.Frame(), {du - 0.04, v1 + 0.001, 0}, {0.08, 0, 0}, {0, 0, 6}, Rgb{110, 60, 40});
    p.GableRoof(u0, v0, u1, v1, wallH, rise, alongU, kHouseRoofs[style], kHouseWalls[style]);
}

Canvas Residential1(const PictureShape& shape) {
    Plot plot(shape);
    auto& p = plot.p;
    const int variant = shape.code - 49;
    Lawn(plot);
    switch (variant) {
    case 1:
        Path(plot, 0.45, 0.7, 1.0);
        House(plot, 0.22, 0.28, 0.72, 0.68, 11, 9, true, 0);
        p.Tree(0.84, 0.3, 9, plot.seed);
        p.Bush(0.2, 0.82, 4, plot.seed + 1);
        break;
    case 2:
        Path(plot, 0.5, 0.72, 1.0);
        p.BlockShadow(0.3, 0.25, 0.75, 0.72, 14);
        {
            WallStyle w = HouseWalls(kHouseWalls[1], plot.seed);
            w.lit = false;
            p.Box(0.3, 0.25, 0.75, 0.72, 0, 10, w, kHouseWalls[1]);
            p.HipRoof(0.27, 0.22, 0.78, 0.75, 10, 9, kHouseRoofs[1]);
        }
        p.PlainBox(0.08, 0.5, 0.28, 0.8, 0, 7, Rgb{200, 200, 196}, Rgb{150, 150, 150});
        p.Car(0.18, 0.9, false, Rgb{180, 40, 40});
        p.Tree(0.85, 0.85, 8, plot.seed + 3);
        break;
    case 3:
        Path(plot, 0.5, 0.7, 1.0);
        House(plot, 0.3, 0.2, 0.72, 0.7, 16, 10, false, 2);
        p.PlainBox(0.58, 0.38, 0.64, 0.44, 20, 28, Rgb{120, 56, 40}, Rgb{80, 50, 40}); // chimney
        p.Tree(0.15, 0.25, 10, plot.seed + 5, true);
        p.Bush(0.85, 0.8, 4, plot.seed + 6);
        break;
    case 4:
        House(plot, 0.2, 0.2, 0.55, 0.75, 9, 8, false, 3);
        House(plot, 0.55, 0.45, 0.85, 0.75, 9, 7, true, 3);
        p.Patch(0.6, 0.15, 0.9, 0.4, Rgb{90, 170, 200}); // a paddling pool
        p.Bush(0.2, 0.9, 4, plot.seed + 2);
        break;
    default:
        House(plot, 0.15, 0.3, 0.5, 0.7, 10, 8, true, 4);
        House(plot, 0.5, 0.3, 0.85, 0.7, 10, 8, true, 0);
        p.Tree(0.2, 0.15, 8, plot.seed + 7);
        p.Bush(0.7, 0.85, 4, plot.seed + 8);
        p.Bush(0.3, 0.85, 4, plot.seed + 9);
        break;
    }
    return plot.canvas;
}

void Balconies(Plot& plot, double u0, double u1, double v1, double z0, double z1, double floor, Rgb rail) {
    for (double z = z0 + floor; z < z1 - 2; z += floor)
        for (double u = u0 + 0.1; u < u1 - 0.1; u += 0.3)
            plot.p.PlainBox(u, v1, u + 0.14, v1 + 0.06, z - 1, z + 1, rail, Shade(rail, 1.1));
}

Canvas Residential2(const PictureShape& shape) {
    Plot plot(shape);
    auto& p = plot.p;
    const int variant = shape.code - 54;
    Lawn(plot);
    const std::uint32_t s = plot.seed;
    switch (variant) {
    case 1: { // brick block with a flat roof
        p.Patch(0.1, 1.55, 1.9, 1.9, Rgb{120, 124, 130});
        p.BlockShadow(0.3, 0.35, 1.7, 1.35, 30);
        p.Box(0.3, 0.35, 1.7, 1.35, 0, 30, FlatWalls(Rgb{168, 82, 60}, s), Rgb{120, 118, 112});
        p.Parapet(0.3, 0.35, 1.7, 1.35, 30, 2, Rgb{190, 186, 176});
        p.RoofUnits(0.4, 0.45, 1.6, 1.25, 30, s, 3);
        p.Car(0.5, 1.72, true, Rgb{40, 80, 160});
        p.Car(1.2, 1.72, true, Rgb{220, 200, 60});
        p.Tree(1.85, 0.3, 10, s + 1);
        break;
    }
    case 2: { // L-shaped rendered block with a hipped roof
        p.BlockShadow(0.25, 0.3, 0.85, 1.7, 36);
        p.Box(0.25, 0.3, 0.85, 1.7, 0, 35, FlatWalls(Rgb{232, 220, 190}, s), Rgb{200, 190, 170});
        p.HipRoof(0.22, 0.27, 0.88, 1.73, 35, 10, kHouseRoofs[1]);
        p.BlockShadow(0.85, 1.1, 1.75, 1.7, 36);
        p.Box(0.85, 1.1, 1.75, 1.7, 0, 35, FlatWalls(Rgb{232, 220, 190}, s + 1), Rgb{200, 190, 170});
        p.HipRoof(0.85, 1.07, 1.78, 1.73, 35, 10, kHouseRoofs[1]);
        p.Tree(1.4, 0.4, 12, s + 2);
        p.Tree(1.7, 0.7, 9, s + 3);
        break;
    }
    case 3: { // two terraces of town houses
        for (int row = 0; row < 2; ++row) {
            const double v0 = 0.25 + row * 0.85;
            p.BlockShadow(0.2, v0, 1.8, v0 + 0.5, 26);
            for (int i = 0; i < 4; ++i) {
                const double u0 = 0.2 + i * 0.4;
                const Rgb wall = kHouseWalls[(i + row) % 5];
                WallStyle w = FlatWalls(wall, s + std::uint32_t(i));
                w.floorHeight = 8;
                p.Box(u0, v0, u0 + 0.4, v0 + 0.5, 0, 22, w, wall);
                p.GableRoof(u0, v0, u0 + 0.4, v0 + 0.5, 22, 9, true, kHouseRoofs[(i + row * 2) % 5], wall);
            }
        }
        break;
    }
    case 4: { // a tall slab of flats with balconies
        p.BlockShadow(0.35, 0.55, 1.75, 1.2, 55);
        p.Box(0.35, 0.55, 1.75, 1.2, 0, 56, FlatWalls(Rgb{214, 216, 220}, s), Rgb{150, 150, 150});
        Balconies(plot, 0.35, 1.75, 1.2, 0, 56, 7, Rgb{236, 236, 236});
        p.Parapet(0.35, 0.55, 1.75, 1.2, 56, 2, Rgb{190, 190, 190});
        p.Box(0.9, 0.7, 1.2, 0.95, 56, 62, FlatWalls(Rgb{190, 190, 190}, s), Rgb{160, 160, 160});
        p.Tree(0.3, 1.6, 10, s + 4);
        p.Tree(1.6, 1.6, 9, s + 5);
        break;
    }
    default: { // four small blocks round a courtyard garden
        const double b[4][4] = {{0.2, 0.2, 0.9, 0.6}, {1.1, 0.2, 1.8, 0.9}, {0.2, 1.1, 0.9, 1.8}, {1.1, 1.4, 1.8, 1.8}};
        for (int i = 0; i < 4; ++i) {
            const Rgb wall = i % 2 ? Rgb{226, 200, 150} : Rgb{200, 120, 90};
            p.BlockShadow(b[i][0], b[i][1], b[i][2], b[i][3], 28);
            p.Box(b[i][0], b[i][1], b[i][2], b[i][3], 0, 28, FlatWalls(wall, s + std::uint32_t(i)), wall);
            p.GableRoof(b[i][0], b[i][1], b[i][2], b[i][3], 28, 8, b[i][2] - b[i][0] > b[i][3] - b[i][1], kHouseRoofs[i % 5], wall);
            if (i == 0) p.Tree(1.0, 1.0, 11, s + 9);
        }
        break;
    }
    }
    return plot.canvas;
}

Canvas Residential3(const PictureShape& shape) {
    Plot plot(shape);
    auto& p = plot.p;
    const int variant = shape.code - 59;
    const std::uint32_t s = plot.seed;
    Lawn(plot, false);
    auto tower = [&](double u0, double v0, double u1, double v1, double h, Rgb wall, bool balconies) {
        p.BlockShadow(u0, v0, u1, v1, h);
        p.Box(u0, v0, u1, v1, 0, h, FlatWalls(wall, s + std::uint32_t(h)), Rgb{140, 140, 140});
        if (balconies) Balconies(plot, u0, u1, v1, 0, h, 7, Rgb{240, 240, 240});
        p.Parapet(u0, v0, u1, v1, h, 2, Shade(wall, 0.9));
        p.RoofUnits(u0 + 0.05, v0 + 0.05, u1 - 0.05, v1 - 0.05, h, s + std::uint32_t(u0 * 100), 2);
    };
    p.Patch(0.1, 2.5, 2.9, 2.9, Rgb{190, 186, 176});
    switch (variant) {
    case 1:
        tower(0.9, 0.8, 2.1, 1.9, 140, Rgb{236, 234, 226}, true);
        p.Tree(0.4, 2.3, 12, s + 1);
        p.Tree(2.6, 0.5, 12, s + 2);
        break;
    case 2:
        tower(0.3, 0.5, 1.3, 1.4, 110, Rgb{214, 190, 150}, false);
        tower(1.6, 1.5, 2.6, 2.4, 140, Rgb{220, 200, 160}, false);
        p.Tree(2.5, 0.6, 12, s + 3);
        p.Tree(0.6, 2.5, 11, s + 4);
        break;
    case 3: // a tower on a podium of maisonettes
        p.BlockShadow(0.3, 0.3, 2.7, 2.7, 18);
        p.Box(0.3, 0.3, 2.7, 2.7, 0, 16, FlatWalls(Rgb{170, 90, 64}, s), Rgb{110, 150, 80});
        tower(0.9, 0.9, 2.1, 2.1, 150, Rgb{196, 110, 80}, true);
        break;
    case 4:
        tower(0.4, 0.4, 1.4, 2.6, 90, Rgb{206, 212, 220}, true);
        tower(1.7, 0.9, 2.6, 1.9, 150, Rgb{230, 226, 214}, true);
        break;
    default:
        tower(0.3, 0.3, 1.1, 1.1, 100, Rgb{230, 214, 180}, true);
        tower(1.7, 0.5, 2.5, 1.3, 130, Rgb{200, 206, 214}, true);
        tower(0.8, 1.7, 1.6, 2.5, 150, Rgb{236, 236, 230}, true);
        p.Tree(2.4, 2.3, 12, s + 5);
        break;
    }
    return plot.canvas;
}

// ---- commercial ----------------------------------------------------------------------

void Awning(Plot& plot, double u0, double u1, double v, double z, Rgb a, Rgb b) {
    const IsoFrame& f = plot.p.Frame();
    FillFace(plot.canvas, f, {u0, v, z}, {u1 - u0, 0, 0}, {0, 0.12, -3}, [&](double aa, double) {
        return std::optional<Rgb>(Frac(aa * (u1 - u0) * 14) < 0.5 ? a : b);
    });
}

Canvas Commercial1(const PictureShape& shape) {
    Plot plot(shape);
    auto& p = plot.p;
    const int variant = shape.code - 66;
    const std::uint32_t s = plot.seed;
    Paved(plot, Rgb{198, 194, 184});
    switch (variant) {
    case 1: { // corner shop with a striped awning
        p.BlockShadow(0.2, 0.2, 0.8, 0.7, 20);
        WallStyle w = FlatWalls(Rgb{226, 214, 186}, s);
        w.groundFloor = 8;
        p.Box(0.2, 0.2, 0.8, 0.7, 0, 18, w, Rgb{150, 140, 130});
        p.Parapet(0.2, 0.2, 0.8, 0.7, 18, 2, Rgb{200, 190, 170});
        Awning(plot, 0.22, 0.78, 0.7, 8, Rgb{200, 40, 40}, Rgb{240, 236, 230});
        p.Person(0.4, 0.88, Rgb{40, 120, 200});
        p.Person(0.65, 0.9, Rgb{220, 180, 40});
        break;
    }
    case 2: { // petrol station
        p.BlockShadow(0.1, 0.15, 0.4, 0.45, 12);
        WallStyle w = FlatWalls(Rgb{240, 240, 236}, s);
        w.groundFloor = 7;
        p.Box(0.1, 0.15, 0.4, 0.45, 0, 9, w, Rgb{220, 60, 40});
        for (double u : {0.55, 0.8})
            for (double v : {0.45, 0.75}) p.PlainBox(u - 0.02, v - 0.02, u + 0.02, v + 0.02, 0, 12, Rgb{220, 220, 220}, Rgb{240, 240, 240});
        for (double u : {0.55, 0.8}) p.PlainBox(u - 0.03, 0.55, u + 0.03, 0.65, 0, 5, Rgb{220, 50, 40}, Rgb{240, 240, 240});
        p.PlainBox(0.45, 0.35, 0.9, 0.85, 12, 14, Rgb{220, 50, 40}, Rgb{246, 246, 240});
        p.Car(0.68, 0.6, true, Rgb{40, 100, 200});
        break;
    }
    case 3: { // café with parasols
        p.BlockShadow(0.15, 0.15, 0.6, 0.85, 22);
        WallStyle w = FlatWalls(Rgb{206, 170, 120}, s);
        w.groundFloor = 8;
        w.shopGlass = Rgb{240, 200, 120};
        p.Box(0.15, 0.15, 0.6, 0.85, 0, 20, w, Rgb{160, 150, 140});
        p.GableRoof(0.15, 0.15, 0.6, 0.85, 20, 8, false, Rgb{150, 60, 40}, Rgb{206, 170, 120});
        for (double v : {0.3, 0.65}) {
            p.Pole(0.8, v, 0, 7, Rgb{90, 90, 90});
            p.Target().FillEllipse(p.X(0.8, v), p.Y(0.8, v, 8), 5, 2, (v < 0.5 ? Rgb{240, 240, 230} : Rgb{60, 140, 90}));
        }
        break;
    }
    case 4: { // small supermarket and its car park
        p.Patch(0.05, 0.55, 0.95, 0.95, Rgb{96, 100, 108});
        for (double u = 0.15; u < 0.9; u += 0.2) p.Patch(u, 0.6, u + 0.01, 0.9, Rgb{230, 230, 220});
        p.BlockShadow(0.1, 0.1, 0.9, 0.5, 14);
        WallStyle w = FlatWalls(Rgb{230, 230, 224}, s);
        w.groundFloor = 8;
        p.Box(0.1, 0.1, 0.9, 0.5, 0, 11, w, Rgb{170, 170, 166});
        p.PlainBox(0.3, 0.48, 0.7, 0.5, 11, 15, Rgb{40, 140, 70}, Rgb{40, 140, 70});
        p.Car(0.25, 0.75, false, Rgb{200, 200, 60});
        p.Car(0.65, 0.75, false, Rgb{60, 60, 70});
        break;
    }
    default: { // two-storey shop with a rooftop sign
        p.BlockShadow(0.25, 0.2, 0.8, 0.75, 24);
        WallStyle w = FlatWalls(Rgb{180, 196, 214}, s);
        w.groundFloor = 8;
        p.Box(0.25, 0.2, 0.8, 0.75, 0, 20, w, Rgb{140, 140, 140});
        p.Pole(0.4, 0.4, 20, 24, Rgb{80, 80, 80});
        p.Pole(0.65, 0.4, 20, 24, Rgb{80, 80, 80});
        FillFace(plot.canvas, p.Frame(), {0.3, 0.42, 24}, {0.45, 0, 0}, {0, 0, 9}, [](double a, double b) {
            const bool letter = Frac(a * 5) < 0.6 && b > 0.25 && b < 0.75;
            return std::optional<Rgb>(letter ? Rgb{255, 236, 120} : Rgb{200, 40, 50});
        });
        p.Tree(0.1, 0.85, 7, s + 2);
        break;
    }
    }
    return plot.canvas;
}

Canvas Commercial2(const PictureShape& shape) {
    Plot plot(shape);
    auto& p = plot.p;
    const int variant = shape.code - 71;
    const std::uint32_t s = plot.seed;
    Paved(plot, Rgb{196, 192, 182});
    switch (variant) {
    case 1: {
        p.BlockShadow(0.4, 0.4, 1.6, 1.4, 70);
        WallStyle w = OfficeWalls(Rgb{220, 218, 210}, Rgb{50, 100, 150}, s);
        w.groundFloor = 8;
        p.Box(0.4, 0.4, 1.6, 1.4, 0, 70, w, Rgb{150, 150, 150});
        p.Parapet(0.4, 0.4, 1.6, 1.4, 70, 2, Rgb{200, 200, 196});
        p.RoofUnits(0.5, 0.5, 1.5, 1.3, 70, s, 3);
        p.Tree(0.2, 1.7, 9, s);
        p.Tree(1.7, 1.75, 9, s + 1);
        break;
    }
    case 2: { // shopping centre with a car park
        p.Patch(0.1, 1.2, 1.9, 1.9, Rgb{92, 96, 104});
        for (double u = 0.2; u < 1.9; u += 0.2) p.Patch(u, 1.3, u + 0.012, 1.8, Rgb{230, 230, 220});
        p.BlockShadow(0.2, 0.2, 1.8, 1.1, 26);
        WallStyle w = FlatWalls(Rgb{236, 226, 200}, s);
        w.groundFloor = 10;
        w.shopGlass = Rgb{120, 180, 210};
        p.Box(0.2, 0.2, 1.8, 1.1, 0, 24, w, Rgb{190, 186, 176});
        p.Box(0.7, 0.5, 1.3, 0.9, 24, 34, CurtainWalls(Rgb{90, 160, 200}, Rgb{220, 220, 220}, s), Rgb{200, 230, 240});
        p.PlainBox(0.3, 1.08, 0.8, 1.12, 18, 23, Rgb{40, 80, 170}, Rgb{40, 80, 170});
        for (int i = 0; i < 5; ++i)
            p.Car(0.3 + 0.32 * i, 1.45 + 0.2 * (i % 2), false, i % 2 ? Rgb{200, 40, 40} : Rgb{230, 230, 230});
        break;
    }
    case 3: { // department store
        p.BlockShadow(0.3, 0.3, 1.7, 1.7, 44);
        WallStyle w = FlatWalls(Rgb{214, 196, 160}, s);
        w.groundFloor = 10;
        w.floorHeight = 9;
        w.windowPitch = 0.2;
        p.Box(0.3, 0.3, 1.7, 1.7, 0, 46, w, Rgb{170, 160, 150});
        p.Parapet(0.3, 0.3, 1.7, 1.7, 46, 3, Rgb{230, 220, 196});
        Awning(plot, 0.35, 1.65, 1.7, 10, Rgb{30, 90, 60}, Rgb{230, 226, 210});
        p.PlainBox(0.8, 0.8, 1.2, 1.2, 46, 54, Rgb{200, 190, 170}, Rgb{64, 130, 110});
        break;
    }
    case 4: { // two glass office towers
        p.BlockShadow(0.3, 0.3, 1.0, 1.0, 80);
        p.Box(0.3, 0.3, 1.0, 1.0, 0, 80, CurtainWalls(Rgb{50, 130, 110}, Rgb{190, 200, 200}, s), Rgb{120, 140, 140});
        p.BlockShadow(1.1, 1.0, 1.75, 1.7, 96);
        p.Box(1.1, 1.0, 1.75, 1.7, 0, 96, CurtainWalls(Rgb{50, 130, 110}, Rgb{190, 200, 200}, s + 1), Rgb{120, 140, 140});
        p.Parapet(1.1, 1.0, 1.75, 1.7, 96, 2, Rgb{200, 210, 210});
        p.Tree(1.6, 0.4, 10, s + 4);
        break;
    }
    default: { // hotel with a pool
        p.Patch(1.2, 0.2, 1.8, 0.8, Rgb{80, 180, 220});
        p.BlockShadow(0.25, 0.9, 1.75, 1.45, 88);
        WallStyle w = FlatWalls(Rgb{240, 236, 224}, s);
        w.groundFloor = 8;
        p.Box(0.25, 0.9, 1.75, 1.45, 0, 88, w, Rgb{150, 150, 150});
        Balconies(plot, 0.25, 1.75, 1.45, 8, 88, 7, Rgb{220, 230, 236});
        p.Parapet(0.25, 0.9, 1.75, 1.45, 88, 2, Rgb{200, 196, 186});
        p.PlainBox(0.6, 1.1, 1.4, 1.12, 88, 96, Rgb{180, 30, 40}, Rgb{180, 30, 40});
        p.Tree(0.4, 0.4, 10, s + 6);
        break;
    }
    }
    return plot.canvas;
}

// The tall glass tower of level 3, variant 1, has a beacon and a band of lit windows
// that climbs the tower through its four frames.
void BeaconTower(Plot& plot, int frameIndex) {
    auto& p = plot.p;
    const std::uint32_t s = plot.seed;
    p.BlockShadow(0.8, 0.8, 2.2, 2.2, 170);
    WallStyle w = CurtainWalls(Rgb{40, 96, 150}, Rgb{200, 210, 220}, s);
    p.Box(0.8, 0.8, 2.2, 2.2, 0, 150, w, Rgb{110, 130, 150});
    p.Box(1.0, 1.0, 2.0, 2.0, 150, 172, w, Rgb{110, 130, 150});
    p.Box(1.25, 1.25, 1.75, 1.75, 172, 184, CurtainWalls(Rgb{60, 120, 170}, Rgb{210, 220, 230}, s), Rgb{200, 210, 220});
    p.Pole(1.5, 1.5, 184, 196, Rgb{200, 200, 200});
    // Chase lights round the crown: every fourth lamp lit, moving on by one lamp each
    // frame, so the four frames loop smoothly.
    for (int i = 0; i < 24; ++i) {
        const bool lit = (i + frameIndex) % 4 == 0;
        const Rgb lamp = lit ? Rgb{255, 244, 170} : Rgb{120, 110, 80};
        const double t = (i + 0.5) / 12.0;
        const double u = i < 12 ? 1.0 + t : 2.0;
        const double v = i < 12 ? 2.0 : 2.0 - (t - 1.0);
        plot.canvas.Set(int(std::lround(p.X(u, v))), int(std::lround(p.Y(u, v, 168))), lamp);
    }
    // A beacon on the mast that pulses bright, dim, off, dim.
    const Rgb beacons[4] = {{255, 70, 60}, {190, 50, 44}, {110, 30, 30}, {190, 50, 44}};
    const Rgb beacon = beacons[frameIndex % 4];
    const int bx = int(std::lround(p.X(1.5, 1.5)));
    const int by = int(std::lround(p.Y(1.5, 1.5, 196)));
    plot.canvas.Set(bx, by, beacon);
    plot.canvas.Set(bx + 1, by, beacon);
    if (frameIndex == 0) {
        plot.canvas.Set(bx - 1, by, Rgb{255, 150, 130});
        plot.canvas.Set(bx, by - 1, Rgb{255, 150, 130});
        plot.canvas.Set(bx + 2, by, Rgb{255, 150, 130});
    }
}

Canvas Commercial3(const PictureShape& shape, int frameIndex) {
    Plot plot(shape);
    auto& p = plot.p;
    const int variant = shape.code >= 183 ? 1 : shape.code - 76;
    const std::uint32_t s = plot.seed;
    Paved(plot, Rgb{200, 196, 188});
    p.Tree(0.3, 2.6, 10, s + 7);
    p.Tree(2.6, 0.35, 10, s + 8);
    switch (variant) {
    case 1: BeaconTower(plot, frameIndex); break;
    case 2: // twin towers joined by a sky bridge
        p.BlockShadow(0.4, 0.4, 1.3, 1.3, 180);
        p.Box(0.4, 0.4, 1.3, 1.3, 0, 180, CurtainWalls(Rgb{60, 140, 170}, Rgb{220, 226, 230}, s), Rgb{150, 170, 180});
        p.Box(1.3, 0.75, 1.7, 0.95, 100, 108, CurtainWalls(Rgb{60, 140, 170}, Rgb{220, 226, 230}, s), Rgb{150, 170, 180});
        p.BlockShadow(1.7, 1.7, 2.6, 2.6, 180);
        p.Box(1.7, 0.4, 2.6, 1.3, 0, 180, CurtainWalls(Rgb{60, 140, 170}, Rgb{220, 226, 230}, s + 1), Rgb{150, 170, 180});
        p.Pole(0.85, 0.85, 180, 196, Rgb{210, 210, 210});
        p.Pole(2.15, 0.85, 180, 196, Rgb{210, 210, 210});
        p.Box(1.2, 1.6, 2.4, 2.5, 0, 24, OfficeWalls(Rgb{220, 216, 206}, Rgb{60, 110, 150}, s), Rgb{160, 160, 156});
        break;
    case 3: { // stone tower stepping back as it rises
        WallStyle w = OfficeWalls(Rgb{214, 200, 170}, Rgb{50, 80, 110}, s);
        w.ribbon = false;
        w.windowPitch = 0.1;
        w.windowWidth = 0.45;
        w.floorHeight = 6;
        p.BlockShadow(0.5, 0.5, 2.5, 2.5, 160);
        p.Box(0.5, 0.5, 2.5, 2.5, 0, 70, w, Rgb{190, 176, 150});
        p.Box(0.8, 0.8, 2.2, 2.2, 70, 130, w, Rgb{190, 176, 150});
        p.Box(1.1, 1.1, 1.9, 1.9, 130, 170, w, Rgb{190, 176, 150});
        p.HipRoof(1.1, 1.1, 1.9, 1.9, 170, 20, Rgb{90, 150, 130});
        p.Pole(1.5, 1.5, 190, 200, Rgb{200, 200, 190});
        break;
    }
    case 4: { // round glass tower with a crown
        p.BlockShadow(0.7, 0.7, 2.3, 2.3, 170);
        p.Box(0.4, 0.4, 2.6, 2.6, 0, 14, OfficeWalls(Rgb{226, 222, 214}, Rgb{80, 130, 170}, s), Rgb{170, 200, 170});
        p.Revolve(1.5, 1.5, 14, 176, [](double z) { return z < 150 ? 0.62 : 0.62 - (z - 150) * 0.006; },
                  [](double z) { return Frac(z / 6.0) < 0.18 ? Rgb{200, 210, 220} : Rgb{70, 140, 190}; }, Rgb{210, 220, 226});
        p.Pole(1.5, 1.5, 176, 198, Rgb{230, 230, 230});
        break;
    }
    default: { // broad tower on a podium with a helipad
        p.BlockShadow(0.3, 0.3, 2.7, 2.7, 24);
        WallStyle podium = FlatWalls(Rgb{200, 196, 190}, s);
        podium.groundFloor = 9;
        p.Box(0.3, 0.3, 2.7, 2.7, 0, 22, podium, Rgb{150, 150, 150});
        p.BlockShadow(0.7, 0.7, 2.3, 2.3, 150);
        p.Box(0.7, 0.7, 2.3, 2.0, 22, 150, CurtainWalls(Rgb{36, 70, 110}, Rgb{170, 180, 190}, s), Rgb{70, 74, 80});
        p.Patch(1.1, 0.95, 1.9, 1.75, Rgb{60, 64, 70}, 150);
        plot.canvas.FillEllipse(p.X(1.5, 1.35), p.Y(1.5, 1.35, 150), 10, 5, Rgb{236, 200, 40});
        plot.canvas.FillEllipse(p.X(1.5, 1.35), p.Y(1.5, 1.35, 150), 7, 3.5, Rgb{60, 64, 70});
        break;
    }
    }
    return plot.canvas;
}

// ---- industrial ----------------------------------------------------------------------

Canvas Industrial1(const PictureShape& shape) {
    Plot plot(shape);
    auto& p = plot.p;
    const int variant = shape.code - 83;
    const std::uint32_t s = plot.seed;
    Yard(plot);
    switch (variant) {
    case 1:
        p.BlockShadow(0.15, 0.2, 0.8, 0.75, 16);
        p.Box(0.15, 0.2, 0.8, 0.75, 0, 10, Cladding(Rgb{150, 170, 186}, 0.3), Rgb{150, 150, 150});
        p.SawtoothRoof(0.15, 0.2, 0.8, 0.75, 10, 3, 6, Rgb{120, 124, 130});
        break;
    case 2: // warehouse with crates
        p.BlockShadow(0.1, 0.1, 0.7, 0.65, 16);
        p.Box(0.1, 0.1, 0.7, 0.65, 0, 13, Cladding(Rgb{196, 150, 80}, 0.3), Rgb{170, 170, 170});
        p.GableRoof(0.1, 0.1, 0.7, 0.65, 13, 5, true, Rgb{140, 146, 150}, Rgb{196, 150, 80});
        for (int i = 0; i < 3; ++i) p.PlainBox(0.78, 0.3 + i * 0.15, 0.9, 0.42 + i * 0.15, 0, 4, Rgb{150, 110, 60}, Rgb{180, 140, 90});
        p.PlainBox(0.35, 0.75, 0.5, 0.85, 0, 4, Rgb{230, 180, 40}, Rgb{240, 200, 60}); // forklift
        break;
    case 3: // workshop with a short chimney
        p.BlockShadow(0.2, 0.25, 0.75, 0.75, 20);
        p.Box(0.2, 0.25, 0.75, 0.75, 0, 14, FlatWalls(Rgb{160, 80, 56}, s), Rgb{110, 100, 96});
        p.Cylinder(0.65, 0.35, 0.05, 14, 30, Rgb{150, 70, 50}, Rgb{40, 30, 30});
        for (int i = 0; i < 4; ++i) p.Cylinder(0.15 + 0.06 * i, 0.88, 0.025, 0, 4, Rgb{40, 90, 160}, Rgb{60, 110, 180});
        break;
    case 4: // storage tanks
        p.PlainBox(0.1, 0.65, 0.35, 0.9, 0, 8, Rgb{200, 200, 196}, Rgb{150, 150, 150});
        p.Cylinder(0.35, 0.35, 0.2, 0, 18, Rgb{220, 222, 220}, Rgb{236, 236, 232});
        p.Cylinder(0.7, 0.65, 0.18, 0, 14, Rgb{210, 214, 210}, Rgb{232, 232, 228});
        break;
    default: // timber yard
        p.BlockShadow(0.1, 0.1, 0.5, 0.5, 14);
        p.Box(0.1, 0.1, 0.5, 0.5, 0, 11, Cladding(Rgb{130, 90, 56}), Rgb{120, 120, 110});
        p.GableRoof(0.1, 0.1, 0.5, 0.5, 11, 4, false, Rgb{90, 96, 100}, Rgb{130, 90, 56});
        for (int row = 0; row < 3; ++row)
            for (int i = 0; i < 4; ++i) {
                const double v = 0.62 + i * 0.07;
                p.Cylinder(0.6 + row * 0.1, v, 0.03, 0, 3, Rgb{170, 120, 70}, Rgb{220, 180, 120});
            }
        p.Cylinder(0.8, 0.25, 0.03, 0, 3, Rgb{170, 120, 70}, Rgb{220, 180, 120});
        break;
    }
    return plot.canvas;
}

void Chimney(Plot& plot, double u, double v, double r, double z0, double z1, int frameIndex, bool smoke) {
    plot.p.Revolve(u, v, z0, z1, [r, z0, z1](double z) { return r * (1.0 - 0.25 * (z - z0) / (z1 - z0)); },
                   [z1](double z) { return z > z1 - 6 && z < z1 - 3 ? Rgb{230, 230, 226} : Rgb{150, 70, 52}; },
                   Rgb{40, 34, 32}, true);
    if (smoke) plot.p.Smoke(u, v, z1, frameIndex, 1.0);
}

Canvas Industrial2(const PictureShape& shape, int frameIndex) {
    Plot plot(shape);
    auto& p = plot.p;
    const int variant = shape.code >= 186 ? 1 : shape.code - 88;
    const std::uint32_t s = plot.seed;
    Yard(plot);
    switch (variant) {
    case 1: // brick factory with two smoking chimneys
        p.BlockShadow(0.3, 0.5, 1.7, 1.5, 30);
        p.Box(0.3, 0.5, 1.7, 1.5, 0, 24, FlatWalls(Rgb{164, 78, 56}, s), Rgb{110, 100, 96});
        p.SawtoothRoof(0.3, 0.5, 1.7, 1.5, 24, 5, 7, Rgb{100, 104, 110});
        Chimney(plot, 0.5, 0.3, 0.09, 0, 62, frameIndex, true);
        Chimney(plot, 0.9, 0.25, 0.08, 0, 54, (frameIndex + 2) % 4, true);
        p.PlainBox(1.3, 1.6, 1.8, 1.85, 0, 7, Rgb{40, 90, 150}, Rgb{60, 110, 170});
        break;
    case 2: // hall and silos
        p.BlockShadow(0.2, 0.7, 1.3, 1.8, 28);
        p.Box(0.2, 0.7, 1.3, 1.8, 0, 20, Cladding(Rgb{140, 160, 176}, 0.5), Rgb{150, 150, 150});
        p.GableRoof(0.2, 0.7, 1.3, 1.8, 20, 8, false, Rgb{110, 116, 124}, Rgb{140, 160, 176});
        for (int i = 0; i < 3; ++i) p.Cylinder(1.5, 0.4 + i * 0.35, 0.15, 0, 48, Rgb{210, 210, 206}, Rgb{180, 180, 176});
        break;
    case 3: // chemical works
        for (int i = 0; i < 2; ++i) p.Cylinder(0.45 + i * 0.5, 0.45, 0.2, 0, 22, Rgb{230, 230, 224}, Rgb{240, 240, 236});
        p.PlainBox(0.2, 0.9, 1.8, 0.96, 6, 9, Rgb{180, 140, 60}, Rgb{200, 160, 80}); // pipe rack
        p.BlockShadow(0.9, 1.1, 1.7, 1.8, 20);
        p.Box(0.9, 1.1, 1.7, 1.8, 0, 18, Cladding(Rgb{210, 206, 190}, 0.4), Rgb{140, 140, 140});
        p.Cylinder(1.55, 0.4, 0.07, 0, 52, Rgb{200, 200, 200}, Rgb{60, 60, 60});
        p.Smoke(1.55, 0.4, 52, frameIndex, 0.8, Rgb{236, 236, 236});
        break;
    case 4: // steel-clad plant with a conveyor and hoppers
        p.BlockShadow(0.25, 0.25, 1.2, 1.7, 40);
        p.Box(0.25, 0.25, 1.2, 1.7, 0, 38, Cladding(Rgb{90, 120, 150}, 0.7), Rgb{120, 130, 140});
        FillFaceColour(plot.canvas, p.Frame(), {1.2, 0.8, 30}, {0.6, 0, -28}, {0, 0.12, 0}, Rgb{60, 60, 64});
        p.Box(1.4, 1.2, 1.8, 1.6, 0, 16, Cladding(Rgb{200, 160, 60}), Rgb{90, 90, 90});
        break;
    default: // depot with lorries and containers
        p.BlockShadow(0.2, 0.2, 1.2, 0.9, 22);
        p.Box(0.2, 0.2, 1.2, 0.9, 0, 18, Cladding(Rgb{200, 200, 190}, 0.3), Rgb{160, 160, 156});
        p.Box(0.2, 0.2, 1.2, 0.9, 0, 18, Cladding(Rgb{200, 200, 190}, 0.75), Rgb{160, 160, 156});
        {
            const Rgb boxes[4] = {{200, 60, 40}, {40, 110, 170}, {60, 140, 80}, {220, 170, 40}};
            for (int i = 0; i < 4; ++i)
                p.PlainBox(1.4, 0.2 + i * 0.32, 1.85, 0.45 + i * 0.32, 0, 8, boxes[i], Shade(boxes[i], 1.15));
            p.PlainBox(1.4, 0.2, 1.85, 0.45, 8, 16, boxes[3], Shade(boxes[3], 1.15));
        }
        p.PlainBox(0.4, 1.3, 0.9, 1.5, 0, 8, Rgb{230, 230, 226}, Rgb{240, 240, 236});
        p.PlainBox(0.9, 1.3, 1.05, 1.5, 0, 8, Rgb{200, 40, 40}, Rgb{220, 60, 60});
        break;
    }
    return plot.canvas;
}

Canvas Industrial3(const PictureShape& shape) {
    Plot plot(shape);
    auto& p = plot.p;
    const int variant = shape.code - 93;
    const std::uint32_t s = plot.seed;
    Yard(plot);
    switch (variant) {
    case 1: // steel works: furnace, stacks and halls
        p.BlockShadow(0.3, 1.4, 2.6, 2.5, 40);
        p.Box(0.3, 1.4, 2.6, 2.5, 0, 34, Cladding(Rgb{110, 100, 96}, 1.2), Rgb{90, 90, 90});
        p.GableRoof(0.3, 1.4, 2.6, 2.5, 34, 10, true, Rgb{80, 84, 90}, Rgb{110, 100, 96});
        p.Revolve(0.8, 0.7, 0, 80, [](double z) { return z < 60 ? 0.3 - z * 0.001 : 0.24; },
                  [](double z) { return Frac(z / 12) < 0.1 ? Rgb{60, 60, 60} : Rgb{120, 76, 56}; }, Rgb{50, 40, 36}, true);
        Chimney(plot, 1.6, 0.4, 0.08, 0, 120, 0, true);
        Chimney(plot, 2.1, 0.5, 0.08, 0, 110, 2, true);
        break;
    case 2: { // refinery
        for (int i = 0; i < 3; ++i) {
            const double u = 0.6 + i * 0.45;
            p.Cylinder(u, 0.6, 0.1, 0, 70 + i * 12, Rgb{200, 200, 196}, Rgb{160, 160, 160});
            for (int ring = 1; ring < 6; ++ring) {
                const double z = ring * 14.0;
                plot.canvas.Line(p.X(u, 0.6) - 4, p.Y(u, 0.6, z), p.X(u, 0.6) + 4, p.Y(u, 0.6, z), Rgb{120, 120, 120});
            }
        }
        for (int i = 0; i < 2; ++i) {
            const double u = 0.7 + i * 0.9;
            p.Revolve(u, 1.9, 2, 26, [](double z) { const double t = (z - 14) / 12; return 0.3 * std::sqrt(std::max(0.0, 1 - t * t)); },
                      [](double) { return Rgb{236, 236, 230}; }, Rgb{246, 246, 240});
            p.Pole(u - 0.2, 1.9, 0, 10, Rgb{120, 120, 120});
            p.Pole(u + 0.2, 1.9, 0, 10, Rgb{120, 120, 120});
        }
        p.PlainBox(0.3, 1.2, 2.7, 1.27, 8, 11, Rgb{190, 150, 60}, Rgb{210, 170, 80});
        p.Cylinder(2.5, 0.5, 0.04, 0, 100, Rgb{180, 180, 180}, Rgb{60, 60, 60});
        plot.canvas.FillEllipse(p.X(2.5, 0.5), p.Y(2.5, 0.5, 104), 2.5, 4, Rgb{255, 170, 40});
        plot.canvas.FillEllipse(p.X(2.5, 0.5), p.Y(2.5, 0.5, 103), 1.2, 2, Rgb{255, 240, 150});
        break;
    }
    case 3: { // assembly plant with a car park
        p.BlockShadow(0.3, 0.3, 2.7, 1.7, 30);
        p.Box(0.3, 0.3, 2.7, 1.7, 0, 26, Cladding(Rgb{220, 222, 226}, 1.0), Rgb{170, 170, 170});
        p.SawtoothRoof(0.3, 0.3, 2.7, 1.7, 26, 8, 8, Rgb{140, 144, 150});
        p.Patch(0.3, 1.9, 2.7, 2.8, Rgb{92, 96, 104});
        for (int i = 0; i < 10; ++i)
            p.Car(0.45 + (i % 5) * 0.45, 2.1 + (i / 5) * 0.4, false,
                  i % 3 == 0 ? Rgb{200, 40, 40} : i % 3 == 1 ? Rgb{230, 230, 230} : Rgb{40, 80, 160});
        break;
    }
    case 4: { // cement works: silos, kiln and conveyor
        for (int i = 0; i < 4; ++i) p.Cylinder(0.5 + (i % 2) * 0.45, 0.5 + (i / 2) * 0.45, 0.2, 0, 90, Rgb{214, 210, 200}, Rgb{190, 186, 176});
        p.Box(0.3, 0.3, 1.15, 1.15, 90, 100, Cladding(Rgb{180, 176, 168}), Rgb{160, 156, 150});
        FillFaceColour(plot.canvas, p.Frame(), {1.15, 0.7, 80}, {1.2, 0, -72}, {0, 0.12, 0}, Rgb{80, 80, 84});
        p.BlockShadow(1.5, 1.3, 2.7, 2.6, 30);
        p.Box(1.5, 1.3, 2.7, 2.6, 0, 28, Cladding(Rgb{170, 160, 150}, 0.6), Rgb{140, 136, 130});
        Chimney(plot, 2.4, 0.6, 0.08, 0, 100, 1, true);
        break;
    }
    default: { // heavy works with four stacks
        p.BlockShadow(0.4, 0.9, 2.6, 2.5, 44);
        p.Box(0.4, 0.9, 2.6, 2.5, 0, 44, FlatWalls(Rgb{150, 74, 54}, s), Rgb{100, 92, 88});
        p.SawtoothRoof(0.4, 0.9, 2.6, 2.5, 44, 6, 8, Rgb{90, 94, 100});
        for (int i = 0; i < 4; ++i) Chimney(plot, 0.6 + i * 0.5, 0.45, 0.08, 0, 96, i % 4, true);
        break;
    }
    }
    return plot.canvas;
}

// ---- construction sites -------------------------------------------------------------

Canvas Site(const PictureShape& shape) {
    Plot plot(shape);
    auto& p = plot.p;
    const double n = shape.footprint;
    const std::uint32_t s = plot.seed;
    p.Ground([&](double u, double v) {
        Rgb c = Mix(Rgb{150, 116, 78}, Rgb{176, 140, 96}, TileNoise(u, v, 6, s));
        const double d = std::min(std::min(u, v), std::min(n - u, n - v));
        if (d < 0.05) c = (int(std::floor((u + v) * 8)) % 2) ? Rgb{240, 200, 40} : Rgb{40, 40, 40};
        return std::optional<Rgb>(c);
    });
    if (shape.code == 1) {
        p.Patch(0.25, 0.25, 0.75, 0.75, Rgb{186, 184, 176}, 1);
        p.Scaffold(0.3, 0.3, 0.7, 0.7, 16);
        p.PlainBox(0.1, 0.7, 0.3, 0.85, 0, 3, Rgb{190, 120, 80}, Rgb{200, 130, 90}); // bricks
        p.PlainBox(0.75, 0.15, 0.9, 0.3, 0, 5, Rgb{230, 180, 40}, Rgb{240, 200, 60});
        return plot.canvas;
    }
    if (shape.code == 2) {
        p.Patch(0.3, 0.3, 1.7, 1.7, Rgb{186, 184, 176}, 1);
        // A concrete frame going up: floors on columns.
        for (double z : {10.0, 20.0}) {
            for (double u : {0.35, 1.0, 1.65})
                for (double v : {0.35, 1.0, 1.65}) p.PlainBox(u - 0.03, v - 0.03, u + 0.03, v + 0.03, z - 10, z, Rgb{170, 168, 160}, Rgb{190, 188, 180});
            p.PlainBox(0.3, 0.3, 1.7, 1.7, z, z + 1.5, Rgb{190, 188, 180}, Rgb{200, 198, 190});
        }
        p.Scaffold(0.3, 0.3, 1.7, 1.7, 28);
        p.PlainBox(1.75, 0.2, 1.95, 0.5, 0, 8, Rgb{230, 180, 40}, Rgb{240, 200, 60});
        return plot.canvas;
    }
    // The large site: a frame three floors up and a tower crane.
    for (double z : {10.0, 20.0, 30.0}) {
        for (double u : {0.5, 1.2, 1.9})
            for (double v : {0.5, 1.2, 1.9}) p.PlainBox(u - 0.04, v - 0.04, u + 0.04, v + 0.04, z - 10, z, Rgb{170, 168, 160}, Rgb{190, 188, 180});
        p.PlainBox(0.45, 0.45, 1.95, 1.95, z, z + 1.5, Rgb{190, 188, 180}, Rgb{200, 198, 190});
    }
    p.Scaffold(0.45, 0.45, 1.95, 1.95, 38);
    const Rgb crane{236, 190, 30};
    const double cu = 2.35;
    const double cv = 0.6;
    for (double z = 0; z < 76; z += 1) {
        plot.canvas.Set(int(p.X(cu, cv)) - 1, int(p.Y(cu, cv, z)), crane);
        plot.canvas.Set(int(p.X(cu, cv)) + 1, int(p.Y(cu, cv, z)), Shade(crane, 0.7));
        if (int(z) % 4 == 0) plot.canvas.Set(int(p.X(cu, cv)), int(p.Y(cu, cv, z)), crane);
    }
    // The jib reaches back over the building; the counter-jib carries a weight.
    plot.canvas.Line(p.X(cu, cv) - 60, p.Y(cu, cv, 76) + 0, p.X(cu, cv) + 16, p.Y(cu, cv, 76), crane);
    plot.canvas.Line(p.X(cu, cv) - 60, p.Y(cu, cv, 76) + 1, p.X(cu, cv) + 16, p.Y(cu, cv, 76) + 1, Shade(crane, 0.7));
    plot.canvas.Line(p.X(cu, cv), p.Y(cu, cv, 84), p.X(cu, cv) - 60, p.Y(cu, cv, 76), Shade(crane, 0.8));
    plot.canvas.Line(p.X(cu, cv), p.Y(cu, cv, 84), p.X(cu, cv) + 16, p.Y(cu, cv, 76), Shade(crane, 0.8));
    plot.canvas.FillRect(int(p.X(cu, cv)) + 10, int(p.Y(cu, cv, 76)) + 2, 6, 4, Rgb{110, 110, 110});
    plot.canvas.FillRect(int(p.X(cu, cv)) - 2, int(p.Y(cu, cv, 76)) - 1, 5, 4, Rgb{60, 90, 140});
    plot.canvas.Line(p.X(cu, cv) - 40, p.Y(cu, cv, 76) + 2, p.X(cu, cv) - 40, p.Y(cu, cv, 50), Rgb{50, 50, 50});
    plot.canvas.FillRect(int(p.X(cu, cv)) - 43, int(p.Y(cu, cv, 50)), 7, 3, Rgb{150, 110, 70});
    return plot.canvas;
}

} // namespace

Canvas PaintZoneBuilding(const PictureShape& shape) {
    const int code = shape.code;
    if (code <= 3) return Site(shape);
    if (code <= 54) return Residential1(shape);
    if (code <= 59) return Residential2(shape);
    if (code <= 64) return Residential3(shape);
    if (code <= 71) return Commercial1(shape);
    if (code <= 76) return Commercial2(shape);
    if (code <= 81) return Commercial3(shape, 0);
    if (code <= 88) return Industrial1(shape);
    if (code <= 93) return Industrial2(shape, 0);
    if (code <= 98) return Industrial3(shape);
    if (code >= 183 && code <= 185) return Commercial3(shape, code - 182);
    return Industrial2(shape, code - 185); // 186 to 188
}

} // namespace art
