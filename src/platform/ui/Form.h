// A top-level window: the root control, its main menu, and a registry of its parts by name.
#pragma once

#include "platform/ui/Control.h"
#include "platform/ui/MenuItem.h"

#include <cstdint>
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
    // A part that is destroyed while the window lives is taken out of the registry.
    void Unregister(const Component& component);
    Component* FindComponent(const std::string& name) const;
    template <typename T> T* Find(const std::string& name) const {
        return dynamic_cast<T*>(FindComponent(name));
    }
    const std::map<std::string, Component*>& Components() const { return components_; }
    // Changes whenever a part is registered or taken out, and is never the same for two
    // registries: whoever keeps something worked out from the parts knows when to redo it.
    std::uint64_t ComponentsStamp() const { return componentsStamp_; }

    // A key pressed in the window: the main menu's shortcuts first, then the focused
    // control, then the form's own key handler.
    virtual void KeyPress(std::uint16_t key, ShiftState shift);

    // Shows the form as a modal box: runs a nested message loop until ModalResult
    // is set (or the application quits), then hides the form.
    int ShowModal();
    int ModalResult = 0;
    bool IsModal() const { return modal_; }
    // Escape closes a modal form with Cancel, unless the form offers no way to cancel
    // (a box with only an Ok that applies its settings).
    bool CloseOnEscape = true;
    // Closes a modal form with the given result.
    void CloseModal(int result) { ModalResult = result ? result : 2; }

    // Mouse events in client coordinates.
    std::function<void(MouseButton, ShiftState, int x, int y)> OnMouseDown;
    std::function<void(ShiftState, int x, int y)> OnMouseMove;
    // The button pressed on the window is let go (wherever the pointer is then).
    std::function<void(MouseButton, ShiftState, int x, int y)> OnMouseUp;

private:
    bool modal_ = false;
    std::map<std::string, Component*> components_;
    std::uint64_t componentsStamp_ = NewStamp();
    static std::uint64_t NewStamp();
};

} // namespace ui
