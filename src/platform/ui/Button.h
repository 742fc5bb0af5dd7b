// Push buttons, speed buttons with hints, radio buttons and check boxes.
#pragma once

#include "platform/ui/Control.h"

namespace ui {

class Button : public Control {
public:
    using Control::Control;
    bool Default = false;
};

// A flat tool button with a picture (by resource name) and a hint.
class SpeedButton : public Control {
public:
    using Control::Control;
    std::string Glyph;
};

// Radio buttons sharing a parent form one group: checking one unchecks the others.
class RadioButton : public Control {
public:
    using Control::Control;
    bool Checked() const { return checked_; }
    void SetChecked(bool checked);
    // A click checks the button, then runs OnClick.
    void Click() override;
    // A double click: runs OnDblClick after the click.
    std::function<void()> OnDblClick;
    void DoubleClick();

private:
    bool checked_ = false;
};

class CheckBox : public Control {
public:
    using Control::Control;
    bool Checked = false;
    // A click flips the mark, then runs OnClick.
    void Click() override;
};

} // namespace ui
