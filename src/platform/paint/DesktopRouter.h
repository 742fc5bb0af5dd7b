// The toolkit's screen as input sees it: the main window with its menu bar, the other
// windows, open menus, message boxes and file dialogs. It takes mouse and key input in
// frame coordinates and routes it to the widgets; the desktop paints what it holds.
#pragma once

#include "platform/paint/FileDialogView.h"
#include "platform/paint/Geometry.h"
#include "platform/paint/MenuLayout.h"
#include "platform/paint/MessageBoxView.h"
#include "platform/paint/Theme.h"
#include "platform/ui/Keys.h"

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ui {
class Control;
class Edit;
class FileDialog;
class Form;
class Memo;
class MenuItem;
class PopupMenu;
class ScrollBar;
} // namespace ui

namespace paint {

// The frame is the menu bar over the client area; the client area is the virtual
// screen, so client coordinates are virtual-screen pixels.
class DesktopRouter {
public:
    explicit DesktopRouter(int screenWidth = 640, int screenHeight = 480);

    int FrameWidth() const { return screenWidth_; }
    int FrameHeight() const { return screenHeight_ + theme::kMenuBarHeight; }
    Rect ClientRect() const { return Rect{0, theme::kMenuBarHeight, screenWidth_, screenHeight_}; }

    // The main window (its menu is the menu bar) and the other windows (boxes) that
    // are drawn over it whenever they are visible.
    ui::Form* MainForm() const { return main_; }
    void AddForm(ui::Form* form);

    // ---- input (frame coordinates)
    void MouseMove(int x, int y, ui::ShiftState state, std::uint64_t nowMs);
    void MouseDown(ui::MouseButton button, int x, int y, ui::ShiftState shift, int clicks, std::uint64_t nowMs);
    void MouseUp(ui::MouseButton button, int x, int y, ui::ShiftState shift, std::uint64_t nowMs);
    void MouseWheel(int x, int y, int delta);
    // The pointer left the window.
    void MouseLeave();
    // The window lost the input (another window came forward): whatever the pointer
    // held is let go without a click, and held arrows stop repeating.
    void CancelPointer();
    void KeyDown(std::uint16_t key, ui::ShiftState shift, std::uint64_t nowMs);
    void TextInput(const std::string& text);
    // Repeats held arrows and shows or hides the hint as time passes.
    void Tick(std::uint64_t nowMs);
    // When Tick would next change something (a repeat, a hint shown or hidden); the
    // largest time when nothing waits.
    std::uint64_t NextTickDue(std::uint64_t nowMs) const;

    // ---- modal boxes drawn by the desktop; the backend runs their loops
    MessageBoxView& OpenMessageBox(const std::string& caption, const std::string& text, unsigned flags);
    FileDialogView& OpenFileDialog(const ui::FileDialog& dialog);
    // Removes the topmost box once its loop ended.
    void CloseMessageBox();
    void CloseFileDialog();
    MessageBoxView* TopMessageBox() const;
    FileDialogView* TopFileDialog() const;

    // ---- hit testing
    // The window that takes input now: the topmost visible modal form, else the main window.
    ui::Form* InputForm() const;
    // Where a form's client area stands in the frame.
    Rect FormClientRect(const ui::Form& form) const;
    // A control's rectangle in the frame.
    Rect ControlRect(const ui::Control& control) const;
    // The deepest showing control of the input form under a point (the form itself
    // when no child is there), or null outside it.
    ui::Control* ControlAt(int x, int y) const;
    // The menu item under a point: in the open drop-down or pop-up menu, else a title
    // of the menu bar; null elsewhere.
    ui::MenuItem* MenuItemAt(int x, int y) const;
    // The open pop-up menu, if any (the tool palette's menus open one at a time).
    ui::PopupMenu* OpenPopup() const;
    // The title of the menu bar whose drop-down is open, or null.
    ui::MenuItem* OpenMenu() const { return openMenu_; }
    ui::MenuItem* HighlightedItem() const { return highlighted_; }
    std::optional<MenuColumn> OpenColumn() const;
    std::vector<MenuBox> MenuBar() const;
    // The hint showing now, if any, and where.
    const std::string& HintText() const { return hintText_; }
    Rect HintRect() const;
    // The pointer's last position.
    int PointerX() const { return pointerX_; }
    int PointerY() const { return pointerY_; }

protected:
    void CloseMenus();
    void OpenBarMenu(ui::MenuItem* title);
    void RunMenuItem(ui::MenuItem* item);
    bool MenuKey(std::uint16_t key);
    void PressControl(ui::Control* control, int x, int y, int clicks, std::uint64_t now);
    void ReleaseControl(int x, int y);
    void RepeatStep(std::uint64_t now);
    ui::Edit* TypingTarget() const;
    void Focus(ui::Control* control);
    // The main window's popup menus, found again only when its parts change (the
    // signature asks on every frame).
    const std::vector<ui::PopupMenu*>& Popups() const;

    int screenWidth_, screenHeight_;
    ui::Form* main_ = nullptr;
    mutable std::vector<ui::PopupMenu*> popups_;
    mutable const ui::Form* popupsOf_ = nullptr;
    mutable std::uint64_t popupsStamp_ = 0;
    std::vector<ui::Form*> forms_;

    // Menus.
    ui::MenuItem* openMenu_ = nullptr;
    ui::MenuItem* highlighted_ = nullptr;
    bool menuByKeyboard_ = false;

    // The pointer and the control it holds down.
    int pointerX_ = -1, pointerY_ = -1;
    ui::Control* hovered_ = nullptr;
    ui::Control* pressed_ = nullptr;
    bool pressedInside_ = false;
    enum class Held { None, ScrollBack, ScrollPageBack, ScrollThumb, ScrollPageForward, ScrollForward, UpDownUp,
                      UpDownDown, TrackThumb, Form, PaintBox };
    Held held_ = Held::None;
    int thumbGrab_ = 0; // where on the thumb it was grabbed
    std::uint64_t nextRepeat_ = 0;
    ui::MouseButton heldButton_ = ui::MouseButton::Left;

    // The hint.
    ui::Control* hintControl_ = nullptr;
    std::uint64_t restSince_ = 0;
    std::string hintText_;
    int hintX_ = 0, hintY_ = 0;
    bool hintDismissed_ = false;

    // An edit box that got the focus without a click holds its whole text as chosen:
    // the first typing or erasing replaces it, as the platform selects it on entry.
    ui::Edit* replaceOnType_ = nullptr;

    // Lines each list is scrolled down by.
    std::map<const ui::Memo*, int> memoScroll_;
    void ScrollMemo(ui::Memo& memo, int delta);

    std::uint64_t lastNow_ = 0;
    // Message boxes and file dialogs in the order they opened; one of each pair is set.
    struct ModalBox {
        std::unique_ptr<MessageBoxView> message;
        std::unique_ptr<FileDialogView> file;
    };
    std::vector<ModalBox> boxes_;
    std::uint64_t inputCount_ = 0;
};

} // namespace paint
