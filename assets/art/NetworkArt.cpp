// Roads, railways and power lines in their eleven pieces, the strips that collect
// them, the motorway sheet, and the runway and quay pieces.
#include "ArtPainters.h"
#include "IsoPainter.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace art {
namespace {

constexpr double kPi = 3.14159265358979323846;

double Frac(double x) { return x - std::floor(x); }

// One stretch of a network inside a cell: a straight arm from the centre to the middle
// of an edge, or a quarter circle round a corner that links two edges. Every stretch
// meets the edge at its midpoint, square to it, so any two pieces that share an edge
// continue each other exactly.
struct Stretch {
    enum Kind { kArm, kBend } kind = kArm;
    int direction = 1;          // arm: 1 north, 2 east, 3 south, 4 west
    double cornerU = 0, cornerV = 0; // bend: the corner it turns round
};

struct Sample {
    double across = 1e9; // distance from the centre line, in cells
    double along = 0;    // position along the stretch, whole numbers at the cell edges
    bool arm = false;
    int direction = 0;
};

Sample Measure(const Stretch& s, double u, double v) {
    Sample out;
    if (s.kind == Stretch::kArm) {
        out.arm = true;
        out.direction = s.direction;
        switch (s.direction) {
        case 1: if (v <= 0.5) { out.across = std::fabs(u - 0.5); out.along = v; } break;
        case 3: if (v >= 0.5) { out.across = std::fabs(u - 0.5); out.along = v; } break;
        case 2: if (u >= 0.5) { out.across = std::fabs(v - 0.5); out.along = u; } break;
        default: if (u <= 0.5) { out.across = std::fabs(v - 0.5); out.along = u; } break;
        }
        return out;
    }
    const double du = u - s.cornerU;
    const double dv = v - s.cornerV;
    const double r = std::sqrt(du * du + dv * dv);
    out.across = std::fabs(r - 0.5);
    const double angle = std::atan2(std::fabs(dv), std::fabs(du)); // 0..pi/2 inside the cell
    out.along = angle / (kPi / 2);
    return out;
}

Stretch Arm(int d) { return Stretch{Stretch::kArm, d, 0, 0}; }
Stretch Bend(double cu, double cv) { return Stretch{Stretch::kBend, 0, cu, cv}; }

// The corner two neighbouring directions share: north-east is (1, 0), and so on.
Stretch BendBetween(int a, int b) {
    auto has = [&](int d) { return a == d || b == d; };
    if (has(1) && has(2)) return Bend(1, 0);
    if (has(2) && has(3)) return Bend(1, 1);
    if (has(3) && has(4)) return Bend(0, 1);
    return Bend(0, 0);
}

std::vector<Stretch> StretchesOf(int piece, bool railway) {
    const PieceJoins j = JoinsOfPiece(piece);
    const int count = int(j.north) + int(j.east) + int(j.south) + int(j.west);
    std::vector<Stretch> out;
    if (count == 2 && !(j.north && j.south) && !(j.east && j.west)) {
        int a = 0, b = 0;
        for (int d = 1; d <= 4; ++d) {
            const bool on = d == 1 ? j.north : d == 2 ? j.east : d == 3 ? j.south : j.west;
            if (on) (a == 0 ? a : b) = d;
        }
        out.push_back(BendBetween(a, b));
        return out;
    }
    if (railway && count == 3) {
        // A through line with a bend off it toward the branch on each side.
        const int branch = !j.north ? 3 : !j.east ? 4 : !j.south ? 1 : 2;
        const int left = branch == 1 || branch == 3 ? 2 : 1;
        const int right = left == 1 ? 3 : 4;
        out.push_back(Arm(left));
        out.push_back(Arm(right));
        out.push_back(BendBetween(branch, left));
        out.push_back(BendBetween(branch, right));
        return out;
    }
    if (j.north) out.push_back(Arm(1));
    if (j.east) out.push_back(Arm(2));
    if (j.south) out.push_back(Arm(3));
    if (j.west) out.push_back(Arm(4));
    return out;
}

// ---- roads ---------------------------------------------------------------------

constexpr double kRoadHalf = 0.19;
constexpr double kKerb = 0.205;
constexpr double kWalk = 0.27;

std::optional<Rgb> RoadPixel(int piece, double u, double v) {
    const auto stretches = StretchesOf(piece, false);
    const bool junction = stretches.size() >= 3 || (piece == 11);
    Sample best;
    for (const auto& s : stretches) {
        const Sample m = Measure(s, u, v);
        if (m.across < best.across) best = m;
    }
    // The junction's square of asphalt.
    const bool inSquare = junction && std::fabs(u - 0.5) <= kRoadHalf && std::fabs(v - 0.5) <= kRoadHalf;
    if (inSquare) best.across = 0, best.arm = false;
    const double across = best.across;
    if (across > kWalk) return std::nullopt;
    const Rgb asphalt = Mix(material::kAsphalt, Rgb{84, 88, 98}, TileNoise(u, v, 7, 55) * 0.7);
    if (across > kKerb) {
        Rgb walk = PavingAt(u, v, Rgb{186, 182, 170});
        if (across > kWalk - 0.02) walk = Shade(walk, 0.9);
        return walk;
    }
    if (across > kRoadHalf) return Rgb{214, 212, 204}; // kerb stones catch the light
    // Markings: a dashed centre line, and zebra stripes where an arm leaves a junction.
    if (!inSquare) {
        const double fromCentre = std::max(std::fabs(u - 0.5), std::fabs(v - 0.5));
        if (junction && best.arm && fromCentre > kKerb + 0.02 && fromCentre < kKerb + 0.12) {
            const double acrossSigned = (best.direction == 1 || best.direction == 3) ? u - 0.5 : v - 0.5;
            if (std::fabs(acrossSigned) < kRoadHalf - 0.03 && Frac(acrossSigned * 16) < 0.5) return Rgb{226, 226, 218};
            return asphalt;
        }
        if (junction && fromCentre < kKerb + 0.12) return asphalt;
        if (across < 1.0 / 60.0 && Frac(best.along * 4 + 0.25) < 0.5) return Rgb{232, 214, 120};
    }
    return asphalt;
}

// ---- railways ------------------------------------------------------------------

std::optional<Rgb> RailPixel(int piece, double u, double v) {
    const auto stretches = StretchesOf(piece, true);
    std::optional<Rgb> out;
    int layer = 0; // 1 ballast, 2 sleeper, 3 rail
    for (const auto& s : stretches) {
        const Sample m = Measure(s, u, v);
        if (m.across > 0.19) continue;
        const int sleepers = s.kind == Stretch::kBend ? 5 : 6;
        const double phase = Frac(m.along * sleepers);
        if (std::fabs(m.across - 0.068) < 1.0 / 60.0) {
            // Rails: polished top, darker web.
            out = Rgb{206, 208, 212};
            layer = 3;
        } else if (layer < 2 && m.across < 0.13 && phase > 0.3 && phase < 0.7) {
            out = Mix(Rgb{110, 76, 48}, Rgb{84, 58, 38}, Hash01(std::uint32_t(m.along * sleepers), 5));
            layer = 2;
        } else if (layer < 1) {
            Rgb ballast = Mix(Rgb{128, 120, 110}, Rgb{160, 152, 140},
                              Hash01(std::uint32_t(Frac(u) * 60), std::uint32_t(Frac(v) * 60), 17));
            if (m.across > 0.16) ballast = Shade(ballast, 0.86);
            out = ballast;
            layer = 1;
        }
    }
    return out;
}

// ---- power lines ---------------------------------------------------------------

// Points in a 59 x 31 tile: the foot and the top of the pole, and where the wires
// cross the middle of each edge (the neighbour's wire starts at the same pixel).
struct LinePoint {
    double x, y;
};
constexpr LinePoint kPoleFoot{29, 24};
constexpr double kPoleHeight = 15;

LinePoint WireEnd(int direction, double drop) {
    switch (direction) {
    case 1: return {44, 1.5 + drop};
    case 2: return {44, 16.5 + drop};
    case 3: return {14, 16.5 + drop};
    default: return {14, 1.5 + drop};
    }
}

void PaintPole(Canvas& canvas, LinePoint foot, const std::vector<int>& directions) {
    const Rgb wood{104, 72, 44};
    const Rgb woodDark{70, 48, 30};
    const Rgb wire{44, 46, 52};
    const double topY = foot.y - kPoleHeight;
    // A small shadow at the foot, then the pole with its cross-arm and insulators.
    canvas.Set(int(foot.x) + 1, int(foot.y), Rgb{64, 96, 40});
    canvas.Set(int(foot.x) + 2, int(foot.y), Rgb{64, 96, 40});
    for (int y = int(topY); y <= int(foot.y); ++y) {
        canvas.Set(int(foot.x), y, wood);
        canvas.Set(int(foot.x) + 1, y, woodDark);
    }
    for (int dx = -3; dx <= 4; ++dx) canvas.Set(int(foot.x) + dx, int(topY) + 1, woodDark);
    for (int direction : directions) {
        const LinePoint a = WireEnd(direction, 0);
        const LinePoint b = WireEnd(direction, 3);
        canvas.Line(foot.x - 3, topY, a.x, a.y, wire);
        canvas.Line(foot.x + 4, topY + 3, b.x, b.y, wire);
    }
    canvas.Set(int(foot.x) - 3, int(topY), Rgb{230, 230, 236});
    canvas.Set(int(foot.x) + 4, int(topY), Rgb{230, 230, 236});
}

Canvas PaintPowerPiece(int piece) {
    Canvas canvas(59, 31);
    std::vector<int> dirs;
    const PieceJoins j = JoinsOfPiece(piece);
    if (j.north) dirs.push_back(1);
    if (j.east) dirs.push_back(2);
    if (j.south) dirs.push_back(3);
    if (j.west) dirs.push_back(4);
    PaintPole(canvas, kPoleFoot, dirs);
    return canvas;
}

// A power line over a road or railway: the pole stands aside, at the cell's front
// corner, clear of any road piece, and the wires span the carriageway.
Canvas PaintPowerCrossing(bool alongX) {
    Canvas canvas(59, 31);
    const std::vector<int> dirs = alongX ? std::vector<int>{2, 4} : std::vector<int>{1, 3};
    PaintPole(canvas, LinePoint{29, 27}, dirs);
    return canvas;
}

Canvas PaintGroundPiece(int piece, bool railway) {
    Canvas canvas(59, 31);
    IsoPainter p(canvas, IsoFrame::For(1, 31));
    p.Ground([&](double u, double v) { return railway ? RailPixel(piece, u, v) : RoadPixel(piece, u, v); });
    if (!railway) {
        // Street lamps at the pavement edge of straight pieces.
        if (piece == 1) p.Lamp(0.5 + kWalk - 0.03, 0.5, 8);
        if (piece == 2) p.Lamp(0.5, 0.5 + kWalk - 0.03, 8);
    }
    return canvas;
}

Canvas PaintStrip(int code) {
    Canvas sheet(236, 93);
    Canvas grass(59, 31);
    IsoPainter(grass, IsoFrame::For(1, 31)).Ground([](double u, double v) { return GrassAt(u, v); });
    for (int piece = 1; piece <= 11; ++piece) {
        const int x = 59 * ((piece - 1) % 4);
        const int y = 31 * ((piece - 1) / 4);
        sheet.Blit(grass, x, y);
        if (code == 36) sheet.Blit(PaintPowerPiece(piece), x, y);
        else sheet.Blit(PaintGroundPiece(piece, code == 20), x, y);
    }
    return sheet;
}

// ---- motorway ------------------------------------------------------------------

// The motorway block is 2 x 2 cells running along x: a carriageway each way with hard
// shoulders, a central barrier and grass verges.
std::optional<Rgb> MotorwayPixel(double u, double v) {
    const double d = std::fabs(v - 1.0);
    if (d > 0.82) return GrassAt(u, v, 9);
    if (d > 0.78) return Rgb{200, 198, 190};
    if (d < 0.05) return std::nullopt; // the barrier is drawn as a rail on top
    Rgb c = Mix(Rgb{74, 78, 88}, Rgb{90, 94, 104}, TileNoise(u, v, 6, 71) * 0.6);
    const double lane = (d - 0.05) / 0.73; // 0 at the barrier, 1 at the verge
    if (std::fabs(lane - 0.06) < 0.02 || std::fabs(lane - 0.9) < 0.02) c = Rgb{236, 236, 230};
    if ((std::fabs(lane - 0.36) < 0.025 || std::fabs(lane - 0.63) < 0.025) && Frac(u * 3) < 0.45) c = Rgb{236, 236, 230};
    return c;
}

Canvas PaintMotorway() {
    Canvas sheet(238, 122);
    // Each half is drawn 122 - 61 rows above its 2 x 2 position and four view rows (60
    // pixels) down, which is one pixel above the footprint's diamond: the blocks sit one
    // row down in their halves to land exactly on the diamond.
    const IsoFrame frame = IsoFrame::For(2, 62);
    auto inBlock = [](int x, int y) { return x < 118 && y < 60; };
    // Upper half: the road itself.
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 118; ++x) {
            if (!InFootprint(frame, x, y)) continue;
            const double u = frame.U(x, y);
            const double v = frame.V(x, y);
            if (auto c = MotorwayPixel(u, v)) sheet.Set(x, y, *c);
            else sheet.Set(x, y, Rgb{150, 150, 146});
        }
    Canvas barrier(119, 62);
    IsoPainter bp(barrier, frame);
    bp.PlainBox(0.0, 0.97, 2.0, 1.03, 0, 3, Rgb{200, 200, 196}, Rgb{226, 226, 220});
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 118; ++x)
            if (barrier.Opaque(x, y) && InFootprint(frame, x, y)) sheet.Set(x, y, barrier.At(x, y));

    // Lower left: the overlay for a block with no motorway beside it: the carriageways
    // end in red and white barriers.
    Canvas ends(119, 62);
    IsoPainter ep(ends, frame);
    for (double u : {0.06, 1.9}) {
        ep.PlainBox(u, 0.2, u + 0.04, 0.94, 0, 5, Rgb{236, 236, 230}, Rgb{250, 250, 246});
        ep.PlainBox(u, 1.06, u + 0.04, 1.8, 0, 5, Rgb{236, 236, 230}, Rgb{250, 250, 246});
    }
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 119; ++x) {
            if (!ends.Opaque(x, y) || !inBlock(x, y)) continue;
            Rgb c = ends.At(x, y);
            if (((x / 3) + (y / 2)) % 2 == 0) c = Shade(Rgb{210, 40, 36}, double(c.r) / 250.0);
            sheet.Set(x, y + 61, c);
        }
    // Lower right: the overlay for a block that continues: an overhead sign gantry.
    Canvas gantry(119, 62);
    IsoPainter gp(gantry, frame);
    gp.Pole(1.0, 0.16, 0, 14, Rgb{120, 126, 134});
    gp.Pole(1.0, 1.84, 0, 14, Rgb{120, 126, 134});
    gp.PlainBox(0.98, 0.16, 1.02, 1.84, 13, 15, Rgb{130, 136, 144}, Rgb{160, 166, 174});
    gp.PlainBox(0.96, 0.3, 1.0, 0.85, 9, 14, Rgb{30, 110, 60}, Rgb{40, 130, 70});
    gp.PlainBox(0.96, 1.15, 1.0, 1.7, 9, 14, Rgb{30, 110, 60}, Rgb{40, 130, 70});
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 119; ++x)
            if (gantry.Opaque(x, y) && inBlock(x, y)) sheet.Set(x + 119, y + 61, gantry.At(x, y));
    return sheet;
}

// ---- runway and quay -----------------------------------------------------------

Canvas PaintRunway(bool alongX) {
    Canvas canvas(59, 31);
    IsoPainter p(canvas, IsoFrame::For(1, 31));
    p.Ground([alongX](double u, double v) {
        const double along = alongX ? u : v;
        const double across = alongX ? v : u;
        Rgb c = Mix(Rgb{70, 72, 78}, Rgb{88, 90, 96}, TileNoise(u, v, 8, 90));
        if (across < 0.07 || across > 0.93) return std::optional<Rgb>(Rgb{140, 150, 120});
        if (std::fabs(across - 0.1) < 0.02 || std::fabs(across - 0.9) < 0.02) c = Rgb{236, 236, 230};
        if (std::fabs(across - 0.5) < 1.0 / 30.0 && Frac(along * 2 + 0.25) < 0.5) c = Rgb{240, 240, 236};
        // Tyre marks.
        if (std::fabs(across - 0.42) < 0.05 && TileNoise(u, v, 5, 91) > 0.6) c = Shade(c, 0.8);
        return std::optional<Rgb>(c);
    });
    return canvas;
}

Canvas PaintQuay(bool alongX) {
    Canvas canvas(59, 31);
    const IsoFrame frame = IsoFrame::For(1, 31);
    const double lo = 0.18;
    const double hi = 0.82;
    const double h = 4;
    const Rgb wall{120, 116, 108};
    auto deck = [&](double a, double b) -> std::optional<Rgb> {
        const double along = alongX ? a : b;
        const double across = alongX ? lo + b * (hi - lo) : lo + a * (hi - lo);
        Rgb c = PavingAt(along, across, Rgb{176, 170, 156});
        if (across > hi - 0.05) c = Rgb{226, 190, 50};
        return c;
    };
    if (alongX) {
        FillFaceColour(canvas, frame, {0, hi, -2}, {1, 0, 0}, {0, 0, h + 2}, Shade(wall, kLightLeft));
        FillFace(canvas, frame, {0, lo, h}, {1, 0, 0}, {0, hi - lo, 0}, deck);
    } else {
        FillFaceColour(canvas, frame, {hi, 0, -2}, {0, 1, 0}, {0, 0, h + 2}, Shade(wall, kLightRight));
        FillFace(canvas, frame, {lo, 0, h}, {hi - lo, 0, 0}, {0, 1, 0}, deck);
    }
    // Bollards along the water side.
    IsoPainter p(canvas, frame);
    for (double t : {0.25, 0.75}) {
        const double u = alongX ? t : hi - 0.05;
        const double v = alongX ? hi - 0.05 : t;
        p.PlainBox(u - 0.02, v - 0.02, u + 0.02, v + 0.02, h, h + 2, Rgb{50, 52, 56}, Rgb{90, 92, 96});
    }
    return canvas;
}

} // namespace

PieceJoins JoinsOfPiece(int piece) {
    switch (piece) {
    case 1: return {true, false, true, false};
    case 2: return {false, true, false, true};
    case 3: return {true, true, false, false};
    case 4: return {false, true, true, false};
    case 5: return {false, false, true, true};
    case 6: return {true, false, false, true};
    case 7: return {true, true, true, false};
    case 8: return {false, true, true, true};
    case 9: return {true, false, true, true};
    case 10: return {true, true, false, true};
    default: return {true, true, true, true};
    }
}

Canvas PaintNetwork(const PictureShape& shape) {
    const int code = shape.code;
    if (code == 17 || code == 20 || code == 36) return PaintStrip(code);
    if (code == 18) return PaintMotorway();
    if (code == 29) return PaintRunway(false);
    if (code == 166) return PaintRunway(true);
    if (code == 34) return PaintQuay(false);
    if (code == 167) return PaintQuay(true);
    if (code >= 125 && code <= 135) return PaintGroundPiece(code - 124, false);
    if (code >= 136 && code <= 146) return PaintGroundPiece(code - 135, true);
    if (code >= 149 && code <= 159) return PaintPowerPiece(code - 148);
    if (code == 160) return PaintPowerCrossing(false);
    if (code == 161) return PaintPowerCrossing(true);
    // 147 and 148 sit between the railway and power line pieces with no use of their own.
    return Canvas(shape.width, shape.height);
}

} // namespace art
