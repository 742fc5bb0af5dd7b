// The main window's graphics: the display and scene, the map's surfaces, the start-up
// steps that load the art, the frame, and the screen as the command language sees it.
#include "shell/TMainForm.h"

#include "gfx/TE_DDSurface.h"
#include "gfx/TE_DDraw.h"
#include "shell/InterpreterPorts.h"
#include "view/MapPictures.h"
#include "view/MapRenderer.h"

namespace {

// "ECHO" writes on the scene's background; "ERROR" brings the desktop forward.
class SceneScreen : public ScreenPort {
public:
    SceneScreen(gfx::TE_DDraw& display, gfx::TE_DDSurface& scene) : display_(display), scene_(scene) {}
    void WriteXY(int x, int y, const std::string& text, std::uint32_t textColor, std::uint32_t backColor) override {
        // Before the display has started there is no surface to write on; the line
        // still reaches the console.
        if (scene_.BackgroundSurface)
            scene_.WriteXY(x, y, text, textColor, backColor);
    }
    bool HasDirectDraw() const override { return display_.DirectDraw != nullptr; }
    void FlipToGDISurface() override {
        if (display_.DirectDraw)
            display_.DirectDraw->FlipToGDISurface();
    }

private:
    gfx::TE_DDraw& display_;
    gfx::TE_DDSurface& scene_;
};

} // namespace

void TMainForm::CreateGraphics() {
    DD = std::make_unique<gfx::TE_DDraw>(this);
    DDScene = std::make_unique<gfx::TE_DDSurface>(this);
    // The stored layout of the window: a 640 x 480 window at 16 bits that shows a frame
    // only when the game flips, and a scene whose purple is transparent.
    DD->BitsPerPixel = 16;
    DD->TimerInterval = 1000;
    DD->UseTimer = false;
    DD->Resolution = gfx::trWindowed640x480;
    DDScene->BackgroundBitmap = "pass";
    DDScene->TransparentColor = view::kPictureKey;
    DD->SetScene(DDScene.get());
    MapArt = std::make_unique<view::MapPictures>();
    Renderer = std::make_unique<view::MapRenderer>(City, *MapArt);
    // Only the shown window of the back buffer reaches the screen.
    Renderer->ShownOnly = true;
    DisplayLink = std::make_unique<SceneScreen>(*DD, *DDScene);
    Display = DisplayLink.get();
}

void TMainForm::ReleaseGraphics() {
    // The surfaces go before the display that made them.
    Renderer.reset();
    MapArt.reset();
    if (Display == DisplayLink.get())
        Display = nullptr;
    DisplayLink.reset();
}

void TMainForm::StartGraphics() {
    DDScene->BackgroundBitmap = City.programDir + "\\Graphics\\Back.bmp";
    DD->Init();
    MapArt->CreateBackBuffer();
    MapArt->LoadPictures(City);
    MapArt->LoadTiles(City.programDir);
    // 201 pictures, the blank tile and the four cursors.
    RunCommand("ECHO; " + std::to_string(206) + " Pictures loaded;", true, false);
    RunCommand("ECHO; " + DD->GetVersion() + ";", true, false);
    RunCommand("ECHO; Image Positioning engine: Version 2.2;", true, false);
    RunCommand("ECHO; Graphics engine: Version 2.3d;", true, false);
}

void TMainForm::DrawFrame() {
    Renderer->DrawFrame(Horz_SB.Position(), Vert_SB.Position(), DDScene->BackgroundSurface, [this] { DD->Flip(); });
}

void TMainForm::ShowMap() {
    Renderer->Present(Horz_SB.Position(), Vert_SB.Position(), DDScene->BackgroundSurface, [this] { DD->Flip(); });
}

void TMainForm::RedrawWhilePaused() {
    if (!Clock.Enabled() && GameScreenShown() && Renderer)
        ShowMap();
}
