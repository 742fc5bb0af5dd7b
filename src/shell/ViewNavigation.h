// Moving the view: the two scroll bars, the arrow keys and the centre tool.
#pragma once

#include "platform/ui/Keys.h"

#include <cstdint>

namespace ui {
class Component;
class ScrollBar;
} // namespace ui

// Horz_SB gives the first view column shown and Vert_SB the first view row. The
// scroll bars clamp every position to their own range; nothing else moves the view.
class ViewNavigation {
public:
    static constexpr int kHorzMax = 70, kHorzStart = 35, kHorzSmall = 2, kHorzLarge = 5;
    static constexpr int kVertMax = 141, kVertStart = 66, kVertSmall = 5, kVertLarge = 18;

    ViewNavigation(ui::ScrollBar& horz, ui::ScrollBar& vert) : horz_(horz), vert_(vert) {}

    // Ranges, steps, start positions, sizes and places; both bars hidden until a city
    // is shown. Run once when the window is built: positions are never reset later.
    void SetUp();

    // The key-down handler of the window and of both scroll bars: the arrows scroll
    // by the small change, and every key is consumed so the bars never handle one.
    void GameKeyBown(ui::Component* sender, std::uint16_t& key, ui::ShiftState shift);

    // The centre tool's click on map cell (x, y).
    void Centre(int x, int y);

private:
    ui::ScrollBar& horz_;
    ui::ScrollBar& vert_;
};
