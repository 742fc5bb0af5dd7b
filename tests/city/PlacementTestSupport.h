// Pointing the mouse at a map cell through the view, as a player does.
#pragma once

#include "FakeCityHost.h"
#include "city/CityInput.h"

#include <stdexcept>

// Scrolls the fake window so that map cell (x, y) lies under a band of the view and
// moves the mouse onto it; the click then goes through the whole mouse mapping.
inline void PointAt(CityState& state, FakeCityHost& host, CityInput& input, int x, int y) {
    const auto spot = city::PointAtCell(state, host.horz, host.vert, x, y);
    if (!spot)
        throw std::logic_error("cell not in the view lookup");
    host.horz = spot->horz;
    host.vert = spot->vert;
    input.FormMouseMove(false, spot->X, spot->Y);
    if (!state.cursorValid || state.cursorX != x || state.cursorY != y)
        throw std::logic_error("cell not reached through the view");
}

inline void ClickAt(CityState& state, FakeCityHost& host, CityInput& input, int x, int y, bool shift = false) {
    PointAt(state, host, input, x, y);
    input.FormMouseDown(0, shift, 0, 0);
}
