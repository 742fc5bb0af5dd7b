// The scene component: set-up and its failures, drawing, restoring, WriteXY.
#include "GfxFixture.h"

#include <algorithm>
#include <set>

using namespace gfxtest;
using namespace ddraw;

namespace {

// Every pixel of the scene's 640 x 480 background, row by row.
std::vector<std::uint32_t> BackgroundPixels(const gfx::TE_DDSurface& scene) {
    std::vector<std::uint32_t> v;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            v.push_back(scene.BackgroundSurface->PixelAt(x, y));
    return v;
}

} // namespace

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
    auto snapshot = [&] { return BackgroundPixels(*scene); };
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

// Lines written while DeferText is set are drawn when the background is next drawn or
// asked for, a line wholly covered by a later one never: the background then holds
// exactly what drawing every line at once gives, and few lines wait at any time.
TEST_F(GfxTest, DeferredLinesLeaveTheBackgroundAsDrawingThemAtOnce) {
    InitGame();
    auto snapshot = [&] { return BackgroundPixels(*scene); };
    const std::vector<std::uint32_t> start = snapshot();
    auto restart = [&] {
        for (int y = 0, i = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x)
                scene->BackgroundSurface->SetPixelAt(x, y, start[std::size_t(i++)]);
    };
    const char* words[] = {"Aug 1960", "Funds: \xA3" "123456", "jjj fff", "Status: Town", "Pop: 40846", "", "W"};
    const std::uint32_t colours[] = {0xC82832, 0x808080, 0x10E060};
    std::uint32_t seed = 5;
    auto next = [&seed](std::uint32_t n) { return ((seed = seed * 1664525u + 1013904223u) >> 8) % n; };
    struct Line {
        int x, y;
        std::string text;
        std::uint32_t ink, back;
    };
    std::vector<Line> lines;
    for (int i = 0; i < 400; ++i) {
        const int slot = int(next(6));
        const bool status = next(4) != 0; // mostly the status lines, padded at one place
        std::string text = words[next(7)];
        if (status)
            text += std::string(next(16), ' ');
        lines.push_back(Line{status ? 8 : int(next(600)) - 20, status ? 365 + 15 * slot : int(next(470)) - 5, text,
                             colours[next(3)], colours[next(3)]});
    }
    for (const Line& l : lines)
        scene->WriteXY(l.x, l.y, l.text, l.ink, l.back);
    const std::vector<std::uint32_t> atOnce = snapshot();

    restart();
    scene->DeferText = true;
    std::size_t most = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        scene->WriteXY(lines[i].x, lines[i].y, lines[i].text, lines[i].ink, lines[i].back);
        most = std::max(most, scene->WaitingLines());
        if (i == 150) {
            // A frame drawn in between shows what was written so far.
            display->Flip();
            EXPECT_EQ(scene->WaitingLines(), 0u);
        }
    }
    EXPECT_GT(scene->WaitingLines(), 0u);
    EXPECT_LE(most, 65u);
    display->Flip();
    EXPECT_EQ(scene->WaitingLines(), 0u);
    EXPECT_TRUE(snapshot() == atOnce);
    scene->DeferText = false;
}
