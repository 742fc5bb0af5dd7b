// A one-line edit box with a length limit, a selection, key events and the clipboard.
#pragma once

#include "platform/ui/Control.h"

#include <algorithm>

namespace ui {

class Edit : public Control {
public:
    using Control::Control;

    // 0 means no limit.
    std::size_t MaxLength = 0;
    Color BackColor = clWhite;

    const std::string& Text() const { return text_; }
    // Sets the text as the program does: the length limit does not apply, and the
    // caret goes to the end with nothing selected.
    void SetText(const std::string& text);
    void Clear() { SetText(""); }

    // Typing: replaces the selection, inserts at the caret, and drops what would pass
    // the length limit.
    void TypeText(const std::string& text);
    // A key press: OnKeyDown first (it may swallow the key); then the editing keys:
    // Backspace, Delete, Left, Right, Home, End (with Shift they stretch the
    // selection), Ctrl+A, and cut, copy and paste (Ctrl+X, Ctrl+C, Ctrl+V and
    // Shift+Delete, Ctrl+Insert, Shift+Insert).
    void KeyDown(std::uint16_t key, ShiftState shift) override;

    std::size_t CaretPos() const { return caret_; }
    // The selection runs between the anchor and the caret.
    std::size_t SelStart() const { return std::min(anchor_, caret_); }
    std::size_t SelLength() const { return std::max(anchor_, caret_) - SelStart(); }
    std::string SelectedText() const { return text_.substr(SelStart(), SelLength()); }
    void SelectAll();
    // Puts the caret at a position, stretching the selection from its anchor or not.
    void MoveCaret(std::size_t position, bool select);

    std::function<void()> OnChange;

private:
    // Removes the selected text; true when there was any.
    bool DeleteSelection();
    void Changed() {
        if (OnChange)
            OnChange();
    }
    std::string text_;
    std::size_t caret_ = 0;
    std::size_t anchor_ = 0;
};

} // namespace ui
