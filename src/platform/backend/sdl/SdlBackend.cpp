// The window, its events and its presentation through SDL.
#include "platform/backend/sdl/SdlBackend.h"

#include "platform/os/UserDirs.h"
#include "platform/ui/Application.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/MessageBoxFlags.h"

#include <SDL.h>

#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace sdl {

namespace {

// Between events the loop sleeps until the next timer, caret blink, key repeat or hint
// is due, but never longer than this.
constexpr std::uint64_t kLongestWaitMs = 1000;
// Frames are shown at most this often (about sixty a second).
constexpr std::uint64_t kFrameMs = 16;

int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

// Whether the machine has a graphics processor that SDL's accelerated renderer would
// use: a render node of the kernel's direct rendering. Without one the renderer would
// draw through a software GL driver, far costlier (in time and memory) than copying
// the frame into the window's own surface.
bool HasGraphicsProcessor() {
    for (int node = 128; node < 136; ++node)
        if (access(("/dev/dri/renderD" + std::to_string(node)).c_str(), R_OK | W_OK) == 0)
            return true;
    return false;
}

} // namespace

SdlBackend::SdlBackend() = default;

SdlBackend::~SdlBackend() { Close(); }

bool SdlBackend::Open(const std::string& title, int screenWidth, int screenHeight) {
    Close();
    error_.clear();
    if (!SDL_WasInit(SDL_INIT_VIDEO)) {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
            error_ = SDL_GetError();
            return false;
        }
        ownsVideo_ = true;
    }
    // With no display SDL falls back to drivers that draw nowhere; a player would be
    // left with a program running unseen. Those drivers are for whoever asks for them
    // by name (tests do).
    const char* driver = SDL_GetCurrentVideoDriver();
    const char* asked = SDL_getenv("SDL_VIDEODRIVER");
    if (driver && (SDL_strcmp(driver, "offscreen") == 0 || SDL_strcmp(driver, "dummy") == 0) &&
        !(asked && SDL_strcasecmp(asked, driver) == 0)) {
        error_ = "no display found";
        Close();
        return false;
    }
    desktop_ = paint::Desktop(screenWidth, screenHeight);
    const int fw = desktop_.FrameWidth(), fh = desktop_.FrameHeight();
    // The main window opens maximised; a desktop without a window manager to
    // maximise it gets a window as large as its usable area all the same.
    int w = fw, h = fh;
    SDL_Rect usable;
    if (SDL_GetDisplayUsableBounds(0, &usable) == 0 && usable.w >= fw && usable.h >= fh) {
        w = usable.w;
        h = usable.h;
    }
    window_ = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, w, h,
                               SDL_WINDOW_RESIZABLE | SDL_WINDOW_MAXIMIZED | SDL_WINDOW_ALLOW_HIGHDPI);
    if (!window_) {
        error_ = SDL_GetError();
        Close();
        return false;
    }
    SDL_SetWindowMinimumSize(window_, fw, fh);
    // With a graphics processor (or a renderer the player named) the frame goes
    // through a texture; without one it is copied into the window's own surface,
    // and no GL driver is loaded at all.
    if (HasGraphicsProcessor() || SDL_GetHint(SDL_HINT_RENDER_DRIVER)) {
        renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_ACCELERATED);
        if (!renderer_)
            renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
        if (!renderer_) {
            error_ = SDL_GetError();
            Close();
            return false;
        }
        texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, fw, fh);
        if (!texture_) {
            error_ = SDL_GetError();
            Close();
            return false;
        }
    } else {
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        if (!SDL_GetWindowSurface(window_)) {
            error_ = SDL_GetError();
            Close();
            return false;
        }
    }
    shown_ = paint::FrameBuffer();
    SDL_StartTextInput();
    // Edit boxes cut, copy and paste through the desktop's clipboard.
    ui::Clipboard::Instance().get = [] {
        char* text = SDL_GetClipboardText();
        std::string copy = text ? text : "";
        SDL_free(text);
        return copy;
    };
    ui::Clipboard::Instance().set = [](const std::string& text) { SDL_SetClipboardText(text.c_str()); };
    startTicks_ = SDL_GetTicks64();
    // Real time: a timer that fell behind fires once, not once per missed interval.
    ui::Application::Instance().coalesceTimers = true;
    closed_ = false;
    forceNext_ = true;
    return true;
}

void SdlBackend::Close() {
    if (texture_)
        SDL_DestroyTexture(texture_);
    if (renderer_)
        SDL_DestroyRenderer(renderer_);
    if (window_) {
        ui::Clipboard::Instance().get = nullptr;
        ui::Clipboard::Instance().set = nullptr;
        SDL_StopTextInput();
        SDL_DestroyWindow(window_);
    }
    texture_ = nullptr;
    renderer_ = nullptr;
    window_ = nullptr;
    if (ownsVideo_) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
        ownsVideo_ = false;
    }
}

std::uint64_t SdlBackend::NowMs() { return SDL_WasInit(SDL_INIT_TIMER | SDL_INIT_VIDEO) ? SDL_GetTicks64() - startTicks_ : 0; }

// ---- the window's arithmetic --------------------------------------------------------------------------

Viewport SdlBackend::FitFrame(int windowW, int windowH, int frameW, int frameH) {
    Viewport v;
    if (frameW <= 0 || frameH <= 0)
        return v;
    v.scale = std::max(1, std::min(windowW / frameW, windowH / frameH));
    v.w = frameW * v.scale;
    v.h = frameH * v.scale;
    v.x = (windowW - v.w) / 2;
    v.y = (windowH - v.h) / 2;
    return v;
}

bool SdlBackend::WindowToFrame(const Viewport& view, int wx, int wy, int& fx, int& fy) {
    fx = FloorDiv(wx - view.x, view.scale);
    fy = FloorDiv(wy - view.y, view.scale);
    return wx >= view.x && wy >= view.y && wx < view.x + view.w && wy < view.y + view.h;
}

Viewport SdlBackend::CurrentViewport() const {
    int w = desktop_.FrameWidth(), h = desktop_.FrameHeight();
    // The size actually drawn on: a window manager may refuse or delay a size the
    // window asked for (full screen), and the picture must fit what is really there.
    if (!renderer_ || SDL_GetRendererOutputSize(renderer_, &w, &h) != 0) {
        if (window_)
            SDL_GetWindowSizeInPixels(window_, &w, &h);
    }
    return FitFrame(w, h, desktop_.FrameWidth(), desktop_.FrameHeight());
}

void SdlBackend::MapPointer(int wx, int wy, int& fx, int& fy) {
    // Pointer positions come in the window's points; on a high-density screen the
    // picture is laid out in real pixels, more of them to a point.
    int ww = 0, wh = 0, pw = 0, ph = 0;
    if (window_) {
        if (!renderer_ || SDL_GetRendererOutputSize(renderer_, &pw, &ph) != 0)
            SDL_GetWindowSizeInPixels(window_, &pw, &ph);
        SDL_GetWindowSize(window_, &ww, &wh);
        if (ww > 0 && wh > 0 && (pw != ww || ph != wh)) {
            wx = int(std::int64_t(wx) * pw / ww);
            wy = int(std::int64_t(wy) * ph / wh);
        }
    }
    bool inside = WindowToFrame(CurrentViewport(), wx, wy, fx, fy);
    // The frame draws its own pointer; over the bars the system's shows.
    if (inside == systemCursorShown_) {
        SDL_ShowCursor(inside ? SDL_DISABLE : SDL_ENABLE);
        systemCursorShown_ = !inside;
    }
    if (!inside)
        desktop_.MouseLeave();
}

std::uint16_t SdlBackend::TranslateKey(std::int32_t key) {
    if (key >= SDLK_a && key <= SDLK_z)
        return std::uint16_t('A' + (key - SDLK_a));
    if (key >= SDLK_0 && key <= SDLK_9)
        return std::uint16_t('0' + (key - SDLK_0));
    if (key >= SDLK_F1 && key <= SDLK_F12)
        return std::uint16_t(ui::VK_F1 + (key - SDLK_F1));
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9)
        return std::uint16_t(0x61 + (key - SDLK_KP_1)); // the number pad's digits
    switch (key) {
    case SDLK_KP_0: return 0x60;
    case SDLK_BACKSPACE: return ui::VK_BACK;
    case SDLK_TAB: return ui::VK_TAB;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return ui::VK_RETURN;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT: return ui::VK_SHIFT;
    case SDLK_LCTRL:
    case SDLK_RCTRL: return ui::VK_CONTROL;
    case SDLK_LALT:
    case SDLK_RALT: return ui::VK_MENU;
    case SDLK_ESCAPE: return ui::VK_ESCAPE;
    case SDLK_SPACE: return ui::VK_SPACE;
    case SDLK_PAGEUP: return ui::VK_PRIOR;
    case SDLK_PAGEDOWN: return ui::VK_NEXT;
    case SDLK_END: return ui::VK_END;
    case SDLK_HOME: return ui::VK_HOME;
    case SDLK_LEFT: return ui::VK_LEFT;
    case SDLK_UP: return ui::VK_UP;
    case SDLK_RIGHT: return ui::VK_RIGHT;
    case SDLK_DOWN: return ui::VK_DOWN;
    case SDLK_INSERT: return ui::VK_INSERT;
    case SDLK_DELETE: return ui::VK_DELETE;
    // The punctuation keys of a US keyboard, as the original platform numbered them.
    case SDLK_SEMICOLON: return 0xBA;
    case SDLK_EQUALS: return 0xBB;
    case SDLK_COMMA: return 0xBC;
    case SDLK_MINUS: return 0xBD;
    case SDLK_PERIOD: return 0xBE;
    case SDLK_SLASH: return 0xBF;
    case SDLK_BACKQUOTE: return 0xC0;
    case SDLK_LEFTBRACKET: return 0xDB;
    case SDLK_BACKSLASH: return 0xDC;
    case SDLK_RIGHTBRACKET: return 0xDD;
    case SDLK_QUOTE: return 0xDE;
    default: return ui::VK_NONE;
    }
}

ui::ShiftState SdlBackend::TranslateModifiers(std::uint16_t mods, std::uint32_t buttons) {
    ui::ShiftState s = 0;
    if (mods & KMOD_SHIFT)
        s |= ui::ssShift;
    if (mods & KMOD_ALT)
        s |= ui::ssAlt;
    if (mods & KMOD_CTRL)
        s |= ui::ssCtrl;
    if (buttons & SDL_BUTTON_LMASK)
        s |= ui::ssLeft;
    if (buttons & SDL_BUTTON_RMASK)
        s |= ui::ssRight;
    if (buttons & SDL_BUTTON_MMASK)
        s |= ui::ssMiddle;
    return s;
}

// ---- events ---------------------------------------------------------------------------------------------

void SdlBackend::ToggleFullscreen() {
    if (!window_)
        return;
    fullscreen_ = !fullscreen_;
    // Full screen is a window without borders that covers the display. The system's
    // own full-screen state is not used: without a window manager to carry it out, SDL
    // believed the window had grown while it kept its size, so the picture was drawn
    // for a screen it did not have and leaving it changed nothing. A plain move and
    // resize is carried out by every X server, with or without a window manager.
    if (fullscreen_) {
        int display = std::max(0, SDL_GetWindowDisplayIndex(window_));
        SDL_Rect bounds{0, 0, desktop_.FrameWidth(), desktop_.FrameHeight()};
        SDL_GetDisplayBounds(display, &bounds);
        restoreMaximised_ = maximised_;
        SDL_GetWindowPosition(window_, &restore_.x, &restore_.y);
        SDL_GetWindowSize(window_, &restore_.w, &restore_.h);
        if (restoreMaximised_)
            SDL_RestoreWindow(window_);
        SDL_SetWindowBordered(window_, SDL_FALSE);
        SDL_SetWindowPosition(window_, bounds.x, bounds.y);
        SDL_SetWindowSize(window_, bounds.w, bounds.h);
        SDL_RaiseWindow(window_);
    } else {
        SDL_SetWindowBordered(window_, SDL_TRUE);
        SDL_SetWindowSize(window_, restore_.w, restore_.h);
        SDL_SetWindowPosition(window_, restore_.x, restore_.y);
        if (restoreMaximised_)
            SDL_MaximizeWindow(window_);
    }
    forceNext_ = true;
    WindowChanged();
}

void SdlBackend::ApplyWindowSettings(int scale, bool fullscreen) {
    if (!window_)
        return;
    if (scale > 0) {
        SDL_RestoreWindow(window_);
        maximised_ = false;
        SDL_SetWindowSize(window_, desktop_.FrameWidth() * scale, desktop_.FrameHeight() * scale);
        SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    }
    if (fullscreen != fullscreen_)
        ToggleFullscreen();
    forceNext_ = true;
}

int SdlBackend::WindowScale() const {
    if (!window_)
        return 0;
    int w = restore_.w, h = restore_.h;
    if (!fullscreen_)
        SDL_GetWindowSize(window_, &w, &h);
    else if (restoreMaximised_)
        return 0;
    // A window of exactly N frames is remembered as scale N; any other size is the
    // maximised window's (window managers take a little off for their borders).
    const int fw = desktop_.FrameWidth(), fh = desktop_.FrameHeight();
    if (w > 0 && h > 0 && w % fw == 0 && h % fh == 0 && w / fw == h / fh)
        return w / fw;
    return 0;
}

std::string SdlBackend::SaveScreenshotTo(const std::string& folder, std::string& error) {
    if (!os::MakeFolders(folder, error))
        return {};
    std::string path = os::NewScreenshotPath(folder);
    if (!desktop_.SaveScreenshot(path, NowMs(), &error))
        return {};
    return path;
}

void SdlBackend::HandleEvent(const SDL_Event& e) {
    const std::uint64_t now = NowMs();
    int fx = 0, fy = 0;
    auto& app = ui::Application::Instance();
    if (app.Waiting()) {
        // A handler is waiting (the intro): the window takes no input, but a key
        // press or a click cuts a skippable wait short.
        switch (e.type) {
        case SDL_KEYDOWN:
        case SDL_MOUSEBUTTONDOWN:
            app.InputDuringWait();
            return;
        case SDL_MOUSEBUTTONUP:
        case SDL_MOUSEMOTION:
        case SDL_MOUSEWHEEL:
        case SDL_KEYUP:
        case SDL_TEXTINPUT:
            return;
        default:
            break;
        }
    }
    switch (e.type) {
    case SDL_QUIT:
        if (ui::Application::Instance().CloseQuery())
            closed_ = true;
        break;
    case SDL_WINDOWEVENT:
        if (e.window.event == SDL_WINDOWEVENT_CLOSE) {
            if (ui::Application::Instance().CloseQuery())
                closed_ = true;
        } else if (e.window.event == SDL_WINDOWEVENT_LEAVE)
            desktop_.MouseLeave();
        else if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST)
            desktop_.CancelPointer();
        else if (e.window.event == SDL_WINDOWEVENT_MAXIMIZED)
            maximised_ = true;
        else if (e.window.event == SDL_WINDOWEVENT_RESTORED && !fullscreen_)
            maximised_ = false;
        else if (e.window.event == SDL_WINDOWEVENT_EXPOSED || e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED ||
                 e.window.event == SDL_WINDOWEVENT_RESIZED)
            forceNext_ = true;
        break;
    case SDL_MOUSEMOTION:
        MapPointer(e.motion.x, e.motion.y, fx, fy);
        desktop_.MouseMove(fx, fy, TranslateModifiers(SDL_GetModState(), e.motion.state), now);
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        MapPointer(e.button.x, e.button.y, fx, fy);
        ui::MouseButton button = e.button.button == SDL_BUTTON_RIGHT    ? ui::MouseButton::Right
                                 : e.button.button == SDL_BUTTON_MIDDLE ? ui::MouseButton::Middle
                                                                        : ui::MouseButton::Left;
        ui::ShiftState shift = TranslateModifiers(SDL_GetModState(), SDL_GetMouseState(nullptr, nullptr));
        if (e.type == SDL_MOUSEBUTTONDOWN) {
            if (e.button.button == SDL_BUTTON_LEFT)
                shift |= ui::ssLeft;
            if (e.button.clicks >= 2)
                shift |= ui::ssDouble;
            desktop_.MouseDown(button, fx, fy, shift, e.button.clicks, now);
        } else {
            desktop_.MouseUp(button, fx, fy, shift, now);
        }
        break;
    }
    case SDL_MOUSEWHEEL: {
        int mx = 0, my = 0;
        SDL_GetMouseState(&mx, &my);
        MapPointer(mx, my, fx, fy);
        int delta = e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.wheel.y : e.wheel.y;
        if (delta)
            desktop_.MouseWheel(fx, fy, delta);
        break;
    }
    case SDL_KEYDOWN: {
        ui::ShiftState shift = TranslateModifiers(e.key.keysym.mod);
        if ((e.key.keysym.sym == SDLK_RETURN || e.key.keysym.sym == SDLK_KP_ENTER) && (shift & ui::ssAlt)) {
            if (!e.key.repeat)
                ToggleFullscreen();
            break;
        }
        if (e.key.keysym.sym == SDLK_F12 && !(shift & (ui::ssAlt | ui::ssCtrl | ui::ssShift))) {
            if (!e.key.repeat) {
                std::string error;
                std::string path = SaveScreenshotTo(screenshotFolder, error);
                if (OnNotice)
                    OnNotice(path.empty() ? "Screenshot failed: " + error : "Screenshot saved to " + path);
            }
            break;
        }
        std::uint16_t key = TranslateKey(e.key.keysym.sym);
        if (key != ui::VK_NONE)
            desktop_.KeyDown(key, shift, now);
        break;
    }
    case SDL_TEXTINPUT:
        // Text typed with Ctrl or Alt held is a shortcut, not typing.
        if (!(SDL_GetModState() & (KMOD_CTRL | KMOD_ALT)))
            desktop_.TextInput(e.text.text);
        break;
    default:
        break;
    }
}

bool SdlBackend::PumpEvents(bool wait) {
    auto& app = ui::Application::Instance();
    if (!window_)
        return false;
    SDL_Event e;
    bool got = false;
    if (wait) {
        // Sleep until an event comes or something is due: a timer, the desktop's own
        // timing (caret, key repeat, hints), or a change held back by the frame pace.
        const std::uint64_t now = NowMs();
        std::uint64_t due = std::min(app.NextTimerDue(), desktop_.NextChangeDue(now));
        if (presentPending_)
            due = std::min(due, lastPresent_ + kFrameMs);
        const std::uint64_t wait = due <= now ? 0 : std::min(due - now, kLongestWaitMs);
        got = wait == 0 ? SDL_PollEvent(&e) != 0 : SDL_WaitEventTimeout(&e, int(wait)) != 0;
    } else {
        got = SDL_PollEvent(&e) != 0;
    }
    while (got) {
        HandleEvent(e);
        if (closed_)
            break;
        got = SDL_PollEvent(&e) != 0;
    }
    if (closed_)
        return false;
    std::uint64_t now = NowMs();
    app.FireDueTimers(now);
    desktop_.Tick(now);
    Present(false);
    return !closed_;
}

bool SdlBackend::Present(bool force) {
    if (!window_ || (renderer_ && !texture_))
        return false;
    std::uint64_t now = NowMs();
    force = force || forceNext_;
    std::uint64_t signature = desktop_.Signature(now);
    if (!force && signature == lastSignature_)
        return false;
    if (!force && now < lastPresent_ + kFrameMs) {
        presentPending_ = true;
        return false;
    }
    presentPending_ = false;
    lastSignature_ = signature;
    desktop_.Paint(frame_, now);
    // Only what differs from the frame on show is sent; an unchanged frame (the map
    // redrawn as it was) is not shown again.
    paint::Rect dirty{0, 0, frame_.Width(), frame_.Height()};
    if (!force && !ChangedArea(dirty))
        return false;
    // A window that could not take the frame gets the whole of the next one.
    forceNext_ = !(renderer_ ? ShowOnRenderer(dirty) : ShowOnSurface(dirty, force));
    // The next frame is painted whole over the one before last.
    std::swap(shown_, frame_);
    lastPresent_ = now;
    ++presentCount_;
    return true;
}

bool SdlBackend::ChangedArea(paint::Rect& area) const {
    const int w = frame_.Width(), h = frame_.Height();
    if (shown_.Width() != w || shown_.Height() != h)
        return true;
    const paint::Rgb* now = frame_.Pixels().data();
    const paint::Rgb* was = shown_.Pixels().data();
    const std::size_t rowBytes = std::size_t(w) * sizeof(paint::Rgb);
    int top = 0, bottom = h - 1;
    while (top < h && std::memcmp(now + std::size_t(top) * w, was + std::size_t(top) * w, rowBytes) == 0)
        ++top;
    if (top == h)
        return false;
    while (bottom > top && std::memcmp(now + std::size_t(bottom) * w, was + std::size_t(bottom) * w, rowBytes) == 0)
        --bottom;
    int left = w, right = -1;
    for (int y = top; y <= bottom; ++y) {
        const paint::Rgb* a = now + std::size_t(y) * w;
        const paint::Rgb* b = was + std::size_t(y) * w;
        int x = 0;
        while (x < left && a[x] == b[x])
            ++x;
        left = std::min(left, x);
        int r = w - 1;
        while (r > right && a[r] == b[r])
            --r;
        right = std::max(right, r);
    }
    area = paint::Rect{left, top, right - left + 1, bottom - top + 1};
    return true;
}

bool SdlBackend::ShowOnRenderer(const paint::Rect& dirty) {
    SDL_Rect part{dirty.x, dirty.y, dirty.w, dirty.h};
    const paint::Rgb* first = frame_.Pixels().data() + std::size_t(dirty.y) * frame_.Width() + dirty.x;
    SDL_UpdateTexture(texture_, &part, first, frame_.Width() * 4);
    Viewport v = CurrentViewport();
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    SDL_Rect dst{v.x, v.y, v.w, v.h};
    SDL_RenderCopy(renderer_, texture_, nullptr, &dst);
    SDL_RenderPresent(renderer_);
    return true;
}

bool SdlBackend::ShowOnSurface(const paint::Rect& dirty, bool whole) {
    SDL_Surface* surface = SDL_GetWindowSurface(window_);
    if (!surface)
        return false;
    const Viewport v = FitFrame(surface->w, surface->h, frame_.Width(), frame_.Height());
    if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0)
        return false;
    if (whole)
        SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0, 0, 0));
    const paint::Rect part = whole ? paint::Rect{0, 0, frame_.Width(), frame_.Height()} : dirty;
    ScaleInto(surface, v, part);
    if (SDL_MUSTLOCK(surface))
        SDL_UnlockSurface(surface);
    if (whole)
        return SDL_UpdateWindowSurface(window_) == 0;
    const SDL_Rect changed{v.x + part.x * v.scale, v.y + part.y * v.scale, part.w * v.scale, part.h * v.scale};
    const SDL_Rect bounds{0, 0, surface->w, surface->h};
    SDL_Rect shown;
    if (!SDL_IntersectRect(&changed, &bounds, &shown))
        return true;
    return SDL_UpdateWindowSurfaceRects(window_, &shown, 1) == 0;
}

void SdlBackend::ScaleInto(SDL_Surface* surface, const Viewport& v, const paint::Rect& part) {
    // Each frame pixel becomes a square of scale x scale window pixels: whole
    // multiples keep every edge sharp.
    const int bpp = surface->format->BytesPerPixel;
    const bool plain = surface->format->format == SDL_PIXELFORMAT_RGB888 ||
                       surface->format->format == SDL_PIXELFORMAT_ARGB8888;
    std::vector<std::uint8_t> converted;
    for (int y = part.y; y < part.y + part.h; ++y) {
        const paint::Rgb* source = frame_.Pixels().data() + std::size_t(y) * frame_.Width() + part.x;
        const std::uint8_t* row = reinterpret_cast<const std::uint8_t*>(source);
        if (!plain) {
            converted.resize(std::size_t(part.w) * std::size_t(bpp));
            SDL_ConvertPixels(part.w, 1, SDL_PIXELFORMAT_RGB888, source, part.w * 4, surface->format->format,
                              converted.data(), part.w * bpp);
            row = converted.data();
        }
        const int top = v.y + y * v.scale;
        const int left = v.x + part.x * v.scale;
        for (int dy = 0; dy < v.scale; ++dy) {
            const int sy = top + dy;
            if (sy < 0 || sy >= surface->h)
                continue;
            std::uint8_t* out = static_cast<std::uint8_t*>(surface->pixels) + std::size_t(sy) * surface->pitch;
            if (dy > 0 && top >= 0) {
                // Every line of the square after the first is a copy of the first.
                const std::uint8_t* firstLine = static_cast<std::uint8_t*>(surface->pixels) + std::size_t(top) * surface->pitch;
                const int from = std::max(left, 0), to = std::min(left + part.w * v.scale, surface->w);
                if (to > from)
                    std::memcpy(out + std::size_t(from) * bpp, firstLine + std::size_t(from) * bpp,
                                std::size_t(to - from) * bpp);
                continue;
            }
            for (int x = 0; x < part.w; ++x)
                for (int dx = 0; dx < v.scale; ++dx) {
                    const int sx = left + x * v.scale + dx;
                    if (sx >= 0 && sx < surface->w)
                        std::memcpy(out + std::size_t(sx) * bpp, row + std::size_t(x) * bpp, std::size_t(bpp));
                }
        }
    }
}

// ---- modal boxes ----------------------------------------------------------------------------------------

int SdlBackend::ShowMessageBox(const std::string& caption, const std::string& text, unsigned flags) {
    auto& app = ui::Application::Instance();
    paint::MessageBoxView& box = desktop_.OpenMessageBox(caption, text, flags);
    // The box's own loop: timers keep firing under it, as the platform's boxes allow,
    // the one whose handler opened it included.
    ui::Application::ModalScope modal;
    while (!box.Done() && !closed_ && !app.Terminated() && window_)
        PumpEvents(true);
    int answer = box.Done() ? box.Result() : ui::DefaultButton(flags);
    desktop_.CloseMessageBox();
    Present(true);
    return answer;
}

void SdlBackend::ShowErrorBox(const std::string& caption, const std::string& message) {
    ShowMessageBox(caption, message, ui::MB_OK | ui::MB_ICONERROR);
}

std::optional<std::string> SdlBackend::ExecuteFileDialog(const ui::FileDialog& dialog) {
    auto& app = ui::Application::Instance();
    paint::FileDialogView& view = desktop_.OpenFileDialog(dialog);
    ui::Application::ModalScope modal;
    while (!view.Done() && !closed_ && !app.Terminated() && window_)
        PumpEvents(true);
    std::optional<std::string> result = view.Done() ? view.Result() : std::nullopt;
    desktop_.CloseFileDialog();
    Present(true);
    return result;
}

} // namespace sdl
