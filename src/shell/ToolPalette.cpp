// The palette's buttons, menus, hidden and unlockable items, and the 49 tool lines.
#include "shell/ToolPalette.h"

#include "city/CityState.h"
#include "platform/ui/Form.h"
#include "platform/ui/Panel.h"

#include <cstdlib>
#include <stdexcept>

const std::vector<ToolEntry>& ToolTable() {
    static const std::vector<ToolEntry> kTable = {
        {"Bulldoze_SB", "", "SET_TOOL; 1; 9; Bulldoze; 10; BULLDOZE.WAV;"},
        {"L_Lake", "Lake £100", "SET_TOOL; 2; 12; Lake; 100; LAKE.WAV;"},
        {"L_Trees", "Trees £5", "SET_TOOL; 2; 11; Trees; 5; TREES.WAV;"},
        {"G_CityHall", "City Hall", "SET_TOOL; 3; 13; City Hall; 0; HALL.WAV;"},
        {"G_Fountain", "Fountain", "SET_TOOL; 3; 14; Fountain; 0; FOUNT.WAV;"},
        {"G_Statue", "Statue", "SET_TOOL; 3; 15; Statue; 0; STATUE.WAV;"},
        {"G_YourHouse", "Your House", "SET_TOOL; 3; 16; Your House; 0; HOUSE;"},
        {"R_Road", "Road £20", "SET_TOOL; 4; 17; Road; 20; ROADS.WAV;"},
        // The caption says 100; the motorway costs 200.
        {"R_MotorWay", "Motor Way £100", "SET_TOOL; 4; 18; Motor Way; 200; MOTORWAY.WAV;"},
        {"R_BusStation", "Bus Station £300", "SET_TOOL; 4; 19; Bus Station; 300; BUSS.WAV;"},
        {"R_Rail", "Rail £40", "SET_TOOL; 5; 20; Railway; 40; RAIL.WAV;"},
        {"R_Station", "Station £500", "SET_TOOL; 5; 21; Station; 500; RSTATION.WAV;"},
        {"R_SubStation", "Sub-Station £400", "SET_TOOL; 5; 22; Sub-Station; 400; SSTATION.WAV;"},
        {"P_Air", "Air Port £200", "SET_TOOL; 6; 23; Air Port; 200; AIRPORT.WAV;"},
        {"P_Sea", "Sea Port £150", "SET_TOOL; 6; 30; Sea Port; 150; SEAPORT.WAV;"},
        {"P_PowerLine", "Power Line £10", "SET_TOOL; 7; 36; Power Line; 10; POWER.WAV;"},
        {"P_Coal", "Coal Power Plant £4000", "SET_TOOL; 7; 37; Coal Power Plant; 4000; COAL.WAV;"},
        {"P_Oil", "Oil Power Plant £5500", "SET_TOOL; 7; 38; Oil Power Plant; 5500; OIL.WAV;"},
        {"P_Gas", "Gas Power Plant £3000", "SET_TOOL; 7; 39; Gas Power Plant; 3000; GAS.WAV;"},
        {"P_Nuclear", "Nuclear Power Plant £12000", "SET_TOOL; 7; 40; Nuclear Power Plant; 12000; NUCLEAR.WAV;"},
        {"P_Wind", "Wind Turbine £100", "SET_TOOL; 7; 41; Wind Turbine; 100; WIND.WAV;"},
        {"P_Solar", "Solar Power Plant £1600", "SET_TOOL; 7; 42; Solar Power Plant; 1600; SOLAR.WAV;"},
        {"P_MicroWave", "MicroWave Power Plant £26500",
         "SET_TOOL; 7; 43; MicroWave Power Plant; 26500; MICRO.WAV;"},
        {"Pipes_SB", "", "SET_TOOL; 8; 45; Water Pump; 100; WPUMP.WAV;"},
        {"S_Treatment", "Treatment £400", "SET_TOOL; 9; 46; Treatment; 400; TREAT.WAV;"},
        {"S_UVTreatment", "U.V Treatment £1000", "SET_TOOL; 9; 47; U.V Treatment; 1000; UVTREAT.WAV;"},
        {"R_LDensity", "Low Density £10", "SET_TOOL; 10; 48; R Low Density; 10; RESI.WAV;"},
        {"R_HDensity", "High Density £20", "SET_TOOL; 10; 49; R High Density; 20; RESI.WAV;"},
        {"C_LDensity", "Low Density £10", "SET_TOOL; 11; 65; C Low Density; 10; COMMER.WAV;"},
        {"C_HDensity", "High Density £20", "SET_TOOL; 11; 66; C High Density; 20; COMMER.WAV;"},
        {"I_LDensity", "Low Density £10", "SET_TOOL; 12; 82; I Low Density; 10; INDUS.WAV;"},
        {"I_HDensity", "High Density £20", "SET_TOOL; 12; 83; I High Density; 20; INDUS.WAV;"},
        {"R_Church", "Church £500", "SET_TOOL; 13; 99; Church; 500; CHURCH.WAV;"},
        {"R_Cathedral", "Cathedral £1000", "SET_TOOL; 13; 100; Cathedral; 1000; CATH.WAV;"},
        {"R_SmallPark", "Small Park £30", "SET_TOOL; 14; 108; Small Park; 30; SPARK.WAV;"},
        {"R_LargePark", "Large Park £200", "SET_TOOL; 14; 109; Large Park; 200; LPARK.WAV;"},
        {"R_Marina", "Marina £1000", "SET_TOOL; 14; 110; Marina; 1000; MARINA.WAV;"},
        {"R_Stadium", "Stadium £5000", "SET_TOOL; 14; 111; Stadium; 5000; STADIUM.WAV;"},
        {"S_Police", "Police Station £1000", "SET_TOOL; 15; 101; Police Station; 1000; PSTATION.WAV;"},
        {"S_Fire", "Fire Station £1000", "SET_TOOL; 15; 102; Fire Station; 1000; FSTATION.WAV;"},
        {"S_Hospital", "Hospital £1000", "SET_TOOL; 15; 103; Hospital; 1000; HOSPIT.WAV;"},
        {"E_School", "School £400", "SET_TOOL; 16; 104; School; 400; SCHOOL.WAV;"},
        {"E_College", "College £1000", "SET_TOOL; 16; 105; College; 1000; COLLEGE.WAV;"},
        {"E_Library", "Library £500", "SET_TOOL; 16; 106; Library; 500; OK.WAV;"},
        {"E_Museum", "Museum £800", "SET_TOOL; 16; 107; Museum; 800; MUSEUM.WAV;"},
        {"Query_SB", "", "SET_TOOL; 17; 1000; Query; 0; QUERY.WAV;"},
        {"E_Police", "Dispatch Police", "SET_TOOL; 18; 112; Police; 0; OK.WAV;"},
        {"E_Fire", "Dispatch Firefighters", "SET_TOOL; 18; 113; Firefighters; 0; OK.WAV;"},
        {"Centre_SB", "", "SET_TOOL; 19; 1100; Centre; 0; CENTRE.WAV;"},
    };
    return kTable;
}

namespace {

// The menu items of the nine unlocks, in the order of city::Unlock.
const char* const kUnlockItems[city::kUnlockCount] = {"P_Nuclear",   "P_Wind",     "P_Solar",
                                                      "S_UVTreatment", "P_MicroWave", "G_YourHouse",
                                                      "G_Fountain",  "G_CityHall", "G_Statue"};

// The price shown in a caption ("Road £20" gives 20), 0 when it shows none; the item's
// Tag keeps it for reference only.
int CaptionPrice(const std::string& caption) {
    const auto pound = caption.find("£");
    return pound == std::string::npos ? 0 : std::atoi(caption.c_str() + pound + std::string("£").size());
}

} // namespace

const ToolEntry& ToolPalette::Entry(const std::string& name) {
    for (const ToolEntry& entry : ToolTable())
        if (name == entry.name)
            return entry;
    throw std::logic_error("no tool line for " + name);
}

std::string ToolPalette::UnlockItemName(int unlock) {
    return unlock >= 0 && unlock < city::kUnlockCount ? kUnlockItems[unlock] : std::string();
}

ToolPalette::ToolPalette(ui::Form& form, ui::GroupBox& toolsBox, const CityState& state, RunCommandFn runCommand)
    : form_(form), toolsBox_(toolsBox), state_(state), runCommand_(std::move(runCommand)) {
    toolsBox_.Caption = "Tools";
    toolsBox_.SetBounds(0, 326, 268, 115);
    toolsBox_.BackColor = ui::clSilver;
    toolsBox_.Hide(); // shown when a city starts
    form_.Register(toolsBox_);

    auto& landscape = AddMenu("Landscape_PM", 0, {"L_Lake", "L_Trees"});
    auto& gifts = AddMenu("Gifts_PM", 34, {"G_CityHall", "G_Fountain", "G_Statue", "G_YourHouse"});
    auto& road = AddMenu("Road_PM", 17, {"R_Road", "R_MotorWay", "R_BusStation"});
    auto& rail = AddMenu("Rail_PM", 26, {"R_Rail", "R_Station", "-", "R_SubStation"});
    auto& ports = AddMenu("Ports_PM", 0, {"P_Air", "P_Sea"});
    auto& power = AddMenu("Power_PM", 102,
                          {"P_PowerLine", "P_Coal", "P_Oil", "P_Gas", "P_Nuclear", "P_Wind", "P_Solar", "P_MicroWave"});
    auto& sewage = AddMenu("Sewage_PM", 0, {"S_Treatment", "S_UVTreatment"});
    auto& residential = AddMenu("Residential_PM", 0, {"R_LDensity", "R_HDensity"});
    auto& commercial = AddMenu("Commercial_PM", 0, {"C_LDensity", "C_HDensity"});
    auto& industrial = AddMenu("Industrial_PM", 0, {"I_LDensity", "I_HDensity"});
    auto& religion = AddMenu("Religion_PM", 0, {"R_Church", "R_Cathedral"});
    auto& recreation = AddMenu("Recreation_PM", 34, {"R_SmallPark", "R_LargePark", "R_Marina", "R_Stadium"});
    auto& services = AddMenu("Services_PM", 17, {"S_Police", "S_Fire", "S_Hospital"});
    auto& education = AddMenu("Education_PM", 34, {"E_School", "E_College", "E_Library", "E_Museum"});
    auto& emergency = AddMenu("Emergancy_PM", 0, {"E_Police", "E_Fire"});

    // Nothing ever shows these two, so the Statue and the Stadium cannot be chosen here.
    Item("G_Statue")->Visible = false;
    Item("R_Stadium")->Visible = false;

    const int cols[] = {3, 34, 65, 96, 127, 158};
    const int rows[] = {18, 49, 80};
    SelectOnClick(AddButton("Bulldoze_SB", "Bulldoze", cols[0], rows[0], 30));
    OpenOnClick(AddButton("Landscape_SB", "Lakes / Trees", cols[1], rows[0], 30), landscape);
    OpenOnClick(AddButton("Gifts_SB", "Gifts", cols[2], rows[0], 30), gifts);
    OpenOnClick(AddButton("Residential_SB", "Residential", cols[3], rows[0], 30), residential);
    OpenOnClick(AddButton("Commercial_SB", "Commercial", cols[4], rows[0], 30), commercial);
    OpenOnClick(AddButton("Industrial_SB", "Industrial", cols[5], rows[0], 30), industrial);
    OpenOnClick(AddButton("Road_SB", "Roads", cols[0], rows[1], 30), road);
    OpenOnClick(AddButton("Rail_SB", "Rail / Subway", cols[1], rows[1], 30), rail);
    OpenOnClick(AddButton("Ports_SB", "AirPort / SeaPort", cols[2], rows[1], 30), ports);
    OpenOnClick(AddButton("Religion_SB", "Religion", cols[3], rows[1], 30), religion);
    OpenOnClick(AddButton("Recreation_SB", "Recreation", cols[4], rows[1], 30), recreation);
    OpenOnClick(AddButton("Services_SB", "City Services", cols[5], rows[1], 30), services);
    OpenOnClick(AddButton("Power_SB", "Power Lines / Power Plants", cols[0], rows[2], 30), power);
    SelectOnClick(AddButton("Pipes_SB", "Water Pump", cols[1], rows[2], 30));
    OpenOnClick(AddButton("Sewage_SB", "Sewage Treatment", cols[2], rows[2], 30), sewage);
    OpenOnClick(AddButton("Education_SB", "Education", cols[3], rows[2], 30), education);
    SelectOnClick(AddButton("Query_SB", "Query Tool", cols[4], rows[2], 30));
    OpenOnClick(AddButton("Emergancy_SB", "Emergancy Services", cols[5], rows[2], 30), emergency);
    SelectOnClick(AddButton("Centre_SB", "Centre Tool", 190, 18, 30));

    // The view has a single orientation: the rotation buttons stay disabled and idle.
    rotateLeft_ = &AddButton("RCCWSB", "", 190, 74, 36);
    rotateRight_ = &AddButton("RCWiSB", "", 227, 74, 36);
    rotateLeft_->SetEnabled(false);
    rotateRight_->SetEnabled(false);
}

ToolPalette::~ToolPalette() = default;

ui::SpeedButton& ToolPalette::AddButton(const std::string& name, const std::string& hint, int left, int top,
                                        int size) {
    auto button = std::make_unique<ui::SpeedButton>(name, &toolsBox_);
    button->SetBounds(left, top, size, size);
    button->Hint = hint;
    button->ShowHint = true;
    button->Glyph = "GLYPH_" + name;
    form_.Register(*button);
    buttons_.push_back(std::move(button));
    return *buttons_.back();
}

ui::PopupMenu& ToolPalette::AddMenu(const std::string& name, int tag, std::initializer_list<const char*> items) {
    auto menu = std::make_unique<ui::PopupMenu>(name);
    menu->Tag = tag;
    form_.Register(*menu);
    ui::PopupMenu* raw = menu.get();
    for (const char* itemName : items) {
        if (std::string(itemName) == "-") {
            raw->Add("", "-");
            continue;
        }
        const ToolEntry& entry = Entry(itemName);
        ui::MenuItem& item = raw->Add(entry.name, entry.caption);
        item.Tag = CaptionPrice(entry.caption);
        const std::string line = entry.line;
        item.OnClick = [this, raw, line] {
            raw->Close();
            runCommand_(line, false, false);
        };
        form_.Register(item);
    }
    menus_.push_back(std::move(menu));
    return *raw;
}

void ToolPalette::SelectOnClick(ui::SpeedButton& button) {
    const std::string line = Entry(button.Name).line;
    button.OnClick = [this, line] { runCommand_(line, false, false); };
}

void ToolPalette::OpenOnClick(ui::SpeedButton& button, ui::PopupMenu& menu) {
    ui::PopupMenu* target = &menu;
    button.OnClick = [this, target] {
        target->Popup(state_.popupX, state_.popupY - static_cast<int>(target->Tag));
    };
}

ui::SpeedButton* ToolPalette::Button(const std::string& name) const {
    for (const auto& button : buttons_)
        if (button->Name == name)
            return button.get();
    return nullptr;
}

ui::PopupMenu* ToolPalette::Menu(const std::string& name) const {
    for (const auto& menu : menus_)
        if (menu->Name == name)
            return menu.get();
    return nullptr;
}

ui::MenuItem* ToolPalette::Item(const std::string& name) const {
    for (const auto& menu : menus_)
        for (const auto& item : menu->Items())
            if (item->Name == name)
                return item.get();
    return nullptr;
}

void ToolPalette::SetUnlockItemEnabled(int unlock, bool enabled) {
    const std::string name = UnlockItemName(unlock);
    if (name.empty())
        return;
    if (ui::MenuItem* item = Item(name))
        item->Enabled = enabled;
}
