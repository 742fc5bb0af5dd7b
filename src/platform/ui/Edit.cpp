// Editing of a one-line box.
#include "platform/ui/Edit.h"

namespace ui {

void Edit::SetText(const std::string& text) {
    text_ = text;
    caret_ = text_.size();
    if (OnChange)
        OnChange();
}

void Edit::TypeText(const std::string& text) {
    if (!Enabled())
        return;
    std::string insert;
    for (char c : text) {
        if (static_cast<unsigned char>(c) < 32)
            continue;
        if (MaxLength && text_.size() + insert.size() >= MaxLength)
            break;
        insert += c;
    }
    if (insert.empty())
        return;
    text_.insert(caret_, insert);
    caret_ += insert.size();
    if (OnChange)
        OnChange();
}

void Edit::KeyDown(std::uint16_t key, ShiftState shift) {
    if (OnKeyDown)
        OnKeyDown(key, shift);
    switch (key) {
    case VK_BACK:
        if (caret_ > 0) {
            text_.erase(caret_ - 1, 1);
            --caret_;
            if (OnChange)
                OnChange();
        }
        break;
    case VK_DELETE:
        if (caret_ < text_.size()) {
            text_.erase(caret_, 1);
            if (OnChange)
                OnChange();
        }
        break;
    case VK_LEFT:
        if (caret_ > 0)
            --caret_;
        break;
    case VK_RIGHT:
        if (caret_ < text_.size())
            ++caret_;
        break;
    case VK_HOME:
        caret_ = 0;
        break;
    case VK_END:
        caret_ = text_.size();
        break;
    default:
        break;
    }
}

} // namespace ui
