// Panels and group boxes: containers with a caption.
#pragma once

#include "platform/ui/Control.h"

#include <cstdint>
#include <vector>

namespace ui {

// A picture something draws into a panel (a video's frame): 0x00RRGGBB pixels,
// rows top-down, shown at the panel's top-left corner over its face.
struct PanelPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
    std::uint64_t serial = 0; // changes whenever the pixels do
};

class Panel : public Control {
public:
    using Control::Control;
    PanelPicture Picture;
    // The raised edge round the panel; off, the panel is a plain area of its colour.
    bool Bevel = true;
};

class GroupBox : public Control {
public:
    using Control::Control;
};

} // namespace ui
