// Composition of the frame the player sees: background, the display's picture, widgets,
// menus, boxes, hint and pointer, and the signature that tells when it changes.
#include "platform/paint/Desktop.h"

#include "platform/ddraw/DDraw.h"
#include "platform/ui/Button.h"
#include "platform/ui/Edit.h"
#include "platform/ui/Form.h"
#include "platform/ui/Memo.h"
#include "platform/ui/MenuItem.h"
#include "platform/ui/Panel.h"
#include "platform/ui/PaintBox.h"
#include "platform/ui/RangeControls.h"
#include "platform/ui/Screen.h"

namespace paint {

using namespace theme;

namespace {

constexpr int kCaretBlinkMs = 530;

// FNV-1a, enough to tell one frame's state from the next.
struct Hasher {
    std::uint64_t h = 1469598103934665603ull;
    void Bytes(const void* data, std::size_t size) {
        auto* p = static_cast<const unsigned char*>(data);
        for (std::size_t i = 0; i < size; ++i)
            h = (h ^ p[i]) * 1099511628211ull;
    }
    void Int(std::int64_t v) { Bytes(&v, sizeof v); }
    void Ptr(const void* p) { Int(std::int64_t(reinterpret_cast<std::intptr_t>(p))); }
    void Str(const std::string& s) {
        Int(std::int64_t(s.size()));
        Bytes(s.data(), s.size());
    }
};

void HashTree(Hasher& h, const ui::Control& c) {
    h.Ptr(&c);
    h.Int(c.Left), h.Int(c.Top), h.Int(c.Width), h.Int(c.Height);
    h.Int(c.Enabled()), h.Str(c.Caption), h.Int(c.BackColor);
    if (auto* edit = dynamic_cast<const ui::Edit*>(&c))
        h.Str(edit->Text()), h.Int(std::int64_t(edit->CaretPos()));
    else if (auto* radio = dynamic_cast<const ui::RadioButton*>(&c))
        h.Int(radio->Checked());
    else if (auto* check = dynamic_cast<const ui::CheckBox*>(&c))
        h.Int(check->Checked);
    else if (auto* range = dynamic_cast<const ui::RangeControl*>(&c))
        h.Int(range->Position()), h.Int(range->Min()), h.Int(range->Max());
    else if (auto* memo = dynamic_cast<const ui::Memo*>(&c))
        for (const auto& line : memo->Lines())
            h.Str(line);
    else if (auto* image = dynamic_cast<const ui::Image*>(&c))
        h.Str(image->PicturePath);
    else if (auto* panel = dynamic_cast<const ui::Panel*>(&c))
        h.Int(std::int64_t(panel->Picture.serial));
    else if (auto* speed = dynamic_cast<const ui::SpeedButton*>(&c))
        h.Str(speed->Glyph);
    else if (auto* box = dynamic_cast<const ui::PaintBox*>(&c))
        h.Int(std::int64_t(box->Generation()));
    for (const ui::Control* child : c.Children())
        if (child->Visible())
            HashTree(h, *child);
}

void HashMenu(Hasher& h, const ui::MenuItem& item) {
    h.Str(item.Caption), h.Int(item.Checked), h.Int(item.Enabled), h.Int(item.Visible);
    for (const auto& child : item.Items())
        HashMenu(h, *child);
}

} // namespace

Desktop::Desktop(int screenWidth, int screenHeight) : DesktopRouter(screenWidth, screenHeight) {}

void Desktop::SetMainForm(ui::Form* form) {
    main_ = form;
    shownAtGeneration_.reset();
}

// ---- the display's picture --------------------------------------------------------------------

void Desktop::TrackDisplay() const {
    if (!main_ || !main_->Showing()) {
        shownAtGeneration_.reset();
        return;
    }
    if (!shownAtGeneration_)
        shownAtGeneration_ = ddraw::VirtualScreenGeneration();
}

bool Desktop::DisplayShown() const {
    if (displayLayer != DisplayLayer::Auto)
        return displayLayer == DisplayLayer::Always;
    TrackDisplay();
    return shownAtGeneration_ && ddraw::VirtualScreenGeneration() != *shownAtGeneration_;
}

// ---- composition -------------------------------------------------------------------------------------

std::uint64_t Desktop::Signature(std::uint64_t now) const {
    Hasher h;
    h.Int(std::int64_t(inputCount_));
    h.Ptr(openMenu_), h.Ptr(highlighted_), h.Ptr(pressed_), h.Int(pressedInside_);
    h.Str(hintText_);
    for (const auto& [memo, scroll] : memoScroll_)
        h.Ptr(memo), h.Int(scroll);
    auto hashForm = [&](const ui::Form& form) {
        h.Int(form.Showing());
        if (!form.Showing())
            return;
        HashTree(h, form);
        h.Ptr(form.ActiveControl);
    };
    if (main_) {
        hashForm(*main_);
        HashMenu(h, main_->MainMenu);
        for (ui::PopupMenu* popup : Popups())
            if (popup->IsOpen()) {
                h.Ptr(popup), h.Int(popup->PopupX()), h.Int(popup->PopupY());
                HashMenu(h, *popup);
            }
    }
    for (const ui::Form* form : forms_)
        hashForm(*form);
    if (CaretShown())
        h.Int(std::int64_t(now / kCaretBlinkMs) & 1);
    auto& screen = ui::Screen::Instance();
    h.Int(screen.CurrentCursor());
    h.Str(screen.CursorAt(screen.CurrentCursor()).resourceName);
    if (overDisplaySignature)
        h.Int(std::int64_t(overDisplaySignature()));
    h.Int(DisplayShown());
    if (DisplayShown())
        h.Int(std::int64_t(ddraw::VirtualScreenContentGeneration()));
    return h.h;
}

bool Desktop::CaretShown() const {
    auto shows = [](const ui::Form& form) {
        auto* edit = dynamic_cast<const ui::Edit*>(form.ActiveControl);
        return form.Showing() && edit && edit->Showing();
    };
    if (main_ && shows(*main_))
        return true;
    for (const ui::Form* form : forms_)
        if (shows(*form))
            return true;
    return !boxes_.empty() && boxes_.back().file;
}

std::uint64_t Desktop::NextChangeDue(std::uint64_t now) const {
    std::uint64_t due = NextTickDue(now);
    if (CaretShown())
        due = std::min(due, (now / kCaretBlinkMs + 1) * kCaretBlinkMs);
    return due;
}

void Desktop::PaintMenuBar(FrameBuffer& frame) const {
    frame.Fill(Rect{0, 0, FrameWidth(), kMenuBarHeight}, kFace);
    frame.HLine(0, kMenuBarHeight - 1, FrameWidth(), kShadow);
    // While a box or a modal form has the input, the menu bar is out of reach: greyed.
    bool active = InputForm() == main_ && boxes_.empty();
    for (const MenuBox& title : MenuBar()) {
        std::string text = StripAccelerator(title.item->Caption);
        bool open = title.item == openMenu_;
        if (open)
            frame.Fill(title.rect, kSelection);
        int tx = title.rect.x + (title.rect.w - FrameBuffer::TextWidth(text)) / 2;
        int ty = title.rect.y + (title.rect.h - FrameBuffer::TextHeight()) / 2;
        if (!title.item->Enabled || !active)
            frame.Text(tx, ty, text, kGrayText);
        else
            frame.Text(tx, ty, text, open ? kSelectionText : kText);
    }
}

void Desktop::PaintMenuColumn(FrameBuffer& frame, const MenuColumn& column) const {
    frame.Fill(column.box, kFace);
    frame.DrawBevel(column.box, Bevel::Raised);
    int shortcutRight = column.box.Right() - kMenuBorder - 12;
    for (const MenuBox& row : column.rows) {
        ui::MenuItem* item = row.item;
        if (item->IsSeparator()) {
            int y = row.rect.y + row.rect.h / 2 - 1;
            frame.HLine(row.rect.x + 1, y, row.rect.w - 2, kShadow);
            frame.HLine(row.rect.x + 1, y + 1, row.rect.w - 2, kHighlight);
            continue;
        }
        bool lit = item == highlighted_;
        Rgb ink = lit ? kSelectionText : kText;
        if (lit)
            frame.Fill(row.rect, kSelection);
        int ty = row.rect.y + (row.rect.h - FrameBuffer::TextHeight()) / 2;
        std::string text = StripAccelerator(item->Caption);
        std::string keys = MenuLayout::ShortCutText(item->Shortcut);
        auto draw = [&](int x, const std::string& s) {
            if (item->Enabled)
                frame.Text(x, ty, s, ink);
            else if (lit)
                frame.Text(x, ty, s, kGrayText);
            else {
                frame.Text(x + 1, ty + 1, s, kHighlight);
                frame.Text(x, ty, s, kGrayText);
            }
        };
        draw(row.rect.x + 18, text);
        if (!keys.empty())
            draw(shortcutRight - FrameBuffer::TextWidth(keys), keys);
        if (item->Checked) {
            // A check mark in the left column.
            Rgb mark = item->Enabled ? ink : kGrayText;
            int cx = row.rect.x + 5, cy = row.rect.y + row.rect.h / 2;
            for (int i = 0; i < 7; ++i) {
                int y = i < 3 ? cy - 1 + i : cy + 1 - (i - 2);
                frame.VLine(cx + i, y, 3, mark);
            }
        }
    }
}

void Desktop::PaintHint(FrameBuffer& frame) const {
    Rect r = HintRect();
    if (r.Empty())
        return;
    frame.Fill(r, kHintBack);
    frame.Frame(r, kText);
    frame.Text(r.x + 4, r.y + 2, hintText_, kText);
}

void Desktop::PaintCursor(FrameBuffer& frame) {
    if (pointerX_ < 0 || pointerY_ < 0)
        return;
    auto& screen = ui::Screen::Instance();
    ui::Cursor cursor = screen.CursorAt(screen.CurrentCursor());
    const Image* image = nullptr;
    // Over menus and boxes the platform shows its arrow; the tool cursor is the map's.
    bool overClient = ClientRect().Contains(pointerX_, pointerY_) && boxes_.empty() && !openMenu_ && !OpenPopup();
    if (cursor.loaded && overClient) {
        auto& images = images_;
        image = images.Resource("CURSOR_" + cursor.resourceName);
        if (!image)
            image = images.Resource(cursor.resourceName);
    }
    if (image) {
        frame.Blit(*image, pointerX_, pointerY_, true);
        return;
    }
    // The standard arrow: black rim, white inside, tip at the pointer.
    static const char* const kArrow[] = {
        "#", "##", "#w#", "#ww#", "#www#", "#wwww#", "#wwwww#", "#wwwwww#", "#wwwwwww#", "#wwwwwwww#",
        "#wwwww#####", "#ww#ww#", "#w# #ww#", "##  #ww#", "#    #ww#", "     #ww#", "      ##",
    };
    for (int y = 0; y < 17; ++y)
        for (int x = 0; kArrow[y][x]; ++x) {
            char c = kArrow[y][x];
            if (c == '#')
                frame.Put(pointerX_ + x, pointerY_ + y, 0x000000);
            else if (c == 'w')
                frame.Put(pointerX_ + x, pointerY_ + y, 0xFFFFFF);
        }
}

bool Desktop::SaveScreenshot(const std::string& path, std::uint64_t now, std::string* error) {
    FrameBuffer frame;
    Paint(frame, now);
    return ddraw::SaveRgbPng(path, frame.Pixels(), frame.Width(), frame.Height(), error);
}

void Desktop::Paint(FrameBuffer& frame, std::uint64_t now) {
    if (frame.Width() != FrameWidth() || frame.Height() != FrameHeight())
        frame.Resize(FrameWidth(), FrameHeight());
    frame.ResetClip();
    PaintState state;
    state.pressed = pressedInside_ ? pressed_ : nullptr;
    state.hovered = hovered_;
    state.caretOn = (now / kCaretBlinkMs) % 2 == 0;
    ui::Form* input = InputForm();
    state.focused = input ? input->ActiveControl : nullptr;
    state.memoScroll = &memoScroll_;
    WidgetPainter painter(frame, images_, state);

    TrackDisplay();
    if (!main_ || !main_->Showing()) {
        frame.Fill(Rect{0, 0, FrameWidth(), FrameHeight()}, 0x000000);
    } else {
        PaintMenuBar(frame);
        Rect client = ClientRect();
        frame.SetClip(client);
        int w = 0, h = 0;
        if (DisplayShown()) {
            ddraw::UpdateVirtualScreenRgb(screenPixels_, screenWidth_, screenHeight_, screenReadAt_);
            w = screenWidth_;
            h = screenHeight_;
        }
        // The window's colour shows only where the screen does not cover the client.
        if (w < client.w || h < client.h)
            frame.Fill(client, FromColor(main_->BackColor));
        if (DisplayShown())
            frame.CopyPixels(screenPixels_, w, h, client.x, client.y);
        if (paintOverDisplay)
            paintOverDisplay(frame, client);
        PaintState mainState = state;
        mainState.focused = main_->ActiveControl;
        WidgetPainter mainPainter(frame, images_, mainState);
        for (const ui::Control* child : main_->Children())
            if (child->Visible())
                mainPainter.PaintTree(*child, ControlRect(*child));
        frame.ResetClip();
    }
    for (ui::Form* form : forms_) {
        if (!form->Showing())
            continue;
        Rect client = FormClientRect(*form);
        PaintState formState = state;
        formState.focused = form->ActiveControl;
        WidgetPainter formPainter(frame, images_, formState);
        formPainter.PaintWindowFrame(client, form->Caption, form == input && boxes_.empty());
        formPainter.PaintTree(*form, client);
    }
    if (auto column = OpenColumn())
        PaintMenuColumn(frame, *column);
    for (const ModalBox& box : boxes_) {
        if (box.message)
            box.message->Paint(frame, painter);
        else
            box.file->Paint(frame, painter, state.caretOn);
    }
    PaintHint(frame);
    if (paintCursor)
        PaintCursor(frame);
}

} // namespace paint
