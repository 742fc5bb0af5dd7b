// Trains and boats in their four directions, and the three markers of a missing
// power, water or sewage supply.
#include "ArtPainters.h"
#include "IsoPainter.h"

#include <algorithm>
#include <cmath>

namespace art {
namespace {

// Ground point of a position along and across a mover's axis. Directions 1 and 3 run
// along v (north is toward smaller v), 2 and 4 along u; "along" grows toward the front.
struct Axis {
    int direction;
    double U(double along, double across) const {
        switch (direction) {
        case 1: return 0.5 + across;
        case 2: return along;
        case 3: return 0.5 - across;
        default: return 1 - along;
        }
    }
    double V(double along, double across) const {
        switch (direction) {
        case 1: return 1 - along;
        case 2: return 0.5 + across;
        case 3: return along;
        default: return 0.5 - across;
        }
    }
};

// A box given by its span along and across the axis, in cells.
void AxisBox(IsoPainter& p, const Axis& axis, double a0, double a1, double c0, double c1, double z0, double z1,
             const WallStyle& walls, Rgb top) {
    const double u0 = std::min(axis.U(a0, c0), axis.U(a1, c1));
    const double u1 = std::max(axis.U(a0, c0), axis.U(a1, c1));
    const double v0 = std::min(axis.V(a0, c0), axis.V(a1, c1));
    const double v1 = std::max(axis.V(a0, c0), axis.V(a1, c1));
    p.Box(u0, v0, u1, v1, z0, z1, walls, top);
}

void PlainAxisBox(IsoPainter& p, const Axis& axis, double a0, double a1, double c0, double c1, double z0, double z1, Rgb colour,
                  Rgb top) {
    const double u0 = std::min(axis.U(a0, c0), axis.U(a1, c1));
    const double u1 = std::max(axis.U(a0, c0), axis.U(a1, c1));
    const double v0 = std::min(axis.V(a0, c0), axis.V(a1, c1));
    const double v1 = std::max(axis.V(a0, c0), axis.V(a1, c1));
    p.PlainBox(u0, v0, u1, v1, z0, z1, colour, top);
}

Canvas Train(int direction) {
    Canvas canvas(59, 31);
    IsoPainter p(canvas, IsoFrame::For(1, 31));
    const Axis axis{direction};
    WallStyle body;
    body.wall = Rgb{196, 40, 40};
    body.glass = Rgb{40, 56, 72};
    body.trim = Rgb{236, 236, 230};
    body.floorHeight = 9;
    body.windowPitch = 0.09;
    body.ribbon = true;
    body.windowHeight = 0.35;
    body.lit = false;
    const double half = 0.085;
    // Wheels and frame, then the coach and the locomotive in front of it.
    PlainAxisBox(p, axis, 0.08, 0.92, -half + 0.02, half - 0.02, 0, 2, Rgb{40, 40, 44}, Rgb{60, 60, 64});
    AxisBox(p, axis, 0.06, 0.47, -half, half, 2, 10, body, Rgb{150, 150, 156});
    WallStyle loco = body;
    loco.wall = Rgb{230, 190, 40};
    loco.windowPitch = 0.2;
    AxisBox(p, axis, 0.5, 0.94, -half, half, 2, 10, loco, Rgb{160, 160, 166});
    // Cab windscreen and headlamps at the very front.
    PlainAxisBox(p, axis, 0.9, 0.94, -half + 0.015, half - 0.015, 6, 9, Rgb{40, 56, 72}, Rgb{160, 160, 166});
    const double fu = axis.U(0.95, 0);
    const double fv = axis.V(0.95, 0);
    canvas.Set(int(std::lround(p.X(fu, fv))), int(std::lround(p.Y(fu, fv, 4))), Rgb{255, 250, 200});
    // Pantograph on the locomotive roof.
    const double pu = axis.U(0.7, 0);
    const double pv = axis.V(0.7, 0);
    canvas.Line(p.X(pu, pv), p.Y(pu, pv, 10), p.X(pu, pv) + 3, p.Y(pu, pv, 13), Rgb{60, 60, 60});
    return canvas;
}

Canvas Boat(int direction) {
    Canvas canvas(59, 31);
    const IsoFrame frame = IsoFrame::For(1, 31);
    IsoPainter p(canvas, frame);
    const Axis axis{direction};
    // Width of the hull at a point along it: straight sides, then a pointed bow.
    auto halfWidth = [](double along) {
        if (along < 0.16 || along > 0.9) return -1.0;
        if (along < 0.6) return 0.12;
        return 0.12 * (0.9 - along) / 0.3;
    };
    // Wake first, on the water behind the stern.
    for (int y = 0; y < 31; ++y)
        for (int x = 0; x < 59; ++x) {
            const double u = frame.U(x, y);
            const double v = frame.V(x, y);
            double along = 0, across = 0;
            switch (direction) {
            case 1: along = 1 - v; across = u - 0.5; break;
            case 2: along = u; across = v - 0.5; break;
            case 3: along = v; across = 0.5 - u; break;
            default: along = 1 - u; across = 0.5 - v; break;
            }
            if (along > 0.02 && along < 0.16 && std::fabs(across) < 0.05 + (0.16 - along) * 0.5 && ((x + y) % 3 != 0) &&
                InCellDiamond(frame, 0, 0, x, y))
                canvas.Set(x, y, Rgb{220, 236, 244});
        }
    // The hull in slices from the waterline up, the top one being the deck.
    for (double z = 0; z <= 4.0; z += 0.5) {
        for (int y = 0; y < 31; ++y)
            for (int x = 0; x < 59; ++x) {
                const double u = frame.U(x, y + z);
                const double v = frame.V(x, y + z);
                double along = 0, across = 0;
                switch (direction) {
                case 1: along = 1 - v; across = u - 0.5; break;
                case 2: along = u; across = v - 0.5; break;
                case 3: along = v; across = 0.5 - u; break;
                default: along = 1 - u; across = 0.5 - v; break;
                }
                const double w = halfWidth(along);
                if (w < 0 || std::fabs(across) > w) continue;
                Rgb c;
                if (z >= 4.0) c = std::fabs(across) > w - 0.02 ? Rgb{240, 240, 236} : Rgb{176, 130, 84};
                else if (z < 1.5) c = Rgb{180, 40, 36};
                else c = Rgb{236, 236, 232};
                // Sides facing the viewer's right are in shade.
                const bool rightSide = (direction == 1 && across > 0) || (direction == 3 && across < 0) ||
                                       (direction == 2 && across < 0) || (direction == 4 && across > 0);
                if (z < 4.0 && rightSide) c = Shade(c, 0.75);
                canvas.Set(x, y, c);
            }
    }
    WallStyle cabin;
    cabin.wall = Rgb{240, 240, 236};
    cabin.glass = Rgb{40, 70, 100};
    cabin.trim = Rgb{250, 250, 250};
    cabin.floorHeight = 5;
    cabin.windowPitch = 0.06;
    cabin.ribbon = true;
    cabin.windowHeight = 0.5;
    cabin.lit = false;
    AxisBox(p, axis, 0.3, 0.55, -0.07, 0.07, 4, 9, cabin, Rgb{40, 100, 160});
    const double mu = axis.U(0.42, 0);
    const double mv = axis.V(0.42, 0);
    p.Pole(mu, mv, 9, 14, Rgb{200, 200, 200});
    return canvas;
}

// A badge over the cell: a symbol in a round plate with a red rim, each kind in its own
// place so that two missing supplies on one cell never hide each other.
Canvas Marker(int code) {
    static const char* const kBolt[11] = {
        "...........", "......##...", ".....##....", "....##.....", "...######..", ".....##....",
        "....##.....", "...##......", "..##.......", "...........", "...........",
    };
    static const char* const kDrop[11] = {
        "...........", ".....#.....", ".....#.....", "....###....", "....###....", "...#####...",
        "...##ww#...", "...##w##...", "....###....", "...........", "...........",
    };
    static const char* const kPipe[11] = {
        "...........", "...........", ".##........", ".#######...", ".#######...", ".##...##...",
        "......##...", ".....####..", ".....#..#..", "......##...", "...........",
    };
    const char* const* symbol = code == 118 ? kBolt : code == 119 ? kDrop : kPipe;
    const Rgb plate = code == 118 ? Rgb{250, 210, 40} : code == 119 ? Rgb{150, 210, 250} : Rgb{170, 140, 90};
    const Rgb ink = code == 118 ? Rgb{40, 30, 20} : code == 119 ? Rgb{20, 80, 180} : Rgb{60, 40, 24};
    const int cx = code == 118 ? 15 : code == 119 ? 29 : 43;
    const int cy = 8;
    Canvas canvas(59, 31);
    for (int y = -7; y <= 7; ++y)
        for (int x = -7; x <= 7; ++x) {
            const double d = std::sqrt(double(x * x + y * y));
            if (d > 7.2) continue;
            Rgb c = plate;
            if (d > 5.8) c = Rgb{200, 30, 30};
            else if (d > 5.0) c = Rgb{250, 250, 250};
            else if (x + y < -3) c = Shade(plate, 1.1);
            canvas.Set(cx + x, cy + y, c);
        }
    for (int y = 0; y < 11; ++y)
        for (int x = 0; x < 11; ++x) {
            const char s = symbol[y][x];
            if (s == '#') canvas.Set(cx - 5 + x, cy - 5 + y, ink);
            else if (s == 'w') canvas.Set(cx - 5 + x, cy - 5 + y, Rgb{240, 248, 255});
        }
    // A little stalk down to the ground so the badge reads as belonging to this cell.
    canvas.Set(cx, cy + 8, Rgb{90, 90, 96});
    canvas.Set(cx, cy + 9, Rgb{90, 90, 96});
    return canvas;
}

} // namespace

Canvas PaintMover(const PictureShape& shape) {
    if (shape.code >= 114 && shape.code <= 117) return Train(shape.code - 113);
    if (shape.code >= 198 && shape.code <= 201) return Boat(shape.code - 197);
    return Marker(shape.code);
}

} // namespace art
