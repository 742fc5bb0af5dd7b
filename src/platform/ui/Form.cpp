// Component registry and key routing of a top-level window.
#include "platform/ui/Form.h"

#include "platform/ui/Application.h"
#include "platform/ui/Backend.h"
#include "platform/ui/MessageBoxFlags.h"

namespace ui {

Form::Form(std::string name) : Control(std::move(name)) {}

std::uint64_t Form::NewStamp() {
    static std::uint64_t last = 0;
    return ++last;
}

void Form::Register(Component& component) {
    if (!component.Name.empty()) {
        components_[component.Name] = &component;
        componentsStamp_ = NewStamp();
    }
}

void Form::Unregister(const Component& component) {
    auto it = components_.find(component.Name);
    if (it != components_.end() && it->second == &component) {
        components_.erase(it);
        componentsStamp_ = NewStamp();
    }
}

Component* Form::FindComponent(const std::string& name) const {
    auto it = components_.find(name);
    return it == components_.end() ? nullptr : it->second;
}

void Form::KeyPress(std::uint16_t key, ShiftState shift) {
    if (modal_ && key == VK_ESCAPE && shift == 0) {
        if (CloseOnEscape)
            CloseModal(IDCANCEL);
        return;
    }
    if (MenuItem* item = MainMenu.FindShortcut(ShortCut{key, static_cast<ShiftState>(shift & (ssShift | ssAlt | ssCtrl))})) {
        item->Click();
        return;
    }
    Control* target = ActiveControl && ActiveControl->Showing() && ActiveControl->Enabled() ? ActiveControl : this;
    if (KeyPreview && target != this && OnKeyDown) {
        OnKeyDown(key, shift);
        if (key == VK_NONE)
            return;
    }
    target->KeyDown(key, shift);
}

} // namespace ui

namespace ui {

int Form::ShowModal() {
    auto& app = Application::Instance();
    ModalResult = 0;
    modal_ = true;
    Show();
    Application::ModalScope modal;
    while (ModalResult == 0 && !app.Terminated() && app.GetBackend()) {
        if (!app.GetBackend()->PumpEvents(true))
            app.EndOfInput();
    }
    modal_ = false;
    Hide();
    return ModalResult;
}

} // namespace ui
