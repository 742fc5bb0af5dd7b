// Menu geometry: one source for painting menus and for finding what a click hits.
#include "platform/paint/MenuLayout.h"

#include "platform/paint/FrameBuffer.h"
#include "platform/ui/MenuItem.h"

namespace paint {

using namespace theme;

namespace {

// Room for the check mark before the caption and after the shortcut column.
constexpr int kCheckColumn = 18;
constexpr int kShortcutGap = 24;
constexpr int kRightMargin = 12;
constexpr int kBarPadding = 6;

} // namespace

ui::MenuItem* MenuColumn::ItemAt(int x, int y) const {
    for (const MenuBox& row : rows)
        if (row.rect.Contains(x, y))
            return row.item->IsSeparator() ? nullptr : row.item;
    return nullptr;
}

int MenuColumn::RowOf(const ui::MenuItem* item) const {
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (rows[i].item == item)
            return int(i);
    return -1;
}

std::vector<MenuBox> MenuLayout::Bar(ui::MenuItem& mainMenu, int height) {
    std::vector<MenuBox> boxes;
    int x = 2;
    for (auto& item : mainMenu.Items()) {
        if (!item->Visible)
            continue;
        int w = FrameBuffer::TextWidth(StripAccelerator(item->Caption)) + 2 * kBarPadding;
        boxes.push_back(MenuBox{item.get(), Rect{x, 1, w, height - 2}});
        x += w;
    }
    return boxes;
}

std::string MenuLayout::ShortCutText(const ui::ShortCut& shortcut) {
    if (shortcut.key == ui::VK_NONE)
        return {};
    std::string text;
    if (shortcut.shift & ui::ssCtrl)
        text += "Ctrl+";
    if (shortcut.shift & ui::ssShift)
        text += "Shift+";
    if (shortcut.shift & ui::ssAlt)
        text += "Alt+";
    std::uint16_t key = shortcut.key;
    if (key >= ui::VK_F1 && key <= ui::VK_F1 + 23)
        text += "F" + std::to_string(key - ui::VK_F1 + 1);
    else if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'))
        text += char(key);
    else if (key == ui::VK_DELETE)
        text += "Del";
    else if (key == ui::VK_INSERT)
        text += "Ins";
    else if (key == ui::VK_RETURN)
        text += "Enter";
    else if (key == ui::VK_ESCAPE)
        text += "Esc";
    else
        text += "#" + std::to_string(key);
    return text;
}

MenuColumn MenuLayout::Column(ui::MenuItem& menu, int x, int y, const Rect& bounds) {
    MenuColumn column;
    column.menu = &menu;
    int captionWidth = 0, shortcutWidth = 0, height = 0;
    for (auto& item : menu.Items()) {
        if (!item->Visible)
            continue;
        if (item->IsSeparator()) {
            height += kMenuSeparatorHeight;
            continue;
        }
        captionWidth = std::max(captionWidth, FrameBuffer::TextWidth(StripAccelerator(item->Caption)));
        shortcutWidth = std::max(shortcutWidth, FrameBuffer::TextWidth(ShortCutText(item->Shortcut)));
        height += kMenuItemHeight;
    }
    int width = kCheckColumn + captionWidth + (shortcutWidth ? kShortcutGap + shortcutWidth : 0) + kRightMargin;
    width = std::max(width, 60) + 2 * kMenuBorder;
    height += 2 * kMenuBorder;
    // Keep the whole menu on the frame: shift it left or up rather than cut it.
    if (x + width > bounds.Right())
        x = bounds.Right() - width;
    if (y + height > bounds.Bottom())
        y = bounds.Bottom() - height;
    x = std::max(x, bounds.x);
    y = std::max(y, bounds.y);
    column.box = Rect{x, y, width, height};
    int rowY = y + kMenuBorder;
    for (auto& item : menu.Items()) {
        if (!item->Visible)
            continue;
        int h = item->IsSeparator() ? kMenuSeparatorHeight : kMenuItemHeight;
        column.rows.push_back(MenuBox{item.get(), Rect{x + kMenuBorder, rowY, width - 2 * kMenuBorder, h}});
        rowY += h;
    }
    return column;
}

} // namespace paint
