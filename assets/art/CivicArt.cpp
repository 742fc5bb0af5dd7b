// Gifts, transport buildings, airport and sea port, power plants, water works,
// public services, parks and their animation frames.
#include "ArtPainters.h"
#include "IsoPainter.h"

#include <algorithm>
#include <cmath>

namespace art {
namespace {

constexpr double kPi = 3.14159265358979323846;
double Frac(double x) { return x - std::floor(x); }

struct Plot {
    explicit Plot(const PictureShape& shape)
        : canvas(shape.width, shape.height), p(canvas, IsoFrame::For(shape.footprint, shape.height)), n(shape.footprint),
          seed(std::uint32_t(shape.code) * 104729u) {}
    Canvas canvas;
    IsoPainter p;
    double n;
    std::uint32_t seed;
};

void Lawn(Plot& plot) {
    plot.p.Ground([](double u, double v) { return std::optional<Rgb>(GrassAt(u, v, 4)); });
}
void Paved(Plot& plot, Rgb base) {
    plot.p.Ground([base](double u, double v) { return std::optional<Rgb>(PavingAt(u, v, base)); });
}
void Concrete(Plot& plot) {
    const std::uint32_t s = plot.seed;
    plot.p.Ground([s](double u, double v) {
        Rgb c = Mix(Rgb{160, 158, 150}, Rgb{176, 174, 166}, TileNoise(u, v, 5, s));
        if (Frac(u * 2) < 0.02 || Frac(v * 2) < 0.02) c = Shade(c, 0.9);
        return std::optional<Rgb>(c);
    });
}

WallStyle Walls(Rgb wall, std::uint32_t seed, double floor = 8) {
    WallStyle s;
    s.wall = wall;
    s.trim = Mix(wall, Rgb{255, 255, 255}, 0.45);
    s.glass = Rgb{60, 100, 140};
    s.floorHeight = floor;
    s.windowPitch = 0.15;
    s.windowWidth = 0.5;
    s.windowHeight = 0.5;
    s.seed = seed;
    return s;
}
WallStyle Clad(Rgb wall, double door = -1) {
    WallStyle s;
    s.wall = wall;
    s.ribbed = true;
    s.doorAt = door;
    return s;
}

// A row of columns along the front (left) wall of a building, with steps before it.
void Portico(Plot& plot, double u0, double u1, double v, double height, Rgb stone) {
    auto& p = plot.p;
    p.PlainBox(u0 - 0.05, v, u1 + 0.05, v + 0.12, 0, 2, Shade(stone, 0.95), stone);
    for (double u = u0; u <= u1 + 1e-6; u += (u1 - u0) / 5) p.Cylinder(u, v + 0.06, 0.025, 2, height, stone, stone);
    p.PlainBox(u0 - 0.05, v - 0.02, u1 + 0.05, v + 0.12, height, height + 3, stone, Shade(stone, 1.08));
    FillFaceColour(plot.canvas, p.Frame(), {u0 - 0.05, v + 0.12, height + 3}, {u1 - u0 + 0.1, 0, 0},
                   {(u1 - u0 + 0.1) / 2, 0, 7}, Shade(stone, kLightLeft), true);
}

void Flag(Plot& plot, double u, double v, double z0, double height, Rgb colour) {
    plot.p.Pole(u, v, z0, z0 + height, Rgb{220, 220, 220});
    const int x = int(std::lround(plot.p.X(u, v)));
    const int y = int(std::lround(plot.p.Y(u, v, z0 + height)));
    plot.canvas.FillRect(x + 1, y, 6, 4, colour);
    plot.canvas.FillRect(x + 1, y + 1, 6, 1, Shade(colour, 1.3));
}

void Tree(Plot& plot, double u, double v, double size, int i) { plot.p.Tree(u, v, size, plot.seed + std::uint32_t(i)); }

// ---- gifts -------------------------------------------------------------------------

Canvas CityHall(const PictureShape& shape) {
    Plot plot(shape);
    auto& p = plot.p;
    Paved(plot, Rgb{206, 198, 178});
    const Rgb stone{230, 222, 200};
    p.BlockShadow(0.4, 0.5, 2.6, 1.9, 50);
    p.Box(0.4, 0.5, 2.6, 1.9, 0, 34, Walls(stone, plot.seed, 11), stone);
    p.Parapet(0.4, 0.5, 2.6, 1.9, 34, 3, Shade(stone, 0.95));
    Portico(plot, 1.0, 2.0, 1.9, 26, Rgb{240, 236, 220});
    p.Cylinder(1.5, 1.2, 0.4, 34, 48, stone, stone);
    p.Revolve(1.5, 1.2, 48, 66, [](double z) { const double t = (z - 48) / 18; return 0.42 * std::sqrt(std::max(0.0, 1 - t * t)); },
              [](double) { return Rgb{90, 160, 140}; }, Rgb{120, 190, 170});
    p.Pole(1.5, 1.2, 66, 74, Rgb{230, 200, 80});
    Flag(plot, 0.6, 2.5, 0, 22, Rgb{40, 90, 180});
    Flag(plot, 2.4, 2.5, 0, 22, Rgb{40, 90, 180});
    Tree(plot, 0.3, 2.7, 9, 1);
    Tree(plot, 2.7, 0.3, 9, 2);
    return plot.canvas;
}

void FountainWater(Plot& plot, int frameIndex) {
    auto& p = plot.p;
    const double cx = p.X(1, 1);
    const double base = p.Y(1, 1, 6);
    // Jets rise and fall through the four frames; drops sparkle at different heights.
    const double h = 16 + 4 * std::sin(frameIndex * kPi / 2);
    for (int k = -3; k <= 3; ++k) {
        const double spread = k * 3.0;
        for (double t = 0; t <= 1.0; t += 0.03) {
            const double x = cx + spread * t;
            const double y = base - h * (1 - (2 * t - 1) * (2 * t - 1)) * (k == 0 ? 1.3 : 0.9) - t * 2;
            plot.canvas.Set(int(std::lround(x)), int(std::lround(y)), Mix(Rgb{170, 220, 245}, Rgb{250, 252, 255}, t));
        }
    }
    for (int i = 0; i < 8; ++i) {
        const double a = i * kPi / 4 + frameIndex * 0.4;
        const double r = 10 + 3 * Frac(i * 0.37 + frameIndex * 0.25);
        plot.canvas.Set(int(cx + std::cos(a) * r * 1.4), int(base + 4 + std::sin(a) * r * 0.6), Rgb{230, 245, 255});
    }
}

Canvas Fountain(const PictureShape& shape, int frameIndex) {
    Plot plot(shape);
    auto& p = plot.p;
    Paved(plot, Rgb{214, 204, 180});
    p.Revolve(1, 1, 0, 4, [](double) { return 0.62; }, [](double) { return Rgb{210, 200, 180}; }, Rgb{226, 216, 196});
    plot.canvas.FillEllipse(p.X(1, 1), p.Y(1, 1, 4), 24, 12, Rgb{60, 140, 190});
    for (int i = 0; i < 40; ++i) {
        const double a = i * 2 * kPi / 40;
        const double r = 0.3 + 0.2 * Frac(i * 0.618 + frameIndex * 0.25);
        plot.canvas.Set(int(p.X(1, 1) + std::cos(a) * r * 40), int(p.Y(1, 1, 4) + std::sin(a) * r * 20), Rgb{150, 210, 236});
    }
    p.Cylinder(1, 1, 0.12, 4, 8, Rgb{220, 210, 190}, Rgb{236, 226, 206});
    FountainWater(plot, frameIndex);
    Tree(plot, 0.15, 1.85, 8, 1);
    Tree(plot, 1.85, 0.15, 8, 2);
    return plot.canvas;
}

Canvas Statue(const PictureShape& shape) {
    Plot plot(shape);
    auto& p = plot.p;
    Paved(plot, Rgb{210, 200, 180});
    p.PlainBox(0.3, 0.3, 0.7, 0.7, 0, 4, Rgb{200, 196, 186}, Rgb{220, 216, 206});
    p.PlainBox(0.4, 0.4, 0.6, 0.6, 4, 14, Rgb{220, 216, 206}, Rgb{230, 226, 216});
    // A bronze figure raising one arm.
    const int x = int(std::lround(p.X(0.5, 0.5)));
    const int y = int(std::lround(p.Y(0.5, 0.5, 14)));
    const Rgb bronze{120, 150, 110};
    const Rgb lit{160, 190, 140};
    plot.canvas.FillRect(x - 1, y - 10, 3, 10, bronze);
    plot.canvas.FillRect(x - 1, y - 10, 1, 10, lit);
    plot.canvas.FillRect(x - 1, y - 13, 3, 3, lit);
    plot.canvas.Line(x + 1, y - 9, x + 4, y - 17, bronze);
    plot.canvas.Line(x - 1, y - 8, x - 3, y - 4, bronze);
    return plot.canvas;
}

Canvas YourHouse(const PictureShape& shape) {
    Plot plot(shape);
    auto& p = plot.p;
    Lawn(plot);
    p.Patch(1.2, 1.25, 1.8, 1.75, Rgb{90, 190, 220});
    p.Patch(0.9, 1.7, 1.0, 2.0, Rgb{210, 200, 176});
    const Rgb wall{244, 236, 216};
    p.BlockShadow(0.3, 0.3, 1.5, 1.1, 30);
    p.Box(0.3, 0.3, 1.5, 1.1, 0, 20, Walls(wall, plot.seed, 10), wall);
    p.HipRoof(0.27, 0.27, 1.53, 1.13, 20, 12, Rgb{170, 70, 44});
    p.Box(0.3, 1.1, 0.8, 1.5, 0, 12, Walls(wall, plot.seed + 1, 10), wall);
    p.HipRoof(0.28, 1.08, 0.82, 1.52, 12, 7, Rgb{170, 70, 44});
    Portico(plot, 0.95, 1.35, 1.1, 14, Rgb{250, 248, 240});
    for (int i = 0; i < 6; ++i) p.Bush(0.1 + i * 0.3, 1.9, 4, plot.seed + std::uint32_t(i));
    Tree(plot, 1.8, 0.3, 12, 3);
    Tree(plot, 1.8, 0.8, 10, 4);
    return plot.canvas;
}

// ---- transport ---------------------------------------------------------------------

void Bus(Plot& plot, double u, double v, bool alongU, Rgb colour) {
    const double l = 0.4, w = 0.1;
    const double du = alongU ? l : w, dv = alongU ? w : l;
    WallStyle s;
    s.wall = colour;
    s.glass = Rgb{50, 70, 90};
    s.floorHeight = 7;
    s.windowPitch = 0.07;
    s.ribbon = true;
    s.windowHeight = 0.45;
    s.lit = false;
    plot.p.Box(u - du / 2, v - dv / 2, u + du / 2, v + dv / 2, 0, 7, s, Rgb{236, 236, 230});
}

Canvas BusStation(const PictureShape& shape) {
    Plot plot(shape);
    auto& p = plot.p;
    p.Ground([](double u, double v) {
        Rgb c = Mix(Rgb{70, 74, 84}, Rgb{86, 90, 98}, TileNoise(u, v, 6, 5));
        if (Frac(v * 2.5) < 0.03) c = Rgb{230, 200, 60};
        return std::optional<Rgb>(c);
    });
    p.BlockShadow(0.2, 0.2, 0.6, 1.8, 14);
    p.Box(0.2, 0.2, 0.6, 1.8, 0, 12, Walls(Rgb{220, 220, 214}, plot.seed, 12), Rgb{150, 150, 150});
    Bus(plot, 1.2, 0.5, true, Rgb{200, 40, 40});
    Bus(plot, 1.2, 1.0, true, Rgb{230, 170, 30});
    Bus(plot, 1.2, 1.5, true, Rgb{200, 40, 40});
    for (double v : {0.3, 0.75, 1.25, 1.7}) p.Pole(0.75, v, 0, 16, Rgb{200, 200, 200});
    p.PlainBox(0.6, 0.2, 0.95, 1.8, 16, 18, Rgb{200, 204, 210}, Rgb{220, 226, 232});
    return plot.canvas;
}

Canvas Station(const PictureShape& shape) {
    Plot plot(shape);
    auto& p = plot.p;
    Paved(plot, Rgb{200, 192, 176});
    // Platforms with a canopy on the east half, the booking hall on the west.
    p.Patch(1.15, 0.0, 1.85, 2.0, Rgb{190, 186, 178}, 2);
    FillFaceColour(plot.canvas, p.Frame(), {1.15, 2.0, 0}, {0.7, 0, 0}, {0, 0, 2}, Rgb{150, 146, 138});
    for (double v : {0.3, 0.8, 1.3, 1.8}) {
        p.Pole(1.3, v, 2, 16, Rgb{90, 90, 100});
        p.Pole(1.7, v, 2, 16, Rgb{90, 90, 100});
    }
    p.GableRoof(1.2, 0.1, 1.8, 1.9, 16, 5, false, Rgb{110, 130, 150}, Rgb{200, 200, 200});
    const Rgb brick{176, 92, 64};
    p.BlockShadow(0.15, 0.3, 0.95, 1.7, 30);
    p.Box(0.15, 0.3, 0.95, 1.7, 0, 20, Walls(brick, plot.seed, 10), brick);
    p.GableRoof(0.15, 0.3, 0.95, 1.7, 20, 9, false, Rgb{80, 90, 110}, brick);
    p.Box(0.4, 0.75, 0.7, 1.05, 20, 38, Walls(brick, plot.seed + 1, 9), brick);
    p.HipRoof(0.38, 0.73, 0.72, 1.07, 38, 8, Rgb{80, 90, 110});
    plot.canvas.FillEllipse(p.X(0.55, 1.05) - 2, p.Y(0.55, 1.05, 31), 2.5, 2.5, Rgb{250, 250, 240});
    return plot.canvas;
}

Canvas SubStation(const PictureShape& shape) {
    Plot plot(shape);
    auto& p = plot.p;
    Paved(plot, Rgb{200, 192, 176});
    // The entrance to the underground line: stairs going down and a glass canopy.
    p.Patch(0.3, 0.35, 0.7, 0.8, Rgb{60, 60, 66});
    for (int i = 0; i < 5; ++i) p.Patch(0.3, 0.4 + i * 0.08, 0.7, 0.43 + i * 0.08, Rgb{150, 150, 156});
    p.PlainBox(0.28, 0.3, 0.3, 0.8, 0, 4, Rgb{180, 180, 186}, Rgb{200, 200, 206});
    p.PlainBox(0.7, 0.3, 0.72, 0.8, 0, 4, Rgb{180, 180, 186}, Rgb{200, 200, 206});
    p.Pole(0.8, 0.2, 0, 18, Rgb{80, 80, 90});
    const int x = int(std::lround(p.X(0.8, 0.2)));
    const int y = int(std::lround(p.Y(0.8, 0.2, 18)));
    // The line's sign: a blue square with a white arrow pointing down the stairs.
    plot.canvas.FillRect(x - 4, y - 8, 9, 9, Rgb{30, 80, 170});
    plot.canvas.FillRect(x - 4, y - 8, 9, 1, Rgb{70, 120, 210});
    for (int i = 0; i < 4; ++i) plot.canvas.FillRect(x - 3 + i, y - 5 + i, 7 - 2 * i, 1, Rgb{250, 250, 250});
    plot.canvas.FillRect(x, y - 7, 1, 2, Rgb{250, 250, 250});
    p.Tree(0.2, 0.85, 7, plot.seed);
    return plot.canvas;
}

// ---- airport -------------------------------------------------------------------------

void Aeroplane(Plot& plot, double u, double v, double z, double scale) {
    auto& p = plot.p;
    const Rgb body{240, 240, 244};
    p.PlainBox(u - 0.35 * scale, v - 0.04 * scale, u + 0.35 * scale, v + 0.04 * scale, z, z + 5 * scale, body, Shade(body, 1.02));
    p.PlainBox(u - 0.08 * scale, v - 0.4 * scale, u + 0.06 * scale, v + 0.4 * scale, z + 2 * scale, z + 3 * scale, Rgb{210, 210, 216}, Rgb{226, 226, 232});
    p.PlainBox(u - 0.35 * scale, v - 0.02 * scale, u - 0.28 * scale, v + 0.02 * scale, z + 5 * scale, z + 10 * scale, Rgb{40, 80, 160}, Rgb{60, 100, 180});
}

Canvas AirportBuilding(const PictureShape& shape) {
    Plot plot(shape);
    auto& p = plot.p;
    Concrete(plot);
    switch (shape.code) {
    case 24: // fuel depot
        p.Cylinder(0.35, 0.4, 0.15, 0, 12, Rgb{236, 236, 230}, Rgb{246, 246, 240});
        p.Cylinder(0.7, 0.55, 0.15, 0, 12, Rgb{236, 236, 230}, Rgb{246, 246, 240});
        p.PlainBox(0.3, 0.75, 0.6, 0.9, 0, 6, Rgb{230, 180, 40}, Rgb{240, 200, 60});
        break;
    case 25: // control tower
        p.Cylinder(0.5, 0.5, 0.1, 0, 42, Rgb{230, 230, 226}, Rgb{230, 230, 226});
        p.Revolve(0.5, 0.5, 42, 52, [](double z) { return 0.2 - (z - 42) * 0.004; },
                  [](double z) { return z < 50 ? Rgb{60, 120, 150} : Rgb{230, 230, 226}; }, Rgb{200, 200, 200});
        p.Pole(0.5, 0.5, 52, 58, Rgb{200, 40, 40});
        break;
    case 26: { // terminal
        p.BlockShadow(0.2, 0.3, 1.8, 1.3, 30);
        p.Box(0.2, 0.3, 1.8, 1.3, 0, 22, [&] {
            WallStyle s;
            s.curtain = true;
            s.glass = Rgb{80, 150, 190};
            s.trim = Rgb{220, 220, 226};
            s.wall = s.trim;
            s.floorHeight = 11;
            s.windowPitch = 0.14;
            s.seed = plot.seed;
            return s;
        }(), Rgb{210, 214, 220});
        FillFace(plot.canvas, p.Frame(), {0.15, 0.25, 22}, {1.7, 0, 0}, {0, 1.1, 0}, [](double a, double) {
            return std::optional<Rgb>(Frac(a * 12) < 0.5 ? Rgb{230, 232, 236} : Rgb{210, 214, 220});
        });
        Aeroplane(plot, 1.0, 1.7, 0, 1.0);
        break;
    }
    case 27: // radar
        p.PlainBox(0.35, 0.35, 0.65, 0.65, 0, 8, Rgb{220, 220, 216}, Rgb{236, 236, 232});
        p.Pole(0.5, 0.5, 8, 20, Rgb{150, 150, 150});
        p.Revolve(0.5, 0.5, 20, 34, [](double z) { const double t = (z - 20) / 14; return 0.24 * std::sqrt(std::max(0.0, 1 - (2 * t - 1) * (2 * t - 1))); },
                  [](double) { return Rgb{240, 240, 240}; }, Rgb{250, 250, 250});
        break;
    default: // 28, hangar
        p.BlockShadow(0.2, 0.2, 1.8, 1.5, 34);
        p.Box(0.2, 0.2, 1.8, 1.5, 0, 20, Clad(Rgb{190, 196, 204}), Rgb{170, 170, 170});
        p.GableRoof(0.2, 0.2, 1.8, 1.5, 20, 14, true, Rgb{150, 160, 170}, Rgb{190, 196, 204});
        FillFaceColour(plot.canvas, p.Frame(), {0.5, 1.501, 0}, {1.0, 0, 0}, {0, 0, 17}, Rgb{70, 76, 84});
        Aeroplane(plot, 1.0, 1.75, 0, 0.7);
        break;
    }
    return plot.canvas;
}

// ---- sea port --------------------------------------------------------------------------

Canvas PortBuilding(const PictureShape& shape) {
    Plot plot(shape);
    auto& p = plot.p;
    Concrete(plot);
    const Rgb boxes[5] = {{200, 60, 40}, {40, 110, 170}, {60, 140, 80}, {220, 170, 40}, {230, 230, 224}};
    switch (shape.code) {
    case 31: // warehouse
        p.BlockShadow(0.2, 0.2, 1.8, 1.4, 30);
        p.Box(0.2, 0.2, 1.8, 1.4, 0, 24, Clad(Rgb{170, 130, 90}, 0.8), Rgb{170, 170, 170});
        p.GableRoof(0.2, 0.2, 1.8, 1.4, 24, 9, true, Rgb{110, 116, 124}, Rgb{170, 130, 90});
        for (int i = 0; i < 4; ++i) p.PlainBox(0.3 + i * 0.35, 1.6, 0.6 + i * 0.35, 1.8, 0, 7, boxes[i], Shade(boxes[i], 1.15));
        break;
    case 32: { // container crane
        for (int i = 0; i < 6; ++i)
            p.PlainBox(0.2 + (i % 3) * 0.35, 1.2 + (i / 3) * 0.3, 0.5 + (i % 3) * 0.35, 1.45 + (i / 3) * 0.3, 0, 7, boxes[i % 5],
                       Shade(boxes[i % 5], 1.15));
        const Rgb crane{220, 80, 40};
        for (double u : {0.6, 1.4})
            for (double v : {0.3, 0.9}) p.PlainBox(u - 0.03, v - 0.03, u + 0.03, v + 0.03, 0, 50, crane, crane);
        p.PlainBox(0.55, 0.0, 1.45, 1.2, 50, 55, crane, Shade(crane, 1.1));
        p.PlainBox(0.7, 0.1, 1.3, 0.5, 55, 62, Rgb{230, 230, 224}, Rgb{240, 240, 236});
        break;
    }
    case 33: // harbour office
        p.BlockShadow(0.25, 0.25, 0.75, 0.75, 20);
        p.Box(0.25, 0.25, 0.75, 0.75, 0, 16, Walls(Rgb{236, 236, 226}, plot.seed), Rgb{200, 200, 196});
        p.HipRoof(0.23, 0.23, 0.77, 0.77, 16, 6, Rgb{40, 90, 140});
        Flag(plot, 0.15, 0.85, 0, 20, Rgb{40, 120, 200});
        break;
    default: // 35, stacked containers
        for (int i = 0; i < 4; ++i)
            p.PlainBox(0.15 + (i % 2) * 0.4, 0.2 + (i / 2) * 0.35, 0.5 + (i % 2) * 0.4, 0.48 + (i / 2) * 0.35, 0, 7, boxes[i], Shade(boxes[i], 1.15));
        p.PlainBox(0.15, 0.2, 0.5, 0.48, 7, 14, boxes[4], Shade(boxes[4], 1.1));
        break;
    }
    return plot.canvas;
}

// ---- power ---------------------------------------------------------------------------

void PlantChimney(Plot& plot, double u, double v, double r, double height, int frameIndex, double smokeScale) {
    plot.p.Revolve(u, v, 0, height, [r](double) { return r; },
                   [height](double z) { return z > height - 10 && z < height - 5 ? Rgb{210, 50, 40} : Rgb{196, 192, 184}; },
                   Rgb{50, 46, 44}, true);
    if (smokeScale > 0) plot.p.Smoke(u, v, height, frameIndex, smokeScale, Rgb{150, 148, 146});
}

Canvas CoalPlant(const PictureShape& shape, int frameIndex) {
    Plot plot(shape);
    auto& p = plot.p;
    Concrete(plot);
    // Coal heaps.
    for (int i = 0; i < 2; ++i)
        p.Revolve(0.6 + i * 0.7, 3.3, 0, 12, [](double z) { return 0.32 * (1 - z / 13); }, [](double) { return Rgb{50, 48, 48}; },
                  Rgb{40, 40, 40});
    p.BlockShadow(0.4, 1.0, 3.0, 2.8, 50);
    p.Box(0.4, 1.0, 3.0, 2.8, 0, 44, Walls(Rgb{150, 80, 60}, plot.seed, 11), Rgb{100, 96, 94});
    p.GableRoof(0.4, 1.0, 3.0, 2.8, 44, 10, true, Rgb{90, 94, 100}, Rgb{150, 80, 60});
    p.Box(3.0, 1.4, 3.7, 2.4, 0, 30, Clad(Rgb{170, 170, 166}), Rgb{140, 140, 140});
    PlantChimney(plot, 1.2, 0.5, 0.16, 110, frameIndex, 1.5);
    PlantChimney(plot, 2.3, 0.5, 0.16, 110, (frameIndex + 2) % 4, 1.5);
    // Conveyor from the heaps.
    FillFaceColour(plot.canvas, p.Frame(), {1.3, 3.2, 4}, {0, -0.4, 30}, {0.12, 0, 0}, Rgb{70, 70, 74});
    return plot.canvas;
}

Canvas OilPlant(const PictureShape& shape, int frameIndex) {
    Plot plot(shape);
    auto& p = plot.p;
    Concrete(plot);
    for (int i = 0; i < 3; ++i) p.Cylinder(0.6 + i * 0.75, 0.6, 0.3, 0, 20, Rgb{226, 226, 220}, Rgb{236, 236, 230});
    p.BlockShadow(0.8, 1.6, 3.2, 3.3, 40);
    p.Box(0.8, 1.6, 3.2, 3.3, 0, 36, Walls(Rgb{200, 196, 186}, plot.seed, 12), Rgb{120, 120, 120});
    p.Parapet(0.8, 1.6, 3.2, 3.3, 36, 2, Rgb{180, 176, 168});
    PlantChimney(plot, 3.4, 0.8, 0.12, 92, frameIndex, 1.2);
    // Flare stack with a flickering flame.
    p.Cylinder(0.35, 3.6, 0.04, 0, 70, Rgb{180, 180, 180}, Rgb{60, 60, 60});
    const double fx = p.X(0.35, 3.6);
    const double fy = p.Y(0.35, 3.6, 70);
    const double flick[4] = {6, 8, 5, 7};
    plot.canvas.FillEllipse(fx, fy - flick[frameIndex] / 2, 3, flick[frameIndex] / 2 + 1, Rgb{250, 150, 40});
    plot.canvas.FillEllipse(fx, fy - flick[frameIndex] / 3, 1.5, flick[frameIndex] / 3 + 0.5, Rgb{255, 236, 140});
    p.PlainBox(0.3, 1.2, 3.6, 1.27, 6, 9, Rgb{180, 150, 60}, Rgb{200, 170, 80});
    return plot.canvas;
}

Canvas GasPlant(const PictureShape& shape) {
    Plot plot(shape);
    auto& p = plot.p;
    Concrete(plot);
    for (int i = 0; i < 2; ++i)
        p.Revolve(0.9 + i * 1.2, 0.9, 0, 44, [](double) { return 0.45; },
                  [](double z) { return Frac(z / 8) < 0.15 ? Rgb{110, 130, 120} : Rgb{150, 176, 160}; }, Rgb{170, 190, 176});
    p.BlockShadow(0.6, 2.0, 3.4, 3.4, 36);
    p.Box(0.6, 2.0, 3.4, 3.4, 0, 32, Clad(Rgb{200, 210, 220}, 1.0), Rgb{160, 170, 180});
    p.GableRoof(0.6, 2.0, 3.4, 3.4, 32, 8, true, Rgb{100, 120, 150}, Rgb{200, 210, 220});
    for (int i = 0; i < 3; ++i) PlantChimney(plot, 2.9 + i * 0.25, 1.0, 0.07, 60, 0, 0);
    return plot.canvas;
}

void CoolingTower(Plot& plot, double u, double v, double height, double r, int frameIndex) {
    plot.p.Revolve(u, v, 0, height, [height, r](double z) {
        const double t = z / height;
        return r * (0.72 + 0.5 * (t - 0.68) * (t - 0.68));
    }, [](double z) { return Frac(z / 40) < 0.03 ? Rgb{180, 180, 176} : Rgb{220, 218, 212}; }, Rgb{200, 198, 192}, true);
    // Steam, white and billowing.
    plot.p.Smoke(u, v, height, frameIndex, 2.2, Rgb{246, 246, 246});
}

Canvas NuclearPlant(const PictureShape& shape) {
    Plot plot(shape);
    auto& p = plot.p;
    Concrete(plot);
    CoolingTower(plot, 0.9, 0.9, 80, 0.55, 0);
    CoolingTower(plot, 2.3, 0.7, 80, 0.55, 2);
    p.BlockShadow(1.8, 2.0, 3.5, 3.5, 30);
    p.Box(1.8, 2.0, 3.5, 3.5, 0, 24, Walls(Rgb{210, 214, 220}, plot.seed, 12), Rgb{150, 156, 164});
    p.Revolve(1.0, 2.8, 0, 44, [](double z) { return z < 24 ? 0.55 : 0.55 * std::sqrt(std::max(0.0, 1 - (z - 24) * (z - 24) / 400.0)); },
              [](double) { return Rgb{226, 226, 220}; }, Rgb{236, 236, 230});
    return plot.canvas;
}

void Rotor(Canvas& canvas, double x, double y, int frameIndex, double length) {
    // Three blades; four frames turn the rotor by 30 degrees each, a third of a blade step.
    for (int b = 0; b < 3; ++b) {
        const double a = -kPi / 2 + b * 2 * kPi / 3 + frameIndex * kPi / 6;
        const double ex = x + std::cos(a) * length;
        const double ey = y + std::sin(a) * length;
        canvas.Line(x, y, ex, ey, Rgb{246, 246, 246});
        canvas.Line(x + 1, y, ex + 1, ey, Rgb{190, 190, 196});
    }
    canvas.FillRect(int(x) - 1, int(y) - 1, 3, 3, Rgb{200, 200, 206});
}

Canvas WindTurbine(const PictureShape& shape, int frameIndex) {
    Plot plot(shape);
    auto& p = plot.p;
    Lawn(plot);
    p.PlainBox(0.4, 0.4, 0.6, 0.6, 0, 2, Rgb{190, 190, 186}, Rgb{210, 210, 206});
    p.Revolve(0.5, 0.5, 2, 62, [](double z) { return 0.05 - z * 0.0004; }, [](double) { return Rgb{240, 240, 240}; }, Rgb{240, 240, 240});
    const double x = p.X(0.5, 0.5);
    const double y = p.Y(0.5, 0.5, 62);
    plot.canvas.FillRect(int(x) - 1, int(y) - 1, 5, 3, Rgb{226, 226, 226});
    Rotor(plot.canvas, x - 1, y, frameIndex, 22);
    return plot.canvas;
}

Canvas SolarPlant(const PictureShape& shape) {
    Plot plot(shape);
    auto& p = plot.p;
    Lawn(plot);
    for (int row = 0; row < 6; ++row)
        for (int col = 0; col < 3; ++col) {
            const double u0 = 0.2 + col * 0.9;
            const double v0 = 0.2 + row * 0.44;
            p.Pole(u0 + 0.1, v0 + 0.2, 0, 4, Rgb{100, 100, 100});
            p.Pole(u0 + 0.7, v0 + 0.2, 0, 4, Rgb{100, 100, 100});
            FillFace(plot.canvas, p.Frame(), {u0, v0 + 0.3, 3}, {0.8, 0, 0}, {0, -0.2, 8}, [](double a, double b) {
                const bool line = Frac(a * 8) < 0.12 || Frac(b * 3) < 0.15;
                return std::optional<Rgb>(line ? Rgb{170, 180, 200} : Mix(Rgb{30, 50, 110}, Rgb{70, 110, 190}, b));
            });
        }
    p.Box(2.5, 2.55, 2.85, 2.85, 0, 10, Walls(Rgb{220, 220, 216}, plot.seed), Rgb{180, 180, 180});
    return plot.canvas;
}

Canvas MicrowavePlant(const PictureShape& shape) {
    Plot plot(shape);
    auto& p = plot.p;
    Concrete(plot);
    p.BlockShadow(0.2, 1.2, 1.0, 1.8, 18);
    p.Box(0.2, 1.2, 1.0, 1.8, 0, 16, Walls(Rgb{220, 224, 230}, plot.seed), Rgb{170, 176, 186});
    // The great receiving dish, tilted up toward the sky.
    p.PlainBox(1.1, 0.8, 1.5, 1.2, 0, 16, Rgb{180, 180, 186}, Rgb{200, 200, 206});
    const double x = p.X(1.3, 1.0);
    const double y = p.Y(1.3, 1.0, 44);
    for (int j = -22; j <= 22; ++j)
        for (int i = -26; i <= 26; ++i) {
            const double nx = i / 26.0, ny = j / 22.0;
            const double d = nx * nx + ny * ny;
            if (d > 1) continue;
            const double light = 0.7 + 0.35 * (-nx * 0.6 - ny * 0.8 + 1) / 2;
            plot.canvas.Set(int(x) + i, int(y) + j, Shade(d > 0.88 ? Rgb{200, 200, 206} : Rgb{236, 236, 240}, light));
        }
    plot.canvas.Line(x, y, x + 10, y - 12, Rgb{120, 120, 130});
    plot.canvas.FillRect(int(x) + 9, int(y) - 14, 3, 3, Rgb{230, 60, 40});
    return plot.canvas;
}

Canvas SparePlant(const PictureShape& shape) {
    // Code 44 has no tool; it gets a turbine hall beside a dam-like intake.
    Plot plot(shape);
    auto& p = plot.p;
    Concrete(plot);
    p.Patch(0.2, 0.2, 3.8, 1.2, Rgb{50, 110, 170});
    p.BlockShadow(0.6, 1.6, 3.4, 3.4, 50);
    p.Box(0.6, 1.6, 3.4, 3.4, 0, 40, Walls(Rgb{200, 190, 170}, plot.seed, 10), Rgb{130, 126, 120});
    p.GableRoof(0.6, 1.6, 3.4, 3.4, 40, 12, true, Rgb{80, 100, 120}, Rgb{200, 190, 170});
    PlantChimney(plot, 3.6, 3.6, 0.1, 76, 0, 0);
    return plot.canvas;
}

// ---- water -----------------------------------------------------------------------------

Canvas WaterPump(const PictureShape& shape, int frameIndex) {
    Plot plot(shape);
    auto& p = plot.p;
    Lawn(plot);
    p.BlockShadow(0.2, 0.2, 0.6, 0.6, 14);
    p.Box(0.2, 0.2, 0.6, 0.6, 0, 12, Walls(Rgb{220, 226, 236}, plot.seed), Rgb{200, 206, 216});
    p.HipRoof(0.18, 0.18, 0.62, 0.62, 12, 6, Rgb{40, 100, 170});
    // Pipes to a small basin where the water churns through the frames.
    p.PlainBox(0.6, 0.35, 0.8, 0.42, 2, 4, Rgb{40, 110, 190}, Rgb{70, 140, 210});
    plot.canvas.FillEllipse(p.X(0.8, 0.75), p.Y(0.8, 0.75), 9, 4.5, Rgb{150, 150, 150});
    plot.canvas.FillEllipse(p.X(0.8, 0.75), p.Y(0.8, 0.75), 7.5, 3.5, Rgb{50, 130, 190});
    for (int i = 0; i < 6; ++i) {
        const double a = i * kPi / 3 + frameIndex * kPi / 6;
        plot.canvas.Set(int(p.X(0.8, 0.75) + std::cos(a) * 5), int(p.Y(0.8, 0.75) + std::sin(a) * 2.3), Rgb{200, 236, 250});
    }
    return plot.canvas;
}

void Clarifier(Plot& plot, double u, double v, double r) {
    auto& p = plot.p;
    p.Revolve(u, v, 0, 5, [r](double) { return r; }, [](double) { return Rgb{190, 188, 180}; }, Rgb{206, 204, 196});
    plot.canvas.FillEllipse(p.X(u, v), p.Y(u, v, 5), 42.4 * r * 0.85, 21.2 * r * 0.85, Rgb{70, 130, 120});
    plot.canvas.Line(p.X(u, v) - 42.4 * r * 0.85, p.Y(u, v, 6), p.X(u, v) + 42.4 * r * 0.85, p.Y(u, v, 6), Rgb{220, 220, 220});
}

Canvas Treatment(const PictureShape& shape) {
    Plot plot(shape);
    auto& p = plot.p;
    Lawn(plot);
    const bool uv = shape.code == 47;
    Clarifier(plot, 0.55, 0.55, 0.35);
    Clarifier(plot, 1.45, 0.55, 0.35);
    if (!uv) {
        Clarifier(plot, 0.55, 1.45, 0.35);
        p.Box(1.2, 1.2, 1.8, 1.8, 0, 14, Walls(Rgb{214, 206, 186}, plot.seed), Rgb{150, 150, 150});
        return plot.canvas;
    }
    Clarifier(plot, 2.4, 0.55, 0.35);
    Clarifier(plot, 0.55, 1.45, 0.35);
    p.BlockShadow(1.3, 1.4, 2.7, 2.6, 30);
    WallStyle w = Walls(Rgb{230, 234, 240}, plot.seed, 9);
    w.glass = Rgb{120, 200, 240};
    w.lit = false;
    p.Box(1.3, 1.4, 2.7, 2.6, 0, 26, w, Rgb{170, 180, 190});
    // Lamps on the roof glowing a cold blue.
    for (int i = 0; i < 4; ++i) p.Cylinder(1.5 + i * 0.3, 2.0, 0.06, 26, 32, Rgb{120, 200, 250}, Rgb{200, 240, 255});
    p.PlainBox(0.3, 2.2, 1.1, 2.7, 0, 10, Rgb{40, 110, 190}, Rgb{70, 140, 210});
    return plot.canvas;
}

// ---- religion and services --------------------------------------------------------------

void Spire(Plot& plot, double u, double v, double half, double z0, double z1, Rgb roof) {
    auto& p = plot.p;
    const Vec3 apex{u, v, z1};
    auto tri = [&](Vec3 a, Vec3 b, double light) {
        FillFaceColour(plot.canvas, p.Frame(), a, {b.u - a.u, b.v - a.v, 0}, {apex.u - a.u, apex.v - a.v, apex.z - a.z}, Shade(roof, light), true);
    };
    tri({u - half, v - half, z0}, {u + half, v - half, z0}, 0.9);
    tri({u - half, v + half, z0}, {u + half, v + half, z0}, kLightLeft);
    tri({u + half, v - half, z0}, {u + half, v + half, z0}, kLightRight);
    p.Pole(u, v, z1, z1 + 5, Rgb{230, 200, 80});
    plot.canvas.Line(p.X(u, v) - 2, p.Y(u, v, z1 + 3), p.X(u, v) + 2, p.Y(u, v, z1 + 3), Rgb{230, 200, 80});
}

Canvas Church(const PictureShape& shape) {
    Plot plot(shape);
    auto& p = plot.p;
    Lawn(plot);
    const Rgb stone{214, 204, 182};
    WallStyle w = Walls(stone, plot.seed, 16);
    w.windowPitch = 0.22;
    w.windowWidth = 0.3;
    w.windowHeight = 0.6;
    w.glass = Rgb{90, 70, 140};
    w.lit = false;
    p.BlockShadow(0.5, 0.6, 1.7, 1.3, 40);
    p.Box(0.5, 0.6, 1.7, 1.3, 0, 20, w, stone);
    p.GableRoof(0.5, 0.6, 1.7, 1.3, 20, 14, true, Rgb{84, 90, 110}, stone);
    p.Box(1.7, 0.7, 2.0, 1.2, 0, 14, w, stone);
    p.BlockShadow(0.2, 0.7, 0.5, 1.2, 70);
    p.Box(0.2, 0.7, 0.5, 1.2, 0, 40, w, stone);
    Spire(plot, 0.35, 0.95, 0.15, 40, 72, Rgb{84, 90, 110});
    for (int i = 0; i < 3; ++i) p.Tree(1.2 + i * 0.25, 1.75, 6, plot.seed + std::uint32_t(i), true);
    return plot.canvas;
}

Canvas Cathedral(const PictureShape& shape) {
    Plot plot(shape);
    auto& p = plot.p;
    Paved(plot, Rgb{206, 198, 180});
    const Rgb stone{220, 210, 186};
    WallStyle w = Walls(stone, plot.seed, 20);
    w.windowPitch = 0.2;
    w.windowWidth = 0.35;
    w.windowHeight = 0.65;
    w.glass = Rgb{70, 80, 150};
    w.lit = false;
    p.BlockShadow(0.8, 0.9, 2.8, 1.9, 60);
    p.Box(0.8, 0.9, 2.8, 1.9, 0, 40, w, stone);
    p.GableRoof(0.8, 0.9, 2.8, 1.9, 40, 20, true, Rgb{90, 140, 130}, stone);
    p.Box(1.6, 0.4, 2.1, 2.5, 0, 34, w, stone);
    p.GableRoof(1.6, 0.4, 2.1, 2.5, 34, 16, false, Rgb{90, 140, 130}, stone);
    for (double v : {0.9, 1.5}) {
        p.BlockShadow(0.3, v, 0.8, v + 0.4, 100);
        p.Box(0.3, v, 0.75, v + 0.4, 0, 72, w, stone);
        Spire(plot, 0.525, v + 0.2, 0.2, 72, 108, Rgb{90, 140, 130});
    }
    // A rose window on the west front.
    plot.canvas.FillEllipse(p.X(0.75, 1.4), p.Y(0.75, 1.4, 50), 3, 4, Rgb{200, 80, 90});
    return plot.canvas;
}

void ServiceBuilding(Plot& plot, Rgb wall, Rgb trim, double height, std::uint32_t seed) {
    auto& p = plot.p;
    WallStyle w = Walls(wall, seed, 10);
    w.trim = trim;
    p.BlockShadow(0.4, 0.4, 2.2, 1.6, height);
    p.Box(0.4, 0.4, 2.2, 1.6, 0, height, w, Rgb{150, 150, 150});
    p.Parapet(0.4, 0.4, 2.2, 1.6, height, 2, trim);
}

Canvas Police(const PictureShape& shape) {
    Plot plot(shape);
    auto& p = plot.p;
    Paved(plot, Rgb{196, 194, 188});
    ServiceBuilding(plot, Rgb{220, 222, 228}, Rgb{40, 70, 150}, 32, plot.seed);
    p.PlainBox(0.4, 1.55, 2.2, 1.6, 14, 18, Rgb{40, 70, 150}, Rgb{40, 70, 150});
    p.Box(1.5, 0.6, 2.0, 1.1, 32, 44, Walls(Rgb{220, 222, 228}, plot.seed), Rgb{150, 150, 150});
    p.Pole(1.75, 0.85, 44, 52, Rgb{160, 160, 160});
    for (int i = 0; i < 3; ++i) {
        p.Car(0.7 + i * 0.5, 2.2, false, Rgb{240, 240, 240});
        plot.canvas.Set(int(p.X(0.7 + i * 0.5, 2.2)), int(p.Y(0.7 + i * 0.5, 2.2, 6)), Rgb{60, 100, 255});
    }
    Flag(plot, 2.6, 0.5, 0, 24, Rgb{40, 70, 150});
    return plot.canvas;
}

Canvas FireStation(const PictureShape& shape) {
    Plot plot(shape);
    auto& p = plot.p;
    Paved(plot, Rgb{196, 194, 188});
    const Rgb brick{176, 70, 52};
    WallStyle w = Walls(brick, plot.seed, 10);
    p.BlockShadow(0.4, 0.4, 2.4, 1.7, 30);
    p.Box(0.4, 0.4, 2.4, 1.7, 0, 26, w, Rgb{120, 110, 104});
    // Three red engine-house doors on the front.
    for (int i = 0; i < 3; ++i)
        FillFaceColour(plot.canvas, p.Frame(), {0.6 + i * 0.6, 1.701, 0}, {0.4, 0, 0}, {0, 0, 12}, Rgb{210, 40, 36});
    p.BlockShadow(0.4, 0.4, 0.8, 0.8, 56);
    p.Box(0.4, 0.4, 0.8, 0.8, 26, 52, w, Rgb{120, 110, 104});
    p.HipRoof(0.38, 0.38, 0.82, 0.82, 52, 6, Rgb{80, 84, 96});
    p.PlainBox(0.7, 2.1, 1.3, 2.35, 0, 7, Rgb{210, 40, 36}, Rgb{230, 60, 50});
    p.PlainBox(1.5, 2.1, 2.1, 2.35, 0, 7, Rgb{210, 40, 36}, Rgb{230, 60, 50});
    return plot.canvas;
}

Canvas Hospital(const PictureShape& shape) {
    Plot plot(shape);
    auto& p = plot.p;
    Lawn(plot);
    p.Patch(0.2, 2.3, 2.8, 2.8, Rgb{190, 190, 186});
    WallStyle w = Walls(Rgb{240, 242, 244}, plot.seed, 9);
    w.ribbon = true;
    w.glass = Rgb{90, 150, 190};
    p.BlockShadow(0.4, 0.4, 1.4, 2.2, 60);
    p.Box(0.4, 0.4, 1.4, 2.2, 0, 60, w, Rgb{200, 204, 208});
    p.Box(1.4, 1.2, 2.6, 2.2, 0, 30, w, Rgb{200, 204, 208});
    // Red cross on the roof and a helipad.
    p.Patch(0.75, 1.2, 1.05, 1.35, Rgb{220, 40, 40}, 60);
    p.Patch(0.85, 1.0, 0.95, 1.55, Rgb{220, 40, 40}, 60);
    plot.canvas.FillEllipse(p.X(2.0, 1.7), p.Y(2.0, 1.7, 30), 12, 6, Rgb{80, 84, 90});
    plot.canvas.FillEllipse(p.X(2.0, 1.7), p.Y(2.0, 1.7, 30), 9, 4.5, Rgb{236, 236, 236});
    plot.canvas.FillEllipse(p.X(2.0, 1.7), p.Y(2.0, 1.7, 30), 7, 3.5, Rgb{80, 84, 90});
    FillFaceColour(plot.canvas, p.Frame(), {0.6, 2.201, 44}, {0.2, 0, 0}, {0, 0, 10}, Rgb{220, 40, 40});
    p.PlainBox(1.7, 2.45, 2.1, 2.65, 0, 6, Rgb{240, 240, 240}, Rgb{250, 250, 250});
    return plot.canvas;
}

Canvas School(const PictureShape& shape) {
    Plot plot(shape);
    auto& p = plot.p;
    Lawn(plot);
    p.Patch(1.6, 1.6, 2.8, 2.8, Rgb{150, 120, 90}); // playground
    p.Patch(1.75, 1.75, 2.65, 2.65, Rgb{176, 96, 70});
    const Rgb brick{180, 96, 66};
    WallStyle w = Walls(brick, plot.seed, 10);
    w.windowWidth = 0.7;
    p.BlockShadow(0.3, 0.3, 2.6, 1.1, 30);
    p.Box(0.3, 0.3, 2.6, 1.1, 0, 22, w, brick);
    p.GableRoof(0.3, 0.3, 2.6, 1.1, 22, 8, true, Rgb{90, 96, 110}, brick);
    p.Box(0.3, 1.1, 1.1, 2.6, 0, 22, w, brick);
    p.GableRoof(0.3, 1.1, 1.1, 2.6, 22, 8, false, Rgb{90, 96, 110}, brick);
    p.Pole(1.7, 2.2, 0, 10, Rgb{240, 240, 240});
    p.Pole(2.6, 2.2, 0, 10, Rgb{240, 240, 240});
    Flag(plot, 1.3, 1.3, 0, 26, Rgb{230, 190, 40});
    return plot.canvas;
}

Canvas College(const PictureShape& shape) {
    Plot plot(shape);
    auto& p = plot.p;
    Lawn(plot);
    p.Patch(1.5, 0.3, 2.5, 3.7, Rgb{210, 200, 176});
    p.Patch(0.3, 1.5, 3.7, 2.5, Rgb{210, 200, 176});
    const Rgb stone{214, 196, 150};
    WallStyle w = Walls(stone, plot.seed, 11);
    auto hall = [&](double u0, double v0, double u1, double v1, double h) {
        p.BlockShadow(u0, v0, u1, v1, h + 10);
        p.Box(u0, v0, u1, v1, 0, h, w, stone);
        p.GableRoof(u0, v0, u1, v1, h, 10, u1 - u0 > v1 - v0, Rgb{80, 90, 110}, stone);
    };
    hall(0.3, 0.3, 1.4, 1.4, 30);
    hall(2.6, 0.3, 3.7, 1.4, 30);
    hall(0.3, 2.6, 1.4, 3.7, 30);
    p.BlockShadow(2.8, 2.8, 3.3, 3.3, 70);
    p.Box(2.8, 2.8, 3.3, 3.3, 0, 60, w, stone);
    Spire(plot, 3.05, 3.05, 0.25, 60, 74, Rgb{80, 90, 110});
    plot.canvas.FillEllipse(p.X(3.05, 3.3) - 4, p.Y(3.05, 3.3, 50), 3, 3, Rgb{250, 250, 240});
    for (int i = 0; i < 4; ++i) p.Tree(1.9 + (i % 2) * 0.4, 1.9 + (i / 2) * 0.4 + 0.1, 10, plot.seed + std::uint32_t(i));
    return plot.canvas;
}

Canvas Library(const PictureShape& shape) {
    Plot plot(shape);
    auto& p = plot.p;
    Paved(plot, Rgb{210, 200, 180});
    const Rgb stone{226, 216, 194};
    p.BlockShadow(0.3, 0.3, 1.6, 1.4, 30);
    p.Box(0.3, 0.3, 1.6, 1.4, 0, 26, Walls(stone, plot.seed, 13), stone);
    p.HipRoof(0.28, 0.28, 1.62, 1.42, 26, 8, Rgb{90, 150, 130});
    Portico(plot, 0.55, 1.35, 1.4, 20, Rgb{240, 236, 222});
    p.Tree(1.85, 0.4, 9, plot.seed);
    return plot.canvas;
}

Canvas Museum(const PictureShape& shape) {
    Plot plot(shape);
    auto& p = plot.p;
    Paved(plot, Rgb{210, 200, 180});
    const Rgb stone{232, 224, 204};
    p.BlockShadow(0.4, 0.4, 2.6, 1.9, 40);
    p.Box(0.4, 0.4, 2.6, 1.9, 0, 32, Walls(stone, plot.seed, 16), stone);
    p.Parapet(0.4, 0.4, 2.6, 1.9, 32, 3, Shade(stone, 0.96));
    p.Box(1.1, 0.8, 1.9, 1.5, 32, 40, Walls(stone, plot.seed, 8), Rgb{150, 190, 210}); // skylight hall
    Portico(plot, 0.9, 2.1, 1.9, 26, Rgb{244, 240, 228});
    p.PlainBox(2.3, 2.3, 2.5, 2.5, 0, 10, Rgb{200, 60, 40}, Rgb{220, 80, 50}); // sculpture
    return plot.canvas;
}

// ---- recreation ---------------------------------------------------------------------------

Canvas Park(const PictureShape& shape) {
    Plot plot(shape);
    auto& p = plot.p;
    const double n = shape.footprint;
    p.Ground([n](double u, double v) {
        Rgb c = GrassAt(u, v, 8);
        const double du = u - n / 2, dv = v - n / 2;
        const double r = std::sqrt(du * du + dv * dv);
        if (std::fabs(r - n * 0.3) < 0.06 || (std::fabs(du - dv) < 0.06 && r > n * 0.3)) c = Rgb{214, 200, 160};
        if (Hash01(std::uint32_t(Frac(u) * 30), std::uint32_t(Frac(v) * 30), 44) > 0.96) c = Rgb{240, 210, 80};
        return std::optional<Rgb>(c);
    });
    if (n >= 2) {
        plot.canvas.FillEllipse(p.X(1, 1), p.Y(1, 1), 16, 8, Rgb{60, 140, 190});
        plot.canvas.FillEllipse(p.X(1, 1) - 2, p.Y(1, 1) - 1, 10, 4, Rgb{90, 170, 210});
        p.Tree(0.3, 0.4, 10, plot.seed + 1);
        p.Tree(1.7, 0.3, 11, plot.seed + 2);
        p.Tree(0.3, 1.6, 9, plot.seed + 3, true);
        p.Tree(1.6, 1.7, 10, plot.seed + 4);
        p.Tree(1.5, 1.0, 8, plot.seed + 5, true);
        p.Person(0.9, 1.7, Rgb{200, 60, 60});
    } else {
        p.Tree(0.3, 0.3, 9, plot.seed + 1);
        p.Tree(0.75, 0.6, 8, plot.seed + 2, true);
        p.PlainBox(0.35, 0.75, 0.55, 0.8, 1, 3, Rgb{130, 90, 56}, Rgb{150, 110, 70}); // bench
        p.Person(0.5, 0.3, Rgb{60, 120, 220});
    }
    return plot.canvas;
}

void Sailboat(Plot& plot, double u, double v, int seed) {
    auto& p = plot.p;
    const Rgb hull = seed % 2 ? Rgb{240, 240, 236} : Rgb{30, 60, 120};
    p.PlainBox(u - 0.1, v - 0.03, u + 0.1, v + 0.03, 0, 3, hull, Rgb{180, 140, 90});
    p.Pole(u, v, 3, 20, Rgb{200, 200, 200});
    const int x = int(std::lround(p.X(u, v)));
    const int y = int(std::lround(p.Y(u, v, 20)));
    for (int j = 0; j < 15; ++j)
        for (int i = 1; i <= j / 2 + 1; ++i) plot.canvas.Set(x + i, y + j, Shade(Rgb{250, 250, 246}, 1.0 - i * 0.02));
}

Canvas Marina(const PictureShape& shape) {
    Plot plot(shape);
    auto& p = plot.p;
    p.Ground([](double u, double v) {
        if (u + v < 1.6) return std::optional<Rgb>(PavingAt(u, v, Rgb{206, 196, 170}));
        if (u + v < 1.75) return std::optional<Rgb>(Rgb{150, 146, 136});
        return std::optional<Rgb>(WaterAt(u, v));
    });
    // Jetties running out into the water, with boats moored between them.
    for (int i = 0; i < 3; ++i) {
        const double u = 0.9 + i * 0.75;
        p.Patch(u, 1.7 - i * 0.75, u + 0.1, 2.9, Rgb{150, 110, 70}, 1);
    }
    Sailboat(plot, 1.35, 1.9, 1);
    Sailboat(plot, 2.1, 1.5, 2);
    Sailboat(plot, 1.4, 2.6, 3);
    Sailboat(plot, 2.3, 2.4, 4);
    p.BlockShadow(0.2, 0.2, 0.9, 0.8, 24);
    p.Box(0.2, 0.2, 0.9, 0.8, 0, 18, Walls(Rgb{240, 240, 236}, plot.seed), Rgb{200, 200, 196});
    p.HipRoof(0.18, 0.18, 0.92, 0.82, 18, 7, Rgb{40, 90, 150});
    Flag(plot, 1.1, 0.3, 0, 26, Rgb{40, 120, 200});
    return plot.canvas;
}

Canvas Stadium(const PictureShape& shape) {
    Plot plot(shape);
    auto& p = plot.p;
    Paved(plot, Rgb{190, 188, 180});
    const Rgb seatA{200, 56, 48};
    const Rgb seatB{224, 80, 64};
    const Rgb concrete{206, 204, 196};
    // The far stands (north and west) rise away from the pitch; the viewer looks at
    // their tiers of seats. Drawn from the back row forward.
    for (int k = 0; k < 6; ++k) {
        const double inset = 0.4 + k * 0.1;
        const double h = 34 - k * 5;
        const Rgb seat = k % 2 ? seatA : seatB;
        p.PlainBox(0.4, 0.4, 3.6, inset + 0.1, 0, h, concrete, seat);
        p.PlainBox(0.4, 0.4, inset + 0.1, 3.6, 0, h, concrete, seat);
    }
    // Roof over the far stands.
    FillFaceColour(plot.canvas, p.Frame(), {0.35, 0.35, 40}, {3.3, 0, 0}, {0, 0.45, 0}, Rgb{236, 236, 236});
    FillFaceColour(plot.canvas, p.Frame(), {0.35, 0.8, 40}, {0.45, 0, 0}, {0, 2.85, 0}, Rgb{226, 226, 226});
    FillFaceColour(plot.canvas, p.Frame(), {0.35, 0.8, 37}, {3.3, 0, 0}, {0, 0, 3}, Rgb{170, 170, 170});
    // The pitch, mown in stripes and lined.
    FillFace(plot.canvas, p.Frame(), {1.05, 1.05, 1}, {1.9, 0, 0}, {0, 1.9, 0}, [](double a, double b) {
        Rgb g = Frac(a * 8) < 0.5 ? Rgb{70, 150, 60} : Rgb{86, 168, 70};
        if (std::fabs(a - 0.5) < 0.01 || a < 0.02 || a > 0.98 || b < 0.02 || b > 0.98) g = Rgb{240, 240, 240};
        const double dx = (a - 0.5) * 1.9, dy = (b - 0.5) * 1.9;
        if (std::fabs(std::sqrt(dx * dx + dy * dy) - 0.22) < 0.02) g = Rgb{240, 240, 240};
        if ((a < 0.1 || a > 0.9) && std::fabs(b - 0.5) < 0.2 && (std::fabs(a - 0.1) < 0.01 || std::fabs(a - 0.9) < 0.01)) g = Rgb{240, 240, 240};
        return std::optional<Rgb>(g);
    });
    // The near stands (south and east) are lower; their outer walls face the street,
    // pierced by arches, with the top rows of seats showing.
    WallStyle outer;
    outer.wall = Rgb{226, 222, 212};
    outer.glass = Rgb{70, 70, 80};
    outer.trim = Rgb{240, 238, 230};
    outer.floorHeight = 9;
    outer.windowPitch = 0.2;
    outer.windowWidth = 0.5;
    outer.windowHeight = 0.7;
    outer.lit = false;
    for (int k = 0; k < 3; ++k) {
        const double in = 3.0 + k * 0.2;
        const double h = 8 + k * 6;
        const Rgb seat = k % 2 ? Rgb{40, 80, 160} : Rgb{60, 100, 180};
        if (k < 2) {
            p.PlainBox(1.0, in, in + 0.2, in + 0.2, 0, h, concrete, seat);
            p.PlainBox(in, 1.0, in + 0.2, in + 0.2, 0, h, concrete, seat);
        } else {
            p.Box(1.0, in, in + 0.2, in + 0.2, 0, h, outer, seat);
            p.Box(in, 1.0, in + 0.2, in + 0.2, 0, h, outer, seat);
        }
    }
    for (double u : {0.3, 3.7})
        for (double v : {0.3, 3.7}) {
            p.Pole(u, v, 0, 60, Rgb{160, 160, 166});
            plot.canvas.FillRect(int(p.X(u, v)) - 3, int(p.Y(u, v, 62)), 7, 3, Rgb{250, 250, 220});
            plot.canvas.FillRect(int(p.X(u, v)) - 3, int(p.Y(u, v, 62)) + 3, 7, 1, Rgb{120, 120, 126});
        }
    return plot.canvas;
}

Canvas EmergencyUnit(const PictureShape& shape) {
    Plot plot(shape);
    auto& p = plot.p;
    Paved(plot, Rgb{190, 188, 182});
    if (shape.code == 112) {
        // Police: two patrol cars with their lights on, and a cordon of striped tape.
        for (int i = 0; i <= 10; ++i) {
            const double t = i / 10.0;
            const Rgb tape = i % 2 ? Rgb{250, 250, 250} : Rgb{40, 70, 170};
            plot.canvas.Set(int(std::lround(p.X(0.15 + 0.7 * t, 0.15))), int(std::lround(p.Y(0.15 + 0.7 * t, 0.15, 3))), tape);
            plot.canvas.Set(int(std::lround(p.X(0.15, 0.15 + 0.7 * t))), int(std::lround(p.Y(0.15, 0.15 + 0.7 * t, 3))), tape);
        }
        for (double c : {0.15, 0.85}) {
            p.Pole(c, 0.15, 0, 3, Rgb{220, 220, 220});
            p.Pole(0.15, c, 0, 3, Rgb{220, 220, 220});
        }
        const double cars[2][2] = {{0.45, 0.45}, {0.7, 0.72}};
        for (const auto& c : cars) {
            p.Car(c[0], c[1], true, Rgb{240, 240, 244});
            p.PlainBox(c[0] - 0.08, c[1] + 0.035, c[0] + 0.08, c[1] + 0.045, 1, 2, Rgb{40, 70, 170}, Rgb{40, 70, 170});
            const int x = int(std::lround(p.X(c[0], c[1])));
            const int y = int(std::lround(p.Y(c[0], c[1], 6)));
            plot.canvas.Set(x - 1, y, Rgb{60, 110, 255});
            plot.canvas.Set(x, y, Rgb{255, 60, 60});
        }
        p.Person(0.3, 0.75, Rgb{30, 40, 90});
        p.Person(0.82, 0.4, Rgb{30, 40, 90});
    } else {
        // Firefighters: an engine with its ladder and a jet of water.
        WallStyle body;
        body.wall = Rgb{210, 36, 32};
        body.glass = Rgb{50, 70, 90};
        body.trim = Rgb{240, 240, 236};
        body.floorHeight = 8;
        body.windowPitch = 0.08;
        body.ribbon = true;
        body.windowHeight = 0.35;
        body.lit = false;
        p.Box(0.2, 0.42, 0.72, 0.6, 0, 8, body, Rgb{200, 200, 200});
        for (double u = 0.24; u < 0.66; u += 0.05)
            p.PlainBox(u, 0.46, u + 0.012, 0.56, 8, 9.5, Rgb{230, 230, 230}, Rgb{240, 240, 240});
        p.PlainBox(0.22, 0.46, 0.66, 0.47, 9, 10, Rgb{230, 230, 230}, Rgb{240, 240, 240});
        p.PlainBox(0.22, 0.55, 0.66, 0.56, 9, 10, Rgb{230, 230, 230}, Rgb{240, 240, 240});
        const int x0 = int(std::lround(p.X(0.7, 0.6)));
        const int y0 = int(std::lround(p.Y(0.7, 0.6, 6)));
        for (int i = 0; i < 14; ++i) {
            const double t = i / 13.0;
            plot.canvas.Set(x0 + int(std::lround(t * 14)), y0 - int(std::lround(8 * std::sin(t * kPi) - t * 4)), Rgb{180, 220, 250});
        }
        p.Person(0.8, 0.8, Rgb{230, 190, 40});
        p.Person(0.5, 0.82, Rgb{230, 190, 40});
    }
    return plot.canvas;
}

} // namespace

Canvas PaintCivic(const PictureShape& shape) {
    switch (shape.code) {
    case 13: return CityHall(shape);
    case 14: return Fountain(shape, 0);
    case 15: return Statue(shape);
    case 16: return YourHouse(shape);
    case 19: return BusStation(shape);
    case 21: return Station(shape);
    case 22: return SubStation(shape);
    case 24: case 25: case 26: case 27: case 28: return AirportBuilding(shape);
    case 31: case 32: case 33: case 35: return PortBuilding(shape);
    case 37: return CoalPlant(shape, 0);
    case 38: return OilPlant(shape, 0);
    case 39: return GasPlant(shape);
    case 40: return NuclearPlant(shape);
    case 41: return WindTurbine(shape, 0);
    case 42: return SolarPlant(shape);
    case 43: return MicrowavePlant(shape);
    case 44: return SparePlant(shape);
    case 45: return WaterPump(shape, 0);
    case 46: case 47: return Treatment(shape);
    case 99: return Church(shape);
    case 100: return Cathedral(shape);
    case 101: return Police(shape);
    case 102: return FireStation(shape);
    case 103: return Hospital(shape);
    case 104: return School(shape);
    case 105: return College(shape);
    case 106: return Library(shape);
    case 107: return Museum(shape);
    case 108: case 109: return Park(shape);
    case 110: return Marina(shape);
    case 111: return Stadium(shape);
    case 112: case 113: return EmergencyUnit(shape);
    default: break;
    }
    const int code = shape.code;
    if (code >= 168 && code <= 170) return Fountain(shape, code - 167);
    if (code >= 171 && code <= 173) return CoalPlant(shape, code - 170);
    if (code >= 174 && code <= 176) return OilPlant(shape, code - 173);
    if (code >= 177 && code <= 179) return WindTurbine(shape, code - 176);
    if (code >= 180 && code <= 182) return WaterPump(shape, code - 179);
    return Canvas(shape.width, shape.height);
}

} // namespace art
