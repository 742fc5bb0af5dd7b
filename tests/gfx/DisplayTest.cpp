// The display component: creation in every mode, presenting, the exclusive
// flip loop, failures and their messages, scene attachment, the flip timer.
#include "GfxFixture.h"

#include "platform/ui/Application.h"

using namespace gfxtest;
using namespace ddraw;

namespace {
std::string DD(HRESULT hr) { return std::to_string(hr) + " " + GetOleError(hr); }
} // namespace

TEST_F(GfxTest, WindowedInitSetsTheModeAndShowsTheScene) {
    InitGame();
    EXPECT_EQ(CurrentDisplay, display.get());
    EXPECT_TRUE(display->Active);
    EXPECT_FALSE(display->FirstInit);
    EXPECT_FALSE(display->Exclusive);
    EXPECT_TRUE(display->FrameToggle); // Init flips once
    EXPECT_EQ(display->ScreenRect, (gdi::RECT{0, 0, 640, 480}));
    EXPECT_EQ(scene->SourceRect, display->ScreenRect);
    EXPECT_EQ(VirtualScreenWidth(), 640);
    EXPECT_EQ(VirtualScreenHeight(), 480);
    EXPECT_EQ(VirtualScreenBitsPerPixel(), 16);
    ASSERT_NE(display->Primary, nullptr);
    ASSERT_NE(display->Back, nullptr);
    ASSERT_NE(display->Clipper, nullptr);
    EXPECT_EQ(display->Back->Width(), 640);
    EXPECT_EQ(display->DirectDraw->CooperativeLevel(), DDSCL_NORMAL);
    EXPECT_EQ(CoInitializeCount(), 1);
    // The background is on the screen; its purple square is transparent.
    EXPECT_EQ(display->Primary->PixelAt(10, 10), P16(0x404040));
    EXPECT_EQ(display->Primary->PixelAt(150, 150), 0u);
    EXPECT_EQ(display->GetVersion(), "Velmora: Version 7.1");
}

TEST_F(GfxTest, ScreenSizesOfTheModes) {
    display->SetScene(nullptr);
    display->Resolution = trWindowed800x600;
    display->Init();
    EXPECT_EQ(display->ScreenRect, (gdi::RECT{0, 0, 800, 600}));
    EXPECT_EQ(VirtualScreenWidth(), 800);

    auto other = std::make_unique<TE_DDraw>();
    other->BitsPerPixel = 32;
    other->Resolution = trWindowed1024x768;
    display.reset();
    other->Init();
    EXPECT_EQ(other->ScreenRect, (gdi::RECT{0, 0, 1024, 768}));
    EXPECT_EQ(VirtualScreenBitsPerPixel(), 32);
    EXPECT_EQ(other->Back->BitsPerPixel(), 32);
}

TEST_F(GfxTest, NormalModeTakesTheDesktopsSizeAndDepth) {
    SetDesktopMode(800, 600, 32);
    display->SetScene(nullptr);
    display->Resolution = trNormal;
    display->BitsPerPixel = 16;
    display->Init();
    EXPECT_EQ(display->BitsPerPixel, 32);
    EXPECT_EQ(display->ScreenRect, (gdi::RECT{0, 0, 800, 600}));
}

TEST_F(GfxTest, ExclusiveModeIsAlways640x480WithAFlipChain) {
    display->Resolution = trExclusive;
    display->ScreenRect = gdi::RECT{0, 0, 1024, 768};
    InitGame();
    EXPECT_TRUE(display->Exclusive);
    EXPECT_EQ(display->ScreenRect, (gdi::RECT{0, 0, 640, 480}));
    EXPECT_EQ(display->DirectDraw->CooperativeLevel(), 0x13u);
    EXPECT_EQ(display->Clipper, nullptr);
    ASSERT_NE(display->Back, nullptr);
    DDSURFACEDESC2 desc{};
    desc.dwSize = 124;
    display->Back->GetSurfaceDesc(&desc);
    EXPECT_TRUE(desc.ddsCaps.dwCaps & DDSCAPS_BACKBUFFER);
    // The flip showed the scene.
    EXPECT_EQ(display->Primary->PixelAt(10, 10), P16(0x404040));
    EXPECT_EQ(FaultInjector::Calls("Flip"), 1);
}

TEST_F(GfxTest, FlipWhileInactiveOnlyTogglesTheFrame) {
    EXPECT_FALSE(display->Active);
    display->Flip();
    EXPECT_TRUE(display->FrameToggle);
    display->Flip();
    EXPECT_FALSE(display->FrameToggle);
    EXPECT_EQ(FaultInjector::Calls("Blt"), 0);
}

TEST_F(GfxTest, WindowedFlipStretchesTheBackBufferOntoTheWindow) {
    InitGame();
    MainWindow()->SetRect(gdi::RECT{0, 0, 320, 240});
    display->Back->SetPixelAt(638, 478, 0x1234); // nearest pixel of (319, 239)
    display->Back->SetPixelAt(0, 0, 0x4321);
    scene->ShowBitmap = false;
    display->Flip();
    EXPECT_EQ(display->Primary->PixelAt(0, 0), 0x4321u);
    EXPECT_EQ(display->Primary->PixelAt(319, 239), 0x1234u);
}

TEST_F(GfxTest, LostSurfaceFlipsRestoreAndRetryUntilTheRestoreWorks) {
    display->Resolution = trExclusive;
    InitGame();
    // The flip reports a lost surface twice; the first restore fails, the second
    // restores the primary surface and reloads the scene's background.
    scene->BackgroundSurface->SetPixelAt(10, 10, 0xFFFF);
    FaultInjector::ClearAll();
    FaultInjector::Fail("Flip", DDERR_SURFACELOST, 2);
    FaultInjector::Fail("Restore", DDERR_SURFACELOST, 1, 0, display->Primary);
    display->Flip();
    EXPECT_EQ(FaultInjector::Calls("Flip"), 2);
    // Primary (failed), primary, background, and the reload's own restore.
    EXPECT_EQ(FaultInjector::Calls("Restore"), 4);
    EXPECT_TRUE(display->Active);
    EXPECT_EQ(scene->BackgroundSurface->PixelAt(10, 10), P16(0x404040));
}

TEST_F(GfxTest, StillDrawingFlipsAreRetriedAndOtherFailuresIgnored) {
    display->Resolution = trExclusive;
    InitGame();
    FaultInjector::ClearAll();
    FaultInjector::Fail("Flip", DDERR_WASSTILLDRAWING, 3);
    display->Flip();
    EXPECT_EQ(FaultInjector::Calls("Flip"), 4);
    FaultInjector::Fail("Flip", DDERR_GENERIC);
    display->Flip();
    EXPECT_EQ(FaultInjector::Calls("Flip"), 5);
    EXPECT_TRUE(display->Active);
    EXPECT_EQ(display->MakeItSo(S_FALSE), true);
    EXPECT_EQ(display->MakeItSo(DDERR_WASSTILLDRAWING), false);
}

TEST_F(GfxTest, AnyFailureInsideFlipBecomesFlipping) {
    InitGame();
    FaultInjector::ClearAll();
    FaultInjector::Fail("Blt", DDERR_SURFACELOST);
    EXPECT_EQ(ErrorOf([&] { display->Flip(); }), "EDDError: Flipping");
    EXPECT_FALSE(display->Active);
    EXPECT_GE(FaultInjector::Calls("FlipToGDISurface"), 1);
    display->Flip(); // inactive now: nothing drawn
    EXPECT_EQ(FaultInjector::Calls("Blt"), 1);
    // The background blit failing inside the scene is a "Flipping" too.
    display->Active = true;
    FaultInjector::Fail("BltFast", DDERR_INVALIDRECT);
    EXPECT_EQ(ErrorOf([&] { display->Flip(); }), "EDDError: Flipping");
}

TEST_F(GfxTest, DDTestRaisesOnlyForFailureCodes) {
    InitGame();
    display->DDTest(S_FALSE, "Positive");
    display->DDTest(0x7FFFFFFF, "Positive");
    EXPECT_TRUE(display->Active);
    int before = FaultInjector::Calls("FlipToGDISurface");
    EXPECT_EQ(ErrorOf([&] { display->DDTest(DDERR_SURFACELOST, "Somewhere"); }),
              "EDDError: DDTest Error: Somewhere :-2005532222 GetOleError: Surface Lost");
    EXPECT_EQ(FaultInjector::Calls("FlipToGDISurface"), before + 1);
}

TEST_F(GfxTest, EndExclusiveReturnsAnExclusiveDisplayToNormal) {
    display->Resolution = trExclusive;
    InitGame();
    EXPECT_EQ(ErrorOf([&] { display->ErrorEvent("Boom"); }), "EDDError: Boom");
    EXPECT_FALSE(display->Active);
    EXPECT_EQ(display->DirectDraw->CooperativeLevel(), DDSCL_NORMAL);
}

struct CreationFailure {
    const char* call;
    HRESULT result;
    int skip;
    const char* expected; // %s: the signed result and its text
};

TEST_F(GfxTest, CreationFailuresAndTheirMessages) {
    const CreationFailure cases[] = {
        {"DirectDrawCreateEx", DDERR_GENERIC, 0, "Can't create Direct Draw Ex"},
        {"SetCooperativeLevel", DDERR_EXCLUSIVEMODEALREADYSET, 0, "DDTest Error: Create_DD :%s"},
        {"SetDisplayMode", DDERR_INVALIDMODE, 0, "DDTest Error: Create_DD :%s"},
        {"CreateSurface", DDERR_OUTOFVIDEOMEMORY, 0, "Create_Primary_Surface: %s"},
        {"CreateSurface", DDERR_OUTOFMEMORY, 1, "DDTest Error: DDCreateSurface: Create surface Failed :%s"},
        {"CreateClipper", DDERR_OUTOFMEMORY, 0, "DDTest Error: Creating Clipper :%s"},
        {"SetClipper", DDERR_GENERIC, 0, "Create_Back_Surface: Can't attach clipper to front buffer"},
    };
    for (const auto& c : cases) {
        ResetForTests();
        TE_DDraw d;
        d.BitsPerPixel = 16;
        d.Resolution = trWindowed640x480;
        FaultInjector::Fail(c.call, c.result, 1, c.skip);
        std::string expected = c.expected;
        auto at = expected.find("%s");
        if (at != std::string::npos)
            expected.replace(at, 2, DD(c.result));
        EXPECT_EQ(ErrorOf([&] { d.Init(); }), "EDDError: " + expected) << c.call;
        EXPECT_FALSE(d.Active);
    }
    ResetForTests();
    TE_DDraw d;
    d.BitsPerPixel = 16;
    d.Resolution = trExclusive;
    FaultInjector::Fail("GetAttachedSurface", DDERR_NOTFOUND);
    EXPECT_EQ(ErrorOf([&] { d.Init(); }), "EDDError: Create_Back_Surface: " + DD(DDERR_NOTFOUND));
    FaultInjector::Fail("GetDisplayMode", DDERR_GENERIC);
    TE_DDraw normal;
    normal.Resolution = trNormal;
    EXPECT_EQ(ErrorOf([&] { normal.Init(); }), "EDDError: DDTest Error: Create_DD :" + DD(DDERR_GENERIC));
}

TEST_F(GfxTest, AFurtherInitDoesNotCreateTheObjectsAgain) {
    InitGame();
    IDirectDraw7* first = display->DirectDraw;
    display->Active = false;
    display->Init();
    EXPECT_EQ(display->DirectDraw, first);
    EXPECT_TRUE(display->Active);
    EXPECT_EQ(FaultInjector::Calls("DirectDrawCreateEx"), 1);
}

// The display made the primary surface, the back buffer and the clipper: destroying it
// must drop its hold on each, in both modes, or every run leaves the back buffer behind.
TEST_F(GfxTest, DestroyingTheDisplayReleasesItsSurfacesAndClipper) {
    for (TResolution mode : {trWindowed640x480, trExclusive}) {
        SCOPED_TRACE(int(mode));
        auto own = std::make_unique<TE_DDraw>();
        own->BitsPerPixel = 16;
        own->Resolution = mode;
        own->Init();
        std::vector<ddraw::IUnknown*> made{own->Primary, own->Back};
        if (own->Clipper)
            made.push_back(own->Clipper);
        for (ddraw::IUnknown* object : made)
            object->AddRef(); // our own reference outlives the display
        own.reset();
        for (ddraw::IUnknown* object : made)
            EXPECT_EQ(object->Release(), 0u);
    }
}

TEST_F(GfxTest, AttachingASceneReleasesItsBackgroundAndRemovingItDetachesIt) {
    InitGame();
    ASSERT_NE(scene->BackgroundSurface, nullptr);
    display->SetScene(scene.get());
    EXPECT_EQ(scene->BackgroundSurface, nullptr);
    EXPECT_EQ(display->E_DDSurface, scene.get());
    scene.reset();
    EXPECT_EQ(display->E_DDSurface, nullptr);
    display->Flip(); // a display without a scene presents an empty back buffer
    EXPECT_TRUE(display->Active);
    EXPECT_EQ(display->RestoreSurfaces(), DD_OK);
}

TEST_F(GfxTest, TheFlipTimerFlipsTheCurrentDisplay) {
    display->UseTimer = true;
    display->TimerInterval = 250;
    InitGame();
    bool before = display->FrameToggle;
    auto& app = ui::Application::Instance();
    app.FireDueTimers(app.NowMs() + 250);
    EXPECT_NE(display->FrameToggle, before);
    display->Active = false;
    TE_DDraw::TimerFlip(); // inactive: nothing
    EXPECT_EQ(display->FrameToggle, !before);
}
