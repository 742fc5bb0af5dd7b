// Panels and group boxes: containers with a caption.
#pragma once

#include "platform/ui/Control.h"

namespace ui {

class Panel : public Control {
public:
    using Control::Control;
};

class GroupBox : public Control {
public:
    using Control::Control;
};

} // namespace ui
