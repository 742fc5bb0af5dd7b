// Menu items of the main menu and of pop-up menus.
#pragma once

#include "platform/ui/Component.h"
#include "platform/ui/Keys.h"

#include <memory>
#include <vector>

namespace ui {

class MenuItem : public Component {
public:
    explicit MenuItem(std::string name = {}, std::string caption = {});

    std::string Caption; // "-" makes a separator line
    bool Checked = false;
    bool Enabled = true;
    bool Visible = true;
    ShortCut Shortcut;
    std::function<void()> OnClick;

    bool IsSeparator() const { return Caption == "-"; }

    // A click as the player makes it: nothing when disabled or hidden.
    void Click() override;

    // Sub-items, owned by the item.
    MenuItem& Add(std::string name, std::string caption);
    MenuItem* Parent() const { return parent_; }
    const std::vector<std::unique_ptr<MenuItem>>& Items() const { return items_; }
    // Depth-first search by shortcut among enabled, visible items.
    MenuItem* FindShortcut(const ShortCut& shortcut);

private:
    MenuItem* parent_ = nullptr;
    std::vector<std::unique_ptr<MenuItem>> items_;
};

// A pop-up menu, opened at a point of the screen.
class PopupMenu : public MenuItem {
public:
    using MenuItem::MenuItem;
    void Popup(int x, int y);
    bool IsOpen() const { return open_; }
    void Close() { open_ = false; }
    int PopupX() const { return x_; }
    int PopupY() const { return y_; }
    std::function<void(PopupMenu&)> OnPopup;

private:
    bool open_ = false;
    int x_ = 0, y_ = 0;
};

} // namespace ui
