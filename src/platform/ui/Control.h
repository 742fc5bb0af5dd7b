// A visible widget: position, size, caption, hint, enabled and visible state, children.
#pragma once

#include "platform/ui/Component.h"
#include "platform/ui/Keys.h"

#include <vector>

namespace ui {

// Colours are 0x00BBGGRR values.
using Color = std::uint32_t;
constexpr Color clSilver = 0xC0C0C0;
constexpr Color clWhite = 0xFFFFFF;
constexpr Color clGray = 0x808080;
constexpr Color clBtnFace = 0xC0C0C0;

class Control : public Component {
public:
    explicit Control(std::string name = {}, Control* parent = nullptr);
    ~Control() override;

    int Left = 0, Top = 0, Width = 0, Height = 0;
    std::string Caption;
    std::string Hint;
    Color BackColor = clBtnFace;
    bool ShowHint = false;

    bool Visible() const { return visible_; }
    virtual void SetVisible(bool visible) { visible_ = visible; }
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled) { enabled_ = enabled; }

    // Shown on screen: visible, and every parent visible too.
    bool Showing() const;
    // The control's rectangle in the coordinates of the top-level window.
    int ScreenLeft() const;
    int ScreenTop() const;

    void SetBounds(int left, int top, int width, int height) {
        Left = left, Top = top, Width = width, Height = height;
    }

    // The window's number, as the platform's calls that draw into it name it.
    std::uint64_t Handle() const { return handle_; }

    Control* Parent() const { return parent_; }
    void SetParent(Control* parent);
    // Puts the control in front of its siblings: drawn last, hit first.
    void BringToFront() { SetParent(parent_); }
    const std::vector<Control*>& Children() const { return children_; }

    std::function<void()> OnClick;
    // Key events: a handler that sets key to VK_NONE swallows the key.
    std::function<void(std::uint16_t& key, ShiftState shift)> OnKeyDown;

    // A click as the player makes it; nothing when disabled or not showing.
    void Click() override;
    // A key press while this control has the focus.
    virtual void KeyDown(std::uint16_t key, ShiftState shift);

private:
    Control* parent_ = nullptr;
    std::uint64_t handle_ = 0;
    std::vector<Control*> children_;
    bool visible_ = true;
    bool enabled_ = true;
};

} // namespace ui
