// Drawing of isometric objects on a picture: ground, boxes with windows, roofs,
// round towers, trees and small props, all lit from the upper left.
#pragma once

#include "Canvas.h"

#include <cstdint>
#include <functional>

namespace art {

// How the walls of a box look: plain, with punched windows, with ribbon windows or
// as a glass curtain wall.
struct WallStyle {
    Rgb wall{200, 190, 170};
    Rgb glass{60, 110, 150};
    Rgb trim{230, 225, 210};
    double floorHeight = 8.0;   // pixels per storey
    double windowPitch = 0.16;  // cells between window centres along a wall
    double windowWidth = 0.55;  // share of the pitch that is glass
    double windowHeight = 0.5;  // share of the storey that is glass
    double groundFloor = 0.0;   // height of a shop front, 0 for none
    Rgb shopGlass{90, 150, 180};
    bool ribbon = false;        // continuous window bands
    bool curtain = false;       // all glass with thin mullions
    bool lit = true;            // some windows lit warm
    bool ribbed = false;        // corrugated cladding, no windows
    double doorAt = -1;         // along the wall, in cells, where a loading door stands
    std::uint32_t seed = 1;
};

class IsoPainter {
public:
    IsoPainter(Canvas& canvas, IsoFrame frame) : canvas(canvas), frame(frame) {}

    Canvas& Target() { return canvas; }
    const IsoFrame& Frame() const { return frame; }
    double X(double u, double v) const { return frame.X(u, v); }
    double Y(double u, double v, double z = 0) const { return frame.Y(u, v, z); }

    void Ground(const GroundShader& shader) { FillGround(canvas, frame, shader); }
    // Darkens what is already drawn on the ground rectangle (a cast shadow).
    void Shadow(double u0, double v0, double u1, double v1, double factor = 0.72);
    // A shadow cast by a block of the given height, falling to the lower right.
    void BlockShadow(double u0, double v0, double u1, double v1, double height);
    // Paints a flat rectangle on the ground (or at height z).
    void Patch(double u0, double v0, double u1, double v1, Rgb colour, double z = 0);
    void PatchShaded(double u0, double v0, double u1, double v1, double z, const FaceShader& shader);

    // A box from (u0, v0, z0) to (u1, v1, z1): the two walls that face the viewer and the top.
    void Box(double u0, double v0, double u1, double v1, double z0, double z1, const WallStyle& walls, Rgb top);
    void PlainBox(double u0, double v0, double u1, double v1, double z0, double z1, Rgb colour, Rgb top);
    // Roofs sitting on the rectangle at height z. alongU puts the ridge along u.
    void GableRoof(double u0, double v0, double u1, double v1, double z, double rise, bool alongU, Rgb roof, Rgb gable);
    void HipRoof(double u0, double v0, double u1, double v1, double z, double rise, Rgb roof);
    // A rim of low wall around a flat roof, and roof clutter (vents, boxes).
    void Parapet(double u0, double v0, double u1, double v1, double z, double height, Rgb colour);
    void RoofUnits(double u0, double v0, double u1, double v1, double z, std::uint32_t seed, int count);

    // A solid of revolution around the vertical through (u, v), radius in cells given per
    // height; drawn from the bottom up so the front surface ends on top.
    void Revolve(double u, double v, double z0, double z1, const std::function<double(double z)>& radius,
                 const std::function<Rgb(double z)>& colour, Rgb cap, bool hollow = false);
    void Cylinder(double u, double v, double r, double z0, double z1, Rgb colour, Rgb cap);

    // Props.
    void Tree(double u, double v, double size, std::uint32_t seed, bool conifer = false);
    void Bush(double u, double v, double size, std::uint32_t seed);
    void Car(double u, double v, bool alongU, Rgb body);
    void Lamp(double u, double v, double height);
    void Person(double u, double v, Rgb shirt);
    void Pole(double u, double v, double z0, double z1, Rgb colour);
    // Smoke rising from (u, v, z) and drifting east; frame 0 to 3 moves the puffs up by a
    // quarter of their spacing, so four frames loop without a jump.
    void Smoke(double u, double v, double z, int frame, double scale, Rgb tint = Rgb{214, 214, 210});
    // Sawtooth factory roof over the rectangle: teeth along u with glazing facing east.
    void SawtoothRoof(double u0, double v0, double u1, double v1, double z, int teeth, double rise, Rgb roof);
    // Open scaffolding round a rectangle up to the given height.
    void Scaffold(double u0, double v0, double u1, double v1, double z1);

private:
    std::optional<Rgb> WallPixel(const WallStyle& style, double s, double z, double length, double height,
                                 double light, int face) const;
    Canvas& canvas;
    IsoFrame frame;
};

// Shared material colours, so every picture uses the same grass, concrete and asphalt.
namespace material {
constexpr Rgb kGrass{92, 140, 56};
constexpr Rgb kGrassLight{124, 166, 72};
constexpr Rgb kDirt{142, 110, 74};
constexpr Rgb kConcrete{176, 174, 166};
constexpr Rgb kPavement{196, 192, 180};
constexpr Rgb kAsphalt{66, 70, 80};
constexpr Rgb kWater{40, 104, 164};
constexpr Rgb kSand{214, 196, 150};
constexpr Rgb kRoofTile{178, 82, 48};
constexpr Rgb kSlate{84, 98, 126};
constexpr Rgb kSteel{120, 138, 156};
constexpr Rgb kWood{130, 88, 52};
constexpr Rgb kWhite{236, 234, 226};
constexpr Rgb kFoliage{58, 112, 52};
} // namespace material

// Grass as every ground tile shows it: a quiet mottle that wraps at the tile edges.
Rgb GrassAt(double u, double v, std::uint32_t seed = 7);
Rgb PavingAt(double u, double v, Rgb base);

} // namespace art
