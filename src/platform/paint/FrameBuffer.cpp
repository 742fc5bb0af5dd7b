// Clipped drawing on a 32-bit frame; text goes through the GDI stand-in's font.
#include "platform/paint/FrameBuffer.h"

#include "platform/gdi/Gdi.h"

#include <cctype>

namespace paint {

namespace {

gdi::COLORREF ToColorRef(Rgb rgb) { return gdi::RGB(gdi::BYTE(rgb >> 16), gdi::BYTE(rgb >> 8), gdi::BYTE(rgb)); }

} // namespace

FrameBuffer::FrameBuffer(int width, int height, Rgb fill) { Resize(width, height, fill); }

void FrameBuffer::Resize(int width, int height, Rgb fill) {
    width_ = std::max(0, width);
    height_ = std::max(0, height);
    pixels_.assign(std::size_t(width_) * std::size_t(height_), fill);
    ResetClip();
}

Rgb FrameBuffer::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return 0;
    return pixels_[std::size_t(y) * std::size_t(width_) + std::size_t(x)];
}

void FrameBuffer::SetClip(const Rect& clip) { clip_ = clip.Intersect(Rect{0, 0, width_, height_}); }

void FrameBuffer::ResetClip() { clip_ = Rect{0, 0, width_, height_}; }

void FrameBuffer::Put(int x, int y, Rgb colour) {
    if (clip_.Contains(x, y))
        pixels_[std::size_t(y) * std::size_t(width_) + std::size_t(x)] = colour;
}

void FrameBuffer::Fill(const Rect& r, Rgb colour) {
    Rect c = r.Intersect(clip_);
    if (c.Empty())
        return;
    for (int y = c.y; y < c.Bottom(); ++y) {
        Rgb* row = pixels_.data() + std::size_t(y) * std::size_t(width_);
        std::fill(row + c.x, row + c.Right(), colour);
    }
}

void FrameBuffer::HLine(int x, int y, int length, Rgb colour) { Fill(Rect{x, y, length, 1}, colour); }

void FrameBuffer::VLine(int x, int y, int length, Rgb colour) { Fill(Rect{x, y, 1, length}, colour); }

void FrameBuffer::Frame(const Rect& r, Rgb colour) {
    if (r.Empty())
        return;
    HLine(r.x, r.y, r.w, colour);
    HLine(r.x, r.Bottom() - 1, r.w, colour);
    VLine(r.x, r.y, r.h, colour);
    VLine(r.Right() - 1, r.y, r.h, colour);
}

void FrameBuffer::DrawBevel(const Rect& r, Bevel bevel) {
    if (r.Empty())
        return;
    // Each edge pair is drawn top-left first, then bottom-right, so the corners
    // belong to the bottom-right colour as the classic look has it.
    auto edge = [&](const Rect& e, Rgb topLeft, Rgb bottomRight) {
        HLine(e.x, e.y, e.w, topLeft);
        VLine(e.x, e.y, e.h, topLeft);
        HLine(e.x, e.Bottom() - 1, e.w, bottomRight);
        VLine(e.Right() - 1, e.y, e.h, bottomRight);
    };
    using namespace theme;
    switch (bevel) {
    case Bevel::Raised:
        edge(r, kHighlight, kDarkShadow);
        edge(r.Inflated(-1), kLight, kShadow);
        break;
    case Bevel::Sunken:
        edge(r, kShadow, kHighlight);
        edge(r.Inflated(-1), kDarkShadow, kLight);
        break;
    case Bevel::RaisedThin:
        edge(r, kHighlight, kShadow);
        break;
    case Bevel::SunkenThin:
        edge(r, kShadow, kHighlight);
        break;
    case Bevel::Pressed:
        Frame(r, kDarkShadow);
        Frame(r.Inflated(-1), kShadow);
        break;
    case Bevel::Etched:
        Frame(Rect{r.x, r.y, r.w - 1, r.h - 1}, kShadow);
        edge(Rect{r.x + 1, r.y + 1, r.w - 1, r.h - 1}, kHighlight, kHighlight);
        HLine(r.x + 1, r.y + 1, r.w - 3, kHighlight);
        break;
    }
}

void FrameBuffer::FocusRect(const Rect& r, Rgb colour) {
    for (int x = r.x; x < r.Right(); x += 2) {
        Put(x, r.y, colour);
        Put(x, r.Bottom() - 1, colour);
    }
    for (int y = r.y; y < r.Bottom(); y += 2) {
        Put(r.x, y, colour);
        Put(r.Right() - 1, y, colour);
    }
}

void FrameBuffer::Text(int x, int y, const std::string& text, Rgb colour) {
    if (text.empty() || clip_.Empty())
        return;
    // A DC on the clip rectangle's pixels cuts the text at the clip's edges.
    gdi::PixelTarget target;
    target.bits = reinterpret_cast<std::uint8_t*>(pixels_.data() + std::size_t(clip_.y) * std::size_t(width_) +
                                                  std::size_t(clip_.x));
    target.width = clip_.w;
    target.height = clip_.h;
    target.pitch = width_ * 4;
    target.bitsPerPixel = 32;
    gdi::HDC dc = gdi::CreateDCOnPixels(target);
    if (!dc)
        return;
    gdi::SetBkMode(dc, gdi::TRANSPARENT);
    gdi::SetTextColor(dc, ToColorRef(colour));
    gdi::TextOut(dc, x - clip_.x, y - clip_.y, text, int(text.size()));
    gdi::DeleteDC(dc);
}

int FrameBuffer::TextWidth(const std::string& text) {
    static FrameBuffer probe(1, 1);
    gdi::PixelTarget target{reinterpret_cast<std::uint8_t*>(probe.pixels_.data()), 1, 1, 4, 32};
    gdi::HDC dc = gdi::CreateDCOnPixels(target);
    gdi::SIZE size;
    gdi::GetTextExtentPoint32(dc, text, int(text.size()), &size);
    gdi::DeleteDC(dc);
    return int(size.cx);
}

int FrameBuffer::TextHeight() {
    static int height = [] {
        FrameBuffer probe(1, 1);
        gdi::PixelTarget target{reinterpret_cast<std::uint8_t*>(probe.pixels_.data()), 1, 1, 4, 32};
        gdi::HDC dc = gdi::CreateDCOnPixels(target);
        gdi::SIZE size;
        gdi::GetTextExtentPoint32(dc, "Ag", 2, &size);
        gdi::DeleteDC(dc);
        return int(size.cy);
    }();
    return height;
}

void FrameBuffer::Blit(const Image& image, int x, int y, bool colourKey) {
    Rect c = Rect{x, y, image.width, image.height}.Intersect(clip_);
    for (int py = c.y; py < c.Bottom(); ++py)
        for (int px = c.x; px < c.Right(); ++px) {
            Rgb p = image.At(px - x, py - y);
            if (colourKey && p == kColourKey)
                continue;
            pixels_[std::size_t(py) * std::size_t(width_) + std::size_t(px)] = p;
        }
}

void FrameBuffer::StretchBlit(const Image& image, const Rect& r) {
    if (image.Empty() || r.Empty())
        return;
    Rect c = r.Intersect(clip_);
    for (int py = c.y; py < c.Bottom(); ++py) {
        int sy = int(std::int64_t(py - r.y) * image.height / r.h);
        for (int px = c.x; px < c.Right(); ++px) {
            int sx = int(std::int64_t(px - r.x) * image.width / r.w);
            pixels_[std::size_t(py) * std::size_t(width_) + std::size_t(px)] = image.At(sx, sy);
        }
    }
}

void FrameBuffer::CopyPixels(const std::vector<Rgb>& pixels, int width, int height, int x, int y) {
    if (pixels.size() < std::size_t(width) * std::size_t(height))
        return;
    Rect c = Rect{x, y, width, height}.Intersect(clip_);
    for (int py = c.y; py < c.Bottom(); ++py) {
        const Rgb* src = pixels.data() + std::size_t(py - y) * std::size_t(width) + std::size_t(c.x - x);
        std::copy(src, src + c.w, pixels_.data() + std::size_t(py) * std::size_t(width_) + std::size_t(c.x));
    }
}

std::string StripAccelerator(const std::string& caption) {
    std::string out;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&') {
            if (i + 1 < caption.size() && caption[i + 1] == '&')
                out += '&', ++i;
            continue;
        }
        out += caption[i];
    }
    return out;
}

char AcceleratorOf(const std::string& caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&')
            continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        return char(std::toupper(static_cast<unsigned char>(caption[i + 1])));
    }
    return 0;
}

} // namespace paint
