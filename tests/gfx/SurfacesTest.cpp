// The engine's free functions: loading, name resolution, copying, colour matching,
// palettes and the clipped blit.
#include "GfxFixture.h"

#include "platform/os/ResourceTable.h"

#include <cstdio>

using namespace gfxtest;
using namespace ddraw;

namespace {
// A source tile filled with one value, keyed on purple.
IDirectDrawSurface7* Tile(int w, int h, std::uint32_t value) {
    IDirectDrawSurface7* s = DDCreateSurface(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            s->SetPixelAt(x, y, value);
    SetSurfaceColorKey(s, 0x800080);
    return s;
}
int CountValue(IDirectDrawSurface7* s, std::uint32_t value) {
    int n = 0;
    for (int y = 0; y < s->Height(); ++y)
        for (int x = 0; x < s->Width(); ++x)
            n += s->PixelAt(x, y) == value;
    return n;
}
} // namespace

TEST_F(GfxTest, FunctionsNeedTheDisplay) {
    EXPECT_EQ(ErrorOf([&] { DDCreateSurface(4, 4); }), "EDDError: No display: Init has not run");
}

TEST_F(GfxTest, LoadBitmapSurfaceFromAResourceWithTheGamesKey) {
    InitGame();
    static const auto p001 = Bmp24(59, 31, [](int x, int) { return x < 10 ? 0x800080u : 0x00FF00u; });
    os::ResourceTable::Add("P001", p001.data(), p001.size());
    IDirectDrawSurface7* s = LoadBitmapSurface(nullptr, "P001", true, 0x800080);
    os::ResourceTable::Remove("P001");
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->Width(), 59);
    EXPECT_EQ(s->Height(), 31);
    EXPECT_EQ(s->PixelAt(0, 0), 0x8010u);
    EXPECT_EQ(s->PixelAt(58, 30), P16(0x00FF00));
    DDCOLORKEY key;
    ASSERT_EQ(s->GetColorKey(DDCKEY_SRCBLT, &key), DD_OK);
    EXPECT_EQ(key.dwColorSpaceLowValue, 0x8010u);
    EXPECT_EQ(key.dwColorSpaceHighValue, 0x8010u);
    // Drawn keyed into the 1152 x 864 back buffer the renderer composes on.
    IDirectDrawSurface7* back = DDCreateSurface(1152, 864);
    BltFastClipped(back, s, 0, 0, 1152, 864, 0, 0, 59, 31, 100, 100);
    EXPECT_EQ(back->PixelAt(105, 105), 0u);
    EXPECT_EQ(back->PixelAt(115, 105), P16(0x00FF00));
    back->Release();
    s->Release();
}

TEST_F(GfxTest, ResourcesComeBeforeFilesButGetDibReadsOnlyFiles) {
    InitGame();
    std::string path = (dir / "both.bmp").string();
    WriteFile(path, Bmp24(2, 2, [](int, int) { return 0x0000FFu; })); // blue file
    static std::vector<std::uint8_t> resource;
    resource = Bmp24(3, 3, [](int, int) { return 0xFF0000u; }); // red resource
    os::ResourceTable::Add(path, resource.data(), resource.size());
    int w = 0, h = 0;
    DDGetImageSize(nullptr, path, w, h);
    EXPECT_EQ(w, 3);
    IDirectDrawSurface7* s = LoadBitmapSurface(nullptr, path, false, 0);
    EXPECT_EQ(s->PixelAt(0, 0), 0xF800u);
    s->Release();
    gdi::HBITMAP b = scene->Get_Dib(nullptr, path);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->width, 2);
    gdi::DeleteObject(b);
    b = scene->Get_Dib(gdi::ProgramInstance(), path); // with a module: only its resources
    EXPECT_EQ(b->width, 3);
    gdi::DeleteObject(b);
    os::ResourceTable::Remove(path);
    // Without the resource, the file.
    DDGetImageSize(nullptr, path, w, h);
    EXPECT_EQ(w, 2);
}

TEST_F(GfxTest, LoadFailuresRaiseTheBaseException) {
    InitGame();
    int w, h;
    EXPECT_EQ(ErrorOf([&] { DDGetImageSize(nullptr, "NoSuchBitmap", w, h); }),
              "Exception: DDGetImageSize: Unable to load bitmap NoSuchBitmap");
    IDirectDrawSurface7* s = DDCreateSurface(2, 2);
    EXPECT_EQ(ErrorOf([&] { DDReLoadBitmap(s, nullptr, "NoSuchBitmap"); }),
              "Exception: DDReLoadBitmap: Unable to load bitmap NoSuchBitmap");
    // A bad file is refused by the loader, not read past its end.
    std::string bad = (dir / "bad.bmp").string();
    auto bytes = Bmp24(50, 50, [](int, int) { return 0u; });
    bytes.resize(200);
    WriteFile(bad, bytes);
    EXPECT_EQ(ErrorOf([&] { LoadBitmapSurface(nullptr, bad, true, 0x800080); }),
              "Exception: DDGetImageSize: Unable to load bitmap " + bad);
    EXPECT_EQ(gdi::GetLastBitmapError(), "Bitmap: pixel data truncated");
    EXPECT_TRUE(display->Active);
    s->Release();
}

TEST_F(GfxTest, DDCreateSurfaceFailureGoesThroughDDTest) {
    InitGame();
    FaultInjector::Fail("CreateSurface", DDERR_OUTOFMEMORY);
    EXPECT_EQ(ErrorOf([&] { DDCreateSurface(10, 10); }),
              "EDDError: DDTest Error: DDCreateSurface: Create surface Failed :-2147024882 GetOleError: Out Of Memory");
}

TEST_F(GfxTest, DDCopyBitmapStretchesWholeOrPart) {
    InitGame();
    gdi::HBITMAP b = gdi::CreateBitmap32(2, 2);
    b->pixels = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
    IDirectDrawSurface7* s = DDCreateSurface(4, 6);
    EXPECT_EQ(DDCopyBitmap(s, b, 0, 0, 0, 0), DD_OK);
    EXPECT_EQ(s->PixelAt(1, 2), 0xF800u); // a 2 x 3 block each
    EXPECT_EQ(s->PixelAt(2, 2), 0x07E0u);
    EXPECT_EQ(s->PixelAt(0, 3), 0x001Fu);
    EXPECT_EQ(s->PixelAt(3, 5), 0xFFFFu);
    EXPECT_EQ(DDCopyBitmap(s, b, 1, 1, 1, 1), DD_OK); // only the white pixel
    EXPECT_EQ(CountValue(s, 0xFFFF), 24);
    EXPECT_EQ(ErrorOf([&] { DDCopyBitmap(nullptr, nullptr, 0, 0, 0, 0); }),
              "EDDError: DDCopyBitmap: No Bitmap available");
    EXPECT_EQ(ErrorOf([&] { DDCopyBitmap(nullptr, b, 0, 0, 0, 0); }),
              "EDDError: DDCopyBitmap: No Surface available");
    gdi::FailNextCreateCompatibleDC();
    EXPECT_EQ(ErrorOf([&] { DDCopyBitmap(s, b, 0, 0, 0, 0); }), "EDDError: Create Compatible DC failed!");
    FaultInjector::Fail("GetDC", DDERR_SURFACEBUSY);
    EXPECT_EQ(DDCopyBitmap(s, b, 0, 0, 0, 0), DDERR_SURFACEBUSY);
    s->MarkLost(); // the copy restores the surface first
    EXPECT_EQ(DDCopyBitmap(s, b, 0, 0, 0, 0), DD_OK);
    EXPECT_EQ(s->PixelAt(0, 0), 0xF800u);
    s->Release();
    gdi::DeleteObject(b);
}

TEST_F(GfxTest, MatchSurfaceColorWritesReadsAndPutsThePixelBack) {
    InitGame();
    IDirectDrawSurface7* s = DDCreateSurface(3, 1);
    s->SetPixelAt(0, 0, 0x1234);
    s->SetPixelAt(1, 0, 0x5678);
    EXPECT_EQ(MatchSurfaceColor(s, 0x800080), 0x8010u);
    EXPECT_EQ(s->PixelAt(0, 0), gdi::ColorToPixel(gdi::PixelToColor(0x1234, 16), 16));
    EXPECT_EQ(MatchSurfaceColor(s, 0xFFFFFF), 0xFFFFu);

    int getDCs = FaultInjector::Calls("GetDC");
    EXPECT_EQ(MatchSurfaceColor(s, gdi::CLR_INVALID), s->PixelAt(0, 0)); // masked to 16 bits
    EXPECT_EQ(FaultInjector::Calls("GetDC"), getDCs); // nothing written

    int locks = FaultInjector::Calls("Lock");
    FaultInjector::Fail("Lock", DDERR_WASSTILLDRAWING, 3);
    EXPECT_EQ(MatchSurfaceColor(s, 0x0000FF), 0xF800u);
    EXPECT_EQ(FaultInjector::Calls("Lock"), locks + 4);
    FaultInjector::Fail("Lock", DDERR_SURFACELOST);
    EXPECT_EQ(MatchSurfaceColor(s, 0x0000FF), gdi::CLR_INVALID);

    DDSURFACEDESC2 desc{};
    desc.dwSize = 124;
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT;
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
    desc.dwWidth = desc.dwHeight = 2;
    desc.ddpfPixelFormat.dwRGBBitCount = 32;
    IDirectDrawSurface7* s32 = nullptr;
    ASSERT_EQ(display->DirectDraw->CreateSurface(&desc, &s32, nullptr), DD_OK);
    EXPECT_EQ(MatchSurfaceColor(s32, 0x800080), 0x800080u);
    EXPECT_EQ(MatchSurfaceColor(s32, gdi::RGB(1, 2, 3)), 0x010203u);
    EXPECT_EQ(SetSurfaceColorKey(s32, 0x800080), DD_OK);
    DDCOLORKEY key;
    s32->GetColorKey(DDCKEY_SRCBLT, &key);
    EXPECT_EQ(key.dwColorSpaceLowValue, 0x800080u);
    s32->Release();
    s->Release();
}

TEST_F(GfxTest, BltFastClippedRules) {
    InitGame();
    IDirectDrawSurface7* target = DDCreateSurface(100, 100);
    IDirectDrawSurface7* tile = Tile(10, 10, 0x07E0);
    const int L = 20, T = 20, R = 80, B = 80;
    auto draw = [&](int x, int y) {
        for (int yy = 0; yy < 100; ++yy)
            for (int xx = 0; xx < 100; ++xx)
                target->SetPixelAt(xx, yy, 0);
        BltFastClipped(target, tile, L, T, R, B, 0, 0, 10, 10, x, y);
        return CountValue(target, 0x07E0);
    };
    EXPECT_EQ(draw(40, 40), 100);
    EXPECT_EQ(draw(9, 40), 0);  // entirely left: x + 10 < 20
    EXPECT_EQ(draw(40, 9), 0);  // entirely above
    EXPECT_EQ(draw(15, 40), 50); // cut on the left: columns 5..9 at x 20
    EXPECT_EQ(target->PixelAt(20, 40), 0x07E0u);
    EXPECT_EQ(target->PixelAt(19, 40), 0u);
    EXPECT_EQ(draw(40, 15), 50);
    EXPECT_EQ(draw(75, 40), 50); // cut on the right: up to x 80
    EXPECT_EQ(target->PixelAt(79, 40), 0x07E0u);
    EXPECT_EQ(target->PixelAt(80, 40), 0u);
    EXPECT_EQ(draw(40, 75), 50);
    EXPECT_EQ(draw(81, 40), 0);  // past the right
    EXPECT_EQ(draw(40, 81), 0);
    EXPECT_EQ(draw(80, 40), 0);  // x = right: an empty rectangle, refused silently
    EXPECT_TRUE(display->Active);
    // A clip rectangle larger than the target: the blit is refused as an invalid
    // rectangle and skipped without error.
    for (int yy = 0; yy < 100; ++yy)
        for (int xx = 0; xx < 100; ++xx)
            target->SetPixelAt(xx, yy, 0);
    BltFastClipped(target, tile, 0, 0, 200, 200, 0, 0, 10, 10, 95, 50);
    EXPECT_EQ(CountValue(target, 0x07E0), 0);
    EXPECT_TRUE(display->Active);
    // The purple key is honoured.
    tile->SetPixelAt(0, 0, 0x8010);
    EXPECT_EQ(draw(40, 40), 99);
    // Any other failure goes through DDTest with "BltFast".
    FaultInjector::Fail("BltFast", DDERR_SURFACELOST);
    EXPECT_EQ(ErrorOf([&] { draw(40, 40); }),
              "EDDError: DDTest Error: BltFast :-2005532222 GetOleError: Surface Lost");
    FaultInjector::Fail("BltFast", S_FALSE); // a success code other than 0 passes
    draw(40, 40);
    tile->Release();
    target->Release();
}

TEST_F(GfxTest, PaletteFromFilesResourcesAndTheColourCube) {
    InitGame();
    IDirectDraw7* dd = display->DirectDraw;
    PALETTEENTRY e[256];
    EXPECT_EQ(ErrorOf([&] { DDLoadPalette(nullptr, dd, ""); }), "EDDError: DDLoadPalette: No bitmapname");

    IDirectDrawPalette* p = DDLoadPalette(nullptr, dd, (dir / "missing.bmp").string());
    ASSERT_NE(p, nullptr);
    p->GetEntries(0, 0, 256, e);
    EXPECT_EQ(e[255].peRed, 255);
    EXPECT_EQ(e[255].peGreen, 255);
    EXPECT_EQ(e[255].peBlue, 255);
    EXPECT_EQ(e[1].peBlue, 85);
    EXPECT_EQ(e[0x20].peRed, 36);
    EXPECT_EQ(e[0x04].peGreen, 36);
    p->Release();

    // 8-bit file with two colours: entries 0 and 1 from the table (red and blue
    // swapped into place); the rest keep the bytes that follow, unswapped.
    std::string eight = (dir / "eight.bmp").string();
    WriteFile(eight, gdi::EncodeBmp8(4, 1, {0x112233, 0x445566}, {9, 8, 7, 6}));
    p = DDLoadPalette(nullptr, dd, eight);
    p->GetEntries(0, 0, 256, e);
    EXPECT_EQ(e[0].peRed, 0x11);
    EXPECT_EQ(e[0].peGreen, 0x22);
    EXPECT_EQ(e[0].peBlue, 0x33);
    EXPECT_EQ(e[1].peRed, 0x44);
    EXPECT_EQ(e[2].peRed, 9); // the pixel bytes 9 8 7 6
    EXPECT_EQ(e[2].peGreen, 8);
    EXPECT_EQ(e[2].peBlue, 7);
    EXPECT_EQ(e[2].peFlags, 6);
    EXPECT_EQ(e[3].peRed, 0); // past the end of the file: the cube stays
    EXPECT_EQ(e[3].peBlue, 255);
    p->Release();

    // 24-bit file: no entries from the file, the bytes after the header for all 256.
    std::string rgb = (dir / "rgb.bmp").string();
    WriteFile(rgb, Bmp24(32, 32, [](int x, int) { return x == 0 ? 0x010203u : 0x0A0B0Cu; }));
    p = DDLoadPalette(nullptr, dd, rgb);
    p->GetEntries(0, 0, 256, e);
    // The bottom row's first pixel (B G R of 0x010203), then the next pixel's blue.
    EXPECT_EQ(e[0].peRed, 0x03);
    EXPECT_EQ(e[0].peGreen, 0x02);
    EXPECT_EQ(e[0].peBlue, 0x01);
    EXPECT_EQ(e[0].peFlags, 0x0C);
    EXPECT_EQ(e[255].peRed, 0x0C); // bytes 1020.. of the pixel data: still pixels
    EXPECT_EQ(e[255].peGreen, 0x0B);
    p->Release();

    // From a resource (with a module): RGBQUADs after the 40-byte header, flags 0.
    static std::vector<std::uint8_t> res;
    res = gdi::EncodeBmp8(1, 1, {0xABCDEF}, {0});
    os::ResourceTable::Add("PALRES", res.data(), res.size());
    p = DDLoadPalette(gdi::ProgramInstance(), dd, "PALRES");
    p->GetEntries(0, 0, 256, e);
    EXPECT_EQ(e[0].peRed, 0xAB);
    EXPECT_EQ(e[0].peGreen, 0xCD);
    EXPECT_EQ(e[0].peBlue, 0xEF);
    EXPECT_EQ(e[0].peFlags, 0);
    EXPECT_EQ(e[1].peBlue, 85); // the cube
    p->Release();
    os::ResourceTable::Add("PALNULL", nullptr, 0);
    EXPECT_EQ(ErrorOf([&] { DDLoadPalette(gdi::ProgramInstance(), dd, "PALNULL"); }),
              "EDDError: DDLoadPalette: Can't Lock Resouce");
    os::ResourceTable::Remove("PALRES");
    os::ResourceTable::Remove("PALNULL");
    p = DDLoadPalette(gdi::ProgramInstance(), dd, "NOTARESOURCE");
    p->GetEntries(0, 0, 256, e);
    EXPECT_EQ(e[255].peGreen, 255);
    p->Release();
}

TEST_F(GfxTest, ReleaseInterfaceClearsThePointer) {
    InitGame();
    IDirectDrawSurface7* s = DDCreateSurface(2, 2);
    ReleaseInterface(s);
    EXPECT_EQ(s, nullptr);
    ReleaseInterface(s); // null: nothing
}
