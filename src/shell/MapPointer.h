// The real pointer over the map: it picks the tile under it, turns a press, a move and
// a release into a click or a drag, and lets Escape or the right button forget a drag.
#pragma once

#include "city/CityTypes.h"
#include "platform/ui/Keys.h"

#include <optional>

class TMainForm;

// The main window's mouse events go through here. The mouse mapping itself is left
// as it is: the pointer is translated to a point of the band of the tile under it,
// and the mapping is fed that point.
class MapPointer {
public:
    explicit MapPointer(TMainForm& form) : form_(form) {}

    void Move(ui::ShiftState shift, int x, int y);
    // A shift-press acts at once, as the shift-click of a drag; a plain press waits
    // for its release: on the same tile it is a click, on another tile the drag
    // between the two. The right button forgets a stored drag start.
    void Down(ui::MouseButton button, ui::ShiftState shift, int x, int y);
    void Up(ui::MouseButton button, ui::ShiftState shift, int x, int y);
    // Escape: forgets the drag's stored start and a press held on the map.
    void Forget();

    // The cell a plain press began on, while the button is held.
    std::optional<TGridPos> PressCell() const { return press_ ? std::optional<TGridPos>(press_->cell) : std::nullopt; }

private:
    // Feeds the mapping the band point of the tile under client pixel (x, y); with no
    // tile there the cursor leaves the map.
    void Point(int x, int y);
    // Whether a visible widget of the window covers client pixel (x, y).
    bool Covered(int x, int y) const;
    // Clicks the cell a band point picks, as the mapping and the tool handle it.
    void ClickAt(int bandX, int bandY, bool shift);
    // Under the query report of a zone cell, why it is not growing.
    void GrowthHints(int x, int y);

    struct Press {
        TGridPos cell;
        int bandX, bandY;
        ui::MouseButton button;
    };
    TMainForm& form_;
    std::optional<Press> press_;
};
