// Routing of the pointer and the keys to widgets, menus and boxes: hit testing, the
// open menus, pressed and held controls, the hint, the focus and typing.
#include "platform/paint/DesktopRouter.h"

#include "platform/paint/FrameBuffer.h"
#include "platform/paint/WidgetPainter.h"
#include "platform/ui/Application.h"
#include "platform/ui/Button.h"
#include "platform/ui/Edit.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/Form.h"
#include "platform/ui/Memo.h"
#include "platform/ui/MenuItem.h"
#include "platform/ui/MessageBoxFlags.h"
#include "platform/ui/PaintBox.h"
#include "platform/ui/RangeControls.h"
#include "platform/ui/Screen.h"

#include <functional>
#include <limits>

namespace paint {

using namespace theme;

namespace {

// Held arrows repeat after this delay, then at this rate.
constexpr std::uint64_t kRepeatDelayMs = 400;
constexpr std::uint64_t kRepeatRateMs = 60;

void Safely(const std::function<void()>& handler) { ui::Application::Instance().HandleEvent(handler); }

bool Focusable(const ui::Control& c) {
    return dynamic_cast<const ui::Edit*>(&c) || dynamic_cast<const ui::Button*>(&c) ||
           dynamic_cast<const ui::RadioButton*>(&c) || dynamic_cast<const ui::CheckBox*>(&c) ||
           dynamic_cast<const ui::ScrollBar*>(&c) || dynamic_cast<const ui::TrackBar*>(&c);
}

void CollectFocusable(ui::Control& c, std::vector<ui::Control*>& out) {
    for (ui::Control* child : c.Children()) {
        if (!child->Showing() || !child->Enabled())
            continue;
        if (Focusable(*child))
            out.push_back(child);
        CollectFocusable(*child, out);
    }
}

} // namespace

DesktopRouter::DesktopRouter(int screenWidth, int screenHeight) : screenWidth_(screenWidth), screenHeight_(screenHeight) {}

void DesktopRouter::AddForm(ui::Form* form) {
    if (form && std::find(forms_.begin(), forms_.end(), form) == forms_.end())
        forms_.push_back(form);
}

// ---- geometry and hit testing ------------------------------------------------------------------

ui::Form* DesktopRouter::InputForm() const {
    for (auto it = forms_.rbegin(); it != forms_.rend(); ++it)
        if ((*it)->Showing() && (*it)->IsModal())
            return *it;
    return main_;
}

Rect DesktopRouter::FormClientRect(const ui::Form& form) const {
    if (&form == main_)
        return ClientRect();
    return Rect{form.Left + kWindowBorder, kMenuBarHeight + form.Top + kWindowBorder + kTitleHeight, form.Width,
                form.Height};
}

Rect DesktopRouter::ControlRect(const ui::Control& control) const {
    int x = 0, y = 0;
    const ui::Control* c = &control;
    for (; c->Parent(); c = c->Parent())
        x += c->Left, y += c->Top;
    auto* form = dynamic_cast<const ui::Form*>(c);
    if (!form)
        return Rect{x + c->Left, y + c->Top, control.Width, control.Height};
    Rect client = FormClientRect(*form);
    if (c == &control)
        return client;
    return Rect{client.x + x, client.y + y, control.Width, control.Height};
}

ui::Control* DesktopRouter::ControlAt(int x, int y) const {
    ui::Form* form = InputForm();
    if (!form || !form->Showing())
        return nullptr;
    Rect client = FormClientRect(*form);
    if (!client.Contains(x, y))
        return nullptr;
    ui::Control* found = form;
    int ox = client.x, oy = client.y;
    for (bool descended = true; descended;) {
        descended = false;
        const auto& children = found->Children();
        for (auto it = children.rbegin(); it != children.rend(); ++it) {
            ui::Control* child = *it;
            if (!child->Visible())
                continue;
            if (Rect{ox + child->Left, oy + child->Top, child->Width, child->Height}.Contains(x, y)) {
                ox += child->Left, oy += child->Top;
                found = child;
                descended = true;
                break;
            }
        }
    }
    return found;
}

const std::vector<ui::PopupMenu*>& DesktopRouter::Popups() const {
    if (main_ != popupsOf_ || (main_ && main_->ComponentsStamp() != popupsStamp_)) {
        popups_.clear();
        popupsOf_ = main_;
        if (main_) {
            popupsStamp_ = main_->ComponentsStamp();
            for (const auto& [name, component] : main_->Components())
                if (auto* popup = dynamic_cast<ui::PopupMenu*>(component))
                    popups_.push_back(popup);
        }
    }
    return popups_;
}

ui::PopupMenu* DesktopRouter::OpenPopup() const {
    for (ui::PopupMenu* popup : Popups())
        if (popup->IsOpen())
            return popup;
    return nullptr;
}

std::vector<MenuBox> DesktopRouter::MenuBar() const {
    if (!main_)
        return {};
    return MenuLayout::Bar(main_->MainMenu, kMenuBarHeight);
}

std::optional<MenuColumn> DesktopRouter::OpenColumn() const {
    Rect bounds{0, 0, FrameWidth(), FrameHeight()};
    if (openMenu_) {
        for (const MenuBox& title : MenuBar())
            if (title.item == openMenu_)
                return MenuLayout::Column(*openMenu_, title.rect.x, kMenuBarHeight - 1, bounds);
        return std::nullopt;
    }
    if (ui::PopupMenu* popup = OpenPopup())
        return MenuLayout::Column(*popup, popup->PopupX(), popup->PopupY() + kMenuBarHeight, bounds);
    return std::nullopt;
}

ui::MenuItem* DesktopRouter::MenuItemAt(int x, int y) const {
    if (auto column = OpenColumn(); column && column->box.Contains(x, y))
        return column->ItemAt(x, y);
    if (y >= 0 && y < kMenuBarHeight)
        for (const MenuBox& title : MenuBar())
            if (title.rect.Contains(x, y))
                return title.item;
    return nullptr;
}

Rect DesktopRouter::HintRect() const {
    if (hintText_.empty())
        return Rect{};
    int w = FrameBuffer::TextWidth(hintText_) + 8, h = FrameBuffer::TextHeight() + 4;
    int x = std::min(hintX_, FrameWidth() - w), y = hintY_;
    if (y + h > FrameHeight())
        y = hintY_ - h - 24;
    return Rect{std::max(0, x), std::max(0, y), w, h};
}

// ---- boxes ----------------------------------------------------------------------------------------

MessageBoxView& DesktopRouter::OpenMessageBox(const std::string& caption, const std::string& text, unsigned flags) {
    CloseMenus();
    pressed_ = nullptr;
    held_ = Held::None;
    hintText_.clear();
    auto box = std::make_unique<MessageBoxView>(caption, text, flags);
    box->Layout(ClientRect());
    boxes_.push_back(ModalBox{std::move(box), nullptr});
    ++inputCount_;
    return *boxes_.back().message;
}

FileDialogView& DesktopRouter::OpenFileDialog(const ui::FileDialog& dialog) {
    CloseMenus();
    pressed_ = nullptr;
    held_ = Held::None;
    hintText_.clear();
    auto view = std::make_unique<FileDialogView>(dialog);
    view->Layout(ClientRect());
    boxes_.push_back(ModalBox{nullptr, std::move(view)});
    ++inputCount_;
    return *boxes_.back().file;
}

void DesktopRouter::CloseMessageBox() {
    for (auto it = boxes_.rbegin(); it != boxes_.rend(); ++it)
        if (it->message) {
            boxes_.erase(std::next(it).base());
            break;
        }
    ++inputCount_;
}

void DesktopRouter::CloseFileDialog() {
    for (auto it = boxes_.rbegin(); it != boxes_.rend(); ++it)
        if (it->file) {
            boxes_.erase(std::next(it).base());
            break;
        }
    ++inputCount_;
}

MessageBoxView* DesktopRouter::TopMessageBox() const { return boxes_.empty() ? nullptr : boxes_.back().message.get(); }

FileDialogView* DesktopRouter::TopFileDialog() const { return boxes_.empty() ? nullptr : boxes_.back().file.get(); }

// ---- menus ------------------------------------------------------------------------------------------

void DesktopRouter::CloseMenus() {
    openMenu_ = nullptr;
    highlighted_ = nullptr;
    menuByKeyboard_ = false;
    for (ui::PopupMenu* popup : Popups())
        popup->Close();
}

void DesktopRouter::OpenBarMenu(ui::MenuItem* title) {
    for (ui::PopupMenu* popup : Popups())
        popup->Close();
    openMenu_ = title;
    highlighted_ = nullptr;
}

void DesktopRouter::RunMenuItem(ui::MenuItem* item) {
    if (!item || !item->Enabled || item->IsSeparator())
        return;
    CloseMenus();
    Safely([item] { item->Click(); });
}

bool DesktopRouter::MenuKey(std::uint16_t key) {
    auto column = OpenColumn();
    if (!column)
        return false;
    std::vector<ui::MenuItem*> choices;
    for (const MenuBox& row : column->rows)
        if (!row.item->IsSeparator() && row.item->Enabled)
            choices.push_back(row.item);
    auto current = std::find(choices.begin(), choices.end(), highlighted_);
    switch (key) {
    case ui::VK_ESCAPE:
        CloseMenus();
        return true;
    case ui::VK_UP:
    case ui::VK_DOWN:
        if (!choices.empty()) {
            int n = int(choices.size());
            int i = current == choices.end() ? (key == ui::VK_DOWN ? -1 : 0) : int(current - choices.begin());
            highlighted_ = choices[std::size_t((i + (key == ui::VK_DOWN ? 1 : n - 1)) % n)];
        }
        return true;
    case ui::VK_RETURN:
        if (highlighted_)
            RunMenuItem(highlighted_);
        return true;
    case ui::VK_LEFT:
    case ui::VK_RIGHT:
        if (openMenu_) {
            auto bar = MenuBar();
            for (std::size_t i = 0; i < bar.size(); ++i)
                if (bar[i].item == openMenu_) {
                    std::size_t n = bar.size();
                    OpenBarMenu(bar[(i + (key == ui::VK_RIGHT ? 1 : n - 1)) % n].item);
                    break;
                }
        }
        return true;
    default:
        break;
    }
    // A letter chooses the item whose caption marks it.
    if (key >= 'A' && key <= 'Z')
        for (ui::MenuItem* item : choices)
            if (AcceleratorOf(item->Caption) == char(key)) {
                RunMenuItem(item);
                return true;
            }
    return true; // an open menu takes every key
}

// ---- the pointer ----------------------------------------------------------------------------------

void DesktopRouter::Focus(ui::Control* control) {
    if (!control)
        return;
    replaceOnType_ = nullptr;
    ui::Control* c = control;
    while (c->Parent())
        c = c->Parent();
    if (auto* form = dynamic_cast<ui::Form*>(c))
        form->ActiveControl = control;
}

void DesktopRouter::MouseMove(int x, int y, ui::ShiftState state, std::uint64_t now) {
    lastNow_ = now;
    bool moved = x != pointerX_ || y != pointerY_;
    pointerX_ = x, pointerY_ = y;
    if (moved)
        ++inputCount_;
    if (!boxes_.empty())
        return;
    if (openMenu_ || OpenPopup()) {
        if (auto column = OpenColumn(); column && column->box.Contains(x, y)) {
            if (ui::MenuItem* item = column->ItemAt(x, y))
                highlighted_ = item;
        } else if (openMenu_ && y >= 0 && y < kMenuBarHeight) {
            for (const MenuBox& title : MenuBar())
                if (title.rect.Contains(x, y) && title.item != openMenu_)
                    OpenBarMenu(title.item);
        }
        return;
    }
    Rect client = ClientRect();
    switch (held_) {
    case Held::ScrollThumb:
        if (auto* bar = dynamic_cast<ui::ScrollBar*>(pressed_)) {
            bool horizontal = bar->kind == ui::ScrollBar::Kind::Horizontal;
            int pos = ScrollBarPositionAt(*bar, ControlRect(*bar), (horizontal ? x : y) - thumbGrab_);
            Safely([bar, pos] { bar->SetPosition(pos); });
        }
        return;
    case Held::TrackThumb:
        if (auto* track = dynamic_cast<ui::TrackBar*>(pressed_)) {
            int pos = TrackBarPositionAt(*track, ControlRect(*track), x - thumbGrab_);
            Safely([track, pos] { track->SetPosition(pos); });
        }
        return;
    case Held::PaintBox:
        if (auto* box = dynamic_cast<ui::PaintBox*>(pressed_); box && box->OnMouseDrag) {
            Rect r = ControlRect(*box);
            auto handler = box->OnMouseDrag;
            Safely([&] { handler(x - r.x, y - r.y); });
        }
        return;
    case Held::Form:
        // The window holds the pointer while a button is down on it, as a drag needs.
        if (main_ && main_->OnMouseMove) {
            auto handler = main_->OnMouseMove;
            Safely([&] { handler(state, x - client.x, y - client.y); });
        }
        return;
    case Held::None:
        break;
    default:
        if (pressed_)
            pressedInside_ = ControlRect(*pressed_).Contains(x, y);
        return;
    }
    if (pressed_) {
        pressedInside_ = ControlRect(*pressed_).Contains(x, y);
        return;
    }
    ui::Control* hovered = ControlAt(x, y);
    if (hovered != hovered_) {
        hovered_ = hovered;
        restSince_ = now;
        hintText_.clear();
        hintDismissed_ = false;
    }
    if (hovered && hovered == main_ && main_->OnMouseMove) {
        auto handler = main_->OnMouseMove;
        Safely([&] { handler(state, x - client.x, y - client.y); });
    }
}

void DesktopRouter::MouseDown(ui::MouseButton button, int x, int y, ui::ShiftState shift, int clicks, std::uint64_t now) {
    lastNow_ = now;
    pointerX_ = x, pointerY_ = y;
    ++inputCount_;
    hintText_.clear();
    hintDismissed_ = true;
    if (!boxes_.empty()) {
        if (button != ui::MouseButton::Left)
            return;
        if (auto* box = boxes_.back().message.get())
            box->MouseDown(x, y);
        else
            boxes_.back().file->MouseDown(x, y, clicks);
        return;
    }
    if (openMenu_ || OpenPopup()) {
        if (auto column = OpenColumn(); column && column->box.Contains(x, y)) {
            if (ui::MenuItem* item = column->ItemAt(x, y))
                highlighted_ = item;
            return;
        }
        if (openMenu_ && y >= 0 && y < kMenuBarHeight) {
            for (const MenuBox& title : MenuBar())
                if (title.rect.Contains(x, y)) {
                    if (title.item == openMenu_)
                        CloseMenus();
                    else
                        OpenBarMenu(title.item);
                    return;
                }
        }
        // A click beside an open menu only closes it.
        CloseMenus();
        return;
    }
    if (y >= 0 && y < kMenuBarHeight) {
        if (InputForm() != main_ || !main_ || !main_->Showing())
            return;
        for (const MenuBox& title : MenuBar())
            if (title.rect.Contains(x, y)) {
                OpenBarMenu(title.item);
                return;
            }
        return;
    }
    ui::Control* control = ControlAt(x, y);
    if (!control)
        return;
    if (control == main_) {
        Rect client = ClientRect();
        held_ = Held::Form;
        heldButton_ = button;
        if (main_->OnMouseDown) {
            auto handler = main_->OnMouseDown;
            Safely([&] { handler(button, shift, x - client.x, y - client.y); });
        }
        return;
    }
    if (button != ui::MouseButton::Left)
        return;
    PressControl(control, x, y, clicks, now);
}

void DesktopRouter::PressControl(ui::Control* control, int x, int y, int clicks, std::uint64_t now) {
    if (!control->Enabled())
        return;
    Rect r = ControlRect(*control);
    pressed_ = control;
    pressedInside_ = true;
    held_ = Held::None;
    if (dynamic_cast<ui::Button*>(control) || dynamic_cast<ui::CheckBox*>(control)) {
        Focus(control);
    } else if (auto* radio = dynamic_cast<ui::RadioButton*>(control)) {
        Focus(control);
        if (clicks >= 2) {
            // The second press of a double click: the click was made by the first.
            pressed_ = nullptr;
            Safely([radio] { radio->DoubleClick(); });
        }
    } else if (auto* edit = dynamic_cast<ui::Edit*>(control)) {
        Focus(control);
        pressed_ = nullptr;
        // A triple click takes the whole text; a single one lets a selection go.
        if (clicks >= 3)
            edit->SelectAll();
        else if (clicks == 1)
            edit->MoveCaret(edit->CaretPos(), false);
    } else if (auto* bar = dynamic_cast<ui::ScrollBar*>(control)) {
        Focus(control);
        ScrollBarGeometry g = ScrollBarLayout(*bar, r);
        bool horizontal = bar->kind == ui::ScrollBar::Kind::Horizontal;
        switch (ScrollBarPartAt(*bar, r, x, y)) {
        case ScrollPart::LineBack: held_ = Held::ScrollBack; break;
        case ScrollPart::LineForward: held_ = Held::ScrollForward; break;
        case ScrollPart::PageBack: held_ = Held::ScrollPageBack; break;
        case ScrollPart::PageForward: held_ = Held::ScrollPageForward; break;
        case ScrollPart::Thumb:
            held_ = Held::ScrollThumb;
            thumbGrab_ = horizontal ? x - g.thumb.x : y - g.thumb.y;
            return;
        case ScrollPart::None: break;
        }
        nextRepeat_ = now + kRepeatDelayMs;
        RepeatStep(now);
    } else if (auto* updown = dynamic_cast<ui::UpDown*>(control)) {
        held_ = UpDownUpper(r).Contains(x, y) ? Held::UpDownUp : Held::UpDownDown;
        (void)updown;
        nextRepeat_ = now + kRepeatDelayMs;
        RepeatStep(now);
    } else if (auto* track = dynamic_cast<ui::TrackBar*>(control)) {
        Focus(control);
        Rect thumb = TrackBarThumb(*track, r);
        held_ = Held::TrackThumb;
        if (thumb.Contains(x, y)) {
            thumbGrab_ = x - (thumb.x + thumb.w / 2);
        } else {
            thumbGrab_ = 0;
            int pos = TrackBarPositionAt(*track, r, x);
            Safely([track, pos] { track->SetPosition(pos); });
        }
    } else if (auto* box = dynamic_cast<ui::PaintBox*>(control)) {
        held_ = Held::PaintBox;
        if (box->OnMouseDown) {
            auto handler = box->OnMouseDown;
            Safely([&] { handler(x - r.x, y - r.y); });
        }
    } else if (auto* memo = dynamic_cast<ui::Memo*>(control)) {
        // The list's scroll bar moves it by a line per arrow and a window per track click.
        pressed_ = nullptr;
        MemoGeometry g = MemoLayout(*memo, r);
        if (g.bar.Contains(x, y)) {
            ui::ScrollBar bar;
            bar.kind = ui::ScrollBar::Kind::Vertical;
            bar.SetRange(0, g.maxScroll);
            auto it = memoScroll_.find(memo);
            bar.SetPosition(it == memoScroll_.end() ? 0 : it->second);
            switch (ScrollBarPartAt(bar, g.bar, x, y)) {
            case ScrollPart::LineBack: ScrollMemo(*memo, -1); break;
            case ScrollPart::LineForward: ScrollMemo(*memo, 1); break;
            case ScrollPart::PageBack: ScrollMemo(*memo, -g.visibleRows); break;
            case ScrollPart::PageForward: ScrollMemo(*memo, g.visibleRows); break;
            default: break;
            }
        }
    } else if (!dynamic_cast<ui::SpeedButton*>(control)) {
        // Labels, panels and pictures take no clicks.
        pressed_ = nullptr;
    }
}

void DesktopRouter::RepeatStep(std::uint64_t) {
    ui::Control* control = pressed_;
    if (!control || !pressedInside_)
        return;
    Rect r = ControlRect(*control);
    if (auto* bar = dynamic_cast<ui::ScrollBar*>(control)) {
        // Page steps stop once the thumb has reached the pointer.
        ScrollPart part = ScrollBarPartAt(*bar, r, pointerX_, pointerY_);
        int delta = 0;
        switch (held_) {
        case Held::ScrollBack: delta = -bar->SmallChange; break;
        case Held::ScrollForward: delta = bar->SmallChange; break;
        case Held::ScrollPageBack: delta = part == ScrollPart::PageBack ? -bar->LargeChange : 0; break;
        case Held::ScrollPageForward: delta = part == ScrollPart::PageForward ? bar->LargeChange : 0; break;
        default: break;
        }
        if (delta)
            Safely([bar, delta] { bar->SetPosition(bar->Position() + delta); });
    } else if (auto* updown = dynamic_cast<ui::UpDown*>(control)) {
        bool up = held_ == Held::UpDownUp;
        if ((up ? UpDownUpper(r) : UpDownLower(r)).Contains(pointerX_, pointerY_))
            Safely([updown, up] { up ? updown->StepUp() : updown->StepDown(); });
    }
}

void DesktopRouter::ScrollMemo(ui::Memo& memo, int delta) {
    MemoGeometry g = MemoLayout(memo, ControlRect(memo));
    int& scroll = memoScroll_[&memo];
    scroll = std::clamp(scroll + delta, 0, g.maxScroll);
}

void DesktopRouter::MouseUp(ui::MouseButton button, int x, int y, ui::ShiftState shift, std::uint64_t now) {
    lastNow_ = now;
    pointerX_ = x, pointerY_ = y;
    ++inputCount_;
    if (!boxes_.empty()) {
        if (button != ui::MouseButton::Left)
            return;
        if (auto* box = boxes_.back().message.get())
            box->MouseUp(x, y);
        else
            boxes_.back().file->MouseUp(x, y);
        return;
    }
    if (openMenu_ || OpenPopup()) {
        if (auto column = OpenColumn(); column && column->box.Contains(x, y))
            if (ui::MenuItem* item = column->ItemAt(x, y))
                RunMenuItem(item);
        return;
    }
    if (held_ == Held::Form && button != heldButton_)
        return;
    if (held_ == Held::Form && main_ && main_->OnMouseUp) {
        held_ = Held::None;
        Rect client = ClientRect();
        auto handler = main_->OnMouseUp;
        Safely([&] { handler(button, shift, x - client.x, y - client.y); });
        return;
    }
    const bool heldBox = held_ == Held::PaintBox;
    held_ = Held::None;
    ui::Control* control = pressed_;
    pressed_ = nullptr;
    if (!control || button != ui::MouseButton::Left)
        return;
    if (auto* box = dynamic_cast<ui::PaintBox*>(control); heldBox && box && box->OnMouseUp) {
        Rect r = ControlRect(*box);
        auto handler = box->OnMouseUp;
        Safely([&] { handler(x - r.x, y - r.y); });
        return;
    }
    if (ControlRect(*control).Contains(x, y) && control->Showing() &&
        (dynamic_cast<ui::Button*>(control) || dynamic_cast<ui::SpeedButton*>(control) ||
         dynamic_cast<ui::RadioButton*>(control) || dynamic_cast<ui::CheckBox*>(control)))
        Safely([control] { control->Click(); });
}

void DesktopRouter::MouseWheel(int x, int y, int delta) {
    ++inputCount_;
    if (!boxes_.empty()) {
        if (auto* file = boxes_.back().file.get())
            file->Wheel(delta);
        return;
    }
    if (auto* memo = dynamic_cast<ui::Memo*>(ControlAt(x, y))) {
        ScrollMemo(*memo, -3 * delta);
        return;
    }
    // The wheel moves the scroll bar under the pointer by its small change.
    if (auto* bar = dynamic_cast<ui::ScrollBar*>(ControlAt(x, y)); bar && bar->Enabled()) {
        int step = -delta * bar->SmallChange;
        Safely([bar, step] { bar->SetPosition(bar->Position() + step); });
    }
}

void DesktopRouter::MouseLeave() {
    pointerX_ = pointerY_ = -1;
    hovered_ = nullptr;
    hintText_.clear();
    ++inputCount_;
}

void DesktopRouter::CancelPointer() {
    pressed_ = nullptr;
    pressedInside_ = false;
    held_ = Held::None;
    ++inputCount_;
}

void DesktopRouter::Tick(std::uint64_t now) {
    lastNow_ = now;
    if (held_ != Held::None && held_ != Held::Form && held_ != Held::ScrollThumb && held_ != Held::TrackThumb &&
        now >= nextRepeat_) {
        nextRepeat_ = now + kRepeatRateMs;
        RepeatStep(now);
    }
    if (!boxes_.empty() || openMenu_ || pressed_)
        return;
    // The hint of the control the pointer rests on.
    ui::Control* c = hovered_;
    bool wants = c && c->ShowHint && !c->Hint.empty() && c->Showing();
    if (!wants || hintDismissed_) {
        if (!hintText_.empty())
            ++inputCount_;
        hintText_.clear();
        return;
    }
    if (hintText_.empty() && now >= restSince_ + kHintDelayMs && now < restSince_ + kHintDelayMs + kHintShowMs) {
        hintText_ = c->Hint;
        hintX_ = pointerX_;
        hintY_ = pointerY_ + 20;
        ++inputCount_;
    } else if (!hintText_.empty() && now >= restSince_ + kHintDelayMs + kHintShowMs) {
        hintText_.clear();
        hintDismissed_ = true;
        ++inputCount_;
    }
}

std::uint64_t DesktopRouter::NextTickDue(std::uint64_t now) const {
    std::uint64_t due = std::numeric_limits<std::uint64_t>::max();
    if (held_ != Held::None && held_ != Held::Form && held_ != Held::ScrollThumb && held_ != Held::TrackThumb)
        due = std::min(due, nextRepeat_);
    if (!boxes_.empty() || openMenu_ || pressed_)
        return due;
    ui::Control* c = hovered_;
    const bool wants = c && c->ShowHint && !c->Hint.empty() && c->Showing();
    if (!wants || hintDismissed_)
        return hintText_.empty() ? due : now;
    // Waiting to show the hint, or showing it until its time is up.
    const std::uint64_t shows = restSince_ + kHintDelayMs, hides = shows + kHintShowMs;
    return std::min(due, hintText_.empty() ? (now < hides ? shows : due) : hides);
}

// ---- keys -----------------------------------------------------------------------------------------

ui::Edit* DesktopRouter::TypingTarget() const {
    ui::Form* form = InputForm();
    if (!form || !form->Showing())
        return nullptr;
    if (auto* edit = dynamic_cast<ui::Edit*>(form->ActiveControl); edit && edit->Showing() && edit->Enabled())
        return edit;
    // A scroll bar with the focus takes the letters (the view's key handler swallows
    // them): they go to no edit box.
    if (auto* bar = dynamic_cast<ui::ScrollBar*>(form->ActiveControl); bar && bar->Showing() && bar->Enabled())
        return nullptr;
    // With no edit box focused, typing goes to the only edit box in sight.
    std::vector<ui::Control*> focusable;
    CollectFocusable(*form, focusable);
    ui::Edit* only = nullptr;
    for (ui::Control* c : focusable)
        if (auto* edit = dynamic_cast<ui::Edit*>(c)) {
            if (only)
                return nullptr;
            only = edit;
        }
    if (only) {
        form->ActiveControl = only;
        const_cast<DesktopRouter*>(this)->replaceOnType_ = only;
    }
    return only;
}

void DesktopRouter::KeyDown(std::uint16_t key, ui::ShiftState shift, std::uint64_t now) {
    lastNow_ = now;
    ++inputCount_;
    hintText_.clear();
    hintDismissed_ = true;
    if (!boxes_.empty()) {
        if (auto* box = boxes_.back().message.get())
            box->KeyDown(key, shift);
        else
            boxes_.back().file->KeyDown(key, shift);
        return;
    }
    if ((openMenu_ || OpenPopup()) && MenuKey(key))
        return;
    ui::Form* form = InputForm();
    if (!form)
        return;
    if (form == main_ && main_->Showing()) {
        // Alt with a letter opens the menu the letter marks, unless it is a shortcut.
        ui::ShortCut cut{key, static_cast<ui::ShiftState>(shift & (ui::ssShift | ui::ssAlt | ui::ssCtrl))};
        bool isShortcut = main_->MainMenu.FindShortcut(cut) != nullptr;
        if (!isShortcut && shift == ui::ssAlt && key >= 'A' && key <= 'Z') {
            for (const MenuBox& title : MenuBar())
                if (AcceleratorOf(title.item->Caption) == char(key)) {
                    OpenBarMenu(title.item);
                    menuByKeyboard_ = true;
                    return;
                }
        }
        if (!isShortcut && key == ui::VK_F1 + 9 && shift == 0) { // F10 opens the first menu
            auto bar = MenuBar();
            if (!bar.empty()) {
                OpenBarMenu(bar.front().item);
                menuByKeyboard_ = true;
            }
            return;
        }
    }
    bool editingKey = key == ui::VK_BACK || key == ui::VK_DELETE || key == ui::VK_HOME || key == ui::VK_END ||
                      key == ui::VK_LEFT || key == ui::VK_RIGHT;
    bool nothingFocused = !form->ActiveControl || !form->ActiveControl->Showing() || !form->ActiveControl->Enabled();
    if (editingKey && nothingFocused && shift == 0)
        TypingTarget(); // editing keys find the only edit box in sight, as typing does
    ui::Control* focused = form->ActiveControl && form->ActiveControl->Showing() && form->ActiveControl->Enabled()
                               ? form->ActiveControl
                               : nullptr;
    if (replaceOnType_) {
        bool erase = (key == ui::VK_BACK || key == ui::VK_DELETE) && focused == replaceOnType_;
        ui::Edit* chosen = replaceOnType_;
        replaceOnType_ = nullptr;
        if (erase) {
            Safely([chosen] { chosen->Clear(); });
            return;
        }
    }
    bool clickable = focused && (dynamic_cast<ui::Button*>(focused) || dynamic_cast<ui::CheckBox*>(focused) ||
                                 dynamic_cast<ui::RadioButton*>(focused));
    if (clickable && (key == ui::VK_SPACE || key == ui::VK_RETURN) && shift == 0) {
        Safely([focused] { focused->Click(); });
        return;
    }
    if (form != main_) {
        // A box: Enter presses its default button, Tab moves on; Escape is the box's
        // own (it cancels a box that can be cancelled).
        if (key == ui::VK_RETURN) {
            std::vector<ui::Control*> all;
            CollectFocusable(*form, all);
            for (ui::Control* c : all)
                if (auto* b = dynamic_cast<ui::Button*>(c); b && b->Default) {
                    Safely([b] { b->Click(); });
                    return;
                }
        } else if (key == ui::VK_TAB) {
            std::vector<ui::Control*> all;
            CollectFocusable(*form, all);
            if (!all.empty()) {
                auto it = std::find(all.begin(), all.end(), focused);
                std::size_t n = all.size();
                std::size_t i = it == all.end() ? 0 : std::size_t(it - all.begin());
                form->ActiveControl = all[(i + ((shift & ui::ssShift) ? n - 1 : 1)) % n];
                // An edit box reached from the keyboard offers its whole text.
                if (auto* edit = dynamic_cast<ui::Edit*>(form->ActiveControl))
                    edit->SelectAll();
            }
            return;
        }
    }
    Safely([form, key, shift] { form->KeyPress(key, shift); });
}

void DesktopRouter::TextInput(const std::string& text) {
    ++inputCount_;
    if (!boxes_.empty()) {
        if (auto* file = boxes_.back().file.get())
            file->TypeText(text);
        return;
    }
    if (openMenu_ || OpenPopup())
        return;
    if (ui::Edit* edit = TypingTarget())
        Safely([this, edit, &text] {
            if (replaceOnType_ == edit)
                edit->Clear();
            replaceOnType_ = nullptr;
            edit->TypeText(text);
        });
}

} // namespace paint
