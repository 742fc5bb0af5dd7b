// The keyboard component: reads the keyboard through DirectInput, raises DIKeyDown
// for every key that is down, and keeps a table that binds keys (by name) to short
// command texts for a console or a script.
#pragma once

#include "platform/dinput/DInput.h"
#include "platform/ui/Component.h"
#include "platform/ui/Timer.h"

#include <array>
#include <functional>
#include <memory>
#include <string>

namespace velmora {

class TKx_DInput : public ui::Component {
public:
    // A slot holds a command of at most this many characters; longer ones are cut.
    static constexpr std::size_t kCommandLength = 14;
    // Attempts at taking a lost keyboard back within one UpdateInputState.
    static constexpr int kMaxAcquireAttempts = 5;

    explicit TKx_DInput(ui::Component* owner = nullptr, ddraw::HWND handle = ddraw::MainWindow());
    ~TKx_DInput() override;

    bool Active = false;
    ddraw::HWND Handle = nullptr;
    // Published: raised once per pressed key per UpdateInputState, in ascending
    // scan-code order.
    std::function<void(ui::Component* sender, int keyNum)> DIKeyDown;
    dinput::IDirectInput* DirectInput = nullptr;
    dinput::IDirectInputDevice* Keyboard = nullptr;
    std::array<std::array<char, kCommandLength + 1>, dinput::kKeyCount> Commands{};
    int TimerInterval = 0; // published
    bool UseTimer = false; // published

    // Sets up DirectInput; ui::Exception with the failing step's text.
    void Init();
    void UpdateInputState();
    void EndInput();

    // "<key> Bound", "<key> <command>" (a query with an empty command), "<key> Not
    // bound", or "Incorrect Number" for a name that is not a key.
    std::string Bind(const std::string& keyName, const std::string& command);
    // The bound command; empty for an unbound key or a code outside 0..255.
    std::string GetCommand(int code) const;
    // The scan code of a key name in any case; 0 when it names no key.
    static int GetKeyCode(const std::string& name);
    // The key name of a scan code; empty when it has none.
    static std::string GetKeyName(int code);
    // Empties the slots of codes 1 to 255.
    void UnBindAll();
};

} // namespace velmora
