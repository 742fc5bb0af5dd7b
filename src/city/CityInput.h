// The mouse on the map: the cell under the pointer, clicks with the current tool, drags.
#pragma once

#include <optional>

class CityState;
class CityHost;

namespace city {

// Scroll positions and a client pixel that put the mouse over a map cell.
struct ViewSpot {
    int horz, vert; // Horz_SB and Vert_SB positions
    int X, Y;       // the middle of the band over the cell
};

// Where to scroll and point so that the mouse is over map cell (x, y): the current
// positions when the cell already lies under a band, otherwise positions that bring
// it near the middle of the view as far as the scroll ranges allow. Empty for a cell
// off the map.
std::optional<ViewSpot> PointAtCell(const CityState& state, int horz, int vert, int x, int y);

} // namespace city

// Turns the main window's mouse events into changes of the city. It works only
// while a city is on screen; before that every event is ignored.
class CityInput {
public:
    CityInput(CityState& state, CityHost& host) : state_(state), host_(host) {}

    // The pointer moved to client pixel (X, Y): updates the cursor fields.
    void FormMouseMove(bool shift, int X, int Y);
    // A mouse button went down: applies the current tool to the cell under the
    // cursor as the last move left it. Every button acts the same.
    void FormMouseDown(int button, bool shift, int X, int Y);
    // Builds the current tool's object over the rectangle between two corners.
    void MouseDrag(int endX, int endY, int startX, int startY);

private:
    void ApplyTool();
    void SubStation();
    void Bulldoze();
    void RemoveSitePopulation(int building);

    CityState& state_;
    CityHost& host_;
};
