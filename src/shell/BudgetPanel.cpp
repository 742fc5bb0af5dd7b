// Layout, filling and the OK of the budget panel.
#include "shell/BudgetPanel.h"

#include "city/CityHost.h"
#include "city/CityState.h"
#include "platform/ui/Form.h"

#include <charconv>
#include <string>

BudgetPanel::BudgetPanel(ui::Control& parent, CityState& state, CityHost& host)
    : Budget_P("Budget_P", &parent),
      B_City_Name("B_City_Name", &Budget_P),
      B_Year("B_Year", &Budget_P),
      Label1("Label1", &Budget_P),
      Label2("Label2", &Budget_P),
      Label3("Label3", &Budget_P),
      Label4("Label4", &Budget_P),
      Label5("Label5", &Budget_P),
      Label6("Label6", &Budget_P),
      B_PT_L("B_PT_L", &Budget_P),
      B_PS_L("B_PS_L", &Budget_P),
      B_FS_L("B_FS_L", &Budget_P),
      B_Ho_L("B_Ho_L", &Budget_P),
      B_Ed_L("B_Ed_L", &Budget_P),
      B_Tr_L("B_Tr_L", &Budget_P),
      B_GrossCaption_L("B_GrossCaption_L", &Budget_P),
      B_NetCaption_L("B_NetCaption_L", &Budget_P),
      B_Gross_L("B_Gross_L", &Budget_P),
      B_Net_L("B_Net_L", &Budget_P),
      Edit1("Edit1", &Budget_P),
      Edit2("Edit2", &Budget_P),
      Edit3("Edit3", &Budget_P),
      Edit4("Edit4", &Budget_P),
      Edit5("Edit5", &Budget_P),
      Edit6("Edit6", &Budget_P),
      UpDown1("UpDown1", &Budget_P),
      UpDown2("UpDown2", &Budget_P),
      UpDown3("UpDown3", &Budget_P),
      UpDown4("UpDown4", &Budget_P),
      UpDown5("UpDown5", &Budget_P),
      UpDown6("UpDown6", &Budget_P),
      B_Ok_B("B_Ok_B", &Budget_P),
      state_(state),
      host_(host) {
    Layout();
    Bind();
    Budget_P.Hide();
}

void BudgetPanel::Layout() {
    Budget_P.SetBounds(0, 0, 281, 257);
    B_City_Name.SetBounds(8, 8, 265, 16);
    B_Year.SetBounds(8, 26, 265, 16);
    B_Year.Caption = "1950 Budget";

    const char* captions[6] = {"Property Taxes", "Police Stations", "Fire Stations", "Hospitals", "Education",
                               "Transport"};
    std::array<ui::Label*, 6> lines = {&Label1, &Label2, &Label3, &Label4, &Label5, &Label6};
    auto amounts = Amounts();
    auto edits = Edits();
    auto updowns = UpDowns();
    for (size_t i = 0; i < 6; ++i) {
        const int top = 50 + static_cast<int>(i) * 24;
        lines[i]->Caption = captions[i];
        lines[i]->SetBounds(8, top + 3, 97, 16);
        amounts[i]->SetBounds(112, top + 3, 65, 16);
        amounts[i]->Caption = "0";
        // The captions and their figures are right-aligned, so the columns line up.
        lines[i]->Alignment = ui::TextAlign::Right;
        amounts[i]->Alignment = ui::TextAlign::Right;
        edits[i]->SetBounds(184, top, 57, 21);
        updowns[i]->SetBounds(241, top, 15, 21);
        updowns[i]->Associate = edits[i];
        updowns[i]->Increment = 1;
        // The tax rate runs to 50, the fundings to 100 per cent.
        updowns[i]->SetRange(0, i == 0 ? 50 : 100);
        updowns[i]->SyncAssociate();
    }
    B_GrossCaption_L.Caption = "Gross";
    B_GrossCaption_L.SetBounds(8, 199, 97, 16);
    B_Gross_L.SetBounds(112, 199, 65, 16);
    B_Gross_L.Caption = "0";
    B_NetCaption_L.Caption = "Net";
    B_NetCaption_L.SetBounds(8, 219, 97, 16);
    B_Net_L.SetBounds(112, 219, 65, 16);
    B_Net_L.Caption = "0";
    for (ui::Label* label : {&B_GrossCaption_L, &B_NetCaption_L, &B_Gross_L, &B_Net_L})
        label->Alignment = ui::TextAlign::Right;
    B_Ok_B.Caption = "OK";
    B_Ok_B.SetBounds(192, 220, 75, 25);
}

void BudgetPanel::Bind() {
    auto edits = Edits();
    auto updowns = UpDowns();
    for (size_t i = 0; i < 6; ++i) {
        ui::Edit* edit = edits[i];
        ui::UpDown* updown = updowns[i];
        // A number typed into the box moves its up-down, held to the up-down's range;
        // anything that is not a number leaves the position where it was.
        edit->OnChange = [edit, updown] {
            const std::string& text = edit->Text();
            int value = 0;
            auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
            if (ec == std::errc() && end == text.data() + text.size() && !text.empty())
                updown->SetPosition(value);
        };
    }
    B_Ok_B.OnClick = [this] { B_Ok_BClick(); };
}

void BudgetPanel::ShowFigures(const BudgetFigures& figures, bool show) {
    B_City_Name.Caption = figures.cityName;
    B_Year.Caption = figures.yearCaption;
    auto updowns = UpDowns();
    for (size_t i = 0; i < 6; ++i)
        updowns[i]->SetPosition(figures.settings[i]);
    auto amounts = Amounts();
    for (size_t i = 0; i < 6; ++i)
        amounts[i]->Caption = std::to_string(figures.amounts[i]);
    B_Gross_L.Caption = std::to_string(figures.gross);
    B_Gross_L.Tag = figures.gross;
    B_Net_L.Caption = std::to_string(figures.net);
    B_Net_L.Tag = figures.net;
    if (show)
        Budget_P.Show();
}

std::optional<int> BudgetPanel::Position(int index) const {
    switch (index) {
    case 0: return UpDown1.Position();
    case 1: return UpDown2.Position();
    case 2: return UpDown3.Position();
    case 3: return UpDown4.Position();
    case 4: return UpDown5.Position();
    case 5: return UpDown6.Position();
    default: return std::nullopt;
    }
}

void BudgetPanel::B_Ok_BClick() {
    state_.taxRate = static_cast<std::int16_t>(UpDown1.Position());
    state_.policeFunding = static_cast<std::int16_t>(UpDown2.Position());
    state_.fireFunding = static_cast<std::int16_t>(UpDown3.Position());
    state_.hospitalFunding = static_cast<std::int16_t>(UpDown4.Position());
    state_.educationFunding = static_cast<std::int16_t>(UpDown5.Position());
    state_.transportFunding = static_cast<std::int16_t>(UpDown6.Position());
    Budget_P.Hide();
    host_.SetClockEnabled(true);
}

void BudgetPanel::Centre(int screenWidth, int screenHeight) {
    Budget_P.Left = (screenWidth - Budget_P.Width) / 2;
    Budget_P.Top = static_cast<int>((screenHeight - Budget_P.Height) * 0.4);
}

void BudgetPanel::RegisterAll(ui::Form& form) {
    ui::Component* parts[] = {&Budget_P, &B_City_Name, &B_Year, &Label1, &Label2, &Label3, &Label4, &Label5,
                              &Label6, &B_PT_L, &B_PS_L, &B_FS_L, &B_Ho_L, &B_Ed_L, &B_Tr_L, &B_GrossCaption_L,
                              &B_NetCaption_L, &B_Gross_L, &B_Net_L, &Edit1, &Edit2, &Edit3, &Edit4, &Edit5,
                              &Edit6, &UpDown1, &UpDown2, &UpDown3, &UpDown4, &UpDown5, &UpDown6, &B_Ok_B};
    for (ui::Component* part : parts)
        form.Register(*part);
}
