// Menus: titles across the bar, drop-downs of 17-pixel items and 9-pixel separators kept
// on the frame, shortcut texts, and what clicks and keys on the bar and in drop-down and
// pop-up menus do: open, switch, run an enabled item, close without running.
#include "platform/paint/Desktop.h"
#include "platform/ui/Form.h"
#include "platform/ui/MenuItem.h"

#include <gtest/gtest.h>

using namespace paint;

namespace {

constexpr int kBar = theme::kMenuBarHeight;

class Menus : public ::testing::Test {
protected:
    void SetUp() override {
        file = &form.MainMenu.Add("File", "&File");
        newCity = &file->Add("F_NewCity", "&New City");
        newCity->Shortcut = ui::ShortCut{'N', ui::ssCtrl};
        file->Add("N1", "-");
        save = &file->Add("F_Save", "&Save");
        speed = &form.MainMenu.Add("Speed", "&Speed");
        pause = &speed->Add("S_Pause", "&Pause");
        pause->Shortcut = ui::ShortCut{ui::VK_F1, ui::ssAlt};
        newCity->OnClick = [this] { ran.push_back("new"); };
        save->OnClick = [this] { ran.push_back("save"); };
        pause->OnClick = [this] { ran.push_back("pause"); };
        popup.Add("One", "One £10").OnClick = [this] { ran.push_back("one"); };
        popup.Add("Sep", "-");
        popup.Add("Two", "Two £20").OnClick = [this] { ran.push_back("two"); };
        form.Register(popup);
        desktop.SetMainForm(&form);
        desktop.paintCursor = false;
        desktop.displayLayer = Desktop::DisplayLayer::Never;
    }
    Rect TitleRect(ui::MenuItem* item) {
        for (const MenuBox& box : desktop.MenuBar())
            if (box.item == item)
                return box.rect;
        return Rect{};
    }
    Rect RowRect(ui::MenuItem* item) {
        auto column = desktop.OpenColumn();
        if (!column)
            return Rect{};
        int row = column->RowOf(item);
        return row < 0 ? Rect{} : column->rows[std::size_t(row)].rect;
    }
    void Click(const Rect& r) {
        int x = r.x + r.w / 2, y = r.y + r.h / 2;
        desktop.MouseDown(ui::MouseButton::Left, x, y, 0, 1, 0);
        desktop.MouseUp(ui::MouseButton::Left, x, y, 0, 0);
    }

    ui::Form form{"Main"};
    ui::MenuItem *file = nullptr, *newCity = nullptr, *save = nullptr, *speed = nullptr, *pause = nullptr;
    ui::PopupMenu popup{"Test_PM"};
    Desktop desktop;
    std::vector<std::string> ran;
};

} // namespace

TEST_F(Menus, TitlesStandLeftToRightAndHiddenOnesAreLeftOut) {
    auto bar = desktop.MenuBar();
    ASSERT_EQ(bar.size(), 2u);
    EXPECT_EQ(bar[0].item, file);
    EXPECT_EQ(bar[0].rect.Right(), bar[1].rect.x);
    EXPECT_EQ(bar[0].rect.h, kBar - 2);
    speed->Visible = false;
    EXPECT_EQ(desktop.MenuBar().size(), 1u);
}

TEST_F(Menus, ColumnsAreSeventeenPixelsAnItemAndNineASeparator) {
    Rect bounds{0, 0, 640, 500};
    MenuColumn column = MenuLayout::Column(*file, 10, 19, bounds);
    ASSERT_EQ(column.rows.size(), 3u);
    EXPECT_EQ(column.box.h, 17 + 9 + 17 + 2 * theme::kMenuBorder);
    EXPECT_EQ(column.rows[1].rect.h, 9);
    EXPECT_EQ(column.rows[2].rect.y, column.rows[0].rect.y + 26);
    // Separators and borders hit nothing.
    EXPECT_EQ(column.ItemAt(column.rows[1].rect.x + 5, column.rows[1].rect.y + 4), nullptr);
    EXPECT_EQ(column.ItemAt(column.box.x + 1, column.box.y + 1), nullptr);
    EXPECT_EQ(column.ItemAt(column.rows[2].rect.x + 5, column.rows[2].rect.y + 4), save);
    // Hidden items take no room.
    save->Visible = false;
    EXPECT_EQ(MenuLayout::Column(*file, 10, 19, bounds).box.h, 17 + 9 + 2 * theme::kMenuBorder);
    // A menu that would leave the frame is moved back onto it.
    MenuColumn late = MenuLayout::Column(*file, 630, 495, bounds);
    EXPECT_EQ(late.box.Right(), 640);
    EXPECT_EQ(late.box.Bottom(), 500);
}

TEST_F(Menus, ShortcutsReadAsTheMenuShowsThem) {
    EXPECT_EQ(MenuLayout::ShortCutText(ui::ShortCut{'N', ui::ssCtrl}), "Ctrl+N");
    EXPECT_EQ(MenuLayout::ShortCutText(ui::ShortCut{ui::VK_F1, ui::ssAlt}), "Alt+F1");
    EXPECT_EQ(MenuLayout::ShortCutText(ui::ShortCut{ui::VK_F3, 0}), "F3");
    EXPECT_EQ(MenuLayout::ShortCutText(ui::ShortCut{}), "");
}

TEST_F(Menus, ABarClickOpensItsMenuAndAnItemClickRunsIt) {
    Click(TitleRect(file));
    EXPECT_EQ(desktop.OpenMenu(), file);
    EXPECT_TRUE(ran.empty());
    // The drop-down hangs under its title.
    auto column = desktop.OpenColumn();
    ASSERT_TRUE(column);
    EXPECT_EQ(column->box.x, TitleRect(file).x);
    EXPECT_EQ(desktop.MenuItemAt(RowRect(save).x + 3, RowRect(save).y + 3), save);
    Click(RowRect(save));
    EXPECT_EQ(ran, std::vector<std::string>{"save"});
    EXPECT_EQ(desktop.OpenMenu(), nullptr);
}

TEST_F(Menus, DisabledItemsDoNothingAndAClickBesideCloses) {
    save->Enabled = false;
    Click(TitleRect(file));
    Click(RowRect(save));
    EXPECT_TRUE(ran.empty());
    EXPECT_EQ(desktop.OpenMenu(), file); // still open, as the platform leaves it
    Click(Rect{300, 300, 1, 1});
    EXPECT_EQ(desktop.OpenMenu(), nullptr);
    EXPECT_TRUE(ran.empty());
    // Clicking the open title again closes it too.
    Click(TitleRect(file));
    Click(TitleRect(file));
    EXPECT_EQ(desktop.OpenMenu(), nullptr);
}

TEST_F(Menus, MovingAlongTheBarSwitchesTheOpenMenu) {
    Click(TitleRect(file));
    Rect s = TitleRect(speed);
    desktop.MouseMove(s.x + 2, s.y + 2, 0, 0);
    EXPECT_EQ(desktop.OpenMenu(), speed);
    desktop.MouseMove(RowRect(pause).x + 2, RowRect(pause).y + 2, 0, 0);
    EXPECT_EQ(desktop.HighlightedItem(), pause);
}

TEST_F(Menus, KeysOpenWalkAndRunMenus) {
    form.KeyPreview = false;
    desktop.KeyDown('F', ui::ssAlt, 0);
    EXPECT_EQ(desktop.OpenMenu(), file);
    desktop.KeyDown(ui::VK_DOWN, 0, 0);
    EXPECT_EQ(desktop.HighlightedItem(), newCity);
    desktop.KeyDown(ui::VK_DOWN, 0, 0); // past the separator
    EXPECT_EQ(desktop.HighlightedItem(), save);
    desktop.KeyDown(ui::VK_RIGHT, 0, 0);
    EXPECT_EQ(desktop.OpenMenu(), speed);
    desktop.KeyDown(ui::VK_ESCAPE, 0, 0);
    EXPECT_EQ(desktop.OpenMenu(), nullptr);
    desktop.KeyDown('F', ui::ssAlt, 0);
    desktop.KeyDown(ui::VK_DOWN, 0, 0);
    desktop.KeyDown(ui::VK_RETURN, 0, 0);
    EXPECT_EQ(ran, std::vector<std::string>{"new"});
    // A letter marked in an item runs it; a shortcut works with no menu open.
    desktop.KeyDown('S', ui::ssAlt, 0);
    desktop.KeyDown('P', 0, 0);
    desktop.KeyDown(ui::VK_F1, ui::ssAlt, 0);
    desktop.KeyDown('N', ui::ssCtrl, 0);
    EXPECT_EQ(ran, (std::vector<std::string>{"new", "pause", "pause", "new"}));
}

TEST_F(Menus, PopupsOpenAtTheirPointAndCloseOnAChoiceOrBeside) {
    popup.Popup(270, 300);
    auto column = desktop.OpenColumn();
    ASSERT_TRUE(column);
    EXPECT_EQ(column->box.x, 270);
    EXPECT_EQ(column->box.y, 300 + kBar); // screen points are client points
    EXPECT_EQ(desktop.OpenPopup(), &popup);
    Click(column->rows[2].rect);
    EXPECT_EQ(ran, std::vector<std::string>{"two"});
    EXPECT_FALSE(popup.IsOpen());
    popup.Popup(270, 300);
    Click(Rect{10, 100, 1, 1});
    EXPECT_FALSE(popup.IsOpen());
    EXPECT_EQ(ran.size(), 1u);
    popup.Popup(270, 300);
    desktop.KeyDown(ui::VK_ESCAPE, 0, 0);
    EXPECT_FALSE(popup.IsOpen());
}

TEST_F(Menus, APopupMadeOrRemovedAfterTheDesktopLookedIsFoundOrForgotten) {
    EXPECT_EQ(desktop.OpenPopup(), nullptr);
    {
        ui::PopupMenu late{"Late_PM"};
        late.Add("Three", "Three");
        form.Register(late);
        late.Popup(100, 100);
        EXPECT_EQ(desktop.OpenPopup(), &late);
        form.Unregister(late);
        EXPECT_EQ(desktop.OpenPopup(), nullptr);
    }
    popup.Popup(270, 300);
    EXPECT_EQ(desktop.OpenPopup(), &popup);
}

TEST_F(Menus, OpenMenusArePaintedRaisedWithTheHighlightInNavy) {
    FrameBuffer frame;
    Click(TitleRect(file));
    desktop.MouseMove(RowRect(save).x + 2, RowRect(save).y + 2, 0, 0);
    desktop.Paint(frame, 0);
    auto column = desktop.OpenColumn();
    ASSERT_TRUE(column);
    EXPECT_EQ(frame.At(column->box.x, column->box.y), theme::kHighlight);
    EXPECT_EQ(frame.At(column->box.Right() - 1, column->box.Bottom() - 1), theme::kDarkShadow);
    Rect lit = RowRect(save);
    EXPECT_EQ(frame.At(lit.Right() - 2, lit.y + 1), theme::kSelection);
    Rect plain = RowRect(newCity);
    EXPECT_EQ(frame.At(plain.Right() - 2, plain.y + 1), theme::kFace);
    // The open title is lit in the bar.
    Rect title = TitleRect(file);
    EXPECT_EQ(frame.At(title.x + 1, title.y + 1), theme::kSelection);
}

TEST_F(Menus, CheckMarksAreDrawnBesideCheckedItems) {
    FrameBuffer frame;
    Click(TitleRect(speed));
    desktop.Paint(frame, 0);
    Rect row = RowRect(pause);
    auto darkIn = [&](const Rect& r) {
        int n = 0;
        for (int y = r.y; y < r.Bottom(); ++y)
            for (int x = r.x; x < r.Right(); ++x)
                n += frame.At(x, y) == theme::kText;
        return n;
    };
    Rect mark{row.x + 2, row.y, 14, row.h};
    EXPECT_EQ(darkIn(mark), 0);
    pause->Checked = true;
    desktop.Paint(frame, 0);
    EXPECT_GT(darkIn(mark), 10);
}
