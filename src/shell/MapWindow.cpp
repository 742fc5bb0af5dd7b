// The Map window's widgets and what its clicks do.
#include "shell/MapWindow.h"

#include "city/CityState.h"
#include "platform/ui/RangeControls.h"
#include "shell/WindowGrip.h"

#include <algorithm>

namespace {

constexpr int kMargin = 8;
constexpr int kCaptionHeight = 16;
constexpr int kRadioHeight = 17, kRadioWidth = 80;
constexpr int kLegendRow = 14, kLegendColumn = 108;
constexpr int kGripWidth = 40;

} // namespace

MapWindow::MapWindow(ui::Control& parent, const CityState& city, ui::ScrollBar& horz, ui::ScrollBar& vert)
    : Map_GB("Map_GB", &parent), city_(city), horz_(horz), vert_(vert) {
    using overview::Overlay;
    const int width = overview::kMapWidth + 2 * kMargin;
    Map_GB.Caption = "Map";
    Map_GB.BackColor = ui::clSilver;
    Map_GB.Hide();

    SetUpWindowGrip(Map_Grip, Map_GB, width - kGripWidth - kMargin, kGripWidth);

    int top = kCaptionHeight + 2;
    for (int i = 0; i < overview::kOverlayCount; ++i) {
        const auto overlay = static_cast<Overlay>(i);
        static const char* const kNames[overview::kOverlayCount] = {"Map_LandUse_RB", "Map_Power_RB", "Map_Water_RB",
                                                                    "Map_Sewage_RB", "Map_Traffic_RB",
                                                                    "Map_Pollution_RB", "Map_Crime_RB"};
        auto& radio = Overlays[static_cast<std::size_t>(i)];
        radio = std::make_unique<ui::RadioButton>(kNames[i], &Map_GB);
        radio->Caption = overview::OverlayName(overlay);
        radio->BackColor = ui::clSilver;
        radio->SetBounds(kMargin + (i % 4) * kRadioWidth, top + (i / 4) * kRadioHeight, kRadioWidth - 2, kRadioHeight);
        radio->OnClick = [this, overlay] { SetOverlay(overlay); };
    }
    Overlays[0]->SetChecked(true);
    top += 2 * kRadioHeight + 3;

    Map_PB.Resize(overview::kMapWidth, overview::kMapHeight, overview::kBackground);
    Map_PB.SetBounds(kMargin, top, overview::kMapWidth, overview::kMapHeight);
    Map_PB.OnMouseDown = [this](int x, int y) { CentreAt(x, y); };
    Map_PB.OnMouseDrag = [this](int x, int y) { CentreAt(x, y); };
    top += overview::kMapHeight + 5;

    for (int i = 0; i < kLegendSlots; ++i) {
        const int x = kMargin + (i % 3) * kLegendColumn, y = top + (i / 3) * kLegendRow;
        auto& swatch = Swatches[static_cast<std::size_t>(i)];
        swatch = std::make_unique<ui::Panel>("Map_Swatch" + std::to_string(i), &Map_GB);
        swatch->SetBounds(x, y + 2, 10, 10);
        auto& key = Keys[static_cast<std::size_t>(i)];
        key = std::make_unique<ui::Label>("Map_Key" + std::to_string(i), &Map_GB);
        key->BackColor = ui::clSilver;
        key->SetBounds(x + 14, y, kLegendColumn - 16, kLegendRow);
    }
    top += (kLegendSlots / 3) * kLegendRow + 4;
    // Over the right of the view, clear of its scroll bar.
    Map_GB.SetBounds(624 - width - 4, 0, width, top);
    ShowLegend();
}

void MapWindow::SetOverlay(overview::Overlay overlay) {
    shown_ = overlay;
    Overlays[static_cast<std::size_t>(overlay)]->SetChecked(true);
    ShowLegend();
    Refresh(true);
}

void MapWindow::ShowLegend() {
    const auto& legend = overview::Legend(shown_);
    for (int i = 0; i < kLegendSlots; ++i) {
        const bool used = i < static_cast<int>(legend.size());
        auto& swatch = *Swatches[static_cast<std::size_t>(i)];
        auto& key = *Keys[static_cast<std::size_t>(i)];
        swatch.SetVisible(used);
        key.SetVisible(used);
        if (!used)
            continue;
        const std::uint32_t rgb = legend[static_cast<std::size_t>(i)].colour;
        // Panels take the toolkit's 0x00BBGGRR colours.
        swatch.BackColor = ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
        key.Caption = legend[static_cast<std::size_t>(i)].text;
    }
}

void MapWindow::Refresh(bool force) {
    if (!Map_GB.Visible())
        return;
    if (!force && drawnMonth_ == city_.month && drawnYear_ == city_.year && drawnHorz_ == horz_.Position() &&
        drawnVert_ == vert_.Position())
        return;
    drawnMonth_ = city_.month, drawnYear_ = city_.year;
    drawnHorz_ = horz_.Position(), drawnVert_ = vert_.Position();
    // Before the first city there is no map to show.
    if (city_.cityName.empty())
        std::fill(Map_PB.Pixels.begin(), Map_PB.Pixels.end(), overview::kBackground);
    else
        map_.Draw(city_, shown_, drawnHorz_, drawnVert_, Map_PB.Pixels);
    Map_PB.Changed();
}

void MapWindow::CentreAt(int px, int py) {
    int x, y, horz, vert;
    overview::CellAtPixel(px, py, x, y);
    overview::CentreOn(x, y, horz, vert);
    // The scroll bars clamp the positions to their ranges, as for any other move.
    horz_.SetPosition(horz);
    vert_.SetPosition(vert);
    Refresh();
}
