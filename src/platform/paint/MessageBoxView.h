// A modal message box as the toolkit draws it: icon, text, a row of buttons, and its answer.
#pragma once

#include "platform/paint/FrameBuffer.h"

#include <string>
#include <vector>

namespace paint {

class WidgetPainter;

class MessageBoxView {
public:
    MessageBoxView(std::string caption, std::string text, unsigned flags);

    const std::string& Caption() const { return caption_; }
    const std::string& Text() const { return text_; }
    unsigned Flags() const { return flags_; }
    int ButtonCount() const { return count_; }
    int ButtonId(int index) const { return buttons_[index]; }
    int FocusedButton() const { return focus_; }

    // The answer (ID*) once a button chose it; 0 while the box is open.
    int Result() const { return result_; }
    bool Done() const { return result_ != 0; }

    // Places the box centred on a screen rectangle (frame coordinates).
    void Layout(const Rect& screen);
    const Rect& Client() const { return client_; }
    Rect ButtonRect(int index) const;
    Rect IconRect() const;
    // The text's lines as they were wrapped to fit the box.
    const std::vector<std::string>& Lines() const { return lines_; }

    // The button under a point, or -1.
    int ButtonAt(int x, int y) const;
    // The pointer went down on a button (it shows pressed) or up (it answers when
    // released over the button it went down on).
    void MouseDown(int x, int y);
    void MouseUp(int x, int y);
    int PressedButton() const { return pressed_; }
    // Enter answers with the focused button, Escape with Cancel (or the only button),
    // Tab and the arrows move the focus, and a button's first letter answers.
    void KeyDown(std::uint16_t key, std::uint8_t shift);

    void Paint(FrameBuffer& frame, WidgetPainter& painter) const;

private:
    void PaintIcon(FrameBuffer& frame) const;

    std::string caption_, text_;
    unsigned flags_;
    int buttons_[3] = {0, 0, 0};
    int count_ = 0;
    int focus_ = 0;
    int pressed_ = -1;
    int result_ = 0;
    Rect client_;
    std::vector<std::string> lines_;
};

} // namespace paint
