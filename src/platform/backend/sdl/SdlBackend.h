// The SDL backend of real play: a resizable window showing the composed frame scaled by
// whole multiples, mouse and keys routed to the widgets, timers driven by real time.
#pragma once

#include "platform/paint/Desktop.h"
#include "platform/paint/FrameBuffer.h"
#include "platform/ui/Backend.h"
#include "platform/ui/Keys.h"

#include <cstdint>
#include <functional>
#include <string>

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;
struct SDL_Surface;
union SDL_Event;

namespace sdl {

// Where the frame stands in the window: a whole-number scale, centred, with black
// bars around it.
struct Viewport {
    int x = 0, y = 0, w = 0, h = 0;
    int scale = 1;
};

class SdlBackend : public ui::Backend {
public:
    SdlBackend();
    ~SdlBackend() override;
    SdlBackend(const SdlBackend&) = delete;
    SdlBackend& operator=(const SdlBackend&) = delete;

    // Starts SDL's video and opens the window for a screen of the given size (the
    // toolkit's screen; the menu bar comes on top). False, with Error() telling why,
    // when there is no video.
    bool Open(const std::string& title, int screenWidth = 640, int screenHeight = 480);
    void Close();
    bool IsOpen() const { return window_ != nullptr; }
    const std::string& Error() const { return error_; }

    paint::Desktop& Desktop() { return desktop_; }
    SDL_Window* Window() const { return window_; }

    // ---- ui::Backend
    int ShowMessageBox(const std::string& caption, const std::string& text, unsigned flags) override;
    void ShowErrorBox(const std::string& caption, const std::string& message) override;
    std::optional<std::string> ExecuteFileDialog(const ui::FileDialog& dialog) override;
    std::uint64_t NowMs() override;
    bool PumpEvents(bool wait) override;
    void QuitRequested() override { quitRequested_ = true; }

    // ---- presentation
    // Paints and shows a frame when anything changed since the last one (or always
    // with force), at most about sixty times a second. True when it presented.
    bool Present(bool force);
    int PresentCount() const { return presentCount_; }
    const paint::FrameBuffer& LastFrame() const { return shown_; }
    void ToggleFullscreen();
    bool Fullscreen() const { return fullscreen_; }
    // The player's remembered window: scale 0 keeps the window maximised (the frame
    // at the largest whole multiple that fits); a scale N makes the window N times
    // the frame. Full screen is entered afterwards when asked for.
    void ApplyWindowSettings(int scale, bool fullscreen);
    // The window's scale as the settings remember it: 0 while maximised.
    int WindowScale() const;
    // Called after the player changed the window (full screen, size).
    std::function<void()> OnWindowChanged;
    // One line for the player (the screenshot's file); the program shows it in the console.
    std::function<void(const std::string&)> OnNotice;
    // Writes what the window shows (the frame at its own pixel size, widgets included)
    // as plazaro-YYYYMMDD-HHMMSS.png into the folder; the file's path, or empty with error.
    std::string SaveScreenshotTo(const std::string& folder, std::string& error);
    std::string screenshotFolder;
    // The window was closed: the loops end.
    bool Closed() const { return closed_; }

    // Handles one event as the loop would (tests push their own).
    void HandleEvent(const SDL_Event& event);

    // ---- the arithmetic of the window, free of SDL so that it can be checked alone
    static Viewport FitFrame(int windowW, int windowH, int frameW, int frameH);
    // A window pixel as a frame pixel (rounding toward minus infinity); false when it
    // falls on the bars around the frame.
    static bool WindowToFrame(const Viewport& view, int wx, int wy, int& fx, int& fy);
    // An SDL key code as the toolkit's virtual key (VK_NONE when it has none).
    static std::uint16_t TranslateKey(std::int32_t sdlKey);
    // SDL key modifiers (KMOD_*) and mouse button state as the toolkit's shift state.
    static ui::ShiftState TranslateModifiers(std::uint16_t sdlMods, std::uint32_t mouseButtons = 0);

private:
    Viewport CurrentViewport() const;
    // The smallest rectangle holding every pixel of frame_ that differs from the frame
    // on show; false when none does.
    bool ChangedArea(paint::Rect& area) const;
    // Sends the frame (or the changed area of it) through the renderer, or into the
    // window's surface; false when the window could not take it.
    bool ShowOnRenderer(const paint::Rect& dirty);
    bool ShowOnSurface(const paint::Rect& dirty, bool whole);
    void ScaleInto(SDL_Surface* surface, const Viewport& v, const paint::Rect& part);
    void WindowChanged() {
        if (OnWindowChanged)
            OnWindowChanged();
    }
    void MapPointer(int wx, int wy, int& fx, int& fy);

    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    bool ownsVideo_ = false;
    std::string error_;
    paint::Desktop desktop_;
    paint::FrameBuffer frame_;
    // The frame the window shows now.
    paint::FrameBuffer shown_;
    // A change held back by the frame pace, to be shown when the pace allows.
    bool presentPending_ = false;
    std::uint64_t startTicks_ = 0;
    std::uint64_t lastPresent_ = 0;
    std::uint64_t lastSignature_ = 0;
    int presentCount_ = 0;
    bool forceNext_ = true;
    bool fullscreen_ = false;
    // The window to come back to from full screen.
    Viewport restore_;
    bool restoreMaximised_ = false;
    // The window opens maximised; the window manager tells when that changes (SDL's
    // own flag keeps the opening state where no window manager runs).
    bool maximised_ = true;
    bool closed_ = false;
    bool quitRequested_ = false;
    bool systemCursorShown_ = true;
};

} // namespace sdl
