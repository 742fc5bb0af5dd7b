// The yearly budget panel: six amounts, the totals, six settings and OK.
#pragma once

#include "city/Budget.h"
#include "platform/ui/Button.h"
#include "platform/ui/Edit.h"
#include "platform/ui/Label.h"
#include "platform/ui/Panel.h"
#include "platform/ui/RangeControls.h"

#include <array>
#include <optional>

class CityState;
class CityHost;
namespace ui {
class Form;
}

// The panel is hidden until a yearly budget without Auto Budget shows it; its OK
// stores the six settings and sets the clock going again.
class BudgetPanel {
public:
    BudgetPanel(ui::Control& parent, CityState& state, CityHost& host);

    ui::Panel Budget_P;
    ui::Label B_City_Name;
    ui::Label B_Year;
    ui::Label Label1, Label2, Label3, Label4, Label5, Label6;
    ui::Label B_PT_L, B_PS_L, B_FS_L, B_Ho_L, B_Ed_L, B_Tr_L;
    ui::Label B_GrossCaption_L, B_NetCaption_L;
    ui::Label B_Gross_L, B_Net_L;
    ui::Edit Edit1, Edit2, Edit3, Edit4, Edit5, Edit6;
    ui::UpDown UpDown1, UpDown2, UpDown3, UpDown4, UpDown5, UpDown6;
    ui::Button B_Ok_B;

    // Fills the panel with a budget's figures and sets the up-downs to the stored
    // settings; with show the panel is also made visible.
    void ShowFigures(const BudgetFigures& figures, bool show);
    void Hide() { Budget_P.Hide(); }
    // The position of UpDown1 to UpDown6 (index 0 to 5); nothing for other indexes.
    std::optional<int> Position(int index) const;
    // OK: the six positions become the settings, the panel goes, the clock runs.
    void B_Ok_BClick();
    // Places the panel as every box of the game is placed on a screen of that size.
    void Centre(int screenWidth, int screenHeight);
    // Makes every widget of the panel reachable by name.
    void RegisterAll(ui::Form& form);

    std::array<ui::UpDown*, 6> UpDowns() { return {&UpDown1, &UpDown2, &UpDown3, &UpDown4, &UpDown5, &UpDown6}; }
    std::array<ui::Edit*, 6> Edits() { return {&Edit1, &Edit2, &Edit3, &Edit4, &Edit5, &Edit6}; }
    std::array<ui::Label*, 6> Amounts() { return {&B_PT_L, &B_PS_L, &B_FS_L, &B_Ho_L, &B_Ed_L, &B_Tr_L}; }

private:
    void Layout();
    void Bind();

    CityState& state_;
    CityHost& host_;
};
