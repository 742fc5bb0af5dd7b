// Painting of every kind of widget: faces, bevels, captions, glyphs, marks and carets.
#include "platform/paint/WidgetPainter.h"

#include "platform/ui/Button.h"
#include "platform/ui/Edit.h"
#include "platform/ui/Form.h"
#include "platform/ui/Label.h"
#include "platform/ui/Memo.h"
#include "platform/ui/PaintBox.h"
#include "platform/ui/Panel.h"
#include "platform/ui/RangeControls.h"

namespace paint {

using namespace theme;

namespace {

int Span(int min, int max) { return std::max(1, max - min); }

// Blends a picture's pixel toward the face colour: the greyed look of a disabled glyph.
Rgb Greyed(Rgb p) {
    int lum = int(((p >> 16) & 0xFF) * 30 + ((p >> 8) & 0xFF) * 59 + (p & 0xFF) * 11) / 100;
    int v = 128 + lum / 3;
    return Rgb(v) << 16 | Rgb(v) << 8 | Rgb(v);
}

} // namespace

// ---- geometry -----------------------------------------------------------------------------

ScrollBarGeometry ScrollBarLayout(const ui::ScrollBar& bar, const Rect& r) {
    ScrollBarGeometry g;
    bool horizontal = bar.kind == ui::ScrollBar::Kind::Horizontal;
    int length = horizontal ? r.w : r.h;
    int thickness = horizontal ? r.h : r.w;
    int arrow = std::min(thickness, length / 2);
    int trackLength = std::max(0, length - 2 * arrow);
    int thumb = std::min(trackLength, std::max(kMinThumb, thickness));
    int offset = trackLength > thumb
                     ? int(std::int64_t(bar.Position() - bar.Min()) * (trackLength - thumb) / Span(bar.Min(), bar.Max()))
                     : 0;
    if (horizontal) {
        g.back = Rect{r.x, r.y, arrow, r.h};
        g.forward = Rect{r.Right() - arrow, r.y, arrow, r.h};
        g.track = Rect{r.x + arrow, r.y, trackLength, r.h};
        g.thumb = Rect{g.track.x + offset, r.y, thumb, r.h};
    } else {
        g.back = Rect{r.x, r.y, r.w, arrow};
        g.forward = Rect{r.x, r.Bottom() - arrow, r.w, arrow};
        g.track = Rect{r.x, r.y + arrow, r.w, trackLength};
        g.thumb = Rect{r.x, g.track.y + offset, r.w, thumb};
    }
    return g;
}

ScrollPart ScrollBarPartAt(const ui::ScrollBar& bar, const Rect& r, int x, int y) {
    if (!r.Contains(x, y))
        return ScrollPart::None;
    ScrollBarGeometry g = ScrollBarLayout(bar, r);
    if (g.back.Contains(x, y))
        return ScrollPart::LineBack;
    if (g.forward.Contains(x, y))
        return ScrollPart::LineForward;
    if (g.thumb.Contains(x, y))
        return ScrollPart::Thumb;
    bool horizontal = bar.kind == ui::ScrollBar::Kind::Horizontal;
    if (horizontal)
        return x < g.thumb.x ? ScrollPart::PageBack : ScrollPart::PageForward;
    return y < g.thumb.y ? ScrollPart::PageBack : ScrollPart::PageForward;
}

int ScrollBarPositionAt(const ui::ScrollBar& bar, const Rect& r, int thumbStart) {
    ScrollBarGeometry g = ScrollBarLayout(bar, r);
    bool horizontal = bar.kind == ui::ScrollBar::Kind::Horizontal;
    int free = horizontal ? g.track.w - g.thumb.w : g.track.h - g.thumb.h;
    if (free <= 0)
        return bar.Min();
    int along = thumbStart - (horizontal ? g.track.x : g.track.y);
    along = std::clamp(along, 0, free);
    // Rounded to the nearest position, so a thumb put back where it was keeps its value.
    return bar.Min() + int((std::int64_t(along) * Span(bar.Min(), bar.Max()) + free / 2) / free);
}

MemoGeometry MemoLayout(const ui::Memo& memo, const Rect& r) {
    MemoGeometry g;
    // A white list sits in a sunken well; a list in the face colour has no border.
    Rect inner = FromColor(memo.BackColor) != kFace ? r.Inflated(-2) : r;
    int lineHeight = FrameBuffer::TextHeight();
    g.visibleRows = std::max(1, (inner.h - 1) / lineHeight);
    int count = int(memo.Count());
    g.text = inner;
    if (count > g.visibleRows && inner.w > 32) {
        g.bar = Rect{inner.Right() - 16, inner.y, 16, inner.h};
        g.text.w -= 16;
        g.maxScroll = count - g.visibleRows;
    }
    return g;
}

Rect UpDownUpper(const Rect& r) { return Rect{r.x, r.y, r.w, r.h / 2}; }

Rect UpDownLower(const Rect& r) { return Rect{r.x, r.y + r.h / 2, r.w, r.h - r.h / 2}; }

Rect TrackBarThumb(const ui::TrackBar& bar, const Rect& r) {
    constexpr int kThumbW = 11, kMargin = 8;
    int channel = std::max(1, r.w - 2 * kMargin);
    int cx = r.x + kMargin + int(std::int64_t(bar.Position() - bar.Min()) * channel / Span(bar.Min(), bar.Max()));
    int h = std::min(r.h, 21);
    return Rect{cx - kThumbW / 2, r.y + (r.h - h) / 2, kThumbW, h};
}

int TrackBarPositionAt(const ui::TrackBar& bar, const Rect& r, int x) {
    constexpr int kMargin = 8;
    int channel = std::max(1, r.w - 2 * kMargin);
    int along = std::clamp(x - (r.x + kMargin), 0, channel);
    return bar.Min() + int((std::int64_t(along) * Span(bar.Min(), bar.Max()) + channel / 2) / channel);
}

// ---- painting -------------------------------------------------------------------------------

void WidgetPainter::PaintTree(const ui::Control& control, const Rect& r) {
    Rect saved = frame_.Clip();
    frame_.SetClip(saved.Intersect(r));
    if (!frame_.Clip().Empty()) {
        PaintControl(control, r);
        for (const ui::Control* child : control.Children()) {
            if (!child->Visible())
                continue;
            PaintTree(*child, Rect{r.x + child->Left, r.y + child->Top, child->Width, child->Height});
        }
    }
    frame_.SetClip(saved);
}

void WidgetPainter::DisabledText(int x, int y, const std::string& text) {
    frame_.Text(x + 1, y + 1, text, kHighlight);
    frame_.Text(x, y, text, kGrayText);
}

void WidgetPainter::PaintButtonFace(const Rect& r, const std::string& caption, bool pressed, bool enabled,
                                    bool isDefault, bool focused) {
    frame_.Fill(r, kFace);
    Rect face = r;
    if (isDefault || focused) {
        frame_.Frame(r, kDarkShadow);
        face = r.Inflated(-1);
    }
    frame_.DrawBevel(face, pressed ? Bevel::Pressed : Bevel::Raised);
    std::string text = StripAccelerator(caption);
    int tx = r.x + (r.w - FrameBuffer::TextWidth(text)) / 2 + (pressed ? 1 : 0);
    int ty = r.y + (r.h - FrameBuffer::TextHeight()) / 2 + (pressed ? 1 : 0);
    if (enabled)
        frame_.Text(tx, ty, text, kText);
    else
        DisabledText(tx, ty, text);
    if (focused)
        frame_.FocusRect(r.Inflated(-4), kText);
}

void WidgetPainter::PaintArrow(const Rect& r, int direction, bool enabled) {
    // A small solid triangle centred in r.
    int cx = r.x + r.w / 2, cy = r.y + r.h / 2;
    int size = std::max(2, std::min(r.w, r.h) / 4);
    auto draw = [&](int ox, int oy, Rgb colour) {
        for (int i = 0; i < size; ++i) {
            int half = i;
            switch (direction) {
            case 0: frame_.HLine(cx - half + ox, cy - size / 2 + i + oy, 2 * half + 1, colour); break;
            case 2: frame_.HLine(cx - half + ox, cy + size / 2 - i + oy, 2 * half + 1, colour); break;
            case 1: frame_.VLine(cx + size / 2 - i + ox, cy - half + oy, 2 * half + 1, colour); break;
            default: frame_.VLine(cx - size / 2 + i + ox, cy - half + oy, 2 * half + 1, colour); break;
            }
        }
    };
    if (!enabled) {
        draw(1, 1, kHighlight);
        draw(0, 0, kShadow);
    } else {
        draw(0, 0, kText);
    }
}

void WidgetPainter::PaintWindowFrame(const Rect& client, const std::string& caption, bool active) {
    Rect outer = WindowRectOf(client);
    frame_.Fill(outer, kFace);
    frame_.DrawBevel(outer, Bevel::Raised);
    Rect title{outer.x + kWindowBorder, outer.y + kWindowBorder, outer.w - 2 * kWindowBorder, kTitleHeight - 1};
    frame_.Fill(title, active ? kTitle : kShadow);
    frame_.Text(title.x + 4, title.y + (title.h - FrameBuffer::TextHeight()) / 2, caption,
                active ? kTitleText : kFace);
}

Rect WidgetPainter::WindowRectOf(const Rect& client) {
    return Rect{client.x - kWindowBorder, client.y - kWindowBorder - kTitleHeight, client.w + 2 * kWindowBorder,
                client.h + 2 * kWindowBorder + kTitleHeight};
}

void WidgetPainter::PaintControl(const ui::Control& control, const Rect& r) {
    const bool enabled = control.Enabled();
    const bool pressed = state_.pressed == &control;
    const bool focused = state_.focused == &control;

    if (auto* form = dynamic_cast<const ui::Form*>(&control)) {
        frame_.Fill(r, FromColor(form->BackColor));
        return;
    }
    if (auto* button = dynamic_cast<const ui::Button*>(&control)) {
        PaintButtonFace(r, button->Caption, pressed, enabled, button->Default, focused);
        return;
    }
    if (auto* speed = dynamic_cast<const ui::SpeedButton*>(&control)) {
        frame_.Fill(r, kFace);
        frame_.DrawBevel(r, pressed ? Bevel::Sunken : Bevel::Raised);
        const Image* glyph = speed->Glyph.empty() ? nullptr : images_.Resource(speed->Glyph);
        int shift = pressed ? 1 : 0;
        if (glyph) {
            int gx = r.x + (r.w - glyph->width) / 2 + shift;
            int gy = r.y + (r.h - glyph->height) / 2 + shift;
            if (enabled) {
                frame_.Blit(*glyph, gx, gy, true);
            } else {
                Image grey = *glyph;
                for (Rgb& p : grey.pixels)
                    if (p != kColourKey)
                        p = Greyed(p);
                frame_.Blit(grey, gx, gy, true);
            }
        } else if (!speed->Caption.empty()) {
            std::string text = StripAccelerator(speed->Caption);
            int tx = r.x + (r.w - FrameBuffer::TextWidth(text)) / 2 + shift;
            int ty = r.y + (r.h - FrameBuffer::TextHeight()) / 2 + shift;
            enabled ? frame_.Text(tx, ty, text, kText) : DisabledText(tx, ty, text);
        }
        return;
    }
    if (auto* radio = dynamic_cast<const ui::RadioButton*>(&control)) {
        constexpr int kSize = 12;
        int cy = r.y + (r.h - kSize) / 2;
        // A round well: rows of a circle, grey above-left and white below-right.
        static const char* const kWell[kSize] = {
            "    ssss    ", "  ssddddss  ", " sdd    ddh ", " sd      lh ", "sd        lh", "sd        lh",
            "sd        lh", "sd        lh", " sl      lh ", " hll    llh ", "  hhllllhh  ", "    hhhh    ",
        };
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x) {
                char c = kWell[y][x];
                Rgb colour = c == 's' ? kShadow : c == 'd' ? kDarkShadow : c == 'h' ? kHighlight : c == 'l' ? kLight : 0;
                if (c != ' ')
                    frame_.Put(r.x + x, cy + y, colour);
                else if (x > 1 && x < kSize - 2 && y > 1 && y < kSize - 2 && (x - 5.5) * (x - 5.5) + (y - 5.5) * (y - 5.5) < 20)
                    frame_.Put(r.x + x, cy + y, enabled ? kWindow : kFace);
            }
        if (radio->Checked())
            frame_.Fill(Rect{r.x + 4, cy + 4, 4, 4}, enabled ? kText : kGrayText);
        int ty = r.y + (r.h - FrameBuffer::TextHeight()) / 2;
        std::string text = StripAccelerator(radio->Caption);
        enabled ? frame_.Text(r.x + kSize + 5, ty, text, kText) : DisabledText(r.x + kSize + 5, ty, text);
        if (focused)
            frame_.FocusRect(Rect{r.x + kSize + 3, ty - 1, FrameBuffer::TextWidth(text) + 4, FrameBuffer::TextHeight() + 2}, kText);
        return;
    }
    if (auto* check = dynamic_cast<const ui::CheckBox*>(&control)) {
        constexpr int kSize = 13;
        Rect box{r.x, r.y + (r.h - kSize) / 2, kSize, kSize};
        frame_.Fill(box, enabled ? kWindow : kFace);
        frame_.DrawBevel(box, Bevel::Sunken);
        if (check->Checked) {
            // The tick: a short stroke down to the right, then a long one up.
            Rgb ink = enabled ? kText : kGrayText;
            for (int i = 0; i < 7; ++i) {
                int x = box.x + 3 + i;
                int y = i < 3 ? box.y + 5 + i : box.y + 7 - (i - 2);
                frame_.VLine(x, y, 3, ink);
            }
        }
        int ty = r.y + (r.h - FrameBuffer::TextHeight()) / 2;
        std::string text = StripAccelerator(check->Caption);
        enabled ? frame_.Text(r.x + kSize + 4, ty, text, kText) : DisabledText(r.x + kSize + 4, ty, text);
        if (focused)
            frame_.FocusRect(Rect{r.x + kSize + 2, ty - 1, FrameBuffer::TextWidth(text) + 4, FrameBuffer::TextHeight() + 2}, kText);
        return;
    }
    if (auto* edit = dynamic_cast<const ui::Edit*>(&control)) {
        frame_.Fill(r, enabled ? FromColor(edit->BackColor) : kFace);
        frame_.DrawBevel(r, Bevel::Sunken);
        Rect inner = r.Inflated(-2);
        Rect saved = frame_.Clip();
        frame_.SetClip(saved.Intersect(inner));
        const std::string& text = edit->Text();
        int ty = inner.y + (inner.h - FrameBuffer::TextHeight()) / 2;
        // Scroll the text so that the caret stays in view.
        int caretX = FrameBuffer::TextWidth(text.substr(0, std::min(edit->CaretPos(), text.size())));
        int scroll = std::max(0, caretX - (inner.w - 4));
        int tx = inner.x + 1 - scroll;
        enabled ? frame_.Text(tx, ty, text, kText) : DisabledText(tx, ty, text);
        // The selection of the focused box: the selected letters on the highlight.
        if (focused && enabled && edit->SelLength() > 0) {
            std::size_t from = std::min(edit->SelStart(), text.size());
            std::string selected = text.substr(from, edit->SelLength());
            int sx = tx + FrameBuffer::TextWidth(text.substr(0, from));
            frame_.Fill(Rect{sx, ty, FrameBuffer::TextWidth(selected), FrameBuffer::TextHeight()}, kSelection);
            frame_.Text(sx, ty, selected, kSelectionText);
        }
        if (focused && enabled && state_.caretOn)
            frame_.VLine(tx + caretX, ty, FrameBuffer::TextHeight(), kText);
        frame_.SetClip(saved);
        return;
    }
    if (auto* memo = dynamic_cast<const ui::Memo*>(&control)) {
        Rgb back = FromColor(memo->BackColor);
        frame_.Fill(r, back);
        if (back != kFace)
            frame_.DrawBevel(r, Bevel::Sunken);
        MemoGeometry g = MemoLayout(*memo, r);
        int scroll = 0;
        if (state_.memoScroll)
            if (auto it = state_.memoScroll->find(memo); it != state_.memoScroll->end())
                scroll = std::clamp(it->second, 0, g.maxScroll);
        Rect saved = frame_.Clip();
        frame_.SetClip(saved.Intersect(g.text));
        int lineHeight = FrameBuffer::TextHeight();
        int y = g.text.y + 1;
        for (std::size_t i = std::size_t(scroll); i < memo->Count() && y < g.text.Bottom(); ++i, y += lineHeight)
            frame_.Text(g.text.x + 2, y, memo->Line(i), enabled ? kText : kGrayText);
        frame_.SetClip(saved);
        if (!g.bar.Empty()) {
            ui::ScrollBar bar;
            bar.kind = ui::ScrollBar::Kind::Vertical;
            bar.SetRange(0, g.maxScroll);
            bar.SetPosition(scroll);
            PaintControl(bar, g.bar);
        }
        return;
    }
    if (auto* label = dynamic_cast<const ui::Label*>(&control)) {
        std::string text = StripAccelerator(label->Caption);
        int width = FrameBuffer::TextWidth(text);
        int tx = r.x;
        if (label->Alignment == ui::TextAlign::Right)
            tx = r.Right() - width;
        else if (label->Alignment == ui::TextAlign::Center)
            tx = r.x + (r.w - width) / 2;
        enabled ? frame_.Text(tx, r.y, text, FromColor(label->FontColor)) : DisabledText(tx, r.y, text);
        return;
    }
    if (auto* group = dynamic_cast<const ui::GroupBox*>(&control)) {
        frame_.Fill(r, FromColor(group->BackColor));
        int th = FrameBuffer::TextHeight();
        frame_.DrawBevel(Rect{r.x, r.y + th / 2, r.w, r.h - th / 2}, Bevel::Etched);
        if (!group->Caption.empty()) {
            std::string text = StripAccelerator(group->Caption);
            int tw = FrameBuffer::TextWidth(text);
            frame_.Fill(Rect{r.x + 6, r.y, tw + 4, th}, FromColor(group->BackColor));
            enabled ? frame_.Text(r.x + 8, r.y, text, kText) : DisabledText(r.x + 8, r.y, text);
        }
        return;
    }
    if (auto* panel = dynamic_cast<const ui::Panel*>(&control)) {
        frame_.Fill(r, FromColor(panel->BackColor));
        const ui::PanelPicture& picture = panel->Picture;
        if (picture.width > 0 && picture.height > 0 &&
            picture.pixels.size() == std::size_t(picture.width) * std::size_t(picture.height)) {
            // A video's frame covers the panel from its top-left corner, cut to the panel.
            const int w = std::min(picture.width, r.w), h = std::min(picture.height, r.h);
            if (w == picture.width && h == picture.height) {
                frame_.CopyPixels(picture.pixels, w, h, r.x, r.y);
            } else if (w > 0 && h > 0) {
                std::vector<Rgb> part(std::size_t(w) * std::size_t(h));
                for (int y = 0; y < h; ++y)
                    std::copy_n(picture.pixels.begin() + std::ptrdiff_t(y) * picture.width, w,
                                part.begin() + std::ptrdiff_t(y) * w);
                frame_.CopyPixels(part, w, h, r.x, r.y);
            }
            return;
        }
        if (panel->Bevel)
            frame_.DrawBevel(r, Bevel::RaisedThin);
        if (!panel->Caption.empty()) {
            std::string text = StripAccelerator(panel->Caption);
            int tx = r.x + (r.w - FrameBuffer::TextWidth(text)) / 2;
            int ty = r.y + (r.h - FrameBuffer::TextHeight()) / 2;
            frame_.Text(tx, ty, text, kText);
        }
        return;
    }
    if (auto* bar = dynamic_cast<const ui::ScrollBar*>(&control)) {
        ScrollBarGeometry g = ScrollBarLayout(*bar, r);
        bool horizontal = bar->kind == ui::ScrollBar::Kind::Horizontal;
        frame_.Fill(g.track, kScrollTrack);
        bool active = enabled && bar->Max() > bar->Min();
        frame_.Fill(g.back, kFace);
        frame_.DrawBevel(g.back, Bevel::Raised);
        PaintArrow(g.back, horizontal ? 3 : 0, active);
        frame_.Fill(g.forward, kFace);
        frame_.DrawBevel(g.forward, Bevel::Raised);
        PaintArrow(g.forward, horizontal ? 1 : 2, active);
        if (active && !g.thumb.Empty()) {
            frame_.Fill(g.thumb, kFace);
            frame_.DrawBevel(g.thumb, Bevel::Raised);
        }
        return;
    }
    if (auto* updown = dynamic_cast<const ui::UpDown*>(&control)) {
        for (int half = 0; half < 2; ++half) {
            Rect part = half == 0 ? UpDownUpper(r) : UpDownLower(r);
            frame_.Fill(part, kFace);
            frame_.DrawBevel(part, Bevel::Raised);
            PaintArrow(part, half == 0 ? 0 : 2, enabled);
        }
        (void)updown;
        return;
    }
    if (auto* track = dynamic_cast<const ui::TrackBar*>(&control)) {
        Rect thumb = TrackBarThumb(*track, r);
        int cy = r.y + r.h / 2;
        Rect channel{r.x + 6, cy - 2, r.w - 12, 4};
        frame_.Fill(channel, kTrackChannel);
        frame_.DrawBevel(channel, Bevel::SunkenThin);
        // Ticks above and below the channel, one for each step of Frequency.
        int freq = std::max(1, track->Frequency);
        for (int p = track->Min(); p <= track->Max(); p += freq) {
            int x = r.x + 8 + int(std::int64_t(p - track->Min()) * std::max(1, r.w - 16) / Span(track->Min(), track->Max()));
            frame_.VLine(x, thumb.y - 4, 3, kText);
            frame_.VLine(x, thumb.Bottom() + 1, 3, kText);
        }
        frame_.Fill(thumb, kFace);
        frame_.DrawBevel(thumb, Bevel::Raised);
        if (focused)
            frame_.FocusRect(r, kText);
        return;
    }
    if (auto* image = dynamic_cast<const ui::Image*>(&control)) {
        const Image* picture = image->PicturePath.empty() ? nullptr : images_.File(image->PicturePath);
        if (!picture)
            return;
        if (image->Stretch)
            frame_.StretchBlit(*picture, r);
        else
            frame_.Blit(*picture, r.x, r.y, false);
        return;
    }
    if (auto* box = dynamic_cast<const ui::PaintBox*>(&control)) {
        frame_.CopyPixels(box->Pixels, box->Width, box->Height, r.x, r.y);
        return;
    }
    // A plain control: its background only.
    frame_.Fill(r, FromColor(control.BackColor));
}

} // namespace paint
