// A one-line edit box with a length limit and key events.
#pragma once

#include "platform/ui/Control.h"

namespace ui {

class Edit : public Control {
public:
    using Control::Control;

    // 0 means no limit.
    std::size_t MaxLength = 0;
    Color BackColor = clWhite;

    const std::string& Text() const { return text_; }
    // Sets the text as the program does: the length limit does not apply.
    void SetText(const std::string& text);
    void Clear() { SetText(""); }

    // Typing: inserts at the caret, dropping what would pass the length limit.
    void TypeText(const std::string& text);
    // A key press: OnKeyDown first (it may swallow the key); then the ordinary
    // editing keys (Backspace, Delete, Left, Right, Home, End).
    void KeyDown(std::uint16_t key, ShiftState shift) override;

    std::size_t CaretPos() const { return caret_; }
    std::function<void()> OnChange;

private:
    std::string text_;
    std::size_t caret_ = 0;
};

} // namespace ui
