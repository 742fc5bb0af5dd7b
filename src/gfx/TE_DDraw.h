// The display component TE_DDraw. It owns the DirectDraw object, the
// primary surface, the back buffer and (windowed) a clipper, and presents each frame:
// its scene (TE_DDSurface) draws into the back buffer, then the back buffer is
// stretched onto the window (windowed) or flipped (exclusive).
#pragma once

#include "gfx/DisplayCore.h"
#include "platform/ui/Component.h"
#include "platform/ui/Timer.h"

#include <memory>
#include <string>

namespace gfx {

class TE_DDSurface;

enum TResolution { trNormal = 0, trExclusive = 1, trWindowed640x480 = 2, trWindowed800x600 = 3, trWindowed1024x768 = 4 };

// The toolkit's notification of components inserted into or removed from an owner.
enum TOperation { opInsert, opRemove };

class TE_DDraw : public ui::Component, public DisplayCore {
public:
    // Handle: the owning window's handle (the game's main window by default).
    explicit TE_DDraw(ui::Component* owner = nullptr, ddraw::HWND handle = ddraw::MainWindow());
    ~TE_DDraw() override;

    // Published properties (no stored defaults: the form sets them).
    int BitsPerPixel = 0;
    TE_DDSurface* E_DDSurface = nullptr; // written through SetScene
    int TimerInterval = 0;
    bool UseTimer = false;
    TResolution Resolution = trNormal;

    bool FirstInit = true;
    bool FrameToggle = false;

    // Base behaviour, then: the current scene being removed clears E_DDSurface.
    virtual void Notification(ui::Component* component, TOperation operation);
    virtual ddraw::HRESULT RestoreSurfaces();
    // Creates the DirectDraw objects once, sets up the scene, starts drawing and flips.
    virtual void Init();

    void Create_DD();
    void Set_Screen_Size();
    bool Create_Primary_Surface();
    bool Create_Back_Surface();

    // Presents one frame; any failure inside becomes EDDError "Flipping".
    void Flip();
    bool MakeItSo(ddraw::HRESULT result);
    void DrawBitmaps();
    void SetScene(TE_DDSurface* scene);
    std::string GetVersion() const { return "Velmora: Version 7.1"; }

    // The flip timer's callback: flips CurrentDisplay when it is active.
    static void TimerFlip();

    // Every display alive (the scene's destruction notifies them).
    static void NotifyAll(ui::Component* component, TOperation operation);

protected:
    // The steps every display takes in creating its DirectDraw objects.
    // Makes the DirectDraw object and initialises it; EDDError createError when it cannot.
    void CreateDirectDrawObject(const std::string& createError);
    // The cooperative level Exclusive asks for: full screen and exclusive, or normal.
    ddraw::DWORD CooperativeLevel() const;
    // Takes the desktop's size and depth as the screen's; a failure goes to DDTest at location.
    void UseDesktopMode(const std::string& location);
    // The primary surface's description: with one attached back buffer to flip to when Exclusive.
    ddraw::DDSURFACEDESC2 PrimarySurfaceDesc() const;

private:
    // Releases the clipper, the back buffer and the primary surface.
    void ReleaseSurfaces();

    std::unique_ptr<ui::Timer> flipTimer_;
};

} // namespace gfx
