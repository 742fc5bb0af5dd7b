// The package's display and scene: the eleven screen sizes, the mode loop's fallback
// one size at a time and its switch to 32 bits (bounded), exclusive mode taken from
// its property, exclusive flips retried a bounded number of times, every creation
// failure reported through DDTest with its step and leaving the display inactive,
// "Flipping" followed by the inner message, and the scene's differences (its display
// class, a library that does not load).
#include "VelmoraFixture.h"

using namespace velmoratest;
using namespace ddraw;

TEST_F(VelmoraTest, ScreenSizesOfTheResolutions) {
    const gdi::RECT sizes[] = {{0, 0, 320, 240},  {0, 0, 400, 300},  {0, 0, 512, 384},   {0, 0, 640, 480},
                               {0, 0, 800, 600},  {0, 0, 960, 720},  {0, 0, 1024, 768},  {0, 0, 1152, 864},
                               {0, 0, 1280, 1024}, {0, 0, 1600, 1200}};
    for (int r = tr320x240; r <= tr1600x1200; ++r) {
        display->Resolution = TResolution(r);
        display->SetScreenSize();
        EXPECT_EQ(display->ScreenRect, sizes[r - 1]) << r;
    }
    display->ScreenRect = gdi::RECT{0, 0, 7, 9};
    display->Resolution = trNormal;
    display->SetScreenSize();
    EXPECT_EQ(display->ScreenRect, (gdi::RECT{0, 0, 7, 9}));
    display->Resolution = TResolution(11);
    display->SetScreenSize();
    EXPECT_EQ(display->ScreenRect, (gdi::RECT{0, 0, 7, 9}));
    EXPECT_EQ(display->ChoseColourDepth(8), 32);
}

TEST_F(VelmoraTest, DefaultsAndAWindowedStart) {
    EXPECT_EQ(display->BitsPerPixel, 16);
    EXPECT_EQ(display->TimerInterval, 1000);
    EXPECT_FALSE(display->UseTimer);
    EXPECT_FALSE(display->Exclusive);
    display->Resolution = tr800x600;
    WriteBackground(800, 600);
    InitWithScene();
    EXPECT_EQ(gfx::CurrentDisplay, display.get());
    EXPECT_TRUE(display->Active);
    EXPECT_FALSE(display->FirstInit);
    EXPECT_EQ(display->ScreenRect, (gdi::RECT{0, 0, 800, 600}));
    EXPECT_EQ(VirtualScreenWidth(), 800);
    EXPECT_EQ(VirtualScreenBitsPerPixel(), 16);
    EXPECT_EQ(display->DirectDraw->CooperativeLevel(), DDSCL_NORMAL);
    ASSERT_NE(display->Clipper, nullptr);
    EXPECT_EQ(scene->SourceRect, display->ScreenRect);
    // The background is shown; its purple square is transparent.
    EXPECT_EQ(display->Primary->PixelAt(10, 10), P16(0x404040));
    EXPECT_EQ(display->Primary->PixelAt(150, 150), 0u);
}

TEST_F(VelmoraTest, ExclusiveModeComesFromItsPropertyAndKeepsTheSize) {
    display->Exclusive = true;
    display->Resolution = tr1024x768;
    WriteBackground(1024, 768);
    InitWithScene();
    EXPECT_EQ(display->ScreenRect, (gdi::RECT{0, 0, 1024, 768}));
    EXPECT_EQ(display->DirectDraw->CooperativeLevel(), 0x13u);
    EXPECT_EQ(display->Clipper, nullptr);
    DDSURFACEDESC2 desc{};
    desc.dwSize = DDSURFACEDESC2_SIZE;
    ASSERT_EQ(display->Back->GetSurfaceDesc(&desc), DD_OK);
    EXPECT_TRUE(desc.ddsCaps.dwCaps & DDSCAPS_BACKBUFFER);
    EXPECT_EQ(display->Primary->PixelAt(10, 10), P16(0x404040));

    // A flip still drawing is tried again; a lost one restores and is tried again.
    FaultInjector::ClearAll();
    FaultInjector::Fail("Flip", DDERR_WASSTILLDRAWING, 2);
    display->Flip();
    EXPECT_EQ(FaultInjector::Calls("Flip"), 3);
    FaultInjector::Fail("Flip", DDERR_SURFACELOST, 1);
    display->Flip();
    EXPECT_EQ(FaultInjector::Calls("Flip"), 4); // a restore that succeeds ends the loop
    EXPECT_GE(FaultInjector::Calls("Restore"), 2); // the primary and the background
    EXPECT_TRUE(display->Active);

    // A flip that never finishes drops the frame after a bounded number of attempts.
    FaultInjector::ClearAll();
    FaultInjector::Always("Flip", DDERR_WASSTILLDRAWING);
    display->Flip();
    EXPECT_EQ(FaultInjector::Calls("Flip"), TKx_DDraw::kMaxFlipAttempts);
    EXPECT_TRUE(display->Active);
    FaultInjector::Clear("Flip");
    FaultInjector::Always("Restore", DDERR_NOEXCLUSIVEMODE);
    FaultInjector::Fail("Flip", DDERR_SURFACELOST, FaultInjector::kAlways);
    display->Flip();
    EXPECT_EQ(FaultInjector::Calls("Flip"), 2 * TKx_DDraw::kMaxFlipAttempts);
}

TEST_F(VelmoraTest, NormalModeTakesTheDesktopMode) {
    SetDesktopMode(800, 600, 32);
    display->Resolution = trNormal;
    display->Init();
    EXPECT_EQ(display->BitsPerPixel, 32);
    EXPECT_EQ(display->ScreenRect, (gdi::RECT{0, 0, 800, 600}));
}

TEST_F(VelmoraTest, ARefusedSizeFallsBackOneStepAtATime) {
    display->Resolution = tr1024x768;
    FaultInjector::Fail("SetDisplayMode", DDERR_INVALIDMODE, 3);
    InitWithScene();
    EXPECT_EQ(display->Resolution, tr640x480);
    EXPECT_EQ(display->ScreenRect, (gdi::RECT{0, 0, 640, 480}));
    EXPECT_EQ(FaultInjector::Calls("SetDisplayMode"), 4);
    EXPECT_EQ(FaultInjector::Calls("RestoreDisplayMode"), 3);
    EXPECT_EQ(VirtualScreenWidth(), 640);
    EXPECT_TRUE(display->Active);
}

TEST_F(VelmoraTest, RefusedDownToTheDesktopModeGivesUp) {
    display->Resolution = tr400x300;
    FaultInjector::Always("SetDisplayMode", DDERR_INVALIDMODE);
    EXPECT_EQ(ErrorOf([&] { display->Init(); }), "EDDError: Can't set display mode");
    EXPECT_EQ(display->Resolution, trNormal);
    // 400 x 300, 320 x 240, and once more in the desktop mode (the size last set).
    EXPECT_EQ(FaultInjector::Calls("SetDisplayMode"), 3);
    EXPECT_FALSE(display->Active);
}

TEST_F(VelmoraTest, NoExclusiveModeSwitchesTo32Bits) {
    FaultInjector::Fail("SetDisplayMode", DDERR_NOEXCLUSIVEMODE, 1);
    InitWithScene();
    EXPECT_EQ(display->BitsPerPixel, 32);
    EXPECT_EQ(VirtualScreenBitsPerPixel(), 32);
    EXPECT_EQ(FaultInjector::Calls("RestoreDisplayMode"), 1);
    EXPECT_EQ(display->Back->BitsPerPixel(), 32);
}

TEST_F(VelmoraTest, NoExclusiveModeAt32BitsEndsTheLoop) {
    FaultInjector::Always("SetDisplayMode", DDERR_NOEXCLUSIVEMODE);
    EXPECT_EQ(ErrorOf([&] { display->Init(); }), "EDDError: DDTest Error: CreateDD :" + DD(DDERR_NOEXCLUSIVEMODE));
    EXPECT_EQ(FaultInjector::Calls("SetDisplayMode"), 2);
    EXPECT_EQ(display->BitsPerPixel, 32);
    EXPECT_FALSE(display->Active);

    // Another program holding the screen exclusively ends it too.
    FaultInjector::ClearAll();
    void* object = nullptr;
    ASSERT_EQ(DirectDrawCreateEx(nullptr, &object, IID_IDirectDraw7, nullptr), DD_OK);
    auto* holder = static_cast<IDirectDraw7*>(object);
    ASSERT_EQ(holder->SetCooperativeLevel(MainWindow(), 0x13), DD_OK);
    auto second = std::make_unique<TKx_DDraw>();
    second->Resolution = tr640x480;
    EXPECT_NE(ErrorOf([&] { second->Init(); }).find("DDTest Error: CreateDD :"), std::string::npos);
    EXPECT_LE(FaultInjector::Calls("SetDisplayMode"), 2);
    second.reset();
    holder->Release();
}

TEST_F(VelmoraTest, CreationFailuresNameTheirStep) {
    struct Case {
        const char* call;
        HRESULT result;
        bool exclusive;
        std::string expected;
    };
    const Case cases[] = {
        {"DirectDrawCreateEx", DDERR_GENERIC, false, "EDDError: Can't Create DirectDraw Object"},
        {"SetCooperativeLevel", DDERR_INVALIDPARAMS, false, "EDDError: DDTest Error: CreateDD :" + DD(DDERR_INVALIDPARAMS)},
        {"SetDisplayMode", DDERR_GENERIC, false, "EDDError: DDTest Error: CreateDD :" + DD(DDERR_GENERIC)},
        {"CreateSurface", DDERR_OUTOFVIDEOMEMORY, false,
         "EDDError: DDTest Error: CreatePrimary :" + DD(DDERR_OUTOFVIDEOMEMORY)},
        {"CreateClipper", DDERR_OUTOFMEMORY, false, "EDDError: DDTest Error: CreateBack :" + DD(DDERR_OUTOFMEMORY)},
        {"SetClipper", DDERR_NOCLIPPERATTACHED, false,
         "EDDError: DDTest Error: CreateBack :" + DD(DDERR_NOCLIPPERATTACHED)},
        {"GetAttachedSurface", DDERR_NOTFOUND, true, "EDDError: DDTest Error: CreateBack :" + DD(DDERR_NOTFOUND)},
    };
    for (const Case& c : cases) {
        display = std::make_unique<TKx_DDraw>();
        display->Resolution = tr640x480;
        display->Exclusive = c.exclusive;
        ResetForTests();
        FaultInjector::Fail(c.call, c.result);
        EXPECT_EQ(ErrorOf([&] { display->Init(); }), c.expected) << c.call;
        EXPECT_FALSE(display->Active) << c.call;
    }
    // The back buffer of a windowed display is made as every off-screen surface is.
    display = std::make_unique<TKx_DDraw>();
    display->Resolution = tr640x480;
    ResetForTests();
    FaultInjector::Fail("CreateSurface", DDERR_OUTOFMEMORY, 1, 1);
    EXPECT_EQ(ErrorOf([&] { display->Init(); }),
              "EDDError: DDTest Error: DDCreateSurface: Create surface Failed :" + DD(DDERR_OUTOFMEMORY));
}

TEST_F(VelmoraTest, AFailedFlipCarriesTheInnerMessageAndStopsDrawing) {
    InitWithScene();
    FaultInjector::Fail("Blt", DDERR_SURFACEBUSY);
    EXPECT_EQ(ErrorOf([&] { display->Flip(); }), "EDDError: FlippingDDTest Error: Flip :" + DD(DDERR_SURFACEBUSY));
    EXPECT_FALSE(display->Active);
    bool toggle = display->FrameToggle;
    int blts = FaultInjector::Calls("Blt");
    display->Flip();
    EXPECT_NE(display->FrameToggle, toggle);
    EXPECT_EQ(FaultInjector::Calls("Blt"), blts);
    // Init starts drawing again without creating the objects a second time.
    int creations = FaultInjector::Calls("DirectDrawCreateEx");
    display->Init();
    EXPECT_TRUE(display->Active);
    EXPECT_EQ(FaultInjector::Calls("DirectDrawCreateEx"), creations);
}

TEST_F(VelmoraTest, EveryFailedTestOfAResultMakesTheDisplayInactive) {
    display->Init();
    EXPECT_NO_THROW(display->DDTest(S_FALSE, "Here"));
    EXPECT_TRUE(display->Active);
    EXPECT_EQ(ErrorOf([&] { display->DDTest(DDERR_GENERIC, "Here"); }),
              "EDDError: DDTest Error: Here :" + DD(DDERR_GENERIC));
    EXPECT_FALSE(display->Active);
}

TEST_F(VelmoraTest, TheDisplayReleasesItsSurfaces) {
    display->Init();
    IDirectDrawSurface7* primary = display->Primary;
    IDirectDrawSurface7* back = display->Back;
    primary->AddRef();
    back->AddRef();
    display.reset();
    EXPECT_EQ(primary->RefCount(), 1u);
    EXPECT_EQ(back->RefCount(), 1u);
    primary->Release();
    back->Release();
}

TEST_F(VelmoraTest, SceneAttachmentAndRemoval) {
    InitWithScene();
    ASSERT_NE(scene->BackgroundSurface, nullptr);
    display->SetScene(scene.get()); // attaching releases the background first
    EXPECT_EQ(scene->BackgroundSurface, nullptr);
    scene.reset();
    EXPECT_EQ(display->E_DDSurface, nullptr);
    display->Flip(); // a display without a scene presents an empty back buffer
    EXPECT_TRUE(display->Active);
}

TEST_F(VelmoraTest, TheSceneBelongsToAPackageDisplay) {
    display->Init();
    ui::Component stranger;
    scene->BackgroundBitmap = backPath;
    EXPECT_EQ(ErrorOf([&] { scene->SetupSurfaces(&stranger); }), "Exception: Invalid class typecast");
}

TEST_F(VelmoraTest, ALibraryThatDoesNotLoadIsReportedAndTheSceneGoesOn) {
    scene->DLLName = "Missing.dll";
    InitWithScene();
    ASSERT_EQ(backend.boxes.size(), 1u);
    EXPECT_EQ(backend.boxes[0], "Can't Load DLL:Missing.dll");
    EXPECT_TRUE(scene->DLLName.empty());
    EXPECT_EQ(scene->Module, nullptr);
    EXPECT_TRUE(display->Active);
    EXPECT_EQ(display->Primary->PixelAt(10, 10), P16(0x404040));
}

TEST_F(VelmoraTest, TheFlipTimerPresentsFrames) {
    display->UseTimer = true;
    display->TimerInterval = 50;
    display->Init();
    bool toggle = display->FrameToggle;
    backend.now = 50;
    ui::Application::Instance().FireDueTimers(50);
    EXPECT_NE(display->FrameToggle, toggle);
}
