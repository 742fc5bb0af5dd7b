// Pixel storage, colour helpers and the isometric fill primitives.
#include "Canvas.h"

#include <algorithm>
#include <cmath>

namespace art {

Rgb Shade(Rgb colour, double factor) {
    auto f = [factor](int c) { return std::uint8_t(std::clamp(int(std::lround(double(c) * factor)), 0, 255)); };
    return Rgb{f(colour.r), f(colour.g), f(colour.b)};
}

Rgb Mix(Rgb a, Rgb b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    auto m = [t](int x, int y) { return std::uint8_t(std::lround(double(x) + (double(y) - double(x)) * t)); };
    return Rgb{m(a.r, b.r), m(a.g, b.g), m(a.b, b.b)};
}

std::uint32_t Hash(std::uint32_t a, std::uint32_t b, std::uint32_t c) {
    std::uint32_t h = 0x9e3779b9u ^ a;
    h = (h ^ (h >> 16)) * 0x85ebca6bu;
    h ^= b + 0x7f4a7c15u + (h << 6) + (h >> 2);
    h = (h ^ (h >> 13)) * 0xc2b2ae35u;
    h ^= c + 0x165667b1u + (h << 6) + (h >> 2);
    h = (h ^ (h >> 16)) * 0x27d4eb2fu;
    return h ^ (h >> 15);
}

double Hash01(std::uint32_t a, std::uint32_t b, std::uint32_t c) { return double(Hash(a, b, c) & 0xffffff) / double(0x1000000); }

double TileNoise(double u, double v, int cells, std::uint32_t seed) {
    const double fu = (u - std::floor(u)) * cells;
    const double fv = (v - std::floor(v)) * cells;
    const int iu = int(fu);
    const int iv = int(fv);
    const double tu = fu - iu;
    const double tv = fv - iv;
    auto corner = [&](int a, int b) {
        return Hash01(std::uint32_t((a % cells + cells) % cells), std::uint32_t((b % cells + cells) % cells), seed);
    };
    const double su = tu * tu * (3 - 2 * tu);
    const double sv = tv * tv * (3 - 2 * tv);
    const double top = corner(iu, iv) + (corner(iu + 1, iv) - corner(iu, iv)) * su;
    const double bottom = corner(iu, iv + 1) + (corner(iu + 1, iv + 1) - corner(iu, iv + 1)) * su;
    return top + (bottom - top) * sv;
}

Canvas::Canvas(int width, int height)
    : width(width), height(height), pixels(std::size_t(width) * std::size_t(height)),
      opaque(std::size_t(width) * std::size_t(height), 0) {}

void Canvas::Set(int x, int y, Rgb colour) {
    if (!Inside(x, y)) return;
    pixels[Index(x, y)] = colour;
    opaque[Index(x, y)] = 1;
}

void Canvas::Erase(int x, int y) {
    if (!Inside(x, y)) return;
    opaque[Index(x, y)] = 0;
}

void Canvas::FillRect(int x, int y, int w, int h, Rgb colour) {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) Set(i, j, colour);
}

void Canvas::Line(double x0, double y0, double x1, double y1, Rgb colour) {
    const double dx = x1 - x0;
    const double dy = y1 - y0;
    const int steps = int(std::ceil(std::max(std::fabs(dx), std::fabs(dy))));
    if (steps == 0) {
        Set(int(std::lround(x0)), int(std::lround(y0)), colour);
        return;
    }
    for (int i = 0; i <= steps; ++i) {
        const double t = double(i) / steps;
        Set(int(std::floor(x0 + dx * t + 0.5)), int(std::floor(y0 + dy * t + 0.5)), colour);
    }
}

void Canvas::FillEllipse(double cx, double cy, double rx, double ry, Rgb colour) {
    for (int y = int(std::floor(cy - ry)); y <= int(std::ceil(cy + ry)); ++y)
        for (int x = int(std::floor(cx - rx)); x <= int(std::ceil(cx + rx)); ++x) {
            const double a = (x - cx) / rx;
            const double b = (y - cy) / ry;
            if (a * a + b * b <= 1.0) Set(x, y, colour);
        }
}

void Canvas::Blit(const Canvas& source, int x, int y) {
    for (int j = 0; j < source.height; ++j)
        for (int i = 0; i < source.width; ++i)
            if (source.Opaque(i, j)) Set(x + i, y + j, source.At(i, j));
}

std::vector<std::uint8_t> Canvas::ToIndices(const Palette& palette) const {
    std::vector<std::uint8_t> out(pixels.size(), kKeyIndex);
    for (std::size_t i = 0; i < pixels.size(); ++i)
        if (opaque[i]) out[i] = palette.Nearest(pixels[i]);
    return out;
}

IsoFrame IsoFrame::For(int footprint, int pictureHeight) {
    IsoFrame frame;
    frame.footprint = footprint;
    frame.cx = 30.0 * footprint - 1.0;
    frame.cy = double(pictureHeight - (30 * footprint + 1));
    return frame;
}

bool InCellDiamond(const IsoFrame& frame, int i, int j, int x, int y) {
    const int ox = int(frame.cx) - 29 + 30 * (i - j);
    const int oy = int(frame.cy) + 15 * (i + j);
    const int tx = x - ox;
    const int ty = y - oy;
    if (ty < 0 || ty > 30) return false;
    const int s = ty <= 15 ? ty : 30 - ty;
    const int w = s <= 7 ? 2 * s : 2 * s - 1;
    return std::abs(tx - 29) <= w;
}

bool InFootprint(const IsoFrame& frame, int x, int y) {
    for (int j = 0; j < frame.footprint; ++j)
        for (int i = 0; i < frame.footprint; ++i)
            if (InCellDiamond(frame, i, j, x, y)) return true;
    return false;
}

void FillFace(Canvas& canvas, const IsoFrame& frame, Vec3 origin, Vec3 axisA, Vec3 axisB, const FaceShader& shader,
              bool triangle) {
    const double ox = frame.X(origin.u, origin.v);
    const double oy = frame.Y(origin.u, origin.v, origin.z);
    const double ax = 30.0 * (axisA.u - axisA.v);
    const double ay = 15.0 * (axisA.u + axisA.v) - axisA.z;
    const double bx = 30.0 * (axisB.u - axisB.v);
    const double by = 15.0 * (axisB.u + axisB.v) - axisB.z;
    const double det = ax * by - ay * bx;
    if (std::fabs(det) < 1e-9) return;
    const double xs[4] = {ox, ox + ax, ox + bx, ox + ax + bx};
    const double ys[4] = {oy, oy + ay, oy + by, oy + ay + by};
    const int x0 = int(std::floor(*std::min_element(xs, xs + 4))) - 1;
    const int x1 = int(std::ceil(*std::max_element(xs, xs + 4))) + 1;
    const int y0 = int(std::floor(*std::min_element(ys, ys + 4))) - 1;
    const int y1 = int(std::ceil(*std::max_element(ys, ys + 4))) + 1;
    constexpr double kEps = 1e-6;
    for (int y = std::max(y0, 0); y <= std::min(y1, canvas.Height() - 1); ++y)
        for (int x = std::max(x0, 0); x <= std::min(x1, canvas.Width() - 1); ++x) {
            const double px = x - ox;
            const double py = y - oy;
            const double a = (px * by - py * bx) / det;
            const double b = (ax * py - ay * px) / det;
            if (a < -kEps || b < -kEps || a > 1 + kEps || b > 1 + kEps) continue;
            if (triangle && a + b > 1 + kEps) continue;
            if (auto colour = shader(std::clamp(a, 0.0, 1.0), std::clamp(b, 0.0, 1.0))) canvas.Set(x, y, *colour);
        }
}

void FillFaceColour(Canvas& canvas, const IsoFrame& frame, Vec3 origin, Vec3 axisA, Vec3 axisB, Rgb colour,
                    bool triangle) {
    FillFace(canvas, frame, origin, axisA, axisB, [colour](double, double) { return colour; }, triangle);
}

void FillGround(Canvas& canvas, const IsoFrame& frame, const GroundShader& shader) {
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x) {
            if (!InFootprint(frame, x, y)) continue;
            if (auto colour = shader(frame.U(x, y), frame.V(x, y))) canvas.Set(x, y, *colour);
        }
}

} // namespace art
