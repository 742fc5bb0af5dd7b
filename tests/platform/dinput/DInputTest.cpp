// The software DirectInput keyboard: creation checks, the order of set-up calls, the
// 256-byte state with the high bit of each key that is down, losing the keyboard with
// the window's focus (a foreground device) and getting it back, and one exclusive
// holder at a time (shared readers beside it).
#include "platform/dinput/DInput.h"

#include "platform/ddraw/FaultInjector.h"
#include "platform/gdi/Gdi.h"

#include <gtest/gtest.h>

#include <array>

using namespace dinput;

namespace {

class DInputTest : public ::testing::Test {
protected:
    void SetUp() override {
        ddraw::ResetForTests();
        ResetForTests();
        ASSERT_EQ(DirectInputCreate(gdi::ProgramInstance(), DIRECTINPUT_VERSION, &di, nullptr), DI_OK);
    }
    void TearDown() override {
        for (IDirectInputDevice* d : devices)
            d->Release();
        di->Release();
        ResetForTests();
    }
    // A keyboard with the standard data format and the given cooperative level.
    IDirectInputDevice* Keyboard(DWORD level = DISCL_EXCLUSIVE | DISCL_FOREGROUND) {
        IDirectInputDevice* d = nullptr;
        EXPECT_EQ(di->CreateDevice(GUID_SysKeyboard, &d, nullptr), DI_OK);
        devices.push_back(d);
        EXPECT_EQ(d->SetDataFormat(&c_dfDIKeyboard), DI_OK);
        EXPECT_EQ(d->SetCooperativeLevel(ddraw::MainWindow(), level), DI_OK);
        return d;
    }
    IDirectInput* di = nullptr;
    std::vector<IDirectInputDevice*> devices;
    std::array<std::uint8_t, 256> state{};
};

} // namespace

TEST_F(DInputTest, CreationChecksVersionInstanceAndDevice) {
    IDirectInput* other = nullptr;
    EXPECT_EQ(DirectInputCreate(gdi::ProgramInstance(), 0x0800, &other, nullptr), DIERR_BETADIRECTINPUTVERSION);
    EXPECT_EQ(DirectInputCreate(gdi::ProgramInstance(), 0x0200, &other, nullptr), DIERR_OLDDIRECTINPUTVERSION);
    EXPECT_EQ(DirectInputCreate(nullptr, DIRECTINPUT_VERSION, &other, nullptr), DIERR_INVALIDPARAM);
    EXPECT_EQ(DirectInputCreate(gdi::ProgramInstance(), DIRECTINPUT_VERSION, &other, di), DIERR_NOAGGREGATION);
    EXPECT_EQ(other, nullptr);
    IDirectInputDevice* mouse = nullptr;
    EXPECT_EQ(di->CreateDevice(GUID_SysMouse, &mouse, nullptr), DIERR_DEVICENOTREG);
    EXPECT_EQ(mouse, nullptr);

    ddraw::FaultInjector::Fail("DirectInputCreate", DIERR_GENERIC);
    EXPECT_EQ(DirectInputCreate(gdi::ProgramInstance(), DIRECTINPUT_VERSION, &other, nullptr), DIERR_GENERIC);
}

TEST_F(DInputTest, SetUpComesBeforeAcquiringAndReading) {
    IDirectInputDevice* d = nullptr;
    ASSERT_EQ(di->CreateDevice(GUID_SysKeyboard, &d, nullptr), DI_OK);
    devices.push_back(d);
    EXPECT_EQ(d->Acquire(), DIERR_INVALIDPARAM); // no data format yet
    DIDATAFORMAT mouseLike = c_dfDIKeyboard;
    mouseLike.dwDataSize = 16;
    EXPECT_EQ(d->SetDataFormat(&mouseLike), DIERR_INVALIDPARAM);
    ASSERT_EQ(d->SetDataFormat(&c_dfDIKeyboard), DI_OK);
    EXPECT_EQ(d->SetCooperativeLevel(ddraw::MainWindow(), DISCL_EXCLUSIVE | DISCL_BACKGROUND), DIERR_UNSUPPORTED);
    EXPECT_EQ(d->SetCooperativeLevel(ddraw::MainWindow(), DISCL_EXCLUSIVE | DISCL_NONEXCLUSIVE | DISCL_FOREGROUND),
              DIERR_INVALIDPARAM);
    EXPECT_EQ(d->SetCooperativeLevel(nullptr, DISCL_EXCLUSIVE | DISCL_FOREGROUND), DIERR_INVALIDPARAM);
    ASSERT_EQ(d->SetCooperativeLevel(ddraw::MainWindow(), DISCL_EXCLUSIVE | DISCL_FOREGROUND), DI_OK);
    EXPECT_EQ(d->GetDeviceState(256, state.data()), DIERR_NOTACQUIRED);
    ASSERT_EQ(d->Acquire(), DI_OK);
    EXPECT_EQ(d->Acquire(), DI_NOEFFECT);
    EXPECT_EQ(d->SetDataFormat(&c_dfDIKeyboard), DIERR_ACQUIRED);
    EXPECT_EQ(d->GetDeviceState(255, state.data()), DIERR_INVALIDPARAM);
    EXPECT_EQ(d->GetDeviceState(256, nullptr), DIERR_INVALIDPARAM);
}

TEST_F(DInputTest, StateHasTheHighBitOfEveryKeyDown) {
    IDirectInputDevice* d = Keyboard();
    ASSERT_EQ(d->Acquire(), DI_OK);
    SetKeyState(DIK_ESCAPE, true);
    SetKeyState(DIK_DELETE, true);
    SetKeyState(DIK_A, true);
    SetKeyState(DIK_A, false);
    SetKeyState(300, true); // not a scan code: ignored
    SetKeyState(-1, true);
    state.fill(0x55);
    ASSERT_EQ(d->GetDeviceState(256, state.data()), DI_OK);
    for (int code = 0; code < 256; ++code) {
        bool down = code == DIK_ESCAPE || code == DIK_DELETE;
        EXPECT_EQ(state[std::size_t(code)], down ? 0x80 : 0x00) << code;
    }
    EXPECT_TRUE(KeyState(DIK_DELETE));
    ReleaseAllKeys();
    ASSERT_EQ(d->GetDeviceState(256, state.data()), DI_OK);
    EXPECT_EQ(state[DIK_ESCAPE], 0);
}

TEST_F(DInputTest, AForegroundKeyboardIsLostWithTheFocusAndTakenBackAfter) {
    IDirectInputDevice* front = Keyboard();
    IDirectInputDevice* back = Keyboard(DISCL_NONEXCLUSIVE | DISCL_BACKGROUND);
    ASSERT_EQ(front->Acquire(), DI_OK);
    ASSERT_EQ(back->Acquire(), DI_OK);
    SetKeyState(DIK_Q, true);

    SetInputFocus(false);
    EXPECT_FALSE(front->Acquired());
    EXPECT_EQ(front->GetDeviceState(256, state.data()), DIERR_INPUTLOST);
    EXPECT_EQ(front->Acquire(), DIERR_OTHERAPPHASPRIO);
    // A background device goes on reading.
    ASSERT_EQ(back->GetDeviceState(256, state.data()), DI_OK);
    EXPECT_EQ(state[DIK_Q], 0x80);

    SetInputFocus(true);
    EXPECT_EQ(front->GetDeviceState(256, state.data()), DIERR_INPUTLOST); // until acquired again
    ASSERT_EQ(front->Acquire(), DI_OK);
    ASSERT_EQ(front->GetDeviceState(256, state.data()), DI_OK);
    EXPECT_EQ(state[DIK_Q], 0x80);
}

TEST_F(DInputTest, OneExclusiveHolderAtATime) {
    IDirectInputDevice* first = Keyboard();
    IDirectInputDevice* second = Keyboard();
    IDirectInputDevice* shared = Keyboard(DISCL_NONEXCLUSIVE | DISCL_FOREGROUND);
    ASSERT_EQ(first->Acquire(), DI_OK);
    EXPECT_EQ(second->Acquire(), DIERR_OTHERAPPHASPRIO);
    EXPECT_EQ(shared->Acquire(), DI_OK);
    ASSERT_EQ(first->Unacquire(), DI_OK);
    EXPECT_EQ(first->Unacquire(), DI_NOEFFECT);
    EXPECT_EQ(second->Acquire(), DI_OK);
    // Releasing the holder frees the keyboard too.
    second->Release();
    devices.erase(devices.begin() + 1);
    EXPECT_EQ(first->Acquire(), DI_OK);
}
