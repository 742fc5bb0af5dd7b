// Composing a frame: the draw list, the blank and draw passes, the special drawings,
// the overlays and the cursor; and the steps of the trains and boats.
#include "view/MapRenderer.h"

#include "city/CityState.h"
#include "city/Placement.h"
#include "gfx/DisplayCore.h"
#include "gfx/Surfaces.h"
#include "view/MapPictures.h"

#include <algorithm>
#include <cstdlib>

using namespace city;

namespace view {

namespace {

constexpr TGridPos kEmptyEntry{-2, -2};

// Picture numbers with a fixed meaning to the renderer.
constexpr int kPictureEmptyLand = 9;
constexpr int kPictureTree = 11;
constexpr int kPictureWater = 12;
constexpr int kPictureNoPower = 118;
constexpr int kPictureNoWater = 119;
constexpr int kPictureNoSewage = 120;
constexpr int kLineAcrossNorthSouth = 160;
constexpr int kLineAcrossEastWest = 161;
constexpr int kWaterEdgeBase = 161; // + direction 1 to 4
constexpr int kRunwayAlongX = 166;
constexpr int kQuayAlongX = 167;
constexpr int kCodeRunway = 29;
constexpr int kCodeQuay = 34;
constexpr int kMoverMark = 130; // countdown above this: a mover's slot + 130

// The neighbour of (x, y) one step in direction 1 to 4.
void Step(int direction, int& x, int& y) {
    switch (direction) {
    case 1: --y; break;
    case 2: ++x; break;
    case 3: ++y; break;
    case 4: --x; break;
    default: break;
    }
}

} // namespace

int OppositeDirection(int direction) {
    switch (direction) {
    case 1: return 3;
    case 2: return 4;
    case 3: return 1;
    case 4: return 2;
    default: return 0;
    }
}

int PieceNumber(bool n, bool e, bool s, bool w) {
    // The bends and tees, first matching row first.
    if (n && e && !s && !w) return 3;
    if (!n && e && s && !w) return 4;
    if (!n && !e && s && w) return 5;
    if (n && !e && !s && w) return 6;
    if (n && e && s && !w) return 7;
    if (!n && e && s && w) return 8;
    if (n && !e && s && w) return 9;
    if (n && e && !s && w) return 10;
    if (!e && !w && (n || s)) return 1;
    if (!n && !s && (e || w)) return 2;
    return 11;
}

ClientPoint TileClientOrigin(int j, int r, int absRow) {
    // The scene shows the back buffer from (kShownLeft, kShownTop) at (kSceneX, kSceneY).
    return ClientPoint{MapRenderer::TileX(j, absRow) - kShownLeft + kSceneX, MapRenderer::TileY(r) - kShownTop + kSceneY};
}

std::optional<ClientPoint> PointerToBand(int vert, int x, int y) {
    const int shownWidth = kShownRight - kShownLeft, shownHeight = kShownBottom - kShownTop;
    if (x < kSceneX || x >= kSceneX + shownWidth || y < kSceneY || y >= kSceneY + shownHeight)
        return std::nullopt;
    // The diamonds tile the plane, so the tile under the pointer is the one whose centre
    // is nearest in the diamonds' own measure (half a tile is 30 across, 15 down).
    // Rows 23 and 24 have no place of their own and are never under the pointer.
    int bestJ = -1, bestR = -1, best = 0;
    for (int r = 0; r <= 22; ++r)
        for (int j = 0; j < kViewWindowCols; ++j) {
            const ClientPoint o = TileClientOrigin(j, r, vert + r);
            const int d = std::abs(x - (o.x + 29)) + 2 * std::abs(y - (o.y + 15));
            if (bestJ < 0 || d < best)
                bestJ = j, bestR = r, best = d;
        }
    // The bands cover view rows 1 to 22 and columns 0 to 11 of the window.
    if (bestR < 1 || bestJ > 11)
        return std::nullopt;
    return ClientPoint{60 * bestJ + 30, 46 + 15 * (bestR - 1) + 7};
}

TGridPos MapRenderer::CellAt(int j, int r) const { return city_.ViewAt(r, j); }

void MapRenderer::Blit(ddraw::IDirectDrawSurface7* source, int left, int top, int right, int bottom, int x, int y) {
    if (ShownOnly) {
        // Where the clipped blit would write: from the clipped corner on, as many
        // columns and rows as the clipped source has (the right and bottom passed in
        // serve as the source's right and bottom once clipped).
        const int x0 = std::max(x, kClipLeft), y0 = std::max(y, kClipTop);
        const int x1 = x0 + right - (x < kClipLeft ? kClipLeft - x : left);
        const int y1 = y0 + bottom - (y < kClipTop ? kClipTop - y : top);
        if (x1 <= kShownLeft || x0 >= kShownRight || y1 <= kShownTop || y0 >= kShownBottom)
            return;
    }
    gfx::BltFastClipped(pictures_.BackBuffer, source, kClipLeft, kClipTop, kClipRight, kClipBottom, left, top, right,
                        bottom, x, y);
}

void MapRenderer::DrawPicture(int j, int r, int left, int top, int right, int bottom, int p) {
    const int rj = j - horz_;
    const int rr = r - vert_;
    // The tables cover the view window; the motorway's piece may land one column and
    // a few rows past it, where the same spacing goes on.
    int x = (rj >= 0 && rj < kViewWindowCols ? ColumnX[static_cast<size_t>(rj)] : 60 * rj) + 156;
    if (r % 2 != 0)
        x -= 30;
    int y = (rr >= 0 && rr < kViewWindowRows ? RowY[static_cast<size_t>(rr)] : 45 + 15 * rr) + 192;

    if (p == -1) {
        if (pictures_.Blank)
            Blit(pictures_.Blank, left, top, right, bottom, x, y);
        return;
    }
    const TObjectType* asked = city_.TypeOf(p);
    if (!asked || p < 1 || p > kPictureCount)
        return;
    if (right == 0)
        right = asked->bitmapWidth;
    if (bottom == 0)
        bottom = asked->bitmapHeight;

    // Frames 2 to 4 of an animated object show the three pictures of its run.
    if (asked->spritePicture > 0 && city_.animFrame != 1)
        p = asked->spritePicture + city_.animFrame - 2;
    const TObjectType* shown = city_.TypeOf(p);
    if (!shown || p < 1 || p > kPictureCount || !pictures_.Pictures[static_cast<size_t>(p)])
        return;

    // A picture taller than its footprint's diamond grows upward; a wider footprint
    // reaches half a tile further left per extra cell. The frames of a run have no
    // object type of their own, so they take the footprint of the picture they animate.
    const int s = shown->size > 0 ? shown->size : asked->size;
    const int h = shown->bitmapHeight;
    if (s >= 1 && s <= 4) {
        const int diamond = 30 * s + 1;
        if (h > diamond)
            y -= h - diamond;
        x -= 30 * (s - 1);
    }

    ddraw::IDirectDrawSurface7* surface = pictures_.Pictures[static_cast<size_t>(p)];
    if (p != kPictureTree) {
        Blit(surface, left, top, right, bottom, x, y);
        return;
    }
    const TGridPos cell = CellAt(j, r);
    if (!CityState::OnMap(cell.x, cell.y))
        return;
    const int trees = std::min<int>(city_.Cell(cell.x, cell.y).pendingCode, static_cast<int>(kTreeOffsets.size()));
    for (int i = 0; i < trees; ++i)
        Blit(surface, left, top, right, bottom, x + kTreeOffsets[static_cast<size_t>(i)][0],
             y + kTreeOffsets[static_cast<size_t>(i)][1]);
}

void MapRenderer::DrawNetwork(int j, int r, int u, int t, int o) {
    const TGridPos cell = CellAt(j, r);
    const bool n = IsCellToward(city_, cell.x, cell.y, t, 1);
    const bool e = IsCellToward(city_, cell.x, cell.y, t, 2);
    const bool s = IsCellToward(city_, cell.x, cell.y, t, 3);
    const bool w = IsCellToward(city_, cell.x, cell.y, t, 4);
    if (u != 0)
        DrawPicture(j, r, 0, 0, 59, 31, u);
    if (o == kCodePowerLine && CityState::OnMap(cell.x, cell.y)) {
        const int code = city_.Cell(cell.x, cell.y).code;
        if (code == kCodeRoad || code == kCodeRailway) {
            // A line crossing a road or railway has its own two pieces; with no
            // neighbour to join there is nothing to draw.
            if (e || w)
                DrawPicture(j, r, 0, 0, 0, 0, kLineAcrossEastWest);
            else if (n || s)
                DrawPicture(j, r, 0, 0, 0, 0, kLineAcrossNorthSouth);
            return;
        }
    }
    int base = 0;
    switch (t) {
    case kCodeRoad: base = 124; break;
    case kCodeRailway: base = 135; break;
    case kSelBuiltOrLine: base = 148; break;
    default: return;
    }
    DrawPicture(j, r, 0, 0, 0, 0, PieceNumber(n, e, s, w) + base);
}

void MapRenderer::DrawMotorway(int j, int r) {
    const TGridPos cell = CellAt(j, r);
    // The sheet is two blocks high, so the footprint alignment lifts it by a whole
    // block; four rows down puts the block back on the object's own 2 x 2 footprint.
    // (One column right as well would put it on the footprint of the cell north-east,
    // leaving the object's own cells empty.)
    DrawPicture(j, r + 4, 0, 0, 118, 60, kCodeMotorway);
    const bool joined =
        city_.IsCell(cell.x + 2, cell.y, kCodeMotorway) || city_.IsCell(cell.x - 2, cell.y, kCodeMotorway);
    if (joined)
        DrawPicture(j, r + 4, 119, 61, 237, 121, kCodeMotorway);
    else
        DrawPicture(j, r + 4, 0, 61, 118, 121, kCodeMotorway);
}

void MapRenderer::DrawWater(int j, int r) {
    const TGridPos cell = CellAt(j, r);
    DrawPicture(j, r, 0, 0, 59, 31, kPictureWater);
    for (int d = 1; d <= 4; ++d)
        if (IsCellToward(city_, cell.x, cell.y, kCodeWater, d))
            DrawPicture(j, r, 0, 0, 0, 0, kWaterEdgeBase + d);
    for (int d = 1; d <= 4; ++d)
        if (IsCellToward(city_, cell.x, cell.y, kCodeQuay, d))
            DrawPicture(j, r, 0, 0, 0, 0, kWaterEdgeBase + d);
}

void MapRenderer::DrawPortPiece(int j, int r, int code) {
    const TGridPos cell = CellAt(j, r);
    if (code == kCodeQuay)
        DrawWater(j, r);
    const int pending = city_.Cell(cell.x, cell.y).pendingCode;
    if (pending == 6)
        DrawPicture(j, r, 0, 0, 0, 0, code);
    else if (pending == 5)
        DrawPicture(j, r, 0, 0, 0, 0, code == kCodeRunway ? kRunwayAlongX : kQuayAlongX);
}

void MapRenderer::MoveMovers() {
    for (int slot = 1; slot < kMovers; ++slot) {
        TMover& m = city_.Movers[static_cast<size_t>(slot)];
        if (!m.active)
            continue;
        ++m.tick;
        if (m.tick < m.stepTicks)
            continue;
        m.tick = 0;
        if (CityState::OnMap(m.x, m.y))
            city_.Cell(m.x, m.y).countdown = 0;
        const int back = OppositeDirection(m.direction);
        auto moveTo = [&](int direction) {
            Step(direction, m.x, m.y);
            m.direction = direction;
        };
        if (m.kind == 1) {
            // A train takes each open track with a two-in-three chance, in direction
            // order; failing that the first open track; at a dead end it waits.
            bool moved = false;
            for (int k = 1; k <= 4 && !moved; ++k)
                if (IsCellToward(city_, m.x, m.y, kCodeRailway, k) && k != back && city_.Random(3) != 1) {
                    moveTo(k);
                    moved = true;
                }
            for (int k = 1; k <= 4 && !moved; ++k)
                if (IsCellToward(city_, m.x, m.y, kCodeRailway, k) && k != back) {
                    moveTo(k);
                    moved = true;
                }
        } else if (m.kind == 2) {
            // A boat wanders: seven random tries (turning back allowed), then the first
            // water ahead or beside it.
            bool moved = false;
            for (int attempt = 0; attempt < 7 && !moved; ++attempt) {
                const int d = city_.Random(4);
                if (IsCellToward(city_, m.x, m.y, kCodeWater, d)) {
                    moveTo(d);
                    moved = true;
                }
            }
            for (int k = 1; k <= 4 && !moved; ++k)
                if (IsCellToward(city_, m.x, m.y, kCodeWater, k) && k != back) {
                    moveTo(k);
                    moved = true;
                }
        }
        if (CityState::OnMap(m.x, m.y))
            city_.Cell(m.x, m.y).countdown = slot + kMoverMark;
    }
}

void MapRenderer::Append(int j, int r) {
    const int rr = r - vert_;
    const int rj = j - horz_;
    if (rr < 0 || rr >= kViewWindowRows || rj < 0 || rj >= kViewWindowCols)
        return;
    bool& listed = Listed[static_cast<size_t>(rr)][static_cast<size_t>(rj)];
    if (listed || listCount_ >= kDrawListSize)
        return;
    listed = true;
    DrawList[static_cast<size_t>(listCount_++)] = TGridPos{j, r};
}

void MapRenderer::BuildDrawList() {
    for (auto& row : Listed)
        row.fill(false);
    DrawList.fill(kEmptyEntry);
    listCount_ = 0;
    for (int r = 0; r < kViewWindowRows; ++r)
        for (int j = 0; j < kViewWindowCols; ++j) {
            const TGridPos cell = CellAt(horz_ + j, vert_ + r);
            if (cell.x == -1 && cell.y == -1)
                Append(horz_ + j, vert_ + r);
        }
    // Bands of five rows overlapping by one: within a band smaller footprints first,
    // so a large building covers what lies behind it; upper bands before lower ones.
    for (int start = 0; start < kViewWindowRows; start += 4)
        for (int k = 0; k <= 4; ++k)
            for (int r = start; r <= start + 4 && r < kViewWindowRows; ++r)
                for (int j = 0; j < kViewWindowCols; ++j) {
                    const TGridPos cell = CellAt(horz_ + j, vert_ + r);
                    if (!CityState::OnMap(cell.x, cell.y))
                        continue;
                    if (city_.SizeOf(city_.Cell(cell.x, cell.y).code) == k)
                        Append(horz_ + j, vert_ + r);
                }
}

void MapRenderer::DrawEntry(int j, int r) {
    const TGridPos cell = CellAt(j, r);
    if (!CityState::OnMap(cell.x, cell.y)) {
        DrawPicture(j, r, 0, 0, 59, 31, -1);
        return;
    }
    const TMapCell& m = city_.Cell(cell.x, cell.y);
    const int c = m.code;
    switch (c) {
    case kCodeCovered: return; // drawn from its anchor
    case kCodeTrees:
        DrawPicture(j, r, 0, 0, 59, 31, kPictureEmptyLand);
        DrawPicture(j, r, 0, 0, 0, 0, kPictureTree);
        break;
    case kCodeWater: DrawWater(j, r); break;
    case kCodeRoad: DrawNetwork(j, r, kPictureEmptyLand, kCodeRoad, kCodeRoad); break;
    case kCodeMotorway: DrawMotorway(j, r); break;
    case kCodeRailway: DrawNetwork(j, r, kPictureEmptyLand, kCodeRailway, kCodeRailway); break;
    case kCodeRunway:
    case kCodeQuay: DrawPortPiece(j, r, c); break;
    default: DrawPicture(j, r, 0, 0, 0, 0, c); break;
    }

    const TObjectType* type = city_.TypeOf(c);
    const bool needsPower = type && type->needsPower;
    const bool needsWater = type && type->needsWater;
    const bool needsSewage = type && type->needsSewage;
    if ((m.pendingCode == kCodePowerLine || needsPower) && !m.powered)
        DrawPicture(j, r, 0, 0, 0, 0, kPictureNoPower);
    if (needsWater && !m.watered)
        DrawPicture(j, r, 0, 0, 0, 0, kPictureNoWater);
    if (needsSewage && !m.sewered)
        DrawPicture(j, r, 0, 0, 0, 0, kPictureNoSewage);
    if (m.countdown > kMoverMark) {
        const int slot = m.countdown - kMoverMark;
        if (slot < kMovers) {
            const TMover& mover = city_.Movers[static_cast<size_t>(slot)];
            const int picture = mover.basePicture + mover.direction - 1;
            if (picture >= 1)
                DrawPicture(j, r, 0, 0, 0, 0, picture);
        }
    }
    if (m.pendingCode == kCodePowerLine)
        DrawNetwork(j, r, 0, kSelBuiltOrLine, kCodePowerLine);
}

void MapRenderer::DrawCursor() {
    if (!city_.cursorValid)
        return;
    int s = 1;
    if (city_.toolCode != kToolQuery && city_.toolCode != kToolCentre)
        s = city_.SizeOf(city_.toolCode);
    // There are diamonds for footprints 1 to 4; the line objects and codes without a
    // type show the one-cell diamond.
    if (s < 1 || s > 4)
        s = 1;
    ddraw::IDirectDrawSurface7* cursor = pictures_.Cursors[static_cast<size_t>(s)];
    if (cursor)
        Blit(cursor, 0, 0, 60 * s - 1, 30 * s + 1, city_.cursorScreenX + 156, city_.cursorScreenY + 192);
}

int MapRenderer::RowsBelow() const {
    // The highest a picture rises above its footprint's diamond.
    int lift = 0;
    for (int code = 1; code <= kPictureCount; ++code)
        if (const TObjectType* t = city_.TypeOf(code); t && t->size >= 1 && t->size <= 4)
            lift = std::max(lift, t->bitmapHeight - (30 * t->size + 1));
    // Row 24's tiles already start below the shown window's bottom edge.
    const int windowRows = (kShownBottom - 192 - 45 + lift) / 15 + 1;
    return std::max(0, windowRows - kViewWindowRows);
}

bool MapRenderer::ReachesShownWindow(int rj, int rr) const {
    const TGridPos cell = CellAt(horz_ + rj, vert_ + rr);
    if (!CityState::OnMap(cell.x, cell.y))
        return false;
    const int code = city_.Cell(cell.x, cell.y).code;
    const TObjectType* type = city_.TypeOf(code);
    if (code == kCodeCovered || !type)
        return false;
    const int s = type->size >= 1 && type->size <= 4 ? type->size : 1;
    // The tallest picture the cell may show: its own or a frame of its run.
    int h = type->bitmapHeight;
    if (type->spritePicture > 0)
        for (int p = type->spritePicture; p < type->spritePicture + 3; ++p)
            if (const TObjectType* frame = city_.TypeOf(p))
                h = std::max(h, frame->bitmapHeight);
    const int x = 60 * rj + 156 - ((vert_ + rr) % 2 != 0 ? 30 : 0) - 30 * (s - 1);
    const int y = 45 + 15 * rr + 192;
    const int diamond = 30 * s + 1;
    // A motorway's block lands on its own footprint; trees stand up to a tile lower.
    const int top = code == kCodeMotorway ? y : y - std::max(0, h - diamond);
    const int bottom = y + std::max(diamond, h) + 31;
    return x < kShownRight && x + 60 * s > kShownLeft && top < kShownBottom && bottom > kShownTop;
}

void MapRenderer::DrawListUpTo(int& next, int j, int r, int k) {
    // The window's entries come in the order the list holds them: each where the walk
    // over the bands first meets it with its own footprint.
    if (next >= listCount_)
        return;
    const TGridPos e = DrawList[static_cast<size_t>(next)];
    if (e.x != horz_ + j || e.y != vert_ + r)
        return;
    const TGridPos cell = CellAt(e.x, e.y);
    if (city_.SizeOf(city_.Cell(cell.x, cell.y).code) != k)
        return;
    DrawEntry(e.x, e.y);
    ++next;
}

void MapRenderer::DrawMarginBands(int first, int last, int& next) {
    const bool window = first == 0;
    for (int start = first; start <= last; start += 4)
        for (int k = 0; k <= 4; ++k)
            for (int r = start; r <= start + 4 && r <= last; ++r)
                for (int j = -kColumnsLeft; j < kViewWindowCols; ++j) {
                    if (window && j >= 0) {
                        DrawListUpTo(next, j, r, k);
                        continue;
                    }
                    // Column -1 of view column 0 would wrap to the row above's end.
                    if (horz_ + j < 0)
                        continue;
                    const size_t at = static_cast<size_t>((r + kRowsAbove) * (kViewWindowCols + kColumnsLeft) +
                                                          j + kColumnsLeft);
                    if (at >= marginDrawn_.size() || marginDrawn_[at] || !ReachesShownWindow(j, r))
                        continue;
                    const TGridPos cell = CellAt(horz_ + j, vert_ + r);
                    if (city_.SizeOf(city_.Cell(cell.x, cell.y).code) != k)
                        continue;
                    marginDrawn_[at] = 1;
                    DrawEntry(horz_ + j, vert_ + r);
                }
}

void MapRenderer::Compose(int horz, int vert) {
    SetView(horz, vert);
    BuildDrawList();
    // Pictures that straddle the shown window's edge are written only inside it.
    const ddraw::RECT shown{kShownLeft, kShownTop, kShownRight, kShownBottom};
    if (pictures_.BackBuffer)
        pictures_.BackBuffer->SetWrittenPart(ShownOnly ? &shown : nullptr);
    // The blank pass, with the rows above whose tiles show at the top of the window.
    for (int r = -kGroundAbove; r < kViewWindowRows; ++r)
        for (int j = 0; j < kViewWindowCols; ++j)
            DrawPicture(horz_ + j, vert_ + r, 0, 0, 59, 31, -1);
    std::fill(marginDrawn_.begin(), marginDrawn_.end(), 0);
    int none = listCount_;
    DrawMarginBands(-kRowsAbove, -1, none);
    // The window's positions with no cell come first, as listed; then its bands, with
    // the columns on its left in theirs.
    int next = 0;
    while (next < listCount_) {
        const TGridPos e = DrawList[static_cast<size_t>(next)];
        if (CityState::OnMap(CellAt(e.x, e.y).x, CellAt(e.x, e.y).y))
            break;
        DrawEntry(e.x, e.y);
        ++next;
    }
    DrawMarginBands(0, kViewWindowRows - 1, next);
    for (; next < listCount_; ++next)
        DrawEntry(DrawList[static_cast<size_t>(next)].x, DrawList[static_cast<size_t>(next)].y);
    const int below = std::min(RowsBelow(), kMaxRowsBelow);
    if (below > 0)
        DrawMarginBands(kViewWindowRows, kViewWindowRows + below - 1, none);
    DrawCursor();
}

void MapRenderer::DrawFrame(int horz, int vert, ddraw::IDirectDrawSurface7* sceneBackground,
                            const std::function<void()>& present) {
    MoveMovers();
    if (ComposeFrames)
        Present(horz, vert, sceneBackground, present);
}

void MapRenderer::Present(int horz, int vert, ddraw::IDirectDrawSurface7* sceneBackground,
                          const std::function<void()>& present) {
    // Until the art is loaded there is nothing to draw on.
    if (!pictures_.BackBuffer)
        return;
    Compose(horz, vert);
    if (sceneBackground) {
        ddraw::RECT shown{kShownLeft, kShownTop, kShownRight, kShownBottom};
        sceneBackground->BltFast(kSceneX, kSceneY, pictures_.BackBuffer, &shown,
                                 ddraw::DDBLTFAST_NOCOLORKEY | ddraw::DDBLTFAST_WAIT);
    }
    if (present)
        present();
}

} // namespace view
