// Message boxes and file dialogs drawn by the toolkit: buttons in the set's order, the
// default button, Enter, Escape and letters, clicks that answer only when released on the
// same button, the icon's colour, centring; the file dialog's filter, list and choice.
#include "platform/paint/Desktop.h"
#include "platform/paint/FileDialogView.h"
#include "platform/paint/MessageBoxView.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/Form.h"
#include "platform/ui/MessageBoxFlags.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace paint;

namespace {

MessageBoxView Laid(const std::string& text, unsigned flags) {
    MessageBoxView box("Plazaro", text, flags);
    box.Layout(Rect{0, theme::kMenuBarHeight, 640, 480});
    return box;
}

void ClickButton(MessageBoxView& box, int index) {
    Rect r = box.ButtonRect(index);
    box.MouseDown(r.x + 3, r.y + 3);
    box.MouseUp(r.x + 3, r.y + 3);
}

} // namespace

TEST(MessageBoxes, ButtonsFollowTheSetInOrderWithTheDefaultFocused) {
    MessageBoxView box = Laid("Can't exec City.ini", ui::MB_ABORTRETRYIGNORE | ui::MB_ICONWARNING);
    ASSERT_EQ(box.ButtonCount(), 3);
    EXPECT_EQ(box.ButtonId(0), ui::IDABORT);
    EXPECT_EQ(box.ButtonId(1), ui::IDRETRY);
    EXPECT_EQ(box.ButtonId(2), ui::IDIGNORE);
    EXPECT_EQ(box.FocusedButton(), 0);
    EXPECT_LT(box.ButtonRect(0).Right(), box.ButtonRect(1).x);
    MessageBoxView second = Laid("?", ui::MB_YESNOCANCEL | ui::MB_DEFBUTTON2);
    EXPECT_EQ(second.FocusedButton(), 1);
    second.KeyDown(ui::VK_RETURN, 0);
    EXPECT_EQ(second.Result(), ui::IDNO);
}

TEST(MessageBoxes, EscapeCancelsWhereThereIsACancel) {
    MessageBoxView okCancel = Laid("x", ui::MB_OKCANCEL);
    okCancel.KeyDown(ui::VK_ESCAPE, 0);
    EXPECT_EQ(okCancel.Result(), ui::IDCANCEL);
    MessageBoxView ok = Laid("x", ui::MB_OK);
    ok.KeyDown(ui::VK_ESCAPE, 0);
    EXPECT_EQ(ok.Result(), ui::IDOK);
    MessageBoxView yesNo = Laid("x", ui::MB_YESNO);
    yesNo.KeyDown(ui::VK_ESCAPE, 0);
    EXPECT_FALSE(yesNo.Done());
    // Letters answer with the button they begin; arrows move the focus.
    MessageBoxView ari = Laid("x", ui::MB_ABORTRETRYIGNORE);
    ari.KeyDown(ui::VK_RIGHT, 0);
    ari.KeyDown(ui::VK_RIGHT, 0);
    EXPECT_EQ(ari.FocusedButton(), 2);
    ari.KeyDown(ui::VK_TAB, 0);
    EXPECT_EQ(ari.FocusedButton(), 0);
    ari.KeyDown('R', 0);
    EXPECT_EQ(ari.Result(), ui::IDRETRY);
}

TEST(MessageBoxes, AClickAnswersOnlyWhenReleasedOnTheButtonItPressed) {
    MessageBoxView box = Laid("x", ui::MB_YESNO);
    Rect yes = box.ButtonRect(0), no = box.ButtonRect(1);
    box.MouseDown(yes.x + 2, yes.y + 2);
    EXPECT_EQ(box.PressedButton(), 0);
    box.MouseUp(no.x + 2, no.y + 2);
    EXPECT_FALSE(box.Done());
    box.MouseDown(box.Client().x + 1, box.Client().y + 1); // on the box, not a button
    box.MouseUp(box.Client().x + 1, box.Client().y + 1);
    EXPECT_FALSE(box.Done());
    ClickButton(box, 1);
    EXPECT_EQ(box.Result(), ui::IDNO);
}

TEST(MessageBoxes, LongTextWrapsAndTheBoxIsCentred) {
    std::string longText;
    for (int i = 0; i < 40; ++i)
        longText += "word ";
    MessageBoxView box = Laid(longText + "\nSecond paragraph", ui::MB_OK);
    EXPECT_GT(box.Lines().size(), 2u);
    EXPECT_EQ(box.Lines().back(), "Second paragraph");
    for (const auto& line : box.Lines())
        EXPECT_LE(FrameBuffer::TextWidth(line), 420);
    int left = box.Client().x, right = 640 - box.Client().Right();
    EXPECT_LE(std::abs(left - right), 1);
}

TEST(MessageBoxes, TheDesktopPaintsTheBoxWithItsIconOverEverything) {
    ui::Form form{"Main"};
    form.MainMenu.Add("File", "&File");
    Desktop desktop;
    desktop.SetMainForm(&form);
    desktop.paintCursor = false;
    desktop.displayLayer = Desktop::DisplayLayer::Never;
    // Dark ink in the menu bar: its titles, black while the bar can be used.
    auto barInk = [&](const FrameBuffer& f) {
        int n = 0;
        for (int y = 0; y < theme::kMenuBarHeight; ++y)
            for (int x = 0; x < 100; ++x)
                n += (f.At(x, y) & 0xFFFFFF) < 0x303030;
        return n;
    };
    MessageBoxView& box = desktop.OpenMessageBox("Plazaro", "Error", ui::MB_OK | ui::MB_ICONERROR);
    EXPECT_EQ(desktop.TopMessageBox(), &box);
    FrameBuffer frame;
    desktop.Paint(frame, 0);
    Rect icon = box.IconRect();
    ASSERT_FALSE(icon.Empty());
    // Red disc: a pixel inside it, away from the white cross.
    EXPECT_EQ(frame.At(icon.x + icon.w / 2, icon.y + 4), 0xFF0000u);
    Rect title = WidgetPainter::WindowRectOf(box.Client());
    EXPECT_EQ(frame.At(title.x + 10, title.y + theme::kWindowBorder + 2), theme::kTitle);
    EXPECT_EQ(frame.At(box.ButtonRect(0).x + 3, box.ButtonRect(0).Bottom() - 4), theme::kFace);
    EXPECT_EQ(barInk(frame), 0); // the menu bar is greyed under a box
    // Input goes to the box: clicks on the window below do nothing.
    int downs = 0;
    form.OnMouseDown = [&](ui::MouseButton, ui::ShiftState, int, int) { ++downs; };
    desktop.MouseDown(ui::MouseButton::Left, 5, 400, ui::ssLeft, 1, 0);
    EXPECT_EQ(downs, 0);
    desktop.KeyDown(ui::VK_RETURN, 0, 0);
    EXPECT_EQ(box.Result(), ui::IDOK);
    desktop.CloseMessageBox();
    EXPECT_EQ(desktop.TopMessageBox(), nullptr);
    desktop.Paint(frame, 0);
    EXPECT_GT(barInk(frame), 0);
    desktop.MouseDown(ui::MouseButton::Left, 5, 400, ui::ssLeft, 1, 0);
    EXPECT_EQ(downs, 1);
}

TEST(FileDialogs, FiltersNameTheFilesThatAreListed) {
    EXPECT_EQ(FileDialogView::PatternsOf("City files (*.PZ1)|*.PZ1"), std::vector<std::string>{"*.PZ1"});
    EXPECT_EQ(FileDialogView::PatternsOf("Pictures|*.bmp;*.png|All|*.*"),
              (std::vector<std::string>{"*.bmp", "*.png"}));
    EXPECT_TRUE(FileDialogView::PatternsOf("").empty());
    EXPECT_TRUE(FileDialogView::Matches("town.pz1", {"*.PZ1"}));
    EXPECT_FALSE(FileDialogView::Matches("town.pz1.bak", {"*.PZ1"}));
    EXPECT_TRUE(FileDialogView::Matches("anything", {}));
}

TEST(FileDialogs, AListedFileOrATypedNameIsChosenAndEscapeCancels) {
    auto dir = std::filesystem::temp_directory_path() / "plazaro_paint_files";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir / "sub.pz1");
    std::filesystem::create_directories(dir / ".hidden");
    for (const char* name : {"b.PZ1", "a.pz1", "notes.txt"})
        std::ofstream((dir / name).string()) << "x";
    ui::FileDialog dialog("LoadDialog", ui::FileDialog::Kind::Open);
    dialog.Filter = "City files (*.PZ1)|*.PZ1";
    dialog.InitialDir = dir.string();
    FileDialogView view(dialog);
    EXPECT_EQ(view.Caption(), "Open");
    // Folders first (hidden ones left out), then the matching files with their dates.
    ASSERT_EQ(view.Entries().size(), 3u);
    EXPECT_TRUE(view.Entries()[0].folder);
    EXPECT_EQ(view.Entries()[0].name, "sub.pz1");
    EXPECT_EQ(view.Files(), (std::vector<std::string>{"a.pz1", "b.PZ1"}));
    EXPECT_EQ(view.Entries()[1].date.size(), std::string("2026-12-08 14:40").size());
    view.Layout(Rect{0, theme::kMenuBarHeight, 640, 480});
    Rect list = view.ListRect();
    int row = FrameBuffer::TextHeight();
    // Third row, double-clicked: chosen at once.
    view.MouseDown(list.x + 10, list.y + 3 + 2 * row + row / 2, 2);
    ASSERT_TRUE(view.Done());
    EXPECT_EQ(view.Result(), dir.string() + "/b.PZ1");

    FileDialogView typed(dialog);
    typed.Layout(Rect{0, theme::kMenuBarHeight, 640, 480});
    typed.TypeText("new.pz1");
    typed.MouseDown(typed.OkRect().x + 2, typed.OkRect().y + 2, 1);
    typed.MouseUp(typed.OkRect().x + 2, typed.OkRect().y + 2);
    EXPECT_EQ(typed.Result(), dir.string() + "/new.pz1");

    FileDialogView cancelled(dialog);
    cancelled.KeyDown(ui::VK_ESCAPE, 0);
    EXPECT_TRUE(cancelled.Done());
    EXPECT_FALSE(cancelled.Result().has_value());
    // Enter with no name does not choose.
    FileDialogView empty(dialog);
    empty.KeyDown(ui::VK_RETURN, 0);
    EXPECT_FALSE(empty.Done());
    std::filesystem::remove_all(dir);
}

TEST(FileDialogs, FoldersAreEnteredAndTheOptionsAreHonoured) {
    auto dir = std::filesystem::temp_directory_path() / "plazaro_paint_folders";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir / "cities");
    std::ofstream((dir / "cities" / "Town.PZ1").string()) << "x";
    ui::FileDialog open("OpenDialog", ui::FileDialog::Kind::Open);
    open.Filter = "City File|*.PZ1";
    open.DefaultExt = "*.PZ1";
    open.Options = ui::ofPathMustExist | ui::ofFileMustExist;
    open.InitialDir = dir.string();
    open.Places = {{"Cities", (dir / "cities").string()}};
    FileDialogView view(open);
    view.Layout(Rect{0, theme::kMenuBarHeight, 640, 480});
    Rect list = view.ListRect();
    int row = FrameBuffer::TextHeight();
    // A double click on a folder enters it; "Up" comes back; the place button goes there.
    view.MouseDown(list.x + 10, list.y + 3 + row / 2, 2);
    EXPECT_EQ(view.Folder(), (dir / "cities").string());
    EXPECT_EQ(view.Files(), std::vector<std::string>{"Town.PZ1"});
    auto press = [&](const Rect& r) {
        view.MouseDown(r.x + 2, r.y + 2, 1);
        view.MouseUp(r.x + 2, r.y + 2);
    };
    press(view.PlaceRect(0));
    EXPECT_EQ(view.Folder(), dir.string());
    press(view.PlaceRect(1));
    EXPECT_EQ(view.Folder(), (dir / "cities").string());
    // "File must exist": a name that is not there is refused with a notice.
    view.TypeText("Village");
    view.KeyDown(ui::VK_RETURN, 0);
    EXPECT_FALSE(view.Done());
    EXPECT_EQ(view.Notice(), "There is no file Village.PZ1 here.");
    // A name typed without its extension gets ".PZ1".
    view.NameBox().SetText("Town");
    view.KeyDown(ui::VK_RETURN, 0);
    ASSERT_TRUE(view.Done());
    EXPECT_EQ(view.Result(), (dir / "cities" / "Town.PZ1").string());

    // "Path must exist" in the save dialog: a missing folder is refused; a folder's
    // name typed in opens it.
    ui::FileDialog save("SaveDialog", ui::FileDialog::Kind::Save);
    save.DefaultExt = "*.PZ1";
    save.Options = ui::ofPathMustExist;
    save.InitialDir = dir.string();
    FileDialogView saving(save);
    saving.TypeText("missing/New");
    saving.KeyDown(ui::VK_RETURN, 0);
    EXPECT_FALSE(saving.Done());
    EXPECT_EQ(saving.Notice(), "The folder " + (dir / "missing").string() + " does not exist.");
    saving.NameBox().SetText("cities");
    saving.KeyDown(ui::VK_RETURN, 0);
    EXPECT_EQ(saving.Folder(), (dir / "cities").string());
    saving.TypeText("New");
    saving.KeyDown(ui::VK_RETURN, 0);
    ASSERT_TRUE(saving.Done());
    EXPECT_EQ(saving.Result(), (dir / "cities" / "New.PZ1").string());
    std::filesystem::remove_all(dir);
}
