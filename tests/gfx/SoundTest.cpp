// TE_Sound, the empty DirectSound holder, and the components the engine registers.
#include "gfx/TE_Sound.h"

#include <gtest/gtest.h>

using namespace gfx;

namespace {
// Stands in for a DirectSound object or buffer and counts its releases.
class Counted : public ddraw::IUnknown {
public:
    explicit Counted(int& released) : released_(released) {}
    ~Counted() override { ++released_; }

private:
    int& released_;
};
} // namespace

TEST(TE_Sound, StartsEmptyAndReleasesEverythingItHolds) {
    ddraw::CoInitialize(nullptr);
    int before = ddraw::CoInitializeCount();
    int released = 0;
    {
        TE_Sound sound;
        EXPECT_EQ(sound.DirectSound, nullptr);
        EXPECT_EQ(sound.Buffers[0].Buffer, nullptr);
        EXPECT_EQ(sound.Buffers[1].Buffer, nullptr);
        sound.DirectSound = new Counted(released);
        sound.Buffers[1].Buffer = new Counted(released);
        sound.Buffers[0].Memory[1] = GlobalAlloc(64);
        sound.Buffers[1].Memory[0] = GlobalAlloc(16);
    }
    EXPECT_EQ(released, 2);
    EXPECT_EQ(ddraw::CoInitializeCount(), before - 1); // CoUninitialize
    {
        TE_Sound empty; // nothing to release
    }
}

TEST(TE_Sound, TheEnginesComponentsAreOnTheVelmoraPageAndTheWaveSoundOnQor) {
    auto components = RegisteredComponents();
    ASSERT_EQ(components.size(), 4u);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(components[std::size_t(i)].page, "Velmora");
    EXPECT_EQ(components[0].className, "TE_DDraw");
    EXPECT_EQ(components[1].className, "TE_DDSurface");
    EXPECT_EQ(components[2].className, "TE_Sound");
    EXPECT_EQ(components[3].page, "Qor");
    EXPECT_EQ(components[3].className, "TWaveSound2");
}
