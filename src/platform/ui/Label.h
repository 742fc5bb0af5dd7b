// A line of static text.
#pragma once

#include "platform/ui/Control.h"

namespace ui {

class Label : public Control {
public:
    using Control::Control;
};

} // namespace ui
