// The budget panel shows a budget's figures and the stored settings on its six
// up-downs (tax 0 to 50, fundings 0 to 100, step 1); OK stores the positions into the
// settings, hides the panel and sets the clock going; every part is found by name.
#include "shell/BudgetPanel.h"

#include "FakeCityHost.h"
#include "city/CityState.h"
#include "city/Simulation.h"
#include "platform/ui/Form.h"

#include <gtest/gtest.h>

namespace {

// A window holding the panel, as the main window does: the city tests' fake host
// with the budget calls going to a real panel.
class PanelHost : public FakeCityHost {
public:
    explicit PanelHost(ui::Form& form, CityState& state) : panel(form, state, *this) {}
    BudgetPanel panel;

    void ShowBudget(const BudgetFigures& figures, bool show) override { panel.ShowFigures(figures, show); }
    void HideBudget() override { panel.Hide(); }
    std::optional<int> BudgetPosition(int index) const override { return panel.Position(index); }
};

class BudgetPanelTest : public ::testing::Test {
protected:
    BudgetPanelTest() : host(form, state) {
        state.cityName = "Lakeside";
        state.year = 1960;
        host.panel.RegisterAll(form);
    }
    ui::Form form{"MainForm"};
    CityState state;
    PanelHost host;
    BudgetPanel& panel = host.panel;
};

TEST_F(BudgetPanelTest, StartsHiddenWithItsCaptionsAndRanges) {
    EXPECT_FALSE(panel.Budget_P.Visible());
    EXPECT_EQ(panel.B_Year.Caption, "1950 Budget");
    EXPECT_EQ(panel.Label1.Caption, "Property Taxes");
    EXPECT_EQ(panel.Label2.Caption, "Police Stations");
    EXPECT_EQ(panel.Label3.Caption, "Fire Stations");
    EXPECT_EQ(panel.Label4.Caption, "Hospitals");
    EXPECT_EQ(panel.Label5.Caption, "Education");
    EXPECT_EQ(panel.Label6.Caption, "Transport");
    EXPECT_EQ(panel.B_Ok_B.Caption, "OK");
    auto updowns = panel.UpDowns();
    auto edits = panel.Edits();
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(updowns[i]->Min(), 0);
        EXPECT_EQ(updowns[i]->Max(), i == 0 ? 50 : 100);
        EXPECT_EQ(updowns[i]->Increment, 1);
        EXPECT_EQ(updowns[i]->Associate, edits[i]);
    }
}

TEST_F(BudgetPanelTest, UpDownsStepByOneWithinTheirRange) {
    panel.UpDown1.SetPosition(49);
    panel.UpDown1.StepUp();
    EXPECT_EQ(panel.UpDown1.Position(), 50);
    EXPECT_EQ(panel.Edit1.Text(), "50");
    panel.UpDown1.StepUp();
    EXPECT_EQ(panel.UpDown1.Position(), 50);
    panel.UpDown2.SetPosition(0);
    panel.UpDown2.StepDown();
    EXPECT_EQ(panel.UpDown2.Position(), 0);
    panel.UpDown2.SetPosition(250);
    EXPECT_EQ(panel.UpDown2.Position(), 100);
}

TEST_F(BudgetPanelTest, ANumberTypedInABoxMovesItsUpDown) {
    panel.Edit3.SetText("42");
    EXPECT_EQ(panel.UpDown3.Position(), 42);
    panel.Edit3.SetText("150");
    EXPECT_EQ(panel.UpDown3.Position(), 100);
    EXPECT_EQ(panel.Edit3.Text(), "100");
    panel.Edit3.SetText("abc");
    EXPECT_EQ(panel.UpDown3.Position(), 100);
    panel.Edit3.SetText("");
    EXPECT_EQ(panel.UpDown3.Position(), 100);
}

TEST_F(BudgetPanelTest, ShowsTheFiguresAndTheStoredSettings) {
    BudgetFigures f;
    f.cityName = "Lakeside";
    f.yearCaption = "1960 Budget";
    f.amounts = {12000, 300, 250, 0, 150, 709};
    f.gross = 1409;
    f.net = -1414;
    f.settings = {30, 90, 80, 70, 60, 50};
    panel.ShowFigures(f, false);
    EXPECT_FALSE(panel.Budget_P.Visible());
    EXPECT_EQ(panel.B_City_Name.Caption, "Lakeside");
    EXPECT_EQ(panel.B_Year.Caption, "1960 Budget");
    EXPECT_EQ(panel.B_PT_L.Caption, "12000");
    EXPECT_EQ(panel.B_PS_L.Caption, "300");
    EXPECT_EQ(panel.B_FS_L.Caption, "250");
    EXPECT_EQ(panel.B_Ho_L.Caption, "0");
    EXPECT_EQ(panel.B_Ed_L.Caption, "150");
    EXPECT_EQ(panel.B_Tr_L.Caption, "709");
    EXPECT_EQ(panel.B_Gross_L.Caption, "1409");
    EXPECT_EQ(panel.B_Gross_L.Tag, 1409);
    EXPECT_EQ(panel.B_Net_L.Caption, "-1414");
    EXPECT_EQ(panel.B_Net_L.Tag, -1414);
    EXPECT_EQ(panel.UpDown1.Position(), 30);
    EXPECT_EQ(panel.Edit6.Text(), "50");
    panel.ShowFigures(f, true);
    EXPECT_TRUE(panel.Budget_P.Visible());
}

TEST_F(BudgetPanelTest, OkStoresThePositionsHidesThePanelAndStartsTheClock) {
    host.clockOn = false;
    panel.Budget_P.Show();
    const int positions[6] = {31, 1, 2, 3, 4, 0};
    auto updowns = panel.UpDowns();
    for (size_t i = 0; i < 6; ++i)
        updowns[i]->SetPosition(positions[i]);
    panel.B_Ok_B.Click();
    EXPECT_EQ(state.taxRate, 31);
    EXPECT_EQ(state.policeFunding, 1);
    EXPECT_EQ(state.fireFunding, 2);
    EXPECT_EQ(state.hospitalFunding, 3);
    EXPECT_EQ(state.educationFunding, 4);
    EXPECT_EQ(state.transportFunding, 0);
    EXPECT_FALSE(panel.Budget_P.Visible());
    EXPECT_TRUE(host.clockOn);
    // A hidden panel's button cannot be pressed.
    host.clockOn = false;
    panel.UpDown1.SetPosition(10);
    panel.B_Ok_B.Click();
    EXPECT_EQ(state.taxRate, 31);
    EXPECT_FALSE(host.clockOn);
}

TEST_F(BudgetPanelTest, ThePositionsAreTheOnesTheBudgetReads) {
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(panel.Position(i), panel.UpDowns()[static_cast<size_t>(i)]->Position());
    EXPECT_FALSE(panel.Position(6).has_value());
    EXPECT_FALSE(panel.Position(-1).has_value());
}

TEST_F(BudgetPanelTest, AYearThroughThePanel) {
    for (int x = 0; x < 10; ++x)
        state.SetCell(x, 0, 17);
    state.funds = 5000;
    // The panel still shows last year's settings: transport at 50.
    panel.ShowFigures(city::ComputeBudget(state, {25, 100, 100, 100, 100, 50}), false);
    state.transportFunding = 50;
    panel.UpDown6.SetPosition(50);
    city::YearlyBudget(state, host);
    EXPECT_TRUE(panel.Budget_P.Visible());
    EXPECT_FALSE(host.clockOn);
    EXPECT_EQ(panel.B_Tr_L.Caption, "350");
    EXPECT_EQ(panel.B_Year.Caption, "1960 Budget");
    EXPECT_EQ(state.funds, 4650);
    // The player raises the tax and confirms.
    panel.UpDown1.SetPosition(30);
    panel.B_Ok_B.Click();
    EXPECT_EQ(state.taxRate, 30);
    EXPECT_TRUE(host.clockOn);
    // With Auto Budget the next year passes without the panel.
    host.autoBudget = true;
    city::YearlyBudget(state, host);
    EXPECT_FALSE(panel.Budget_P.Visible());
    EXPECT_TRUE(host.clockOn);
    EXPECT_EQ(state.funds, 4300);
}

TEST_F(BudgetPanelTest, CentredAsEveryBoxIs) {
    panel.Centre(640, 480);
    EXPECT_EQ(panel.Budget_P.Left, (640 - panel.Budget_P.Width) / 2);
    EXPECT_EQ(panel.Budget_P.Top, (480 - panel.Budget_P.Height) * 2 / 5);
}

TEST_F(BudgetPanelTest, EveryPartIsFoundByName) {
    for (const char* name : {"UpDown1", "UpDown2", "UpDown3", "UpDown4", "UpDown5", "UpDown6"})
        EXPECT_NE(form.Find<ui::UpDown>(name), nullptr) << name;
    for (const char* name : {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5", "Edit6"})
        EXPECT_NE(form.Find<ui::Edit>(name), nullptr) << name;
    for (const char* name : {"B_City_Name", "B_Year", "Label1", "Label6", "B_PT_L", "B_PS_L", "B_FS_L", "B_Ho_L",
                             "B_Ed_L", "B_Tr_L", "B_Gross_L", "B_Net_L"})
        EXPECT_NE(form.Find<ui::Label>(name), nullptr) << name;
    EXPECT_EQ(form.Find<ui::Button>("B_Ok_B"), &panel.B_Ok_B);
    EXPECT_EQ(form.Find<ui::Panel>("Budget_P"), &panel.Budget_P);
}

} // namespace
