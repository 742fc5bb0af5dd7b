// Isometric objects: boxes, roofs, round towers and props.
#include "IsoPainter.h"

#include <algorithm>
#include <cmath>

namespace art {
namespace {

double Frac(double x) { return x - std::floor(x); }

} // namespace

Rgb GrassAt(double u, double v, std::uint32_t seed) {
    const double broad = TileNoise(u, v, 3, seed);
    const double fine = TileNoise(u, v, 9, seed + 11);
    Rgb c = Mix(material::kGrass, material::kGrassLight, broad * 0.6 + fine * 0.45 - 0.1);
    // A few darker tufts, fixed to the tile's own grid so every grass tile matches.
    const double tuft = Hash01(std::uint32_t(Frac(u) * 40), std::uint32_t(Frac(v) * 40), seed);
    if (tuft > 0.93) c = Shade(c, 0.86);
    else if (tuft < 0.04) c = Shade(c, 1.1);
    return c;
}

Rgb PavingAt(double u, double v, Rgb base) {
    const double gu = Frac(u * 6);
    const double gv = Frac(v * 6);
    if (gu < 0.07 || gv < 0.07) return Shade(base, 0.9);
    return Shade(base, 0.97 + 0.06 * Hash01(std::uint32_t(std::floor(u * 6) + 64), std::uint32_t(std::floor(v * 6) + 64)));
}

void IsoPainter::Shadow(double u0, double v0, double u1, double v1, double factor) {
    // The shadow darkens what is there, so walk the rectangle's pixels directly.
    const double xs[4] = {X(u0, v0), X(u1, v0), X(u0, v1), X(u1, v1)};
    const double ys[4] = {Y(u0, v0), Y(u1, v0), Y(u0, v1), Y(u1, v1)};
    const int x0 = int(std::floor(*std::min_element(xs, xs + 4)));
    const int x1 = int(std::ceil(*std::max_element(xs, xs + 4)));
    const int y0 = int(std::floor(*std::min_element(ys, ys + 4)));
    const int y1 = int(std::ceil(*std::max_element(ys, ys + 4)));
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const double u = frame.U(x, y);
            const double v = frame.V(x, y);
            if (u < u0 || u > u1 || v < v0 || v > v1) continue;
            if (!canvas.Opaque(x, y) || !InFootprint(frame, x, y)) continue;
            canvas.Set(x, y, Shade(canvas.At(x, y), factor));
        }
}

void IsoPainter::BlockShadow(double, double v0, double u1, double v1, double height) {
    // The light comes from the upper left (north-west of the map), so the shadow falls
    // toward east and a little south.
    const double reach = std::min(height / 60.0, 0.9);
    Shadow(u1, v0 + reach * 0.25, std::min(u1 + reach, double(frame.footprint)), std::min(v1 + reach * 0.2, double(frame.footprint)));
}

void IsoPainter::Patch(double u0, double v0, double u1, double v1, Rgb colour, double z) {
    FillFaceColour(canvas, frame, {u0, v0, z}, {u1 - u0, 0, 0}, {0, v1 - v0, 0}, colour);
}

void IsoPainter::PatchShaded(double u0, double v0, double u1, double v1, double z, const FaceShader& shader) {
    FillFace(canvas, frame, {u0, v0, z}, {u1 - u0, 0, 0}, {0, v1 - v0, 0}, shader);
}

std::optional<Rgb> IsoPainter::WallPixel(const WallStyle& st, double s, double z, double length, double height,
                                        double light, int face) const {
    Rgb c = st.wall;
    const double zTop = height - z;
    if (zTop < 1.0) return Shade(st.trim, light);
    if (st.groundFloor > 0 && z < st.groundFloor) {
        // Shop front: glass between piers, with a band above.
        if (z > st.groundFloor - 1.5) return Shade(st.trim, light * 0.95);
        const double f = Frac(s / (st.windowPitch * 2));
        if (f < 0.12 || z < 1) return Shade(st.wall, light * 0.9);
        const Rgb glass = Mix(st.shopGlass, Rgb{250, 236, 180}, Hash01(std::uint32_t(s / (st.windowPitch * 2)), face, st.seed) * 0.5);
        return Shade(glass, light);
    }
    if (st.ribbed) {
        if (st.doorAt >= 0 && std::fabs(s - st.doorAt) < 0.12 && z < std::min(height - 2, 9.0)) {
            // A roller door: horizontal slats.
            return Shade(Rgb{150, 154, 160}, light * (Frac(z / 1.5) < 0.35 ? 0.8 : 1.0));
        }
        const double rib = Frac(s * 22);
        return Shade(st.wall, light * (rib < 0.3 ? 0.86 : 1.0) * (z < 1.5 ? 0.8 : 1.0));
    }
    const double zz = z - st.groundFloor;
    const int floor = int(zz / st.floorHeight);
    const double fz = Frac(zz / st.floorHeight);
    const int column = int(std::floor(s / st.windowPitch));
    const double fs = Frac(s / st.windowPitch);
    const bool litWindow = st.lit && Hash01(std::uint32_t(column + 97 * face), std::uint32_t(floor), st.seed) < 0.06;
    const Rgb warm{250, 220, 130};
    auto glassAt = [&](double reflect) {
        Rgb g = Mix(st.glass, Rgb{200, 228, 240}, reflect);
        // Daylight: a few windows catch the sun; on glass towers it is a brighter panel.
        if (litWindow) g = st.curtain ? Mix(g, Rgb{190, 226, 244}, 0.45) : warm;
        return Shade(g, light * (face == 0 ? 1.0 : 1.06));
    };
    if (st.curtain) {
        if (fs < 0.1 || fz < 1.0 / st.floorHeight) return Shade(st.trim, light);
        const double streak = Frac((s * 30.0 - z * 0.7) / 46.0);
        return glassAt(streak < 0.18 ? 0.45 : 0.1 * fz);
    }
    if (st.ribbon) {
        if (fz > 0.3 && fz < 0.3 + st.windowHeight && s > 0.04 && s < length - 0.04) {
            if (fs < 0.06) return Shade(st.trim, light);
            return glassAt(fz > 0.3 + st.windowHeight * 0.6 ? 0.25 : 0.05);
        }
        return Shade(c, light);
    }
    const double half = st.windowWidth / 2;
    const bool inColumn = std::fabs(fs - 0.5) < half && s > st.windowPitch * 0.3 && s < length - st.windowPitch * 0.3;
    const bool inRow = fz > 0.3 && fz < 0.3 + st.windowHeight && zTop > 2.0;
    if (inColumn && inRow) return glassAt(fz > 0.3 + st.windowHeight * 0.65 ? 0.3 : 0.0);
    if (inColumn && fz >= 0.3 - 0.13 && fz <= 0.3 && zTop > 2.0) return Shade(st.trim, light * 0.98); // sill
    return Shade(c, light);
}

void IsoPainter::Box(double u0, double v0, double u1, double v1, double z0, double z1, const WallStyle& walls, Rgb top) {
    const double h = z1 - z0;
    const double lu = u1 - u0;
    const double lv = v1 - v0;
    // Left wall: the face at v = v1, running along u.
    FillFace(canvas, frame, {u0, v1, z0}, {lu, 0, 0}, {0, 0, h}, [&](double a, double b) {
        return WallPixel(walls, a * lu, b * h, lu, h, kLightLeft, 0);
    });
    // Right wall: the face at u = u1, running along v (drawn from the far end).
    FillFace(canvas, frame, {u1, v0, z0}, {0, lv, 0}, {0, 0, h}, [&](double a, double b) {
        return WallPixel(walls, (1 - a) * lv, b * h, lv, h, kLightRight, 1);
    });
    FillFaceColour(canvas, frame, {u0, v0, z1}, {lu, 0, 0}, {0, lv, 0}, top);
}

void IsoPainter::PlainBox(double u0, double v0, double u1, double v1, double z0, double z1, Rgb colour, Rgb top) {
    const double h = z1 - z0;
    FillFaceColour(canvas, frame, {u0, v1, z0}, {u1 - u0, 0, 0}, {0, 0, h}, Shade(colour, kLightLeft));
    FillFaceColour(canvas, frame, {u1, v0, z0}, {0, v1 - v0, 0}, {0, 0, h}, Shade(colour, kLightRight));
    FillFaceColour(canvas, frame, {u0, v0, z1}, {u1 - u0, 0, 0}, {0, v1 - v0, 0}, top);
}

void IsoPainter::GableRoof(double u0, double v0, double u1, double v1, double z, double rise, bool alongU, Rgb roof,
                           Rgb gable) {
    auto tiles = [&](double light, double len) {
        return [=](double, double b) -> std::optional<Rgb> {
            const double rows = Frac(b * len * 5.0);
            double f = rows < 0.22 ? 0.86 : 1.0;
            if (b > 0.94) f *= 1.1; // ridge cap
            return Shade(roof, light * f);
        };
    };
    const double overhang = 0.03;
    if (alongU) {
        const double vm = (v0 + v1) / 2;
        // Back slope (faces north, away from the light's reach only a little).
        FillFace(canvas, frame, {u0 - overhang, v0 - overhang, z}, {u1 - u0 + 2 * overhang, 0, 0}, {0, vm - v0 + overhang, rise},
                 tiles(0.92, 1.0));
        // Front slope facing south-west.
        FillFace(canvas, frame, {u0 - overhang, v1 + overhang, z}, {u1 - u0 + 2 * overhang, 0, 0}, {0, vm - v1 - overhang, rise},
                 tiles(0.8, 1.0));
        // Gable end facing east.
        FillFace(canvas, frame, {u1, v0, z}, {0, v1 - v0, 0}, {0, vm - v0, rise},
                 [&](double, double) { return std::optional<Rgb>(Shade(gable, kLightRight)); }, true);
        canvas.Line(X(u0 - overhang, vm), Y(u0 - overhang, vm, z + rise), X(u1 + overhang, vm), Y(u1 + overhang, vm, z + rise),
                    Shade(roof, 1.15));
    } else {
        const double um = (u0 + u1) / 2;
        FillFace(canvas, frame, {u0 - overhang, v0 - overhang, z}, {0, v1 - v0 + 2 * overhang, 0}, {um - u0 + overhang, 0, rise},
                 tiles(1.0, 1.0));
        FillFace(canvas, frame, {u1 + overhang, v0 - overhang, z}, {0, v1 - v0 + 2 * overhang, 0}, {um - u1 - overhang, 0, rise},
                 tiles(0.7, 1.0));
        FillFace(canvas, frame, {u0, v1, z}, {u1 - u0, 0, 0}, {um - u0, 0, rise},
                 [&](double, double) { return std::optional<Rgb>(Shade(gable, kLightLeft)); }, true);
        canvas.Line(X(um, v0 - overhang), Y(um, v0 - overhang, z + rise), X(um, v1 + overhang), Y(um, v1 + overhang, z + rise),
                    Shade(roof, 1.15));
    }
}

void IsoPainter::HipRoof(double u0, double v0, double u1, double v1, double z, double rise, Rgb roof) {
    const double um = (u0 + u1) / 2;
    const double vm = (v0 + v1) / 2;
    const double inset = std::min(u1 - u0, v1 - v0) / 2;
    // Ridge from (u0 + inset, vm) to (u1 - inset, vm) when longer along u, else along v.
    Vec3 a{u0, v0, z}, b{u1, v0, z}, c{u1, v1, z}, d{u0, v1, z};
    Vec3 r0, r1;
    if (u1 - u0 >= v1 - v0) {
        r0 = {u0 + inset, vm, z + rise};
        r1 = {u1 - inset, vm, z + rise};
    } else {
        r0 = {um, v0 + inset, z + rise};
        r1 = {um, v1 - inset, z + rise};
    }
    auto tri = [&](Vec3 p, Vec3 q, Vec3 r, double light) {
        FillFaceColour(canvas, frame, p, {q.u - p.u, q.v - p.v, q.z - p.z}, {r.u - p.u, r.v - p.v, r.z - p.z}, Shade(roof, light), true);
    };
    const bool longU = u1 - u0 >= v1 - v0;
    // Back faces first, then the two that face the viewer.
    if (longU) {
        tri(a, b, r1, 0.95);
        tri(a, r0, r1, 0.95);
        tri(a, d, r0, 1.0);
        tri(d, c, r1, 0.8);
        tri(d, r0, r1, 0.8);
        tri(b, c, r1, 0.66);
    } else {
        tri(a, b, r0, 0.95);
        tri(a, d, r1, 1.0);
        tri(a, r0, r1, 1.0);
        tri(b, c, r1, 0.66);
        tri(b, r0, r1, 0.66);
        tri(d, c, r1, 0.8);
    }
}

void IsoPainter::Parapet(double u0, double v0, double u1, double v1, double z, double height, Rgb colour) {
    const double t = 0.035;
    PlainBox(u0, v0, u1, v0 + t, z, z + height, colour, Shade(colour, 1.1));
    PlainBox(u0, v0, u0 + t, v1, z, z + height, colour, Shade(colour, 1.1));
    PlainBox(u1 - t, v0, u1, v1, z, z + height, colour, Shade(colour, 1.1));
    PlainBox(u0, v1 - t, u1, v1, z, z + height, colour, Shade(colour, 1.1));
}

void IsoPainter::RoofUnits(double u0, double v0, double u1, double v1, double z, std::uint32_t seed, int count) {
    for (int i = 0; i < count; ++i) {
        const double w = 0.06 + 0.08 * Hash01(seed, std::uint32_t(i), 1);
        const double d = 0.06 + 0.08 * Hash01(seed, std::uint32_t(i), 2);
        const double u = u0 + 0.05 + (u1 - u0 - w - 0.1) * Hash01(seed, std::uint32_t(i), 3);
        const double v = v0 + 0.05 + (v1 - v0 - d - 0.1) * Hash01(seed, std::uint32_t(i), 4);
        const double h = 2 + 4 * Hash01(seed, std::uint32_t(i), 5);
        const Rgb c = Hash01(seed, std::uint32_t(i), 6) < 0.5 ? Rgb{170, 172, 170} : Rgb{140, 146, 150};
        PlainBox(u, v, u + w, v + d, z, z + h, c, Shade(c, 1.12));
    }
}

void IsoPainter::Revolve(double u, double v, double z0, double z1, const std::function<double(double)>& radius,
                         const std::function<Rgb(double)>& colour, Rgb cap, bool hollow) {
    const double cx = X(u, v);
    for (double z = z0; z <= z1 + 1e-9; z += 0.5) {
        const bool top = z > z1 - 0.5;
        const double r = radius(z);
        const double a = 42.43 * r;
        const double b = 21.21 * r;
        const double cy = Y(u, v, z);
        const Rgb base = colour(z);
        for (int y = int(std::floor(cy - b)); y <= int(std::ceil(cy + b)); ++y)
            for (int x = int(std::floor(cx - a)); x <= int(std::ceil(cx + a)); ++x) {
                const double nx = (x - cx) / a;
                const double ny = (y - cy) / b;
                const double d = nx * nx + ny * ny;
                if (d > 1.0) continue;
                if (top) {
                    if (hollow && d < 0.72) canvas.Set(x, y, Shade(cap, 0.35 + 0.3 * (ny + 1) / 2));
                    else canvas.Set(x, y, cap);
                    continue;
                }
                double light = 1.02 - 0.42 * (nx + 1) / 2;
                if (nx < -0.55 && nx > -0.75) light += 0.08; // a soft highlight
                canvas.Set(x, y, Shade(base, light));
            }
    }
}

void IsoPainter::Cylinder(double u, double v, double r, double z0, double z1, Rgb colour, Rgb cap) {
    Revolve(u, v, z0, z1, [r](double) { return r; }, [colour](double) { return colour; }, cap);
}

void IsoPainter::Tree(double u, double v, double size, std::uint32_t seed, bool conifer) {
    const double x = X(u, v);
    const double y = Y(u, v);
    const Rgb trunk{92, 62, 38};
    const double trunkHeight = size * 0.55;
    for (int t = 0; t <= int(trunkHeight); ++t) {
        canvas.Set(int(std::lround(x)), int(std::lround(y - t)), trunk);
        if (size > 6) canvas.Set(int(std::lround(x)) + 1, int(std::lround(y - t)), Shade(trunk, 0.7));
    }
    const Rgb leaf = Mix(material::kFoliage, Rgb{96, 140, 50}, Hash01(seed, 3));
    if (conifer) {
        const double h = size * 2.0;
        const double base = y - size * 0.3;
        for (int j = 0; j <= int(h); ++j) {
            const double t = j / h;
            const double half = size * 0.55 * (1 - t) + 0.5;
            for (int i = int(std::floor(-half)); i <= int(std::ceil(half)); ++i) {
                if (std::fabs(i) > half) continue;
                const double n = Hash01(seed, std::uint32_t(i + 50), std::uint32_t(j));
                double light = i < 0 ? 1.05 : 0.75;
                if (Frac(t * 4) < 0.2) light *= 0.85;
                if (n > 0.85) light *= 0.85;
                canvas.Set(int(std::lround(x)) + i, int(std::lround(base - j)), Shade(Rgb{40, 96, 56}, light));
            }
        }
        return;
    }
    const double r = size * 0.62;
    const double cy = y - trunkHeight - r * 0.6;
    for (int j = int(std::floor(-r)); j <= int(std::ceil(r)); ++j)
        for (int i = int(std::floor(-r * 1.1)); i <= int(std::ceil(r * 1.1)); ++i) {
            const double nx = i / (r * 1.1);
            const double ny = j / r;
            // A lumpy outline so crowns do not look like discs.
            const double edge = 1.0 - 0.18 * Hash01(seed, std::uint32_t(std::atan2(ny, nx) * 3 + 20));
            const double d = nx * nx + ny * ny;
            if (d > edge) continue;
            double light = 1.1 - 0.35 * (nx + ny + 1.2) / 2.4 - 0.15 * d;
            const double speck = Hash01(seed, std::uint32_t(i + 100), std::uint32_t(j + 100));
            if (speck > 0.82) light *= 0.82;
            else if (speck < 0.1 && nx + ny < 0) light *= 1.15;
            canvas.Set(int(std::lround(x)) + i, int(std::lround(cy)) + j, Shade(leaf, light));
        }
}

void IsoPainter::Bush(double u, double v, double size, std::uint32_t seed) {
    const double x = X(u, v);
    const double y = Y(u, v) - size * 0.4;
    const Rgb leaf = Mix(material::kFoliage, Rgb{80, 130, 60}, Hash01(seed, 9));
    for (int j = int(-size * 0.6); j <= int(size * 0.5); ++j)
        for (int i = int(-size); i <= int(size); ++i) {
            const double nx = i / size;
            const double ny = j / (size * 0.6);
            if (nx * nx + ny * ny > 1.0) continue;
            double light = 1.08 - 0.3 * (nx + ny + 1) / 2;
            if (Hash01(seed, std::uint32_t(i + 40), std::uint32_t(j + 40)) > 0.8) light *= 0.85;
            canvas.Set(int(std::lround(x)) + i, int(std::lround(y)) + j, Shade(leaf, light));
        }
}

void IsoPainter::Car(double u, double v, bool alongU, Rgb body) {
    const double l = 0.16;
    const double w = 0.08;
    const double du = alongU ? l : w;
    const double dv = alongU ? w : l;
    PlainBox(u - du / 2, v - dv / 2, u + du / 2, v + dv / 2, 0, 3, body, Shade(body, 1.1));
    const double cu = alongU ? du * 0.25 : du * 0.5;
    const double cv = alongU ? dv * 0.5 : dv * 0.25;
    PlainBox(u - cu / 2 - (alongU ? 0.01 : 0), v - cv / 2, u + cu / 2, v + cv / 2, 3, 5, Rgb{60, 80, 100}, Shade(body, 1.05));
}

void IsoPainter::Lamp(double u, double v, double height) {
    Pole(u, v, 0, height, Rgb{70, 74, 80});
    canvas.Set(int(std::lround(X(u, v))) + 1, int(std::lround(Y(u, v, height))), Rgb{255, 236, 150});
}

void IsoPainter::Person(double u, double v, Rgb shirt) {
    const int x = int(std::lround(X(u, v)));
    const int y = int(std::lround(Y(u, v)));
    canvas.Set(x, y, Rgb{50, 50, 60});
    canvas.Set(x, y - 1, shirt);
    canvas.Set(x, y - 2, shirt);
    canvas.Set(x, y - 3, Rgb{230, 190, 150});
}

void IsoPainter::Pole(double u, double v, double z0, double z1, Rgb colour) {
    const int x = int(std::lround(X(u, v)));
    for (int z = int(z0); z <= int(z1); ++z) canvas.Set(x, int(std::lround(Y(u, v, z))), colour);
}

void IsoPainter::Smoke(double u, double v, double z, int frameIndex, double scale, Rgb tint) {
    const double x0 = X(u, v);
    const double y0 = Y(u, v, z);
    for (int i = 4; i >= 0; --i) {
        const double t = i + frameIndex / 4.0;
        const double r = (1.6 + t * 0.9) * scale;
        const double cx = x0 + t * t * 0.55 * scale;
        const double cy = y0 - r * 0.6 - t * 6.0 * scale;
        const Rgb c = Mix(Shade(tint, 0.82), tint, t / 5.0);
        for (int y = int(std::floor(cy - r)); y <= int(std::ceil(cy + r)); ++y)
            for (int x = int(std::floor(cx - r)); x <= int(std::ceil(cx + r)); ++x) {
                const double nx = (x - cx) / r;
                const double ny = (y - cy) / r;
                const double d = nx * nx + ny * ny;
                if (d > 1.0) continue;
                // Thin puffs high up break into a dither so they read as fading.
                if (t > 3.2 && ((x + y) & 1)) continue;
                canvas.Set(x, y, Shade(c, 1.06 - 0.2 * (nx + ny + 1.4) / 2.8));
            }
    }
}

void IsoPainter::SawtoothRoof(double u0, double v0, double u1, double v1, double z, int teeth, double rise, Rgb roof) {
    const double w = (u1 - u0) / teeth;
    for (int i = 0; i < teeth; ++i) {
        const double a = u0 + i * w;
        // The sloping sheet rises toward east, the glazed face drops back down.
        FillFaceColour(canvas, frame, {a, v0, z}, {w, 0, rise}, {0, v1 - v0, 0}, Shade(roof, 0.95));
        FillFace(canvas, frame, {a + w, v0, z}, {0, v1 - v0, 0}, {0, 0, rise}, [&](double aa, double) {
            const Rgb glass = Frac(aa * (v1 - v0) * 8) < 0.2 ? Rgb{90, 96, 104} : Rgb{120, 170, 200};
            return std::optional<Rgb>(Shade(glass, kLightRight));
        });
        FillFaceColour(canvas, frame, {a, v1, z}, {w, 0, rise}, {w, 0, 0}, Shade(roof, kLightLeft), true);
    }
}

void IsoPainter::Scaffold(double u0, double v0, double u1, double v1, double z1) {
    const Rgb pipe{190, 150, 60};
    const Rgb plank{150, 110, 70};
    for (double z = 8; z <= z1; z += 8) {
        canvas.Line(X(u0, v1), Y(u0, v1, z), X(u1, v1), Y(u1, v1, z), plank);
        canvas.Line(X(u1, v1), Y(u1, v1, z), X(u1, v0), Y(u1, v0, z), plank);
    }
    const int nu = std::max(2, int((u1 - u0) / 0.2));
    const int nv = std::max(2, int((v1 - v0) / 0.2));
    for (int i = 0; i <= nu; ++i) Pole(u0 + (u1 - u0) * i / nu, v1, 0, z1, pipe);
    for (int i = 0; i < nv; ++i) Pole(u1, v0 + (v1 - v0) * i / nv, 0, z1, pipe);
}

} // namespace art
