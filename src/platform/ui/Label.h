// A line of static text.
#pragma once

#include "platform/ui/Control.h"

namespace ui {

enum class TextAlign { Left, Right, Center };

class Label : public Control {
public:
    using Control::Control;
    // Where the caption stands within the label's width.
    TextAlign Alignment = TextAlign::Left;
    Color FontColor = 0x000000;
};

} // namespace ui
