// A software DirectInput 7 with the system keyboard as its one device. The keyboard's
// state comes from the backend (SetKeyState: the SDL backend from its key events,
// tests directly) and reaches the program only while the program's window has the
// input focus, as a foreground device's would. Calls can be made to fail through
// ddraw::FaultInjector under "DirectInputCreate" and "DirectInputDevice.<method>".
#pragma once

#include "platform/ddraw/DDraw.h"
#include "platform/gdi/WinTypes.h"

#include <cstdint>

namespace dinput {

using ddraw::DWORD;
using ddraw::GUID;
using ddraw::HRESULT;
using ddraw::HWND;
using ddraw::IUnknown;

constexpr DWORD DIRECTINPUT_VERSION = 0x0700;

constexpr HRESULT DI_OK = 0;
constexpr HRESULT DI_NOEFFECT = 1; // S_FALSE
constexpr HRESULT DIERR_OLDDIRECTINPUTVERSION = HRESULT(0x8007047Eu);
constexpr HRESULT DIERR_BETADIRECTINPUTVERSION = HRESULT(0x80070481u);
constexpr HRESULT DIERR_INVALIDPARAM = ddraw::E_INVALIDARG;
constexpr HRESULT DIERR_GENERIC = ddraw::E_FAIL;
constexpr HRESULT DIERR_UNSUPPORTED = ddraw::E_NOTIMPL;
constexpr HRESULT DIERR_NOAGGREGATION = HRESULT(0x80040110u);
constexpr HRESULT DIERR_DEVICENOTREG = HRESULT(0x80040154u);
constexpr HRESULT DIERR_NOTACQUIRED = HRESULT(0x8007000Cu);
constexpr HRESULT DIERR_NOTINITIALIZED = HRESULT(0x80070015u);
constexpr HRESULT DIERR_INPUTLOST = HRESULT(0x8007001Eu);
constexpr HRESULT DIERR_OTHERAPPHASPRIO = HRESULT(0x80070005u); // E_ACCESSDENIED
constexpr HRESULT DIERR_ACQUIRED = HRESULT(0x800700AAu);

constexpr DWORD DISCL_EXCLUSIVE = 0x1;
constexpr DWORD DISCL_NONEXCLUSIVE = 0x2;
constexpr DWORD DISCL_FOREGROUND = 0x4;
constexpr DWORD DISCL_BACKGROUND = 0x8;

constexpr GUID GUID_SysKeyboard = {0x6F1D2B61, 0xD5A0, 0x11CF, {0xBF, 0xC7, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
constexpr GUID GUID_SysMouse = {0x6F1D2B60, 0xD5A0, 0x11CF, {0xBF, 0xC7, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};

// A device's data format: for the keyboard, 256 bytes of key state.
struct DIDATAFORMAT {
    DWORD dwSize = 24;
    DWORD dwObjSize = 16;
    DWORD dwFlags = 0;
    DWORD dwDataSize = 0;
    DWORD dwNumObjs = 0;
};
extern const DIDATAFORMAT c_dfDIKeyboard;

constexpr int kKeyCount = 256;

// Keyboard scan codes.
enum : int {
    DIK_ESCAPE = 0x01, DIK_1 = 0x02, DIK_2 = 0x03, DIK_3 = 0x04, DIK_4 = 0x05, DIK_5 = 0x06, DIK_6 = 0x07,
    DIK_7 = 0x08, DIK_8 = 0x09, DIK_9 = 0x0A, DIK_0 = 0x0B, DIK_MINUS = 0x0C, DIK_EQUALS = 0x0D, DIK_BACK = 0x0E,
    DIK_TAB = 0x0F, DIK_Q = 0x10, DIK_W = 0x11, DIK_E = 0x12, DIK_R = 0x13, DIK_T = 0x14, DIK_Y = 0x15,
    DIK_U = 0x16, DIK_I = 0x17, DIK_O = 0x18, DIK_P = 0x19, DIK_LBRACKET = 0x1A, DIK_RBRACKET = 0x1B,
    DIK_RETURN = 0x1C, DIK_LCONTROL = 0x1D, DIK_A = 0x1E, DIK_S = 0x1F, DIK_D = 0x20, DIK_F = 0x21, DIK_G = 0x22,
    DIK_H = 0x23, DIK_J = 0x24, DIK_K = 0x25, DIK_L = 0x26, DIK_SEMICOLON = 0x27, DIK_APOSTROPHE = 0x28,
    DIK_GRAVE = 0x29, DIK_LSHIFT = 0x2A, DIK_BACKSLASH = 0x2B, DIK_Z = 0x2C, DIK_X = 0x2D, DIK_C = 0x2E,
    DIK_V = 0x2F, DIK_B = 0x30, DIK_N = 0x31, DIK_M = 0x32, DIK_COMMA = 0x33, DIK_PERIOD = 0x34, DIK_SLASH = 0x35,
    DIK_RSHIFT = 0x36, DIK_MULTIPLY = 0x37, DIK_LMENU = 0x38, DIK_SPACE = 0x39, DIK_CAPITAL = 0x3A, DIK_F1 = 0x3B,
    DIK_F2 = 0x3C, DIK_F3 = 0x3D, DIK_F4 = 0x3E, DIK_F5 = 0x3F, DIK_F6 = 0x40, DIK_F7 = 0x41, DIK_F8 = 0x42,
    DIK_F9 = 0x43, DIK_F10 = 0x44, DIK_NUMLOCK = 0x45, DIK_SCROLL = 0x46, DIK_NUMPAD7 = 0x47, DIK_NUMPAD8 = 0x48,
    DIK_NUMPAD9 = 0x49, DIK_SUBTRACT = 0x4A, DIK_NUMPAD4 = 0x4B, DIK_NUMPAD5 = 0x4C, DIK_NUMPAD6 = 0x4D,
    DIK_ADD = 0x4E, DIK_NUMPAD1 = 0x4F, DIK_NUMPAD2 = 0x50, DIK_NUMPAD3 = 0x51, DIK_NUMPAD0 = 0x52,
    DIK_DECIMAL = 0x53, DIK_F11 = 0x57, DIK_F12 = 0x58, DIK_NUMPADENTER = 0x9C, DIK_RCONTROL = 0x9D,
    DIK_DIVIDE = 0xB5, DIK_RMENU = 0xB8, DIK_HOME = 0xC7, DIK_UP = 0xC8, DIK_PRIOR = 0xC9, DIK_LEFT = 0xCB,
    DIK_RIGHT = 0xCD, DIK_END = 0xCF, DIK_DOWN = 0xD0, DIK_NEXT = 0xD1, DIK_INSERT = 0xD2, DIK_DELETE = 0xD3,
};

namespace detail {
struct Device;
}

class IDirectInputDevice : public IUnknown {
public:
    ~IDirectInputDevice() override;

    HRESULT SetDataFormat(const DIDATAFORMAT* format);
    HRESULT SetCooperativeLevel(HWND window, DWORD flags);
    // DI_NOEFFECT when already acquired; DIERR_OTHERAPPHASPRIO while a foreground
    // device's window has no focus, or (asking for exclusive access) while another
    // device holds the keyboard exclusively.
    HRESULT Acquire();
    HRESULT Unacquire();
    // size must be the data format's (256): one byte per scan code, 0x80 when down.
    HRESULT GetDeviceState(DWORD size, void* data);

    bool Acquired() const { return acquired_; }

private:
    friend class IDirectInput;
    friend void SetInputFocus(bool);
    IDirectInputDevice() = default;

    DWORD dataSize_ = 0;
    DWORD coopFlags_ = 0;
    HWND window_ = nullptr;
    bool acquired_ = false;
    bool lost_ = false;
};

class IDirectInput : public IUnknown {
public:
    // GUID_SysKeyboard only; other devices are not registered.
    HRESULT CreateDevice(const GUID& device, IDirectInputDevice** out, IUnknown* outer);

private:
    friend HRESULT DirectInputCreate(gdi::HINSTANCE, DWORD, IDirectInput**, IUnknown*);
    IDirectInput() = default;
};

HRESULT DirectInputCreate(gdi::HINSTANCE instance, DWORD version, IDirectInput** out, IUnknown* outer);

// ---- the keyboard-state source -----------------------------------------------------------

// A key goes down or up (scan codes 0..255; others are ignored).
void SetKeyState(int scanCode, bool down);
bool KeyState(int scanCode);
void ReleaseAllKeys();
// Whether the program's window has the input focus. Losing it takes the keyboard
// from every foreground device (their next read answers DIERR_INPUTLOST).
void SetInputFocus(bool focused);
bool HasInputFocus();
// All keys up, focus on, no device alive assumed. For tests.
void ResetForTests();

} // namespace dinput
