// The engine library's key-binding texts: each input line is "KEY COMMAND", bound and
// queried as a console would; the bound command never exceeds its slot, and every
// key name found maps back to its code.
#include "FuzzSupport.h"

#include "platform/dinput/DInput.h"
#include "velmora/TKx_DInput.h"

#include <cstdlib>
#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 4096)
        return 0;
    velmora::TKx_DInput keyboard;
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    for (std::string line; std::getline(in, line);) {
        const std::size_t space = line.find(' ');
        const std::string key = line.substr(0, space);
        const std::string command = space == std::string::npos ? std::string() : line.substr(space + 1);
        keyboard.Bind(key, command);
        const int code = velmora::TKx_DInput::GetKeyCode(key);
        if (code != 0 && velmora::TKx_DInput::GetKeyCode(velmora::TKx_DInput::GetKeyName(code)) != code)
            std::abort();
        if (keyboard.GetCommand(code).size() > velmora::TKx_DInput::kCommandLength)
            std::abort();
        keyboard.GetCommand(static_cast<unsigned char>(key.empty() ? 0 : key[0]) - 128);
    }
    keyboard.UnBindAll();
    return 0;
}
