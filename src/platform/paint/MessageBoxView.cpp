// Layout, keys, clicks and painting of the toolkit's message boxes.
#include "platform/paint/MessageBoxView.h"

#include "platform/paint/WidgetPainter.h"
#include "platform/ui/Keys.h"
#include "platform/ui/MessageBoxFlags.h"

#include <cctype>
#include <sstream>

namespace paint {

using namespace theme;

namespace {

constexpr int kButtonW = 75, kButtonH = 23, kButtonGap = 6, kMargin = 12, kIconSize = 32;
constexpr int kMaxTextWidth = 420;

// Wraps one paragraph at word boundaries to the width given.
void Wrap(const std::string& paragraph, int width, std::vector<std::string>& out) {
    std::istringstream words(paragraph);
    std::string word, line;
    bool any = false;
    while (words >> word) {
        any = true;
        std::string candidate = line.empty() ? word : line + " " + word;
        if (!line.empty() && FrameBuffer::TextWidth(candidate) > width) {
            out.push_back(line);
            line = word;
        } else {
            line = candidate;
        }
    }
    out.push_back(any ? line : std::string());
}

} // namespace

MessageBoxView::MessageBoxView(std::string caption, std::string text, unsigned flags)
    : caption_(std::move(caption)), text_(std::move(text)), flags_(flags) {
    count_ = ui::ButtonsOf(flags, buttons_);
    int def = ui::DefaultButton(flags);
    for (int i = 0; i < count_; ++i)
        if (buttons_[i] == def)
            focus_ = i;
    std::string paragraph;
    std::istringstream stream(text_);
    while (std::getline(stream, paragraph))
        Wrap(paragraph, kMaxTextWidth, lines_);
    if (lines_.empty())
        lines_.push_back("");
}

void MessageBoxView::Layout(const Rect& screen) {
    int textW = 0;
    for (const auto& line : lines_)
        textW = std::max(textW, FrameBuffer::TextWidth(line));
    int textH = int(lines_.size()) * FrameBuffer::TextHeight();
    bool icon = (flags_ & ui::MB_ICONMASK) != 0;
    int contentW = textW + (icon ? kIconSize + kMargin : 0);
    int buttonsW = count_ * kButtonW + (count_ - 1) * kButtonGap;
    int w = std::max({contentW, buttonsW, 120}) + 2 * kMargin;
    int h = kMargin + std::max(textH, icon ? kIconSize : 0) + kMargin + kButtonH + kMargin;
    // Centred on the screen, as the platform places its boxes.
    client_ = Rect{screen.x + (screen.w - w) / 2, screen.y + (screen.h - h) / 2 + kTitleHeight / 2, w, h};
}

Rect MessageBoxView::ButtonRect(int index) const {
    int buttonsW = count_ * kButtonW + (count_ - 1) * kButtonGap;
    int x = client_.x + (client_.w - buttonsW) / 2 + index * (kButtonW + kButtonGap);
    return Rect{x, client_.Bottom() - kMargin - kButtonH, kButtonW, kButtonH};
}

Rect MessageBoxView::IconRect() const {
    if ((flags_ & ui::MB_ICONMASK) == 0)
        return Rect{};
    return Rect{client_.x + kMargin, client_.y + kMargin, kIconSize, kIconSize};
}

int MessageBoxView::ButtonAt(int x, int y) const {
    for (int i = 0; i < count_; ++i)
        if (ButtonRect(i).Contains(x, y))
            return i;
    return -1;
}

void MessageBoxView::MouseDown(int x, int y) {
    pressed_ = ButtonAt(x, y);
    if (pressed_ >= 0)
        focus_ = pressed_;
}

void MessageBoxView::MouseUp(int x, int y) {
    if (pressed_ >= 0 && ButtonAt(x, y) == pressed_)
        result_ = buttons_[pressed_];
    pressed_ = -1;
}

void MessageBoxView::KeyDown(std::uint16_t key, std::uint8_t shift) {
    switch (key) {
    case ui::VK_RETURN:
    case ui::VK_SPACE:
        result_ = buttons_[focus_];
        return;
    case ui::VK_ESCAPE:
        // Escape is Cancel where the box has one; a box with one button closes with it.
        for (int i = 0; i < count_; ++i)
            if (buttons_[i] == ui::IDCANCEL)
                result_ = ui::IDCANCEL;
        if (!result_ && count_ == 1)
            result_ = buttons_[0];
        return;
    case ui::VK_TAB:
        focus_ = (shift & ui::ssShift) ? (focus_ + count_ - 1) % count_ : (focus_ + 1) % count_;
        return;
    case ui::VK_LEFT:
        focus_ = (focus_ + count_ - 1) % count_;
        return;
    case ui::VK_RIGHT:
        focus_ = (focus_ + 1) % count_;
        return;
    default:
        break;
    }
    // A letter answers with the button whose name starts with it (A, R, I, Y, N...).
    if (key >= 'A' && key <= 'Z')
        for (int i = 0; i < count_; ++i)
            if (std::toupper(static_cast<unsigned char>(ui::ButtonName(buttons_[i])[0])) == key) {
                result_ = buttons_[i];
                return;
            }
}

void MessageBoxView::PaintIcon(FrameBuffer& frame) const {
    Rect r = IconRect();
    if (r.Empty())
        return;
    unsigned icon = flags_ & ui::MB_ICONMASK;
    int cx = r.x + r.w / 2, cy = r.y + r.h / 2, rad = r.w / 2 - 1;
    if (icon == ui::MB_ICONWARNING) {
        // A yellow triangle with a black rim and an exclamation mark.
        for (int y = 0; y < r.h; ++y) {
            int half = y * (r.w / 2) / r.h;
            frame.HLine(cx - half, r.y + y, 2 * half + 1, 0x000000);
            if (half > 1 && y < r.h - 1)
                frame.HLine(cx - half + 1, r.y + y, 2 * half - 1, 0xFFFF00);
        }
        frame.Fill(Rect{cx - 1, r.y + 10, 3, 12}, 0x000000);
        frame.Fill(Rect{cx - 1, r.y + 25, 3, 3}, 0x000000);
        return;
    }
    Rgb fill = icon == ui::MB_ICONERROR ? 0xFF0000 : 0x0000FF;
    for (int y = -rad; y <= rad; ++y)
        for (int x = -rad; x <= rad; ++x) {
            int d = x * x + y * y;
            if (d <= rad * rad)
                frame.Put(cx + x, cy + y, d >= (rad - 1) * (rad - 1) ? 0x000000 : fill);
        }
    if (icon == ui::MB_ICONERROR) {
        // A white cross.
        for (int i = -7; i <= 7; ++i) {
            frame.Fill(Rect{cx + i - 1, cy + i - 1, 3, 3}, 0xFFFFFF);
            frame.Fill(Rect{cx + i - 1, cy - i - 1, 3, 3}, 0xFFFFFF);
        }
    } else if (icon == ui::MB_ICONINFORMATION) {
        frame.Fill(Rect{cx - 2, cy - 10, 4, 4}, 0xFFFFFF);
        frame.Fill(Rect{cx - 2, cy - 3, 4, 13}, 0xFFFFFF);
    } else {
        // A question mark built of blocks.
        frame.Fill(Rect{cx - 6, cy - 10, 12, 3}, 0xFFFFFF);
        frame.Fill(Rect{cx + 4, cy - 9, 3, 8}, 0xFFFFFF);
        frame.Fill(Rect{cx - 2, cy - 2, 8, 3}, 0xFFFFFF);
        frame.Fill(Rect{cx - 2, cy - 1, 3, 5}, 0xFFFFFF);
        frame.Fill(Rect{cx - 2, cy + 7, 3, 3}, 0xFFFFFF);
    }
}

void MessageBoxView::Paint(FrameBuffer& frame, WidgetPainter& painter) const {
    painter.PaintWindowFrame(client_, caption_, true);
    frame.Fill(client_, kFace);
    PaintIcon(frame);
    bool icon = (flags_ & ui::MB_ICONMASK) != 0;
    int tx = client_.x + kMargin + (icon ? kIconSize + kMargin : 0);
    int ty = client_.y + kMargin;
    int textH = int(lines_.size()) * FrameBuffer::TextHeight();
    if (icon && textH < kIconSize)
        ty += (kIconSize - textH) / 2;
    for (const auto& line : lines_) {
        frame.Text(tx, ty, line, kText);
        ty += FrameBuffer::TextHeight();
    }
    for (int i = 0; i < count_; ++i)
        painter.PaintButtonFace(ButtonRect(i), ui::ButtonName(buttons_[i]), pressed_ == i, true, false, focus_ == i);
}

} // namespace paint
