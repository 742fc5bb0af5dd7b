// Paints a tree of widgets in the classic grey look, and the geometry of their parts.
#pragma once

#include "platform/paint/FrameBuffer.h"
#include "platform/paint/ImageCache.h"

#include <map>

namespace ui {
class Control;
class Memo;
class ScrollBar;
class TrackBar;
class UpDown;
} // namespace ui

namespace paint {

// Converts a toolkit colour (0x00BBGGRR) to a frame pixel (0x00RRGGBB).
constexpr Rgb FromColor(std::uint32_t bgr) {
    return ((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF);
}

// What the pointer and the keyboard are doing to the widgets being painted.
struct PaintState {
    const ui::Control* hovered = nullptr;
    const ui::Control* pressed = nullptr; // held down under the pointer
    const ui::Control* focused = nullptr;
    bool caretOn = true;                  // the caret's blink phase
    // How many lines each list is scrolled down by (none: at the top).
    const std::map<const ui::Memo*, int>* memoScroll = nullptr;
};

// A list longer than its window shows a scroll bar along its right side.
struct MemoGeometry {
    Rect text;       // where the lines stand
    Rect bar;        // empty when every line fits
    int visibleRows = 0;
    int maxScroll = 0;
};
MemoGeometry MemoLayout(const ui::Memo& memo, const Rect& r);

// The parts of a scroll bar that a click can hit.
enum class ScrollPart { None, LineBack, PageBack, Thumb, PageForward, LineForward };

struct ScrollBarGeometry {
    Rect back, forward;   // the two arrow buttons
    Rect track;           // between the arrows
    Rect thumb;
};
ScrollBarGeometry ScrollBarLayout(const ui::ScrollBar& bar, const Rect& r);
ScrollPart ScrollBarPartAt(const ui::ScrollBar& bar, const Rect& r, int x, int y);
// The position a thumb dragged so that its leading edge is at the given offset along
// the track takes.
int ScrollBarPositionAt(const ui::ScrollBar& bar, const Rect& r, int thumbStart);

// Up-downs stand upright: the upper half steps up, the lower half down.
Rect UpDownUpper(const Rect& r);
Rect UpDownLower(const Rect& r);

// A horizontal track bar: the channel runs between the thumb's half-widths.
Rect TrackBarThumb(const ui::TrackBar& bar, const Rect& r);
int TrackBarPositionAt(const ui::TrackBar& bar, const Rect& r, int x);

class WidgetPainter {
public:
    WidgetPainter(FrameBuffer& frame, ImageCache& images, const PaintState& state)
        : frame_(frame), images_(images), state_(state) {}

    // Paints the control at r (frame coordinates), then its showing children, each
    // offset by its Left and Top and clipped to the parent.
    void PaintTree(const ui::Control& control, const Rect& r);
    // Paints one control without its children.
    void PaintControl(const ui::Control& control, const Rect& r);

    // A window frame with a navy title bar around a client rectangle.
    void PaintWindowFrame(const Rect& client, const std::string& caption, bool active);
    static Rect WindowRectOf(const Rect& client);

    // A button face with its caption, as push buttons and the boxes' buttons look.
    void PaintButtonFace(const Rect& r, const std::string& caption, bool pressed, bool enabled, bool isDefault,
                         bool focused);
    // Text in the disabled look: embossed grey.
    void DisabledText(int x, int y, const std::string& text);

private:
    void PaintArrow(const Rect& r, int direction, bool enabled); // 0 up, 1 right, 2 down, 3 left

    FrameBuffer& frame_;
    ImageCache& images_;
    const PaintState& state_;
};

} // namespace paint
