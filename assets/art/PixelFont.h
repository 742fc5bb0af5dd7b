// A small hand-made bitmap font (5 x 7 cells) for the title and the frame.
#pragma once

#include "Canvas.h"

#include <string>

namespace art {

class PixelFont {
public:
    // Whether cell (col, row) of a character's 5 x 7 glyph is set; lower case is drawn as upper case.
    static bool Cell(char c, int col, int row);
    // Width in pixels of a text at the given scale (characters 6 cells apart).
    static int Width(const std::string& text, int scale);
    // Calls paint(x, y) for every pixel of the text with its top-left corner at (x, y).
    template <typename Paint>
    static void Trace(const std::string& text, int x, int y, int scale, Paint paint) {
        int penX = x;
        for (char c : text) {
            for (int row = 0; row < 7; ++row)
                for (int col = 0; col < 5; ++col)
                    if (Cell(c, col, row))
                        for (int sy = 0; sy < scale; ++sy)
                            for (int sx = 0; sx < scale; ++sx) paint(penX + col * scale + sx, y + row * scale + sy);
            penX += 6 * scale;
        }
    }
    static void Draw(Canvas& canvas, const std::string& text, int x, int y, int scale, Rgb colour);
};

} // namespace art
