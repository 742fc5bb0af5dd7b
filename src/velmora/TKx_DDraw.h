// The package's display component: the game's display (gfx::TE_DDraw) in its later
// form, sharing its scene handling, presenting helpers and error path. It chooses
// among eleven screen sizes and falls back to the next smaller one when the adapter
// refuses a mode, switches to 32 bits per pixel when the mode cannot be set at the
// requested depth, takes exclusive mode from its own property, reports every creation
// failure through DDTest and becomes inactive on every such failure.
#pragma once

#include "gfx/TE_DDraw.h"

#include <memory>
#include <string>

namespace velmora {

class TKx_DDSurface;

enum TResolution {
    trNormal = 0,
    tr320x240,
    tr400x300,
    tr512x384,
    tr640x480,
    tr800x600,
    tr960x720,
    tr1024x768,
    tr1152x864,
    tr1280x1024,
    tr1600x1200,
};

class TKx_DDraw : public gfx::TE_DDraw {
public:
    // Attempts at setting the display mode before CreateDD gives up: enough for every
    // size step and the switch to 32 bits, and a bound on a device that never agrees.
    static constexpr int kMaxModeAttempts = 2 * (tr1600x1200 + 1);
    // Attempts at one exclusive flip (a lost surface that will not restore, a flip
    // still drawing) before the frame is dropped.
    static constexpr int kMaxFlipAttempts = 1000;

    explicit TKx_DDraw(ui::Component* owner = nullptr, ddraw::HWND handle = ddraw::MainWindow());
    // Releases the back buffer, the primary surface and the clipper, then (in the
    // game's display) the DirectDraw object.
    ~TKx_DDraw() override;

    // Published: BitsPerPixel (16), E_DDSurface, Exclusive, TimerInterval (1000) and
    // UseTimer are the game's display's fields; the resolution is this one.
    TResolution Resolution = trNormal;

    // Creates the DirectDraw objects once, sets up the scene, starts drawing and flips.
    void Init() override;

    void CreateDD();
    void SetScreenSize();
    bool CreatePrimary();
    bool CreateBack();
    int ChoseColourDepth(int depth);

    // Presents one frame; a failure inside becomes EDDError "Flipping" + its message.
    // An exclusive flip is tried again while the surface is lost or still drawing, at
    // most kMaxFlipAttempts times.
    void Flip();
    // Clears Active, then returns the screen to the desktop.
    void EndExclusive() override;

    // The flip timer's callback (the keyboard component's timer uses it too).
    static void TimerFlip();

};

// The flip timer is the window's timer number 1: like a window timer, it is known by
// its window and number, so the display and the keyboard starting it on one window
// share one timer, the later start replacing the earlier (one flip per interval, not
// two). The component that started it last stops it when it goes.
void StartFlipTimer(const void* starter, ddraw::HWND window, int intervalMs);
void StopFlipTimer(const void* starter, ddraw::HWND window);
// The running flip timer of a window, or null.
const ui::Timer* FlipTimerOf(ddraw::HWND window);

} // namespace velmora
