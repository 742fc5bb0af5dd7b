// Clamped positions of range controls.
#include "platform/ui/RangeControls.h"

#include "platform/ui/Edit.h"

#include <algorithm>

namespace ui {

void RangeControl::SetPosition(int position) {
    int clamped = std::clamp(position, min_, std::max(min_, max_));
    if (clamped == position_)
        return;
    position_ = clamped;
    if (auto* updown = dynamic_cast<UpDown*>(this))
        updown->SyncAssociate();
    if (OnChange)
        OnChange();
}

void RangeControl::SetRange(int min, int max) {
    min_ = min;
    max_ = max;
    int clamped = std::clamp(position_, min_, std::max(min_, max_));
    if (clamped != position_)
        SetPosition(clamped);
}

void UpDown::StepUp() {
    if (Enabled())
        SetPosition(Position() + Increment);
}

void UpDown::StepDown() {
    if (Enabled())
        SetPosition(Position() - Increment);
}

void UpDown::SyncAssociate() {
    if (Associate)
        Associate->SetText(std::to_string(Position()));
}

} // namespace ui
