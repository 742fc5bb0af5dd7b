// Sprites: one image never advances, several alternate starting with the second;
// only the position is tested against the clip rectangle (its right and bottom edges
// included); an invalid rectangle is skipped, other failures raise through DDTest;
// BlitFx places the source at the position offset by its own corner; a sprite
// without images draws nothing.
#include "VelmoraFixture.h"

#include "velmora/TKx_Sprite.h"

using namespace velmoratest;
using namespace ddraw;

namespace {

class SpriteTest : public VelmoraTest {
protected:
    void SetUp() override {
        VelmoraTest::SetUp();
        display->Init();
        target = gfx::DDCreateSurface(200, 200);
    }
    void TearDown() override {
        gfx::ReleaseInterface(target);
        sprite.reset();
        VelmoraTest::TearDown();
    }
    void AddSolid(const std::string& name, std::uint32_t colour) {
        sprite->AddImage(nullptr, SolidBitmap(name, 8, colour), kPurple);
    }
    // Draws at (x, y) with an 8 x 8 source and the clip given; the colour at (x+4, y+4).
    std::uint32_t DrawAt(LONG x, LONG y, const gdi::RECT* clip = nullptr) {
        target->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, &black);
        sprite->BlitFast(target, gdi::POINT{x, y}, gdi::RECT{0, 0, 8, 8}, clip);
        return target->PixelAt(int(x) + 4, int(y) + 4);
    }
    std::unique_ptr<TKx_Sprite> sprite = std::make_unique<TKx_Sprite>();
    IDirectDrawSurface7* target = nullptr;
    DDBLTFX black{sizeof(DDBLTFX), 0};
};

} // namespace

TEST_F(SpriteTest, OneImageStaysStill) {
    AddSolid("a.bmp", 0xFF0000);
    EXPECT_TRUE(sprite->Still);
    EXPECT_EQ(DrawAt(0, 0), P16(0xFF0000));
    EXPECT_EQ(DrawAt(0, 0), P16(0xFF0000));
    EXPECT_EQ(sprite->Frame, 0);
}

TEST_F(SpriteTest, SeveralImagesAnimateStartingWithTheSecond) {
    AddSolid("a.bmp", 0xFF0000);
    AddSolid("b.bmp", 0x00FF00);
    EXPECT_FALSE(sprite->Still);
    EXPECT_EQ(DrawAt(0, 0), P16(0x00FF00));
    EXPECT_EQ(DrawAt(0, 0), P16(0xFF0000));
    AddSolid("c.bmp", 0x0000FF);
    std::vector<std::uint32_t> drawn;
    for (int i = 0; i < 4; ++i)
        drawn.push_back(DrawAt(0, 0));
    EXPECT_EQ(drawn, (std::vector<std::uint32_t>{P16(0x00FF00), P16(0x0000FF), P16(0xFF0000), P16(0x00FF00)}));
    // The colour key makes the corner transparent.
    DrawAt(0, 0);
    EXPECT_EQ(target->PixelAt(0, 0), 0u);
    EXPECT_EQ(target->PixelAt(1, 0), P16(0x0000FF));
}

TEST_F(SpriteTest, OnlyThePositionIsTestedAgainstTheClip) {
    AddSolid("a.bmp", 0xFF0000);
    const gdi::RECT clip{10, 10, 100, 100};
    EXPECT_EQ(DrawAt(100, 100, &clip), P16(0xFF0000)); // on the right and bottom edges
    EXPECT_EQ(DrawAt(101, 100, &clip), 0u);
    EXPECT_EQ(DrawAt(100, 101, &clip), 0u);
    EXPECT_EQ(DrawAt(9, 50, &clip), 0u);
    EXPECT_EQ(DrawAt(50, 9, &clip), 0u);
    EXPECT_EQ(DrawAt(10, 10, &clip), P16(0xFF0000));
    // Without a clip rectangle the display's screen is the limit.
    IDirectDrawSurface7* back = display->Back;
    sprite->BlitFast(back, gdi::POINT{640, 472}, gdi::RECT{0, 0, 8, 8}, nullptr); // outside the surface
    sprite->BlitFast(back, gdi::POINT{632, 472}, gdi::RECT{0, 0, 8, 8}, nullptr);
    EXPECT_EQ(back->PixelAt(636, 476), P16(0xFF0000));
}

TEST_F(SpriteTest, InvalidRectanglesAreSkippedOtherFailuresRaise) {
    AddSolid("a.bmp", 0xFF0000);
    // Partly off the target: the platform refuses the rectangle, and nothing is drawn.
    EXPECT_EQ(DrawAt(196, 196), 0u);
    EXPECT_TRUE(display->Active);
    FaultInjector::Fail("BltFast", DDERR_SURFACEBUSY);
    EXPECT_EQ(ErrorOf([&] { DrawAt(0, 0); }), "EDDError: DDTest Error: BltFast :" + DD(DDERR_SURFACEBUSY));
    EXPECT_FALSE(display->Active);
}

TEST_F(SpriteTest, BlitFxPlacesTheSourceByItsCorner) {
    sprite->AddImage(nullptr, SolidBitmap("a.bmp", 16, 0x00FF00));
    target->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, &black);
    sprite->BlitFx(target, gdi::POINT{20, 30}, gdi::RECT{0, 0, 16, 16}, DDBLT_WAIT, nullptr);
    EXPECT_EQ(target->PixelAt(20, 30), P16(kPurple)); // no colour key asked for
    EXPECT_EQ(target->PixelAt(35, 45), P16(0x00FF00));
    EXPECT_EQ(target->PixelAt(36, 46), 0u);
    EXPECT_EQ(target->PixelAt(19, 29), 0u);
    FaultInjector::Fail("Blt", DDERR_SURFACEBUSY);
    EXPECT_EQ(ErrorOf([&] { sprite->BlitFx(target, gdi::POINT{0, 0}, gdi::RECT{0, 0, 16, 16}, 0, nullptr); }),
              "EDDError: DDTest Error: BltFx :" + DD(DDERR_SURFACEBUSY));
}

TEST_F(SpriteTest, AnEmptySpriteDrawsNothingAndMissingBitmapsRaise) {
    EXPECT_EQ(DrawAt(0, 0), 0u);
    EXPECT_NO_THROW(sprite->BlitFx(target, gdi::POINT{0, 0}, gdi::RECT{0, 0, 8, 8}, 0, nullptr));
    std::string missing = (dir / "missing.bmp").string();
    EXPECT_EQ(ErrorOf([&] { sprite->AddImage(nullptr, missing); }),
              "Exception: DDGetImageSize: Unable to load bitmap " + missing);
    EXPECT_TRUE(sprite->Images.empty());
}

TEST_F(SpriteTest, TheSpriteReleasesItsImages) {
    AddSolid("a.bmp", 0xFF0000);
    IDirectDrawSurface7* image = sprite->Images[0];
    image->AddRef();
    sprite.reset();
    EXPECT_EQ(image->RefCount(), 1u);
    image->Release();
}
