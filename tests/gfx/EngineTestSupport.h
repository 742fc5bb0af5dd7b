// What the engine's test programs share: bitmap files drawn by a function, 5-6-5
// pixels, and the error an engine call raises, as text.
#pragma once

#include "gfx/Errors.h"
#include "platform/gdi/Bmp.h"
#include "platform/gdi/Gdi.h"
#include "platform/ui/Exception.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace enginetest {

// width x height 24-bit bitmap whose pixels come from f(x, y) (0x00RRGGBB).
inline std::vector<std::uint8_t> Bmp24(int width, int height, const std::function<std::uint32_t(int, int)>& f) {
    std::vector<std::uint32_t> pixels(std::size_t(width) * std::size_t(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)] = f(x, y);
    return gdi::EncodeBmp24(width, height, pixels);
}

// 565 value of an 0x00RRGGBB colour.
inline std::uint32_t P16(std::uint32_t rgb) {
    return gdi::ColorToPixel(gdi::RGB(gdi::BYTE(rgb >> 16), gdi::BYTE(rgb >> 8), gdi::BYTE(rgb)), 16);
}

// Runs f and names what it raised: "EDDError: ..." or "Exception: ...", else "no error".
template <typename F> std::string ErrorOf(F&& f) {
    try {
        f();
    } catch (const gfx::EDDError& e) {
        return std::string("EDDError: ") + e.what();
    } catch (const ui::Exception& e) {
        return std::string("Exception: ") + e.what();
    }
    return "no error";
}

} // namespace enginetest
