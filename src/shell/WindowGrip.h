// The ridged strip beside a small window's caption that the player drags to move it.
#pragma once

#include "platform/ui/PaintBox.h"
#include "platform/ui/Screen.h"

#include <algorithm>
#include <memory>

// Paints the grip and moves the window by the drag, keeping it whole on the screen.
inline void SetUpWindowGrip(ui::PaintBox& grip, ui::Control& window, int left, int width) {
    grip.Hint = "Drag to move the window";
    grip.Resize(width, 8, 0xC0C0C0);
    grip.SetBounds(left, 4, width, 8);
    for (int x = 0; x < width; ++x)
        for (int row : {1, 4}) {
            grip.Pixels[static_cast<std::size_t>(row * width + x)] = 0xFFFFFF;
            grip.Pixels[static_cast<std::size_t>((row + 1) * width + x)] = 0x808080;
        }
    auto grab = std::make_shared<std::pair<int, int>>(0, 0);
    grip.OnMouseDown = [grab](int x, int y) { *grab = {x, y}; };
    grip.OnMouseDrag = [grab, &window](int x, int y) {
        const ui::Screen& screen = ui::Screen::Instance();
        window.Left = std::clamp(window.Left + x - grab->first, 0, std::max(0, screen.Width - window.Width));
        window.Top = std::clamp(window.Top + y - grab->second, 0, std::max(0, screen.Height - window.Height));
    };
}
