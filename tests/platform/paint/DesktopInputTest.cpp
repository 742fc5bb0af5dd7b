// The pointer and keys reach the right widget: a button clicks only when released on
// itself, arrows and tracks move scroll bars by their changes (and repeat when held),
// thumbs drag, up-downs step, edit boxes take typing (never while a scroll bar has the
// focus), the window gets the clicks on
// its own area in client coordinates, boxes take all input while they show, hints come
// after a rest, and the frame's signature changes exactly when the picture would.
#include "platform/paint/Desktop.h"
#include "platform/ui/Application.h"
#include "platform/ui/Backend.h"
#include "platform/ui/Button.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/Edit.h"
#include "platform/ui/Form.h"
#include "platform/ui/Label.h"
#include "platform/ui/MessageBoxFlags.h"
#include "platform/ui/Panel.h"
#include "platform/ui/RangeControls.h"
#include "platform/ui/Screen.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>

using namespace paint;

namespace {

constexpr int kBar = theme::kMenuBarHeight;

class DesktopInput : public ::testing::Test {
protected:
    void SetUp() override {
        desktop.SetMainForm(&form);
        desktop.paintCursor = false;
        desktop.displayLayer = Desktop::DisplayLayer::Never;
        form.OnMouseDown = [this](ui::MouseButton b, ui::ShiftState, int x, int y) {
            downs.push_back({int(b), x, y});
        };
        form.OnMouseMove = [this](ui::ShiftState s, int x, int y) { moves.push_back({int(s), x, y}); };
    }
    // Client coordinates to frame coordinates.
    void Down(int x, int y, int clicks = 1, std::uint64_t now = 0) {
        desktop.MouseDown(ui::MouseButton::Left, x, y + kBar, ui::ssLeft, clicks, now);
    }
    void Up(int x, int y, std::uint64_t now = 0) { desktop.MouseUp(ui::MouseButton::Left, x, y + kBar, 0, now); }
    void Click(int x, int y, int clicks = 1) {
        Down(x, y, clicks);
        Up(x, y);
    }
    void Move(int x, int y, std::uint64_t now = 0) { desktop.MouseMove(x, y + kBar, 0, now); }

    struct Event {
        int a, x, y;
        bool operator==(const Event&) const = default;
    };
    ui::Form form{"Main"};
    Desktop desktop;
    std::vector<Event> downs, moves;
};

} // namespace

TEST_F(DesktopInput, HitTestingFindsTheDeepestShowingControl) {
    ui::Panel panel{"P", &form};
    panel.SetBounds(100, 100, 200, 100);
    ui::Button inner{"B", &panel};
    inner.SetBounds(10, 10, 50, 20);
    ui::Label behind{"L", &form};
    behind.SetBounds(0, 0, 50, 50);
    EXPECT_EQ(desktop.ControlAt(115, 115 + kBar), &inner);
    EXPECT_EQ(desktop.ControlAt(190, 190 + kBar), &panel);
    EXPECT_EQ(desktop.ControlAt(10, 10 + kBar), &behind);
    EXPECT_EQ(desktop.ControlAt(400, 400 + kBar), &form);
    EXPECT_EQ(desktop.ControlAt(10, 5), nullptr); // the menu bar
    EXPECT_EQ(desktop.ControlRect(inner), (Rect{110, 110 + kBar, 50, 20}));
    panel.Hide();
    EXPECT_EQ(desktop.ControlAt(115, 115 + kBar), &form);
}

TEST_F(DesktopInput, AButtonClicksOnlyWhenReleasedOverItself) {
    ui::Button button{"B", &form};
    button.SetBounds(10, 10, 75, 25);
    int clicks = 0;
    button.OnClick = [&] { ++clicks; };
    Down(20, 20);
    EXPECT_EQ(clicks, 0); // not on the way down
    Up(20, 20);
    EXPECT_EQ(clicks, 1);
    Down(20, 20);
    Move(200, 200);
    Up(200, 200);
    EXPECT_EQ(clicks, 1);
    // Let go because the window lost the input: no click.
    Down(20, 20);
    desktop.CancelPointer();
    Up(20, 20);
    EXPECT_EQ(clicks, 1);
    button.SetEnabled(false);
    Click(20, 20);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(downs.empty()); // the window never saw these clicks
}

TEST_F(DesktopInput, RadioButtonsCheckAndDoubleClicksReachTheirHandler) {
    ui::Panel group{"G", &form};
    group.SetBounds(0, 0, 200, 100);
    ui::RadioButton a{"A", &group}, b{"B", &group};
    a.SetBounds(10, 10, 100, 17);
    b.SetBounds(10, 30, 100, 17);
    a.SetChecked(true);
    int doubles = 0;
    b.OnDblClick = [&] { ++doubles; };
    Click(20, 35);
    EXPECT_TRUE(b.Checked());
    EXPECT_FALSE(a.Checked());
    Click(20, 35, 2);
    EXPECT_EQ(doubles, 1);
    ui::CheckBox check{"C", &group};
    check.SetBounds(10, 60, 100, 17);
    Click(15, 65);
    EXPECT_TRUE(check.Checked);
    Click(15, 65);
    EXPECT_FALSE(check.Checked);
}

TEST_F(DesktopInput, ScrollBarArrowsTracksAndThumbsMoveThePosition) {
    ui::ScrollBar bar{"Horz_SB", &form};
    bar.SetBounds(0, 309, 623, 16);
    bar.SetRange(0, 70);
    bar.SmallChange = 2;
    bar.LargeChange = 5;
    bar.SetPosition(35);
    Click(5, 315); // left arrow
    EXPECT_EQ(bar.Position(), 33);
    Click(618, 315); // right arrow
    EXPECT_EQ(bar.Position(), 35);
    Click(30, 315); // the track left of the thumb
    EXPECT_EQ(bar.Position(), 30);
    Click(600, 315);
    EXPECT_EQ(bar.Position(), 35);
    EXPECT_EQ(form.ActiveControl, &bar);
    // Dragging the thumb to the far end.
    Rect r = desktop.ControlRect(bar);
    Rect thumb = ScrollBarLayout(bar, r).thumb;
    desktop.MouseDown(ui::MouseButton::Left, thumb.x + 2, thumb.y + 2, ui::ssLeft, 1, 0);
    desktop.MouseMove(700, thumb.y + 2, ui::ssLeft, 0);
    EXPECT_EQ(bar.Position(), 70);
    desktop.MouseMove(thumb.x + 2, thumb.y + 2, ui::ssLeft, 0);
    EXPECT_EQ(bar.Position(), 35);
    desktop.MouseUp(ui::MouseButton::Left, thumb.x + 2, thumb.y + 2, 0, 0);
    // The wheel moves it by its small change.
    desktop.MouseWheel(300, 315 + kBar, -1);
    EXPECT_EQ(bar.Position(), 37);
    EXPECT_TRUE(moves.empty());
}

TEST_F(DesktopInput, AHeldArrowRepeatsAfterADelayWhileThePointerStaysOnIt) {
    ui::ScrollBar bar{"Vert_SB", &form};
    bar.kind = ui::ScrollBar::Kind::Vertical;
    bar.SetBounds(624, 20, 16, 305);
    bar.SetRange(0, 141);
    bar.SmallChange = 5;
    bar.SetPosition(0);
    Down(630, 320, 1, 1000);
    EXPECT_EQ(bar.Position(), 5);
    desktop.Tick(1200);
    EXPECT_EQ(bar.Position(), 5);
    desktop.Tick(1400);
    EXPECT_EQ(bar.Position(), 10);
    desktop.Tick(1500);
    EXPECT_EQ(bar.Position(), 15);
    Move(300, 100, 1550); // off the arrow: no more steps
    desktop.Tick(1700);
    EXPECT_EQ(bar.Position(), 15);
    Up(300, 100, 1700);
    desktop.Tick(2000);
    EXPECT_EQ(bar.Position(), 15);
    // When the window loses the input the arrow is let go at once.
    Down(630, 320, 1, 3000);
    EXPECT_EQ(bar.Position(), 20);
    desktop.CancelPointer();
    desktop.Tick(4000);
    EXPECT_EQ(bar.Position(), 20);
}

TEST_F(DesktopInput, UpDownsStepAndTrackBarsFollowThePointer) {
    ui::Edit edit{"Edit1", &form};
    edit.SetBounds(184, 50, 57, 21);
    ui::UpDown updown{"UpDown1", &form};
    updown.SetBounds(241, 50, 15, 21);
    updown.Associate = &edit;
    updown.SetRange(0, 50);
    updown.SetPosition(25);
    Click(248, 53);
    EXPECT_EQ(updown.Position(), 26);
    EXPECT_EQ(edit.Text(), "26");
    Click(248, 68);
    Click(248, 68);
    EXPECT_EQ(updown.Position(), 24);

    ui::TrackBar track{"Volume_TB", &form};
    track.SetBounds(16, 200, 170, 33);
    track.SetRange(0, 15);
    Rect r = desktop.ControlRect(track);
    desktop.MouseDown(ui::MouseButton::Left, r.Right() - 2, r.y + 16, ui::ssLeft, 1, 0);
    desktop.MouseUp(ui::MouseButton::Left, r.Right() - 2, r.y + 16, 0, 0);
    EXPECT_EQ(track.Position(), 15);
    Rect thumb = TrackBarThumb(track, r);
    desktop.MouseDown(ui::MouseButton::Left, thumb.x + thumb.w / 2, thumb.y + 3, ui::ssLeft, 1, 0);
    desktop.MouseMove(r.x, thumb.y + 3, ui::ssLeft, 0);
    EXPECT_EQ(track.Position(), 0);
    desktop.MouseUp(ui::MouseButton::Left, r.x, thumb.y + 3, 0, 0);
}

TEST_F(DesktopInput, EditBoxesTakeTheFocusAndTheTyping) {
    ui::Edit a{"A", &form}, b{"B", &form};
    a.SetBounds(10, 10, 100, 21);
    b.SetBounds(10, 40, 100, 21);
    a.MaxLength = 5;
    // Two boxes and neither focused: typing has nowhere to go.
    desktop.TextInput("x");
    EXPECT_EQ(a.Text(), "");
    EXPECT_EQ(b.Text(), "");
    Click(20, 45);
    EXPECT_EQ(form.ActiveControl, &b);
    desktop.TextInput("hello");
    EXPECT_EQ(b.Text(), "hello");
    Click(20, 15);
    desktop.TextInput("abcdefg");
    EXPECT_EQ(a.Text(), "abcde");
    desktop.KeyDown(ui::VK_BACK, 0, 0);
    EXPECT_EQ(a.Text(), "abcd");
    // With one box in sight, typing finds it by itself, and its text, taken as chosen,
    // gives way to what is typed; from then on typing adds to it.
    b.Hide();
    form.ActiveControl = nullptr;
    desktop.TextInput("Z");
    EXPECT_EQ(a.Text(), "Z");
    EXPECT_EQ(form.ActiveControl, &a);
    desktop.TextInput("oe");
    EXPECT_EQ(a.Text(), "Zoe");
    // An erasing key on a box found that way empties it; a click keeps the text.
    form.ActiveControl = nullptr;
    desktop.KeyDown(ui::VK_BACK, 0, 0);
    EXPECT_EQ(a.Text(), "");
    desktop.TextInput("New");
    Click(20, 15);
    desktop.TextInput("er");
    EXPECT_EQ(a.Text(), "Newer");

    // A scroll bar with the focus: a letter goes to no edit box, and the box does not
    // take the focus; the bar's key handler gets the key.
    ui::ScrollBar bar{"Vert_SB", &form};
    bar.kind = ui::ScrollBar::Kind::Vertical;
    bar.SetBounds(300, 10, 16, 200);
    std::vector<std::uint16_t> barKeys;
    bar.OnKeyDown = [&](std::uint16_t& key, ui::ShiftState) {
        barKeys.push_back(key);
        key = ui::VK_NONE;
    };
    Click(305, 100);
    ASSERT_EQ(form.ActiveControl, &bar);
    desktop.KeyDown('Q', 0, 0);
    desktop.TextInput("q");
    EXPECT_EQ(a.Text(), "Newer");
    EXPECT_EQ(form.ActiveControl, &bar);
    EXPECT_EQ(barKeys, std::vector<std::uint16_t>{'Q'});
}

TEST_F(DesktopInput, EditBoxesSelectCutCopyAndPaste) {
    ui::Edit a{"A", &form}, b{"B", &form};
    a.SetBounds(10, 10, 100, 21);
    b.SetBounds(10, 40, 100, 21);
    a.MaxLength = 12;
    a.SetText("New City");
    b.SetText("Other");
    auto key = [&](std::uint16_t k, ui::ShiftState s = 0) { desktop.KeyDown(k, s, 0); };
    // A triple click takes the whole text, and typing replaces it.
    Click(20, 15, 1);
    Click(20, 15, 2);
    Click(20, 15, 3);
    EXPECT_EQ(a.SelectedText(), "New City");
    desktop.TextInput("Riverside");
    EXPECT_EQ(a.Text(), "Riverside");
    // Shift with Home, End and the arrows stretches the selection; Ctrl+C copies it
    // and Ctrl+V pastes it in place of the next selection, up to the length limit.
    key(ui::VK_HOME, ui::ssShift);
    EXPECT_EQ(a.SelectedText(), "Riverside");
    key(ui::VK_RIGHT);
    EXPECT_EQ(a.CaretPos(), 9u); // Right from a selection lands at its end
    key(ui::VK_LEFT, ui::ssShift);
    key(ui::VK_LEFT, ui::ssShift);
    key(ui::VK_LEFT, ui::ssShift);
    key(ui::VK_LEFT, ui::ssShift);
    EXPECT_EQ(a.SelectedText(), "side");
    key('C', ui::ssCtrl);
    key(ui::VK_END);
    desktop.TextInput(" ");
    key('V', ui::ssCtrl);
    key('V', ui::ssCtrl);
    EXPECT_EQ(a.Text(), "Riverside si"); // the second paste stops at 12 letters
    // Ctrl+A and Ctrl+X: the whole text to the clipboard, the box empty.
    key('A', ui::ssCtrl);
    key('X', ui::ssCtrl);
    EXPECT_EQ(a.Text(), "");
    EXPECT_EQ(ui::Clipboard::Instance().Text(), "Riverside si");
    // A pasted text keeps to one line; Backspace takes a selection as a whole.
    ui::Clipboard::Instance().SetText("Hill\ntop");
    key(ui::VK_INSERT, ui::ssShift);
    EXPECT_EQ(a.Text(), "Hill");
    key(ui::VK_LEFT, ui::ssShift);
    key(ui::VK_LEFT, ui::ssShift);
    key(ui::VK_BACK);
    EXPECT_EQ(a.Text(), "Hi");
}

TEST_F(DesktopInput, TheWindowGetsItsOwnClicksAndMovesInClientCoordinates) {
    ui::Panel panel{"P", &form};
    panel.SetBounds(0, 0, 641, 20);
    Click(300, 200);
    ASSERT_EQ(downs.size(), 1u);
    EXPECT_EQ(downs[0], (Event{int(ui::MouseButton::Left), 300, 200}));
    desktop.MouseDown(ui::MouseButton::Right, 10, 470 + kBar, ui::ssRight, 1, 0);
    desktop.MouseUp(ui::MouseButton::Right, 10, 470 + kBar, 0, 0);
    EXPECT_EQ(downs.back(), (Event{int(ui::MouseButton::Right), 10, 470}));
    Move(123, 45);
    EXPECT_EQ(moves.back(), (Event{0, 123, 45}));
    // Moves over a child control are the child's; clicks on a panel are not the window's.
    std::size_t before = moves.size();
    Move(100, 10);
    EXPECT_EQ(moves.size(), before);
    Click(100, 10);
    EXPECT_EQ(downs.size(), 2u);
    // While a button is down on the window it keeps the pointer, even over a child.
    Down(300, 200);
    desktop.MouseMove(100, 10 + kBar, ui::ssLeft | ui::ssShift, 0);
    EXPECT_EQ(moves.back(), (Event{ui::ssLeft | ui::ssShift, 100, 10}));
    Up(100, 10);
}

TEST_F(DesktopInput, KeysGoThroughTheWindowsShortcutsAndHandler) {
    std::vector<std::uint16_t> keys;
    form.OnKeyDown = [&](std::uint16_t& key, ui::ShiftState) { keys.push_back(key); };
    int toggles = 0;
    ui::MenuItem& windows = form.MainMenu.Add("Windows", "&Windows");
    ui::MenuItem& console = windows.Add("W_Console", "&Console");
    console.Shortcut = ui::ShortCut{ui::VK_F2, 0};
    console.OnClick = [&] { ++toggles; };
    desktop.KeyDown(ui::VK_UP, 0, 0);
    desktop.KeyDown(ui::VK_F2, 0, 0);
    EXPECT_EQ(keys, std::vector<std::uint16_t>{ui::VK_UP});
    EXPECT_EQ(toggles, 1);
    // A focused button clicks with Space or Enter.
    ui::Button ok{"Ok", &form};
    ok.SetBounds(10, 10, 75, 25);
    int clicks = 0;
    ok.OnClick = [&] { ++clicks; };
    form.ActiveControl = &ok;
    desktop.KeyDown(ui::VK_RETURN, 0, 0);
    desktop.KeyDown(ui::VK_SPACE, 0, 0);
    EXPECT_EQ(clicks, 2);
}

namespace {

// A backend whose event loop plays queued steps, one per pump, as a player would act.
class StepBackend : public ui::Backend {
public:
    std::deque<std::function<void()>> steps;
    int ShowMessageBox(const std::string&, const std::string&, unsigned flags) override {
        return ui::DefaultButton(flags);
    }
    void ShowErrorBox(const std::string&, const std::string&) override {}
    std::optional<std::string> ExecuteFileDialog(const ui::FileDialog&) override { return std::nullopt; }
    std::uint64_t NowMs() override { return 0; }
    bool PumpEvents(bool) override {
        if (steps.empty())
            return false;
        auto step = std::move(steps.front());
        steps.pop_front();
        step();
        return true;
    }
};

} // namespace

TEST_F(DesktopInput, AModalBoxTakesTheInputAndAnswersEnterAndEscape) {
    ui::Button behind{"Behind", &form};
    behind.SetBounds(0, 0, 640, 480);
    int behindClicks = 0;
    behind.OnClick = [&] { ++behindClicks; };
    ui::Form box{"SoundBox"};
    box.SetBounds(200, 100, 204, 155);
    box.Hide();
    ui::Button ok{"SOk_B", &box};
    ok.SetBounds(64, 112, 75, 25);
    ok.Default = true;
    int okClicks = 0;
    ok.OnClick = [&] {
        ++okClicks;
        box.CloseModal(ui::IDOK);
    };
    desktop.AddForm(&box);
    EXPECT_EQ(desktop.InputForm(), &form);
    Rect client = desktop.FormClientRect(box);
    EXPECT_EQ(client, (Rect{200 + theme::kWindowBorder, kBar + 100 + theme::kWindowBorder + theme::kTitleHeight,
                            204, 155}));
    EXPECT_EQ(desktop.ControlRect(ok), (Rect{client.x + 64, client.y + 112, 75, 25}));

    StepBackend backend;
    auto& app = ui::Application::Instance();
    app.SetBackend(&backend);
    std::vector<ui::Form*> inputs;
    // A click beside the box reaches nothing; a key goes to the box; Enter presses its
    // default button, which ends the loop.
    backend.steps.push_back([&] {
        inputs.push_back(desktop.InputForm());
        Click(10, 10);
        EXPECT_EQ(desktop.ControlAt(15, 15 + kBar), nullptr);
    });
    backend.steps.push_back([&] { desktop.KeyDown(ui::VK_RETURN, 0, 0); });
    EXPECT_EQ(box.ShowModal(), ui::IDOK);
    EXPECT_EQ(inputs, std::vector<ui::Form*>{&box});
    EXPECT_EQ(okClicks, 1);
    EXPECT_EQ(behindClicks, 0);
    EXPECT_FALSE(box.Visible());
    EXPECT_EQ(desktop.InputForm(), &form);

    // Escape closes a box as cancelled; a click on its button closes it as the button says.
    backend.steps.push_back([&] { desktop.KeyDown(ui::VK_ESCAPE, 0, 0); });
    EXPECT_EQ(box.ShowModal(), ui::IDCANCEL);
    backend.steps.push_back([&] {
        Rect b = desktop.ControlRect(ok);
        desktop.MouseDown(ui::MouseButton::Left, b.x + 5, b.y + 5, ui::ssLeft, 1, 0);
        desktop.MouseUp(ui::MouseButton::Left, b.x + 5, b.y + 5, 0, 0);
    });
    EXPECT_EQ(box.ShowModal(), ui::IDOK);
    EXPECT_EQ(okClicks, 2);

    // A box with only an Ok that applies its settings is not closed by Escape.
    box.CloseOnEscape = false;
    bool openAfterEscape = false;
    backend.steps.push_back([&] { desktop.KeyDown(ui::VK_ESCAPE, 0, 0); });
    backend.steps.push_back([&] {
        openAfterEscape = box.IsModal();
        desktop.KeyDown(ui::VK_RETURN, 0, 0);
    });
    EXPECT_EQ(box.ShowModal(), ui::IDOK);
    EXPECT_TRUE(openAfterEscape);
    EXPECT_EQ(okClicks, 3);
    app.SetBackend(nullptr);
}

TEST_F(DesktopInput, HintsShowAfterARestAndGoAway) {
    ui::SpeedButton button{"Road_SB", &form};
    button.SetBounds(3, 49, 30, 30);
    button.Hint = "Roads";
    button.ShowHint = true;
    ui::SpeedButton quiet{"Quiet", &form};
    quiet.SetBounds(40, 49, 30, 30);
    quiet.Hint = "never shown";
    Move(10, 60, 1000);
    desktop.Tick(1000 + theme::kHintDelayMs - 1);
    EXPECT_EQ(desktop.HintText(), "");
    desktop.Tick(1000 + theme::kHintDelayMs);
    EXPECT_EQ(desktop.HintText(), "Roads");
    Rect hint = desktop.HintRect();
    EXPECT_GT(hint.y, 60 + kBar);
    FrameBuffer frame;
    desktop.Paint(frame, 1600);
    EXPECT_EQ(frame.At(hint.x + 1, hint.y + 1), theme::kHintBack);
    EXPECT_EQ(frame.At(hint.x, hint.y), theme::kText);
    desktop.Tick(1000 + theme::kHintDelayMs + theme::kHintShowMs);
    EXPECT_EQ(desktop.HintText(), "");
    // A press hides it; a control without ShowHint has none.
    Move(50, 60, 10000);
    desktop.Tick(20000);
    EXPECT_EQ(desktop.HintText(), "");
}

TEST_F(DesktopInput, TheSignatureChangesExactlyWhenTheFrameWould) {
    ui::Label label{"L", &form};
    label.SetBounds(0, 0, 100, 16);
    label.Caption = "1950";
    std::uint64_t first = desktop.Signature(0);
    EXPECT_EQ(desktop.Signature(0), first);
    EXPECT_EQ(desktop.Signature(5000), first); // no caret, no blinking
    label.Caption = "1951";
    std::uint64_t second = desktop.Signature(0);
    EXPECT_NE(second, first);
    label.Hide();
    EXPECT_NE(desktop.Signature(0), second);
    label.Show();
    EXPECT_EQ(desktop.Signature(0), second);
    ui::Screen::Instance().SetCurrentCursor(4);
    EXPECT_NE(desktop.Signature(0), second);
    ui::Screen::Instance().SetCurrentCursor(0);
    // A focused edit box blinks its caret.
    ui::Edit edit{"E", &form};
    edit.SetBounds(0, 40, 100, 21);
    form.ActiveControl = &edit;
    EXPECT_NE(desktop.Signature(0), desktop.Signature(600));
}
