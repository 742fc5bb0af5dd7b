// The keyboard component.
#include "velmora/TKx_DInput.h"

#include "platform/os/PathMap.h"
#include "platform/ui/Exception.h"
#include "velmora/TKx_DDraw.h"

#include <algorithm>
#include <cstring>

namespace velmora {

using namespace dinput;

namespace {

struct KeyName {
    int code;
    const char* name;
};

// The component's key vocabulary.
constexpr KeyName kKeys[] = {
    {0x01, "ESCAPE"},   {0x02, "1"},        {0x03, "2"},         {0x04, "3"},        {0x05, "4"},
    {0x06, "5"},        {0x07, "6"},        {0x08, "7"},         {0x09, "8"},        {0x0A, "9"},
    {0x0B, "0"},        {0x0C, "-"},        {0x0D, "="},         {0x0E, "BACKSPACE"}, {0x0F, "TAB"},
    {0x10, "Q"},        {0x11, "W"},        {0x12, "E"},         {0x13, "R"},        {0x14, "T"},
    {0x15, "Y"},        {0x16, "U"},        {0x17, "I"},         {0x18, "O"},        {0x19, "P"},
    {0x1A, "["},        {0x1B, "]"},        {0x1C, "ENTER"},     {0x1D, "LCONTROL"}, {0x1E, "A"},
    {0x1F, "S"},        {0x20, "D"},        {0x21, "F"},         {0x22, "G"},        {0x23, "H"},
    {0x24, "J"},        {0x25, "K"},        {0x26, "L"},         {0x27, ";"},        {0x28, "'"},
    {0x29, "`"},        {0x2A, "LSHIFT"},   {0x2B, "#"},         {0x2C, "Z"},        {0x2D, "X"},
    {0x2E, "C"},        {0x2F, "V"},        {0x30, "B"},         {0x31, "N"},        {0x32, "M"},
    {0x33, ","},        {0x34, "."},        {0x35, "/"},         {0x36, "RSHIFT"},   {0x38, "LALT"},
    {0x39, "SPACE"},    {0x3A, "CAPSLOCK"}, {0x3B, "F1"},        {0x3C, "F2"},       {0x3D, "F3"},
    {0x3E, "F4"},       {0x3F, "F5"},       {0x40, "F6"},        {0x41, "F7"},       {0x42, "F8"},
    {0x43, "F9"},       {0x44, "F10"},      {0x47, "NUMPAD7"},   {0x48, "NUMPAD8"},  {0x49, "NUMPAD9"},
    {0x4B, "NUMPAD4"},  {0x4C, "NUMPAD5"},  {0x4D, "NUMPAD6"},   {0x4F, "NUMPAD1"},  {0x50, "NUMPAD2"},
    {0x51, "NUMPAD3"},  {0x52, "NUMPAD0"},  {0x57, "F11"},       {0x58, "F12"},      {0x9D, "RCONTROL"},
    {0xB8, "RALT"},     {0xC7, "HOME"},     {0xC8, "UP"},        {0xC9, "PAGEUP"},   {0xCB, "LEFT"},
    {0xCD, "RIGHT"},    {0xCF, "END"},      {0xD0, "DOWN"},      {0xD1, "PAGEDOWN"}, {0xD2, "INSERT"},
    {0xD3, "DELETE"},
};
static_assert(std::size(kKeys) == 91);

} // namespace

TKx_DInput::TKx_DInput(ui::Component*, ddraw::HWND handle) : Handle(handle) {}

TKx_DInput::~TKx_DInput() {
    EndInput();
    StopFlipTimer(this, Handle);
}

void TKx_DInput::Init() {
    if (DirectInputCreate(gdi::ProgramInstance(), DIRECTINPUT_VERSION, &DirectInput, nullptr) != DI_OK)
        throw ui::Exception("Can't create DI Object");
    if (DirectInput->CreateDevice(GUID_SysKeyboard, &Keyboard, nullptr) != DI_OK)
        throw ui::Exception("Can't obtain Interface");
    if (Keyboard->SetDataFormat(&c_dfDIKeyboard) != DI_OK)
        throw ui::Exception("Can't set data format");
    if (Keyboard->SetCooperativeLevel(Handle, DISCL_EXCLUSIVE | DISCL_FOREGROUND) != DI_OK)
        throw ui::Exception("Can't set cooperative level");
    if (UseTimer)
        StartFlipTimer(this, Handle, TimerInterval);
    Active = true;
}

void TKx_DInput::UpdateInputState() {
    if (!Active) {
        // A set-up that failed half-way is released before it is tried again.
        EndInput();
        Init();
    }
    if (!Active || !Keyboard)
        return;
    std::uint8_t state[kKeyCount];
    ddraw::HRESULT hr = Keyboard->GetDeviceState(sizeof state, state);
    if (hr != DI_OK) {
        // Take the keyboard back, a bounded number of times: while another window has
        // the focus it keeps answering that another application has priority.
        int attempts = 0;
        do {
            hr = Keyboard->Acquire();
        } while ((hr == DIERR_INPUTLOST || hr == DIERR_OTHERAPPHASPRIO) && ++attempts < kMaxAcquireAttempts);
        if (hr < 0)
            return;
        // The failed read left the buffer unfilled: read again, or report no keys.
        if (Keyboard->GetDeviceState(sizeof state, state) != DI_OK)
            return;
    }
    for (int code = 0; code < kKeyCount; ++code)
        if ((state[code] & 0x80) && DIKeyDown)
            DIKeyDown(this, code);
}

void TKx_DInput::EndInput() {
    if (Keyboard) {
        Keyboard->Unacquire();
        Keyboard->Release();
        Keyboard = nullptr;
    }
    if (DirectInput) {
        DirectInput->Release();
        DirectInput = nullptr;
    }
    Active = false;
}

int TKx_DInput::GetKeyCode(const std::string& name) {
    std::string upper = os::AsciiUpper(name);
    for (const KeyName& key : kKeys)
        if (upper == key.name)
            return key.code;
    return 0;
}

std::string TKx_DInput::GetKeyName(int code) {
    for (const KeyName& key : kKeys)
        if (key.code == code)
            return key.name;
    return {};
}

std::string TKx_DInput::Bind(const std::string& keyName, const std::string& command) {
    int code = GetKeyCode(keyName);
    if (code <= 0 || code > 255)
        return "Incorrect Number";
    auto& slot = Commands[std::size_t(code)];
    if (!command.empty()) {
        std::size_t length = std::min(command.size(), kCommandLength);
        std::memcpy(slot.data(), command.data(), length);
        slot[length] = '\0';
        return GetKeyName(code) + " Bound";
    }
    if (slot[0] != '\0')
        return GetKeyName(code) + " " + GetCommand(code);
    return GetKeyName(code) + " Not bound";
}

std::string TKx_DInput::GetCommand(int code) const {
    if (code < 0 || code >= kKeyCount)
        return {};
    return std::string(Commands[std::size_t(code)].data());
}

void TKx_DInput::UnBindAll() {
    for (int code = 1; code < kKeyCount; ++code)
        Commands[std::size_t(code)].fill('\0');
}

} // namespace velmora
