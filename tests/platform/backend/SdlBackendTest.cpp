// The SDL window: the frame is scaled by whole multiples and centred with bars, window
// pixels map back to frame pixels exactly, SDL keys become the toolkit's key codes, and
// on the dummy video driver a window opens, presents only when something changed, routes
// clicks, keys and typing to widgets, fires timers from real time (inside boxes too),
// ends a box's loop with its answer, and ends the program's loop when it is closed.
#include "platform/backend/sdl/SdlBackend.h"
#include "platform/ui/Application.h"
#include "platform/ui/Button.h"
#include "platform/ui/Edit.h"
#include "platform/ui/Form.h"
#include "platform/ui/Label.h"
#include "platform/ui/MessageBoxFlags.h"
#include "platform/ui/Timer.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>

using sdl::SdlBackend;
using sdl::Viewport;

namespace {

constexpr int kFrameW = 640, kFrameH = 500;

} // namespace

TEST(SdlWindowArithmetic, TheFrameTakesTheLargestWholeScaleAndIsCentred) {
    Viewport exact = SdlBackend::FitFrame(640, 500, kFrameW, kFrameH);
    EXPECT_EQ(exact.scale, 1);
    EXPECT_EQ(exact.x, 0);
    EXPECT_EQ(exact.y, 0);
    Viewport twice = SdlBackend::FitFrame(1280, 1000, kFrameW, kFrameH);
    EXPECT_EQ(twice.scale, 2);
    EXPECT_EQ(twice.w, 1280);
    // Not quite three times: twice, with bars on every side.
    Viewport bars = SdlBackend::FitFrame(1900, 1100, kFrameW, kFrameH);
    EXPECT_EQ(bars.scale, 2);
    EXPECT_EQ(bars.x, (1900 - 1280) / 2);
    EXPECT_EQ(bars.y, (1100 - 1000) / 2);
    // The narrower side decides.
    EXPECT_EQ(SdlBackend::FitFrame(3000, 1000, kFrameW, kFrameH).scale, 2);
    // A window smaller than the frame still shows it at scale 1.
    Viewport small = SdlBackend::FitFrame(400, 300, kFrameW, kFrameH);
    EXPECT_EQ(small.scale, 1);
    EXPECT_EQ(small.x, -120);
}

TEST(SdlWindowArithmetic, WindowPixelsMapBackToFramePixelsExactly) {
    Viewport v = SdlBackend::FitFrame(1900, 1100, kFrameW, kFrameH); // scale 2 at (310, 50)
    int fx = 0, fy = 0;
    EXPECT_TRUE(SdlBackend::WindowToFrame(v, 310, 50, fx, fy));
    EXPECT_EQ(fx, 0);
    EXPECT_EQ(fy, 0);
    // Both window pixels of a scaled frame pixel give that pixel.
    EXPECT_TRUE(SdlBackend::WindowToFrame(v, 311, 51, fx, fy));
    EXPECT_EQ(fx, 0);
    EXPECT_EQ(fy, 0);
    EXPECT_TRUE(SdlBackend::WindowToFrame(v, 310 + 1279, 50 + 999, fx, fy));
    EXPECT_EQ(fx, 639);
    EXPECT_EQ(fy, 499);
    // Every frame pixel's window block maps back to it.
    for (int x = 0; x < kFrameW; x += 37)
        for (int y = 0; y < kFrameH; y += 41) {
            int wx = v.x + x * v.scale + v.scale - 1, wy = v.y + y * v.scale;
            ASSERT_TRUE(SdlBackend::WindowToFrame(v, wx, wy, fx, fy));
            EXPECT_EQ(fx, x);
            EXPECT_EQ(fy, y);
        }
    // The bars are outside the frame; left of it rounds toward minus infinity.
    EXPECT_FALSE(SdlBackend::WindowToFrame(v, 309, 60, fx, fy));
    EXPECT_EQ(fx, -1);
    EXPECT_FALSE(SdlBackend::WindowToFrame(v, 310 + 1280, 60, fx, fy));
    EXPECT_EQ(fx, 640);
    EXPECT_FALSE(SdlBackend::WindowToFrame(v, 400, 1050, fx, fy));
}

TEST(SdlWindowArithmetic, KeysBecomeTheToolkitsKeyCodes) {
    EXPECT_EQ(SdlBackend::TranslateKey(SDLK_a), 'A');
    EXPECT_EQ(SdlBackend::TranslateKey(SDLK_z), 'Z');
    EXPECT_EQ(SdlBackend::TranslateKey(SDLK_0), '0');
    EXPECT_EQ(SdlBackend::TranslateKey(SDLK_9), '9');
    EXPECT_EQ(SdlBackend::TranslateKey(SDLK_F1), ui::VK_F1);
    EXPECT_EQ(SdlBackend::TranslateKey(SDLK_F3), ui::VK_F3);
    EXPECT_EQ(SdlBackend::TranslateKey(SDLK_F12), ui::VK_F12);
    EXPECT_EQ(SdlBackend::TranslateKey(SDLK_UP), ui::VK_UP);
    EXPECT_EQ(SdlBackend::TranslateKey(SDLK_DOWN), ui::VK_DOWN);
    EXPECT_EQ(SdlBackend::TranslateKey(SDLK_LEFT), ui::VK_LEFT);
    EXPECT_EQ(SdlBackend::TranslateKey(SDLK_RIGHT), ui::VK_RIGHT);
    EXPECT_EQ(SdlBackend::TranslateKey(SDLK_RETURN), ui::VK_RETURN);
    EXPECT_EQ(SdlBackend::TranslateKey(SDLK_KP_ENTER), ui::VK_RETURN);
    EXPECT_EQ(SdlBackend::TranslateKey(SDLK_BACKSPACE), ui::VK_BACK);
    EXPECT_EQ(SdlBackend::TranslateKey(SDLK_DELETE), ui::VK_DELETE);
    EXPECT_EQ(SdlBackend::TranslateKey(SDLK_ESCAPE), ui::VK_ESCAPE);
    EXPECT_EQ(SdlBackend::TranslateKey(SDLK_HOME), ui::VK_HOME);
    EXPECT_EQ(SdlBackend::TranslateKey(SDLK_END), ui::VK_END);
    EXPECT_EQ(SdlBackend::TranslateKey(SDLK_LSHIFT), ui::VK_SHIFT);
    EXPECT_EQ(SdlBackend::TranslateKey(SDLK_RCTRL), ui::VK_CONTROL);
    EXPECT_EQ(SdlBackend::TranslateKey(SDLK_KP_0), 0x60);
    EXPECT_EQ(SdlBackend::TranslateKey(SDLK_KP_9), 0x69);
    EXPECT_EQ(SdlBackend::TranslateKey(SDLK_MINUS), 0xBD);
    EXPECT_EQ(SdlBackend::TranslateKey(SDLK_CAPSLOCK), ui::VK_NONE);
    EXPECT_EQ(SdlBackend::TranslateModifiers(KMOD_LSHIFT), ui::ssShift);
    EXPECT_EQ(SdlBackend::TranslateModifiers(KMOD_RALT | KMOD_LCTRL), ui::ssAlt | ui::ssCtrl);
    EXPECT_EQ(SdlBackend::TranslateModifiers(KMOD_NUM), 0);
    EXPECT_EQ(SdlBackend::TranslateModifiers(0, SDL_BUTTON_LMASK | SDL_BUTTON_RMASK), ui::ssLeft | ui::ssRight);
}

namespace {

class SdlWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("SDL_VIDEODRIVER", "dummy", 1);
        ::setenv("SDL_AUDIODRIVER", "dummy", 1);
        ASSERT_TRUE(backend.Open("Plazaro test")) << backend.Error();
        app.SetBackend(&backend);
        app.ResetTerminated();
        form.BackColor = 0x808080;
        backend.Desktop().SetMainForm(&form);
        backend.Desktop().displayLayer = paint::Desktop::DisplayLayer::Never;
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    }
    void TearDown() override {
        app.SetBackend(nullptr);
        app.ResetTerminated();
        app.coalesceTimers = false;
        backend.Close();
    }
    // Window coordinates of a frame pixel (its block's top-left).
    void ToWindow(int fx, int fy, int& wx, int& wy) {
        int w = 0, h = 0;
        SDL_GetWindowSize(backend.Window(), &w, &h);
        Viewport v = SdlBackend::FitFrame(w, h, kFrameW, kFrameH);
        wx = v.x + fx * v.scale;
        wy = v.y + fy * v.scale;
    }
    void PushButton(Uint32 type, int fx, int fy, Uint8 clicks = 1) {
        SDL_Event e{};
        e.type = type;
        e.button.windowID = SDL_GetWindowID(backend.Window());
        e.button.button = SDL_BUTTON_LEFT;
        e.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
        e.button.clicks = clicks;
        int wx = 0, wy = 0;
        ToWindow(fx, fy, wx, wy);
        e.button.x = wx;
        e.button.y = wy;
        SDL_PushEvent(&e);
    }
    void PushKey(SDL_Keycode key, Uint16 mod = 0) {
        SDL_Event e{};
        e.type = SDL_KEYDOWN;
        e.key.windowID = SDL_GetWindowID(backend.Window());
        e.key.state = SDL_PRESSED;
        e.key.keysym.sym = key;
        e.key.keysym.mod = mod;
        SDL_PushEvent(&e);
    }
    void PushText(const char* text) {
        SDL_Event e{};
        e.type = SDL_TEXTINPUT;
        e.text.windowID = SDL_GetWindowID(backend.Window());
        SDL_strlcpy(e.text.text, text, sizeof e.text.text);
        SDL_PushEvent(&e);
    }

    ui::Application& app = ui::Application::Instance();
    SdlBackend backend;
    ui::Form form{"Main"};
};

} // namespace

TEST_F(SdlWindow, OpensMaximisedWithTheLargestWholeMultipleAndRealTimeRuns) {
    int w = 0, h = 0;
    SDL_GetWindowSize(backend.Window(), &w, &h);
    SDL_Rect usable{};
    ASSERT_EQ(SDL_GetDisplayUsableBounds(0, &usable), 0);
    EXPECT_EQ(w, std::max(usable.w, kFrameW));
    EXPECT_EQ(h, std::max(usable.h, kFrameH));
    // The picture: the largest whole multiple that fits, centred.
    Viewport v = SdlBackend::FitFrame(w, h, kFrameW, kFrameH);
    EXPECT_TRUE((v.scale + 1) * kFrameW > w || (v.scale + 1) * kFrameH > h);
    EXPECT_EQ(v.x, (w - v.w) / 2);
    EXPECT_TRUE(app.coalesceTimers);
    std::uint64_t t0 = backend.NowMs();
    SDL_Delay(30);
    EXPECT_GE(backend.NowMs(), t0 + 25);
}

TEST_F(SdlWindow, PresentsOnlyWhenTheFrameWouldChange) {
    ui::Label label{"L", &form};
    label.SetBounds(10, 10, 100, 16);
    label.Caption = "1950 Budget";
    ASSERT_TRUE(backend.Present(true));
    int presented = backend.PresentCount();
    SDL_Delay(20);
    EXPECT_FALSE(backend.Present(false));
    EXPECT_EQ(backend.PresentCount(), presented);
    label.Caption = "1951 Budget";
    SDL_Delay(20);
    EXPECT_TRUE(backend.Present(false));
    EXPECT_EQ(backend.PresentCount(), presented + 1);
    // What was shown is the painted frame: the window's grey below the menu bar.
    EXPECT_EQ(backend.LastFrame().At(300, 300), 0x808080u);
    EXPECT_EQ(backend.LastFrame().At(630, 5), paint::theme::kFace);
}

TEST_F(SdlWindow, ClicksKeysAndTypingReachTheWidgets) {
    ui::Button button{"B", &form};
    button.SetBounds(100, 100, 75, 25);
    int clicks = 0;
    button.OnClick = [&] { ++clicks; };
    PushButton(SDL_MOUSEBUTTONDOWN, 110, 110 + paint::theme::kMenuBarHeight);
    PushButton(SDL_MOUSEBUTTONUP, 110, 110 + paint::theme::kMenuBarHeight);
    EXPECT_TRUE(backend.PumpEvents(false));
    EXPECT_EQ(clicks, 1);

    // The window's own area: client coordinates, the menu bar taken off.
    std::vector<std::pair<int, int>> downs;
    form.OnMouseDown = [&](ui::MouseButton, ui::ShiftState, int x, int y) { downs.push_back({x, y}); };
    PushButton(SDL_MOUSEBUTTONDOWN, 400, 300);
    PushButton(SDL_MOUSEBUTTONUP, 400, 300);
    backend.PumpEvents(false);
    ASSERT_EQ(downs.size(), 1u);
    EXPECT_EQ(downs[0], std::make_pair(400, 300 - paint::theme::kMenuBarHeight));

    // The click gave the button the focus; with nothing focused the window takes the keys.
    EXPECT_EQ(form.ActiveControl, &button);
    form.ActiveControl = nullptr;
    std::vector<std::uint16_t> keys;
    form.OnKeyDown = [&](std::uint16_t& key, ui::ShiftState) { keys.push_back(key); };
    PushKey(SDLK_UP);
    PushKey(SDLK_F5);
    backend.PumpEvents(false);
    EXPECT_EQ(keys, (std::vector<std::uint16_t>{ui::VK_UP, ui::VK_F5}));

    ui::Edit edit{"E", &form};
    edit.SetBounds(10, 200, 200, 21);
    form.ActiveControl = &edit;
    PushText("Town");
    PushKey(SDLK_BACKSPACE);
    backend.PumpEvents(false);
    EXPECT_EQ(edit.Text(), "Tow");
    // Ctrl+N is a shortcut, not typing.
    int news = 0;
    ui::MenuItem& item = form.MainMenu.Add("File", "&File").Add("F_NewCity", "&New City");
    item.Shortcut = ui::ShortCut{'N', ui::ssCtrl};
    item.OnClick = [&] { ++news; };
    PushKey(SDLK_n, KMOD_LCTRL);
    backend.PumpEvents(false);
    EXPECT_EQ(news, 1);
}

TEST_F(SdlWindow, ClicksInAScaledWindowLandOnTheFramePixelUnderThem) {
    SDL_SetWindowSize(backend.Window(), 1400, 1100);
    int w = 0, h = 0;
    SDL_GetWindowSize(backend.Window(), &w, &h);
    ASSERT_EQ(w, 1400) << "the dummy driver did not resize the window";
    Viewport v = SdlBackend::FitFrame(w, h, kFrameW, kFrameH);
    ASSERT_EQ(v.scale, 2);
    std::vector<std::pair<int, int>> downs;
    form.OnMouseDown = [&](ui::MouseButton, ui::ShiftState, int x, int y) { downs.push_back({x, y}); };
    auto click = [&](int wx, int wy) {
        for (Uint32 type : {Uint32(SDL_MOUSEBUTTONDOWN), Uint32(SDL_MOUSEBUTTONUP)}) {
            SDL_Event e{};
            e.type = type;
            e.button.windowID = SDL_GetWindowID(backend.Window());
            e.button.button = SDL_BUTTON_LEFT;
            e.button.clicks = 1;
            e.button.x = wx;
            e.button.y = wy;
            SDL_PushEvent(&e);
        }
        backend.PumpEvents(false);
    };
    // The second window pixel of client pixel (100, 200) is still that pixel.
    click(v.x + 100 * 2 + 1, v.y + (200 + paint::theme::kMenuBarHeight) * 2 + 1);
    ASSERT_EQ(downs.size(), 1u);
    EXPECT_EQ(downs[0], std::make_pair(100, 200));
    // On the black bars nothing is hit.
    click(v.x - 3, v.y + 400);
    click(v.x + 300, v.y + v.h + 2);
    EXPECT_EQ(downs.size(), 1u);
    // The frame fills the middle of the window at that scale.
    ASSERT_TRUE(backend.Present(true));
}

TEST_F(SdlWindow, AltEnterTogglesFullScreenInsteadOfReachingTheGame) {
    std::vector<std::uint16_t> keys;
    form.OnKeyDown = [&](std::uint16_t& key, ui::ShiftState) { keys.push_back(key); };
    PushKey(SDLK_RETURN, KMOD_LALT);
    backend.PumpEvents(false);
    EXPECT_TRUE(backend.Fullscreen());
    EXPECT_TRUE(keys.empty());
    PushKey(SDLK_RETURN, KMOD_LALT);
    backend.PumpEvents(false);
    EXPECT_FALSE(backend.Fullscreen());
}

TEST_F(SdlWindow, TimersFireFromRealTimeAndALateOneFiresOnce) {
    ui::Timer clock;
    int ticks = 0;
    clock.OnTimer = [&] { ++ticks; };
    clock.SetInterval(20);
    clock.SetEnabled(true);
    std::uint64_t until = backend.NowMs() + 210;
    while (backend.NowMs() < until)
        backend.PumpEvents(true);
    // About ten firings in 210 ms; never more than the intervals that passed.
    EXPECT_GE(ticks, 3);
    EXPECT_LE(ticks, 11);
    // A long stall is made up for with a single firing, as window timers behave.
    int before = ticks;
    SDL_Delay(120);
    backend.PumpEvents(false);
    EXPECT_EQ(ticks, before + 1);
    clock.SetEnabled(false);
}

TEST_F(SdlWindow, AMessageBoxRunsItsOwnLoopWithTimersAndEndsWithItsAnswer) {
    ui::Timer clock;
    int ticks = 0;
    clock.SetInterval(10);
    // The clock keeps ticking under the box; after a few ticks the player presses Escape.
    clock.OnTimer = [&] {
        if (++ticks == 3)
            PushKey(SDLK_ESCAPE);
    };
    clock.SetEnabled(true);
    int answer = backend.ShowMessageBox("Plazaro", "Can't exec City.ini", ui::MB_OKCANCEL | ui::MB_ICONWARNING);
    EXPECT_EQ(answer, ui::IDCANCEL);
    EXPECT_GE(ticks, 3);
    EXPECT_EQ(backend.Desktop().TopMessageBox(), nullptr);
    clock.SetEnabled(false);

    // Enter takes the default button; the box shows while it waits.
    bool sawBox = false;
    clock.OnTimer = [&] {
        sawBox = backend.Desktop().TopMessageBox() != nullptr;
        PushKey(SDLK_RETURN);
        clock.SetEnabled(false);
    };
    clock.SetEnabled(true);
    EXPECT_EQ(backend.ShowMessageBox("Plazaro", "Retry?", ui::MB_ABORTRETRYIGNORE | ui::MB_DEFBUTTON2), ui::IDRETRY);
    EXPECT_TRUE(sawBox);
}

TEST_F(SdlWindow, ATimerFiresUnderABoxItsOwnHandlerOpenedAndThenThatHandlerGoesOn) {
    ui::Timer clock, player;
    clock.SetInterval(10);
    // The player answers the box a while after it opened.
    player.SetInterval(150);
    player.OnTimer = [&] {
        player.SetEnabled(false);
        PushKey(SDLK_RETURN);
    };
    int firings = 0, underBox = 0, reentered = 0;
    bool inHandler = false, boxOpen = false, finished = false;
    clock.OnTimer = [&] {
        ++firings;
        if (boxOpen) {
            // The clock goes on ticking while the box it opened waits for the player.
            ++underBox;
            return;
        }
        if (inHandler) {
            ++reentered;
            return;
        }
        if (firings > 1)
            return;
        inHandler = true;
        // Outside a box the loop never fires a timer inside its own handler.
        SDL_Delay(25);
        backend.PumpEvents(false);
        boxOpen = true;
        player.SetEnabled(true);
        EXPECT_EQ(app.MessageBox("Congratulations", "Plazaro", ui::MB_OK), ui::IDOK);
        boxOpen = false;
        inHandler = false;
        finished = true;
        clock.SetEnabled(false);
    };
    clock.SetEnabled(true);
    const std::uint64_t until = backend.NowMs() + 5000;
    while (!finished && backend.NowMs() < until)
        backend.PumpEvents(true);
    EXPECT_TRUE(finished);
    EXPECT_EQ(reentered, 0);
    EXPECT_GE(underBox, 3);
    EXPECT_EQ(app.ModalDepth(), 0);
    EXPECT_FALSE(clock.Running());
}

TEST_F(SdlWindow, AModalFormEndsWhenItsButtonIsClicked) {
    ui::Form box{"AboutBox"};
    box.Caption = "About Plazaro";
    box.SetBounds(170, 120, 298, 213);
    box.Hide();
    ui::Button ok{"OKButton", &box};
    ok.SetBounds(111, 180, 75, 25);
    ok.OnClick = [&] { box.CloseModal(ui::IDOK); };
    backend.Desktop().AddForm(&box);
    ui::Timer later;
    later.SetInterval(10);
    later.OnTimer = [&] {
        later.SetEnabled(false);
        paint::Rect r = backend.Desktop().ControlRect(ok);
        PushButton(SDL_MOUSEBUTTONDOWN, r.x + 5, r.y + 5);
        PushButton(SDL_MOUSEBUTTONUP, r.x + 5, r.y + 5);
    };
    later.SetEnabled(true);
    EXPECT_EQ(box.ShowModal(), ui::IDOK);
    EXPECT_FALSE(box.Visible());
}

TEST_F(SdlWindow, ClosingTheWindowEndsTheLoops) {
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    app.Run();
    EXPECT_TRUE(backend.Closed());
    EXPECT_TRUE(app.Terminated());
    // A box opened after the close ends at once with its default answer.
    EXPECT_EQ(backend.ShowMessageBox("Plazaro", "x", ui::MB_YESNO | ui::MB_DEFBUTTON2), ui::IDNO);
}

TEST(SdlBackendOpen, SaysWhyWhenThereIsNoVideo) {
    ::setenv("SDL_VIDEODRIVER", "no-such-driver", 1);
    SdlBackend backend;
    EXPECT_FALSE(backend.Open("Plazaro"));
    EXPECT_FALSE(backend.Error().empty());
    EXPECT_FALSE(backend.IsOpen());
    EXPECT_FALSE(backend.PumpEvents(false));
    ::setenv("SDL_VIDEODRIVER", "dummy", 1);
}
