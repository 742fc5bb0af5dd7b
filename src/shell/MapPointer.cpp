// The window's pointer on the map: translation to the tile under it, clicks and drags.
#include "shell/MapPointer.h"

#include "city/CityInput.h"
#include "city/CityState.h"
#include "city/Simulation.h"
#include "shell/TMainForm.h"
#include "view/MapRenderer.h"

bool MapPointer::Covered(int x, int y) const {
    for (const ui::Control* child : form_.Children())
        if (child->Visible() && x >= child->Left && y >= child->Top && x < child->Left + child->Width &&
            y < child->Top + child->Height)
            return true;
    return false;
}

void MapPointer::Point(int x, int y) {
    // A panel or box drawn over the map keeps the pointer off the tiles below it.
    const auto band = Covered(x, y) ? std::nullopt : view::PointerToBand(form_.Vert_SB.Position(), x, y);
    // A point outside every band takes the cursor off the map.
    form_.Input->FormMouseMove(false, band ? band->x : 0, band ? band->y : 0);
}

void MapPointer::ClickAt(int bandX, int bandY, bool shift) {
    form_.Input->FormMouseMove(shift, bandX, bandY);
    const CityState& city = form_.City;
    const bool reports = !shift && form_.GameScreenShown() && city.cursorValid && city.toolCode == city::kToolQuery &&
                         city.funds >= city.toolPrice;
    form_.Input->FormMouseDown(0, shift, bandX, bandY);
    if (reports)
        GrowthHints(city.cursorX, city.cursorY);
}

void MapPointer::GrowthHints(int x, int y) {
    const CityState& city = form_.City;
    const TObjectType* type = city.TypeOf(city.Cell(x, y).code);
    int slot = city::QueryReportLines(type ? type->reportKind : 0);
    // Below the report's own lines, for as many lines as the text area has left.
    for (const std::string& reason : city::GrowthHints(city, x, y))
        if (slot < CommandInterpreter::kScreenLines)
            form_.Interpreter.WriteScreenLine(273, slot++, reason);
}

void MapPointer::Move(ui::ShiftState, int x, int y) {
    Point(x, y);
    form_.RedrawWhilePaused();
}

void MapPointer::Down(ui::MouseButton button, ui::ShiftState shift, int x, int y) {
    CityState& city = form_.City;
    if (button == ui::MouseButton::Right && (city.dragStartX != -1 || press_)) {
        Forget();
        return;
    }
    Point(x, y);
    if (!form_.City.cursorValid)
        return; // off the map or over a widget: the map takes no click
    if (shift & ui::ssShift) {
        form_.Input->FormMouseDown(static_cast<int>(button), true, x, y);
    } else if (form_.GameScreenShown() && city.cursorValid) {
        const auto band = view::PointerToBand(form_.Vert_SB.Position(), x, y); // there, as the cursor is valid
        press_ = Press{TGridPos{city.cursorX, city.cursorY}, band->x, band->y, button};
    }
    form_.RedrawWhilePaused();
}

void MapPointer::Up(ui::MouseButton button, ui::ShiftState, int x, int y) {
    if (!press_ || button != press_->button)
        return;
    const Press press = *press_;
    press_.reset();
    CityState& city = form_.City;
    Point(x, y);
    if (!city.cursorValid) {
        // Let go off the map: the press comes to nothing.
        form_.RedrawWhilePaused();
        return;
    }
    if (city.cursorX == press.cell.x && city.cursorY == press.cell.y) {
        ClickAt(press.bandX, press.bandY, false);
    } else {
        // A drag held from one tile to another does what two shift-clicks on them do,
        // starting afresh rather than finishing a start stored earlier.
        const auto end = view::PointerToBand(form_.Vert_SB.Position(), x, y);
        city.dragStartX = -1;
        ClickAt(press.bandX, press.bandY, true);
        if (city.dragStartX != -1)
            ClickAt(end->x, end->y, true);
    }
    form_.RedrawWhilePaused();
}

void MapPointer::Forget() {
    form_.City.dragStartX = -1;
    press_.reset();
    form_.RedrawWhilePaused();
}
