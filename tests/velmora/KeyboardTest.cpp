// The keyboard component: key names found in any case but never shortened, the
// answers of Bind (bound, query, not bound, incorrect), commands cut to their slot,
// one DIKeyDown per key held in ascending scan-code order, a lost keyboard taken back
// a bounded number of times with the keys read again, the set-up failures, and the
// flip timer shared with the display as the window's timer 1.
#include "VelmoraFixture.h"

#include "velmora/TKx_DInput.h"

#include <cstring>

using namespace velmoratest;
using namespace dinput;

namespace {

class KeyboardTest : public VelmoraTest {
protected:
    void SetUp() override {
        VelmoraTest::SetUp();
        keyboard = std::make_unique<TKx_DInput>();
        keyboard->DIKeyDown = [this](ui::Component* sender, int key) {
            EXPECT_EQ(sender, keyboard.get());
            keys.push_back(key);
        };
    }
    void TearDown() override {
        keyboard.reset();
        VelmoraTest::TearDown();
    }
    std::unique_ptr<TKx_DInput> keyboard;
    std::vector<int> keys;
};

} // namespace

TEST_F(KeyboardTest, KeyNamesInAnyCaseButNeverShortened) {
    EXPECT_EQ(TKx_DInput::GetKeyCode("ESCAPE"), 0x01);
    EXPECT_EQ(TKx_DInput::GetKeyCode("escape"), 0x01);
    EXPECT_EQ(TKx_DInput::GetKeyCode("EsCaPe"), 0x01);
    EXPECT_EQ(TKx_DInput::GetKeyCode("ESC"), 0);
    EXPECT_EQ(TKx_DInput::GetKeyCode("pageDown"), 0xD1);
    EXPECT_EQ(TKx_DInput::GetKeyCode(""), 0);
    EXPECT_EQ(TKx_DInput::GetKeyName(0x37), ""); // a scan code without a name
    EXPECT_EQ(TKx_DInput::GetKeyName(0x2B), "#");
    // Names and codes are exact inverses over the 91 keys.
    int named = 0;
    for (int code = 0; code < 256; ++code) {
        std::string name = TKx_DInput::GetKeyName(code);
        if (name.empty())
            continue;
        ++named;
        EXPECT_EQ(TKx_DInput::GetKeyCode(name), code) << name;
    }
    EXPECT_EQ(named, 91);
}

TEST_F(KeyboardTest, BindAnswersLikeAConsole) {
    EXPECT_EQ(keyboard->Bind("ESC", "QUIT"), "Incorrect Number");
    EXPECT_EQ(keyboard->Bind("Q", ""), "Q Not bound");
    EXPECT_EQ(keyboard->Bind("Q", "QUIT"), "Q Bound");
    EXPECT_EQ(keyboard->Bind("q", ""), "Q QUIT");
    EXPECT_EQ(keyboard->GetCommand(DIK_Q), "QUIT");
    EXPECT_EQ(keyboard->Bind("space", "FIRE"), "SPACE Bound");
    EXPECT_EQ(keyboard->GetCommand(DIK_SPACE), "FIRE");

    // A slot holds 14 characters; a longer command is cut, a shorter one replaces it whole.
    EXPECT_EQ(keyboard->Bind("W", "ABCDEFGHIJKLMNOPQRS"), "W Bound");
    EXPECT_EQ(keyboard->GetCommand(DIK_W), "ABCDEFGHIJKLMN");
    EXPECT_EQ(keyboard->Bind("W", "UP"), "W Bound");
    EXPECT_EQ(keyboard->Bind("W", ""), "W UP");
}

TEST_F(KeyboardTest, CommandsOutsideTheTableAndUnbindingAll) {
    keyboard->Bind("A", "LEFT");
    keyboard->Bind("DELETE", "ERASE");
    EXPECT_EQ(keyboard->GetCommand(-1), "");
    EXPECT_EQ(keyboard->GetCommand(256), "");
    EXPECT_EQ(keyboard->GetCommand(DIK_B), "");
    // Slot 0 is reached by no key name, and UnBindAll leaves it.
    std::memcpy(keyboard->Commands[0].data(), "ZERO", 5);
    keyboard->UnBindAll();
    EXPECT_EQ(keyboard->GetCommand(0), "ZERO");
    EXPECT_EQ(keyboard->GetCommand(DIK_A), "");
    EXPECT_EQ(keyboard->GetCommand(DIK_DELETE), "");
}

TEST_F(KeyboardTest, OneEventPerKeyHeldInAscendingOrder) {
    SetKeyState(DIK_DELETE, true);
    SetKeyState(DIK_A, true);
    SetKeyState(DIK_ESCAPE, true);
    keyboard->UpdateInputState(); // sets itself up first
    EXPECT_TRUE(keyboard->Active);
    EXPECT_EQ(keys, (std::vector<int>{DIK_ESCAPE, DIK_A, DIK_DELETE}));
    keys.clear();
    SetKeyState(DIK_A, false);
    keyboard->UpdateInputState();
    EXPECT_EQ(keys, (std::vector<int>{DIK_ESCAPE, DIK_DELETE}));
    keys.clear();
    ReleaseAllKeys();
    keyboard->UpdateInputState();
    EXPECT_TRUE(keys.empty());
    keyboard->DIKeyDown = nullptr; // no handler: the keys are read all the same
    SetKeyState(DIK_A, true);
    EXPECT_NO_THROW(keyboard->UpdateInputState());
}

TEST_F(KeyboardTest, ALostKeyboardIsTakenBackABoundedNumberOfTimes) {
    keyboard->UpdateInputState();
    SetKeyState(DIK_UP, true);
    SetInputFocus(false);
    FaultInjector::ClearAll();
    keyboard->UpdateInputState(); // another window has the focus: no keys, no hang
    EXPECT_TRUE(keys.empty());
    EXPECT_EQ(FaultInjector::Calls("DirectInputDevice.Acquire"), TKx_DInput::kMaxAcquireAttempts);

    // Back in focus: taken back, and the keys of this very call are read again.
    SetInputFocus(true);
    keyboard->UpdateInputState();
    EXPECT_EQ(keys, (std::vector<int>{DIK_UP}));
    // A keyboard that cannot be read even after taking it back reports nothing.
    keys.clear();
    FaultInjector::Fail("DirectInputDevice.GetDeviceState", DIERR_INPUTLOST, 2);
    keyboard->UpdateInputState();
    EXPECT_TRUE(keys.empty());
}

TEST_F(KeyboardTest, SetUpFailuresRaiseTheirTexts) {
    struct Case {
        const char* call;
        const char* text;
    };
    const Case cases[] = {
        {"DirectInputCreate", "Exception: Can't create DI Object"},
        {"DirectInput.CreateDevice", "Exception: Can't obtain Interface"},
        {"DirectInputDevice.SetDataFormat", "Exception: Can't set data format"},
        {"DirectInputDevice.SetCooperativeLevel", "Exception: Can't set cooperative level"},
    };
    for (const Case& c : cases) {
        FaultInjector::Fail(c.call, DIERR_GENERIC);
        EXPECT_EQ(ErrorOf([&] { keyboard->Init(); }), c.text);
        EXPECT_FALSE(keyboard->Active);
        keyboard->EndInput();
        EXPECT_EQ(keyboard->DirectInput, nullptr);
        EXPECT_EQ(keyboard->Keyboard, nullptr);
    }
    // A failed set-up is released and tried again by the next update.
    FaultInjector::Fail("DirectInputDevice.SetDataFormat", DIERR_GENERIC);
    EXPECT_THROW(keyboard->UpdateInputState(), ui::Exception);
    SetKeyState(DIK_F1, true);
    keyboard->UpdateInputState();
    EXPECT_EQ(keys, (std::vector<int>{DIK_F1}));
}

TEST_F(KeyboardTest, EndInputReleasesEverythingButTheBindings) {
    keyboard->Bind("ENTER", "GO");
    keyboard->UpdateInputState();
    IDirectInputDevice* device = keyboard->Keyboard;
    ASSERT_TRUE(device->Acquired());
    device->AddRef();
    keyboard->EndInput();
    EXPECT_FALSE(keyboard->Active);
    EXPECT_EQ(keyboard->Keyboard, nullptr);
    EXPECT_FALSE(device->Acquired());
    EXPECT_EQ(device->RefCount(), 1u);
    device->Release();
    EXPECT_EQ(keyboard->GetCommand(DIK_RETURN), "GO");
    SetKeyState(DIK_RETURN, true);
    keyboard->UpdateInputState();
    EXPECT_EQ(keys, (std::vector<int>{DIK_RETURN}));
}

TEST_F(KeyboardTest, TheKeyboardsTimerIsTheWindowsTimerOneWhichTheDisplaysSharesAndReplaces) {
    // The display starts timer 1 of the window; the keyboard's start of the same timer
    // replaces it: one timer at the later interval, one flip per firing.
    display->UseTimer = true;
    display->TimerInterval = 40;
    display->Init();
    keyboard->UseTimer = true;
    keyboard->TimerInterval = 40;
    keyboard->Init();
    ASSERT_EQ(keyboard->Handle, display->Handle);
    bool toggle = display->FrameToggle;
    backend.now = 40;
    ui::Application::Instance().FireDueTimers(40);
    EXPECT_NE(display->FrameToggle, toggle) << "flipped twice: two timers ran";
    toggle = display->FrameToggle;
    backend.now = 80;
    ui::Application::Instance().FireDueTimers(80);
    EXPECT_NE(display->FrameToggle, toggle);

    keyboard->TimerInterval = 25;
    keyboard->EndInput();
    keyboard->Init();
    const ui::Timer* timer = FlipTimerOf(display->Handle);
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->Interval(), 25u);
    // The display going does not stop the timer the keyboard started last; the
    // keyboard going does.
    display.reset();
    EXPECT_EQ(FlipTimerOf(keyboard->Handle), timer);
    const ddraw::HWND window = keyboard->Handle;
    keyboard.reset();
    EXPECT_EQ(FlipTimerOf(window), nullptr);
}
