// The package's display component: the game's display (gfx::TE_DDraw) in its later
// form. It chooses among eleven screen sizes and falls back to the next smaller one
// when the adapter refuses a mode, switches to 32 bits per pixel when the mode cannot
// be set at the requested depth, takes exclusive mode from its own property, reports
// every creation failure through DDTest and becomes inactive on every such failure.
#pragma once

#include "gfx/DisplayCore.h"
#include "platform/ui/Component.h"
#include "platform/ui/Timer.h"

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

// The toolkit's notification of components inserted into or removed from an owner.
enum TOperation { opInsert, opRemove };

class TKx_DDraw : public ui::Component, public gfx::DisplayCore {
public:
    // Attempts at setting the display mode before CreateDD gives up: enough for every
    // size step and the switch to 32 bits, and a bound on a device that never agrees.
    static constexpr int kMaxModeAttempts = 2 * (tr1600x1200 + 1);

    explicit TKx_DDraw(ui::Component* owner = nullptr, ddraw::HWND handle = ddraw::MainWindow());
    ~TKx_DDraw() override;

    // Published properties (Exclusive is the display core's field).
    int BitsPerPixel = 16;
    TKx_DDSurface* E_DDSurface = nullptr; // written through SetScene
    int TimerInterval = 1000;
    bool UseTimer = false;
    TResolution Resolution = trNormal;

    bool FirstInit = true;
    bool FrameToggle = false;

    virtual void Notification(ui::Component* component, TOperation operation);
    virtual ddraw::HRESULT RestoreSurfaces();
    // Creates the DirectDraw objects once, sets up the scene, starts drawing and flips.
    virtual void Init();

    void CreateDD();
    void SetScreenSize();
    bool CreatePrimary();
    bool CreateBack();
    int ChoseColourDepth(int depth);

    // Presents one frame; a failure inside becomes EDDError "Flipping" + its message.
    void Flip();
    bool MakeItSo(ddraw::HRESULT result);
    void DrawBitmaps();
    void SetScene(TKx_DDSurface* scene);
    // Clears Active, then returns the screen to the desktop.
    void EndExclusive() override;
    std::string GetVersion() const { return "Velmora: Version 7.1"; }

    // The flip timer's callback (the keyboard component's timer uses it too).
    static void TimerFlip();
    // Every package display alive hears of a component's removal.
    static void NotifyAll(ui::Component* component, TOperation operation);

private:
    std::unique_ptr<ui::Timer> flipTimer_;
};

// Starts (or restarts) a window timer that calls TKx_DDraw::TimerFlip every interval.
void StartFlipTimer(std::unique_ptr<ui::Timer>& timer, int intervalMs);

} // namespace velmora
