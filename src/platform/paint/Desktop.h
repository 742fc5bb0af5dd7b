// The toolkit's screen as the player sees it: it composes the main window with its menu
// bar, the display's picture, the dialogs, open menus, message boxes, the hint and the
// pointer into a frame. Input reaches the widgets through the routing it is built on.
#pragma once

#include "platform/paint/DesktopRouter.h"
#include "platform/paint/FrameBuffer.h"
#include "platform/paint/ImageCache.h"
#include "platform/paint/WidgetPainter.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace paint {

class Desktop : public DesktopRouter {
public:
    explicit Desktop(int screenWidth = 640, int screenHeight = 480);

    void SetMainForm(ui::Form* form);

    // When the display's picture covers the client area: Auto shows it once the
    // display has drawn on the virtual screen after the main window appeared (until
    // then the window's own background shows, as on the original desktop).
    enum class DisplayLayer { Auto, Always, Never };
    DisplayLayer displayLayer = DisplayLayer::Auto;
    bool DisplayShown() const;

    // Whether Paint draws the pointer (a real window may let the system draw it).
    bool paintCursor = true;

    // What the game draws over the display's picture, under the main window's widgets
    // (the outline of a drag), clipped to the client area; and a number that changes
    // whenever that drawing would.
    std::function<void(FrameBuffer& frame, const Rect& client)> paintOverDisplay;
    std::function<std::uint64_t()> overDisplaySignature;

    // ---- composition
    void Paint(FrameBuffer& frame, std::uint64_t nowMs);
    // Paints a frame and writes it as a PNG file (a screenshot with every widget on
    // it, as the player would see it); false with a reason when it cannot be written.
    bool SaveScreenshot(const std::string& path, std::uint64_t nowMs, std::string* error = nullptr);
    // Changes whenever the next frame would look different: the widgets' state, the
    // open menus and boxes, the hint, the caret's blink and the virtual screen.
    std::uint64_t Signature(std::uint64_t nowMs) const;
    // When the picture may next change without any input: the next step of Tick or
    // the caret's next blink; the largest time when nothing waits.
    std::uint64_t NextChangeDue(std::uint64_t nowMs) const;

    ImageCache& Images() { return images_; }

private:
    // Whether an edit box shows a blinking caret.
    bool CaretShown() const;
    void PaintMenuColumn(FrameBuffer& frame, const MenuColumn& column) const;
    void PaintMenuBar(FrameBuffer& frame) const;
    void PaintCursor(FrameBuffer& frame);
    void PaintHint(FrameBuffer& frame) const;

    ImageCache images_;
    // The virtual screen as last painted; only its changed rows are converted again.
    std::vector<std::uint32_t> screenPixels_;
    int screenWidth_ = 0, screenHeight_ = 0;
    std::uint64_t screenReadAt_ = 0;

    // The display's picture: the virtual screen generation when the main window appeared.
    void TrackDisplay() const;
    mutable std::optional<std::uint64_t> shownAtGeneration_;
};

} // namespace paint
