// A DirectDraw object in a known state for each test.
#pragma once

#include "platform/ddraw/DDraw.h"
#include "platform/ddraw/FaultInjector.h"

#include <gtest/gtest.h>

namespace ddtest {

using namespace ddraw;

class DDrawTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetForTests();
        void* object = nullptr;
        ASSERT_EQ(DirectDrawCreateEx(nullptr, &object, IID_IDirectDraw7, nullptr), DD_OK);
        dd = static_cast<IDirectDraw7*>(object);
    }
    void TearDown() override {
        for (IUnknown* o : owned)
            o->Release();
        if (dd)
            dd->Release();
        ResetForTests();
    }
    // An off-screen surface of the given depth, released after the test.
    IDirectDrawSurface7* Offscreen(int w, int h, int bpp = 16) {
        DDSURFACEDESC2 desc{};
        desc.dwSize = DDSURFACEDESC2_SIZE;
        desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT;
        desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
        desc.dwWidth = DWORD(w);
        desc.dwHeight = DWORD(h);
        desc.ddpfPixelFormat.dwRGBBitCount = DWORD(bpp);
        IDirectDrawSurface7* s = nullptr;
        EXPECT_EQ(dd->CreateSurface(&desc, &s, nullptr), DD_OK);
        if (s)
            owned.push_back(s);
        return s;
    }
    void Windowed640() {
        ASSERT_EQ(dd->SetCooperativeLevel(MainWindow(), DDSCL_NORMAL), DD_OK);
        ASSERT_EQ(dd->SetDisplayMode(640, 480, 16, 0, 0), DD_OK);
    }
    // A 640 x 480 window's primary surface, released after the test (null if refused).
    IDirectDrawSurface7* WindowedPrimary() {
        Windowed640();
        DDSURFACEDESC2 desc{};
        desc.dwSize = 124;
        desc.dwFlags = 1;
        desc.ddsCaps.dwCaps = 0x200;
        IDirectDrawSurface7* primary = nullptr;
        EXPECT_EQ(dd->CreateSurface(&desc, &primary, nullptr), DD_OK);
        if (primary)
            owned.push_back(primary);
        return primary;
    }
    IDirectDraw7* dd = nullptr;
    std::vector<IUnknown*> owned;
};

inline void Fill(IDirectDrawSurface7* s, std::uint32_t v) {
    for (int y = 0; y < s->Height(); ++y)
        for (int x = 0; x < s->Width(); ++x)
            s->SetPixelAt(x, y, v);
}

} // namespace ddtest
