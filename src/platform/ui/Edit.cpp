// Editing of a one-line box: typing, the selection and the clipboard.
#include "platform/ui/Edit.h"

#include "platform/ui/Clipboard.h"

namespace ui {

Clipboard& Clipboard::Instance() {
    static Clipboard clipboard;
    return clipboard;
}

void Edit::SetText(const std::string& text) {
    text_ = text;
    caret_ = anchor_ = text_.size();
    Changed();
}

void Edit::SelectAll() {
    anchor_ = 0;
    caret_ = text_.size();
}

void Edit::MoveCaret(std::size_t position, bool select) {
    caret_ = std::min(position, text_.size());
    if (!select)
        anchor_ = caret_;
}

bool Edit::DeleteSelection() {
    if (SelLength() == 0)
        return false;
    text_.erase(SelStart(), SelLength());
    caret_ = anchor_ = SelStart();
    return true;
}

void Edit::TypeText(const std::string& text) {
    if (!Enabled())
        return;
    bool changed = DeleteSelection();
    std::string insert;
    for (char c : text) {
        if (static_cast<unsigned char>(c) < 32)
            continue;
        if (MaxLength && text_.size() + insert.size() >= MaxLength)
            break;
        insert += c;
    }
    if (!insert.empty()) {
        text_.insert(caret_, insert);
        caret_ += insert.size();
        anchor_ = caret_;
        changed = true;
    }
    if (changed)
        Changed();
}

void Edit::KeyDown(std::uint16_t key, ShiftState shift) {
    if (OnKeyDown)
        OnKeyDown(key, shift);
    const bool select = (shift & ssShift) != 0;
    const bool ctrl = (shift & ssCtrl) != 0;
    auto copy = [this] {
        if (SelLength() > 0)
            Clipboard::Instance().SetText(SelectedText());
    };
    auto cut = [&] {
        copy();
        if (Enabled() && DeleteSelection())
            Changed();
    };
    auto paste = [this] {
        // One line: a pasted line break ends what is taken.
        std::string text = Clipboard::Instance().Text();
        text = text.substr(0, text.find_first_of("\r\n"));
        TypeText(text);
    };
    switch (key) {
    case VK_BACK:
        if (DeleteSelection()) {
            Changed();
        } else if (caret_ > 0) {
            text_.erase(caret_ - 1, 1);
            anchor_ = --caret_;
            Changed();
        }
        break;
    case VK_DELETE:
        if (select) {
            cut();
        } else if (DeleteSelection()) {
            Changed();
        } else if (caret_ < text_.size()) {
            text_.erase(caret_, 1);
            Changed();
        }
        break;
    case VK_INSERT:
        if (ctrl)
            copy();
        else if (select)
            paste();
        break;
    case VK_LEFT:
        // Without Shift, Left from a selection lands at its start.
        MoveCaret(!select && SelLength() ? SelStart() : caret_ > 0 ? caret_ - 1 : 0, select);
        break;
    case VK_RIGHT:
        MoveCaret(!select && SelLength() ? SelStart() + SelLength() : caret_ + 1, select);
        break;
    case VK_HOME:
        MoveCaret(0, select);
        break;
    case VK_END:
        MoveCaret(text_.size(), select);
        break;
    case 'A':
        if (ctrl)
            SelectAll();
        break;
    case 'C':
        if (ctrl)
            copy();
        break;
    case 'X':
        if (ctrl)
            cut();
        break;
    case 'V':
        if (ctrl)
            paste();
        break;
    default:
        break;
    }
}

} // namespace ui
