// The toolkit's screen: the main window with its menu bar, the dialogs, open menus,
// message boxes, the hint and the pointer. It takes mouse and key input in frame
// coordinates, routes it to the widgets, and composes the frame the player sees.
#pragma once

#include "platform/paint/FileDialogView.h"
#include "platform/paint/FrameBuffer.h"
#include "platform/paint/ImageCache.h"
#include "platform/paint/MenuLayout.h"
#include "platform/paint/MessageBoxView.h"
#include "platform/paint/WidgetPainter.h"
#include "platform/ui/Keys.h"

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace ui {
class Control;
class Form;
class Memo;
class MenuItem;
class PopupMenu;
class ScrollBar;
} // namespace ui

namespace paint {

// The frame is the menu bar over the client area; the client area is the virtual
// screen, so client coordinates are virtual-screen pixels.
class Desktop {
public:
    explicit Desktop(int screenWidth = 640, int screenHeight = 480);

    int FrameWidth() const { return screenWidth_; }
    int FrameHeight() const { return screenHeight_ + theme::kMenuBarHeight; }
    Rect ClientRect() const { return Rect{0, theme::kMenuBarHeight, screenWidth_, screenHeight_}; }

    // The main window (its menu is the menu bar) and the other windows (boxes) that
    // are drawn over it whenever they are visible.
    void SetMainForm(ui::Form* form);
    ui::Form* MainForm() const { return main_; }
    void AddForm(ui::Form* form);

    // When the display's picture covers the client area: Auto shows it once the
    // display has drawn on the virtual screen after the main window appeared (until
    // then the window's own background shows, as on the original desktop).
    enum class DisplayLayer { Auto, Always, Never };
    DisplayLayer displayLayer = DisplayLayer::Auto;
    bool DisplayShown() const;

    // Whether Paint draws the pointer (a real window may let the system draw it).
    bool paintCursor = true;

    // ---- composition
    void Paint(FrameBuffer& frame, std::uint64_t nowMs);
    // Paints a frame and writes it as a PNG file (a screenshot with every widget on
    // it, as the player would see it); false with a reason when it cannot be written.
    bool SaveScreenshot(const std::string& path, std::uint64_t nowMs, std::string* error = nullptr);
    // Changes whenever the next frame would look different: the widgets' state, the
    // open menus and boxes, the hint, the caret's blink and the virtual screen.
    std::uint64_t Signature(std::uint64_t nowMs) const;

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

    ImageCache& Images() { return images_; }

private:
    void CloseMenus();
    void OpenBarMenu(ui::MenuItem* title);
    void RunMenuItem(ui::MenuItem* item);
    bool MenuKey(std::uint16_t key);
    void PressControl(ui::Control* control, int x, int y, int clicks, std::uint64_t now);
    void ReleaseControl(int x, int y);
    void RepeatStep(std::uint64_t now);
    ui::Edit* TypingTarget() const;
    void Focus(ui::Control* control);
    void PaintMenuColumn(FrameBuffer& frame, const MenuColumn& column) const;
    void PaintMenuBar(FrameBuffer& frame) const;
    void PaintCursor(FrameBuffer& frame);
    void PaintHint(FrameBuffer& frame) const;
    std::vector<ui::PopupMenu*> Popups() const;

    int screenWidth_, screenHeight_;
    ui::Form* main_ = nullptr;
    std::vector<ui::Form*> forms_;
    ImageCache images_;

    // The display's picture: the virtual screen generation when the main window appeared.
    void TrackDisplay() const;
    mutable std::optional<std::uint64_t> shownAtGeneration_;

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
                      UpDownDown, TrackThumb, Form };
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
