// Windows > Graphs: the city's populations, their total and the funds, a line each,
// over the last ten years or the whole history.
#pragma once

#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/PaintBox.h"
#include "platform/ui/Panel.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class CityHistory;

// The chart's picture and its axes, worked out from the samples alone.
struct GraphPicture {
    static constexpr int kWidth = 320, kHeight = 150;
    static constexpr int kLines = 5; // residential, commercial, industrial, total, funds
    static const std::array<std::uint32_t, kLines> kColours;
    std::vector<std::uint32_t> pixels;
    // Months since year 0 at the left and right edges.
    std::int64_t firstMonth = 0, lastMonth = 0;
    std::int64_t peopleTop = 0;
    std::int64_t fundsLow = 0, fundsHigh = 0;
    // Years marked along the bottom and the x of each mark.
    std::vector<std::pair<int, int>> yearMarks;
};
// Draws the samples within the last ten years (recent) or all of them.
GraphPicture DrawGraph(const CityHistory& history, bool recent);

class GraphsWindow {
public:
    static constexpr int kYearLabels = 6;
    GraphsWindow(ui::Control& parent, const CityHistory& history);

    ui::GroupBox Graphs_GB;
    ui::PaintBox Graphs_Grip{"Graphs_Grip", &Graphs_GB};
    ui::RadioButton Graphs_Recent_RB{"Graphs_Recent_RB", &Graphs_GB};
    ui::RadioButton Graphs_All_RB{"Graphs_All_RB", &Graphs_GB};
    ui::PaintBox Graphs_PB{"Graphs_PB", &Graphs_GB};
    std::array<std::unique_ptr<ui::Label>, kYearLabels> Years;
    std::array<std::unique_ptr<ui::Panel>, GraphPicture::kLines> Swatches;
    std::array<std::unique_ptr<ui::Label>, GraphPicture::kLines> Keys;
    ui::Label Graphs_Scale_L{"Graphs_Scale_L", &Graphs_GB};

    // Redraws when a sample was added since the last picture (or always, with force);
    // nothing while the window is hidden.
    void Refresh(bool force = false);

private:
    const CityHistory& history_;
    std::size_t drawnSamples_ = static_cast<std::size_t>(-1);
    bool drawnRecent_ = true;
};
