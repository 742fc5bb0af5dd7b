// The scene component TE_DDSurface. It owns the background surface made
// from a bitmap file, paints it into the display's back buffer on every frame,
// restores it after a lost surface, and writes text on it (WriteXY, for "ECHO").
#pragma once

#include "gfx/DisplayCore.h"
#include "platform/gdi/Gdi.h"
#include "platform/ui/Component.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace gfx {

class TE_DDSurface : public ui::Component {
public:
    explicit TE_DDSurface(ui::Component* owner = nullptr);
    ~TE_DDSurface() override;

    // Published properties.
    gdi::COLORREF BackColor = 0;
    std::string BackgroundBitmap;
    bool BlankScene = false;
    std::string DLLName;
    bool ShowBitmap = true;
    std::function<void(ui::Component* sender, ddraw::IDirectDrawSurface7* surface)> OnDrawScene;
    std::function<void(ui::Component* sender)> OnSetupSurfaces;
    gdi::COLORREF TransparentColor = 0;

    gdi::RECT SourceRect{};
    gdi::HMODULE Module = nullptr;
    ddraw::IDirectDrawPalette* Palette = nullptr;
    ddraw::IDirectDrawSurface7* BackgroundSurface = nullptr;

    virtual void DestroyObjects();
    virtual void DrawScene();
    virtual ddraw::HRESULT RestoreSurfaces();
    // Sender must be a TE_DDraw (ui::Exception "Invalid class typecast" otherwise).
    virtual void SetupSurfaces(ui::Component* sender);

    bool CreateSurface(ddraw::IDirectDrawSurface7*& surface, const std::string& name, bool withPalette);
    ddraw::IDirectDrawSurface7* CreateBitmap(gdi::HBITMAP bitmap);
    gdi::HBITMAP Get_Dib(gdi::HMODULE module, const std::string& name);
    // One line of text on the background surface, each character cell filled with
    // BackColour (opaque).
    void WriteXY(int X, int Y, const std::string& Text, std::uint32_t TextColour, std::uint32_t BackColour);

    // True: WriteXY's lines wait until the background is next drawn, restored or read
    // (SettleText), and a line wholly covered by a later one is never drawn. For runs
    // that draw no frames; what the background holds when read is the same.
    bool DeferText = false;
    // Draws the waiting lines in the order they were written.
    void SettleText();
    std::size_t WaitingLines() const { return waiting_.size(); }

private:
    struct WaitingLine {
        int x, y;
        std::string text;
        std::uint32_t textColour, backColour;
        gdi::RECT cell, touched; // on the surface
    };
    void DrawLine(int X, int Y, const std::string& Text, std::uint32_t TextColour, std::uint32_t BackColour);
    // A surface replaced or gone takes its waiting lines with it.
    void DropWaiting() { waiting_.clear(); }
    std::vector<WaitingLine> waiting_;
};

} // namespace gfx
