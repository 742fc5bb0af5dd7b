// Menu item clicks, sub-items and shortcuts.
#include "platform/ui/MenuItem.h"

namespace ui {

MenuItem::MenuItem(std::string name, std::string caption)
    : Component(std::move(name)), Caption(std::move(caption)) {}

void MenuItem::Click() {
    if (!Enabled || !Visible || IsSeparator())
        return;
    for (MenuItem* p = parent_; p; p = p->parent_)
        if (!p->Enabled || !p->Visible)
            return;
    if (OnClick)
        OnClick();
}

MenuItem& MenuItem::Add(std::string name, std::string caption) {
    items_.push_back(std::make_unique<MenuItem>(std::move(name), std::move(caption)));
    items_.back()->parent_ = this;
    return *items_.back();
}

MenuItem* MenuItem::FindShortcut(const ShortCut& shortcut) {
    for (auto& item : items_) {
        if (!item->Visible || !item->Enabled)
            continue;
        if (item->Shortcut.key != VK_NONE && item->Shortcut == shortcut)
            return item.get();
        if (MenuItem* found = item->FindShortcut(shortcut))
            return found;
    }
    return nullptr;
}

void PopupMenu::Popup(int x, int y) {
    x_ = x;
    y_ = y;
    open_ = true;
    if (OnPopup)
        OnPopup(*this);
}

} // namespace ui
