// The tool palette: its speed buttons, pop-up menus and the tool line of each choice.
#pragma once

#include "city/CityTypes.h"
#include "platform/ui/Button.h"
#include "platform/ui/MenuItem.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class CityState;

namespace ui {
class Form;
class GroupBox;
} // namespace ui

// One choice of the palette: the widget that makes it and the line it runs.
struct ToolEntry {
    const char* name;    // button or menu item
    const char* caption; // menu caption; empty for a button
    const char* line;    // the SET_TOOL line
};

// The 49 tool lines in palette order.
const std::vector<ToolEntry>& ToolTable();

// Builds the palette inside the group box it is given and registers every button,
// menu and item with the form by name. Each choice hands its fixed line to the
// run-command callback with echo and history off; a menu opens at the pop-up point
// raised by the menu's Tag.
class ToolPalette {
public:
    using RunCommandFn = std::function<void(const std::string& line, bool echo, bool recordHistory)>;

    ToolPalette(ui::Form& form, ui::GroupBox& toolsBox, const CityState& state, RunCommandFn runCommand);
    ~ToolPalette();
    ToolPalette(const ToolPalette&) = delete;
    ToolPalette& operator=(const ToolPalette&) = delete;

    ui::SpeedButton* Button(const std::string& name) const;
    ui::PopupMenu* Menu(const std::string& name) const;
    ui::MenuItem* Item(const std::string& name) const;

    // Enables or disables the menu item of an unlock (city::Unlock). Hidden items
    // stay hidden whatever their state.
    void SetUnlockItemEnabled(int unlock, bool enabled);
    // The name of the menu item of an unlock, or empty for a number out of range.
    static std::string UnlockItemName(int unlock);

    ui::SpeedButton* RCCWSB() const { return rotateLeft_; }
    ui::SpeedButton* RCWiSB() const { return rotateRight_; }

private:
    ui::SpeedButton& AddButton(const std::string& name, const std::string& hint, int left, int top, int size);
    ui::PopupMenu& AddMenu(const std::string& name, int tag, std::initializer_list<const char*> items);
    void SelectOnClick(ui::SpeedButton& button);
    void OpenOnClick(ui::SpeedButton& button, ui::PopupMenu& menu);
    static const ToolEntry& Entry(const std::string& name);

    ui::Form& form_;
    ui::GroupBox& toolsBox_;
    const CityState& state_;
    RunCommandFn runCommand_;
    std::vector<std::unique_ptr<ui::SpeedButton>> buttons_;
    std::vector<std::unique_ptr<ui::PopupMenu>> menus_;
    ui::SpeedButton* rotateLeft_ = nullptr;
    ui::SpeedButton* rotateRight_ = nullptr;
};
