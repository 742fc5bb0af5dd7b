// A 32-bit picture that widgets are painted into: fills, bevels, text and images, all clipped.
#pragma once

#include "platform/paint/Geometry.h"
#include "platform/paint/Theme.h"

#include <cstdint>
#include <string>
#include <vector>

namespace paint {

// A decoded picture (0x00RRGGBB, rows top-down).
struct Image {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;
    bool Empty() const { return width <= 0 || height <= 0; }
    Rgb At(int x, int y) const { return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
};

// Purple marks the transparent pixels of every picture, glyph and cursor.
constexpr Rgb kColourKey = 0x800080;

enum class Bevel {
    Raised,       // buttons and panels: light top-left, dark bottom-right, two pixels
    Sunken,       // edit boxes and lists: the reverse, two pixels
    RaisedThin,   // one-pixel raised edge (menus' items, speed buttons at rest)
    SunkenThin,   // one-pixel sunken edge (status panels)
    Pressed,      // a button held down: dark frame, shadow inside
    Etched,       // group box frames: a groove
};

class FrameBuffer {
public:
    FrameBuffer() = default;
    FrameBuffer(int width, int height, Rgb fill = 0);

    void Resize(int width, int height, Rgb fill = 0);
    int Width() const { return width_; }
    int Height() const { return height_; }
    std::vector<Rgb>& Pixels() { return pixels_; }
    const std::vector<Rgb>& Pixels() const { return pixels_; }
    Rgb At(int x, int y) const;

    // Everything drawn is cut to the clip rectangle (the whole frame by default).
    void SetClip(const Rect& clip);
    void ResetClip();
    const Rect& Clip() const { return clip_; }

    void Put(int x, int y, Rgb colour);
    void Fill(const Rect& r, Rgb colour);
    // A one-pixel outline.
    void Frame(const Rect& r, Rgb colour);
    void HLine(int x, int y, int length, Rgb colour);
    void VLine(int x, int y, int length, Rgb colour);
    void DrawBevel(const Rect& r, Bevel bevel);
    // A dotted one-pixel outline (the focus rectangle).
    void FocusRect(const Rect& r, Rgb colour);

    // Text in the toolkit's font with its top-left corner at (x, y); the background
    // shows through.
    void Text(int x, int y, const std::string& text, Rgb colour);
    static int TextWidth(const std::string& text);
    static int TextHeight();

    // Copies an image; with colourKey purple pixels are left out.
    void Blit(const Image& image, int x, int y, bool colourKey);
    // Draws an image scaled to the rectangle (nearest pixel).
    void StretchBlit(const Image& image, const Rect& r);
    // Copies raw pixels of the given size (the virtual screen) to (x, y).
    void CopyPixels(const std::vector<Rgb>& pixels, int width, int height, int x, int y);

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<Rgb> pixels_;
    Rect clip_;
};

// A menu caption without its '&' markers ("&File" shows as "File"); "&&" is an ampersand.
std::string StripAccelerator(const std::string& caption);
// The letter after the '&' of a caption, upper-cased, or 0.
char AcceleratorOf(const std::string& caption);

} // namespace paint
