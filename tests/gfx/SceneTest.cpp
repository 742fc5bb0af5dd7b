// The scene component: set-up and its failures, drawing, restoring, WriteXY.
#include "GfxFixture.h"

#include <set>

using namespace gfxtest;
using namespace ddraw;

TEST_F(GfxTest, SetupNeedsADisplayAsSender) {
    ui::Component other;
    EXPECT_EQ(ErrorOf([&] { scene->SetupSurfaces(&other); }), "Exception: Invalid class typecast");
}

TEST_F(GfxTest, SetupWithALibraryThatDoesNotLoad) {
    scene->DLLName = "Art.dll";
    scene->BackgroundBitmap = backPath;
    EXPECT_EQ(ErrorOf([&] { display->Init(); }), "EDDError: Can't Load DLL");
}

TEST_F(GfxTest, AMissingBackgroundIsAGetDibError) {
    scene->BackgroundBitmap = (dir / "nothere.bmp").string();
    EXPECT_EQ(ErrorOf([&] { display->Init(); }), "EDDError: GetDib: Could not load bitmap" + scene->BackgroundBitmap);
    EXPECT_FALSE(display->Active);
}

TEST_F(GfxTest, NoBackgroundNameMeansNoSetup) {
    bool setup = false;
    scene->OnSetupSurfaces = [&](ui::Component*) { setup = true; };
    scene->ShowBitmap = false;
    display->Init();
    EXPECT_FALSE(setup);
    EXPECT_EQ(scene->BackgroundSurface, nullptr);
}

TEST_F(GfxTest, CreateBitmapFailures) {
    InitGame();
    EXPECT_EQ(ErrorOf([&] { scene->CreateBitmap(nullptr); }), "Exception: CreateBitmap: No Bitmap");
    EXPECT_TRUE(display->Active);
    gdi::HBITMAP bitmap = gdi::CreateBitmap32(4, 4);
    FaultInjector::Fail("CreateSurface", DDERR_OUTOFVIDEOMEMORY);
    EXPECT_EQ(ErrorOf([&] { scene->CreateBitmap(bitmap); }),
              "EDDError: CreateBitmap: CreateBitmap: CreateSurface failed");
    EXPECT_FALSE(display->Active);
    display->Active = true;
    gdi::FailNextCreateCompatibleDC();
    EXPECT_EQ(ErrorOf([&] { scene->CreateBitmap(bitmap); }), "EDDError: CreateBitmap: Create Compatible DC failed!");
    IDirectDrawSurface7* s = scene->CreateBitmap(bitmap);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->Width(), 4);
    s->Release();
    gdi::DeleteObject(bitmap);
}

TEST_F(GfxTest, AColourKeyThatCannotBeSetFailsTheSurface) {
    FaultInjector::Fail("SetColorKey", DDERR_NOCOLORKEY);
    scene->BackgroundBitmap = backPath;
    EXPECT_EQ(ErrorOf([&] { display->Init(); }),
              "EDDError: CreateSurface: " + std::to_string(DDERR_NOCOLORKEY) + " GetOleError: No Color Key");
}

TEST_F(GfxTest, DrawSceneFailureMessage) {
    std::string small = (dir / "small.bmp").string();
    WriteFile(small, Bmp24(320, 240, Background));
    scene->BackgroundBitmap = small;
    EXPECT_EQ(ErrorOf([&] { display->Init(); }), "EDDError: Flipping");
    // ...and DrawScene itself names the size.
    EXPECT_EQ(ErrorOf([&] { scene->DrawScene(); }),
              "EDDError: DrawScene: " + std::to_string(DDERR_INVALIDRECT) +
                  " \r GetOleError: Invalid Rectangle \r DrawScene: Bitmap incorect size?");
}

TEST_F(GfxTest, BlankSceneFillsTheBackBufferInsideABlackFrame) {
    scene->BlankScene = true;
    scene->BackColor = 0x0000FF; // red
    IDirectDrawSurface7* drawnOn = nullptr;
    scene->OnDrawScene = [&](ui::Component* sender, IDirectDrawSurface7* s) {
        EXPECT_EQ(sender, scene.get());
        drawnOn = s;
    };
    InitGame();
    EXPECT_EQ(drawnOn, display->Back);
    EXPECT_EQ(display->Back->PixelAt(150, 150), 0xF800u); // through the transparent square
    EXPECT_EQ(display->Back->PixelAt(10, 10), P16(0x404040));
    scene->ShowBitmap = false;
    display->Flip();
    EXPECT_EQ(display->Back->PixelAt(0, 0), 0u); // the pen's frame
    EXPECT_EQ(display->Back->PixelAt(639, 479), 0u);
    EXPECT_EQ(display->Back->PixelAt(1, 1), 0xF800u);
}

TEST_F(GfxTest, WriteXYDrawsOpaqueTextOnTheBackground) {
    InitGame();
    auto snapshot = [&] {
        std::vector<std::uint32_t> v;
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x)
                v.push_back(scene->BackgroundSurface->PixelAt(x, y));
        return v;
    };
    auto before = snapshot();
    scene->WriteXY(8, 8, "", 0xC82832, 0x808080);
    EXPECT_EQ(snapshot(), before);

    // "ECHO" passes its text with 15 blanks appended.
    scene->WriteXY(8, 8, std::string("Velmora: Version 7.1") + std::string(15, ' '), 0xC82832, 0x808080);
    std::set<std::uint32_t> colours;
    for (int y = 8; y < 20; ++y)
        for (int x = 8; x < 100; ++x)
            colours.insert(scene->BackgroundSurface->PixelAt(x, y));
    EXPECT_TRUE(colours.count(P16(0x808080)));
    EXPECT_TRUE(colours.count(gdi::ColorToPixel(0xC82832, 16)));
    EXPECT_EQ(scene->BackgroundSurface->PixelAt(7, 8), P16(0x404040)); // left of the text
    EXPECT_EQ(scene->BackgroundSurface->PixelAt(8, 30), P16(0x404040)); // below the line
    // The blanks overwrite with the background colour.
    EXPECT_EQ(scene->BackgroundSurface->PixelAt(160, 10), P16(0x808080));
    // The next frame shows it.
    display->Flip();
    EXPECT_EQ(display->Primary->PixelAt(160, 10), P16(0x808080));
}

TEST_F(GfxTest, RestoringTheSceneReloadsTheBackground) {
    InitGame();
    scene->BackgroundSurface->SetPixelAt(0, 0, 0xFFFF);
    scene->BackgroundSurface->MarkLost();
    EXPECT_EQ(scene->RestoreSurfaces(), DD_OK);
    EXPECT_EQ(scene->BackgroundSurface->PixelAt(0, 0), P16(0x404040));
    FaultInjector::Fail("Restore", DDERR_WRONGMODE);
    scene->BackgroundSurface->SetPixelAt(0, 0, 0xFFFF);
    EXPECT_EQ(scene->RestoreSurfaces(), DDERR_WRONGMODE);
    EXPECT_EQ(scene->BackgroundSurface->PixelAt(0, 0), 0xFFFFu); // not reloaded
}

TEST_F(GfxTest, ThePaletteOfTheBackgroundIsSetOnThePrimary) {
    InitGame();
    ASSERT_NE(scene->Palette, nullptr);
    IDirectDrawPalette* attached = nullptr;
    ASSERT_EQ(display->Primary->GetPalette(&attached), DD_OK);
    EXPECT_EQ(attached, scene->Palette);
    attached->Release();
}
