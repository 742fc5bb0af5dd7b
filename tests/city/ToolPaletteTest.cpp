// The tool palette: its buttons and menus, the exact line of every choice, the menus'
// opening points, hidden and unlockable items; and the view's scroll bars, arrow keys
// and centring.
#include "city/CityState.h"
#include "platform/ui/Form.h"
#include "platform/ui/Panel.h"
#include "platform/ui/RangeControls.h"
#include "shell/ToolPalette.h"
#include "shell/ViewNavigation.h"

#include <gtest/gtest.h>

#include <set>

using namespace city;

namespace {

struct Ran {
    std::string line;
    bool echo;
    bool recordHistory;
};

class ToolPaletteTest : public ::testing::Test {
protected:
    ToolPaletteTest() { toolsBox.Show(); }
    ui::Form form{"MainForm"};
    ui::GroupBox toolsBox{"Tools_GB", &form};
    CityState state;
    std::vector<Ran> ran;
    ToolPalette palette{form, toolsBox, state,
                        [this](const std::string& line, bool echo, bool history) { ran.push_back({line, echo, history}); }};
};

// The number of a tool line's first field: the group and cursor index.
int GroupOf(const std::string& line) { return std::atoi(line.c_str() + line.find(';') + 1); }

TEST_F(ToolPaletteTest, ButtonsStandInTheirGridWithHintsAndGlyphs) {
    // Three rows of six 30-pixel buttons on a 31-pixel pitch, the centre button beside them.
    const std::pair<const char*, std::pair<int, int>> spots[] = {
        {"Bulldoze_SB", {3, 18}}, {"Industrial_SB", {158, 18}}, {"Rail_SB", {34, 49}},
        {"Power_SB", {3, 80}},    {"Emergancy_SB", {158, 80}},  {"Centre_SB", {190, 18}},
    };
    for (const auto& [name, at] : spots) {
        ui::SpeedButton* b = form.Find<ui::SpeedButton>(name);
        ASSERT_NE(b, nullptr) << name;
        EXPECT_EQ(b->Left, at.first) << name;
        EXPECT_EQ(b->Top, at.second) << name;
        EXPECT_EQ(b->Width, 30);
        EXPECT_EQ(b->Parent(), &toolsBox);
        EXPECT_EQ(b->Glyph, std::string("GLYPH_") + name);
        EXPECT_TRUE(b->ShowHint);
    }
    EXPECT_EQ(form.Find<ui::SpeedButton>("Power_SB")->Hint, "Power Lines / Power Plants");
    EXPECT_EQ(form.Find<ui::SpeedButton>("Emergancy_SB")->Hint, "Emergancy Services");
    // The rotation buttons: larger, disabled, and idle when clicked.
    for (auto [name, left] : {std::pair{"RCCWSB", 190}, {"RCWiSB", 227}}) {
        ui::SpeedButton* b = form.Find<ui::SpeedButton>(name);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->Left, left);
        EXPECT_EQ(b->Top, 74);
        EXPECT_EQ(b->Width, 36);
        EXPECT_FALSE(b->Enabled());
        b->Click();
    }
    EXPECT_TRUE(ran.empty());
}

TEST_F(ToolPaletteTest, TheBoxIsHiddenUntilACityStarts) {
    ToolPalette fresh(form, toolsBox, state, [this](const std::string& l, bool e, bool h) { ran.push_back({l, e, h}); });
    EXPECT_FALSE(toolsBox.Visible());
    form.Find<ui::SpeedButton>("Bulldoze_SB")->Click();
    EXPECT_TRUE(ran.empty());
}

TEST_F(ToolPaletteTest, EveryChoiceRunsItsLineExactly) {
    const auto& table = ToolTable();
    ASSERT_EQ(table.size(), 49u);
    std::set<std::string> names;
    for (const ToolEntry& entry : table) {
        names.insert(entry.name);
        ui::Component* widget = form.FindComponent(entry.name);
        ASSERT_NE(widget, nullptr) << entry.name;
        if (auto* item = dynamic_cast<ui::MenuItem*>(widget)) {
            EXPECT_EQ(item->Caption, entry.caption);
            item->Visible = true; // the hidden two are checked below
        }
        ran.clear();
        widget->Click();
        ASSERT_EQ(ran.size(), 1u) << entry.name;
        EXPECT_EQ(ran[0].line, entry.line);
        EXPECT_FALSE(ran[0].echo);
        EXPECT_FALSE(ran[0].recordHistory);
    }
    EXPECT_EQ(names.size(), table.size());
    // A few lines read exactly as the game has always had them.
    auto lineOf = [&](const std::string& name) {
        for (const ToolEntry& e : table)
            if (name == e.name)
                return std::string(e.line);
        return std::string();
    };
    EXPECT_EQ(lineOf("R_Road"), "SET_TOOL; 4; 17; Road; 20; ROADS.WAV;");
    EXPECT_EQ(lineOf("R_MotorWay"), "SET_TOOL; 4; 18; Motor Way; 200; MOTORWAY.WAV;");
    EXPECT_EQ(palette.Item("R_MotorWay")->Caption, "Motor Way £100");
    EXPECT_EQ(lineOf("G_YourHouse"), "SET_TOOL; 3; 16; Your House; 0; HOUSE;");
    EXPECT_EQ(lineOf("R_Rail"), "SET_TOOL; 5; 20; Railway; 40; RAIL.WAV;");
    EXPECT_EQ(lineOf("Centre_SB"), "SET_TOOL; 19; 1100; Centre; 0; CENTRE.WAV;");
}

TEST_F(ToolPaletteTest, MenusHoldTheirGroupsItemsInOrder) {
    struct Expect {
        const char* button;
        const char* menu;
        int tag;
        std::vector<std::string> items;
    };
    const Expect menus[] = {
        {"Landscape_SB", "Landscape_PM", 0, {"L_Lake", "L_Trees"}},
        {"Gifts_SB", "Gifts_PM", 34, {"G_CityHall", "G_Fountain", "G_Statue", "G_YourHouse"}},
        {"Road_SB", "Road_PM", 17, {"R_Road", "R_MotorWay", "R_BusStation"}},
        {"Rail_SB", "Rail_PM", 26, {"R_Rail", "R_Station", "-", "R_SubStation"}},
        {"Ports_SB", "Ports_PM", 0, {"P_Air", "P_Sea"}},
        {"Power_SB", "Power_PM", 102,
         {"P_PowerLine", "P_Coal", "P_Oil", "P_Gas", "P_Nuclear", "P_Wind", "P_Solar", "P_MicroWave"}},
        {"Sewage_SB", "Sewage_PM", 0, {"S_Treatment", "S_UVTreatment"}},
        {"Residential_SB", "Residential_PM", 0, {"R_LDensity", "R_HDensity"}},
        {"Commercial_SB", "Commercial_PM", 0, {"C_LDensity", "C_HDensity"}},
        {"Industrial_SB", "Industrial_PM", 0, {"I_LDensity", "I_HDensity"}},
        {"Religion_SB", "Religion_PM", 0, {"R_Church", "R_Cathedral"}},
        {"Recreation_SB", "Recreation_PM", 34, {"R_SmallPark", "R_LargePark", "R_Marina", "R_Stadium"}},
        {"Services_SB", "Services_PM", 17, {"S_Police", "S_Fire", "S_Hospital"}},
        {"Education_SB", "Education_PM", 34, {"E_School", "E_College", "E_Library", "E_Museum"}},
        {"Emergancy_SB", "Emergancy_PM", 0, {"E_Police", "E_Fire"}},
    };
    state.popupX = 300;
    state.popupY = 400;
    for (const Expect& e : menus) {
        ui::PopupMenu* menu = form.Find<ui::PopupMenu>(e.menu);
        ASSERT_NE(menu, nullptr) << e.menu;
        EXPECT_EQ(menu->Tag, e.tag) << e.menu;
        std::vector<std::string> items;
        for (const auto& item : menu->Items())
            items.push_back(item->IsSeparator() ? "-" : item->Name);
        EXPECT_EQ(items, e.items);
        // Every item of a menu belongs to its button's group.
        std::set<int> groups;
        for (const auto& item : menu->Items())
            if (!item->IsSeparator()) {
                item->Visible = true;
                ran.clear();
                item->Click();
                ASSERT_EQ(ran.size(), 1u);
                groups.insert(GroupOf(ran[0].line));
            }
        EXPECT_EQ(groups.size(), 1u) << e.menu;
        // The button opens its menu above the pop-up point by the menu's Tag.
        ran.clear();
        form.Find<ui::SpeedButton>(e.button)->Click();
        EXPECT_TRUE(ran.empty());
        EXPECT_TRUE(menu->IsOpen());
        EXPECT_EQ(menu->PopupX(), 300);
        EXPECT_EQ(menu->PopupY(), 400 - e.tag);
        // Choosing an item closes it.
        menu->Items().back()->Click();
        EXPECT_FALSE(menu->IsOpen());
    }
}

TEST_F(ToolPaletteTest, StatueAndStadiumStayHidden) {
    for (const char* name : {"G_Statue", "R_Stadium"}) {
        ui::MenuItem* item = form.Find<ui::MenuItem>(name);
        ASSERT_NE(item, nullptr);
        EXPECT_FALSE(item->Visible);
        item->Click();
    }
    palette.SetUnlockItemEnabled(kUnlockStatue, true);
    EXPECT_TRUE(palette.Item("G_Statue")->Enabled);
    EXPECT_FALSE(palette.Item("G_Statue")->Visible);
    palette.Item("G_Statue")->Click();
    EXPECT_TRUE(ran.empty());
}

TEST_F(ToolPaletteTest, UnlockItemsAreEnabledAndDisabled) {
    const char* names[] = {"P_Nuclear", "P_Wind",     "P_Solar",    "S_UVTreatment", "P_MicroWave",
                           "G_YourHouse", "G_Fountain", "G_CityHall", "G_Statue"};
    for (int i = 0; i < kUnlockCount; ++i) {
        EXPECT_EQ(ToolPalette::UnlockItemName(i), names[i]);
        palette.SetUnlockItemEnabled(i, false);
        EXPECT_FALSE(palette.Item(names[i])->Enabled);
    }
    palette.Item("P_Nuclear")->Click();
    EXPECT_TRUE(ran.empty());
    palette.SetUnlockItemEnabled(kUnlockNuclear, true);
    palette.Item("P_Nuclear")->Click();
    ASSERT_EQ(ran.size(), 1u);
    EXPECT_EQ(ran[0].line, "SET_TOOL; 7; 40; Nuclear Power Plant; 12000; NUCLEAR.WAV;");
    // Numbers outside the nine touch nothing, the separator included.
    palette.SetUnlockItemEnabled(-1, false);
    palette.SetUnlockItemEnabled(kUnlockCount, false);
    for (const auto& item : palette.Menu("Rail_PM")->Items())
        EXPECT_TRUE(item->Enabled);
    EXPECT_TRUE(palette.Item("P_Coal")->Enabled);
}

// --- the view's scroll bars

class ViewNavigationTest : public ::testing::Test {
protected:
    void SetUp() override { nav.SetUp(); }
    void Key(std::uint16_t key) {
        std::uint16_t k = key;
        nav.GameKeyBown(&horz, k, 0);
        EXPECT_EQ(k, ui::VK_NONE);
    }
    ui::ScrollBar horz{"Horz_SB"};
    ui::ScrollBar vert{"Vert_SB"};
    ViewNavigation nav{horz, vert};
};

TEST_F(ViewNavigationTest, BarsStartMidwayAndHidden) {
    EXPECT_EQ(horz.Position(), 35);
    EXPECT_EQ(vert.Position(), 66);
    EXPECT_EQ(vert.Left, 624); // beside the map, below the menu
    EXPECT_EQ(horz.Top, 309);
    EXPECT_FALSE(horz.Visible());
    EXPECT_FALSE(vert.Visible());
    // The ranges hold: 0 to 70 across, 0 to 141 down.
    horz.SetPosition(500);
    vert.SetPosition(500);
    EXPECT_EQ(horz.Position(), 70);
    EXPECT_EQ(vert.Position(), 141);
}

TEST_F(ViewNavigationTest, ArrowsStepAndStopAtTheEnds) {
    Key(ui::VK_UP);
    EXPECT_EQ(vert.Position(), 61);
    Key(ui::VK_DOWN);
    EXPECT_EQ(vert.Position(), 66);
    Key(ui::VK_LEFT);
    EXPECT_EQ(horz.Position(), 33);
    Key(ui::VK_RIGHT);
    EXPECT_EQ(horz.Position(), 35);
    vert.SetPosition(3);
    Key(ui::VK_UP);
    EXPECT_EQ(vert.Position(), 0);
    Key(ui::VK_UP);
    EXPECT_EQ(vert.Position(), 0);
    vert.SetPosition(139);
    Key(ui::VK_DOWN);
    EXPECT_EQ(vert.Position(), 141);
    horz.SetPosition(69);
    Key(ui::VK_RIGHT);
    EXPECT_EQ(horz.Position(), 70);
    Key(ui::VK_RIGHT);
    EXPECT_EQ(horz.Position(), 70);
    horz.SetPosition(1);
    Key(ui::VK_LEFT);
    EXPECT_EQ(horz.Position(), 0);
}

TEST_F(ViewNavigationTest, EveryOtherKeyIsSwallowedAndMovesNothing) {
    for (std::uint16_t key : {std::uint16_t{'A'}, std::uint16_t{ui::VK_PRIOR}, std::uint16_t{ui::VK_NEXT},
                              std::uint16_t{ui::VK_HOME}, std::uint16_t{ui::VK_END}, std::uint16_t{ui::VK_RETURN}}) {
        Key(key);
        EXPECT_EQ(horz.Position(), 35);
        EXPECT_EQ(vert.Position(), 66);
    }
}

TEST_F(ViewNavigationTest, CentringIsClampedByTheBars) {
    nav.Centre(10, 75);
    EXPECT_EQ(horz.Position(), 10);
    EXPECT_EQ(vert.Position(), 75);
    nav.Centre(79, 79);
    EXPECT_EQ(horz.Position(), 70);
    EXPECT_EQ(vert.Position(), 79);
    nav.Centre(-1, -1);
    EXPECT_EQ(horz.Position(), 0);
    EXPECT_EQ(vert.Position(), 0);
}

} // namespace
