// Virtual key codes and shift states of keyboard and mouse events.
#pragma once

#include <cstdint>

namespace ui {

// Key codes as the original platform numbered them, so handlers read as before.
enum Key : std::uint16_t {
    VK_NONE = 0,
    VK_BACK = 8,
    VK_TAB = 9,
    VK_RETURN = 13,
    VK_SHIFT = 16,
    VK_CONTROL = 17,
    VK_MENU = 18,
    VK_ESCAPE = 27,
    VK_SPACE = 32,
    VK_PRIOR = 33,
    VK_NEXT = 34,
    VK_END = 35,
    VK_HOME = 36,
    VK_LEFT = 37,
    VK_UP = 38,
    VK_RIGHT = 39,
    VK_DOWN = 40,
    VK_INSERT = 45,
    VK_DELETE = 46,
    VK_F1 = 112,
    VK_F2 = 113,
    VK_F3 = 114,
    VK_F4 = 115,
    VK_F5 = 116,
    VK_F6 = 117,
    VK_F12 = 123,
};

using ShiftState = std::uint8_t;
constexpr ShiftState ssShift = 1;
constexpr ShiftState ssAlt = 2;
constexpr ShiftState ssCtrl = 4;
constexpr ShiftState ssLeft = 8;
constexpr ShiftState ssRight = 16;
constexpr ShiftState ssMiddle = 32;
constexpr ShiftState ssDouble = 64;

enum class MouseButton { Left, Right, Middle };

// A key name as the driver and shortcuts write it ("F2", "Up", "Enter", "A"), or
// VK_NONE when the name is unknown.
std::uint16_t KeyFromName(const char* name);

// A shortcut: a key with its shift state, as menu items carry them.
struct ShortCut {
    std::uint16_t key = VK_NONE;
    ShiftState shift = 0;
    bool operator==(const ShortCut&) const = default;
};

} // namespace ui
