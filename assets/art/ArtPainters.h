// The painters of each family of pictures; ArtCatalog chooses among them by code.
#pragma once

#include "ArtCatalog.h"
#include "Canvas.h"

namespace art {

Canvas PaintTerrain(const PictureSpec& spec);   // land, water, trees, zones, edges, fillers
Canvas PaintNetwork(const PictureSpec& spec);   // roads, railways, power lines, motorway, runway, quay
Canvas PaintZoneBuilding(const PictureSpec& spec); // residential, commercial, industrial, sites
Canvas PaintCivic(const PictureSpec& spec);     // gifts, transport, ports, plants, services, parks
Canvas PaintMover(const PictureSpec& spec);     // trains, boats, markers

Canvas PaintBlankTile();
Canvas PaintCursorDiamond(int footprint);
Canvas PaintBackdrop();
Canvas PaintTitle();
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
