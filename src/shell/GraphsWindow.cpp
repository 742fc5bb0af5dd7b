// The Graphs window: its chart drawn from the city's history, and its widgets.
#include "shell/GraphsWindow.h"

#include "shell/CityHistory.h"
#include "shell/WindowGrip.h"

#include <algorithm>
#include <cstdlib>

const std::array<std::uint32_t, GraphPicture::kLines> GraphPicture::kColours = {0x3CC84A, 0x4A82F0, 0xE0A830,
                                                                                0xFFFFFF, 0xF04848};

namespace {

constexpr std::uint32_t kChartBack = 0x1C2430, kGrid = 0x34404E;
constexpr int kMargin = 8;
constexpr int kMonthsShownRecent = 120;

std::int64_t MonthNumber(const HistorySample& s) { return std::int64_t(s.year) * 12 + (s.month - 1); }

// A round number at or above v, so the scale reads plainly.
std::int64_t RoundUp(std::int64_t v) {
    std::int64_t step = 1;
    while (step * 10 < v)
        step *= 10;
    for (std::int64_t m : {1, 2, 5, 10})
        if (step * m >= v)
            return step * m;
    return step * 10;
}

void Line(std::vector<std::uint32_t>& px, int x0, int y0, int x1, int y1, std::uint32_t colour) {
    const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        if (x0 >= 0 && x0 < GraphPicture::kWidth && y0 >= 0 && y0 < GraphPicture::kHeight)
            px[static_cast<std::size_t>(y0 * GraphPicture::kWidth + x0)] = colour;
        if (x0 == x1 && y0 == y1)
            break;
        const int e2 = 2 * err;
        if (e2 >= dy)
            err += dy, x0 += sx;
        if (e2 <= dx)
            err += dx, y0 += sy;
    }
}

} // namespace

GraphPicture DrawGraph(const CityHistory& history, bool recent) {
    constexpr int W = GraphPicture::kWidth, H = GraphPicture::kHeight;
    GraphPicture g;
    g.pixels.assign(static_cast<std::size_t>(W * H), kChartBack);
    const auto& all = history.Samples();
    if (all.empty())
        return g;
    g.firstMonth = MonthNumber(all.front());
    if (recent)
        g.firstMonth = std::max(g.firstMonth, MonthNumber(all.back()) - (kMonthsShownRecent - 1));
    // At least a year across, so a young city's lines grow into the width.
    g.lastMonth = std::max(MonthNumber(all.back()), g.firstMonth + 11);
    std::vector<HistorySample> shown;
    for (const HistorySample& s : all)
        if (MonthNumber(s) >= g.firstMonth)
            shown.push_back(s);

    std::int64_t people = 0, low = 0, high = 0;
    for (const HistorySample& s : shown) {
        people = std::max(people, s.Total());
        low = std::min<std::int64_t>(low, s.funds);
        high = std::max<std::int64_t>(high, s.funds);
    }
    g.peopleTop = RoundUp(std::max<std::int64_t>(people, 10));
    g.fundsHigh = RoundUp(std::max<std::int64_t>(high, 100));
    g.fundsLow = low < 0 ? -RoundUp(-low) : 0;

    const std::int64_t span = g.lastMonth - g.firstMonth;
    auto xOf = [&](std::int64_t month) { return static_cast<int>((month - g.firstMonth) * (W - 1) / span); };
    auto yOfPeople = [&](std::int64_t v) { return H - 1 - static_cast<int>(v * (H - 1) / g.peopleTop); };
    auto yOfFunds = [&](std::int64_t v) {
        return H - 1 - static_cast<int>((v - g.fundsLow) * (H - 1) / (g.fundsHigh - g.fundsLow));
    };

    // Quarter lines across, and a mark at each year along the bottom.
    for (int q = 1; q < 4; ++q)
        for (int x = 0; x < W; x += 2)
            g.pixels[static_cast<std::size_t>((H - 1 - q * (H - 1) / 4) * W + x)] = kGrid;
    const int firstYear = static_cast<int>((g.firstMonth + 11) / 12), lastYear = static_cast<int>(g.lastMonth / 12);
    const int years = lastYear - firstYear + 1;
    const int every = years <= 6 ? 1 : years <= 12 ? 2 : years <= 30 ? 5 : years <= 60 ? 10 : years <= 150 ? 25 : 50;
    for (int year = firstYear; year <= lastYear; ++year) {
        const int x = xOf(std::int64_t(year) * 12);
        for (int y = 0; y < H; y += 3)
            g.pixels[static_cast<std::size_t>(y * W + x)] = kGrid;
        if (year % every == 0)
            g.yearMarks.emplace_back(year, x);
    }

    auto value = [](const HistorySample& s, int line) -> std::int64_t {
        switch (line) {
        case 0: return s.residential;
        case 1: return s.commercial;
        case 2: return s.industrial;
        case 3: return s.Total();
        default: return s.funds;
        }
    };
    // Funds under the populations, the total on top.
    for (int line : {4, 0, 1, 2, 3}) {
        for (std::size_t i = 0; i < shown.size(); ++i) {
            const int x1 = xOf(MonthNumber(shown[i]));
            const std::int64_t v = value(shown[i], line);
            const int y1 = line == 4 ? yOfFunds(v) : yOfPeople(v);
            int x0 = x1, y0 = y1;
            if (i > 0) {
                x0 = xOf(MonthNumber(shown[i - 1]));
                const std::int64_t p = value(shown[i - 1], line);
                y0 = line == 4 ? yOfFunds(p) : yOfPeople(p);
            }
            Line(g.pixels, x0, y0, x1, y1, GraphPicture::kColours[static_cast<std::size_t>(line)]);
        }
    }
    return g;
}

GraphsWindow::GraphsWindow(ui::Control& parent, const CityHistory& history)
    : Graphs_GB("Graphs_GB", &parent), history_(history) {
    const int width = GraphPicture::kWidth + 2 * kMargin;
    Graphs_GB.Caption = "Graphs";
    Graphs_GB.BackColor = ui::clSilver;
    Graphs_GB.Hide();
    SetUpWindowGrip(Graphs_Grip, Graphs_GB, width - 40 - kMargin, 40);

    int top = 18;
    Graphs_Recent_RB.Caption = "Last 10 years";
    Graphs_Recent_RB.BackColor = ui::clSilver;
    Graphs_Recent_RB.SetBounds(kMargin, top, 110, 17);
    Graphs_Recent_RB.SetChecked(true);
    Graphs_Recent_RB.OnClick = [this] { Refresh(true); };
    Graphs_All_RB.Caption = "Whole history";
    Graphs_All_RB.BackColor = ui::clSilver;
    Graphs_All_RB.SetBounds(kMargin + 120, top, 110, 17);
    Graphs_All_RB.OnClick = [this] { Refresh(true); };
    top += 20;

    Graphs_PB.Resize(GraphPicture::kWidth, GraphPicture::kHeight, kChartBack);
    Graphs_PB.SetBounds(kMargin, top, GraphPicture::kWidth, GraphPicture::kHeight);
    top += GraphPicture::kHeight + 1;
    for (int i = 0; i < kYearLabels; ++i) {
        auto& year = Years[static_cast<std::size_t>(i)];
        year = std::make_unique<ui::Label>("Graphs_Year" + std::to_string(i), &Graphs_GB);
        year->BackColor = ui::clSilver;
        year->Alignment = ui::TextAlign::Center;
        year->Hide();
    }
    top += 15;
    static const char* const kKeys[GraphPicture::kLines] = {"Residential", "Commercial", "Industrial", "Total",
                                                           "Funds"};
    for (int i = 0; i < GraphPicture::kLines; ++i) {
        const int x = kMargin + (i % 3) * 108, y = top + (i / 3) * 14;
        auto& swatch = Swatches[static_cast<std::size_t>(i)];
        swatch = std::make_unique<ui::Panel>("Graphs_Swatch" + std::to_string(i), &Graphs_GB);
        swatch->SetBounds(x, y + 5, 12, 3);
        const std::uint32_t rgb = GraphPicture::kColours[static_cast<std::size_t>(i)];
        swatch->BackColor = i == 3 ? 0x000000 : ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
        auto& key = Keys[static_cast<std::size_t>(i)];
        key = std::make_unique<ui::Label>("Graphs_Key" + std::to_string(i), &Graphs_GB);
        key->BackColor = ui::clSilver;
        key->Caption = kKeys[i];
        key->SetBounds(x + 16, y, 90, 14);
    }
    top += 2 * 14;
    Graphs_Scale_L.BackColor = ui::clSilver;
    Graphs_Scale_L.SetBounds(kMargin, top, GraphPicture::kWidth, 14);
    top += 18;
    Graphs_GB.SetBounds(8, 40, width, top);
}

void GraphsWindow::Refresh(bool force) {
    if (!Graphs_GB.Visible())
        return;
    const bool recent = Graphs_Recent_RB.Checked();
    if (!force && drawnSamples_ == history_.Samples().size() && drawnRecent_ == recent)
        return;
    drawnSamples_ = history_.Samples().size();
    drawnRecent_ = recent;
    GraphPicture g = DrawGraph(history_, recent);
    Graphs_PB.Pixels = std::move(g.pixels);
    Graphs_PB.Changed();
    for (int i = 0; i < kYearLabels; ++i) {
        auto& label = *Years[static_cast<std::size_t>(i)];
        const bool used = i < static_cast<int>(g.yearMarks.size());
        label.SetVisible(used);
        if (!used)
            continue;
        const auto [year, x] = g.yearMarks[static_cast<std::size_t>(i)];
        label.Caption = std::to_string(year);
        label.SetBounds(std::clamp(kMargin + x - 18, kMargin - 4, kMargin + GraphPicture::kWidth - 32),
                        Graphs_PB.Top + GraphPicture::kHeight + 1, 36, 14);
    }
    Graphs_Scale_L.Caption = history_.Samples().empty()
                                 ? std::string("No months recorded yet")
                                 : "People 0 to " + std::to_string(g.peopleTop) + "    Funds \xC2\xA3" +
                                       std::to_string(g.fundsLow) + " to \xC2\xA3" + std::to_string(g.fundsHigh);
}
