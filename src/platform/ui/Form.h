// A top-level window: the root control, its main menu, and a registry of its parts by name.
#pragma once

#include "platform/ui/Control.h"
#include "platform/ui/MenuItem.h"

#include <map>

namespace ui {

class Form : public Control {
public:
    explicit Form(std::string name = {});

    MenuItem MainMenu{"MainMenu"};
    Control* ActiveControl = nullptr;
    bool KeyPreview = false;

    // Every named part (widget, menu item, dialog) is registered so that tools and
    // the headless driver can reach it by name.
    void Register(Component& component);
    Component* FindComponent(const std::string& name) const;
    template <typename T> T* Find(const std::string& name) const {
        return dynamic_cast<T*>(FindComponent(name));
    }
    const std::map<std::string, Component*>& Components() const { return components_; }

    // A key pressed in the window: the main menu's shortcuts first, then the focused
    // control, then the form's own key handler.
    virtual void KeyPress(std::uint16_t key, ShiftState shift);

    // Mouse events in client coordinates.
    std::function<void(MouseButton, ShiftState, int x, int y)> OnMouseDown;
    std::function<void(ShiftState, int x, int y)> OnMouseMove;

private:
    std::map<std::string, Component*> components_;
};

} // namespace ui
