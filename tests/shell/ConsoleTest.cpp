// The console's keys: Enter runs the box's line into the history, Up and Down
// browse the ring of ten; F2 shows and hides the console and empties the box.
#include "ShellFixture.h"

namespace {

using ConsoleKeys = ShellTest;

void Press(TMainForm& form, std::uint16_t key) { form.C_Input_E.KeyDown(key, 0); }

void Type(TMainForm& form, const std::string& text) {
    form.C_Input_E.Clear();
    form.C_Input_E.TypeText(text);
    Press(form, ui::VK_RETURN);
}

TEST_F(ConsoleKeys, UpRightAfterStartShowsAnEmptyText) {
    CommandHistory::Instance().ResetHistory();
    form->C_Input_E.SetText("typed");
    Press(*form, ui::VK_UP);
    EXPECT_EQ(form->C_Input_E.Text(), "");
}

TEST_F(ConsoleKeys, UpAndDownBrowseFromTheEntryShown) {
    CommandHistory::Instance().ResetHistory();
    Type(*form, "ECHO; A;");
    Type(*form, "ECHO; B;");
    Type(*form, "ECHO; C;");
    EXPECT_EQ(form->C_Input_E.Text(), "ECHO; C;"); // the box keeps the line
    const char* expected[] = {"ECHO; B;", "ECHO; A;", "ECHO; B;", "ECHO; C;", "ECHO; C;"};
    std::uint16_t keys[] = {ui::VK_UP, ui::VK_UP, ui::VK_DOWN, ui::VK_DOWN, ui::VK_DOWN};
    for (int i = 0; i < 5; ++i) {
        Press(*form, keys[i]);
        EXPECT_EQ(form->C_Input_E.Text(), expected[i]) << i;
    }
}

TEST_F(ConsoleKeys, OnlyTheLastTenCanBeRecalled) {
    CommandHistory& h = CommandHistory::Instance();
    h.ResetHistory();
    for (int i = 1; i <= 12; ++i)
        Type(*form, "ECHO; " + std::to_string(i) + ";");
    for (int i = 0; i < 9; ++i)
        Press(*form, ui::VK_UP);
    EXPECT_EQ(form->C_Input_E.Text(), "ECHO; 3;");
    Press(*form, ui::VK_UP);
    EXPECT_EQ(form->C_Input_E.Text(), "ECHO; 3;"); // stays at the oldest
}

TEST_F(ConsoleKeys, AtTheOldestEndAnEmptyNinthEntryShowsTheEighth) {
    CommandHistory& h = CommandHistory::Instance();
    h.ResetHistory();
    // ResetHistory keeps entry 9 as it was; the fixture left it empty.
    for (int i = 1; i <= 9; ++i)
        h.AddToHistory("L" + std::to_string(i));
    for (int i = 0; i < 12; ++i)
        h.OlderEntry();
    EXPECT_EQ(h.BrowsePosition(), 9);
    EXPECT_EQ(h.OlderEntry(), "L1");
}

TEST_F(ConsoleKeys, ANewLineAfterBrowsingIsInsertedAtEntryZero) {
    CommandHistory& h = CommandHistory::Instance();
    h.ResetHistory();
    Type(*form, "ECHO; A;");
    Type(*form, "ECHO; B;");
    Press(*form, ui::VK_UP); // position 1: A
    Type(*form, "ECHO; C;");
    // Entries are now C, B, A; the position still stands at 1.
    Press(*form, ui::VK_UP);
    EXPECT_EQ(form->C_Input_E.Text(), "ECHO; A;");
}

TEST_F(ConsoleKeys, RefusedAndMistypedLinesStillEnterTheHistory) {
    Type(*form, "BOGUS;");
    EXPECT_EQ(form->C_Memo.Line(0), "Command BOGUS; not accepted!");
    EXPECT_EQ(CommandHistory::Instance().NewestEntry(), "BOGUS;");
}

TEST_F(ConsoleKeys, TheInputBoxTakesAtMostSixtyFourCharacters) {
    form->C_Input_E.Clear();
    form->C_Input_E.TypeText(std::string(100, 'x'));
    EXPECT_EQ(form->C_Input_E.Text().size(), 64u);
}

TEST_F(ConsoleKeys, F2ShowsAndHidesTheConsoleKeepingRepliesAndHistory) {
    EXPECT_FALSE(form->Console_P.Visible());
    form->KeyPress(ui::VK_F2, 0);
    EXPECT_TRUE(form->Console_P.Visible());
    EXPECT_TRUE(form->W_Console->Checked);
    Type(*form, "ECHO; kept;");
    form->C_Input_E.SetText("half typed");
    form->KeyPress(ui::VK_F2, 0);
    EXPECT_FALSE(form->Console_P.Visible());
    EXPECT_EQ(form->C_Input_E.Text(), "");
    form->W_Console->Click();
    EXPECT_TRUE(form->Console_P.Visible());
    EXPECT_EQ(form->C_Input_E.Text(), "");
    EXPECT_EQ(form->C_Memo.Line(0), "kept");
    EXPECT_EQ(CommandHistory::Instance().NewestEntry(), "ECHO; kept;");
}

TEST_F(ConsoleKeys, ResetHistoryGreetsThePlayer) {
    CommandHistory& h = CommandHistory::Instance();
    h.AddToHistory("x");
    EXPECT_EQ(h.ResetHistory(), "ECHO; Server initialised;");
    EXPECT_EQ(h.NewestEntry(), "");
    EXPECT_EQ(h.BrowsePosition(), 0);
}

} // namespace
