// The DirectInput object, the system keyboard device and the key state behind it.
#include "platform/dinput/DInput.h"

#include "platform/ddraw/FaultInjector.h"

#include <array>
#include <cstring>
#include <set>

namespace dinput {

const DIDATAFORMAT c_dfDIKeyboard = {24, 16, 0x2 /* DIDF_RELAXIS */, kKeyCount, kKeyCount};

namespace {

struct KeyboardState {
    std::array<bool, kKeyCount> down{};
    bool focused = true;
    std::set<IDirectInputDevice*> devices;
    IDirectInputDevice* exclusiveHolder = nullptr;
};

KeyboardState& K() {
    static KeyboardState state;
    return state;
}

#define DI_FAULT(name)                                                                                                 \
    do {                                                                                                               \
        HRESULT faulted;                                                                                               \
        if (ddraw::FaultInjector::Check(name, this, faulted))                                                          \
            return faulted;                                                                                            \
    } while (0)

} // namespace

IDirectInputDevice::~IDirectInputDevice() {
    if (K().exclusiveHolder == this)
        K().exclusiveHolder = nullptr;
    K().devices.erase(this);
}

HRESULT IDirectInputDevice::SetDataFormat(const DIDATAFORMAT* format) {
    DI_FAULT("DirectInputDevice.SetDataFormat");
    if (!format || format->dwDataSize != kKeyCount)
        return DIERR_INVALIDPARAM;
    if (acquired_)
        return DIERR_ACQUIRED;
    dataSize_ = format->dwDataSize;
    return DI_OK;
}

HRESULT IDirectInputDevice::SetCooperativeLevel(HWND window, DWORD flags) {
    DI_FAULT("DirectInputDevice.SetCooperativeLevel");
    bool exclusive = flags & DISCL_EXCLUSIVE, shared = flags & DISCL_NONEXCLUSIVE;
    bool foreground = flags & DISCL_FOREGROUND, background = flags & DISCL_BACKGROUND;
    if (!window || exclusive == shared || foreground == background)
        return DIERR_INVALIDPARAM;
    // The system keyboard cannot be held exclusively in the background.
    if (exclusive && background)
        return DIERR_UNSUPPORTED;
    if (acquired_)
        return DIERR_ACQUIRED;
    coopFlags_ = flags;
    window_ = window;
    return DI_OK;
}

HRESULT IDirectInputDevice::Acquire() {
    DI_FAULT("DirectInputDevice.Acquire");
    if (dataSize_ == 0)
        return DIERR_INVALIDPARAM;
    if (acquired_)
        return DI_NOEFFECT;
    KeyboardState& k = K();
    if ((coopFlags_ & DISCL_FOREGROUND) && !k.focused)
        return DIERR_OTHERAPPHASPRIO;
    // Exclusive access keeps out other exclusive users; shared ones may still read.
    if (coopFlags_ & DISCL_EXCLUSIVE) {
        if (k.exclusiveHolder && k.exclusiveHolder != this)
            return DIERR_OTHERAPPHASPRIO;
        k.exclusiveHolder = this;
    }
    acquired_ = true;
    lost_ = false;
    return DI_OK;
}

HRESULT IDirectInputDevice::Unacquire() {
    DI_FAULT("DirectInputDevice.Unacquire");
    if (!acquired_)
        return DI_NOEFFECT;
    acquired_ = false;
    if (K().exclusiveHolder == this)
        K().exclusiveHolder = nullptr;
    return DI_OK;
}

HRESULT IDirectInputDevice::GetDeviceState(DWORD size, void* data) {
    DI_FAULT("DirectInputDevice.GetDeviceState");
    if (!data || dataSize_ == 0 || size != dataSize_)
        return DIERR_INVALIDPARAM;
    if (lost_)
        return DIERR_INPUTLOST;
    if (!acquired_)
        return DIERR_NOTACQUIRED;
    auto* bytes = static_cast<std::uint8_t*>(data);
    for (int code = 0; code < kKeyCount; ++code)
        bytes[code] = K().down[std::size_t(code)] ? 0x80 : 0x00;
    return DI_OK;
}

HRESULT IDirectInput::CreateDevice(const GUID& device, IDirectInputDevice** out, IUnknown* outer) {
    DI_FAULT("DirectInput.CreateDevice");
    if (!out)
        return DIERR_INVALIDPARAM;
    *out = nullptr;
    if (outer)
        return DIERR_NOAGGREGATION;
    if (!(device == GUID_SysKeyboard))
        return DIERR_DEVICENOTREG;
    auto* made = new IDirectInputDevice;
    K().devices.insert(made);
    *out = made;
    return DI_OK;
}

HRESULT DirectInputCreate(gdi::HINSTANCE instance, DWORD version, IDirectInput** out, IUnknown* outer) {
    HRESULT faulted;
    if (ddraw::FaultInjector::Check("DirectInputCreate", nullptr, faulted))
        return faulted;
    if (!out)
        return DIERR_INVALIDPARAM;
    *out = nullptr;
    if (outer)
        return DIERR_NOAGGREGATION;
    if (!instance)
        return DIERR_INVALIDPARAM;
    if (version < 0x0300)
        return DIERR_OLDDIRECTINPUTVERSION;
    if (version > DIRECTINPUT_VERSION)
        return DIERR_BETADIRECTINPUTVERSION;
    *out = new IDirectInput;
    return DI_OK;
}

void SetKeyState(int scanCode, bool down) {
    if (scanCode >= 0 && scanCode < kKeyCount)
        K().down[std::size_t(scanCode)] = down;
}

bool KeyState(int scanCode) { return scanCode >= 0 && scanCode < kKeyCount && K().down[std::size_t(scanCode)]; }

void ReleaseAllKeys() { K().down.fill(false); }

void SetInputFocus(bool focused) {
    KeyboardState& k = K();
    k.focused = focused;
    if (focused)
        return;
    for (IDirectInputDevice* device : k.devices) {
        if (device->acquired_ && (device->coopFlags_ & DISCL_FOREGROUND)) {
            device->acquired_ = false;
            device->lost_ = true;
            if (k.exclusiveHolder == device)
                k.exclusiveHolder = nullptr;
        }
    }
}

bool HasInputFocus() { return K().focused; }

void ResetForTests() {
    ReleaseAllKeys();
    K().focused = true;
}

} // namespace dinput
