// The software DirectDraw: modes and the virtual screen, surfaces, locks and DCs, blits,
// flipping, lost surfaces, clippers, palettes and the fault injector.
#include "DDrawFixture.h"

#include <png.h>

#include <cstdio>
#include <filesystem>

using namespace ddraw;
using ddtest::DDrawTest;
using ddtest::Fill;

TEST_F(DDrawTest, CooperativeLevelsAndExclusiveOwnership) {
    EXPECT_EQ(dd->SetCooperativeLevel(MainWindow(), DDSCL_EXCLUSIVE), DDERR_INVALIDPARAMS); // needs FULLSCREEN
    EXPECT_EQ(dd->SetCooperativeLevel(nullptr, DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE), DDERR_INVALIDPARAMS);
    EXPECT_EQ(dd->SetCooperativeLevel(MainWindow(), 0x13), DD_OK);
    void* other = nullptr;
    ASSERT_EQ(DirectDrawCreateEx(nullptr, &other, IID_IDirectDraw7, nullptr), DD_OK);
    auto* dd2 = static_cast<IDirectDraw7*>(other);
    EXPECT_EQ(dd2->SetCooperativeLevel(MainWindow(), 0x13), DDERR_EXCLUSIVEMODEALREADYSET);
    EXPECT_EQ(dd2->SetCooperativeLevel(MainWindow(), DDSCL_NORMAL), DD_OK);
    EXPECT_EQ(dd2->SetDisplayMode(800, 600, 16, 0, 0), DDERR_NOEXCLUSIVEMODE);
    EXPECT_EQ(dd->SetCooperativeLevel(MainWindow(), DDSCL_NORMAL), DD_OK); // gives exclusive mode up
    EXPECT_EQ(dd2->SetCooperativeLevel(MainWindow(), 0x13), DD_OK);
    dd2->Release(); // releasing the object gives it up too
    EXPECT_EQ(dd->SetCooperativeLevel(MainWindow(), 0x13), DD_OK);
}

TEST_F(DDrawTest, DisplayModesSetTheVirtualScreen) {
    EXPECT_EQ(VirtualScreenWidth(), 1024); // the desktop
    EXPECT_EQ(VirtualScreenBitsPerPixel(), 32);
    EXPECT_EQ(dd->SetDisplayMode(640, 480, 16, 0, 0), DDERR_NOCOOPERATIVELEVELSET);
    ASSERT_EQ(dd->SetCooperativeLevel(MainWindow(), DDSCL_NORMAL), DD_OK);
    EXPECT_EQ(dd->SetDisplayMode(641, 480, 16, 0, 0), DDERR_INVALIDMODE);
    EXPECT_EQ(dd->SetDisplayMode(640, 480, 8, 0, 0), DDERR_INVALIDMODE);
    ASSERT_EQ(dd->SetDisplayMode(640, 480, 16, 0, 0), DD_OK);
    EXPECT_EQ(VirtualScreenWidth(), 640);
    EXPECT_EQ(VirtualScreenHeight(), 480);
    EXPECT_EQ(VirtualScreenBitsPerPixel(), 16);

    DDSURFACEDESC2 desc{};
    EXPECT_EQ(dd->GetDisplayMode(&desc), DDERR_INVALIDPARAMS); // dwSize not set
    desc.dwSize = 124;
    ASSERT_EQ(dd->GetDisplayMode(&desc), DD_OK);
    EXPECT_EQ(desc.dwWidth, 640u);
    EXPECT_EQ(desc.dwHeight, 480u);
    EXPECT_EQ(desc.ddpfPixelFormat.dwRGBBitCount, 16u);
    EXPECT_EQ(desc.ddpfPixelFormat.dwGBitMask, 0x07E0u);

    ASSERT_EQ(dd->RestoreDisplayMode(), DD_OK);
    EXPECT_EQ(VirtualScreenWidth(), 1024);
    ASSERT_EQ(dd->SetDisplayMode(800, 600, 32, 0, 0), DD_OK);
    dd->Release(); // releasing the object restores the desktop
    dd = nullptr;
    EXPECT_EQ(VirtualScreenWidth(), 1024);
    EXPECT_EQ(VirtualScreenHeight(), 768);
}

TEST_F(DDrawTest, SurfacesTakeTheScreensFormatUnlessTold) {
    DDSURFACEDESC2 desc{};
    desc.dwSize = 124;
    desc.dwFlags = 7;
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
    desc.dwWidth = 59;
    desc.dwHeight = 31;
    IDirectDrawSurface7* s = nullptr;
    EXPECT_EQ(dd->CreateSurface(&desc, &s, nullptr), DDERR_NOCOOPERATIVELEVELSET);
    Windowed640();
    ASSERT_EQ(dd->CreateSurface(&desc, &s, nullptr), DD_OK);
    EXPECT_EQ(s->BitsPerPixel(), 16);
    DDSURFACEDESC2 got{};
    got.dwSize = 124;
    ASSERT_EQ(s->GetSurfaceDesc(&got), DD_OK);
    EXPECT_EQ(got.dwWidth, 59u);
    EXPECT_EQ(got.dwHeight, 31u);
    EXPECT_EQ(got.lPitch, 120); // rows are padded to 4 bytes
    EXPECT_TRUE(got.ddsCaps.dwCaps & DDSCAPS_OFFSCREENPLAIN);
    s->Release();

    EXPECT_EQ(Offscreen(8, 8, 32)->BitsPerPixel(), 32);
    desc.dwWidth = 0;
    EXPECT_EQ(dd->CreateSurface(&desc, &s, nullptr), DDERR_INVALIDPARAMS);
    desc.dwWidth = 100000;
    EXPECT_EQ(dd->CreateSurface(&desc, &s, nullptr), DDERR_OUTOFVIDEOMEMORY);
    desc.dwWidth = 8;
    desc.dwSize = 100;
    EXPECT_EQ(dd->CreateSurface(&desc, &s, nullptr), DDERR_INVALIDPARAMS);
}

TEST_F(DDrawTest, OnePrimaryPerObjectAndFlipChainsNeedExclusiveMode) {
    Windowed640();
    DDSURFACEDESC2 desc{};
    desc.dwSize = 124;
    desc.dwFlags = 0x21;
    desc.ddsCaps.dwCaps = 0x218;
    desc.dwBackBufferCount = 1;
    IDirectDrawSurface7* p = nullptr;
    EXPECT_EQ(dd->CreateSurface(&desc, &p, nullptr), DDERR_NOEXCLUSIVEMODE);
    desc.dwFlags = 1;
    desc.ddsCaps.dwCaps = 0x200;
    ASSERT_EQ(dd->CreateSurface(&desc, &p, nullptr), DD_OK);
    EXPECT_EQ(p->Width(), 640);
    IDirectDrawSurface7* q = nullptr;
    EXPECT_EQ(dd->CreateSurface(&desc, &q, nullptr), DDERR_PRIMARYSURFACEALREADYEXISTS);
    DDSCAPS2 caps{};
    caps.dwCaps = DDSCAPS_BACKBUFFER;
    EXPECT_EQ(p->GetAttachedSurface(&caps, &q), DDERR_NOTFOUND);
    EXPECT_EQ(p->Flip(nullptr, DDFLIP_WAIT), DDERR_NOTFLIPPABLE);
    p->Release();
    ASSERT_EQ(dd->CreateSurface(&desc, &p, nullptr), DD_OK); // a new one after the release
    p->Release();
}

TEST_F(DDrawTest, ExclusiveFlipSwapsFrontAndBack) {
    ASSERT_EQ(dd->SetCooperativeLevel(MainWindow(), 0x13), DD_OK);
    ASSERT_EQ(dd->SetDisplayMode(640, 480, 16, 0, 0), DD_OK);
    DDSURFACEDESC2 desc{};
    desc.dwSize = 124;
    desc.dwFlags = 0x21;
    desc.ddsCaps.dwCaps = 0x218;
    desc.dwBackBufferCount = 1;
    IDirectDrawSurface7* front = nullptr;
    ASSERT_EQ(dd->CreateSurface(&desc, &front, nullptr), DD_OK);
    DDSCAPS2 caps{};
    caps.dwCaps = 4;
    IDirectDrawSurface7* back = nullptr;
    ASSERT_EQ(front->GetAttachedSurface(&caps, &back), DD_OK);
    Fill(back, 0x1234);
    Fill(front, 0x0F0F);
    ASSERT_EQ(front->Flip(nullptr, DDFLIP_WAIT), DD_OK);
    std::vector<std::uint32_t> rgb;
    int w, h;
    ReadVirtualScreenRgb(rgb, w, h);
    EXPECT_EQ(w, 640);
    gdi::COLORREF c = gdi::PixelToColor(0x1234, 16);
    EXPECT_EQ(rgb[0], std::uint32_t(gdi::GetRValue(c)) << 16 | std::uint32_t(gdi::GetGValue(c)) << 8 |
                          gdi::GetBValue(c));
    EXPECT_EQ(back->PixelAt(5, 5), 0x0F0Fu); // the old front is now the back
    back->Release();
    front->Release();
}

TEST_F(DDrawTest, LockAndDcExcludeEachOtherAndBlits) {
    Windowed640();
    IDirectDrawSurface7* s = Offscreen(4, 4);
    IDirectDrawSurface7* t = Offscreen(4, 4);
    DDSURFACEDESC2 desc{};
    desc.dwSize = 124;
    ASSERT_EQ(s->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    EXPECT_EQ(desc.dwWidth, 4u);
    EXPECT_EQ(desc.ddpfPixelFormat.dwRGBBitCount, 16u);
    static_cast<std::uint16_t*>(desc.lpSurface)[1] = 0xBEEF;
    EXPECT_EQ(s->Lock(nullptr, &desc, 0, nullptr), DDERR_SURFACEBUSY);
    HDC dc = nullptr;
    EXPECT_EQ(s->GetDC(&dc), DDERR_SURFACEBUSY);
    EXPECT_EQ(t->BltFast(0, 0, s, nullptr, 0), DDERR_SURFACEBUSY);
    ASSERT_EQ(s->Unlock(nullptr), DD_OK);
    EXPECT_EQ(s->Unlock(nullptr), DDERR_NOTLOCKED);
    EXPECT_EQ(s->PixelAt(1, 0), 0xBEEFu);

    ASSERT_EQ(s->GetDC(&dc), DD_OK);
    HDC dc2 = nullptr;
    EXPECT_EQ(s->GetDC(&dc2), DDERR_DCALREADYCREATED);
    EXPECT_EQ(s->Lock(nullptr, &desc, 0, nullptr), DDERR_SURFACEBUSY);
    gdi::SetPixel(dc, 2, 2, 0x0000FF);
    EXPECT_EQ(s->ReleaseDC(nullptr), DDERR_NODC);
    ASSERT_EQ(s->ReleaseDC(dc), DD_OK);
    EXPECT_EQ(s->PixelAt(2, 2), 0xF800u);

    RECT outside{2, 2, 6, 3};
    EXPECT_EQ(s->Lock(&outside, &desc, 0, nullptr), DDERR_INVALIDRECT);
}

TEST_F(DDrawTest, BltFastRefusesRectanglesOutsideEitherSurface) {
    Windowed640();
    IDirectDrawSurface7* src = Offscreen(10, 10);
    IDirectDrawSurface7* dst = Offscreen(20, 20);
    Fill(src, 7);
    RECT r{0, 0, 10, 10};
    EXPECT_EQ(dst->BltFast(10, 10, src, &r, 0), DD_OK);
    EXPECT_EQ(dst->PixelAt(19, 19), 7u);
    EXPECT_EQ(dst->BltFast(11, 10, src, &r, 0), DDERR_INVALIDRECT);
    EXPECT_EQ(dst->BltFast(DWORD(-1), 0, src, &r, 0), DDERR_INVALIDRECT);
    RECT tooWide{0, 0, 11, 10}, negative{-1, 0, 5, 5}, empty{3, 3, 3, 5}, inverted{5, 0, 2, 4};
    EXPECT_EQ(dst->BltFast(0, 0, src, &tooWide, 0), DDERR_INVALIDRECT);
    EXPECT_EQ(dst->BltFast(0, 0, src, &negative, 0), DDERR_INVALIDRECT);
    EXPECT_EQ(dst->BltFast(0, 0, src, &empty, 0), DDERR_INVALIDRECT);
    EXPECT_EQ(dst->BltFast(0, 0, src, &inverted, 0), DDERR_INVALIDRECT);
    EXPECT_EQ(dst->BltFast(0, 0, nullptr, &r, 0), DDERR_INVALIDPARAMS);
    EXPECT_EQ(dst->BltFast(0, 0, Offscreen(2, 2, 32), nullptr, 0), DDERR_INVALIDPIXELFORMAT);
    EXPECT_EQ(dst->PixelAt(0, 0), 0u); // nothing refused was drawn
}

TEST_F(DDrawTest, ColourKeysSkipKeyedPixelsOnlyWhenAsked) {
    Windowed640();
    IDirectDrawSurface7* src = Offscreen(2, 1);
    IDirectDrawSurface7* dst = Offscreen(2, 1);
    src->SetPixelAt(0, 0, 0x8010); // purple
    src->SetPixelAt(1, 0, 0x1111);
    Fill(dst, 0x2222);
    DDCOLORKEY key{0x8010, 0x8010};
    EXPECT_EQ(src->SetColorKey(0, &key), DDERR_INVALIDPARAMS);
    ASSERT_EQ(src->SetColorKey(DDCKEY_SRCBLT, &key), DD_OK);
    DDCOLORKEY got;
    ASSERT_EQ(src->GetColorKey(DDCKEY_SRCBLT, &got), DD_OK);
    EXPECT_EQ(got.dwColorSpaceLowValue, 0x8010u);
    ASSERT_EQ(dst->BltFast(0, 0, src, nullptr, DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT), DD_OK);
    EXPECT_EQ(dst->PixelAt(0, 0), 0x2222u);
    EXPECT_EQ(dst->PixelAt(1, 0), 0x1111u);
    ASSERT_EQ(dst->BltFast(0, 0, src, nullptr, DDBLTFAST_NOCOLORKEY), DD_OK);
    EXPECT_EQ(dst->PixelAt(0, 0), 0x8010u);
    ASSERT_EQ(src->SetColorKey(DDCKEY_SRCBLT, nullptr), DD_OK);
    EXPECT_EQ(src->GetColorKey(DDCKEY_SRCBLT, &got), DDERR_NOCOLORKEY);
}

TEST_F(DDrawTest, BltStretchesAndClipsToTheWindowThroughTheClipper) {
    IDirectDrawSurface7* primary = WindowedPrimary();
    ASSERT_NE(primary, nullptr);
    IDirectDrawSurface7* back = Offscreen(2, 2);
    back->SetPixelAt(0, 0, 1);
    back->SetPixelAt(1, 0, 2);
    back->SetPixelAt(0, 1, 3);
    back->SetPixelAt(1, 1, 4);
    RECT all{0, 0, 2, 2};
    RECT dest{600, 400, 700, 500}; // partly off the screen
    EXPECT_EQ(primary->Blt(&dest, back, &all, 0, nullptr), DDERR_INVALIDRECT); // no clipper
    IDirectDrawClipper* clipper = nullptr;
    ASSERT_EQ(dd->CreateClipper(0, &clipper, nullptr), DD_OK);
    ASSERT_EQ(primary->SetClipper(clipper), DD_OK);
    EXPECT_EQ(primary->Blt(&dest, back, &all, 0, nullptr), DDERR_NOCLIPLIST);
    clipper->SetHWnd(0, MainWindow());
    MainWindow()->SetRect(RECT{0, 0, 640, 480});
    ASSERT_EQ(primary->Blt(&dest, back, &all, 0, nullptr), DD_OK);
    EXPECT_EQ(primary->PixelAt(600, 400), 1u);
    EXPECT_EQ(primary->PixelAt(639, 449), 1u);
    EXPECT_EQ(primary->PixelAt(639, 479), 3u); // the rest fell off the screen
    // A window in the middle of the screen: the stretch covers only its rectangle.
    MainWindow()->SetRect(RECT{100, 100, 300, 200});
    RECT window;
    GetWindowRect(MainWindow(), &window);
    ASSERT_EQ(primary->Blt(&window, back, &all, 0, nullptr), DD_OK);
    EXPECT_EQ(primary->PixelAt(100, 100), 1u);
    EXPECT_EQ(primary->PixelAt(299, 100), 2u);
    EXPECT_EQ(primary->PixelAt(100, 199), 3u);
    EXPECT_EQ(primary->PixelAt(299, 199), 4u);
    EXPECT_EQ(primary->PixelAt(99, 100), 0u);
    EXPECT_EQ(primary->PixelAt(300, 150), 0u);
    // BltFast cannot clip.
    EXPECT_EQ(primary->BltFast(0, 0, back, nullptr, 0), DDERR_BLTFASTCANTCLIP);
    DDBLTFX fx{};
    fx.dwFillColor = 9;
    ASSERT_EQ(primary->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, &fx), DD_OK);
    EXPECT_EQ(primary->PixelAt(150, 150), 9u);
    EXPECT_EQ(primary->PixelAt(50, 50), 0u); // outside the window
    clipper->Release();
}

TEST_F(DDrawTest, ModeChangesLoseSurfacesUntilRestored) {
    Windowed640();
    IDirectDrawSurface7* s = Offscreen(4, 4);
    IDirectDrawSurface7* t = Offscreen(4, 4);
    Fill(s, 5);
    ASSERT_EQ(dd->SetDisplayMode(800, 600, 16, 0, 0), DD_OK);
    EXPECT_EQ(s->IsLost(), DDERR_SURFACELOST);
    DDSURFACEDESC2 desc{};
    desc.dwSize = 124;
    HDC dc = nullptr;
    EXPECT_EQ(s->Lock(nullptr, &desc, 0, nullptr), DDERR_SURFACELOST);
    EXPECT_EQ(s->GetDC(&dc), DDERR_SURFACELOST);
    EXPECT_EQ(t->BltFast(0, 0, s, nullptr, 0), DDERR_SURFACELOST);
    EXPECT_EQ(s->Restore(), DD_OK);
    EXPECT_EQ(s->IsLost(), DD_OK);
    EXPECT_EQ(s->PixelAt(0, 0), 0u); // the memory did not survive
    EXPECT_EQ(t->Restore(), DD_OK);
    EXPECT_EQ(t->BltFast(0, 0, s, nullptr, 0), DD_OK);
    LoseAllSurfaces();
    EXPECT_EQ(dd->RestoreAllSurfaces(), DD_OK);
    EXPECT_EQ(s->IsLost(), DD_OK);
    EXPECT_EQ(t->IsLost(), DD_OK);
}

TEST_F(DDrawTest, FaultInjectorAnswersOnceAlwaysAfterSkipsAndPerObject) {
    Windowed640();
    IDirectDrawSurface7* a = Offscreen(4, 4);
    IDirectDrawSurface7* b = Offscreen(4, 4);
    FaultInjector::Fail("BltFast", DDERR_WASSTILLDRAWING);
    EXPECT_EQ(a->BltFast(0, 0, b, nullptr, DDBLTFAST_WAIT), DDERR_WASSTILLDRAWING);
    EXPECT_EQ(a->BltFast(0, 0, b, nullptr, 0), DD_OK);
    FaultInjector::Fail("BltFast", DDERR_SURFACELOST, 1, 2);
    EXPECT_EQ(a->BltFast(0, 0, b, nullptr, 0), DD_OK);
    EXPECT_EQ(a->BltFast(0, 0, b, nullptr, 0), DD_OK);
    EXPECT_EQ(a->BltFast(0, 0, b, nullptr, 0), DDERR_SURFACELOST);
    EXPECT_EQ(a->BltFast(0, 0, b, nullptr, 0), DD_OK);
    FaultInjector::Always("Restore", DDERR_GENERIC, b);
    EXPECT_EQ(a->Restore(), DD_OK);
    EXPECT_EQ(b->Restore(), DDERR_GENERIC);
    EXPECT_EQ(b->Restore(), DDERR_GENERIC);
    FaultInjector::Clear("Restore");
    EXPECT_EQ(b->Restore(), DD_OK);
    EXPECT_EQ(FaultInjector::Calls("BltFast"), 6);
    FaultInjector::Fail("DirectDrawCreateEx", DDERR_GENERIC);
    void* object = nullptr;
    EXPECT_EQ(DirectDrawCreateEx(nullptr, &object, IID_IDirectDraw7, nullptr), DDERR_GENERIC);
    EXPECT_EQ(object, nullptr);
    FaultInjector::Fail("SetDisplayMode", DDERR_INVALIDMODE);
    EXPECT_EQ(dd->SetDisplayMode(640, 480, 16, 0, 0), DDERR_INVALIDMODE);
}

TEST_F(DDrawTest, PalettesKeepTheirEntries) {
    Windowed640();
    PALETTEENTRY entries[256];
    for (int i = 0; i < 256; ++i)
        entries[i] = PALETTEENTRY{BYTE(i), BYTE(255 - i), 7, 0};
    IDirectDrawPalette* palette = nullptr;
    ASSERT_EQ(dd->CreatePalette(DDPCAPS_8BIT, entries, &palette, nullptr), DD_OK);
    PALETTEENTRY got[2];
    ASSERT_EQ(palette->GetEntries(0, 200, 2, got), DD_OK);
    EXPECT_EQ(got[1].peRed, 201);
    EXPECT_EQ(got[1].peGreen, 54);
    EXPECT_EQ(palette->GetEntries(0, 255, 2, got), DDERR_INVALIDPARAMS);
    IDirectDrawSurface7* s = Offscreen(2, 2);
    IDirectDrawPalette* attached = nullptr;
    EXPECT_EQ(s->GetPalette(&attached), DDERR_NOPALETTEATTACHED);
    ASSERT_EQ(s->SetPalette(palette), DD_OK);
    ASSERT_EQ(s->GetPalette(&attached), DD_OK);
    EXPECT_EQ(attached, palette);
    attached->Release();
    palette->Release(); // the surface still holds it
    PALETTEENTRY one;
    EXPECT_EQ(attached->GetEntries(0, 0, 1, &one), DD_OK);
}

TEST_F(DDrawTest, VirtualScreenAsRgbAndPng) {
    IDirectDrawSurface7* primary = WindowedPrimary();
    ASSERT_NE(primary, nullptr);
    std::uint64_t before = VirtualScreenGeneration();
    DDBLTFX fx{};
    fx.dwFillColor = 0xF800; // red
    RECT r{10, 20, 30, 40};
    ASSERT_EQ(primary->Blt(&r, nullptr, nullptr, DDBLT_COLORFILL, &fx), DD_OK);
    EXPECT_GT(VirtualScreenGeneration(), before);
    std::vector<std::uint32_t> rgb;
    int w = 0, h = 0;
    ReadVirtualScreenRgb(rgb, w, h);
    ASSERT_EQ(rgb.size(), std::size_t(640 * 480));
    EXPECT_EQ(rgb[std::size_t(25 * 640 + 15)], 0xFF0000u);
    EXPECT_EQ(rgb[0], 0u);

    std::string path = (std::filesystem::temp_directory_path() / "plazaro_ddraw_shot.png").string();
    std::string error;
    ASSERT_TRUE(SaveVirtualScreenPng(path, &error)) << error;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&image, path.c_str()));
    image.format = PNG_FORMAT_RGB;
    std::vector<png_byte> pixels(PNG_IMAGE_SIZE(image));
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr));
    EXPECT_EQ(image.width, 640u);
    EXPECT_EQ(image.height, 480u);
    std::size_t at = std::size_t(25 * 640 + 15) * 3;
    EXPECT_EQ(pixels[at], 255);
    EXPECT_EQ(pixels[at + 1], 0);
    std::filesystem::remove(path);
    EXPECT_FALSE(SaveVirtualScreenPng("/nonexistent-dir/x.png", &error));
    EXPECT_EQ(error, "cannot write /nonexistent-dir/x.png");
}

// A reader that keeps its pixels converts only the rows that changed, and ends with
// what a whole read gives: after fills that change some rows, fills that change none,
// several changes between reads, and a change of mode.
TEST_F(DDrawTest, KeptScreenPixelsFollowEveryChangeAsAWholeReadDoes) {
    IDirectDrawSurface7* primary = WindowedPrimary();
    ASSERT_NE(primary, nullptr);
    std::vector<std::uint32_t> kept, whole;
    int keptW = 0, keptH = 0, w = 0, h = 0;
    std::uint64_t readAt = 0;
    std::uint32_t seed = 99;
    auto next = [&seed](std::uint32_t n) { return ((seed = seed * 1664525u + 1013904223u) >> 8) % n; };
    for (int round = 0; round < 60; ++round) {
        for (int fills = round % 3; fills >= 0; --fills) {
            DDBLTFX fx{};
            fx.dwFillColor = round % 5 == 4 ? 0 : next(0x10000);
            const int left = int(next(600)), top = int(next(470));
            RECT r{left, top, left + 1 + int(next(40)), top + 1 + int(next(10))};
            ASSERT_EQ(primary->Blt(&r, nullptr, nullptr, DDBLT_COLORFILL, &fx), DD_OK);
        }
        if (round == 40) {
            ASSERT_EQ(dd->SetDisplayMode(800, 600, 16, 0, 0), DD_OK);
            ASSERT_EQ(primary->Restore(), DD_OK);
        }
        if (round % 4 == 1)
            VirtualScreenContentGeneration(); // someone else asked in between
        UpdateVirtualScreenRgb(kept, keptW, keptH, readAt);
        ReadVirtualScreenRgb(whole, w, h);
        ASSERT_EQ(keptW, w);
        ASSERT_EQ(keptH, h);
        ASSERT_EQ(kept, whole) << "round " << round;
        EXPECT_EQ(readAt, VirtualScreenContentGeneration());
    }
}
