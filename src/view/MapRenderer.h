// The isometric map renderer: one frame of the visible map, and the trains and boats.
#pragma once

#include "city/CityTypes.h"
#include "platform/ddraw/DDraw.h"

#include <array>
#include <functional>
#include <optional>
#include <vector>

class CityState;

namespace view {

class MapPictures;

// The view window: 13 view columns by 25 view rows.
constexpr int kViewWindowCols = 13;
constexpr int kViewWindowRows = 25;
constexpr int kDrawListSize = kViewWindowCols * kViewWindowRows;

// Every picture is clipped to this rectangle of the back buffer.
constexpr int kClipLeft = 0, kClipTop = 40, kClipRight = 1152, kClipBottom = 864;
// The part of the back buffer the player sees, and where it lands on the scene.
constexpr int kShownLeft = 166, kShownTop = 212, kShownRight = 787, kShownBottom = 541;
constexpr int kSceneX = 0, kSceneY = 20;

// Offsets of up to ten trees on one tree cell, in drawing order.
constexpr std::array<std::array<int, 2>, 10> kTreeOffsets{{
    {27, 3}, {37, 5}, {20, 7}, {30, 7}, {40, 10}, {10, 10}, {28, 11}, {10, 12}, {16, 15}, {28, 17},
}};

// The opposite of direction 1 to 4 (0 for anything else).
int OppositeDirection(int direction);
// The piece (1 to 11) of a road, railway or power line from its four neighbours.
int PieceNumber(bool north, bool east, bool south, bool west);

// A pixel of the main window's client area, where the scene shows the map.
struct ClientPoint {
    int x, y;
};

// The top-left corner, in client pixels, of the tile drawn at relative view column j
// and row r (0 to 22) whose absolute view row is absRow.
ClientPoint TileClientOrigin(int j, int r, int absRow);

// The real pointer at client pixel (x, y): the point of the mouse mapping's band that
// picks the tile whose diamond lies under the pointer, for a view whose first row is
// vert. Empty when the pointer is off the shown map or over a tile that no band reaches
// (the top row and the rightmost column of the view).
std::optional<ClientPoint> PointerToBand(int vert, int x, int y);

class MapRenderer {
public:
    MapRenderer(CityState& city, MapPictures& pictures) : city_(city), pictures_(pictures) {}

    // ColumnX and RowY: the tile origin of a relative view column and row, before the
    // fixed offset into the back buffer and the half-tile shift of odd rows.
    static constexpr std::array<int, kViewWindowCols> ColumnX = [] {
        std::array<int, kViewWindowCols> a{};
        for (int j = 0; j < kViewWindowCols; ++j)
            a[static_cast<size_t>(j)] = 60 * j;
        return a;
    }();
    // Rows 23 and 24 lie below row 22 like every other row: with a row position of 0
    // they were drawn over the top of the view, and a motorway anchored on rows 19
    // and 20 (whose block is drawn four rows down) vanished from the bottom.
    static constexpr std::array<int, kViewWindowRows> RowY = [] {
        std::array<int, kViewWindowRows> a{};
        for (int r = 0; r < kViewWindowRows; ++r)
            a[static_cast<size_t>(r)] = 45 + 15 * r;
        return a;
    }();
    // Back-buffer position of the tile at relative (j, r) whose absolute view row is absRow.
    static int TileX(int j, int absRow) { return ColumnX[static_cast<size_t>(j)] + 156 - (absRow % 2 != 0 ? 30 : 0); }
    static int TileY(int r) { return RowY[static_cast<size_t>(r)] + 192; }

    // One whole frame: movers, draw list, blank pass, draw pass and cursor composed on
    // the back buffer for the view whose first column and row are horz and vert; the
    // shown window copied to the scene's background; then present().
    void DrawFrame(int horz, int vert, ddraw::IDirectDrawSurface7* sceneBackground,
                   const std::function<void()>& present);
    // The composing part of a frame alone (no movers, no copy, no flip).
    void Compose(int horz, int vert);
    // Compose, copy and present, without moving anything.
    void Present(int horz, int vert, ddraw::IDirectDrawSurface7* sceneBackground,
                 const std::function<void()>& present);
    // False: frames only move the movers (long scripted runs); Present still draws.
    bool ComposeFrames = true;
    // True: pictures are drawn only where they reach the shown window, so the back
    // buffer is exact only there (all the game ever copies from it).
    bool ShownOnly = false;

    // Advances every active train and boat by one tick.
    void MoveMovers();
    // Fills DrawList in drawing order for the current view.
    void BuildDrawList();

    // Draws picture p (-1: the blank tile) at absolute view column j and row r with the
    // source rectangle (right or bottom 0: the picture's full width or height).
    void DrawPicture(int j, int r, int left, int top, int right, int bottom, int p);
    // A road, railway or power line piece: underlay u, neighbour selector t, object o.
    void DrawNetwork(int j, int r, int u, int t, int o);
    void DrawMotorway(int j, int r);
    void DrawWater(int j, int r);
    void DrawPortPiece(int j, int r, int code);

    // Scratch of one frame: absolute (view column, view row) pairs, (-2, -2) = empty.
    std::array<TGridPos, kDrawListSize> DrawList{};
    std::array<std::array<bool, kViewWindowCols>, kViewWindowRows> Listed{};
    int ListedCount() const { return listCount_; }

    int Horz() const { return horz_; }
    int Vert() const { return vert_; }
    void SetView(int horz, int vert) {
        horz_ = horz;
        vert_ = vert;
    }

    // The margins: rows above and below the view window, and two columns left of it,
    // whose pictures reach into the shown window (buildings anchored above the first
    // row grow down into it, tall ones anchored below grow up into it). They are drawn
    // in the window's own order: upper rows first, smaller footprints first in a band.
    static constexpr int kRowsAbove = 9;    // a 4 x 4 footprint reaches nine rows down
    static constexpr int kGroundAbove = 3;  // ground tiles of these rows show at the top
    static constexpr int kColumnsLeft = 2;  // a 4 x 4 footprint reaches two columns right
    static constexpr int kMaxRowsBelow = 20;
    // The rows below the window whose tallest picture reaches into it.
    int RowsBelow() const;

private:
    void Append(int j, int r);
    // True when the picture of the map cell at relative (rj, rr) can reach the shown window.
    bool ReachesShownWindow(int rj, int rr) const;
    // Draws the margin positions of rows first..last (relative) in bands, as the list
    // is ordered; between rows 0 and 24 only the columns left of the window, each
    // band's after the window's entries of that band and footprint.
    void DrawMarginBands(int first, int last, int& next);
    void DrawListUpTo(int& next, int j, int r, int k);
    void DrawEntry(int j, int r);
    void DrawCursor();
    void Blit(ddraw::IDirectDrawSurface7* source, int left, int top, int right, int bottom, int x, int y);
    TGridPos CellAt(int j, int r) const;

    CityState& city_;
    MapPictures& pictures_;
    int horz_ = 0;
    int vert_ = 0;
    int listCount_ = 0;
    // Scratch of one frame: margin positions already drawn.
    std::vector<char> marginDrawn_ =
        std::vector<char>((kRowsAbove + kViewWindowRows + kMaxRowsBelow) * (kViewWindowCols + kColumnsLeft), 0);
};

} // namespace view
