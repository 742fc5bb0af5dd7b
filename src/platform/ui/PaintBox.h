// A control that shows a picture its owner draws pixel by pixel, and reports the mouse
// held on it in its own coordinates.
#pragma once

#include "platform/ui/Control.h"

#include <cstdint>
#include <vector>

namespace ui {

class PaintBox : public Control {
public:
    using Control::Control;

    // Width x Height pixels as 0x00RRGGBB, rows top-down; the owner fills them and
    // calls Changed so the screen knows to paint them again.
    std::vector<std::uint32_t> Pixels;
    void Resize(int width, int height, std::uint32_t fill = 0) {
        Width = width, Height = height;
        Pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill);
        Changed();
    }
    void Changed() { ++generation_; }
    std::uint64_t Generation() const { return generation_; }

    // The left button pressed on the box, and the pointer moved while it is held;
    // coordinates are relative to the box's top-left corner and may leave it in a drag.
    std::function<void(int x, int y)> OnMouseDown;
    std::function<void(int x, int y)> OnMouseDrag;
    std::function<void(int x, int y)> OnMouseUp;

private:
    std::uint64_t generation_ = 0;
};

} // namespace ui
