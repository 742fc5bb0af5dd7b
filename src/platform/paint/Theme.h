// The colours and sizes of the classic grey desktop look that every widget is painted in.
#pragma once

#include <cstdint>

namespace paint {

// Frame pixels are 0x00RRGGBB.
using Rgb = std::uint32_t;

namespace theme {

constexpr Rgb kFace = 0xC0C0C0;        // silver: button faces, menus, dialogs
constexpr Rgb kHighlight = 0xFFFFFF;   // the lit edge of a bevel
constexpr Rgb kLight = 0xDFDFDF;       // the inner lit edge
constexpr Rgb kShadow = 0x808080;      // the inner dark edge
constexpr Rgb kDarkShadow = 0x000000;  // the outer dark edge
constexpr Rgb kText = 0x000000;
constexpr Rgb kGrayText = 0x808080;
constexpr Rgb kWindow = 0xFFFFFF;      // edit boxes
constexpr Rgb kTitle = 0x000080;       // navy title bars and menu selection
constexpr Rgb kTitleText = 0xFFFFFF;
constexpr Rgb kSelection = 0x000080;
constexpr Rgb kSelectionText = 0xFFFFFF;
constexpr Rgb kHintBack = 0xFFFFE1;    // pale yellow hint boxes
constexpr Rgb kLabelBlue = 0x0000FF;
constexpr Rgb kTrackChannel = 0xFFFFFF;
constexpr Rgb kScrollTrack = 0xE0E0E0;

// The menu bar above the client area.
constexpr int kMenuBarHeight = 20;
// Drop-down menus.
constexpr int kMenuItemHeight = 17;
constexpr int kMenuSeparatorHeight = 9;
constexpr int kMenuBorder = 3;
// Windows of modal forms and message boxes.
constexpr int kWindowBorder = 3;
constexpr int kTitleHeight = 18;
// Scroll bar arrows are square: the bar's thickness.
constexpr int kMinThumb = 8;
// Hints show after the pointer rests this long and go after this long.
constexpr int kHintDelayMs = 500;
constexpr int kHintShowMs = 4000;

} // namespace theme
} // namespace paint
