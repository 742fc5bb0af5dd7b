// Controls holding a position in a range: scroll bars, up-downs and track bars.
#pragma once

#include "platform/ui/Control.h"

namespace ui {

class Edit;

// Min, Max and Position with clamping; a change of position runs OnChange.
class RangeControl : public Control {
public:
    using Control::Control;
    int Min() const { return min_; }
    int Max() const { return max_; }
    int Position() const { return position_; }
    // Clamps to [Min, Max].
    void SetPosition(int position);
    void SetRange(int min, int max);
    std::function<void()> OnChange;

private:
    int min_ = 0;
    int max_ = 100;
    int position_ = 0;
};

class ScrollBar : public RangeControl {
public:
    using RangeControl::RangeControl;
    enum class Kind { Horizontal, Vertical } kind = Kind::Horizontal;
    int SmallChange = 1;
    int LargeChange = 1;
};

// An up-down pair bound to an edit box that shows its position.
class UpDown : public RangeControl {
public:
    using RangeControl::RangeControl;
    Edit* Associate = nullptr;
    int Increment = 1;
    // The arrows: move by Increment within the range.
    void StepUp();
    void StepDown();
    // Keeps the associated edit box showing the position.
    void SyncAssociate();
};

class TrackBar : public RangeControl {
public:
    using RangeControl::RangeControl;
    int Frequency = 1;
};

// A picture (by path or resource) drawn stretched over its rectangle.
class Image : public Control {
public:
    using Control::Control;
    std::string PicturePath;
    bool Stretch = false;
};

} // namespace ui
