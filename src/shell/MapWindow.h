// Windows > Map: the overview map in a small window over the game screen, its overlay
// buttons and legend; a click or drag on it moves the main view there.
#pragma once

#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/PaintBox.h"
#include "platform/ui/Panel.h"
#include "shell/OverviewMap.h"

#include <array>
#include <memory>

class CityState;
namespace ui {
class ScrollBar;
}

class MapWindow {
public:
    static constexpr int kLegendSlots = 15;

    MapWindow(ui::Control& parent, const CityState& city, ui::ScrollBar& horz, ui::ScrollBar& vert);

    ui::GroupBox Map_GB;
    ui::PaintBox Map_Grip{"Map_Grip", &Map_GB};
    ui::PaintBox Map_PB{"Map_PB", &Map_GB};
    std::array<std::unique_ptr<ui::RadioButton>, overview::kOverlayCount> Overlays;
    std::array<std::unique_ptr<ui::Panel>, kLegendSlots> Swatches;
    std::array<std::unique_ptr<ui::Label>, kLegendSlots> Keys;

    overview::Overlay Shown() const { return shown_; }
    void SetOverlay(overview::Overlay overlay);
    // Redraws when the city's month or the view moved since the last picture (or
    // always, with force); nothing while the window is hidden.
    void Refresh(bool force = false);
    // The city changed as a whole (a new city, a load): the next refresh redraws.
    void Invalidate() { drawnMonth_ = -1; }
    // A press or drag at map pixel (px, py): the cell there goes to the view's middle.
    void CentreAt(int px, int py);

private:
    void ShowLegend();
    const CityState& city_;
    ui::ScrollBar& horz_;
    ui::ScrollBar& vert_;
    overview::OverviewMap map_;
    overview::Overlay shown_ = overview::Overlay::LandUse;
    // What the picture shows now: month, year, view.
    int drawnMonth_ = -1, drawnYear_ = -1, drawnHorz_ = -1, drawnVert_ = -1;
};
