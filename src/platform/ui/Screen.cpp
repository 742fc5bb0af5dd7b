// Screen size and cursor table.
#include "platform/ui/Screen.h"

#include "platform/os/ResourceTable.h"

namespace ui {

Screen& Screen::Instance() {
    static Screen screen;
    return screen;
}

Cursor Screen::LoadCursorResource(const std::string& name) {
    return Cursor{name, os::ResourceTable::Find("CURSOR_" + name) != nullptr ||
                            os::ResourceTable::Find(name) != nullptr};
}

Cursor Screen::CursorAt(int index) const {
    auto it = cursors_.find(index);
    return it == cursors_.end() ? Cursor{} : it->second;
}

} // namespace ui
