// The outline of a drag before it is built: the start cell, the footprints of the
// objects it would lay (red where it would be refused) and its total price.
#pragma once

#include "city/DragPlan.h"

#include <cstdint>
#include <optional>

namespace paint {
class Desktop;
class FrameBuffer;
struct Rect;
} // namespace paint

class TMainForm;

class DragPreview {
public:
    explicit DragPreview(const TMainForm& form) : form_(form) {}

    // The corners of the drag shown now: the stored shift-click start, or the cell a
    // held press began on, and the cell under the cursor. Empty when no drag is under way.
    struct Corners {
        TGridPos start;
        std::optional<TGridPos> end;
    };
    std::optional<Corners> Current() const;

    // Draws the preview over the map in the window's client area.
    void Paint(paint::FrameBuffer& frame, const paint::Rect& client) const;
    // Changes whenever the drawing would.
    std::uint64_t Signature() const;
    // Has the desktop draw the preview over the display's picture.
    void InstallOn(paint::Desktop& desktop) const;

private:
    const TMainForm& form_;
};
