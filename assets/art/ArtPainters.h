// The painters of each family of pictures; ArtCatalog chooses among them by code.
#pragma once

#include "ArtCatalog.h"
#include "Canvas.h"

namespace art {

Canvas PaintTerrain(const PictureShape& shape);   // land, water, trees, zones, edges, fillers
Canvas PaintNetwork(const PictureShape& shape);   // roads, railways, power lines, motorway, runway, quay
Canvas PaintZoneBuilding(const PictureShape& shape); // residential, commercial, industrial, sites
Canvas PaintCivic(const PictureShape& shape);     // gifts, transport, ports, plants, services, parks
Canvas PaintMover(const PictureShape& shape);     // trains, boats, markers

Canvas PaintBlankTile();
Canvas PaintCursorDiamond(int footprint);
Canvas PaintBackdrop();
Canvas PaintTitle();
Canvas PaintIcon(); // square, transparent round the town
// The title picture as the intro video builds it up: the dark sky at 0, the whole
// picture (PaintTitle) at 1.
Canvas PaintTitleBuilding(double build);
// Ordered dithering, so smooth gradients survive the trip into 256 colours.
Rgb Dither(Rgb c, int x, int y, double amount);
Canvas PaintToolCursor(int group);
Canvas PaintGlyph(int group);

// Open water as every water picture shows it; wraps at the tile edges.
Rgb WaterAt(double u, double v);

// Network pieces 1 to 11: which of north, east, south, west each one joins.
struct PieceJoins {
    bool north, east, south, west;
};
PieceJoins JoinsOfPiece(int piece);

} // namespace art
