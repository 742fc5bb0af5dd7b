// Parent links, visibility and the default click and key handling of widgets.
#include "platform/ui/Control.h"

#include <algorithm>

namespace ui {

Control::Control(std::string name, Control* parent) : Component(std::move(name)) {
    static std::uint64_t nextHandle = 0x100;
    handle_ = nextHandle++;
    SetParent(parent);
}

Control::~Control() {
    SetParent(nullptr);
    for (Control* child : children_)
        child->parent_ = nullptr;
}

void Control::SetParent(Control* parent) {
    if (parent_) {
        auto& siblings = parent_->children_;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
    parent_ = parent;
    if (parent_)
        parent_->children_.push_back(this);
}

bool Control::Showing() const {
    for (const Control* c = this; c; c = c->parent_)
        if (!c->visible_)
            return false;
    return true;
}

int Control::ScreenLeft() const { return Left + (parent_ ? parent_->ScreenLeft() : 0); }

int Control::ScreenTop() const { return Top + (parent_ ? parent_->ScreenTop() : 0); }

void Control::Click() {
    if (!Enabled() || !Showing())
        return;
    if (OnClick)
        OnClick();
}

void Control::KeyDown(std::uint16_t key, ShiftState shift) {
    if (OnKeyDown)
        OnKeyDown(key, shift);
}

} // namespace ui
