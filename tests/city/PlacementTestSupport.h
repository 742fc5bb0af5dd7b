// Pointing the mouse at a map cell through the view, as a player does.
#pragma once

#include "FakeCityHost.h"
#include "city/CityInput.h"

#include <stdexcept>

// Scrolls the fake window so that map cell (x, y) lies under a band of the view and
// moves the mouse onto it; the click then goes through the whole mouse mapping.
inline void PointAt(CityState& state, FakeCityHost& host, CityInput& input, int x, int y) {
    for (int row = 0; row < city::kViewRows; ++row)
        for (int col = 0; col < city::kViewCols; ++col) {
            const TGridPos p = state.ViewAt(row, col);
            if (p.x != x || p.y != y)
                continue;
            const int vert = std::min(row - 1, 141);
            const int horz = std::min(col, 70);
            host.vert = vert;
            host.horz = horz;
            const int iY = row - 1 - vert;
            const int iX = col - horz;
            input.FormMouseMove(false, 60 * iX + 30, 46 + 15 * iY + 5);
            if (!state.cursorValid || state.cursorX != x || state.cursorY != y)
                throw std::logic_error("cell not reached through the view");
            return;
        }
    throw std::logic_error("cell not in the view lookup");
}

inline void ClickAt(CityState& state, FakeCityHost& host, CityInput& input, int x, int y, bool shift = false) {
    PointAt(state, host, input, x, y);
    input.FormMouseDown(0, shift, 0, 0);
}
