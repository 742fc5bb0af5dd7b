// Drawing a drag's plan over the map: diamonds on the cells, the price beside the pointer.
#include "shell/DragPreview.h"

#include "city/CityState.h"
#include "platform/paint/Desktop.h"
#include "platform/paint/FrameBuffer.h"
#include "shell/MapPointer.h"
#include "shell/TMainForm.h"
#include "view/MapRenderer.h"

#include <array>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using paint::Rgb;

constexpr Rgb kStartColour = 0xFFE040;   // the stored start
constexpr Rgb kBuildColour = 0xFFFFFF;   // laid and paid for
constexpr Rgb kSkippedColour = 0xFFA020; // paid for, but its footprint is taken
constexpr Rgb kRefusedColour = 0xFF2020; // where the check pass refuses the drag

Rgb Mix(Rgb a, Rgb b, int percentB) {
    auto channel = [&](int shift) {
        const int ca = int((a >> shift) & 0xFF), cb = int((b >> shift) & 0xFF);
        return Rgb((ca * (100 - percentB) + cb * percentB) / 100) << shift;
    };
    return channel(16) | channel(8) | channel(0);
}

// Where each map cell is shown: its view row and column, or -1 when it is shown nowhere.
struct ViewIndex {
    std::array<int, city::kMapSize * city::kMapSize> row, col;
    explicit ViewIndex(const CityState& city) {
        row.fill(-1), col.fill(-1);
        for (int r = 0; r < city::kViewRows; ++r)
            for (int c = 0; c < city::kViewCols; ++c) {
                const TGridPos p = city.ViewAt(r, c);
                if (CityState::OnMap(p.x, p.y)) {
                    const std::size_t i = std::size_t(p.y * city::kMapSize + p.x);
                    row[i] = r, col[i] = c;
                }
            }
    }
};

// The cell's tile in client pixels, when it lies in the view window.
std::optional<view::ClientPoint> TileOf(const ViewIndex& index, int horz, int vert, TGridPos cell) {
    if (!CityState::OnMap(cell.x, cell.y))
        return std::nullopt;
    const std::size_t i = std::size_t(cell.y * city::kMapSize + cell.x);
    const int r = index.row[i] - vert, j = index.col[i] - horz;
    if (index.row[i] < 0 || r < 0 || r > 22 || j < 0 || j >= view::kViewWindowCols)
        return std::nullopt;
    return view::TileClientOrigin(j, r, index.row[i]);
}

// A tile's diamond (59 x 31 pixels from its top-left): tinted inside, outlined twice.
void Diamond(paint::FrameBuffer& frame, int ox, int oy, Rgb colour, int tint) {
    for (int dy = 0; dy <= 30; ++dy) {
        const int k = 15 - std::abs(dy - 15);
        const int left = ox + 29 - 2 * k, right = ox + 29 + 2 * k;
        const int y = oy + dy;
        if (tint > 0)
            for (int x = left + 2; x <= right - 2; ++x)
                if (frame.Clip().Contains(x, y))
                    frame.Put(x, y, Mix(frame.At(x, y), colour, tint));
        for (int x : {left, left + 1, right - 1, right})
            frame.Put(x, y, colour);
    }
}

} // namespace

std::optional<DragPreview::Corners> DragPreview::Current() const {
    const CityState& city = form_.City;
    if (!form_.GameScreenShown())
        return std::nullopt;
    std::optional<TGridPos> start;
    if (city.dragStartX != -1)
        start = TGridPos{city.dragStartX, city.dragStartY};
    else if (form_.Pointer)
        start = form_.Pointer->PressCell();
    if (!start)
        return std::nullopt;
    Corners corners{*start, std::nullopt};
    if (city.cursorValid)
        corners.end = TGridPos{city.cursorX, city.cursorY};
    return corners;
}

void DragPreview::Paint(paint::FrameBuffer& frame, const paint::Rect& client) const {
    const auto corners = Current();
    if (!corners)
        return;
    const CityState& city = form_.City;
    const int horz = form_.Horz_SB.Position(), vert = form_.Vert_SB.Position();
    const ViewIndex index(city);
    // Only the map's own picture is drawn on.
    const paint::Rect map{client.x + view::kSceneX, client.y + view::kSceneY, view::kShownRight - view::kShownLeft,
                          view::kShownBottom - view::kShownTop};
    const paint::Rect saved = frame.Clip();
    frame.SetClip(map.Intersect(saved));
    auto draw = [&](TGridPos cell, Rgb colour, int tint) {
        if (auto o = TileOf(index, horz, vert, cell))
            Diamond(frame, client.x + o->x, client.y + o->y, colour, tint);
    };
    if (corners->end) {
        const city::DragPlan plan = city::PlanDrag(city, corners->end->x, corners->end->y, corners->start.x,
                                                   corners->start.y);
        for (const city::DragObject& object : plan.objects) {
            const bool refused = !object.groundFree || !object.affordable;
            const Rgb colour = refused ? kRefusedColour : object.builds ? kBuildColour : kSkippedColour;
            for (const TGridPos& cell : plan.Footprint(object.x, object.y))
                draw(cell, colour, refused ? 45 : 25);
        }
        draw(corners->start, kStartColour, 0);
        // The price beside the pointer, which stands on the end cell.
        if (auto o = TileOf(index, horz, vert, *corners->end); o && !plan.objects.empty()) {
            std::string text = "\xC2\xA3" + std::to_string(plan.total);
            if (plan.outcome == city::DragPlan::Outcome::RefusedGround)
                text += "  blocked";
            else if (plan.outcome == city::DragPlan::Outcome::RefusedMoney)
                text += "  too little money";
            const int w = paint::FrameBuffer::TextWidth(text) + 8, h = paint::FrameBuffer::TextHeight() + 4;
            int x = client.x + o->x + 64, y = client.y + o->y + 8;
            if (x + w > map.Right())
                x = client.x + o->x - w - 6;
            const bool ok = plan.outcome == city::DragPlan::Outcome::Builds;
            frame.Fill(paint::Rect{x, y, w, h}, ok ? paint::theme::kHintBack : 0xFFD0D0);
            frame.Frame(paint::Rect{x, y, w, h}, 0x000000);
            frame.Text(x + 4, y + 2, text, ok ? 0x000000 : 0xA00000);
        }
    } else {
        draw(corners->start, kStartColour, 30);
    }
    frame.SetClip(saved);
}

std::uint64_t DragPreview::Signature() const {
    const auto corners = Current();
    if (!corners)
        return 0;
    const CityState& city = form_.City;
    std::uint64_t h = 1469598103934665603ull;
    auto mix = [&h](std::int64_t v) { h = (h ^ std::uint64_t(v)) * 1099511628211ull; };
    mix(corners->start.x), mix(corners->start.y);
    mix(corners->end ? corners->end->x : -1), mix(corners->end ? corners->end->y : -1);
    mix(city.funds), mix(city.toolCode), mix(city.toolPrice);
    mix(form_.Horz_SB.Position()), mix(form_.Vert_SB.Position());
    return h;
}

void DragPreview::InstallOn(paint::Desktop& desktop) const {
    desktop.paintOverDisplay = [this](paint::FrameBuffer& frame, const paint::Rect& client) { Paint(frame, client); };
    desktop.overDisplaySignature = [this] { return Signature(); };
}
