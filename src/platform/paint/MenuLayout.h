// Where the menu bar's titles and the items of a drop-down or pop-up menu stand.
#pragma once

#include "platform/paint/Geometry.h"

#include <string>
#include <vector>

namespace ui {
class MenuItem;
struct ShortCut;
} // namespace ui

namespace paint {

struct MenuBox {
    ui::MenuItem* item = nullptr;
    Rect rect;
};

// A column of menu items: the box around it and each visible item's row.
struct MenuColumn {
    ui::MenuItem* menu = nullptr;
    Rect box;
    std::vector<MenuBox> rows;
    // The row's item under (x, y), or null (separators and the border hit nothing).
    ui::MenuItem* ItemAt(int x, int y) const;
    int RowOf(const ui::MenuItem* item) const;
};

class MenuLayout {
public:
    // The titles of the main menu's visible items, left to right across a bar of the
    // given width and height at the top of the frame.
    static std::vector<MenuBox> Bar(ui::MenuItem& mainMenu, int height);

    // The column of a menu's visible items with its top-left corner at (x, y), moved
    // back inside bounds where it would stick out past the right or bottom edge.
    static MenuColumn Column(ui::MenuItem& menu, int x, int y, const Rect& bounds);

    // "Ctrl+N", "Alt+F1", "F2": a shortcut as a menu shows it beside the caption.
    static std::string ShortCutText(const ui::ShortCut& shortcut);
};

} // namespace paint
