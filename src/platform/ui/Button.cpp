// Radio groups and check marks.
#include "platform/ui/Button.h"

namespace ui {

void RadioButton::SetChecked(bool checked) {
    if (checked && Parent()) {
        for (Control* sibling : Parent()->Children())
            if (auto* radio = dynamic_cast<RadioButton*>(sibling); radio && radio != this)
                radio->checked_ = false;
    }
    checked_ = checked;
}

void RadioButton::Click() {
    if (!Enabled() || !Showing())
        return;
    SetChecked(true);
    if (OnClick)
        OnClick();
}

void RadioButton::DoubleClick() {
    if (!Enabled() || !Showing())
        return;
    Click();
    if (OnDblClick)
        OnDblClick();
}

void CheckBox::Click() {
    if (!Enabled() || !Showing())
        return;
    Checked = !Checked;
    if (OnClick)
        OnClick();
}

} // namespace ui
