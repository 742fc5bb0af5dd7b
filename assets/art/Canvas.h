// A picture being drawn: full-colour pixels with a transparency mask, and the
// isometric drawing primitives every painter uses.
#pragma once

#include "Palette.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace art {

// Colour arithmetic for shading; results are clamped to 0..255.
Rgb Shade(Rgb colour, double factor);
Rgb Mix(Rgb a, Rgb b, double t);

// Deterministic hashing: the generator never uses a random-number generator, so the
// same code always paints the same pixels.
std::uint32_t Hash(std::uint32_t a, std::uint32_t b = 0, std::uint32_t c = 0);
double Hash01(std::uint32_t a, std::uint32_t b = 0, std::uint32_t c = 0);
// Smooth value noise over the unit square that wraps at its edges, so a texture
// computed from it joins seamlessly with the next tile.
double TileNoise(double u, double v, int cells, std::uint32_t seed);

class Canvas {
public:
    Canvas() : Canvas(0, 0) {}
    Canvas(int width, int height);

    int Width() const { return width; }
    int Height() const { return height; }
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    bool Opaque(int x, int y) const { return Inside(x, y) && opaque[Index(x, y)] != 0; }
    Rgb At(int x, int y) const { return pixels[Index(x, y)]; }

    void Set(int x, int y, Rgb colour);
    void Erase(int x, int y);
    void FillRect(int x, int y, int w, int h, Rgb colour);
    void Line(double x0, double y0, double x1, double y1, Rgb colour);
    void FillEllipse(double cx, double cy, double rx, double ry, Rgb colour);
    // Copies the opaque pixels of another canvas with its top-left corner at (x, y).
    void Blit(const Canvas& source, int x, int y);

    // The picture as palette indices, bottom-up rows not applied (row 0 is the top).
    std::vector<std::uint8_t> ToIndices(const Palette& palette) const;

private:
    std::size_t Index(int x, int y) const { return std::size_t(y) * std::size_t(width) + std::size_t(x); }
    int width;
    int height;
    std::vector<Rgb> pixels;
    std::vector<std::uint8_t> opaque;
};

struct Vec3 {
    double u = 0;
    double v = 0;
    double z = 0;
};

// The projection of a picture: world point (u, v, z), u along the map's x (east, down to
// the right), v along its y (south, down to the left), in cells, z up in pixels, onto the
// picture's pixel grid. One cell is 60 pixels across and 30 down, so a step of one cell
// always moves a whole number of pixels and tiles painted from the same world shapes meet
// without a seam. (0, 0, 0) is the top corner of the footprint's diamond.
struct IsoFrame {
    double cx = 29;
    double cy = 0;
    int footprint = 1;

    // The frame of a picture of the given size for an n x n footprint: the diamond
    // sits at the bottom, anything taller grows upward.
    static IsoFrame For(int footprint, int pictureHeight);

    double X(double u, double v) const { return cx + 30.0 * (u - v); }
    double Y(double u, double v, double z) const { return cy + 15.0 * (u + v) - z; }
    // Ground coordinates of a pixel.
    double U(double x, double y) const { return ((y - cy) / 15.0 + (x - cx) / 30.0) / 2.0; }
    double V(double x, double y) const { return ((y - cy) / 15.0 - (x - cx) / 30.0) / 2.0; }
};

// Whether a pixel lies on the ground diamond of cell (i, j) of a frame's footprint. The
// rows of a tile widen by two pixels a row except once at the middle, which makes 59 x 31
// diamonds laid 60 apart and 15 rows down cover the plane without gaps or overlaps.
bool InCellDiamond(const IsoFrame& frame, int i, int j, int x, int y);
bool InFootprint(const IsoFrame& frame, int x, int y);

// A face lit from the upper left: 1.0 on tops, less on the wall facing south-west
// (left on screen) and least on the wall facing south-east (right on screen).
constexpr double kLightTop = 1.0;
constexpr double kLightLeft = 0.84;
constexpr double kLightRight = 0.64;

// Fills the face origin + a * axisA + b * axisB (a, b in 0..1; a + b <= 1 when
// triangle is set). The shader gets (a, b) and returns the colour, or nothing to leave
// the pixel alone.
using FaceShader = std::function<std::optional<Rgb>(double a, double b)>;
void FillFace(Canvas& canvas, const IsoFrame& frame, Vec3 origin, Vec3 axisA, Vec3 axisB,
              const FaceShader& shader, bool triangle = false);
void FillFaceColour(Canvas& canvas, const IsoFrame& frame, Vec3 origin, Vec3 axisA, Vec3 axisB, Rgb colour,
                    bool triangle = false);

// Paints every pixel of the footprint's ground with a shader of the ground point.
using GroundShader = std::function<std::optional<Rgb>(double u, double v)>;
void FillGround(Canvas& canvas, const IsoFrame& frame, const GroundShader& shader);

} // namespace art
