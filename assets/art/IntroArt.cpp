// The frames of the intro videos, painted like the rest of the art and put into the
// game's palette.
#include "IntroArt.h"

#include "ArtPainters.h"
#include "PixelFont.h"

#include <algorithm>
#include <cmath>

namespace art {
namespace {

double Clamp01(double v) { return std::clamp(v, 0.0, 1.0); }
// Slows down into its end, with a small bounce past it.
double EaseOutBack(double t) {
    const double c = 1.7;
    const double u = t - 1.0;
    return 1.0 + (c + 1.0) * u * u * u + c * u * u;
}

IndexedImage Indexed(const Canvas& canvas) {
    return IndexedImage{canvas.Width(), canvas.Height(), canvas.ToIndices(Palette::Game())};
}

// Averages a picture down to a smaller size: each target pixel is the mean of the
// source area it covers, partly covered pixels counting by the part they cover.
Canvas Shrink(const Canvas& source, int width, int height) {
    Canvas out(width, height);
    const double sx = double(source.Width()) / width, sy = double(source.Height()) / height;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            double r = 0, g = 0, b = 0, total = 0;
            const double x0 = x * sx, x1 = (x + 1) * sx, y0 = y * sy, y1 = (y + 1) * sy;
            for (int py = int(y0); py < int(std::ceil(y1)); ++py)
                for (int px = int(x0); px < int(std::ceil(x1)); ++px) {
                    const double wx = std::min<double>(px + 1, x1) - std::max<double>(px, x0);
                    const double wy = std::min<double>(py + 1, y1) - std::max<double>(py, y0);
                    const double weight = wx * wy;
                    if (weight <= 0 || !source.Inside(px, py)) continue;
                    const Rgb c = source.At(px, py);
                    r += c.r * weight, g += c.g * weight, b += c.b * weight, total += weight;
                }
            const Rgb mean{std::uint8_t(std::lround(r / total)), std::uint8_t(std::lround(g / total)),
                           std::uint8_t(std::lround(b / total))};
            out.Set(x, y, Dither(mean, x, y, 10));
        }
    return out;
}

// One letter of the studio's name: a shadow, a dark rim and a gold face.
void StudioLetter(Canvas& c, char letter, int x, int y, int scale, double shine) {
    const std::string text(1, letter);
    PixelFont::Trace(text, x + 3, y + 3, scale, [&](int px, int py) { c.Set(px, py, Rgb{4, 4, 10}); });
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx)
            if (std::abs(dx) + std::abs(dy) <= 3)
                PixelFont::Trace(text, x + dx, y + dy, scale, [&](int px, int py) { c.Set(px, py, Rgb{60, 30, 16}); });
    const int h = 7 * scale;
    PixelFont::Trace(text, x, y, scale, [&](int px, int py) {
        const double t = double(py - y) / h;
        Rgb face = Mix(Rgb{255, 244, 170}, Rgb{236, 150, 30}, t);
        if (t > 0.45 && t < 0.52) face = Rgb{255, 250, 220};
        // The light sweeping across: a slanted band.
        const double band = std::abs((px - shine) + (py - y) * 0.6);
        if (band < 9) face = Mix(face, Rgb{255, 255, 250}, 1.0 - band / 9.0);
        c.Set(px, py, face);
    });
}

} // namespace

IntroVideo PaintStudioVideo() {
    constexpr int kW = 420, kH = 60, kFrames = 24, kScale = 6;
    IntroVideo video{"qor.avi", 15, {}};
    const std::string name = "QOR";
    const int nameW = PixelFont::Width(name, kScale) - kScale;
    const int x0 = (kW - nameW) / 2, y0 = 4;
    const std::string motto = "PRESENTS";
    const int mottoW = PixelFont::Width(motto, 1) - 1;
    for (int f = 0; f < kFrames; ++f) {
        Canvas c(kW, kH);
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x) {
                // Night blue, a little lighter behind the name; it stays still, so
                // that each frame stores only what moves.
                const double glow = std::exp(-std::pow((x - kW / 2.0) / 150.0, 2) - std::pow((y - 26.0) / 40.0, 2));
                const Rgb bg = Mix(Rgb{8, 10, 22}, Rgb{30, 36, 70}, glow);
                c.Set(x, y, Dither(bg, x, y, 6));
            }
        // A gold rule grows out from the middle under the name.
        const double grow = Clamp01((f - 5) / 8.0);
        const int half = int(std::lround(150 * (1 - (1 - grow) * (1 - grow))));
        for (int x = kW / 2 - half; x < kW / 2 + half; ++x) {
            const double fade = 1.0 - std::abs(x - kW / 2.0) / 160.0;
            c.Set(x, 50, Mix(Rgb{30, 36, 70}, Rgb{236, 180, 60}, fade));
        }
        // The letters drop in one after the other.
        const double shine = x0 - 40 + (nameW + 80) * Clamp01((f - 12) / 8.0);
        for (int i = 0; i < int(name.size()); ++i) {
            const double t = Clamp01((f - 1 - 3 * i) / 4.0);
            if (t <= 0) continue;
            const int drop = int(std::lround(-48 * (1.0 - EaseOutBack(t))));
            StudioLetter(c, name[std::size_t(i)], x0 + i * 6 * kScale, y0 + drop, kScale, f >= 12 && f <= 20 ? shine : -1000);
        }
        // The word under the rule is spelt out.
        const int shown = std::clamp(f - 13, 0, int(motto.size()));
        PixelFont::Draw(c, motto.substr(0, std::size_t(shown)), (kW - mottoW) / 2, 52, 1, Rgb{170, 190, 230});
        video.frames.push_back(Indexed(c));
    }
    return video;
}

IntroVideo PaintTitleVideo() {
    constexpr int kFrames = 51;
    IntroVideo video{"city_title.avi", 15, {}};
    // The last frames hold the finished title, the picture that follows the video.
    for (int f = 0; f < kFrames; ++f)
        video.frames.push_back(Indexed(Shrink(PaintTitleBuilding(std::min(1.0, f / 44.0)), 250, 250)));
    return video;
}

} // namespace art
